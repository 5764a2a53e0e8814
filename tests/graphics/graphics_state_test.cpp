// The graphics state: the area, units, viewport and scale on a drawable, their error resets,
// the character direction and the operations they send to the drivers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "base/errors.h"
#include "graphics/driver_protocol.h"
#include "graphics/graphics_state.h"
#include "quillamorph.h"
#include "error_status.h"

namespace {

std::vector<int> gSent;
void Capture(const int *op) { gSent.push_back(*op); }

struct GraphicsStateTest : ::testing::Test {
    void SetUp() override {
        gGraphics = quill::DefaultGraphicsState();
        gSent.clear();
        quill::SetScreenDriver(Capture);
        quill::ResetErrorState();
    }
    void TearDown() override { quill::SetScreenDriver(nullptr); }
    static void Resize(int kind, int id, int width, int height) {
        yyresn_(&kind, &id, &width, &height);
    }
    static void Area(float x1, float y1, float x2, float y2) { igrarea_(&x1, &y1, &x2, &y2); }
    static void Units(float x1, float y1, float x2, float y2) { igrunits_(&x1, &y1, &x2, &y2); }
    static void Back(float px, float py, float *x, float *y) { yyi2e_(&px, &py, x, y); }
};

TEST_F(GraphicsStateTest, AreaAndUnitsOnA640By480Drawable) {
    Resize(kDrawWindow, 0, 640, 480);
    EXPECT_FLOAT_EQ(gGraphics.deviceWidth, 639.99f);
    EXPECT_EQ(gGraphics.cx2, 639);
    EXPECT_EQ(gGraphics.cy2, 479);
    EXPECT_EQ(gGraphics.viewportPixelsX, 640);
    EXPECT_EQ(gGraphics.viewportPixelsY, 480);
    EXPECT_EQ(gGraphics.lastY, 479);
    EXPECT_FLOAT_EQ(gGraphics.aspect, 640.0f / 480.0f);

    Area(0.25f, 0.5f, 0.75f, 1);
    Units(-10, 0, 10, 100);
    EXPECT_NEAR(gGraphics.vx1, 159.9975, 1e-4);
    EXPECT_NEAR(gGraphics.vy1, 239.995, 1e-4);
    EXPECT_NEAR(gGraphics.vx2, 479.9925, 1e-4);
    EXPECT_NEAR(gGraphics.vy2, 479.99, 1e-4);
    EXPECT_EQ(gGraphics.cx1, 159);
    EXPECT_EQ(gGraphics.cy1, 239);
    EXPECT_EQ(gGraphics.cx2, 479);
    EXPECT_EQ(gGraphics.cy2, 479);
    EXPECT_NEAR(gGraphics.sx, 15.99975, 1e-4);
    EXPECT_NEAR(gGraphics.sy, 2.39995, 1e-5);
    float px, py;
    quill::UnitsToDevice(gGraphics, 0, 50, &px, &py);
    EXPECT_NEAR(px, 319.995, 1e-3);
    EXPECT_NEAR(py, 359.9925, 1e-3);
    float x, y;
    Back(160, 240, &x, &y);
    EXPECT_NEAR(x, -9.99984, 1e-4);
    EXPECT_NEAR(y, 0.00208, 1e-4);
    EXPECT_EQ(LastError(), 0);

    // A new size keeps area and units and refits the viewport.
    Resize(kDrawWindow, 0, 100, 100);
    EXPECT_NEAR(gGraphics.vx1, 99.99 * 0.25, 1e-4);
    EXPECT_FLOAT_EQ(gGraphics.ux1, -10);
}

TEST_F(GraphicsStateTest, BadRangesAreResetOneByOne) {
    Resize(kDrawWindow, 0, 640, 480);
    Area(0.5f, 0.2f, 0.5f, 0.8f);  // x empty: reset, y kept
    EXPECT_EQ(LastError(), 44);
    EXPECT_FLOAT_EQ(gGraphics.ax1, 0);
    EXPECT_FLOAT_EQ(gGraphics.ax2, 1);
    EXPECT_FLOAT_EQ(gGraphics.ay1, 0.2f);
    Area(0, -0.1f, 1, 1);
    EXPECT_EQ(LastError(), 44);
    EXPECT_FLOAT_EQ(gGraphics.ay1, 0);
    Area(0, 0, 1, 1.5f);
    EXPECT_EQ(LastError(), 44);
    EXPECT_FLOAT_EQ(gGraphics.ay2, 1);

    Units(1, 0, 0, 1);
    EXPECT_EQ(LastError(), 16);
    EXPECT_FLOAT_EQ(gGraphics.ux1, 0);
    EXPECT_FLOAT_EQ(gGraphics.ux2, 1);
    Units(5, 1, 6, 0);
    EXPECT_EQ(LastError(), 16);
    EXPECT_FLOAT_EQ(gGraphics.ux1, 5);
    EXPECT_FLOAT_EQ(gGraphics.uy1, 0);
    EXPECT_FLOAT_EQ(gGraphics.uy2, 1);
    EXPECT_FLOAT_EQ(gGraphics.sx, gGraphics.vw);
}

TEST_F(GraphicsStateTest, OnlyTheCurrentTargetIsFollowedAndNothingDividesByZero) {
    Resize(kDrawWindow, 0, 300, 200);
    Resize(kDrawWindow, 3, 50, 50);
    Resize(kDrawField, 0, 60, 60);
    EXPECT_EQ(gGraphics.width, 300);
    EXPECT_EQ(gGraphics.height, 200);
    Resize(kDrawWindow, 0, 100, 0);
    EXPECT_FLOAT_EQ(gGraphics.aspect, 1.0f);
    Resize(kDrawWindow, 0, 0, 0);
    float x = -1, y = -1;
    Back(5, 5, &x, &y);
    EXPECT_TRUE(std::isfinite(x) && std::isfinite(y));
    EXPECT_TRUE(std::isfinite(gGraphics.dirSinOver));
}

TEST_F(GraphicsStateTest, DirectionFoldsIntoOneTurn) {
    const struct {
        float angle;
        double direction;
    } cases[] = {{-90, 270},
                 {450, 90},
                 {-720, 0},
                 {359.5f, 359.5},
                 {3e9f, std::fmod(3e9, 360.0)},
                 {-1e20f, 360.0 + std::fmod(static_cast<double>(-1e20f), 360.0)}};
    for (const auto &c : cases) {
        yychrot_(&c.angle);
        EXPECT_NEAR(gGraphics.direction, c.direction, 1e-3) << c.angle;
        EXPECT_GE(gGraphics.direction, 0.0f);
        EXPECT_LT(gGraphics.direction, 360.0f);
        EXPECT_FALSE(std::signbit(gGraphics.direction));
    }
    const float ninety = 90;
    yychrot_(&ninety);
    EXPECT_NEAR(gGraphics.dirCos, 0, 1e-6);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    yychrot_(&nan);
    EXPECT_FLOAT_EQ(gGraphics.direction, 90);
}

TEST_F(GraphicsStateTest, OperationsReachTheDrawingSideInOrder) {
    Resize(kDrawWindow, 0, 640, 480);
    // igrarea_ (through yyresn_): the viewport's clip, the direction, the font.
    EXPECT_EQ(gSent, (std::vector<int>{kOpClip, kOpDirection, kOpFont}));
    gSent.clear();
    const float w = 0, h = 0.1f;
    yychsize_(&w, &h);
    EXPECT_FLOAT_EQ(gGraphics.charWidth, 1.0f / 75.0f);
    EXPECT_FLOAT_EQ(gGraphics.charHeight, 0.1f);
    EXPECT_EQ(gSent, (std::vector<int>{kOpFont}));

    // With screen output off the drawing side hears nothing; the cell counts follow.
    gSent.clear();
    gGraphics.screenOutput = 0;
    yychdfont_();
    EXPECT_TRUE(gSent.empty());
    EXPECT_NEAR(gGraphics.rows, 10, 1e-3);
    EXPECT_NEAR(gGraphics.columns, 75, 1e-3);

    // A recorded picture as target takes the drawing side's ops instead of the screen.
    quill::SetRecordingDriver(Capture);
    quill::SetScreenDriver(nullptr);
    gGraphics.recording = 1;
    quill::SendOp(kOpLine, kSideDrawing);
    quill::SetRecordingDriver(nullptr);
    EXPECT_EQ(gSent, (std::vector<int>{kOpLine}));
}

TEST_F(GraphicsStateTest, ViewerPositionsMapThroughTheBitmapTheyShow) {
    Resize(kDrawWindow, 0, 640, 480);
    Area(0.5f, 0, 1, 1);
    Units(0, 0, 10, 100);
    // A 200 x 100 bitmap scrolled right by 20, its visible part ending 60 rows down.
    const quill::ViewerGeometry viewer = {200, 100, 20, 60};
    float x = -1, y = -1;
    quill::ViewerToUnits(gGraphics, viewer, 130, 20, &x, &y);
    EXPECT_NEAR(x, 5, 1e-4);   // bitmap column 150: the middle of the right half
    EXPECT_NEAR(y, 60, 1e-4);  // 40 rows below the visible part plus 20 up
}

TEST(DriverProtocol, OperandHelpersKeepTheirLimits) {
    quill::SetPoint(2, 10.7f, -3.5f);
    EXPECT_EQ(gOperands.Ixd(2), 10);
    EXPECT_EQ(gOperands.Iyd(2), -3);
    EXPECT_FLOAT_EQ(gOperands.Rd(2), 10.7f);
    EXPECT_FLOAT_EQ(gOperands.Rd(6), -3.5f);

    std::vector<float> xs(6000, 1.0f), ys(6000, 2.0f);
    quill::SetPolygon(xs.data(), ys.data(), 6000);
    EXPECT_EQ(gOperands.Id(2), kPolygonPoints);
    quill::SetPolygon(xs.data(), ys.data(), -4);
    EXPECT_EQ(gOperands.Id(2), 0);

    const std::string longText(300, 'x');
    quill::SetText(longText.data(), longText.size());
    EXPECT_EQ(gOperands.Id(1), kOperandTextLength);
    quill::SetText("ab", 2);
    EXPECT_EQ(gOperands.Ixd(1), 2);
    EXPECT_EQ(std::string(gOperands.ctext, 4), "ab  ");

    quill::DescribeDevice("111", 2, 1, 2);
    unsigned bits = 0;
    static_assert(sizeof bits == sizeof gDevice.word4, "a 32-bit word");
    std::memcpy(&bits, &gDevice.word4, sizeof bits);
    EXPECT_EQ(bits, 0x7EFFC99Eu);
    EXPECT_EQ(std::string(gDevice.capabilities, 5), "11100");

    EXPECT_EQ(yyopt_("  H ", "h", 4), 1);
    EXPECT_EQ(yyopt_("xph", "P", 3), 1);
    EXPECT_EQ(yyopt_("xph", "H", 2), 0);
}

}  // namespace
