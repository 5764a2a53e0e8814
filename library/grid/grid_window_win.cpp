// The grid on screen: scrolling by bars, wheel and keys, the current cell and its change
// message, header and row-label clicks, the context menu, the inverted block, resizing of
// the pane, cell colours, and the subclass procedures of cells, spin buddies and headers.
// The window procedures stand last, each a flat switch over the small helpers above them.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/dialogs.h"
#include "core/display.h"
#include "core/fields.h"
#include "core/numeric_edit.h"
#include "core/startup.h"
#include "grid/grid_control.h"

namespace {

GridRecord *GridOfPane(HWND pane) { return quill::GridRecordOf(GetParent(pane)); }
HWND GridOfCell(HWND cell) { return GetParent(GetParent(cell)); }

bool IsEditType(int type) { return type >= kGridString && type <= kGridDouble; }

// Column and row of a cell control, false when it is none of the grid's.
bool CellPosition(const GridRecord *grid, HWND cell, int *column, int *row) {
    if (!grid || !grid->phCells) return false;
    std::size_t n = static_cast<std::size_t>(grid->nColumns) * grid->nControlRows;
    for (std::size_t i = 0; i < n; ++i)
        if (grid->phCells[i] == cell) {
            *column = static_cast<int>(i / static_cast<std::size_t>(grid->nControlRows));
            *row = grid->iFirstRow +
                   static_cast<int>(i % static_cast<std::size_t>(grid->nControlRows));
            return true;
        }
    return false;
}

bool FocusInGrid(HWND window) {
    HWND focus = GetFocus();
    return focus && (focus == window || IsChild(window, focus));
}

void SendCellChange(HWND window, const GridRecord *grid) {
    HWND parent = GetParent(window);
    if (parent && GM_CELLCHANGE)
        SendMessageA(parent, GM_CELLCHANGE, static_cast<WPARAM>(GetDlgCtrlID(window)),
                     static_cast<LPARAM>(quill::GridCellCode(grid->iCurColumn, grid->iCurRow)));
}

void SetScrollPosition(HWND window, int bar, int position) {
    if (GetWindowLongA(window, GWL_STYLE) & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL))
        SetScrollPos(window, bar, position, TRUE);
}

// A numeric cell with the focus that holds a refused value blocks every scroll.
bool ScrollBlocked(HWND window) {
    HWND focus = GetFocus();
    return focus && IsChild(window, focus) && quill::NumericClassKind(focus) &&
           yyoutofrange(focus, focus, 1);
}

void FocusCurrentCell(GridRecord *grid) {
    if (HWND cell = quill::GridCellControl(grid, grid->iCurColumn, grid->iCurRow)) SetFocus(cell);
}

// Shows the spare control row only when rows lie beyond the view.
void ShowSpareRow(GridRecord *grid) {
    if (grid->nVisibleRows >= grid->nControlRows) return;
    bool beyond = grid->iFirstRow + grid->nVisibleRows < grid->nRows;
    int i = grid->nControlRows - 1;
    for (int c = 0; c < grid->nColumns; ++c) {
        HWND cell = grid->phCells[static_cast<std::size_t>(c) * grid->nControlRows + i];
        int show = beyond && c >= grid->iFirstColumn ? SW_SHOWNA : SW_HIDE;
        ShowWindow(cell, show);
        if (FieldRecord *record = quill::FieldRecordOf(cell))
            if (record->upDown) ShowWindow(record->upDown, show);
    }
    if (grid->phRowLabels) ShowWindow(grid->phRowLabels[i], beyond ? SW_SHOWNA : SW_HIDE);
}

int VerticalDelta(const GridRecord *grid, int code, int thumb, int *thumbRow) {
    switch (code) {
    case SB_LINEUP: return -1;
    case SB_LINEDOWN: return 1;
    case SB_PAGEUP: return -grid->nVisibleRows;
    case SB_PAGEDOWN: return grid->nVisibleRows;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        int target = *thumbRow ? *thumbRow : thumb * grid->iScrollScale;
        *thumbRow = 0;
        return target - grid->iFirstRow;
    }
    default: return 0;
    }
}

int HorizontalDelta(const GridRecord *grid, int code, int thumb, int paneWidth) {
    switch (code) {
    case SB_LINELEFT: return -1;
    case SB_LINERIGHT: return 1;
    case SB_PAGELEFT: {
        int sum = 1, n = 0;
        for (int c = grid->iFirstColumn - 1; c >= 0 && sum < paneWidth; --c, ++n)
            sum += grid->pColumns[c].iWidth - 1;
        if (sum > paneWidth && n > 1) --n;
        return -n;
    }
    case SB_PAGERIGHT: return grid->iLastColumn - grid->iFirstColumn;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return thumb - grid->iFirstColumn;
    default: return 0;
    }
}

void ScrollThumbTo(HWND window, GridRecord *grid, int row) {
    grid->iThumbRow = row;
    quill::ScrollGridVertically(window, SB_THUMBPOSITION, 0);
    grid->iThumbRow = 0;
}

// Brings the current cell into view, scrolling as needed.
void ShowCurrentCell(HWND window, GridRecord *grid) {
    if (grid->iCurRow < grid->iFirstRow)
        ScrollThumbTo(window, grid, grid->iCurRow);
    else if (grid->iCurRow >= grid->iFirstRow + grid->nVisibleRows)
        ScrollThumbTo(window, grid, grid->iCurRow - grid->nVisibleRows + 1);
    if (grid->iCurColumn < grid->iFirstColumn) {
        quill::ScrollGridHorizontally(window, SB_THUMBPOSITION, grid->iCurColumn);
    } else if (grid->iCurColumn > grid->iLastColumn) {
        RECT pane;
        GetClientRect(grid->hPane, &pane);
        int sum = 1, first = grid->iCurColumn;
        for (int c = grid->iCurColumn; c >= 0; --c) {
            if (sum + grid->pColumns[c].iWidth - 1 > pane.right && c < grid->iCurColumn) break;
            sum += grid->pColumns[c].iWidth - 1;
            first = c;
        }
        quill::ScrollGridHorizontally(window, SB_THUMBPOSITION, first);
    }
}

// --- Grid window helpers ----------------------------------------------------------------------

void OnGridSetFocus(HWND window, GridRecord *grid, HWND from) {
    SendCellChange(window, grid);
    if (!grid->bInitialised || !grid->phCells) return;
    ShowCurrentCell(window, grid);
    HWND cell = quill::GridCellControl(grid, grid->iCurColumn, grid->iCurRow);
    if (!cell) return;
    SetFocus(cell);
    if (IsEditType(grid->pColumns[grid->iCurColumn].iType) && from &&
        GetParent(from) == grid->hPane) {
        SendMessageA(cell, EM_SETSEL, 0, -1);
        SendMessageA(cell, EM_SCROLLCARET, 0, 0);
    }
}

void OnGridEnable(GridRecord *grid, BOOL enable) {
    if (!grid->phCells) return;
    std::size_t n = static_cast<std::size_t>(grid->nColumns) * grid->nControlRows;
    for (std::size_t i = 0; i < n; ++i) {
        EnableWindow(grid->phCells[i], enable);
        if (FieldRecord *record = quill::FieldRecordOf(grid->phCells[i]))
            if (record->upDown) EnableWindow(record->upDown, enable);
    }
}

void OnGridSize(HWND window, GridRecord *grid) {
    if (!grid->bInitialised || !grid->hPane) return;
    RECT client;
    GetClientRect(window, &client);
    if (grid->hHeader) MoveWindow(grid->hHeader, 0, 0, client.right, grid->iHeaderHeight, TRUE);
    MoveWindow(grid->hPane, grid->iRowLabelWidth, grid->iHeaderHeight,
               client.right - grid->iRowLabelWidth, client.bottom - grid->iHeaderHeight, TRUE);
    quill::LayOutGrid(window);
    int current = grid->iCurColumn;
    if (grid->iCurColumn > grid->iLastColumn) {
        ShowCurrentCell(window, grid);
    } else if (grid->iFirstColumn > grid->iMaxFirstColumn) {
        quill::ScrollGridHorizontally(window, SB_THUMBPOSITION, grid->iMaxFirstColumn);
    }
    grid->iCurColumn = current;
    bOverride = 0;
}

// Header and row-label notifications: clicks select blocks; dragging a divider is refused.
LRESULT OnGridNotify(HWND window, GridRecord *grid, const NMHDR *header) {
    switch (header->code) {
    case HDN_BEGINTRACKA:
    case HDN_BEGINTRACKW:
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW: return TRUE;
    case HDN_ITEMCLICKA:
    case HDN_ITEMCLICKW: break;
    default: return 0;
    }
    if (!grid->bInitialised || !grid->phCells) return 0;
    const NMHEADERA *click = reinterpret_cast<const NMHEADERA *>(header);
    bool shift = GetKeyState(VK_SHIFT) < 0;
    SetFocus(window);
    if (header->hwndFrom == grid->hHeader) {
        int item = click->iItem;
        if (item == 0) {
            yygridselectrange(window, 0, grid->nRows - 1, 0, grid->nColumns - 1);
        } else if (shift) {
            int a = grid->iCurColumn, b = item - 1;
            yygridselectrange(window, 0, grid->nRows - 1, a < b ? a : b, a < b ? b : a);
        } else {
            grid->iCurRow = grid->iFirstRow;
            grid->iCurColumn = item - 1;
            yygridselectrange(window, 0, grid->nRows - 1, item - 1, item - 1);
        }
    } else {
        int row = GetDlgCtrlID(header->hwndFrom) + grid->iFirstRow;
        if (row >= grid->nRows) return 0;
        if (shift) {
            int a = grid->iCurRow;
            yygridselectrange(window, a < row ? a : row, a < row ? row : a, 0, grid->nColumns - 1);
        } else {
            grid->iCurRow = row;
            grid->iCurColumn = grid->iFirstColumn;
            yygridselectrange(window, row, row, 0, grid->nColumns - 1);
        }
    }
    return 0;
}

void OnGridCommand(HWND window, GridRecord *grid, UINT id) {
    HWND target = grid->hMenuTarget;
    switch (id) {
    case kGridCmdBlockCut:
        if (yygridclipcopy(window)) yygridclipdelete(window);
        break;
    case kGridCmdBlockCopy: yygridclipcopy(window); break;
    case kGridCmdBlockPaste: yygridclippaste(window); break;
    case kGridCmdBlockDelete: yygridclipdelete(window); break;
    case kGridCmdUndo: SendMessageA(target, EM_UNDO, 0, 0); break;
    case kGridCmdCut: SendMessageA(target, WM_CUT, 0, 0); break;
    case kGridCmdCopy: SendMessageA(target, WM_COPY, 0, 0); break;
    case kGridCmdPaste: SendMessageA(target, WM_PASTE, 0, 0); break;
    case kGridCmdDelete: SendMessageA(target, WM_CLEAR, 0, 0); break;
    case kGridCmdSelectAll:
        SendMessageA(target, EM_SETSEL, 0, -1);
        SendMessageA(target, EM_SCROLLCARET, 0, 0);
        break;
    default: break;
    }
}

// --- Context menu -------------------------------------------------------------------------

bool CellReadOnly(const GridRecord *grid, HWND cell) {
    int column = 0, row = 0;
    if (!CellPosition(grid, cell, &column, &row) || row >= grid->nStoredRows) return false;
    return (grid->pColumns[column].pFlags[row] & kCellReadOnly) != 0;
}

void ContextMenu(HWND window, GridRecord *grid, HWND target, int x, int y) {
    grid->hMenuTarget = target;
    bool block = grid->iSelFirstRow >= 0;
    int column = 0, row = 0;
    bool edit = target != grid->hPane && CellPosition(grid, target, &column, &row) &&
                IsEditType(grid->pColumns[column].iType);
    bool readOnly =
        (GetWindowLongA(window, GWL_STYLE) & kGridReadOnly) || (edit && CellReadOnly(grid, target));
    DWORD selection = edit ? static_cast<DWORD>(SendMessageA(target, EM_GETSEL, 0, 0)) : 0;
    bool selected = LOWORD(selection) != HIWORD(selection);
    int length = edit ? GetWindowTextLengthA(target) : 0;
    UINT grey = MF_GRAYED;
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    bool undo = edit && !block && SendMessageA(target, EM_CANUNDO, 0, 0) && !readOnly;
    AppendMenuA(menu, MF_STRING | (undo ? 0 : grey), kGridCmdUndo, "&Undo");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    bool editCut = edit && selected && !readOnly;
    if (block)
        AppendMenuA(menu, MF_STRING | (yygridcancut(window) ? 0 : grey), kGridCmdBlockCut, "Cu&t");
    else
        AppendMenuA(menu, MF_STRING | (editCut ? 0 : grey), kGridCmdCut, "Cu&t");
    if (block)
        AppendMenuA(menu, MF_STRING, kGridCmdBlockCopy, "&Copy");
    else
        AppendMenuA(menu, MF_STRING | (edit && selected ? 0 : grey), kGridCmdCopy, "&Copy");
    int kind = yygridcheckclipboard();
    if (kind == 2)
        AppendMenuA(menu, MF_STRING | (yygridcanpaste(window) ? 0 : grey), kGridCmdBlockPaste,
                    "&Paste");
    else
        AppendMenuA(menu, MF_STRING | (kind == 1 && edit && !readOnly ? 0 : grey), kGridCmdPaste,
                    "&Paste");
    if (block)
        AppendMenuA(menu, MF_STRING | (yygridcancut(window) ? 0 : grey), kGridCmdBlockDelete,
                    "&Delete");
    else
        AppendMenuA(menu, MF_STRING | (editCut ? 0 : grey), kGridCmdDelete, "&Delete");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    bool all = LOWORD(selection) == 0 && static_cast<int>(HIWORD(selection)) >= length;
    bool selectAll = !block && edit && length > 0 && !all;
    AppendMenuA(menu, MF_STRING | (selectAll ? 0 : grey), kGridCmdSelectAll, "Select &All");
    if (x == -1 && y == -1) {
        RECT r;
        GetWindowRect(target, &r);
        x = r.left;
        y = r.bottom;
    }
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, window, nullptr);
    DestroyMenu(menu);
}

// --- Pane helpers -----------------------------------------------------------------------------

// The pane paints its background; the cells paint themselves. A selected block is inverted
// over the cells, so they are brought up to date first; without one the window system paints
// them in its own turn, and asking each of them here would only cost a round trip apiece.
void OnPanePaint(HWND pane, GridRecord *grid) {
    PAINTSTRUCT ps;
    BeginPaint(pane, &ps);
    EndPaint(pane, &ps);
    RECT r;
    if (grid && yygridgetselrect(GetParent(pane), &r)) {
        for (HWND c = GetWindow(pane, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) UpdateWindow(c);
        HDC dc = GetDCEx(pane, nullptr, DCX_CACHE);
        if (dc) {
            InvertRect(dc, &r);
            ReleaseDC(pane, dc);
        }
    }
}

void OnCellNotify(HWND pane, GridRecord *grid, HWND cell, int code) {
    HWND window = GetParent(pane);
    int column = 0, row = 0;
    bool known = CellPosition(grid, cell, &column, &row);
    ATOM atom = quill::WindowClassAtom(cell);
    bool check = atom == atomButton, menu = atom == atomCombo;
    if ((check && code == BN_CLICKED) || (menu && code == CBN_SELCHANGE)) {
        quill::MarkGridEdited(grid);
        bool readOnly = (GetWindowLongA(window, GWL_STYLE) & kGridReadOnly) ||
                        (known && row < grid->nStoredRows &&
                         (grid->pColumns[column].pFlags[row] & kCellReadOnly));
        if (readOnly) {
            if (menu && known)
                SendMessageA(cell, CB_SETCURSEL,
                             static_cast<WPARAM>(
                                 reinterpret_cast<int *>(grid->pColumns[column].pValues)[row]),
                             0);
        } else {
            SendCellChange(window, grid);
            yygridselectnone(window);
        }
        return;
    }
    if ((check && code == BN_SETFOCUS) || (menu && code == CBN_SETFOCUS) ||
        (!check && !menu && code == EN_SETFOCUS)) {
        if (!known) return;
        yygridupdatecell(window, column, row, 0);
        if (row - grid->iFirstRow >= grid->nVisibleRows)
            quill::ScrollGridVertically(window, SB_LINEDOWN, 0);
        if (column > grid->iLastColumn) quill::ScrollGridHorizontally(window, SB_LINERIGHT, 0);
        return;
    }
    if (!check && !menu && code == EN_CHANGE) {
        quill::MarkGridEdited(grid);
        yygridselectnone(window);
        return;
    }
    if (menu && code == CBN_DROPDOWN) grid->hDroppedCombo = cell;
    if (menu && code == CBN_CLOSEUP) grid->hDroppedCombo = nullptr;
}

void OnPaneSpin(HWND pane, GridRecord *grid, WPARAM wParam, LPARAM lParam) {
    HWND window = GetParent(pane);
    if (LOWORD(wParam) == SB_ENDSCROLL) return;
    if (!yyismodaldialog(GetParent(window))) SendCellChange(window, grid);
    quill::MarkGridEdited(grid);
    yygridselectnone(window);
    SendMessageA(GetParent(window), WM_VSCROLL, wParam, lParam);
}

HBRUSH OnCellColour(HWND pane, GridRecord *grid, UINT message, HDC dc, HWND cell) {
    (void)grid;
    if (GetParent(cell) != pane) return nullptr;
    FieldRecord *record = quill::FieldRecordOf(cell);
    FieldRecord *own = quill::FieldRecordOf(GetParent(pane));
    COLORREF fore = record ? record->foreground : QUILL_DEFAULT_COLOUR;
    COLORREF back = record ? record->background : QUILL_DEFAULT_COLOUR;
    if (fore == QUILL_DEFAULT_COLOUR && own) fore = own->foreground;
    if (back == QUILL_DEFAULT_COLOUR && own) back = own->background;
    if (fore == QUILL_DEFAULT_COLOUR && back == QUILL_DEFAULT_COLOUR) return nullptr;
    bool button = message == WM_CTLCOLORBTN ||
                  (message == WM_CTLCOLORSTATIC && quill::WindowClassAtom(cell) == atomButton);
    return quill::ColourControl(dc, fore, back, button, button);
}

// Pane resize: control rows are added or removed to fill the new height.
void OnPaneSize(HWND pane, GridRecord *grid);

// --- Cell subclass helpers --------------------------------------------------------------------

// Moves the current cell by key, ringing the bell at an edge.
void MoveTo(HWND window, GridRecord *grid, int column, int row) {
    if (column < 0 || row < 0 || column >= grid->nColumns || row >= grid->nRows) {
        yyringbell2();
        return;
    }
    yygridupdatecell(window, column, row, 1);
}

void MoveHorizontally(HWND window, GridRecord *grid, int step) {
    LONG style = GetWindowLongA(window, GWL_STYLE);
    int column = grid->iCurColumn + step, row = grid->iCurRow;
    if (column >= grid->nColumns) {
        if ((style & kGridWrap) && row < grid->nRows - 1)
            column = 0, ++row;
        else
            column = -1;
    } else if (column < 0) {
        if ((style & kGridWrap) && row > 0)
            column = grid->nColumns - 1, --row;
        else
            column = -1;
    }
    MoveTo(window, grid, column, row);
}

bool ListOpen(HWND cell) {
    return quill::WindowClassAtom(cell) == atomCombo &&
           SendMessageA(cell, CB_GETDROPPEDSTATE, 0, 0);
}

bool ChildFrameParent(HWND window) {
    HWND parent = GetParent(window);
    return parent && (GetWindowLongA(parent, GWL_STYLE) & WS_CHILD) &&
           GetParent(parent) == hClient[0] && hClient[0];
}

// A key in a cell; true when the grid used it.
bool OnCellKey(HWND cell, HWND window, GridRecord *grid, WPARAM key) {
    LONG style = GetWindowLongA(window, GWL_STYLE);
    int type = -1, column = 0, row = 0;
    if (CellPosition(grid, cell, &column, &row)) type = grid->pColumns[column].iType;
    bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
    bool edit = IsEditType(type);
    switch (key) {
    case VK_TAB:
        if (style & kGridTabCells) {
            MoveHorizontally(window, grid, shift ? -1 : 1);
            return true;
        }
        if (type == kGridCheck || type == kGridMenu) {
            HWND dialog = GetParent(window);
            SetFocus(GetNextDlgTabItem(dialog, window, shift));
            return true;
        }
        return false;
    case VK_RETURN:
        if (!(style & kGridEnterDown)) return false;
        MoveTo(window, grid, grid->iCurColumn, grid->iCurRow + 1);
        return true;
    case VK_DOWN:
        if (ListOpen(cell)) return false;
        MoveTo(window, grid, grid->iCurColumn, grid->iCurRow + 1);
        return true;
    case VK_UP:
        if (ListOpen(cell)) return false;
        MoveTo(window, grid, grid->iCurColumn, grid->iCurRow - 1);
        return true;
    case VK_ESCAPE:
        if ((type == kGridCheck || type == kGridMenu) && !ChildFrameParent(window)) {
            PostMessageA(GetParent(window), WM_CLOSE, 0, 0);
            return true;
        }
        return false;
    case VK_PRIOR:
        if (ListOpen(cell)) return false;
        if (ctrl)
            MoveTo(window, grid, grid->iCurColumn, 0);
        else
            quill::ScrollGridVertically(window, SB_PAGEUP, 0);
        return true;
    case VK_NEXT:
        if (ListOpen(cell)) return false;
        if (ctrl)
            MoveTo(window, grid, grid->iCurColumn, grid->nRows - 1);
        else if (grid->nRows > grid->nVisibleRows)
            quill::ScrollGridVertically(window, SB_PAGEDOWN, 0);
        return true;
    case VK_HOME:
    case VK_END:
        if (!ctrl) return false;
        MoveTo(window, grid, key == VK_HOME ? 0 : grid->nColumns - 1, grid->iCurRow);
        return true;
    case VK_LEFT:
    case VK_RIGHT: {
        if (edit) {
            DWORD end = 0;
            SendMessageA(cell, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end));
            if (key == VK_LEFT ? end != 0 : static_cast<int>(end) < GetWindowTextLengthA(cell))
                return false;
        }
        if (ctrl)
            quill::ScrollGridHorizontally(window, key == VK_LEFT ? SB_PAGELEFT : SB_PAGERIGHT, 0);
        else
            MoveHorizontally(window, grid, key == VK_LEFT ? -1 : 1);
        return true;
    }
    case VK_INSERT:
        if (!shift || yygridcheckclipboard() != 2) return false;
        if (yygridcanpaste(window)) yygridclippaste(window);
        return true;
    case VK_DELETE:
        if (grid->iSelFirstRow < 0) return false;
        if (yygridcancut(window)) {
            if (!shift || yygridclipcopy(window)) yygridclipdelete(window);
        }
        return true;
    default: return false;
    }
}

// A character in a cell; true when the grid used it.
bool OnCellChar(HWND cell, HWND window, GridRecord *grid, WPARAM ch) {
    bool block = grid->iSelFirstRow >= 0;
    switch (ch) {
    case 1:
        if (!quill::IsEditField(cell)) return false;
        SendMessageA(cell, EM_SETSEL, 0, -1);
        SendMessageA(cell, EM_SCROLLCARET, 0, 0);
        return true;
    case 3:
        if (!block) return false;
        yygridclipcopy(window);
        return true;
    case 22:
        if (yygridcheckclipboard() != 2) return false;
        if (yygridcanpaste(window)) yygridclippaste(window);
        return true;
    case 24:
        if (!block) return false;
        if (yygridcancut(window) && yygridclipcopy(window)) yygridclipdelete(window);
        return true;
    case '\t':
    case '\r': return true;
    default: return false;
    }
}

void OnCellSetFocus(HWND cell, HWND window, GridRecord *grid, HWND from) {
    if (quill::WindowClassAtom(cell) == atomButton) {
        bNotFromGrid = 0;
        SendMessageA(grid->hPane, WM_COMMAND, MAKEWPARAM(0xFFFF, BN_SETFOCUS),
                     reinterpret_cast<LPARAM>(cell));
    }
    bool inside = from && (from == window || from == grid->hPane || GetParent(from) == grid->hPane);
    if (!inside) {
        bNotFromGrid = 1;
    } else {
        bNotFromGrid = 0;
        if (bClear)
            yygridselectnone(window);
        else
            bClear = 1;
    }
}

void OnCellKillFocus(HWND window, HWND to) {
    HWND parent = GetParent(window);
    bool other = to != window && !(ChildFrameParent(window) && to == parent);
    bClear = other;
    if (other) yygridselectnone(window);
}

void OnCellShiftClick(HWND cell, HWND window, GridRecord *grid) {
    int column = 0, row = 0;
    if (!CellPosition(grid, cell, &column, &row)) return;
    if (column == grid->iCurColumn && row == grid->iCurRow) {
        yygridselectnone(window);
        return;
    }
    int r0 = grid->iCurRow < row ? grid->iCurRow : row,
        r1 = grid->iCurRow < row ? row : grid->iCurRow;
    int c0 = grid->iCurColumn < column ? grid->iCurColumn : column;
    int c1 = grid->iCurColumn < column ? column : grid->iCurColumn;
    yygridselectrange(window, r0, r1, c0, c1);
}

}  // namespace

// --- Shared routines -------------------------------------------------------------------------

void yygridupdatecell(HWND window, int column, int row, int setFocus) {
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid) return;
    if (column == grid->iCurColumn && row == grid->iCurRow && !bNotFromGrid && !setFocus) return;
    grid->iCurColumn = column;
    grid->iCurRow = row;
    if (setFocus)
        SetFocus(window);
    else if (FocusInGrid(window))
        SendCellChange(window, grid);
}

void quill::ScrollGridVertically(HWND window, int code, int position) {
    GridRecord *grid = GridRecordOf(window);
    if (!grid || !grid->phCells || ScrollBlocked(window)) return;
    yygridselectnone(window);
    int delta = VerticalDelta(grid, code, position, &grid->iThumbRow);
    if (delta < 0 && delta < -grid->iFirstRow) delta = -grid->iFirstRow;
    if (delta > 0) {
        int room = grid->nRows - grid->nVisibleRows - grid->iFirstRow;
        if (room < 1) room = 0;
        if (delta > room) delta = room;
    }
    if (delta == 0) return;
    GridRefillGuard unchanged(grid);
    bool focus = FocusInGrid(window);
    yyGridStoreCells(grid);
    grid->iFirstRow += delta;
    SetScrollPosition(window, SB_VERT, grid->iFirstRow / grid->iScrollScale);
    int row = grid->iCurRow;
    if (row < grid->iFirstRow) row = grid->iFirstRow;
    if (row > grid->iFirstRow + grid->nVisibleRows - 1)
        row = grid->iFirstRow + grid->nVisibleRows - 1;
    if (row >= grid->nRows) row = grid->nRows - 1;
    yygridupdatecell(window, grid->iCurColumn, row, 0);
    yygridupdatecells(grid);
    if (focus) FocusCurrentCell(grid);
    ShowSpareRow(grid);
}

void quill::ScrollGridHorizontally(HWND window, int code, int position) {
    GridRecord *grid = GridRecordOf(window);
    if (!grid || !grid->phCells || ScrollBlocked(window)) return;
    yygridselectnone(window);
    RECT pane;
    GetClientRect(grid->hPane, &pane);
    int delta = HorizontalDelta(grid, code, position, pane.right);
    if (delta < -grid->iFirstColumn) delta = -grid->iFirstColumn;
    if (delta > grid->iMaxFirstColumn - grid->iFirstColumn)
        delta = grid->iMaxFirstColumn - grid->iFirstColumn;
    if (delta == 0) return;
    int shift = 0;
    int from = delta > 0 ? grid->iFirstColumn : grid->iFirstColumn + delta;
    int to = delta > 0 ? grid->iFirstColumn + delta : grid->iFirstColumn;
    for (int c = from; c < to; ++c) shift += grid->pColumns[c].iWidth - 1;
    if (delta > 0) shift = -shift;
    bool focus = FocusInGrid(window);
    grid->iFirstColumn += delta;
    SetScrollPosition(window, SB_HORZ, grid->iFirstColumn);
    LayOutGrid(window);
    int column = grid->iCurColumn;
    if (column < grid->iFirstColumn) column = grid->iFirstColumn;
    if (column > grid->iLastColumn) column = grid->iLastColumn;
    yygridupdatecell(window, column, grid->iCurRow, 0);
    if (focus) FocusCurrentCell(grid);
    if (grid->hHeader)
        for (int c = 0; c < grid->nColumns; ++c) {
            HDITEMA item = {};
            item.mask = HDI_WIDTH;
            item.cxy = c < grid->iFirstColumn ? 0 : grid->pColumns[c].iWidth - 1;
            SendMessageA(grid->hHeader, HDM_SETITEMA, static_cast<WPARAM>(c + 1),
                         reinterpret_cast<LPARAM>(&item));
        }
    ScrollWindowEx(grid->hPane, shift, 0, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    InvalidateRect(grid->hPane, nullptr, TRUE);
    if (grid->hHeader) InvalidateRect(grid->hHeader, nullptr, TRUE);
}

namespace {

void OnWheel(HWND window, GridRecord *grid, int delta) {
    grid->iWheelRest += delta;
    while (grid->iWheelRest >= 120) {
        grid->iWheelRest -= 120;
        quill::ScrollGridVertically(window, SB_LINEUP, 0);
    }
    while (grid->iWheelRest <= -120) {
        grid->iWheelRest += 120;
        quill::ScrollGridVertically(window, SB_LINEDOWN, 0);
    }
}

// Windows 9x limits the number of windows: the growth of a pane is capped there.
int WindowCount = 0;

}  // namespace

BOOL CALLBACK yyWindowCount2(HWND window, LPARAM counter) {
    (void)window;
    ++*reinterpret_cast<int *>(counter);
    return TRUE;
}

BOOL CALLBACK yyWindowCount1(HWND window, LPARAM counter) {
    ++*reinterpret_cast<int *>(counter);
    EnumChildWindows(window, yyWindowCount2, counter);
    return TRUE;
}

namespace {

bool Windows9x() { return (GetVersion() & 0x80000000u) != 0; }

void OnPaneSize(HWND pane, GridRecord *grid) {
    HWND window = GetParent(pane);
    if (!grid->phCells || !grid->pColumns) return;
    // New control rows are made and filled from the rows: no cell is edited.
    quill::GridRefillGuard unchanged(grid);
    bOverride = 1;
    RECT r;
    GetClientRect(pane, &r);
    int a = (r.bottom - grid->iRowHeight) / (grid->iRowHeight - 1) + 1;
    if (a < 1) a = 1;
    int n = a + 1 < grid->nRows ? a + 1 : grid->nRows;
    if (n < 1) n = 1;
    if (n == grid->nControlRows) {
        grid->nVisibleRows = a;
    } else if (n < grid->nControlRows) {
        if (grid->iCurRow >= grid->iFirstRow + a)
            ScrollThumbTo(window, grid, grid->iCurRow - a + 1);
        yyGridStoreCells(grid);
        int old = grid->nControlRows;
        for (int c = 0; c < grid->nColumns; ++c)
            for (int i = n; i < old; ++i) {
                HWND cell = grid->phCells[static_cast<std::size_t>(c) * old + i];
                if (FieldRecord *record = quill::FieldRecordOf(cell)) {
                    if (record->upDown) {
                        WNDPROC proc = reinterpret_cast<WNDPROC>(
                            GetWindowLongPtrA(record->upDown, GWLP_USERDATA));
                        if (proc)
                            SetWindowLongPtrA(record->upDown, GWLP_WNDPROC,
                                              reinterpret_cast<LONG_PTR>(proc));
                        DestroyWindow(record->upDown);
                        record->upDown = nullptr;
                    }
                    if (record->oldProc)
                        SetWindowLongPtrA(cell, GWLP_WNDPROC,
                                          reinterpret_cast<LONG_PTR>(record->oldProc));
                    if (quill::NumericClassKind(cell) == 0) {
                        SetWindowLongPtrA(cell, GWLP_USERDATA, 0);
                        quill::FreeFieldRecord(record);
                    }
                }
                DestroyWindow(cell);
            }
        for (int c = 0; c < grid->nColumns; ++c)
            for (int i = 0; i < n; ++i)
                grid->phCells[static_cast<std::size_t>(c) * n + i] =
                    grid->phCells[static_cast<std::size_t>(c) * old + i];
        if (grid->phRowLabels)
            for (int i = n; i < old; ++i)
                DestroyWindow(grid->phRowLabels[i]), grid->phRowLabels[i] = nullptr;
        grid->nControlRows = n;
        grid->nVisibleRows = a;
        yygridupdatecells(grid);
    } else {
        if (Windows9x()) {
            WindowCount = 0;
            EnumWindows(yyWindowCount1, reinterpret_cast<LPARAM>(&WindowCount));
            int cost = grid->nColumns + (grid->phRowLabels ? 1 : 0);
            for (int c = 0; c < grid->nColumns; ++c)
                if (quill::IsSpinField(
                        grid->phCells[static_cast<std::size_t>(c) * grid->nControlRows]))
                    ++cost;
            int most = grid->nControlRows + (16000 - WindowCount) / (cost > 0 ? cost : 1);
            if (n > most) n = most;
        }
        yyGridStoreCells(grid);
        if (grid->iFirstRow + a > grid->nRows) {
            int current = grid->iCurRow;
            ScrollThumbTo(window, grid, grid->nRows - a > 0 ? grid->nRows - a : 0);
            grid->iCurRow = current;
        }
        int old = grid->nControlRows;
        HWND *cells = static_cast<HWND *>(
            std::calloc(static_cast<std::size_t>(grid->nColumns) * n, sizeof(HWND)));
        HWND *labels =
            grid->phRowLabels
                ? static_cast<HWND *>(std::calloc(static_cast<std::size_t>(n) + 1, sizeof(HWND)))
                : nullptr;
        if (!cells || (grid->phRowLabels && !labels)) {
            std::free(cells);
            std::free(labels);
            bOverride = 0;
            return;
        }
        for (int c = 0; c < grid->nColumns; ++c)
            for (int i = 0; i < old; ++i)
                cells[static_cast<std::size_t>(c) * n + i] =
                    grid->phCells[static_cast<std::size_t>(c) * old + i];
        if (labels) {
            for (int i = 0; i < old; ++i) labels[i] = grid->phRowLabels[i];
            std::free(grid->phRowLabels);
            grid->phRowLabels = labels;
        }
        std::free(grid->phCells);
        grid->phCells = cells;
        grid->nControlRows = n;
        for (int i = old; i < n; ++i) {
            if (labels) labels[i] = quill::AddGridRowLabel(window, grid, i);
            for (int c = 0; c < grid->nColumns; ++c)
                cells[static_cast<std::size_t>(c) * n + i] = quill::AddGridControlRow(grid, i, c);
        }
        grid->nVisibleRows = a;
        yygridupdatecells(grid);
        ShowSpareRow(grid);
    }
    if (!grid->bDisplayOnly && FocusInGrid(window)) SetFocus(window);
    bOverride = 0;
}

// --- Header images ------------------------------------------------------------------------

// The column header and the row labels are header controls, whose items may be drawn from the
// theme's images: a paint of one costs many times that of a cell. Each header is drawn once
// into an image of its own, and later paints copy that image while nothing the header shows
// has changed; any message but those that only read or paint the header drops the image.
struct HeaderState {
    WNDPROC proc;
    HBITMAP image;
    int width, height;
    bool current;
};

bool KeepsHeaderImage(UINT message) {
    switch (message) {
    case WM_ERASEBKGND:
    case WM_NCPAINT:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_GETFONT:
    case WM_GETDLGCODE:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_PRINTCLIENT:
    case HDM_GETITEMCOUNT:
    case HDM_GETITEMA:
    case HDM_GETITEMW:
    case HDM_GETITEMRECT:
    case HDM_HITTEST:
    case HDM_ORDERTOINDEX: return true;
    default: return false;
    }
}

LRESULT PaintHeader(HWND header, HeaderState *state) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(header, &ps);
    if (!dc) return 0;
    RECT client;
    GetClientRect(header, &client);
    // A palette display may map the image's colours otherwise than the header's own drawing.
    HDC memory = (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) ? nullptr : CreateCompatibleDC(dc);
    if (memory &&
        (!state->image || state->width != client.right || state->height != client.bottom)) {
        if (state->image) DeleteObject(state->image);
        bool empty = client.right <= 0 || client.bottom <= 0;
        state->image = empty ? nullptr : CreateCompatibleBitmap(dc, client.right, client.bottom);
        state->width = client.right;
        state->height = client.bottom;
        state->current = false;
    }
    HGDIOBJ previous = memory && state->image ? SelectObject(memory, state->image) : nullptr;
    if (previous) {
        if (!state->current) {
            // The header erases nothing: where its images are transparent, what lay there shows.
            BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
            CallWindowProcA(state->proc, header, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
            state->current = true;
        }
        BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, memory, ps.rcPaint.left, ps.rcPaint.top,
               SRCCOPY);
        SelectObject(memory, previous);
    } else {
        CallWindowProcA(state->proc, header, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
    if (memory) DeleteDC(memory);
    EndPaint(header, &ps);
    return 0;
}

// Passes the default-button query of a multi-line cell on to the dialog.
LRESULT OnDefaultButton(HWND pane) {
    HWND dialog = GetParent(GetParent(pane));
    LRESULT answer = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    if (HIWORD(answer) == DC_HASDEFID) {
        HWND button = GetDlgItem(dialog, LOWORD(answer));
        if (button && IsWindowEnabled(button))
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(LOWORD(answer), BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
    }
    return answer;
}

}  // namespace

// --- Window procedures ----------------------------------------------------------------------

void quill::SubclassGridHeader(HWND header) {
    HeaderState *state = static_cast<HeaderState *>(std::calloc(1, sizeof(HeaderState)));
    if (!state) return;
    state->proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(header, GWLP_WNDPROC));
    SetWindowLongPtrA(header, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    SetWindowLongPtrA(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(yygridsubheader));
}

LRESULT CALLBACK yygridsubheader(HWND header, UINT message, WPARAM wParam, LPARAM lParam) {
    HeaderState *state = reinterpret_cast<HeaderState *>(GetWindowLongPtrA(header, GWLP_USERDATA));
    WNDPROC old = state ? state->proc : nullptr;
    if (!old) return DefWindowProcA(header, message, wParam, lParam);
    GridRecord *grid = quill::GridRecordOf(GetParent(header));
    switch (message) {
    case WM_SETCURSOR: SetCursor(LoadCursor(nullptr, IDC_ARROW)); return TRUE;
    case WM_NCHITTEST:
        if (grid && grid->bDisplayOnly) return HTTRANSPARENT;
        break;
    case WM_PAINT:
        if (!wParam) return PaintHeader(header, state);
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        SetWindowLongPtrA(header, GWLP_USERDATA, 0);
        if (state->image) DeleteObject(state->image);
        std::free(state);
        return CallWindowProcA(old, header, message, wParam, lParam);
    default:
        if (!KeepsHeaderImage(message)) state->current = false;
        break;
    }
    return CallWindowProcA(old, header, message, wParam, lParam);
}

LRESULT CALLBACK yygridspinwndproc(HWND spin, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC old = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(spin, GWLP_USERDATA));
    if (message == WM_LBUTTONDOWN && (wParam & MK_SHIFT)) {
        HWND buddy = reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0));
        if (buddy) return SendMessageA(buddy, message, wParam, lParam);
    }
    return old ? CallWindowProcA(old, spin, message, wParam, lParam)
               : DefWindowProcA(spin, message, wParam, lParam);
}

LRESULT CALLBACK yygridcellwndproc(HWND cell, UINT message, WPARAM wParam, LPARAM lParam) {
    FieldRecord *record = quill::FieldRecordOf(cell);
    WNDPROC old = record && record->oldProc ? record->oldProc : nullptr;
    HWND window = GridOfCell(cell);
    GridRecord *grid = quill::GridRecordOf(window);
    if (!old) return DefWindowProcA(cell, message, wParam, lParam);
    if (!grid) return CallWindowProcA(old, cell, message, wParam, lParam);
    switch (message) {
    case WM_SETFOCUS: OnCellSetFocus(cell, window, grid, reinterpret_cast<HWND>(wParam)); break;
    case WM_KILLFOCUS: {
        LRESULT result = CallWindowProcA(old, cell, message, wParam, lParam);
        OnCellKillFocus(window, reinterpret_cast<HWND>(wParam));
        return result;
    }
    case WM_SETTEXT: {
        LRESULT result = CallWindowProcA(old, cell, message, wParam, lParam);
        if (!bGridDeferPaint) UpdateWindow(cell);
        return result;
    }
    case WM_MOUSEWHEEL: return DefWindowProcA(cell, message, wParam, lParam);
    case WM_NCHITTEST:
        if (grid->bDisplayOnly) return HTTRANSPARENT;
        break;
    case WM_GETDLGCODE: {
        LRESULT code = CallWindowProcA(old, cell, message, wParam, lParam);
        LONG style = GetWindowLongA(window, GWL_STYLE);
        if (style & kGridEnterDown) return code | DLGC_WANTALLKEYS;
        LRESULT low = (code | DLGC_WANTARROWS | DLGC_WANTCHARS |
                       ((style & kGridTabCells) ? DLGC_WANTTAB : 0)) &
                      0xFF;
        return (code & ~0xFF) | low;
    }
    case WM_LBUTTONDOWN:
        if (wParam & MK_SHIFT) {
            OnCellShiftClick(cell, window, grid);
            return 0;
        }
        break;
    case WM_CONTEXTMENU:
        if (grid->iSelFirstRow < 0) SetFocus(cell);
        ContextMenu(window, grid, cell, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_KEYDOWN:
        if (OnCellKey(cell, window, grid, wParam)) return 0;
        break;
    case WM_CHAR:
        if (OnCellChar(cell, window, grid, wParam)) return 0;
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(cell, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        return CallWindowProcA(old, cell, message, wParam, lParam);
    default: break;
    }
    return CallWindowProcA(old, cell, message, wParam, lParam);
}

LRESULT CALLBACK yygridwndprocclient(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
    GridRecord *grid = GridOfPane(pane);
    if (!grid) return DefWindowProcA(pane, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: OnPanePaint(pane, grid); return 0;
    case WM_SIZE: OnPaneSize(pane, grid); return 0;
    case WM_COMMAND:
        if (lParam && GetParent(reinterpret_cast<HWND>(lParam)) == pane) {
            OnCellNotify(pane, grid, reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        }
        return SendMessageA(GetParent(GetParent(pane)), message, wParam, lParam);
    case WM_VSCROLL:
    case WM_HSCROLL:
        if (lParam) OnPaneSpin(pane, grid, wParam, lParam);
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (HBRUSH brush = OnCellColour(pane, grid, message, reinterpret_cast<HDC>(wParam),
                                        reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_CONTEXTMENU:
        ContextMenu(GetParent(pane), grid, pane, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_CLOSE:
    case WM_NEXTDLGCTL:
    case WM_NOTIFY: return SendMessageA(GetParent(GetParent(pane)), message, wParam, lParam);
    case DM_GETDEFID: return OnDefaultButton(pane);
    case WM_NCHITTEST:
        if (grid->bDisplayOnly) return HTTRANSPARENT;
        break;
    default: break;
    }
    return DefWindowProcA(pane, message, wParam, lParam);
}

LRESULT CALLBACK yygridwndproc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    bool handled = false;
    LRESULT result = quill::GridBuildMessage(window, message, wParam, lParam, &handled);
    if (handled) return result;
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_VSCROLL: quill::ScrollGridVertically(window, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_HSCROLL:
        quill::ScrollGridHorizontally(window, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL: OnWheel(window, grid, GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_SETFOCUS: OnGridSetFocus(window, grid, reinterpret_cast<HWND>(wParam)); return 0;
    case WM_ENABLE: OnGridEnable(grid, static_cast<BOOL>(wParam)); return 0;
    case WM_SIZE: OnGridSize(window, grid); return 0;
    case WM_NOTIFY: return OnGridNotify(window, grid, reinterpret_cast<const NMHDR *>(lParam));
    case WM_COMMAND: OnGridCommand(window, grid, LOWORD(wParam)); return 0;
    case WM_NCHITTEST:
        if (grid->bDisplayOnly) return HTTRANSPARENT;
        break;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
