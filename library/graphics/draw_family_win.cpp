// The primitives of a drawing family (screen, metafile or printer): one routine per kind of
// shape on the family's own device context, with the pen made only when colour, line type or
// width changed since the last pen.
#include "graphics/draw_family.h"

#include <algorithm>
#include <cstring>

#include "core/display.h"
#include "core/startup.h"
#include "graphics/drawing_target.h"
#include "graphics/gradient_fill.h"

namespace quill {

namespace {

constexpr int kMaxPoints = kPolygonPoints;

// Dash templates in pixels at screen resolution.
constexpr DWORD kDot[] = {1, 4};
constexpr DWORD kLongDash[] = {8, 6};
constexpr DWORD kDotDash[] = {1, 4, 8, 4};
constexpr DWORD kDotDotDash[] = {1, 4, 1, 4, 8, 4};
constexpr DWORD kDashDash[] = {8, 4, 4, 4};
constexpr DWORD kShortDash[] = {4, 4};

void Scale(const DWORD *tmpl, int n, int dpi, int width, DWORD *table) {
    const int screen = wScreenDPI > 0 ? wScreenDPI : 96;
    if (dpi <= 0) dpi = screen;
    table[0] = static_cast<DWORD>(n);
    for (int i = 0; i < n; ++i) {
        DWORD v = static_cast<DWORD>(
            std::max<long long>(1, static_cast<long long>(tmpl[i]) * dpi / screen));
        if (width > 1 && i % 2 == 1) v += static_cast<DWORD>(width - 1);
        table[i + 1] = v;
    }
}

// Selects OBJECT into DC for one call and deletes it afterwards when OWNED. The object it
// replaced goes back; a metafile context may answer no real object, and then FALLBACK does.
struct Selected {
    HDC dc;
    HGDIOBJ object, old, fallback;
    bool owned;
    Selected(HDC d, HGDIOBJ o, bool own, HGDIOBJ fb)
        : dc(d), object(o), old(o ? SelectObject(d, o) : nullptr), fallback(fb), owned(own) {}
    ~Selected() {
        if (object == nullptr) return;
        SelectObject(dc, old != nullptr && GetObjectType(old) != 0 ? old : fallback);
        if (owned) DeleteObject(object);
    }
    Selected(const Selected &) = delete;
    Selected &operator=(const Selected &) = delete;
};

bool SolidPen(const DrawFamily &f) { return f.penStyle == PS_SOLID; }

HGDIOBJ PenBack(const DrawFamily &f) {
    return f.pen != nullptr ? f.pen : GetStockObject(BLACK_PEN);
}
HGDIOBJ BrushBack() { return GetStockObject(WHITE_BRUSH); }

// A temporary pen or brush for one shape.
Selected Pen(DrawFamily &f, HGDIOBJ pen, bool owned) {
    return Selected(f.dc, pen, owned, PenBack(f));
}
Selected Brush(DrawFamily &f, HGDIOBJ brush, bool owned) {
    return Selected(f.dc, brush, owned, BrushBack());
}

// A solid brush in the colour and a 1-pixel pen in the colour, for filled shapes.
struct SolidTools {
    Selected brush, pen;
    explicit SolidTools(DrawFamily &f)
        : brush(f.dc, CreateSolidBrush(f.colour), true, BrushBack()),
          pen(f.dc, CreatePen(PS_SOLID, 1, f.colour), true, PenBack(f)) {}
};

const DWORD *DashTable(const DrawFamily &f) {
    switch (f.lineType) {
    case 1: return f.dot;
    case 2: return f.longDash;
    case 3: return f.dotDash;
    case 4: return f.dotDotDash;
    case 5: return f.dashDash;
    case 6: return f.shortDash;
    default: return nullptr;
    }
}

}  // namespace

HFONT MakeLibraryFont(int width, int height, int escapement, int font, int attributes,
                      const char *face, int face_len) {
    const char *name = "Courier New";
    BYTE family = FIXED_PITCH | FF_MODERN, charset = ANSI_CHARSET;
    char own[101] = "";
    switch (font) {
    case 0: {
        const int n = std::clamp(face != nullptr ? face_len : 0, 0, 100);
        if (n > 0) std::memcpy(own, face, static_cast<size_t>(n));
        int end = n;
        while (end > 0 && own[end - 1] == ' ') --end;
        own[end] = '\0';
        name = own;
        family = FF_DONTCARE;
        charset = static_cast<BYTE>(1);  // DEFAULT_CHARSET
        break;
    }
    case 2:
        name = "Arial";
        family = VARIABLE_PITCH | FF_SWISS;
        break;
    case 3:
        name = "Times New Roman";
        family = VARIABLE_PITCH | FF_ROMAN;
        break;
    case 4:
        name = "Symbol";
        family = VARIABLE_PITCH | FF_ROMAN;
        charset = SYMBOL_CHARSET;
        break;
    default: break;
    }
    const int weight = (attributes & 1) ? FW_BOLD : FW_NORMAL;
    const BYTE italic = (attributes & 2) ? TRUE : FALSE,
               underline = (attributes & 4) ? TRUE : FALSE;
    return CreateFontA(-height, width, escapement * 10, escapement * 10, weight, italic, underline,
                       FALSE, charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       family, name);
}

void ScaleDashTables(int dpi, int width, DWORD *dot, DWORD *longDash, DWORD *dotDash,
                     DWORD *dotDotDash, DWORD *dashDash, DWORD *shortDash) {
    Scale(kDot, 2, dpi, width, dot);
    Scale(kLongDash, 2, dpi, width, longDash);
    Scale(kDotDash, 4, dpi, width, dotDash);
    Scale(kDotDotDash, 6, dpi, width, dotDotDash);
    Scale(kDashDash, 4, dpi, width, dashDash);
    Scale(kShortDash, 2, dpi, width, shortDash);
}

int LineTypePenStyle(int type, int style) {
    switch (type) {
    case 0: return PS_SOLID;
    case 1: return PS_DOT;
    case 2:
    case 6: return PS_DASH;
    case 3:
    case 5: return PS_DASHDOT;
    case 4: return PS_DASHDOTDOT;
    default: return style;
    }
}

void FamilyStart(DrawFamily &f, HDC dc, int dpi) {
    const bool printer = f.printer;
    f = DrawFamily{};
    f.printer = printer;
    f.dc = dc;
    f.dpi = dpi;
    FamilyLineStyles(f);
    if (dc != nullptr) SetBkMode(dc, TRANSPARENT);
}

void FamilyLineStyles(DrawFamily &f) {
    ScaleDashTables(f.dpi, f.lineWidth, f.dot, f.longDash, f.dotDash, f.dotDotDash, f.dashDash,
                    f.shortDash);
}

void FamilyCreatePen(DrawFamily &f) {
    if (f.dc == nullptr) return;
    if (f.pen != nullptr && f.oldColour == static_cast<long long>(f.colour) &&
        f.oldLineType == f.lineType && f.oldLineWidth == f.lineWidth)
        return;
    HPEN pen = nullptr;
    const int width = std::max(f.lineWidth, 1);
    if (WinNT != 0 && f.penStyle != PS_SOLID && f.geometricPens) {
        LOGBRUSH lb = {BS_SOLID, f.colour, 0};
        const DWORD *table = DashTable(f);
        if (f.styleFlag != 0) {
            pen = ExtCreatePen(
                PS_GEOMETRIC | static_cast<DWORD>(f.penStyle) | PS_ENDCAP_SQUARE | PS_JOIN_BEVEL,
                static_cast<DWORD>(width), &lb, 0, nullptr);
        } else if (table != nullptr && table[0] > 0) {
            pen = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_SQUARE | PS_JOIN_BEVEL,
                               static_cast<DWORD>(width), &lb, table[0], table + 1);
        }
    }
    if (pen == nullptr) pen = CreatePen(f.penStyle, width, f.colour);
    if (pen == nullptr) return;
    HGDIOBJ old = SelectObject(f.dc, pen);
    if (f.penOld == nullptr) f.penOld = static_cast<HPEN>(old);
    if (f.pen != nullptr) DeleteObject(f.pen);
    f.pen = pen;
    f.oldColour = static_cast<long long>(f.colour);
    f.oldLineType = f.lineType;
    f.oldLineWidth = f.lineWidth;
}

void FamilyLine(DrawFamily &f, int x1, int y1, int x2, int y2) {
    FamilyCreatePen(f);
    MoveToEx(f.dc, x1, y1, nullptr);
    LineTo(f.dc, x2, y2);
    if (SolidPen(f)) SetPixel(f.dc, x2, y2, f.colour);
}

void FamilyColour(DrawFamily &f, int r, int g, int b) {
    f.prevColour = f.colour;
    f.colour = RGB(r & 0xFF, g & 0xFF, b & 0xFF);
}

void FamilyEllipse(DrawFamily &f, int cx, int cy, int rx, int ry, int fill) {
    if (fill < 3) {
        FamilyCreatePen(f);
        Selected brush = Brush(f, GetStockObject(NULL_BRUSH), false);
        Ellipse(f.dc, cx - rx - 1, cy - ry - 1, cx + rx + 2, cy + ry + 2);
        return;
    }
    SolidTools tools(f);
    Ellipse(f.dc, cx - rx - 1, cy - ry - 1, cx + rx + 2, cy + ry + 2);
}

void FamilyRectangle(DrawFamily &f, int x1, int y1, int x2, int y2) {
    Selected pen = Pen(f, GetStockObject(NULL_PEN), false);
    Selected brush = Brush(f, CreateSolidBrush(f.colour), true);
    Rectangle(f.dc, x1, y1, x2 + 2, y2 + 2);
}

void FamilyArc(DrawFamily &f, int cx, int cy, int rx, int ry, int sx, int sy, int ex, int ey) {
    SolidTools tools(f);
    Pie(f.dc, cx - rx - 1, cy - ry - 1, cx + rx + 2, cy + ry + 2, sx, sy, ex, ey);
}

void FamilyOutlineArc(DrawFamily &f, int cx, int cy, int rx, int ry, int sx, int sy, int ex, int ey,
                      int flag) {
    FamilyCreatePen(f);
    Selected brush = Brush(f, GetStockObject(NULL_BRUSH), false);
    if (flag > 2) {
        Arc(f.dc, cx - rx - 1, cy - ry - 1, cx + rx + 2, cy + ry + 2, sx, sy, ex, ey);
    } else {
        Pie(f.dc, cx - rx - 1, cy - ry - 1, cx + rx + 2, cy + ry + 2, sx, sy, ex, ey);
    }
}

void FamilyPolygon(DrawFamily &f, int count, int fill) {
    const int n = std::clamp(count, 0, kMaxPoints);
    if (n == 0) return;
    if (fill < 3) {
        // An outline in the current pen.
        FamilyCreatePen(f);
        Selected brush = Brush(f, GetStockObject(NULL_BRUSH), false);
        Polygon(f.dc, Target().points, n);
        return;
    }
    Selected pen = Pen(f, GetStockObject(NULL_PEN), false);
    Selected brush = Brush(f, CreateSolidBrush(f.colour), true);
    Polygon(f.dc, Target().points, n);
}

void FamilyPolyline(DrawFamily &f, int count) {
    const int n = std::clamp(count, 0, kMaxPoints);
    if (n == 0) return;
    FamilyCreatePen(f);
    const POINT *points = Target().points;
    Polyline(f.dc, points, n);
    const POINT &last = points[n - 1];
    if (SolidPen(f) && (last.x != points[0].x || last.y != points[0].y))
        SetPixel(f.dc, last.x, last.y, f.colour);
}

void FamilyPoint(DrawFamily &f, int x, int y) {
    if (!f.printer) {
        SetPixel(f.dc, x, y, f.colour);
        return;
    }
    // A printer pixel is too small to see: a square of the line width.
    const int side = std::max(f.lineWidth, 1);
    RECT r = {x - side / 2, y - side / 2, x - side / 2 + side, y - side / 2 + side};
    HBRUSH brush = CreateSolidBrush(f.colour);
    if (brush == nullptr) return;
    FillRect(f.dc, &r, brush);
    DeleteObject(brush);
}

void FamilyPointRgb(DrawFamily &f, int x, int y, int rgb) {
    SetPixel(f.dc, x, y, static_cast<COLORREF>(rgb) & 0xFFFFFF);
}

void FamilyClip(DrawFamily &f, int x1, int y1, int x2, int y2) {
    if (f.region != nullptr) {
        SelectClipRgn(f.dc, nullptr);
        DeleteObject(f.region);
        f.region = nullptr;
    }
    if (y2 == -1) return;
    // Regions are in device units: the printer's page origin is taken off. A region leaves out
    // its right column and bottom row, so one more each way.
    f.region =
        CreateRectRgn(x1 - f.origin.x, y1 - f.origin.y, x2 + 1 - f.origin.x, y2 + 1 - f.origin.y);
    if (f.region != nullptr) SelectClipRgn(f.dc, f.region);
}

void FamilyLineType(DrawFamily &f, int type) {
    f.penStyle = LineTypePenStyle(type, f.penStyle);
    f.lineType = type;
}

void FamilyLineWidth(DrawFamily &f, int width) {
    f.lineWidth = width;
    FamilyLineStyles(f);
}

void FamilyTextSize(DrawFamily &f, int *width, int *height, int *ascent, int escapement, int font,
                    int attributes, const char *face, int face_len, bool measure) {
    if (f.dc == nullptr) return;
    TEXTMETRICA tm = {};
    if (measure) {
        // Metrics come from the upright font; the font drawn has the direction.
        if (HFONT upright = MakeLibraryFont(*width, *height, 0, font, attributes, face, face_len)) {
            HGDIOBJ old = SelectObject(f.dc, upright);
            GetTextMetricsA(f.dc, &tm);
            SelectObject(f.dc, old);
            DeleteObject(upright);
        }
    }
    HFONT made = MakeLibraryFont(*width, *height, escapement, font, attributes, face, face_len);
    if (made == nullptr) return;
    HGDIOBJ old = SelectObject(f.dc, made);
    if (f.fontOld == nullptr) f.fontOld = static_cast<HFONT>(old);
    if (f.font != nullptr) DeleteObject(f.font);
    f.font = made;
    if (!measure) return;
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(f.dc, kAlphabet, 52, &extent);
    *height = tm.tmHeight;
    *ascent = tm.tmAscent;
    *width = extent.cx;
}

void FamilyDrawString(DrawFamily &f, int x1, int y1, int x2, int y2, int justification, int opaque,
                      const char *text, int length) {
    SetTextColor(f.dc, f.colour);
    SetBkColor(f.dc, f.prevColour);
    SetBkMode(f.dc, opaque != 0 ? OPAQUE : TRANSPARENT);
    int x = x1, y = y1;
    UINT align = TA_BASELINE | TA_LEFT;
    if (justification == 1) {
        x = (x1 + x2) / 2;
        y = (y1 + y2) / 2;
        align = TA_BASELINE | TA_CENTER;
    } else if (justification == 2) {
        x = x2;
        y = y2;
        align = TA_BASELINE | TA_RIGHT;
    }
    SetTextAlign(f.dc, align);
    if (length > 0) TextOutA(f.dc, x, y, text, length);
    SetBkMode(f.dc, TRANSPARENT);
}

int FamilyTextLength(DrawFamily &f, const char *text, int count) {
    if (count <= 0 || f.dc == nullptr) return 0;
    SIZE size = {0, 0};
    if (GetTextExtentPoint32A(f.dc, text, count, &size)) return size.cx;
    // A plain metafile's context measures nothing: the same font on a screen context gives the
    // extent in the same units, since the font's height is given in them.
    HDC screen = CreateCompatibleDC(nullptr);
    if (screen == nullptr) return 0;
    HGDIOBJ old = f.font != nullptr ? SelectObject(screen, f.font) : nullptr;
    GetTextExtentPoint32A(screen, text, count, &size);
    if (old != nullptr) SelectObject(screen, old);
    DeleteDC(screen);
    return size.cx;
}

bool FamilyGradFill(DrawFamily &f, const int *x, const int *y, const int *c, const int *triangles,
                    int nv, int nt) {
    if (pGradientFill == nullptr || f.dc == nullptr) return false;
    if (nv < 3 || nv > kGradientVertices || nt < 1 || nt > nv - 2) return false;
    static TRIVERTEX vert[kGradientVertices];
    static GRADIENT_TRIANGLE grad[kGradientVertices - 2];
    for (int k = 0; k < nv; ++k) {
        vert[k].x = x[k];
        vert[k].y = y[k];
        vert[k].Red = static_cast<COLOR16>((c[k] & 0xFF) * 256);
        vert[k].Green = static_cast<COLOR16>(((c[k] >> 8) & 0xFF) * 256);
        vert[k].Blue = static_cast<COLOR16>(((c[k] >> 16) & 0xFF) * 256);
        vert[k].Alpha = 0;
    }
    for (int t = 0; t < nt; ++t) {
        for (int j = 0; j < 3; ++j) {
            const int v = triangles[3 * t + j];
            if (v < 1 || v > nv) return false;
        }
        grad[t].Vertex1 = static_cast<ULONG>(triangles[3 * t] - 1);
        grad[t].Vertex2 = static_cast<ULONG>(triangles[3 * t + 1] - 1);
        grad[t].Vertex3 = static_cast<ULONG>(triangles[3 * t + 2] - 1);
    }
    return pGradientFill(f.dc, vert, static_cast<ULONG>(nv), grad, static_cast<ULONG>(nt),
                         GRADIENT_FILL_TRIANGLE) != FALSE;
}

void FamilyRelease(DrawFamily &f) {
    if (f.dc != nullptr) {
        // A metafile context may hand back no real object as the one replaced: a stock object
        // then takes the place of the family's own.
        auto back = [&](HGDIOBJ old, int stock) {
            SelectObject(f.dc,
                         old != nullptr && GetObjectType(old) != 0 ? old : GetStockObject(stock));
        };
        if (f.region != nullptr) SelectClipRgn(f.dc, nullptr);
        if (f.pen != nullptr) back(f.penOld, BLACK_PEN);
        if (f.font != nullptr) back(f.fontOld, SYSTEM_FONT);
    }
    if (f.region != nullptr) DeleteObject(f.region);
    if (f.pen != nullptr) DeleteObject(f.pen);
    if (f.font != nullptr) DeleteObject(f.font);
    f.region = nullptr;
    f.pen = f.penOld = nullptr;
    f.font = f.fontOld = nullptr;
    f.oldColour = -1;
    f.oldLineType = f.oldLineWidth = -1;
}

}  // namespace quill
