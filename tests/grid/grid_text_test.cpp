// The grid's portable work: its [Grids] entry, sort keys and order, clipboard block text.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

#include "grid/grid_text.h"

namespace {

TEST(GridEntry, DataLineWidthAndLabelsWithWhatWasUsed) {
    std::string text =
        " 3 4 350 \n 40\nFirst \r\nSecond\n" + std::string(60, 'x') + "\nFour\n[Checks]\n";
    GridEntry plain = quill::ReadGridEntry(text.c_str(), false, false);
    EXPECT_EQ(plain.columns, 3);
    EXPECT_EQ(plain.rows, 4);
    EXPECT_EQ(plain.templateId, 350);
    EXPECT_EQ(plain.consumed, 0u) << "only the data line";

    GridEntry widthOnly = quill::ReadGridEntry(text.c_str(), true, false);
    EXPECT_EQ(widthOnly.labelWidth, 40);
    EXPECT_EQ(text.substr(0, widthOnly.consumed), " 3 4 350 \n 40");

    GridEntry full = quill::ReadGridEntry(text.c_str(), true, true);
    ASSERT_EQ(full.labels.size(), 4u);
    EXPECT_EQ(full.labels[0], "First");
    EXPECT_EQ(full.labels[1], "Second");
    EXPECT_EQ(full.labels[2], std::string(50, 'x')) << "a long label keeps 50 characters";
    EXPECT_EQ(full.labels[3], "Four");
    EXPECT_EQ(text.substr(full.consumed, 2), "\n[") << "parsing resumes on the next section";
}

TEST(GridEntry, MissingLabelLinesAndBadNumbersStayInsideTheText) {
    std::string text = " 2 9 350\n 30\nOnly\n[Colours]\n7 1 2 3\n";
    GridEntry entry = quill::ReadGridEntry(text.c_str(), true, true);
    ASSERT_EQ(entry.labels.size(), 1u) << "a section header is no label";
    EXPECT_EQ(text.substr(entry.consumed, 2), "\n[");

    GridEntry cut = quill::ReadGridEntry(" 2 5 350\n 30\nA", true, true);
    EXPECT_EQ(cut.labels.size(), 1u);
    EXPECT_EQ(cut.consumed, std::string(" 2 5 350\n 30\nA").size());

    GridEntry odd = quill::ReadGridEntry(" -4 99999999999 x", true, true);
    EXPECT_EQ(odd.columns, -4);
    EXPECT_EQ(odd.rows, 2147483647);
    EXPECT_EQ(odd.templateId, 0);
    EXPECT_TRUE(odd.labels.empty());
    EXPECT_EQ(odd.consumed, 0u) << "no width line: nothing beyond the data line";
}

TEST(GridEntry, CellCodesAndFieldTypes) {
    EXPECT_EQ(quill::GridCellCode(2, 3), 3 * 262144 + 4);
    EXPECT_EQ(quill::GridFieldType(kGridString), 4);
    EXPECT_EQ(quill::GridFieldType(kGridMenu), 11);
    EXPECT_EQ(quill::GridFieldType(6), 0);
}

TEST(GridSort, EmptyCellsAndNotANumberGoLastBothWays) {
    for (int type : {5, 6, 7}) {
        std::vector<GridSortKey> keys = {quill::GridSortKeyOf(type, true, "", 3, false, false),
                                         quill::GridSortKeyOf(type, false, "", 0, false, false),
                                         quill::GridSortKeyOf(type, true, "", 1, false, false),
                                         quill::GridSortKeyOf(type, true, "", NAN, false, false),
                                         quill::GridSortKeyOf(type, true, "", 2, false, false)};
        std::vector<int> up = quill::GridSortOrder(keys, type, false);
        EXPECT_EQ(up[0], 2);
        EXPECT_EQ(up[1], 4);
        EXPECT_EQ(up[2], 0);
        EXPECT_TRUE((up[3] == 1 && up[4] == 3) || (up[3] == 3 && up[4] == 1)) << type;

        std::vector<GridSortKey> down = {quill::GridSortKeyOf(type, true, "", 3, false, true),
                                         quill::GridSortKeyOf(type, false, "", 0, false, true),
                                         quill::GridSortKeyOf(type, true, "", 1, false, true),
                                         quill::GridSortKeyOf(type, true, "", 2, false, true)};
        EXPECT_EQ(quill::GridSortOrder(down, type, true), (std::vector<int>{0, 3, 2, 1})) << type;
    }
    EXPECT_EQ(quill::GridSortKeyOf(5, true, "", -7.9, false, false).number, -7.0)
        << "integers truncate";
    EXPECT_EQ(quill::GridSortKeyOf(6, true, "", 0.1, false, false).number,
              static_cast<double>(0.1f));
}

TEST(GridSort, TextsByCodeWithBlankPaddingAndCase) {
    auto order = [](std::vector<std::string> texts, bool upper, bool descending) {
        std::vector<GridSortKey> keys;
        for (auto &t : texts)
            keys.push_back(quill::GridSortKeyOf(4, !t.empty(), t, 0, upper, descending));
        std::vector<std::string> sorted;
        for (int i : quill::GridSortOrder(keys, 4, descending))
            sorted.push_back(texts[static_cast<size_t>(i)]);
        return sorted;
    };
    EXPECT_EQ(order({"b", "A", "", "a"}, false, false),
              (std::vector<std::string>{"A", "a", "b", ""}));
    EXPECT_EQ(order({"b", "A", "", "a"}, false, true),
              (std::vector<std::string>{"b", "a", "A", ""}));
    std::vector<std::string> folded = order({"b", "A", "a"}, true, false);
    EXPECT_EQ(folded[2], "b");
    GridSortKey padded = quill::GridSortKeyOf(4, true, "ab", 0, false, false);
    GridSortKey blanks = quill::GridSortKeyOf(4, true, "ab  ", 0, false, false);
    EXPECT_EQ(quill::CompareGridSortKeys(padded, blanks, 4), 0)
        << "the shorter text counts as blank-padded";
    EXPECT_LT(quill::CompareGridSortKeys(quill::GridSortKeyOf(4, true, "a\x01", 0, false, false),
                                         padded, 4),
              0);
}

TEST(GridSort, LargeSortedReversedAndEqualInputs) {
    const int n = 100000;
    std::vector<GridSortKey> sorted, reversed, equal;
    for (int i = 0; i < n; ++i) {
        sorted.push_back(quill::GridSortKeyOf(7, true, "", i, false, false));
        reversed.push_back(quill::GridSortKeyOf(7, true, "", n - i, false, false));
        equal.push_back(quill::GridSortKeyOf(7, true, "", 5, false, false));
    }
    std::vector<int> up(n), down(n);
    for (int i = 0; i < n; ++i)
        up[static_cast<size_t>(i)] = i, down[static_cast<size_t>(i)] = n - 1 - i;
    EXPECT_EQ(quill::GridSortOrder(sorted, 7, false), up);
    EXPECT_EQ(quill::GridSortOrder(reversed, 7, false), down);
    EXPECT_EQ(quill::GridSortOrder(equal, 7, false), up) << "equal keys keep their order";
    EXPECT_EQ(quill::GridSortOrder(equal, 7, true), up);
}

TEST(GridBlock, TextKindSizeAndFields) {
    std::vector<std::vector<std::string>> cells = {{"a", "b", "c"}, {"d", "e", "f"}};
    std::string block = quill::GridBlockText(
        2, 3, [&](int r, int c) { return cells[static_cast<size_t>(r)][static_cast<size_t>(c)]; });
    EXPECT_EQ(block, "a\tb\tc\r\nd\te\tf");

    EXPECT_EQ(quill::GridClipboardKind(nullptr, 0), 0);
    EXPECT_EQ(quill::GridClipboardKind("x", 2), 1);
    EXPECT_EQ(quill::GridClipboardKind("x\r\n", 4), 2);
    EXPECT_EQ(quill::GridClipboardKind("x\ny", 4), 1) << "a bare line feed is no block";

    int rows = 0, columns = 0;
    quill::GridBlockSize(block.c_str(), block.size() + 1, &rows, &columns);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(columns, 3);
    quill::GridBlockSize("a\r\nb\tc\t\r\n", 10, &rows, &columns);
    EXPECT_EQ(rows, 2) << "a final CR LF starts no row";
    EXPECT_EQ(columns, 3);
    char unterminated[4] = {'a', '\t', 'b', '\t'};
    quill::GridBlockSize(unterminated, 3, &rows, &columns);
    EXPECT_EQ(columns, 2) << "only the given size is read";

    std::vector<GridBlockField> fields = quill::GridBlockFields(block.c_str(), block.size(), 1, 2);
    ASSERT_EQ(fields.size(), 2u) << "fields beyond the grid are dropped";
    EXPECT_EQ(fields[1].text, "b");
    std::vector<GridBlockField> all = quill::GridBlockFields("x\t\r\n\ty", 7, 10, 10);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[1].text, "");
    EXPECT_EQ(all[3].row, 1);
    EXPECT_EQ(all[3].column, 1);
    EXPECT_EQ(all[3].text, "y");
}

TEST(GridBlock, PastedNumbersByColumnType) {
    double v = 0;
    bool empty = false;
    EXPECT_TRUE(quill::GridPasteNumber("1.5", 1, &v, &empty));
    EXPECT_EQ(v, 1.0);
    EXPECT_FALSE(quill::GridPasteNumber("1E3", 1, &v, &empty));
    EXPECT_FALSE(quill::GridPasteNumber("2d1", 1, &v, &empty));
    EXPECT_TRUE(quill::GridPasteNumber("2d1", 2, &v, &empty));
    EXPECT_EQ(v, 20.0);
    EXPECT_FALSE(quill::GridPasteNumber("abc", 3, &v, &empty));
    EXPECT_TRUE(quill::GridPasteNumber("  ", 3, &v, &empty));
    EXPECT_TRUE(empty);
}

}  // namespace
