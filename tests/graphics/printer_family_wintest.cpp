// The printer family through the spooler's PDF printer: pages are started by drawing, so two
// drawn pages and an ended page with nothing on it make one job of two pages, each with its
// drawing where it was drawn.
#include <gtest/gtest.h>

#include "graphics/draw_families.h"
#include "graphics/printer_dc.h"
#include "plot_readers.h"
#include "print_jobs.h"

#include <filesystem>
#include <string>

namespace {

TEST(PrinterFamily, TwoDrawnPagesMakeOneJobOfTwoPages) {
    const std::string title = UniqueJobTitle("family");
    // A 7 x 5 inch page half an inch from the paper's edges.
    const int width = 504, height = 360, left = 36, top = 36;
    int dpix = 0, dpiy = 0, colours = 0, status = -1;
    // Start-up asks for the page information, which sets the stored page settings to "not set".
    int pageInfo[10];
    int *p = pageInfo;
    yywprinfo_(p, p + 1, p + 2, p + 3, p + 4, p + 5, p + 6, p + 7, p + 8, p + 9);
    yywpropen_(&width, &height, &left, &top, &dpix, &dpiy, &colours, &status, nullptr, nullptr,
               title.c_str(), static_cast<int>(title.size()));
    ASSERT_EQ(0, status) << "the test printer (tools/print-queue) is missing";
    ASSERT_GT(dpix, 0);
    // A block from 1 to 3 inches across and 1 to 2 inches down the page, red on the first page
    // and blue on the second.
    const int x1 = dpix, y1 = dpiy, x2 = 3 * dpix, y2 = 2 * dpiy, count = 4, solid = 4;
    for (int page = 0; page < 2; ++page) {
        const int r = page == 0 ? 255 : 0, g = 0, b = page == 0 ? 0 : 255;
        yywprcolour_(&r, &g, &b);
        const int xs[4] = {x1, x2, x2, x1}, ys[4] = {y1, y1, y2, y2};
        for (int k = 0; k < 4; ++k) yywprpolpoint_(&xs[k], &ys[k], &k);
        yywprpolygon_(&count, &solid);
        yywprdump_();
    }
    yywprdump_();  // nothing drawn since the last page ended: no third page
    yywprclose_();

    std::vector<std::filesystem::path> jobs = WaitForPdfJobs(title, 1);
    ASSERT_EQ(1u, jobs.size());
    EXPECT_EQ(2, PdfPageCount(jobs[0]));

    // At 36 pixels an inch the block's middle is 2.5 inches across and 2 inches down the paper.
    for (int page = 1; page <= 2; ++page) {
        Picture p = RenderPdfPage(jobs[0], page, 36);
        ASSERT_GT(p.width, 100) << page;
        EXPECT_EQ(page == 1 ? 0xFF0000 : 0x0000FF, p.Rgb(90, 72)) << page;
        EXPECT_EQ(0xFFFFFF, p.Rgb(90, 130)) << page;
    }
    RemovePdfJobs(title);
}

}  // namespace
