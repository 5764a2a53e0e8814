// The block selection of a grid and its clipboard work: selecting and showing a block,
// copying it as tab-separated text, pasting such a text at the current cell, and deleting
// the cells of a block.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/dialogs.h"
#include "core/events.h"
#include "core/fields.h"
#include "core/numeric_edit.h"
#include "grid/grid_control.h"

namespace {

// Text of the clipboard, read only within its memory block; false when there is none.
bool ClipboardText(HWND owner, std::string *text) {
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(owner)) return false;
    bool got = false;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        SIZE_T size = GlobalSize(data);
        if (const char *p = static_cast<const char *>(GlobalLock(data))) {
            text->assign(p, strnlen(p, size));
            GlobalUnlock(data);
            got = true;
        }
    }
    CloseClipboard();
    return got;
}

bool CellReadOnly(const GridRecord *grid, int column, int row) {
    return row < grid->nStoredRows && (grid->pColumns[column].pFlags[row] & kCellReadOnly);
}

bool AnyReadOnly(const GridRecord *grid, int r0, int r1, int c0, int c1) {
    for (int c = c0; c <= c1; ++c)
        for (int r = r0; r <= r1; ++r)
            if (CellReadOnly(grid, c, r)) return true;
    return false;
}

// The first option of COMBO that begins with FIELD (any case), -1 none.
int OptionStartingWith(HWND combo, const std::string &field) {
    int n = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        std::string option = quill::GridOptionText(combo, i);
        if (option.size() >= field.size() &&
            CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, option.c_str(),
                           static_cast<int>(field.size()), field.c_str(),
                           static_cast<int>(field.size())) == CSTR_EQUAL)
            return i;
    }
    return -1;
}

// A field-changed event for a block paste or delete, made ready directly.
void ReportBlock(HWND window, int x, int y) {
    if (!(GetWindowLongA(window, GWL_STYLE) & kGridReportBlocks) ||
        !wMessageEnabled[kEventFieldChanged - 1])
        return;
    DialogRecord *dialog = quill::DialogRecordOf(GetParent(window));
    int id = GetDlgCtrlID(window);
    wMessageType = kEventFieldChanged;
    wMessageWin = dialog ? dialog->id : 0;
    wMessageValue1 = id;
    wMessageValue2 = id;
    wMessageValue3 = 1;
    wMessageValue4 = -1;
    wMessageX = x;
    wMessageY = y;
    wMessageTime = static_cast<int>(GetMessageTime());
    wValidMessage = 0;
}

// Writes FIELD into a cell of a numeric column; false when it is refused.
bool PasteNumber(HWND window, GridRecord *grid, int c, int r, const std::string &field) {
    GridColumn &col = grid->pColumns[c];
    double value = 0.0;
    bool empty = false;
    if (!quill::GridPasteNumber(field, col.iType, &value, &empty)) return false;
    if (!empty) {
        int status = 0;
        yygridrangecheck2(&status, window, c, value);
        if (status != 0) return false;
    }
    std::string text =
        empty ? std::string()
              : quill::GridNumberText(col.iType, value, quill::GridColumnFormat(grid, c));
    if (HWND cell = quill::GridCellControl(grid, c, r)) {
        if (FieldRecord *record = quill::FieldRecordOf(cell)) {
            record->value = value;
            if (!empty) record->hasText = 1;
        }
        SetWindowTextA(cell, text.c_str());
        SendMessageA(cell, EM_SETMODIFY, FALSE, 0);
    }
    quill::StoreGridValue(grid, c, r, value, text);
    if (empty)
        col.pFlags[r] &= static_cast<unsigned char>(~kCellHasValue);
    else
        col.pFlags[r] |= kCellHasValue | kCellTyped;
    return true;
}

void PasteField(HWND window, GridRecord *grid, int c, int r, const std::string &field) {
    GridColumn &col = grid->pColumns[c];
    HWND cell = quill::GridCellControl(grid, c, r);
    switch (col.iType) {
    case kGridString: {
        std::string text = field.substr(0, static_cast<std::size_t>(col.iLength));
        if (cell) {
            SetWindowTextA(cell, text.c_str());
            SendMessageA(cell, EM_SETMODIFY, FALSE, 0);
        }
        quill::StoreGridValue(grid, c, r, 0.0, text);
        break;
    }
    case kGridCheck: {
        int on = lstrcmpiA(field.c_str(), "Yes") == 0 ? 1 : 0;
        if (cell) SendMessageA(cell, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        quill::StoredGridInt(col, r) = on;
        break;
    }
    case kGridMenu: {
        int option = OptionStartingWith(quill::GridFirstCell(grid, c), field);
        if (option < 0) break;
        if (cell) SendMessageA(cell, CB_SETCURSEL, static_cast<WPARAM>(option), 0);
        quill::StoredGridInt(col, r) = option;
        break;
    }
    default: PasteNumber(window, grid, c, r, field); break;
    }
}

}  // namespace

void yygridselectrange(HWND window, int firstRow, int lastRow, int firstColumn, int lastColumn) {
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid || !grid->hPane) return;
    if (grid->iSelFirstRow == firstRow && grid->iSelLastRow == lastRow &&
        grid->iSelFirstColumn == firstColumn && grid->iSelLastColumn == lastColumn)
        return;
    HWND focus = GetFocus();
    if (focus && GetParent(focus) == grid->hPane && quill::IsEditField(focus))
        SendMessageA(focus, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    RECT r;
    if (yygridgetselrect(window, &r)) InvalidateRect(grid->hPane, &r, TRUE);
    grid->iSelFirstRow = firstRow;
    grid->iSelLastRow = lastRow;
    grid->iSelFirstColumn = firstColumn;
    grid->iSelLastColumn = lastColumn;
    if (yygridgetselrect(window, &r)) InvalidateRect(grid->hPane, &r, TRUE);
    UpdateWindow(grid->hPane);
}

void yygridselectnone(HWND window) {
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid || grid->iSelFirstRow < 0) return;
    RECT r;
    if (yygridgetselrect(window, &r)) InvalidateRect(grid->hPane, &r, TRUE);
    grid->iSelFirstRow = grid->iSelLastRow = grid->iSelFirstColumn = grid->iSelLastColumn = -1;
    if (grid->hPane) UpdateWindow(grid->hPane);
}

int yygridgetselrect(HWND window, RECT *rect) {
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid || grid->iSelFirstRow < 0 || !grid->phCells || !grid->hPane) return 0;
    int last = grid->iFirstRow + grid->nControlRows - 1;
    if (grid->iSelFirstRow > last || grid->iSelLastRow < grid->iFirstRow) return 0;
    int top = grid->iSelFirstRow < grid->iFirstRow ? grid->iFirstRow : grid->iSelFirstRow;
    int bottom = grid->iSelLastRow > last ? last : grid->iSelLastRow;
    HWND first = quill::GridCellControl(grid, grid->iSelFirstColumn, top);
    HWND final = quill::GridCellControl(grid, grid->iSelLastColumn, bottom);
    if (!first || !final) return 0;
    RECT a, b, pane;
    GetWindowRect(first, &a);
    GetWindowRect(final, &b);
    if (FieldRecord *record = quill::FieldRecordOf(final))
        if (record->upDown) {
            RECT u;
            GetWindowRect(record->upDown, &u);
            b.right = u.right;
        }
    MapWindowPoints(nullptr, grid->hPane, reinterpret_cast<POINT *>(&a), 2);
    MapWindowPoints(nullptr, grid->hPane, reinterpret_cast<POINT *>(&b), 2);
    GetClientRect(grid->hPane, &pane);
    rect->left = std::max(pane.left, a.left);
    rect->right = std::min(pane.right, b.right);
    rect->top = a.top;
    rect->bottom = b.top + (grid->iRowHeight);
    if (rect->bottom > b.bottom) rect->bottom = b.bottom;
    return rect->right > rect->left && rect->bottom > rect->top ? 1 : 0;
}

int yygridcheckclipboard() {
    std::string text;
    if (!ClipboardText(nullptr, &text)) return 0;
    return quill::GridClipboardKind(text.c_str(), text.size());
}

void yygridclipcount(int *rows, int *columns) {
    std::string text;
    if (!ClipboardText(nullptr, &text)) {
        *rows = *columns = 1;
        return;
    }
    quill::GridBlockSize(text.c_str(), text.size(), rows, columns);
}

int yygridcancut(HWND window) {
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid || grid->iSelFirstRow < 0 || (GetWindowLongA(window, GWL_STYLE) & kGridReadOnly))
        return 0;
    return AnyReadOnly(grid, grid->iSelFirstRow, grid->iSelLastRow, grid->iSelFirstColumn,
                       grid->iSelLastColumn)
               ? 0
               : 1;
}

int yygridcanpaste(HWND window) {
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid || !grid->pColumns || (GetWindowLongA(window, GWL_STYLE) & kGridReadOnly)) return 0;
    int rows = 1, columns = 1;
    yygridclipcount(&rows, &columns);
    int r1 = std::min(grid->iCurRow + rows - 1, grid->nRows - 1);
    int c1 = std::min(grid->iCurColumn + columns - 1, grid->nColumns - 1);
    return AnyReadOnly(grid, grid->iCurRow, r1, grid->iCurColumn, c1) ? 0 : 1;
}

std::string yyGridGetString(HWND window, int column, int row, int mode) {
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid || !grid->pColumns || column < 0 || column >= grid->nColumns || row < 0 ||
        row >= grid->nStoredRows)
        return std::string();
    const GridColumn &col = grid->pColumns[column];
    HWND cell = quill::GridCellControl(grid, column, row);
    if (col.iType == kGridCheck) {
        bool on = cell ? SendMessageA(cell, BM_GETCHECK, 0, 0) == BST_CHECKED
                       : quill::StoredGridInt(col, row) != 0;
        if (mode == 1)
            return std::string(1, on ? static_cast<char>(0xFC) : static_cast<char>(0xFB));
        return on ? "Yes" : "No";
    }
    if (col.iType == kGridMenu) {
        int index = cell ? static_cast<int>(SendMessageA(cell, CB_GETCURSEL, 0, 0))
                         : quill::StoredGridInt(col, row);
        return quill::GridOptionText(cell ? cell : quill::GridFirstCell(grid, column), index);
    }
    if (!cell) return quill::StoredGridString(grid, column, row);
    std::string text = quill::GridControlText(cell);
    std::size_t most = col.iType == kGridString    ? static_cast<std::size_t>(col.iLength)
                       : col.iType == kGridInteger ? 11
                                                   : 50;
    if (text.size() > most) text.resize(most);
    return text;
}

int yygridclipcopy(HWND window) {
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid || grid->iSelFirstRow < 0) return 0;
    int r0 = grid->iSelFirstRow, c0 = grid->iSelFirstColumn;
    // The block is sized from the texts themselves.
    std::string block = quill::GridBlockText(
        grid->iSelLastRow - r0 + 1, grid->iSelLastColumn - c0 + 1,
        [&](int r, int c) { return yyGridGetString(window, c0 + c, r0 + r, 0); });
    bool done = false;
    if (OpenClipboard(window)) {
        EmptyClipboard();
        if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, block.size() + 1)) {
            if (char *p = static_cast<char *>(GlobalLock(memory))) {
                std::memcpy(p, block.c_str(), block.size() + 1);
                GlobalUnlock(memory);
                done = SetClipboardData(CF_TEXT, memory) != nullptr;
            }
            if (!done) GlobalFree(memory);
        }
        CloseClipboard();
    }
    if (!done)
        MessageBoxA(window,
                    "Either the clipboard is in use by another application or there is\r"
                    "insufficient memory available for the amount of data being copied",
                    "Unable to Copy Data to Clipboard", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    return done ? 1 : 0;
}

void yygridclippaste(HWND window) {
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid || !grid->pColumns) return;
    std::string text;
    if (!ClipboardText(window, &text)) return;
    yygridselectnone(window);
    int c0 = grid->iCurColumn, r0 = grid->iCurRow;
    int lastRow = -1, lastColumn = -1;
    for (const GridBlockField &field :
         quill::GridBlockFields(text.c_str(), text.size(), grid->nRows - r0, grid->nColumns - c0)) {
        int c = c0 + field.column, r = r0 + field.row;
        PasteField(window, grid, c, r, field.text);
        lastRow = std::max(lastRow, r);
        lastColumn = std::max(lastColumn, c);
    }
    if (lastRow >= 0)
        ReportBlock(window, quill::GridCellCode(c0, r0), quill::GridCellCode(lastColumn, lastRow));
    quill::MarkGridEdited(grid);
}

void yygridclipdelete(HWND window) {
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid || grid->iSelFirstRow < 0 || !grid->pColumns) return;
    int r0 = grid->iSelFirstRow, r1 = grid->iSelLastRow, c0 = grid->iSelFirstColumn,
        c1 = grid->iSelLastColumn;
    yygridselectnone(window);
    for (int c = c0; c <= c1; ++c) {
        GridColumn &col = grid->pColumns[c];
        for (int r = r0; r <= r1 && r < grid->nStoredRows; ++r) {
            // Deleting keeps the cell's typed mark, unlike clearing it.
            if (HWND cell = quill::GridCellControl(grid, c, r))
                quill::EmptyCellControl(cell, col.iType, false);
            quill::ClearStoredValue(col, r);
            col.pFlags[r] &= static_cast<unsigned char>(~kCellHasValue);
        }
    }
    ReportBlock(window, quill::GridCellCode(c0, r0), quill::GridCellCode(c1, r1));
    quill::MarkGridEdited(grid);
}
