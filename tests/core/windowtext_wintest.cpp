// Text output in the library's fonts and colours, checked pixel by pixel on a memory bitmap
// that stands in for the current window's device context.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "core/childwindows.h"
#include "core/windowtext.h"
#include "library_root.h"
#include "quillamorph.h"

namespace {

class WindowText : public SharedLibraryRoot {
protected:
    void SetUp() override {
        int x = 40, y = 40, w = 300, h = 200, flags = 7, none = 0, parent = 0, menu = 0;
        yyopenchild_(&x, &y, &w, &h, &win, &flags, &menu, nullptr, &none, &parent, "text");
        ASSERT_GT(win, 0);
        windowselect_(&win);
        // Draw into a white memory bitmap in place of the window.
        memory = CreateCompatibleDC(wDC);
        bitmap = CreateBitmap(300, 200, 1, 32, nullptr);
        old = SelectObject(memory, bitmap);
        PatBlt(memory, 0, 0, 300, 200, WHITENESS);
        SetBkMode(memory, TRANSPARENT);  // as the library prepares a window
        windowDC = wDC;
        wDC = memory;
    }
    void TearDown() override {
        wDC = windowDC;
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        int none = 0;
        yyclosechild_(&win, &none);
    }
    int Count(COLORREF colour, int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (GetPixel(memory, x, y) == colour) ++n;
        return n;
    }
    int win = 0;
    HDC memory = nullptr, windowDC = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
};

void UseArial(int pixelHeight) {
    gTextFont.face = 3;
    gTextFont.bold = 0;
    gTextFont.italic = 0;
    gTextFont.pixelWidth = 0;
    gTextFont.pixelHeight = pixelHeight;
    yyfntcre_();
}

TEST_F(WindowText, DrawsInTheForegroundOverTheBackgroundAndAdvances) {
    UseArial(20);
    int fore = 9, back = 11;  // red on green
    yyfntcol_(&fore, &back);
    int under = 0;
    yyfntund_(&under);
    int x = 10, y = 50, n = 6, width = 0;
    yystringlen_(&width, "HHHHH", &n);
    ASSERT_GT(width, 0);
    yystringout_(&x, &y, "HHHHH", &n);
    EXPECT_EQ(10 + width, x);
    EXPECT_EQ(50, y);
    EXPECT_GT(Count(RGB(255, 0, 0), 10, 30, 10 + width, 51), 20);
    EXPECT_GT(Count(RGB(0, 255, 0), 10, 30, 10 + width, 51), 20);
    EXPECT_EQ(0, Count(RGB(255, 0, 0), 10 + width + 1, 0, 300, 200));
    // The device context's own settings come back.
    EXPECT_EQ(TRANSPARENT, GetBkMode(memory));
}

TEST_F(WindowText, UnderlineRunsTwoPixelsBelowTheBaseline) {
    UseArial(16);
    int fore = 0, back = 15;
    yyfntcol_(&fore, &back);
    int under = 1;
    yyfntund_(&under);
    int x = 20, y = 100, n = 4, width = 0;
    yystringlen_(&width, "abc", &n);
    yystringout_(&x, &y, "abc", &n);
    EXPECT_EQ(width, Count(RGB(0, 0, 0), 0, 102, 300, 103));
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(memory, 20, 102));
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(memory, 20 + width - 1, 102));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(memory, 20 + width, 102));
    // Empty text: a line of length 0 and no move.
    x = 200;
    n = 1;
    yystringout_(&x, &y, "", &n);
    EXPECT_EQ(200, x);
    under = 0;
    yyfntund_(&under);
}

TEST_F(WindowText, ColourIndicesOutsideTheirRangeAreIgnored) {
    int fore = 3, back = 5;
    yyfntcol_(&fore, &back);
    EXPECT_EQ(3, wForeCol);
    EXPECT_EQ(5, wBackCol);
    back = 16;
    yyfntcol_(&fore, &back);
    EXPECT_EQ(17, wBackCol);
    fore = 20, back = -1;
    yyfntcol_(&fore, &back);
    EXPECT_EQ(3, wForeCol);
    EXPECT_EQ(17, wBackCol);
    EXPECT_EQ(RGB(0, 0, 0), quill::TextColour(-1));
    EXPECT_EQ(RGB(0, 0, 0), quill::TextColour(18));
    EXPECT_EQ(wColor[17], quill::TextColour(17));
    int index = 4, r = 1, g = 2, b = 3;
    yysetfontcolourrgb_(&index, &r, &g, &b);
    EXPECT_EQ(RGB(1, 2, 3), wColor[4]);
    index = 18;
    yysetfontcolourrgb_(&index, &r, &g, &b);  // outside the table: nothing
}

TEST_F(WindowText, FontIsCreatedOnlyWhenASettingChanges) {
    UseArial(18);
    HFONT first = hTextFont;
    yyfntcre_();
    EXPECT_EQ(first, hTextFont);
    // A size in window units turns into a new pixel size after the window grows.
    gTextFont.unitWidth = 0;
    gTextFont.unitHeight = 1000;
    yyfntsiz_();
    int before = gTextFont.pixelHeight;
    EXPECT_EQ(199 * 1000 / 9999, before);
    yyfntcre_();
    HFONT sized = hTextFont;
    EXPECT_NE(first, sized);
    int x = -999999, y = -999999, w = -999999, h = 400, state = -1;
    wDC = windowDC;
    yywindowsizepos_(&x, &y, &w, &h, &state);
    windowselect_(&win);
    windowDC = wDC;
    wDC = memory;
    EXPECT_EQ(399 * 1000 / 9999, gTextFont.pixelHeight);
    yyfntcre_();
    EXPECT_NE(sized, hTextFont);
}

TEST_F(WindowText, CreateFontReturnsItsMetrics) {
    int face = 4, bold = 1, italic = 0, width = 0, height = 24;
    yycreatefont_(&face, &bold, &italic, &width, &height);
    HGDIOBJ previous = SelectObject(memory, hTextFont);
    TEXTMETRICA metrics;
    GetTextMetricsA(memory, &metrics);
    SelectObject(memory, previous);
    EXPECT_EQ(metrics.tmHeight, height);
    EXPECT_EQ(metrics.tmAveCharWidth, width);
    EXPECT_EQ(FW_BOLD, metrics.tmWeight);
    face = -99, width = 0, height = 0;
    yycreatefont_(&face, &bold, &italic, &width, &height);
    EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT), hTextFont);
    EXPECT_GT(height, 0);
}

}  // namespace
