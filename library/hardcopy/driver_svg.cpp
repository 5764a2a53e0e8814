// The SVG file driver (device 3): one element per line. Strokes live inside a style group
// written anew only when colour, width, line type, join or cap change; a filled figure gets a
// group of its own. The driver tracks the groups it opened and closes exactly those.
#include "hardcopy/driver_support.h"
#include "hardcopy/drivers.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

struct SvgState {
    int r = -1, g = -1, b = -1;  // last stroke style; r -1: no stroke group open
    int width = -1, type = -1, join = -1, cap = -1;
    int clips = 0;  // clip paths written
    int clipActive = 0;
    double pageWidth = 640, pageHeight = 480;  // SVG units, from the page options at open
    double sx = 1, sy = 1;                     // SVG units per device unit
    double height = 1;                         // drawable height in device units
};

SvgState svg;

std::string Num(double v) {
    std::string text;
    int first, last;
    yysvg1_(v, text, first, last);
    return text;
}

std::string Px(double x) { return Num(x * svg.sx); }
std::string Py(double y) { return Num((svg.height - y) * svg.sy); }
std::string Pair(double x, double y) { return Px(x) + "," + Py(y); }

void Line(const std::string &text) { quill::WriteHardcopyLine(text); }

std::string Hex(int r, int g, int b) {
    char hex[7];
    yyrgbhex_(&r, &g, &b, hex, 6);
    return std::string(hex, 6);
}

void CloseStrokeGroup() {
    if (svg.r >= 0) Line("</g>");
    svg.r = -1;
}

void StrokeStyle() {
    int r, g, b;
    quill::HardcopyColour(r, g, b);
    int width = quill::RoundToInt(150.0 * quill::HardcopyOption(kOptLineWidth) / 720.0 + 0.5);
    if (width < 1) width = 1;
    int type = gGraphics.lineType < 0 || gGraphics.lineType > 6 ? 0 : gGraphics.lineType;
    int join = quill::HardcopyOption(kOptLineJoin), cap = quill::HardcopyOption(kOptLineCap);
    join = join < 0 || join > 2 ? 0 : join;
    cap = cap < 0 || cap > 2 ? 0 : cap;
    if (svg.r >= 0 && r == svg.r && g == svg.g && b == svg.b && width == svg.width &&
        type == svg.type && join == svg.join && cap == svg.cap)
        return;
    static const char *const kDash[7] = {"none",        "1 5",     "6 6", "1 3 4 4",
                                         "1 2 1 2 4 2", "5 2 3 2", "3 3"};
    static const char *const kJoin[3] = {"miter", "round", "bevel"};
    static const char *const kCap[3] = {"butt", "round", "square"};
    CloseStrokeGroup();
    Line("<g style=\"fill:none;stroke:#" + Hex(r, g, b) + ";stroke-dasharray:" + kDash[type] +
         ";stroke-width:" + std::to_string(width) + ";stroke-linejoin:" + kJoin[join] +
         ";stroke-linecap:" + kCap[cap] + "\">");
    svg.r = r, svg.g = g, svg.b = b, svg.width = width, svg.type = type, svg.join = join,
    svg.cap = cap;
}

// Points joined into an attribute list, continued on further lines past 256 characters.
void PointList(const std::string &head, const double *x, const double *y, int n,
               const std::string &tail) {
    std::string line = head;
    for (int k = 0; k < n; ++k) {
        std::string item = (k ? " " : "") + Pair(x[k], y[k]);
        if (line.size() + item.size() > 256) {
            Line(line);
            line.clear();
            if (!item.empty() && item[0] == ' ') item.erase(0, 1);
        }
        line += item;
    }
    Line(line + tail);
}

void PolyBuffer(const char *element) {
    int n = quill::HardcopyPolygonCount();
    if (n == 0) return;
    static double x[kPolygonPoints], y[kPolygonPoints];
    for (int k = 0; k < n; ++k) x[k] = gOperands.xpoly[k], y[k] = gOperands.ypoly[k];
    PointList(std::string("<") + element + " points=\"", x, y, n, "\"/>");
}

void Rescale();

void Open() {
    svg = SvgState{};
    // The page of options 1 and 2 (640 by 480 unless the program set them), kept for the
    // whole file so that every point of it has the same scale.
    svg.pageWidth = static_cast<int>(quill::HardcopyPageWidth());
    svg.pageHeight = static_cast<int>(quill::HardcopyPageHeight());
    Rescale();
    if (!quill::OpenHardcopyFile()) return;
    Line("<?xml version=\"1.0\"?>");
    Line("<!DOCTYPE svg SYSTEM \"\">");
    Line("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
         std::to_string(static_cast<int>(svg.pageWidth)) + "\" height=\"" +
         std::to_string(static_cast<int>(svg.pageHeight)) + "\">");
}

void Clip() {
    double w = quill::HardcopyDrawableWidth(), h = quill::HardcopyDrawableHeight();
    bool inside =
        gGraphics.cx1 > 0 || gGraphics.cy1 > 0 || gGraphics.cx2 < w - 1 || gGraphics.cy2 < h - 1;
    if (!inside) {
        svg.clipActive = 0;
        return;
    }
    ++svg.clips;
    double x1 = gGraphics.cx1, y1 = gGraphics.cy1, x2 = gGraphics.cx2, y2 = gGraphics.cy2;
    Line("<defs><clipPath id=\"clip" + std::to_string(svg.clips) + "\"><rect width=\"" +
         Num((x2 - x1) * svg.sx) + "\" height=\"" + Num((y2 - y1) * svg.sy) + "\" x=\"" + Px(x1) +
         "\" y=\"" + Py(y2) + "\"/></clipPath></defs>");
    svg.clipActive = 1;
}

void Filled(int op) {
    int style = gFigureFill.style;
    if (gOperands.Id(1) == kFigureEnd) return;
    gHardcopy.pagePending = 1;
    if (!(style > 2 || op == kOpEllipsePattern)) return;
    bool group = style > 2;
    if (group) {
        int r, g, b;
        if (style == 3) {
            int r1, g1, b1, r2, g2, b2;
            quill::SplitRgb(gFigureFill.gradient1, r1, g1, b1);
            quill::SplitRgb(gFigureFill.gradient2, r2, g2, b2);
            r = (r1 + r2) / 2, g = (g1 + g2) / 2, b = (b1 + b2) / 2;
            quill::ApplyColourRule(quill::HardcopyOption(kOptColourRule), r, g, b);
        } else {
            quill::HardcopyColour(r, g, b);
        }
        std::string clip =
            svg.clipActive ? ";clip-path:url(#clip" + std::to_string(svg.clips) + ")" : "";
        Line("<g style=\"stroke:none;fill:#" + Hex(r, g, b) + clip + "\">");
    } else if (svg.r < 0) {
        StrokeStyle();
    }
    switch (op) {
    case kOpEllipsePattern:
        Line("<ellipse cx=\"" + Px(gOperands.Rd(1)) + "\" cy=\"" + Py(gOperands.Rd(5)) +
             "\" rx=\"" + Num(std::fabs(gOperands.Rd(2)) * svg.sx) + "\" ry=\"" +
             Num(std::fabs(gOperands.Rd(6)) * svg.sy) + "\"/>");
        break;
    case kOpSectorPattern: yysvg2_(&op); break;
    case kOpPolygonPattern: PolyBuffer("polygon"); break;
    default: {
        std::vector<double> x, y;
        quill::FigurePoints(op, x, y);
        PointList("<polygon points=\"", x.data(), y.data(), static_cast<int>(x.size()), "\"/>");
        break;
    }
    }
    if (group) Line("</g>");
}

std::string Escaped(const std::string &text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '&')
            out += "&#38;";
        else if (c == '<')
            out += "&#60;";
        else if (c == '\t' || c == '\n' || c == '\r' || (c >= 127))
            out += "&#" + std::to_string(c) + ";";
        else if (c < 32)
            continue;  // not a character of XML 1.0
        else
            out += static_cast<char>(c);
    }
    return out;
}

void Text() {
    gHardcopy.pagePending = 1;
    int r, g, b;
    quill::HardcopyColour(r, g, b);
    static const char *const kFamily[4] = {"'Courier New',Courier;", "Arial,Helvetica;",
                                           "'Times New Roman','Times Roman';", "Symbol;"};
    int family =
        gGraphics.effectiveFont >= 1 && gGraphics.effectiveFont <= 4 ? gGraphics.effectiveFont : 2;
    // The text group sits inside the open stroke group: without a stroke of its own the
    // glyphs would be outlined with the line colour and width.
    std::string style =
        "<g style=\"fill:#" + Hex(r, g, b) + ";stroke:none;font-family:" + kFamily[family - 1];
    if (gGraphics.fontAttributes & 1) style += "font-weight:bold;";
    if (gGraphics.fontAttributes & 2) style += "font-style:italic;";
    int align = gGraphics.justification;
    if (align == 1) style += "text-anchor:middle;";
    if (align == 2) style += "text-anchor:end;";
    double size = gGraphics.charHeight * gGraphics.refHeight * svg.sy;
    style += "font-size:" + Num(size) + "\">";
    Line(style);
    double x = gOperands.Rd(1), y = gOperands.Rd(5);
    if (align == 1) x = (x + gOperands.Rd(3)) / 2, y = (y + gOperands.Rd(7)) / 2;
    if (align == 2) x = gOperands.Rd(3), y = gOperands.Rd(7);
    std::string head = "<text transform=\"translate(" + Px(x) + "," + Py(y) + ")";
    // SVG turns clockwise with y downwards: the counter-clockwise text angle is negated.
    if (gGraphics.direction != 0.0f) head += " rotate(" + Num(-gGraphics.direction) + ")";
    Line(head + "\">" + Escaped(quill::HardcopyText()) + "</text>");
    Line("</g>");
}

void Close() {
    CloseStrokeGroup();
    Line("</svg>");
    yyprcl_(&kPlotSlot);
}

}  // namespace

void yysvg1_(double value, std::string &text, int &first, int &last) {
    std::string f = quill::StripBlanks(quill::FixedField(value, 8, 2));
    if (f.size() >= 3 && f.compare(f.size() - 3, 3, ".00") == 0)
        f.erase(f.size() - 3);
    else if (!f.empty() && f.back() == '0')
        f.pop_back();
    text = f;
    first = 1;
    last = static_cast<int>(f.size());
}

void yyrgbhex_(const int *r, const int *g, const int *b, char *hex, int hex_len) {
    static const char kDigits[] = "0123456789abcdef";
    int c[3] = {*r, *g, *b};
    char out[6];
    for (int k = 0; k < 3; ++k) {
        int v = c[k] < 0 ? 0 : c[k] > 255 ? 255 : c[k];
        out[2 * k] = kDigits[v / 16];
        out[2 * k + 1] = kDigits[v % 16];
    }
    for (int k = 0; k < hex_len; ++k) hex[k] = k < 6 ? out[k] : ' ';
}

void yysvg2_(const int *op) {
    gHardcopy.pagePending = 1;
    double cx = gOperands.Rd(1), cy = gOperands.Rd(5);
    double rx = gOperands.Rd(2), ry = gOperands.Rd(6);
    double a1 = gOperands.Rd(3), a2 = gOperands.Rd(7);
    double sweep = gOperands.Rd(8);
    double x1 = cx + rx * std::cos(a1), y1 = cy + ry * std::sin(a1);
    double x2 = cx + rx * std::cos(a2), y2 = cy + ry * std::sin(a2);
    // Counter-clockwise in device units is clockwise on the y-down page: sweep flag 0.
    int large = std::fabs(sweep) > 180.0 ? 1 : 0;
    int flag = sweep < 0 ? 1 : 0;
    std::string d = "<path d=\"M" + Pair(x1, y1) + " A" + Num(std::fabs(rx) * svg.sx) + "," +
                    Num(std::fabs(ry) * svg.sy) + " 0 " + std::to_string(large) + "," +
                    std::to_string(flag) + " " + Pair(x2, y2);
    if (*op == kOpSectorPattern) d += " L" + Pair(cx, cy) + " Z";
    Line(d + "\"/>");
}

namespace {

void Rescale() {
    svg.sx = svg.pageWidth / quill::HardcopyDrawableWidth();
    svg.sy = svg.pageHeight / quill::HardcopyDrawableHeight();
    svg.height = quill::HardcopyDrawableHeight();
}

void Initialise() {
    quill::SetHardcopyPageDefaults(640, 480, 0, 0, quill::HardcopyOption(kOptLandscape));
    quill::SetHardcopyDeviceWords(kDeviceSvg, 256, "00000111111111100010011011110", 0,
                                  "quilplot.svg");
}

// Opens a stroke group unless one is open; what follows draws on the page.
void BeginStroke() {
    if (svg.r < 0) StrokeStyle();
    gHardcopy.pagePending = 1;
}

// The line of op 2 or the point of op 26.
void Segment(int op) {
    const quill::SegmentEnds s = quill::OpSegment(op);
    BeginStroke();
    Line("<line x1=\"" + Px(s.x1) + "\" y1=\"" + Py(s.y1) + "\" x2=\"" + Px(s.x2) + "\" y2=\"" +
         Py(s.y2) + "\"/>");
}

void Operation(int op) {
    switch (op) {
    case kOpLine:
    case kOpPoint: Segment(op); break;
    case kOpColour:
    case kOpLineType:
    case kOpLineWidth:
    case kOpLineJoin:
    case kOpLineCap: StrokeStyle(); break;
    case kOpText: Text(); break;
    case kOpClip: Clip(); break;
    case kOpPolyline:
        BeginStroke();
        PolyBuffer("polyline");
        break;
    case kOpArc:
        if (svg.r < 0) StrokeStyle();
        yysvg2_(&op);
        break;
    default: break;
    }
}

const quill::FileDriver kSvg = {kDeviceSvg, Rescale, Initialise, Open, Close, Filled, Operation};

}  // namespace

void xxsvg_(const int *op) { quill::RunFileDriver(kSvg, *op); }
