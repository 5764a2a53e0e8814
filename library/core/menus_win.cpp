// Menus of the library's windows: loading with id tables and greyed items, the state and text
// of items by command id, inserting and deleting items, item prompts and floating menus.
#include "core/menus.h"

#include <commctrl.h>

#include <cstring>
#include <string>

#include "core/childwindows.h"
#include "core/resource_tables.h"

namespace {

// Item prompts live in the items' application data as copies made with new[].
char *CopyText(const char *text) {
    size_t n = std::strlen(text);
    char *copy = new char[n + 1];
    std::memcpy(copy, text, n + 1);
    return copy;
}

// The fields MASK of an item; zero when the item cannot be read.
MENUITEMINFOA ItemInfo(HMENU menu, int position, UINT mask) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = mask;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) {
        info = {};
        info.cbSize = sizeof info;
    }
    return info;
}

ULONG_PTR ItemData(HMENU menu, int position) {
    return ItemInfo(menu, position, MIIM_DATA).dwItemData;
}

void SetItemData(HMENU menu, int position, ULONG_PTR data) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    info.dwItemData = data;
    SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
}

// Frees the prompt of one item; returns 1 when it had one.
int FreePrompt(HMENU menu, int position) {
    char *prompt = reinterpret_cast<char *>(ItemData(menu, position));
    if (!prompt) return 0;
    delete[] prompt;
    SetItemData(menu, position, 0);
    return 1;
}

int ClearPrompts(HMENU menu, int depth) {
    if (!menu || depth > quill::kMaxMenuDepth) return 0;
    int freed = 0;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        freed += FreePrompt(menu, i);
        if (HMENU sub = GetSubMenu(menu, i)) freed += ClearPrompts(sub, depth + 1);
    }
    return freed;
}

int ItemId(HMENU menu, int position) {
    return static_cast<int>(ItemInfo(menu, position, MIIM_ID).wID);
}

int FindItem(HMENU menu, int ident, HMENU *submenu, int depth) {
    if (!menu || depth > quill::kMaxMenuDepth) return -1;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (ItemId(menu, i) == ident) {
            *submenu = menu;
            return i;
        }
        if (HMENU sub = GetSubMenu(menu, i)) {
            int found = FindItem(sub, ident, submenu, depth + 1);
            if (found >= 0) return found;
        }
    }
    return -1;
}

// The slot whose menu and tool bars the item routines address.
int MenuSlot() {
    if (wIndex > 0 && wIndex < kWindowSlots && yyHasMenu(wIndex)) return wIndex;
    return 0;
}

// An item of the menu that the item routines address, found by its command id.
struct ItemRef {
    int slot;
    HMENU holder;  // the (sub)menu that holds it
    int position;  // -1 when the menu has no such item
    bool found() const { return position >= 0; }
    // Redraws the menu bar when the item stands in it.
    void Redraw() const {
        if (found() && holder == hMenuRoot[slot]) DrawMenuBar(wWindow[slot]);
    }
};

ItemRef FindCurrent(int ident) {
    ItemRef ref{MenuSlot(), nullptr, -1};
    ref.position = yymngetpos(hMenuRoot[ref.slot], ident, &ref.holder);
    return ref;
}

// Enables (FLAG 1) or checks (FLAG 2) the tool-bar buttons IDENT of SLOT; 1 when a bar has it.
int SetToolbarButtons(int slot, int ident, int flag, int on) {
    int found = 0;
    for (HWND bar : hToolbar[slot]) {
        if (!bar || SendMessageA(bar, TB_COMMANDTOINDEX, static_cast<WPARAM>(ident), 0) < 0)
            continue;
        SendMessageA(bar, flag == 1 ? TB_ENABLEBUTTON : TB_CHECKBUTTON, static_cast<WPARAM>(ident),
                     MAKELPARAM(on ? TRUE : FALSE, 0));
        found = 1;
    }
    return found;
}

// Items of FLOATING take the state and text of the window menu's items with the same ids.
void MatchMenu(HMENU floating, HMENU window, int depth) {
    if (!floating || !window || depth > quill::kMaxMenuDepth) return;
    int count = GetMenuItemCount(floating);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(floating, i)) {
            MatchMenu(sub, window, depth + 1);
            continue;
        }
        int id = ItemId(floating, i);
        HMENU holder;
        int position = id != 0 ? FindItem(window, id, &holder, 0) : -1;
        if (position < 0) continue;
        char text[256] = "";
        MENUITEMINFOA source = {};
        source.cbSize = sizeof source;
        source.fMask = MIIM_STATE | MIIM_STRING;
        source.dwTypeData = text;
        source.cch = sizeof text;
        if (!GetMenuItemInfoA(holder, static_cast<UINT>(position), TRUE, &source)) continue;
        MENUITEMINFOA target = {};
        target.cbSize = sizeof target;
        target.fMask = MIIM_STATE | MIIM_STRING;
        target.fState = source.fState;
        target.dwTypeData = text;
        SetMenuItemInfoA(floating, static_cast<UINT>(i), TRUE, &target);
    }
}

}  // namespace

HGLOBAL quill::MenuPromptResource(int id) {
    HRSRC resource = FindResourceA(wInstance, MAKEINTRESOURCEA(id), "DOVUZADODAZEZ");
    return resource ? LoadResource(wInstance, resource) : nullptr;
}

void yymenuloadrc(HMENU menu, int id) {
    HRSRC resource = FindResourceA(wInstance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));
    if (!resource) return;
    HGLOBAL loaded = LoadResource(wInstance, resource);
    const void *data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return;
    for (const quill::MenuIdEntry &entry :
         quill::ParseMenuIdTable(data, SizeofResource(wInstance, resource))) {
        HMENU holder = menu;
        size_t last = entry.path.size() - 1;
        for (size_t i = 0; i < last && holder; ++i) holder = GetSubMenu(holder, entry.path[i] - 1);
        if (!holder || entry.path[last] > GetMenuItemCount(holder)) continue;
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID;
        info.wID = static_cast<UINT>(entry.id);
        SetMenuItemInfoA(holder, static_cast<UINT>(entry.path[last] - 1), TRUE, &info);
    }
}

void yymnconv(HMENU menu) {
    struct Walk {
        static void Run(HMENU m, int depth) {
            if (!m || depth > quill::kMaxMenuDepth) return;
            int count = GetMenuItemCount(m);
            for (int i = 0; i < count; ++i) {
                UINT state = GetMenuState(m, static_cast<UINT>(i), MF_BYPOSITION);
                if (state != static_cast<UINT>(-1) && (state & MF_DISABLED) && !(state & MF_GRAYED))
                    EnableMenuItem(m, static_cast<UINT>(i), MF_BYPOSITION | MF_GRAYED);
                if (HMENU sub = GetSubMenu(m, i)) Run(sub, depth + 1);
            }
        }
    };
    Walk::Run(menu, 0);
}

HMENU yymnload(int imenu) {
    HMENU menu = LoadMenuA(wInstance, MAKEINTRESOURCEA(imenu));
    if (!menu) return nullptr;
    yymenuloadrc(menu, imenu);
    yymnconv(menu);
    return menu;
}

int yyHasMenu(int slot) {
    if (slot < 0 || slot >= kWindowSlots) return 0;
    if (hMenuRoot[slot]) return 1;
    for (HWND bar : hToolbar[slot])
        if (bar) return 1;
    return 0;
}

int yymngetpos(HMENU menu, int ident, HMENU *submenu) {
    *submenu = nullptr;
    return FindItem(menu, ident, submenu, 0);
}

void yyClearMenuPrompt(HMENU menu, int iwin) {
    ClearPrompts(menu, 0);
    if (iwin >= 0 && iwin < kWindowSlots) wSlot[iwin].promptCount = 0;
}

const char *quill::MenuItemPrompt(HMENU menu, int position) {
    return reinterpret_cast<const char *>(ItemData(menu, position));
}

const char *quill::MenuSelectPrompt(WPARAM wParam, LPARAM lParam) {
    UINT item = LOWORD(wParam), flags = HIWORD(wParam);
    auto menu = reinterpret_cast<HMENU>(lParam);
    if (!menu || flags == 0xFFFF) return nullptr;
    if (flags & MF_SYSMENU) {
        switch (item & 0xFFF0) {
        case SC_SIZE: return "Changes the window size";
        case SC_MOVE: return "Changes the window position";
        case SC_MINIMIZE: return "Reduces the window to an icon";
        case SC_MAXIMIZE: return "Enlarges the window to full size";
        case SC_CLOSE: return "Closes the window";
        case SC_RESTORE: return "Restores the window to its normal size";
        default: return nullptr;
        }
    }
    // A popup item is named by its position, any other item by its command id.
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (!GetMenuItemInfoA(menu, item, (flags & MF_POPUP) ? TRUE : FALSE, &info)) return nullptr;
    return reinterpret_cast<const char *>(info.dwItemData);
}

void yymenuchange_(int *imenu, const int *iwin) {
    int slot = iwin ? *iwin : -1;
    if (slot < 0 || slot >= kWindowSlots || !wWindow[slot] ||
        (GetWindowLongA(wWindow[slot], GWL_STYLE) & WS_CHILD) ||
        quill::WindowTypeWord(wWindow[slot]) == kEditorWindow) {
        *imenu = -2;
        return;
    }
    HMENU menu = nullptr;
    if (*imenu != 0) {
        menu = yymnload(*imenu);
        if (!menu) {
            *imenu = -1;
            return;
        }
    }
    HWND frame = wWindow[slot];
    RECT before;
    GetClientRect(frame, &before);
    if (hMenuRoot[slot]) {
        yyClearMenuPrompt(hMenuRoot[slot], slot);
        SetMenu(frame, nullptr);
        DestroyMenu(hMenuRoot[slot]);
    }
    if (hAccel[slot]) DestroyAcceleratorTable(hAccel[slot]);
    hAccel[slot] = nullptr;
    hMenuRoot[slot] = menu;
    wSlot[slot].prompts = nullptr;
    SetMenu(frame, menu);
    if (menu) {
        hAccel[slot] = LoadAcceleratorsA(wInstance, MAKEINTRESOURCEA(*imenu));
        wSlot[slot].prompts = quill::MenuPromptResource(*imenu);
    }
    if (slot == 0) hDOVUzadOdazez = wSlot[0].prompts;

    // The frame grows or shrinks with the menu bar so that the client area keeps its size;
    // a bitmap viewer keeps its frame and is told its new client size.
    RECT after;
    GetClientRect(frame, &after);
    int dh = (before.bottom - before.top) - (after.bottom - after.top);
    if (quill::WindowTypeWord(frame) != kViewerWindow && dh != 0 && !IsZoomed(frame)) {
        RECT r;
        GetWindowRect(frame, &r);
        SetWindowPos(frame, nullptr, 0, 0, r.right - r.left, r.bottom - r.top + dh,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        GetClientRect(frame, &after);
        SendMessageA(frame, WM_SIZE, SIZE_RESTORED, MAKELPARAM(after.right, after.bottom));
    }
    DrawMenuBar(frame);
}

void yymnflot_(int *imenu, const int *ix, const int *iy) {
    HMENU menu = yymnload(*imenu);
    if (!menu) {
        *imenu = -1;
        return;
    }
    int slot = MenuSlot();
    if (hMenuRoot[slot]) MatchMenu(menu, hMenuRoot[slot], 0);
    HWND frame = wWindow[wIndex] ? wWindow[wIndex] : wWindow[0];
    HWND client = hClient[wIndex] ? hClient[wIndex] : frame;
    // The floating menu's prompts stand in for the window's while it is shown.
    WindowSlot &s = wSlot[wIndex];
    HGLOBAL saved = s.prompts;
    s.prompts = quill::MenuPromptResource(*imenu);
    POINT p = {*ix, *iy};
    ClientToScreen(client, &p);
    HMENU popup = GetSubMenu(menu, 0) ? GetSubMenu(menu, 0) : menu;
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, p.x, p.y, 0, frame, nullptr);
    s.prompts = saved;
    ClearPrompts(menu, 0);
    DestroyMenu(menu);
}

void yymngrey_(const int *ident, int *ienable) {
    ItemRef item = FindCurrent(*ident);
    int on = *ienable != 0;
    if (item.found()) {
        EnableMenuItem(item.holder, static_cast<UINT>(item.position),
                       MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
        item.Redraw();
    } else {
        *ienable = -1;
    }
    if (SetToolbarButtons(item.slot, *ident, 1, on)) *ienable = 1;
}

void yymnchck_(const int *ident, int *icheck) {
    ItemRef item = FindCurrent(*ident);
    int on = *icheck != 0;
    if (item.found()) {
        CheckMenuItem(item.holder, static_cast<UINT>(item.position),
                      MF_BYPOSITION | (on ? MF_CHECKED : MF_UNCHECKED));
    } else {
        *icheck = -1;
    }
    if (SetToolbarButtons(item.slot, *ident, 2, on)) *icheck = 1;
}

void yymngflg_(const int *ident, const int *iflag, int *istate) {
    ItemRef item = FindCurrent(*ident);
    if (!item.found()) {
        *istate = quill::ToolBarButtonState(item.slot, *ident, *iflag);
        return;
    }
    UINT state = GetMenuState(item.holder, static_cast<UINT>(item.position), MF_BYPOSITION);
    if (*iflag == 1)
        *istate = (state & (MF_GRAYED | MF_DISABLED)) ? 0 : 1;
    else
        *istate = (state & MF_CHECKED) ? 1 : 0;
}

void yymntext_(int *ident, const char *text) {
    ItemRef item = FindCurrent(*ident);
    if (!item.found()) {
        *ident = -1;
        return;
    }
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char *>(text ? text : "");
    SetMenuItemInfoA(item.holder, static_cast<UINT>(item.position), TRUE, &info);
    item.Redraw();
}

void yymnins_(int *ident, const int *ioffset, const int *inewid, const char *text) {
    ItemRef item = FindCurrent(*ident);
    if (!item.found()) {
        *ident = -1;
        return;
    }
    long long at = static_cast<long long>(item.position) + *ioffset - 1;
    int count = GetMenuItemCount(item.holder);
    if (at > count) at = count;
    if (at < 0) at = 0;
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    if (*inewid == 0) {
        info.fMask = MIIM_FTYPE;
        info.fType = MFT_SEPARATOR;
    } else {
        info.fMask = MIIM_ID | MIIM_STRING;
        info.wID = static_cast<UINT>(*inewid);
        info.dwTypeData = const_cast<char *>(text ? text : "");
    }
    InsertMenuItemA(item.holder, static_cast<UINT>(at), TRUE, &info);
    item.Redraw();
}

void yymndel_(int *ident) {
    ItemRef item = FindCurrent(*ident);
    if (!item.found()) {
        *ident = -1;
        return;
    }
    int freed = FreePrompt(item.holder, item.position);
    if (HMENU sub = GetSubMenu(item.holder, item.position)) freed += ClearPrompts(sub, 1);
    int &count = wSlot[item.slot].promptCount;
    count = count > freed ? count - freed : 0;
    DeleteMenu(item.holder, static_cast<UINT>(item.position), MF_BYPOSITION);
    item.Redraw();
}

void yymenuprompt_(int *ident, const char *text) {
    ItemRef item = FindCurrent(*ident);
    if (!item.found()) {
        *ident = -1;
        return;
    }
    int &count = wSlot[item.slot].promptCount;
    count -= FreePrompt(item.holder, item.position);
    if (text && text[0] != '\0') {
        SetItemData(item.holder, item.position, reinterpret_cast<ULONG_PTR>(CopyText(text)));
        ++count;
    }
}
