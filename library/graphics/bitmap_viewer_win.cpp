// The bitmap viewer: a child window taken over by a scrolling view of one of the library's
// bitmaps. The frame gets yyBitmapWndProc in place of its own procedure and a record of kind
// kViewerWindow; the view is a child window of class "ORNBITMAP" laid over the hidden client
// area. Scrolling reports event type 15, mouse and keys reach the program as usual events.
#include <windows.h>

#include <algorithm>

#include "core/childwindows.h"
#include "core/dialogs.h"
#include "core/event_codes.h"
#include "core/events.h"
#include "core/fields.h"
#include "core/startup.h"
#include "core/window_takeover.h"
#include "graphics/bitmaps.h"
#include "graphics/drawing_target.h"
#include "graphics/graphics_state.h"

namespace {

constexpr int kViewerId = 1001;
constexpr int kNoLimit = -999;
constexpr int kLineStep = 16;  // pixels an arrow key scrolls
constexpr int kWheelStep = 48;

}  // namespace

// The viewer record hung on the frame (GWLP_USERDATA); it begins with the frame record that
// tells the window's kind.
struct ViewerRecord {
    FrameBlock block;   // block.view: the "ORNBITMAP" window
    int slot;           // window slot of the frame
    int mode;           // 1 modal, 2 no other window disabled, other: modeless
    int bitmap;         // slot of the bitmap shown
    int width, height;  // image size
    int maxX, maxY;     // fixed maximum scroll offsets, kNoLimit for none
    int x, y;           // scroll position
    int closed;         // 1 ends the modal loop
    // The frame's own procedure and bars while the viewer shows, and whether the other
    // windows are disabled for it.
    quill::FrameTakeover takeover;
};

LRESULT CALLBACK yyBitmapWndProcClient(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK yyBitmapWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void yyBitmapViewerInit(ViewerRecord *record, const int *index, const int *x, const int *y);

namespace {

ViewerRecord *RecordOf(HWND frame) {
    if (frame == nullptr || quill::WindowTypeWord(frame) != kViewerWindow) return nullptr;
    return reinterpret_cast<ViewerRecord *>(GetWindowLongPtrA(frame, GWLP_USERDATA));
}

ViewerRecord *RecordOfView(HWND view) { return RecordOf(GetParent(view)); }

// The largest scroll position each way for the view's current size.
void ScrollLimits(const ViewerRecord &r, int *mx, int *my, int *pageX, int *pageY) {
    RECT c;
    GetClientRect(r.block.view, &c);
    *pageX = static_cast<int>(c.right);
    *pageY = static_cast<int>(c.bottom);
    *mx = std::max(0, r.width - *pageX);
    *my = std::max(0, r.height - *pageY);
    if (r.maxX != kNoLimit) *mx = std::min(*mx, std::max(r.maxX, 0));
    if (r.maxY != kNoLimit) *my = std::min(*my, std::max(r.maxY, 0));
}

// Sets the scroll bars to the image and the position (limited); reports event 15 when
// REPORT and the position changed.
void ApplyScroll(ViewerRecord &r, int x, int y, bool report) {
    int mx, my, px, py;
    ScrollLimits(r, &mx, &my, &px, &py);
    x = std::min(std::max(x, 0), mx);
    y = std::min(std::max(y, 0), my);
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = mx > 0 ? mx + px - 1 : 0;
    si.nPage = mx > 0 ? static_cast<UINT>(px) : 0;
    si.nPos = x;
    SetScrollInfo(r.block.view, SB_HORZ, &si, TRUE);
    si.nMax = my > 0 ? my + py - 1 : 0;
    si.nPage = my > 0 ? static_cast<UINT>(py) : 0;
    si.nPos = y;
    SetScrollInfo(r.block.view, SB_VERT, &si, TRUE);
    const bool moved = x != r.x || y != r.y;
    r.x = x;
    r.y = y;
    if (moved) {
        InvalidateRect(r.block.view, nullptr, FALSE);
        if (report && r.slot >= 0 && hClient[r.slot] != nullptr)
            yyinterpretmessage(kEventBitmapView, 0, 0, MAKELPARAM(x, y), hClient[r.slot]);
    }
}

void Paint(HWND view) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(view, &ps);
    ViewerRecord *r = RecordOfView(view);
    if (r != nullptr && r->bitmap >= 0 && gBitmaps[r->bitmap].handle != nullptr) {
        RECT c;
        GetClientRect(view, &c);
        if (HPALETTE palette = quill::TargetPalette()) {
            SelectPalette(dc, palette, FALSE);
            RealizePalette(dc);
        }
        HDC source = r->bitmap == gBitmapTarget ? gBitmapDC : CreateCompatibleDC(dc);
        HGDIOBJ old =
            source != gBitmapDC ? SelectObject(source, gBitmaps[r->bitmap].handle) : nullptr;
        FillRect(dc, &c, GetSysColorBrush(COLOR_WINDOW));
        BitBlt(dc, 0, 0, std::min<int>(c.right, r->width - r->x),
               std::min<int>(c.bottom, r->height - r->y), source, r->x, r->y, SRCCOPY);
        if (source != gBitmapDC) {
            SelectObject(source, old);
            DeleteDC(source);
        }
    }
    EndPaint(view, &ps);
}

void Key(ViewerRecord &r, WPARAM key) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    int mx, my, px, py;
    ScrollLimits(r, &mx, &my, &px, &py);
    int x = r.x, y = r.y;
    switch (key) {
    case VK_PRIOR: (ctrl ? x : y) -= ctrl ? px : py; break;
    case VK_NEXT: (ctrl ? x : y) += ctrl ? px : py; break;
    case VK_HOME: (ctrl ? x : y) = 0; break;
    case VK_END: (ctrl ? x : y) = ctrl ? mx : my; break;
    case VK_LEFT: x -= kLineStep; break;
    case VK_RIGHT: x += kLineStep; break;
    case VK_UP: y -= kLineStep; break;
    case VK_DOWN: y += kLineStep; break;
    default: return;
    }
    ApplyScroll(r, x, y, true);
}

void ScrollBar(ViewerRecord &r, int bar, WPARAM wParam) {
    int mx, my, px, py;
    ScrollLimits(r, &mx, &my, &px, &py);
    int pos = bar == SB_HORZ ? r.x : r.y;
    const int page = bar == SB_HORZ ? px : py, last = bar == SB_HORZ ? mx : my;
    switch (LOWORD(wParam)) {
    case SB_LINEUP: pos -= kLineStep; break;
    case SB_LINEDOWN: pos += kLineStep; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = last; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(r.block.view, bar, &si);
        pos = si.nTrackPos;
        break;
    }
    default: return;
    }
    ApplyScroll(r, bar == SB_HORZ ? pos : r.x, bar == SB_HORZ ? r.y : pos, true);
}

// Lays the view over the frame's client area (the area the library's layout gives it).
void LayoutView(ViewerRecord &r) {
    if (r.slot < 0 || hClient[r.slot] == nullptr) return;
    RECT c;
    GetWindowRect(hClient[r.slot], &c);
    MapWindowPoints(nullptr, wWindow[r.slot], reinterpret_cast<POINT *>(&c), 2);
    MoveWindow(r.block.view, c.left, c.top, c.right - c.left, c.bottom - c.top, TRUE);
    ApplyScroll(r, r.x, r.y, true);
}

// Gives the frame back its procedure and client area and frees the record.
void Restore(HWND frame, ViewerRecord *r) {
    quill::GiveFrameBack(frame, r->takeover);
    if (IsWindow(r->block.view)) DestroyWindow(r->block.view);
    quill::EnableOthers(frame, &r->takeover);
    if (r->slot >= 0 && hClient[r->slot] != nullptr && IsWindow(frame))
        ShowWindow(hClient[r->slot], SW_SHOW);
    delete r;
}

// What the graphics layer needs to map a position in the viewer of window SLOT: the image
// size, the horizontal scroll position and the bottom of the visible part as item 103 gives
// it. The bottom counts the horizontal scroll bar, as the window's client area, whose height
// the event positions are measured against, does too.
bool ViewerGeometryOfSlot(int slot, quill::ViewerGeometry *geometry) {
    if (slot < 0 || slot >= kWindowSlots || RecordOf(wWindow[slot]) == nullptr) return false;
    const int items[4] = {101, 102, 4, 103};
    int values[4] = {0, 0, 0, 0};
    for (int k = 0; k < 4; ++k) yybitmapinfo_(&slot, &items[k], &values[k]);
    *geometry = {values[0], values[1], values[2], values[3]};
    return true;
}

bool gClassRegistered = false;

// Registers the viewer's class, and with it the viewer's answer to position queries: no
// window can be a viewer before.
bool RegisterViewerClass() {
    if (gClassRegistered) return true;
    quill::SetViewerGeometryQuery(ViewerGeometryOfSlot);
    WNDCLASSA c = {};
    c.lpfnWndProc = yyBitmapWndProcClient;
    c.hInstance = wInstance;
    c.hCursor = LoadCursor(nullptr, IDC_ARROW);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    c.lpszClassName = "ORNBITMAP";
    gClassRegistered = RegisterClassA(&c) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return gClassRegistered;
}

}  // namespace

int quill::ViewerBitmapSlot(HWND frame) {
    const ViewerRecord *r = RecordOf(frame);
    return r != nullptr ? r->bitmap : -1;
}

void yyBitmapViewerInit(ViewerRecord *record, const int *index, const int *x, const int *y) {
    if (record == nullptr || index == nullptr) return;
    record->bitmap = *index;
    record->width = gBitmaps[*index].width;
    record->height = gBitmaps[*index].height;
    record->x = record->y = -1;  // so that the position set below counts as new
    ApplyScroll(*record, x != nullptr ? std::max(*x, 0) : 0, y != nullptr ? std::max(*y, 0) : 0,
                false);
}

LRESULT CALLBACK yyBitmapWndProcClient(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ViewerRecord *r = RecordOfView(window);
    if (r == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    HWND client = r->slot >= 0 ? hClient[r->slot] : nullptr;
    switch (message) {
    case WM_PAINT: Paint(window); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: ApplyScroll(*r, r->x, r->y, true); return 0;
    case WM_HSCROLL: ScrollBar(*r, SB_HORZ, wParam); return 0;
    case WM_VSCROLL: ScrollBar(*r, SB_VERT, wParam); return 0;
    case WM_MOUSEWHEEL:
        ApplyScroll(*r, r->x, r->y - GET_WHEEL_DELTA_WPARAM(wParam) * kWheelStep / WHEEL_DELTA,
                    true);
        return 0;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: Key(*r, wParam); return 0;
        default: break;
        }
        [[fallthrough]];
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SETCURSOR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MOUSEMOVE:
        // The usual mouse and key events, of the window the viewer fills.
        if (client != nullptr) return yyWndProcClient(client, message, wParam, lParam);
        break;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK yyBitmapWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ViewerRecord *r = RecordOf(window);
    if (r == nullptr) return yyWndProc(window, message, wParam, lParam);
    switch (message) {
    case WM_SIZE: {
        const LRESULT done = yyWndProc(window, message, wParam, lParam);
        if (wParam != SIZE_MINIMIZED) LayoutView(*r);
        return done;
    }
    case WM_CLOSE:
        yyinterpretmessage(kEventClose, 0, wParam, lParam, window);
        if (r->mode == 1) r->closed = 1;
        return 0;
    case WM_SETFOCUS: {
        // The library's frame procedure makes the window current; the keys then belong
        // to the view, not to the hidden client area that procedure gives them to.
        const LRESULT done = yyWndProc(window, message, wParam, lParam);
        if (RecordOf(window) == r && IsWindow(r->block.view)) SetFocus(r->block.view);
        return done;
    }
    case WM_DESTROY:
        r->closed = 1;
        Restore(window, r);
        return yyWndProc(window, message, wParam, lParam);
    default: break;
    }
    return yyWndProc(window, message, wParam, lParam);
}

void yybitmapinfo_(const int *window, const int *item, int *value) {
    if (value == nullptr) return;
    *value = 0;
    if (window == nullptr || item == nullptr || *window < 0 || *window >= kWindowSlots) return;
    const ViewerRecord *r = RecordOf(wWindow[*window]);
    if (r == nullptr) return;
    switch (*item) {
    case 3: *value = r->bitmap + 1; break;
    case 4: *value = r->x; break;
    case 5: *value = r->y; break;
    case 101: *value = r->width; break;
    case 102: *value = r->height; break;
    case 103: {
        RECT c;
        GetClientRect(r->block.view, &c);
        *value = r->y + static_cast<int>(c.bottom);
        if (GetWindowLongA(r->block.view, GWL_STYLE) & WS_HSCROLL)
            *value += GetSystemMetrics(SM_CYHSCROLL);
        break;
    }
    default: break;
    }
}

void yybitmapview_(const int *index, const int *x, const int *y, const int *mode, const int *flags,
                   int *status) {
    (void)flags;
    int result = 0;
    auto done = [&](int s) {
        if (status != nullptr) *status = s;
    };
    const int slot = yygetwindowindex(hWinCur);
    if (slot < 1 || wWindow[slot] == nullptr || hClient[slot] == nullptr) return done(1);
    if (index == nullptr || *index < 0 || *index >= kBitmapSlots ||
        gBitmaps[*index].handle == nullptr)
        return done(2);
    if (*index == gBitmapTarget) return done(3);  // selected into the drawing target
    HWND frame = wWindow[slot];
    if (ViewerRecord *r = RecordOf(frame)) {
        yyBitmapViewerInit(r, index, x, y);
        InvalidateRect(r->block.view, nullptr, FALSE);
        return done(0);
    }
    if (quill::WindowTypeWord(frame) != kPlainWindow) return done(4);
    if (quill::HasChildWindows(slot)) return done(9);
    int how = mode != nullptr ? *mode : 2;
    // A hidden window cannot be modal. (No snapshots are taken for it: nothing would give
    // them back, and every window would go on painting from them.)
    if (!IsWindowVisible(frame)) {
        how = 2;
        result = 5;
    }
    if (!RegisterViewerClass()) return done(6);

    auto *r = new ViewerRecord{};
    r->block.tag = kViewerWindow;
    r->slot = slot;
    r->mode = how;
    r->maxX = r->maxY = kNoLimit;
    r->bitmap = -1;
    quill::SetBarsAside(slot, how, quill::ModalBars::kMenuAndAllBars, &r->takeover);
    RECT c;
    GetWindowRect(hClient[slot], &c);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT *>(&c), 2);
    r->block.view = CreateWindowExA(
        0, "ORNBITMAP", "", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, c.left, c.top,
        c.right - c.left, c.bottom - c.top, frame,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kViewerId)), wInstance, nullptr);
    if (r->block.view == nullptr) {
        delete r;
        return done(6);
    }
    quill::TakeOverFrame(frame, r, yyBitmapWndProc, &r->takeover);
    yyBitmapViewerInit(r, index, x, y);
    SetFocus(r->block.view);
    ShowWindow(hClient[slot], SW_HIDE);
    ShowWindow(frame, SW_SHOW);
    if (how == 1)
        SetWindowPos(frame, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    LayoutView(*r);
    quill::DisableOthers(frame, how, &r->takeover);
    done(result);
    if (how != 1) return;

    // The modal loop runs until the viewer is closed, with the other windows painting from
    // snapshots meanwhile. A window that went away took the record with it.
    const quill::TakeoverLoop loop = {slot, frame, r, &r->closed, nullptr, {}};
    if (quill::RunTakeoverLoop(loop) == quill::TakeoverEnd::kGone) return;
    Restore(frame, r);
    SetFocus(frame);
}
