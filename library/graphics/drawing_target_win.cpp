// The drawing target of the graphics layer: its record, the one routine that makes a device
// context the target and the one that ends drawing into it.
#include "graphics/drawing_target.h"

#include "graphics/draw_families.h"

namespace quill {

namespace {

DrawingTarget gTarget;

}  // namespace

DrawingTarget &Target() { return gTarget; }

HDC TargetDC() { return gTarget.dc; }
HWND TargetField() { return gTarget.field; }
HRGN TargetClip() { return gTarget.region; }
int TargetPlotMode() { return gTarget.plotMode; }
HPALETTE TargetPalette() { return gTarget.palette; }

void SelectTarget(HDC dc, HWND field) {
    gTarget.dc = dc;
    gTarget.field = field;
    PrepareDrawingDC(dc);
}

void SelectMetafileTarget(HDC dc, int dpi) {
    gTarget.metafile = dc;
    gTarget.metafileDpi = dpi;
    SelectTarget(dc);
}

void ReleaseTarget(HDC fallback, bool giveBack) {
    DrawingTarget &t = gTarget;
    if (giveBack && t.dc != nullptr) {
        if (t.fontOld != nullptr) SelectObject(t.dc, t.fontOld);
        if (t.penOld != nullptr) SelectObject(t.dc, t.penOld);
        if (t.field != nullptr && t.paletteOld != nullptr) SelectPalette(t.dc, t.paletteOld, FALSE);
    }
    if (t.field != nullptr && t.dc != nullptr) ReleaseDC(t.field, t.dc);
    t.field = nullptr;
    t.fontOld = nullptr;
    t.penOld = nullptr;
    t.paletteOld = nullptr;
    t.metafile = nullptr;
    t.dc = fallback;
}

void *TargetDrawingContext(int target, int *originx, int *originy) {
    *originx = *originy = 0;
    if (target == 0) return gTarget.dc;
    if (target == 10) return PrinterDrawingContext(originx, originy);
    if (target == 11) return MetafileDrawingContext();
    return nullptr;
}

}  // namespace quill

using quill::Target;

int quill::PlotModeLineRop(int plotmode) {
    switch (plotmode) {
    case 1: return R2_MERGEPEN;
    case 2: return R2_MASKPEN;
    case 3: return R2_XORPEN;
    default: return R2_COPYPEN;
    }
}

DWORD quill::PlotModeBlitRop(int plotmode) {
    switch (plotmode) {
    case 1: return SRCPAINT;
    case 2: return SRCAND;
    case 3: return SRCINVERT;
    default: return SRCCOPY;
    }
}

void quill::PrepareDrawingDC(HDC dc) {
    if (dc == nullptr) return;
    quill::DrawingTarget &t = Target();
    if (HBITMAP stipple = CreateCompatibleBitmap(dc, 8, 8)) {
        if (t.brush != nullptr) DeleteObject(t.brush);
        t.brush = nullptr;
        if (t.stipple != nullptr) DeleteObject(t.stipple);
        t.stipple = stipple;
    }
    t.stippleChanged = 1;
    SetROP2(dc, PlotModeLineRop(t.plotMode));
    SetBkMode(dc, TRANSPARENT);
    if (t.palette != nullptr && t.metafile == nullptr) {
        HPALETTE old = SelectPalette(dc, t.palette, FALSE);
        if (t.field != nullptr && t.paletteOld == nullptr) t.paletteOld = old;
        RealizePalette(dc);
    }
    yywinlinestyles();
    if (t.font != nullptr) {
        HGDIOBJ old = SelectObject(dc, t.font);
        if (t.fontOld == nullptr) t.fontOld = static_cast<HFONT>(old);
    }
    yywincreatepen();
}

void quill::RealizeLibraryPalette(HWND window, HDC dc) {
    HPALETTE palette = Target().palette;
    if (palette == nullptr) return;
    HDC target = dc != nullptr ? dc : GetDC(window);
    if (target == nullptr) return;
    HPALETTE old = SelectPalette(target, palette, FALSE);
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

void quill::DeleteGraphicsObjects() {
    quill::DrawingTarget &t = Target();
    DeleteAndForget(t.region);
    DeleteAndForget(t.brush);
    DeleteAndForget(t.stipple);
    DeleteAndForget(t.font);
    DeleteAndForget(t.pen);
    DeleteAndForget(t.palette);
    t.fontOld = nullptr;
    t.penOld = nullptr;
    t.dc = nullptr;
}
