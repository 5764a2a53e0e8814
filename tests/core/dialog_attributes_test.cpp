// Reading dialog attribute texts: headers, data lines, item lines, and texts that end early,
// lack their NUL or hold over-long lines.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/dialog_attributes.h"

namespace {

struct Seen {
    int section;  // section in force for a data line
    int id;
    std::string rest;
};

// Every data line of TEXT with the section in force.
std::vector<Seen> DataLines(const std::string &text) {
    AttributeReader reader;
    quill::BeginAttributeReader(&reader, text.data(), text.size());
    std::vector<Seen> seen;
    int section = kSectionNone;
    AttributeLine line;
    while (quill::NextAttributeLine(&reader, &line)) {
        if (line.header)
            section = line.header;
        else
            seen.push_back({section, line.id, std::string(line.rest, line.restLen)});
    }
    return seen;
}

TEST(AttributeHeaders, MatchCaseSensitivelyAtTheLineStart) {
    EXPECT_EQ(quill::AttributeHeaderSection("[Ranges] "), kSectionRanges);
    EXPECT_EQ(quill::AttributeHeaderSection("[Fonts]"), kSectionFonts);
    EXPECT_EQ(quill::AttributeHeaderSection("[Treeviews]\n"), kSectionTreeviews);
    EXPECT_EQ(quill::AttributeHeaderSection("[ranges]"), kSectionNone);
    EXPECT_EQ(quill::AttributeHeaderSection("Ranges"), kSectionNone);
    EXPECT_EQ(strcmporn("[Menus]", "[Menus] x"), 0);
    EXPECT_EQ(strcmporn("[Menus]", "[Me"), 0);  // the text ran out
    EXPECT_GT(strcmporn("[Menus]", "[MENUS]"), 0);
}

TEST(AttributeLines, CarryTheirSectionIdAndRest) {
    auto seen = DataLines("[Ranges] \n  301 1 10 \n[Checks]\n305 1\r\n\n[colours]\n9 1\n");
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].section, kSectionRanges);
    EXPECT_EQ(seen[0].id, 301);
    EXPECT_EQ(seen[0].rest, "1 10 ");
    EXPECT_EQ(seen[1].section, kSectionChecks);
    EXPECT_EQ(seen[1].rest, "1");  // the carriage return is part of the line end
    // A header in other letter case is a data line of the section in force.
    EXPECT_EQ(seen[2].section, kSectionChecks);
    EXPECT_EQ(seen[2].id, 0);
    EXPECT_EQ(seen[3].section, kSectionChecks);
    EXPECT_EQ(seen[3].id, 9);
}

TEST(AttributeLines, OnlyHeadersGiveNoData) {
    EXPECT_TRUE(DataLines("[Ranges] \n[Menus] \n[Fonts] \n").empty());
    EXPECT_TRUE(DataLines("").empty());
}

TEST(AttributeLines, StopAtTheNulOrTheSizeWhateverComesFirst) {
    const char withNul[] =
        "[Checks]\n301 1\n\0"
        "302 1\n";
    EXPECT_EQ(DataLines(std::string(withNul, sizeof withNul - 1)).size(), 1u);
    // A resource without a NUL ends at its size; the last line has no line feed.
    std::string noNul = "[Checks]\n301 1\n302 0";
    AttributeReader reader;
    quill::BeginAttributeReader(&reader, noNul.data(),
                                noNul.size() - 2);  // cut inside the last line
    AttributeLine line;
    int ids = 0, last = 0;
    while (quill::NextAttributeLine(&reader, &line))
        if (!line.header) ++ids, last = line.id;
    EXPECT_EQ(ids, 2);
    EXPECT_EQ(last, 302);
}

TEST(AttributeItems, FollowTheirLineAndAreBounded) {
    std::string longItem(5000, 'x');
    std::string text = "[Menus]\n301 3 2\nFirst   \n" + longItem + "\n";
    AttributeReader reader;
    quill::BeginAttributeReader(&reader, text.data(), text.size());
    AttributeLine line;
    ASSERT_TRUE(quill::NextAttributeLine(&reader, &line));
    ASSERT_TRUE(quill::NextAttributeLine(&reader, &line));
    const char *p = line.rest;
    EXPECT_EQ(quill::ReadAttributeInt(&p, line.rest + line.restLen), 3);
    EXPECT_EQ(quill::ReadAttributeInt(&p, line.rest + line.restLen), 2);
    std::string item;
    ASSERT_TRUE(quill::ReadAttributeItem(&reader, &item));
    EXPECT_EQ(quill::AttributeMenuItem(item), "First");
    ASSERT_TRUE(quill::ReadAttributeItem(&reader, &item));
    EXPECT_EQ(item.size(), kAttributeLineMax);
    // A count larger than the lines that follow stops at the end of the text.
    EXPECT_FALSE(quill::ReadAttributeItem(&reader, &item));
}

TEST(AttributeItems, TabCaptionLosesTheBlankBeforeTheLineFeed) {
    EXPECT_EQ(quill::AttributeTabCaption("Two words "), "Two words");
    EXPECT_EQ(quill::AttributeTabCaption(""), "");
}

TEST(AttributeValues, IntegersAndRealsToken) {
    std::string s = "-12ab 7 ab - 2.5 1D2 -0.5E1";
    const char *p = s.c_str();
    const char *end = p + s.size();
    EXPECT_EQ(quill::ReadAttributeInt(&p, end), -12);
    EXPECT_EQ(quill::ReadAttributeInt(&p, end), 7);
    EXPECT_EQ(quill::ReadAttributeInt(&p, end), 0);
    EXPECT_EQ(quill::ReadAttributeInt(&p, end), 0);
    EXPECT_DOUBLE_EQ(quill::ReadAttributeReal(&p, end), 2.5);
    EXPECT_DOUBLE_EQ(quill::ReadAttributeReal(&p, end), 100.0);
    EXPECT_DOUBLE_EQ(quill::ReadAttributeReal(&p, end), -5.0);
    EXPECT_EQ(p, end);
    EXPECT_EQ(quill::ReadAttributeInt(&p, end), 0);  // nothing left
}

TEST(AttributeValues, IntegerRangesAreClampedToTheControlsRange) {
    std::string s = "1E20 -1E20 -5 70000.5 12.9 -3.7 x 99";
    const char *p = s.c_str();
    const char *end = p + s.size();
    int low = 1, high = 1;
    quill::ReadAttributeIntRange(&p, end, INT_MIN, INT_MAX, &low, &high);
    EXPECT_EQ(low, INT_MAX);
    EXPECT_EQ(high, INT_MIN);
    quill::ReadAttributeIntRange(&p, end, 0, 0xFFFF, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 0xFFFF);
    quill::ReadAttributeIntRange(&p, end, -100, 100, &low, &high);
    EXPECT_EQ(low, 12);
    EXPECT_EQ(high, -3);
    quill::ReadAttributeIntRange(&p, end, -100, 100, &low, &high);
    EXPECT_EQ(low, 0) << "a text that is not a number reads as 0";
    EXPECT_EQ(high, 99);
}

TEST(AttributeValues, ColourComponents) {
    const std::uint32_t old = 0x123456;
    EXPECT_EQ(quill::AttributeColour(old, 256, 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(quill::AttributeColour(old, -1, 9, 9), old);
    EXPECT_EQ(quill::AttributeColour(old, 255, 128, 1), 0x0180FFu);
    EXPECT_EQ(quill::AttributeColour(old, 257, 0, 511), 0xFF0001u);  // low 8 bits of each
}

TEST(AttributeGrids, ConsumedTextIsSkippedButNeverPastTheEnd) {
    std::string text = "[Grids]\n301 2 3 350\nA\nB\n[Checks]\n302 1\n";
    AttributeReader reader;
    quill::BeginAttributeReader(&reader, text.data(), text.size());
    AttributeLine line;
    ASSERT_TRUE(quill::NextAttributeLine(&reader, &line));
    ASSERT_TRUE(quill::NextAttributeLine(&reader, &line));
    EXPECT_EQ(line.id, 301);
    // The grid used its line and the two lines after it.
    std::string used = " 2 3 350\nA\nB";
    quill::ConsumeAttributeTail(&reader, &line, used.size());
    ASSERT_TRUE(quill::NextAttributeLine(&reader, &line));
    EXPECT_EQ(line.header, kSectionChecks);
    quill::ConsumeAttributeTail(&reader, &line, 1u << 30);
    EXPECT_FALSE(quill::NextAttributeLine(&reader, &line));
}

}  // namespace
