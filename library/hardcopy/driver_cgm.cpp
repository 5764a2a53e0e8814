// The CGM file driver (device 9): a binary Computer Graphics Metafile written through the
// library's one CGM element encoder into the plot output file. After an end of page the next
// drawing begins a new picture, and the close ends an open picture, so every file is
// balanced.
#include "graphics/cgm_encoder.h"
#include "graphics/cgm_shapes.h"
#include "graphics/recording_driver.h"
#include "graphics/gradient_fill.h"
#include "hardcopy/driver_support.h"
#include "hardcopy/drivers.h"

#include <cmath>
#include <string>
#include <algorithm>
#include <vector>

namespace {

// Encoded elements go straight into the plot output file; a failed write refuses the rest.
class CgmFileSink : public quill::CgmSink {
public:
    bool Append(const unsigned char *bytes, std::size_t n) override {
        if (quill::PlotErrorFlag()) return false;
        quill::WritePlotBytes(kPlotSlot, bytes, n);
        return !quill::PlotErrorFlag();
    }
};

struct CgmState {
    double sx = 1, sy = 1;  // VDC per device unit
    int vdcWidth = 6300, vdcHeight = 4500;
    bool pictureOpen = false;
    int r = 0, g = 0, b = 0;  // current colour after the colour rule
    // Attribute caches; -1 = nothing written in this picture.
    int lineColour = -1, fillColour = -1, edgeColour = -1, textColour = -1;
    int font = -1, join = -1, cap = -1, edgeType = -1, edgeWidth = -1;
};

CgmState cs;
CgmFileSink sink;
quill::CgmEncoder enc(&sink);

const char *const kFontsUpper[16] = {"COURIER",
                                     "COURIER_BOLD",
                                     "COURIER_ITALIC",
                                     "COURIER_BOLD_ITALIC",
                                     "HELVETICA",
                                     "HELVETICA_BOLD",
                                     "HELVETICA_OBLIQUE",
                                     "HELVETICA_BOLD_OBLIQUE",
                                     "TIMES_ROMAN",
                                     "TIMES_BOLD",
                                     "TIMES_ITALIC",
                                     "TIMES_BOLD_ITALIC",
                                     "SYMBOL",
                                     "SYMBOL",
                                     "SYMBOL",
                                     "SYMBOL"};
const char *const kFontsPostScript[16] = {"Courier",
                                          "Courier-Bold",
                                          "Courier-Oblique",
                                          "Courier-BoldOblique",
                                          "Helvetica",
                                          "Helvetica-Bold",
                                          "Helvetica-Oblique",
                                          "Helvetica-BoldOblique",
                                          "Times-Roman",
                                          "Times-Bold",
                                          "Times-Italic",
                                          "Times-BoldItalic",
                                          "Symbol",
                                          "Symbol",
                                          "Symbol",
                                          "Symbol"};

// Device units to VDC: as reals for the shapes, which clip what reaches beyond the 16-bit
// range, and truncated and limited for sizes and the clip rectangle.
double Xd(double x) { return x * cs.sx; }
double Yd(double y) { return y * cs.sy; }
int Vdc(double v) { return quill::VdcCoordinate(v); }
int X(double x) { return Vdc(Xd(x)); }
int Y(double y) { return Vdc(Yd(y)); }

int Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

// The line and edge width of option 9 (tenths of a point) in VDC.
int WidthVdc() {
    return Vdc(quill::HardcopyOption(kOptLineWidth) * cs.vdcWidth /
               (quill::HardcopyPageWidth() * 10.0));
}

// Ends the element begun by yycgm2_ and hands it to the file.
void End() { enc.Finish(); }

}  // namespace

void yycgm1_(int rgb, int &r, int &g, int &b) {
    quill::SplitRgb(rgb, r, g, b);
    quill::ApplyColourRule(quill::HardcopyOption(kOptColourRule), r, g, b);
}

void yycgm2_(int cls, int id) { enc.Start(cls, id); }

void yycgm3_(double x, double y) { enc.Point(X(x), Y(y)); }

void yycgm4_(int r, int g, int b) { enc.Colour(r, g, b); }

void yycgm5_(int v) { enc.Word(v); }

void yycgm6_(int x, int y) { enc.Point(x, y); }

void yycgm7_(const std::string &text) { enc.Text(text); }

void yycgm8_(const std::string &text) {
    yycgm7_(text);
    End();
}

void yycgm9_(int cls, int id, const std::vector<double> &x, const std::vector<double> &y) {
    const std::size_t n = std::min(x.size(), y.size());
    if (cls == quill::cgm::kPolygon.cls && id == quill::cgm::kPolygon.id)
        quill::CgmPolygon(enc, x.data(), y.data(), n);
    else
        quill::CgmPolyline(enc, x.data(), y.data(), n);
}

namespace {

// Element E of one word.
void OneWord(quill::cgm::Id e, int v) {
    yycgm2_(e.cls, e.id);
    yycgm5_(v);
    End();
}

// Colour element E with R, G, B when RGB differs from the cached CACHE word.
void CachedColour(quill::cgm::Id e, int &cache, int r, int g, int b) {
    int rgb = Rgb(r, g, b);
    if (rgb == cache) return;
    yycgm2_(e.cls, e.id);
    yycgm4_(r, g, b);
    End();
    cache = rgb;
}

void BeginPicture() {
    if (cs.pictureOpen) return;
    quill::CgmBeginPicture(enc, "ORN CGM Data", cs.vdcWidth, cs.vdcHeight);
    cs.pictureOpen = true;
    cs.lineColour = cs.fillColour = cs.edgeColour = cs.textColour = -1;
    cs.font = cs.join = cs.cap = cs.edgeType = cs.edgeWidth = -1;
}

void LineColour() { CachedColour(quill::cgm::kLineColour, cs.lineColour, cs.r, cs.g, cs.b); }

void Rescale();

void Open() {
    double w = quill::HardcopyPageWidth();
    double h = quill::HardcopyPageHeight();
    // 600 dots per inch, reduced so that the larger side fits in 16 bits.
    double f = 600.0 / 72.0;
    double larger = w > h ? w : h;
    if (larger * f > 32767) f = 32767 / larger;
    cs = CgmState{};
    cs.vdcWidth = static_cast<int>(w * f);
    cs.vdcHeight = static_cast<int>(h * f);
    Rescale();
    if (!quill::OpenHardcopyFile()) return;
    std::string title = gOperands.Ixd(1) == 1 && !quill::HardcopyTitle().empty()
                            ? quill::HardcopyTitle()
                            : "ORN CGM File";
    int naming = quill::HardcopyOption(kOptFontNames);
    const char *const *fonts = naming == 0   ? kFontsUpper
                               : naming == 1 ? kFontsPostScript
                                             : quill::kCgmFontNames;
    quill::CgmBeginMetafile(enc, title, "ORN CGM driver v4", fonts, 16);
    BeginPicture();
}

void EndPicture() {
    if (cs.pictureOpen) enc.Empty(quill::cgm::kEndPicture);
    cs.pictureOpen = false;
}

void Close() {
    EndPicture();
    enc.Empty(quill::cgm::kEndMetafile);
    yyprcl_(&kPlotSlot);
}

// The CGM line type of the current line type (0 to 6; solid outside).
int LineType() {
    static const int kTypes[7] = {1, 3, 2, 4, 5, 10, 12};
    return kTypes[gGraphics.lineType < 0 || gGraphics.lineType > 6 ? 0 : gGraphics.lineType];
}

void FillColour(int r, int g, int b) {
    CachedColour(quill::cgm::kFillColour, cs.fillColour, r, g, b);
}

void Filled(int op) {
    int style = gFigureFill.style;
    if (gOperands.Id(1) == kFigureEnd) return;
    bool outline = op == kOpEllipsePattern && style < 3;
    if (!(style > 2 || outline)) return;
    BeginPicture();
    gHardcopy.pagePending = 1;
    if (style == 3) {
        int r1, g1, b1, r2, g2, b2;
        yycgm1_(gFigureFill.gradient1, r1, g1, b1);
        yycgm1_(gFigureFill.gradient2, r2, g2, b2);
        FillColour((r1 + r2) / 2, (g1 + g2) / 2, (b1 + b2) / 2);
    } else {
        FillColour(cs.r, cs.g, cs.b);
    }
    if (outline) {
        OneWord(quill::cgm::kEdgeVisibility, 1);
        CachedColour(quill::cgm::kEdgeColour, cs.edgeColour, cs.r, cs.g, cs.b);
        int type = LineType();
        if (type != cs.edgeType) {
            OneWord(quill::cgm::kEdgeType, type);
            cs.edgeType = type;
        }
        int width = WidthVdc();
        if (width != cs.edgeWidth) {
            OneWord(quill::cgm::kEdgeWidth, width);
            cs.edgeWidth = width;
        }
        OneWord(quill::cgm::kInteriorStyle, 4);
    } else {
        OneWord(quill::cgm::kInteriorStyle, 1);
    }
    double x[4], y[4];
    for (int k = 0; k < 4; ++k) x[k] = gOperands.rd[k], y[k] = gOperands.rd[k + 4];
    if (op == kOpEllipsePattern) {
        const double rx = std::fabs(x[1]), ry = std::fabs(y[1]);
        quill::CgmEllipse(enc, Xd(x[0]), Yd(y[0]), Xd(x[0] + rx), Yd(y[0]), Xd(x[0]), Yd(y[0] + ry),
                          quill::HardcopyArcSteps(std::max(rx, ry)));
        if (outline) OneWord(quill::cgm::kEdgeVisibility, 0);
        return;
    }
    if (op == kOpRectanglePattern) {
        auto limit = [](double v, double lo, double hi) { return v < lo ? lo : v > hi ? hi : v; };
        double lx = gGraphics.cx1 < gGraphics.cx2 ? gGraphics.cx1 : gGraphics.cx2;
        double hx = gGraphics.cx1 < gGraphics.cx2 ? gGraphics.cx2 : gGraphics.cx1;
        double ly = gGraphics.cy1 < gGraphics.cy2 ? gGraphics.cy1 : gGraphics.cy2;
        double hy = gGraphics.cy1 < gGraphics.cy2 ? gGraphics.cy2 : gGraphics.cy1;
        if (hx <= lx || hy <= ly) lx = -1e9, hx = 1e9, ly = -1e9, hy = 1e9;  // no clip set
        quill::CgmRectangle(enc, Xd(limit(x[0], lx, hx)), Yd(limit(y[0], ly, hy)),
                            Xd(limit(x[1], lx, hx)), Yd(limit(y[1], ly, hy)));
        return;
    }
    std::vector<double> fx, fy;
    quill::FigurePoints(op, fx, fy);
    std::vector<double> px, py;
    for (std::size_t k = 0; k < fx.size(); ++k) px.push_back(Xd(fx[k])), py.push_back(Yd(fy[k]));
    if (px.size() >= 3) yycgm9_(4, 7, px, py);
}

// The text of op 22; one whose position the metafile cannot hold is left out.
void Text() {
    BeginPicture();
    gHardcopy.pagePending = 1;
    int align =
        gGraphics.justification < 0 || gGraphics.justification > 2 ? 0 : gGraphics.justification;
    double x = gOperands.Rd(1), y = gOperands.Rd(5);
    if (align == 1) x = (x + gOperands.Rd(3)) / 2, y = (y + gOperands.Rd(7)) / 2;
    if (align == 2) x = gOperands.Rd(3), y = gOperands.Rd(7);
    if (!quill::InVdcRange(Xd(x), Yd(y))) return;
    OneWord(quill::cgm::kTransparency, 0);
    cs.textColour = -1;
    CachedColour(quill::cgm::kTextColour, cs.textColour, cs.r, cs.g, cs.b);
    yycgm2_(5, 18);
    yycgm5_(align + 1);
    yycgm5_(5);
    enc.Fixed(0.0);
    enc.Fixed(0.0);
    End();
    yycgm2_(4, 4);
    yycgm3_(x, y);
    yycgm5_(1);
    yycgm8_(quill::HardcopyText());
    OneWord(quill::cgm::kTransparency, 1);
}

void Font() {
    BeginPicture();
    int family =
        gGraphics.effectiveFont >= 1 && gGraphics.effectiveFont <= 4 ? gGraphics.effectiveFont : 2;
    int index = 4 * family + (gGraphics.fontAttributes & 3) % 4 - 3;
    if (index != cs.font) {
        OneWord(quill::cgm::kTextFontIndex, index);
        cs.font = index;
    }
    OneWord(quill::cgm::kCharacterHeight, Vdc(gGraphics.charHeight * gGraphics.refHeight * cs.sy));
}

void Orientation() {
    BeginPicture();
    double a = gGraphics.direction * kPi / 180.0;
    double size = gGraphics.charHeight * gGraphics.refHeight * cs.sy;
    if (!(size >= 1)) size = 100;
    quill::CgmCharacterOrientation(enc, -size * std::sin(a), size * std::cos(a), size * std::cos(a),
                                   size * std::sin(a));
}

void Line(const std::vector<double> &x, const std::vector<double> &y) {
    BeginPicture();
    gHardcopy.pagePending = 1;
    LineColour();
    yycgm9_(4, 1, x, y);
}

// The line of op 2 or the point of op 26.
void Segment(int op) {
    const quill::SegmentEnds s = quill::OpSegment(op);
    Line({Xd(s.x1), Xd(s.x2)}, {Yd(s.y1), Yd(s.y2)});
}

// The triangle routine of op 40: every triangle as interpolated-colour elements, the vertex
// colours after the colour rule.
void Triangles(const int *x, const int *y, const int *c, const int *triangles, const int *,
               const int *count, int *status) {
    for (int t = 0; t < *count; ++t) {
        int tx[3], ty[3], tc[3];
        for (int k = 0; k < 3; ++k) {
            const int v = triangles[3 * t + k] - 1;
            int r, g, b;
            yycgm1_(c[v], r, g, b);
            tx[k] = x[v], ty[k] = y[v], tc[k] = Rgb(r, g, b);
        }
        quill::CgmGradientTriangle(enc, tx, ty, tc);
    }
    *status = 0;
}

// A metafile has no pixels to set one by one: every triangle goes to Triangles.
void NoPixels(const int *, const int *, const int *) {}

// Op 40: the gradient polygon of the polygon buffer in VDC, split into triangles. The fill
// merges vertices in place; the vertex list is put back as it was sent.
void Gradient() {
    quill::GradientVertices &g = quill::gGradient;
    const int count = g.count;
    if (count < 3 || count > quill::kGradientVertices || count > kPolygonPoints) return;
    BeginPicture();
    gHardcopy.pagePending = 1;
    const std::vector<int> colours(g.colour, g.colour + count);
    // The vertices keep their place however far out they lie: the triangles are clipped to
    // the VDC range as they are written.
    for (int k = 0; k < count; ++k) {
        g.x[k] = quill::TruncateClamped(Xd(gOperands.xpoly[k]));
        g.y[k] = quill::TruncateClamped(Yd(gOperands.ypoly[k]));
    }
    const int method = 2;
    const int cx1 = X(std::min(gGraphics.cx1, gGraphics.cx2)),
              cx2 = X(std::max(gGraphics.cx1, gGraphics.cx2));
    const int cy1 = Y(std::min(gGraphics.cy1, gGraphics.cy2)),
              cy2 = Y(std::max(gGraphics.cy1, gGraphics.cy2));
    yygradientfill_(&method, &cx1, &cy1, &cx2, &cy2, NoPixels, Triangles);
    g.count = count;
    std::copy(colours.begin(), colours.end(), g.colour);
}

void Rescale() {
    cs.sx = cs.vdcWidth / quill::HardcopyDrawableWidth();
    cs.sy = cs.vdcHeight / quill::HardcopyDrawableHeight();
}

void Initialise() {
    quill::SetHardcopyPageDefaults(756, 540, 0, 0, quill::HardcopyOption(kOptLandscape));
    if (gOperands.Id(1) != kOpInitKeepOptions) quill::HardcopyOptionSlot(kOptFontNames) = 2;
    quill::SetHardcopyDeviceWords(kDeviceCgm, 256, "00000110111111100010011011100", 0,
                                  "quilplot.cgm");
}

void Operation(int op) {
    switch (op) {
    case kOpLine:
    case kOpPoint: Segment(op); break;
    case kOpColour:
    case kOpRefreshColours: yycgm1_(gGraphics.colour.rgb, cs.r, cs.g, cs.b); break;
    case kOpPage:
        EndPicture();
        gHardcopy.pagePending = 0;
        break;
    case kOpFont: Font(); break;
    case kOpText: Text(); break;
    case kOpClip:
        BeginPicture();
        OneWord(quill::cgm::kClipIndicator, 1);
        yycgm2_(3, 5);
        yycgm3_(gGraphics.cx1, gGraphics.cy1);
        yycgm3_(gGraphics.cx2, gGraphics.cy2);
        End();
        break;
    case kOpLineType:
        BeginPicture();
        OneWord(quill::cgm::kLineType, LineType());
        break;
    case kOpLineWidth:
        BeginPicture();
        OneWord(quill::cgm::kLineWidth, WidthVdc());
        break;
    case kOpPolyline: {
        int n = quill::HardcopyPolygonCount();
        if (n < 1) break;
        std::vector<double> x, y;
        for (int k = 1; k <= n; ++k)
            x.push_back(Xd(gOperands.Xpoly(k))), y.push_back(Yd(gOperands.Ypoly(k)));
        Line(x, y);
        break;
    }
    case kOpDirection: Orientation(); break;
    case kOpLineJoin: {
        int j = quill::HardcopyOption(kOptLineJoin);
        j = (j < 0 || j > 2 ? 0 : j) + 2;
        if (j == cs.join) break;
        BeginPicture();
        OneWord(quill::cgm::kLineJoin, j);
        cs.join = j;
        break;
    }
    case kOpLineCap: {
        int c = quill::HardcopyOption(kOptLineCap);
        c = (c < 0 || c > 2 ? 0 : c) + 2;
        if (c == cs.cap) break;
        BeginPicture();
        yycgm2_(5, 37);
        yycgm5_(c);
        yycgm5_(1);
        End();
        cs.cap = c;
        break;
    }
    case kOpImage: {
        // The image file's pixels as a cell array over the clip rectangle, read from the
        // decoded picture as they are written.
        quill::ImagePixels image;
        if (!quill::ReadHardcopyImage(image)) break;
        quill::CellSource source;
        source.width = image.width;
        source.height = image.height;
        source.context = &image;
        source.pixel = [](const void *context, int x, int y) {
            return static_cast<int>(static_cast<const quill::ImagePixels *>(context)->Rgb(x, y));
        };
        BeginPicture();
        gHardcopy.pagePending = 1;
        quill::WriteCellArray(enc, X(gGraphics.cx1), Y(gGraphics.cy1), X(gGraphics.cx2),
                              Y(gGraphics.cy2), source);
        break;
    }
    case kOpGradient: Gradient(); break;
    default: break;
    }
}

const quill::FileDriver kCgm = {kDeviceCgm, Rescale, Initialise, Open, Close, Filled, Operation};

}  // namespace

void xxcgm_(const int *op) { quill::RunFileDriver(kCgm, *op); }
