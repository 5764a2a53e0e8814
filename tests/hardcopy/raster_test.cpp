// The memory raster: lines, fills, figures, images and page sizes as pixels of the raster,
// drawn through the image file driver, which owns a raster of the size its options give.
#include "plot_readers.h"

#include "graphics/gradient_fill.h"
#include "graphics/palette.h"
#include "hardcopy/drivers.h"
#include "hardcopy/image_codec.h"
#include "hardcopy/memory_raster.h"

#include <algorithm>
#include <cstring>
#include <random>

namespace {

class Raster : public PlotTest {
protected:
    void SetUp() override {
        PlotTest::SetUp();
        yypali_();
    }
    // Opens a W x H raster of BITS on the image file driver (drawable 1000 x 700).
    void OpenRaster(int bits, int w = 1000, int h = 700) {
        Select(kDeviceImageFile);
        Option(1, w);
        Option(2, h);
        Option(23, bits);
        Option(26, 3);
        OpenSelected("raster.png");
        ASSERT_EQ(1, gHardcopy.open);
    }
    // A 1000 x 700 raster of 24 bits on a drawable of as many device units: a point's device
    // coordinates are its pixel's.
    void OpenPixelRaster() {
        gGraphics.deviceWidth = 1000, gGraphics.deviceHeight = 700;
        OpenRaster(24);
        ASSERT_EQ(1.0, gRaster.scaleX);
        ASSERT_EQ(1.0, gRaster.scaleY);
    }
    void SetColour(int rgb) {
        gGraphics.prevColour = gGraphics.colour;
        int index = 0;
        yyrgbto8_(&rgb, &index);
        gGraphics.colour = {index, rgb, 0};
        quill::SendOp(kOpColour, kSideHardcopy);
    }
    void Op(int op) { quill::SendOp(op, kSideHardcopy); }
    // Op 7 on the points (X[k], Y[k]) with integer operand MODE.
    void FourPoints(const float (&x)[4], const float (&y)[4], int mode) {
        for (int k = 0; k < 4; ++k) quill::SetPoint(k + 1, x[k], y[k]);
        gOperands.Id(1) = mode;
        Op(kOpQuadPattern);
    }
    // Pixels of value V in columns X1..X2 of rows Y1..Y2.
    int Count(std::uint32_t v, int x1 = 0, int y1 = 0, int x2 = 999, int y2 = 699) {
        int n = 0;
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x) n += quill::RasterPixel(x, y) == v;
        return n;
    }
};

TEST_F(Raster, LinesAreThickDashedAndClipped) {
    OpenRaster(24);
    SetColour(0);
    Line(0, 0, 999.99f, 0);
    EXPECT_EQ(1000, Count(0, 0, 0, 999, 0)) << "a full-width line at y 0 sets one row";
    EXPECT_EQ(0, Count(0, 0, 1, 999, 699));
    EXPECT_EQ(1, gHardcopy.pagePending);
    // Far outside and through the raster: only the part inside is drawn.
    Line(-50000, -35000, 50000, 35000);
    quill::SetPoint(1, -20, 30000);
    Op(kOpPoint);
    EXPECT_GT(Count(0, 0, 1, 999, 699), 600);
    Op(kOpClear);
    // 5 points wide at 150 pixels an inch: 10 rows.
    Option(9, 50);
    Line(100, 300, 900, 300);
    EXPECT_EQ(10, Count(0, 500, 0, 500, 699));
    EXPECT_EQ(10, Count(0, 500, 296, 500, 305));
    Op(kOpClear);
    Option(9, 5);
    gGraphics.lineType = 2;
    Op(kOpLineType);
    Line(0, 10, 999, 500);
    const int dashed = Count(0);
    EXPECT_GT(dashed, 300);
    EXPECT_LT(dashed, 900);
    // A clip rectangle keeps everything inside it.
    Op(kOpClear);
    gGraphics.lineType = 0;
    Op(kOpLineType);
    gGraphics.cx1 = 200, gGraphics.cy1 = 100, gGraphics.cx2 = 299, gGraphics.cy2 = 199;
    Op(kOpClip);
    Rectangle(0, 0, 999, 699);
    Line(0, 150, 999, 150);
    EXPECT_EQ(100 * 100, Count(0));
    EXPECT_EQ(100 * 100, Count(0, 200, 100, 299, 199));
}

TEST_F(Raster, PolylineJointsAndDashesContinue) {
    OpenRaster(24);
    SetColour(0);
    gGraphics.lineType = 1;
    Op(kOpLineType);
    // The same dotted line in one piece and in two pieces meeting at a joint.
    Polyline({0, 999}, {50, 50});
    const int whole = Count(0);
    Op(kOpClear);
    Op(kOpLineType);
    Polyline({0, 400, 999}, {50, 50, 50});
    EXPECT_EQ(whole, Count(0)) << "the joint is not counted twice in the dash pattern";
}

// Lines as the raster's line algorithm describes them, stepped pixel by pixel over their
// whole length: thickness + 1 parallel Bresenham lines, each from the same dash state, a pixel
// set where the dash bit is on; solid horizontal and vertical lines as rows and columns. The
// reference for the raster, which may skip what lies outside its clip rectangle.
struct SteppedLines {
    int left = 0, bottom = 0, right = 999, top = 699;  // clip rectangle
    std::vector<char> set = std::vector<char>(1000 * 700, 0);
    int dash = 0xFFF, bit = 0, run = 1, unit = 2;
    int thickX = 0, thickY = 0, lastX = -9999, lastY = -9999;

    void Put(long long x, long long y) {
        if (x >= left && x <= right && y >= bottom && y <= top)
            set[static_cast<std::size_t>(y * 1000 + x)] = 1;
    }
    void LineType(int pattern) { dash = pattern, bit = 0, run = 1, lastX = lastY = -9999; }
    void Line(long long ax, long long ay, long long bx, long long by, bool skip) {
        if (dash == 0xFFF && (ay == by || ax == bx)) {
            const bool across = ay == by;
            const int thick = across ? thickY : thickX;
            for (int k = 0; k <= thick; ++k)
                for (long long t = across ? std::min(ax, bx) : std::min(ay, by);
                     t <= (across ? std::max(ax, bx) : std::max(ay, by)); ++t)
                    across ? Put(t, ay - thick / 2 + k) : Put(ax - thick / 2 + k, t);
            return;
        }
        const long long dx = std::llabs(bx - ax), dy = std::llabs(by - ay);
        const bool xmajor = dx >= dy;
        const int thick = xmajor ? thickY : thickX;
        const long long steps = xmajor ? dx : dy;
        int endBit = bit, endRun = run;
        for (int k = 0; k <= thick; ++k) {
            long long x = ax + (xmajor ? 0 : k - thick / 2), y = ay + (xmajor ? k - thick / 2 : 0);
            long long err = 0;
            int b = bit, n = run;
            for (long long i = 0; i <= steps; ++i) {
                if (!(skip && i == 0)) {
                    if ((dash >> b) & 1) Put(x, y);
                    if (++n > unit) n = 1, b = (b + 1) % 12;
                }
                if (xmajor) {
                    x += bx >= ax ? 1 : -1, err += dy;
                    if (2 * err >= dx) y += by >= ay ? 1 : -1, err -= dx;
                } else {
                    y += by >= ay ? 1 : -1, err += dx;
                    if (2 * err >= dy) x += bx >= ax ? 1 : -1, err -= dy;
                }
            }
            endBit = b, endRun = n;
        }
        bit = endBit, run = endRun;
    }
    void Polyline(const std::vector<long long> &x, const std::vector<long long> &y) {
        for (std::size_t k = 1; k < x.size(); ++k)
            Line(x[k - 1], y[k - 1], x[k], y[k], k > 1 || (x[0] == lastX && y[0] == lastY));
        lastX = static_cast<int>(x.back()), lastY = static_cast<int>(y.back());
    }
};

// Lines of up to 40,000 pixels, most of them reaching far outside the raster or its clip
// rectangle, thick and thin, solid and dashed, alone and in polylines: the raster holds
// exactly the pixels of the same lines stepped whole, and the dash pattern of each line goes
// on from where the one before ended, also when that one ended outside.
TEST_F(Raster, LinesDrawThePixelsOfTheirWholeStepping) {
    OpenPixelRaster();
    SetColour(0);
    const int patterns[7] = {0xFFF, 0x104, 0xE07, 0x1E1, 0x3C9, 0xCE7, 0x8E3};
    const int widths[3][2] = {{5, 0}, {15, 2}, {40, 7}};  // option 9, thickness - 1
    std::mt19937 random(20240611);
    auto coordinate = [&](int span) {
        return static_cast<long long>(random() % (2 * span + 1)) - span + (span > 1000 ? 500 : 0);
    };
    SteppedLines whole;
    for (int batch = 0; batch < 8; ++batch) {
        if (batch % 2 == 1) {
            gGraphics.cx1 = 100, gGraphics.cy1 = 80, gGraphics.cx2 = 899, gGraphics.cy2 = 619;
        } else {
            gGraphics.cx1 = 0, gGraphics.cy1 = 0, gGraphics.cx2 = 999, gGraphics.cy2 = 699;
        }
        Op(kOpClip);
        whole.left = static_cast<int>(gGraphics.cx1), whole.right = static_cast<int>(gGraphics.cx2);
        whole.bottom = static_cast<int>(gGraphics.cy1), whole.top = static_cast<int>(gGraphics.cy2);
        // Slopes of 1/2 and 2 meet the rectangle's sides exactly halfway between two pixels.
        const long long ties[4][4] = {{-600, -500, 3400, 1500},
                                      {2000, 1350, -2000, -650},
                                      {-500, -600, 1500, 3400},
                                      {2000, 2700, 0, -1300}};
        for (const auto &t : ties) {
            Line(static_cast<float>(t[0] + batch), static_cast<float>(t[1]),
                 static_cast<float>(t[2] + batch), static_cast<float>(t[3]));
            whole.Line(t[0] + batch, t[1], t[2] + batch, t[3], false);
        }
        for (int n = 0; n < 24; ++n) {
            const int type = static_cast<int>(random() % 7);
            gGraphics.lineType = type;
            Op(kOpLineType);
            whole.LineType(patterns[type]);
            const int width = static_cast<int>(random() % 3);
            Option(9, widths[width][0]);
            whole.thickX = whole.thickY = widths[width][1];
            const int span = n % 3 == 0 ? 600 : 20000;
            std::vector<long long> x, y;
            const int points = n % 4 == 3 ? 4 : 2;
            for (int k = 0; k < points; ++k) {
                x.push_back(coordinate(span));
                y.push_back(n % 5 == 4 && k == 1 ? y[0] : coordinate(span));
            }
            if (n % 6 == 5) x[1] = x[0];  // upright
            std::vector<float> fx(x.begin(), x.end()), fy(y.begin(), y.end());
            if (points == 2) {
                Line(fx[0], fy[0], fx[1], fy[1]);
                whole.Line(x[0], y[0], x[1], y[1], false);
                whole.lastX = static_cast<int>(x[1]), whole.lastY = static_cast<int>(y[1]);
            } else {
                Polyline(fx, fy);
                whole.Polyline(x, y);
            }
            // The next line of the same type continues the pattern: a short one inside.
            const long long cx = 200 + n * 20, cy = 100 + n * 20;
            Line(static_cast<float>(cx), static_cast<float>(cy), static_cast<float>(cx + 150),
                 static_cast<float>(cy + 37));
            whole.Line(cx, cy, cx + 150, cy + 37, false);
            whole.lastX = static_cast<int>(cx + 150), whole.lastY = static_cast<int>(cy + 37);
        }
        int differ = 0, drawn = 0;
        for (int py = 0; py < 700; ++py)
            for (int px = 0; px < 1000; ++px) {
                const bool dark = quill::RasterPixel(px, py) == 0;
                drawn += dark;
                if (dark != (whole.set[static_cast<std::size_t>(py * 1000 + px)] != 0) &&
                    differ++ < 5)
                    ADD_FAILURE() << "batch " << batch << " pixel " << px << ", " << py;
            }
        EXPECT_EQ(0, differ) << "batch " << batch;
        EXPECT_GT(drawn, 5000) << "batch " << batch;
        Op(kOpClear);
        std::fill(whole.set.begin(), whole.set.end(), 0);
    }
}

// Lines that start or end about a billion pixels off the page draw, on the page, exactly what
// shorter lines along the same pixels draw: the far line's pixels are the near line's, moved
// along it by a whole number of its pixel periods, and its dash pattern is in the same phase
// there. (Stepping such lines whole would take minutes.)
TEST_F(Raster, LinesFromFarOffThePageDrawWhatTheirPartOnThePageDraws) {
    OpenPixelRaster();
    SetColour(0);
    struct Case {
        int px, py;             // direction, in lowest terms
        long long cx, cy;       // a point of the line on the page (multiples of 64)
        long long nearA, farA;  // steps back to the start, in directions
        long long nearB, farB;  // steps on to the end
        int type, width;
    };
    // Far points are multiples of 64 below 2^30, so that the float operands hold them exactly;
    // far and near lengths differ by multiples of 192 directions (dash period 24 pixels).
    const Case cases[] = {
        {7, 5, 512, 320, 192, 192 + 666666 * 192, 0, 0, 2, 40},
        {-3, 11, 640, 256, 192, 192 + 426135 * 192, 192, 192, 4, 15},
        {1, 0, 128, 384, 1152, 1152 + 4600000 * 192, 1152, 1152, 3, 40},
        {0, -1, 320, 192, 768, 768 + 4600000 * 192, 768, 768, 0, 40},
        {-1000, -1, 448, 448, 192, 192 + 4686 * 192, 0, 0, 5, 5},
        {2, -1, 0, 640, 0, 0, 576, 576 + 2343747 * 192, 1, 15},
    };
    for (const Case &c : cases) {
        std::vector<char> drawn[2];
        for (int far = 0; far < 2; ++far) {
            gGraphics.lineType = c.type;
            Op(kOpLineType);
            Option(9, c.width);
            const long long a = far ? c.farA : c.nearA, b = far ? c.farB : c.nearB;
            Line(static_cast<float>(c.cx - a * c.px), static_cast<float>(c.cy - a * c.py),
                 static_cast<float>(c.cx + b * c.px), static_cast<float>(c.cy + b * c.py));
            // The pattern goes on in the same phase.
            Line(100, 600, 900, 650);
            for (int y = 0; y < 700; ++y)
                for (int x = 0; x < 1000; ++x)
                    drawn[far].push_back(quill::RasterPixel(x, y) == 0 ? 1 : 0);
            Op(kOpClear);
        }
        EXPECT_GT(std::count(drawn[0].begin(), drawn[0].end(), 1), 500) << c.px;
        EXPECT_TRUE(drawn[0] == drawn[1]) << c.px << ", " << c.py;
    }
}

TEST_F(Raster, OneBitFillsMarkDarkPixelsAndTheColourRuleInvertsThem) {
    OpenRaster(1, 200, 140);
    const int area = 40 * 40;
    struct Case {
        int rgb, rule;
        int low, high;
    } cases[] = {{0x000000, 0, area, area},
                 {0xFFFFFF, 0, 0, 0},
                 {0x808080, 0, area / 3, 2 * area / 3},
                 {0x000000, 1, 0, 0},
                 {0xFFFFFF, 1, area, area}};
    for (const Case &c : cases) {
        Op(kOpClear);
        Option(6, c.rule);
        SetColour(c.rgb);
        Rectangle(100, 100, 299, 299);  // device units: pixels 20..59
        const int marked = Count(1, 0, 0, 199, 139);
        EXPECT_GE(marked, c.low) << std::hex << c.rgb << " rule " << c.rule;
        EXPECT_LE(marked, c.high) << std::hex << c.rgb << " rule " << c.rule;
        EXPECT_EQ(marked, Count(1, 20, 20, 59, 59));
    }
    // Lines: a dot for every colour but white, with the rule for every colour but black.
    Op(kOpClear);
    Option(6, 0);
    SetColour(0);
    Line(0, 500, 999, 500);
    EXPECT_EQ(200, Count(1));
    Option(6, 1);
    SetColour(0xFFFFFF);
    Line(0, 600, 999, 600);
    EXPECT_EQ(400, Count(1));
    SetColour(0);
    Line(0, 500, 999, 500);
    EXPECT_EQ(200, Count(1));
}

TEST_F(Raster, FiguresFillTheirInsides) {
    OpenRaster(8);
    SetColour(0);
    const std::uint32_t black = static_cast<std::uint32_t>(gGraphics.colour.index);
    Triangle(100, 100, 300, 100, 200, 300);
    EXPECT_EQ(black, quill::RasterPixel(200, 150));
    EXPECT_EQ(0u, quill::RasterPixel(120, 280));
    Ellipse(600, 400, 100, 50);
    EXPECT_EQ(black, quill::RasterPixel(600, 400));
    EXPECT_EQ(black, quill::RasterPixel(690, 400));
    EXPECT_EQ(0u, quill::RasterPixel(600, 460));
    EXPECT_EQ(0u, quill::RasterPixel(520, 450)) << "outside the ellipse, inside its box";
    Polygon({800, 900, 900, 800}, {100, 100, 200, 200});
    EXPECT_EQ(black, quill::RasterPixel(850, 150));
    // The spans of a figure end with it: a later line is a line again.
    Line(0, 650, 999, 690);
    EXPECT_EQ(black, quill::RasterPixel(0, 650));
    EXPECT_EQ(0u, quill::RasterPixel(999, 650));
    FourPoints({100, 200, 180, 120}, {500, 500, 600, 600}, 0);
    EXPECT_EQ(black, quill::RasterPixel(150, 550));
    EXPECT_EQ(0u, quill::RasterPixel(105, 595));
    // A fill style below 3 draws nothing; the ellipse declines with -1.
    Op(kOpClear);
    gFigureFill.style = 2;
    quill::SetPoint(1, 500, 300);
    quill::SetPoint(2, 100, 100);
    gOperands.Id(1) = 0;
    Op(kOpEllipsePattern);
    EXPECT_EQ(-1, gOperands.Id(1));
    Rectangle(0, 0, 999, 699);
    EXPECT_EQ(1000 * 700, Count(0));
}

// A four-point figure (lower edge 1-2, upper edge 4-3) fills every row between its upper and
// lower limits from its left edge to its right edge; with integer operand 1 its sides are the
// columns of points 1 and 2 and each row stops at the slanted edges. A triangle spans each
// row between its edges at their truncated crossings.
TEST_F(Raster, FourPointFiguresAndTrianglesFillByTheirEdges) {
    OpenRaster(8);
    SetColour(0);
    const std::uint32_t black = static_cast<std::uint32_t>(gGraphics.colour.index);
    auto four = [&](int mode) { FourPoints({100, 200, 200, 100}, {500, 550, 650, 600}, mode); };
    // Vertical sides at 100 and 200: every row from 650 down to 500 is whole, also below the
    // lower edge and above the upper one.
    four(0);
    EXPECT_EQ(151 * 101, Count(black));
    EXPECT_EQ(black, quill::RasterPixel(190, 505));
    EXPECT_EQ(black, quill::RasterPixel(110, 645));
    EXPECT_EQ(0u, quill::RasterPixel(150, 499));
    EXPECT_EQ(0u, quill::RasterPixel(150, 651));
    Op(kOpClear);
    // Integer operand 1: row 505 meets the lower edge at 110, row 645 the upper one at 190.
    four(1);
    EXPECT_EQ(0u, quill::RasterPixel(111, 505));
    EXPECT_EQ(black, quill::RasterPixel(110, 505));
    EXPECT_EQ(black, quill::RasterPixel(100, 505));
    EXPECT_EQ(0u, quill::RasterPixel(189, 645));
    EXPECT_EQ(black, quill::RasterPixel(190, 645));
    EXPECT_EQ(101, Count(black, 0, 575, 999, 575));
    EXPECT_EQ(51 * 51 + 49 * 101 + 51 * 51, Count(black));
    Op(kOpClear);
    // All four points on one row: one span from the leftmost of 1 and 4 to the rightmost of 2
    // and 3.
    FourPoints({400, 450, 500, 350}, {300, 300, 300, 300}, 0);
    EXPECT_EQ(151, Count(black));
    EXPECT_EQ(black, quill::RasterPixel(350, 300));
    Op(kOpClear);
    // Triangle: on row 101 the right edge stands at 299.5, on row 299 the edges at 199.5 and
    // 200.5; truncated, they end the spans at 299 and 199..200.
    Triangle(100, 100, 300, 100, 200, 300);
    EXPECT_EQ(201, Count(black, 0, 100, 999, 100));
    EXPECT_EQ(black, quill::RasterPixel(299, 101));
    EXPECT_EQ(0u, quill::RasterPixel(300, 101));
    EXPECT_EQ(2, Count(black, 0, 299, 999, 299));
    EXPECT_EQ(black, quill::RasterPixel(199, 299));
    EXPECT_EQ(0u, quill::RasterPixel(201, 299));
    EXPECT_EQ(1, Count(black, 0, 300, 999, 300));
    // A clip rectangle cuts the rows and the spans.
    Op(kOpClear);
    gGraphics.cx1 = 150, gGraphics.cy1 = 150, gGraphics.cx2 = 179, gGraphics.cy2 = 159;
    Op(kOpClip);
    Triangle(100, 100, 300, 100, 200, 300);
    EXPECT_EQ(30 * 10, Count(black));
}

TEST_F(Raster, ImageFilesFillTheClipRectangleAndFailuresAreReturned) {
    quill::ImagePixels image;
    ASSERT_TRUE(image.Allocate(4, 2, 24));
    const std::uint32_t colours[8] = {0x0000FF, 0x00FF00, 0xFF0000, 0x123456,
                                      0x000000, 0xFFFFFF, 0x808080, 0x00FFFF};
    for (int k = 0; k < 8; ++k) {
        unsigned char *p = image.Row(k / 4) + 3 * (k % 4);
        p[0] = static_cast<unsigned char>(colours[k] >> 16);
        p[1] = static_cast<unsigned char>(colours[k] >> 8);
        p[2] = static_cast<unsigned char>(colours[k]);
    }
    std::vector<unsigned char> png;
    int z = 0;
    ASSERT_EQ(0, quill::EncodePng(image, png, &z));
    std::string file = Name("four.png");
    ASSERT_EQ(0, quill::WriteImageFile(file, png, &z));
    OpenRaster(24, 40, 20);
    quill::SetText(file.data(), file.size());
    Op(kOpImage);
    EXPECT_EQ(0, gOperands.Id(1));
    for (int k = 0; k < 8; ++k) {
        // Picture row 0 is the top: raster rows 10..19.
        const int x = (k % 4) * 10, y = k < 4 ? 19 : 0;
        EXPECT_EQ(colours[k], quill::RasterPixel(x, y) & 0xFFFFFF) << k;
        EXPECT_EQ(colours[k], quill::RasterPixel(x + 9, y < 10 ? 9 : 10) & 0xFFFFFF) << k;
    }
    Op(kOpClear);
    std::string missing = Name("missing.png");
    quill::SetText(missing.data(), missing.size());
    Op(kOpImage);
    EXPECT_EQ(1, gOperands.Id(1));
    std::string bad = Name("bad.png");
    png.resize(40);
    quill::WriteImageFile(bad, png, &z);
    quill::SetText(bad.data(), bad.size());
    Op(kOpImage);
    EXPECT_NE(0, gOperands.Id(1));
    EXPECT_EQ(40 * 20, Count(0xFFFFFFFFu, 0, 0, 39, 19)) << "nothing drawn";
    int item = 1;
    EXPECT_EQ(0, infoerror_(&item)) << "reading for the raster reports nothing";
}

TEST_F(Raster, PagesTooLargeShrinkWithOneReport) {
    int item = 1;
    ASSERT_TRUE(quill::BeginMemoryRaster(1000000, 500000, 24, 0, 150, 150, 0));
    EXPECT_EQ(34, infoerror_(&item));
    EXPECT_LE(static_cast<std::int64_t>(gRaster.width) * gRaster.height, kRasterWordCap);
    EXPECT_GT(gRaster.width, 1000);
    EXPECT_NEAR(2.0, static_cast<double>(gRaster.width) / gRaster.height, 0.01);
    quill::FreeMemoryRaster();
    // A page that cannot be made small enough without vanishing closes the hardcopy.
    Select(kDeviceImageFile);
    Option(1, 2000000000);
    Option(2, 1);
    Option(23, 24);
    OpenSelected("thin.png");
    EXPECT_EQ(0, gHardcopy.open);
    EXPECT_EQ(34, infoerror_(&item));
    Line(0, 0, 100, 100);
    Close();
    // The smallest page is one pixel.
    OpenRaster(4, 1, 1);
    SetColour(0);
    Rectangle(0, 0, 999, 699);
    EXPECT_EQ(15u, quill::RasterPixel(0, 0));
}

TEST_F(Raster, GradientAndDitheredImagePixels) {
    OpenRaster(24, 100, 70);
    quill::gGradient.count = 3;
    const int colours[3] = {0x0000FF, 0x00FF00, 0xFF0000};
    const float x[3] = {0, 999, 0}, y[3] = {0, 0, 699};
    for (int k = 0; k < 3; ++k) quill::gGradient.colour[k] = colours[k];
    quill::SetPolygon(x, y, 3);
    Op(kOpGradient);
    EXPECT_EQ(0x0000FFu, quill::RasterPixel(0, 0) & 0xFFFFFF);
    EXPECT_NE(0xFFFFFFu, quill::RasterPixel(20, 20) & 0xFFFFFF);
    EXPECT_EQ(0xFFFFFFu, quill::RasterPixel(99, 69) & 0xFFFFFF);
    Close();
    // On one bit, a dark image pixel is a dot and a light one is not; mid grey is half dots.
    OpenRaster(1, 64, 64);
    int dots = 0;
    for (int yy = 0; yy < 8; ++yy)
        for (int xx = 0; xx < 8; ++xx) {
            EXPECT_EQ(1u, quill::RasterImageValue(xx, yy, 0x000000));
            EXPECT_EQ(0u, quill::RasterImageValue(xx, yy, 0xFFFFFF));
            dots += static_cast<int>(quill::RasterImageValue(xx, yy, 0x7F7F7F));
        }
    EXPECT_GT(dots, 8);
    EXPECT_LT(dots, 56);
}

TEST(RasterRoutines, EdgesAndCharacterCodes) {
    int xa = 0, ya = 0, xb = 10, yb = 20, y = 10;
    EXPECT_EQ(5, yyxini_(&xa, &ya, &xb, &yb, &y));
    EXPECT_EQ(5, yyxini_(&xb, &yb, &xa, &ya, &y));
    yb = 0;
    EXPECT_EQ(32767, yyxini_(&xa, &ya, &xb, &yb, &y));
    EXPECT_EQ(0xE9, yyichar_("\xe9x", 2));
    EXPECT_EQ(0, yyichar_("", 0));
}

}  // namespace
