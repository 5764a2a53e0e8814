// Grids as dialog fields under Wine (dialog 22100: grid 22110 of 20 rows and the read-only grid
// 22111 of 5 rows, both over a string, an integer spin, a real, a check box and a menu offering
// A, B and C): the state a grid reports, the state it keeps when a resize of the dialog takes
// it out of view and brings it back, and the dialog's clearing of a grid field.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "core/dialogs.h"
#include "core/fields.h"
#include "grid/grid_control.h"
#include "dialog_root.h"
#include "error_status.h"
#include "messages.h"
#include "quillamorph.h"
#include "grid_cells.h"

namespace {

constexpr int kDialog = 22100, kGrid = 22110, kReadOnlyGrid = 22111;
enum Column { kName = 1, kCount, kReal, kTick, kMenu };

int State(int id) {
    int state = -9;
    yygetfieldstate_(&id, &state);
    return state;
}

void Resize(int height) {
    int width = 0, result = -9;
    yydialogsize_(&width, &height, &result);
    ASSERT_EQ(result, 0);
    Pump();
}

bool IsAutoCheckBox(HWND cell) {
    return (GetWindowLongA(cell, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX;
}

using GridFields = GridDialogRoot<kDialog, kGrid, kReadOnlyGrid>;

TEST_F(GridFields, AReadOnlyGridStaysReadOnlyThroughAResize) {
    EXPECT_EQ(State(kGrid), 1);
    EXPECT_EQ(State(kReadOnlyGrid), 2) << "a grid of style 0x800 is read-only";

    // A block of check boxes in the read-only grid can be neither cut nor pasted over, and its
    // check boxes do not check themselves when clicked.
    HWND readOnly = Field(kReadOnlyGrid);
    GridRecord *grid = Record(kReadOnlyGrid);
    auto expectReadOnly = [&](const char *when) {
        EXPECT_EQ(State(kReadOnlyGrid), 2) << when;
        EXPECT_TRUE(IsWindowEnabled(readOnly)) << when;
        yygridselectrange(readOnly, 0, 1, kTick - 1, kTick - 1);
        EXPECT_EQ(yygridcancut(readOnly), 0) << when;
        EXPECT_EQ(yygridcanpaste(readOnly), 0) << when;
        yygridselectnone(readOnly);
        EXPECT_FALSE(IsAutoCheckBox(quill::GridCellControl(grid, kTick - 1, 0))) << when;
        EXPECT_TRUE(GetWindowLongA(quill::GridCellControl(grid, kName - 1, 0), GWL_STYLE) &
                    ES_READONLY)
            << when;
    };
    expectReadOnly("as loaded");

    // Shrinking the dialog disables the grid out of view; bringing it back restores it as it
    // was loaded: read-only, not editable.
    Resize(116);
    EXPECT_FALSE(IsWindowEnabled(readOnly)) << "outside the smaller dialog";
    EXPECT_TRUE(IsWindowEnabled(Field(kGrid)));
    Resize(170);
    expectReadOnly("back in view");
    EXPECT_TRUE(IsAutoCheckBox(quill::GridCellControl(Record(kGrid), kTick - 1, 0)))
        << "the other grid stays editable";
    EXPECT_EQ(State(kGrid), 1);

    // The program may change the state; the grid reports what it was given.
    int id = kReadOnlyGrid, state = 1;
    wdialogfieldstate_(&id, &state);
    EXPECT_EQ(State(kReadOnlyGrid), 1);
    EXPECT_TRUE(IsAutoCheckBox(quill::GridCellControl(grid, kTick - 1, 0)));
    state = 2;
    wdialogfieldstate_(&id, &state);
    expectReadOnly("made read-only again");
    EXPECT_EQ(LastError(), 0);
}

TEST_F(GridFields, ClearingTheFieldEmptiesCellsAndTakesTheMenuOptions) {
    int grid = kGrid, column = kName, row = 2, value = 7, state = 1, option = 3;
    double none = 0;
    int c = kName - 1, r = 1;
    yygridputcellstring_(&grid, &c, &r, &none, "text", "", 5, 1);
    column = kCount;
    wgridputcellinteger_(&grid, &column, &row, &value);
    c = kTick - 1;
    yygridputcellcheck_(&grid, &c, &r, &state);
    c = kMenu - 1;
    yygridputcelloption_(&grid, &c, &r, &option);
    r = 18;  // out of view
    yygridputcelloption_(&grid, &c, &r, &option);
    ASSERT_EQ(grid, kGrid);
    ASSERT_EQ(LastError(), 0);

    int id = kGrid;
    yyfieldclear_(&id);
    EXPECT_EQ(id, kGrid);
    GridRecord *record = Record(kGrid);
    char text[20] = "#";
    int max = static_cast<int>(sizeof text);
    grid = kGrid, c = kName - 1, r = 1;
    yygridgetcellstring_(&grid, &c, &r, text, &max);
    EXPECT_STREQ(text, "");
    c = kTick - 1;
    state = -1;
    yygridgetcellcheck_(&grid, &c, &r, &state);
    EXPECT_EQ(state, 0);
    ASSERT_EQ(grid, kGrid);

    // Every menu cell control lost its options, the column's first one too: the column offers
    // none until the program puts them again.
    for (int i = 0; i < record->nControlRows; ++i)
        EXPECT_EQ(SendMessageA(quill::GridCellControl(record, kMenu - 1, i), CB_GETCOUNT, 0, 0), 0)
            << "control row " << i;
    c = kMenu - 1;
    option = 1;
    yygridgetmenustring_(&grid, &c, &option, text, &max);
    EXPECT_EQ(grid, -2) << "no option 1 is left";
    grid = kGrid;
    for (int i = 0; i < record->nControlRows; ++i) {
        int controlRow = i;
        yygridputmenu_(&grid, &c, &controlRow, "New");
    }
    ASSERT_EQ(grid, kGrid);
    yygridgetmenustring_(&grid, &c, &option, text, &max);
    EXPECT_STREQ(text, "New");

    // The stored values went back to the first option: out of view too.
    r = 18;
    option = -1;
    yygridgetcellmenu_(&grid, &c, &r, &option);
    EXPECT_EQ(option, 1);
    EXPECT_EQ(LastError(), 0);
}

}  // namespace
