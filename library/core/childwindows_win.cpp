// Child windows: opening and closing them, selecting the current window, and moving, sizing,
// titling, raising, scrolling and clearing it.
#include "core/childwindows.h"

#include <commctrl.h>
#include <mmsystem.h>

#include "core/dialogs.h"
#include "core/drawing_hooks.h"
#include "core/frames.h"
#include "base/errors.h"
#include "core/events.h"
#include "core/menus.h"
#include "core/windowtext.h"
#include "quillamorph/childwindows.h"

WindowSlot wSlot[kWindowSlots];
int wClientWidth = 0, wClientHeight = 0;

namespace {

const char kChildClass[] = "ZAREVIRER";

bool IsOpen(int slot) { return slot >= 0 && slot < kWindowSlots && wWindow[slot] != nullptr; }

bool RegisterChildClass(HINSTANCE instance) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, kChildClass, &existing)) return true;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = yyWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "icon1");
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // arrow
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kChildClass;
    return RegisterClassA(&wc) != 0;
}

// A dialog template combined with a window must be a child control-parent dialog without
// caption, sizing border or system menu. Its size in pixels on success; -1 when it cannot be
// created, -2 when its style does not qualify.
int ProbeDialog(int id, int *width, int *height) {
    int slot = yydialogfind(id);
    HWND probe = slot > 0 ? hDialogList[slot] : nullptr;
    bool created = false;
    if (!probe) {
        probe = CreateDialogParamA(
            wInstance, MAKEINTRESOURCEA(id), wWindow[0],
            [](HWND, UINT m, WPARAM, LPARAM) -> INT_PTR { return m == WM_INITDIALOG; }, 0);
        if (!probe) return -1;
        created = true;
    }
    LONG style = GetWindowLongA(probe, GWL_STYLE);
    int result = id;
    if (!(style & WS_CHILD) || !(style & DS_CONTROL) || (style & WS_CAPTION) == WS_CAPTION ||
        (style & WS_THICKFRAME) || (style & WS_SYSMENU)) {
        result = -2;
    } else {
        RECT r;
        GetWindowRect(probe, &r);
        *width = r.right - r.left;
        *height = r.bottom - r.top;
    }
    if (created) DestroyWindow(probe);
    return result;
}

// Checks the window a child opens inside: 0 when it may hold one, else the negative IWIN.
int CheckInsideParent(int parent) {
    if (!IsOpen(parent)) return -5;
    if (!IsWindowVisible(wWindow[parent])) return -2;
    int type = quill::WindowTypeWord(wWindow[parent]);
    if (type == kDialogWindow) return -3;
    if (type != kPlainWindow) return -4;
    return 0;
}

DWORD ChildStyle(int flags) {
    return quill::FrameStyle(flags) |
           ((flags & kFrameInsideParent) ? (WS_CHILD | WS_CLIPSIBLINGS) : WS_POPUP);
}

DWORD ChildExStyle(int flags) {
    DWORD ex = 0;
    if (flags & kFrameTopmost) ex |= WS_EX_TOPMOST;
    if (flags & kFrameToolCaption) ex |= WS_EX_TOOLWINDOW;
    return ex;
}

// Closes every open window that lies inside FRAME or is owned by it, directly or further up.
void CloseDependants(HWND frame) {
    for (int slot = 1; slot < kWindowSlots; ++slot) {
        if (!IsOpen(slot) || wWindow[slot] == frame) continue;
        for (HWND w = wWindow[slot]; w; w = GetParent(w) ? GetParent(w) : GetWindow(w, GW_OWNER)) {
            if (w == frame) {
                int child = slot, none = 0;
                yyclosechild_(&child, &none);
                break;
            }
        }
    }
}

}  // namespace

int quill::WindowTypeWord(HWND frame) {
    if (!frame) return kPlainWindow;
    auto *block = reinterpret_cast<FrameBlock *>(GetWindowLongPtrA(frame, GWLP_USERDATA));
    return block ? block->tag : kPlainWindow;
}

HWND quill::WindowDialog(HWND frame) {
    if (WindowTypeWord(frame) != kDialogWindow) return nullptr;
    return reinterpret_cast<FrameBlock *>(GetWindowLongPtrA(frame, GWLP_USERDATA))->dialog;
}

bool quill::IsChildFrame(HWND window) {
    char name[sizeof kChildClass + 1];
    return window != nullptr && GetClassNameA(window, name, sizeof name) > 0 &&
           lstrcmpiA(name, kChildClass) == 0;
}

int yygetnextfree() {
    for (int slot = 1; slot < kWindowSlots; ++slot)
        if (wWindow[slot] == nullptr) return slot;
    return -1;
}

void yyopenchild_(int *x, int *y, int *width, int *height, int *iwin, int *flags, const int *menuid,
                  const int *toolbars, int *idialog, const int *parent, const char *title) {
    int slot = yygetnextfree();
    *iwin = -1;
    if (slot < 0) return;
    int f = *flags;
    int owner = parent ? *parent : 0;
    if (f & kFrameInsideParent) {
        int check = CheckInsideParent(owner);
        if (check != 0) {
            *iwin = check;
            return;
        }
    }
    int dialogId = idialog ? *idialog : 0;
    if (dialogId > 0) {
        int probed = ProbeDialog(dialogId, width, height);
        if (probed < 0) {
            *idialog = probed;
            dialogId = 0;
        } else {
            const int kept =
                kFrameSystemMenu | kFrameMinimiseBox | kFrameInsideParent | kFrameStatusBar;
            f = (f & ~0xFF) | (f & kept) | kFrameFixedSize;
        }
    }
    if (!RegisterChildClass(wInstance)) return;

    const bool inside = (f & kFrameInsideParent) != 0;
    HWND parentWindow = nullptr;
    if (inside)
        parentWindow = hClient[owner];
    else if ((f & kFrameOwned) && IsOpen(owner))
        parentWindow = wWindow[owner];

    DWORD style = ChildStyle(f);
    if (hDialogList[0] != nullptr) style |= WS_DISABLED;  // a modal dialog is running
    quill::ForgetWindowSlot(slot);
    wSlot[slot].previous = hWinCur;
    quill::FrameLayout layout = {kChildClass,
                                 title,
                                 style,
                                 ChildExStyle(f),
                                 parentWindow,
                                 *x,
                                 *y,
                                 *width,
                                 *height,
                                 f,
                                 inside || !menuid ? 0 : *menuid,
                                 toolbars};
    HWND w = quill::BuildFrame(slot, layout);
    if (!w) {
        quill::ForgetWindowSlot(slot);
        return;
    }
    const bool maximised = (f & kFrameMaximised) != 0;

    if (dialogId > 0 && !quill::CombineDialog(slot, dialogId)) *idialog = -1;

    if (!(f & kFrameHidden)) {
        ShowWindow(w, maximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
        BringWindowToTop(w);
        if (hClient[slot]) {
            ValidateRect(hClient[slot], nullptr);
            SetFocus(hClient[slot]);
        }
        yytitlecolour(w);
    }
    *iwin = slot;
    if (hClient[slot]) {
        RECT c;
        GetClientRect(hClient[slot], &c);
        *width = c.right;
        *height = c.bottom;
    }
}

void yyclosechild_(int *iwin, int *icurdialog) {
    int slot = *iwin;
    if (slot < 1 || slot >= kWindowSlots || !IsOpen(slot)) {
        *iwin = -1;
        return;
    }
    HWND frame = wWindow[slot];
    WindowSlot &s = wSlot[slot];
    yyclosemcidevice(slot);
    if (wIndex == slot && wDC) {
        ReleaseDC(hClient[slot], wDC);
        wDC = nullptr;
    }
    if (quill::WindowTypeWord(frame) == kDialogWindow) {
        quill::UncombineDialog(frame, icurdialog);
    } else {
        CloseDependants(frame);
    }
    for (int other = 0; other < kWindowSlots; ++other)
        if (IsOpen(other) && wSlot[other].previous == frame) wSlot[other].previous = s.previous;
    for (int d = 1; d <= nDialogs && d <= QUILL_MAX_DIALOGS; ++d) {
        DialogRecord *record = quill::DialogRecordOf(hDialogList[d]);
        if (record && (record->owner == frame || record->reenable == frame)) {
            record->owner = s.previous;
            record->reenable = s.previous;
        }
    }
    if (hMenuRoot[slot]) yyClearMenuPrompt(hMenuRoot[slot], slot);
    if (hClient[slot]) DestroyWindow(hClient[slot]);
    DestroyWindow(frame);
    if (hWinCur == frame) hWinCur = wWindow[0];
    quill::ForgetWindowSlot(slot);
    if (wIndex == slot) {
        int root = 0;
        yywinsel_(&root);
    }
}

void yyclosemcidevice(int slot) {
    if (slot < 0 || slot >= kWindowSlots || wSlot[slot].mciDevice == 0) return;
    mciSendCommandA(wSlot[slot].mciDevice, MCI_CLOSE, 0, 0);
    wSlot[slot].mciDevice = 0;
}

void yywinsel_(int *iwin) {
    int slot = *iwin;
    if (!IsOpen(slot) || !hClient[slot]) {
        *iwin = -1;
        return;
    }
    // The window's device context gives back the graphics objects it held.
    if (wDC) quill::DrawingWindowReleasing(wDC);
    if (wDC && hClient[wIndex]) ReleaseDC(hClient[wIndex], wDC);
    wDC = nullptr;
    wIndex = slot;
    hWinCur = wWindow[slot];
    wDC = GetDC(hClient[slot]);
    if (wDC) {
        SetBkMode(wDC, TRANSPARENT);
        SetTextAlign(wDC, TA_BASELINE);
        // A window that is the drawing target gets the drawing state; a bitmap, field or
        // metafile target keeps its own device context.
        quill::DrawingWindowSelected(wDC);
    }
    RECT c;
    GetClientRect(hClient[slot], &c);
    yyresize_(wWindow[slot], c.right, c.bottom);
}

void quill::SelectWindowForAMoment(int *iwin) {
    const int outer = quill::DrawingMarkReselecting(1);
    yywinsel_(iwin);
    quill::DrawingMarkReselecting(outer);
}

void yyresize_(HWND window, int width, int height) {
    const int slot = yygetwindowindex(window);
    if (slot < 0 || slot != wIndex) return;
    wClientWidth = width;
    wClientHeight = height;
    yyfntsiz_();
    quill::DrawingWindowResized(slot, width, height);
}

void windowselect_(const int *iwin) {
    int slot = iwin ? *iwin : -1;
    if (!IsOpen(slot) || !hClient[slot]) {
        quill::RaiseError(1003);
        return;
    }
    yywinsel_(&slot);
}

void yywindowsizepos_(int *x, int *y, int *width, int *height, const int *istate) {
    HWND frame = wWindow[wIndex];
    HWND client = hClient[wIndex];
    if (!frame || !client) return;
    int state = istate ? *istate : -1;
    switch (state) {
    case 0: ShowWindow(frame, SW_MINIMIZE); break;
    case 1: ShowWindow(frame, SW_RESTORE); break;
    case 2: ShowWindow(frame, SW_MAXIMIZE); break;
    case 3: ShowWindow(frame, SW_HIDE); break;
    default: break;
    }
    if (!IsIconic(frame) && !IsZoomed(frame)) {
        RECT fr, cr;
        GetWindowRect(frame, &fr);
        GetClientRect(client, &cr);
        HWND parent = (GetWindowLongA(frame, GWL_STYLE) & WS_CHILD) ? GetParent(frame) : nullptr;
        if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&fr), 2);
        int fw = fr.right - fr.left, fh = fr.bottom - fr.top;
        if (*width != kCentre) fw += *width - cr.right;
        if (*height != kCentre) fh += *height - cr.bottom;
        int nx = *x != kCentre ? *x : fr.left;
        int ny = *y != kCentre ? *y : fr.top;
        SetWindowPos(frame, nullptr, nx, ny, fw, fh, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT c;
    GetClientRect(client, &c);
    *width = c.right;
    *height = c.bottom;
    wClientWidth = c.right;
    wClientHeight = c.bottom;
}

void yywindowtitle_(int *icon, const int *iset, const char *title) {
    HWND frame = wWindow[wIndex];
    if (!frame) return;
    if (iset && *iset == 1) SetWindowTextA(frame, title ? title : "");
    if (!icon || *icon == -1) return;
    HICON image = *icon == 0  ? LoadIconA(wInstance, "icon1")
                  : *icon > 0 ? LoadIconA(wInstance, MAKEINTRESOURCEA(*icon))
                              : nullptr;
    if (!image) {
        *icon = -2;
        return;
    }
    SendMessageA(frame, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(image));
    SendMessageA(frame, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(image));
}

void yywindowraise_() {
    HWND frame = wWindow[wIndex];
    if (!frame) return;
    for (HWND w = frame; w;
         w = (GetWindowLongA(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr) {
        ShowWindow(w, SW_SHOW);
        BringWindowToTop(w);
    }
    EnableWindow(frame, TRUE);
    HWND focus = quill::WindowDialog(frame);
    if (!focus) focus = hClient[wIndex] ? hClient[wIndex] : frame;
    SetFocus(focus);
    yytitlecolour(frame);
}

namespace {

COLORREF AreaColour(HDC dc, int colour) {
    COLORREF rgb;
    if (colour == -1)
        rgb = quill::TextColour(wBackCol);
    else
        rgb = static_cast<COLORREF>(colour) & 0xFFFFFF;
    if (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) rgb = GetNearestColor(dc, rgb);
    return rgb;
}

void FillArea(HDC dc, const RECT &r, COLORREF rgb) {
    HBRUSH brush = CreateSolidBrush(rgb);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

}  // namespace

void yyscrollarea_(const int *dx, const int *dy, const int *icolour) {
    HWND client = hClient[wIndex];
    if (!client) return;
    HDC dc = GetDC(client);
    RECT area;
    GetClientRect(client, &area);
    RECT uncovered;
    ScrollDC(dc, *dx, *dy, &area, &area, nullptr, &uncovered);
    // The strips the scroll left behind: one along the moved edge in each direction.
    COLORREF rgb = AreaColour(dc, icolour ? *icolour : -1);
    if (*dx > 0) FillArea(dc, RECT{0, 0, *dx, area.bottom}, rgb);
    if (*dx < 0) FillArea(dc, RECT{area.right + *dx, 0, area.right, area.bottom}, rgb);
    if (*dy > 0) FillArea(dc, RECT{0, 0, area.right, *dy}, rgb);
    if (*dy < 0) FillArea(dc, RECT{0, area.bottom + *dy, area.right, area.bottom}, rgb);
    ReleaseDC(client, dc);
    ValidateRect(client, nullptr);
}

void yycleararea_(const int *x1, const int *y1, const int *x2, const int *y2, const int *icolour) {
    HWND client = hClient[wIndex];
    if (!client) return;
    HDC dc = wDC ? wDC : GetDC(client);
    FillArea(dc, RECT{*x1, *y1, *x2 + 1, *y2 + 1}, AreaColour(dc, icolour ? *icolour : -1));
    if (dc != wDC) ReleaseDC(client, dc);
}
