// Gradient fill: merging the vertex list, ear-cutting decomposition and the scanline filler.
#include "graphics/gradient_fill.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/errors.h"

namespace quill {

GradientVertices gGradient;

namespace {

// Positions of the polygon buffer as whole device units: truncated towards zero after values
// below 0 were lowered by 0.999, and kept within +-1e9 (far beyond any drawable, and safe to
// subtract); y flipped against LASTY when FLIP.
void WholePositions(const float *x, const float *y, bool flip, int lastY) {
    GradientVertices &g = gGradient;
    const int n = std::min(std::max(g.count, 0), kGradientVertices);
    auto whole = [](float v) {
        const double d = v < 0 ? v - 0.999f : v;
        if (!(d > -1e9)) return -1000000000;  // also NaN
        return d < 1e9 ? static_cast<int>(d) : 1000000000;
    };
    for (int k = 0; k < n; ++k) {
        g.x[k] = whole(x[k]);
        g.y[k] = flip ? lastY - whole(y[k]) : whole(y[k]);
    }
}

}  // namespace

void GradientPointsFromPolygon(const float *x, const float *y, int lastY) {
    WholePositions(x, y, true, lastY);
}

void GradientPointsUpwards(const float *x, const float *y) { WholePositions(x, y, false, 0); }

void GradientFillFromPolygon(const float *x, const float *y, bool flip, int lastY, int method,
                             int cx1, int cy1, int cx2, int cy2, GradientPointSetter point,
                             GradientTriangleRoutine triangles) {
    // A fill with more vertices than the list holds draws nothing: the count is not touched.
    if (gGradient.count < 3 || gGradient.count > kGradientVertices) return;
    const int count = gGradient.count;
    const std::vector<int> colours(gGradient.colour, gGradient.colour + count);
    WholePositions(x, y, flip, lastY);
    yygradientfill_(&method, &cx1, &cy1, &cx2, &cy2, point, triangles);
    gGradient.count = count;
    std::copy(colours.begin(), colours.end(), gGradient.colour);
}

void GradientTrianglePieces(
    const int *x, const int *y, const int *rgb,
    const std::function<void(const int *px, const int *py, int rgb)> &piece) {
    int spread = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int lo = 255, hi = 0;
        for (int k = 0; k < 3; ++k) {
            const int v = (rgb[k] >> shift) & 0xFF;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        spread = std::max(spread, hi - lo);
    }
    const int n = spread <= 32 ? 1 : (spread + 31) / 32;
    // Lattice point (i, j): the first corner plus i/n of the way to the second and j/n of the
    // way to the third.
    auto at = [n](const int *v, int i, int j) {
        return v[0] + static_cast<int>(
                          std::lround((i * double(v[1] - v[0]) + j * double(v[2] - v[0])) / n));
    };
    for (int i = 0; i < n; ++i) {
        for (int j = 0; i + j < n; ++j) {
            // The piece with a corner at (i, j), then the one between it and its neighbours.
            for (int inner = 0; inner < 2 && (inner == 0 || i + j + 2 <= n); ++inner) {
                const int ci[3] = {i + inner, i + 1, i}, cj[3] = {j + inner, j, j + 1};
                const double a = (ci[0] + ci[1] + ci[2]) / (3.0 * n),
                             b = (cj[0] + cj[1] + cj[2]) / (3.0 * n);
                int colour = 0;
                for (int shift = 0; shift < 24; shift += 8) {
                    const double v = (1 - a - b) * ((rgb[0] >> shift) & 0xFF) +
                                     a * ((rgb[1] >> shift) & 0xFF) +
                                     b * ((rgb[2] >> shift) & 0xFF);
                    colour |= std::clamp(static_cast<int>(std::lround(v)), 0, 255) << shift;
                }
                int px[3], py[3];
                for (int k = 0; k < 3; ++k)
                    px[k] = at(x, ci[k], cj[k]), py[k] = at(y, ci[k], cj[k]);
                piece(px, py, colour);
            }
        }
    }
}

}  // namespace quill

using namespace quill;

namespace {

constexpr int kPolygonCrosses = 28;

int Red(int c) { return c & 0xFF; }
int Green(int c) { return (c >> 8) & 0xFF; }
int Blue(int c) { return (c >> 16) & 0xFF; }
int Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

// Removes vertex K of the gradient vertices (0-based).
void RemoveVertex(GradientVertices &g, int k) {
    std::copy(g.x + k + 1, g.x + g.count, g.x + k);
    std::copy(g.y + k + 1, g.y + g.count, g.y + k);
    std::copy(g.colour + k + 1, g.colour + g.count, g.colour + k);
    --g.count;
}

// Merges runs of coincident neighbours into one vertex with the mean colour, and a last vertex
// that repeats the first into the first. False when fewer than 3 vertices would remain.
bool MergeVertices(GradientVertices &g) {
    for (int i = 0; i + 1 < g.count; ++i) {
        if (g.x[i + 1] != g.x[i] || g.y[i + 1] != g.y[i]) continue;
        int r = Red(g.colour[i]), gr = Green(g.colour[i]), b = Blue(g.colour[i]), run = 1;
        while (i + 1 < g.count && g.x[i + 1] == g.x[i] && g.y[i + 1] == g.y[i]) {
            if (g.count == 3) return false;
            r += Red(g.colour[i + 1]);
            gr += Green(g.colour[i + 1]);
            b += Blue(g.colour[i + 1]);
            ++run;
            RemoveVertex(g, i + 1);
        }
        g.colour[i] = Rgb(r / run, gr / run, b / run);
    }
    const int last = g.count - 1;
    if (g.count >= 2 && g.x[last] == g.x[0] && g.y[last] == g.y[0]) {
        if (g.count == 3) return false;
        const int a = g.colour[0], c = g.colour[last];
        g.colour[0] =
            Rgb((Red(a) + Red(c)) / 2, (Green(a) + Green(c)) / 2, (Blue(a) + Blue(c)) / 2);
        --g.count;
    }
    return g.count >= 3;
}

double Cross(double ax, double ay, double bx, double by, double cx, double cy) {
    return (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
}

// Whether segment p1-p2 and segment p3-p4 share any point.
bool SegmentsMeet(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                  double y4) {
    const double d1 = Cross(x3, y3, x4, y4, x1, y1), d2 = Cross(x3, y3, x4, y4, x2, y2);
    const double d3 = Cross(x1, y1, x2, y2, x3, y3), d4 = Cross(x1, y1, x2, y2, x4, y4);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
        return true;
    auto on = [](double ax, double ay, double bx, double by, double px, double py, double d) {
        return d == 0 && px >= std::min(ax, bx) && px <= std::max(ax, bx) &&
               py >= std::min(ay, by) && py <= std::max(ay, by);
    };
    return on(x3, y3, x4, y4, x1, y1, d1) || on(x3, y3, x4, y4, x2, y2, d2) ||
           on(x1, y1, x2, y2, x3, y3, d3) || on(x1, y1, x2, y2, x4, y4, d4);
}

// Whether the closed outline touches or crosses itself: two edges that are not neighbours
// meet, or two neighbouring edges run back over each other.
bool OutlineCrosses(const float *x, const float *y, int n) {
    for (int i = 0; i < n; ++i) {
        const int i2 = (i + 1) % n;
        for (int j = i + 1; j < n; ++j) {
            const int j2 = (j + 1) % n;
            if (j == i2 || j2 == i) {
                // Neighbours share one vertex; they overlap when the turn there goes straight
                // back.
                const int shared = j == i2 ? i2 : i, a = j == i2 ? i : j, b = j == i2 ? j2 : i2;
                const double c = Cross(x[a], y[a], x[shared], y[shared], x[b], y[b]);
                const double dot = (x[a] - x[shared]) * (x[b] - x[shared]) +
                                   (y[a] - y[shared]) * (y[b] - y[shared]);
                if (c == 0 && dot > 0) return true;
                continue;
            }
            if (SegmentsMeet(x[i], y[i], x[i2], y[i2], x[j], y[j], x[j2], y[j2])) return true;
        }
    }
    return false;
}

// Whether P lies inside or on triangle A, B, C of orientation SIGN.
bool InTriangle(double px, double py, double ax, double ay, double bx, double by, double cx,
                double cy, double sign) {
    return sign * Cross(ax, ay, bx, by, px, py) >= 0 && sign * Cross(bx, by, cx, cy, px, py) >= 0 &&
           sign * Cross(cx, cy, ax, ay, px, py) >= 0;
}

}  // namespace

void yypolygondecompose_(const float *x, const float *y, const int *n, int *triangles, int *count) {
    if (count == nullptr) return;
    *count = 0;
    const int total = n != nullptr ? *n : 0;
    if (total < 3 || x == nullptr || y == nullptr || triangles == nullptr) return;
    if (OutlineCrosses(x, y, total)) {
        quill::RaiseError(kPolygonCrosses);
        return;
    }
    double area = 0;
    for (int i = 0; i < total; ++i) {
        const int j = (i + 1) % total;
        area += static_cast<double>(x[i]) * y[j] - static_cast<double>(x[j]) * y[i];
    }
    if (area == 0) {  // every vertex on one line: no simple outline
        quill::RaiseError(kPolygonCrosses);
        return;
    }
    const double sign = area > 0 ? 1 : -1;
    std::vector<int> ring(static_cast<std::size_t>(total));
    for (int i = 0; i < total; ++i) ring[static_cast<std::size_t>(i)] = i;
    int made = 0;
    // Cut ears: a convex corner whose triangle holds no other remaining vertex. A straight
    // corner (three points on a line) is cut only when no convex ear is left.
    while (ring.size() > 3) {
        const std::size_t m = ring.size();
        std::size_t pick = m;
        for (int pass = 0; pass < 2 && pick == m; ++pass) {
            for (std::size_t k = 0; k < m && pick == m; ++k) {
                const int a = ring[(k + m - 1) % m], b = ring[k], c = ring[(k + 1) % m];
                const double turn = sign * Cross(x[a], y[a], x[b], y[b], x[c], y[c]);
                if (pass == 0 ? turn <= 0 : turn != 0) continue;
                bool empty = true;
                for (std::size_t q = 0; q < m && empty; ++q) {
                    const int p = ring[q];
                    if (p == a || p == b || p == c) continue;
                    if ((x[p] == x[a] && y[p] == y[a]) || (x[p] == x[b] && y[p] == y[b]) ||
                        (x[p] == x[c] && y[p] == y[c]))
                        continue;
                    if (pass == 0 &&
                        InTriangle(x[p], y[p], x[a], y[a], x[b], y[b], x[c], y[c], sign))
                        empty = false;
                }
                if (empty) pick = k;
            }
        }
        if (pick == m) {
            quill::RaiseError(kPolygonCrosses);
            return;
        }
        triangles[3 * made] = ring[(pick + m - 1) % m] + 1;
        triangles[3 * made + 1] = ring[pick] + 1;
        triangles[3 * made + 2] = ring[(pick + 1) % m] + 1;
        ++made;
        ring.erase(ring.begin() + static_cast<std::ptrdiff_t>(pick));
    }
    triangles[3 * made] = ring[0] + 1;
    triangles[3 * made + 1] = ring[1] + 1;
    triangles[3 * made + 2] = ring[2] + 1;
    *count = made + 1;
}

void yygradienttriangle_(const int *triangle, const int *cx1, const int *cy1, const int *cx2,
                         const int *cy2, GradientPointSetter point) {
    if (triangle == nullptr || point == nullptr || cx1 == nullptr || cy1 == nullptr ||
        cx2 == nullptr || cy2 == nullptr)
        return;
    const GradientVertices &g = gGradient;
    int vx[3], vy[3];
    double ch[3][3];
    for (int k = 0; k < 3; ++k) {
        const int v = triangle[k] - 1;
        if (v < 0 || v >= kGradientVertices) return;
        vx[k] = g.x[v];
        vy[k] = g.y[v];
        ch[k][0] = Red(g.colour[v]);
        ch[k][1] = Green(g.colour[v]);
        ch[k][2] = Blue(g.colour[v]);
    }
    // The clip rectangle may come with its corners in either order (devices with y downwards
    // flip it).
    const int left = std::min(*cx1, *cx2), right = std::max(*cx1, *cx2);
    const int ylow = std::max(std::min(*cy1, *cy2), std::min({vy[0], vy[1], vy[2]}));
    const int yhigh = std::min(std::max(*cy1, *cy2), std::max({vy[0], vy[1], vy[2]}));
    for (int y = ylow; y <= yhigh; ++y) {
        bool any = false;
        long lx = 0, rx = 0;
        double lc[3] = {}, rc[3] = {};
        for (int e = 0; e < 3; ++e) {
            const int a = e, b = (e + 1) % 3;
            if (vy[a] == vy[b]) continue;
            if (y < std::min(vy[a], vy[b]) || y > std::max(vy[a], vy[b])) continue;
            const double t = static_cast<double>(y - vy[a]) / (vy[b] - vy[a]);
            const long xc = std::lround(vx[a] + t * (vx[b] - vx[a]));
            double c[3];
            for (int i = 0; i < 3; ++i) c[i] = ch[a][i] + t * (ch[b][i] - ch[a][i]);
            if (!any || xc < lx) {
                lx = xc;
                std::copy(c, c + 3, lc);
            }
            if (!any || xc > rx) {
                rx = xc;
                std::copy(c, c + 3, rc);
            }
            any = true;
        }
        if (!any) continue;
        const long from = std::max<long>(lx, left), to = std::min<long>(rx, right);
        for (long x = from; x <= to; ++x) {
            // Both crossings at one x: the pixel takes the left colour.
            const double f =
                rx > lx ? static_cast<double>(x - lx) / static_cast<double>(rx - lx) : 0;
            int c[3];
            for (int i = 0; i < 3; ++i) {
                c[i] = static_cast<int>(std::lround(lc[i] + f * (rc[i] - lc[i])));
                c[i] = std::min(std::max(c[i], 0), 255);
            }
            const int px = static_cast<int>(x), py = y, rgb = Rgb(c[0], c[1], c[2]);
            point(&px, &py, &rgb);
        }
    }
}

void yygradientfill_(const int *method, const int *cx1, const int *cy1, const int *cx2,
                     const int *cy2, GradientPointSetter point, GradientTriangleRoutine triangles) {
    GradientVertices &g = gGradient;
    if (g.count < 3 || g.count > kGradientVertices) return;
    if (!MergeVertices(g)) return;
    const bool device = method != nullptr && *method == 2 && triangles != nullptr;
    if (g.count == 3) {
        g.triangles[0] = 1;
        g.triangles[1] = 2;
        g.triangles[2] = 3;
        g.triangleCount = 1;
    } else {
        float fx[kGradientVertices], fy[kGradientVertices];
        for (int k = 0; k < g.count; ++k) {
            fx[k] = static_cast<float>(g.x[k]);
            fy[k] = static_cast<float>(g.y[k]);
        }
        yypolygondecompose_(fx, fy, &g.count, g.triangles, &g.triangleCount);
        if (g.triangleCount == 0) return;
    }
    if (device) {
        int status = 1;
        triangles(g.x, g.y, g.colour, g.triangles, &g.count, &g.triangleCount, &status);
        if (status == 0) return;
    }
    for (int t = 0; t < g.triangleCount; ++t)
        yygradienttriangle_(g.triangles + 3 * t, cx1, cy1, cx2, cy2, point);
}
