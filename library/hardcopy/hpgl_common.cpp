// Shared HPGL and HP-GL/2 writing.
#include "hardcopy/hpgl_common.h"

#include "hardcopy/driver_support.h"

#include <cmath>

HpglCommon gHpgl;

int yyhpglx(double x) { return yyclampint(x * 32760.0 / gHpgl.width); }
int yyhpgly(double y) { return yyclampint(y * 32760.0 / gHpgl.height); }

void yyhpglscale() {
    gHpgl.width = yyhcdrawablewidth();
    gHpgl.height = yyhcdrawableheight();
}

void yyhpglline(const std::string &text) {
    std::string out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(';', start);
        std::string cmd = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string trimmed = yycompactblanks(cmd);
        if (trimmed.size() > 2 && trimmed[2] == ' ') trimmed.erase(2, 1);
        out += trimmed;
        if (end == std::string::npos) break;
        out += ';';
        start = end + 1;
    }
    yyhcline(out);
}

void yyhpg1_(const char *cmd, const int *x, const int *y, int cmd_len) {
    yyhpglline(std::string(cmd, static_cast<std::size_t>(cmd_len > 0 ? cmd_len : 0)) + yyfieldint(*x, 6) +
               yyfieldint(*y, 6));
}

void yyhpglmove(const char *cmd, double x, double y) {
    int ix = yyhpglx(x), iy = yyhpgly(y);
    yyhpg1_(cmd, &ix, &iy, 2);
}

void yyhpglpen(const std::string &pen, bool force) {
    if (!force && pen == gHpgl.pen && !gHpgl.penReselect) return;
    gHpgl.pen = pen;
    gHpgl.penReselect = 0;
    yyhpglline("PU;SP" + pen);
}

void yyhpg2_(const std::string &text, char terminator) { yyhcline("LB" + text + terminator); }

void yyhpg6_(int tag, int a, int b, int c) {
    if (yyhcopt(kOptTags) != 1) return;
    std::string fields = tag == 1 ? yyfieldint(tag, 1) + yyfieldint(a, 9) + yyfieldint(b, 6) + yyfieldint(c + 32760, 6)
                                  : yyfieldint(tag, tag < 10 ? 1 : 2) + yyfieldint(a, 6) + yyfieldint(b, 6) +
                                        yyfieldint(c + 32760, 6);
    yyhpglline("SC-" + fields + ";SC0 32760 0 32760");
}

std::string yyhpgllinetype(int type, bool classF) {
    static const char *const kPatterns[7] = {"", "1", "2 2", "4 3", "6 3", "5 3", "3 1"};
    if (type < 0 || type > 6) type = 0;
    if (type == 1 && classF) return "LT1 1";
    return std::string("LT") + kPatterns[type];
}

void yyhpg0_(bool sector, std::vector<double> &x, std::vector<double> &y) {
    x.clear();
    y.clear();
    double cx = gOperands.Rd(1), cy = gOperands.Rd(5);
    double rx = std::fabs(gOperands.Rd(2)), ry = std::fabs(gOperands.Rd(6));
    double a1 = gOperands.Rd(3), a2 = gOperands.Rd(7);
    if (!std::isfinite(a1) || !std::isfinite(a2) || std::fabs(a2 - a1) > 4 * kPi) a1 = 0, a2 = 2 * kPi;
    int n = yyhcsteps(rx > ry ? rx : ry);
    int steps = static_cast<int>(std::ceil(std::fabs(a2 - a1) / (kPi / n)));
    if (steps < 1) steps = 1;
    if (sector) x.push_back(cx), y.push_back(cy);
    for (int k = 0; k <= steps; ++k) {
        double a = a1 + (a2 - a1) * k / steps;
        x.push_back(cx + rx * std::cos(a));
        y.push_back(cy + ry * std::sin(a));
    }
}

void yyhpglframe(double f, bool rotate90) {
    double xo = yyhcopt(kOptOffsetX), yo = yyhcopt(kOptOffsetY);
    double w = yyhcopt(kOptPageWidth), h = yyhcopt(kOptPageHeight);
    std::string ip = "IP" + yyfieldint(yyroundint(f * xo), 7) + yyfieldint(yyroundint(f * yo), 7) +
                     yyfieldint(yyroundint(f * (w + xo)), 7) + yyfieldint(yyroundint(f * (h + yo)), 7);
    yyhpglline("IN; " + ip);
    yyhpglline(std::string(rotate90 ? "RO 90; " : "RO 0; ") + ip);
}

void yyhpglwindow() {
    auto limit = [](int v) { return v < 0 ? 0 : v > 32760 ? 32760 : v; };
    yyhpglline("IW" + yyfieldint(limit(yyhpglx(gGraphics.cx1)), 7) + yyfieldint(limit(yyhpgly(gGraphics.cy1)), 7) +
               yyfieldint(limit(yyhpglx(gGraphics.cx2 + 1.0)), 7) + yyfieldint(limit(yyhpgly(gGraphics.cy2 + 1.0)), 7));
}
