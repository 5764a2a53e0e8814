// The HPGL file driver (device 1): an HP-GL pen-plotter file, one command group per line, in
// user units 0 to 32760 that the plotter maps between the hard-clip points P1 and P2.
#include "hardcopy/driver_support.h"
#include "hardcopy/drivers.h"
#include "hardcopy/hpgl_common.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

struct PlotterType {
    int pens, width, height, unitsPerInch, margin;
    char cls;
};

const PlotterType kPlotters[10] = {
    {4, 10870, 7480, 1016, 400, 'U'},  {6, 11040, 7721, 1021, 400, 'H'},
    {6, 16158, 11040, 1021, 400, 'H'}, {4, 10900, 7650, 1016, 400, 'E'},
    {6, 10880, 7640, 1016, 400, 'F'},  {8, 10880, 7640, 1016, 0, 'H'},
    {8, 10869, 7600, 1016, 0, 'H'},    {8, 15970, 10870, 1016, 0, 'H'},
    {6, 10960, 7480, 1016, 400, 'F'},  {6, 15880, 10960, 1016, 400, 'F'}};

const PlotterType &Plotter() {
    int t = gHardcopy.plotterType;
    return kPlotters[(t >= 1 && t <= 10 ? t : 1) - 1];
}

int FillMask(char cls) { return cls == 'F' ? 40 : cls == 'H' ? 126 : 0; }

const char *Capabilities(char cls) {
    switch (cls) {
    case 'E': return "00000100000000000010000000000";
    case 'F': return "00000100000010000010000000010";
    case 'H': return "00000100000011100010001001010";
    default: return "00000100000000000010000000010";
    }
}

char PenTable[256];

// The pen of colour number C: the user's assignment, else the sector rule over the pens.
std::string PenOf(int c) {
    c = c < 0 ? 0 : c > 255 ? 255 : c;
    if (PenTable[c] != ' ') return std::string(1, PenTable[c]);
    static const int kSectors[8] = {0, 2, 4, 1, 5, 3, 6, 7};
    int pen = kSectors[((c + 16) / 32) % 8] % Plotter().pens + 1;
    return std::to_string(pen);
}

void Open() {
    if (!quill::HpglOpen()) return;
    if (quill::HardcopyOption(kOptEscape) == 1) yyhpg7_("\x1b.Y");
    const PlotterType &p = Plotter();
    quill::HpglFrame(p.unitsPerInch / 72.0, quill::HardcopyOption(kOptLandscape) % 2 == 0);
    yyhpg7_(std::string("DT") + quill::HpglLabelTerminator());
    yyhpg7_("DI1. 0.");
    yyhpg6_(13, gHardcopy.plotterType, 0, 0, false);
    yyhpg7_("SC0 32760 0 32760");
}

void Colour() {
    std::string pen = PenOf(gGraphics.colour.index);
    if (pen != gHpgl.pen) quill::HpglSelectPen(pen, true);
    if (gFigureFill.fillWord == 0) {
        int r, g, b;
        quill::SplitRgb(gGraphics.colour.rgb, r, g, b);
        yyhpg6_(1, r, g, b);
    }
}

// Hardware fill of the pattern-filled figure OP from the operands.
void HardwareFill(int op) {
    double t = 25.4 * quill::HardcopyOption(kOptPenWidth) / 7200.0;
    t = t < 0.1 ? 0.1 : t > 5 ? 5 : t;
    if (t != gHpgl.thickness) {
        yyhpg3_("FT2;PT" + quill::FixedField(t, 4, 2));
        gHpgl.thickness = t;
    }
    std::vector<double> px, py;
    switch (op) {
    case kOpEllipsePattern: {
        double x = gOperands.Rd(1), y = gOperands.Rd(5);
        quill::HpglMove("PU", x, y);
        double r = std::fabs(gOperands.Rd(2)) * 32760.0 / gHpgl.width;
        if (r > 32760) {
            // The radius in plotter units, with the scaling off.
            yyhpg3_("SC;CI" + quill::IntField(quill::HpglPlotterLength(r), 6) +
                    ";SC0 32760 0 32760");
        } else {
            yyhpg3_("CI" + quill::IntField(quill::TruncateClamped(r), 6));
        }
        px.push_back(x), py.push_back(y);
        break;
    }
    case kOpRectanglePattern:
        quill::HpglMove("PU", gOperands.Rd(1), gOperands.Rd(5));
        quill::HpglMove("RA", gOperands.Rd(2), gOperands.Rd(6));
        px.push_back(gOperands.Rd(1)), py.push_back(gOperands.Rd(5));
        break;
    default:
        quill::FigurePoints(op, px, py);
        if (px.empty()) return;
        quill::HpglMove("PU", px[0], py[0]);
        yyhpg7_("PM0");
        for (std::size_t k = 1; k < px.size(); ++k) quill::HpglMove("PD", px[k], py[k]);
        yyhpg7_("PM2;FP");
        break;
    }
    quill::HpglMove("PU", px[0], py[0]);
    gHardcopy.lastPenX = static_cast<float>(px[0]);
    gHardcopy.lastPenY = static_cast<float>(py[0]);
}

void Filled(int op) {
    // The plotter has no four-point figure.
    if (op == kOpQuadPattern) return;
    const int figure = op / 2 - 1;  // the figure number of the tag lines and the fill mask
    const PlotterType &p = Plotter();
    int style = gFigureFill.style;
    bool gradientSolid = style == 3 && gFigureFill.gradient1 == gFigureFill.gradient2;
    bool hardware = (style == 4 || gradientSolid) && (FillMask(p.cls) >> figure & 1) &&
                    quill::HardcopyOption(kOptHardwareFill) == 1;
    if (gOperands.Id(1) == kFigureEnd) {
        if (!hardware) yyhpg6_(9, 0, 0, 0);
        return;
    }
    if (style <= 0) return;
    quill::HpglBeginDrawing();
    if (hardware) {
        HardwareFill(op);
        return;
    }
    double page = quill::HardcopyPageHeight();
    gFigureFill.fillWord = 2;
    gFigureFill.hatchSpacing = static_cast<float>(0.01 * quill::HardcopyOption(kOptHatch) *
                                                  gHpgl.height / page * (style == 3 ? 2 : 1));
    yyhpg6_(5, style, quill::HardcopyOption(kOptHatch), 0);
    if (quill::HardcopyOption(kOptOutline) == 1) {
        std::vector<double> px, py;
        quill::FigurePoints(op, px, py);
        if (op == kOpEllipsePattern) px.push_back(gOperands.Rd(1)), py.push_back(gOperands.Rd(5));
        for (std::size_t k = 0; k < px.size(); ++k)
            yyhpg6_(9, quill::HpglUserX(px[k]), quill::HpglUserY(py[k]), 0);
    }
}

void Initialise() {
    const PlotterType &p = Plotter();
    double f = p.unitsPerInch / 72.0;
    quill::SetHardcopyPageDefaults(quill::RoundToInt((p.width - p.margin) / f),
                                   quill::RoundToInt(p.height / f), 0, 0, 1);
    if (gOperands.Id(1) != kOpInitKeepOptions) quill::HardcopyOptionSlot(kOptLabelTerminator) = 4;
    for (char &c : PenTable) c = ' ';
    quill::SetHardcopyDeviceWords(kDeviceHpgl, p.pens, Capabilities(p.cls), 1, "quilplot.plt");
}

void Close() {
    if (quill::HardcopyOption(kOptEscape) == 1) yyhpg7_("\x1b.Z");
    yyprcl_(&kPlotSlot);
}

void Operation(int op) {
    if (quill::HpglCommonOp(op, Plotter().cls == 'F')) return;
    switch (op) {
    case kOpColour: Colour(); break;
    case kOpPage: {
        gHardcopy.pagePending = 0;
        yyhpg6_(3, gOperands.Id(1), 0, 0);
        int t = gHardcopy.plotterType;
        yyhpg7_(t == 7 || t == 8 ? "PU;SP0;PG;" : "PU;SP0;");
        gHpgl.penReselect = 1;
        break;
    }
    case kOpFont:
        yyhpg6_(10, gGraphics.effectiveFont, gGraphics.fontAttributes, gFigureFill.charKind);
        gHpgl.fontChanged = 1;
        break;
    case kOpPolyline: {
        int n = quill::HardcopyPolygonCount();
        if (n == 0) break;
        quill::HpglBeginDrawing();
        quill::HpglMove("PU", gOperands.Xpoly(1), gOperands.Ypoly(1));
        for (int k = 2; k <= n; ++k) quill::HpglMove("PD", gOperands.Xpoly(k), gOperands.Ypoly(k));
        break;
    }
    case kOpArc:
        quill::HpglBeginDrawing();
        yyhpg0_();
        break;
    default: break;
    }
}

const quill::FileDriver kHpgl = {kDeviceHpgl, quill::HpglScale, Initialise, Open,
                                 Close,       Filled,           Operation};

}  // namespace

void xxhpgl_(const int *op) { quill::RunFileDriver(kHpgl, *op); }
