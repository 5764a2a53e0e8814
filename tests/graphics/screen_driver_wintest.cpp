// The screen driver on a shown window: graphics initialisation, the drawing operations and
// their pixels, clipping, colours read back, text measurement and the target's selection.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "base/errors.h"
#include "core/startup.h"
#include "graphics/driver_protocol.h"
#include "graphics/drawing_target.h"
#include "graphics/graphics_state.h"
#include "graphics/palette.h"
#include "hardcopy/hardcopy_options.h"
#include "hardcopy/hardcopy_state.h"
#include "quillamorph.h"
#include "library_root.h"

namespace {

constexpr int kWhite = 0xFFFFFF;

class ScreenDriver : public ::testing::Test {
protected:
    void SetUp() override {
        OpenLibraryRoot(7, 240, 160);
        ASSERT_NE(quill::Target().dc, nullptr);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Send(kOpClear);
        int one = 1;
        infoerror_(&one);
    }
    void TearDown() override { windowclose_(); }

    static void Send(int op) { quill::SendOp(op, kSideDrawing); }
    static void Points(std::initializer_list<std::pair<int, int>> points) {
        int k = 1;
        for (const auto &p : points) {
            quill::SetPoint(k++, static_cast<float>(p.first), static_cast<float>(p.second));
        }
    }
    // Colour of device pixel (x, y), y upwards, read through op 31.
    static int Read(int x, int y) {
        Points({{x, y}});
        Send(kOpReadPixel);
        return gOperands.Ixd(1);
    }
    static void Colour(int c) { igrcolourn_(&c); }
    static int Rgb(int index) { return gPalette.palette[index]; }
    static int H() { return gGraphics.height; }
};

TEST_F(ScreenDriver, InitialisationSetsTheStateAndTheDeviceDescription) {
    EXPECT_EQ(gGraphics.kind, kDrawWindow);
    EXPECT_EQ(gGraphics.id, 0);
    RECT c;
    GetClientRect(hClient[0], &c);
    EXPECT_EQ(gGraphics.width, c.right);
    EXPECT_EQ(gGraphics.height, c.bottom);
    EXPECT_EQ(gGraphics.colour.index, 223);
    EXPECT_EQ(gGraphics.prevColour.index, 0);
    EXPECT_EQ(gGraphics.screenOutput, 1);
    EXPECT_EQ(gGraphics.displayColours, 256);
    Send(kOpInit);
    EXPECT_EQ(std::string(gDevice.capabilities, 29), "11111111111111111110111011111");
    EXPECT_EQ(gDevice.word2, 2);
    EXPECT_EQ(gDevice.trueColour, 1);
}

TEST_F(ScreenDriver, RectanglesLinesAndPointsHitTheirPixels) {
    Colour(31);
    Points({{20, 20}, {40, 30}});
    Send(kOpRectangleSolid);
    EXPECT_EQ(Read(20, 20), Rgb(31));
    EXPECT_EQ(Read(40, 30), Rgb(31));
    EXPECT_EQ(Read(41, 20), kWhite);
    EXPECT_EQ(Read(40, 19), kWhite);
    EXPECT_EQ(Read(19, 30), kWhite);

    Colour(159);
    Points({{10, 60}, {50, 60}});
    Send(kOpLine);
    EXPECT_EQ(Read(10, 60), Rgb(159));
    EXPECT_EQ(Read(50, 60), Rgb(159));  // the end point is drawn
    EXPECT_EQ(Read(51, 60), kWhite);
    Points({{70, 70}, {70, 70}});
    Send(kOpLine);
    EXPECT_EQ(Read(70, 70), Rgb(159));  // a one-pixel line sets its pixel

    Points({{90, 30}});
    Send(kOpPoint);
    EXPECT_EQ(Read(90, 30), Rgb(159));
    EXPECT_EQ(Read(-5, 30), -1);
    EXPECT_EQ(Read(5000, 5000), -1);

    Send(kOpClear);
    EXPECT_EQ(Read(20, 20), kWhite);
}

TEST_F(ScreenDriver, EllipsesSectorsAndPatternFills) {
    Colour(223);
    Points({{70, 50}, {10, 5}});
    Send(kOpEllipseSolid);
    EXPECT_EQ(Read(60, 50), 0);
    EXPECT_EQ(Read(80, 50), 0);
    EXPECT_EQ(Read(57, 50), kWhite);
    EXPECT_EQ(Read(83, 50), kWhite);

    // Exclusive or twice restores the drawable.
    Colour(31);
    gGraphics.plotMode = 3;
    Send(kOpPlotMode);
    Points({{150, 50}, {10, 5}});
    Send(kOpEllipseSolid);
    EXPECT_NE(Read(150, 50), kWhite);  // op 31 writes red, green, blue into ixd(1..3)
    Points({{150, 50}, {10, 5}});
    Send(kOpEllipseSolid);
    EXPECT_EQ(Read(150, 50), kWhite);
    gGraphics.plotMode = 0;
    Send(kOpPlotMode);

    // A pattern fill alternates the two colours pixel by pixel.
    Colour(223);
    Colour(31);
    Points({{150, 20}, {170, 40}});
    Send(kOpRectanglePattern);
    const int a = Read(160, 30), b = Read(161, 30), c = Read(160, 31);
    EXPECT_NE(a, b);
    EXPECT_EQ(b, c);
    EXPECT_TRUE((a == Rgb(31) && b == Rgb(223)) || (a == Rgb(223) && b == Rgb(31)));

    // A sector of 5 degrees stays thin; one of 360 degrees is the whole ellipse.
    Send(kOpClear);
    auto sector = [](float start, float sweep) {
        Points({{100, 60}});
        gOperands.Rd(2) = 30;
        gOperands.Rd(6) = 30;
        gOperands.Rd(4) = start;
        gOperands.Rd(3) = start * 3.14159265f / 180;
        gOperands.Rd(8) = sweep;
        gOperands.Rd(7) = (start + sweep) * 3.14159265f / 180;
        Send(kOpSectorSolid);
    };
    sector(0, 5);
    EXPECT_EQ(Read(120, 61), Rgb(31));
    EXPECT_EQ(Read(100, 80), kWhite);
    EXPECT_EQ(Read(80, 60), kWhite);
    sector(0, 360);
    EXPECT_EQ(Read(100, 80), Rgb(31));
    EXPECT_EQ(Read(80, 60), Rgb(31));
}

TEST_F(ScreenDriver, ClipRectangleKeepsItsLastColumnAndPolygonsStayInside) {
    const float x1 = 0, y1 = 0, half = 0.5f, one = 1;
    igrarea_(&x1, &y1, &half, &one);
    const int cx2 = gGraphics.cx2;
    Colour(95);
    const float w = static_cast<float>(gGraphics.width - 1),
                h = static_cast<float>(gGraphics.height - 1);
    const float xs[] = {0, w, w, 0}, ys[] = {0, 0, h, h};
    quill::SetPolygon(xs, ys, 4);
    Send(kOpPolygonSolid);
    EXPECT_EQ(Read(cx2, 10), Rgb(95));
    EXPECT_EQ(Read(cx2, static_cast<int>(h)), Rgb(95));
    EXPECT_EQ(Read(cx2 + 1, 10), kWhite);
    // A polygon of more vertices than the buffer holds draws with the buffer's.
    gOperands.Id(2) = 100000;
    Send(kOpPolyline);
    igrarea_(&x1, &y1, &one, &one);
}

TEST_F(ScreenDriver, DashesFollowLineTypeAndWidth) {
    Colour(223);
    const int y = 100;
    gGraphics.lineType = 1;
    Send(kOpLineType);
    Points({{10, y}, {60, y}});
    Send(kOpLine);
    int on = 0;
    for (int x = 10; x < 30; ++x) on += Read(x, y) == 0 ? 1 : 0;
    EXPECT_EQ(on, 4);  // 1 on, 4 off
    gGraphics.lineType = 0;
    Send(kOpLineType);
    gGraphics.lineWidth = 3;
    Send(kOpLineWidth);
    Points({{10, 130}, {60, 130}});
    Send(kOpLine);
    EXPECT_EQ(Read(30, 129), 0);
    EXPECT_EQ(Read(30, 131), 0);
    EXPECT_EQ(Read(30, 133), kWhite);
}

TEST_F(ScreenDriver, TextIsMeasuredLikeTheSystemAndOneFontServesUnchangedState) {
    Send(kOpFont);
    const HFONT first = quill::Target().font;
    ASSERT_NE(first, nullptr);
    Send(kOpFont);
    EXPECT_EQ(quill::Target().font, first);
    quill::SetText("Quill", 5);
    Send(kOpMeasure);
    SIZE size = {0, 0};
    GetTextExtentPoint32A(quill::Target().dc, "Quill", 5, &size);
    EXPECT_FLOAT_EQ(gOperands.Rd(1), static_cast<float>(size.cx));
    EXPECT_EQ(gOperands.Id(2), 1);
    gOperands.Id(1) = -3;
    Send(kOpMeasure);
    EXPECT_FLOAT_EQ(gOperands.Rd(1), 0);

    // A drawable without a device context (a metafile recording already closed) measures
    // nothing, yet the measure answers as always.
    const HDC dc = quill::Target().dc;
    quill::Target().dc = nullptr;
    gOperands.Id(1) = 5;
    gOperands.Id(2) = 0;
    Send(kOpMeasure);
    quill::Target().dc = dc;
    EXPECT_EQ(gOperands.Id(2), 1);
    EXPECT_FLOAT_EQ(gOperands.Rd(1), 0);

    const float w = 0.05f, h = 0.2f;
    yychsize_(&w, &h);
    quill::SetText("MMMM", 4);
    gOperands.Rd(1) = 20;
    gOperands.Rd(5) = 100;
    gOperands.Rd(3) = 20 + static_cast<float>(size.cx);
    gOperands.Rd(7) = 100;
    gGraphics.justification = 0;
    Send(kOpText);
    EXPECT_EQ(gOperands.Ixd(4), 0);
    int dark = 0;
    for (int x = 20; x < 60; ++x)
        for (int y = 90; y < 130; ++y) dark += Read(x, y) != kWhite ? 1 : 0;
    EXPECT_GT(dark, 10);
}

TEST_F(ScreenDriver, NoScreenOutputDrawsNothingAndBadTargetsFallBack) {
    const char options[] = "h";
    igrinit_(options, 1);
    EXPECT_EQ(gGraphics.screenOutput, 0);
    Colour(31);
    Points({{20, 20}, {40, 30}});
    Send(kOpRectangleSolid);
    gGraphics.screenOutput = 1;
    EXPECT_EQ(Read(30, 25), kWhite);

    int one = 1;
    const int kind = 7, slot = 4, bad = 21;
    // A kind that names no surface keeps the target and is no error.
    igrselect_(&kind, nullptr);
    EXPECT_EQ(infoerror_(&one), 0);
    EXPECT_EQ(gGraphics.kind, kDrawWindow);
    const int metafile = 4;
    igrselect_(&metafile, &slot);
    EXPECT_EQ(infoerror_(&one), 1019);
    EXPECT_EQ(gGraphics.kind, kDrawWindow);
    EXPECT_EQ(gGraphics.id, 0);
    wmetafiledestroy_(&bad);
    EXPECT_EQ(infoerror_(&one), 1060);
    wmetafiledestroy_(&slot);
    EXPECT_EQ(infoerror_(&one), 1060);
}

// Graphics initialisation ends hardcopy and starts its device afresh; with option P the options
// that the program set come back, each through the options routine as a program's call.
TEST_F(ScreenDriver, InitialisationWithPKeepsTheHardcopyOptionsTheProgramSet) {
    auto option = [](int code, int value) { igrhardcopyoptions_(&code, &value); };
    auto name = [] { return std::string(gHardcopy.defaultName, 12); };
    const int select = 1, postscript = 2, printer = 10;
    igrhardcopyselect_(&select, &postscript);
    option(1, 800);
    option(6, 2);
    option(22, 1);
    option(101, 7);
    ASSERT_EQ(quill::HardcopyOptionSlot(12), 0);
    ASSERT_EQ(name(), "quilplot.eps");
    const char keep[] = "p";
    igrinit_(keep, 1);
    EXPECT_EQ(quill::HardcopyOptionSlot(1), 800);
    EXPECT_EQ(quill::HardcopyOptionSlot(6), 2);
    EXPECT_EQ(quill::HardcopyOptionSlot(22), 1);
    EXPECT_EQ(quill::HardcopyOptionSlot(12), 100) << "a saved 0 is set again, as the least scale";
    EXPECT_EQ(quill::HardcopyOptionSlot(8), 1);
    EXPECT_EQ(quill::HardcopyOptionSlot(101), 7) << "the device keeps its own words";
    EXPECT_EQ(name(), "quilplot.eps");

    // Without P every option starts afresh from the device's defaults.
    igrinit_(" ", 1);
    EXPECT_EQ(quill::HardcopyOptionSlot(1), 756);
    EXPECT_EQ(quill::HardcopyOptionSlot(6), 0);
    EXPECT_EQ(quill::HardcopyOptionSlot(12), 0);
    EXPECT_EQ(quill::HardcopyOptionSlot(101), 80);

    // A program that has set no option gets the device's defaults even with P.
    option(22, 1);
    gHardcopy.optionsSet = 0;
    igrinit_(keep, 1);
    EXPECT_EQ(quill::HardcopyOptionSlot(22), 0);
    EXPECT_EQ(quill::HardcopyOptionSlot(12), 0);
    igrhardcopyselect_(&select, &printer);
}

}  // namespace
