// Filled figures as hatch lines for devices that cannot fill them.
#include "graphics/figure_fill.h"

#include "graphics/driver_protocol.h"

#include <algorithm>
#include <cmath>
#include <vector>

FigureFill gFigureFill = {4, 0, 0, 0, 0.0f, 0};

namespace {
constexpr double kPi = 3.14159265358979323846;
}

namespace {

// The outline of the figure of OP as a closed polygon, from the operands.
std::vector<float> Outline(int op, const DriverOperands &o, std::vector<float> &ys) {
    std::vector<float> xs;
    auto add = [&](double x, double y) {
        xs.push_back(static_cast<float>(x));
        ys.push_back(static_cast<float>(y));
    };
    switch (op) {
    case kOpEllipsePattern:
    case kOpSectorPattern: {
        double cx = o.rd[0], cy = o.rd[4], rx = std::fabs(o.rd[1]), ry = std::fabs(o.rd[5]);
        double a1 = 0, a2 = 2 * kPi;
        if (op == kOpSectorPattern) {
            a1 = o.rd[2], a2 = o.rd[6];
            add(cx, cy);
        }
        if (!std::isfinite(a1) || !std::isfinite(a2) || std::fabs(a2 - a1) > 4 * kPi)
            a1 = 0, a2 = 2 * kPi;
        const int steps = 72;
        for (int k = 0; k <= steps; ++k) {
            double a = a1 + (a2 - a1) * k / steps;
            add(cx + rx * std::cos(a), cy + ry * std::sin(a));
        }
        break;
    }
    case kOpQuadPattern:
        for (int k = 0; k < 4; ++k) add(o.rd[k], o.rd[k + 4]);
        break;
    case kOpRectanglePattern:
        add(o.rd[0], o.rd[4]);
        add(o.rd[1], o.rd[4]);
        add(o.rd[1], o.rd[5]);
        add(o.rd[0], o.rd[5]);
        break;
    case kOpTrianglePattern:
        for (int k = 0; k < 3; ++k) add(o.rd[k], o.rd[k + 4]);
        break;
    case kOpPolygonPattern: {
        int n = std::min(std::max(o.id[1], 0), kPolygonPoints);
        for (int k = 0; k < n; ++k) add(o.xpoly[k], o.ypoly[k]);
        break;
    }
    default: break;
    }
    return xs;
}

struct Emitted {
    std::vector<float> lines;
};

void Collect(float x1, float y1, float x2, float y2, void *context) {
    auto *e = static_cast<Emitted *>(context);
    e->lines.insert(e->lines.end(), {x1, y1, x2, y2});
}

}  // namespace

namespace quill {

void HatchPolygon(const float *x, const float *y, int n, float spacing,
                  void (*emit)(float, float, float, float, void *), void *context) {
    if (n < 3) return;
    float ymin = y[0], ymax = y[0];
    for (int k = 1; k < n; ++k) ymin = std::min(ymin, y[k]), ymax = std::max(ymax, y[k]);
    if (!std::isfinite(ymin) || !std::isfinite(ymax)) return;
    if (!(spacing > 0) || !std::isfinite(spacing)) spacing = (ymax - ymin) / 100;
    if (!(spacing > 0)) return;
    // At most 20000 lines, so a tiny spacing cannot make the work unbounded.
    if ((ymax - ymin) / spacing > 20000) spacing = (ymax - ymin) / 20000;
    std::vector<float> cuts;
    for (double sy = ymin + spacing / 2; sy < ymax; sy += spacing) {
        cuts.clear();
        for (int k = 0; k < n; ++k) {
            float xa = x[k], ya = y[k], xb = x[(k + 1) % n], yb = y[(k + 1) % n];
            if ((ya <= sy && yb > sy) || (yb <= sy && ya > sy))
                cuts.push_back(static_cast<float>(xa + (sy - ya) * (xb - xa) / (yb - ya)));
        }
        std::sort(cuts.begin(), cuts.end());
        for (std::size_t k = 0; k + 1 < cuts.size(); k += 2)
            emit(cuts[k], static_cast<float>(sy), cuts[k + 1], static_cast<float>(sy), context);
    }
}

void SendFilledFigure(int op) {
    static DriverOperands saved;
    saved = gOperands;
    gFigureFill.fillWord = 0;
    SendOp(op, kSideHardcopy);
    if (gFigureFill.fillWord == 0) {
        gOperands = saved;
        return;
    }
    gFigureFill.fillWord = 0;
    std::vector<float> ys;
    std::vector<float> xs = Outline(op, saved, ys);
    Emitted lines;
    HatchPolygon(xs.data(), ys.data(), static_cast<int>(xs.size()), gFigureFill.hatchSpacing,
                 Collect, &lines);
    for (std::size_t k = 0; k + 3 < lines.lines.size(); k += 4) {
        SetPoint(1, lines.lines[k], lines.lines[k + 1]);
        SetPoint(2, lines.lines[k + 2], lines.lines[k + 3]);
        SendOp(kOpLine, kSideHardcopy);
    }
    gOperands = saved;
    gOperands.id[0] = -1;
    SendOp(op, kSideHardcopy);
    gOperands = saved;
}

}  // namespace quill
