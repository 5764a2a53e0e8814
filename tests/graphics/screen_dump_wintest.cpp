// Printing the drawable (op 20 of the screen driver) through the spooler's PDF printer: the
// page information matches the printed page, a drawn bitmap lands where it was drawn, and
// without a usable printer nothing is printed and the failure is reported.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/commondialogs.h"
#include "graphics/bitmaps.h"
#include "graphics/driver_protocol.h"
#include "graphics/graphics_state.h"
#include "graphics/printer_dc.h"
#include "library_root.h"
#include "plot_readers.h"
#include "print_jobs.h"
#include "quillamorph.h"
#include "error_status.h"

namespace {

// The Unix path of a path under Wine's drive Z:.
std::string UnixPath(const std::filesystem::path &path) {
    std::string p = path.string();
    if (p.size() > 1 && (p[0] == 'Z' || p[0] == 'z') && p[1] == ':') p.erase(0, 2);
    for (char &c : p)
        if (c == '\\') c = '/';
    return p;
}

// Runs the Unix shell command COMMAND and waits for it: started as a Unix program by its path on
// drive Z:, with its output and exit status left in files (a started Unix program gives its
// Windows parent no process to wait on, and the library's start-up leaves the command
// interpreter unable to start one).
ReaderRun RunUnix(const std::string &command, const std::string &stem) {
    const std::string out = "/tmp/" + stem + ".out", done = "/tmp/" + stem + ".done";
    std::remove(("Z:" + done).c_str());
    std::string line = "Z:\\bin\\sh -c \"(" + command + ") >" + out + " 2>&1; echo $? >" + done +
                       ".part; mv " + done + ".part " + done + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ReaderRun run;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return run;
    if (pi.hProcess) CloseHandle(pi.hProcess);
    if (pi.hThread) CloseHandle(pi.hThread);
    for (int i = 0; i < 600 && !std::filesystem::exists("Z:" + done); ++i) Sleep(100);
    const std::string status = ReadWholeFile("Z:" + done);
    run.output = ReadWholeFile("Z:" + out);
    if (!status.empty()) run.status = std::atoi(status.c_str());
    std::remove(("Z:" + done).c_str());
    std::remove(("Z:" + out).c_str());
    return run;
}

struct PageInfo {
    int pageLong, pageShort, printLong, printShort, offsetLong, offsetShort, rotate, one, colours,
        error;
};
PageInfo Info() {
    PageInfo v{};
    yywprinfo_(&v.pageLong, &v.pageShort, &v.printLong, &v.printShort, &v.offsetLong,
               &v.offsetShort, &v.rotate, &v.one, &v.colours, &v.error);
    return v;
}

struct ScreenDump : LibraryRoot {
    void TearDown() override {
        const int window = 1;
        igrselect_(&window, nullptr);
        quill::DestroyAllBitmaps();
        LibraryRoot::TearDown();
    }
    // Draws a red block into a white 100 x 80 bitmap chosen as the drawing target.
    static void DrawBlock() {
        int handle = 0, width = 100, height = 80, white = 0xFFFFFF;
        yybitmapcreate_(&handle, &width, &height, &white);
        const int bitmap = 2;
        igrselect_(&bitmap, &handle);
        int red = 31;
        igrcolourn_(&red);
        quill::SetPoint(1, 20, 20);
        quill::SetPoint(2, 40, 30);
        quill::SendOp(kOpRectangleSolid, kSideDrawing);
    }
    static void Print(const std::string &title) {
        quill::SetText(title.c_str(), title.size());
        quill::SendOp(kOpPage, kSideDrawing);
    }
};

TEST_F(ScreenDump, TheDrawableIsPrintedOverThePrintableAreaOfThePage) {
    ASSERT_EQ(yywprintername(), 1) << "the test printers are missing: run tools/print-queue";
    const PageInfo info = Info();
    ASSERT_EQ(info.error, 0);
    ASSERT_GT(info.printLong, 0);
    const int printer = 0;
    igrprintimageselect_(&printer);

    DrawBlock();
    const std::string title = UniqueJobTitle("screen-dump");
    Print(title);
    EXPECT_EQ(LastError(), 0);
    const auto jobs = WaitForPdfJobs(title, 1);
    ASSERT_EQ(jobs.size(), 1u);
    const std::string pdf = UnixPath(jobs[0]);

    // The page the printer reported, in landscape.
    ReaderRun pages = RunUnix("pdfinfo '" + pdf + "'", title);
    ASSERT_EQ(pages.status, 0) << pages.output;
    float w = 0, h = 0;
    const std::size_t at = pages.output.find("Page size:");
    ASSERT_NE(at, std::string::npos) << pages.output;
    ASSERT_EQ(std::sscanf(pages.output.c_str() + at, "Page size: %f x %f", &w, &h), 2);
    EXPECT_NE(pages.output.find("Pages:           1"), std::string::npos) << pages.output;
    EXPECT_NEAR(std::max(w, h), info.pageLong, 1);
    EXPECT_NEAR(std::min(w, h), info.pageShort, 1);

    // At 72 pixels an inch a pixel is a point: the 100 x 80 drawable covers the printable
    // area from one inch in; the block (x 20-40, rows 49-59 of 80) lands in its part of it.
    const std::string ppm = "/tmp/" + title;
    ReaderRun render = RunUnix("pdftoppm -r 72 -singlefile '" + pdf + "' '" + ppm + "'", title);
    ASSERT_EQ(render.status, 0) << render.output;
    const Picture page = ReadPpm("Z:" + ppm + ".ppm");
    std::remove(("Z:" + ppm + ".ppm").c_str());
    RemovePdfJobs(title);
    ASSERT_GT(page.width, page.height) << "a landscape page";
    auto red = [&](int x, int y) {
        const unsigned char *p = &page.rgb[3 * (static_cast<std::size_t>(y) * page.width + x)];
        return p[0] > 200 && p[1] < 60 && p[2] < 60;
    };
    auto white = [&](int x, int y) {
        const unsigned char *p = &page.rgb[3 * (static_cast<std::size_t>(y) * page.width + x)];
        return p[0] > 200 && p[1] > 200 && p[2] > 200;
    };
    const double sx = info.printLong / 100.0, sy = info.printShort / 80.0;
    const int cx = static_cast<int>(info.offsetLong + 30.5 * sx);
    const int cy = static_cast<int>(info.offsetShort + 54.5 * sy);
    EXPECT_TRUE(red(cx, cy)) << cx << "," << cy;
    EXPECT_TRUE(white(static_cast<int>(info.offsetLong + 10 * sx), cy));
    EXPECT_TRUE(white(cx, static_cast<int>(info.offsetShort + 40 * sy)));
    EXPECT_TRUE(white(info.offsetLong / 2, info.offsetShort / 2));  // outside the printable area
}

TEST_F(ScreenDump, NoPrinterAndNoPrinterTargetPrintNothing) {
    // A chosen printer that does not exist: empty page information and a non-zero code, and
    // the dump cannot start.
    PrinterSettings saved = gPrinter;
    gPrinter.chosen = 1;
    gPrinter.device = "No such printer";
    gPrinter.driver = "winspool";
    const PageInfo info = Info();
    EXPECT_EQ(info.pageLong + info.pageShort + info.printLong + info.printShort + info.colours, 0);
    EXPECT_NE(info.error, 0);
    const int printer = 0;
    igrprintimageselect_(&printer);
    DrawBlock();
    Print(UniqueJobTitle("no-printer"));
    EXPECT_EQ(LastError(), 1);
    gPrinter = saved;

    // The PostScript dump file is no target of the screen driver.
    const int postscript = 2;
    igrprintimageselect_(&postscript);
    Print(UniqueJobTitle("postscript-target"));
    EXPECT_EQ(LastError(), 1);
}

}  // namespace
