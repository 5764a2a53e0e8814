// The arithmetic of grid printing that needs no window system: the paper and margins of a print
// settings set and their units, positions and sizes given in points, the scaling of screen
// sizes to the printer, the printable area, and how rows and columns are spread over pages.
#ifndef QUILL_GRID_GRID_PRINT_LAYOUT_H
#define QUILL_GRID_GRID_PRINT_LAYOUT_H

#include <vector>

namespace quill {

// Units of a set's paper and margins.
enum GridPrintUnit { kGridInchUnits = 0, kGridMetricUnits = 1 };  // 1/1000 inch, 1/100 mm

// 1000 or 2540.
int GridUnitsPerInch(int unit);

// VALUE in units FROM as units TO: times 2.54065 from inches to millimetres, divided by it the
// other way, truncated.
int GridConvertUnits(int value, int from, int to);

// POINTS (1/72 inch) in UNIT, integer arithmetic.
int GridPointsToUnits(int points, int unit);

// The page of a print settings set, in its units: the paper, the margins from the paper's
// edges, the smallest margins the printer can print, and the orientation (1 portrait,
// 2 landscape).
struct GridPage {
    int paperWidth = 0, paperHeight = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
    int minLeft = 0, minTop = 0, minRight = 0, minBottom = 0;
    int unit = kGridInchUnits;
    int orientation = 1;
};

// Converts every length of PAGE into UNIT (nothing when it is in UNIT already).
void GridPageConvert(GridPage *page, int unit);

// A position or size in points (VALUE) applied to PAGE: item 3 the left margin, 4 the top
// margin, 1 the printed width (right margin = paper width - left margin - width), 2 the printed
// height likewise (neither margin below 0). Item 5 sets the orientation: VALUE 2 and 4
// landscape, 1 and 3 portrait; the paper turns when the orientation changes, and with 3 or 4
// the printed area turns too when its longer side does not lie along the paper's. Returns
// false for an item or orientation it does not know (PAGE unchanged).
bool GridPageSetPosSize(GridPage *page, int item, int value);

// The scale in percent that printing uses: SCALE, or 100 when SCALE is 0 or less.
int GridPrintScale(int scale);

// A screen length in printer pixels: LENGTH x printer dpi x scale / (screen dpi x 100).
int GridPrintScaled(int length, int printerDpi, int scale, int screenDpi);

// The printable area in printer pixels, relative to the printable origin of a device whose
// printable area starts OFFSETX, OFFSETY pixels from the paper's corner.
struct GridPrintArea {
    int left = 0, top = 0, right = 0, bottom = 0;
};
GridPrintArea GridPrintableArea(const GridPage &page, int dpiX, int dpiY, int offsetX, int offsetY);

// Rows on the first page of rows and on every later one: the area's height less the header
// (HEADERHEIGHT pixels, 0 without) on pages that show it, over the row height; at least one.
struct GridRowPaging {
    int firstPage = 1;
    int laterPages = 1;
};
GridRowPaging GridRowsPerPage(int areaHeight, int rowHeight, int headerHeight,
                              bool headerOnLaterPages);

// Rows FIRST..LAST in runs of whole pages: each element is the first and last row of a run.
struct GridRowRun {
    int first, last;
};
std::vector<GridRowRun> GridRowRuns(int first, int last, const GridRowPaging &paging);

// Columns of WIDTHS (printer pixels) placed across pages from x = START on the first page and
// LATERSTART on later ones up to RIGHT: a page takes the columns that fit, at least one, whose
// width is then cut to the page. Each page lists its first column (index into WIDTHS), the
// number of columns and their widths as placed.
struct GridColumnPage {
    int first = 0;
    std::vector<int> widths;
};
std::vector<GridColumnPage> GridColumnPages(const std::vector<int> &widths, int start,
                                            int laterStart, int right);

// Limits FIRST..LAST to 0..COUNT-1; false when nothing is left.
bool GridClampRange(int *first, int *last, int count);

}  // namespace quill

#endif
