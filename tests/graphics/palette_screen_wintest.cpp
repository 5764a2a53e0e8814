// A screen that shows its colours through a palette (a display of 8 bits, which this program
// gets of its own): the library's logical palette holds the 16- or 32-colour table followed by
// the 18 text colours, colours are drawn as palette indices and land on the nearest colour the
// device has.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "core/startup.h"
#include "core/windowtext.h"
#include "graphics/bitmaps.h"
#include "graphics/driver_protocol.h"
#include "graphics/drawing_target.h"
#include "graphics/graphics_state.h"
#include "graphics/palette.h"
#include "graphics/screen_gradient.h"
#include "quillamorph.h"

namespace {

void Open(int ncolours) {
    winitialise_(nullptr, 0);
    int flags = 7, width = 200, height = 150;
    windowopen2_(&flags, nullptr, nullptr, &width, &height, nullptr, nullptr, nullptr, nullptr,
                 &ncolours, 0);
}

std::vector<int> LogicalPalette() {
    std::vector<PALETTEENTRY> entries(256);
    const UINT n = GetPaletteEntries(quill::Target().palette, 0, 256, entries.data());
    std::vector<int> rgb;
    for (UINT i = 0; i < n; ++i)
        rgb.push_back(entries[i].peRed | entries[i].peGreen << 8 | entries[i].peBlue << 16);
    return rgb;
}

TEST(PaletteScreen, SixteenColoursDrawAsPaletteIndices) {
    HDC screen = GetDC(nullptr);
    const bool paletted = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
    ReleaseDC(nullptr, screen);
    ASSERT_TRUE(paletted) << "this program needs a display of 8 bits (see tests/CMakeLists.txt)";

    Open(16);
    ASSERT_NE(quill::Target().palette, nullptr);
    EXPECT_EQ(gGraphics.displayColours, 16);
    const std::vector<int> pal = LogicalPalette();
    ASSERT_EQ(pal.size(), 16u + 18u);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(pal[i], quill::LibraryColour(16, i)) << i;
    EXPECT_EQ(pal[12], gPalette.palette[31]);  // red: entry 31 of the library's palette

    // Colour 31 is palette index 12; a rectangle on a bitmap target shows the nearest colour
    // of the device.
    int colour = 31;
    igrcolourn_(&colour);
    EXPECT_EQ(quill::Target().colour, static_cast<COLORREF>(PALETTEINDEX(12)));
    int handle = 0, width = 40, height = 30, white = 0xFFFFFF;
    yybitmapcreate_(&handle, &width, &height, &white);
    const int bitmap = kDrawBitmap;
    igrselect_(&bitmap, &handle);
    quill::SetPoint(1, 5, 5);
    quill::SetPoint(2, 20, 20);
    quill::SendOp(kOpRectangleSolid, kSideDrawing);
    const COLORREF drawn = GetPixel(quill::Target().dc, 10, 15);
    EXPECT_EQ(drawn,
              GetNearestColor(quill::Target().dc, static_cast<COLORREF>(gPalette.palette[31])));
    EXPECT_EQ(GetPixel(quill::Target().dc, 30, 5),
              GetNearestColor(quill::Target().dc, RGB(255, 255, 255)));

    // A gradient point goes through the nearest palette entry as well.
    const int x = 35, y = 25, blue = 0xFF0000;
    yywinpointrgb_(&x, &y, &blue);
    EXPECT_EQ(GetPixel(quill::Target().dc, 35, 25),
              GetNearestColor(quill::Target().dc, static_cast<COLORREF>(pal[9])));
    windowclose_();
}

// Through a palette a new bitmap starts in the palette's first entry, whatever colour is asked.
TEST(PaletteScreen, NewBitmapsStartInThePalettesFirstEntry) {
    Open(16);
    ASSERT_NE(quill::Target().palette, nullptr);
    const int first = LogicalPalette()[0];
    int handle = 0, width = 12, height = 8, red = 0x0000FF;
    yybitmapcreate_(&handle, &width, &height, &red);
    ASSERT_GT(handle, 0);
    const int bitmap = kDrawBitmap;
    igrselect_(&bitmap, &handle);
    const COLORREF expected = GetNearestColor(quill::Target().dc, static_cast<COLORREF>(first));
    ASSERT_NE(expected, GetNearestColor(quill::Target().dc, RGB(255, 0, 0)));
    EXPECT_EQ(GetPixel(quill::Target().dc, 0, 0), expected);
    EXPECT_EQ(GetPixel(quill::Target().dc, 11, 7), expected);
    windowclose_();
}

// The text colours follow the library's colours in the logical palette; a text colour set to
// a colour of its own changes its entry there (and no library colour), so that the palette
// offers that colour to text drawn in it.
TEST(PaletteScreen, TextColoursHaveEntriesAfterTheLibraryColours) {
    Open(16);
    ASSERT_NE(quill::Target().palette, nullptr);
    std::vector<int> pal = LogicalPalette();
    ASSERT_EQ(pal.size(), 16u + 18u);
    for (int i = 0; i < 18; ++i) EXPECT_EQ(pal[16 + i], static_cast<int>(wColor[i])) << i;

    const COLORREF orange = RGB(255, 128, 0);
    const int index = 3, red = 255, green = 128, blue = 0;
    yysetfontcolourrgb_(&index, &red, &green, &blue);
    pal = LogicalPalette();
    EXPECT_EQ(pal[16 + 3], static_cast<int>(orange));
    EXPECT_EQ(pal[3], quill::LibraryColour(16, 3)) << "the library's colour 3 stays";
    EXPECT_EQ(GetNearestPaletteIndex(quill::Target().palette, orange), 16u + 3u);
    windowclose_();
}

TEST(PaletteScreen, ThirtyTwoColoursTakeTheirTable) {
    Open(32);
    ASSERT_NE(quill::Target().palette, nullptr);
    const std::vector<int> pal = LogicalPalette();
    ASSERT_EQ(pal.size(), 32u + 18u);
    const int positions[] = {0, 8, 23, 31, 39};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(pal[k], gPalette.palette[positions[k]]) << k;
    EXPECT_EQ(pal[29], gPalette.palette[239]);
    EXPECT_EQ(pal[30], gPalette.palette[240]);
    EXPECT_EQ(pal[31], gPalette.palette[248]);
    windowclose_();
}

}  // namespace
