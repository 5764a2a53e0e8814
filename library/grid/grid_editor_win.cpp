// The grid editor window: a library child window is turned into an editor of a copy of a
// grid of the current dialog. The frame gets yyGridWindowWndProc and a record of kind
// kGridWindow; the editor's grid (id 1002) lies over the hidden client area, below the
// editor's tool bar and the window's own bars. Commands that need a dialog, a file or a
// question are in grid_editor_commands_win.cpp.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/errors.h"
#include "base/fixedtext.h"
#include "base/strings.h"
#include "core/childwindows.h"
#include "core/dialogs.h"
#include "core/events.h"
#include "core/fields.h"
#include "core/menus.h"
#include "core/numeric_edit.h"
#include "core/startup.h"
#include "core/window_takeover.h"
#include "grid/grid_editor.h"
#include "quillamorph/grid.h"

int giModal, giModalEdited;
char gModalFileName[kGridFileNameBytes];
char gModalFindText[kGridFindBytes];

namespace {

constexpr int kToolbarId = 1001;
constexpr int kGridId = 1002;
constexpr int kEditorStyleBits = kGridKeepHeight | kGridEnterDown | kGridTabCells;

// The modal editor made last, whose loop yygridedit2_ runs.
GridWindowRecord *gPendingModal = nullptr;

bool IsChildStyle(HWND frame) { return (GetWindowLongA(frame, GWL_STYLE) & WS_CHILD) != 0; }

// --- Menus, keys, tool bar and status bar ----------------------------------------------------

HACCEL MakeAccelerators(const GridWindowRecord &r) {
    ACCEL keys[7];
    int n = 0;
    auto add = [&](bool allowed, BYTE virt, WORD key, WORD id) {
        if (allowed) keys[n++] = {static_cast<BYTE>(virt | FVIRTKEY), key, id};
    };
    add(r.allowNew, FCONTROL, 'N', kGridEdNew);
    add(r.allowOpen, FCONTROL, 'O', kGridEdOpen);
    add(r.allowSave, FCONTROL, 'S', kGridEdSave);
    add(r.allowSaveAs, 0, VK_F12, kGridEdSaveAs);
    add(r.allowPrint, FCONTROL, 'P', kGridEdPrint);
    add(r.allowFind, FCONTROL, 'F', kGridEdFind);
    add(r.allowFind, 0, VK_F3, kGridEdFindNext);
    return n > 0 ? CreateAcceleratorTableA(keys, n) : nullptr;
}

// An item text with its key text when the editor has keys.
std::string ItemText(const char *text, const char *keys, bool withKeys) {
    return withKeys && keys != nullptr ? std::string(text) + "\t" + keys : std::string(text);
}

void AddItem(HMENU menu, int id, const std::string &text) {
    AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(id), text.c_str());
}

void BuildPopups(GridWindowRecord &r) {
    const bool keys = r.block.accelerators[0] != nullptr;
    r.file = CreatePopupMenu();
    if (r.allowNew) AddItem(r.file, kGridEdNew, ItemText("&New", "Ctrl+N", keys));
    if (r.allowOpen) AddItem(r.file, kGridEdOpen, ItemText("&Open", "Ctrl+O", keys));
    if (r.allowSave) AddItem(r.file, kGridEdSave, ItemText("&Save", "Ctrl+S", keys));
    if (r.allowSaveAs) AddItem(r.file, kGridEdSaveAs, ItemText("Save &As", "F12", keys));
    if (r.allowNew || r.allowOpen || r.allowSave || r.allowSaveAs)
        AppendMenuA(r.file, MF_SEPARATOR, 0, nullptr);
    if (r.allowPrint) {
        AddItem(r.file, kGridEdPrint, ItemText("&Print", "Ctrl+P", keys));
        AddItem(r.file, kGridEdPrintSelection, "Prin&t Selection");
        AppendMenuA(r.file, MF_SEPARATOR, 0, nullptr);
    }
    AddItem(r.file, kGridEdExit, "E&xit");

    r.edit = CreatePopupMenu();
    if (!r.readOnly) AddItem(r.edit, kGridEdCut, "Cu&t\tCtrl+X");
    AddItem(r.edit, kGridEdCopy, "&Copy\tCtrl+C");
    if (!r.readOnly) {
        AddItem(r.edit, kGridEdPaste, "&Paste\tCtrl+V");
        AddItem(r.edit, kGridEdDelete, "&Delete\tDel");
    }
    AppendMenuA(r.edit, MF_SEPARATOR, 0, nullptr);
    AddItem(r.edit, kGridEdSelectAll, "Select &All");
    if (!r.readOnly) {
        AppendMenuA(r.edit, MF_SEPARATOR, 0, nullptr);
        AddItem(r.edit, kGridEdSort, "&Sort");
    }

    r.search = CreatePopupMenu();
    if (r.allowFind) {
        AddItem(r.search, kGridEdFind, ItemText("&Find", "Ctrl+F", keys));
        AddItem(r.search, kGridEdFindNext, ItemText("Find &Next", "F3", keys));
        AppendMenuA(r.search, MF_SEPARATOR, 0, nullptr);
    }
    AddItem(r.search, kGridEdGotoCell, "&Goto Cell");
    AddItem(r.search, kGridEdGotoRow, "Goto Ro&w");
    AddItem(r.search, kGridEdGotoColumn, "Goto &Column");
}

// The menu bar: the program's menu (or an empty bar) with File, Edit and Search in front.
// The window's previous menu and its prompts go.
void InstallMenus(GridWindowRecord &r, HWND frame, int menuId, int *status) {
    HMENU bar = nullptr;
    if (menuId > 0 && r.mode != 1) {
        bar = yymnload(menuId);
        if (bar == nullptr) *status = 3;
    } else if (menuId > 0) {
        *status = 2;
    }
    if (bar == nullptr) bar = CreateMenu();
    BuildPopups(r);
    InsertMenuA(bar, 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(r.file), "&File");
    InsertMenuA(bar, 1, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(r.edit), "&Edit");
    InsertMenuA(bar, 2, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(r.search), "&Search");
    const int slot = r.slot;
    if (hMenuRoot[slot] != nullptr) {
        yyClearMenuPrompt(hMenuRoot[slot], slot);
        SetMenu(frame, nullptr);
        DestroyMenu(hMenuRoot[slot]);
    }
    if (hAccel[slot] != nullptr) DestroyAcceleratorTable(hAccel[slot]);
    hAccel[slot] = nullptr;
    wSlot[slot].prompts = nullptr;
    hMenuRoot[slot] = bar;
    r.menuBar = bar;
    SetMenu(frame, bar);
    if (bar != nullptr && menuId > 0 && *status != 3 && r.mode != 1) {
        r.block.accelerators[1] = LoadAcceleratorsA(wInstance, MAKEINTRESOURCEA(menuId));
        wSlot[slot].prompts = quill::MenuPromptResource(menuId);
    }
}

struct ToolButton {
    int image, id;
};

HWND MakeToolbar(GridWindowRecord &r, HWND frame) {
    HWND bar = CreateWindowExA(
        0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS, 0, 0, 0, 0, frame,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolbarId)), wInstance, nullptr);
    if (bar == nullptr) return nullptr;
    SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 15));
    SendMessageA(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(22, 21));
    TBADDBITMAP images = {HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
    SendMessageA(bar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&images));
    const bool canCut = !r.readOnly;
    const ToolButton all[] = {
        {r.allowNew ? STD_FILENEW : -1, kGridEdNew},
        {r.allowOpen ? STD_FILEOPEN : -1, kGridEdOpen},
        {r.allowSave ? STD_FILESAVE : -1, kGridEdSave},
        {-2, r.allowNew || r.allowOpen || r.allowSave},
        {r.allowPrint ? STD_PRINT : -1, kGridEdPrint},
        {-2, r.allowPrint},
        {r.allowFind ? STD_FIND : -1, kGridEdFind},
        {-2, r.allowFind},
        {canCut ? STD_CUT : -1, kGridEdCut},
        {STD_COPY, kGridEdCopy},
        {canCut ? STD_PASTE : -1, kGridEdPaste},
    };
    for (const ToolButton &b : all) {
        TBBUTTON button = {};
        if (b.image == -1 || (b.image == -2 && b.id == 0)) continue;
        if (b.image == -2) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.iBitmap = b.image;
            button.idCommand = b.id;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
        }
        SendMessageA(bar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    }
    SendMessageA(bar, TB_AUTOSIZE, 0, 0);
    r.tooltips = reinterpret_cast<HWND>(SendMessageA(bar, TB_GETTOOLTIPS, 0, 0));
    return bar;
}

void SetStatusParts(HWND status) {
    const int edges[4] = {30, 90, 140, 200};
    SendMessageA(status, SB_SIMPLE, FALSE, 0);
    SendMessageA(status, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(edges));
    SendMessageA(status, SB_SETTEXTA, 0 | SBT_NOBORDERS, reinterpret_cast<LPARAM>("Row"));
    SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("\t\t1"));
    SendMessageA(status, SB_SETTEXTA, 2 | SBT_NOBORDERS, reinterpret_cast<LPARAM>("\tColumn"));
    SendMessageA(status, SB_SETTEXTA, 3, reinterpret_cast<LPARAM>("\t\t1"));
}

// Sizes of a bar that shows (or will show once its frame does).
bool Shown(HWND window) {
    return window != nullptr && (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE);
}

int Height(HWND window) {
    if (!Shown(window)) return 0;
    RECT r;
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

int Width(HWND window) {
    if (!Shown(window)) return 0;
    RECT r;
    GetWindowRect(window, &r);
    return r.right - r.left;
}

// The window's own layout (status bar, its four bars, the hidden client area) moved down
// below the editor's tool bar; the grid takes the client area's place.
void Layout(GridWindowRecord &r) {
    const int slot = r.slot;
    int top = 0;
    if (r.toolbar != nullptr) {
        SendMessageA(r.toolbar, TB_AUTOSIZE, 0, 0);
        top = Height(r.toolbar);
    }
    HWND *bars = hToolbar[slot];
    for (int i : {0, 1, 2}) {
        if (bars[i] == nullptr || top == 0) continue;
        RECT b;
        GetWindowRect(bars[i], &b);
        MapWindowPoints(nullptr, wWindow[slot], reinterpret_cast<POINT *>(&b), 2);
        const int h = i == 0 ? b.bottom - b.top : std::max<int>(0, b.bottom - b.top - top);
        MoveWindow(bars[i], b.left, b.top + top, b.right - b.left, h, TRUE);
    }
    RECT c;
    GetWindowRect(hClient[slot], &c);
    MapWindowPoints(nullptr, wWindow[slot], reinterpret_cast<POINT *>(&c), 2);
    c.top += top;
    if (c.bottom < c.top) c.bottom = c.top;
    MoveWindow(hClient[slot], c.left, c.top, c.right - c.left, c.bottom - c.top, FALSE);
    if (r.grid != nullptr)
        MoveWindow(r.grid, c.left, c.top, c.right - c.left, c.bottom - c.top, TRUE);
}

// Lays the frame out again as a size change of its own would.
void Relayout(HWND frame) {
    RECT c;
    GetClientRect(frame, &c);
    SendMessageA(frame, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right, c.bottom));
}

// The frame size that shows the whole grid with the editor's bars.
SIZE NaturalSize(const GridWindowRecord &r) {
    SIZE s = {0, 0};
    const GridRecord *g = quill::GridRecordOf(r.grid);
    if (g == nullptr) return s;
    const int slot = r.slot;
    int width = 1 + g->iRowLabelWidth + Width(hToolbar[slot][1]) + Width(hToolbar[slot][2]);
    for (int c = 0; c < g->nColumns; ++c) width += g->pColumns[c].iWidth - 1;
    int height = (g->iRowHeight - 1) * g->nRows + 1 + g->iHeaderHeight + Height(wMessLine[slot]) +
                 Height(r.toolbar) + Height(hToolbar[slot][0]) + Height(hToolbar[slot][3]);
    // The grid's own border, and room for the scroll bars its style asks for whether they
    // show now or not.
    RECT outer, inner;
    GetWindowRect(r.grid, &outer);
    GetClientRect(r.grid, &inner);
    const LONG shown = GetWindowLongA(r.grid, GWL_STYLE);
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL), barHeight = GetSystemMetrics(SM_CYHSCROLL);
    width += (outer.right - outer.left) - inner.right - ((shown & WS_VSCROLL) ? barWidth : 0);
    height += (outer.bottom - outer.top) - inner.bottom - ((shown & WS_HSCROLL) ? barHeight : 0);
    if (r.scrollBars & WS_VSCROLL) width += barWidth;
    if (r.scrollBars & WS_HSCROLL) height += barHeight;
    RECT frame = {0, 0, width, height};
    HWND w = wWindow[slot];
    AdjustWindowRectEx(&frame, GetWindowLongA(w, GWL_STYLE), GetMenu(w) != nullptr,
                       GetWindowLongA(w, GWL_EXSTYLE));
    s.cx = frame.right - frame.left;
    s.cy = frame.bottom - frame.top;
    return s;
}

std::string CellCount(int value) {
    char text[32];
    std::snprintf(text, sizeof text, "\t\t%u", static_cast<unsigned>(value));
    return text;
}

// --- Window procedure helpers ----------------------------------------------------------------

void CellChanged(GridWindowRecord &r, HWND frame, WPARAM wParam, LPARAM lParam) {
    if (r.mode == 1) return;
    const int cell = static_cast<int>(lParam);
    if (r.statusBar != nullptr) {
        const std::string row = CellCount(cell % 262144), column = CellCount(cell / 262144);
        SendMessageA(r.statusBar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(row.c_str()));
        SendMessageA(r.statusBar, SB_SETTEXTA, 3, reinterpret_cast<LPARAM>(column.c_str()));
    }
    quill::GridWindowChangeEvent(r.slot, static_cast<int>(wParam), r.lastCell, lParam);
    (void)frame;
    r.lastCell = lParam;
}

void ReportMenu(HWND frame, int id) { yyinterpretmessage(kEventMenu, id, id, 0, frame); }

// Copies the results of a modal run where the program reads them after it.
void KeepModalResults(const GridWindowRecord &r) {
    const GridRecord *g = quill::GridRecordOf(r.grid);
    giModal = g != nullptr ? g->bUnsaved : 0;
    giModalEdited = g != nullptr ? g->bEdited : 0;
    quill::CopyTerminated(gModalFileName, kGridFileNameBytes, r.fileName);
    quill::CopyTerminated(gModalFindText, kGridFindBytes, r.findText);
}

void Close(GridWindowRecord &r, HWND frame, WPARAM wParam, LPARAM lParam) {
    if (r.allowSave) {
        GridRecord *g = quill::GridRecordOf(r.grid);
        int slot = r.slot, modified = g != nullptr ? g->bUnsaved : 0, result = 1;
        yygridwinsaveprompt_(&slot, &modified, &result, &r.fileType, r.fileName, r.filter);
        yyGridTitle(frame);  // a save at the prompt may have named the grid
        if (result == 0) return;
    }
    if (r.mode != 1) {
        yyinterpretmessage(kEventClose, 0, wParam, lParam, frame);
        return;
    }
    r.ended = 1;
    KeepModalResults(r);
    int slot = r.slot;
    yyclosechild_(&slot, &iCurDialog);
}

bool HasSelection(const GridRecord *g) { return g != nullptr && g->iSelFirstRow >= 0; }

bool EditCellWritable(const GridWindowRecord &r, HWND cell) {
    if (cell == nullptr || r.readOnly) return false;
    if (GetWindowLongA(r.grid, GWL_STYLE) & kGridReadOnly) return false;
    return (GetWindowLongA(cell, GWL_STYLE) & ES_READONLY) == 0;
}

bool HasSelectedText(HWND cell) {
    DWORD start = 0, end = 0;
    SendMessageA(cell, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return end > start;
}

// Whether Cut and Delete may take anything now: a block selection when the grid can cut it
// (neither the grid nor any cell of the block read-only); else the selected text of the
// current edit cell when that cell may be edited. The Edit menu greys both items by it, and
// both commands obey it whether they come from the menu, a key or the tool bar, as the grid's
// own keys do.
bool CutAllowed(const GridWindowRecord &r, const GridRecord *g, HWND cell) {
    if (HasSelection(g)) return yygridcancut(r.grid) != 0;
    return cell != nullptr && HasSelectedText(cell) && EditCellWritable(r, cell);
}

// What Paste does with the clipboard as it stands: a grid block goes in as a block where the
// grid can take it; other text goes to the current edit cell's own paste when that cell may
// be edited; otherwise Paste has nothing to do.
enum class PasteTarget { kNone, kBlock, kEditCell };

PasteTarget PasteTargetNow(const GridWindowRecord &r, HWND cell) {
    const int kind = yygridcheckclipboard();
    if (kind == 2 && yygridcanpaste(r.grid)) return PasteTarget::kBlock;
    if (kind != 0 && EditCellWritable(r, cell)) return PasteTarget::kEditCell;
    return PasteTarget::kNone;
}

void EnableItem(HMENU menu, int id, bool on) {
    EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

void MenuPopup(GridWindowRecord &r, HMENU menu) {
    const GridRecord *g = quill::GridRecordOf(r.grid);
    HWND cell = yyGridGetEditCell(g);
    if (menu == r.file) {
        EnableItem(menu, kGridEdPrintSelection, HasSelection(g));
    } else if (menu == r.edit) {
        const bool block = HasSelection(g);
        const bool text = cell != nullptr && HasSelectedText(cell);
        const bool cut = CutAllowed(r, g, cell);
        EnableItem(menu, kGridEdCut, cut);
        EnableItem(menu, kGridEdDelete, cut);
        EnableItem(menu, kGridEdCopy, block || text);
        EnableItem(menu, kGridEdPaste, PasteTargetNow(r, cell) != PasteTarget::kNone);
    } else if (menu == r.search) {
        EnableItem(menu, kGridEdFindNext, r.findText[0] != '\0');
    }
}

const char *PopupPrompt(const GridWindowRecord &r, HMENU popup) {
    if (popup == nullptr) return nullptr;
    if (popup == r.file) return "Commands to Load and Save files";
    if (popup == r.edit) return "Commands for Editing and Sorting cells";
    if (popup == r.search) return "Commands for Searching and Navigation";
    return nullptr;
}

const char *ItemPrompt(int id) {
    switch (id) {
    case kGridEdNew: return "Clears the grid";
    case kGridEdOpen: return "Loads an existing grid";
    case kGridEdSave: return "Saves the grid";
    case kGridEdSaveAs: return "Saves the grid with a new name";
    case kGridEdPrint: return "Prints the grid";
    case kGridEdPrintSelection: return "Prints the selected cells";
    case kGridEdExit: return "Closes the grid; prompts you to save changes";
    case kGridEdCut: return "Cuts the selected cells and places them on the clipboard";
    case kGridEdCopy: return "Copies the selected cells and places them on the clipboard";
    case kGridEdPaste: return "Inserts clipboard contents";
    case kGridEdDelete: return "Clears the selected cells";
    case kGridEdSelectAll: return "Selects the entire grid";
    case kGridEdSort: return "Sorts the rows of the grid";
    case kGridEdFind: return "Finds the specified string value";
    case kGridEdFindNext: return "Repeats the last find";
    case kGridEdGotoCell: return "Moves to the specified cell";
    case kGridEdGotoRow: return "Moves to the specified row";
    case kGridEdGotoColumn: return "Moves to the specified column";
    default: return nullptr;
    }
}

// True when the editor showed a prompt of its own for the selection.
bool MenuSelect(GridWindowRecord &r, WPARAM wParam, LPARAM lParam) {
    if (r.statusBar == nullptr) return false;
    const char *prompt = nullptr;
    if (HIWORD(wParam) & MF_POPUP)
        prompt = PopupPrompt(r, GetSubMenu(reinterpret_cast<HMENU>(lParam), LOWORD(wParam)));
    else if (!(HIWORD(wParam) & MF_SYSMENU))
        prompt = ItemPrompt(LOWORD(wParam));
    if (prompt == nullptr) return false;
    SendMessageA(r.statusBar, SB_SETTEXTA, 255 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(prompt));
    return true;
}

const char *TipText(int id) {
    switch (id) {
    case kGridEdNew: return "New";
    case kGridEdOpen: return "Open";
    case kGridEdSave: return "Save";
    case kGridEdPrint: return "Print";
    case kGridEdCut: return "Cut";
    case kGridEdCopy: return "Copy";
    case kGridEdPaste: return "Paste";
    case kGridEdFind: return "Find";
    default: return nullptr;
    }
}

// Tool tips of the editor's buttons; true when answered.
bool Notify(GridWindowRecord &r, NMHDR *header) {
    if (header->code == TTN_GETDISPINFOA) {
        auto *info = reinterpret_cast<NMTTDISPINFOA *>(header);
        const char *tip = TipText(static_cast<int>(header->idFrom));
        if (tip == nullptr) return false;
        info->lpszText = const_cast<char *>(tip);
        return true;
    }
    if (header->code == TTN_GETDISPINFOW) {
        auto *info = reinterpret_cast<NMTTDISPINFOW *>(header);
        const char *tip = TipText(static_cast<int>(header->idFrom));
        if (tip == nullptr) return false;
        MultiByteToWideChar(CP_ACP, 0, tip, -1, info->szText, 80);
        info->lpszText = info->szText;
        return true;
    }
    if (header->code == static_cast<UINT>(UDN_DELTAPOS)) {
        auto *change = reinterpret_cast<NMUPDOWN *>(header);
        if (!quill::SpinNumericField(change)) return false;
        if (GridRecord *g = quill::GridRecordOf(r.grid)) quill::MarkGridEdited(g);
        return true;
    }
    return false;
}

// Block or edit-cell clipboard work of the Edit menu.
void EditCommand(GridWindowRecord &r, int id) {
    GridRecord *g = quill::GridRecordOf(r.grid);
    if (g == nullptr) return;
    HWND cell = yyGridGetEditCell(g);
    if (id == kGridEdPaste) {
        // Decided by what the clipboard holds, with or without a block selection.
        switch (PasteTargetNow(r, cell)) {
        case PasteTarget::kBlock: yygridclippaste(r.grid); break;
        case PasteTarget::kEditCell: SendMessageA(cell, WM_PASTE, 0, 0); break;
        case PasteTarget::kNone: break;
        }
        return;
    }
    if ((id == kGridEdCut || id == kGridEdDelete) && !CutAllowed(r, g, cell)) return;
    if (HasSelection(g)) {
        switch (id) {
        case kGridEdCut:
            if (yygridclipcopy(r.grid)) yygridclipdelete(r.grid);
            break;
        case kGridEdCopy: yygridclipcopy(r.grid); break;
        case kGridEdDelete: yygridclipdelete(r.grid); break;
        default: break;
        }
        return;
    }
    if (cell == nullptr) return;
    const UINT message = id == kGridEdCut ? WM_CUT : id == kGridEdCopy ? WM_COPY : WM_CLEAR;
    SendMessageA(cell, message, 0, 0);
}

void ClearModified(GridWindowRecord &r, bool edited) {
    if (GridRecord *g = quill::GridRecordOf(r.grid)) {
        g->bUnsaved = 0;
        if (edited) g->bEdited = 0;
    }
}

bool SavePromptAllows(GridWindowRecord &r) {
    if (!r.allowSave) return true;
    GridRecord *g = quill::GridRecordOf(r.grid);
    int slot = r.slot, modified = g != nullptr ? g->bUnsaved : 0, result = 1;
    yygridwinsaveprompt_(&slot, &modified, &result, &r.fileType, r.fileName, r.filter);
    yyGridTitle(wWindow[r.slot]);  // a save at the prompt may have named the grid
    return result != 0;
}

void Command(GridWindowRecord &r, HWND frame, int id) {
    int slot = r.slot, ok = 0, one = 1, zero = 0;
    GridRecord *g = quill::GridRecordOf(r.grid);
    switch (id) {
    case kGridEdNew:
        if (!r.allowNew || !SavePromptAllows(r)) return;
        yyGridClear(r.grid, 0);
        r.fileName[0] = '\0';
        yyGridTitle(frame);
        ClearModified(r, true);
        ReportMenu(frame, id);
        return;
    case kGridEdOpen: {
        if (!r.allowOpen || !SavePromptAllows(r)) return;
        // A load that fails part way leaves the rows it read over the grid's own. The grid gets
        // its rows back, so that the file it has open keeps its name and a save cannot write
        // the failed file's first rows over it; short of memory for the copy, the grid is
        // left untitled instead.
        quill::GridRowsCopy before;
        const bool kept = before.Take(g);
        yygridwinload_(&slot, &one, &ok, &r.fileType, r.fileName, r.filter);
        if (!ok) {
            if (kept) {
                before.PutBack();
            } else {
                r.fileName[0] = '\0';
                yyGridTitle(frame);
            }
            return;
        }
        ClearModified(r, true);
        yyGridTitle(frame);
        ReportMenu(frame, id);
        return;
    }
    case kGridEdSave:
    case kGridEdSaveAs:
        if (id == kGridEdSave ? !r.allowSave : !r.allowSaveAs) return;
        yygridwinsave_(&slot, id == kGridEdSaveAs ? &one : &zero, &ok, &r.fileType, r.fileName,
                       r.filter);
        if (!ok) return;
        ClearModified(r, false);
        yyGridTitle(frame);
        ReportMenu(frame, id);
        return;
    case kGridEdPrint:
    case kGridEdPrintSelection: {
        if (!r.allowPrint || g == nullptr) return;
        int row1 = 0, row2 = g->nRows - 1, col1 = 0, col2 = g->nColumns - 1;
        if (id == kGridEdPrintSelection) {
            if (!HasSelection(g)) return;
            row1 = g->iSelFirstRow, row2 = g->iSelLastRow;
            col1 = g->iSelFirstColumn, col2 = g->iSelLastColumn;
        }
        yygridwinprint_(&slot, &row1, &row2, &col1, &col2, &ok);
        if (ok) ReportMenu(frame, id);
        return;
    }
    case kGridEdExit: PostMessageA(frame, WM_CLOSE, 0, 0); return;
    case kGridEdCut:
    case kGridEdPaste:
    case kGridEdDelete:
        if (r.readOnly) return;
        EditCommand(r, id);
        return;
    case kGridEdCopy: EditCommand(r, id); return;
    case kGridEdSelectAll:
        if (g != nullptr && g->nRows > 0)
            yygridselectrange(r.grid, 0, g->nRows - 1, 0, g->nColumns - 1);
        return;
    case kGridEdSort: {
        if (r.readOnly) return;
        int option = r.sortOption;
        yygridwinsort_(&slot, &option, &ok);
        if (ok) ReportMenu(frame, id);
        return;
    }
    case kGridEdFind:
    case kGridEdFindNext: {
        if (!r.allowFind) return;
        int mode = id == kGridEdFind ? 1 : 2;
        yygridwinfind_(&slot, &mode, &r.matchCase, r.findText);
        return;
    }
    case kGridEdGotoCell:
    case kGridEdGotoRow:
    case kGridEdGotoColumn: {
        int mode = id - kGridEdGotoCell + 1;
        yygridwingoto_(&slot, &mode);
        return;
    }
    default: ReportMenu(frame, id); return;
    }
}

bool IsEditorCommand(int id) {
    return (id >= kGridEdNew && id <= kGridEdExit) || (id >= kGridEdCut && id <= kGridEdSort) ||
           id == kGridEdFind || id == kGridEdFindNext ||
           (id >= kGridEdGotoCell && id <= kGridEdGotoColumn);
}

void Destroy(GridWindowRecord *r, HWND frame) {
    if (r->mode == 3 && r->semiCounted) {
        if (nSemi > 0) --nSemi;
        if (hLastSemi == frame) hLastSemi = nullptr;
        r->semiCounted = 0;
    }
    if (quill::EnableOthers(frame, &r->takeover)) {
        HWND back = GetParent(frame) != nullptr ? GetParent(frame) : wWindow[0];
        if (hDlgCur != nullptr && IsWindow(hDlgCur)) back = hDlgCur;
        if (back != nullptr && IsWindow(back)) SetActiveWindow(back);
    }
    for (HACCEL &table : r->block.accelerators) {
        if (table != nullptr) DestroyAcceleratorTable(table);
        table = nullptr;
    }
    quill::GiveFrameBack(frame, r->takeover);
    if (r->grid != nullptr && IsWindow(r->grid)) DestroyWindow(r->grid);
    if (r->font != nullptr) DeleteObject(r->font);
    r->font = nullptr;
    r->grid = nullptr;
    if (r->mode != 1) delete r;
}

void Size(GridWindowRecord &r, HWND frame, WPARAM how) {
    if (IsChildStyle(frame)) {
        if (how == SIZE_MAXIMIZED) {
            r.placement.length = sizeof r.placement;
            r.haveMaximised = GetWindowPlacement(frame, &r.placement) ? 1 : 0;
        } else if (how == SIZE_RESTORED && r.haveMaximised) {
            r.haveMaximised = 0;
            SetWindowPlacement(frame, &r.placement);
        }
    }
    if (how != SIZE_MINIMIZED) Layout(r);
}

// A font like the dialog's: same height, width, weight, style, character set, pitch and face.
HFONT DialogFontCopy(HWND dialog) {
    HFONT font = dialog != nullptr ? reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0))
                                   : nullptr;
    LOGFONTA lf = {};
    if (font == nullptr || GetObjectA(font, sizeof lf, &lf) == 0)
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfOutPrecision = 4;
    return CreateFontIndirectA(&lf);
}

// The editor's grid: a copy of TEMPLATE with its own buffers and controls, laid over the
// client area. False when it cannot be made.
bool MakeGrid(GridWindowRecord &r, HWND frame, HWND templ) {
    RECT t;
    GetWindowRect(templ, &t);
    const LONG style = (GetWindowLongA(templ, GWL_STYLE) & ~(WS_BORDER | WS_DISABLED)) | WS_CHILD |
                       WS_VISIBLE | WS_TABSTOP | kEditorStyleBits;
    r.scrollBars = style & (WS_VSCROLL | WS_HSCROLL);
    r.grid = CreateWindowExA(
        WS_EX_CLIENTEDGE, "ORNGRID", "", style, 0, 0, t.right - t.left, t.bottom - t.top, frame,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kGridId)), wInstance, nullptr);
    if (r.grid == nullptr) return false;
    if (FieldRecord *model = quill::FieldRecordOf(templ)) {
        FieldRecord *copy = quill::FieldRecordOf(r.grid);
        if (copy == nullptr && (copy = quill::NewFieldRecord()) != nullptr)
            SetWindowLongPtrA(r.grid, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(copy));
        if (copy != nullptr) {
            copy->foreground = model->foreground;
            copy->background = model->background;
            copy->state = model->state;
        }
    }
    yygridcopy(r.grid, templ, 0);
    GridRecord *grid = IsWindow(r.grid) ? quill::GridRecordOf(r.grid) : nullptr;
    if (grid == nullptr) {
        r.grid = nullptr;
        return false;
    }
    // The editor starts on its first cell with the first row and column in view. The cells
    // show the template's rows in view until then, values typed and not yet stored among
    // them: the scrolls store them into the editor's buffers before they refill the cells.
    quill::ScrollGridHorizontally(r.grid, SB_THUMBPOSITION, 0);
    quill::ScrollGridVertically(r.grid, SB_THUMBPOSITION, 0);
    grid->iCurColumn = grid->iCurRow = 0;
    return true;
}

}  // namespace

GridWindowRecord *quill::GridWindowRecordOf(HWND frame) {
    if (frame == nullptr || WindowTypeWord(frame) != kGridWindow) return nullptr;
    return reinterpret_cast<GridWindowRecord *>(GetWindowLongPtrA(frame, GWLP_USERDATA));
}

HWND quill::GridEditorGrid() {
    const int slot = yygetwindowindex(hWinCur);
    GridWindowRecord *r = slot >= 0 ? GridWindowRecordOf(wWindow[slot]) : nullptr;
    return r != nullptr ? r->grid : nullptr;
}

const char *quill::GridEditorText(int code, bool last) {
    static const char kEmpty[1] = "";
    const GridWindowRecord *r = nullptr;
    if (!last) {
        const int slot = yygetwindowindex(hWinCur);
        r = slot >= 0 ? GridWindowRecordOf(wWindow[slot]) : nullptr;
        if (r == nullptr) return nullptr;
    }
    switch (code) {
    case 1: return last ? gModalFileName : r->fileName;
    case 2: return last ? gModalFindText : r->findText;
    case 3: return last ? kEmpty : r->findRest;
    default: return nullptr;
    }
}

HWND yyGridGetEditCell(const GridRecord *grid) {
    if (grid == nullptr || grid->pColumns == nullptr || grid->iCurColumn < 0 ||
        grid->iCurColumn >= grid->nColumns)
        return nullptr;
    const int type = grid->pColumns[grid->iCurColumn].iType;
    if (type != kGridString && type != kGridInteger && type != kGridReal && type != kGridDouble)
        return nullptr;
    return quill::GridCellControl(grid, grid->iCurColumn, grid->iCurRow);
}

void yyGridTitle(HWND frame) {
    const GridWindowRecord *r = quill::GridWindowRecordOf(frame);
    if (r == nullptr) return;
    std::string title = r->title;
    if (r->fileName[0] != '\0') title += std::string(" - [") + r->fileName + "]";
    SetWindowTextA(frame, title.c_str());
}

void yyGridWinSize(GridWindowRecord *record) {
    if (record == nullptr || record->grid == nullptr) return;
    HWND frame = wWindow[record->slot];
    const SIZE natural = NaturalSize(*record);
    RECT now;
    GetWindowRect(frame, &now);
    const int width = now.right - now.left, height = now.bottom - now.top;
    const bool wide = width >= natural.cx, tall = height >= natural.cy;
    if (wide || tall)
        SetWindowPos(frame, nullptr, 0, 0, wide ? natural.cx : width, tall ? natural.cy : height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    record->trackWidth = record->trackHeight = kNotRecorded;
}

LRESULT CALLBACK yyGridWindowWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    GridWindowRecord *r = quill::GridWindowRecordOf(window);
    if (r == nullptr) return yyWndProc(window, message, wParam, lParam);
    WNDPROC previous = r->takeover.previous;
    if (message == GM_CELLCHANGE && GM_CELLCHANGE != 0) {
        CellChanged(*r, window, wParam, lParam);
        return 0;
    }
    switch (message) {
    case WM_GETFONT: return reinterpret_cast<LRESULT>(r->font);
    case WM_CLOSE: Close(*r, window, wParam, lParam); return 0;
    case WM_SETFOCUS:
        hWinCur = window;
        hDlgCur = nullptr;
        if (r->grid != nullptr) SetFocus(r->grid);
        return 0;
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_LBUTTONDOWN || LOWORD(wParam) == WM_RBUTTONDOWN ||
            LOWORD(wParam) == WM_MBUTTONDOWN) {
            if (IsChildStyle(window)) BringWindowToTop(window);
            yytitlecolour(window);
        }
        break;
    case WM_MOUSEACTIVATE:
        if (IsChildStyle(window)) BringWindowToTop(window);
        yytitlecolour(window);
        break;
    case WM_GETMINMAXINFO: {
        if (r->grid == nullptr) break;
        const SIZE natural = NaturalSize(*r);
        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        auto *info = reinterpret_cast<MINMAXINFO *>(lParam);
        info->ptMaxTrackSize.x = std::min<LONG>(natural.cx, work.right - work.left);
        info->ptMaxTrackSize.y = std::min<LONG>(natural.cy, work.bottom - work.top);
        return 0;
    }
    case WM_MENUSELECT:
        if (MenuSelect(*r, wParam, lParam)) return 0;
        break;
    case WM_INITMENUPOPUP: MenuPopup(*r, reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_NOTIFY:
        if (Notify(*r, reinterpret_cast<NMHDR *>(lParam))) return TRUE;
        break;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const bool fromBar = lParam != 0 && reinterpret_cast<HWND>(lParam) == r->toolbar;
        if (HIWORD(wParam) > 1 && !fromBar) break;
        if (!IsEditorCommand(id)) {
            ReportMenu(window, id);
            return 0;
        }
        Command(*r, window, id);
        // Dialogs and boxes of the command enable every window when they close.
        if (quill::GridWindowRecordOf(window) == r && r->takeover.disabled)
            yyDisableDialogs(window, 1);
        return 0;
    }
    case WM_SIZE: {
        const LRESULT done = CallWindowProcA(previous, window, message, wParam, lParam);
        Size(*r, window, wParam);
        return done;
    }
    case WM_DESTROY:
        Destroy(r, window);
        return CallWindowProcA(previous, window, message, wParam, lParam);
    default: break;
    }
    return CallWindowProcA(previous, window, message, wParam, lParam);
}

void yygridedit_(int *status, int *grid, int *mode, const int *menuid, const int *flags,
                 const int *type, const char *filename, const char *filter, int filenameLen,
                 int filterLen) {
    const int slot = yygetwindowindex(hWinCur);
    if (slot < 1 || wWindow[slot] == nullptr || hClient[slot] == nullptr) {
        *status = 1;
        return;
    }
    HWND frame = wWindow[slot];
    if (quill::WindowTypeWord(frame) != kPlainWindow) {
        *status = 8;
        return;
    }
    if (quill::HasChildWindows(slot)) {
        *status = 12;
        return;
    }
    int menuId = menuid != nullptr ? *menuid : 0;
    const bool childStyle = IsChildStyle(frame);
    if (childStyle && *mode != 2) {
        *mode = 2;
        *status = 5;
    } else if (childStyle && menuId > 0) {
        *status = 4;
    }
    if (childStyle) menuId = 0;
    int id = grid != nullptr ? *grid : -1;
    HWND templ = id > 0 ? quill::GridWindowOfField(&id) : nullptr;
    GridRecord *source = quill::GridRecordOf(templ);
    if (source == nullptr || !source->bInitialised) {
        *status = 11;
        return;
    }
    auto *r = new (std::nothrow) GridWindowRecord{};
    if (r == nullptr) {
        *status = 6;
        return;
    }
    const int f = flags != nullptr ? *flags : 0;
    r->block.tag = kGridWindow;
    r->slot = slot;
    r->mode = *mode;
    r->readOnly = (GetWindowLongA(templ, GWL_STYLE) & kGridReadOnly) != 0;
    r->allowOpen = !(f & kGridEdNoNewOpen);
    r->allowNew = r->allowOpen && !r->readOnly;
    r->allowSave = !(f & kGridEdNoSave) && !r->readOnly;
    r->allowSaveAs = r->allowSave && !(f & kGridEdNoSaveAs);
    r->allowPrint = !(f & kGridEdNoPrint);
    r->allowFind = !(f & kGridEdNoFind);
    r->sortOption = (f & kGridEdSortLabels) ? 1 : 0;
    quill::CopyTerminated(r->filter, kGridFilterBytes, quill::TrimmedText(filter, filterLen));
    r->fileType = type == nullptr || *type == -1 ? 1 : *type;
    r->trackWidth = r->trackHeight = kNotRecorded;
    r->block.accelerators[0] = MakeAccelerators(*r);
    r->statusBar = wMessLine[slot];
    GetWindowTextA(frame, r->title, kGridTitleBytes);
    r->font = DialogFontCopy(GetParent(templ));

    // A child-style window has no menu bar: its commands come by keys and tool bar buttons.
    if (!childStyle) InstallMenus(*r, frame, menuId, status);
    // The editor keeps the menu it installed and the status bar, which shows its cell.
    quill::SetBarsAside(slot, r->mode, quill::ModalBars::kToolBars, &r->takeover);
    quill::TakeOverFrame(frame, r, yyGridWindowWndProc, &r->takeover);
    if (!(f & kGridEdNoToolbar)) r->toolbar = MakeToolbar(*r, frame);
    if (r->statusBar != nullptr) SetStatusParts(r->statusBar);
    if (!MakeGrid(*r, frame, templ)) {
        *status = 6;
        if (r->toolbar != nullptr) DestroyWindow(r->toolbar);
        r->mode = 2;  // freed here
        Destroy(r, frame);
        return;
    }
    Relayout(frame);
    ShowWindow(hClient[slot], SW_HIDE);
    SendMessageA(r->grid, kGridLayout, 0, 0);
    yyGridWinSize(r);
    Relayout(frame);
    yygridupdatecells(quill::GridRecordOf(r->grid));

    if (filename != nullptr && filenameLen > 0 && filename[0] != '\0') {
        char name[kGridFileNameBytes];
        quill::CopyTerminated(name, kGridFileNameBytes, quill::TrimmedText(filename, filenameLen));
        if (name[0] != '\0') {
            int window = slot, ask = 0, ok = 0;
            yygridwinload_(&window, &ask, &ok, &r->fileType, name, r->filter);
            if (ok) {
                quill::CopyTerminated(r->fileName, kGridFileNameBytes, name);
                yyGridTitle(frame);
            }
        }
    }
    if (r->mode == 3) {
        ++nSemi;
        hLastSemi = frame;
        r->semiCounted = 1;
    }
    if (!IsWindowEnabled(frame)) EnableWindow(frame, TRUE);
    ShowWindow(frame, SW_SHOW);
    hWinCur = frame;
    SetFocus(r->grid);
    quill::DisableOthers(frame, r->mode, &r->takeover);
    gPendingModal = r->mode == 1 ? r : nullptr;
}

void yygridedit2_() {
    const int slot = yygetwindowindex(hWinCur);
    GridWindowRecord *r = gPendingModal;
    if (r == nullptr && slot >= 0) r = quill::GridWindowRecordOf(wWindow[slot]);
    gPendingModal = nullptr;
    if (r == nullptr) return;
    ClearModified(*r, true);
    if (r->mode != 1) return;

    HWND frame = wWindow[r->slot];
    quill::TakeoverLoop loop = {r->slot, frame, r, &r->ended, r->block.accelerators[0], {}};
    // The program is asked to end: the editor closes without asking, before the quit message
    // is put back for the program's own loop.
    loop.onQuit = [r, frame] {
        if (quill::GridWindowRecordOf(frame) != r) return;
        r->ended = 1;
        KeepModalResults(*r);
        int editorSlot = r->slot;
        yyclosechild_(&editorSlot, &iCurDialog);
    };
    // A window that went away without a close request was closed by the program.
    if (quill::RunTakeoverLoop(loop) == quill::TakeoverEnd::kGone && !r->ended)
        KeepModalResults(*r);
    quill::EnableOthers(nullptr, &r->takeover);
    delete r;
    HWND back = hDlgCur != nullptr && IsWindow(hDlgCur) ? hDlgCur : wWindow[0];
    if (back != nullptr) {
        SetActiveWindow(back);
        SetFocus(back);
    }
}

void wgridedit_(const int *igrid, const int *imode, const int *imenuid, const int *iflags,
                const int *itype, char *filename, const char *filter, int filename_len,
                int filter_len) {
    int mode = imode != nullptr ? *imode : 2;
    if (mode < 1 || mode > 3) {
        quill::RaiseError(1052);
        return;
    }
    int status = 0, grid = igrid != nullptr ? *igrid : -1;
    yygridedit_(&status, &grid, &mode, imenuid, iflags, itype, filename, filter,
                filename ? filename_len : 0, filter ? filter_len : 0);
    const bool made = status == 0 || (status >= 2 && status <= 5);
    if (made) {
        const bool modal = mode == 1;
        yygridedit2_();
        if (modal && filename != nullptr && filename_len > 0)
            quill::PutFixedText(filename, filename_len, gModalFileName);
    }
    static const int kErrors[][2] = {{1, 1022}, {2, 1026}, {3, 1002},  {4, 1051}, {5, 1052},
                                     {6, 1053}, {8, 1038}, {11, 1006}, {12, 1057}};
    for (const auto &e : kErrors)
        if (e[0] == status) quill::RaiseError(e[1]);
}
