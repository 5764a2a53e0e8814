// Presentation-graphics plot set-up: defaults, ranges and their reports, logarithmic
// scaling, new plots and their default styles.
#include <gtest/gtest.h>

#include "base/errors.h"
#include "graphics/plot_setup.h"
#include "quillamorph/errors.h"

#include <string>

using quill::gPlot;

namespace {

struct PlotSetup : ::testing::Test {
    void SetUp() override {
        quill::ResetErrorState();
        quill::gPlotXLogRequested = quill::gPlotYLogRequested = 0;
        quill::SetPlotDefaults();
    }
    void TearDown() override { quill::ResetErrorState(); }
    // Runs F with the report level 1 and returns how many error lines it printed.
    template <class F>
    static int Reports(F f) {
        int level = 1;
        idebuglevel_(&level);
        testing::internal::CaptureStdout();
        f();
        std::string out = testing::internal::GetCapturedStdout();
        level = 0;
        idebuglevel_(&level);
        int n = 0;
        for (std::size_t at = out.find("Error="); at != std::string::npos;
             at = out.find("Error=", at + 1))
            ++n;
        return n;
    }
    static void Plot(int type, int nsets, std::initializer_list<int> values, int options,
                     int styles, int model = 1) {
        int nv[3] = {0, 0, 0};
        int i = 0;
        for (int v : values) nv[i++] = v;
        quill::PlotNew(type, nsets, nv, &options, &styles, model);
    }
    static void Area(float a, float b, float c, float d) { ipgarea_(&a, &b, &c, &d); }
    static void Units(float a, float b, float c, float d) { ipgunits_(&a, &b, &c, &d); }
    static void Scaling(const std::string &x, const std::string &y) {
        ipgscaling_(x.data(), y.data(), static_cast<int>(x.size()), static_cast<int>(y.size()));
    }
};

TEST_F(PlotSetup, DefaultsOfGraphicsInitialisation) {
    EXPECT_FLOAT_EQ(gPlot.px1, 0.1f);
    EXPECT_FLOAT_EQ(gPlot.py2, 0.9f);
    EXPECT_EQ(gPlot.type, 4);
    EXPECT_EQ(gPlot.sets, 256);
    EXPECT_EQ(gPlot.nv1, 1);
    EXPECT_FLOAT_EQ(gPlot.rv1m, 0);
    EXPECT_FLOAT_EQ(gPlot.valueWidth, 0.25f);
    EXPECT_FLOAT_EQ(gPlot.xAxisCos, 0.70710677f);
    EXPECT_EQ(gPlot.c1[0], 64);  // set 1: (1 mod 6 + 1) x 32
    EXPECT_EQ(gPlot.c2[5], 64);  // set 6: (0 + 2) x 32
    EXPECT_EQ(gPlot.n[255], -1);
    EXPECT_EQ(gPlot.w5, -1);
    EXPECT_FLOAT_EQ(gPlot.r[1], 1.5f);
    EXPECT_EQ(gPlot.foreground, 223);
    EXPECT_EQ(quill::LastErrorNumber(), 0);
}

TEST_F(PlotSetup, AreaUnitsAndTheirReports) {
    Area(-0.1f, 0.2f, 0.8f, 1.5f);
    EXPECT_FLOAT_EQ(gPlot.px1, 0.1f);
    EXPECT_FLOAT_EQ(gPlot.py1, 0.2f);
    EXPECT_FLOAT_EQ(gPlot.px2, 0.8f);
    EXPECT_FLOAT_EQ(gPlot.py2, 0.9f);
    Area(0.8f, 0, 0.2f, 1);
    EXPECT_FLOAT_EQ(gPlot.px1, 0.8f);
    EXPECT_FLOAT_EQ(gPlot.px2, 0.2f);

    EXPECT_EQ(Reports([] { Units(10, 0, 0, 5); }), 0);
    EXPECT_FLOAT_EQ(gPlot.xu1, 10);
    EXPECT_FLOAT_EQ(gPlot.xw, -10);
    EXPECT_FLOAT_EQ(gPlot.xmin, 0);
    EXPECT_FLOAT_EQ(gPlot.xmax, 10);
    EXPECT_FLOAT_EQ(gPlot.yw, 5);
    EXPECT_EQ(Reports([] { Units(1, 1, 1, 1); }), 2);
    EXPECT_FLOAT_EQ(gPlot.xu2, 1);
    EXPECT_FLOAT_EQ(gPlot.yw, 1);
    EXPECT_EQ(quill::LastErrorNumber(), 16);
    for (auto z : {std::make_pair(5.0f, 2.0f), std::make_pair(3.0f, 3.0f)}) {
        quill::ResetErrorState();
        ipgunitsz_(&z.first, &z.second);
        EXPECT_EQ(quill::LastErrorNumber(), 16);
        EXPECT_FLOAT_EQ(gPlot.zu1, 0);
        EXPECT_FLOAT_EQ(gPlot.zw, 1);
    }
    float r = 0;
    quill::ResetErrorState();
    ipgunitspolar_(&r);
    EXPECT_EQ(quill::LastErrorNumber(), 16);
    EXPECT_FLOAT_EQ(gPlot.radius, 1);
}

TEST_F(PlotSetup, LogarithmicScalingFollowsRequestTypeAndFlags) {
    float v = 0;
    EXPECT_FLOAT_EQ(yylog1_(&v), -38);
    v = -100;
    EXPECT_FLOAT_EQ(yylog1_(&v), 2);
    v = 1;
    EXPECT_FLOAT_EQ(yylog1_(&v), 0);

    Units(1, 10, 1000, 0.01f);
    Scaling("log", "linear");
    EXPECT_EQ(gPlot.xLog, 1);
    EXPECT_EQ(gPlot.yLog, 0);
    EXPECT_FLOAT_EQ(gPlot.lxu2, 3);
    EXPECT_FLOAT_EQ(gPlot.lxw, 3);
    Scaling("LoGarithmic", "LO");
    EXPECT_EQ(gPlot.xLog, 1);
    EXPECT_EQ(gPlot.yLog, 0);
    Scaling("Log", "log");
    EXPECT_FLOAT_EQ(gPlot.lyu2, -2);
    EXPECT_FLOAT_EQ(gPlot.logRadiusSpan, 38);
    Plot(1, 1, {5}, 0, 0);
    EXPECT_EQ(gPlot.xLog, 0);
    EXPECT_EQ(gPlot.yLog, 1);
    Plot(2, 1, {5}, 0, 0);
    EXPECT_EQ(gPlot.xLog, 1);
    EXPECT_EQ(gPlot.yLog, 0);
    Plot(1, 1, {5}, 1, 0);  // three-dimensional
    EXPECT_EQ(gPlot.xLog + gPlot.yLog, 0);
    Plot(4, 1, {5}, 64, 0);  // bit 6
    EXPECT_EQ(gPlot.xLog, 0);
    EXPECT_EQ(gPlot.yLog, 1);
    // The units of an axis whose scaling is not in force keep their last values.
    Units(1, 1, 100, 100);
    EXPECT_FLOAT_EQ(gPlot.lxu2, 3);
}

TEST_F(PlotSetup, NewPlotCountsFlagsAndShares) {
    Plot(0, 300, {0}, 0, 0);
    EXPECT_EQ(gPlot.type, 4);
    EXPECT_EQ(gPlot.sets, 256);
    EXPECT_EQ(gPlot.nv1, 1);
    EXPECT_FLOAT_EQ(gPlot.valueWidth, 0.25f);

    gPlot.stack[1023] = 5;
    Plot(4, 3, {2000}, 1024, 0);
    EXPECT_EQ(gPlot.nv1, 1024);
    EXPECT_EQ(quill::LastErrorNumber(), 24);
    EXPECT_EQ(gPlot.stack[1023], 0);
    EXPECT_FLOAT_EQ(gPlot.rv1, 2000);
    EXPECT_FLOAT_EQ(gPlot.valueWidth, 0.0003f);

    Plot(3, 1, {5}, 1, 0);
    EXPECT_EQ(gPlot.threeD, 0);
    Plot(1, 1, {5}, 1, 0);
    EXPECT_EQ(gPlot.threeD, 1);
    Plot(1, 1, {5}, 33, 0);
    EXPECT_EQ(gPlot.threeD, 0);

    Plot(10, 1, {1, 1, 1}, 1, 0);
    EXPECT_EQ(gPlot.nv1, 2);
    EXPECT_EQ(gPlot.nv2, 2);
    EXPECT_EQ(gPlot.nv3, 2);
    EXPECT_FLOAT_EQ(gPlot.rv1, 1);
    EXPECT_FLOAT_EQ(gPlot.rv2, 2);
    EXPECT_FLOAT_EQ(gPlot.xShare, 0.5f);
    Plot(8, 1, {10, 40}, 513, 0);
    EXPECT_FLOAT_EQ(gPlot.xShare, 0.125f);
    Plot(8, 1, {40, 10}, 513, 0);
    EXPECT_FLOAT_EQ(gPlot.xShare, 0.875f);
    Plot(4, 1, {5}, 4 | 16 | 256, 0);
    EXPECT_EQ(gPlot.variant, 1);
    Plot(4, 1, {5}, 16 | 256, 0);
    EXPECT_EQ(gPlot.variant, 2);
    // The public entry with both optional arguments absent.
    int type = 6, sets = 2, nv[1] = {7};
    ipgnewplot2_(&type, &sets, nv, nullptr, nullptr);
    EXPECT_EQ(gPlot.type, 6);
    EXPECT_EQ(gPlot.options, 0);
}

TEST_F(PlotSetup, DefaultStylesOfThePlotTypes) {
    for (auto step :
         {std::make_pair(12, 1), std::make_pair(13, 2), std::make_pair(30, 5),
          std::make_pair(110, 20), std::make_pair(300, 50), std::make_pair(1024, 100)}) {
        Plot(4, 1, {step.first}, 0, 1);
        EXPECT_EQ(gPlot.valueStep[0], step.second) << step.first;
        EXPECT_EQ(gPlot.valueStep[1], step.second) << step.first;
    }
    // Scheme 2 and the colour rule of model 1 over 70 sets.
    Plot(4, 70, {3}, 0, 1);
    const int c1[6] = {32, 69, 107, 146, 182, 43}, c2[6] = {64, 101, 139, 178, 214, 75};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(gPlot.c1[k], c1[k]);
        EXPECT_EQ(gPlot.c2[k], c2[k]);
    }
    EXPECT_EQ(gPlot.s1[6], -6);
    EXPECT_EQ(gPlot.s1[7], 0);
    EXPECT_EQ(gPlot.s2[8], 1);
    EXPECT_EQ(gPlot.n[8], 9);
    EXPECT_EQ(gPlot.s2[9], 2);
    EXPECT_EQ(gPlot.n[60], 52);
    EXPECT_EQ(gPlot.n[61], 1);
    EXPECT_EQ(gPlot.c1[70], (71 % 6 + 1) * 32);  // beyond the set count: untouched
    EXPECT_FLOAT_EQ(gPlot.r[5], 0.5f);

    Plot(1, 2, {3}, 0, 1, 2);
    EXPECT_EQ(gPlot.c1[0], 0x9F8FC6);
    EXPECT_EQ(gPlot.c2[0], 0x9F8F39);
    EXPECT_EQ(gPlot.foreground, 0);

    Plot(8, 1, {10, 40}, 8, 1);
    EXPECT_EQ(gPlot.subdivision, 3);
    Plot(8, 1, {200, 200}, 8, 1);
    EXPECT_EQ(gPlot.subdivision, 1);

    // Type 5, three-dimensional, variant 3: sets 1 and 2 red and yellow, nothing else.
    quill::SetPlotDefaults();
    Plot(5, 10, {4, 4}, 17, 1);
    EXPECT_EQ(gPlot.c1[0], 31);
    EXPECT_EQ(gPlot.c1[1], 63);
    EXPECT_EQ(gPlot.c2[0], 96);
    EXPECT_EQ(gPlot.c1[2], (3 % 6 + 1) * 32);
    EXPECT_EQ(gPlot.s1[0], 4);
    EXPECT_EQ(gPlot.s1[2], 4);
    EXPECT_FLOAT_EQ(gPlot.r[6], 0.6f);
    EXPECT_EQ(gPlot.style3d, 4);
    EXPECT_EQ(gPlot.colours3d[2], 255);
    EXPECT_FLOAT_EQ(gPlot.axisDegrees[0], -45);
    EXPECT_FLOAT_EQ(gPlot.r[2], 0.6f);

    Plot(9, 3, {3}, 64, 1, 2);
    EXPECT_EQ(gPlot.c1[2], 0);
    EXPECT_EQ(gPlot.s2[2], 2);
    EXPECT_FLOAT_EQ(gPlot.r[5], 0.75f);
    EXPECT_FLOAT_EQ(gPlot.r[2], 0.7f);
    Plot(7, 1, {3, 3}, 1, 1);
    EXPECT_EQ(gPlot.n[0], 14);
    EXPECT_EQ(gPlot.s3[0], 1);
}

}  // namespace
