// The stroke font store: the built-in font as installed, its glyph layout, the installer and the
// width table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "base/errors.h"
#include "graphics/stroke_font.h"
#include "error_status.h"

namespace {

using quill::gStrokeFonts;
using quill::StrokeFontSet;

// The text of CODE's glyph in SET, by its index entries.
std::string Glyph(const StrokeFontSet &set, int code) {
    int from, to;
    if (code >= 33 && code <= 126) {
        from = set.lower[code - 33];
        to = set.lower[code - 32];
    } else if (code == 128) {
        from = set.lower[94];
        to = set.lower[95];
    } else {
        from = set.upper[code - 161];
        to = set.upper[code - 160];
    }
    return std::string(set.text + from - 1, set.text + to - 1);
}

struct Point {
    int x, y;
};

int Coordinate(char c) { return c >= 'A' ? c - 'A' + 10 : c - '0'; }

// The strokes of a glyph text; a trailing "u" gives a last, empty stroke.
std::vector<std::vector<Point>> Strokes(const std::string &glyph) {
    std::vector<std::vector<Point>> strokes(1);
    for (std::size_t i = 0; i < glyph.size();) {
        if (glyph[i] == 'u') {
            strokes.emplace_back();
            ++i;
        } else {
            strokes.back().push_back({Coordinate(glyph[i]), Coordinate(glyph[i + 1])});
            i += 2;
        }
    }
    return strokes;
}

std::vector<int> Codes() {
    std::vector<int> codes;
    for (int c = 33; c <= 126; ++c) codes.push_back(c);
    codes.push_back(128);
    for (int c = 161; c <= 255; ++c) codes.push_back(c);
    return codes;
}

struct StrokeFont : ::testing::Test {
    void SetUp() override {
        LastError();
        wgrvfontstandard_(nullptr);
        const int all = 0;
        yychspace_(&all);
    }
};

TEST_F(StrokeFont, TheBuiltInFontGoesIntoSetZeroUnlessOneIsAsked) {
    const StrokeFontSet &f = gStrokeFonts[0];
    EXPECT_EQ(std::string(f.name, 13), "standard.chr ");
    EXPECT_EQ(std::string(f.name, 260).find_first_not_of(' ', 12), std::string::npos);
    EXPECT_FLOAT_EQ(f.size1, 7.68f);
    EXPECT_FLOAT_EQ(f.size2, 11.88f);
    EXPECT_FLOAT_EQ(f.gridWidth, 6.0f);
    EXPECT_FLOAT_EQ(f.gridHeight, 11.0f);
    EXPECT_EQ(f.font1, 8);
    EXPECT_EQ(f.font2, 0);
    EXPECT_EQ(f.flag1, 1);
    EXPECT_EQ(f.has128, 1);
    EXPECT_EQ(std::vector<int>(f.lower, f.lower + 4), (std::vector<int>{1, 10, 19, 38}));
    EXPECT_EQ(f.lower[94], 1372);
    EXPECT_EQ(f.lower[95], 1398);
    EXPECT_EQ(f.upper[0], 1401);
    EXPECT_EQ(f.upper[95], 3456);
    EXPECT_EQ(f.lower[94] - 1, 1371);  // code 126 ends just before code 128 begins
    EXPECT_EQ(std::string(f.text + 1397, 3), "   ");
    EXPECT_EQ(Glyph(f, 33), "3233u363B");
    EXPECT_EQ(Glyph(f, 65), "023B62u1555");
    EXPECT_EQ(Glyph(f, 103), "00405158u5748180605134354");
    EXPECT_EQ(Glyph(f, 128), "63522214192B5B6Au0656u0767");
    EXPECT_EQ(Glyph(f, 161), "3035u3839");
    EXPECT_EQ(Glyph(f, 197), "0238493A293862u1454u");

    // Any flag but 1 means font set 0; 1 fills set 1 and leaves set 0 alone.
    gStrokeFonts[0] = StrokeFontSet{};
    gStrokeFonts[1] = StrokeFontSet{};
    const int two = 2;
    wgrvfontstandard_(&two);
    EXPECT_EQ(Glyph(gStrokeFonts[0], 33), "3233u363B");
    gStrokeFonts[0].font1 = 99;
    const int one = 1;
    wgrvfontstandard_(&one);
    EXPECT_EQ(gStrokeFonts[0].font1, 99);
    EXPECT_EQ(Glyph(gStrokeFonts[1], 255), Glyph(gStrokeFonts[0], 255));
    EXPECT_EQ(gStrokeFonts[1].upper[95], 3456);
    EXPECT_EQ(gStrokeFonts[1].name[0], '\0');  // set 1 keeps no name
    EXPECT_EQ(gStrokeFonts[1].flag1, 0);
}

TEST_F(StrokeFont, EveryGlyphKeepsTheGridAndTheStrokeLimits) {
    const StrokeFontSet &f = gStrokeFonts[0];
    for (int code : Codes()) {
        SCOPED_TRACE(code);
        const std::string g = Glyph(f, code);
        ASSERT_GE(g.size(), 4u);
        EXPECT_LE(g.size(), 43u);
        EXPECT_EQ(g.find_first_not_of("0123456789ABu"), std::string::npos);
        const auto strokes = Strokes(g);
        const bool emptyTail = g.back() == 'u';
        EXPECT_LE(strokes.size() - (emptyTail ? 1 : 0), 5u);
        for (std::size_t s = 0; s < strokes.size(); ++s) {
            if (emptyTail && s + 1 == strokes.size()) continue;
            EXPECT_GE(strokes[s].size(), 2u);
            EXPECT_LE(strokes[s].size(), 15u);
            for (const Point &p : strokes[s]) {
                EXPECT_TRUE(p.x >= 0 && p.x <= 6 && p.y >= 0 && p.y <= 11) << g;
            }
        }
    }
    // The glyphs lie end to end: every index entry is the end of the glyph before it.
    EXPECT_EQ(f.upper[95] - 1, quill::kStandardStrokeLength);
}

TEST_F(StrokeFont, LettersAndDigitsStandOnTheBaseLine) {
    const StrokeFontSet &f = gStrokeFonts[0];
    auto extent = [&](int code, int *low, int *high) {
        *low = 99;
        *high = -1;
        for (const auto &stroke : Strokes(Glyph(f, code))) {
            for (const Point &p : stroke) {
                *low = std::min(*low, p.y);
                *high = std::max(*high, p.y);
            }
        }
    };
    const std::string ascenders = "bdfhkl", descenders = "gjpqy";
    int low, high;
    for (int c = '0'; c <= 'z'; ++c) {
        if (!(std::isalnum(c))) continue;
        SCOPED_TRACE(static_cast<char>(c));
        extent(c, &low, &high);
        if (std::isdigit(c) || std::isupper(c)) {
            EXPECT_EQ(high, 11);
            EXPECT_EQ(low, c == 'Q' ? 0 : 2);
            continue;
        }
        const char ch = static_cast<char>(c);
        const int top = ascenders.find(ch) != std::string::npos || ch == 'i' || ch == 'j' ? 11
                        : ch == 't'                                                       ? 10
                                                                                          : 8;
        EXPECT_EQ(high, top);
        EXPECT_EQ(low, descenders.find(ch) != std::string::npos ? 0 : 2);
    }
    for (char c : std::string(",;_/[]|")) {
        extent(c, &low, &high);
        EXPECT_EQ(low, 0) << c;
    }
    for (char c : std::string("{}")) {
        extent(c, &low, &high);
        EXPECT_EQ(low, 1) << c;
    }
    for (char c : std::string("!|")) {
        for (const auto &stroke : Strokes(Glyph(f, c))) {
            for (const Point &p : stroke) EXPECT_EQ(p.x, 3) << c;
        }
    }
}

TEST_F(StrokeFont, TheInstallerCopiesWhatItsFlagsAndLengthSay) {
    const float r = 1.0f;
    const int k = 5, noEuro = 1, set0 = 0;
    std::vector<int> lower(96, 7), upper(96, 9);
    gStrokeFonts[0].lower[95] = 1234;
    const std::string text = "0011u2233";
    yychsfont_(&r, &r, &r, &r, &k, &noEuro, &k, &set0, "mine", text.data(), lower.data(),
               upper.data(), 4, static_cast<int>(text.size()));
    const StrokeFontSet &f = gStrokeFonts[0];
    EXPECT_EQ(f.lower[94], 7);
    EXPECT_EQ(f.lower[95], 1234);  // 95 entries without a glyph for code 128
    EXPECT_EQ(f.upper[95], 9);
    EXPECT_EQ(f.has128, 0);
    EXPECT_EQ(f.flag1, 1);
    EXPECT_EQ(std::string(f.name, 5), "mine ");
    EXPECT_EQ(std::string(f.text, 10), "0011u2233" + std::string(1, f.text[9]));
    EXPECT_EQ(f.text[9], quill::kStandardStrokeText[9]);  // positions after N keep their text

    // A negative length copies nothing; a text longer than the set's 17000 characters is cut.
    yychsfont_(&r, &r, &r, &r, &k, &noEuro, &k, &set0, "x", "99", lower.data(), upper.data(), 1,
               -5);
    EXPECT_EQ(f.text[0], '0');
    std::string huge(20000, '7');
    gStrokeFonts[1].size1 = 0;
    const int set1 = 1;
    yychsfont_(&r, &r, &r, &r, &k, &noEuro, &k, &set1, "x", huge.data(), lower.data(), upper.data(),
               1, static_cast<int>(huge.size()));
    EXPECT_EQ(gStrokeFonts[1].text[16999], '7');
    EXPECT_EQ(gStrokeFonts[1].size1, 1.0f);
    EXPECT_EQ(gStrokeFonts[0].size1, 1.0f);
}

TEST_F(StrokeFont, WidthsResetToTheirDefaultsAndBadCodesRaise66) {
    using quill::gCharWidthLower;
    using quill::gCharWidthUpper;
    const struct {
        int code;
        float width;
    } given[] = {{32, 0.70f},  {33, 0.56f},  {48, 0.84f},  {57, 0.84f},  {64, 1.54f},
                 {65, 1.11f},  {73, 0.56f},  {77, 1.30f},  {87, 1.50f},  {105, 0.46f},
                 {106, 0.46f}, {108, 0.46f}, {124, 0.33f}, {128, 0.74f}, {161, 0.55f},
                 {192, 1.20f}, {197, 1.20f}, {198, 1.49f}, {255, 0.83f}};
    auto width = [&](int code) -> float & {
        return code == 128  ? gCharWidthLower[95]
               : code < 128 ? gCharWidthLower[code - 32]
                            : gCharWidthUpper[code - 161];
    };
    for (const auto &g : given) EXPECT_FLOAT_EQ(width(g.code), g.width) << g.code;
    for (float w : gCharWidthLower) EXPECT_TRUE(w >= 0.33f && w <= 1.54f);
    for (float w : gCharWidthUpper) EXPECT_TRUE(w >= 0.33f && w <= 1.54f);

    // One code resets one entry; 0 resets them all.
    std::fill(gCharWidthLower, gCharWidthLower + 96, 3.0f);
    std::fill(gCharWidthUpper, gCharWidthUpper + 95, 3.0f);
    for (int code : {32, 128, 200}) yychspace_(&code);
    EXPECT_EQ(LastError(), 0);
    EXPECT_FLOAT_EQ(width(32), 0.70f);
    EXPECT_FLOAT_EQ(width(128), 0.74f);
    EXPECT_FLOAT_EQ(width(126), 3.0f);
    EXPECT_FLOAT_EQ(width(161), 3.0f);
    EXPECT_NE(width(200), 3.0f);
    EXPECT_EQ(std::count(gCharWidthLower, gCharWidthLower + 96, 3.0f), 94);
    EXPECT_EQ(std::count(gCharWidthUpper, gCharWidthUpper + 95, 3.0f), 94);

    for (int code : {127, 129, 160, 256, -1, 5}) {
        yychspace_(&code);
        EXPECT_EQ(LastError(), 66) << code;
    }
    EXPECT_EQ(std::count(gCharWidthLower, gCharWidthLower + 96, 3.0f), 94);

    const int all = 0;
    yychspace_(&all);
    EXPECT_FLOAT_EQ(width(126), quill::kDefaultLowerWidths[94]);
    EXPECT_FLOAT_EQ(width(161), 0.55f);
}

}  // namespace
