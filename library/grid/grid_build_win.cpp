// Building a grid: the window classes, the grid record made at creation and freed at
// destruction, the [Grids] entry, the columns taken from the row template dialog, the row
// labels, the layout, and the copy of a grid into another instance of its dialog.
#include <windows.h>
#include <commctrl.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/strings.h"
#include "core/dialogs.h"
#include "core/fields.h"
#include "core/numeric_edit.h"
#include "core/startup.h"
#include "grid/grid_control.h"

ATOM atomGrid, atomGridClient;
UINT GM_CELLCHANGE;
int bGridPrintInit, bNotFromGrid, bClear, bGridDeferPaint;

namespace {

// Largest buffer a column may take; larger sizes count as overflowing.
constexpr unsigned long long kMaxBuffer = 1ull << 31;
// Text of a check-box cell.
const char kCheckText[] = "                             ";

HWND RootWindow() { return wWindow[0]; }

// Cell type of a template control, -1 for a kind no column can take.
int CellTypeOf(HWND control) {
    ATOM atom = quill::WindowClassAtom(control);
    if (!atom) return -1;
    if (atom == atomEdit) return kGridString;
    switch (quill::NumericClassKind(control)) {
    case kFieldInteger: return kGridInteger;
    case kFieldReal: return kGridReal;
    case kFieldDouble: return kGridDouble;
    default: break;
    }
    if (atom == atomButton) {
        LONG kind = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
        return kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX ? kGridCheck : -1;
    }
    if (atom == atomCombo) return kGridMenu;
    return -1;
}

// The next control of a template that is a column: up-down buddies are passed over.
HWND NextTemplateControl(HWND control, bool first) {
    HWND c = first ? control : GetWindow(control, GW_HWNDNEXT);
    while (c && quill::WindowClassAtom(c) == atomUpDown) c = GetWindow(c, GW_HWNDNEXT);
    return c;
}

HWND TemplateControlAt(HWND templ, int position) {
    HWND c = NextTemplateControl(GetWindow(templ, GW_CHILD), true);
    for (int i = 1; c && i < position; ++i) c = NextTemplateControl(c, false);
    return position >= 1 ? c : nullptr;
}

void SetProc(HWND window, WNDPROC procedure) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

// Subclasses a cell control (and its up-down buddy) for the grid.
void SubclassCell(HWND cell) {
    FieldRecord *record = quill::FieldRecordOf(cell);
    if (!record) return;
    record->oldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(cell, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(yygridcellwndproc)));
    if (record->upDown) {
        WNDPROC old = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            record->upDown, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(yygridspinwndproc)));
        SetWindowLongPtrA(record->upDown, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(old));
    }
}

void InsertHeaderItem(HWND header, int index, int width, const char *text, int format) {
    HDITEMA item = {};
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
    item.cxy = width;
    item.pszText = const_cast<char *>(text);
    item.fmt = format | HDF_STRING;
    SendMessageA(header, HDM_INSERTITEMA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
}

HWND CreateHeader(HWND grid, int x, int y, int width, int height, int id, HFONT font) {
    HWND header = CreateWindowExA(
        WS_EX_NOPARENTNOTIFY, WC_HEADERA, "", WS_CHILD | WS_VISIBLE | HDS_BUTTONS, x, y, width,
        height, grid, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), wInstance, nullptr);
    if (!header) return nullptr;
    quill::SubclassGridHeader(header);
    if (font) SendMessageA(header, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return header;
}

int PaneWidth(const GridRecord *grid) {
    RECT r = {0, 0, 0, 0};
    if (grid->hPane) GetClientRect(grid->hPane, &r);
    return r.right;
}

// Window height of a grid that shows whole rows.
int WholeRowsHeight(const GridRecord *grid, LONG style) {
    return (grid->iRowHeight - 1) * grid->nVisibleRows + grid->iFrameHeight + 1 +
           ((style & kGridHeader) ? 2 : 0);
}

void FitHeight(HWND grid, GridRecord *record) {
    RECT r;
    GetWindowRect(grid, &r);
    SetWindowPos(grid, nullptr, 0, 0, r.right - r.left,
                 WholeRowsHeight(record, GetWindowLongA(grid, GWL_STYLE)),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int MappedRowHeight(HWND window) {
    RECT r = {0, 0, 1, 13};
    YYMapDialogRect(window, &r);
    return r.bottom - r.top;
}

// Fills a new cell's field record from the template field (or the column's first cell).
void FillCellRecord(FieldRecord *to, const FieldRecord *from, int maxLength) {
    if (!to || !from) return;
    to->value = from->value;
    to->minimum = from->minimum;
    to->maximum = from->maximum;
    to->step = from->step;
    to->page = from->page;
    to->maxLength = maxLength;
    to->foreground = QUILL_DEFAULT_COLOUR;
    to->background = QUILL_DEFAULT_COLOUR;
    std::free(to->format);
    to->format = quill::DuplicateText(from->format);
    to->hasText = 0;
}

// Copies the up-down range and acceleration of one spin cell to another.
void CopySpin(HWND to, HWND from) {
    if (!to || !from) return;
    int low = 0, high = 0;
    SendMessageA(from, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    SendMessageA(to, UDM_SETRANGE32, static_cast<WPARAM>(low), high);
    UDACCEL accel[2] = {};
    int n = static_cast<int>(SendMessageA(from, UDM_GETACCEL, 2, reinterpret_cast<LPARAM>(accel)));
    if (n > 2) n = 2;
    if (n > 0)
        SendMessageA(to, UDM_SETACCEL, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(accel));
}

void CopyOptions(HWND to, HWND from, int firstOption) {
    SendMessageA(to, CB_RESETCONTENT, 0, 0);
    int n = static_cast<int>(SendMessageA(from, CB_GETCOUNT, 0, 0));
    for (int i = firstOption; i < n; ++i) {
        int length =
            static_cast<int>(SendMessageA(from, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0));
        std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
        SendMessageA(from, CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text.data()));
        SendMessageA(to, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.data()));
    }
}

// The dropped height of a combo box.
int DroppedHeight(HWND combo) {
    RECT r = {0, 0, 0, 0};
    SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r.bottom - r.top;
}

// Creates the cell control of column C in control row I, modelled on FROM (a template
// control or the column's first cell). Null on failure.
HWND CreateCell(GridRecord *grid, int c, int i, const char *className, LONG style, LONG exStyle,
                int x, int height, HWND from, const FieldRecord *model, bool fromTemplate) {
    GridColumn &column = grid->pColumns[c];
    const char *text = column.iType == kGridCheck ? kCheckText : "";
    HWND cell = CreateWindowExA(
        exStyle | WS_EX_NOPARENTNOTIFY, className, text, (style & ~WS_VISIBLE) | WS_CHILD, x,
        i * (grid->iRowHeight - 1), column.iWidth, height, grid->hPane,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)), wInstance, nullptr);
    if (!cell) return nullptr;
    SendMessageA(cell, WM_SETFONT, reinterpret_cast<WPARAM>(grid->hFont), FALSE);
    FieldRecord *record = quill::FieldRecordOf(cell);
    if (!record) {
        record = quill::NewFieldRecord();
        if (!record) {
            DestroyWindow(cell);
            return nullptr;
        }
        SetWindowLongPtrA(cell, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    }
    if (column.iType == kGridString)
        SendMessageA(cell, EM_LIMITTEXT, static_cast<WPARAM>(column.iLength), 0);
    if (column.iType == kGridInteger) SendMessageA(cell, EM_LIMITTEXT, 11, 0);
    FillCellRecord(record, model,
                   column.iType <= kGridInteger ? column.iLength : record->maxLength);
    if (!fromTemplate && model) {
        record->foreground = model->foreground;
        record->background = model->background;
    }
    if (record->upDown && model && model->upDown) CopySpin(record->upDown, model->upDown);
    if (column.iType == kGridMenu && from) {
        CopyOptions(cell, from, fromTemplate ? 1 : 0);
        SendMessageA(cell, CB_SETCURSEL, SendMessageA(from, CB_GETCURSEL, 0, 0), 0);
    }
    SubclassCell(cell);
    if (i < grid->nRows) {
        ShowWindow(cell, SW_SHOWNA);
    } else if (record->upDown) {
        ShowWindow(record->upDown, SW_HIDE);
    }
    return cell;
}

// Restores a cell's procedures and destroys it with its up-down buddy.
void DestroyCell(HWND cell) {
    if (!cell) return;
    FieldRecord *record = quill::FieldRecordOf(cell);
    if (record && record->upDown) {
        WNDPROC old = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(record->upDown, GWLP_USERDATA));
        if (old) SetProc(record->upDown, old);
        DestroyWindow(record->upDown);
        record->upDown = nullptr;
    }
    if (record && record->oldProc) SetProc(cell, record->oldProc);
    if (record && quill::NumericClassKind(cell) == 0) {
        SetWindowLongPtrA(cell, GWLP_USERDATA, 0);
        quill::FreeFieldRecord(record);
    }
    DestroyWindow(cell);
}

void FreeColumns(GridRecord *grid) {
    if (grid->pColumns && !grid->bShared) {
        for (int c = 0; c < grid->nColumns; ++c) {
            std::free(grid->pColumns[c].pValues);
            std::free(grid->pColumns[c].pFlags);
            std::free(grid->pColumns[c].pColours);
        }
        std::free(grid->pColumns);
    }
    grid->pColumns = nullptr;
}

// Builds one column from its template control; false on any failure.
bool BuildColumn(HWND window, GridRecord *grid, int c, HWND control, int *x) {
    LONG gridStyle = GetWindowLongA(window, GWL_STYLE);
    int type = CellTypeOf(control);
    if (type < 0) return false;
    GridColumn &column = grid->pColumns[c];
    column.iType = type;
    char className[18] = {0};
    GetClassNameA(control, className, sizeof className);
    LONG style = (GetWindowLongA(control, GWL_STYLE) | WS_BORDER) & ~WS_DISABLED;
    style |= gridStyle & WS_DISABLED;
    RECT r;
    GetWindowRect(control, &r);
    FieldRecord *model = quill::FieldRecordOf(control);
    if (model && model->upDown) {
        RECT u;
        GetWindowRect(model->upDown, &u);
        if (u.right > r.right) r.right = u.right;
    }
    column.iWidth = r.right - r.left;
    int paneWidth = PaneWidth(grid);
    if (paneWidth > 0 && column.iWidth > paneWidth) column.iWidth = paneWidth;
    if (column.iWidth < 2) column.iWidth = 2;

    if (type == kGridString) {
        column.iLength = model && model->maxLength > 0 ? model->maxLength : 1024;
        if (model && model->maxLength <= 0) model->maxLength = 1024;
        if (column.iLength == 0x7FFF || column.iLength == 0xFFFF) {
            // An edit without a [Lengths] entry carries the edit control's own limit.
            column.iLength = 1024;
            if (model) model->maxLength = 1024;
        }
    } else if (type == kGridInteger) {
        column.iLength = 11;
        if (model) model->maxLength = 11;
    } else {
        column.iLength = 0;
    }
    column.iBytes = type == kGridString ? column.iLength + 1 : type == kGridDouble ? 8 : 4;

    unsigned long long bytes = static_cast<unsigned long long>(column.iBytes) *
                               static_cast<unsigned long long>(grid->nStoredRows);
    if (bytes > kMaxBuffer) return false;
    // Zero-filled: empty texts, no numbers, unchecked, and every menu cell on its first option
    // (the option that the cell controls start with).
    column.pValues =
        static_cast<unsigned char *>(std::calloc(static_cast<std::size_t>(bytes) + 1, 1));
    column.pFlags = static_cast<unsigned char *>(
        std::calloc(static_cast<std::size_t>(grid->nStoredRows) + 1, 1));
    if (!column.pValues || !column.pFlags) return false;

    int height = grid->iRowHeight;
    if (gridStyle & kGridReadOnly) {
        if (type <= kGridDouble) {
            std::memset(column.pFlags, kCellReadOnly, static_cast<std::size_t>(grid->nStoredRows));
            style |= ES_READONLY;
        } else if (type == kGridCheck) {
            style = (style & ~BS_TYPEMASK) | BS_CHECKBOX;
        }
    }
    if (type == kGridString) style |= ES_MULTILINE;
    if (type == kGridMenu) {
        style = (style & ~0x3) | CBS_DROPDOWNLIST | WS_VSCROLL;
        height = DroppedHeight(control);
        if (height < grid->iRowHeight) height = grid->iRowHeight * 6;
    }
    LONG exStyle = GetWindowLongA(control, GWL_EXSTYLE);
    for (int i = 0; i < grid->nControlRows; ++i) {
        HWND cell =
            CreateCell(grid, c, i, className, style, exStyle, *x - c, height, control, model, true);
        if (!cell) return false;
        grid->phCells[static_cast<std::size_t>(c) * grid->nControlRows + i] = cell;
    }
    *x += column.iWidth;
    if (grid->hHeader) {
        char text[256] = {0};
        GetWindowTextA(control, text, sizeof text);
        InsertHeaderItem(grid->hHeader, c + 1, column.iWidth - 1, text, HDF_CENTER);
    }
    return true;
}

// Message 1025: the columns from the row template dialog TEMPL; POSITIONS (or null) gives
// each column's 1-based template position.
LRESULT BuildColumns(HWND window, GridRecord *grid, HWND templ, const int *positions) {
    if (!templ || grid->nColumns <= 0 || grid->nControlRows <= 0) return 0;
    unsigned long long cells = static_cast<unsigned long long>(grid->nColumns) *
                               static_cast<unsigned long long>(grid->nControlRows);
    if (cells > 1000000ull) return 0;
    grid->pColumns = static_cast<GridColumn *>(
        std::calloc(static_cast<std::size_t>(grid->nColumns), sizeof(GridColumn)));
    grid->phCells = static_cast<HWND *>(std::calloc(static_cast<std::size_t>(cells), sizeof(HWND)));
    grid->bShared = 0;
    if (!grid->pColumns || !grid->phCells) return 0;
    LONG style = GetWindowLongA(window, GWL_STYLE);
    if (grid->hHeader) InsertHeaderItem(grid->hHeader, 0, grid->iRowLabelWidth + 1, "", HDF_CENTER);
    if (!grid->hPane) {
        RECT client;
        GetClientRect(window, &client);
        grid->hPane = CreateWindowExA(
            0, "ORNGRIDCLIENT", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
            grid->iRowLabelWidth, grid->iHeaderHeight, client.right - grid->iRowLabelWidth,
            client.bottom - grid->iHeaderHeight, window, nullptr, wInstance, nullptr);
        if (!grid->hPane) return 0;
    }
    (void)style;
    int x = 0;
    HWND control = nullptr;
    for (int c = 0; c < grid->nColumns; ++c) {
        if (positions)
            control = TemplateControlAt(templ, positions[c]);
        else
            control = c == 0 ? NextTemplateControl(GetWindow(templ, GW_CHILD), true)
                             : NextTemplateControl(control, false);
        if (!control || !BuildColumn(window, grid, c, control, &x)) return 0;
    }
    return 1;
}

// Message 1026: row label controls and their texts from ENTRY.
LRESULT BuildRowLabels(HWND window, GridRecord *grid, int width, const GridEntry *entry) {
    RECT r = {0, 0, width, 13};
    YYMapDialogRect(window, &r);
    grid->iRowLabelWidth = r.right - r.left;
    if (grid->iRowLabelWidth < 0) return -1;
    grid->phRowLabels = static_cast<HWND *>(
        std::calloc(static_cast<std::size_t>(grid->nControlRows) + 1, sizeof(HWND)));
    grid->pRowLabelText =
        static_cast<char *>(std::calloc(static_cast<std::size_t>(grid->nRows) + 1, 51));
    if (!grid->phRowLabels || !grid->pRowLabelText) return -1;
    grid->nLabelRows = grid->nRows;
    if (entry)
        for (std::size_t i = 0; i < entry->labels.size() && static_cast<int>(i) < grid->nRows; ++i)
            std::memcpy(grid->pRowLabelText + i * 51, entry->labels[i].c_str(),
                        entry->labels[i].size());
    for (int i = 0; i < grid->nControlRows; ++i) {
        int y = grid->iHeaderHeight + i * (grid->iRowHeight - 1) + (i > 0 ? 1 : 0);
        int h = grid->iRowHeight - (i > 0 ? 1 : 0);
        HWND label = CreateHeader(window, 0, y, grid->iRowLabelWidth, h, i, grid->hFont);
        if (!label) return -1;
        grid->phRowLabels[i] = label;
        InsertHeaderItem(label, 0, grid->iRowLabelWidth + 1,
                         grid->pRowLabelText + static_cast<std::size_t>(i) * 51, HDF_LEFT);
    }
    return entry ? static_cast<LRESULT>(entry->consumed) : 0;
}

// Window creation: the record, the row height, the visible rows and the column header.
LRESULT OnCreate(HWND window, const CREATESTRUCTA *create) {
    GridRecord *grid = static_cast<GridRecord *>(std::calloc(1, sizeof(GridRecord)));
    if (!grid) return -1;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(grid));
    HWND dialog = GetParent(window);
    grid->hFont =
        dialog ? reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)) : nullptr;
    grid->iRowHeight = MappedRowHeight(dialog ? dialog : window) - 1;
    if (grid->iRowHeight < 3) grid->iRowHeight = 3;
    RECT client, frame;
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    grid->iClientHeight = client.bottom;
    grid->iFrameHeight = (frame.bottom - frame.top) - client.bottom;
    grid->nVisibleRows = (grid->iClientHeight - 1) / (grid->iRowHeight - 1);
    if (grid->nVisibleRows < 1) grid->nVisibleRows = 1;
    grid->iSelFirstRow = grid->iSelLastRow = grid->iSelFirstColumn = grid->iSelLastColumn = -1;
    grid->iScrollScale = 1;
    LONG style = create->style;
    if (!(style & kGridKeepHeight)) FitHeight(window, grid);
    if (style & kGridHeader) {
        RECT h = {0, 0, 1, 13};
        YYMapDialogRect(dialog ? dialog : window, &h);
        GetClientRect(window, &client);
        grid->hHeader = CreateHeader(window, 0, 0, client.right, h.bottom, 0, grid->hFont);
        if (!grid->hHeader) return -1;
        grid->iHeaderHeight = h.bottom;
        if (grid->nVisibleRows > 1) --grid->nVisibleRows;
    }
    return 0;
}

void OnSetFont(HWND window, GridRecord *grid, HFONT font) {
    grid->hFont = font;
    grid->iRowHeight = MappedRowHeight(window) - 1;
    if (grid->iRowHeight < 3) grid->iRowHeight = 3;
    grid->nVisibleRows = (grid->iClientHeight - 1) / (grid->iRowHeight - 1);
    if (grid->nVisibleRows < 1) grid->nVisibleRows = 1;
    LONG style = GetWindowLongA(window, GWL_STYLE);
    if (!(style & kGridKeepHeight) && !grid->bDisplayOnly) FitHeight(window, grid);
    if (grid->hHeader) {
        SendMessageA(grid->hHeader, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        RECT client;
        GetClientRect(window, &client);
        grid->iHeaderHeight = grid->iRowHeight + 1;
        MoveWindow(grid->hHeader, 0, 0, client.right, grid->iHeaderHeight, TRUE);
        if (grid->nVisibleRows > 1) --grid->nVisibleRows;
    }
}

void SetSizes(GridRecord *grid, int rows, int columns) {
    grid->nRows = rows;
    grid->nColumns = columns;
    grid->nControlRows = rows < grid->nVisibleRows + 1 ? rows : grid->nVisibleRows + 1;
    grid->nStoredRows = rows;
}

}  // namespace

namespace {

// The grid last asked for and its record: every grid routine looks its record up, often many
// times a call, and each look-up asks the window system twice. The record of a grid never
// changes while it lives; the grid forgets it when it is freed.
struct RecordCache {
    HWND window;
    GridRecord *record;
} lastRecord = {nullptr, nullptr};

}  // namespace

GridRecord *quill::GridRecordOf(HWND window) {
    if (window && window == lastRecord.window) return lastRecord.record;
    if (!window || !atomGrid || WindowClassAtom(window) != atomGrid) return nullptr;
    GridRecord *record = reinterpret_cast<GridRecord *>(GetWindowLongPtrA(window, 0));
    if (record) lastRecord = {window, record};
    return record;
}

void YYMapDialogRect(HWND window, RECT *rect) {
    HFONT font = window ? reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)) : nullptr;
    HDC dc = GetDC(window);
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    if (old) SelectObject(dc, old);
    ReleaseDC(window, dc);
    int width = metrics.tmAveCharWidth > 0 ? metrics.tmAveCharWidth : 1;
    int height = metrics.tmHeight > 0 ? metrics.tmHeight : 1;
    rect->left = rect->left * width / 4;
    rect->right = rect->right * width / 4;
    rect->top = rect->top * height / 8;
    rect->bottom = rect->bottom * height / 8;
}

void yygridregister() {
    WNDCLASSEXA probe = {};
    probe.cbSize = sizeof probe;
    if (GetClassInfoExA(wInstance ? wInstance : GetModuleHandleA(nullptr), "ORNGRID", &probe))
        return;
    WNDCLASSEXA cls = {};
    cls.cbSize = sizeof cls;
    cls.style = CS_PARENTDC;
    cls.lpfnWndProc = yygridwndproc;
    cls.cbWndExtra = sizeof(void *);
    cls.hInstance = wInstance ? wInstance : GetModuleHandleA(nullptr);
    cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = "ORNGRID";
    atomGrid = RegisterClassExA(&cls);
    cls.lpfnWndProc = yygridwndprocclient;
    cls.cbWndExtra = 0;
    cls.lpszClassName = "ORNGRIDCLIENT";
    atomGridClient = RegisterClassExA(&cls);
    GM_CELLCHANGE = RegisterWindowMessageA("GM_CELLCHANGE");
    bGridPrintInit = 0;
}

void yygridinitialise(HWND window, const char *text, int *consumed) {
    GridRecord *grid = quill::GridRecordOf(window);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    bool labels = (style & kGridRowLabels) != 0;
    GridEntry entry = quill::ReadGridEntry(text, labels, labels && !(style & kGridBareLabels));
    if (consumed) *consumed = static_cast<int>(entry.consumed > INT_MAX ? INT_MAX : entry.consumed);
    if (!grid) return;
    // A second entry for a built grid changes nothing.
    if (grid->bInitialised) return;
    bool ok =
        entry.columns > 0 && entry.rows > 0 && entry.columns <= 10000 && entry.rows <= 100000000;
    HWND templ = nullptr;
    if (ok) {
        SendMessageA(window, kGridSetSizes, static_cast<WPARAM>(entry.rows),
                     static_cast<LPARAM>(entry.columns));
        grid->nDefinedColumns = entry.columns;
        templ = CreateDialogParamA(wInstance, MAKEINTRESOURCEA(entry.templateId), RootWindow(),
                                   yygridrowtemplateproc, static_cast<LPARAM>(entry.templateId));
        ok = templ != nullptr;
    }
    if (ok && labels)
        ok = SendMessageA(window, kGridRowLabelsMsg, static_cast<WPARAM>(entry.labelWidth),
                          reinterpret_cast<LPARAM>(&entry)) != -1;
    if (ok) ok = SendMessageA(window, kGridBuildColumns, reinterpret_cast<WPARAM>(templ), 0) == 1;
    if (ok) SendMessageA(window, kGridLayout, 0, 0);
    if (templ) DestroyWindow(templ);
    if (!ok) {
        // The dialog works on without the grid.
        DestroyWindow(window);
        return;
    }
    grid->bInitialised = 1;
    grid->iTemplateId = entry.templateId;
    yygridupdatecells(grid);
}

INT_PTR CALLBACK yygridrowtemplateproc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)wParam;
    switch (message) {
    case WM_INITDIALOG:
        ShowWindow(dialog, SW_HIDE);
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (quill::NumericClassKind(c) || quill::FieldRecordOf(c)) continue;
            if (FieldRecord *record = quill::NewFieldRecord())
                SetWindowLongPtrA(c, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
        }
        yydialogorn(dialog, static_cast<int>(lParam), -1);
        // The template is only read, never shown: giving it the focus would activate it and
        // take the focus from the field the user is in.
        return FALSE;
    case WM_DESTROY:
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (quill::NumericClassKind(c)) continue;
            FieldRecord *record = quill::FieldRecordOf(c);
            SetWindowLongPtrA(c, GWLP_USERDATA, 0);
            quill::FreeFieldRecord(record);
        }
        return FALSE;
    default: return FALSE;
    }
}

void quill::LayOutGrid(HWND window) {
    GridRecord *grid = GridRecordOf(window);
    if (!grid) return;
    LONG style = GetWindowLongA(window, GWL_STYLE);
    SetGridVerticalBar(window, grid);
    int width = PaneWidth(grid);
    // The first column from which all columns to the right fit in the pane.
    int sum = 1;
    int k = grid->nColumns;
    while (k > 0 && sum + grid->pColumns[k - 1].iWidth - 1 <= width)
        sum += grid->pColumns[--k].iWidth - 1;
    grid->iMaxFirstColumn = k < grid->nColumns ? k : (grid->nColumns > 0 ? grid->nColumns - 1 : 0);
    grid->iLastColumn = grid->iFirstColumn;
    sum = 1;
    for (int c = grid->iFirstColumn; c < grid->nColumns; ++c) {
        sum += grid->pColumns[c].iWidth - 1;
        if (sum > width && c > grid->iFirstColumn) break;
        grid->iLastColumn = c;
        if (sum > width) break;
    }
    if (style & WS_HSCROLL) {
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        si.nMax = grid->nColumns - 1;
        si.nPage = static_cast<UINT>(grid->iLastColumn - grid->iFirstColumn + 1);
        si.nPos = grid->iFirstColumn;
        SetScrollInfo(window, SB_HORZ, &si, TRUE);
    }
}

void quill::DropGridColumns(GridRecord *grid) {
    std::size_t cells =
        grid->phCells ? static_cast<std::size_t>(grid->nColumns) * grid->nControlRows : 0;
    for (std::size_t i = 0; i < cells; ++i) DestroyCell(grid->phCells[i]);
    FreeColumns(grid);
    std::free(grid->phCells);
    grid->phCells = nullptr;
}

void quill::FreeGrid(HWND window) {
    ForgetGrid(window);
    GridRecord *grid = GridRecordOf(window);
    if (lastRecord.window == window) lastRecord = {nullptr, nullptr};
    if (!grid) return;
    DropGridColumns(grid);
    std::free(grid->phRowLabels);
    if (!grid->bShared) std::free(grid->pRowLabelText);
    SetWindowLongPtrA(window, 0, 0);
    std::free(grid);
}

// Private messages and the creation, font and destruction messages of the grid window; the
// window procedure itself is with the behaviour on screen.
LRESULT quill::GridBuildMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                bool *handled) {
    *handled = true;
    GridRecord *grid = GridRecordOf(window);
    switch (message) {
    case WM_CREATE: return OnCreate(window, reinterpret_cast<const CREATESTRUCTA *>(lParam));
    case WM_SETFONT:
        if (grid) OnSetFont(window, grid, reinterpret_cast<HFONT>(wParam));
        return 0;
    case WM_GETFONT: return grid ? reinterpret_cast<LRESULT>(grid->hFont) : 0;
    case WM_NCDESTROY:
        FreeGrid(window);
        *handled = false;
        return 0;
    case kGridBuildColumns:
        return grid ? BuildColumns(window, grid, reinterpret_cast<HWND>(wParam),
                                   reinterpret_cast<const int *>(lParam))
                    : 0;
    case kGridRowLabelsMsg:
        return grid ? BuildRowLabels(window, grid, static_cast<int>(wParam),
                                     reinterpret_cast<const GridEntry *>(lParam))
                    : -1;
    case kGridLayout: LayOutGrid(window); return 0;
    case kGridSetSizes:
        if (grid) SetSizes(grid, static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    case kGridDisplayOnly:
        if (grid) grid->bInitialised = grid->bDisplayOnly = 1;
        return 0;
    default: *handled = false; return 0;
    }
}

HWND quill::AddGridControlRow(GridRecord *grid, int i, int column) {
    HWND first = GridFirstCell(grid, column);
    if (!first) return nullptr;
    char className[18] = {0};
    GetClassNameA(first, className, sizeof className);
    RECT r;
    GetWindowRect(first, &r);
    MapWindowPoints(nullptr, grid->hPane, reinterpret_cast<POINT *>(&r), 2);
    int height =
        grid->pColumns[column].iType == kGridMenu ? DroppedHeight(first) : grid->iRowHeight;
    LONG style = (GetWindowLongA(first, GWL_STYLE) | WS_BORDER) & ~WS_VISIBLE;
    return CreateCell(grid, column, i, className, style, GetWindowLongA(first, GWL_EXSTYLE), r.left,
                      height, first, FieldRecordOf(first), false);
}

HWND quill::AddGridRowLabel(HWND window, GridRecord *grid, int i) {
    int y = grid->iHeaderHeight + i * (grid->iRowHeight - 1) + (i > 0 ? 1 : 0);
    HWND label =
        CreateHeader(window, 0, y, grid->iRowLabelWidth, grid->iRowHeight - 1, i, grid->hFont);
    if (label) InsertHeaderItem(label, 0, grid->iRowLabelWidth + 1, "", HDF_LEFT);
    return label;
}

// --- Copying a grid into another instance of its dialog -------------------------------------

namespace {

// A control's own visibility: the source grid's dialog may be hidden (a dialog loaded and
// then shown modally is), which hides its controls on screen but not in their own right.
bool ShownItself(HWND control) { return (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0; }

void CopyCellState(HWND to, HWND from, int type) {
    if (type == kGridCheck) {
        SendMessageA(to, BM_SETCHECK, SendMessageA(from, BM_GETCHECK, 0, 0), 0);
    } else if (type == kGridMenu) {
        SendMessageA(to, CB_SETCURSEL, SendMessageA(from, CB_GETCURSEL, 0, 0), 0);
    } else {
        std::string text = quill::GridControlText(from);
        SetWindowTextA(to, text.c_str());
        SendMessageA(to, EM_SETMODIFY, SendMessageA(from, EM_GETMODIFY, 0, 0), 0);
    }
    FieldRecord *a = quill::FieldRecordOf(to);
    const FieldRecord *b = quill::FieldRecordOf(from);
    if (a && b) {
        a->value = b->value;
        a->hasText = b->hasText;
        a->foreground = b->foreground;
        a->background = b->background;
    }
}

void CopyHeaderItems(HWND to, HWND from) {
    if (!to || !from) return;
    int n = static_cast<int>(SendMessageA(from, HDM_GETITEMCOUNT, 0, 0));
    while (SendMessageA(to, HDM_GETITEMCOUNT, 0, 0) > 0) SendMessageA(to, HDM_DELETEITEM, 0, 0);
    for (int i = 0; i < n; ++i) {
        char text[256] = {0};
        HDITEMA item = {};
        item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(from, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        item.pszText = text;
        SendMessageA(to, HDM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

void CopyScrollBars(HWND to, HWND from) {
    for (int bar : {SB_VERT, SB_HORZ}) {
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        if (GetScrollInfo(from, bar, &si)) SetScrollInfo(to, bar, &si, TRUE);
    }
}

// Own copies of every column's buffers and of the label texts.
bool CopyBuffers(GridRecord *to, const GridRecord *from) {
    to->pColumns = static_cast<GridColumn *>(
        std::calloc(static_cast<std::size_t>(from->nColumns), sizeof(GridColumn)));
    if (!to->pColumns) return false;
    for (int c = 0; c < from->nColumns; ++c) {
        const GridColumn &s = from->pColumns[c];
        GridColumn &d = to->pColumns[c];
        d = s;
        d.pValues = nullptr;
        d.pFlags = nullptr;
        d.pColours = nullptr;
        std::size_t values = static_cast<std::size_t>(s.iBytes) * from->nStoredRows + 1;
        d.pValues = static_cast<unsigned char *>(std::malloc(values));
        d.pFlags = static_cast<unsigned char *>(
            std::malloc(static_cast<std::size_t>(from->nStoredRows) + 1));
        if (!d.pValues || !d.pFlags) return false;
        std::memcpy(d.pValues, s.pValues, values);
        std::memcpy(d.pFlags, s.pFlags, static_cast<std::size_t>(from->nStoredRows) + 1);
        if (s.pColours) {
            d.pColours = static_cast<GridColour *>(std::malloc(
                sizeof(GridColour) * (static_cast<std::size_t>(from->nStoredRows) + 1)));
            if (!d.pColours) return false;
            std::memcpy(d.pColours, s.pColours,
                        sizeof(GridColour) * static_cast<std::size_t>(from->nStoredRows));
        }
    }
    if (from->pRowLabelText) {
        std::size_t n = (static_cast<std::size_t>(from->nLabelRows) + 1) * 51;
        to->pRowLabelText = static_cast<char *>(std::malloc(n));
        if (!to->pRowLabelText) return false;
        std::memcpy(to->pRowLabelText, from->pRowLabelText, n);
    }
    return true;
}

// Builds the destination's controls after the source's.
bool CopyStructure(HWND destination, GridRecord *to, HWND source, const GridRecord *from,
                   int share) {
    to->bInitialised = from->bInitialised;
    to->nColumns = from->nColumns;
    to->iMaxFirstColumn = from->iMaxFirstColumn;
    to->nStoredRows = from->nStoredRows;
    to->nDefinedColumns = from->nDefinedColumns;
    to->nVisibleRows = from->nVisibleRows;
    to->nControlRows = from->nControlRows;
    to->iRowLabelWidth = from->iRowLabelWidth;
    to->iHeaderHeight = from->iHeaderHeight;
    to->iTemplateId = from->iTemplateId;
    to->iScrollScale = from->iScrollScale;
    to->nLabelRows = from->nLabelRows;
    to->bDisplayOnly = 0;
    if (share) {
        to->pColumns = from->pColumns;
        to->pRowLabelText = from->pRowLabelText;
        to->bShared = 1;
    } else if (!CopyBuffers(to, from)) {
        return false;
    }
    if (!from->bInitialised || !from->phCells) return true;
    // The pane comes first: its size message finds no cells yet and leaves the rows alone.
    if (!to->hPane) {
        RECT r;
        GetWindowRect(from->hPane, &r);
        MapWindowPoints(nullptr, source, reinterpret_cast<POINT *>(&r), 2);
        to->hPane = CreateWindowExA(0, "ORNGRIDCLIENT", "",
                                    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                    r.left, r.top, r.right - r.left, r.bottom - r.top, destination,
                                    nullptr, wInstance, nullptr);
        if (!to->hPane) return false;
    }
    std::size_t cells = static_cast<std::size_t>(from->nColumns) * from->nControlRows;
    to->phCells = static_cast<HWND *>(std::calloc(cells, sizeof(HWND)));
    if (!to->phCells) return false;
    for (std::size_t i = 0; i < cells; ++i) {
        HWND s = from->phCells[i];
        int c = static_cast<int>(i / static_cast<std::size_t>(from->nControlRows));
        RECT r;
        GetWindowRect(s, &r);
        MapWindowPoints(nullptr, from->hPane, reinterpret_cast<POINT *>(&r), 2);
        char className[18] = {0};
        GetClassNameA(s, className, sizeof className);
        LONG style = GetWindowLongA(s, GWL_STYLE) | WS_BORDER;
        const GridColumn &column = to->pColumns[c];
        int height = column.iType == kGridMenu ? DroppedHeight(s) : r.bottom - r.top;
        HWND cell = CreateWindowExA(
            GetWindowLongA(s, GWL_EXSTYLE) | WS_EX_NOPARENTNOTIFY, className, "", style, r.left,
            r.top, column.iWidth, height > 0 ? height : r.bottom - r.top, to->hPane,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)), wInstance, nullptr);
        if (!cell) return false;
        to->phCells[i] = cell;
        SendMessageA(cell, WM_SETFONT, SendMessageA(s, WM_GETFONT, 0, 0), FALSE);
        FieldRecord *record = quill::FieldRecordOf(cell);
        if (!record) {
            record = quill::NewFieldRecord();
            if (!record) return false;
            SetWindowLongPtrA(cell, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
        }
        const FieldRecord *model = quill::FieldRecordOf(s);
        if (model) {
            record->value = model->value;
            record->minimum = model->minimum;
            record->maximum = model->maximum;
            record->step = model->step;
            record->page = model->page;
            record->maxLength = model->maxLength;
            record->foreground = model->foreground;
            record->background = model->background;
            std::free(record->format);
            record->format = quill::DuplicateText(model->format);
            if (record->upDown && model->upDown) {
                CopySpin(record->upDown, model->upDown);
                if (!ShownItself(model->upDown)) ShowWindow(record->upDown, SW_HIDE);
            }
        }
        if (column.iType == kGridString)
            SendMessageA(cell, EM_LIMITTEXT, static_cast<WPARAM>(column.iLength), 0);
        if (column.iType == kGridMenu) CopyOptions(cell, s, 0);
        SubclassCell(cell);
    }
    if (from->phRowLabels) {
        to->phRowLabels = static_cast<HWND *>(
            std::calloc(static_cast<std::size_t>(from->nControlRows) + 1, sizeof(HWND)));
        if (!to->phRowLabels) return false;
        for (int i = 0; i < from->nControlRows; ++i) {
            RECT r;
            GetWindowRect(from->phRowLabels[i], &r);
            MapWindowPoints(nullptr, source, reinterpret_cast<POINT *>(&r), 2);
            to->phRowLabels[i] = CreateHeader(
                destination, r.left, r.top, r.right - r.left, r.bottom - r.top, i,
                reinterpret_cast<HFONT>(SendMessageA(from->phRowLabels[i], WM_GETFONT, 0, 0)));
            if (!to->phRowLabels[i]) return false;
            if (!ShownItself(from->phRowLabels[i])) ShowWindow(to->phRowLabels[i], SW_HIDE);
        }
    }
    return true;
}

}  // namespace

void yygridcopy(HWND destination, HWND source, int share) {
    GridRecord *to = quill::GridRecordOf(destination);
    GridRecord *from = quill::GridRecordOf(source);
    if (!to || !from) return;
    to->nRows = from->nRows;
    to->iCurColumn = from->iCurColumn;
    to->iCurRow = from->iCurRow;
    to->iFirstColumn = from->iFirstColumn;
    to->iLastColumn = from->iLastColumn;
    to->iFirstRow = from->iFirstRow;
    bool back = yyismodaldialog(GetParent(source)) != 0;
    if (!back) {
        if (to->phCells) return;  // already built: only a fresh instance takes the structure
        if (!CopyStructure(destination, to, source, from, share)) {
            // A copy that cannot be made leaves the destination without a grid.
            DestroyWindow(destination);
            return;
        }
    }
    // The new cells take over the source's rows in view before anything resizes the pane: a
    // resize stores the cells into the buffers first, and empty cells would overwrite the rows.
    to->bUnsaved = from->bUnsaved;
    to->bEdited = from->bEdited;
    CopyHeaderItems(to->hHeader, from->hHeader);
    if (to->phRowLabels && from->phRowLabels)
        for (int i = 0; i < from->nControlRows && i < to->nControlRows; ++i)
            CopyHeaderItems(to->phRowLabels[i], from->phRowLabels[i]);
    CopyScrollBars(destination, source);
    if (to->phCells && from->phCells && to->nControlRows == from->nControlRows &&
        to->nColumns == from->nColumns) {
        for (int c = 0; c < from->nColumns; ++c)
            for (int i = 0; i < from->nControlRows; ++i) {
                std::size_t k = static_cast<std::size_t>(c) * from->nControlRows + i;
                CopyCellState(to->phCells[k], from->phCells[k], from->pColumns[c].iType);
                ShowWindow(to->phCells[k], ShownItself(from->phCells[k]) ? SW_SHOWNA : SW_HIDE);
            }
    }
}
