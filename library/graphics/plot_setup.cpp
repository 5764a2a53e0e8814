// Presentation-graphics plot set-up: the state, its defaults and the public set-up routines.
#include "graphics/plot_setup.h"

#include "base/errors.h"
#include "graphics/graphics_state.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace quill {

PlotState gPlot;
int gPlotXLogRequested = 0, gPlotYLogRequested = 0;

namespace {

const float kQuarterTurn = 0.785398163397448f;  // pi / 4
const int kRangeError = 16;
const int kStackError = 24;

int ColourModelInForce() { return gGraphics.colourModel == kColourRgb ? 2 : 1; }

int Black(int model) { return model == 1 ? 223 : 0; }

// Sets one pair of units: an empty range becomes 0 to 1 with error 16.
void SetRange(float a, float b, float *u1, float *u2) {
    if (a == b) {
        *u1 = 0;
        *u2 = 1;
        RaiseError(kRangeError);
    } else {
        *u1 = a;
        *u2 = b;
    }
}

void ColourRule(int u, int model) {
    PlotState &p = gPlot;
    if (model == 1) {
        int a = 0;
        for (int k = 1; k <= u; ++k) {
            p.c1[k - 1] = 32 + a;
            p.c2[k - 1] = 64 + a;
            a = (a + 36 + k % 4) % 176;
        }
        return;
    }
    for (int k = 1; k <= u; ++k) {
        int b = 256 - k;
        int red = 223 - 32 * (k % 4) + b / 32;
        int green = 127 + 16 * (k % 9);
        int blue = 127 + 32 * (k % 5);
        p.c1[k - 1] = red + 256 * green + 65536 * blue;
        p.c2[k - 1] = (255 - red) + 256 * green + 65536 * blue;
    }
}

// The per-set words of style scheme SCHEME for sets 1 to U, and the colour rule where the
// scheme takes it.
void ApplyScheme(int scheme, int u, int model) {
    PlotState &p = gPlot;
    bool colours = true;
    if (scheme == 3) {
        p.s1[0] = p.s1[1] = 4;
        p.c1[0] = model == 1 ? 31 : 0x0000FF;
        p.c1[1] = model == 1 ? 63 : 0x00FFFF;
        return;
    }
    for (int k = 1; k <= u; ++k) {
        int j = k - 1;
        switch (scheme) {
        case 1: p.s1[j] = 4; break;
        case 2: {
            p.s1[j] = -(j % 7);
            int m = j % 61;
            p.s2[j] = m < 9 ? 1 : 2;
            p.n[j] = m < 9 ? m + 1 : m - 8;
            p.s3[j] = 0;
            break;
        }
        case 4:
            p.s1[j] = -(j % 7);
            p.s2[j] = 0;
            p.s3[j] = 0;
            break;
        case 5: {
            int m = j % 72;
            p.s2[j] = m < 20 ? 3 : 2;
            p.n[j] = m < 20 ? m + 1 : m - 19;
            break;
        }
        case 6:
            p.s1[j] = 3;
            p.s2[j] = 3;
            p.s3[j] = 1;
            p.n[j] = k % 8 + 13;
            break;
        case 7:
            p.s1[j] = 0;
            p.s2[j] = 2;
            p.c1[j] = Black(model);
            colours = false;
            break;
        case 8:
            p.s1[j] = 0;
            p.s2[j] = 5;
            break;
        }
    }
    if (colours) ColourRule(u, model);
}

// The settings of a three-dimensional surface-like plot (types 5 and 8 with the flag):
// returns the scheme and may narrow U.
int ThreeDScheme(int *u) {
    PlotState &p = gPlot;
    p.i3 = 3;
    p.i1 = -3;
    if (p.variant == 3) {
        p.r[6] = 0.6f;
        return 3;
    }
    p.r[6] = 0.7f;
    if (!p.bit5) *u = 2;
    return 1;
}

}  // namespace

int PlotValueStep(int nv) {
    if (nv <= 12) return 1;
    int e = 0, q = nv;
    while (q > 10) {
        q /= 10;
        ++e;
    }
    int power = 1;
    for (int i = 1; i < e; ++i) power *= 10;
    if (q < 3) return 2 * power;
    if (q < 7) return 5 * power;
    return 10 * power;
}

void PlotNew(int type, int nsets, const int *nvalues, const int *optionsArg, const int *stylesArg,
             int model) {
    PlotState &p = gPlot;
    p.sets = std::min(std::max(nsets, 1), kPlotSets);
    p.nv1 = std::max(nvalues[0], 1);
    p.rv1 = static_cast<float>(p.nv1);
    p.rv1m = static_cast<float>(p.nv1 - 1);
    p.cleared = 0;
    p.type = type >= 1 && type <= 10 ? type : 4;
    const int options = optionsArg ? *optionsArg : 0;
    const int styles = stylesArg ? *stylesArg : 0;
    p.options = options;
    auto bit = [options](int b) { return (options >> b) & 1; };

    p.threeD = bit(0);
    const int t = p.type;
    p.grid3d = p.threeD && (t == 5 || t == 6 || t == 7 || t == 8 || t == 10);
    if (t > 2 && !p.grid3d) p.threeD = 0;
    p.bit1 = bit(1);
    p.bit3 = bit(3);
    p.bit5 = bit(5);
    p.bit6 = bit(6);
    p.bit7 = bit(7);
    p.bit9 = bit(9);
    p.stacked = bit(10);
    p.variant = bit(2) ? 1 : bit(8) ? 2 : bit(4) ? 3 : 0;
    if (t == 1 && p.bit5) {
        p.threeD = 0;
        p.stacked = 0;
    }
    if (p.threeD) p.bit6 = 0;

    if (p.stacked && (t == 1 || t == 2 || t == 4)) {
        if (p.nv1 > kStackPositions) {
            p.nv1 = kStackPositions;
            RaiseError(kStackError);
        }
        std::fill(p.stack, p.stack + p.nv1, 0.0f);
    } else if (p.grid3d || t == 8 || t == 10) {
        p.nv1 = std::max(nvalues[0], 2);
        if (t == 6 || t == 7) {
            p.nv2 = p.nv1;
        } else {
            p.nv2 = std::max(nvalues[1], 2);
            if (t == 10) p.nv3 = std::max(nvalues[2], 2);
        }
        p.rv2 = static_cast<float>(p.nv2);
        p.rv2m = static_cast<float>(p.nv2 - 1);
        if (p.threeD) {
            if (!p.bit9)
                p.xShare = 0.5f;
            else if (p.nv1 <= p.nv2)
                p.xShare = p.rv1 * 0.5f / p.rv2;
            else
                p.xShare = 1 - p.rv2 * 0.5f / p.rv1;
        }
    }
    p.valueWidth = std::min(0.6f / p.rv1, 0.25f);
    yyplog_();
    if (styles == 0) return;

    int u = p.sets;
    int scheme = 1;
    switch (t) {
    case 1:
    case 2:
    case 3: p.foreground = Black(model); break;
    case 4:
        scheme = 2;
        p.valueStep[0] = p.valueStep[1] = PlotValueStep(p.nv1);
        break;
    case 5: scheme = p.threeD ? ThreeDScheme(&u) : 2; break;
    case 6: scheme = 4; break;
    case 7: scheme = p.threeD ? 6 : 5; break;
    case 8:
        if (p.threeD) {
            scheme = ThreeDScheme(&u);
        } else if (!p.bit3) {
            scheme = 8;
        } else if (p.variant == 0) {
            p.subdivision = std::max(150 / std::max(p.nv1, p.nv2), 1);
        }
        break;
    case 9: scheme = 7; break;
    case 10: p.i1 = -3; break;
    }
    ApplyScheme(scheme, u, model);

    if (p.threeD && t >= 5) {
        p.v1 = 0.5f;
        p.v2 = 0;
        p.xAxisCos = std::cos(-kQuarterTurn);
        p.yAxisCos = std::cos(kQuarterTurn);
        p.axisAngle[0] = -kQuarterTurn;
        p.axisAngle[1] = kQuarterTurn;
        p.axisAngle[2] = 0;
        p.axisDegrees[0] = -45;
        p.axisDegrees[1] = 45;
        p.axisDegrees[2] = 0;
        p.r[2] = p.r[3] = 0.6f;
        if (t == 5 || t == 8 || t == 10) {
            p.style3d = 4;
            for (int &c : p.colours3d) c = model == 1 ? 255 : 0x838383;
        } else {
            p.style3d = 0;
        }
    } else {
        p.axisAngle[0] = p.axisAngle[1] = 0;
        p.axisDegrees[0] = p.axisDegrees[1] = 0;
        p.r[2] = 0.7f;
        p.r[3] = 0.8f;
    }
    p.r[5] = t == 9 ? 0.75f : p.bit6 ? 0.65f : 0.5f;
}

void SetDefaults() {
    PlotState &p = gPlot;
    p.px1 = 0.1f;
    p.px2 = 0.9f;
    p.py1 = 0.1f;
    p.py2 = 0.9f;
    p.zu1 = 0;
    p.zu2 = 1;
    p.zw = 1;
    p.radius = 1;
    const float zero = 0, one = 1;
    ipgunits_(&zero, &zero, &one, &one);
    const int type = 4, sets = 256, values = 1, none = 0;
    ipgnewplot1_(&type, &sets, &values, &none, &none);
    p.xAxisCos = std::cos(-kQuarterTurn);
    p.yAxisCos = std::cos(kQuarterTurn);
    p.i1 = -3;
    p.i2 = 1;
    p.i3 = 3;
    p.v1 = 0.5f;
    p.v2 = 0;
    p.subdivision = 1;
    const float r[7] = {0.38f, 1.5f, 0.7f, 0.8f, 0.8f, 0.5f, 0.7f};
    std::copy(r, r + 7, p.r);
    p.w5 = -1;
    p.w3 = p.w4 = 0;
    for (int k = 1; k <= kPlotSets; ++k) {
        p.s1[k - 1] = 4;
        p.s2[k - 1] = 2;
        p.s3[k - 1] = 0;
        p.c1[k - 1] = (k % 6 + 1) * 32;
        p.c2[k - 1] = (k % 6 + 2) * 32;
        p.n[k - 1] = -1;
    }
    for (int i = 0; i < 3; ++i) {
        p.axisInt[i] = 0;
        p.axisAngle[i] = 0;
        p.axisDegrees[i] = 0;
        p.axisFactor[i] = 1;
    }
    p.w1 = p.w2 = 0;
    p.style3d = 0;
    p.foreground = 223;
    p.w6 = 0;
    p.valueStep[0] = p.valueStep[1] = 1;
    p.p1 = 0.6f;
    p.p2 = 0.4f;
}

}  // namespace quill

void quill::SetPlotDefaults() { quill::SetDefaults(); }

using quill::gPlot;

void yyplog_() {
    quill::PlotState &p = gPlot;
    p.xLog = quill::gPlotXLogRequested && p.type != 1 && !p.threeD && !p.bit6;
    p.yLog = quill::gPlotYLogRequested && p.type != 2 && !p.threeD;
    if (p.xLog) {
        p.lxu1 = yylog1_(&p.xu1);
        p.lxu2 = yylog1_(&p.xu2);
        p.lxw = p.lxu2 - p.lxu1;
    }
    if (p.yLog) {
        p.lyu1 = yylog1_(&p.yu1);
        p.lyu2 = yylog1_(&p.yu2);
        p.lyw = p.lyu2 - p.lyu1;
        p.logRadius = yylog1_(&p.radius);
        p.logRadiusSpan = p.logRadius + 38;
    }
}

float yylog1_(const float *x) {
    if (*x == 0) return -38;
    long double v = std::fabs(static_cast<long double>(*x));
    return static_cast<float>(std::log2(v) * 0.301029995663981195213738894724493027L);
}

void ipgarea_(const float *x1, const float *y1, const float *x2, const float *y2) {
    if (*x1 >= 0 && *x1 < 1) gPlot.px1 = *x1;
    if (*x2 > 0 && *x2 <= 1) gPlot.px2 = *x2;
    if (*y1 >= 0 && *y1 < 1) gPlot.py1 = *y1;
    if (*y2 > 0 && *y2 <= 1) gPlot.py2 = *y2;
}

void ipgunits_(const float *x1, const float *y1, const float *x2, const float *y2) {
    quill::PlotState &p = gPlot;
    quill::SetRange(*x1, *x2, &p.xu1, &p.xu2);
    quill::SetRange(*y1, *y2, &p.yu1, &p.yu2);
    p.xw = p.xu2 - p.xu1;
    p.yw = p.yu2 - p.yu1;
    p.xmin = std::min(p.xu1, p.xu2);
    p.xmax = std::max(p.xu1, p.xu2);
    p.ymin = std::min(p.yu1, p.yu2);
    p.ymax = std::max(p.yu1, p.yu2);
    yyplog_();
}

void ipgunitsz_(const float *z1, const float *z2) {
    quill::PlotState &p = gPlot;
    if (*z1 < *z2) {
        p.zu1 = *z1;
        p.zu2 = *z2;
    } else {
        p.zu1 = 0;
        p.zu2 = 1;
        quill::RaiseError(quill::kRangeError);
    }
    p.zw = p.zu2 - p.zu1;
}

void ipgunitspolar_(const float *r) {
    if (*r > 0) {
        gPlot.radius = *r;
    } else {
        gPlot.radius = 1;
        quill::RaiseError(quill::kRangeError);
    }
    yyplog_();
}

namespace {
// A scaling text asks for a logarithmic axis when its first three characters, blank-padded
// and in upper case, are "LOG".
int AsksForLog(const char *text, int len) {
    char head[3] = {' ', ' ', ' '};
    for (int i = 0; i < 3 && i < len; ++i)
        head[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    return head[0] == 'L' && head[1] == 'O' && head[2] == 'G';
}
}  // namespace

void ipgscaling_(const char *xscale, const char *yscale, int xscale_len, int yscale_len) {
    quill::gPlotXLogRequested = AsksForLog(xscale, xscale_len);
    quill::gPlotYLogRequested = AsksForLog(yscale, yscale_len);
    yyplog_();
}

void ipgnewplot1_(const int *type, const int *nsets, const int *nvalues, const int *options,
                  const int *styles) {
    quill::PlotNew(*type, *nsets, nvalues, options, styles, quill::ColourModelInForce());
}

void ipgnewplot2_(const int *type, const int *nsets, const int *nvalues, const int *options,
                  const int *styles) {
    ipgnewplot1_(type, nsets, nvalues, options, styles);
}
