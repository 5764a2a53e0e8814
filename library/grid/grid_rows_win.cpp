// Rows of a grid: their number, the value ranges and spin steps of numeric columns, the
// read-only state of cells, clearing a whole grid, rebuilding the columns from the row
// template, and the column type and length queries.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>

#include "core/dialogs.h"
#include "core/fields.h"
#include "core/numeric_edit.h"
#include "core/startup.h"
#include "grid/grid_control.h"
#include "grid/grid_editor.h"

namespace {

GridRecord *ColumnChecked(int *id, HWND *window, int column) {
    *window = quill::GridWindowOfField(id);
    GridRecord *grid = quill::GridRecordOf(*window);
    if (!grid) return nullptr;
    if (!grid->pColumns || column < 0 || column >= grid->nColumns) {
        *id = -2;
        return nullptr;
    }
    return grid;
}

// Shows or hides control row I (cells, buddies and row label).
void ShowControlRow(GridRecord *grid, int i, bool show) {
    if (i < 0 || i >= grid->nControlRows) return;
    int how = show ? SW_SHOWNA : SW_HIDE;
    for (int c = 0; c < grid->nColumns; ++c) {
        HWND cell = grid->phCells[static_cast<std::size_t>(c) * grid->nControlRows + i];
        ShowWindow(cell, how);
        if (FieldRecord *record = quill::FieldRecordOf(cell))
            if (record->upDown) ShowWindow(record->upDown, how);
    }
    if (grid->phRowLabels && grid->phRowLabels[i]) ShowWindow(grid->phRowLabels[i], how);
}

int Clamp(double value) {
    if (value < -31073.0) return -31073;
    if (value > 31073.0) return 31073;
    return static_cast<int>(value);
}

// The number of template controls that can be columns (up-down buddies passed over).
int TemplateColumns(HWND templ) {
    int n = 0;
    for (HWND c = GetWindow(templ, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (quill::WindowClassAtom(c) != atomUpDown) ++n;
    return n;
}

// The grid editor window (grid id 0) shrinks its frame to its grid's new size.
void FitEditor(HWND grid) { yyGridWinSize(quill::GridWindowRecordOf(GetParent(grid))); }

}  // namespace

void quill::SetGridVerticalBar(HWND window, GridRecord *grid) {
    grid->iScrollScale = 1;
    while (grid->iScrollScale < (1 << 30) && grid->nRows / grid->iScrollScale > 65536)
        grid->iScrollScale *= 2;
    if (!(GetWindowLongA(window, GWL_STYLE) & WS_VSCROLL)) return;
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMax = grid->nRows / grid->iScrollScale - 1;
    si.nPage = static_cast<UINT>(grid->nVisibleRows / grid->iScrollScale);
    si.nPos = grid->iFirstRow / grid->iScrollScale;
    SetScrollInfo(window, SB_VERT, &si, TRUE);
}

void yygridsetrows2(HWND window, int rows, int *status) {
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid) {
        if (status) *status = -1;
        return;
    }
    if (rows < 0 || rows > grid->nStoredRows) {
        if (status) *status = -2;
        return;
    }
    yygridselectnone(window);
    if (rows > grid->nRows && grid->nRows < grid->nVisibleRows) {
        int bound = rows;
        if (grid->nVisibleRows < bound) bound = grid->nVisibleRows;
        if (grid->nStoredRows < bound) bound = grid->nStoredRows;
        for (int i = grid->nRows; i < bound; ++i) ShowControlRow(grid, i - grid->iFirstRow, true);
    }
    grid->nRows = rows;
    int bound = grid->nControlRows < grid->nStoredRows ? grid->nControlRows : grid->nStoredRows;
    for (int i = rows; i < bound; ++i) ShowControlRow(grid, i, false);
    if (grid->iCurRow >= rows || grid->iFirstRow + grid->nVisibleRows > rows) {
        bool focus = GetFocus() && (GetFocus() == window || IsChild(window, GetFocus()));
        yyGridStoreCells(grid);
        if (grid->iCurRow > rows - 1) grid->iCurRow = rows - 1;
        if (grid->iCurRow < 0) grid->iCurRow = 0;  // no rows: the current row stays 0
        grid->iFirstRow = grid->iCurRow - grid->nVisibleRows + 1;
        if (grid->iFirstRow < 0) grid->iFirstRow = 0;
        yygridupdatecells(grid);
        for (int i = 0; i < grid->nControlRows; ++i)
            if (grid->iFirstRow + i >= rows) ShowControlRow(grid, i, false);
        HWND dialog = quill::CurrentDialogWindow();
        if (focus && dialog && IsWindowVisible(dialog) && IsWindowEnabled(dialog)) SetFocus(window);
    }
    quill::SetGridVerticalBar(window, grid);
}

void yygridsetrows_(int *id, int *rows) {
    HWND window = quill::GridWindowOfField(id);
    if (!window) return;
    yygridsetrows2(window, *rows, id);
    if (*id == 0) FitEditor(window);  // id 0 stays 0 when the count was taken
}

void yygridrangecheck2(int *status, HWND window, int column, double value) {
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid) {
        *status = -1;
        return;
    }
    if (!grid->pColumns || column < 0 || column >= grid->nColumns) {
        *status = -2;
        return;
    }
    FieldRecord *record = quill::FieldRecordOf(quill::GridFirstCell(grid, column));
    if (!record || record->minimum > record->maximum) return;
    if (value < record->minimum || value > record->maximum) *status = -3;
}

void yygridrangecheck_(int *id, int *column, double *value) {
    HWND window = quill::GridWindowOfField(id);
    if (!window) return;
    yygridrangecheck2(id, window, *column, *value);
}

void yygridrange_(int *id, int *column, double *minimum, double *maximum) {
    HWND window;
    GridRecord *grid = ColumnChecked(id, &window, *column);
    if (!grid) return;
    for (int i = 0; i < grid->nControlRows; ++i) {
        FieldRecord *record = quill::FieldRecordOf(
            grid->phCells[static_cast<std::size_t>(*column) * grid->nControlRows + i]);
        if (!record) continue;
        record->minimum = *minimum;
        record->maximum = *maximum;
        if (record->upDown)
            SendMessageA(record->upDown, UDM_SETRANGE32, static_cast<WPARAM>(Clamp(*minimum)),
                         Clamp(*maximum));
    }
}

namespace {

void SpinSteps(int *id, int column, ATOM spinClass, double step, double page) {
    HWND window;
    GridRecord *grid = ColumnChecked(id, &window, column);
    if (!grid) return;
    for (int i = 0; i < grid->nControlRows; ++i) {
        HWND cell = grid->phCells[static_cast<std::size_t>(column) * grid->nControlRows + i];
        FieldRecord *record = quill::FieldRecordOf(cell);
        if (!record || quill::WindowClassAtom(cell) != spinClass) {
            *id = -2;
            return;
        }
        record->step = step;
        record->page = page;
    }
}

}  // namespace

void yygridspinstepi_(int *id, int *column, int *step, int *page) {
    SpinSteps(id, *column, atomSpinInteger, *step, *page == 0 ? *step : *page);
}

void yygridspinstepr_(int *id, int *column, float *step, float *page) {
    SpinSteps(id, *column, atomSpinReal, *step, *page);
}

void yygridspinstepd_(int *id, int *column, double *step, double *page) {
    SpinSteps(id, *column, atomSpinDouble, *step, *page);
}

void yygridwindowstate(HWND control, int type, int readOnly, int redraw) {
    HWND window = GetParent(GetParent(control));
    if (type < 0 || (GetWindowLongA(window, GWL_STYLE) & kGridReadOnly)) return;
    if (type <= kGridDouble) {
        bool now = (GetWindowLongA(control, GWL_STYLE) & ES_READONLY) != 0;
        if (now != (readOnly != 0)) SendMessageA(control, EM_SETREADONLY, readOnly != 0, 0);
        if (redraw) RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        FieldRecord *record = quill::FieldRecordOf(control);
        if (record && record->upDown) {
            EnableWindow(record->upDown, !readOnly);
            if (redraw)
                RedrawWindow(record->upDown, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
    } else if (type == kGridCheck) {
        LONG kind = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
        LONG wanted = readOnly ? BS_CHECKBOX : BS_AUTOCHECKBOX;
        if (kind != wanted)
            SendMessageA(control, BM_SETSTYLE, static_cast<WPARAM>(wanted), redraw != 0);
    }
}

void quill::SetGridFieldState(HWND window, int state) {
    GridRecord *grid = GridRecordOf(window);
    if (!grid || !grid->phCells || !grid->pColumns) return;
    LONG style = GetWindowLongA(window, GWL_STYLE) & ~kGridReadOnly;
    SetWindowLongA(window, GWL_STYLE, style);
    int n = GridRowsInView(grid);
    for (int c = 0; c < grid->nColumns; ++c)
        for (int j = 0; j < n; ++j) {
            int s = grid->iFirstRow + j;
            bool readOnly = state == 2 || (grid->pColumns[c].pFlags[s] & kCellReadOnly);
            yygridwindowstate(grid->phCells[static_cast<std::size_t>(c) * grid->nControlRows + j],
                              grid->pColumns[c].iType, readOnly, 1);
        }
    if (state == 2) SetWindowLongA(window, GWL_STYLE, style | kGridReadOnly);
}

void yygridcellstate_(int *id, int *column, int *row, int *state) {
    HWND window;
    GridRecord *grid = ColumnChecked(id, &window, *column);
    if (!grid) return;
    if (*row < 0 || *row >= grid->nStoredRows) {
        *id = -2;
        return;
    }
    unsigned char &flags = grid->pColumns[*column].pFlags[*row];
    if (*state == 1)
        flags &= static_cast<unsigned char>(~kCellReadOnly);
    else
        flags |= kCellReadOnly;
    if (HWND cell = quill::GridCellControl(grid, *column, *row))
        yygridwindowstate(cell, grid->pColumns[*column].iType, *state != 1, 1);
}

void yyGridClear(HWND window, int removeOptions) {
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid || !grid->pColumns || !grid->phCells) return;
    yygridselectnone(window);
    for (int c = 0; c < grid->nColumns; ++c) {
        GridColumn &col = grid->pColumns[c];
        for (int i = 0; i < grid->nControlRows; ++i) {
            HWND cell = grid->phCells[static_cast<std::size_t>(c) * grid->nControlRows + i];
            if (col.iType == kGridMenu && removeOptions)
                SendMessageA(cell, CB_RESETCONTENT, 0, 0);
            else
                quill::EmptyCellControl(cell, col.iType, true);
        }
        std::memset(col.pValues, 0, static_cast<std::size_t>(col.iBytes) * grid->nStoredRows);
        for (int s = 0; s < grid->nStoredRows; ++s) col.pFlags[s] &= kCellReadOnly;
    }
}

void yygridredefine_(int *id, int *columns, const int *positions) {
    HWND window = quill::GridWindowOfField(id);
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid) return;
    if (!grid->bInitialised || grid->bShared || !positions || *columns < 1 || *columns > 10000) {
        *id = -2;
        return;
    }
    // Where the focus is, read before anything is made or destroyed: a focused cell goes with
    // the old columns, and the focus then comes back to the grid's new current cell.
    HWND focused = GetFocus();
    bool focus = focused && (focused == window || IsChild(window, focused));
    HWND templ = CreateDialogParamA(wInstance, MAKEINTRESOURCEA(grid->iTemplateId), wWindow[0],
                                    yygridrowtemplateproc, static_cast<LPARAM>(grid->iTemplateId));
    if (!templ) {
        *id = -1;
        return;
    }
    // Counts and positions are checked before anything is destroyed.
    int available = TemplateColumns(templ);
    for (int i = 0; i < *columns; ++i)
        if (positions[i] < 1 || positions[i] > available) {
            DestroyWindow(templ);
            *id = -2;
            return;
        }
    yygridselectnone(window);
    quill::DropGridColumns(grid);
    if (grid->hHeader)
        while (SendMessageA(grid->hHeader, HDM_GETITEMCOUNT, 0, 0) > 0)
            SendMessageA(grid->hHeader, HDM_DELETEITEM, 0, 0);
    grid->nColumns = *columns;
    grid->iCurColumn = grid->iCurRow = grid->iFirstColumn = grid->iFirstRow = 0;
    LRESULT ok = SendMessageA(window, kGridBuildColumns, reinterpret_cast<WPARAM>(templ),
                              reinterpret_cast<LPARAM>(positions));
    DestroyWindow(templ);
    if (ok != 1) {
        // What was built is taken down again: the grid is left without columns.
        quill::DropGridColumns(grid);
        grid->nColumns = 0;
        *id = -1;
        return;
    }
    SendMessageA(window, kGridLayout, 0, 0);
    quill::SetGridVerticalBar(window, grid);
    yygridupdatecells(grid);
    if (focus && IsWindowVisible(window)) SetFocus(window);
    if (*id == 0) FitEditor(window);
    InvalidateRect(window, nullptr, TRUE);
}

void yygridcelltype_(int *id, int *column, int *type) {
    HWND window;
    GridRecord *grid = ColumnChecked(id, &window, *column);
    if (grid) *type = quill::GridFieldType(grid->pColumns[*column].iType);
}

void yygridcelllength_(int *id, int *column, int *length) {
    HWND window;
    GridRecord *grid = ColumnChecked(id, &window, *column);
    if (!grid) return;
    if (grid->pColumns[*column].iType != kGridString) {
        *id = -2;
        return;
    }
    *length = grid->pColumns[*column].iLength + 1;
}
