// The PostScript file driver (device 2): a PostScript or encapsulated PostScript text file.
// Line segments are collected into paths that are stroked or filled only when something else
// must be written, and a colour is written only when it differs from the last one written.
#include "hardcopy/driver_support.h"
#include "hardcopy/drivers.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct PostScriptState {
    int segments = 0;                  // segments of the open path (0 = none)
    double pr = 0, pg = 0, pb = 0;     // pending colour
    double wr = -1, wg = -1, wb = -1;  // last colour written
    int fontChanged = 1;
    int lastLineType = -1;
    int lastLineWidth = -1;
    int pages = 1;
    double sx = 1, sy = 1;             // points per device unit
    double width = 756, height = 540;  // page in points
    int maxPath = 255;
};

PostScriptState ps;

// One real in F9.2 with a whole value's last "0" dropped (12.00 is 12.0).
std::string Real(double v) {
    std::string f = quill::FixedField(v, 9, 2);
    if (f.size() >= 3 && f.compare(f.size() - 3, 3, ".00") == 0) f[f.size() - 1] = ' ';
    return f;
}

}  // namespace

void yypos6_(const std::string &text) {
    std::string t = text.size() > 255 ? text.substr(0, 255) : text;
    quill::WriteHardcopyLine(quill::CompactBlanks(t));
}

void yypos7_(const std::string &text) {
    quill::WriteHardcopyLine(text.size() > 255 ? text.substr(0, 255) : text);
}

void yypos3_(double a, double b, double c, const std::string &word) {
    yypos6_(Real(a) + Real(b) + Real(c) + " " + word);
}

void yypos4_(double a, double b, const std::string &word) {
    yypos6_(Real(a) + Real(b) + " " + word);
}

void yypos5_(double a, const std::string &word) { yypos6_(Real(a) + " " + word); }

namespace {

double X(double x) { return x * ps.sx; }
double Y(double y) { return y * ps.sy; }

}  // namespace

void yypos1_(int rgb, double &r, double &g, double &b) {
    if (rgb == -1) {
        r = g = b = 0;
        return;
    }
    int ir, ig, ib;
    quill::SplitRgb(rgb, ir, ig, ib);
    r = ir / 255.0, g = ig / 255.0, b = ib / 255.0;
    int mode = quill::HardcopyOption(kOptColourRule);
    bool dark = r < 0.04 && g < 0.04 && b<0.04, light = r> 0.96 && g > 0.96 && b > 0.96;
    if (mode == 1 || (mode == 2 && (dark || light))) r = 1 - r, g = 1 - g, b = 1 - b;
}

void yypos2_(int mode) {
    if (ps.segments == 0 && mode != 3) return;
    if (ps.pr != ps.wr || ps.pg != ps.wg || ps.pb != ps.wb) {
        yypos3_(ps.pr, ps.pg, ps.pb, "g");
        ps.wr = ps.pr, ps.wg = ps.pg, ps.wb = ps.pb;
    }
    if (mode == 1) yypos6_("s");
    if (mode == 2) yypos6_("cf");
    if (mode != 3) ps.segments = 0;
}

namespace {

// Makes RGB (-1: black) the pending colour; a path drawn in the old one is stroked first.
void Pending(int rgb) {
    double r, g, b;
    yypos1_(rgb, r, g, b);
    if (r != ps.pr || g != ps.pg || b != ps.pb) {
        yypos2_(1);
        ps.pr = r, ps.pg = g, ps.pb = b;
    }
}

void TakeColour() {
    bool black = quill::HardcopyOption(kOptMonochrome) == 1 && gGraphics.colour.index != 0;
    Pending(black ? -1 : gGraphics.colour.rgb);
}

// The fill colour of a filled shape: the current colour, or for fill style 3 the mean of the
// two gradient colours.
void TakeFillColour() {
    if (gFigureFill.style != 3) {
        TakeColour();
        return;
    }
    int r1, g1, b1, r2, g2, b2;
    quill::SplitRgb(gFigureFill.gradient1, r1, g1, b1);
    quill::SplitRgb(gFigureFill.gradient2, r2, g2, b2);
    Pending((r1 + r2) / 2 + 256 * ((g1 + g2) / 2) + 65536 * ((b1 + b2) / 2));
}

void Segment(double x1, double y1, double x2, double y2) {
    gHardcopy.pagePending = 1;
    if (ps.segments >= ps.maxPath) yypos2_(1);
    if (ps.segments == 0 || x1 != gHardcopy.lastPenX || y1 != gHardcopy.lastPenY)
        yypos4_(X(x1), Y(y1), "m");
    yypos4_(X(x2), Y(y2), "l");
    ++ps.segments;
    gHardcopy.lastPenX = x2;
    gHardcopy.lastPenY = y2;
}

void WritePrologFonts() {
    static const char *const kFamilies[3] = {"Courier", "Helvetica", "Times"};
    static const char *const kBase[3][4] = {
        {"Courier", "Courier-Bold", "Courier-Oblique", "Courier-BoldOblique"},
        {"Helvetica", "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique"},
        {"Times-Roman", "Times-Bold", "Times-Italic", "Times-BoldItalic"}};
    for (int f = 0; f < 3; ++f) {
        for (int v = 0; v < 4; ++v) {
            yypos6_(std::string("/") + kBase[f][v] + " ff");
            yypos6_("dup length dict begin");
            yypos6_("{1 index /FID ne {def} {pop pop} ifelse} forall");
            yypos6_("/Encoding ISOLatin1Encoding def");
            yypos6_(std::string("currentdict end /") + kFamilies[f] + "-" + std::to_string(v + 1) +
                    " exch definefont pop");
        }
    }
    yypos6_("/Symbol ff");
    yypos6_("dup length dict begin");
    yypos6_("{1 index /FID ne {def} {pop pop} ifelse} forall");
    yypos6_("currentdict end /Symbol exch definefont pop");
}

void Open() {
    ps = PostScriptState{};
    ps.width = quill::HardcopyPageWidth();
    ps.height = quill::HardcopyPageHeight();
    ps.maxPath =
        quill::HardcopyOption(kOptMaxPath) >= 10 && quill::HardcopyOption(kOptMaxPath) <= 255
            ? quill::HardcopyOption(kOptMaxPath)
            : 255;
    ps.sx = ps.width / quill::HardcopyDrawableWidth();
    ps.sy = ps.height / quill::HardcopyDrawableHeight();
    if (!quill::OpenHardcopyFile()) return;
    bool eps = quill::HardcopyOption(kOptEps) != 0;
    bool landscape = quill::HardcopyOption(kOptLandscape) % 2 != 0;
    if (eps) {
        yypos6_("%!PS-Adobe-3.0 EPSF-3.0");
        int w = static_cast<int>(ps.width), h = static_cast<int>(ps.height);
        if (landscape) std::swap(w, h);
        yypos6_("%%BoundingBox: 0 0" + quill::IntField(w, 5) + quill::IntField(h, 5));
    } else {
        yypos6_("%!PS-Adobe-3.0");
    }
    if (gOperands.Ixd(1) == 1 && !quill::HardcopyTitle().empty())
        quill::WriteHardcopyLine("%%Title: " + quill::HardcopyTitle());
    yypos6_("%%Creator: O.R.N. PostScript driver");
    yypos6_("%%EndComments");
    yypos6_("/l {lineto} def/m {moveto} def/g {setrgbcolor} def/w {setlinewidth} def");
    yypos6_("/d {setdash} def/cf {closepath fill} def/s {stroke} def/ff {findfont} def");
    yypos6_("/ms {makefont setfont} def/ro {rotate} def/cs {closepath stroke} def");
    yypos6_("/lsh {show} def/rsh {dup stringwidth pop 0 exch sub 0 rmoveto show} def");
    yypos6_("/csh {dup stringwidth pop 2 div 0 exch sub 0 rmoveto show} def");
    yypos6_("%%EndProlog");
    WritePrologFonts();
    if (landscape) yypos6_("90.0 ro");
    double tx, ty;
    if (eps) {
        tx = 0, ty = landscape ? -ps.height : 0;
    } else {
        tx = quill::HardcopyOption(kOptOffsetX),
        ty = quill::HardcopyOption(kOptOffsetY) - (landscape ? 540 : 0);
    }
    yypos6_(quill::FixedField(tx, 8, 1) + quill::FixedField(ty, 8, 1) + " translate");
    yypos6_("newpath");
    ps.pages = 1;
    yypos6_("%%Page: 1 1");
}

void Close() {
    yypos2_(1);
    yypos6_("%%EOF");
    if (quill::HardcopyOption(kOptEps) == 0) {
        yypos6_("initgraphics");
        if (quill::HardcopyOption(kOptCtrlD) == 1) quill::WritePlotBytes(kPlotSlot, " \x04", 2);
    }
    yyprcl_(&kPlotSlot);
}

void EndPage() {
    yypos2_(1);
    gHardcopy.pagePending = 0;
    if (quill::HardcopyOption(kOptEps) == 0) {
        int copies = quill::HardcopyOption(kOptCopies);
        copies = copies < 1 ? 1 : copies > 999 ? 999 : copies;
        yypos6_("/#copies" + quill::IntField(copies, 3) + " def");
        yypos6_("gsave showpage grestore");
    }
    if (gOperands.Id(2) == 0) {
        ++ps.pages;
        yypos6_("%%Page:" + quill::IntField(ps.pages, 4) + quill::IntField(ps.pages, 4));
    }
}

// The text in parentheses: "(", ")" and "\" escaped, bytes below 32 as octal escapes, whole
// characters only, 251 characters at most with the parentheses, so that the text line with its
// show word stays within the 255 characters of a line.
std::string Quoted(const std::string &text) {
    std::string out;
    for (unsigned char c : text) {
        std::string piece;
        if (c == '(' || c == ')' || c == '\\') {
            piece = std::string("\\") + static_cast<char>(c);
        } else if (c < 32 || c == 127) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            piece = buf;
        } else {
            piece = std::string(1, static_cast<char>(c));
        }
        if (out.size() + piece.size() > 249) break;
        out += piece;
    }
    return "(" + out + ")";
}

void Text() {
    gHardcopy.pagePending = 1;
    yypos2_(1);
    yypos2_(3);
    int kind = gFigureFill.charKind < 0 || gFigureFill.charKind > 2 ? 0 : gFigureFill.charKind;
    static const double kWidthFactor[3] = {1.65, 1.33, 1.72}, kHeightFactor[3] = {1.0, 0.82, 0.82};
    double cw = gGraphics.charWidth * gGraphics.refWidth * ps.sx;
    double ch = gGraphics.charHeight * gGraphics.refHeight * ps.sy;
    if (ps.fontChanged) {
        double w = cw * kWidthFactor[kind], h = ch * kHeightFactor[kind];
        w = w < 1.0 ? 1.0 : w > 999 ? 999 : w;
        h = h < 1.0 ? 1.0 : h > 999 ? 999 : h;
        std::string sizes =
            "[" + quill::FixedField(w, 5, 1) + " 0 0" + quill::FixedField(h, 5, 1) + " 0 0] ms";
        int family = gGraphics.effectiveFont;
        int variant = (gGraphics.fontAttributes & 3) % 4 + 1;
        static const char *const kFamilies[3] = {"Courier", "Helvetica", "Times"};
        if (family == 4)
            yypos6_("/Symbol ff " + sizes);
        else
            yypos6_(std::string("/") + kFamilies[(family >= 1 && family <= 3 ? family : 2) - 1] +
                    "-" + std::to_string(variant) + " ff " + sizes);
        ps.fontChanged = 0;
    }
    double x1 = X(gOperands.Rd(1)), y1 = Y(gOperands.Rd(5));
    double x2 = X(gOperands.Rd(3)), y2 = Y(gOperands.Rd(7));
    double angle = gGraphics.direction;
    double rad = angle * 3.14159265358979 / 180.0;
    // Down across the baseline by 0.27 of the character size.
    double dx = 0.27 * ch * std::sin(rad), dy = -0.27 * ch * std::cos(rad);
    int align = gGraphics.justification;
    double x = x1, y = y1;
    if (kind != 1 && align == 1) x = (x1 + x2) / 2, y = (y1 + y2) / 2;
    if (kind != 1 && align == 2) x = x2, y = y2;
    yypos4_(x + dx, y + dy, "m");
    bool turned = angle != 0.0f;
    if (turned) yypos5_(angle, "ro");
    const char *show = kind == 1 || align == 0 ? " lsh" : align == 1 ? " csh" : " rsh";
    yypos7_(Quoted(quill::HardcopyText()) + show);
    if (turned) yypos5_(360.0 - angle, "ro");
    gHardcopy.lastPenX = gHardcopy.lastPenY = -9999.0;
}

void Clip() {
    yypos2_(1);
    yypos6_("initclip");
    double x1 = std::trunc(X(gGraphics.cx1)), y1 = std::trunc(Y(gGraphics.cy1));
    double x2 = std::trunc(X(gGraphics.cx2)), y2 = std::trunc(Y(gGraphics.cy2));
    yypos4_(x1, y1, "m");
    yypos4_(x2, y1, "l");
    yypos4_(x2, y2, "l");
    yypos4_(x1, y2, "l");
    yypos6_("clip");
    yypos6_("newpath");
}

void Polyline() {
    int n = quill::HardcopyPolygonCount();
    for (int k = 2; k <= n; ++k)
        Segment(gOperands.Xpoly(k - 1), gOperands.Ypoly(k - 1), gOperands.Xpoly(k),
                gOperands.Ypoly(k));
}

// A path through the given device points, closed and filled.
void FilledPath(const double *x, const double *y, int n) {
    yypos2_(1);
    if (n < 1) return;
    yypos4_(X(x[0]), Y(y[0]), "m");
    for (int k = 1; k < n; ++k) yypos4_(X(x[k]), Y(y[k]), "l");
    ps.segments = n;
    yypos2_(2);
}

void Filled(int op) {
    int style = gFigureFill.style;
    bool mono = quill::HardcopyOption(kOptMonochrome) == 1;
    if (gOperands.Id(1) == kFigureEnd) {
        if (style > 0) {
            yypos2_(1);
            TakeColour();
        }
        return;
    }
    gHardcopy.pagePending = 1;
    if (style > 2 || (style > 0 && mono)) {
        yypos2_(1);
        TakeFillColour();
    }
    if (!(style > 2 || op == kOpEllipsePattern)) return;
    if (op == kOpEllipsePattern || op == kOpSectorPattern) {
        yypos0_(op);
        return;
    }
    std::vector<double> px, py;
    quill::FigurePoints(op, px, py);
    FilledPath(px.data(), py.data(), static_cast<int>(px.size()));
}

void LineType() {
    static const char *const kDash[7] = {
        "[] 0", "[1 5] 4", "[6 6] 3", "[1 3 4 4] 0", "[1 2 1 2 4 2] 0", "[5 2 3 2] 2", "[3 3] 1"};
    int type = gGraphics.lineType;
    if (type < 0 || type > 6) type = 0;
    if (type == ps.lastLineType) return;
    yypos2_(1);
    yypos6_(std::string(kDash[type]) + " d");
    ps.lastLineType = type;
}

void LineWidth() {
    int width = quill::HardcopyOption(kOptLineWidth);
    if (width == ps.lastLineWidth) return;
    yypos2_(1);
    yypos5_(0.1 * width, "w");
    ps.lastLineWidth = width;
}

// Draws the image file of the text operand over the clip rectangle, one hexadecimal row of
// red, green and blue bytes per picture row, top row first.
void Image() {
    yypos2_(1);
    quill::ImagePixels image;
    if (!quill::ReadHardcopyImage(image)) return;
    gHardcopy.pagePending = 1;
    const double x1 = X(gGraphics.cx1), y1 = Y(gGraphics.cy1);
    const double x2 = X(gGraphics.cx2 + 1.0), y2 = Y(gGraphics.cy2 + 1.0);
    const std::string w = std::to_string(image.width), h = std::to_string(image.height);
    yypos6_("gsave");
    yypos6_("/picstr " + std::to_string(3 * static_cast<std::int64_t>(image.width)) +
            " string def");
    yypos4_(x1, y1, "translate");
    yypos4_(x2 - x1, y2 - y1, "scale");
    yypos6_(w + " " + h + " 8 [" + w + " 0 0 -" + h + " 0 " + h + "]");
    yypos6_("{currentfile picstr readhexstring pop}");
    yypos6_("false 3");
    yypos6_("colorimage");
    std::string text;
    char hex[7];
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            int r, g, b;
            quill::SplitRgb(static_cast<int>(image.Rgb(x, y)), r, g, b);
            yyrgbhex_(&r, &g, &b, hex, 6);
            text.append(hex, 6);
            if (text.size() == 240) {
                yypos6_(text);
                text.clear();
            }
        }
    if (!text.empty()) yypos6_(text);
    yypos6_("grestore");
}

void Rescale() {
    ps.sx = ps.width / quill::HardcopyDrawableWidth();
    ps.sy = ps.height / quill::HardcopyDrawableHeight();
}

}  // namespace

// Ellipse (5), sector (13) and outline arc (34): a scaled circle inside gsave/grestore.
void yypos0_(int op) {
    double cx = X(gOperands.Rd(1)), cy = Y(gOperands.Rd(5));
    double rx = gOperands.Rd(2) * ps.sx;
    double ry = gOperands.Rd(6) * ps.sy;
    double q = rx != 0 ? ry / rx : 1.0;
    if (!(std::fabs(q) > 1e-6)) q = 1.0;
    yypos2_(1);
    yypos6_("gsave 1.0" + quill::FixedField(q, 8, 4) + " scale newpath");
    if (op == kOpEllipsePattern) {
        yypos3_(cx, cy / q, rx, "90. 450. arc");
        ps.segments = 1;
        yypos2_(gFigureFill.style < 3 ? 1 : 2);
    } else {
        // A sector is filled; an outline arc is the same path through the centre, closed
        // and stroked, so that both radii are drawn with the arc.
        double a1 = 57.2958 * gOperands.Rd(3), a2 = 57.2958 * gOperands.Rd(7);
        yypos4_(cx, cy / q, "m");
        yypos3_(cx, cy / q, rx, quill::FixedField(a1, 8, 1) + quill::FixedField(a2, 8, 1) + " arc");
        ps.segments = 1;
        if (op == kOpSectorPattern) {
            yypos2_(2);
        } else {
            yypos2_(3);
            yypos6_("cs");
            ps.segments = 0;
        }
    }
    yypos6_("grestore");
    gHardcopy.lastPenX = gHardcopy.lastPenY = -9999.0;
}

namespace {

void Initialise() {
    quill::SetHardcopyPageDefaults(756, 540, 42, -20, 1);
    if (gOperands.Id(1) != kOpInitKeepOptions) {
        quill::HardcopyOptionSlot(kOptMaxPath) = 255;
        quill::HardcopyOptionSlot(kOptCtrlD) = 1;
        // Selecting the device again ends encapsulated output: the next file is a
        // document with pages.
        quill::HardcopyOptionSlot(kOptEps) = 0;
    }
    quill::SetHardcopyDeviceWords(kDevicePostScript, 256, "00000111111111100010011011110", 1,
                                  "quilplot.ps");
}

void Operation(int op) {
    switch (op) {
    case kOpLine:
    case kOpPoint: {
        const quill::SegmentEnds s = quill::OpSegment(op);
        Segment(s.x1, s.y1, s.x2, s.y2);
        break;
    }
    case kOpColour:
    case kOpRefreshColours: TakeColour(); break;
    case kOpPage: EndPage(); break;
    case kOpFont: ps.fontChanged = 1; break;
    case kOpText: Text(); break;
    case kOpClip: Clip(); break;
    case kOpLineType: LineType(); break;
    case kOpLineWidth: LineWidth(); break;
    case kOpPolyline: Polyline(); break;
    case kOpArc:
        gHardcopy.pagePending = 1;
        yypos0_(kOpArc);
        break;
    case kOpLineJoin: {
        yypos2_(1);
        int join = quill::HardcopyOption(kOptLineJoin);
        yypos6_(std::to_string(join < 0 || join > 2 ? 0 : join) + " setlinejoin");
        if (join == 0) yypos6_("5.0 setmiterlimit");
        break;
    }
    case kOpLineCap: {
        yypos2_(1);
        int cap = quill::HardcopyOption(kOptLineCap);
        yypos6_(std::to_string(cap < 0 || cap > 2 ? 0 : cap) + " setlinecap");
        break;
    }
    case kOpImage: Image(); break;
    default: break;
    }
}

const quill::FileDriver kPostScript = {kDevicePostScript, Rescale, Initialise, Open, Close, Filled,
                                       Operation};

}  // namespace

void xxpost_(const int *op) { quill::RunFileDriver(kPostScript, *op); }
