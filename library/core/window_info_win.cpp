// Window and dialog queries (winfowindow_, winfodialog_ and the position routine beneath
// them), window-unit conversion for the current window, and small queries of the system.
#include "core/childwindows.h"

#include <initializer_list>

#include "core/commondialogs.h"
#include "core/dialogs.h"
#include "core/window_units.h"
#include "quillamorph/childwindows.h"

namespace {

int gLastWindowInfo = 0;
int gLastDialogInfo = 0;

// Client size of the current window: measured while it exists, else the recorded one.
void CurrentClientSize(int *width, int *height) {
    HWND client = (wIndex >= 0 && wIndex < kWindowSlots) ? hClient[wIndex] : nullptr;
    if (client && IsWindow(client)) {
        RECT r;
        GetClientRect(client, &r);
        *width = r.right;
        *height = r.bottom;
        return;
    }
    *width = wClientWidth;
    *height = wClientHeight;
}

// The frame-to-client differences of window slot SLOT in its restored state, which turn a
// restored frame rectangle into a restored client size. A frame in its normal state is
// measured. A maximised or minimised frame's own client rectangle is not the restored one (a
// minimised frame has none): the non-client parts its style and menu give, and the bars,
// which keep their thickness in every state: the status bar and the top and bottom tool
// bars take height, the left and right tool bars width.
void RestoredMargins(int slot, int *dw, int *dh) {
    HWND frame = wWindow[slot];
    RECT r;
    if (!IsZoomed(frame) && !IsIconic(frame)) {
        RECT client;
        GetWindowRect(frame, &r);
        GetClientRect(hClient[slot], &client);
        *dw = (r.right - r.left) - client.right;
        *dh = (r.bottom - r.top) - client.bottom;
        return;
    }
    const auto style = static_cast<DWORD>(GetWindowLongA(frame, GWL_STYLE));
    const bool menu = !(style & WS_CHILD) && GetMenu(frame) != nullptr;
    r = {0, 0, 0, 0};
    AdjustWindowRectEx(&r, style, menu, static_cast<DWORD>(GetWindowLongA(frame, GWL_EXSTYLE)));
    *dw = r.right - r.left;
    *dh = r.bottom - r.top;
    const HWND *bars = hToolbar[slot];
    for (HWND bar : {wMessLine[slot], bars[0], bars[3]}) {
        if (bar != nullptr && GetWindowRect(bar, &r)) *dh += r.bottom - r.top;
    }
    for (HWND bar : {bars[1], bars[2]}) {
        if (bar != nullptr && GetWindowRect(bar, &r)) *dw += r.right - r.left;
    }
}

// Rectangle of WINDOW as the queries report it: a minimised window its restored rectangle,
// a window inside another relative to that one's client area (PARENT its slot, or -1).
RECT ReportedRect(HWND window, int *parentSlot, int *inside) {
    RECT r;
    *inside = 0;
    *parentSlot = -1;
    HWND parent = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
    if (IsIconic(window)) {
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof placement;
        GetWindowPlacement(window, &placement);
        r = placement.rcNormalPosition;
        if (!parent) {
            // Placement is in work-area coordinates for top-level windows.
            RECT work;
            SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
            OffsetRect(&r, work.left, work.top);
        }
    } else {
        GetWindowRect(window, &r);
        if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&r), 2);
    }
    if (parent) {
        *inside = 1;
        *parentSlot = yygetwindowindex(parent);
    }
    return r;
}

// The current dialog and the kind of place it stands in: 0 none, 1 top-level, 2 inside a
// window, 3 inside another dialog, 4 combined with a window.
HWND CurrentDialog(int *kind) {
    HWND dialog = quill::CurrentDialogWindow();
    *kind = 0;
    if (!dialog || !IsWindow(dialog)) return nullptr;
    DialogRecord *record = quill::DialogRecordOf(dialog);
    if (record && record->parentFrame)
        *kind = 4;
    else if (!(GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD))
        *kind = 1;
    else if (yygetwindowindex(GetParent(dialog)) >= 0)
        *kind = 2;
    else
        *kind = 3;
    return dialog;
}

// A position or size converted to the window units of parent slot PARENT.
void ToParentUnits(int parent, int *x, int *y) {
    if (parent < 0 || !hClient[parent]) return;
    RECT c;
    GetClientRect(hClient[parent], &c);
    *x = quill::UnitsFromPixels(*x, c.right);
    *y = quill::UnitsFromPixels(*y, c.bottom);
}

int WindowState(HWND frame) {
    if (!IsWindowVisible(frame)) return 3;
    if (IsIconic(frame)) return 0;
    if (IsZoomed(frame)) return 2;
    return 1;
}

}  // namespace

void yygetwindowpos_(const int *kind, int *x, int *y, int *parent, int *inside) {
    *x = *y = 0;
    *parent = -1;
    *inside = 0;
    HWND window = nullptr;
    if (*kind == 0 || *kind == 1) {
        window = wWindow[wIndex];
    } else {
        int dialogKind;
        window = CurrentDialog(&dialogKind);
    }
    if (!window) return;
    RECT r = ReportedRect(window, parent, inside);
    if (*kind == 0 || *kind == 2) {
        *x = r.left;
        *y = r.top;
    } else {
        *x = r.right - r.left;
        *y = r.bottom - r.top;
    }
}

int winfowindow_(const int *item) {
    int value = gLastWindowInfo;
    HWND frame = wWindow[wIndex];
    int w, h;
    switch (item ? *item : 0) {
    case 1:
        CurrentClientSize(&w, &h);
        value = w;
        break;
    case 2:
        CurrentClientSize(&w, &h);
        value = h;
        break;
    case 3: value = frame ? wSlot[wIndex].flags : -1; break;
    case 4: value = wIndex; break;
    case 5:
    case 6: {
        int kind = 0, px, py, parent, inside;
        yygetwindowpos_(&kind, &px, &py, &parent, &inside);
        if (inside) ToParentUnits(parent, &px, &py);
        value = *item == 5 ? px : py;
        break;
    }
    case 7:
    case 8: {
        POINT p = {0, 0};
        if (hClient[wIndex]) ClientToScreen(hClient[wIndex], &p);
        value = *item == 7 ? p.x : p.y;
        break;
    }
    case 9: value = frame ? WindowState(frame) : 3; break;
    case 10: value = quill::WindowTypeWord(frame); break;
    case 11:
    case 12: {
        if (!frame || !hClient[wIndex]) {
            value = 0;
            break;
        }
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof placement;
        GetWindowPlacement(frame, &placement);
        const RECT &r = placement.rcNormalPosition;
        int dw, dh;
        RestoredMargins(wIndex, &dw, &dh);
        value = *item == 11 ? (r.right - r.left) - dw : (r.bottom - r.top) - dh;
        break;
    }
    default: break;
    }
    gLastWindowInfo = value;
    return value;
}

int winfodialog_(const int *item) {
    int value = gLastDialogInfo;
    int kind = 0;
    switch (item ? *item : 0) {
    case 1: value = wModalInfo.closing; break;
    case 2: value = wModalInfo.previous; break;
    case 3: value = iCurDialog; break;
    case 4: value = wModalInfo.answer; break;
    case 5: value = wModalInfo.dialog; break;
    case 6:
    case 7:
    case 8:
    case 9: {
        int which = *item <= 7 ? 2 : 3, px, py, parent, inside;
        yygetwindowpos_(&which, &px, &py, &parent, &inside);
        if (inside) ToParentUnits(parent, &px, &py);
        value = (*item == 6 || *item == 8) ? px : py;
        break;
    }
    case 10:
        CurrentDialog(&kind);
        value = kind;
        break;
    default: break;
    }
    gLastDialogInfo = value;
    return value;
}

void windowunitstopixels_(const int *ix, const int *iy, int *ixp, int *iyp) {
    int w, h;
    CurrentClientSize(&w, &h);
    *ixp = quill::UnitsToPixels(*ix, w);
    *iyp = quill::UnitsToPixels(*iy, h);
}

void windowunitsfrompixels_(const int *ixp, const int *iyp, int *ix, int *iy) {
    int w, h;
    CurrentClientSize(&w, &h);
    *ix = quill::UnitsFromPixels(*ixp, w);
    *iy = quill::UnitsFromPixels(*iyp, h);
}

int yygetwincolours_(const int *item) {
    return static_cast<int>(GetSysColor((item && *item == 45) ? COLOR_WINDOWTEXT : COLOR_WINDOW));
}

int yygetmousebuttons_() { return GetSystemMetrics(SM_CMOUSEBUTTONS); }

int yywindowcheckinside_() {
    HWND frame = wWindow[wIndex];
    return frame && (GetWindowLongA(frame, GWL_STYLE) & WS_CHILD) ? 1 : 0;
}

void yygetwindlgpos_(int *x, int *y) {
    HWND dialog = quill::CurrentDialogWindow();
    HWND target = dialog && IsWindow(dialog) ? dialog : hClient[wIndex];
    POINT p = {0, 0};
    if (target) ClientToScreen(target, &p);
    *x = p.x;
    *y = p.y;
}
