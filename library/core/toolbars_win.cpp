// Tool bars built from a tool-bar table and a bitmap of button images, mirroring the state of
// the window menu's items with the same ids, and their tool tips.
#include "core/menus.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/childwindows.h"
#include "core/resource_tables.h"

namespace {

const char kOldProcProperty[] = "QuillToolbarProc";

// Tool bars never place themselves: their size messages go to the default procedure and the
// frame's layout puts them where they belong.
LRESULT CALLBACK yySubToolbar(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    auto old = reinterpret_cast<WNDPROC>(GetPropA(bar, kOldProcProperty));
    if (message == WM_SIZE || !old) return DefWindowProcA(bar, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropA(bar, kOldProcProperty);
        SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    }
    return CallWindowProcA(old, bar, message, wParam, lParam);
}

bool LoadTable(int id, quill::ToolbarTable *table) {
    HRSRC resource = FindResourceA(wInstance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));
    if (!resource) return false;
    HGLOBAL loaded = LoadResource(wInstance, resource);
    const void *data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return false;
    *table = quill::ParseToolbarTable(data, SizeofResource(wInstance, resource));
    return table->valid && table->image_width > 0 && table->image_height > 0;
}

int ButtonCount(int slot) {
    int n = 0;
    for (HWND bar : hToolbar[slot])
        if (bar) n += static_cast<int>(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0));
    return n;
}

// Grows the tool-tip table to COUNT records, keeping what the records held.
void GrowTips(int slot, int count) {
    WindowSlot &s = wSlot[slot];
    if (count <= s.tipCount) return;
    auto *tips = new ToolTipRecord[static_cast<size_t>(count)]();
    if (s.tips) std::copy(s.tips, s.tips + s.tipCount, tips);
    delete[] s.tips;
    s.tips = tips;
    s.tipCount = count;
}

void FreeTips(int slot) {
    delete[] wSlot[slot].tips;
    wSlot[slot].tips = nullptr;
    wSlot[slot].tipCount = 0;
}

// The area the client window may use: the frame's client rectangle without the status bar
// and the tool bars other than EXCEPT.
RECT FreeArea(int slot, int except) {
    RECT area;
    GetClientRect(wWindow[slot], &area);
    if (wMessLine[slot]) {
        RECT r;
        GetWindowRect(wMessLine[slot], &r);
        area.bottom -= r.bottom - r.top;
    }
    for (int pos = 0; pos < 4; ++pos) {
        HWND bar = hToolbar[slot][pos];
        if (!bar || pos == except) continue;
        RECT r;
        GetWindowRect(bar, &r);
        switch (pos) {
        case 0: area.top += r.bottom - r.top; break;
        case 1: area.left += r.right - r.left; break;
        case 2: area.right -= r.right - r.left; break;
        default: area.bottom -= r.bottom - r.top; break;
        }
    }
    return area;
}

// Thickness of a bar across its position: height for top and bottom, width for the sides.
int Thickness(HWND bar, int pos) {
    if (!bar) return 0;
    RECT r;
    GetWindowRect(bar, &r);
    return (pos == 0 || pos == 3) ? r.bottom - r.top : r.right - r.left;
}

HWND CreateBar(int id, int slot, int pos, const quill::ToolbarTable &table) {
    const bool vertical = pos == 1 || pos == 2;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS | CCS_NORESIZE |
                  CCS_NOPARENTALIGN | CCS_NODIVIDER;
    if (vertical) style |= TBSTYLE_WRAPABLE;
    HWND bar =
        CreateWindowExA(0, TOOLBARCLASSNAMEA, "", style, 0, 0, 0, 0, wWindow[slot],
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), wInstance, nullptr);
    if (!bar) return nullptr;
    SetPropA(bar, kOldProcProperty, reinterpret_cast<HANDLE>(GetWindowLongPtrA(bar, GWLP_WNDPROC)));
    SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(yySubToolbar));

    SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(table.image_width, table.image_height));
    SendMessageA(bar, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(table.image_width + 6, table.image_height + 6));

    std::vector<TBBUTTON> buttons;
    int image = 0;
    HMENU menu = hMenuRoot[slot];
    for (int command : table.ids) {
        TBBUTTON b = {};
        if (command == 0) {
            b.fsStyle = BTNS_SEP;
            if (vertical) b.fsState = TBSTATE_WRAP;
        } else {
            b.iBitmap = image++;
            b.idCommand = command;
            b.fsStyle = BTNS_BUTTON;
            b.fsState = TBSTATE_ENABLED;
            HMENU holder;
            int position = yymngetpos(menu, command, &holder);
            if (position >= 0) {
                UINT state = GetMenuState(holder, static_cast<UINT>(position), MF_BYPOSITION);
                if (state & (MF_GRAYED | MF_DISABLED)) b.fsState = 0;
                if (state & MF_CHECKED) b.fsState |= TBSTATE_CHECKED;
            }
            if (vertical) b.fsState |= TBSTATE_WRAP;
        }
        buttons.push_back(b);
    }
    if (image > 0) {
        TBADDBITMAP bitmap = {wInstance, static_cast<UINT_PTR>(id)};
        SendMessageA(bar, TB_ADDBITMAP, static_cast<WPARAM>(image),
                     reinterpret_cast<LPARAM>(&bitmap));
    }
    if (!buttons.empty())
        SendMessageA(bar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    return bar;
}

void PlaceBar(HWND bar, int slot, int pos, const quill::ToolbarTable &table) {
    RECT area = FreeArea(slot, pos);
    if (pos == 0 || pos == 3) {
        int h = table.image_height + 12;
        int y = pos == 0 ? area.top : area.bottom - h;
        MoveWindow(bar, area.left, y, area.right - area.left, h, TRUE);
    } else {
        int w = table.image_width + 9;
        int x = pos == 1 ? area.left : area.right - w;
        MoveWindow(bar, x, area.top, w, area.bottom - area.top, TRUE);
        SetWindowLongPtrA(bar, GWLP_USERDATA, w);  // the frame's layout keeps this width
    }
}

}  // namespace

void yyRestackToolbars(int slot) {
    HWND after = HWND_TOP;
    if (wMessLine[slot]) {
        SetWindowPos(wMessLine[slot], after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = wMessLine[slot];
    }
    for (HWND bar : hToolbar[slot]) {
        if (!bar) continue;
        SetWindowPos(bar, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = bar;
    }
}

int quill::ToolBarButtonState(int slot, int ident, int flag) {
    for (HWND bar : hToolbar[slot]) {
        if (!bar || SendMessageA(bar, TB_COMMANDTOINDEX, static_cast<WPARAM>(ident), 0) < 0)
            continue;
        UINT ask = flag == 1 ? TB_ISBUTTONENABLED : TB_ISBUTTONCHECKED;
        return SendMessageA(bar, ask, static_cast<WPARAM>(ident), 0) ? 1 : 0;
    }
    return -1;
}

void yymntbar_(int *itoolbar, const int *iwin, const int *ipos, int *iwidth, int *iheight) {
    int slot = iwin ? *iwin : -1;
    int pos = ipos ? *ipos : 0;
    *iwidth = -1;
    *iheight = -1;
    if (slot < 0 || slot >= kWindowSlots || !wWindow[slot]) {
        *itoolbar = -2;
        return;
    }
    if (pos < 0 || pos > 3) {
        *itoolbar = -1;
        return;
    }
    quill::ToolbarTable table;
    if (*itoolbar != 0 && !LoadTable(*itoolbar, &table)) {
        *itoolbar = -1;
        return;
    }
    HWND frame = wWindow[slot];
    RECT clientBefore = FreeArea(slot, -1);
    int before = Thickness(hToolbar[slot][pos], pos);
    if (hToolbar[slot][pos]) {
        DestroyWindow(hToolbar[slot][pos]);
        hToolbar[slot][pos] = nullptr;
        bool left = false;
        for (HWND bar : hToolbar[slot]) left = left || bar;
        if (!left) FreeTips(slot);
    }
    if (*itoolbar != 0) {
        HWND bar = CreateBar(*itoolbar, slot, pos, table);
        if (!bar) {
            *itoolbar = -1;
        } else {
            hToolbar[slot][pos] = bar;
            PlaceBar(bar, slot, pos, table);
            yyRestackToolbars(slot);
            GrowTips(slot, ButtonCount(slot));
        }
    }

    // The frame changes by the bar's change in thickness so that the client area keeps its
    // size; a maximised window grows beyond its maximised size.
    int change = Thickness(hToolbar[slot][pos], pos) - before;
    if (change != 0) {
        RECT r;
        GetWindowRect(frame, &r);
        int w = r.right - r.left, h = r.bottom - r.top;
        if (pos == 0 || pos == 3)
            h += change;
        else
            w += change;
        SetWindowPos(frame, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT area;
    GetClientRect(frame, &area);
    SendMessageA(frame, WM_SIZE, IsZoomed(frame) ? SIZE_MAXIMIZED : SIZE_RESTORED,
                 MAKELPARAM(area.right, area.bottom));
    RECT clientAfter = FreeArea(slot, -1);
    int wBefore = clientBefore.right - clientBefore.left,
        hBefore = clientBefore.bottom - clientBefore.top;
    int wAfter = clientAfter.right - clientAfter.left,
        hAfter = clientAfter.bottom - clientAfter.top;
    if ((pos == 1 || pos == 2) && wAfter != wBefore) *iwidth = wAfter, *iheight = hAfter;
    if ((pos == 0 || pos == 3) && hAfter != hBefore) *iwidth = wAfter, *iheight = hAfter;
}

void yytooltip_(int *ident, const char *text, const int *n) {
    int slot = wIndex;
    if (slot < 0 || slot >= kWindowSlots || quill::ToolBarButtonState(slot, *ident, 1) < 0) {
        *ident = -1;
        return;
    }
    WindowSlot &s = wSlot[slot];
    int length = 0;
    if (text && n && *n > 1) {
        const void *nul = std::memchr(text, '\0', static_cast<size_t>(*n - 1));
        length = nul ? static_cast<int>(static_cast<const char *>(nul) - text) : *n - 1;
    }
    ToolTipRecord *record = nullptr;
    for (int i = 0; i < s.tipCount && !record; ++i)
        if (s.tips[i].id == *ident) record = &s.tips[i];
    if (!record) {
        for (int i = s.tipCount - 1; i >= 0 && !record; --i)
            if (s.tips[i].id == 0) record = &s.tips[i];
    }
    if (!record) return;
    if (length == 0) {
        *record = ToolTipRecord{};
        return;
    }
    // At most 79 characters and the terminator.
    length = std::min(length, static_cast<int>(sizeof record->text) - 1);
    record->id = *ident;
    std::memcpy(record->text, text, static_cast<size_t>(length));
    record->text[length] = '\0';
}

void quill::AddToolBars(int slot, const int *toolbars, bool centredX, bool centredY) {
    HWND frame = wWindow[slot];
    for (int pos = 0; pos < 4; ++pos) {
        if (toolbars[pos] == 0) continue;
        int bar = toolbars[pos], win = slot, position = pos, cw, ch;
        RECT before;
        GetWindowRect(frame, &before);
        yymntbar_(&bar, &win, &position, &cw, &ch);
        if (!centredX && !centredY) continue;
        RECT after;
        GetWindowRect(frame, &after);
        int dw = (after.right - after.left) - (before.right - before.left);
        int dh = (after.bottom - after.top) - (before.bottom - before.top);
        HWND parent = (GetWindowLongA(frame, GWL_STYLE) & WS_CHILD) ? GetParent(frame) : nullptr;
        if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&after), 2);
        SetWindowPos(frame, nullptr, after.left - (centredX ? dw / 2 : 0),
                     after.top - (centredY ? dh / 2 : 0), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void quill::AnswerToolTipRequest(int slot, LPARAM request) {
    auto *info = reinterpret_cast<NMTTDISPINFOA *>(request);
    int id = static_cast<int>(info->hdr.idFrom);
    const char *text = ToolTipText(slot, id);
    static char buffer[80];
    if (text) {
        lstrcpynA(buffer, text, sizeof buffer);
    } else if (LoadStringA(wInstance, static_cast<UINT>(id), buffer, sizeof buffer) <= 0) {
        buffer[0] = '\0';
    }
    info->lpszText = buffer;
    info->hinst = nullptr;
}

const char *quill::ToolTipText(int slot, int id) {
    if (slot < 0 || slot >= kWindowSlots || id == 0) return nullptr;
    const WindowSlot &s = wSlot[slot];
    for (int i = 0; i < s.tipCount; ++i)
        if (s.tips[i].id == id) return s.tips[i].text;
    return nullptr;
}
