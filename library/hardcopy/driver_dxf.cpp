// The DXF file driver (device 8): an ASCII drawing-exchange file, group code and value on
// alternate lines, with one entity per drawing operation. Drawing units are inches.
#include "hardcopy/driver_support.h"
#include "hardcopy/drivers.h"

#include <cmath>
#include <initializer_list>
#include <vector>
#include <string>

namespace {

struct DxfState {
    double sx = 1, sy = 1;  // inches per device unit
    int colour = 7;         // current DXF colour number
    int lastRgb = -1;       // RGB of the last colour matched
    int ncolours = 7;
};

DxfState dxf;

const char *const kTypeNames[7] = {"CONTINUOUS", "DOT",    "DASHED", "DASHDOT",
                                   "DIVIDE",     "CENTER", "HIDDEN"};

// The 255 colours of the standard colour index, 1 to 255 (entry 0 unused).
struct Aci {
    int rgb[256];
    Aci() {
        const int basic[10][3] = {{0, 0, 0},     {255, 0, 0},    {255, 255, 0}, {0, 255, 0},
                                  {0, 255, 255}, {0, 0, 255},    {255, 0, 255}, {255, 255, 255},
                                  {76, 76, 76},  {165, 165, 165}};
        for (int i = 0; i < 10; ++i) rgb[i] = basic[i][0] + 256 * basic[i][1] + 65536 * basic[i][2];
        static const double kValues[5] = {1.0, 0.8, 0.6, 0.5, 0.3};
        for (int i = 10; i < 250; ++i) {
            double h = ((i - 10) / 10) * 15.0;
            int j = (i - 10) % 10;
            double v = kValues[j / 2], s = j % 2 == 0 ? 1.0 : 0.5;
            double c = v * s, hp = h / 60.0, x = c * (1 - std::fabs(std::fmod(hp, 2.0) - 1));
            double r = 0, g = 0, b = 0;
            if (hp < 1)
                r = c, g = x;
            else if (hp < 2)
                r = x, g = c;
            else if (hp < 3)
                g = c, b = x;
            else if (hp < 4)
                g = x, b = c;
            else if (hp < 5)
                r = x, b = c;
            else
                r = c, b = x;
            double m = v - c;
            int ir = static_cast<int>((r + m) * 255 + 0.5),
                ig = static_cast<int>((g + m) * 255 + 0.5),
                ib = static_cast<int>((b + m) * 255 + 0.5);
            rgb[i] = ir + 256 * ig + 65536 * ib;
        }
        static const int kGreys[6] = {51, 80, 105, 130, 190, 255};
        for (int i = 250; i < 256; ++i) rgb[i] = kGreys[i - 250] * 65793;
    }
};

const Aci &Table() {
    static const Aci table;
    return table;
}

// The point (s v cos h, s v sin h, v) of an RGB value in the hue-saturation-value cone.
void ConePoint(int rgb, double p[3]) {
    double r = (rgb & 0xFF) / 255.0, g = ((rgb >> 8) & 0xFF) / 255.0,
           b = ((rgb >> 16) & 0xFF) / 255.0;
    double mx = std::fmax(r, std::fmax(g, b)), mn = std::fmin(r, std::fmin(g, b));
    double v = mx, s = mx > 0 ? (mx - mn) / mx : 0, h = 0;
    if (mx > mn) {
        if (mx == r)
            h = 60 * std::fmod((g - b) / (mx - mn) + 6, 6.0);
        else if (mx == g)
            h = 60 * ((b - r) / (mx - mn) + 2);
        else
            h = 60 * ((r - g) / (mx - mn) + 4);
    }
    double a = h * kPi / 180;
    p[0] = s * v * std::cos(a), p[1] = s * v * std::sin(a), p[2] = v;
}

int NearestAci(int rgb) {
    const Aci &t = Table();
    double p[3];
    ConePoint(rgb, p);
    double best = 10000000.0;
    int number = 7;
    for (int i = 1; i < 256; ++i) {
        if (t.rgb[i] == rgb) return i;
        double q[3];
        ConePoint(t.rgb[i], q);
        double d = (p[0] - q[0]) * (p[0] - q[0]) + (p[1] - q[1]) * (p[1] - q[1]) +
                   (p[2] - q[2]) * (p[2] - q[2]);
        if (d < best) best = d, number = i;
    }
    return number;
}

std::string Int(int v) { return quill::StripBlanks(quill::IntField(v, 3)); }

std::string Real(double v) {
    std::string f = quill::StripBlanks(quill::FixedField(v, 15, 6));
    std::size_t dot = f.find('.');
    if (dot != std::string::npos) {
        while (f.size() > dot + 1 && f.back() == '0') f.pop_back();
    }
    return f;
}

double X(double x) { return x * dxf.sx; }
double Y(double y) { return y * dxf.sy; }

std::string Layer() { return "1"; }

}  // namespace

void yydxf1_(const std::string &text) {
    std::string t = text;
    while (!t.empty() && t.back() == ' ') t.pop_back();
    quill::WriteHardcopyLine(t.empty() ? " " : t);
}

void yydxf4_(const std::string &a, const std::string &b) {
    yydxf1_(a);
    yydxf1_(b);
}

void yydxf5_(const std::string &code, double value) { yydxf4_(code, Real(value)); }

void yydxf6_(const std::string &text, int value) { yydxf4_(text, Int(value)); }

void yydxf3_(const std::string &cx, const std::string &cy, double x, double y) {
    yydxf5_(cx, X(x));
    yydxf5_(cy, Y(y));
}

void yydxf2_(const std::string &name) {
    gHardcopy.pagePending = 1;
    yydxf4_("0", name);
    yydxf4_("8", Layer());
    yydxf6_("62", dxf.colour);
}

namespace {

void Lines(std::initializer_list<const char *> items) {
    for (const char *item : items) yydxf1_(item);
}

double Thickness() { return quill::HardcopyOption(kOptLineWidth) / 720.0; }

void LineTypeGroup() {
    int type = gGraphics.lineType;
    if (type > 0 && type <= 6) yydxf4_("6", kTypeNames[type]);
}

void Rescale() {
    dxf.sx = quill::HardcopyPageWidth() / 72.0 / quill::HardcopyDrawableWidth();
    dxf.sy = quill::HardcopyPageHeight() / 72.0 / quill::HardcopyDrawableHeight();
}

void Open() {
    int option = quill::HardcopyOption(kOptColours);
    dxf = DxfState{};
    dxf.ncolours = option == 8 ? 255 : option == 4 ? 14 : 7;
    Rescale();
    if (!quill::OpenHardcopyFile()) return;
    double w = quill::HardcopyPageWidth() / 72.0, h = quill::HardcopyPageHeight() / 72.0;
    Lines({"0", "SECTION", "2", "HEADER", "9", "$EXTMIN", "10", "0.000000", "20", "0.000000", "9",
           "$EXTMAX"});
    yydxf5_("10", w);
    yydxf5_("20", h);
    Lines({"9", "$CECOLOR", "62", "7", "9", "$CELTYPE", "6", "DASHDOT", "9", "$VIEWCTR"});
    yydxf5_("10", w / 2);
    yydxf5_("20", h / 2);
    Lines({"9", "$LIMMIN", "10", "0", "20", "0", "9", "$LIMMAX"});
    yydxf5_("10", w);
    yydxf5_("20", h);
    Lines({"0", "ENDSEC", "0"});
    Lines({"SECTION", "2", "TABLES", "0", "TABLE", "2", "LTYPE", "70", "7", "0"});
    Lines({"LTYPE", "2", "CONTINUOUS", "70", "0", "3", "Solid line", "72", "65", "73", "0", "40",
           "0.0", "0"});
    struct TypeRow {
        const char *name, *repeat;
        std::initializer_list<const char *> pattern;
    };
    const TypeRow rows[6] = {
        {"DOT", ".", {"73", "2", "40", "0.25", "49", "0", "49", "-0.25", "0"}},
        {"DASHED", "__ ", {"73", "2", "40", "0.75", "49", "0.5", "49", "-0.25", "0"}},
        {"DASHDOT",
         "__ . ",
         {"73", "4", "40", "1", "49", "0.5", "49", "-0.25", "49", "0", "49", "-0.25", "0"}},
        {"DIVIDE",
         "__ . . ",
         {"73", "6", "40", "1.25", "49", "0.5", "49", "-0.25", "49", "0", "49", "-0.25", "49", "0",
          "49", "-0.25", "0"}},
        {"CENTER",
         "____ _ ",
         {"73", "4", "40", "2", "49", "1.25", "49", "-0.25", "49", "0.25", "49", "-0.25", "0"}},
        {"HIDDEN", "_ ", {"73", "2", "40", "0.25", "49", "0.12", "49", "-0.12", "0"}}};
    for (const TypeRow &row : rows) {
        std::string description;
        while (description.size() < 46) description += row.repeat;
        description.resize(46);
        Lines({"LTYPE", "2", row.name, "70", "0", "3"});
        yydxf1_(description);
        Lines({"72", "65"});
        for (const char *item : row.pattern) yydxf1_(item);
    }
    Lines({"ENDTAB"});
    Lines({"0",        "TABLE", "2",  "STYLE", "70", "1",   "0", "STYLE", "2",
           "STANDARD", "70",    "0",  "40",    "0",  "41",  "1", "50",    "0",
           "71",       "0",     "42", "0",     "3",  "txt", "0", "ENDTAB"});
    Lines({"0", "TABLE", "2", "LAYER", "70", "9", "0"});
    for (int k = 1; k <= 9; ++k) {
        Lines({"LAYER", "2"});
        yydxf1_(std::to_string(k));
        Lines({"70", "0", "62", "7", "6", "CONTINUOUS", "0"});
    }
    Lines({"ENDTAB", "0", "ENDSEC", "0", "SECTION", "2", "ENTITIES"});
}

void Colour() {
    int c = gGraphics.colour.index;
    if (dxf.ncolours == 255) {
        int rgb = gGraphics.colour.rgb;
        if (rgb != dxf.lastRgb) {
            dxf.colour = NearestAci(rgb);
            dxf.lastRgb = rgb;
        }
    } else if (dxf.ncolours == 14) {
        static const int kFourteen[16] = {8, 1, 9, 2, 2, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15, 8};
        dxf.colour = kFourteen[(c < 0 ? 0 : c > 255 ? 255 : c) / 16];
    } else {
        int n = (((c < 0 ? 0 : c > 255 ? 255 : c) + 16) / 32) % 8;
        dxf.colour = n == 0 ? 7 : n;
    }
}

void Solid(const double *x, const double *y) {
    yydxf2_("SOLID");
    yydxf3_("10", "20", x[0], y[0]);
    yydxf3_("11", "21", x[1], y[1]);
    yydxf3_("12", "22", x[2], y[2]);
    yydxf3_("13", "23", x[3], y[3]);
}

// A fan of triangles from the first point, each a SOLID whose fourth point repeats its third.
void Fan(const double *x, const double *y, int n) {
    for (int k = 1; k + 1 < n; ++k) {
        double tx[4] = {x[0], x[k], x[k + 1], x[k + 1]}, ty[4] = {y[0], y[k], y[k + 1], y[k + 1]};
        Solid(tx, ty);
    }
}

void Filled(int op) {
    if (gOperands.Id(1) == kFigureEnd) return;
    double x[4], y[4];
    for (int k = 0; k < 4; ++k) x[k] = gOperands.rd[k], y[k] = gOperands.rd[k + 4];
    if (op == kOpEllipsePattern) {
        yydxf2_("CIRCLE");
        yydxf5_("39", Thickness());
        yydxf3_("10", "20", x[0], y[0]);
        yydxf5_("40", std::fabs(x[1]) * dxf.sx);
        return;
    }
    if (gFigureFill.style <= 0) return;
    switch (op) {
    case kOpQuadPattern: {
        double sx[4] = {x[0], x[1], x[3], x[2]}, sy[4] = {y[0], y[1], y[3], y[2]};
        Solid(sx, sy);
        break;
    }
    case kOpRectanglePattern: {
        double sx[4] = {x[0], x[1], x[0], x[1]}, sy[4] = {y[0], y[0], y[1], y[1]};
        Solid(sx, sy);
        break;
    }
    default: {
        // A triangle is a fan of one.
        std::vector<double> px, py;
        quill::FigurePoints(op, px, py);
        Fan(px.data(), py.data(), static_cast<int>(px.size()));
        break;
    }
    }
}

void Text() {
    std::string text = quill::HardcopyText();
    for (char &c : text)
        if (c == '\r' || c == '\n') c = ' ';
    while (!text.empty() && text.back() == ' ') text.pop_back();
    if (text.empty()) return;
    double h = gGraphics.charHeight * gGraphics.refHeight * dxf.sy;
    double w = gGraphics.charWidth * gGraphics.refWidth * dxf.sx;
    yydxf2_("TEXT");
    yydxf5_("40", h);
    yydxf5_("41", h > 0 ? w / h : 1.0);
    yydxf5_("50", gGraphics.direction);
    yydxf4_("1", text);
    yydxf4_("7", "STANDARD");
    int align =
        gGraphics.justification < 0 || gGraphics.justification > 2 ? 0 : gGraphics.justification;
    yydxf6_("72", align);
    yydxf3_("10", "20", gOperands.Rd(1), gOperands.Rd(5));
    if (align == 1)
        yydxf3_("11", "21", (gOperands.Rd(1) + gOperands.Rd(3)) / 2,
                (gOperands.Rd(5) + gOperands.Rd(7)) / 2);
    if (align == 2) yydxf3_("11", "21", gOperands.Rd(3), gOperands.Rd(7));
}

void Arc() {
    double a1 = gOperands.Rd(4), sweep = gOperands.Rd(8);
    double a2 = a1 + sweep;
    if (sweep < 0) std::swap(a1, a2);
    yydxf2_("ARC");
    LineTypeGroup();
    yydxf5_("39", Thickness());
    yydxf3_("10", "20", gOperands.Rd(1), gOperands.Rd(5));
    yydxf5_("40", std::fabs(gOperands.Rd(2)) * dxf.sx);
    yydxf5_("50", std::fmod(a1 + 360.0 * 4, 360.0));
    yydxf5_("51", std::fmod(a2 + 360.0 * 4, 360.0));
}

}  // namespace

namespace {

void Initialise() {
    quill::SetHardcopyPageDefaults(756, 540, 0, 0, quill::HardcopyOption(kOptLandscape));
    if (gOperands.Id(1) != kOpInitKeepOptions) quill::HardcopyOptionSlot(kOptColours) = 8;
    quill::SetHardcopyDeviceWords(kDeviceDxf, 255, "00000100000011000010000000010", 0,
                                  "quilplot.dxf");
}

void Close() {
    Lines({"0", "ENDSEC", "0", "EOF"});
    yyprcl_(&kPlotSlot);
}

void Operation(int op) {
    switch (op) {
    case kOpLine:
        yydxf2_("LINE");
        LineTypeGroup();
        yydxf5_("39", Thickness());
        yydxf3_("10", "20", gOperands.Rd(1), gOperands.Rd(5));
        yydxf3_("11", "21", gOperands.Rd(2), gOperands.Rd(6));
        break;
    case kOpColour: Colour(); break;
    case kOpPage: gHardcopy.pagePending = 0; break;
    case kOpText: Text(); break;
    case kOpPoint:
        yydxf2_("POINT");
        yydxf3_("10", "20", gOperands.Rd(1), gOperands.Rd(5));
        break;
    case kOpPolyline: {
        int n = quill::HardcopyPolygonCount();
        if (n == 0) break;
        yydxf2_("POLYLINE");
        LineTypeGroup();
        yydxf5_("39", Thickness());
        Lines({"66", "1", "70", "0"});
        for (int k = 1; k <= n; ++k) {
            yydxf4_("0", "VERTEX");
            yydxf4_("8", Layer());
            yydxf3_("10", "20", gOperands.Xpoly(k), gOperands.Ypoly(k));
        }
        Lines({"0", "SEQEND"});
        break;
    }
    case kOpArc: Arc(); break;
    default: break;
    }
}

const quill::FileDriver kDxf = {kDeviceDxf, Rescale, Initialise, Open, Close, Filled, Operation};

}  // namespace

void xxdxf_(const int *op) { quill::RunFileDriver(kDxf, *op); }
