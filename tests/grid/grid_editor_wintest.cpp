// The grid editor window under Wine: a child window turned into an editor of dialog 22100's
// grid (5 columns: string, integer spin 0..10, real, check box, menu; 20 rows with header and
// row labels), its menus, keys, tool bar, status bar, modes and statuses, and the commands
// that ask through the library's dialogs and the file dialog (answered by a thread timer).
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <cstdlib>
#include <filesystem>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "core/childwindows.h"
#include "core/dialogs.h"
#include "core/events.h"
#include "core/fields.h"
#include "grid/grid_editor.h"
#include "grid/grid_print.h"
#include "clipboard_text.h"
#include "error_status.h"
#include "library_root.h"
#include "messages.h"
#include "modal_answer.h"
#include "plot_readers.h"
#include "print_jobs.h"
#include "quillamorph.h"
#include "scratch_folder.h"

namespace {

constexpr int kSource = 22100, kGrid = 22110, kReadOnlyGrid = 22111, kProgramMenu = 22120;
enum Column { kName = 1, kCount, kReal, kTick, kMenu };

// Opens a child window (FLAGS as yyopenchild_ takes them) and makes it current.
int OpenWindow(int flags, int width = 500, int height = 300, int parent = 0) {
    int x = 30, y = 30, w = width, h = height, win = 0, none = 0, menu = 0;
    yyopenchild_(&x, &y, &w, &h, &win, &flags, &menu, nullptr, &none, &parent, "Grid window");
    windowselect_(&win);
    return win;
}

int Edit(int grid, int mode, int flags = 0, int menu = 0, const char *file = nullptr) {
    char name[260] = "";
    if (file) std::snprintf(name, sizeof name, "%s", file);
    int length = file ? static_cast<int>(std::strlen(name)) : 0;
    wgridedit_(&grid, &mode, menu ? &menu : nullptr, &flags, nullptr, name, nullptr, length, 0);
    return LastError();
}

GridWindowRecord *Editor(int win) { return quill::GridWindowRecordOf(wWindow[win]); }
GridRecord *EditorGrid(int win) { return quill::GridRecordOf(Editor(win)->grid); }

std::vector<std::string> Items(HMENU menu) {
    std::vector<std::string> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[80] = "";
        if (GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION) == 0) {
            items.push_back("-");
            continue;
        }
        items.push_back(text);
    }
    return items;
}

std::vector<int> Buttons(HWND bar) {
    std::vector<int> ids;
    int n = static_cast<int>(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        TBBUTTON button = {};
        SendMessageA(bar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        ids.push_back((button.fsStyle & BTNS_SEP) ? 0 : button.idCommand);
    }
    return ids;
}

std::string StatusText(HWND bar, int part) {
    char text[256] = "";
    SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
    return text;
}

void PutInteger(int grid, int column, int row, int value) {
    wgridputcellinteger_(&grid, &column, &row, &value);
}

void PutString(int grid, int column, int row, const std::string &text) {
    int id = grid, c = column - 1, r = row - 1;
    double none = 0;
    yygridputcellstring_(&id, &c, &r, &none, text.c_str(), "", static_cast<int>(text.size()) + 1,
                         1);
}

std::string CellString(int grid, int column, int row) {
    char text[40];
    wgridgetcellstring_(&grid, &column, &row, text, static_cast<int>(sizeof text));
    std::string s(text, sizeof text);
    return s.substr(0, s.find_last_not_of(' ') + 1);
}

int Info(int grid, int code) {
    int value = -12345;
    yygridgetinfo_(&grid, &code, &value);
    return value;
}

// The next event of TYPE (others are passed over), with its record.
int NextEvent(int wanted, QuillEvent *event) {
    for (int i = 0; i < 20; ++i) {
        int type = 0;
        wmessage_(&type, event);
        if (type == wanted || type == -1) return type;
    }
    return 0;
}

void Command(int win, int id) { SendMessageA(wWindow[win], WM_COMMAND, MAKEWPARAM(id, 0), 0); }

// Fills field ID of a dialog box with TEXT as a user would type it.
modal::Step TypeAndPress(int field, const std::string &text, int button) {
    return [=](HWND box) {
        SetDlgItemTextA(box, field, text.c_str());
        SendMessageA(GetDlgItem(box, field), EM_SETMODIFY, TRUE, 0);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    };
}

class GridEditor : public LibraryRoot {
protected:
    void SetUp() override {
        LibraryRoot::SetUp();
        int flags = 128;
        ShowWindow(wWindow[0], SW_HIDE);
        (void)flags;
        int id = kSource;
        wdialogload_(&id);
        ASSERT_EQ(LastError(), 0);
    }
    void TearDown() override {
        for (int slot = 1; slot <= 20; ++slot) {
            int win = slot, none = 0;
            yyclosechild_(&win, &none);
        }
        LibraryRoot::TearDown();
    }
};

TEST_F(GridEditor, MenusKeysToolBarAndStatusBarOfAFullEditor) {
    int win = OpenWindow(32);  // a status bar
    ASSERT_GT(win, 0);
    PutString(kGrid, kName, 2, "kept");
    ASSERT_EQ(Edit(kGrid, 2), 0);
    GridWindowRecord *r = Editor(win);
    ASSERT_NE(r, nullptr);
    int item = 10;
    EXPECT_EQ(winfowindow_(&item), 4) << "window type of a grid window";
    EXPECT_EQ(GetDlgCtrlID(r->grid), 1002);
    EXPECT_TRUE(IsWindowVisible(r->grid));
    EXPECT_FALSE(IsWindowVisible(hClient[win]));

    HMENU bar = GetMenu(wWindow[win]);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(Items(bar), (std::vector<std::string>{"&File", "&Edit", "&Search"}));
    EXPECT_EQ(
        Items(GetSubMenu(bar, 0)),
        (std::vector<std::string>{"&New\tCtrl+N", "&Open\tCtrl+O", "&Save\tCtrl+S", "Save &As\tF12",
                                  "-", "&Print\tCtrl+P", "Prin&t Selection", "-", "E&xit"}));
    EXPECT_EQ(Items(GetSubMenu(bar, 1)),
              (std::vector<std::string>{"Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V",
                                        "&Delete\tDel", "-", "Select &All", "-", "&Sort"}));
    EXPECT_EQ(Items(GetSubMenu(bar, 2)),
              (std::vector<std::string>{"&Find\tCtrl+F", "Find &Next\tF3", "-", "&Goto Cell",
                                        "Goto Ro&w", "Goto &Column"}));
    ACCEL keys[10];
    EXPECT_EQ(CopyAcceleratorTableA(r->block.accelerators[0], keys, 10), 7);

    // The tool bar: standard images, the allowed buttons and their tips.
    HWND toolbar = GetDlgItem(wWindow[win], 1001);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(Buttons(toolbar),
              (std::vector<int>{32101, 32102, 32103, 0, 32105, 0, 32141, 0, 32122, 32123, 32124}));
    for (auto [id, tip] : std::vector<std::pair<int, std::string>>{
             {32101, "New"}, {32124, "Paste"}, {32141, "Find"}}) {
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = r->tooltips;
        info.hdr.idFrom = static_cast<UINT_PTR>(id);
        info.hdr.code = TTN_GETDISPINFOA;
        SendMessageA(wWindow[win], WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        ASSERT_NE(info.lpszText, nullptr);
        EXPECT_EQ(std::string(info.lpszText), tip);
    }

    // The status bar follows the current cell; menu prompts show in simple mode.
    HWND status = wMessLine[win];
    EXPECT_EQ(StatusText(status, 0), "Row");
    EXPECT_EQ(StatusText(status, 1), "\t\t1");
    EXPECT_EQ(StatusText(status, 2), "\tColumn");
    int grid = 0, column = 3, row = 7;
    wgridsetcell_(&grid, &column, &row);
    Pump();
    EXPECT_EQ(StatusText(status, 1), "\t\t7");
    EXPECT_EQ(StatusText(status, 3), "\t\t3");
    SendMessageA(wWindow[win], WM_ENTERMENULOOP, 0, 0);
    SendMessageA(wWindow[win], WM_MENUSELECT, MAKEWPARAM(32145, 0),
                 reinterpret_cast<LPARAM>(GetSubMenu(bar, 2)));
    EXPECT_TRUE(SendMessageA(status, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(StatusText(status, 0), "Moves to the specified row") << "the simple part";
    SendMessageA(wWindow[win], WM_MENUSELECT, MAKEWPARAM(1, MF_POPUP),
                 reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(StatusText(status, 0), "Commands for Editing and Sorting cells");
    SendMessageA(wWindow[win], WM_EXITMENULOOP, 0, 0);
    EXPECT_FALSE(SendMessageA(status, SB_ISSIMPLE, 0, 0));

    // Grid 0 is the editor's copy: the source grid's values came along, changes stay apart.
    EXPECT_EQ(CellString(0, kName, 2), "kept");
    PutInteger(0, kCount, 1, 4);
    EXPECT_EQ(CellString(0, kCount, 1), "4");
    EXPECT_EQ(CellString(kGrid, kCount, 1), "");
    EXPECT_EQ(Info(0, 3), 20);
    EXPECT_EQ(Info(0, 6), 0) << "the put left changes unsaved";

    // Enabling on pop-up: no block and no selected text grey out the clipboard items.
    HMENU editMenu = GetSubMenu(bar, 1), searchMenu = GetSubMenu(bar, 2),
          fileMenu = GetSubMenu(bar, 0);
    SendMessageA(wWindow[win], WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(editMenu), 1);
    EXPECT_TRUE(GetMenuState(editMenu, 32122, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(editMenu, 32123, MF_BYCOMMAND) & MF_GRAYED);
    SendMessageA(wWindow[win], WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(searchMenu), 2);
    EXPECT_TRUE(GetMenuState(searchMenu, 32142, MF_BYCOMMAND) & MF_GRAYED) << "no find text yet";
    SendMessageA(wWindow[win], WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(fileMenu), 0);
    EXPECT_TRUE(GetMenuState(fileMenu, 32106, MF_BYCOMMAND) & MF_GRAYED);
    Command(win, 32126);  // Select All
    SendMessageA(wWindow[win], WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(editMenu), 1);
    EXPECT_FALSE(GetMenuState(editMenu, 32122, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(editMenu, 32123, MF_BYCOMMAND) & MF_GRAYED);
    SendMessageA(wWindow[win], WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(fileMenu), 0);
    EXPECT_FALSE(GetMenuState(fileMenu, 32106, MF_BYCOMMAND) & MF_GRAYED);
    Command(win, 32125);  // Delete clears the whole block
    EXPECT_EQ(CellString(0, kName, 2), "");

    // A command the editor does not know is a menu event; the close request a close event.
    int type = 0;
    QuillEvent event;
    PostMessageA(wWindow[win], WM_COMMAND, MAKEWPARAM(555, 0), 0);
    type = NextEvent(2, &event);
    EXPECT_EQ(type, 2);
    EXPECT_EQ(event.value1, 555);
    EXPECT_EQ(event.win, win);
    Editor(win)->allowSave = 0;  // no save prompt for this close
    PostMessageA(wWindow[win], WM_CLOSE, 0, 0);
    type = NextEvent(9, &event);
    EXPECT_EQ(type, 9);
    EXPECT_NE(Editor(win), nullptr) << "a modeless editor stays open";
}

TEST_F(GridEditor, FlagsAndAReadOnlyGridTakeCommandsAway) {
    int win = OpenWindow(0);
    ASSERT_EQ(Edit(kGrid, 2, 0x100 | 0x2000 | 0x400 | 0x1000), 0);
    HMENU bar = GetMenu(wWindow[win]);
    EXPECT_EQ(Items(GetSubMenu(bar, 0)), (std::vector<std::string>{"E&xit"}));
    EXPECT_EQ(Items(GetSubMenu(bar, 2)),
              (std::vector<std::string>{"&Goto Cell", "Goto Ro&w", "Goto &Column"}));
    EXPECT_EQ(Editor(win)->block.accelerators[0], nullptr) << "no command keeps a key";
    EXPECT_EQ(Buttons(GetDlgItem(wWindow[win], 1001)), (std::vector<int>{32122, 32123, 32124}));
    int none = 0;
    yyclosechild_(&win, &none);

    win = OpenWindow(0);
    ASSERT_EQ(Edit(kGrid, 2, 0x200 | 0x20), 0);
    bar = GetMenu(wWindow[win]);
    EXPECT_EQ(Items(GetSubMenu(bar, 0)),
              (std::vector<std::string>{"&New\tCtrl+N", "&Open\tCtrl+O", "&Save\tCtrl+S", "-",
                                        "&Print\tCtrl+P", "Prin&t Selection", "-", "E&xit"}));
    EXPECT_EQ(GetDlgItem(wWindow[win], 1001), nullptr) << "flag 0x20: no tool bar";
    yyclosechild_(&win, &none);

    win = OpenWindow(0);
    ASSERT_EQ(Edit(kReadOnlyGrid, 2), 0);
    bar = GetMenu(wWindow[win]);
    EXPECT_EQ(Items(GetSubMenu(bar, 0)),
              (std::vector<std::string>{"&Open\tCtrl+O", "-", "&Print\tCtrl+P", "Prin&t Selection",
                                        "-", "E&xit"}));
    EXPECT_EQ(Items(GetSubMenu(bar, 1)),
              (std::vector<std::string>{"&Copy\tCtrl+C", "-", "Select &All"}));
    EXPECT_EQ(Buttons(GetDlgItem(wWindow[win], 1001)),
              (std::vector<int>{32102, 0, 32105, 0, 32141, 0, 32123}));
    PutString(0, kName, 1, "x");
    Command(win, 32126);
    Command(win, 32125);  // Delete is no command of a read-only grid
    EXPECT_EQ(CellString(0, kName, 1), "x");
}

// Edit > Paste by what the clipboard holds: plain text goes to the current edit cell's own
// paste at its caret; only a grid block is pasted as a block; check-box and menu cells take
// blocks only.
TEST_F(GridEditor, PastePlainTextIntoTheCellAndBlocksIntoTheGrid) {
    int win = OpenWindow(0);
    ASSERT_EQ(Edit(kGrid, 2), 0);
    GridRecord *g = EditorGrid(win);
    HMENU editMenu = GetSubMenu(GetMenu(wWindow[win]), 1);
    auto pasteOffered = [&] {
        SendMessageA(wWindow[win], WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(editMenu), 1);
        return !(GetMenuState(editMenu, 32124, MF_BYCOMMAND) & MF_GRAYED);
    };
    auto goTo = [](int column, int row) {
        int grid = 0;
        wgridsetcell_(&grid, &column, &row);
        Pump();
    };

    PutString(0, kName, 2, "hello");
    goTo(kName, 2);
    HWND cell = quill::GridCellControl(g, kName - 1, 1);
    ASSERT_NE(cell, nullptr);
    SendMessageA(cell, EM_SETSEL, 2, 2);
    ASSERT_TRUE(PutClipboardText("x"));
    EXPECT_TRUE(pasteOffered());
    Command(win, 32124);
    EXPECT_EQ(CellString(0, kName, 2), "hexllo");
    EXPECT_EQ(CellString(0, kName, 3), "") << "no block was pasted";

    // With a block selected, plain text still goes into the edit cell, not over the block.
    PutString(0, kName, 3, "ab");
    PutString(0, kName, 4, "cd");
    goTo(kName, 3);
    yygridselectrange(Editor(win)->grid, 2, 3, 0, 0);
    cell = quill::GridCellControl(g, kName - 1, 2);
    SendMessageA(cell, EM_SETSEL, 1, 1);
    EXPECT_TRUE(pasteOffered());
    Command(win, 32124);
    EXPECT_EQ(CellString(0, kName, 3), "axb");
    EXPECT_EQ(CellString(0, kName, 4), "cd");

    // Check-box and menu cells have no paste of their own: only a grid block is offered there.
    goTo(kTick, 5);
    EXPECT_FALSE(pasteOffered()) << "plain text on a check-box cell";
    Command(win, 32124);
    int grid = 0, c = kTick - 1, r = 4, state = -1;
    yygridgetcellcheck_(&grid, &c, &r, &state);
    EXPECT_EQ(state, 0);
    goTo(kMenu, 5);
    EXPECT_FALSE(pasteOffered()) << "plain text on a menu cell";
    goTo(kTick, 5);
    ASSERT_TRUE(PutClipboardText("yes\tB\r\nNo\tC"));
    EXPECT_TRUE(pasteOffered());
    Command(win, 32124);
    state = -1;
    yygridgetcellcheck_(&grid, &c, &r, &state);
    EXPECT_EQ(state, 1);
    int option = -1;
    c = kMenu - 1;
    yygridgetcellmenu_(&grid, &c, &r, &option);
    EXPECT_EQ(option, 2) << "B of A, B, C";
    r = 5;
    yygridgetcellmenu_(&grid, &c, &r, &option);
    EXPECT_EQ(option, 3);

    // A block that would cover a read-only cell is not pasted as a block; an edit cell that may
    // be edited takes it as text, other cells not at all.
    c = kCount - 1, r = 7, state = 0;
    yygridcellstate_(&grid, &c, &r, &state);
    c = kMenu - 1, r = 8, state = 0;
    yygridcellstate_(&grid, &c, &r, &state);
    ASSERT_EQ(grid, 0);
    goTo(kName, 8);
    cell = quill::GridCellControl(g, kName - 1, 7);
    SendMessageA(cell, EM_SETSEL, 0, 0);
    ASSERT_TRUE(PutClipboardText("p\tq"));
    EXPECT_TRUE(pasteOffered());
    Command(win, 32124);
    EXPECT_EQ(CellString(0, kName, 8), "p\tq");
    EXPECT_EQ(CellString(0, kCount, 8), "");
    ASSERT_TRUE(PutClipboardText("Yes\tA"));
    goTo(kTick, 8);
    EXPECT_TRUE(pasteOffered()) << "the block fits from the check-box cell";
    goTo(kTick, 9);
    EXPECT_FALSE(pasteOffered()) << "the block would cover the read-only menu cell";
    Command(win, 32124);
    c = kTick - 1, r = 8, state = -1;
    yygridgetcellcheck_(&grid, &c, &r, &state);
    EXPECT_EQ(state, 0);
    EXPECT_EQ(LastError(), 0);
}

// Clicks the tool bar button of command ID as the mouse would.
void ClickButton(HWND bar, int id) {
    RECT r = {};
    const LRESULT index = SendMessageA(bar, TB_COMMANDTOINDEX, static_cast<WPARAM>(id), 0);
    ASSERT_GE(index, 0) << "no button " << id;
    SendMessageA(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(bar, WM_LBUTTONUP, 0, at);
    Pump();
}

// Cut and Delete of a block that holds a read-only cell do nothing, whichever way they come:
// the tool bar's Cut, the commands of the Edit menu, the keys; the menu greys them. Once
// every cell may be edited, the tool bar's Cut takes the block.
TEST_F(GridEditor, CutAndDeleteLeaveABlockWithAReadOnlyCellFromEveryWayIn) {
    int win = OpenWindow(0);
    ASSERT_EQ(Edit(kGrid, 2), 0);
    GridRecord *g = EditorGrid(win);
    HWND grid = Editor(win)->grid, toolbar = GetDlgItem(wWindow[win], 1001);
    ASSERT_NE(toolbar, nullptr);
    PutString(0, kName, 1, "free");
    PutString(0, kName, 2, "locked");
    PutInteger(0, kCount, 2, 3);
    int id = 0, c = kName - 1, r = 1, state = 0;
    yygridcellstate_(&id, &c, &r, &state);
    ASSERT_EQ(id, 0);
    auto unchanged = [&](const char *way) {
        EXPECT_EQ(CellString(0, kName, 1), "free") << way;
        EXPECT_EQ(CellString(0, kName, 2), "locked") << way;
        EXPECT_EQ(CellString(0, kCount, 2), "3") << way;
        EXPECT_EQ(yygridcheckclipboard(), 1) << way << ": the clipboard was not written";
    };
    ASSERT_TRUE(PutClipboardText("before"));

    HMENU editMenu = GetSubMenu(GetMenu(wWindow[win]), 1);
    yygridselectrange(grid, 0, 1, 0, 1);
    SendMessageA(wWindow[win], WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(editMenu), 1);
    EXPECT_TRUE(GetMenuState(editMenu, 32122, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(editMenu, 32125, MF_BYCOMMAND) & MF_GRAYED);
    ClickButton(toolbar, 32122);
    unchanged("the tool bar's Cut");
    yygridselectrange(grid, 0, 1, 0, 1);
    Command(win, 32122);
    unchanged("Cut");
    yygridselectrange(grid, 0, 1, 0, 1);
    Command(win, 32125);
    unchanged("Delete");
    yygridselectrange(grid, 0, 1, 0, 1);
    SendMessageA(quill::GridCellControl(g, 0, 0), WM_KEYDOWN, VK_DELETE, 1);
    unchanged("the Del key");

    state = 1;
    yygridcellstate_(&id, &c, &r, &state);
    yygridselectrange(grid, 0, 1, 0, 1);
    ClickButton(toolbar, 32122);
    EXPECT_EQ(CellString(0, kName, 1), "");
    EXPECT_EQ(CellString(0, kName, 2), "");
    EXPECT_EQ(CellString(0, kCount, 2), "");
    EXPECT_EQ(yygridcheckclipboard(), 2) << "the block went to the clipboard";
    EXPECT_EQ(LastError(), 0);
}

TEST_F(GridEditor, StatusesBecomeErrors) {
    int root = 0;
    windowselect_(&root);
    EXPECT_EQ(Edit(kGrid, 2), 1022);
    int win = OpenWindow(0);
    EXPECT_EQ(Edit(kGrid, 4), 1052);
    EXPECT_EQ(Editor(win), nullptr) << "no editor for a bad mode";
    EXPECT_EQ(Edit(22999, 2), 1006);
    EXPECT_EQ(Edit(kGrid, 2, 0, 9999), 1002) << "a menu that cannot be loaded";
    EXPECT_NE(Editor(win), nullptr);
    EXPECT_EQ(Edit(kGrid, 2), 1038) << "converted twice";

    int other = OpenWindow(0);
    int inside = OpenWindow(16, 100, 80, other);
    ASSERT_GT(inside, 0);
    windowselect_(&other);
    EXPECT_EQ(Edit(kGrid, 2), 1057);
    windowselect_(&inside);
    EXPECT_EQ(Edit(kGrid, 2, 0, kProgramMenu), 1051);
    EXPECT_NE(Editor(inside), nullptr);
    EXPECT_EQ(GetMenu(wWindow[inside]), nullptr) << "a window inside its parent has no menu";
    int none = 0;
    yyclosechild_(&inside, &none);
    inside = OpenWindow(16, 100, 80, other);
    EXPECT_EQ(Edit(kGrid, 1), 1052) << "made modeless";
    EXPECT_EQ(Editor(inside)->mode, 2);

    // The program's menu comes after the editor's three.
    int third = OpenWindow(0);
    ASSERT_EQ(Edit(kGrid, 3, 0, kProgramMenu), 0);
    EXPECT_EQ(Items(GetMenu(wWindow[third])),
              (std::vector<std::string>{"&File", "&Edit", "&Search", "&Program"}));
    EXPECT_FALSE(IsWindowEnabled(wWindow[other])) << "semi-modal: other windows disabled";
    yyclosechild_(&third, &none);
    EXPECT_TRUE(IsWindowEnabled(wWindow[other]));
}

// What the modal run saw, written by its timer.
struct ModalSeen {
    int rows = -1;
    std::string status;
} gSeen;

void CALLBACK SecondClose(HWND w, UINT, UINT_PTR id, DWORD) {
    KillTimer(w, id);
    PostMessageA(w, WM_CLOSE, 0, 0);
}

void CALLBACK EditThenClose(HWND w, UINT, UINT_PTR id, DWORD) {
    KillTimer(w, id);
    gSeen.rows = Info(0, 3);
    PutInteger(0, kCount, 2, 3);
    int grid = 0, column = 2, row = 5;
    wgridsetcell_(&grid, &column, &row);
    gSeen.status = StatusText(wMessLine[yygetwindowindex(w)], 1);
    PostMessageA(w, WM_CLOSE, 0, 0);
    SetTimer(w, 78, 600, SecondClose);
}

TEST_F(GridEditor, ModalEditorRunsUntilClosedAndLeavesItsResults) {
    int win = OpenWindow(32);
    HWND frame = wWindow[win];
    gSeen = ModalSeen();
    // The program's menu is refused for a modal editor; a cell changes during the run; the
    // first close request is cancelled at the save prompt, the second answered No.
    int result = 0;
    modal::Run({modal::Press(IDCANCEL), modal::Press(IDNO)}, [&] {
        SetTimer(frame, 77, 100, EditThenClose);
        result = Edit(kGrid, 1, 0, kProgramMenu);
    });
    EXPECT_EQ(result, 1026);
    EXPECT_FALSE(IsWindow(frame)) << "a modal editor is destroyed when it closes";
    EXPECT_EQ(wWindow[win], nullptr);
    EXPECT_EQ(modal::script().captions,
              (std::vector<std::string>{"Quillamorph Grid Editor", "Quillamorph Grid Editor"}));
    EXPECT_EQ(gSeen.rows, 20);
    EXPECT_EQ(gSeen.status, "\t\t1") << "a modal editor leaves the status bar alone";
    EXPECT_EQ(Info(-2, 6), 0) << "the run ended with unsaved changes";
    EXPECT_EQ(Info(-2, 7), 1);
    EXPECT_EQ(CellString(kGrid, kCount, 2), "") << "the dialog's grid is not changed";
}

TEST_F(GridEditor, GotoFindAndSortThroughTheirDialogs) {
    int win = OpenWindow(0, 600, 400);
    ASSERT_EQ(Edit(kGrid, 2), 0);
    const char *names[] = {"pear", "Apple", "fig", "apple pie", "Fig"};
    for (int i = 0; i < 5; ++i) PutString(0, kName, i + 1, names[i]);

    // Go to row: 21 is refused in 20 rows and Cancel moves nothing; then row 12.
    int left = modal::Run({[](HWND box) {
                              char title[40] = "";
                              GetWindowTextA(box, title, sizeof title);
                              EXPECT_STREQ(title, "Goto Row");
                              SetDlgItemTextA(box, 1002, "21");
                              SendMessageA(GetDlgItem(box, 1002), EM_SETMODIFY, TRUE, 0);
                              SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                           reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
                              EXPECT_TRUE(IsWindowVisible(box)) << "21 is out of range";
                              PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
                          }},
                          [&] { Command(win, 32145); });
    EXPECT_EQ(left, 0);
    EXPECT_EQ(Info(0, 5), 1);
    left = modal::Run({TypeAndPress(1002, "12", IDOK)}, [&] { Command(win, 32145); });
    EXPECT_EQ(Info(0, 5), 12);
    left = modal::Run({[](HWND box) {
                          SetDlgItemTextA(box, 1002, "4");
                          SetDlgItemTextA(box, 1004, "9");
                          for (int f : {1002, 1004})
                              SendMessageA(GetDlgItem(box, f), EM_SETMODIFY, TRUE, 0);
                          PostMessageA(box, WM_COMMAND, IDOK, 0);
                      }},
                      [&] { Command(win, 32144); });
    EXPECT_EQ(Info(0, 4), 4);
    EXPECT_EQ(Info(0, 5), 9);

    // Find: an empty text rings and keeps the dialog; "fig" without case finds row 3, Find
    // Next row 5, then the end of the grid is reached.
    int grid = 0, one = 1;
    wgridsetcell_(&grid, &one, &one);
    left = modal::Run({[](HWND box) {
                          SetDlgItemTextA(box, 1002, "");
                          SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                       reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
                          Pump();
                          EXPECT_TRUE(IsWindowVisible(box)) << "an empty text keeps the dialog";
                          SetDlgItemTextA(box, 1002, "fig");
                          PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                       reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
                      }},
                      [&] { Command(win, 32141); });
    EXPECT_EQ(left, 0);
    EXPECT_STREQ(Editor(win)->findText, "fig");
    EXPECT_EQ(Info(0, 5), 3);
    Command(win, 32142);
    EXPECT_EQ(Info(0, 5), 5);
    left = modal::Run({modal::Press(IDOK)}, [&] { Command(win, 32142); });
    ASSERT_EQ(modal::script().captions.size(), 1u);
    EXPECT_EQ(modal::script().captions[0], "FIND") << "End of grid reached";
    int code = 2;
    char kept[40] = "";
    int max = sizeof kept;
    yygridgetinfostring_(&grid, &code, kept, &max);
    EXPECT_STREQ(kept, "fig");

    // Sort descending without case: flags 3; with the editor's sort option the labels move too.
    left = modal::Run({[](HWND box) {
                          SendDlgItemMessageA(box, 1002, CB_SETCURSEL, 0, 0);
                          CheckRadioButton(box, 1004, 1005, 1005);
                          CheckDlgButton(box, 1006, BST_UNCHECKED);
                          PostMessageA(box, WM_COMMAND, IDOK, 0);
                      }},
                      [&] { Command(win, 32127); });
    EXPECT_EQ(CellString(0, kName, 1), "pear");
    EXPECT_EQ(CellString(0, kName, 2) == "Fig" || CellString(0, kName, 2) == "fig", true)
        << CellString(0, kName, 2);
    EXPECT_EQ(CellString(0, kName, 4), "apple pie");
    EXPECT_EQ(CellString(0, kName, 5), "Apple");
    EXPECT_EQ(CellString(0, kName, 6), "") << "empty cells sort last";
}

TEST_F(GridEditor, SpinStepsAndTheFrameShrinksToTheGrid) {
    int win = OpenWindow(0, 1000, 900);
    ASSERT_EQ(Edit(kGrid, 2), 0);
    GridWindowRecord *r = Editor(win);
    RECT frame;
    GetWindowRect(wWindow[win], &frame);
    EXPECT_LT(frame.right - frame.left, 1000) << "a frame larger than the grid shrinks";
    EXPECT_LT(frame.bottom - frame.top, 900);
    GridRecord *g = EditorGrid(win);
    RECT pane;
    GetClientRect(g->hPane, &pane);
    EXPECT_EQ(g->nVisibleRows >= 20, true)
        << "every row in view: " << g->nVisibleRows << " pane " << pane.right << "x" << pane.bottom
        << " row " << g->iRowHeight << " header " << g->iHeaderHeight << " style " << std::hex
        << GetWindowLongA(r->grid, GWL_STYLE);

    // Range 0..10, 9 and step 5: up gives 10; step 0 leaves the value.
    PutInteger(0, kCount, 1, 9);
    int grid = 0, column = kCount - 1, step = 5, page = 5;
    yygridspinstepi_(&grid, &column, &step, &page);
    HWND cell = quill::GridCellControl(g, kCount - 1, 0);
    FieldRecord *field = quill::FieldRecordOf(cell);
    ASSERT_NE(field->upDown, nullptr);
    NMUPDOWN change = {};
    change.hdr.hwndFrom = field->upDown;
    change.hdr.code = static_cast<UINT>(UDN_DELTAPOS);
    change.iDelta = 1;
    EXPECT_TRUE(SendMessageA(wWindow[win], WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change)));
    EXPECT_EQ(CellString(0, kCount, 1), "10");
    field->step = 0;
    change.iDelta = -1;
    SendMessageA(wWindow[win], WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(CellString(0, kCount, 1), "10");
    (void)r;

    // A frame smaller than the grid is left as it is.
    int none = 0;
    yyclosechild_(&win, &none);
    win = OpenWindow(0, 200, 100);
    GetWindowRect(wWindow[win], &frame);
    ASSERT_EQ(Edit(kGrid, 2), 0);
    RECT after;
    GetWindowRect(wWindow[win], &after);
    EXPECT_EQ(after.right - after.left, frame.right - frame.left);
    EXPECT_EQ(after.bottom - after.top, frame.bottom - frame.top);
}

// Controls of a shown dialog: every one inside the client area, none overlapping another
// (a group box may hold other controls but meets no other group box).
void ExpectTidyLayout(HWND dialog, const std::string &name) {
    RECT client;
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT *>(&client), 2);
    struct Control {
        int id;
        RECT r;
        bool group;
    };
    std::vector<Control> controls;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IsWindowVisible(c)) continue;
        char cls[32] = "";
        GetClassNameA(c, cls, sizeof cls);
        Control control = {GetDlgCtrlID(c), {}, false};
        GetWindowRect(c, &control.r);
        control.group = std::string(cls) == "Button" &&
                        (GetWindowLongA(c, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
        if (std::string(cls) == "ComboBox") {
            COMBOBOXINFO info = {};
            info.cbSize = sizeof info;
            GetComboBoxInfo(c, &info);
            control.r.bottom =
                control.r.top + (info.rcItem.bottom - info.rcItem.top) + 6;  // the closed box
        }
        controls.push_back(control);
    }
    EXPECT_GE(controls.size(), 3u) << name;
    for (const Control &c : controls) {
        EXPECT_TRUE(c.r.left >= client.left && c.r.top >= client.top && c.r.right <= client.right &&
                    c.r.bottom <= client.bottom)
            << name << ": control " << c.id << " leaves the dialog";
        for (const Control &d : controls) {
            if (&c >= &d || (c.group != d.group)) continue;
            RECT both;
            EXPECT_FALSE(IntersectRect(&both, &c.r, &d.r))
                << name << ": " << c.id << " overlaps " << d.id;
        }
    }
    HWND ok = GetDlgItem(dialog, IDOK);
    ASSERT_NE(ok, nullptr) << name;
    EXPECT_EQ(GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_DEFPUSHBUTTON))
        << name << ": button 1 is the default";
}

// Keeps a picture of the screen as the user sees it now, in grid_editor_screens/NAME.png of
// the current folder. The Unix tools are started through the command interpreter's "start
// /unix", which does not wait: a status file written after them tells that they are done.
void Screenshot(const std::string &name) {
    char here[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof here, here);
    std::string unix = here;
    if (unix.size() >= 2 && (unix[0] == 'Z' || unix[0] == 'z') && unix[1] == ':')
        unix = unix.substr(2);
    for (char &c : unix)
        if (c == '\\') c = '/';
    const std::string folder = unix + "/grid_editor_screens", done = folder + "/" + name + ".done";
    DeleteFileA(("Z:" + done).c_str());
    const std::string command = "start /unix /bin/sh -c \"mkdir -p " + folder +
                                " && xwd -root -silent | convert xwd:- " + folder + "/" + name +
                                ".png; echo $? > " + done + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string status;
    for (int i = 0; i < 200 && status.empty(); ++i) {
        Sleep(50);
        status = ReadWholeFile("Z:" + done);
    }
    EXPECT_EQ(status, "0\n") << "xwd and convert for " << name;
}

TEST_F(GridEditor, DialogsAreTidyAndTheirFieldsOfTheKindsTheCommandsUse) {
    struct Expected {
        int dialog;
        const char *name;
        std::vector<std::pair<int, int>> fields;  // id, field type
    };
    const std::vector<Expected> dialogs = {
        {32106, "find", {{1002, 4}, {1003, 9}, {1, 8}, {2, 8}}},
        {32107, "goto_cell", {{1002, 5}, {1004, 5}, {1, 8}, {2, 8}}},
        {32108, "goto_line", {{1001, 1}, {1002, 5}, {1, 8}, {2, 8}}},
        {32109, "sort", {{1002, 11}, {1004, 10}, {1005, 10}, {1006, 9}, {1, 8}, {2, 8}}},
        {32112,
         "print",
         {{1002, 9},
          {1003, 9},
          {1005, 10},
          {1006, 10},
          {1008, 10},
          {1009, 10},
          {1010, 10},
          {1012, 5},
          {1, 8},
          {2, 8},
          {1014, 8}}},
    };
    for (const Expected &e : dialogs) {
        int id = e.dialog, type = 2, x = 40, y = 40;
        wdialogload_(&id);
        ASSERT_EQ(LastError(), 0) << e.name;
        wdialogshow_(&x, &y, nullptr, &type);
        Pump();
        for (auto [field, kind] : e.fields) {
            int f = field, t = -1;
            yygetfieldtype_(&f, &t);
            EXPECT_EQ(t, kind) << e.name << " field " << field;
        }
        ExpectTidyLayout(quill::CurrentDialogWindow(), e.name);
        Screenshot(e.name);
        if (e.dialog == 32112) {
            int scale = 1012, value = 401;
            wdialogputinteger_(&scale, &value);
            EXPECT_EQ(LastError(), 1009) << "the scale runs from 10 to 400";
        }
        int option = 0;
        wdialogunload_(&option);
    }
    int source = kSource;
    wdialogselect_(&source);
    int win = OpenWindow(32, 500, 300);
    PutString(kGrid, kName, 1, "shown");
    ASSERT_EQ(Edit(kGrid, 2), 0);
    Pump();
    Screenshot("editor");
    (void)win;
}

TEST_F(GridEditor, PrintThroughItsDialogWithTheEditorsTitle) {
    int win = OpenWindow(0);
    const std::string title = UniqueJobTitle("grid_editor");
    SetWindowTextA(wWindow[win], title.c_str());
    ASSERT_EQ(Edit(kGrid, 2), 0);
    PutString(0, kName, 1, "printed");
    // File times come to the second here: a job written in the same second must count.
    const auto since = std::filesystem::file_time_type::clock::now() - std::chrono::seconds(2);
    // The dialog shows the settings: lines on, the header on every page, scale 100; Print
    // keeps what the user changed.
    int left = modal::Run({[](HWND box) {
                              EXPECT_EQ(IsDlgButtonChecked(box, 1002), 1u);
                              EXPECT_EQ(IsDlgButtonChecked(box, 1006), 1u);
                              EXPECT_EQ(GetDlgItemInt(box, 1012, nullptr, FALSE), 100u);
                              CheckDlgButton(box, 1003, BST_UNCHECKED);
                              PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                           reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
                          }},
                          [&] { Command(win, 32105); });
    EXPECT_EQ(left, 0);
    ASSERT_EQ(modal::script().captions, (std::vector<std::string>{"Print"}))
        << "a printer is installed";
    int h = -1, v = -1, repeat = -1, colour = -1, back = -1, scale = -1, set = 2;
    yygridprintgetopt_(&h, &v, &repeat, &colour, &back, &scale, &set);
    EXPECT_EQ(v, 0) << "the vertical lines were switched off";
    EXPECT_EQ(h, 1);
    auto jobs = WaitForPdfJobs(title, 1, 120000, since);
    EXPECT_EQ(jobs.size(), 1u) << "the job is named by the editor's title";
    for (const auto &job : jobs) std::filesystem::remove(job);
}

// --- Files ------------------------------------------------------------------------------------

// The texts of a box's static controls, joined by newlines: a message box's message.
std::string BoxText(HWND box) {
    std::string text;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32] = "";
        GetClassNameA(c, cls, sizeof cls);
        if (std::string(cls) != "Static") continue;
        std::string part = modal::Text(c);
        if (part.empty()) continue;
        if (!text.empty()) text += "\n";
        text += part;
    }
    return text;
}

// Answers a message box with BUTTON, keeping its message in *SAID.
modal::Step Answer(int button, std::string *said) {
    return [=](HWND box) {
        if (said) *said = BoxText(box);
        modal::Press(button)(box);
    };
}

// Answers the file dialog with NAME typed into its name box, or cancels it when NAME is
// empty; TYPE > 0 picks that file type (1-based) first.
modal::Step FileDialog(const std::string &name, int type = 0) {
    return [=](HWND box) {
        HWND nameBox = GetDlgItem(box, 0x47C);
        EXPECT_NE(nameBox, nullptr) << "a file dialog, not " << modal::Text(box);
        if (name.empty()) {
            modal::Press(IDCANCEL)(box);
            return;
        }
        if (type > 0) {
            HWND types = GetDlgItem(box, 0x470);
            SendMessageA(types, CB_SETCURSEL, static_cast<WPARAM>(type - 1), 0);
            SendMessageA(box, WM_COMMAND, MAKEWPARAM(0x470, CBN_SELENDOK),
                         reinterpret_cast<LPARAM>(types));
        }
        SetDlgItemTextA(box, 0x47C, name.c_str());
        modal::Press(IDOK)(box);
    };
}

void PutReal(int grid, int column, int row, float value) {
    wgridputcellreal_(&grid, &column, &row, &value, nullptr, 0);
}
void PutCheck(int grid, int row, int state) {
    int id = grid, c = kTick - 1, r = row - 1;
    yygridputcellcheck_(&id, &c, &r, &state);
}
void PutMenu(int grid, int row, const char *option) {
    int id = grid, c = kMenu - 1, r = row - 1, status = 0;
    yygridputmenustring_(&id, &c, &r, &status, option);
}

// A row as the file would hold it: string, integer and real texts, check box, menu option.
std::string RowText(int grid, int row) {
    int id = grid, c = kTick - 1, r = row - 1, state = -1, option = -1;
    yygridgetcellcheck_(&id, &c, &r, &state);
    c = kMenu - 1;
    yygridgetcellmenu_(&id, &c, &r, &option);
    char menu[20] = "";
    int max = sizeof menu;
    if (option > 0) yygridgetmenustring_(&id, &c, &option, menu, &max);
    return CellString(grid, kName, row) + "|" + CellString(grid, kCount, row) + "|" +
           CellString(grid, kReal, row) + "|" + (state == 1 ? "Yes" : "No") + "|" + menu;
}

// The lines of a file without their CR LF.
std::vector<std::string> Lines(const std::string &path) { return SplitLines(ReadWholeFile(path)); }

class GridEditorFiles : public GridEditor {
protected:
    ScratchFolder scratch{"quill-grid-editor"};
    std::string Path(const std::string &name) const { return (scratch.path / name).string(); }
    void Write(const std::string &name, const std::string &bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
};

// Runs command ID of the editor as its menu sends it, with STEPS answering the boxes it
// opens; the command of the menu event it leaves for the program, 0 for none. *LEFT gets the
// number of steps not used.
int RunCommand(int win, int id, std::deque<modal::Step> steps, int *left) {
    wMessageType = 0;
    wMessageValue1 = 0;
    *left = modal::Run(std::move(steps), [&] { Command(win, id); });
    return wMessageType == kEventMenu ? wMessageValue1 : 0;
}

TEST_F(GridEditorFiles, SaveSaveAsNewAndOpenKeepTheFileNameTitleAndValues) {
    int win = OpenWindow(0);
    HWND frame = wWindow[win];
    ASSERT_EQ(Edit(kGrid, 2), 0);
    PutString(0, kName, 1, "say \"hi\", you");
    PutInteger(0, kCount, 1, 7);
    PutReal(0, kReal, 1, 1.5f);
    PutCheck(0, 1, 1);
    PutMenu(0, 1, "B");
    PutMenu(0, 3, "C");
    const std::string first = Path("first.csv"), second = Path("second.csv");
    int left = -1;

    // Save of an untitled grid asks for the name, writes the file and names the editor.
    EXPECT_EQ(RunCommand(win, 32103, {FileDialog(first)}, &left), 32103);
    EXPECT_EQ(left, 0);
    EXPECT_STREQ(Editor(win)->fileName, first.c_str());
    EXPECT_EQ(modal::Text(frame), "Grid window - [" + first + "]");
    EXPECT_EQ(Info(0, 6), 1) << "nothing unsaved after the save";
    std::vector<std::string> lines = Lines(first);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], "\"say \"\"hi\"\", you\",7,1.5000,Yes,\"B\"");
    EXPECT_EQ(lines[1], "\"\",,,No,\"A\"") << "an untouched menu cell is on its first option";
    EXPECT_EQ(lines[2], "\"\",,,No,\"C\"");

    // Save to the known name asks nothing; a cancelled Save As keeps name and file.
    PutInteger(0, kCount, 1, 3);
    EXPECT_EQ(RunCommand(win, 32103, {FileDialog("")}, &left), 32103);
    EXPECT_EQ(left, 1) << "no dialog";
    EXPECT_EQ(Lines(first)[0], "\"say \"\"hi\"\", you\",3,1.5000,Yes,\"B\"");
    PutInteger(0, kCount, 2, 9);
    EXPECT_EQ(RunCommand(win, 32104, {FileDialog("")}, &left), 0);
    EXPECT_EQ(left, 0);
    EXPECT_STREQ(Editor(win)->fileName, first.c_str());
    EXPECT_EQ(Info(0, 6), 0) << "still unsaved";
    EXPECT_EQ(Lines(first)[1], "\"\",,,No,\"A\"");

    // Save As with the second file type takes the new name and the type.
    EXPECT_EQ(RunCommand(win, 32104, {FileDialog(second, 2)}, &left), 32104);
    EXPECT_STREQ(Editor(win)->fileName, second.c_str());
    EXPECT_EQ(Editor(win)->fileType, 2);
    EXPECT_EQ(modal::Text(frame), "Grid window - [" + second + "]");
    EXPECT_EQ(Lines(second)[1], "\"\",9,,No,\"A\"");

    // New clears grid, name and title; Open reads the first file back and goes to cell 1,1.
    EXPECT_EQ(RunCommand(win, 32101, {Answer(IDNO, nullptr)}, &left), 32101);
    EXPECT_EQ(left, 1) << "saved: no prompt";
    EXPECT_EQ(RowText(0, 1), "|||No|A");
    EXPECT_EQ(Editor(win)->fileName[0], '\0');
    EXPECT_EQ(modal::Text(frame), "Grid window");
    int grid = 0, column = 3, row = 7;
    wgridsetcell_(&grid, &column, &row);
    EXPECT_EQ(RunCommand(win, 32102, {FileDialog(first)}, &left), 32102);
    EXPECT_EQ(RowText(0, 1), "say \"hi\", you|3|1.5000|Yes|B");
    EXPECT_EQ(RowText(0, 2), "|||No|A");
    EXPECT_EQ(RowText(0, 3), "|||No|C");
    EXPECT_EQ(Info(0, 4), 1);
    EXPECT_EQ(Info(0, 5), 1);
    EXPECT_EQ(Info(0, 6), 1);
    EXPECT_EQ(modal::Text(frame), "Grid window - [" + first + "]");

    // Open of a changed grid asks first: Yes saves to the known name, then the dialog asks
    // which file to open.
    PutString(0, kName, 2, "changed");
    std::string said;
    EXPECT_EQ(RunCommand(win, 32102, {Answer(IDYES, &said), FileDialog(second)}, &left), 32102);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(said, "Do you want to save changes to " + first + "?");
    EXPECT_EQ(Lines(first)[1], "\"changed\",,,No,\"A\"");
    EXPECT_EQ(RowText(0, 2), "|9||No|A") << "the second file is open";
    EXPECT_STREQ(Editor(win)->fileName, second.c_str());
}

TEST_F(GridEditorFiles, EachFailingFileIsToldAndWhatWasReadStays) {
    // Files opened as the editor is made: each box as the load tells it, the editor named
    // only when the load counts as done.
    Write("quotes.csv", "\"one\",1,,No,\"A\"\r\n\"two\",2,,No,\"B\"\r\n\"thr");
    Write("letters.csv", "\"a\",x,2.5,Yes,\"C\"\r\n");
    Write("range.csv", "\"a\",11,2.5,Yes,\"C\"\r\n");
    Write("menu.csv", "\"a\",1,,No,\"D\"\r\n");
    Write("wide.csv", "\"a\",1,,No,\"B\",\"extra\"\n\"b\",2,,No,\"C\"\n");
    std::string tall;
    for (int i = 1; i <= 21; ++i) tall += "\"r" + std::to_string(i) + "\",,,No,\r\n";
    Write("tall.csv", tall);
    Write("good.csv", "\"fine\",4,,yes,\"C\"\n");
    struct Case {
        const char *file, *message, *title;
        bool named;
        const char *row1, *row2, *row3;
    };
    const Case cases[] = {
        {"missing.csv", "Error opening file", "File Error", false, "kept|||No|A", "|||No|A",
         "third|||No|A"},
        {"quotes.csv", "Error reading file", "File Error", false, "one|1||No|A", "two|2||No|B",
         "third|||No|A"},
        {"letters.csv", "Non-numeric data found for numeric cell", "Data Error", true,
         "a||2.5000|Yes|C", "|||No|A", "|||No|A"},
        {"range.csv", "Out of range value found for numeric cell", "Data Error", true,
         "a||2.5000|Yes|C", "|||No|A", "|||No|A"},
        {"menu.csv", "Non-matching data found for menu cell", "Data Error", true, "a|1||No|",
         "|||No|A", "|||No|A"},
        {"wide.csv", "File contains too many rows/columns", "Data Error", true, "a|1||No|B",
         "b|2||No|C", "|||No|A"},
        {"tall.csv", "File contains too many rows/columns", "Data Error", true, "r1|||No|",
         "r2|||No|", "r3|||No|"},
        {"good.csv", nullptr, nullptr, true, "fine|4||Yes|C", "|||No|A", "|||No|A"},
    };
    PutString(kGrid, kName, 1, "kept");
    PutString(kGrid, kName, 3, "third");
    for (const Case &c : cases) {
        int win = OpenWindow(0);
        std::string said;
        int left = modal::Run({Answer(IDOK, &said)},
                              [&] { EXPECT_EQ(Edit(kGrid, 2, 0, 0, Path(c.file).c_str()), 0); });
        if (c.message) {
            EXPECT_EQ(left, 0) << c.file;
            EXPECT_EQ(said, c.message) << c.file;
            EXPECT_EQ(modal::script().captions, std::vector<std::string>{c.title}) << c.file;
        } else {
            EXPECT_EQ(left, 1) << c.file << ": no box";
        }
        EXPECT_EQ(modal::Text(wWindow[win]),
                  c.named ? "Grid window - [" + Path(c.file) + "]" : "Grid window")
            << c.file;
        EXPECT_EQ(RowText(0, 1), c.row1) << c.file;
        EXPECT_EQ(RowText(0, 2), c.row2) << c.file;
        EXPECT_EQ(RowText(0, 3), c.row3) << c.file;
        EXPECT_EQ(LastError(), 0) << c.file << ": the editor raises nothing";
        int none = 0;
        yyclosechild_(&win, &none);
    }

    // A save that cannot write its file says so and keeps the name and the unsaved changes.
    int win = OpenWindow(0);
    ASSERT_EQ(Edit(kGrid, 2, 0, 0, Path("good.csv").c_str()), 0);
    PutInteger(0, kCount, 1, 5);
    const std::string nowhere = Path("no-such-folder\\grid.csv");
    std::snprintf(Editor(win)->fileName, kGridFileNameBytes, "%s", nowhere.c_str());
    std::string said;
    EXPECT_EQ(modal::Run({Answer(IDOK, &said)}, [&] { Command(win, 32103); }), 0);
    EXPECT_EQ(said, "Error opening file");
    EXPECT_EQ(modal::script().captions, std::vector<std::string>{"File Error"});
    EXPECT_STREQ(Editor(win)->fileName, nowhere.c_str());
    EXPECT_EQ(Info(0, 6), 0) << "the changes are still unsaved";
    EXPECT_EQ(LastError(), 0);
}

// Open of a file that fails part way leaves the editor on the file it had, with that file's
// values and its unsaved changes: a Save then writes them, not the failed file's first rows.
TEST_F(GridEditorFiles, AFailedOpenKeepsTheOpenFileAndItsValues) {
    Write("a.csv", "\"first\",1,,No,\"A\"\r\n\"second\",2,,Yes,\"B\"\r\n");
    Write("cut.csv", "\"one\",7,,No,\"C\"\r\n\"two\",8,,No,\"C\"\r\n\"thr");
    const std::string a = Path("a.csv");
    int win = OpenWindow(0);
    HWND frame = wWindow[win];
    ASSERT_EQ(Edit(kGrid, 2, 0, 0, a.c_str()), 0);
    PutString(0, kName, 3, "changed");
    int left = -1;
    std::string question, said;
    EXPECT_EQ(
        RunCommand(win, 32102,
                   {Answer(IDNO, &question), FileDialog(Path("cut.csv")), Answer(IDOK, &said)},
                   &left),
        0)
        << "a failed open reports no menu event";
    EXPECT_EQ(left, 0);
    EXPECT_EQ(question, "Do you want to save changes to " + a + "?");
    EXPECT_EQ(said, "Error reading file");
    EXPECT_STREQ(Editor(win)->fileName, a.c_str());
    EXPECT_EQ(modal::Text(frame), "Grid window - [" + a + "]");
    EXPECT_EQ(RowText(0, 1), "first|1||No|A");
    EXPECT_EQ(RowText(0, 2), "second|2||Yes|B");
    EXPECT_EQ(RowText(0, 3), "changed|||No|A");
    EXPECT_EQ(Info(0, 6), 0) << "the change is still unsaved";
    EXPECT_EQ(Info(0, 7), 1);

    EXPECT_EQ(RunCommand(win, 32103, {FileDialog("")}, &left), 32103);
    EXPECT_EQ(left, 1) << "saved to the known name";
    const std::vector<std::string> lines = Lines(a);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], "\"first\",1,,No,\"A\"");
    EXPECT_EQ(lines[1], "\"second\",2,,Yes,\"B\"");
    EXPECT_EQ(lines[2], "\"changed\",,,No,\"A\"");
    EXPECT_EQ(LastError(), 0);
}

// What the modal editor's exits saw, written by its timers.
struct ExitRun {
    bool cancelled = false;  // the file dialog was cancelled
    bool openAfterCancel = false;
} gExit;

bool AnyBoxOpen() {
    bool open = false;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM found) -> BOOL {
            char cls[16] = "";
            GetClassNameA(w, cls, sizeof cls);
            if (std::string(cls) == "#32770" && IsWindowVisible(w))
                *reinterpret_cast<bool *>(found) = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&open));
    return open;
}

void CALLBACK ExitAgain(HWND w, UINT, UINT_PTR id, DWORD) {
    if (!gExit.cancelled || AnyBoxOpen()) return;  // the first exit is still asking
    KillTimer(w, id);
    gExit.openAfterCancel = quill::GridWindowRecordOf(w) != nullptr && IsWindowVisible(w);
    PostMessageA(w, WM_COMMAND, MAKEWPARAM(32107, 0), 0);
}

void CALLBACK ChangeThenExit(HWND w, UINT, UINT_PTR id, DWORD) {
    KillTimer(w, id);
    PutInteger(0, kCount, 1, 6);
    PostMessageA(w, WM_COMMAND, MAKEWPARAM(32107, 0), 0);
    SetTimer(w, 81, 100, ExitAgain);
}

TEST_F(GridEditorFiles, ExitOfAnUntitledChangedGridAsksForANameAndCancelKeepsItOpen) {
    int win = OpenWindow(0);
    HWND frame = wWindow[win];
    gExit = ExitRun();
    const std::string name = Path("on-exit.csv");
    std::string firstQuestion, secondQuestion;
    // Exit, Yes, Cancel in the file dialog: the editor stays. Exit, Yes, a name: saved, closed.
    int left = modal::Run({Answer(IDYES, &firstQuestion),
                           [](HWND box) {
                               gExit.cancelled = true;
                               FileDialog("")(box);
                           },
                           Answer(IDYES, &secondQuestion), FileDialog(name)},
                          [&] {
                              SetTimer(frame, 80, 100, ChangeThenExit);
                              EXPECT_EQ(Edit(kGrid, 1), 0);
                          });
    EXPECT_EQ(left, 0);
    EXPECT_EQ(firstQuestion, "Do you want to save changes?");
    EXPECT_EQ(secondQuestion, "Do you want to save changes?");
    EXPECT_TRUE(gExit.openAfterCancel) << "cancelling the file dialog cancels the exit";
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(Lines(name)[0], "\"\",6,,No,\"A\"");
    EXPECT_EQ(Info(-2, 6), 1) << "the run ended saved";
    int grid = -1, code = 1, max = 300;
    char kept[300] = "";
    yygridgetinfostring_(&grid, &code, kept, &max);
    EXPECT_EQ(std::string(kept), name);
}

}  // namespace
