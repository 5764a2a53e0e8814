// A printer whose name is longer than 64 characters (the spooler's test printer of a 93-character
// name; tools/print-queue makes it) is printed to whole: chosen in the page set-up and as the
// system's default printer. The second changes the prefix's default printer for a moment, so
// the program runs alone.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <string>

#include "core/commondialogs.h"
#include "graphics/printer_dc.h"
#include "library_root.h"
#include "modal_answer.h"
#include "print_jobs.h"

namespace {

const char kLongPrinter[] =
    "PDF-printer-whose-queue-name-is-much-longer-than-sixty-four-characters-and-must-be-kept-whole";

class LongPrinterName : public SharedLibraryRoot {
protected:
    PrinterSettings saved = gPrinter;
    void SetUp() override {
        gPrinter.chosen = 0;  // the default printer, until a page set-up chooses one
    }
    void TearDown() override { gPrinter = saved; }
};

// The page information's error code: 0 when the printer could be asked.
int PageInfoError() {
    int v[10] = {};
    yywprinfo_(&v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9]);
    return v[9];
}

// Prints an empty page titled TITLE as a screen dump; the dump's start status (0: started).
int PrintAPage(const std::string &title) {
    int status = -1, zero = 0, one = 1, w = 288, h = 216;
    yywindumpstart_(&w, &h, &zero, &zero, &status, &zero, &one, title.c_str(),
                    static_cast<int>(title.size()));
    yywindumpend_();
    return status;
}

// The page set-up with the long-named printer chosen through its Printer button.
TEST_F(LongPrinterName, ChosenInThePageSetUpItPrints) {
    int paperWidth = 0, paperHeight = 0, printWidth = 5000, printHeight = 7000, left = 1000,
        top = 1000, orientation = 0, copies = 1, units = 1, colours = 0, answer = -1;
    bool listed = false;
    int unused =
        modal::Run({[](HWND pageSetup) {
                        // The printer dialog runs inside this call, answered by the next step.
                        SendMessageA(pageSetup, WM_COMMAND, MAKEWPARAM(psh3, BN_CLICKED), 0);
                        PostMessageA(pageSetup, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                    },
                    [&](HWND printer) {
                        HWND list = GetDlgItem(printer, cmb4);
                        LRESULT at = SendMessageA(list, CB_FINDSTRINGEXACT, -1,
                                                  reinterpret_cast<LPARAM>(kLongPrinter));
                        listed = at != CB_ERR;
                        SendMessageA(list, CB_SETCURSEL, at, 0);
                        SendMessageA(printer, WM_COMMAND, MAKEWPARAM(cmb4, CBN_SELCHANGE),
                                     reinterpret_cast<LPARAM>(list));
                        PostMessageA(printer, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                    }},
                   [&] {
                       yyprintdialog_(&paperWidth, &paperHeight, &printWidth, &printHeight, &left,
                                      &top, &orientation, &copies, &units, &colours, &answer);
                   });
    ASSERT_TRUE(listed) << "the test printers are missing: run tools/print-queue";
    ASSERT_EQ(0, unused);
    EXPECT_EQ(1, answer);
    EXPECT_NE(0, colours) << "the printer's colour count could not be read";
    EXPECT_EQ(0, PageInfoError());

    const std::string title = UniqueJobTitle("long name set-up");
    ASSERT_EQ(0, PrintAPage(title)) << "the chosen printer does not open";
    EXPECT_EQ(1u, WaitForPdfJobs(title, 1).size());
    RemovePdfJobs(title);
}

// The system's default printer, when no page set-up chose one.
TEST_F(LongPrinterName, AsTheDefaultPrinterItPrints) {
    char kept[512] = "";
    DWORD size = sizeof kept;
    ASSERT_TRUE(GetDefaultPrinterA(kept, &size));
    ASSERT_TRUE(SetDefaultPrinterA(kLongPrinter))
        << "the test printers are missing: run tools/print-queue";
    const int known = yywprintername();
    const int error = PageInfoError();
    const std::string title = UniqueJobTitle("long name default");
    const int status = PrintAPage(title);
    SetDefaultPrinterA(kept);

    EXPECT_EQ(1, known);
    EXPECT_EQ(0, error);
    ASSERT_EQ(0, status) << "the default printer does not open";
    EXPECT_EQ(1u, WaitForPdfJobs(title, 1).size());
    RemovePdfJobs(title);
}

}  // namespace
