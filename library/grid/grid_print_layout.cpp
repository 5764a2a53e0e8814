// Page arithmetic of grid printing (see grid_print_layout.h).
#include "grid/grid_print_layout.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace quill {

namespace {

constexpr double kMillimetresPerInchUnit = 2.54065;

int Clamp(long long value) {
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

void Convert(int *value, int from, int to) { *value = GridConvertUnits(*value, from, to); }

bool Landscape(const GridPage &page) { return page.orientation == 2; }

// The printed area's width and height as the margins leave it.
int PrintedWidth(const GridPage &page) { return page.paperWidth - page.left - page.right; }
int PrintedHeight(const GridPage &page) { return page.paperHeight - page.top - page.bottom; }

void SetPrintedWidth(GridPage *page, int width) {
    page->right = std::max(0, page->paperWidth - page->left - width);
}
void SetPrintedHeight(GridPage *page, int height) {
    page->bottom = std::max(0, page->paperHeight - page->top - height);
}

}  // namespace

int GridUnitsPerInch(int unit) { return unit == kGridMetricUnits ? 2540 : 1000; }

int GridConvertUnits(int value, int from, int to) {
    if (from == to) return value;
    double converted =
        to == kGridMetricUnits ? value * kMillimetresPerInchUnit : value / kMillimetresPerInchUnit;
    return Clamp(static_cast<long long>(converted));
}

int GridPointsToUnits(int points, int unit) {
    return Clamp(static_cast<long long>(points) * GridUnitsPerInch(unit) / 72);
}

void GridPageConvert(GridPage *page, int unit) {
    if (page->unit == unit) return;
    for (int *value :
         {&page->paperWidth, &page->paperHeight, &page->left, &page->top, &page->right,
          &page->bottom, &page->minLeft, &page->minTop, &page->minRight, &page->minBottom})
        Convert(value, page->unit, unit);
    page->unit = unit;
}

bool GridPageSetPosSize(GridPage *page, int item, int value) {
    int length = GridPointsToUnits(value, page->unit);
    switch (item) {
    case 1: SetPrintedWidth(page, length); return true;
    case 2: SetPrintedHeight(page, length); return true;
    case 3: page->left = length; return true;
    case 4: page->top = length; return true;
    case 5: break;
    default: return false;
    }
    if (value < 1 || value > 4) return false;
    int wanted = value % 2 == 0 ? 2 : 1;
    // The printed area as it stands on the paper before the paper turns.
    int width = PrintedWidth(*page), height = PrintedHeight(*page);
    if (page->orientation != wanted) {
        std::swap(page->paperWidth, page->paperHeight);
        page->orientation = wanted;
    }
    if (value >= 3) {
        if (Landscape(*page) ? width < height : height < width) std::swap(width, height);
        SetPrintedWidth(page, width);
        SetPrintedHeight(page, height);
    }
    return true;
}

int GridPrintScale(int scale) { return scale > 0 ? scale : 100; }

int GridPrintScaled(int length, int printerDpi, int scale, int screenDpi) {
    if (screenDpi <= 0) screenDpi = 96;
    return Clamp(static_cast<long long>(length) * printerDpi * GridPrintScale(scale) /
                 (100LL * screenDpi));
}

GridPrintArea GridPrintableArea(const GridPage &page, int dpiX, int dpiY, int offsetX,
                                int offsetY) {
    long long perInch = GridUnitsPerInch(page.unit);
    GridPrintArea area;
    area.left = Clamp(page.left * static_cast<long long>(dpiX) / perInch - offsetX);
    area.right =
        Clamp((page.paperWidth - static_cast<long long>(page.right)) * dpiX / perInch - offsetX);
    area.top = Clamp(page.top * static_cast<long long>(dpiY) / perInch - offsetY);
    area.bottom =
        Clamp((page.paperHeight - static_cast<long long>(page.bottom)) * dpiY / perInch - offsetY);
    // Margins wider than the paper leave a sliver, never a negative area.
    if (area.right <= area.left) area.right = area.left + 1;
    if (area.bottom <= area.top) area.bottom = area.top + 1;
    return area;
}

GridRowPaging GridRowsPerPage(int areaHeight, int rowHeight, int headerHeight,
                              bool headerOnLaterPages) {
    GridRowPaging paging;
    if (rowHeight < 1) rowHeight = 1;
    paging.firstPage = std::max(1, (areaHeight - headerHeight) / rowHeight);
    paging.laterPages =
        std::max(1, (areaHeight - (headerOnLaterPages ? headerHeight : 0)) / rowHeight);
    return paging;
}

std::vector<GridRowRun> GridRowRuns(int first, int last, const GridRowPaging &paging) {
    std::vector<GridRowRun> runs;
    int per = std::max(1, paging.firstPage);
    for (int row = first; row <= last;) {
        int end = row + std::min(per - 1, last - row);
        runs.push_back({row, end});
        row = end + 1;
        per = std::max(1, paging.laterPages);
    }
    return runs;
}

std::vector<GridColumnPage> GridColumnPages(const std::vector<int> &widths, int start,
                                            int laterStart, int right) {
    std::vector<GridColumnPage> pages;
    int x = start;
    for (int c = 0; c < static_cast<int>(widths.size()); ++c) {
        int width = std::max(1, widths[c]);
        if (pages.empty() || (x + width > right && !pages.back().widths.empty())) {
            if (!pages.empty()) x = laterStart;
            GridColumnPage page;
            page.first = c;
            pages.push_back(page);
        }
        // The first column of a page that is still too wide is cut at the page's edge.
        if (x + width > right) width = std::max(1, right - x);
        pages.back().widths.push_back(width);
        x += width;
    }
    return pages;
}

bool GridClampRange(int *first, int *last, int count) {
    if (*first < 0) *first = 0;
    if (*last > count - 1) *last = count - 1;
    return count > 0 && *first <= *last;
}

}  // namespace quill
