// The CGM file driver (device 9): a binary Computer Graphics Metafile written through the
// library's one CGM element encoder into the plot output file. After an end of page the next
// drawing begins a new picture, and the close ends an open picture, so every file is
// balanced.
#include "graphics/cgm_encoder.h"
#include "graphics/recording_driver.h"
#include "hardcopy/driver_support.h"
#include "hardcopy/drivers.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

// Encoded elements go straight into the plot output file; a failed write refuses the rest.
class CgmFileSink : public quill::CgmSink {
public:
    bool Append(const unsigned char *bytes, std::size_t n) override {
        if (yyploterror()) return false;
        yyplotbytes(kPlotSlot, bytes, n);
        return !yyploterror();
    }
};

struct CgmState {
    double sx = 1, sy = 1;     // VDC per device unit
    int vdcWidth = 6300, vdcHeight = 4500;
    bool pictureOpen = false;
    int r = 0, g = 0, b = 0;   // current colour after the colour rule
    // Attribute caches; -1 = nothing written in this picture.
    int lineColour = -1, fillColour = -1, edgeColour = -1, textColour = -1;
    int font = -1, join = -1, cap = -1, edgeType = -1, edgeWidth = -1;
};

CgmState cs;
CgmFileSink sink;
quill::CgmEncoder enc(&sink);

const char *const kFontsUpper[16] = {
    "COURIER", "COURIER_BOLD", "COURIER_ITALIC", "COURIER_BOLD_ITALIC", "HELVETICA", "HELVETICA_BOLD",
    "HELVETICA_OBLIQUE", "HELVETICA_BOLD_OBLIQUE", "TIMES_ROMAN", "TIMES_BOLD", "TIMES_ITALIC",
    "TIMES_BOLD_ITALIC", "SYMBOL", "SYMBOL", "SYMBOL", "SYMBOL"};
const char *const kFontsPostScript[16] = {
    "Courier", "Courier-Bold", "Courier-Oblique", "Courier-BoldOblique", "Helvetica", "Helvetica-Bold",
    "Helvetica-Oblique", "Helvetica-BoldOblique", "Times-Roman", "Times-Bold", "Times-Italic",
    "Times-BoldItalic", "Symbol", "Symbol", "Symbol", "Symbol"};

int Vdc(double v) {
    int i = yyclampint(v);
    return i > 32767 ? 32767 : i < -32768 ? -32768 : i;
}
int X(double x) { return Vdc(x * cs.sx); }
int Y(double y) { return Vdc(y * cs.sy); }

int Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

void BeginPicture() {
    if (cs.pictureOpen) return;
    quill::CgmBeginPicture(enc, "ORN CGM Data", cs.vdcWidth, cs.vdcHeight);
    cs.pictureOpen = true;
    cs.lineColour = cs.fillColour = cs.edgeColour = cs.textColour = -1;
    cs.font = cs.join = cs.cap = cs.edgeType = cs.edgeWidth = -1;
}

void LineColour() {
    int rgb = Rgb(cs.r, cs.g, cs.b);
    if (rgb == cs.lineColour) return;
    enc.OneColour(quill::cgm::kLineColour, cs.r, cs.g, cs.b);
    cs.lineColour = rgb;
}

void PointList(quill::cgm::Id element, const std::vector<int> &x, const std::vector<int> &y) {
    enc.Start(element);
    enc.Reserve(4 * x.size());
    for (std::size_t k = 0; k < x.size(); ++k) enc.Point(x[k], y[k]);
    enc.Finish();
}

void Open() {
    double w = yyhcopt(kOptPageWidth) > 0 ? yyhcopt(kOptPageWidth) : 756;
    double h = yyhcopt(kOptPageHeight) > 0 ? yyhcopt(kOptPageHeight) : 540;
    // 600 dots per inch, reduced so that the larger side fits in 16 bits.
    double f = 600.0 / 72.0;
    double larger = w > h ? w : h;
    if (larger * f > 32767) f = 32767 / larger;
    cs = CgmState{};
    cs.vdcWidth = static_cast<int>(w * f);
    cs.vdcHeight = static_cast<int>(h * f);
    cs.sx = cs.vdcWidth / yyhcdrawablewidth();
    cs.sy = cs.vdcHeight / yyhcdrawableheight();
    yyprop_(&kPlotSlot);
    if (yyploterror()) {
        gHardcopy.open = 0;
        return;
    }
    std::string title = gOperands.Ixd(1) == 1 && !yyhctitle().empty() ? yyhctitle() : "ORN CGM File";
    int naming = yyhcopt(kOptFontNames);
    const char *const *fonts = naming == 0 ? kFontsUpper : naming == 1 ? kFontsPostScript : quill::kCgmFontNames;
    quill::CgmBeginMetafile(enc, title, "ORN CGM driver v4", fonts, 16);
    BeginPicture();
}

void Close() {
    if (cs.pictureOpen) enc.Empty(quill::cgm::kEndPicture);
    cs.pictureOpen = false;
    enc.Empty(quill::cgm::kEndMetafile);
    yyprcl_(&kPlotSlot);
}

void FillColour(int r, int g, int b) {
    int rgb = Rgb(r, g, b);
    if (rgb == cs.fillColour) return;
    enc.OneColour(quill::cgm::kFillColour, r, g, b);
    cs.fillColour = rgb;
}

void Filled(int op) {
    int style = gFigureFill.style;
    if (gOperands.Id(1) == -1) return;
    bool outline = op == 5 && style < 3;
    if (!(style > 2 || outline)) return;
    BeginPicture();
    gHardcopy.pagePending = 1;
    if (style == 3) {
        int r1, g1, b1, r2, g2, b2;
        yyrgbsplit(gFigureFill.gradient1, r1, g1, b1);
        yyrgbsplit(gFigureFill.gradient2, r2, g2, b2);
        yycolourrule(yyhcopt(kOptColourRule), r1, g1, b1);
        yycolourrule(yyhcopt(kOptColourRule), r2, g2, b2);
        FillColour((r1 + r2) / 2, (g1 + g2) / 2, (b1 + b2) / 2);
    } else {
        FillColour(cs.r, cs.g, cs.b);
    }
    if (outline) {
        enc.OneWord(quill::cgm::kEdgeVisibility, 1);
        int rgb = Rgb(cs.r, cs.g, cs.b);
        if (rgb != cs.edgeColour) {
            enc.OneColour(quill::cgm::kEdgeColour, cs.r, cs.g, cs.b);
            cs.edgeColour = rgb;
        }
        static const int kTypes[7] = {1, 3, 2, 4, 5, 10, 12};
        int type = kTypes[gGraphics.lineType < 0 || gGraphics.lineType > 6 ? 0 : gGraphics.lineType];
        if (type != cs.edgeType) {
            enc.OneWord(quill::cgm::kEdgeType, type);
            cs.edgeType = type;
        }
        int width = Vdc(yyhcopt(kOptLineWidth) * cs.vdcWidth / ((yyhcopt(kOptPageWidth) > 0 ? yyhcopt(kOptPageWidth) : 756) * 10.0));
        if (width != cs.edgeWidth) {
            enc.OneWord(quill::cgm::kEdgeWidth, width);
            cs.edgeWidth = width;
        }
        enc.OneWord(quill::cgm::kInteriorStyle, 4);
    } else {
        enc.OneWord(quill::cgm::kInteriorStyle, 1);
    }
    double x[4], y[4];
    for (int k = 0; k < 4; ++k) x[k] = gOperands.rd[k], y[k] = gOperands.rd[k + 4];
    std::vector<int> px, py;
    switch (op) {
    case 5: {
        double aspect = cs.sx != 0 ? cs.sy / cs.sx : 1.0;
        (void)aspect;
        enc.Start(quill::cgm::kEllipse);
        enc.Point(X(x[0]), Y(y[0]));
        enc.Point(X(x[0] + std::fabs(x[1])), Y(y[0]));
        enc.Point(X(x[0]), Y(y[0] + std::fabs(y[1])));
        enc.Finish();
        if (outline) enc.OneWord(quill::cgm::kEdgeVisibility, 0);
        return;
    }
    case 7:
        for (int k = 0; k < 4; ++k) px.push_back(X(x[k])), py.push_back(Y(y[k]));
        break;
    case 9: {
        auto limit = [](double v, double lo, double hi) { return v < lo ? lo : v > hi ? hi : v; };
        double lx = gGraphics.cx1 < gGraphics.cx2 ? gGraphics.cx1 : gGraphics.cx2;
        double hx = gGraphics.cx1 < gGraphics.cx2 ? gGraphics.cx2 : gGraphics.cx1;
        double ly = gGraphics.cy1 < gGraphics.cy2 ? gGraphics.cy1 : gGraphics.cy2;
        double hy = gGraphics.cy1 < gGraphics.cy2 ? gGraphics.cy2 : gGraphics.cy1;
        if (hx <= lx || hy <= ly) lx = -1e9, hx = 1e9, ly = -1e9, hy = 1e9;  // no clip set
        enc.Start(quill::cgm::kRectangle);
        enc.Point(X(limit(x[0], lx, hx)), Y(limit(y[0], ly, hy)));
        enc.Point(X(limit(x[1], lx, hx)), Y(limit(y[1], ly, hy)));
        enc.Finish();
        return;
    }
    case 11:
        for (int k = 0; k < 3; ++k) px.push_back(X(x[k])), py.push_back(Y(y[k]));
        break;
    case 13: {
        double cx = x[0], cy = y[0], rx = std::fabs(x[1]), ry = std::fabs(y[1]);
        double a1 = gOperands.Rd(3), a2 = gOperands.Rd(7);
        if (!std::isfinite(a1) || !std::isfinite(a2) || std::fabs(a2 - a1) > 4 * kPi) a1 = 0, a2 = 2 * kPi;
        int n = yyhcsteps(rx > ry ? rx : ry);
        int steps = static_cast<int>(std::ceil(std::fabs(a2 - a1) / (kPi / n)));
        if (steps < 1) steps = 1;
        px.push_back(X(cx)), py.push_back(Y(cy));
        for (int k = 0; k <= steps; ++k) {
            double a = a1 + (a2 - a1) * k / steps;
            px.push_back(X(cx + rx * std::cos(a))), py.push_back(Y(cy + ry * std::sin(a)));
        }
        break;
    }
    case 15: {
        int n = gOperands.Id(2);
        n = n < 0 ? 0 : n > kPolygonPoints ? kPolygonPoints : n;
        for (int k = 1; k <= n; ++k) px.push_back(X(gOperands.Xpoly(k))), py.push_back(Y(gOperands.Ypoly(k)));
        break;
    }
    default:
        return;
    }
    if (px.size() >= 3) PointList(quill::cgm::kPolygon, px, py);
}

void Text() {
    BeginPicture();
    gHardcopy.pagePending = 1;
    enc.OneWord(quill::cgm::kTransparency, 0);
    enc.OneColour(quill::cgm::kTextColour, cs.r, cs.g, cs.b);
    cs.textColour = Rgb(cs.r, cs.g, cs.b);
    int align = gGraphics.justification < 0 || gGraphics.justification > 2 ? 0 : gGraphics.justification;
    enc.Start(quill::cgm::kTextAlignment);
    enc.Word(align + 1);
    enc.Word(5);
    enc.Fixed(0.0);
    enc.Fixed(0.0);
    enc.Finish();
    double x = gOperands.Rd(1), y = gOperands.Rd(5);
    if (align == 1) x = (x + gOperands.Rd(3)) / 2, y = (y + gOperands.Rd(7)) / 2;
    if (align == 2) x = gOperands.Rd(3), y = gOperands.Rd(7);
    std::string text = yyhctext();
    if (text.size() > quill::CgmEncoder::kMaxString) text.resize(quill::CgmEncoder::kMaxString);
    enc.Start(quill::cgm::kText);
    enc.Point(X(x), Y(y));
    enc.Word(1);
    enc.Text(text);
    enc.Finish();
    enc.OneWord(quill::cgm::kTransparency, 1);
}

void Font() {
    BeginPicture();
    int family = gGraphics.effectiveFont >= 1 && gGraphics.effectiveFont <= 4 ? gGraphics.effectiveFont : 2;
    int index = 4 * family + (gGraphics.fontAttributes & 3) % 4 - 3;
    if (index != cs.font) {
        enc.OneWord(quill::cgm::kTextFontIndex, index);
        cs.font = index;
    }
    enc.Start(quill::cgm::kCharacterHeight);
    enc.Word(Vdc(gGraphics.charHeight * gGraphics.refHeight * cs.sy));
    enc.Finish();
}

void Orientation() {
    BeginPicture();
    double a = gGraphics.direction * kPi / 180.0;
    double size = gGraphics.charHeight * gGraphics.refHeight * cs.sy;
    if (!(size >= 1)) size = 100;
    enc.Start(quill::cgm::kCharacterOrientation);
    enc.Point(Vdc(-size * std::sin(a)), Vdc(size * std::cos(a)));
    enc.Point(Vdc(size * std::cos(a)), Vdc(size * std::sin(a)));
    enc.Finish();
}

void Line(const std::vector<int> &x, const std::vector<int> &y) {
    BeginPicture();
    gHardcopy.pagePending = 1;
    LineColour();
    PointList(quill::cgm::kPolyline, x, y);
}

}  // namespace

void xxcgm_(const int *op) {
    if (*op == 1) {
        if (gOperands.Id(2) == kOpInitProbe) {
            gOperands.Id(2) = 9;
            return;
        }
        yyhcpagedefaults(756, 540, 0, 0, yyhcopt(kOptLandscape));
        if (gOperands.Id(1) != kOpInitKeepOptions) yyhcoptword(kOptFontNames) = 2;
        yyhcdevice(9, 256, "00000110111111100010011011100", 0, "quilplot.cgm");
        return;
    }
    if (*op == 18) {
        if (gOperands.Id(1) == -1) {
            cs.sx = cs.vdcWidth / yyhcdrawablewidth();
            cs.sy = cs.vdcHeight / yyhcdrawableheight();
            return;
        }
        Open();
        return;
    }
    if (yyploterror() || *op < 2 || *op > 40) return;
    switch (*op) {
    case 2:
        Line({X(gOperands.Rd(1)), X(gOperands.Rd(2))}, {Y(gOperands.Rd(5)), Y(gOperands.Rd(6))});
        break;
    case 3:
    case 35:
        yyhccolour(cs.r, cs.g, cs.b);
        break;
    case 5: case 7: case 9: case 11: case 13: case 15:
        Filled(*op);
        break;
    case 19:
        Close();
        break;
    case 20:
        if (cs.pictureOpen) enc.Empty(quill::cgm::kEndPicture);
        cs.pictureOpen = false;
        gHardcopy.pagePending = 0;
        break;
    case 21:
        Font();
        break;
    case 22:
        Text();
        break;
    case 24:
        BeginPicture();
        enc.OneWord(quill::cgm::kClipIndicator, 1);
        enc.Start(quill::cgm::kClipRectangle);
        enc.Point(X(gGraphics.cx1), Y(gGraphics.cy1));
        enc.Point(X(gGraphics.cx2), Y(gGraphics.cy2));
        enc.Finish();
        break;
    case 26:
        Line({X(gOperands.Rd(1)), X(gOperands.Rd(1))}, {Y(gOperands.Rd(5)), Y(gOperands.Rd(5))});
        break;
    case 29: {
        static const int kTypes[7] = {1, 3, 2, 4, 5, 10, 12};
        BeginPicture();
        enc.OneWord(quill::cgm::kLineType, kTypes[gGraphics.lineType < 0 || gGraphics.lineType > 6 ? 0 : gGraphics.lineType]);
        break;
    }
    case 30: {
        BeginPicture();
        double page = yyhcopt(kOptPageWidth) > 0 ? yyhcopt(kOptPageWidth) : 756;
        enc.Start(quill::cgm::kLineWidth);
        enc.Word(Vdc(yyhcopt(kOptLineWidth) * cs.vdcWidth / (page * 10.0)));
        enc.Finish();
        break;
    }
    case 32: {
        int n = gOperands.Id(2);
        n = n < 0 ? 0 : n > kPolygonPoints ? kPolygonPoints : n;
        if (n < 1) break;
        std::vector<int> x, y;
        for (int k = 1; k <= n; ++k) x.push_back(X(gOperands.Xpoly(k))), y.push_back(Y(gOperands.Ypoly(k)));
        Line(x, y);
        break;
    }
    case 33:
        Orientation();
        break;
    case 36: {
        int j = yyhcopt(kOptLineJoin);
        j = (j < 0 || j > 2 ? 0 : j) + 2;
        if (j == cs.join) break;
        BeginPicture();
        enc.OneWord(quill::cgm::kLineJoin, j);
        cs.join = j;
        break;
    }
    case 37: {
        int c = yyhcopt(kOptLineCap);
        c = (c < 0 || c > 2 ? 0 : c) + 2;
        if (c == cs.cap) break;
        BeginPicture();
        enc.Start(quill::cgm::kLineCap);
        enc.Word(c);
        enc.Word(1);
        enc.Finish();
        cs.cap = c;
        break;
    }
    case 38: {
        // The image file's pixels as a cell array over the clip rectangle.
        quill::ImagePixels image;
        if (!yyhcimage(image)) break;
        std::vector<int> pixels(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x)] =
                    static_cast<int>(image.Rgb(x, y));
        BeginPicture();
        gHardcopy.pagePending = 1;
        quill::WriteCellArray(enc, X(gGraphics.cx1), Y(gGraphics.cy1), X(gGraphics.cx2), Y(gGraphics.cy2),
                              image.width, image.height, pixels.data());
        break;
    }
    // Not built yet (graphics): op 40, the gradient fill through the polygon decomposer.
    default:
        break;
    }
}
