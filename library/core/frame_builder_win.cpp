// One builder for every frame window of the library: the frame with its menu, accelerators
// and menu prompts, its tool bars and status bar, and its client area.
#include "core/frames.h"

#include <commctrl.h>

#include "core/childwindows.h"
#include "core/menus.h"
#include "core/startup.h"

const char kClientClass[] = "RAVOZUVIZA";

namespace {

// Grows a frame by DH pixels downwards; a centred frame moves back up by half so that it
// stays centred.
void GrowFrame(HWND frame, int dh, bool centred) {
    RECT r;
    GetWindowRect(frame, &r);
    HWND parent = (GetWindowLongA(frame, GWL_STYLE) & WS_CHILD) ? GetParent(frame) : nullptr;
    if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&r), 2);
    int y = r.top - (centred ? dh / 2 : 0);
    SetWindowPos(frame, nullptr, r.left, y, r.right - r.left, r.bottom - r.top + dh,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The status bar of SLOT at the bottom of its frame, which grows by the bar's height; a
// resizable frame's bar has a size grip.
void AddStatusBar(int slot, int flags, bool centredY) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (!(flags & kFrameFixedSize)) style |= SBARS_SIZEGRIP;
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", style, 0, 0, 0, 0, wWindow[slot],
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)),
                               wInstance, nullptr);
    wMessLine[slot] = bar;
    if (!bar) return;
    RECT r;
    GetWindowRect(bar, &r);
    GrowFrame(wWindow[slot], r.bottom - r.top, centredY);
    SendMessageA(bar, WM_SIZE, 0, 0);
}

}  // namespace

DWORD quill::FrameStyle(int flags) {
    DWORD style = WS_CAPTION | WS_CLIPCHILDREN;
    if (flags & kFrameSystemMenu) style |= WS_SYSMENU;
    if (flags & kFrameMinimiseBox) style |= WS_MINIMIZEBOX;
    if (flags & kFrameMaximiseBox) style |= WS_MAXIMIZEBOX;
    if (!(flags & kFrameFixedSize)) style |= WS_THICKFRAME;
    return style;
}

HWND quill::BuildFrame(int slot, const FrameLayout &layout) {
    HMENU menu = layout.menuId != 0 ? yymnload(layout.menuId) : nullptr;
    RECT frame = {0, 0, layout.width, layout.height};
    AdjustWindowRectEx(&frame, layout.style, menu != nullptr, layout.exStyle);
    const int fw = frame.right - frame.left, fh = frame.bottom - frame.top;

    // A centred frame is centred on the screen, or in its parent's client area when it lies
    // inside another window.
    const bool centredX = layout.x == kCentre, centredY = layout.y == kCentre;
    int x = layout.x, y = layout.y;
    if (centredX || centredY) {
        int areaW = GetSystemMetrics(SM_CXSCREEN), areaH = GetSystemMetrics(SM_CYSCREEN);
        if ((layout.flags & kFrameInsideParent) && layout.parent) {
            RECT pr;
            GetClientRect(layout.parent, &pr);
            areaW = pr.right;
            areaH = pr.bottom;
        }
        if (centredX) x = (areaW - fw) / 2;
        if (centredY) y = (areaH - fh) / 2;
    }
    HWND w = CreateWindowExA(layout.exStyle, layout.className, layout.title ? layout.title : "",
                             layout.style, x, y, fw, fh, layout.parent, menu, wInstance, nullptr);
    if (!w) {
        if (menu) DestroyMenu(menu);
        return nullptr;
    }
    wWindow[slot] = w;
    wSlot[slot].flags = layout.flags;
    hMenuRoot[slot] = menu;
    if (menu) {
        hAccel[slot] = LoadAcceleratorsA(wInstance, MAKEINTRESOURCEA(layout.menuId));
        wSlot[slot].prompts = MenuPromptResource(layout.menuId);
    }

    // Tool bars and the status bar enlarge the frame, so that the client area keeps the size
    // asked for.
    const bool maximised = (layout.flags & kFrameMaximised) != 0;
    if (layout.toolbars)
        AddToolBars(slot, layout.toolbars, centredX && !maximised, centredY && !maximised);
    for (StatusPart &part : wSlot[slot].parts) part = StatusPart{0, 0};
    if (layout.flags & kFrameStatusBar) AddStatusBar(slot, layout.flags, centredY && !maximised);

    // The client area fills what the bars leave; the frame's own layout places it.
    hClient[slot] = CreateWindowExA(
        0, kClientClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
        layout.width, layout.height, w, reinterpret_cast<HMENU>(-1), wInstance, nullptr);
    RECT area;
    GetClientRect(w, &area);
    SendMessageA(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(area.right, area.bottom));
    return w;
}
