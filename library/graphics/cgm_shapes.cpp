// Metafile drawing elements within the 16-bit VDC range: lines clipped by Liang-Barsky,
// polygons by Sutherland-Hodgman, both against one rectangle.
#include "graphics/cgm_shapes.h"

#include "graphics/driver_protocol.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quill {

namespace {

constexpr double kPi = 3.14159265358979323846;

// A rectangle of VDC the drawing is clipped to.
struct Box {
    double x0, y0, x1, y1;
};
// The whole range, and its quarter of non-negative coordinates, which holds the picture.
constexpr Box kRange{-32768, -32768, 32767, 32767};
constexpr Box kPictureQuarter{0, 0, 32767, 32767};

struct Points {
    std::vector<double> x, y;
    std::size_t size() const { return x.size(); }
    void Add(double px, double py) {
        x.push_back(px);
        y.push_back(py);
    }
};

// Truncation keeps the coordinate in range: -32769 < v < 32768.
bool Fits(double v) { return v > -32769.0 && v < 32768.0; }

template <typename T>
bool AllFinite(const T *x, const T *y, std::size_t n) {
    for (std::size_t k = 0; k < n; ++k)
        if (!std::isfinite(x[k]) || !std::isfinite(y[k])) return false;
    return true;
}

double Limit(double v, double lo, double hi) { return v < lo ? lo : v > hi ? hi : v; }

// Writes element E of the N points truncated, when they all fit: true when it was written
// (OK then says whether the sink took it), false, with nothing written, when one did not fit.
template <typename T>
bool PointListIfFit(CgmEncoder &enc, cgm::Id e, const T *x, const T *y, std::size_t n, bool &ok) {
    enc.Start(e);
    enc.Reserve(4 * n);
    for (std::size_t k = 0; k < n; ++k) {
        if (!Fits(x[k]) || !Fits(y[k])) return false;  // the next Start drops what was added
        enc.Point(static_cast<int>(x[k]), static_cast<int>(y[k]));
    }
    ok = enc.Finish();
    return true;
}

// Writes element E of the N points, which all fit (they were clipped to the range).
bool PointList(CgmEncoder &enc, cgm::Id e, const double *x, const double *y, std::size_t n) {
    bool ok = true;
    PointListIfFit(enc, e, x, y, n, ok);
    return ok;
}

// Liang-Barsky: cuts the segment (X1, Y1)-(X2, Y2) to BOX. False when none of it lies inside;
// else CUT1 and CUT2 say which ends moved.
bool ClipSegment(const Box &box, double &x1, double &y1, double &x2, double &y2, bool &cut1,
                 bool &cut2) {
    const double dx = x2 - x1, dy = y2 - y1;
    if (!std::isfinite(dx) || !std::isfinite(dy)) return false;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - box.x0, box.x1 - x1, y1 - box.y0, box.y1 - y1};
    double t0 = 0, t1 = 1;
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;  // parallel to this side and outside it
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    cut1 = t0 > 0;
    cut2 = t1 < 1;
    const double ox = x1, oy = y1;
    if (cut2) {
        x2 = Limit(ox + t1 * dx, box.x0, box.x1);
        y2 = Limit(oy + t1 * dy, box.y0, box.y1);
    }
    if (cut1) {
        x1 = Limit(ox + t0 * dx, box.x0, box.x1);
        y1 = Limit(oy + t0 * dy, box.y0, box.y1);
    }
    return true;
}

// Sutherland-Hodgman: the closed polygon P cut to BOX, one side at a time.
Points ClipPolygon(const Box &box, Points p) {
    // Side s: 0 left, 1 right, 2 bottom, 3 top.
    auto inside = [&box](int s, double x, double y) {
        switch (s) {
        case 0: return x >= box.x0;
        case 1: return x <= box.x1;
        case 2: return y >= box.y0;
        default: return y <= box.y1;
        }
    };
    // Where the edge from (AX, AY) to (BX, BY) crosses side S: the side's coordinate exactly,
    // the other one interpolated.
    auto cross = [&box](int s, double ax, double ay, double bx, double by, Points &out) {
        if (s < 2) {
            const double at = s == 0 ? box.x0 : box.x1;
            out.Add(at, Limit(ay + (at - ax) / (bx - ax) * (by - ay), box.y0, box.y1));
        } else {
            const double at = s == 2 ? box.y0 : box.y1;
            out.Add(Limit(ax + (at - ay) / (by - ay) * (bx - ax), box.x0, box.x1), at);
        }
    };
    for (int s = 0; s < 4 && p.size() > 0; ++s) {
        Points out;
        const std::size_t n = p.size();
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t j = k == 0 ? n - 1 : k - 1;
            const bool in = inside(s, p.x[k], p.y[k]), was = inside(s, p.x[j], p.y[j]);
            if (in != was) cross(s, p.x[j], p.y[j], p.x[k], p.y[k], out);
            if (in) out.Add(p.x[k], p.y[k]);
        }
        p = std::move(out);
    }
    return p;
}

// The four elements of one gradient triangle whose points and offsets all fit.
bool GradientGroup(CgmEncoder &enc, const int *x, const int *y, const int *rgb) {
    bool ok = true;
    enc.Start(cgm::kFillReferencePoint);
    enc.Point(x[0], y[0]);
    ok &= enc.Finish();
    enc.Start(cgm::kInterpolatedInterior);
    enc.Word(3);
    enc.Point(x[1] - x[0], y[1] - y[0]);
    enc.Point(x[2] - x[0], y[2] - y[0]);
    for (int k = 0; k < 3; ++k)
        enc.Colour(rgb[k] & 0xFF, (rgb[k] >> 8) & 0xFF, (rgb[k] >> 16) & 0xFF);
    ok &= enc.Finish();
    ok &= enc.OneWord(cgm::kInteriorStyle, 6);
    enc.Start(cgm::kPolygon);
    for (int k = 0; k < 3; ++k) enc.Point(x[k], y[k]);
    ok &= enc.Finish();
    return ok;
}

template <typename T>
bool Polyline(CgmEncoder &enc, const T *x, const T *y, std::size_t n) {
    bool ok = true;
    if (PointListIfFit(enc, cgm::kPolyline, x, y, n, ok)) return ok;
    if (!AllFinite(x, y, n)) return true;
    Points piece;
    auto flush = [&] {
        if (piece.size() >= 2)
            ok &= PointList(enc, cgm::kPolyline, piece.x.data(), piece.y.data(), piece.size());
        piece = Points{};
    };
    // A piece goes on while its last end was not cut; a segment cut at its start begins one.
    bool open = false;
    for (std::size_t k = 0; k + 1 < n; ++k) {
        double x1 = x[k], y1 = y[k], x2 = x[k + 1], y2 = y[k + 1];
        bool cut1 = false, cut2 = false;
        if (!ClipSegment(kRange, x1, y1, x2, y2, cut1, cut2)) {
            flush();
            open = false;
            continue;
        }
        if (!open || cut1) {
            flush();
            piece.Add(x1, y1);
        }
        piece.Add(x2, y2);
        open = !cut2;
        if (cut2) flush();
    }
    flush();
    return ok;
}

template <typename T>
bool Polygon(CgmEncoder &enc, const T *x, const T *y, std::size_t n) {
    bool ok = true;
    if (PointListIfFit(enc, cgm::kPolygon, x, y, n, ok)) return ok;
    if (!AllFinite(x, y, n)) return true;
    Points p;
    p.x.assign(x, x + n);
    p.y.assign(y, y + n);
    p = ClipPolygon(kRange, std::move(p));
    if (p.size() < 3) return true;
    return PointList(enc, cgm::kPolygon, p.x.data(), p.y.data(), p.size());
}

}  // namespace

int VdcCoordinate(double v) {
    if (std::isnan(v)) return 0;
    if (v <= -32768.0) return -32768;
    if (v >= 32767.0) return 32767;
    return static_cast<int>(v);
}

bool InVdcRange(double x, double y) { return Fits(x) && Fits(y); }

bool CgmPolyline(CgmEncoder &enc, const double *x, const double *y, std::size_t n) {
    return Polyline(enc, x, y, n);
}
bool CgmPolyline(CgmEncoder &enc, const float *x, const float *y, std::size_t n) {
    return Polyline(enc, x, y, n);
}
bool CgmPolygon(CgmEncoder &enc, const double *x, const double *y, std::size_t n) {
    return Polygon(enc, x, y, n);
}
bool CgmPolygon(CgmEncoder &enc, const float *x, const float *y, std::size_t n) {
    return Polygon(enc, x, y, n);
}

bool CgmRectangle(CgmEncoder &enc, double x1, double y1, double x2, double y2) {
    const double x[2] = {x1, x2}, y[2] = {y1, y2};
    if (!AllFinite(x, y, 2)) return true;
    if (std::max(x1, x2) < kRange.x0 || std::min(x1, x2) > kRange.x1 ||
        std::max(y1, y2) < kRange.y0 || std::min(y1, y2) > kRange.y1)
        return true;
    enc.Start(cgm::kRectangle);
    enc.Point(VdcCoordinate(x1), VdcCoordinate(y1));
    enc.Point(VdcCoordinate(x2), VdcCoordinate(y2));
    return enc.Finish();
}

bool CgmEllipse(CgmEncoder &enc, double cx, double cy, double x1, double y1, double x2, double y2,
                int steps) {
    const double x[3] = {cx, x1, x2}, y[3] = {cy, y1, y2};
    bool ok = true;
    if (PointListIfFit(enc, cgm::kEllipse, x, y, 3, ok)) return ok;
    if (!AllFinite(x, y, 3)) return true;
    // Point t of the outline: centre + cos t (first end - centre) + sin t (second end - centre).
    const int n = 2 * std::clamp(steps, 1, kMaxArcSteps);
    Points p;
    for (int k = 0; k < n; ++k) {
        const double t = kPi * k / (n / 2);
        const double c = std::cos(t), s = std::sin(t);
        p.Add(cx + c * (x1 - cx) + s * (x2 - cx), cy + c * (y1 - cy) + s * (y2 - cy));
    }
    return CgmPolygon(enc, p.x.data(), p.y.data(), p.size());
}

bool CgmCharacterOrientation(CgmEncoder &enc, double upx, double upy, double basex, double basey) {
    double v[4] = {upx, upy, basex, basey};
    double largest = 0;
    for (double c : v)
        if (std::isfinite(c)) largest = std::max(largest, std::fabs(c));
    if (largest >= 32768.0)
        for (double &c : v) c *= 32767.0 / largest;
    enc.Start(cgm::kCharacterOrientation);
    enc.Point(VdcCoordinate(v[0]), VdcCoordinate(v[1]));
    enc.Point(VdcCoordinate(v[2]), VdcCoordinate(v[3]));
    return enc.Finish();
}

bool CgmGradientTriangle(CgmEncoder &enc, const int *x, const int *y, const int *rgb) {
    bool fits = true;
    for (int k = 0; k < 3; ++k)
        fits = fits && Fits(x[k]) && Fits(y[k]) && Fits(static_cast<double>(x[k]) - x[0]) &&
               Fits(static_cast<double>(y[k]) - y[0]);
    if (fits) return GradientGroup(enc, x, y, rgb);
    // The colour at a point is the vertex colours weighted by its barycentric coordinates.
    const double ax = x[0], ay = y[0], bx = x[1], by = y[1], qx = x[2], qy = y[2];
    const double area = (bx - ax) * (qy - ay) - (qx - ax) * (by - ay);
    if (area == 0) return true;
    Points p;
    for (int k = 0; k < 3; ++k) p.Add(x[k], y[k]);
    p = ClipPolygon(kPictureQuarter, std::move(p));
    if (p.size() < 3) return true;
    const std::size_t n = p.size();
    std::vector<int> px(n), py(n), pc(n);
    for (std::size_t k = 0; k < n; ++k) {
        px[k] = VdcCoordinate(p.x[k]);
        py[k] = VdcCoordinate(p.y[k]);
        const double wb = ((p.x[k] - ax) * (qy - ay) - (qx - ax) * (p.y[k] - ay)) / area;
        const double wc = ((bx - ax) * (p.y[k] - ay) - (p.x[k] - ax) * (by - ay)) / area;
        const double w[3] = {1 - wb - wc, wb, wc};
        int colour = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            double c = 0;
            for (int v = 0; v < 3; ++v) c += w[v] * ((rgb[v] >> shift) & 0xFF);
            colour |= static_cast<int>(std::lround(Limit(c, 0, 255))) << shift;
        }
        pc[k] = colour;
    }
    // What is left is convex: a fan of triangles from its first vertex.
    bool ok = true;
    for (std::size_t k = 1; k + 1 < n; ++k) {
        const int tx[3] = {px[0], px[k], px[k + 1]}, ty[3] = {py[0], py[k], py[k + 1]};
        const int tc[3] = {pc[0], pc[k], pc[k + 1]};
        ok &= GradientGroup(enc, tx, ty, tc);
    }
    return ok;
}

}  // namespace quill
