// Shared HPGL and HP-GL/2 writing.
#include "hardcopy/hpgl_common.h"

#include "hardcopy/driver_support.h"

#include <cmath>

HpglCommon gHpgl;

int quill::HpglUserX(double x) { return TruncateClamped(x * 32760.0 / gHpgl.width); }
int quill::HpglUserY(double y) { return TruncateClamped(y * 32760.0 / gHpgl.height); }

void quill::HpglScale() {
    gHpgl.width = HardcopyDrawableWidth();
    gHpgl.height = HardcopyDrawableHeight();
}

bool quill::HpglOpen() {
    if (!OpenHardcopyFile()) return false;
    gHpgl = HpglCommon{};
    HpglScale();
    return true;
}

void yyhpg3_(const std::string &text) {
    std::string out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(';', start);
        std::string cmd =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string trimmed = quill::CompactBlanks(cmd);
        if (trimmed.size() > 2 && trimmed[2] == ' ') trimmed.erase(2, 1);
        out += trimmed;
        if (end == std::string::npos) break;
        out += ';';
        start = end + 1;
    }
    yyhpg7_(out);
}

void yyhpg7_(const std::string &line) { quill::WriteHardcopyLine(line); }

void yyhpg1_(const char *cmd, const int *x, const int *y, int cmd_len) {
    yyhpg3_(std::string(cmd, static_cast<std::size_t>(cmd_len > 0 ? cmd_len : 0)) +
            quill::IntField(*x, 6) + quill::IntField(*y, 6));
}

void quill::HpglMove(const char *cmd, double x, double y) {
    int ix = HpglUserX(x), iy = HpglUserY(y);
    yyhpg1_(cmd, &ix, &iy, 2);
}

void quill::HpglSelectPen(const std::string &pen, bool force) {
    if (!force && pen == gHpgl.pen && !gHpgl.penReselect) return;
    gHpgl.pen = pen;
    gHpgl.penReselect = 0;
    yyhpg3_("PU;SP" + pen);
}

void quill::HpglReselectPen() {
    if (gHpgl.penReselect && !gHpgl.pen.empty()) HpglSelectPen(gHpgl.pen, true);
    gHpgl.penReselect = 0;
}

void quill::HpglBeginDrawing() {
    gHardcopy.pagePending = 1;
    HpglReselectPen();
}

char quill::HpglLabelTerminator() {
    int t = HardcopyOption(kOptLabelTerminator);
    return static_cast<char>(t >= 1 && t <= 127 ? t : 4);
}

void yyhpg2_(const std::string &text, char terminator) { yyhpg7_("LB" + text + terminator); }

void yyhpg6_(int tag, int a, int b, int c, bool restore) {
    if (quill::HardcopyOption(kOptTags) != 1) return;
    std::string fields = tag == 1 ? quill::IntField(tag, 1) + quill::IntField(a, 9) +
                                        quill::IntField(b, 6) + quill::IntField(c + 32760, 6)
                                  : quill::IntField(tag, tag < 10 ? 1 : 2) + quill::IntField(a, 6) +
                                        quill::IntField(b, 6) + quill::IntField(c + 32760, 6);
    yyhpg3_("SC-" + fields + (restore ? ";SC0 32760 0 32760" : ""));
}

std::string quill::HpglLineType(int type, bool classF) {
    static const char *const kPatterns[7] = {"", "1", "2 2", "4 3", "6 3", "5 3", "3 1"};
    if (type < 0 || type > 6) type = 0;
    if (type == 1 && classF) return "LT1 1";
    return std::string("LT") + kPatterns[type];
}

void yyhpg5_(bool sector, std::vector<double> &x, std::vector<double> &y) {
    quill::SectorPoints(sector, x, y);
}

// Figure F is the one of the pattern-filled operation 2 x F + 3.
void yyhpg4_(int figure, std::vector<double> &x, std::vector<double> &y) {
    quill::FigurePoints(2 * figure + 3, x, y);
}

void yyhpg0_() {
    std::vector<double> x, y;
    yyhpg5_(false, x, y);
    quill::HpglMove("PU", x[0], y[0]);
    for (std::size_t k = 1; k < x.size(); ++k) quill::HpglMove("PD", x[k], y[k]);
}

void quill::HpglFrame(double f, bool rotate90) {
    double xo = HardcopyOption(kOptOffsetX), yo = HardcopyOption(kOptOffsetY);
    double w = HardcopyOption(kOptPageWidth), h = HardcopyOption(kOptPageHeight);
    gHpgl.p1x = RoundToInt(f * xo), gHpgl.p1y = RoundToInt(f * yo);
    gHpgl.p2x = RoundToInt(f * (w + xo)), gHpgl.p2y = RoundToInt(f * (h + yo));
    std::string ip =
        "IP" + IntField(static_cast<int>(gHpgl.p1x), 7) + IntField(static_cast<int>(gHpgl.p1y), 7) +
        IntField(static_cast<int>(gHpgl.p2x), 7) + IntField(static_cast<int>(gHpgl.p2y), 7);
    yyhpg3_("IN; " + ip);
    yyhpg3_(std::string(rotate90 ? "RO 90; " : "RO 0; ") + ip);
}

int quill::HpglPlotterLength(double length) {
    return TruncateClamped(length * (gHpgl.p2x - gHpgl.p1x) / 32760.0);
}

void quill::HpglWindow() {
    // User units 0 to 32760 map onto P1 to P2: a limit in plotter units is where the plotter
    // would put that user coordinate, so the window stays on the drawing whatever the frame.
    auto limit = [](int v) { return v < 0 ? 0 : v > 32760 ? 32760 : v; };
    auto px = [](int u) { return RoundToInt(gHpgl.p1x + u * (gHpgl.p2x - gHpgl.p1x) / 32760.0); };
    auto py = [](int u) { return RoundToInt(gHpgl.p1y + u * (gHpgl.p2y - gHpgl.p1y) / 32760.0); };
    yyhpg7_("SC");
    yyhpg3_("IW" + IntField(px(limit(HpglUserX(gGraphics.cx1))), 7) +
            IntField(py(limit(HpglUserY(gGraphics.cy1))), 7) +
            IntField(px(limit(HpglUserX(gGraphics.cx2 + 1.0))), 7) +
            IntField(py(limit(HpglUserY(gGraphics.cy2 + 1.0))), 7));
    yyhpg7_("SC0 32760 0 32760");
}

namespace {

void Text() {
    if (gHpgl.fontChanged) {
        double w = gGraphics.charWidth * gGraphics.refWidth / gHpgl.width * 100;
        double h = gGraphics.charHeight * gGraphics.refHeight / gHpgl.height * 100;
        yyhpg3_("SR" + quill::FixedField(w, 8, 2) + quill::FixedField(h, 8, 2));
        yyhpg7_(gGraphics.fontAttributes & 2 ? "SL.2" : "SL0.");
        gHpgl.fontChanged = 0;
    }
    quill::HpglMove("PU", gOperands.Rd(1), gOperands.Rd(5));
    yyhpg2_(quill::HardcopyText(), quill::HpglLabelTerminator());
}

}  // namespace

bool quill::HpglCommonOp(int op, bool classF) {
    switch (op) {
    case kOpLine:
    case kOpPoint: {
        quill::HpglBeginDrawing();
        const quill::SegmentEnds s = quill::OpSegment(op);
        HpglMove("PU", s.x1, s.y1);
        HpglMove("PD", s.x2, s.y2);
        break;
    }
    case kOpText:
        quill::HpglBeginDrawing();
        Text();
        break;
    case kOpClip: HpglWindow(); break;
    case kOpLineType: yyhpg3_(HpglLineType(gGraphics.lineType, classF)); break;
    case kOpLineWidth:
        yyhpg3_("PW" + FixedField(HardcopyOption(kOptLineWidth) * 0.1 * 25.4 / 72.0, 5, 3));
        break;
    case kOpDirection: {
        double a = gGraphics.direction * kPi / 180.0;
        yyhpg3_("DI" + FixedField(std::cos(a), 6, 3) + " " + FixedField(std::sin(a), 6, 3));
        break;
    }
    default: return false;
    }
    return true;
}
