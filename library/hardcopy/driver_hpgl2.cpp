// The HP-GL/2 file driver (device 12): a plain HP-GL/2 plotter file (mode 4) or one wrapped in
// PCL escape sequences for a printer that switches into HP-GL/2 (the other modes). It adds
// pen colours, 256 pens, encoded polylines, raster fill patterns and page tags to the HPGL
// driver's commands.
#include "hardcopy/dither.h"
#include "hardcopy/driver_support.h"
#include "hardcopy/drivers.h"
#include "hardcopy/hpgl_common.h"
#include "hardcopy/printer_settings.h"

#include <cmath>
#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Hpgl2State {
    bool defined[256] = {};  // pens defined in the file
    int pattern = 0;         // fill pattern slot last used (1 or 2), 0 none
    std::string fill;        // fill type last written
};

Hpgl2State h2;

int Mode() {
    return gHardcopy.hpgl2Mode >= 1 && gHardcopy.hpgl2Mode <= 5 ? gHardcopy.hpgl2Mode : 1;
}

int Pens() { return gHardcopy.deviceColours; }

bool Monochrome() { return Pens() < 3; }

const double kUnitsPerPoint = 1016.0 / 72.0;

// A page of the plotter table's first type, 10870 by 7480 plotter units less the margin.
const int kPageWidth = 742, kPageHeight = 530;

// Seven-bit encoding of one coordinate difference.
void Encode(int v, std::string &out) {
    long long u = v >= 0 ? 2LL * v : 2LL * -static_cast<long long>(v) + 1;
    while (u >= 32) {
        out += static_cast<char>(u % 32 + 63);
        u /= 32;
    }
    out += static_cast<char>(u + 95);
}

// Device points to user units.
void Scaled(const std::vector<double> &x, const std::vector<double> &y, std::vector<int> &ix,
            std::vector<int> &iy) {
    ix.resize(x.size());
    iy.resize(y.size());
    for (std::size_t k = 0; k < x.size(); ++k)
        ix[k] = quill::HpglUserX(x[k]), iy[k] = quill::HpglUserY(y[k]);
}

}  // namespace

void yyhpgl2b_(const std::string &text) { yyhpg7_(text); }

void yyhpgl2a_(const std::vector<double> &x, const std::vector<double> &y) {
    std::vector<int> ix, iy;
    Scaled(x, y, ix, iy);
    std::string line = "PE7";
    bool any = false;
    for (std::size_t k = 1; k < ix.size(); ++k) {
        std::string code;
        Encode(ix[k] - ix[k - 1], code);
        Encode(iy[k] - iy[k - 1], code);
        line += code;
        any = true;
        if (line.size() > 246) {
            yyhpgl2b_(line + ";");
            line = "PE7";
            any = false;
        }
    }
    if (any) yyhpgl2b_(line + ";");
}

void yyhpgl2d_(int pen, int rgb) {
    int r, g, b;
    quill::SplitRgb(rgb, r, g, b);
    quill::ApplyColourRule(quill::HardcopyOption(kOptColourRule), r, g, b);
    yyhpgl2b_("PC" + std::to_string(pen) + "," + std::to_string(r) + "," + std::to_string(g) + "," +
              std::to_string(b));
}

void yyhpgl2c_() {
    int kind = gRasterProfile.colourMode, p1, p2, p3;
    yydith_(&kind, &p1, &p2, &p3);
    h2.pattern = h2.pattern == 1 ? 2 : 1;
    std::uint32_t bits = static_cast<std::uint32_t>(p1);
    yyhpgl2b_("RF" + std::to_string(h2.pattern) + ",8,4,");
    for (int row = 0; row < 2; ++row) {
        std::string line;
        for (int k = 0; k < 16; ++k) {
            int bit = row * 16 + k;
            line += (bits >> bit & 1) ? "1" : "0";
            line += bit == 31 ? ";" : ",";
        }
        yyhpgl2b_(line);
    }
    h2.fill = "FT11 " + std::to_string(h2.pattern);
    yyhpg3_(h2.fill);
}

void yyhpgl2e_(bool sector) {
    std::vector<double> x, y;
    yyhpg5_(sector, x, y);
    quill::HpglMove("PU", x[0], y[0]);
    yyhpgl2a_(x, y);
}

namespace {

void ChoosePen() {
    int c = gGraphics.colour.index < 0     ? 0
            : gGraphics.colour.index > 255 ? 255
                                           : gGraphics.colour.index;
    std::string pen;
    if (Monochrome()) {
        int background = quill::HardcopyOption(kOptColourRule) != 0 ? 223 : 0;
        pen = c == background ? "0" : "1";
    } else {
        pen = std::to_string(c);
        if (!h2.defined[c]) {
            yyhpgl2d_(c, gGraphics.colour.rgb);
            h2.defined[c] = true;
        }
    }
    if (pen != gHpgl.pen) quill::HpglSelectPen(pen, true);
}

// The title as the text of one comment: a double quote (which readers pair across lines), a
// semicolon (which ends the comment) and control characters (which end the line or start an
// escape sequence) would let the rest of the title be read as commands.
std::string CommentText(const std::string &text) {
    std::string out = text;
    for (char &c : out) {
        if (c == '"')
            c = '\'';
        else if (c == ';')
            c = ',';
        else if (static_cast<unsigned char>(c) < 32)
            c = ' ';
    }
    return out;
}

void Open() {
    if (!quill::HpglOpen()) return;
    h2 = Hpgl2State{};
    int mode = Mode();
    if (mode != 4) yyhpgl2b_("\x1b%0B");
    if (gOperands.Ixd(1) == 1 && !quill::HardcopyTitle().empty())
        yyhpgl2b_("CO: " + CommentText(quill::HardcopyTitle()) + ";");
    bool landscape = quill::HardcopyOption(kOptLandscape) % 2 != 0;
    quill::HpglFrame(kUnitsPerPoint, mode == 4 ? !landscape : landscape);
    yyhpgl2b_(std::string("DT") + quill::HpglLabelTerminator());
    yyhpgl2b_("DI1. 0.");
    yyhpgl2b_("TR0");
    if (mode != 1) yyhpgl2b_("AD1,14;SA");
    if (Pens() > 2) yyhpgl2b_("NP256");
    yyhpgl2b_("CO\"13 " + std::to_string(mode) + " 1.0 8\";");
    yyhpgl2b_("CO\"2 " + std::to_string(quill::HardcopyOption(kOptColourRule)) + "\";");
    yyhpgl2b_("SC0 32760 0 32760");
}

void EndPage() {
    gHardcopy.pagePending = 0;
    yyhpgl2b_("CO\"3 " + std::to_string(gOperands.Id(1)) + "\";");
    if (Mode() == 4) {
        yyhpgl2b_("PG");
    } else {
        int copies = quill::HardcopyOption(kOptCopies);
        copies = copies < 1 ? 1 : copies > 99 ? 99 : copies;
        char buf[8];
        std::snprintf(buf, sizeof buf, "%02d", copies);
        yyhpgl2b_(std::string("\x1b%1A\x1b&l") + buf + "X\f\x1b%0B");
    }
    gHpgl.penReselect = 1;
}

void Filled(int op) {
    if (gOperands.Id(1) == kFigureEnd || gFigureFill.style <= 0) return;
    quill::HpglBeginDrawing();
    int r, g, b;
    quill::HardcopyColour(r, g, b);
    bool plain = (r == 0 && g == 0 && b == 0) || (r == 255 && g == 255 && b == 255);
    if (Monochrome() && !plain) {
        yyhpgl2c_();
    } else if (h2.fill != "FT2") {
        h2.fill = "FT2";
        yyhpgl2b_("FT2");
    }
    switch (op) {
    case kOpEllipsePattern: {
        // A radius past the user-unit range is written in plotter units with the scaling off
        // around the figure.
        quill::HpglMove("PU", gOperands.Rd(1), gOperands.Rd(5));
        double radius = std::fabs(gOperands.Rd(2)) * 32760.0 / gHpgl.width;
        bool wide = radius > 32760;
        if (wide) yyhpgl2b_("SC");
        yyhpgl2b_("PM0");
        yyhpg3_("CI" +
                quill::IntField(
                    wide ? quill::HpglPlotterLength(radius) : quill::TruncateClamped(radius), 6));
        yyhpgl2b_("PM2;FP");
        if (wide) yyhpgl2b_("SC0 32760 0 32760");
        return;
    }
    case kOpRectanglePattern:
        quill::HpglMove("PU", gOperands.Rd(1), gOperands.Rd(5));
        yyhpgl2b_("PM0");
        quill::HpglMove("RA", gOperands.Rd(2), gOperands.Rd(6));
        yyhpgl2b_("PM2;FP");
        return;
    default: break;
    }
    std::vector<double> px, py;
    quill::FigurePoints(op, px, py);
    if (px.empty()) return;
    quill::HpglMove("PU", px[0], py[0]);
    yyhpgl2b_("PM0");
    px.push_back(px[0]), py.push_back(py[0]);
    yyhpgl2a_(px, py);
    yyhpgl2b_("PM2;FP");
}

void Initialise() {
    quill::SetHardcopyPageDefaults(kPageWidth, kPageHeight, 0, 0, 1);
    if (gOperands.Id(1) != kOpInitKeepOptions) quill::HardcopyOptionSlot(kOptLabelTerminator) = 4;
    bool colour = Mode() == 4 || gRasterProfile.colourMode != 0;
    quill::SetHardcopyDeviceWords(
        kDeviceHpgl2, colour ? 256 : 2,
        Mode() == 4 ? "00000111111111100010011011110" : "00000111111111100010011011100", 1,
        "quilplot.plt");
}

void Close() {
    if (Mode() != 4) yyhpgl2b_("\x1b%0A");
    yyprcl_(&kPlotSlot);
}

void Operation(int op) {
    if (quill::HpglCommonOp(op, false)) return;
    switch (op) {
    case kOpColour:
    case kOpRefreshColours: ChoosePen(); break;
    case kOpPage: EndPage(); break;
    case kOpFont: gHpgl.fontChanged = 1; break;
    case kOpPaletteEntry: {
        int entry = gOperands.Id(1);
        if (entry >= 0 && entry < 256 && !Monochrome()) {
            yyhpgl2d_(entry, gOperands.Ixd(1));
            h2.defined[entry] = true;
        }
        break;
    }
    case kOpPolyline: {
        int n = quill::HardcopyPolygonCount();
        if (n == 0) break;
        quill::HpglBeginDrawing();
        std::vector<double> x(gOperands.xpoly, gOperands.xpoly + n),
            y(gOperands.ypoly, gOperands.ypoly + n);
        quill::HpglMove("PU", x[0], y[0]);
        yyhpgl2a_(x, y);
        break;
    }
    case kOpArc:
        quill::HpglBeginDrawing();
        yyhpgl2e_(false);
        break;
    case kOpLineJoin: {
        static const char *const kJoin[3] = {"1", "4", "5"};
        int j = quill::HardcopyOption(kOptLineJoin);
        yyhpgl2b_(std::string("LA2 ") + kJoin[j < 0 || j > 2 ? 0 : j]);
        break;
    }
    case kOpLineCap: {
        static const char *const kCap[3] = {"1", "4", "2"};
        int c = quill::HardcopyOption(kOptLineCap);
        yyhpgl2b_(std::string("LA1 ") + kCap[c < 0 || c > 2 ? 0 : c]);
        break;
    }
    default: break;
    }
}

const quill::FileDriver kHpgl2 = {kDeviceHpgl2, quill::HpglScale, Initialise, Open,
                                  Close,        Filled,           Operation};

}  // namespace

void xxhpgl2_(const int *op) { quill::RunFileDriver(kHpgl2, *op); }
