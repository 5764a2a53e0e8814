// Polygon decomposition and the gradient fill: triangles that cover the outline exactly, merged
// vertex lists, and the colours the scanline filler sets.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "base/errors.h"
#include "graphics/gradient_fill.h"
#include "error_status.h"

namespace {

using quill::gGradient;

double Area(const std::vector<float> &x, const std::vector<float> &y) {
    double a = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const std::size_t j = (i + 1) % x.size();
        a += static_cast<double>(x[i]) * y[j] - static_cast<double>(x[j]) * y[i];
    }
    return a / 2;
}

// Decomposes the outline and checks what every caller relies on: N - 2 triangles of vertices
// of the outline, each turning the way the outline turns, together covering its area.
void ExpectTriangulated(const std::vector<float> &x, const std::vector<float> &y) {
    const int n = static_cast<int>(x.size());
    std::vector<int> tri(3 * static_cast<std::size_t>(n));
    int count = -1;
    yypolygondecompose_(x.data(), y.data(), &n, tri.data(), &count);
    EXPECT_EQ(LastError(), 0);
    ASSERT_EQ(count, n - 2);
    const double whole = Area(x, y);
    double sum = 0;
    for (int t = 0; t < count; ++t) {
        std::vector<float> tx, ty;
        for (int k = 0; k < 3; ++k) {
            const int v = tri[3 * static_cast<std::size_t>(t) + static_cast<std::size_t>(k)];
            ASSERT_GE(v, 1);
            ASSERT_LE(v, n);
            tx.push_back(x[static_cast<std::size_t>(v - 1)]);
            ty.push_back(y[static_cast<std::size_t>(v - 1)]);
        }
        const double a = Area(tx, ty);
        EXPECT_GE(a * whole, 0) << "triangle " << t << " turns against the outline";
        sum += a;
    }
    EXPECT_NEAR(sum, whole, 1e-6 * std::fabs(whole));
}

TEST(PolygonDecomposition, ConvexConcaveAndCollinearOutlinesInBothOrientations) {
    LastError();
    const std::vector<std::pair<std::vector<float>, std::vector<float>>> outlines = {
        {{0, 4, 4, 0}, {0, 0, 3, 3}},                          // square
        {{0, 6, 6, 4, 4, 2, 2, 0}, {0, 0, 6, 6, 2, 2, 6, 6}},  // U shape
        {{0, 10, 10, 5, 0}, {0, 0, 10, 3, 10}},                // notch reaching inside
        {{0, 1, 2, 3, 3, 3, 0}, {0, 0, 0, 0, 1, 2, 2}},        // points on straight edges
        {{0, 8, 8, 1, 1, 7, 7, 0}, {0, 0, 3, 3, 5, 5, 8, 8}},  // S-like hook
        {{5, 6, 9, 6.5f, 8, 5, 2, 3.5f, 1, 4}, {0, 3, 3, 5, 8, 6, 8, 5, 3, 3}},  // star
    };
    for (const auto &o : outlines) {
        SCOPED_TRACE(o.first.size());
        ExpectTriangulated(o.first, o.second);
        const std::vector<float> rx(o.first.rbegin(), o.first.rend());
        const std::vector<float> ry(o.second.rbegin(), o.second.rend());
        ExpectTriangulated(rx, ry);
    }
    // A comb of 200 teeth decomposes as well.
    std::vector<float> x, y;
    for (int k = 0; k < 200; ++k) {
        x.insert(x.end(), {2.0f * k, 2.0f * k + 1});
        y.insert(y.end(), {10, 1});
    }
    x.insert(x.end(), {400, 0});
    y.insert(y.end(), {0, 0});
    ExpectTriangulated(x, y);
}

TEST(PolygonDecomposition, CrossingOutlinesRaise28AndTooFewVerticesGiveNothing) {
    LastError();
    int tri[30], count = -1;
    auto run = [&](std::vector<float> x, std::vector<float> y) {
        const int n = static_cast<int>(x.size());
        count = -1;
        yypolygondecompose_(x.data(), y.data(), &n, tri, &count);
        return LastError();
    };
    EXPECT_EQ(run({0, 4, 4, 0}, {0, 4, 0, 4}), 28);  // bow-tie
    EXPECT_EQ(count, 0);
    EXPECT_EQ(run({0, 6, 6, 1, 5, 0}, {0, 0, 4, 1, 1, 4}), 28);  // lopsided crossing
    EXPECT_EQ(count, 0);
    EXPECT_EQ(run({0, 4, 2, 4, 0}, {0, 0, 2, 4, 4}), 0);  // a proper notch is fine
    EXPECT_EQ(count, 3);
    EXPECT_EQ(run({0, 4, 2, 2, 0}, {0, 0, 0, 3, 3}), 28);  // an edge runs back over itself
    EXPECT_EQ(run({0, 1, 2}, {0, 1, 2}), 28);              // all on one line
    EXPECT_EQ(run({0, 1}, {0, 1}), 0);
    EXPECT_EQ(count, 0);
}

// Pixels set by the filler, by position.
std::map<std::pair<int, int>, int> gPixels;
void Collect(const int *x, const int *y, const int *rgb) { gPixels[{*x, *y}] = *rgb; }

// What a device triangle routine was handed.
struct Handed {
    std::vector<std::vector<int>> vertices;  // x, y, colour
    int triangles = 0;
    int answer = 0;
} gHanded;
void Device(const int *x, const int *y, const int *c, const int *, const int *nv, const int *nt,
            int *status) {
    gHanded.vertices.clear();
    for (int k = 0; k < *nv; ++k) gHanded.vertices.push_back({x[k], y[k], c[k]});
    gHanded.triangles = *nt;
    *status = gHanded.answer;
}

struct GradientFill : ::testing::Test {
    void SetUp() override {
        gPixels.clear();
        gHanded = Handed{};
        LastError();
    }
    static void Vertices(std::vector<std::vector<int>> v) {
        gGradient.count = static_cast<int>(v.size());
        for (std::size_t k = 0; k < v.size(); ++k) {
            gGradient.x[k] = v[k][0];
            gGradient.y[k] = v[k][1];
            gGradient.colour[k] = v[k][2];
        }
    }
    static void Fill(int method, int cx1 = 0, int cy1 = 0, int cx2 = 999, int cy2 = 999) {
        yygradientfill_(&method, &cx1, &cy1, &cx2, &cy2, Collect, Device);
    }
};

constexpr int kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;

TEST_F(GradientFill, TheFillerBlendsTheCornerColours) {
    Vertices({{0, 0, kRed}, {60, 0, kGreen}, {0, 60, kBlue}});
    Fill(1);
    EXPECT_EQ(gPixels.at({0, 0}), kRed);
    EXPECT_EQ(gPixels.at({60, 0}), kGreen);
    EXPECT_EQ(gPixels.at({0, 60}), kBlue);  // the apex row: both crossings at x 0
    EXPECT_EQ(gPixels.at({20, 20}), 0x555555);
    EXPECT_EQ(gPixels.count({31, 30}), 0u);
    EXPECT_EQ(gPixels.size(), 61u * 62u / 2u);
    EXPECT_TRUE(gHanded.vertices.empty());

    // A clip rectangle given with its corners in either order limits the pixels.
    gPixels.clear();
    Fill(1, 10, 30, 5, 20);
    for (const auto &p : gPixels) {
        EXPECT_TRUE(p.first.first >= 5 && p.first.first <= 10);
        EXPECT_TRUE(p.first.second >= 20 && p.first.second <= 30);
    }
    EXPECT_EQ(gPixels.size(), 6u * 11u);

    // A triangle wholly above or below the clip rectangle sets nothing.
    gPixels.clear();
    Fill(1, 0, 61, 999, 999);
    Fill(1, 0, -50, 999, -1);
    EXPECT_TRUE(gPixels.empty());
}

TEST_F(GradientFill, TheDeviceRoutineGoesFirstAndTheFillerStandsInWhenItFails) {
    Vertices({{0, 0, kRed}, {8, 0, kGreen}, {8, 8, kBlue}, {0, 8, kRed}});
    Fill(2);
    EXPECT_EQ(gHanded.vertices.size(), 4u);
    EXPECT_EQ(gHanded.triangles, 2);
    EXPECT_TRUE(gPixels.empty());

    gHanded.answer = 1;
    Vertices({{0, 0, kRed}, {8, 0, kGreen}, {8, 8, kBlue}, {0, 8, kRed}});
    Fill(2);
    EXPECT_EQ(gPixels.size(), 81u);
    EXPECT_EQ(gPixels.at({8, 8}), kBlue);

    // Method 1 never asks the device.
    gHanded = Handed{};
    gPixels.clear();
    Vertices({{0, 0, kRed}, {8, 0, kGreen}, {8, 8, kBlue}});
    Fill(1);
    EXPECT_TRUE(gHanded.vertices.empty());
    EXPECT_FALSE(gPixels.empty());
}

TEST_F(GradientFill, CoincidentVerticesMergeWithTheMeanColour) {
    // A closing vertex that repeats the first: the triangle, its first corner the mean colour.
    Vertices({{0, 0, 0x000010}, {8, 0, kGreen}, {0, 8, kBlue}, {0, 0, 0x000030}});
    Fill(2);
    ASSERT_EQ(gHanded.vertices.size(), 3u);
    EXPECT_EQ(gHanded.vertices[0], (std::vector<int>{0, 0, 0x000020}));

    // Two coincident vertices in the middle of five become one with the mean colour.
    Vertices({{0, 0, kRed}, {8, 0, 0x204060}, {8, 0, 0x406080}, {8, 8, kBlue}, {0, 8, kRed}});
    Fill(2);
    ASSERT_EQ(gHanded.vertices.size(), 4u);
    EXPECT_EQ(gHanded.vertices[1], (std::vector<int>{8, 0, 0x305070}));
    EXPECT_EQ(gHanded.triangles, 2);

    // Three vertices of which two coincide, a fourth repeating the first of three, more than
    // 1000 vertices, or a crossing outline: nothing is drawn.
    gHanded = Handed{};
    Vertices({{0, 0, kRed}, {8, 0, kGreen}, {0, 0, kBlue}});
    Fill(2);
    Vertices({{0, 0, kRed}, {0, 0, kGreen}, {8, 8, kBlue}});
    Fill(2);
    Vertices({{0, 0, kRed}, {8, 0, kGreen}, {8, 8, kBlue}});
    gGradient.count = 1001;
    Fill(2);
    EXPECT_TRUE(gHanded.vertices.empty());
    EXPECT_TRUE(gPixels.empty());
    Vertices({{0, 0, kRed}, {8, 8, kGreen}, {8, 0, kBlue}, {0, 8, kRed}});
    Fill(2);
    EXPECT_EQ(LastError(), 28);
    EXPECT_TRUE(gHanded.vertices.empty());
}

TEST(GradientPoints, PositionsAreTruncatedAndFlipped) {
    const float x[] = {0.9f, -0.5f, 10.2f, -2.0f};
    const float y[] = {0.0f, 5.7f, -0.2f, 99.0f};
    gGradient.count = 4;
    quill::GradientPointsFromPolygon(x, y, 99);
    EXPECT_EQ(gGradient.x[0], 0);
    EXPECT_EQ(gGradient.x[1], -1);
    EXPECT_EQ(gGradient.x[2], 10);
    EXPECT_EQ(gGradient.x[3], -2);
    EXPECT_EQ(gGradient.y[0], 99);
    EXPECT_EQ(gGradient.y[1], 94);
    EXPECT_EQ(gGradient.y[2], 100);
    EXPECT_EQ(gGradient.y[3], 0);
}

}  // namespace
