// The screen family: the window drawing primitives, one small routine per kind of shape on
// the drawing target's device context with y downwards. The pen, dash, font and text rules
// are the drawing families' (draw_family.h); the screen adds the palette colours, pattern
// fills, the plot mode and a clip region selected for the duration of each shape.
#include <algorithm>
#include <cstring>

#include "core/display.h"
#include "graphics/draw_family.h"
#include "graphics/drawing_target.h"

namespace {

using quill::ClipScope;
using quill::Target;

constexpr int kMaxPoints = kPolygonPoints;

HDC Dc() { return Target().dc; }
COLORREF Colour() { return Target().colour; }

// Selects OBJECT for the duration of one call and deletes it afterwards when OWNED.
struct Selected {
    HGDIOBJ object, old;
    bool owned;
    Selected(HGDIOBJ o, bool own)
        : object(o), old(o ? SelectObject(Dc(), o) : nullptr), owned(own) {}
    ~Selected() {
        if (object == nullptr) return;
        SelectObject(Dc(), old);
        if (owned) DeleteObject(object);
    }
    Selected(const Selected &) = delete;
    Selected &operator=(const Selected &) = delete;
};

// The pen and brush of a filled shape: a pattern fill has the pattern brush and no outline,
// a solid fill a solid brush and a one-pixel pen in the colour (no pen when XORPEN would draw
// the outline twice, if asked).
struct FillTools {
    Selected brush, pen;
    FillTools(int fill, bool nullPenForXor)
        : brush(fill == 3 ? static_cast<HGDIOBJ>(PatternBrush()) : CreateSolidBrush(Colour()),
                fill != 3),
          pen(fill == 3 || (nullPenForXor && GetROP2(Dc()) == R2_XORPEN)
                  ? GetStockObject(NULL_PEN)
                  : CreatePen(PS_SOLID, 1, Colour()),
              !(fill == 3 || (nullPenForXor && GetROP2(Dc()) == R2_XORPEN))) {}
    static HBRUSH PatternBrush() {
        yywinstipple();
        return Target().brush;
    }
};

// The screen's colour rule: an enhanced metafile records RGB itself, a palette screen draws
// in ON_PALETTE (a palette colour), any other screen in the display's nearest colour.
COLORREF ScreenColour(int rgb, COLORREF onPalette) {
    const quill::DrawingTarget &t = Target();
    const COLORREF plain = static_cast<COLORREF>(rgb & 0xFFFFFF);
    if (t.metafile != nullptr) return plain;
    if (t.palette != nullptr) return onPalette;
    return t.dc != nullptr ? GetNearestColor(t.dc, plain) : plain;
}

}  // namespace

void yywinlinestyles() {
    quill::DrawingTarget &t = Target();
    t.dpi = t.metafile != nullptr ? t.metafileDpi : wScreenDPI;
    quill::FamilyLineStyles(t);
}

void yywincreatepen() {
    // The screen's context changes with the target: its pen is always made afresh.
    quill::DrawingTarget &t = Target();
    t.oldColour = -1;
    quill::FamilyCreatePen(t);
}

void yywinstipple() {
    quill::DrawingTarget &t = Target();
    if (t.dc == nullptr) return;
    if (t.metafile != nullptr) {
        // A metafile gets a solid brush of the mean of the two colours.
        const COLORREF mean = RGB((GetRValue(t.colour) + GetRValue(t.prevColour)) / 2,
                                  (GetGValue(t.colour) + GetGValue(t.prevColour)) / 2,
                                  (GetBValue(t.colour) + GetBValue(t.prevColour)) / 2);
        if (t.brush != nullptr) DeleteObject(t.brush);
        t.brush = CreateSolidBrush(mean);
        return;
    }
    if (t.brush != nullptr && t.stippleChanged == 0) return;
    if (t.stipple == nullptr) t.stipple = CreateCompatibleBitmap(t.dc, 8, 8);
    if (t.stipple == nullptr) return;
    // A checkerboard of single pixels in the current and the previous colour.
    HDC memory = CreateCompatibleDC(t.dc);
    if (memory == nullptr) return;
    HGDIOBJ old = SelectObject(memory, t.stipple);
    if (t.palette != nullptr) SelectPalette(memory, t.palette, FALSE);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            SetPixel(memory, x, y, (x + y) % 2 == 0 ? t.colour : t.prevColour);
    SelectObject(memory, old);
    DeleteDC(memory);
    if (t.brush != nullptr) DeleteObject(t.brush);
    t.brush = CreatePatternBrush(t.stipple);
    t.stippleChanged = 0;
}

void yywinline_(const int *x1, const int *y1, const int *x2, const int *y2) {
    quill::FamilyLine(Target(), *x1, *y1, *x2, *y2);
}

void yywincolour_(const int *device, const int *rgb) {
    quill::DrawingTarget &t = Target();
    t.prevColour = t.colour;
    t.colour = ScreenColour(*rgb, 0x1000000u + static_cast<COLORREF>(*device & 0xFF));
    t.stippleChanged = 1;
    yywincreatepen();
}

void yywinellipse_(const int *cx, const int *cy, const int *rx, const int *ry, const int *op,
                   const int *fill) {
    ClipScope clip;
    const int k = *fill == 3 ? 3 : 2;
    if (*op == 4) {
        Selected brush(GetStockObject(NULL_BRUSH), false);
        Ellipse(Dc(), *cx - *rx - 1, *cy - *ry - 1, *cx + *rx + 2, *cy + *ry + 2);
        return;
    }
    FillTools tools(*fill, false);
    Ellipse(Dc(), *cx - *rx - 1, *cy - *ry - 1, *cx + *rx + k, *cy + *ry + k);
}

void yywinrectangle_(const int *x1, const int *top, const int *x2, const int *bottom,
                     const int *fill) {
    Selected pen(GetStockObject(NULL_PEN), false);
    Selected brush(
        *fill == 3 ? static_cast<HGDIOBJ>(FillTools::PatternBrush()) : CreateSolidBrush(Colour()),
        *fill != 3);
    Rectangle(Dc(), *x1, *top, *x2 + 2, *bottom + 2);
}

void yywinarc_(const int *cx, const int *cy, const int *rx, const int *ry, const int *sx,
               const int *sy, const int *ex, const int *ey, const int *fill) {
    ClipScope clip;
    FillTools tools(*fill, false);
    const int k = *fill == 3 ? 3 : 2;
    Pie(Dc(), *cx - *rx - 1, *cy - *ry - 1, *cx + *rx + k, *cy + *ry + k, *sx, *sy, *ex, *ey);
}

void yywinoutlinearc_(const int *cx, const int *cy, const int *rx, const int *ry, const int *sx,
                      const int *sy, const int *ex, const int *ey, const int *) {
    Selected brush(GetStockObject(NULL_BRUSH), false);
    Pie(Dc(), *cx - *rx - 1, *cy - *ry - 1, *cx + *rx + 2, *cy + *ry + 2, *sx, *sy, *ex, *ey);
}

void yywinpolpoint_(const int *x, const int *y, const int *index) {
    if (*index < 0 || *index >= kMaxPoints) return;
    Target().points[*index] = {*x, *y};
}

void yywinpolygon_(const int *count, const int *fill) {
    const int n = std::clamp(*count, 0, kMaxPoints);
    if (n == 0) return;
    ClipScope clip;
    FillTools tools(*fill, true);
    Polygon(Dc(), Target().points, n);
}

void yywinpolyline_(const int *count) { quill::FamilyPolyline(Target(), *count); }

void yywinclear_(const int *width, const int *height, const int *rgb) {
    const COLORREF colour = ScreenColour(*rgb, PALETTEINDEX(0));
    Selected pen(GetStockObject(NULL_PEN), false);
    Selected brush(CreateSolidBrush(colour), true);
    const int rop = SetROP2(Dc(), R2_COPYPEN);
    Rectangle(Dc(), 0, 0, *width + 1, *height + 1);
    SetROP2(Dc(), rop);
}

void yywinclip_(const int *x1, const int *y1, const int *x2, const int *y2) {
    // The region is kept, not selected: each shape selects it for its own duration.
    HRGN &region = Target().region;
    if (region != nullptr) DeleteObject(region);
    region = nullptr;
    if (*y2 == -1) return;
    // A region leaves out its right column and bottom row: one more each way keeps the clip
    // rectangle's own last column and row.
    region = CreateRectRgn(*x1, *y1, *x2 + 1, *y2 + 1);
}

void yywinpoint_(const int *x, const int *y) { quill::FamilyPoint(Target(), *x, *y); }

void yywinplotmode_(const int *mode) {
    if (*mode < 0 || *mode > 3) return;
    Target().plotMode = *mode;
    SetROP2(Dc(), quill::PlotModeLineRop(*mode));
}

void yywinlinetype_(const int *type) {
    quill::FamilyLineType(Target(), *type);
    yywincreatepen();
}

void yywinlinewidth_(const int *width) {
    Target().lineWidth = *width;
    yywinlinestyles();
    yywincreatepen();
}

void yywingetpixelrgb_(const int *x, const int *y, int *r, int *g, int *b) {
    const COLORREF c = GetPixel(Dc(), *x, *y);
    if (c == CLR_INVALID) {
        *r = -1;
        return;
    }
    *r = GetRValue(c);
    *g = GetGValue(c);
    *b = GetBValue(c);
}

void yywintextlength_(int *length, const char *text, const int *count, int text_len) {
    const int n = std::clamp(*count, 0, std::max(text_len, 0));
    *length = quill::FamilyTextLength(Target(), text, n);
}

void yywindrawstring_(const int *x1, const int *y1, const int *x2, const int *y2,
                      const int *justification, const int *opaque, const char *text,
                      const int *length, int text_len) {
    const int n = std::clamp(*length, 0, std::max(text_len, 0));
    quill::FamilyDrawString(Target(), *x1, *y1, *x2, *y2, *justification, *opaque, text, n);
}

void yywinblit_(const int *sx, const int *sy, const int *dx, const int *dy, const int *w,
                const int *h, const int *fill, const int *rgb) {
    ClipScope clip;
    BitBlt(Dc(), *dx, *dy, *w, *h, Dc(), *sx, *sy, quill::PlotModeBlitRop(Target().plotMode));
    if (*fill == 0) return;
    // The part of the source that the destination does not cover takes the fill colour.
    HRGN source = CreateRectRgn(*sx, *sy, *sx + *w, *sy + *h);
    HRGN dest = CreateRectRgn(*dx, *dy, *dx + *w, *dy + *h);
    if (source != nullptr && dest != nullptr &&
        CombineRgn(source, source, dest, RGN_DIFF) != NULLREGION) {
        const COLORREF colour =
            Target().palette != nullptr ? PALETTEINDEX(0) : static_cast<COLORREF>(*rgb & 0xFFFFFF);
        HBRUSH brush = CreateSolidBrush(colour);
        if (brush != nullptr) {
            FillRgn(Dc(), source, brush);
            DeleteObject(brush);
        }
    }
    if (source != nullptr) DeleteObject(source);
    if (dest != nullptr) DeleteObject(dest);
}

void yywintextsize_(int *width, int *height, int *ascent, const int *escapement, const int *font,
                    const int *attributes, const char *face, int face_len) {
    quill::FamilyTextSize(Target(), width, height, ascent, *escapement, *font, *attributes, face,
                          face_len, true);
}
