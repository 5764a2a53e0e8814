// The drawing target of the graphics layer.
#include "graphics/drawing_target.h"

HDC gDC = nullptr;
HWND hGraphicsField = nullptr;
HBITMAP gBitmap = nullptr;
int gStippleChanged = 0;
int gPlotmode = 0;
HFONT gFont = nullptr, gFontOld = nullptr;
HPEN gPen = nullptr, gPenOld = nullptr;
HPALETTE gPal256 = nullptr;

int yyplotmoderop(int plotmode) {
    switch (plotmode) {
    case 1: return R2_MERGEPEN;
    case 2: return R2_MASKPEN;
    case 3: return R2_XORPEN;
    default: return R2_COPYPEN;
    }
}

DWORD yyplotmodeblit(int plotmode) {
    switch (plotmode) {
    case 1: return SRCPAINT;
    case 2: return SRCAND;
    case 3: return SRCINVERT;
    default: return SRCCOPY;
    }
}

void yyrealizepalette(HWND window, HDC dc) {
    if (gPal256 == nullptr) return;
    HDC target = dc != nullptr ? dc : GetDC(window);
    if (target == nullptr) return;
    HPALETTE old = SelectPalette(target, gPal256, FALSE);
    RealizePalette(target);
    if (dc == nullptr) {
        SelectPalette(target, old, FALSE);
        ReleaseDC(window, target);
    }
}

namespace {

template <typename Handle>
void DeleteAndForget(Handle &object) {
    if (object != nullptr) DeleteObject(object);
    object = nullptr;
}

}  // namespace

void yydeletegraphicsobjects() {
    DeleteAndForget(gRegion);
    DeleteAndForget(gBrush);
    DeleteAndForget(gBitmap);
    DeleteAndForget(gFont);
    DeleteAndForget(gPen);
    DeleteAndForget(gPal256);
    gFontOld = nullptr;
    gPenOld = nullptr;
    gDC = nullptr;
}
