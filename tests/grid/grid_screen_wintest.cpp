// The grid on a visible dialog under Wine (dialog 22000): clicks on the header and the row
// labels as the header controls report them, the context menu, the inverted block and cell
// colours on screen, cell changes as events, and a modal dialog typed into while it runs.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "core/dialogs.h"
#include "core/events.h"
#include "grid/grid_control.h"
#include "clipboard_text.h"
#include "dialog_root.h"
#include "grid_cells.h"
#include "library_root.h"
#include "quillamorph.h"
#include "error_status.h"
#include "messages.h"

namespace {

constexpr int kDialog = 22000, kGrid = 22010;

HWND GridWindow() { return GetDlgItem(quill::CurrentDialogWindow(), kGrid); }
GridRecord *Record() { return quill::GridRecordOf(GridWindow()); }

void SetShift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

// A left click in the middle of ITEM of a header control, as button messages.
void ClickHeader(HWND header, int item, bool shift = false) {
    RECT r;
    ASSERT_TRUE(SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(item),
                             reinterpret_cast<LPARAM>(&r)));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    WPARAM keys = shift ? MK_SHIFT : 0;
    SetShift(shift);
    SendMessageA(header, WM_LBUTTONDOWN, keys | MK_LBUTTON, at);
    SendMessageA(header, WM_LBUTTONUP, keys, at);
    Pump();
    SetShift(false);
}

using GridScreen = GridDialogRoot<kDialog, kGrid>;

TEST_F(GridScreen, HeaderAndRowLabelClicksSelectBlocks) {
    GridRecord *grid = Record();
    ClickHeader(grid->hHeader, 2);
    EXPECT_EQ(grid->iCurColumn, 1);
    EXPECT_EQ(grid->iSelFirstColumn, 1);
    EXPECT_EQ(grid->iSelLastColumn, 1);
    EXPECT_EQ(grid->iSelFirstRow, 0);
    EXPECT_EQ(grid->iSelLastRow, 11);
    ClickHeader(grid->hHeader, 4, true);
    EXPECT_EQ(grid->iSelFirstColumn, 1);
    EXPECT_EQ(grid->iSelLastColumn, 3) << "Shift selects from the current column";
    ClickHeader(grid->hHeader, 0);
    EXPECT_EQ(grid->iSelFirstColumn, 0);
    EXPECT_EQ(grid->iSelLastColumn, 5);
    ClickHeader(grid->phRowLabels[2], 0);
    EXPECT_EQ(grid->iCurRow, 2);
    EXPECT_EQ(grid->iSelFirstRow, 2);
    EXPECT_EQ(grid->iSelLastRow, 2);
    EXPECT_EQ(grid->iSelLastColumn, 5);
    ClickHeader(grid->phRowLabels[4], 0, true);
    EXPECT_EQ(grid->iSelFirstRow, 2);
    EXPECT_EQ(grid->iSelLastRow, 4);

    // Dragging a divider is refused: the column keeps its width.
    RECT r;
    SendMessageA(grid->hHeader, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    SendMessageA(grid->hHeader, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right, 5));
    SendMessageA(grid->hHeader, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(r.right + 30, 5));
    SendMessageA(grid->hHeader, WM_LBUTTONUP, 0, MAKELPARAM(r.right + 30, 5));
    RECT after;
    SendMessageA(grid->hHeader, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&after));
    EXPECT_EQ(after.right, r.right);
}

struct MenuSeen {
    std::vector<UINT> ids;
    std::vector<std::string> texts;
    std::vector<bool> grey;
    bool found = false;
} seen;

void CALLBACK ReadMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup) return;
    KillTimer(nullptr, timer);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    seen.found = menu != nullptr;
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        char text[64] = {0};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        seen.ids.push_back(GetMenuItemID(menu, i));
        seen.texts.push_back(text);
        seen.grey.push_back((GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) !=
                            0);
    }
    EndMenu();
}

TEST_F(GridScreen, ContextMenuOfAnEditCellAndOfABlock) {
    GridRecord *grid = Record();
    int id = kGrid, column = 0, row = 0;
    double zero = 0;
    yygridputcellstring_(&id, &column, &row, &zero, "abc", "", 4, 1);
    HWND cell = quill::GridCellControl(grid, 0, 0);
    SetFocus(cell);
    SendMessageA(cell, EM_SETSEL, 0, 1);
    ASSERT_TRUE(PutClipboardText("x"));  // plain text: the cell's own paste
    seen = MenuSeen();
    SetTimer(nullptr, 0, 50, ReadMenu);
    RECT r;
    GetWindowRect(cell, &r);
    SendMessageA(cell, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(cell),
                 MAKELPARAM(r.left + 3, r.top + 3));
    Pump();
    ASSERT_TRUE(seen.found);
    std::vector<UINT> ids = {32221, 0, 32222, 32223, 32224, 32225, 0, 32226};
    EXPECT_EQ(seen.ids, ids);
    EXPECT_EQ(seen.texts[0], "&Undo");
    EXPECT_EQ(seen.texts[7], "Select &All");
    EXPECT_FALSE(seen.grey[2]) << "a selection can be cut";
    EXPECT_FALSE(seen.grey[3]);
    EXPECT_FALSE(seen.grey[4]) << "plain text goes into the edit cell";
    EXPECT_FALSE(seen.grey[7]) << "not all of the text is selected";

    yygridselectrange(GridWindow(), 0, 1, 0, 1);
    ASSERT_TRUE(PutClipboardText("a\tb"));  // a grid block: the grid's own paste
    seen = MenuSeen();
    SetTimer(nullptr, 0, 50, ReadMenu);
    SendMessageA(cell, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(cell),
                 MAKELPARAM(r.left + 3, r.top + 3));
    Pump();
    ASSERT_TRUE(seen.found);
    ASSERT_EQ(seen.ids.size(), 8u);
    EXPECT_EQ(seen.ids[2], 32122u);
    EXPECT_EQ(seen.ids[3], 32123u);
    EXPECT_EQ(seen.ids[4], 32124u);
    EXPECT_FALSE(seen.grey[4]) << "the block fits at the current cell";
    EXPECT_EQ(seen.ids[5], 32125u);
    EXPECT_TRUE(seen.grey[0]) << "no undo with a block";
    EXPECT_TRUE(seen.grey[7]) << "no select-all with a block";
    EXPECT_FALSE(seen.grey[2]);
}

TEST_F(GridScreen, InvertedBlockAndCellColoursOnScreen) {
    GridRecord *grid = Record();
    HWND pane = grid->hPane;
    int id = kGrid, column = 0, row = 1, red = 256, zero = 0, full = 255;
    yygridcolourcell_(&id, &column, &row, &red, &zero, &zero, &zero, &zero, &full);
    Pump();
    HWND coloured = quill::GridCellControl(grid, 0, 1);
    HWND plain = quill::GridCellControl(grid, 0, 2);
    RedrawWindow(GridWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // What the screen shows, copied into a memory bitmap and read there.
    auto Middle = [&](HWND cell) {
        RECT r;
        GetWindowRect(cell, &r);
        POINT p = {r.left + 4, (r.top + r.bottom) / 2};
        ScreenToClient(pane, &p);
        HDC dc = GetDC(pane);
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, 1, 1);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, 1, 1, dc, p.x, p.y, SRCCOPY);
        COLORREF c = GetPixel(memory, 0, 0);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(pane, dc);
        return c;
    };
    EXPECT_EQ(Middle(coloured), RGB(0, 0, 255)) << "the cell's own background";
    COLORREF before = Middle(plain);
    yygridselectrange(GridWindow(), 2, 2, 0, 0);
    RedrawWindow(pane, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    COLORREF inverted = Middle(plain);
    EXPECT_EQ(inverted,
              RGB(255 - GetRValue(before), 255 - GetGValue(before), 255 - GetBValue(before)));
}

// The pixels of a header control: as the screen shows it, or as the control draws itself over
// what the screen shows there.
std::vector<unsigned> HeaderPixels(HWND header, bool drawnNow) {
    RECT r;
    GetClientRect(header, &r);
    HDC dc = GetDC(header);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = r.right;
    info.bmiHeader.biHeight = -r.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    if (drawnNow)
        SendMessageA(header, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    GdiFlush();
    std::vector<unsigned> pixels(static_cast<unsigned *>(bits),
                                 static_cast<unsigned *>(bits) + r.right * r.bottom);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(header, dc);
    return pixels;
}

TEST_F(GridScreen, HeadersOnScreenShowTheirLabelsScrollAndPressedItem) {
    GridRecord *grid = Record();
    HWND window = GridWindow();
    auto Repaint = [&] {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    auto ShowsItself = [](HWND header) {
        return HeaderPixels(header, false) == HeaderPixels(header, true);
    };
    Repaint();
    Repaint();
    ASSERT_TRUE(ShowsItself(grid->hHeader));
    ASSERT_TRUE(ShowsItself(grid->phRowLabels[1]));
    std::vector<unsigned> before = HeaderPixels(grid->hHeader, false);

    int id = kGrid, item = 2;
    yygridlabelcolumn_(&id, &item, "Renamed column");
    Repaint();
    EXPECT_TRUE(HeaderPixels(grid->hHeader, false) != before) << "the new label is shown";
    EXPECT_TRUE(ShowsItself(grid->hHeader));

    int row = 1, length = 9;
    std::vector<unsigned> label = HeaderPixels(grid->phRowLabels[1], false);
    yygridlabelrow_(&id, &row, "New label", &length);
    Repaint();
    EXPECT_TRUE(HeaderPixels(grid->phRowLabels[1], false) != label);
    EXPECT_TRUE(ShowsItself(grid->phRowLabels[1]));

    before = HeaderPixels(grid->hHeader, false);
    quill::ScrollGridHorizontally(window, SB_LINERIGHT, 0);
    Pump();
    Repaint();
    EXPECT_TRUE(HeaderPixels(grid->hHeader, false) != before) << "the columns moved";
    EXPECT_TRUE(ShowsItself(grid->hHeader));
    quill::ScrollGridHorizontally(window, SB_LINELEFT, 0);
    label = HeaderPixels(grid->phRowLabels[1], false);
    quill::ScrollGridVertically(window, SB_LINEDOWN, 0);
    Pump();
    Repaint();
    EXPECT_TRUE(HeaderPixels(grid->phRowLabels[1], false) != label) << "the label of the next row";
    EXPECT_TRUE(ShowsItself(grid->phRowLabels[1]));
    EXPECT_TRUE(ShowsItself(grid->hHeader));

    // An item held down by the mouse is drawn pressed, and up again when it is let go.
    RECT r;
    SendMessageA(grid->hHeader, HDM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    before = HeaderPixels(grid->hHeader, false);
    SendMessageA(grid->hHeader, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Repaint();
    EXPECT_TRUE(HeaderPixels(grid->hHeader, false) != before);
    EXPECT_TRUE(ShowsItself(grid->hHeader));
    SendMessageA(grid->hHeader, WM_LBUTTONUP, 0, at);
    Pump();
    Repaint();
    EXPECT_TRUE(ShowsItself(grid->hHeader));
}

TEST_F(GridScreen, ACellChangeIsAFieldChangedEventWithTheCellCode) {
    int ten = 10, on = 1;
    yyenablemessage_(&ten, &on);
    GridRecord *grid = Record();
    SetFocus(quill::GridCellControl(grid, 0, 0));
    Pump();
    // Outside the event loop the event is made current at once.
    wMessageType = 0;
    SetFocus(quill::GridCellControl(grid, 2, 1));
    Pump();
    EXPECT_EQ(wMessageType, 10);
    EXPECT_EQ(wMessageValue2, kGrid);
    EXPECT_EQ(wMessageY, 3 * 262144 + 2);
    EXPECT_EQ(grid->iCurColumn, 2);
    EXPECT_EQ(grid->iCurRow, 1);
}

void CALLBACK TypeAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND copy = hDialogList[0];
    if (!copy || !IsWindowVisible(copy)) return;
    KillTimer(nullptr, timer);
    GridRecord *grid = quill::GridRecordOf(GetDlgItem(copy, kGrid));
    if (grid) {
        HWND cell = quill::GridCellControl(grid, 0, 0);
        SetFocus(cell);
        for (char c : std::string("modal")) SendMessageA(cell, WM_CHAR, static_cast<WPARAM>(c), 1);
    }
    PostMessageA(copy, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(copy, IDOK)));
}

TEST(GridModal, TheModalCopySharesTheValuesAndGivesBackWhatWasTyped) {
    OpenLibraryRoot();
    int id = kDialog;
    wdialogload_(&id);
    int grid = kGrid, column = 2, row = 3, value = 4;
    wgridputcellinteger_(&grid, &column, &row, &value);
    SetTimer(nullptr, 0, 50, TypeAndClose);
    int type = 1;
    wdialogshow_(nullptr, nullptr, nullptr, &type);
    char text[12];
    column = 1;
    row = 1;
    wgridgetcellstring_(&grid, &column, &row, text, 12);
    EXPECT_EQ(std::string(text, 12), "modal       ");
    column = 2;
    row = 3;
    wgridgetcellstring_(&grid, &column, &row, text, 12);
    EXPECT_EQ(std::string(text, 12), "4           ");
    EXPECT_EQ(LastError(), 0);
    int option = 0;
    wdialogunload_(&option);
    windowclose_();
}

}  // namespace
