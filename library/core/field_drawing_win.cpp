// User-drawn fields: a dialog field (or the dialog itself) becomes the graphics layer's
// drawing target. A target that is replaced gets back the objects it held before and its
// device context is released, so that switching between fields leaks nothing.
#include <windows.h>

#include "core/dialogs.h"
#include "core/fields.h"
#include "core/startup.h"
#include "graphics/drawing_target.h"

namespace {

HPALETTE gPaletteOld = nullptr;  // palette gPal256 replaced in the field's device context

}  // namespace

void yyfieldreleasetarget(void) {
    if (hGraphicsField && gDC && gDC != wDC) {
        if (gFontOld) SelectObject(gDC, gFontOld);
        if (gPenOld) SelectObject(gDC, gPenOld);
        if (gPaletteOld) SelectPalette(gDC, gPaletteOld, FALSE);
        ReleaseDC(hGraphicsField, gDC);
        gDC = wDC;
    }
    hGraphicsField = nullptr;
    gFontOld = nullptr;
    gPenOld = nullptr;
    gPaletteOld = nullptr;
}

void yyfieldselect_(int *id, int *width, int *height) {
    HWND dialog = yycurrentdialog();
    HWND target = *id == 0 ? dialog : yyfieldcontrol(*id);
    if (!target) {
        *id = -1;
        return;
    }
    yyfieldreleasetarget();
    HDC dc = GetDC(target);
    if (!dc) {
        *id = -1;
        gDC = wDC;
        hGraphicsField = nullptr;
        return;
    }
    gDC = dc;
    hGraphicsField = target;
    RECT r;
    GetClientRect(target, &r);
    if (width) *width = r.right;
    if (height) *height = r.bottom;

    if (HBITMAP stipple = CreateCompatibleBitmap(dc, 8, 8)) {
        if (gBitmap) DeleteObject(gBitmap);
        gBitmap = stipple;
    }
    gStippleChanged = 1;
    SetROP2(dc, yyplotmoderop(gPlotmode));
    SetBkMode(dc, TRANSPARENT);
    if (gFont) gFontOld = (HFONT)SelectObject(dc, gFont);
    if (gPen) gPenOld = (HPEN)SelectObject(dc, gPen);
    yywinlinestyles();
    if (gPal256) {
        gPaletteOld = SelectPalette(dc, gPal256, FALSE);
        RealizePalette(dc);
    }

    if (target == dialog) {
        if (DialogRecord *record = yydialogrecord(dialog)) record->reportMouse = 1;
    } else if (FieldRecord *record = yyfieldrecord(target)) {
        record->userDrawn = 1;
    }
}
