// Library key codes and mouse modifiers.
#include "core/event_codes.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyCodes, TableOfSpecialKeys) {
    EXPECT_EQ(yyinterpretkey(0x09, 0), 9);
    EXPECT_EQ(yyinterpretkey(0x09, 20), 274);
    EXPECT_EQ(yyinterpretkey(0x09, 40), 9);  // Ctrl+Tab is a plain Tab
    EXPECT_EQ(yyinterpretkey(0x0C, 0), 285);
    EXPECT_EQ(yyinterpretkey(0x65, 0), 285);
    EXPECT_EQ(yyinterpretkey(0x21, 0), 262);
    EXPECT_EQ(yyinterpretkey(0x22, 0), 263);
    EXPECT_EQ(yyinterpretkey(0x23, 0), 271);
    EXPECT_EQ(yyinterpretkey(0x29, 0), 271);
    EXPECT_EQ(yyinterpretkey(0x24, 0), 270);
    EXPECT_EQ(yyinterpretkey(0x2C, 0), 300);
    EXPECT_EQ(yyinterpretkey(0x2D, 0), 272);
    EXPECT_EQ(yyinterpretkey(0x2E, 0), 273);
    EXPECT_EQ(yyinterpretkey(0x60, 0), 280);
    EXPECT_EQ(yyinterpretkey(0x64, 0), 284);
    EXPECT_EQ(yyinterpretkey(0x66, 0), 286);
    EXPECT_EQ(yyinterpretkey(0x69, 0), 289);
    EXPECT_EQ(yyinterpretkey(0x6A, 0), 294);
    EXPECT_EQ(yyinterpretkey(0x6B, 0), 292);
    EXPECT_EQ(yyinterpretkey(0x6C, 0), 292);
    EXPECT_EQ(yyinterpretkey(0x6D, 0), 290);
    EXPECT_EQ(yyinterpretkey(0x6E, 0), 291);
    EXPECT_EQ(yyinterpretkey(0x6F, 0), 293);
    EXPECT_EQ(yyinterpretkey('Q', 20), 'Q');  // other keys: no shift state
}

TEST(KeyCodes, ArrowsAndFunctionKeysTakeTheShiftState) {
    EXPECT_EQ(yyinterpretkey(0x26, 0), 258);
    EXPECT_EQ(yyinterpretkey(0x28, 20), 263);
    EXPECT_EQ(yyinterpretkey(0x27, 40), 268);
    EXPECT_EQ(quill::LibraryKeyCode(0x25 + kCtrlFlag), 269);
    EXPECT_EQ(quill::LibraryKeyCode(0x70 + kShiftFlag), 321);
    EXPECT_EQ(quill::LibraryKeyCode(0x83), 320);
    EXPECT_EQ(quill::LibraryKeyCode(0x83 + kCtrlFlag + kShiftFlag), 360);  // Ctrl wins
}

TEST(MouseModifiers, SumOfKeysAndButtons) {
    EXPECT_EQ(yymousemodifiers(0), 0);
    EXPECT_EQ(yymousemodifiers(0x0008), 1);
    EXPECT_EQ(yymousemodifiers(0x0004), 2);
    EXPECT_EQ(yymousemodifiers(0x0001), 4);
    EXPECT_EQ(yymousemodifiers(0x0010), 8);
    EXPECT_EQ(yymousemodifiers(0x0002), 16);
    EXPECT_EQ(yymousemodifiers(0x001F), 31);
}

}  // namespace
