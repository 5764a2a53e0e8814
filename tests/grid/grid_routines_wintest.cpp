// Grid routines under Wine on dialog 22800: finding text, menu fields and long quoted texts of
// grid files, rebuilding the columns, value ranges, read-only cells, row labels, menu options,
// moves between cells by Tab and the arrow keys, and horizontal scrolling. Grid 22801 (30
// rows, header, row labels, Tab between cells, wrapping moves) is too narrow for its six
// columns: a string of 8, an integer spin, a real, a check box, a menu offering B and C and a
// string of 20. Grid 22803 has three rows: a string of 10, a menu offering A and B, and last
// a string of 40,000.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "core/dialogs.h"
#include "core/fields.h"
#include "dialog_root.h"
#include "error_status.h"
#include "grid/grid_control.h"
#include "messages.h"
#include "quillamorph.h"
#include "scratch_folder.h"
#include "grid_cells.h"

namespace {

constexpr int kDialog = 22800, kWide = 22801, kFileGrid = 22803, kWideRows = 30, kWideColumns = 6;
enum WideColumn { kName, kCount, kReal, kTick, kMenu, kNote };  // 0-based
enum FileColumn { kText, kChoice, kLong };                      // 0-based
constexpr int kLongLength = 40000;
// A dialog of two grids of the grid editor's tests.
constexpr int kOtherDialog = 22100;

int Info(int grid, int code) {
    int value = -12345;
    yygridgetinfo_(&grid, &code, &value);
    return value;
}

// 0-based column and row throughout.
int PutText(int grid, int column, int row, const std::string &text) {
    int id = grid;
    double zero = 0;
    yygridputcellstring_(&id, &column, &row, &zero, text.c_str(), "",
                         static_cast<int>(text.size()) + 1, 1);
    return id;
}

std::string Text(int grid, int column, int row, int max = 100) {
    std::string text(static_cast<std::size_t>(max), '\0');
    int id = grid;
    yygridgetcellstring_(&id, &column, &row, &text[0], &max);
    return text.c_str();
}

int Option(int grid, int column, int row) {
    int id = grid, option = -1;
    yygridgetcellmenu_(&id, &column, &row, &option);
    return option;
}

void ScrollTo(int grid, int row) {
    Record(grid)->iThumbRow = row;
    SendMessageA(Field(grid), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
}

void HScroll(int grid, int code, int position = 0) {
    SendMessageA(Field(grid), WM_HSCROLL, MAKEWPARAM(code, position), 0);
}

void SetKey(int key, bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

// The text of a header control's item.
std::string HeaderText(HWND header, int item) {
    char text[80] = {0};
    HDITEMA hd = {};
    hd.mask = HDI_TEXT;
    hd.pszText = text;
    hd.cchTextMax = static_cast<int>(sizeof text);
    SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&hd));
    return text;
}

int HeaderWidth(HWND header, int item) {
    HDITEMA hd = {};
    hd.mask = HDI_WIDTH;
    SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&hd));
    return hd.cxy;
}

// The left edge of a control in its parent's client area.
int LeftIn(HWND control, HWND parent) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&r), 2);
    return r.left;
}

using GridRoutines = GridDialogRoot<kDialog, kWide, kFileGrid>;

// --- Find -------------------------------------------------------------------------------------

TEST_F(GridRoutines, FindSearchesTheCellTextPaddedWithBlanksToTheCellLength) {
    // The string column of 8 characters: its cell texts are searched as 9 characters.
    PutText(kWide, kName, 0, "full8chr");
    PutText(kWide, kName, 2, "xab");
    PutText(kWide, kName, 4, "ab cd");
    PutText(kWide, kName, 24, "qab");
    int grid = kWide, found = -1, flags = 0;
    wgridfind_(&grid, "ab ", &flags, &found, nullptr, nullptr, nullptr, nullptr, 3);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(Info(kWide, 4), 1);
    EXPECT_EQ(Info(kWide, 5), 3) << "the blank after xab is the padding";
    flags = 2;
    wgridfind_(&grid, "AB ", &flags, &found, nullptr, nullptr, nullptr, nullptr, 3);
    EXPECT_EQ(Info(kWide, 5), 3) << "without regard to case";

    // Two blanks: not in full8chr, whose padding is one blank; an empty cell is all blanks.
    flags = 0;
    wgridfind_(&grid, "  ", &flags, &found, nullptr, nullptr, nullptr, nullptr, 2);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(Info(kWide, 5), 2);

    // Out of view alike.
    int first = 20;
    found = -1;
    wgridfind_(&grid, "ab ", &flags, &found, nullptr, nullptr, &first, nullptr, 3);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(Info(kWide, 5), 25);
    EXPECT_EQ(LastError(), 0);
}

// --- Files ------------------------------------------------------------------------------------

class GridRoutineFiles : public GridRoutines {
protected:
    ScratchFolder scratch{"quill-grid-routines"};

    std::string Path(const std::string &name) const { return (scratch.path / name).string(); }
    void WriteBytes(const std::string &name, const std::string &bytes) const {
        std::ofstream out(Path(name), std::ios::binary);
        out << bytes;
    }
    std::string Bytes(const std::string &name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void Load(const std::string &name) {
        int grid = kFileGrid;
        wgridload_(&grid, Path(name).c_str(), static_cast<int>(Path(name).size()));
    }
    void Save(const std::string &name) {
        int grid = kFileGrid;
        wgridsave_(&grid, Path(name).c_str(), static_cast<int>(Path(name).size()));
    }
    // Adds an option to the menu of every control row.
    void AddOption(const char *text) {
        for (int i = 0; i < Record(kFileGrid)->nControlRows; ++i) {
            int id = kFileGrid, column = kChoice;
            yygridputmenu_(&id, &column, &i, text);
            ASSERT_EQ(id, kFileGrid);
        }
    }
};

TEST_F(GridRoutineFiles, AnEmptyMenuFieldMatchesOnlyAnOptionOfEmptyText) {
    WriteBytes("menu.csv", "\"a\",\"A\",\"x\"\r\n\"b\",,\"y\"\r\n\"c\",\"B\",\"z\"\r\n");
    Load("menu.csv");
    EXPECT_EQ(LastError(), 1055);
    EXPECT_EQ(Option(kFileGrid, kChoice, 0), 1);
    EXPECT_EQ(Option(kFileGrid, kChoice, 1), 0) << "left without an option";
    EXPECT_EQ(Option(kFileGrid, kChoice, 2), 2);
    EXPECT_EQ(Text(kFileGrid, kLong, 2), "z") << "the load went on";

    // With an option of empty text the empty field selects it.
    AddOption("");
    Load("menu.csv");
    EXPECT_EQ(LastError(), 0);
    EXPECT_EQ(Option(kFileGrid, kChoice, 1), 3);
}

TEST_F(GridRoutineFiles, MenuOptionsArePutAndClearedControlRowByControlRow) {
    int id = kFileGrid, column = kChoice, option = 3, row = 0;
    char text[20];
    int max = static_cast<int>(sizeof text);
    AddOption("New");
    yygridgetmenustring_(&id, &column, &option, text, &max);
    EXPECT_EQ(id, kFileGrid);
    EXPECT_STREQ(text, "New");
    yygridputcelloption_(&id, &column, &row, &option);
    EXPECT_EQ(Option(kFileGrid, kChoice, 0), 3);

    // Clearing one control row's menu leaves the others.
    int controlRow = 1;
    yygridclearmenu_(&id, &column, &controlRow);
    EXPECT_EQ(id, kFileGrid);
    EXPECT_EQ(
        SendMessageA(quill::GridCellControl(Record(kFileGrid), kChoice, 1), CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(
        SendMessageA(quill::GridCellControl(Record(kFileGrid), kChoice, 0), CB_GETCOUNT, 0, 0), 3);
    controlRow = 0;
    yygridclearmenu_(&id, &column, &controlRow);
    option = 1;
    yygridgetmenustring_(&id, &column, &option, text, &max);
    EXPECT_EQ(id, -2) << "the column's first control offers no option now";

    // Not a menu column: -1.
    id = kFileGrid;
    column = kText;
    yygridputmenu_(&id, &column, &controlRow, "X");
    EXPECT_EQ(id, -1);
    id = kFileGrid;
    yygridclearmenu_(&id, &column, &controlRow);
    EXPECT_EQ(id, -1);
}

TEST_F(GridRoutineFiles, ALastCellOfQuotesFillingTheFieldLimitLoadsAlikeWithEitherLineEnd) {
    // The last column's text of 40,000 double quotes is written as a field of 80,002 bytes,
    // the longest field the reader keeps.
    const std::string quotes(static_cast<std::size_t>(kLongLength), '"');
    PutText(kFileGrid, kText, 0, "a");
    PutText(kFileGrid, kLong, 0, quotes);
    PutText(kFileGrid, kText, 1, "b");
    PutText(kFileGrid, kLong, 1, "tail");
    for (int row = 0; row < 3; ++row) {
        int id = kFileGrid, column = kChoice, option = 1;
        yygridputcelloption_(&id, &column, &row, &option);
    }
    ASSERT_TRUE(Text(kFileGrid, kLong, 0, kLongLength + 1) == quotes);
    Save("quotes.csv");
    ASSERT_EQ(LastError(), 0);
    const std::string field =
        "\"" + std::string(2 * static_cast<std::size_t>(kLongLength), '"') + "\"";
    auto file = [&](const std::string &end) {
        return "\"a\",\"A\"," + field + end + "\"b\",\"A\",\"tail\"" + end + "\"\",\"A\",\"\"" +
               end;
    };
    ASSERT_TRUE(Bytes("quotes.csv") == file("\r\n")) << "the file as saved";

    WriteBytes("lf.csv", file("\n"));
    for (const char *name : {"quotes.csv", "lf.csv"}) {
        PutText(kFileGrid, kLong, 0, "old");
        PutText(kFileGrid, kLong, 1, "old");
        Load(name);
        EXPECT_EQ(LastError(), 0) << name;
        std::string read = Text(kFileGrid, kLong, 0, kLongLength + 2);
        EXPECT_TRUE(read == quotes) << name << ": " << read.size() << " characters, "
                                    << std::count(read.begin(), read.end(), '"') << " quotes";
        EXPECT_EQ(Text(kFileGrid, kText, 1), "b") << name;
        EXPECT_EQ(Text(kFileGrid, kLong, 1), "tail") << name;
    }
}

// --- Columns, ranges, cell states, labels -----------------------------------------------------

TEST_F(GridRoutines, RedefineBuildsTheColumnsFromTheTemplatePositionsEmpty) {
    PutText(kWide, kName, 3, "gone");
    PutText(kWide, kNote, 3, "gone too");
    int id = kWide, column = kCount, row = 5;
    yygridcellfocus_(&id, &column, &row);
    ScrollTo(kWide, 20);
    Pump();
    ASSERT_GT(Record(kWide)->iFirstRow, 0);

    int columns = 3;
    const int positions[] = {6, 2, 1};
    yygridredefine_(&id, &columns, positions);
    Pump();
    ASSERT_EQ(id, kWide);
    GridRecord *grid = Record(kWide);
    EXPECT_EQ(Info(kWide, 1), 3);
    EXPECT_EQ(Info(kWide, 3), kWideRows) << "the rows stay";
    const int types[] = {4, 5, 4};
    for (int c = 0; c < 3; ++c) {
        int type = 0, status = kWide;
        yygridcelltype_(&status, &c, &type);
        EXPECT_EQ(type, types[c]) << c;
    }
    int length = 0;
    column = 0;
    yygridcelllength_(&id, &column, &length);
    EXPECT_EQ(length, 21) << "the string of 20 came first";
    char label[40];
    int max = static_cast<int>(sizeof label);
    const char *labels[] = {"Note", "Count", "Name"};
    for (int item = 1; item <= 3; ++item) {
        yygridgetcolumnlabel_(&id, &item, label, &max);
        EXPECT_STREQ(label, labels[item - 1]);
    }
    EXPECT_EQ(Info(kWide, 4), 1);
    EXPECT_EQ(Info(kWide, 5), 1);
    EXPECT_EQ(grid->iFirstRow, 0);
    EXPECT_EQ(grid->iFirstColumn, 0);
    for (int r : {3, 25}) {
        EXPECT_EQ(Text(kWide, 0, r), "") << "values are lost";
        EXPECT_EQ(Text(kWide, 2, r), "");
    }

    // The new columns take values like the old ones, cut to their lengths.
    EXPECT_EQ(PutText(kWide, 0, 25, "a text longer than twenty"), kWide);
    EXPECT_EQ(Text(kWide, 0, 25), "a text longer than t");
    int one = 1, two = 2, seven = 7;
    wgridputcellinteger_(&id, &two, &two, &seven);
    EXPECT_EQ(Text(kWide, 1, 1), "7");
    column = 4;
    wgridsetcell_(&id, &column, &one);
    EXPECT_EQ(LastError(), 1017) << "the fourth column is gone";
}

TEST_F(GridRoutines, RangesReachEveryControlRowAndTheSpinArrows) {
    int id = kWide, column = kCount;
    double low = 1, high = 100000;
    yygridrange_(&id, &column, &low, &high);
    ASSERT_EQ(id, kWide);
    GridRecord *grid = Record(kWide);
    for (int i = 0; i < grid->nControlRows; ++i) {
        FieldRecord *record = quill::FieldRecordOf(
            grid->phCells[static_cast<std::size_t>(kCount) * grid->nControlRows + i]);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->minimum, 1.0) << i;
        EXPECT_EQ(record->maximum, 100000.0) << i;
        ASSERT_NE(record->upDown, nullptr);
        int lower = 0, upper = 0;
        SendMessageA(record->upDown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                     reinterpret_cast<LPARAM>(&upper));
        EXPECT_EQ(lower, 1) << i;
        EXPECT_EQ(upper, 31073) << i;
    }

    // The range decides the puts, in view and out of view.
    int c1 = kCount + 1;
    for (int row : {1, 25}) {
        int value = 100000;
        wgridputcellinteger_(&id, &c1, &row, &value);
        EXPECT_EQ(LastError(), 0);
        EXPECT_EQ(Text(kWide, kCount, row - 1), "100000");
        for (int bad : {0, 100001}) {
            wgridputcellinteger_(&id, &c1, &row, &bad);
            EXPECT_EQ(LastError(), 1009) << bad;
            EXPECT_EQ(Text(kWide, kCount, row - 1), "100000") << "nothing stored";
        }
    }
    int c3 = kReal + 1, row = 3;
    low = -1.5;
    high = 2.5;
    column = kReal;
    yygridrange_(&id, &column, &low, &high);
    float inside = 2.5f, outside = 2.75f;
    wgridputcellreal_(&id, &c3, &row, &inside, nullptr, 0);
    EXPECT_EQ(LastError(), 0);
    wgridputcellreal_(&id, &c3, &row, &outside, nullptr, 0);
    EXPECT_EQ(LastError(), 1009);
    // A minimum above the maximum: no range.
    low = 1;
    high = 0;
    yygridrange_(&id, &column, &low, &high);
    outside = -1e6f;
    wgridputcellreal_(&id, &c3, &row, &outside, nullptr, 0);
    EXPECT_EQ(LastError(), 0);

    column = kWideColumns;
    yygridrange_(&id, &column, &low, &high);
    EXPECT_EQ(id, -2);
}

TEST_F(GridRoutines, CellStatesFollowTheirRowsInAndOutOfView) {
    GridRecord *grid = Record(kWide);
    int id = kWide, state = 0;
    auto setState = [&](int column, int row, int value) {
        id = kWide;
        state = value;
        yygridcellstate_(&id, &column, &row, &state);
        return id;
    };
    auto readOnly = [&](int column, int row) {
        HWND cell = quill::GridCellControl(grid, column, row);
        EXPECT_NE(cell, nullptr) << column << "," << row;
        if (!cell) return false;
        if (column == kTick) return (GetWindowLongA(cell, GWL_STYLE) & BS_TYPEMASK) == BS_CHECKBOX;
        return (GetWindowLongA(cell, GWL_STYLE) & ES_READONLY) != 0;
    };
    EXPECT_EQ(setState(kName, 1, 0), kWide);
    EXPECT_EQ(setState(kCount, 1, 5), kWide) << "any state but 1 is read-only";
    EXPECT_EQ(setState(kTick, 1, 0), kWide);
    EXPECT_EQ(setState(kName, 22, 0), kWide) << "out of view";
    EXPECT_TRUE(readOnly(kName, 1));
    EXPECT_TRUE(readOnly(kCount, 1));
    EXPECT_TRUE(readOnly(kTick, 1));
    EXPECT_FALSE(readOnly(kName, 0));
    EXPECT_FALSE(readOnly(kReal, 1));
    EXPECT_FALSE(readOnly(kTick, 2));
    FieldRecord *spin = quill::FieldRecordOf(quill::GridCellControl(grid, kCount, 1));
    ASSERT_TRUE(spin && spin->upDown);
    EXPECT_FALSE(IsWindowEnabled(spin->upDown)) << "the arrows of a read-only spin cell";

    // A read-only check box does not toggle when clicked.
    SendMessageA(quill::GridCellControl(grid, kTick, 1), BM_CLICK, 0, 0);
    Pump();
    int check = -1, column = kTick, row = 1;
    id = kWide;
    yygridgetcellcheck_(&id, &column, &row, &check);
    EXPECT_EQ(check, 0);

    // The states travel with their rows through scrolling.
    ScrollTo(kWide, 18);
    Pump();
    ASSERT_EQ(grid->iFirstRow, 18);
    EXPECT_TRUE(readOnly(kName, 22));
    EXPECT_FALSE(readOnly(kName, 18)) << "the control that showed row 1";
    EXPECT_FALSE(readOnly(kName, 23));
    ScrollTo(kWide, 0);
    Pump();
    EXPECT_TRUE(readOnly(kName, 1));
    EXPECT_TRUE(readOnly(kTick, 1));

    EXPECT_EQ(setState(kName, 1, 1), kWide);
    EXPECT_EQ(setState(kCount, 1, 1), kWide);
    EXPECT_FALSE(readOnly(kName, 1));
    EXPECT_TRUE(IsWindowEnabled(spin->upDown));
    EXPECT_EQ(setState(kName, kWideRows, 0), -2);
    EXPECT_EQ(setState(kName, -1, 0), -2);
    EXPECT_EQ(setState(kWideColumns, 0, 0), -2);
}

TEST_F(GridRoutines, RowLabelsAreKeptForEveryRowAndShownInView) {
    GridRecord *grid = Record(kWide);
    ASSERT_NE(grid->phRowLabels, nullptr);
    auto label = [](int grid, int row) {
        char text[80];
        int id = grid, length = static_cast<int>(sizeof text);
        yygridgetrowlabel_(&id, &row, text, &length);
        return std::string(text);
    };
    auto setLabel = [](int grid, int row, const std::string &text) {
        int id = grid, length = static_cast<int>(text.size());
        yygridlabelrow_(&id, &row, text.c_str(), &length);
    };
    EXPECT_EQ(label(kWide, 0), "One");
    EXPECT_EQ(label(kWide, 1), "Two");
    EXPECT_EQ(label(kWide, 2), "");

    setLabel(kWide, 2, "Third");
    EXPECT_EQ(label(kWide, 2), "Third");
    EXPECT_EQ(HeaderText(grid->phRowLabels[2], 0), "Third") << "shown at once";
    const std::string sixty(60, 'L');
    setLabel(kWide, 25, sixty);
    EXPECT_EQ(label(kWide, 25), sixty.substr(0, 50));
    ScrollTo(kWide, 20);
    Pump();
    ASSERT_EQ(grid->iFirstRow, 20);
    EXPECT_EQ(HeaderText(grid->phRowLabels[5], 0), sixty.substr(0, 50));
    EXPECT_EQ(HeaderText(grid->phRowLabels[0], 0), "");
    ScrollTo(kWide, 0);
    Pump();
    EXPECT_EQ(HeaderText(grid->phRowLabels[2], 0), "Third");

    // A grid without row labels keeps none.
    setLabel(kFileGrid, 0, "None");
    EXPECT_EQ(label(kFileGrid, 0), "");
    EXPECT_EQ(LastError(), 0);
}

// --- Moves between cells and horizontal scrolling ---------------------------------------------

class GridMoves : public GridRoutines {
protected:
    void SetUp() override {
        GridRoutines::SetUp();
        // Keys go to the active dialog: other programs on the display may have taken it.
        SetForegroundWindow(quill::CurrentDialogWindow());
        SetActiveWindow(quill::CurrentDialogWindow());
    }
    void TearDown() override {
        SetKey(VK_SHIFT, false);
        SetKey(VK_CONTROL, false);
        GridRoutines::TearDown();
    }

    void Focus(int column, int row) {
        int id = kWide;
        yygridcellfocus_(&id, &column, &row);
        Pump();
        ASSERT_EQ(GetFocus(), quill::GridCellControl(Record(kWide), column, row));
    }
    // A key pressed in the focused cell.
    void Press(int key, bool shift = false) {
        SetKey(VK_SHIFT, shift);
        SendMessageA(GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(key), 1);
        SetKey(VK_SHIFT, false);
        Pump();
    }
    // The current cell, 0-based, and the focus on its control.
    void ExpectAt(int column, int row, const char *what) {
        GridRecord *grid = Record(kWide);
        EXPECT_EQ(grid->iCurColumn, column) << what;
        EXPECT_EQ(grid->iCurRow, row) << what;
        EXPECT_EQ(GetFocus(), quill::GridCellControl(grid, column, row)) << what;
    }
};

TEST_F(GridMoves, TabAndShiftTabMoveBetweenCellsAndWrapBetweenRows) {
    Focus(kName, 0);
    Press(VK_TAB);
    ExpectAt(kCount, 0, "Tab: next column");
    Press(VK_TAB, true);
    ExpectAt(kName, 0, "Shift+Tab: previous column");
    Press(VK_TAB, true);
    ExpectAt(kName, 0, "Shift+Tab in the first cell of the grid goes nowhere");

    Focus(kNote, 0);
    Press(VK_TAB);
    ExpectAt(kName, 1, "Tab in the last column: the first column of the next row");
    Press(VK_TAB, true);
    ExpectAt(kNote, 0, "Shift+Tab in the first column: the last column of the row before");
    Focus(kNote, kWideRows - 1);
    Press(VK_TAB);
    ExpectAt(kNote, kWideRows - 1, "Tab in the last cell of the grid goes nowhere");

    // Without wrapping the row ends stop the moves.
    HWND window = Field(kWide);
    SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) & ~kGridWrap);
    Focus(kNote, 3);
    Press(VK_TAB);
    ExpectAt(kNote, 3, "no wrap");
    Focus(kName, 3);
    Press(VK_TAB, true);
    ExpectAt(kName, 3, "no wrap back");
}

TEST_F(GridMoves, RightAndLeftMoveAtTheEndsOfTheText) {
    PutText(kWide, kName, 2, "abc");
    Focus(kName, 2);
    HWND cell = GetFocus();
    SendMessageA(cell, EM_SETSEL, 1, 1);
    Press(VK_RIGHT);
    ExpectAt(kName, 2, "inside the text the caret moves");
    SendMessageA(cell, EM_SETSEL, 0, 3);
    Press(VK_RIGHT);
    ExpectAt(kCount, 2, "a selection that ends at the end of the text");
    Press(VK_LEFT);
    ExpectAt(kName, 2, "an empty cell: Left moves");
    SendMessageA(cell, EM_SETSEL, 3, 3);
    Press(VK_LEFT);
    ExpectAt(kName, 2, "the caret at the end: Left stays in the text");
    SendMessageA(cell, EM_SETSEL, 0, 0);
    Press(VK_LEFT);
    ExpectAt(kNote, 1, "Left at the start of the first column: the last column of the row before");
    Press(VK_RIGHT);
    ExpectAt(kName, 2, "Right at the end of the last column: the first column of the next row");

    // Check boxes and menus move at once.
    Focus(kTick, 4);
    Press(VK_RIGHT);
    ExpectAt(kMenu, 4, "from a check box");
    Press(VK_RIGHT);
    ExpectAt(kNote, 4, "from a menu");
    EXPECT_GE(Record(kWide)->iLastColumn, kNote) << "the current column is in view";

    HWND window = Field(kWide);
    SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) & ~kGridWrap);
    Press(VK_RIGHT);
    ExpectAt(kNote, 4, "without wrapping the last column stops the move");
    Focus(kName, 4);
    Press(VK_LEFT);
    ExpectAt(kName, 4, "and the first column");
}

TEST_F(GridMoves, HorizontalScrollingMovesColumnsOutToTheLeft) {
    GridRecord *grid = Record(kWide);
    RECT pane;
    GetClientRect(grid->hPane, &pane);
    // The column widths less their shared border pixel, summed from 1, as the grid fits them.
    auto fits = [&](int first, int last) {
        int sum = 1;
        for (int c = first; c <= last; ++c) sum += grid->pColumns[c].iWidth - 1;
        return sum <= pane.right;
    };
    auto lastInView = [&](int first) {
        int last = first;
        while (last + 1 < grid->nColumns && fits(first, last + 1)) ++last;
        return last;
    };
    ASSERT_GT(grid->iMaxFirstColumn, 1) << "the columns do not all fit";
    EXPECT_TRUE(fits(grid->iMaxFirstColumn, kWideColumns - 1));
    EXPECT_FALSE(fits(grid->iMaxFirstColumn - 1, kWideColumns - 1));
    EXPECT_EQ(grid->iLastColumn, lastInView(0));
    Focus(kName, 3);

    HScroll(kWide, SB_LINERIGHT);
    Pump();
    EXPECT_EQ(grid->iFirstColumn, 1);
    EXPECT_EQ(grid->iLastColumn, lastInView(1));
    EXPECT_EQ(Info(kWide, 4), 2) << "the current column stays in view";
    EXPECT_EQ(Info(kWide, 5), 4);
    EXPECT_EQ(HeaderWidth(grid->hHeader, 1), 0) << "the header item of the column out to the left";
    EXPECT_EQ(HeaderWidth(grid->hHeader, 2), grid->pColumns[1].iWidth - 1);
    EXPECT_EQ(LeftIn(quill::GridCellControl(grid, kCount, 3), grid->hPane), 0);
    EXPECT_EQ(LeftIn(quill::GridCellControl(grid, kName, 3), grid->hPane),
              1 - grid->pColumns[0].iWidth)
        << "a column scrolled out keeps its controls";

    int before = grid->iFirstColumn, page = grid->iLastColumn - grid->iFirstColumn;
    HScroll(kWide, SB_PAGERIGHT);
    Pump();
    int expected = before + page < grid->iMaxFirstColumn ? before + page : grid->iMaxFirstColumn;
    EXPECT_EQ(grid->iFirstColumn, expected);
    EXPECT_GE(grid->iCurColumn, grid->iFirstColumn);
    EXPECT_LE(grid->iCurColumn, grid->iLastColumn);

    HScroll(kWide, SB_THUMBPOSITION, kWideColumns);
    Pump();
    EXPECT_EQ(grid->iFirstColumn, grid->iMaxFirstColumn)
        << "no further than the last column allows";
    EXPECT_EQ(grid->iLastColumn, kWideColumns - 1);
    int from = grid->iFirstColumn;
    HScroll(kWide, SB_PAGELEFT);
    Pump();
    EXPECT_LT(grid->iFirstColumn, from);
    EXPECT_TRUE(fits(grid->iFirstColumn, from - 1)) << "a page left brings in what fits";
    EXPECT_TRUE(grid->iFirstColumn == 0 || !fits(grid->iFirstColumn - 1, from - 1));
    HScroll(kWide, SB_LINELEFT);
    HScroll(kWide, SB_THUMBPOSITION, 0);
    Pump();
    EXPECT_EQ(grid->iFirstColumn, 0);
    EXPECT_EQ(LeftIn(quill::GridCellControl(grid, kName, 3), grid->hPane), 0);
    EXPECT_EQ(HeaderWidth(grid->hHeader, 1), grid->pColumns[0].iWidth - 1);

    // Ctrl+Right scrolls a page.
    Focus(kName, 3);
    SetKey(VK_CONTROL, true);
    SendMessageA(GetFocus(), WM_KEYDOWN, VK_RIGHT, 1);
    SetKey(VK_CONTROL, false);
    Pump();
    EXPECT_EQ(grid->iFirstColumn,
              lastInView(0) < grid->iMaxFirstColumn ? lastInView(0) : grid->iMaxFirstColumn);

    // A grid whose columns all fit does not scroll.
    GridRecord *narrow = Record(kFileGrid);
    EXPECT_EQ(narrow->iMaxFirstColumn, 0);
    HScroll(kFileGrid, SB_LINERIGHT);
    EXPECT_EQ(narrow->iFirstColumn, 0);
}

// Rebuilding a grid's columns reads its row template from a hidden dialog of its own, which
// takes neither the focus nor the activation: with the focus in a cell of the grid it stays
// in the grid (on its first cell: the old cells are gone), with the focus in another grid's
// cell it stays in that cell, and the dialog stays active. Loading a dialog of grids keeps
// the focus and the activation as well.
TEST_F(GridMoves, RedefineAndLoadLeaveTheFocusWhereItWas) {
    HWND dialog = quill::CurrentDialogWindow();
    const int positions[] = {2, 1};
    int id = kFileGrid, columns = 2, column = kText, row = 1;
    yygridcellfocus_(&id, &column, &row);
    Pump();
    ASSERT_EQ(GetFocus(), quill::GridCellControl(Record(kFileGrid), kText, 1));
    ASSERT_EQ(GetActiveWindow(), dialog);
    yygridredefine_(&id, &columns, positions);
    Pump();
    ASSERT_EQ(id, kFileGrid);
    EXPECT_EQ(GetActiveWindow(), dialog) << "the rebuilt grid's dialog";
    EXPECT_EQ(GetFocus(), quill::GridCellControl(Record(kFileGrid), 0, 0)) << "the rebuilt grid";

    Focus(kName, 2);
    HWND cell = GetFocus();
    yygridredefine_(&id, &columns, positions);
    Pump();
    ASSERT_EQ(id, kFileGrid);
    EXPECT_EQ(GetActiveWindow(), dialog) << "another grid rebuilt";
    EXPECT_EQ(GetFocus(), cell) << "another grid rebuilt";

    LoadCurrentDialog(kOtherDialog);
    Pump();
    EXPECT_EQ(GetActiveWindow(), dialog) << "a dialog of grids loaded";
    EXPECT_EQ(GetFocus(), cell) << "a dialog of grids loaded";
}

}  // namespace
