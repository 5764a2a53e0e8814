// Display facts, the cursor, the decimal character, and the small text routines.
#include "base/conversion.h"
#include "core/display.h"
#include "base/strings.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(DisplayInfo, TrueColourScreen) {
    int width = 0, height = 0, colours = 0, libcolours = 0, one = 0;
    yygetdisplayinfo_(&width, &height, &colours, &libcolours, &one);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), width);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), height);
    EXPECT_EQ(16777216, colours) << "bits per pixel are capped at 24";
    EXPECT_EQ(256, libcolours);
    EXPECT_EQ(1, one);
    EXPECT_EQ(96, wScreenDPI);
    EXPECT_EQ(1, WinNT);
    EXPECT_EQ(0, Win9x + Win32s);
    EXPECT_GE(WinVer, 5);
}

TEST(Cursor, UnknownResourceLeavesTheCursor) {
    int cross = 3;
    yychangecursor_(&cross);
    HCURSOR crosshair = LoadCursorA(nullptr, IDC_CROSS);
    EXPECT_EQ(crosshair, GetCursor());
    int missing = 12345;
    yychangecursor_(&missing);
    EXPECT_EQ(crosshair, GetCursor());
    int arrow = 0;
    yychangecursor_(&arrow);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), GetCursor());
}

TEST(Decimal, LocaleCharacterReachesTheConversions) {
    quill::SetDecimalChar('#');
    yyinitdecimal_();
    char c = 0;
    yygetdecimal_(&c);
    EXPECT_EQ('.', c) << "the tests run in the C locale";
    EXPECT_EQ('.', wDecimal);
    int type = 0;
    yygradfilltype_(&type);
    EXPECT_EQ(1, type) << "no gradient fill before start-up";
}

}  // namespace
