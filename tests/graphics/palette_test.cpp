// The library's palette and colour tables, the nearest-entry search, device colour numbers,
// the colour routines and the colour rule of printer and metafile output.
#include <gtest/gtest.h>

#include <vector>

#include "base/errors.h"
#include "graphics/driver_protocol.h"
#include "graphics/graphics_state.h"
#include "graphics/palette.h"
#include "quillamorph.h"

namespace {

std::vector<int> gSent;
void Capture(const int *op) { gSent.push_back(*op); }

struct Palette : ::testing::Test {
    void SetUp() override { Build(256); }
    static void Build(int colours) {
        gGraphics = quill::DefaultGraphicsState();
        gGraphics.displayColours = colours;
        yypali_();
    }
    static int Entry(int i) {
        int rgb = -1;
        yypalg_(&i, &rgb);
        return rgb;
    }
    static int Nearest(int rgb) {
        int index = -1;
        yyrgbto8_(&rgb, &index);
        return index;
    }
    static int Number(int index) { return yycnum_(&index); }
};

TEST_F(Palette, EntriesAndTables) {
    const int entries[][2] = {{0, 0xFFFFFF},   {8, 0xDFDFDF},   {50, 0x00CBCB},  {100, 0x009300},
                              {180, 0xD300D3}, {223, 0x000000}, {230, 0x646464}, {255, 0x838383}};
    for (const auto &e : entries) EXPECT_EQ(Entry(e[0]), e[1]) << e[0];
    int i = 1, rgb = 0;
    yypalg8_(&i, &rgb);
    EXPECT_EQ(rgb, 0xFF0000);  // blue
    i = 8;
    yypalg16_(&i, &rgb);
    EXPECT_EQ(rgb, Entry(240));

    Build(32);
    const int positions[] = {0, 8, 23, 31, 39};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(gPalette.table32[k], Entry(positions[k])) << k;
    EXPECT_EQ(gPalette.table32[29], Entry(239));
    EXPECT_EQ(gPalette.table32[30], Entry(240));
    EXPECT_EQ(gPalette.table32[31], Entry(248));
    EXPECT_EQ(quill::LibraryColour(32, 31), Entry(248));
    EXPECT_EQ(quill::LibraryColour(32, 32), -1);
    EXPECT_EQ(quill::LibraryColour(16, 15), Entry(223));
}

TEST_F(Palette, NearestEntriesAndDeviceNumbers) {
    const int nearest[][2] = {{0xFF0000, 159}, {0x0000FF, 31},  {0x808080, 255}, {0x7F7F7F, 224},
                              {0x123456, 233}, {0x40C040, 103}, {0x0000C0, 47},  {0xFFFFFE, 0}};
    for (const auto &n : nearest) EXPECT_EQ(Nearest(n[0]), n[1]) << std::hex << n[0];

    Build(16);
    const int n16[][2] = {{31, 12}, {159, 9}, {175, 1}, {223, 15}, {240, 8}, {0, 0}};
    for (const auto &n : n16) EXPECT_EQ(Number(n[0]), n[1]) << n[0];
    Build(8);
    EXPECT_EQ(Number(31), 4);
    EXPECT_EQ(Number(100), 2);
    EXPECT_EQ(Number(223), 7);
    Build(32);
    EXPECT_EQ(Number(31), 3);
    Build(2);
    EXPECT_EQ(Number(31), 1);
    Build(256);
    EXPECT_EQ(Number(300), 44);

    const int outside = 16;
    EXPECT_EQ(yycoln_(&outside, nullptr), -1);
}

TEST_F(Palette, SettingAnEntryFollowsThroughTheTables) {
    Build(64);
    const int index = 31, rgb = 0x010203;
    yypals_(&index, &rgb);
    EXPECT_EQ(Entry(31), rgb);
    EXPECT_EQ(gPalette.table8[4], rgb);
    EXPECT_EQ(gPalette.table16[12], rgb);
    EXPECT_EQ(gPalette.table32[31 * 64 / 256], rgb);
    EXPECT_EQ(Nearest(rgb), 31);
}

TEST_F(Palette, ColourRoutinesKeepThePreviousColourAndSendOp3) {
    gSent.clear();
    quill::SetScreenDriver(Capture);
    quill::ResetErrorState();
    int c = 31;
    igrcolourn_(&c);
    EXPECT_EQ(gGraphics.colour.index, 31);
    EXPECT_EQ(gGraphics.colour.rgb, 0x0000FF);
    EXPECT_EQ(gGraphics.prevColour.index, 223);
    c = 256;
    igrcolourn_(&c);
    int one = 1;
    EXPECT_EQ(infoerror_(&one), 42);
    EXPECT_EQ(gGraphics.colour.index, 31);

    int model = 24;
    igrcolourmodel_(&model);
    EXPECT_EQ(gGraphics.colourModel, kColourRgb);
    c = 0x7F0000FF;  // bits above 24 are no part of the colour
    igrcolourn_(&c);
    EXPECT_EQ(gGraphics.colour.rgb, 0x0000FF);
    EXPECT_EQ(gGraphics.colour.index, 31);
    model = 16;
    igrcolourmodel_(&model);
    EXPECT_EQ(gGraphics.colourModel, kColourPalette);
    EXPECT_EQ(gSent, (std::vector<int>{kOpColour, kOpColour}));

    const int index = 5, rgb = 6, device = 7, drawingOnly = 1, hardcopyOnly = 2;
    yycon_(&index, &rgb, &device, &hardcopyOnly);
    EXPECT_EQ(gSent.size(), 2u);
    yycon_(&index, &rgb, &device, &drawingOnly);
    EXPECT_EQ(gSent.size(), 3u);
    EXPECT_EQ(gGraphics.colour.device, 7);
    quill::SetScreenDriver(nullptr);

    int r = -1, g = -1, b = -1;
    const int split = 0x123456;
    wrgbsplit_(&split, &r, &g, &b);
    EXPECT_EQ(r, 0x56);
    EXPECT_EQ(g, 0x34);
    EXPECT_EQ(b, 0x12);
    wrgbsplit_(&split, nullptr, nullptr, &b);
}

TEST(ColourRule, InvertsOrSwapsBlackAndWhite) {
    int r = 5, g = 5, b = 5;
    quill::ColourRule(2, &r, &g, &b);
    EXPECT_EQ(r + g + b, 750);
    r = 5, g = 5, b = 200;
    quill::ColourRule(2, &r, &g, &b);
    EXPECT_EQ(b, 200);
    quill::ColourRule(1, &r, &g, &b);
    EXPECT_EQ(b, 55);
    quill::ColourRule(0, &r, &g, &b);
    EXPECT_EQ(r, 250);
}

}  // namespace
