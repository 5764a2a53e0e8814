// The window-system-free rules behind child windows, menus, tool bars, the message box and the
// file dialog: unit conversions at their edges, the binary resource tables (whole, cut short
// and malformed), the filter list and the returned file name.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "core/file_dialog_text.h"
#include "core/message_box_rules.h"
#include "core/resource_tables.h"
#include "core/window_units.h"

using namespace quill;

namespace {

std::vector<unsigned char> Words(std::initializer_list<int> words) {
    std::vector<unsigned char> bytes;
    for (int w : words) {
        bytes.push_back(static_cast<unsigned char>(w & 0xFF));
        bytes.push_back(static_cast<unsigned char>((w >> 8) & 0xFF));
    }
    return bytes;
}

}  // namespace

TEST(WindowUnits, ConvertAtTheEdgesOfA640PixelArea) {
    EXPECT_EQ(UnitsToPixels(9999, 640), 639);
    EXPECT_EQ(UnitsToPixels(0, 640), 0);
    EXPECT_EQ(UnitsFromPixels(639, 640), 9991);
    EXPECT_EQ(UnitsFromPixels(0, 640), 7);
    EXPECT_EQ(UnitsFromPixels(320, 640), 5007);
}

TEST(WindowUnits, SmallExtentsGiveZeroUnits) {
    EXPECT_EQ(UnitsFromPixels(0, 1), 0);
    EXPECT_EQ(UnitsFromPixels(5, 0), 0);
    EXPECT_EQ(UnitsToPixels(9999, 1), 0);
}

TEST(WindowUnits, LargeValuesDoNotOverflow) {
    // 1,000,000 units on a 5000 pixel area: the product exceeds 32 bits.
    EXPECT_EQ(UnitsToPixels(1000000, 5000), 499949);
    EXPECT_EQ(UnitsFromPixels(1000000, 5000), 1999800);
    EXPECT_EQ(UnitsToPixels(INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(UnitsFromPixels(INT_MAX, 2), INT_MAX);
    EXPECT_EQ(UnitsFromPixels(-5, 640), -70);  // truncated toward zero
}

TEST(MenuIdTable, ReadsEntriesUpToTheClosingZero) {
    auto data = Words({501, 1, 0, 502, 2, 3, 0, 0, 777, 1, 0});
    auto entries = ParseMenuIdTable(data.data(), data.size());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].id, 501);
    EXPECT_EQ(entries[0].path, std::vector<int>({1}));
    EXPECT_EQ(entries[1].id, 502);
    EXPECT_EQ(entries[1].path, std::vector<int>({2, 3}));
}

TEST(MenuIdTable, StopsAtTheEndOfTheResource) {
    auto data = Words({501, 1, 0, 502, 2, 3});  // second entry cut off, no closing zero
    auto entries = ParseMenuIdTable(data.data(), data.size());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].id, 501);
    // An odd trailing byte is ignored as well.
    data.push_back(0x12);
    EXPECT_EQ(ParseMenuIdTable(data.data(), data.size()).size(), 1u);
    EXPECT_TRUE(ParseMenuIdTable(nullptr, 10).empty());
    EXPECT_TRUE(ParseMenuIdTable(data.data(), 1).empty());
}

TEST(MenuIdTable, SkipsEmptyAndOverDeepPaths) {
    std::initializer_list<int> deep = {601, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0};
    auto data = Words(deep);
    auto rest = Words({602, 0, 603, 4, 0, 0});
    data.insert(data.end(), rest.begin(), rest.end());
    auto entries = ParseMenuIdTable(data.data(), data.size());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].id, 603);
}

TEST(ToolbarTable, ReadsImageSizeButtonsAndSeparators) {
    auto data = Words({16, 15, 501, 502, 0, 503, 0, 0, 999});
    ToolbarTable table = ParseToolbarTable(data.data(), data.size());
    ASSERT_TRUE(table.valid);
    EXPECT_EQ(table.image_width, 16);
    EXPECT_EQ(table.image_height, 15);
    EXPECT_EQ(table.ids, std::vector<int>({501, 502, 0, 503}));
}

TEST(ToolbarTable, EndsWithItsDataWhenTheZerosAreMissing) {
    auto data = Words({16, 16, 501, 0});
    ToolbarTable table = ParseToolbarTable(data.data(), data.size());
    ASSERT_TRUE(table.valid);
    EXPECT_EQ(table.ids, std::vector<int>({501}));
    EXPECT_FALSE(ParseToolbarTable(data.data(), 3).valid);
    EXPECT_FALSE(ParseToolbarTable(nullptr, 0).valid);
}

TEST(FileFilter, TurnsTheClosingCharacterIntoNuls) {
    const char text[] = "CheckPoint Files|*.isf|All files|*.*|     ";
    std::string list = BuildFilterList(text, static_cast<int>(std::strlen(text)));
    EXPECT_EQ(list, std::string("CheckPoint Files\0*.isf\0All files\0*.*\0\0", 38));
    const char semi[] = "Text;*.txt;";
    EXPECT_EQ(BuildFilterList(semi, 11), std::string("Text\0*.txt\0\0", 12));
}

TEST(FileFilter, BlankTextGivesNoList) {
    EXPECT_TRUE(BuildFilterList("      ", 6).empty());
    EXPECT_TRUE(BuildFilterList(nullptr, 0).empty());
}

TEST(FileFilter, LongTextIsCutAtAWholePairAndKeepsItsSeparator) {
    std::string text;
    while (text.size() < 990) text += "Some files|*.abc|";
    text += "Last files|*.zzz|";  // crosses the 1000-character limit
    std::string list = BuildFilterList(text.data(), static_cast<int>(text.size()));
    ASSERT_FALSE(list.empty());
    EXPECT_LE(list.size(), static_cast<size_t>(kFilterTextMax + 1));
    EXPECT_EQ(list.find('|'), std::string::npos);
    EXPECT_EQ(list.substr(list.size() - 7), std::string("*.abc\0\0", 7));
    EXPECT_EQ(list.find("Last"), std::string::npos);
}

TEST(FileDialogText, TitleDefaultsToSelectFile) {
    EXPECT_EQ(FileDialogTitle("Open checkpoint   ", 18), "Open checkpoint");
    EXPECT_EQ(FileDialogTitle("    ", 4), "Select File");
    EXPECT_EQ(FileDialogTitle(nullptr, 0), "Select File");
}

TEST(FileDialogText, ReturnedNameStopsAtNulOrNulPair) {
    const char single[] = "Z:\\tmp\\a.isf\0junk";
    EXPECT_EQ(ReturnedNameLength(single, sizeof single, false), 12);
    const char multiple[] = "Z:\\tmp\0a.isf\0b.isf\0\0junk";
    EXPECT_EQ(ReturnedNameLength(multiple, sizeof multiple, true), 18);
    EXPECT_EQ(ReturnedNameLength(multiple, sizeof multiple, false), 6);
    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(ReturnedNameLength(unterminated, 4, false), 4);
    EXPECT_EQ(ReturnedNameLength(unterminated, 4, true), 4);
}

TEST(FileDialogText, CopyPadsOrLeavesTheVariableAlone) {
    char dest[8];
    std::memcpy(dest, "original", 8);
    EXPECT_FALSE(CopyToPadded("too long!", 9, dest, 8));
    EXPECT_EQ(std::string(dest, 8), "original");
    EXPECT_TRUE(CopyToPadded("a.b", 3, dest, 8));
    EXPECT_EQ(std::string(dest, 8), "a.b     ");
}

TEST(MessageBoxRules, DefaultButtonFollowsTheAnswerCode) {
    const struct {
        int buttons, answer;
        unsigned deflt;
    } cases[] = {{1, 1, 0x000},
                 {1, 0, 0x100},
                 {3, 2, 0x100},
                 {4, 1, 0x000},
                 {4, 2, 0x100},
                 {4, 0, 0x200},
                 {5, 1, 0x100} /* Retry */,
                 {5, 2, 0x000} /* Abort */,
                 {5, 0, 0x200} /* Ignore */,
                 {0, 2, 0x000}};
    for (const auto &c : cases)
        EXPECT_EQ(MessageBoxStyleFor(c.buttons, 0, c.answer).deflt, c.deflt)
            << "buttons " << c.buttons << ", answer " << c.answer;
}

TEST(MessageBoxRules, ButtonSetsAndIcons) {
    const struct {
        int code;
        unsigned style;
    } buttons[] = {{9, 0x0}, {2, 0x5}, {3, 0x4}, {4, 0x3}, {5, 0x2}},
      icons[] = {{1, 0x10}, {4, 0x40}, {7, 0x0}};
    for (const auto &b : buttons)
        EXPECT_EQ(MessageBoxStyleFor(b.code, 0, 1).buttons, b.style) << "buttons " << b.code;
    for (const auto &i : icons)
        EXPECT_EQ(MessageBoxStyleFor(0, i.code, 1).icon, i.style) << "icon " << i.code;
}

TEST(MessageBoxRules, AnswerCodes) {
    EXPECT_EQ(MessageBoxAnswer(1), 1);  // OK
    EXPECT_EQ(MessageBoxAnswer(6), 1);  // Yes
    EXPECT_EQ(MessageBoxAnswer(4), 1);  // Retry
    EXPECT_EQ(MessageBoxAnswer(2), 0);  // Cancel
    EXPECT_EQ(MessageBoxAnswer(5), 0);  // Ignore
    EXPECT_EQ(MessageBoxAnswer(7), 2);  // No
    EXPECT_EQ(MessageBoxAnswer(3), 2);  // Abort
    EXPECT_EQ(MessageBoxAnswer(0), -1);
}
