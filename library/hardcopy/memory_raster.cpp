// The memory raster's drawing engine: driver operations in device units become pixels of the
// raster through the pixel routines.
#include "hardcopy/memory_raster.h"

#include "graphics/gradient_fill.h"
#include "graphics/palette.h"
#include "hardcopy/dither.h"
#include "hardcopy/driver_support.h"

#include <algorithm>
#include <cmath>

namespace {

// Dash patterns of line types 0 to 6 (12 bits, bit 0 first).
constexpr int kDashPatterns[7] = {0xFFF, 0x104, 0xE07, 0x1E1, 0x3C9, 0xCE7, 0x8E3};

// A device coordinate scaled to raster pixels, truncated towards zero; values no raster holds
// (and NaN) are kept far outside it, so that clipping drops them.
int Scale(double v, double scale) {
    double p = v * scale;
    if (!(p > -1e9)) return -1000000000;
    if (p > 1e9) return 1000000000;
    return static_cast<int>(p);
}
int PixelX(double v) { return Scale(v, gRaster.scaleX); }
int PixelY(double v) { return Scale(v, gRaster.scaleY); }

// The value and the patterns of COLOUR.
void ColourValue(const GraphicsColour &colour, std::uint32_t &value, std::uint32_t pattern[3]) {
    const int kind = gRaster.colourKind, rule = quill::HardcopyOption(kOptColourRule);
    int p[3] = {0, 0, 0};
    quill::DitherPatterns(colour, kind, &p[0], &p[1], &p[2]);
    for (int k = 0; k < 3; ++k) pattern[k] = static_cast<std::uint32_t>(p[k]);
    const int index = colour.index & 255;
    switch (gRaster.bits) {
    case 1:
        // A set pixel is a dot: fills mark the dark part of the colour after the colour rule
        // (the pattern holds the light part unless the rule already turned it round).
        if (rule == 0) pattern[0] = ~pattern[0];
        value = rule != 0 ? (colour.index != 223 ? 1u : 0u) : (colour.index != 0 ? 1u : 0u);
        break;
    case 3: {
        int r = 0, g = 0, b = 0;
        quill::SplitRgb(colour.rgb, r, g, b);
        int v = r / 128 + 2 * (g / 128) + 4 * (b / 128);
        if (rule == 2 && (v == 0 || v == 7)) v = 7 - v;
        if (gRaster.colourKind == 2) v = 7 - v;
        value = static_cast<std::uint32_t>(v);
        break;
    }
    case 4: value = static_cast<std::uint32_t>(quill::Raster16ColourCode(index)); break;
    case 8: value = static_cast<std::uint32_t>(index); break;
    default: value = static_cast<std::uint32_t>(colour.rgb) & 0xFFFFFFu; break;
    }
}

// The value and the patterns of the current colour of the graphics state.
void ColourOfState(std::uint32_t &value, std::uint32_t pattern[3]) {
    ColourValue(gGraphics.colour, value, pattern);
}

void SetColour() {
    gRaster.previousValue = gRaster.value;
    ColourOfState(gRaster.value, gRaster.pattern);
}

// Fill style 3 fills with the two gradient colours, alternating pixel by pixel (their mean
// seen from afar); the graphics state keeps its own colour.
void BeginTwoColourFill() {
    gRaster.twoColour = gFigureFill.style == 3;
    if (!gRaster.twoColour) return;
    const int device = gGraphics.colour.device;
    std::uint32_t first = 0, second = 0;
    for (int k = 0; k < 2; ++k) {
        const int rgb = (k == 0 ? gFigureFill.gradient1 : gFigureFill.gradient2) & 0xFFFFFF;
        int index = 0;
        yyrgbto8_(&rgb, &index);
        const GraphicsColour colour = {index, rgb, device};
        ColourValue(colour, k == 0 ? first : second,
                    k == 0 ? gRaster.pattern : gRaster.fillPattern);
    }
    gRaster.value = first;
    gRaster.previousValue = second;
}

void EndFill() {
    if (!gRaster.twoColour) return;
    gRaster.twoColour = false;
    ColourOfState(gRaster.value, gRaster.pattern);
}

// The rows ROW of a figure from TOP down to BOTTOM that lie inside the clip rectangle.
template <class Span>
void ClippedRows(int top, int bottom, Span span) {
    top = std::min(top, gRaster.clipTop);
    bottom = std::max(bottom, gRaster.clipBottom);
    for (int row = top; row >= bottom; --row) span(row);
}

// Op 7, points 1 to 4 (lower edge 1-2, upper edge 4-3): every row between the upper and the
// lower limit. With BARS (integer operand 1) the sides are the columns of points 1 and 2 and
// a row is cut back where it passes below the lower edge or above the upper one; otherwise a
// row runs from the left edge 1-4 to the right edge 2-3, each taken as a whole line.
void FillFourPoints(const int *x, const int *y, bool bars) {
    const int top = std::max(y[2], y[3]), bottom = std::min(y[0], y[1]);
    if (top == bottom) {
        int left = std::min(x[0], x[3]), right = std::max(x[1], x[2]), row = top;
        yyvra2_(&left, &right, &row);
        return;
    }
    ClippedRows(top, bottom, [&](int row) {
        int left, right;
        if (bars) {
            left = std::min(x[0], x[1]), right = std::max(x[0], x[1]);
            // An edge that rises to the right leaves the row outside to its right (lower
            // edge) or to its left (upper edge); one that falls, the other way round.
            auto cut = [&](int a, int b, bool lower) {
                if (y[a] == y[b] || x[a] == x[b]) return;
                if (row < std::min(y[a], y[b]) || row > std::max(y[a], y[b])) return;
                const int cross = yyxini_(&x[a], &y[a], &x[b], &y[b], &row);
                const bool rises = (y[b] > y[a]) == (x[b] > x[a]);
                if (rises == lower)
                    right = std::min(right, cross);
                else
                    left = std::max(left, cross);
            };
            cut(0, 1, true);
            cut(3, 2, false);
            if (left > right) return;
        } else {
            left = yyxini_(&x[0], &y[0], &x[3], &y[3], &row);
            right = yyxini_(&x[1], &y[1], &x[2], &y[2], &row);
        }
        yyvra2_(&left, &right, &row);
    });
}

// The x of the edge from point A to point B at ROW, interpolated and truncated.
int EdgeX(const int *x, const int *y, int a, int b, int row) {
    if (y[a] == y[b]) return x[b];
    const double t = static_cast<double>(row - y[a]) / (static_cast<double>(y[b]) - y[a]);
    return static_cast<int>(x[a] + t * (static_cast<double>(x[b]) - x[a]));
}

// Op 11, points 1 to 3 from the bottom up: every row from point 3 down to point 1 spans from
// the edge 1-3 to the edge 1-2 below point 2, or to the edge 2-3 from there up.
void FillTriangle(const int *x, const int *y) {
    ClippedRows(y[2], y[0], [&](int row) {
        int a = EdgeX(x, y, 0, 2, row);
        int b = row < y[1] ? EdgeX(x, y, 0, 1, row) : EdgeX(x, y, 1, 2, row);
        yyvra2_(&a, &b, &row);
    });
}

void Points(int n, int *x, int *y) {
    for (int k = 1; k <= n; ++k) {
        x[k - 1] = PixelX(gOperands.Rd(k));
        y[k - 1] = PixelY(gOperands.Rd(k + 4));
    }
}

// Filled figures: 5, 13 and 15 arrive again as spans of op 2, the others are filled here.
void Figure(int op) {
    if (gOperands.Id(1) == -1) {
        gRaster.spanFill = false;
        EndFill();
        return;
    }
    if (gFigureFill.style < 3) {
        if (op == kOpEllipsePattern) gOperands.Id(1) = -1;
        return;
    }
    BeginTwoColourFill();
    int x[4], y[4];
    switch (op) {
    case kOpEllipsePattern:
    case kOpSectorPattern:
    case kOpPolygonPattern:
        gRaster.spanFill = true;
        gFigureFill.fillWord = 2;
        gFigureFill.hatchSpacing = static_cast<float>(1.0 / gRaster.scaleY);
        return;
    case kOpQuadPattern:
        Points(4, x, y);
        FillFourPoints(x, y, gOperands.Id(1) == 1);
        break;
    case kOpRectanglePattern: {
        Points(2, x, y);
        const int lo = std::max(std::min(y[0], y[1]), gRaster.clipBottom);
        const int hi = std::min(std::max(y[0], y[1]), gRaster.clipTop);
        for (int row = lo; row <= hi; ++row) yyvra2_(&x[0], &x[1], &row);
        break;
    }
    case kOpTrianglePattern:
        Points(3, x, y);
        FillTriangle(x, y);
        break;
    default: break;
    }
    EndFill();
}

void Line() {
    int x1 = PixelX(gOperands.Rd(1)), y1 = PixelY(gOperands.Rd(5));
    int x2 = PixelX(gOperands.Rd(2)), y2 = PixelY(gOperands.Rd(6));
    if (gRaster.spanFill) {
        int a = std::min(x1, x2), b = std::max(x1, x2);
        yyvra2_(&a, &b, &y1);
        return;
    }
    const int skip = 0;
    yyvra3_(&x1, &y1, &x2, &y2, &skip);
    gRaster.lastX = x2, gRaster.lastY = y2;
}

void Polyline() {
    const int n = std::min(std::max(gOperands.Id(2), 0), kPolygonPoints);
    if (n < 1) return;
    int px = PixelX(gOperands.Xpoly(1)), py = PixelY(gOperands.Ypoly(1));
    for (int k = 2; k <= n; ++k) {
        int qx = PixelX(gOperands.Xpoly(k)), qy = PixelY(gOperands.Ypoly(k));
        // A joint already drawn is not drawn again.
        const int skip = k > 2 || (px == gRaster.lastX && py == gRaster.lastY) ? 1 : 0;
        yyvra3_(&px, &py, &qx, &qy, &skip);
        px = qx, py = qy;
    }
    gRaster.lastX = px, gRaster.lastY = py;
}

void Clip() {
    MemoryRaster &r = gRaster;
    r.clipLeft = std::max(PixelX(gGraphics.cx1), 0);
    r.clipBottom = std::max(PixelY(gGraphics.cy1), 0);
    // The last device pixel of the clip rectangle covers up to the start of the next one.
    r.clipRight = std::min(PixelX(gGraphics.cx2 + 1.0) - 1, r.maxX);
    r.clipTop = std::min(PixelY(gGraphics.cy2 + 1.0) - 1, r.maxY);
    r.clipRight = std::max(r.clipRight, std::min(r.clipLeft, r.maxX));
    r.clipTop = std::max(r.clipTop, std::min(r.clipBottom, r.maxY));
    if (r.words.empty()) r.clipRight = r.clipTop = -1;
}

void LineType() {
    MemoryRaster &r = gRaster;
    const int type = gGraphics.lineType;
    r.dash = type >= 0 && type <= 6 ? kDashPatterns[type] : 0xFFF;
    r.dashBit = 0;
    r.dashRun = 1;
    r.dashUnitX = std::max(1, static_cast<int>(std::lround(r.pixelsPerInchX / 72.0)));
    r.dashUnitY = std::max(1, static_cast<int>(std::lround(r.pixelsPerInchY / 72.0)));
    r.lastX = r.lastY = -9999;
}

void LineWidth() {
    MemoryRaster &r = gRaster;
    const double tenths = quill::HardcopyOption(kOptLineWidth);
    auto thickness = [&](double ppi) {
        return std::max(1, static_cast<int>(std::min(ppi * tenths / 720.0 + 0.5, 1e4)));
    };
    int tx = thickness(r.pixelsPerInchX) - 1, ty = thickness(r.pixelsPerInchY) - 1;
    if (quill::HardcopyOption(kOptLandscape) % 2 != 0) std::swap(tx, ty);
    r.thickX = tx, r.thickY = ty;
    r.halfX = tx / 2, r.halfY = ty / 2;
}

// Draws the image file of the text operand over the clip rectangle. The picture is read at
// its own size; each raster pixel takes the picture pixel at its place in the rectangle.
void Image() {
    quill::ImagePixels image;
    if (!quill::ReadHardcopyImage(image)) return;
    const MemoryRaster &r = gRaster;
    if (r.clipRight < r.clipLeft || r.clipTop < r.clipBottom) return;
    const std::int64_t cw = r.clipRight - r.clipLeft + 1, ch = r.clipTop - r.clipBottom + 1;
    for (int y = r.clipBottom; y <= r.clipTop; ++y) {
        const int row =
            static_cast<int>(image.height * static_cast<std::int64_t>(r.clipTop - y) / ch);
        for (int x = r.clipLeft; x <= r.clipRight; ++x) {
            const int col =
                static_cast<int>(image.width * static_cast<std::int64_t>(x - r.clipLeft) / cw);
            const int rgb = static_cast<int>(image.Rgb(col, row));
            yyvra5_(&x, &y, &rgb);
        }
    }
}

void Gradient() {
    quill::GradientVertices &g = quill::gGradient;
    if (g.count < 3 || g.count > quill::kGradientVertices) return;
    for (int k = 0; k < g.count && k < kPolygonPoints; ++k) {
        g.x[k] = PixelX(gOperands.xpoly[k]);
        g.y[k] = PixelY(gOperands.ypoly[k]);
    }
    const int method = 1;
    yygradientfill_(&method, &gRaster.clipLeft, &gRaster.clipBottom, &gRaster.clipRight,
                    &gRaster.clipTop, yyvra5_, nullptr);
}

void Begin() {
    MemoryRaster &r = gRaster;
    if (gOperands.Id(1) > 0) {
        const int slot = kPlotSlot;
        yyprop_(&slot);
        if (quill::PlotErrorFlag()) {
            gHardcopy.open = 0;
            return;
        }
    }
    gHardcopy.deviceColours = r.bits >= 24 ? 1 << 24 : 1 << r.bits;
    SetColour();
    yydith2_();
    r.lastX = r.lastY = -9999;
    r.scaleX = r.width / quill::HardcopyDrawableWidth();
    r.scaleY = r.height / quill::HardcopyDrawableHeight();
    r.spanFill = r.twoColour = false;
    r.clipLeft = 0, r.clipRight = r.maxX, r.clipBottom = 0, r.clipTop = r.maxY;
}

}  // namespace

void yyvras_(const int *op) {
    if (op == nullptr) return;
    MemoryRaster &r = gRaster;
    switch (*op) {
    case kOpInit:
        if (gOperands.Id(1) != kOpInitKeepOptions) yydefh_();
        std::fill(quill::StoredPatterns(), quill::StoredPatterns() + 256, -1);
        quill::FreeMemoryRaster();
        break;
    case kOpLine: Line(); break;
    case kOpColour:
    case kOpRefreshColours: SetColour(); break;
    case kOpEllipsePattern:
    case kOpQuadPattern:
    case kOpRectanglePattern:
    case kOpTrianglePattern:
    case kOpSectorPattern:
    case kOpPolygonPattern: Figure(*op); break;
    case kOpClear: std::fill(r.words.begin(), r.words.end(), r.background); break;
    case kOpBegin: Begin(); break;
    case kOpEnd: {
        const int slot = kPlotSlot;
        yyprcl_(&slot);
        quill::FreeMemoryRaster();
        r.spanFill = r.twoColour = false;
        break;
    }
    case kOpClip: Clip(); break;
    case kOpPoint: {
        const int x = PixelX(gOperands.Rd(1)), y = PixelY(gOperands.Rd(5)),
                  v = static_cast<int>(r.value);
        yyvra1_(&v, &x, &y);
        break;
    }
    case kOpLineType: LineType(); break;
    case kOpLineWidth: LineWidth(); break;
    case kOpPolyline: Polyline(); break;
    case kOpImage: Image(); break;
    case kOpGradient: Gradient(); break;
    default: break;
    }
    if (r.dirty) gHardcopy.pagePending = 1;
}

bool quill::OpenMemoryRaster(const int *op) {
    yyvras_(op);
    if (gHardcopy.open == 0) {
        FreeMemoryRaster();
        return false;
    }
    if (gOperands.Id(1) > 0) {
        const int clear = kOpClear;
        yyvras_(&clear);
    }
    return true;
}
