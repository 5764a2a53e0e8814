// The mapping between device pixels and graphics units: following the drawable's size and
// turning device positions back into graphics units.
#include <gtest/gtest.h>

#include "graphics/coordinates.h"

namespace {

struct Coordinates : ::testing::Test {
    void SetUp() override { gMapping = yydefaultmapping(); }
    static void Resize(int kind, int id, int width, int height) {
        yyresn_(&kind, &id, &width, &height);
    }
    static void Back(float px, float py, float *x, float *y) { yyi2e_(&px, &py, x, y); }
};

TEST_F(Coordinates, AWholeWindowOf640By480) {
    Resize(kDrawWindow, 0, 640, 480);
    EXPECT_FLOAT_EQ(gMapping.deviceWidth, 639.99f);
    EXPECT_FLOAT_EQ(gMapping.deviceHeight, 479.99f);
    EXPECT_EQ(gMapping.cx1, 0);
    EXPECT_EQ(gMapping.cy1, 0);
    EXPECT_EQ(gMapping.cx2, 639);
    EXPECT_EQ(gMapping.cy2, 479);
    EXPECT_FLOAT_EQ(gMapping.aspect, 640.0f / 480.0f);
    float x, y;
    Back(0, 0, &x, &y);
    EXPECT_FLOAT_EQ(x, 0);
    EXPECT_FLOAT_EQ(y, 0);
    Back(639.99f, 479.99f, &x, &y);
    EXPECT_FLOAT_EQ(x, 1);
    EXPECT_FLOAT_EQ(y, 1);
    Back(320, 120, &x, &y);
    EXPECT_NEAR(x, 320 / 639.99f, 1e-6);
    EXPECT_NEAR(y, 120 / 479.99f, 1e-6);
}

TEST_F(Coordinates, AreaAndUnitsShapeTheMapping) {
    gMapping.ax1 = 0.5f;
    gMapping.ay2 = 0.5f;
    gMapping.ux1 = -10;
    gMapping.ux2 = 10;
    gMapping.uy1 = 100;
    gMapping.uy2 = 200;
    Resize(kDrawWindow, 0, 201, 101);  // device size 200.99 x 100.99
    float x, y;
    Back(gMapping.vx1, gMapping.vy1, &x, &y);
    EXPECT_FLOAT_EQ(x, -10);
    EXPECT_FLOAT_EQ(y, 100);
    Back(gMapping.vx2, gMapping.vy2, &x, &y);
    EXPECT_NEAR(x, 10, 1e-4);
    EXPECT_NEAR(y, 200, 1e-4);
    EXPECT_EQ(gMapping.cx1, 100);
    EXPECT_EQ(gMapping.cy2, 50);
}

TEST_F(Coordinates, OnlyTheCurrentTargetIsFollowed) {
    Resize(kDrawWindow, 0, 300, 200);
    Resize(kDrawWindow, 3, 50, 50);
    Resize(kDrawField, 0, 60, 60);
    EXPECT_EQ(gMapping.width, 300);
    EXPECT_EQ(gMapping.height, 200);
}

TEST_F(Coordinates, DegenerateDrawablesNeverDivideByZero) {
    Resize(kDrawWindow, 0, 100, 0);
    EXPECT_FLOAT_EQ(gMapping.aspect, 1.0f);
    Resize(kDrawWindow, 0, 0, 0);
    float x = -1, y = -1;
    Back(5, 5, &x, &y);
    EXPECT_TRUE(x == x && y == y);  // numbers, not NaN
}

}  // namespace
