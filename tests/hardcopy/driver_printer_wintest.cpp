// The Windows printer driver (device 10) through the spooler's PDF printer: pages are made
// only when drawn on, drawing lands where it was drawn, text is measured without a page, and
// a printer that does not exist gives error 1.
#include "plot_readers.h"
#include "print_jobs.h"

#include "core/commondialogs.h"
#include "graphics/draw_families.h"
#include "hardcopy/drivers.h"
#include "hardcopy/hardcopy_options.h"
#include "hardcopy/hardcopy_startup.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

class PrinterDriver : public PlotTest {
protected:
    PrinterSettings saved = gPrinter;
    void SetUp() override {
        quill::EnterWindowsHardcopyDrivers();
        PlotTest::SetUp();
    }
    void TearDown() override {
        PlotTest::TearDown();
        gPrinter = saved;
    }
};

TEST_F(PrinterDriver, TwoDrawnPagesAndAnEmptyDumpPrintTwoPagesWhereDrawn) {
    const std::string title = UniqueJobTitle("wpr");
    Select(10);
    ASSERT_EQ(kDeviceWindowsPrinter, gHardcopy.driver);
    const float width = gHardcopy.pageWidth, height = gHardcopy.pageHeight;
    const int left = quill::HardcopyOptionSlot(3), top = quill::HardcopyOptionSlot(4);
    ASSERT_GT(width, 100);
    OpenSelected("", title.c_str());
    ASSERT_EQ(1, gHardcopy.open);
    Colour(0x0000FF);
    Rectangle(100, 100, 400, 300);  // the drawable is 1000 x 700
    EndPage();
    Colour(0xFF0000);
    Line(0, 350, 999, 350);
    EndPage();
    EndPage();  // nothing drawn: no page
    // Measuring needs no page.
    int lines = 0;
    EXPECT_GT(Measure("Width", &lines), 0.0f);
    EXPECT_EQ(1, lines);
    Close();

    std::vector<std::filesystem::path> jobs = WaitForPdfJobs(title, 1);
    ASSERT_EQ(1u, jobs.size());
    EXPECT_EQ(2, PdfPageCount(jobs[0]));

    // Page 1 at 36 pixels an inch: the block's middle at a quarter across the printed area and
    // two sevenths up from its bottom.
    Picture page = RenderPdfPage(jobs[0], 1, 36);
    ASSERT_GT(page.width, 100);
    const double x = (left + 0.25 * width) / 2, y = (top + (1 - 200.0 / 700) * height) / 2;
    const unsigned char *p =
        &page.rgb[3 * (static_cast<std::size_t>(y) * page.width + static_cast<int>(x))];
    EXPECT_GT(p[0], 200);
    EXPECT_LT(p[1], 80);
    EXPECT_LT(p[2], 80);
    RemovePdfJobs(title);
}

TEST_F(PrinterDriver, APrinterThatDoesNotExistGivesErrorOne) {
    gPrinter.chosen = 1;
    gPrinter.device = "No such printer";
    gPrinter.driver = "winspool";
    Select(10);
    OpenSelected("", "none");
    int item = 1;
    EXPECT_EQ(1, infoerror_(&item));
    EXPECT_EQ(0, gHardcopy.open);
    int w = 0, h = 0;
    EXPECT_FALSE(quill::PrinterExtent(&w, &h));
}

}  // namespace
