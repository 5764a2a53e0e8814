// Grid fields under Wine: dialog 22000 holds a grid over a row template with one column of
// each cell kind (string of 8, integer spin 0..1000, real in red, double "(F10.3)", check box,
// menu B/C) and a read-only grid of 200,000 rows. The tests drive the grids through real
// window messages and the public and internal grid routines.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "core/dialogs.h"
#include "core/events.h"
#include "core/fields.h"
#include "grid/grid_control.h"
#include "grid_cells.h"
#include "dialog_root.h"
#include "library_root.h"
#include "quillamorph.h"
#include "error_status.h"
#include "messages.h"

namespace {

constexpr int kDialog = 22000, kBadDialog = 22002;
constexpr int kGrid = 22010, kBig = 22011, kCheck = 22012, kEdit = 22013;
enum Column { kName = 1, kCount, kReal, kDouble, kTick, kMenu };

int Info(int grid, int code) {
    int value = -12345;
    yygridgetinfo_(&grid, &code, &value);
    return value;
}

void Scroll(int grid, int code) { SendMessageA(Field(grid), WM_VSCROLL, MAKEWPARAM(code, 0), 0); }

void ScrollTo(int grid, int row) {
    GridRecord *record = Record(grid);
    record->iThumbRow = row;
    SendMessageA(Field(grid), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
}

using Grids = GridDialogRoot<kDialog, kGrid>;

TEST_F(Grids, BuildFromTheEntryAndTheRowTemplate) {
    GridRecord *grid = Record(kGrid);
    EXPECT_EQ(grid->nColumns, 6);
    EXPECT_EQ(grid->nRows, 12);
    EXPECT_EQ(grid->nControlRows, grid->nVisibleRows + 1);
    EXPECT_LT(grid->nVisibleRows, 12);
    EXPECT_EQ(Info(kGrid, 101), grid->nControlRows);
    EXPECT_EQ(Info(kGrid, 102), 6);
    EXPECT_GT(grid->iMaxFirstColumn, 0) << "the six columns are wider than the pane";
    EXPECT_EQ(grid->iLastColumn < 5, true);
    int id = kGrid, type = 0;
    yygetfieldtype_(&id, &type);
    EXPECT_EQ(type, 15);

    int column = kMenu - 1, option = 1, max = 20;
    char text[20];
    id = kGrid;
    yygridgetmenustring_(&id, &column, &option, text, &max);
    EXPECT_STREQ(text, "B") << "the template's first option is not offered";
    // Every menu cell, in view or not, starts on the first option that it offers.
    for (int row : {0, 11}) {
        id = kGrid;
        option = -9;
        yygridgetcellmenu_(&id, &column, &row, &option);
        EXPECT_EQ(id, kGrid);
        EXPECT_EQ(option, 1) << "row " << row;
    }
    EXPECT_LT(grid->nControlRows, 12) << "row 11 is read from the stored values";
    int row = 5;
    HWND first = quill::GridFirstCell(grid, column);
    EXPECT_EQ(SendMessageA(first, CB_GETCOUNT, 0, 0), 2);

    // Labels: cut to 50 characters; rows without a line are empty.
    char label[60];
    int length = 60;
    row = 1;
    id = kGrid;
    yygridgetrowlabel_(&id, &row, label, &length);
    EXPECT_EQ(std::string(label),
              std::string("Second row label that is a good deal longer than fifty characters")
                  .substr(0, 50));
    row = 7;
    yygridgetrowlabel_(&id, &row, label, &length);
    EXPECT_STREQ(label, "");
    EXPECT_EQ(IsDlgButtonChecked(quill::CurrentDialogWindow(), kCheck), 1u)
        << "parsing went on behind the grids";

    GridRecord *big = Record(kBig);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->nRows, 200000);
    EXPECT_EQ(big->iScrollScale, 4);
    EXPECT_EQ(Info(kBig, 2), 200000);
}

TEST_F(Grids, ValuesSurviveScrollingOutOfViewAndBack) {
    PutDouble(kGrid, kDouble, 1, 2.5);
    PutInteger(kGrid, kCount, 12, 77);
    PutDouble(kGrid, kReal, 12, 1.25, "(F8.2)");
    int grid = kGrid, column = kName, row = 2;
    wgridputcelldouble_(&grid, &column, &row, nullptr, nullptr, 0);
    EXPECT_EQ(LastError(), 0);
    EXPECT_EQ(CellString(kGrid, kDouble, 1), "2.500") << "the column's format";
    EXPECT_EQ(CellString(kGrid, kCount, 12), "77") << "stored out of view";
    EXPECT_EQ(CellString(kGrid, kReal, 12), "1.25");

    // Type into a visible cell as a user would, then scroll it out of view and back.
    HWND cell = quill::GridCellControl(Record(kGrid), kName - 1, 0);
    SetFocus(cell);
    for (char c : std::string("abcdefghij")) SendMessageA(cell, WM_CHAR, static_cast<WPARAM>(c), 1);
    Scroll(kGrid, SB_PAGEDOWN);
    EXPECT_GT(Record(kGrid)->iFirstRow, 0);
    EXPECT_EQ(CellString(kGrid, kName, 1), "abcdefgh") << "typed text cut to the column's length";
    EXPECT_EQ(CellString(kGrid, kDouble, 1), "2.500");
    ScrollTo(kGrid, 0);
    EXPECT_EQ(Record(kGrid)->iFirstRow, 0);
    EXPECT_EQ(CellString(kGrid, kName, 1), "abcdefgh");
    EXPECT_EQ(Info(kGrid, 6), 0) << "typing left the grid unsaved";

    // Values out of range are refused and reported; rows beyond the grid too.
    PutInteger(kGrid, kCount, 3, 5000);
    EXPECT_EQ(LastError(), 1009);
    EXPECT_EQ(CellString(kGrid, kCount, 3), "");
    PutInteger(kGrid, kCount, 13, 5);
    EXPECT_EQ(LastError(), 1017);
    PutInteger(kGrid, 7, 1, 5);
    EXPECT_EQ(LastError(), 1017);
    grid = 22013;
    column = 1;
    row = 1;
    wgridclearcell_(&grid, &column, &row);
    EXPECT_EQ(LastError(), 1006) << "an edit field is no grid";
    grid = kGrid;
    column = kMenu;
    wgridclearcell_(&grid, &column, &row);
    EXPECT_EQ(LastError(), 1017) << "menus are not cleared";

    // Reading an integer never set gives no value.
    double value = 0;
    int id = kGrid;
    column = kCount - 1;
    row = 10;
    ASSERT_EQ(quill::GridCellControl(Record(kGrid), column, row), nullptr);
    yygridgetcellvalue_(&id, &column, &row, &value);
    EXPECT_EQ(id, -3);
}

TEST_F(Grids, WheelKeysAndTheCurrentCell) {
    GridRecord *grid = Record(kGrid);
    HWND window = Field(kGrid);
    int id = kGrid, column = 0, row = 0;
    yygridcellfocus_(&id, &column, &row);
    Pump();
    SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, -60), 0);
    EXPECT_EQ(grid->iFirstRow, 0);
    SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, -60), 0);
    EXPECT_EQ(grid->iFirstRow, 1) << "two half notches make one line";
    SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(grid->iFirstRow, 0);
    EXPECT_EQ(grid->iCurRow, 1) << "the current row stayed in view";

    // Keys go to the active dialog: other programs on the display may have taken it.
    SetForegroundWindow(quill::CurrentDialogWindow());
    SetActiveWindow(quill::CurrentDialogWindow());
    row = 0;
    yygridcellfocus_(&id, &column, &row);
    Pump();
    HWND cell = quill::GridCellControl(grid, 0, 0);
    SendMessageA(cell, WM_KEYDOWN, VK_DOWN, 1);
    Pump();
    EXPECT_EQ(grid->iCurRow, 1);
    EXPECT_EQ(GetFocus(), quill::GridCellControl(grid, 0, 1));
    SendMessageA(GetFocus(), WM_KEYDOWN, VK_NEXT, 1);
    EXPECT_GT(grid->iFirstRow, 0);
    GetKeyState(0);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(GetFocus(), WM_KEYDOWN, VK_NEXT, 1);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    Pump();
    EXPECT_EQ(grid->iCurRow, 11) << "Ctrl+Page Down goes to the last row";
    EXPECT_EQ(Info(kGrid, 5), 12);
    EXPECT_EQ(GetFocus(), quill::GridCellControl(grid, 0, 11));
}

TEST_F(Grids, SortAndFind) {
    const double values[] = {3, 0, 1, 2, 7, 5, 6};
    for (int r = 0; r < 7; ++r) {
        if (r != 1) PutDouble(kGrid, kDouble, r + 1, values[r]);
        char name[2] = {static_cast<char>('a' + r), 0};
        int grid = kGrid, column = kName, row = r + 1, max = 2;
        double zero = 0;
        int status = grid, c0 = column - 1, r0 = row - 1;
        yygridputcellstring_(&status, &c0, &r0, &zero, name, "", max, 1);
        (void)grid;
    }
    int grid = kGrid, column = kDouble, flags = 0, first = 1, last = 7;
    wgridsort_(&grid, &column, &flags, &first, &last);
    EXPECT_EQ(LastError(), 0);
    const char *ascending[] = {"1.000", "2.000", "3.000", "5.000", "6.000", "7.000", ""};
    const char *names[] = {"c", "d", "a", "f", "g", "e", "b"};
    for (int r = 0; r < 7; ++r) {
        EXPECT_EQ(CellString(kGrid, kDouble, r + 1), ascending[r]) << r;
        EXPECT_EQ(CellString(kGrid, kName, r + 1), names[r]) << "rows move whole";
    }
    flags = 1;
    wgridsort_(&grid, &column, &flags, &first, &last);
    EXPECT_EQ(CellString(kGrid, kDouble, 1), "7.000");
    EXPECT_EQ(CellString(kGrid, kDouble, 7), "") << "empty cells last both ways";

    int found = -1;
    flags = 2;
    const char *wanted = "G";
    wgridfind_(&grid, wanted, &flags, &found, nullptr, nullptr, nullptr, nullptr, 1);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(Info(kGrid, 5), 2) << "g holds the second largest value";
    flags = 3;
    wgridfind_(&grid, wanted, &flags, &found, nullptr, nullptr, nullptr, nullptr, 1);
    EXPECT_EQ(found, 0) << "continuing finds nothing more and does not wrap";
    column = 9;
    wgridsort_(&grid, &column, nullptr, nullptr, nullptr);
    EXPECT_EQ(LastError(), 1017);
}

TEST_F(Grids, SortKeepsEqualKeysInRowOrderAndSwapExchangesOneRowPair) {
    // Counts 2 1 2 1 2 (empty) 1 2 against names a..h; rows 1..3 carry labels.
    const int counts[] = {2, 1, 2, 1, 2, -1, 1, 2};
    for (int r = 0; r < 8; ++r) {
        if (counts[r] >= 0) PutInteger(kGrid, kCount, r + 1, counts[r]);
        char name[2] = {static_cast<char>('a' + r), 0};
        int status = kGrid, column = kName - 1, row = r;
        double zero = 0;
        yygridputcellstring_(&status, &column, &row, &zero, name, "", 2, 1);
    }
    auto names = [] {
        std::string all;
        for (int r = 1; r <= 8; ++r) all += CellString(kGrid, kName, r);
        return all;
    };
    auto label = [](int row) {
        char text[51];
        int id = kGrid, length = 51;
        yygridgetrowlabel_(&id, &row, text, &length);
        std::string s(text, strnlen(text, 50));
        return s.substr(0, s.find_last_not_of(' ') + 1);
    };
    int grid = kGrid, column = kCount, flags = 0, first = 1, last = 8;
    wgridsort_(&grid, &column, &flags, &first, &last);
    EXPECT_EQ(names(), "bdgacehf")
        << "equal counts keep their rows' order, the empty count goes last";
    GridRecord *record = Record(kGrid);
    EXPECT_EQ(quill::GridControlText(quill::GridCellControl(record, kName - 1, 0)), "b")
        << "the cells in view show the new order";
    EXPECT_EQ(quill::GridControlText(quill::GridCellControl(record, kCount - 1, 7)), "");
    EXPECT_EQ(label(0), "First") << "labels stay without flag 4";
    flags = 1 | 4;
    wgridsort_(&grid, &column, &flags, &first, &last);
    EXPECT_EQ(names(), "acehbdgf") << "descending keeps equal counts in their order as well";
    EXPECT_EQ(CellString(kGrid, kCount, 4), "2");
    EXPECT_EQ(CellString(kGrid, kCount, 8), "");
    EXPECT_EQ(label(4), "First") << "with flag 4 labels travel with their rows";
    EXPECT_EQ(label(7), "");

    int id = kGrid, a = 7, b = 0, labels = 1;
    yygridsortswap_(&id, &a, &b, &labels);
    EXPECT_EQ(id, kGrid);
    EXPECT_EQ(names(), "fcehbdga");
    EXPECT_EQ(CellString(kGrid, kCount, 1), "") << "the empty value moves with its row";
    EXPECT_EQ(CellString(kGrid, kCount, 8), "2");
    EXPECT_EQ(quill::GridControlText(quill::GridCellControl(record, kName - 1, 0)), "f");
    b = 12;
    yygridsortswap_(&id, &a, &b, &labels);
    EXPECT_EQ(id, -2) << "a row beyond the buffers";
    EXPECT_EQ(names(), "fcehbdga");
    EXPECT_EQ(LastError(), 0);
}

TEST_F(Grids, FieldRoutinesReachTheGrid) {
    PutInteger(kGrid, kCount, 1, 9);
    int id = kGrid;
    yyfieldclear_(&id);
    EXPECT_EQ(id, kGrid);
    EXPECT_EQ(CellString(kGrid, kCount, 1), "");
    id = kGrid;
    yyfieldoption_(&id, 1, 1);
    EXPECT_TRUE(GetWindowLongA(Field(kGrid), GWL_STYLE) & kGridEnterDown);
    yyfieldoption_(&id, 1, 0);
    EXPECT_FALSE(GetWindowLongA(Field(kGrid), GWL_STYLE) & kGridEnterDown);
    int state = 2;
    id = kGrid;
    wdialogfieldstate_(&id, &state);
    EXPECT_TRUE(GetWindowLongA(Field(kGrid), GWL_STYLE) & kGridReadOnly);
    EXPECT_TRUE(GetWindowLongA(quill::GridCellControl(Record(kGrid), 0, 0), GWL_STYLE) &
                ES_READONLY);
    state = 1;
    wdialogfieldstate_(&id, &state);
    EXPECT_FALSE(GetWindowLongA(quill::GridCellControl(Record(kGrid), 0, 0), GWL_STYLE) &
                 ES_READONLY);
    EXPECT_EQ(LastError(), 0);
}

TEST_F(Grids, SetRowsKeepsTheBuffers) {
    PutInteger(kGrid, kCount, 10, 40);
    GridRecord *grid = Record(kGrid);
    int id = kGrid, column = 0, row = 9;
    yygridcellfocus_(&id, &column, &row);
    int rows = 5;
    yygridsetrows_(&id, &rows);
    EXPECT_EQ(id, kGrid);
    EXPECT_EQ(grid->nRows, 5);
    EXPECT_EQ(grid->iCurRow, 4);
    EXPECT_EQ(grid->iFirstRow, 0);
    rows = 12;
    yygridsetrows_(&id, &rows);
    EXPECT_EQ(CellString(kGrid, kCount, 10), "40");
    rows = 13;
    yygridsetrows_(&id, &rows);
    EXPECT_EQ(id, -2) << "no more rows than the buffers hold";
    id = kGrid;
    rows = 0;
    yygridsetrows_(&id, &rows);
    EXPECT_EQ(grid->iCurRow, 0) << "no rows leave the current row 0";
}

TEST(GridEntries, BadEntriesLeaveTheDialogWithoutThoseGrids) {
    OpenLibraryRoot();
    int id = kBadDialog;
    wdialogload_(&id);
    HWND dialog = quill::CurrentDialogWindow();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetDlgItem(dialog, 22020), nullptr) << "missing template";
    EXPECT_EQ(GetDlgItem(dialog, 22021), nullptr) << "negative column count";
    EXPECT_EQ(GetDlgItem(dialog, 22022), nullptr) << "more columns than template controls";
    EXPECT_EQ(IsDlgButtonChecked(dialog, 22023), 1u) << "the parser resumed on the right line";
    int grid = 22020, column = 1, row = 1;
    wgridsetcell_(&grid, &column, &row);
    EXPECT_EQ(LastError(), 1006);
    windowclose_();
}

}  // namespace
