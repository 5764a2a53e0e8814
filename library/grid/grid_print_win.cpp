// Grid printing: the two print settings sets, their page set-up, and printing a block of a grid
// as a table of column headers, row labels and cell texts in the grid's own font scaled to the
// printer, with colours and ruling lines as the set's switches ask, over as many pages as the
// rows and columns need.
#include "grid/grid_print.h"

#include <commctrl.h>
#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/fixedtext.h"
#include "core/commondialogs.h"
#include "core/dialogs.h"
#include "core/fields.h"
#include "core/startup.h"
#include "grid/grid_control.h"
#include "grid/grid_editor.h"
#include "grid/grid_print_layout.h"

using quill::GridPage;

namespace {

enum Switch {
    kHorizontalLines,
    kVerticalLines,
    kRepeatHeader,
    kTextColours,
    kBackColours,
    kSwitches
};

struct GridPrintSet {
    HGLOBAL devMode = nullptr;
    HGLOBAL devNames = nullptr;
    GridPage page;
    int scale = 100;
    int switches[kSwitches] = {1, 1, 1, 0, 0};
};

GridPrintSet gSets[2];

GridPrintSet &SetOf(const int *iset) { return iset && *iset != 1 ? gSets[1] : gSets[0]; }

// A device context (INFO: an information context) of the set's printer, or null.
HDC PrinterContext(const GridPrintSet &set, bool info) {
    quill::DeviceNames names;
    if (!quill::ReadDeviceNames(set.devNames, &names)) return nullptr;
    auto *mode = set.devMode ? static_cast<DEVMODEA *>(GlobalLock(set.devMode)) : nullptr;
    const char *driver = names.driver.c_str(), *device = names.device.c_str();
    HDC dc =
        info ? CreateICA(driver, device, nullptr, mode) : CreateDCA(driver, device, nullptr, mode);
    if (mode) GlobalUnlock(set.devMode);
    return dc;
}

// The orientation of the set's device mode: 1 portrait, 2 landscape.
int DeviceOrientation(const GridPrintSet &set) {
    int orientation = 1;
    if (auto *mode = set.devMode ? static_cast<DEVMODEA *>(GlobalLock(set.devMode)) : nullptr) {
        if ((mode->dmFields & DM_ORIENTATION) && mode->dmOrientation == DMORIENT_LANDSCAPE)
            orientation = 2;
        GlobalUnlock(set.devMode);
    }
    return orientation;
}

void SetDeviceOrientation(const GridPrintSet &set, int orientation) {
    if (auto *mode = set.devMode ? static_cast<DEVMODEA *>(GlobalLock(set.devMode)) : nullptr) {
        mode->dmFields |= DM_ORIENTATION;
        mode->dmOrientation = orientation == 2 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        GlobalUnlock(set.devMode);
    }
}

// Printer pixels in the set's units, by the pixels per inch.
int PixelsToUnits(int pixels, int dpi, int unit) {
    return dpi > 0 ? static_cast<int>(static_cast<long long>(pixels) *
                                      quill::GridUnitsPerInch(unit) / dpi)
                   : 0;
}

// The smallest margins of the set's printer: its physical offsets, and what the printable area
// leaves of the physical page on the right and at the bottom.
void MinimumMargins(GridPrintSet *set) {
    HDC dc = PrinterContext(*set, true);
    if (!dc) return;
    int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    int offX = GetDeviceCaps(dc, PHYSICALOFFSETX), offY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    int right = GetDeviceCaps(dc, PHYSICALWIDTH) - GetDeviceCaps(dc, HORZRES) - offX;
    int bottom = GetDeviceCaps(dc, PHYSICALHEIGHT) - GetDeviceCaps(dc, VERTRES) - offY;
    GridPage &page = set->page;
    page.minLeft = PixelsToUnits(offX, dpiX, page.unit);
    page.minTop = PixelsToUnits(offY, dpiY, page.unit);
    page.minRight = PixelsToUnits(std::max(0, right), dpiX, page.unit);
    page.minBottom = PixelsToUnits(std::max(0, bottom), dpiY, page.unit);
    DeleteDC(dc);
}

// Fills the set from the default printer without showing anything; false without a printer.
bool LoadDefaults(GridPrintSet *set) {
    // Without a printer the return-default request would show the system's own error box.
    if (!quill::HaveDefaultPrinter()) return false;
    PAGESETUPDLGA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = wWindow[0];
    request.hInstance = GetModuleHandleA(nullptr);
    request.Flags = PSD_RETURNDEFAULT;
    if (!PageSetupDlgA(&request)) return false;
    quill::ReplaceGlobal(&set->devMode, request.hDevMode);
    quill::ReplaceGlobal(&set->devNames, request.hDevNames);
    GridPage &page = set->page;
    page.unit = (request.Flags & PSD_INHUNDREDTHSOFMILLIMETERS) ? quill::kGridMetricUnits
                                                                : quill::kGridInchUnits;
    page.paperWidth = request.ptPaperSize.x;
    page.paperHeight = request.ptPaperSize.y;
    page.orientation = DeviceOrientation(*set);
    MinimumMargins(set);
    // The request gives no margins: an inch all round, as the page set-up dialog offers when
    // it is given none, or what the printer cannot print when that is more.
    int inch = quill::GridUnitsPerInch(page.unit);
    page.left = std::max(inch, page.minLeft);
    page.top = std::max(inch, page.minTop);
    page.right = std::max(inch, page.minRight);
    page.bottom = std::max(inch, page.minBottom);
    return true;
}

// The printer's number of colours: 2 when its driver says it is no colour device, else what
// its device context reports (-1: more than a palette holds). A driver may report a true-colour
// context for a printer that prints only black.
int PrinterColours(const GridPrintSet &set) {
    int colours = 2;
    quill::DeviceNames names;
    if (quill::ReadDeviceNames(set.devNames, &names)) {
        int colour = DeviceCapabilitiesA(names.device.c_str(), names.port.c_str(), DC_COLORDEVICE,
                                         nullptr, nullptr);
        if (colour == 0) return 2;
    }
    if (HDC dc = PrinterContext(set, true)) {
        colours = GetDeviceCaps(dc, NUMCOLORS);
        DeleteDC(dc);
    }
    return colours;
}

// --- Printing ---------------------------------------------------------------------------------

// One print run: the printer context, the fonts and metrics, and what the set asks for.
struct GridPrintJob {
    HDC dc = nullptr;
    HWND window = nullptr;
    GridRecord *grid = nullptr;
    const GridPrintSet *set = nullptr;
    HFONT font = nullptr, symbol = nullptr;
    HPEN pen = nullptr;
    int scale = 100;
    int screenDpiX = 96;
    int dpiX = 300;
    int charHeight = 1, average = 1;
    int rowHeight = 1, textDy = 0, headerHeight = 0;
    bool lines[2] = {};
    bool repeat = false, textColours = false, backColours = false;
    bool hasHeader = false, hasLabels = false;
    quill::GridPrintArea area;
};

bool On(const GridPrintSet &set, Switch which) { return set.switches[which] != 0; }

// The printer font like the grid's screen font: its character height scaled from the screen to
// the printer, with FACE and CHARSET when given.
HFONT PrinterFont(const LOGFONTA &screen, int height, const char *face, BYTE charset) {
    LOGFONTA font = screen;
    font.lfHeight = -std::max(1, height);
    font.lfWidth = 0;
    font.lfEscapement = font.lfOrientation = 0;
    font.lfOutPrecision = OUT_TT_PRECIS;
    if (face) {
        lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
        font.lfCharSet = charset;
    }
    return CreateFontIndirectA(&font);
}

// Fonts and metrics of the job from the grid's screen font.
bool MakeFonts(GridPrintJob *job) {
    HFONT screenFont = job->grid->hFont
                           ? job->grid->hFont
                           : reinterpret_cast<HFONT>(SendMessageA(job->window, WM_GETFONT, 0, 0));
    if (!screenFont) screenFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA logical = {};
    GetObjectA(screenFont, sizeof logical, &logical);
    HDC screen = GetDC(job->window);
    HGDIOBJ old = SelectObject(screen, screenFont);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, old);
    job->screenDpiX = GetDeviceCaps(screen, LOGPIXELSX);
    int screenDpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(job->window, screen);

    int dpiY = GetDeviceCaps(job->dc, LOGPIXELSY);
    int height = quill::GridPrintScaled(metrics.tmHeight - metrics.tmInternalLeading, dpiY,
                                        job->scale, screenDpiY);
    job->font = PrinterFont(logical, height, nullptr, 0);
    job->symbol = PrinterFont(logical, height, "Wingdings", SYMBOL_CHARSET);
    if (!job->font || !job->symbol) return false;
    SelectObject(job->dc, job->font);
    TEXTMETRICA printer = {};
    GetTextMetricsA(job->dc, &printer);
    job->charHeight = std::max(1, static_cast<int>(printer.tmHeight));
    job->average = std::max(1, static_cast<int>(printer.tmAveCharWidth));
    return true;
}

int TextWidth(HDC dc, HFONT font, const std::string &text) {
    if (text.empty()) return 0;
    SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// The header text of column C (its header item).
std::string HeaderText(const GridRecord *grid, int c) {
    if (!grid->hHeader) return std::string();
    char text[256] = "";
    HDITEMA item = {};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (!SendMessageA(grid->hHeader, HDM_GETITEMA, static_cast<WPARAM>(c + 1),
                      reinterpret_cast<LPARAM>(&item)))
        return std::string();
    return text;
}

std::string RowLabel(const GridRecord *grid, int row) {
    if (!grid->pRowLabelText || row < 0 || row >= grid->nLabelRows) return std::string();
    return std::string(grid->pRowLabelText + static_cast<std::size_t>(row) * 51);
}

// Alignment of a column's texts: TA_LEFT, TA_CENTER or TA_RIGHT.
UINT ColumnAlignment(const GridRecord *grid, int c) {
    int type = grid->pColumns[c].iType;
    if (type == kGridCheck) return TA_CENTER;
    if (type == kGridMenu) return TA_LEFT;
    LONG style = GetWindowLongA(quill::GridFirstCell(grid, c), GWL_STYLE);
    if (style & ES_RIGHT) return TA_RIGHT;
    if (style & ES_CENTER) return TA_CENTER;
    return TA_LEFT;
}

COLORREF RecordColour(HWND window, bool back) {
    FieldRecord *record = quill::FieldRecordOf(window);
    if (!record) return QUILL_DEFAULT_COLOUR;
    return back ? record->background : record->foreground;
}

// A cell's colour: its own, else its column's, else the grid's; default when none is set.
COLORREF CellColour(const GridPrintJob &job, int c, int row, bool back) {
    const GridColumn &col = job.grid->pColumns[c];
    COLORREF colour = QUILL_DEFAULT_COLOUR;
    if (col.pColours) {
        // Made from the column's colours, so the row's record holds both.
        const GridColour &own = col.pColours[row];
        if (own.flags & (back ? 2 : 1)) {
            const unsigned char *rgb = back ? own.back : own.fore;
            colour = RGB(rgb[0], rgb[1], rgb[2]);
        }
    } else {
        colour = RecordColour(quill::GridFirstCell(job.grid, c), back);
    }
    if (colour == QUILL_DEFAULT_COLOUR) colour = RecordColour(job.window, back);
    return colour;
}

// The texts of one run of rows: texts[c][r] of column FIRSTCOLUMN + c and row FIRSTROW + r.
using RunTexts = std::vector<std::vector<std::string>>;

RunTexts CollectTexts(const GridPrintJob &job, int firstRow, int lastRow, int firstColumn,
                      int lastColumn) {
    RunTexts texts(static_cast<std::size_t>(lastColumn - firstColumn + 1));
    for (int c = firstColumn; c <= lastColumn; ++c) {
        auto &column = texts[static_cast<std::size_t>(c - firstColumn)];
        for (int r = firstRow; r <= lastRow; ++r)
            column.push_back(yyGridGetString(job.window, c, r, 1));
    }
    return texts;
}

// A column's printed width: its screen width scaled, enlarged to its longest text + an average
// character.
int ColumnWidth(const GridPrintJob &job, int c, const std::vector<std::string> &texts) {
    int width =
        quill::GridPrintScaled(job.grid->pColumns[c].iWidth, job.dpiX, job.scale, job.screenDpiX);
    HFONT font = job.grid->pColumns[c].iType == kGridCheck ? job.symbol : job.font;
    for (const std::string &text : texts)
        width = std::max(width, TextWidth(job.dc, font, text) + job.average);
    return width;
}

// Draws one cell's text (and background) into the cell at X, Y of width W.
void DrawCell(const GridPrintJob &job, int c, int row, int x, int y, int w,
              const std::string &text) {
    RECT cell = {x + 1, y + 1, x + w, y + job.rowHeight};
    if (job.backColours) {
        COLORREF back = CellColour(job, c, row, true);
        if (back != QUILL_DEFAULT_COLOUR) {
            HBRUSH brush = CreateSolidBrush(back);
            FillRect(job.dc, &cell, brush);
            DeleteObject(brush);
        }
    }
    if (text.empty()) return;
    COLORREF fore = job.textColours ? CellColour(job, c, row, false) : QUILL_DEFAULT_COLOUR;
    SetTextColor(job.dc, fore == QUILL_DEFAULT_COLOUR ? RGB(0, 0, 0) : fore);
    SelectObject(job.dc, job.grid->pColumns[c].iType == kGridCheck ? job.symbol : job.font);
    UINT align = ColumnAlignment(job.grid, c);
    SetTextAlign(job.dc, align | TA_TOP | TA_NOUPDATECP);
    int tx = align == TA_RIGHT    ? x + w - job.average / 2
             : align == TA_CENTER ? x + w / 2
                                  : x + job.average / 2;
    ExtTextOutA(job.dc, tx, y + job.textDy, ETO_CLIPPED, &cell, text.data(),
                static_cast<UINT>(text.size()), nullptr);
}

// The row labels of rows FIRST..LAST in the label column at X, the rows from Y down; returns the
// column's width: the grid's label width scaled, enlarged to the longest label + an average
// character. DRAW false only measures.
int yyGridPrintRowLabels(GridPrintJob &job, int first, int last, int x, int y, bool draw) {
    int width =
        quill::GridPrintScaled(job.grid->iRowLabelWidth, job.dpiX, job.scale, job.screenDpiX);
    for (int r = first; r <= last; ++r)
        width = std::max(width, TextWidth(job.dc, job.font, RowLabel(job.grid, r)) + job.average);
    if (!draw) return width;
    SelectObject(job.dc, job.font);
    SetTextColor(job.dc, RGB(0, 0, 0));
    SetTextAlign(job.dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    for (int r = first; r <= last; ++r) {
        std::string label = RowLabel(job.grid, r);
        int top = y + (r - first) * job.rowHeight;
        RECT cell = {x + 1, top + 1, x + width, top + job.rowHeight};
        if (!label.empty())
            ExtTextOutA(job.dc, x + job.average / 2, top + job.textDy, ETO_CLIPPED, &cell,
                        label.data(), static_cast<UINT>(label.size()), nullptr);
    }
    return width;
}

// One page of a run: the row labels when shown, the header when shown, the columns of the page
// with their texts, and the lines.
bool PrintPage(GridPrintJob &job, const quill::GridRowRun &run, bool firstRun, bool labels,
               int labelWidth, int firstColumn, const quill::GridColumnPage &columns,
               const RunTexts &texts) {
    if (StartPage(job.dc) <= 0) return false;
    SelectObject(job.dc, job.pen);
    SetBkMode(job.dc, TRANSPARENT);
    bool header = job.hasHeader && (job.repeat || firstRun);
    int tableTop = job.area.top;
    int rowsTop = tableTop + (header ? job.headerHeight : 0);
    int rows = run.last - run.first + 1;
    int tableBottom = rowsTop + rows * job.rowHeight;
    int x = job.area.left;
    int tableLeft = x;
    Line(job.dc, x, tableTop, x, tableBottom);
    if (labels) {
        yyGridPrintRowLabels(job, run.first, run.last, x, rowsTop, true);
        x += labelWidth;
        Line(job.dc, x, tableTop, x, tableBottom);
    }
    int n = static_cast<int>(columns.widths.size());
    for (int i = 0; i < n; ++i) {
        int c = firstColumn + columns.first + i, w = columns.widths[static_cast<std::size_t>(i)];
        const auto &columnTexts = texts[static_cast<std::size_t>(columns.first + i)];
        if (header) {
            std::string title = HeaderText(job.grid, c);
            if (!title.empty()) {
                SelectObject(job.dc, job.font);
                SetTextColor(job.dc, RGB(0, 0, 0));
                SetTextAlign(job.dc, TA_CENTER | TA_TOP | TA_NOUPDATECP);
                RECT cell = {x + 1, tableTop + 1, x + w, rowsTop};
                ExtTextOutA(job.dc, x + w / 2, tableTop + job.textDy, ETO_CLIPPED, &cell,
                            title.data(), static_cast<UINT>(title.size()), nullptr);
            }
        }
        for (int r = 0; r < rows; ++r)
            DrawCell(job, c, run.first + r, x, rowsTop + r * job.rowHeight, w,
                     columnTexts[static_cast<std::size_t>(r)]);
        x += w;
        if (job.lines[1] || i == n - 1) {
            SelectObject(job.dc, job.pen);
            Line(job.dc, x, tableTop, x, tableBottom);
        }
    }
    SelectObject(job.dc, job.pen);
    if (job.lines[0]) {
        if (header) Line(job.dc, tableLeft, tableTop, x + 1, tableTop);
        for (int r = 0; r <= rows; ++r)
            Line(job.dc, tableLeft, rowsTop + r * job.rowHeight, x + 1,
                 rowsTop + r * job.rowHeight);
    } else {
        Line(job.dc, tableLeft, tableBottom, x + 1, tableBottom);
    }
    return EndPage(job.dc) > 0;
}

// Every page of the job: the runs of rows, each over as many pages as its columns need.
bool PrintPages(GridPrintJob &job, int row1, int row2, int col1, int col2) {
    int areaHeight = job.area.bottom - job.area.top;
    quill::GridRowPaging paging = quill::GridRowsPerPage(
        areaHeight, job.rowHeight, job.hasHeader ? job.headerHeight : 0, job.repeat);
    bool firstRun = true;
    for (const quill::GridRowRun &run : quill::GridRowRuns(row1, row2, paging)) {
        RunTexts texts = CollectTexts(job, run.first, run.last, col1, col2);
        std::vector<int> widths;
        for (int c = col1; c <= col2; ++c)
            widths.push_back(ColumnWidth(job, c, texts[static_cast<std::size_t>(c - col1)]));
        int labelWidth =
            job.hasLabels ? yyGridPrintRowLabels(job, run.first, run.last, 0, 0, false) : 0;
        int start = job.area.left + labelWidth;
        int laterStart = job.area.left + (job.repeat ? labelWidth : 0);
        bool firstPage = true;
        for (const quill::GridColumnPage &page :
             quill::GridColumnPages(widths, start, laterStart, job.area.right)) {
            bool labels = job.hasLabels && (firstPage || job.repeat);
            if (!PrintPage(job, run, firstRun, labels, labelWidth, col1, page, texts)) return false;
            firstPage = false;
        }
        firstRun = false;
    }
    return true;
}

// The name of the printed document.
std::string DocumentName(const char *title, int title_len) {
    std::string name = title ? quill::TextUpToNul(title, title_len) : std::string();
    if (name.find_first_not_of(' ') == std::string::npos) return "Untitled Grid";
    return name.substr(0, name.find_last_not_of(' ') + 1);
}

}  // namespace

void yyGridPrintInit() {
    if (bGridPrintInit) return;
    bGridPrintInit = 1;
    for (GridPrintSet &set : gSets) {
        set = GridPrintSet();
        if (LoadDefaults(&set)) {
            int colour = PrinterColours(set) != 2 ? 1 : 0;
            set.switches[kTextColours] = set.switches[kBackColours] = colour;
        }
    }
}

void yygridprintsetup_(const int *iunits, const int *iset) {
    yyGridPrintInit();
    GridPrintSet &set = SetOf(iset);
    // With no printer installed the dialog would only show the system's own error box.
    if (!quill::HaveDefaultPrinter() || (!set.devNames && !LoadDefaults(&set))) return;
    int units = iunits ? *iunits : -1;
    int unit;
    if (units == -1) {
        int measure = 1;
        yygetmeasure_(&measure);
        unit = measure == 1 ? quill::kGridInchUnits : quill::kGridMetricUnits;
    } else {
        unit = units < 2 ? quill::kGridInchUnits : quill::kGridMetricUnits;
    }
    quill::GridPageConvert(&set.page, unit);

    PAGESETUPDLGA request = {};
    request.lStructSize = sizeof request;
    request.hDevMode = set.devMode;
    request.hDevNames = set.devNames;
    request.Flags = PSD_MARGINS | (unit == quill::kGridMetricUnits ? PSD_INHUNDREDTHSOFMILLIMETERS
                                                                   : PSD_INTHOUSANDTHSOFINCHES);
    request.ptPaperSize = {set.page.paperWidth, set.page.paperHeight};
    request.rtMargin = {set.page.left, set.page.top, set.page.right, set.page.bottom};
    request.rtMinMargin = {set.page.minLeft, set.page.minTop, set.page.minRight,
                           set.page.minBottom};
    ModalFrame frame;
    quill::BeginModalBox(&frame);
    request.hwndOwner = frame.owner;
    BOOL ok = PageSetupDlgA(&request);
    quill::EndModalBox(&frame);
    // The dialog may have replaced the handles it was given.
    set.devMode = request.hDevMode;
    set.devNames = request.hDevNames;
    if (!ok) return;
    GridPage &page = set.page;
    page.paperWidth = request.ptPaperSize.x;
    page.paperHeight = request.ptPaperSize.y;
    page.left = request.rtMargin.left;
    page.top = request.rtMargin.top;
    page.right = request.rtMargin.right;
    page.bottom = request.rtMargin.bottom;
    page.orientation = DeviceOrientation(set);
    MinimumMargins(&set);
}

void yygridprintgetopt_(int *ihlines, int *ivlines, int *irepeat, int *icolour, int *iback,
                        int *iscale, const int *iset) {
    yyGridPrintInit();
    const GridPrintSet &set = SetOf(iset);
    int *out[kSwitches] = {ihlines, ivlines, irepeat, icolour, iback};
    for (int i = 0; i < kSwitches; ++i)
        if (out[i]) *out[i] = set.switches[i] ? 1 : 0;
    if (iscale) *iscale = set.scale;
}

void yygridprintsetopt_(const int *ihlines, const int *ivlines, const int *irepeat,
                        const int *icolour, const int *iback, const int *iscale, const int *iset) {
    yyGridPrintInit();
    GridPrintSet &set = SetOf(iset);
    const int *in[kSwitches] = {ihlines, ivlines, irepeat, icolour, iback};
    for (int i = 0; i < kSwitches; ++i)
        if (in[i]) set.switches[i] = *in[i] == 1 ? 1 : 0;
    if (iscale) set.scale = *iscale;
}

void yygridprintsetpossize_(const int *item, const int *ivalue, const int *iset) {
    yyGridPrintInit();
    if (!item || !ivalue) return;
    GridPrintSet &set = SetOf(iset);
    int before = set.page.orientation;
    if (quill::GridPageSetPosSize(&set.page, *item, *ivalue) && set.page.orientation != before)
        SetDeviceOrientation(set, set.page.orientation);
}

void yygridprint_(const int *igrid, int *iok, const int *irow1, const int *irow2, const int *icol1,
                  const int *icol2, const int *iset, const char *title, int title_len) {
    *iok = 0;
    yyGridPrintInit();
    GridPrintSet &set = SetOf(iset);
    int id = igrid ? *igrid : 0;
    HWND window = quill::GridWindowOfField(&id);
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid || !grid->pColumns) return;
    int row1 = irow1 ? *irow1 : 0, row2 = irow2 ? *irow2 : grid->nRows - 1;
    int col1 = icol1 ? *icol1 : 0, col2 = icol2 ? *icol2 : grid->nColumns - 1;
    // Nothing to print is no print job.
    if (!quill::GridClampRange(&row1, &row2, grid->nRows) ||
        !quill::GridClampRange(&col1, &col2, grid->nColumns))
        return;
    // Set 2 names the document by the title the current grid editor window kept.
    std::string name = DocumentName(title, title_len);
    if (iset && *iset == 2) {
        const int slot = yygetwindowindex(hWinCur);
        if (const GridWindowRecord *editor =
                slot >= 0 ? quill::GridWindowRecordOf(wWindow[slot]) : nullptr)
            name = DocumentName(editor->title, static_cast<int>(std::strlen(editor->title)));
    }

    // A set made while no printer was installed takes the default printer now.
    if (!set.devNames) LoadDefaults(&set);
    GridPrintJob job;
    job.dc = PrinterContext(set, false);
    if (!job.dc) return;
    job.window = window;
    job.grid = grid;
    job.set = &set;
    job.scale = quill::GridPrintScale(set.scale);
    job.dpiX = GetDeviceCaps(job.dc, LOGPIXELSX);
    job.lines[0] = On(set, kHorizontalLines);
    job.lines[1] = On(set, kVerticalLines);
    job.repeat = On(set, kRepeatHeader);
    job.textColours = On(set, kTextColours);
    job.backColours = On(set, kBackColours);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    job.hasHeader = (style & kGridHeader) != 0;
    job.hasLabels = (style & kGridRowLabels) != 0;
    bool printed = false;
    HGDIOBJ oldFont = GetCurrentObject(job.dc, OBJ_FONT),
            oldPen = GetCurrentObject(job.dc, OBJ_PEN);
    if (MakeFonts(&job)) {
        job.rowHeight = job.lines[0] ? job.charHeight * 3 / 2 : job.charHeight;
        job.textDy = job.lines[0] ? job.charHeight / 4 : 0;
        job.headerHeight = job.charHeight * 3 / 2;
        job.pen = CreatePen(PS_SOLID, std::max(1, job.dpiX / 150), RGB(0, 0, 0));
        job.area = quill::GridPrintableArea(set.page, job.dpiX, GetDeviceCaps(job.dc, LOGPIXELSY),
                                            GetDeviceCaps(job.dc, PHYSICALOFFSETX),
                                            GetDeviceCaps(job.dc, PHYSICALOFFSETY));
        DOCINFOA document = {};
        document.cbSize = sizeof document;
        document.lpszDocName = name.c_str();
        if (job.pen && StartDocA(job.dc, &document) > 0) {
            if (PrintPages(job, row1, row2, col1, col2))
                printed = EndDoc(job.dc) > 0;
            else
                AbortDoc(job.dc);
        }
    }
    SelectObject(job.dc, oldFont);
    SelectObject(job.dc, oldPen);
    if (job.font) DeleteObject(job.font);
    if (job.symbol) DeleteObject(job.symbol);
    if (job.pen) DeleteObject(job.pen);
    DeleteDC(job.dc);
    *iok = printed ? 1 : 0;
}
