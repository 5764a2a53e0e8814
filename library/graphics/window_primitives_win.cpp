// The window drawing primitives: one small routine per kind of shape, acting on gDC with y
// downwards, and the pens, brushes, clip region and dash tables they share.
#include <algorithm>
#include <cstring>

#include "core/display.h"
#include "graphics/draw_family.h"
#include "graphics/drawing_target.h"

COLORREF gColour = 0;
COLORREF gPrevColour = RGB(255, 255, 255);
int gPenStyle = 0;
int gLineType = 0;
int gLineWidth = 1;
HRGN gRegion = nullptr;
HBRUSH gBrush = nullptr;
HDC hGraphicsMetafile = nullptr;
int wMetafileDPI = 600;
POINT gPoints[5000];
DWORD gDot[3], gLongDash[3], gDotDash[5], gDotDotDash[7], gDashDash[5], gShortDash[3];

namespace {

constexpr int kMaxPoints = 5000;

bool SolidPen() { return gPenStyle == 0; }

// The shape's clip region is selected for the duration of one call.
using quill::ClipScope;

// Selects OBJECT for the duration of one call and deletes it afterwards when OWNED.
struct Selected {
    HGDIOBJ object, old;
    bool owned;
    Selected(HGDIOBJ o, bool own)
        : object(o), old(o ? SelectObject(gDC, o) : nullptr), owned(own) {}
    ~Selected() {
        if (object == nullptr) return;
        SelectObject(gDC, old);
        if (owned) DeleteObject(object);
    }
    Selected(const Selected &) = delete;
    Selected &operator=(const Selected &) = delete;
};

// The pen and brush of a filled shape: a pattern fill has the pattern brush and no outline,
// a solid fill a solid brush and a one-pixel pen in gColour (no pen when XORPEN would draw
// the outline twice, if asked).
struct FillTools {
    Selected brush, pen;
    FillTools(int fill, bool nullPenForXor)
        : brush(fill == 3 ? static_cast<HGDIOBJ>(PatternBrush()) : CreateSolidBrush(gColour),
                fill != 3),
          pen(fill == 3 || (nullPenForXor && GetROP2(gDC) == R2_XORPEN)
                  ? GetStockObject(NULL_PEN)
                  : CreatePen(PS_SOLID, 1, gColour),
              !(fill == 3 || (nullPenForXor && GetROP2(gDC) == R2_XORPEN))) {}
    static HBRUSH PatternBrush() {
        yywinstipple();
        return gBrush;
    }
};

}  // namespace

void yywinlinestyles() {
    quill::ScaleDashTables(hGraphicsMetafile != nullptr ? wMetafileDPI : wScreenDPI, gLineWidth,
                           gDot, gLongDash, gDotDash, gDotDotDash, gDashDash, gShortDash);
}

void yywincreatepen() {
    if (gDC == nullptr) return;
    HPEN pen = nullptr;
    const DWORD *table = nullptr;
    switch (gLineType) {
    case 1: table = gDot; break;
    case 2: table = gLongDash; break;
    case 3: table = gDotDash; break;
    case 4: table = gDotDotDash; break;
    case 5: table = gDashDash; break;
    case 6: table = gShortDash; break;
    default: break;
    }
    if (WinNT != 0 && gPenStyle != 0 && table != nullptr && table[0] > 0) {
        LOGBRUSH lb = {BS_SOLID, gColour, 0};
        pen = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_SQUARE | PS_JOIN_BEVEL,
                           static_cast<DWORD>(std::max(gLineWidth, 1)), &lb, table[0], table + 1);
    }
    if (pen == nullptr) pen = CreatePen(gPenStyle, gLineWidth, gColour);
    if (pen == nullptr) return;
    HGDIOBJ old = SelectObject(gDC, pen);
    if (gPenOld == nullptr) gPenOld = static_cast<HPEN>(old);
    if (gPen != nullptr) DeleteObject(gPen);
    gPen = pen;
}

void yywinstipple() {
    if (gDC == nullptr) return;
    if (hGraphicsMetafile != nullptr) {
        // A metafile gets a solid brush of the mean of the two colours.
        const COLORREF mean = RGB((GetRValue(gColour) + GetRValue(gPrevColour)) / 2,
                                  (GetGValue(gColour) + GetGValue(gPrevColour)) / 2,
                                  (GetBValue(gColour) + GetBValue(gPrevColour)) / 2);
        if (gBrush != nullptr) DeleteObject(gBrush);
        gBrush = CreateSolidBrush(mean);
        return;
    }
    if (gBrush != nullptr && gStippleChanged == 0) return;
    if (gBitmap == nullptr) gBitmap = CreateCompatibleBitmap(gDC, 8, 8);
    if (gBitmap == nullptr) return;
    // A checkerboard of single pixels in the current and the previous colour.
    HDC memory = CreateCompatibleDC(gDC);
    if (memory == nullptr) return;
    HGDIOBJ old = SelectObject(memory, gBitmap);
    if (gPal256 != nullptr) SelectPalette(memory, gPal256, FALSE);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            SetPixel(memory, x, y, (x + y) % 2 == 0 ? gColour : gPrevColour);
    SelectObject(memory, old);
    DeleteDC(memory);
    if (gBrush != nullptr) DeleteObject(gBrush);
    gBrush = CreatePatternBrush(gBitmap);
    gStippleChanged = 0;
}

void yywinline_(const int *x1, const int *y1, const int *x2, const int *y2) {
    MoveToEx(gDC, *x1, *y1, nullptr);
    LineTo(gDC, *x2, *y2);
    if (SolidPen()) SetPixel(gDC, *x2, *y2, gColour);
}

void yywincolour_(const int *device, const int *rgb) {
    gPrevColour = gColour;
    if (hGraphicsMetafile != nullptr) {
        gColour = static_cast<COLORREF>(*rgb & 0xFFFFFF);
    } else if (gPal256 != nullptr) {
        gColour = 0x1000000u + static_cast<COLORREF>(*device & 0xFF);
    } else {
        const COLORREF plain = static_cast<COLORREF>(*rgb & 0xFFFFFF);
        gColour = gDC != nullptr ? GetNearestColor(gDC, plain) : plain;
    }
    gStippleChanged = 1;
    yywincreatepen();
}

void yywinellipse_(const int *cx, const int *cy, const int *rx, const int *ry, const int *op,
                   const int *fill) {
    ClipScope clip;
    const int k = *fill == 3 ? 3 : 2;
    if (*op == 4) {
        Selected brush(GetStockObject(NULL_BRUSH), false);
        Ellipse(gDC, *cx - *rx - 1, *cy - *ry - 1, *cx + *rx + 2, *cy + *ry + 2);
        return;
    }
    FillTools tools(*fill, false);
    Ellipse(gDC, *cx - *rx - 1, *cy - *ry - 1, *cx + *rx + k, *cy + *ry + k);
}

void yywinrectangle_(const int *x1, const int *top, const int *x2, const int *bottom,
                     const int *fill) {
    Selected pen(GetStockObject(NULL_PEN), false);
    Selected brush(
        *fill == 3 ? static_cast<HGDIOBJ>(FillTools::PatternBrush()) : CreateSolidBrush(gColour),
        *fill != 3);
    Rectangle(gDC, *x1, *top, *x2 + 2, *bottom + 2);
}

void yywinarc_(const int *cx, const int *cy, const int *rx, const int *ry, const int *sx,
               const int *sy, const int *ex, const int *ey, const int *fill) {
    ClipScope clip;
    FillTools tools(*fill, false);
    const int k = *fill == 3 ? 3 : 2;
    Pie(gDC, *cx - *rx - 1, *cy - *ry - 1, *cx + *rx + k, *cy + *ry + k, *sx, *sy, *ex, *ey);
}

void yywinoutlinearc_(const int *cx, const int *cy, const int *rx, const int *ry, const int *sx,
                      const int *sy, const int *ex, const int *ey, const int *) {
    Selected brush(GetStockObject(NULL_BRUSH), false);
    Pie(gDC, *cx - *rx - 1, *cy - *ry - 1, *cx + *rx + 2, *cy + *ry + 2, *sx, *sy, *ex, *ey);
}

void yywinpolpoint_(const int *x, const int *y, const int *index) {
    if (*index < 0 || *index >= kMaxPoints) return;
    gPoints[*index] = {*x, *y};
}

void yywinpolygon_(const int *count, const int *fill) {
    const int n = std::clamp(*count, 0, kMaxPoints);
    if (n == 0) return;
    ClipScope clip;
    FillTools tools(*fill, true);
    Polygon(gDC, gPoints, n);
}

void yywinpolyline_(const int *count) {
    const int n = std::clamp(*count, 0, kMaxPoints);
    if (n == 0) return;
    Polyline(gDC, gPoints, n);
    const POINT &last = gPoints[n - 1];
    if (SolidPen() && (last.x != gPoints[0].x || last.y != gPoints[0].y)) {
        SetPixel(gDC, last.x, last.y, gColour);
    }
}

void yywinclear_(const int *width, const int *height, const int *rgb) {
    COLORREF colour;
    if (hGraphicsMetafile != nullptr) {
        colour = static_cast<COLORREF>(*rgb & 0xFFFFFF);
    } else if (gPal256 != nullptr) {
        colour = PALETTEINDEX(0);
    } else {
        colour = GetNearestColor(gDC, static_cast<COLORREF>(*rgb & 0xFFFFFF));
    }
    Selected pen(GetStockObject(NULL_PEN), false);
    Selected brush(CreateSolidBrush(colour), true);
    const int rop = SetROP2(gDC, R2_COPYPEN);
    Rectangle(gDC, 0, 0, *width + 1, *height + 1);
    SetROP2(gDC, rop);
}

void yywinclip_(const int *x1, const int *y1, const int *x2, const int *y2) {
    if (gRegion != nullptr) DeleteObject(gRegion);
    gRegion = nullptr;
    if (*y2 == -1) return;
    // A region leaves out its right column and bottom row: one more each way keeps the clip
    // rectangle's own last column and row.
    gRegion = CreateRectRgn(*x1, *y1, *x2 + 1, *y2 + 1);
}

void yywinpoint_(const int *x, const int *y) { SetPixel(gDC, *x, *y, gColour); }

void yywinplotmode_(const int *mode) {
    if (*mode < 0 || *mode > 3) return;
    gPlotmode = *mode;
    SetROP2(gDC, yyplotmoderop(*mode));
}

void yywinlinetype_(const int *type) {
    gPenStyle = quill::LineTypePenStyle(*type, gPenStyle);
    gLineType = *type;
    yywincreatepen();
}

void yywinlinewidth_(const int *width) {
    gLineWidth = *width;
    yywinlinestyles();
    yywincreatepen();
}

void yywingetpixelrgb_(const int *x, const int *y, int *r, int *g, int *b) {
    const COLORREF c = GetPixel(gDC, *x, *y);
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
    SIZE size = {0, 0};
    if (n > 0) GetTextExtentPoint32A(gDC, text, n, &size);
    *length = size.cx;
}

void yywindrawstring_(const int *x1, const int *y1, const int *x2, const int *y2,
                      const int *justification, const int *opaque, const char *text,
                      const int *length, int text_len) {
    const int n = std::clamp(*length, 0, std::max(text_len, 0));
    SetTextColor(gDC, gColour);
    SetBkColor(gDC, gPrevColour);
    SetBkMode(gDC, *opaque != 0 ? OPAQUE : TRANSPARENT);
    int x = *x1, y = *y1;
    UINT align = TA_BASELINE | TA_LEFT;
    if (*justification == 1) {
        x = (*x1 + *x2) / 2;
        y = (*y1 + *y2) / 2;
        align = TA_BASELINE | TA_CENTER;
    } else if (*justification == 2) {
        x = *x2;
        y = *y2;
        align = TA_BASELINE | TA_RIGHT;
    }
    SetTextAlign(gDC, align);
    TextOutA(gDC, x, y, text, n);
    SetBkMode(gDC, TRANSPARENT);
}

void yywinblit_(const int *sx, const int *sy, const int *dx, const int *dy, const int *w,
                const int *h, const int *fill, const int *rgb) {
    ClipScope clip;
    BitBlt(gDC, *dx, *dy, *w, *h, gDC, *sx, *sy, yyplotmodeblit(gPlotmode));
    if (*fill == 0) return;
    // The part of the source that the destination does not cover takes the fill colour.
    HRGN source = CreateRectRgn(*sx, *sy, *sx + *w, *sy + *h);
    HRGN dest = CreateRectRgn(*dx, *dy, *dx + *w, *dy + *h);
    if (source != nullptr && dest != nullptr &&
        CombineRgn(source, source, dest, RGN_DIFF) != NULLREGION) {
        const COLORREF colour =
            gPal256 != nullptr ? PALETTEINDEX(0) : static_cast<COLORREF>(*rgb & 0xFFFFFF);
        HBRUSH brush = CreateSolidBrush(colour);
        if (brush != nullptr) {
            FillRgn(gDC, source, brush);
            DeleteObject(brush);
        }
    }
    if (source != nullptr) DeleteObject(source);
    if (dest != nullptr) DeleteObject(dest);
}

void yywintextsize_(int *width, int *height, int *ascent, const int *escapement, const int *font,
                    const int *attributes, const char *face, int face_len) {
    auto make = [&](int angle) {
        return quill::MakeLibraryFont(*width, *height, angle, *font, *attributes, face, face_len);
    };
    // Metrics come from the upright font; the font drawn has the direction.
    TEXTMETRICA tm = {};
    if (HFONT upright = make(0)) {
        HGDIOBJ old = SelectObject(gDC, upright);
        GetTextMetricsA(gDC, &tm);
        SelectObject(gDC, old);
        DeleteObject(upright);
    }
    HFONT made = make(*escapement);
    if (made == nullptr) return;
    HGDIOBJ old = SelectObject(gDC, made);
    if (gFontOld == nullptr) gFontOld = static_cast<HFONT>(old);
    if (gFont != nullptr) DeleteObject(gFont);
    gFont = made;
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(gDC, kAlphabet, 52, &extent);
    *height = tm.tmHeight;
    *ascent = tm.tmAscent;
    *width = extent.cx;
}
