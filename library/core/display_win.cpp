// Display facts, the mouse cursor, the bell and the locale's decimal character.
#include "core/display.h"

#include "base/conversion.h"
#include "core/drawing_hooks.h"
#include "core/numeric_edit.h"
#include "core/startup.h"
#include "base/system.h"

#include <windows.h>

int wScreenWidth, wScreenHeight, wScreenDPI;
int Win32s, Win9x, WinNT, WinVer;
int wScreenCols, ngColours;
HCURSOR hCurrentCursor = nullptr;

namespace {

int bBell = 1;  // the bell sounds while not 0

LPCSTR SystemCursor(int icursor) {
    static const LPCSTR cursors[] = {IDC_ARROW,  IDC_WAIT,     IDC_APPSTARTING, IDC_CROSS,
                                     IDC_IBEAM,  IDC_NO,       IDC_SIZEALL,     IDC_SIZENS,
                                     IDC_SIZEWE, IDC_SIZENESW, IDC_SIZENWSE,    IDC_UPARROW};
    return icursor >= 0 && icursor < 12 ? cursors[icursor] : nullptr;
}

// The client area of the current window: a child or root slot's client window, or the
// current dialog itself.
HWND CurrentClient() {
    if (!hWinCur) return nullptr;
    int slot = yygetwindowindex(hWinCur);
    return slot >= 0 ? hClient[slot] : hWinCur;
}

}  // namespace

void yygetdisplayinfo_(int *iwidth, int *iheight, int *ncolours, int *nlibcolours, int *one) {
    HDC screen = GetDC(nullptr);
    wScreenWidth = GetDeviceCaps(screen, HORZRES);
    wScreenHeight = GetDeviceCaps(screen, VERTRES);
    wScreenDPI = GetDeviceCaps(screen, LOGPIXELSX);
    int planes = GetDeviceCaps(screen, PLANES);
    int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    int power = planes * (bits > 24 ? 24 : bits);
    if (power > 24) power = 24;
    wScreenCols = power > 0 ? 1 << power : 2;
    ngColours = wScreenCols == 2 ? 2 : wScreenCols == 16 ? 8 : wScreenCols == 256 ? 16 : 256;
    int platform = yywinplat();
    Win32s = platform == 0;
    Win9x = platform == 1;
    WinNT = platform == 2;
    int minor;
    yywinver_(&WinVer, &minor);
    if (iwidth) *iwidth = wScreenWidth;
    if (iheight) *iheight = wScreenHeight;
    if (ncolours) *ncolours = wScreenCols;
    if (nlibcolours) *nlibcolours = ngColours;
    if (one) *one = 1;
}

void yychangecursor_(const int *icursor) {
    int id = icursor ? *icursor : 0;
    LPCSTR system = SystemCursor(id);
    HCURSOR cursor = system ? LoadCursorA(nullptr, system)
                            : LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    if (!cursor) return;
    hCurrentCursor = cursor;
    SetCursor(cursor);
}

void yysetcursorpos_(const int *ix, const int *iy, const int *irel) {
    // IREL 1: the current window's client area; otherwise the dialog field that is the
    // drawing target.
    HWND client = irel != nullptr && *irel == 1 ? CurrentClient() : quill::DrawingTargetField();
    if (!client) return;
    POINT p = {ix ? *ix : 0, iy ? *iy : 0};
    ClientToScreen(client, &p);
    SetCursorPos(p.x, p.y);
}

void yysetbell_(const int *ibell) { bBell = ibell ? *ibell : 0; }

void yyringbell_(void) {
    if (bBell != 0) MessageBeep(MB_OK);
}

void yyringbell2(void) { yyringbell_(); }

void yygetdecimal_(char *c) {
    char text[8] = {0};
    char found = '.';
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) > 0 && text[0])
        found = text[0];
    quill::SetDecimalChar(found);
    if (c) *c = found;
}

void yyinitdecimal_(void) {
    char c;
    yygetdecimal_(&c);
    bDecimal = 0;
}

void yygradfilltype_(int *itype) {
    if (itype) *itype = pGradientFill ? 2 : 1;
}
