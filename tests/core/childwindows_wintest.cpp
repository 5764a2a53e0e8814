// Child windows under Wine: opening up to the 20-slot limit and past it, selection, the window
// queries, unit conversion on the current window, the status bar, sizing and closing an owner
// together with the windows it owns.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "core/childwindows.h"
#include "core/commondialogs.h"
#include "core/dialogs.h"
#include "core/display.h"
#include "base/errors.h"
#include "error_status.h"
#include "core/menus.h"
#include "library_root.h"
#include "quillamorph.h"
#include "messages.h"

namespace {

constexpr int kCentred = -999999;

class ChildWindows : public SharedLibraryRoot {
protected:
    static void SetUpTestSuite() { OpenLibraryRoot(128 + 32); }  // hidden, with a status bar
    void TearDown() override {
        for (int slot = 1; slot <= 20; ++slot) {
            int win = slot, none = 0;
            yyclosechild_(&win, &none);
        }
        int item = 1;
        infoerror_(&item);
    }
};

int Open(int width, int height, int flags, int parent = 0, const int *toolbars = nullptr,
         int menu = 0, int *dialog = nullptr) {
    int x = 20, y = 20, w = width, h = height, win = 0, none = 0;
    int *d = dialog ? dialog : &none;
    yyopenchild_(&x, &y, &w, &h, &win, &flags, &menu, toolbars, d, &parent, "child");
    return win;
}

int Info(int item) { return winfowindow_(&item); }

TEST_F(ChildWindows, TwentySlotsThenFull) {
    for (int i = 1; i <= 20; ++i) EXPECT_EQ(i, Open(100, 80, 128)) << "window " << i;
    EXPECT_EQ(-1, Open(100, 80, 128));
    int win = 7, none = 0;
    yyclosechild_(&win, &none);
    EXPECT_EQ(7, win);
    EXPECT_EQ(7, Open(100, 80, 128));  // the first free slot is used again
    win = 25;
    yyclosechild_(&win, &none);
    EXPECT_EQ(-1, win);
}

TEST_F(ChildWindows, OpensWithTheRequestedClientSizeAndSelects) {
    int win = Open(640, 300, 1 + 2 + 4);
    ASSERT_GT(win, 0);
    windowselect_(&win);
    EXPECT_EQ(640, Info(1));
    EXPECT_EQ(300, Info(2));
    EXPECT_EQ(7, Info(3));
    EXPECT_EQ(win, Info(4));
    EXPECT_EQ(1, Info(9));
    EXPECT_EQ(0, Info(10));
    EXPECT_EQ(640, Info(11));
    EXPECT_EQ(300, Info(12));
    EXPECT_EQ(300, Info(99));  // an unknown item repeats the last answer
    POINT origin = {0, 0};
    ClientToScreen(hClient[win], &origin);
    EXPECT_EQ(origin.x, Info(7));
    EXPECT_EQ(origin.y, Info(8));
    RECT frame;
    GetWindowRect(wWindow[win], &frame);
    EXPECT_EQ(frame.left, Info(5));
    EXPECT_EQ(frame.top, Info(6));
}

TEST_F(ChildWindows, SelectingAnUnopenedSlotRaises1003AndChangesNothing) {
    int win = Open(200, 100, 128);
    windowselect_(&win);
    int bad = 15;
    windowselect_(&bad);
    int item = 1;
    EXPECT_EQ(1003, infoerror_(&item));
    EXPECT_EQ(win, Info(4));
    bad = 21;
    windowselect_(&bad);
    EXPECT_EQ(1003, infoerror_(&item));
    bad = -1;
    windowselect_(&bad);
    EXPECT_EQ(1003, infoerror_(&item));
    EXPECT_EQ(win, Info(4));
}

TEST_F(ChildWindows, UnitConversionsOnA640PixelArea) {
    int win = Open(640, 480, 7);
    windowselect_(&win);
    int ix = 9999, iy = 9999, px, py;
    windowunitstopixels_(&ix, &iy, &px, &py);
    EXPECT_EQ(639, px);
    EXPECT_EQ(479, py);
    int pixels = 639, zero = 0, ux, uy;
    windowunitsfrompixels_(&pixels, &zero, &ux, &uy);
    EXPECT_EQ(9991, ux);
    EXPECT_EQ(10, uy);  // (0.5 * 9999) / 480
    windowunitsfrompixels_(&zero, &zero, &ux, &uy);
    EXPECT_EQ(7, ux);
}

TEST_F(ChildWindows, SizePosAndStates) {
    int win = Open(300, 200, 7);
    windowselect_(&win);
    int x = 50, y = 60, w = 400, h = 250, state = -1;
    yywindowsizepos_(&x, &y, &w, &h, &state);
    EXPECT_EQ(400, w);
    EXPECT_EQ(250, h);
    EXPECT_EQ(50, Info(5));
    EXPECT_EQ(60, Info(6));
    x = y = w = h = kCentred;
    state = 2;
    yywindowsizepos_(&x, &y, &w, &h, &state);
    EXPECT_EQ(2, Info(9));
    EXPECT_EQ(400, Info(11));  // restored client size
    EXPECT_EQ(250, Info(12));
    state = 3;
    yywindowsizepos_(&x, &y, &w, &h, &state);
    EXPECT_EQ(3, Info(9));
}

// Items 11 and 12 give the client size the window has when restored, whatever state it is
// in, for a plain frame and for one that carries a tool bar and a status bar.
TEST_F(ChildWindows, RestoredClientSizeInEveryState) {
    const int plain[4] = {0, 0, 0, 0}, topBar[4] = {502, 0, 0, 0};
    for (const int *toolbars : {plain, topBar}) {
        const int flags = toolbars == plain ? 7 : 7 + 32;
        int win = Open(250, 160, flags, 0, toolbars);
        ASSERT_GT(win, 0);
        windowselect_(&win);
        const std::string what = toolbars == plain ? "plain frame" : "frame with bars";
        int x = kCentred, y = kCentred, w = kCentred, h = kCentred;
        for (int state : {0, 1, 2, 0}) {
            int s = state;
            yywindowsizepos_(&x, &y, &w, &h, &s);
            ASSERT_EQ(state, Info(9)) << what << ": the window really is in state " << state;
            EXPECT_EQ(250, Info(11)) << what << " in state " << state;
            EXPECT_EQ(160, Info(12)) << what << " in state " << state;
        }
        int none = 0;
        yyclosechild_(&win, &none);
    }
}

// The frame lays out its bars and client area itself: a new client size reaches the client
// area as one size message, whatever bars the frame carries.
TEST_F(ChildWindows, ResizingTellsTheClientAreaItsNewSizeOnce) {
    const int toolbars[4] = {0, 0, 0, 0};
    int win = Open(300, 200, 7 + 32, 0, toolbars);
    windowselect_(&win);
    HWND client = hClient[win];
    ASSERT_NE(nullptr, client);
    MessageRecorder recorder(client, {WM_SIZE});
    int x = 50, y = 60, w = 400, h = 250, state = -1;
    yywindowsizepos_(&x, &y, &w, &h, &state);
    Pump();
    EXPECT_MESSAGES(recorder, {WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 250)});
}

TEST_F(ChildWindows, StatusBarParts) {
    int win = Open(400, 200, 7 + 32);
    windowselect_(&win);
    ASSERT_NE(nullptr, wMessLine[win]);
    EXPECT_EQ(200, Info(2));  // the bar does not take from the client area
    int part = 1, right = 100, style = 0;
    yysetstatuspart_(&part, &right, &style);
    part = 2, right = -1, style = 2;
    yysetstatuspart_(&part, &right, &style);
    int n = 2;
    yysetstatusbar_(&n);
    EXPECT_EQ(2, SendMessageA(wMessLine[win], SB_GETPARTS, 0, 0));
    std::string text = "Iterations: 12   ";
    part = 2;
    windowoutstatusbar_(&part, text.data(), static_cast<int>(text.size()));
    char read[64] = "";
    LRESULT info = SendMessageA(wMessLine[win], SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(read));
    EXPECT_STREQ("Iterations: 12", read);
    EXPECT_EQ(SBT_POPOUT, HIWORD(info) & (SBT_POPOUT | SBT_NOBORDERS));
    part = 1;
    windowoutstatusbar_(&part, "Left", 4);
    info = SendMessageA(wMessLine[win], SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(read));
    EXPECT_STREQ("Left", read);
    EXPECT_EQ(SBT_NOBORDERS, HIWORD(info) & (SBT_POPOUT | SBT_NOBORDERS));
    // Parts outside 1..255 change nothing.
    for (int bad : {0, 256}) {
        windowoutstatusbar_(&bad, "Bad", 3);
    }
    SendMessageA(wMessLine[win], SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(read));
    EXPECT_STREQ("Left", read);
}

TEST_F(ChildWindows, StatusBarErrorReportLeavesTheChildCurrent) {
    int win = Open(200, 100, 7);
    windowselect_(&win);
    int level = 3, code = 1005;
    idebuglevel_(&level);
    yyerror_(&code);
    level = 0;
    idebuglevel_(&level);
    EXPECT_EQ(win, Info(4));
    char read[128] = "";
    SendMessageA(wMessLine[0], SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(read));
    EXPECT_STREQ("Error=1005:No dialogs currently loaded", read);
    int item = 1;
    EXPECT_EQ(1005, infoerror_(&item));
}

TEST_F(ChildWindows, StatusBarOutputWithoutABarDoesNothing) {
    int win = Open(200, 100, 7);
    windowselect_(&win);
    int part = 1;
    windowoutstatusbar_(&part, "text", 4);
    int item = 1;
    EXPECT_EQ(0, infoerror_(&item));
}

TEST_F(ChildWindows, ClosingAnOwnerClosesWhatItOwnsAndWhatLiesInside) {
    int owner = Open(400, 300, 7);
    ASSERT_GT(owner, 0);
    int owned = Open(100, 80, 7 + 256, owner);
    int inside = Open(100, 80, 16, owner);
    int other = Open(100, 80, 7);
    ASSERT_GT(owned, 0);
    ASSERT_GT(inside, 0);
    EXPECT_EQ(wWindow[owner], GetWindow(wWindow[owned], GW_OWNER));
    EXPECT_EQ(hClient[owner], GetParent(wWindow[inside]));
    int win = owner, none = 0;
    yyclosechild_(&win, &none);
    EXPECT_EQ(nullptr, wWindow[owner]);
    EXPECT_EQ(nullptr, wWindow[owned]);
    EXPECT_EQ(nullptr, wWindow[inside]);
    EXPECT_NE(nullptr, wWindow[other]);
}

TEST_F(ChildWindows, InsideParentChecksItsParent) {
    EXPECT_EQ(-5, Open(100, 80, 16, 9));
    int hidden = Open(200, 200, 128);
    EXPECT_EQ(-2, Open(100, 80, 16, hidden));
    int shown = Open(300, 300, 7);
    int inside = Open(100, 80, 16, shown);
    ASSERT_GT(inside, 0);
    windowselect_(&inside);
    EXPECT_EQ(1, yywindowcheckinside_());
    // Its position is reported in the parent's window units.
    RECT r;
    GetWindowRect(wWindow[inside], &r);
    MapWindowPoints(nullptr, hClient[shown], reinterpret_cast<POINT *>(&r), 2);
    EXPECT_EQ((2 * r.left + 1) * 9999 / 600, Info(5));
}

TEST_F(ChildWindows, TitleAndIcon) {
    int win = Open(200, 100, 7);
    windowselect_(&win);
    int icon = 0, set = 1;
    yywindowtitle_(&icon, &set, "Progress");
    char caption[64] = "";
    GetWindowTextA(wWindow[win], caption, sizeof caption);
    EXPECT_STREQ("Progress", caption);
    EXPECT_EQ(0, icon);
    icon = 598;  // no such icon
    yywindowtitle_(&icon, &set, "Again");
    EXPECT_EQ(-2, icon);
}

TEST_F(ChildWindows, ClearAreaFillsThePixelRectangle) {
    int win = Open(200, 100, 7);
    windowselect_(&win);
    Pump();
    int x1 = 10, y1 = 10, x2 = 19, y2 = 14, colour = 0x0000FF;
    yycleararea_(&x1, &y1, &x2, &y2, &colour);
    HDC dc = GetDC(hClient[win]);
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 10, 10));
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 19, 14));
    EXPECT_NE(RGB(255, 0, 0), GetPixel(dc, 20, 15));
    ReleaseDC(hClient[win], dc);
}

}  // namespace

namespace {

TEST_F(ChildWindows, ScrollAreaMovesThePixelsAndFillsTheStrip) {
    int win = Open(200, 100, 7);
    windowselect_(&win);
    Pump();
    int x1 = 0, y1 = 0, x2 = 199, y2 = 99, white = 0xFFFFFF;
    yycleararea_(&x1, &y1, &x2, &y2, &white);
    x1 = 20, y1 = 20, x2 = 24, y2 = 24;
    int red = 0x0000FF;
    yycleararea_(&x1, &y1, &x2, &y2, &red);
    int dx = 10, dy = -5, blue = 0xFF0000;
    yyscrollarea_(&dx, &dy, &blue);
    HDC dc = GetDC(hClient[win]);
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 30, 15));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 20, 20));
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(dc, 5, 50));    // the strip on the left
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(dc, 100, 97));  // the strip at the bottom
    ReleaseDC(hClient[win], dc);
}

TEST_F(ChildWindows, RaiseShowsAndEnablesTheWindow) {
    int win = Open(200, 100, 128);
    windowselect_(&win);
    EnableWindow(wWindow[win], FALSE);
    EXPECT_EQ(3, Info(9));
    yywindowraise_();
    EXPECT_TRUE(IsWindowVisible(wWindow[win]));
    EXPECT_TRUE(IsWindowEnabled(wWindow[win]));
    EXPECT_EQ(1, Info(9));
    EXPECT_EQ(hClient[win], GetFocus());
}

TEST_F(ChildWindows, FloatingMenuReturnsWhenClosed) {
    int win = Open(200, 100, 7);
    windowselect_(&win);
    UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    int menu = 503, x = 10, y = 10;
    yymnflot_(&menu, &x, &y);
    KillTimer(nullptr, timer);
    EXPECT_EQ(503, menu);
    menu = 595;
    yymnflot_(&menu, &x, &y);
    EXPECT_EQ(-1, menu);
}

}  // namespace

namespace {

TEST_F(ChildWindows, CombinedWithADialogTakesItsSizeAndUnloadsItOnClose) {
    int loadedBefore = nDialogs;
    int dialog = 520;
    int win = Open(50, 50, 7 + 32, 0, nullptr, 0, &dialog);
    ASSERT_GT(win, 0);
    EXPECT_EQ(520, dialog);
    windowselect_(&win);
    EXPECT_EQ(3, Info(10));
    EXPECT_EQ(1 + 2 + 32 + 64, Info(3));  // only the system menu, minimise box and status bar stay
    ASSERT_EQ(loadedBefore + 1, nDialogs);
    HWND box = hDialogList[nDialogs];
    RECT r;
    GetWindowRect(box, &r);
    EXPECT_EQ(r.right - r.left, Info(1));
    EXPECT_EQ(r.bottom - r.top, Info(2));
    EXPECT_EQ(hClient[win], GetParent(box));
    EXPECT_TRUE(IsWindowVisible(box));
    int item = 10;
    EXPECT_EQ(4, winfodialog_(&item));
    // The combined dialog is the current one: the field routines address it.
    item = 3;
    EXPECT_EQ(520, winfodialog_(&item));
    int button = 561;
    wdialogputstring_(&button, "Went", 4);
    EXPECT_EQ(0, LastError());
    char caption[8] = {};
    GetDlgItemTextA(box, 561, caption, sizeof caption);
    EXPECT_STREQ("Went", caption);
    // Position and size of a dialog inside a window come in that window's units.
    RECT inParent = r;
    MapWindowPoints(nullptr, hClient[win], reinterpret_cast<POINT *>(&inParent), 2);
    item = 6;
    EXPECT_EQ((2 * inParent.left + 1) * 9999 / (2 * Info(1)), winfodialog_(&item));
    item = 8;
    EXPECT_EQ((2 * (r.right - r.left) + 1) * 9999 / (2 * Info(1)), winfodialog_(&item));
    // Dialogs are placed at the client area's top-left corner.
    int px = 0, py = 0;
    yygetwindlgpos_(&px, &py);
    POINT corner = {0, 0};
    ClientToScreen(box, &corner);
    EXPECT_EQ(corner.x, px);
    EXPECT_EQ(corner.y, py);
    // Closing the window unloads the dialog and, as it was the current one, leaves none.
    int current = 520;
    yyclosechild_(&win, &current);
    EXPECT_EQ(0, current);
    EXPECT_EQ(loadedBefore, nDialogs);
}

TEST_F(ChildWindows, ADialogWithACaptionIsNotCombined) {
    int dialog = 521;
    int win = Open(150, 90, 7, 0, nullptr, 0, &dialog);
    ASSERT_GT(win, 0);
    EXPECT_EQ(-2, dialog);
    windowselect_(&win);
    EXPECT_EQ(0, Info(10));
    EXPECT_EQ(150, Info(1));
    dialog = 597;  // no such template
    int other = Open(150, 90, 7, 0, nullptr, 0, &dialog);
    EXPECT_GT(other, 0);
    EXPECT_EQ(-1, dialog);
}

}  // namespace

namespace {

// The next event of a poll, allowing the window system a moment to deliver what was posted.
int NextEvent(QuillEvent *e) {
    int type = -1;
    for (int tries = 0; tries < 400 && type == -1; ++tries) {
        wmessagepeek_(&type, e);
        if (type == -1) Sleep(5);
    }
    return type;
}

TEST_F(ChildWindows, AcceleratorsInAFrameRecordTurnKeysIntoMenuEvents) {
    int win = Open(200, 100, 7);
    ASSERT_GT(win, 0);
    ACCEL key = {FVIRTKEY, VK_F5, 4242};
    HACCEL table = CreateAcceleratorTableA(&key, 1);
    ASSERT_NE(nullptr, table);
    QuillEvent e;
    // A plain child window hands the key to its client area: F5 as a key event.
    PostMessageA(hClient[win], WM_KEYDOWN, VK_F5, 1);
    EXPECT_EQ(1, NextEvent(&e));
    EXPECT_EQ(305, e.value1);
    // A window whose record carries its own keys turns F5 into the command.
    FrameBlock block{kEditorWindow, {0, 0, 0, 0}, nullptr, {nullptr, table}, nullptr};
    SetWindowLongPtrA(wWindow[win], GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&block));
    PostMessageA(hClient[win], WM_KEYDOWN, VK_F5, 1);
    EXPECT_EQ(2, NextEvent(&e));
    EXPECT_EQ(4242, e.value1);
    EXPECT_EQ(win, e.win);
    SetWindowLongPtrA(wWindow[win], GWLP_USERDATA, 0);
    DestroyAcceleratorTable(table);
}

TEST_F(ChildWindows, AMaximisedWindowInsideFollowsItsParentAndGetsItsPlaceBack) {
    int parent = Open(400, 300, 7);
    int inside = Open(120, 80, 7 + 16, parent);
    ASSERT_GT(inside, 0);
    HWND frame = wWindow[inside];
    RECT normal;
    GetWindowRect(frame, &normal);
    MapWindowPoints(nullptr, hClient[parent], reinterpret_cast<POINT *>(&normal), 2);
    ShowWindow(frame, SW_MAXIMIZE);
    Pump();
    windowselect_(&parent);
    int x = kCentred, y = kCentred, w = 500, h = 350, state = -1;
    yywindowsizepos_(&x, &y, &w, &h, &state);
    Pump();
    // Still maximised, it covers the whole of the larger client area.
    RECT area;
    GetClientRect(frame, &area);
    EXPECT_EQ(500, area.right);
    EXPECT_EQ(350, area.bottom);
    ShowWindow(frame, SW_RESTORE);
    Pump();
    RECT back;
    GetWindowRect(frame, &back);
    MapWindowPoints(nullptr, hClient[parent], reinterpret_cast<POINT *>(&back), 2);
    EXPECT_EQ(normal.left, back.left);
    EXPECT_EQ(normal.top, back.top);
    EXPECT_EQ(normal.right, back.right);
    EXPECT_EQ(normal.bottom, back.bottom);
}

TEST_F(ChildWindows, TheClientAreaShowsTheCursorLastSet) {
    int win = Open(200, 100, 7);
    ASSERT_GT(win, 0);
    int cross = 3;
    yychangecursor_(&cross);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    LRESULT taken = SendMessageA(hClient[win], WM_SETCURSOR, reinterpret_cast<WPARAM>(hClient[win]),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(TRUE, taken);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_CROSS), GetCursor());
    int arrow = 0;
    yychangecursor_(&arrow);
}

}  // namespace
