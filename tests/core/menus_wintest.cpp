// Menus and tool bars from the test resources: greyed and checked items, ids given to popups
// by the id table, insert and delete, prompts, tool bars that mirror the menu, tool tips, and
// bars added and removed with the client size kept.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "core/childwindows.h"
#include "core/menus.h"
#include "library_root.h"
#include "quillamorph.h"

namespace {

class Menus : public SharedLibraryRoot {
protected:
    void SetUp() override {
        int x = 30, y = 30, w = 400, h = 300, flags = 7, menu = 501, none = 0, parent = 0;
        yyopenchild_(&x, &y, &w, &h, &win, &flags, &menu, nullptr, &none, &parent, "menus");
        ASSERT_GT(win, 0);
        windowselect_(&win);
    }
    void TearDown() override {
        int none = 0;
        yyclosechild_(&win, &none);
    }
    int win = 0;
};

int Flag(int id, int which) {
    int state = -9;
    yymngflg_(&id, &which, &state);
    return state;
}

void ClientSize(int slot, int *w, int *h) {
    RECT r;
    GetClientRect(hClient[slot], &r);
    *w = r.right;
    *h = r.bottom;
}

TEST_F(Menus, LoadedStatesAndIdsFromTheIdTable) {
    ASSERT_NE(nullptr, hMenuRoot[win]);
    EXPECT_EQ(1, Flag(511, 1));
    EXPECT_EQ(0, Flag(512, 1));  // greyed in the resource
    EXPECT_EQ(0, Flag(513, 1));  // only disabled there, shown greyed
    HMENU holder;
    int pos = yymngetpos(hMenuRoot[win], 513, &holder);
    ASSERT_GE(pos, 0);
    EXPECT_TRUE(GetMenuState(holder, pos, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(1, Flag(521, 2));
    EXPECT_EQ(0, Flag(522, 2));
    EXPECT_EQ(-1, Flag(999, 1));
    // The id table names the popups: "Recent" (File, 5th item) and "View".
    pos = yymngetpos(hMenuRoot[win], 530, &holder);
    EXPECT_EQ(4, pos);
    EXPECT_EQ(GetSubMenu(hMenuRoot[win], 0), holder);
    pos = yymngetpos(hMenuRoot[win], 531, &holder);
    EXPECT_EQ(1, pos);
    EXPECT_EQ(hMenuRoot[win], holder);
    EXPECT_NE(nullptr, hAccel[win]);
    EXPECT_NE(nullptr, wSlot[win].prompts);
}

TEST_F(Menus, GreyCheckAndText) {
    int id = 511, on = 0;
    yymngrey_(&id, &on);
    EXPECT_EQ(0, on);
    EXPECT_EQ(0, Flag(511, 1));
    on = 1;
    yymngrey_(&id, &on);
    EXPECT_EQ(1, Flag(511, 1));
    id = 522;
    int check = 1;
    yymnchck_(&id, &check);
    EXPECT_EQ(1, Flag(522, 2));
    id = 999;
    check = 1;
    yymnchck_(&id, &check);
    EXPECT_EQ(-1, check);
    id = 999;
    on = 1;
    yymngrey_(&id, &on);
    EXPECT_EQ(-1, on);
    id = 522;
    yymntext_(&id, "&Rulers");
    HMENU holder;
    int pos = yymngetpos(hMenuRoot[win], 522, &holder);
    char text[32] = "";
    GetMenuStringA(holder, pos, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("&Rulers", text);
    id = 998;
    yymntext_(&id, "x");
    EXPECT_EQ(-1, id);
}

TEST_F(Menus, InsertAndDelete) {
    HMENU view = GetSubMenu(hMenuRoot[win], 1);
    int id = 522, offset = 1, newid = 523;
    yymnins_(&id, &offset, &newid, "&Before ruler");
    EXPECT_EQ(3, GetMenuItemCount(view));
    EXPECT_EQ(523u, GetMenuItemID(view, 1));  // in front of 522
    id = 521, offset = 100, newid = 0;
    yymnins_(&id, &offset, &newid, "");
    EXPECT_EQ(4, GetMenuItemCount(view));
    EXPECT_TRUE(GetMenuState(view, 3, MF_BYPOSITION) & MF_SEPARATOR);  // appended
    id = 523;
    yymndel_(&id);
    EXPECT_EQ(523, id);
    EXPECT_EQ(3, GetMenuItemCount(view));
    yymndel_(&id);
    EXPECT_EQ(-1, id);
    id = 777, offset = 1, newid = 1;
    yymnins_(&id, &offset, &newid, "x");
    EXPECT_EQ(-1, id);
}

TEST_F(Menus, PromptsAreKeptPerItemAndCounted) {
    int id = 511;
    yymenuprompt_(&id, "Opens a checkpoint");
    id = 514;
    yymenuprompt_(&id, "The last file");
    EXPECT_EQ(2, wSlot[win].promptCount);
    HMENU holder;
    int pos = yymngetpos(hMenuRoot[win], 511, &holder);
    ASSERT_NE(nullptr, quill::MenuItemPrompt(holder, pos));
    EXPECT_STREQ("Opens a checkpoint", quill::MenuItemPrompt(holder, pos));
    id = 511;
    yymenuprompt_(&id, "Replaced");
    EXPECT_EQ(2, wSlot[win].promptCount);
    EXPECT_STREQ("Replaced", quill::MenuItemPrompt(holder, pos));
    id = 511;
    yymenuprompt_(&id, "");
    EXPECT_EQ(1, wSlot[win].promptCount);
    EXPECT_EQ(nullptr, quill::MenuItemPrompt(holder, pos));
    id = 530;  // deleting the popup frees the prompt of the item inside it
    yymndel_(&id);
    EXPECT_EQ(0, wSlot[win].promptCount);
    id = 12345;
    yymenuprompt_(&id, "none");
    EXPECT_EQ(-1, id);
}

TEST_F(Menus, HighlightedItemsShowTheirPromptInTheStatusBar) {
    int x = 30, y = 30, w = 300, h = 200, flags = 7 + 32, menu = 501, none = 0, parent = 0;
    int bar = 0;
    yyopenchild_(&x, &y, &w, &h, &bar, &flags, &menu, nullptr, &none, &parent, "prompts");
    ASSERT_GT(bar, 0);
    windowselect_(&bar);
    int id = 511;
    yymenuprompt_(&id, "Opens a checkpoint");
    HWND status = wMessLine[bar];
    SendMessageA(wWindow[bar], WM_ENTERMENULOOP, 0, 0);
    HMENU file = GetSubMenu(hMenuRoot[bar], 0);
    SendMessageA(wWindow[bar], WM_MENUSELECT, MAKEWPARAM(511, MF_STRING),
                 reinterpret_cast<LPARAM>(file));
    char text[128] = "";
    SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));  // the simple part
    EXPECT_STREQ("Opens a checkpoint", text);
    SendMessageA(wWindow[bar], WM_MENUSELECT, MAKEWPARAM(SC_CLOSE, MF_SYSMENU),
                 reinterpret_cast<LPARAM>(GetSystemMenu(wWindow[bar], FALSE)));
    SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));  // the simple part
    EXPECT_STREQ("Closes the window", text);
    SendMessageA(wWindow[bar], WM_MENUSELECT, MAKEWPARAM(512, MF_STRING),
                 reinterpret_cast<LPARAM>(file));
    SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));  // the simple part
    EXPECT_STREQ("", text);
    SendMessageA(wWindow[bar], WM_EXITMENULOOP, 0, 0);
    yyclosechild_(&bar, &none);
}

TEST_F(Menus, ChangingTheMenuKeepsTheClientSize) {
    int w0, h0;
    ClientSize(win, &w0, &h0);
    int menu = 503;
    yymenuchange_(&menu, &win);
    EXPECT_EQ(503, menu);
    EXPECT_EQ(1, Flag(541, 1));
    EXPECT_EQ(-1, Flag(521, 1));
    int w, h;
    ClientSize(win, &w, &h);
    EXPECT_EQ(w0, w);
    EXPECT_EQ(h0, h);
    menu = 0;
    yymenuchange_(&menu, &win);
    EXPECT_EQ(nullptr, hMenuRoot[win]);
    ClientSize(win, &w, &h);
    EXPECT_EQ(h0, h);
    menu = 597;
    yymenuchange_(&menu, &win);
    EXPECT_EQ(-1, menu);
    menu = 501;
    int closed = 19;
    yymenuchange_(&menu, &closed);
    EXPECT_EQ(-2, menu);
}

TEST_F(Menus, ToolBarMirrorsTheMenuAndKeepsTheClientSize) {
    int w0, h0;
    ClientSize(win, &w0, &h0);
    int bar = 502, pos = 0, cw, ch;
    yymntbar_(&bar, &win, &pos, &cw, &ch);
    ASSERT_EQ(502, bar);
    HWND toolbar = hToolbar[win][0];
    ASSERT_NE(nullptr, toolbar);
    EXPECT_EQ(-1, cw);
    EXPECT_EQ(-1, ch);
    int w, h;
    ClientSize(win, &w, &h);
    EXPECT_EQ(w0, w);
    EXPECT_EQ(h0, h);
    RECT r;
    GetWindowRect(toolbar, &r);
    EXPECT_EQ(15 + 12, r.bottom - r.top);
    EXPECT_EQ(4, SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    EXPECT_TRUE(SendMessageA(toolbar, TB_ISBUTTONENABLED, 511, 0));
    EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONENABLED, 512, 0));  // greyed in the menu
    EXPECT_TRUE(SendMessageA(toolbar, TB_ISBUTTONCHECKED, 521, 0));   // checked in the menu

    // Grey and check reach the buttons.
    int id = 511, on = 0;
    yymngrey_(&id, &on);
    EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONENABLED, 511, 0));
    EXPECT_EQ(1, on);

    // A left bar with a button the menu does not have.
    bar = 504, pos = 1;
    yymntbar_(&bar, &win, &pos, &cw, &ch);
    ASSERT_EQ(504, bar);
    GetWindowRect(hToolbar[win][1], &r);
    EXPECT_EQ(16 + 9, r.right - r.left);
    id = 599, on = 0;
    yymngrey_(&id, &on);
    EXPECT_EQ(1, on);  // the tool bar's answer replaces the menu's -1
    EXPECT_EQ(0, Flag(599, 1));
    ClientSize(win, &w, &h);
    EXPECT_EQ(w0, w);
    EXPECT_EQ(h0, h);

    // Removing both bars shrinks the frame back; the client area keeps its size.
    RECT frame0;
    GetWindowRect(wWindow[win], &frame0);
    bar = 0, pos = 0;
    yymntbar_(&bar, &win, &pos, &cw, &ch);
    bar = 0, pos = 1;
    yymntbar_(&bar, &win, &pos, &cw, &ch);
    EXPECT_EQ(nullptr, hToolbar[win][0]);
    EXPECT_EQ(nullptr, hToolbar[win][1]);
    ClientSize(win, &w, &h);
    EXPECT_EQ(w0, w);
    EXPECT_EQ(h0, h);
    RECT frame1;
    GetWindowRect(wWindow[win], &frame1);
    EXPECT_EQ((frame0.bottom - frame0.top) - 27, frame1.bottom - frame1.top);
    EXPECT_EQ((frame0.right - frame0.left) - 25, frame1.right - frame1.left);
}

TEST_F(Menus, ToolBarFailures) {
    int bar = 596, pos = 0, cw, ch;  // no such resource
    yymntbar_(&bar, &win, &pos, &cw, &ch);
    EXPECT_EQ(-1, bar);
    int closed = 18;
    bar = 502;
    yymntbar_(&bar, &closed, &pos, &cw, &ch);
    EXPECT_EQ(-2, bar);
}

TEST_F(Menus, ToolTipsKeepSeventyNineCharacters) {
    int bar = 502, pos = 0, cw, ch;
    yymntbar_(&bar, &win, &pos, &cw, &ch);
    std::string longText(120, 'x');
    int id = 511, n = static_cast<int>(longText.size()) + 1;
    yytooltip_(&id, longText.c_str(), &n);
    EXPECT_EQ(511, id);
    ASSERT_NE(nullptr, quill::ToolTipText(win, 511));
    EXPECT_EQ(79u, std::strlen(quill::ToolTipText(win, 511)));
    id = 512, n = 5;
    yytooltip_(&id, "Save", &n);
    EXPECT_STREQ("Save", quill::ToolTipText(win, 512));
    id = 511, n = 6;
    yytooltip_(&id, "Open", &n);  // replaces the record of 511
    EXPECT_STREQ("Open", quill::ToolTipText(win, 511));
    id = 512, n = 1;
    yytooltip_(&id, "", &n);  // frees it
    EXPECT_EQ(nullptr, quill::ToolTipText(win, 512));
    id = 888, n = 2;
    yytooltip_(&id, "x", &n);
    EXPECT_EQ(-1, id);

    // The frame answers a tool bar's request for the text.
    NMTTDISPINFOA request = {};
    request.hdr.hwndFrom = hToolbar[win][0];
    request.hdr.idFrom = 511;
    request.hdr.code = TTN_GETDISPINFOA;
    SendMessageA(wWindow[win], WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
    ASSERT_NE(nullptr, request.lpszText);
    EXPECT_STREQ("Open", request.lpszText);
}

}  // namespace
