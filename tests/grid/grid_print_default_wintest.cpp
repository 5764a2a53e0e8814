// Grid printing against the prefix's default printer, changed for a moment: a printer of two
// colours and no printer at all. The program runs alone, as every other printing test would
// print to the printer of that moment.
#include "grid_print_fixture.h"

namespace {

// The default printer of the prefix, changed for a moment and put back.
struct DefaultPrinter {
    std::string kept;
    DefaultPrinter() {
        char name[256] = "";
        DWORD size = sizeof name;
        if (GetDefaultPrinterA(name, &size)) kept = name;
    }
    ~DefaultPrinter() {
        if (!kept.empty()) SetDefaultPrinterA(kept.c_str());
    }
};

TEST_F(GridPrint, AGreyPrinterPrintsWithoutColourAndNoPrinterPrintsNothing) {
    {
        // No printer at all: the options keep lines and header, no colour; nothing prints and
        // the page set-up shows no box.
        DefaultPrinter restore;
        char device[512] = "";
        GetProfileStringA("windows", "Device", "", device, sizeof device);
        ASSERT_NE(device[0], 0);
        WriteProfileStringA("windows", "Device", nullptr);
        bGridPrintInit = 0;
        Options none = GetOptions(2);
        int ok = Print(kGrid, 0, 0, 0, 0, UniqueJobTitle("grid no printer"), 2);
        int set = 2, units = 0;
        int unused = modal::Run({modal::Press(IDCANCEL)}, [&] { yygridprintsetup_(&units, &set); });
        WriteProfileStringA("windows", "Device", device);
        EXPECT_EQ(none.h, 1);
        EXPECT_EQ(none.v, 1);
        EXPECT_EQ(none.repeat, 1);
        EXPECT_EQ(none.colour, 0);
        EXPECT_EQ(none.back, 0);
        EXPECT_EQ(none.scale, 100);
        EXPECT_EQ(ok, 0);
        EXPECT_EQ(unused, 1) << "no box";
    }
    {
        DefaultPrinter restore;
        ASSERT_EQ(restore.kept, "PDF");
        ASSERT_TRUE(SetDefaultPrinterA("PDFGrey"));
        bGridPrintInit = 0;
        Options grey = GetOptions(1);
        EXPECT_EQ(grey.colour, 0) << "a printer of two colours";
        EXPECT_EQ(grey.back, 0);
        EXPECT_EQ(grey.h, 1);
    }
    std::string title = UniqueJobTitle("grid grey");
    PutText(kGrid, 0, 0, "grey");
    ASSERT_EQ(Print(kGrid, 0, 0, 0, 0, title), 1);
    Printed p = Job(title, since);
    EXPECT_EQ(p.pages, 1) << "set 1 keeps the grey printer it was made from";
}

}  // namespace
