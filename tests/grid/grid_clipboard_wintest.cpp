// The grid's block clipboard under Wine (dialog 22000): copying a block as tab-separated text,
// pasting a text block at the current cell with its field-changed report, and deleting a
// block. The clipboard is shared: every test program named for it runs alone.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "core/dialogs.h"
#include "core/events.h"
#include "grid/grid_control.h"
#include "grid_cells.h"
#include "dialog_root.h"
#include "library_root.h"
#include "quillamorph.h"
#include "messages.h"

namespace {

constexpr int kDialog = 22000, kGrid = 22010, kBig = 22011;
enum Column { kName = 1, kCount, kReal, kDouble, kTick, kMenu };

void PutClipboard(const std::string &text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

using Grids = GridDialogRoot<kDialog, kGrid>;

TEST_F(Grids, ClipboardCopyPasteAndDelete) {
    HWND window = Field(kGrid);
    GridRecord *grid = Record(kGrid);
    PutDouble(kGrid, kDouble, 1, 1.5);
    PutInteger(kGrid, kCount, 1, 4);
    yygridselectrange(window, 0, 1, kCount - 1, kDouble - 1);
    ASSERT_EQ(yygridclipcopy(window), 1);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    std::string copied = data ? static_cast<const char *>(GlobalLock(data)) : "";
    if (data) GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(copied, "4\t\t1.500\r\n\t\t");
    EXPECT_EQ(yygridcheckclipboard(), 2);

    // Paste a block of our own at (column 2, row 4) with block reports on.
    PutClipboard("1.5\tx\r\n1E3\t2.25\r\n");
    int rows = 0, columns = 0;
    yygridclipcount(&rows, &columns);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(columns, 2);
    int ten = 10, on = 1;
    yyenablemessage_(&ten, &on);
    grid->iCurColumn = kCount - 1;
    grid->iCurRow = 3;
    EXPECT_EQ(yygridcanpaste(window), 1);
    yygridclippaste(window);
    EXPECT_EQ(CellString(kGrid, kCount, 4), "1") << "the integer part";
    EXPECT_EQ(CellString(kGrid, kReal, 4), "") << "x is no number";
    EXPECT_EQ(CellString(kGrid, kCount, 5), "") << "an exponent is refused in an integer cell";
    EXPECT_EQ(wMessageType, 10);
    EXPECT_EQ(wMessageX, 2 * 262144 + 4);
    EXPECT_EQ(wMessageY, 3 * 262144 + 5);

    yygridselectrange(window, 3, 4, kCount - 1, kReal - 1);
    EXPECT_EQ(yygridcancut(window), 1);
    yygridclipdelete(window);
    EXPECT_EQ(CellString(kGrid, kReal, 5), "");
    EXPECT_EQ(grid->iSelFirstRow, -1);
    yygridselectrange(Field(kBig), 0, 0, 0, 0);
    EXPECT_EQ(yygridcancut(Field(kBig)), 0) << "nothing of a read-only grid can be cut";
}

TEST_F(Grids, ClipboardKindsAndABlockPastTheEnd) {
    PutClipboard("x");
    EXPECT_EQ(yygridcheckclipboard(), 1);
    int rows = 0, columns = 0;
    yygridclipcount(&rows, &columns);
    EXPECT_EQ(rows * columns, 1);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(yygridcheckclipboard(), 0);

    // A long block pasted two rows above the end keeps to the grid.
    std::string block;
    for (int r = 0; r < 5; ++r) block += "a\tb\tc\td\te\r\n";
    PutClipboard(block);
    GridRecord *grid = Record(kGrid);
    grid->iCurColumn = 0;
    grid->iCurRow = 10;
    yygridclippaste(Field(kGrid));
    EXPECT_EQ(CellString(kGrid, kName, 11), "a");
    EXPECT_EQ(CellString(kGrid, kName, 12), "a");
    EXPECT_EQ(grid->nRows, 12);
}

}  // namespace
