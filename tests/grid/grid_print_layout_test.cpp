// The page arithmetic of grid printing: units, positions and sizes in points, scaling, the
// printable area and the spreading of rows and columns over pages.
#include <gtest/gtest.h>

#include <climits>

#include "grid/grid_print_layout.h"

using namespace quill;

namespace {

GridPage Letter() {
    GridPage page;
    page.paperWidth = 8500;
    page.paperHeight = 11000;
    page.left = page.top = page.right = page.bottom = 1000;
    page.minLeft = page.minTop = 250;
    page.minRight = page.minBottom = 300;
    page.unit = kGridInchUnits;
    page.orientation = 1;
    return page;
}

TEST(GridPrintUnits, ConvertWithTheFactorAndTruncate) {
    EXPECT_EQ(GridUnitsPerInch(kGridInchUnits), 1000);
    EXPECT_EQ(GridUnitsPerInch(kGridMetricUnits), 2540);
    EXPECT_EQ(GridConvertUnits(1000, kGridInchUnits, kGridMetricUnits), 2540);  // 2540.65
    EXPECT_EQ(GridConvertUnits(2540, kGridMetricUnits, kGridInchUnits), 999);   // 999.74
    EXPECT_EQ(GridConvertUnits(777, kGridInchUnits, kGridInchUnits), 777);
    EXPECT_EQ(GridConvertUnits(INT_MAX, kGridInchUnits, kGridMetricUnits), INT_MAX)
        << "no overflow";
    EXPECT_EQ(GridPointsToUnits(72, kGridInchUnits), 1000);
    EXPECT_EQ(GridPointsToUnits(10, kGridInchUnits), 138);
    EXPECT_EQ(GridPointsToUnits(10, kGridMetricUnits), 352);

    GridPage page = Letter();
    GridPageConvert(&page, kGridMetricUnits);
    EXPECT_EQ(page.unit, kGridMetricUnits);
    EXPECT_EQ(page.paperWidth, 21595);  // 8500 x 2.54065 = 21595.5
    EXPECT_EQ(page.paperHeight, 27947);
    EXPECT_EQ(page.left, 2540);
    EXPECT_EQ(page.bottom, 2540);
    EXPECT_EQ(page.minLeft, 635);
    EXPECT_EQ(page.minBottom, 762);
    GridPage again = page;
    GridPageConvert(&again, kGridMetricUnits);
    EXPECT_EQ(again.paperWidth, page.paperWidth) << "already in the units: unchanged";
    GridPageConvert(&page, kGridInchUnits);
    EXPECT_EQ(page.paperWidth, 8499) << "there and back loses to truncation, as the factor says";
    EXPECT_EQ(page.left, 999);
}

TEST(GridPrintUnits, PositionsAndSizesInPoints) {
    GridPage page = Letter();
    EXPECT_TRUE(GridPageSetPosSize(&page, 3, 36));
    EXPECT_EQ(page.left, 500);
    EXPECT_TRUE(GridPageSetPosSize(&page, 4, 72));
    EXPECT_EQ(page.top, 1000);
    EXPECT_TRUE(GridPageSetPosSize(&page, 1, 432));  // 6 inches wide
    EXPECT_EQ(page.right, 8500 - 500 - 6000);
    EXPECT_TRUE(GridPageSetPosSize(&page, 2, 648));  // 9 inches high
    EXPECT_EQ(page.bottom, 11000 - 1000 - 9000);
    EXPECT_TRUE(GridPageSetPosSize(&page, 1, 7200));
    EXPECT_EQ(page.right, 0) << "a width beyond the paper leaves no margin, never a negative one";
    EXPECT_TRUE(GridPageSetPosSize(&page, 2, 7200));
    EXPECT_EQ(page.bottom, 0);

    GridPage before = page;
    EXPECT_FALSE(GridPageSetPosSize(&page, 6, 10));
    EXPECT_FALSE(GridPageSetPosSize(&page, 0, 10));
    EXPECT_FALSE(GridPageSetPosSize(&page, 5, 0));
    EXPECT_FALSE(GridPageSetPosSize(&page, 5, 5));
    EXPECT_EQ(page.left, before.left);
    EXPECT_EQ(page.right, before.right);
    EXPECT_EQ(page.orientation, 1);
}

TEST(GridPrintUnits, OrientationTurnsThePaperAndOnRequestThePrintedArea) {
    GridPage page = Letter();
    page.left = 500, page.top = 500, page.right = 1500, page.bottom = 500;  // 6.5 x 10 printed
    EXPECT_TRUE(GridPageSetPosSize(&page, 5, 2));
    EXPECT_EQ(page.orientation, 2);
    EXPECT_EQ(page.paperWidth, 11000);
    EXPECT_EQ(page.paperHeight, 8500);
    EXPECT_EQ(page.right, 1500) << "2 keeps the margins";
    EXPECT_TRUE(GridPageSetPosSize(&page, 5, 2));
    EXPECT_EQ(page.paperWidth, 11000) << "no change, no turn";

    GridPage turned = Letter();
    turned.left = 500, turned.top = 500, turned.right = 1500, turned.bottom = 500;
    EXPECT_TRUE(GridPageSetPosSize(&turned, 5, 4));
    EXPECT_EQ(turned.paperWidth, 11000);
    // The printed area was 6500 wide and 10000 high; landscape wants it the other way round.
    EXPECT_EQ(turned.left, 500);
    EXPECT_EQ(turned.top, 500);
    EXPECT_EQ(turned.paperWidth - turned.left - turned.right, 10000);
    EXPECT_EQ(turned.right, 500);
    EXPECT_EQ(turned.bottom, 8500 - 500 - 6500);
    EXPECT_TRUE(GridPageSetPosSize(&turned, 5, 4));
    EXPECT_EQ(turned.right, 500) << "an area that matches stays";
    EXPECT_TRUE(GridPageSetPosSize(&turned, 5, 3));
    EXPECT_EQ(turned.orientation, 1);
    EXPECT_EQ(turned.paperWidth, 8500);
    EXPECT_EQ(turned.paperHeight - turned.top - turned.bottom, 10000)
        << "portrait: taller than wide again";
    EXPECT_EQ(turned.paperWidth - turned.left - turned.right, 6500);
}

TEST(GridPrintLayout, ScaleAreaRowsAndColumns) {
    EXPECT_EQ(GridPrintScale(0), 100);
    EXPECT_EQ(GridPrintScale(-5), 100);
    EXPECT_EQ(GridPrintScale(250), 250);
    EXPECT_EQ(GridPrintScaled(96, 300, 100, 96), 300);
    EXPECT_EQ(GridPrintScaled(96, 300, 50, 96), 150);
    EXPECT_EQ(GridPrintScaled(96, 300, -1, 96), 300) << "a scale of 0 or less prints at 100";
    EXPECT_EQ(GridPrintScaled(2000, 2400, 400, 96), 200000) << "large values do not overflow";

    GridPage page = Letter();
    GridPrintArea area = GridPrintableArea(page, 300, 600, 75, 150);
    EXPECT_EQ(area.left, 300 - 75);
    EXPECT_EQ(area.right, 7500 * 300 / 1000 - 75);
    EXPECT_EQ(area.top, 600 - 150);
    EXPECT_EQ(area.bottom, 10000 * 600 / 1000 - 150);
    page.left = 6000, page.right = 6000, page.top = 9000, page.bottom = 9000;
    area = GridPrintableArea(page, 300, 300, 0, 0);
    EXPECT_EQ(area.right - area.left, 1) << "margins wider than the paper leave a sliver";
    EXPECT_EQ(area.bottom - area.top, 1);

    GridRowPaging paging = GridRowsPerPage(1000, 90, 90, false);
    EXPECT_EQ(paging.firstPage, 10);
    EXPECT_EQ(paging.laterPages, 11) << "without the header on later pages they hold a row more";
    paging = GridRowsPerPage(1000, 90, 90, true);
    EXPECT_EQ(paging.laterPages, 10);
    paging = GridRowsPerPage(1000, 60, 90, false);
    EXPECT_EQ(paging.firstPage, 15) << "the rows fit under the header";
    paging = GridRowsPerPage(50, 90, 90, true);
    EXPECT_EQ(paging.firstPage, 1) << "a row too high for the page still gets a page";
    EXPECT_EQ(paging.laterPages, 1);

    auto runs = GridRowRuns(3, 27, {10, 11});
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].first, 3);
    EXPECT_EQ(runs[0].last, 12);
    EXPECT_EQ(runs[1].first, 13);
    EXPECT_EQ(runs[1].last, 23);
    EXPECT_EQ(runs[2].first, 24);
    EXPECT_EQ(runs[2].last, 27);
    EXPECT_TRUE(GridRowRuns(5, 4, {10, 10}).empty());
    EXPECT_EQ(GridRowRuns(0, 99, {0, -3}).size(), 100u) << "at least one row a page";

    // Columns: 100 + 300 + 500 from x 100 (labels) to 700; later pages start at 0.
    auto pages = GridColumnPages({300, 300, 500, 900, 50}, 100, 0, 700);
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pages[0].first, 0);
    EXPECT_EQ(pages[0].widths, (std::vector<int>{300, 300}));
    EXPECT_EQ(pages[1].first, 2);
    EXPECT_EQ(pages[1].widths, (std::vector<int>{500}));
    EXPECT_EQ(pages[2].first, 3);
    EXPECT_EQ(pages[2].widths, (std::vector<int>{700}))
        << "a column wider than the page is cut to it";
    EXPECT_EQ(pages[3].widths, (std::vector<int>{50}));
    pages = GridColumnPages({400}, 650, 650, 700);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].widths[0], 50);
    pages = GridColumnPages({400, 400}, 800, 800, 700);
    ASSERT_EQ(pages.size(), 2u) << "labels wider than the page still print every column";
    EXPECT_EQ(pages[0].widths[0], 1);

    int first = -4, last = 99;
    EXPECT_TRUE(GridClampRange(&first, &last, 12));
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 11);
    first = 12, last = 20;
    EXPECT_FALSE(GridClampRange(&first, &last, 12));
    first = 5, last = 4;
    EXPECT_FALSE(GridClampRange(&first, &last, 12));
    first = 0, last = 0;
    EXPECT_FALSE(GridClampRange(&first, &last, 0));
}

}  // namespace
