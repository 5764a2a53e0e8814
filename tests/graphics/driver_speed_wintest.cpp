// Speed of drawing through the driver protocol against the same drawing as plain GDI calls, on
// a 1000 x 1000 memory bitmap. Disabled: bench/driver_ratio.sh runs it and prints the ratios.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "graphics/driver_protocol.h"
#include "graphics/drawing_target.h"
#include "graphics/graphics_state.h"
#include "library_root.h"

namespace {

constexpr int kSize = 1000, kLines = 200000, kPolygons = 20000, kCorners = 16;

// Deterministic positions.
struct Positions {
    unsigned state = 12345;
    int Next() {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 8) % kSize);
    }
};

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class DriverSpeed : public LibraryRoot {};

TEST_F(DriverSpeed, DISABLED_LinesAndPolygonsAgainstPlainGdi) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kSize, kSize);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(bitmap, nullptr);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);

    // The memory bitmap as drawing target of the screen driver.
    HDC savedDC = quill::Target().dc;
    const GraphicsState saved = gGraphics;
    yygrselectnone_();
    quill::Target().dc = memory;
    gGraphics.kind = kDrawBitmap;
    gGraphics.id = 1;
    const int kind = kDrawBitmap, id = 1, size = kSize;
    yyresn_(&kind, &id, &size, &size);
    int colour = 31;
    igrcolourn_(&colour);

    Positions p;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kLines; ++i) {
        quill::SetPoint(1, static_cast<float>(p.Next()), static_cast<float>(p.Next()));
        quill::SetPoint(2, static_cast<float>(p.Next()), static_cast<float>(p.Next()));
        const int op = kOpLine;
        yygdrv_(&op);
    }
    const double driverLines = Seconds(start);

    p = Positions();
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ oldPen = SelectObject(memory, pen);
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < kLines; ++i) {
        const int x1 = p.Next(), y1 = p.Next(), x2 = p.Next(), y2 = p.Next();
        MoveToEx(memory, x1, kSize - 1 - y1, nullptr);
        LineTo(memory, x2, kSize - 1 - y2);
        SetPixel(memory, x2, kSize - 1 - y2, RGB(255, 0, 0));
    }
    const double rawLines = Seconds(start);

    std::vector<float> xs(kCorners), ys(kCorners);
    std::vector<POINT> points(kCorners);
    auto makePolygon = [&](Positions &q) {
        const float cx = static_cast<float>(q.Next()), cy = static_cast<float>(q.Next());
        const float r = static_cast<float>(q.Next() % 50 + 5);
        for (int k = 0; k < kCorners; ++k) {
            const float a = 6.2831853f * k / kCorners;
            xs[k] = cx + r * std::cos(a);
            ys[k] = cy + r * std::sin(a);
            points[k] = {static_cast<int>(xs[k]), kSize - 1 - static_cast<int>(ys[k])};
        }
    };
    p = Positions();
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < kPolygons; ++i) {
        makePolygon(p);
        quill::SetPolygon(xs.data(), ys.data(), kCorners);
        const int op = kOpPolygonSolid;
        yygdrv_(&op);
    }
    const double driverPolygons = Seconds(start);

    p = Positions();
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ oldBrush = SelectObject(memory, brush);
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < kPolygons; ++i) {
        makePolygon(p);
        Polygon(memory, points.data(), kCorners);
    }
    const double rawPolygons = Seconds(start);

    SelectObject(memory, oldBrush);
    SelectObject(memory, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
    yygrselectnone_();
    gGraphics = saved;
    quill::Target().dc = savedDC;
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);

    std::printf("driver_lines_s %.3f\nraw_lines_s %.3f\nlines_ratio %.2f\n", driverLines, rawLines,
                rawLines / driverLines);
    std::printf("driver_polygons_s %.3f\nraw_polygons_s %.3f\npolygons_ratio %.2f\n",
                driverPolygons, rawPolygons, rawPolygons / driverPolygons);
}

}  // namespace
