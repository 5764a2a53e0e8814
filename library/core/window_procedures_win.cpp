// The window procedures of library windows: yyWndProc for frames (the root window and child
// windows), yyWndProcClient for their client areas. Both turn messages into events through
// yyinterpretmessage.
#include "core/childwindows.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <string>

#include "core/dialogs.h"
#include "core/drawing_hooks.h"
#include "core/display.h"
#include "core/events.h"
#include "core/fields.h"
#include "core/menu_prompts.h"
#include "core/menus.h"

namespace {

// Virtual keys that give no key event of their own.
bool IsModifierKey(WPARAM key) {
    return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_PAUSE ||
           key == VK_CAPITAL || key == VK_NUMLOCK || key == VK_SCROLL;
}

// Fits the status bar, the tool bars and the client area of a frame into its client rectangle.
void LayoutFrame(int slot) {
    HWND frame = wWindow[slot];
    RECT area;
    GetClientRect(frame, &area);
    if (wMessLine[slot] != nullptr) {
        SendMessageA(wMessLine[slot], WM_SIZE, 0, 0);
        RECT bar;
        GetWindowRect(wMessLine[slot], &bar);
        area.bottom -= bar.bottom - bar.top;
    }
    HWND *bars = hToolbar[slot];
    if (bars[0] != nullptr) {  // top
        RECT r;
        GetWindowRect(bars[0], &r);
        int h = r.bottom - r.top;
        MoveWindow(bars[0], area.left, area.top, area.right - area.left, h, TRUE);
        area.top += h;
    }
    if (bars[3] != nullptr) {  // bottom, above the status bar
        RECT r;
        GetWindowRect(bars[3], &r);
        int h = r.bottom - r.top;
        MoveWindow(bars[3], area.left, area.bottom - h, area.right - area.left, h, TRUE);
        area.bottom -= h;
    }
    if (bars[1] != nullptr) {  // left, its width kept in its window data
        int w = static_cast<int>(GetWindowLongPtrA(bars[1], GWLP_USERDATA));
        MoveWindow(bars[1], area.left, area.top, w, area.bottom - area.top, TRUE);
        area.left += w;
    }
    if (bars[2] != nullptr) {  // right
        int w = static_cast<int>(GetWindowLongPtrA(bars[2], GWLP_USERDATA));
        MoveWindow(bars[2], area.right - w, area.top, w, area.bottom - area.top, TRUE);
        area.right -= w;
    }
    if (hClient[slot] != nullptr) {
        MoveWindow(hClient[slot], area.left, area.top, area.right - area.left,
                   area.bottom - area.top, TRUE);
    }
}

// A child frame keeps its normal placement while it is maximised and takes it back when it
// is restored; a minimised child draws its caption inactive and hands the active caption
// back to the window it lies in.
void ChildFrameSized(int slot, HWND frame, WPARAM how) {
    int *restored = wSlot[slot].restored;
    if (how == SIZE_MAXIMIZED) {
        WINDOWPLACEMENT wp = {};
        wp.length = sizeof wp;
        if (restored[0] == kNotRecorded && GetWindowPlacement(frame, &wp)) {
            const RECT &r = wp.rcNormalPosition;
            restored[0] = r.left;
            restored[1] = r.top;
            restored[2] = r.right - r.left;
            restored[3] = r.bottom - r.top;
        }
    } else if (how == SIZE_RESTORED && restored[0] != kNotRecorded) {
        WINDOWPLACEMENT wp = {};
        wp.length = sizeof wp;
        GetWindowPlacement(frame, &wp);
        const RECT &r = wp.rcNormalPosition;
        const int x = restored[0], y = restored[1], w = restored[2], h = restored[3];
        for (int &word : wSlot[slot].restored) word = kNotRecorded;
        if (r.left != x || r.top != y || r.right - r.left != w || r.bottom - r.top != h) {
            wp.rcNormalPosition = {x, y, x + w, y + h};
            wp.showCmd = SW_SHOWNOACTIVATE;
            SetWindowPlacement(frame, &wp);
        }
    } else if (how == SIZE_MINIMIZED) {
        SendMessageA(frame, WM_NCACTIVATE, FALSE, 0);
        HWND holder = GetParent(frame) != nullptr ? GetParent(GetParent(frame)) : nullptr;
        if (holder != nullptr && yygetwindowindex(holder) >= 0) yytitlecolour(holder);
    }
}

// Child windows maximised inside the client area CLIENT grow and shrink with it.
void RemaximiseChildren(HWND client) {
    RECT area;
    GetClientRect(client, &area);
    for (int slot = 1; slot < kWindowSlots; ++slot) {
        HWND frame = wWindow[slot];
        if (frame == nullptr || GetParent(frame) != client || !IsZoomed(frame)) continue;
        RECT r = area;
        AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(frame, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongA(frame, GWL_EXSTYLE)));
        SetWindowPos(frame, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

int ButtonOf(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN: return 1;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN: return 2;
    default: return 3;
    }
}

// The frame of the slot that a client area belongs to.
HWND FrameOf(HWND client) {
    int slot = yygetwindowindex(client);
    return slot >= 0 ? wWindow[slot] : GetParent(client);
}

// An expose or resize that completed an event outside the library's dispatchers is kept as
// the window's pending event, so that the next dispatch still reports it; a pending resize
// is not replaced by an expose.
void KeepPending(HWND client, bool completed) {
    if (!completed || bExpectPaintResize) return;
    int slot = yygetwindowindex(client);
    if (slot < 0 || slot >= kWindowSlots) return;
    PendingEvent &p = ORNMessages.window[slot];
    if (p.type == kEventResize && wMessageType == kEventExpose) return;
    p = {wMessageType,   wMessageValue1, wMessageValue2, wMessageValue3,
         wMessageValue4, wMessageX,      wMessageY,      wMessageTime};
}

LRESULT ClientKeyDown(HWND window, WPARAM key, LPARAM lParam) {
    MSG ch;
    if (PeekMessageA(&ch, window, WM_CHAR, WM_CHAR, PM_REMOVE)) {
        bool shift = GetKeyState(VK_SHIFT) < 0;
        int code;
        if (key >= VK_NUMPAD0 && key <= VK_DIVIDE)
            code = yyinterpretkey(static_cast<int>(key), 0);
        else if (ch.wParam == '\t' && shift)
            code = 274;
        else
            code = static_cast<int>(ch.wParam);
        yyinterpretmessage(kEventKey, code, key, lParam, window);
        return 0;
    }
    if (IsModifierKey(key)) return 0;
    int value = static_cast<int>(key);
    if (GetKeyState(VK_CONTROL) < 0)
        value += kCtrlFlag;
    else if (GetKeyState(VK_SHIFT) < 0)
        value += kShiftFlag;
    yyinterpretmessage(kEventKey, quill::LibraryKeyCode(value), key, lParam, window);
    return 0;
}

// The client area got the focus: its frame becomes the current window and no modeless dialog
// is current, unless the frame is filled by a dialog, which then takes the focus and becomes
// the current modeless dialog (without reporting that as a field change).
void ClientFocus(HWND client) {
    HWND frame = FrameOf(client);
    hWinCur = frame;
    hDlgCur = nullptr;
    if (!(frame == wWindow[0] && wHideRoot)) BringWindowToTop(frame);
    auto *block = reinterpret_cast<FrameBlock *>(GetWindowLongPtrA(frame, GWLP_USERDATA));
    if (block == nullptr || block->tag != kDialogWindow || !IsWindow(block->dialog)) return;
    int &fieldChanges = wMessageEnabled[kEventFieldChanged - 1];
    const int saved = fieldChanges;
    fieldChanges = 0;
    ShowWindow(block->dialog, SW_SHOW);
    SetActiveWindow(block->dialog);
    SetFocus(block->dialog);
    fieldChanges = saved;
    hDlgCur = block->dialog;
}

// The prompt of command id in the prompt resource of the slot's menu. The resource's size is
// found by looking the loaded resource up among the module's prompt resources.
bool ResourcePrompt(int slot, int id, std::string *text) {
    struct Search {
        HGLOBAL loaded;
        DWORD size;
    } search = {wSlot[slot].prompts, 0};
    if (search.loaded == nullptr) return false;
    EnumResourceNamesA(
        wInstance, "DOVUZADODAZEZ",
        [](HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param) -> BOOL {
            auto *s = reinterpret_cast<Search *>(param);
            HRSRC found = FindResourceA(module, name, type);
            if (found == nullptr || LoadResource(module, found) != s->loaded) return TRUE;
            s->size = SizeofResource(module, found);
            return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&search));
    const void *data = LockResource(search.loaded);
    return search.size > 0 &&
           quill::FindMenuPrompt(static_cast<const unsigned char *>(data), search.size, id, text);
}

}  // namespace

LRESULT CALLBACK yyWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    int slot = yygetwindowindex(window);
    switch (message) {
    case WM_SIZE:
        if (slot > 0) ChildFrameSized(slot, window, wParam);
        if (slot >= 0 && wParam != SIZE_MINIMIZED) LayoutFrame(slot);
        return 0;
    case WM_DESTROY:
        if (slot >= 0) {
            if (hMenuRoot[slot] != nullptr) yyClearMenuPrompt(hMenuRoot[slot], slot);
            hMenuRoot[slot] = nullptr;
            if (hAccel[slot] != nullptr) DestroyAcceleratorTable(hAccel[slot]);
            hAccel[slot] = nullptr;
            for (HWND &bar : hToolbar[slot]) bar = nullptr;
        }
        break;
    case WM_SETFOCUS:
        if (slot >= 0 && hClient[slot] != nullptr) SetFocus(hClient[slot]);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) yytitlecolour(window);
        break;
    case WM_CLOSE: yyinterpretmessage(kEventClose, 0, wParam, lParam, window); return 0;
    case WM_ACTIVATEAPP:
        if (wParam && GetActiveWindow() == window) yytitlecolour(window);
        if (slot >= 0 && hClient[slot] != nullptr) quill::DrawingRealizePalette(hClient[slot]);
        break;
    case WM_EXITSIZEMOVE:
        if (slot > 0 && IsIconic(window) && GetParent(window) != nullptr)
            ArrangeIconicWindows(GetParent(window));
        break;
    case MM_MCINOTIFY:
        // The window's device has finished: it is closed and forgotten.
        if (slot >= 0 && wSlot[slot].mciDevice == static_cast<UINT>(lParam)) yyclosemcidevice(slot);
        return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        if (wParam != HTREDUCE) {
            yyinterpretmessage(kEventFrameClick, ButtonOf(message), wParam, lParam, window);
            BringWindowToTop(window);
            yytitlecolour(window);
        }
        break;
    case WM_SYSCHAR:
        if (slot > 0 && wParam != '-' && GetParent(window) != nullptr)
            return SendMessageA(GetParent(window), message, wParam, lParam);
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 || HIWORD(wParam) == 1) {
            yyinterpretmessage(kEventMenu, LOWORD(wParam), wParam, lParam, window);
            if (slot >= 0 && lParam != 0) {
                for (HWND bar : hToolbar[slot])
                    if (bar != nullptr && bar == reinterpret_cast<HWND>(lParam))
                        InvalidateRect(bar, nullptr, TRUE);
            }
            return 0;
        }
        break;
    case WM_NOTIFY:
        if (slot >= 0 && reinterpret_cast<NMHDR *>(lParam)->code == TTN_GETDISPINFOA) {
            quill::AnswerToolTipRequest(slot, lParam);
            return 0;
        }
        break;
    case WM_TIMER:
        KillTimer(window, wParam);
        yyinterpretmessage(kEventTimer, static_cast<int>(wParam), wParam, lParam, window);
        return 0;
    case WM_MENUSELECT:
        if (slot >= 0 && wMessLine[slot] != nullptr) {
            const char *prompt = quill::MenuSelectPrompt(wParam, lParam);
            // An item without a prompt of its own may have one in the menu's prompt resource.
            std::string fromResource;
            if (prompt == nullptr && !(HIWORD(wParam) & (MF_SYSMENU | MF_POPUP)) &&
                ResourcePrompt(slot, LOWORD(wParam), &fromResource))
                prompt = fromResource.c_str();
            SendMessageA(wMessLine[slot], SB_SETTEXTA, 255 | SBT_NOBORDERS,
                         reinterpret_cast<LPARAM>(prompt ? prompt : ""));
        }
        break;
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
        if (slot >= 0 && wMessLine[slot] != nullptr)
            SendMessageA(wMessLine[slot], SB_SIMPLE, message == WM_ENTERMENULOOP, 0);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        BringWindowToTop(window);
        yytitlecolour(window);
        break;
    case WM_PALETTECHANGED:
        if (slot >= 0 && hClient[slot] != nullptr)
            SendMessageA(hClient[slot], message, wParam, lParam);
        break;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK yyWndProcClient(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        // While modal work runs the window shows its snapshot and reports nothing.
        if (quill::PaintFromSnapshot(window)) return 0;
        RECT update = {0, 0, 0, 0};
        GetUpdateRect(window, &update, FALSE);
        PAINTSTRUCT ps;
        quill::DrawingRealizePalette(window, BeginPaint(window, &ps));
        EndPaint(window, &ps);
        bool done =
            yyinterpretmessage(kEventExpose, 0, 0, reinterpret_cast<LPARAM>(&update), window);
        KeepPending(window, done);
        return 0;
    }
    case WM_SIZE: {
        // Icons of minimised child windows stay in view, here and in the window that holds
        // this one; what is visible is painted before the program hears of the new size.
        ArrangeIconicWindows(window);
        HWND frame = GetParent(window);
        if (yygetwindowindex(window) > 0 && frame != nullptr && GetParent(frame) != nullptr)
            ArrangeIconicWindows(GetParent(frame));
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_NOCHILDREN);
        bool done = yyinterpretmessage(kEventResize, 0, wParam, lParam, window);
        KeepPending(window, done);
        RemaximiseChildren(window);
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) yytitlecolour(FrameOf(window));
        break;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && hCurrentCursor != nullptr) {
            SetCursor(hCurrentCursor);
            return TRUE;
        }
        break;
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wParam) != window) quill::DrawingRealizePalette(window);
        return 0;
    case WM_SETFOCUS: ClientFocus(window); return 0;
    case WM_KEYDOWN: return ClientKeyDown(window, wParam, lParam);
    case WM_CHAR:
        yyinterpretmessage(kEventKey, static_cast<int>(wParam), wParam, lParam, window);
        return 0;
    case WM_SYSCHAR:
        if (GetParent(window) != nullptr)
            return SendMessageA(GetParent(window), message, wParam, lParam);
        break;
    case WM_MOUSEMOVE: yyinterpretmessage(kEventMouseMove, -1, wParam, lParam, window); return 0;
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK: {
        SetCapture(window);
        bool dbl = message == WM_LBUTTONDBLCLK || message == WM_MBUTTONDBLCLK ||
                   message == WM_RBUTTONDBLCLK;
        int type =
            dbl && wMessageEnabled[kEventDoubleClick - 1] ? kEventDoubleClick : kEventMouseDown;
        yyinterpretmessage(type, ButtonOf(message), wParam, lParam, window);
        BringWindowToTop(FrameOf(window));
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_RBUTTONUP:
        ReleaseCapture();
        yyinterpretmessage(kEventMouseUp, ButtonOf(message), wParam, lParam, window);
        return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        yyinterpretmessage(kEventFrameClick, ButtonOf(message), wParam, lParam, window);
        BringWindowToTop(FrameOf(window));
        break;
    case WM_TIMER:
        if (wParam == kWaitTimerId) {
            KillTimer(window, wParam);
            TimerEnabled = 0;
            return 0;
        }
        break;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
