// Error reports through the window system: the "Library Error" box of level 4, answered from
// a thread timer (it runs inside the box's modal loop) that records the box and presses one
// of its buttons.
#include "base/errors.h"
#include "core/startup.h"
#include "quillamorph/startup.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace {

struct BoxSeen {
    std::string caption;
    std::string text;
    int answer = IDOK;
    int count = 0;
};
BoxSeen seen;

// The box's message is its one static control with text (its id differs between systems).
BOOL CALLBACK KeepStaticText(HWND child, LPARAM) {
    char name[64] = "", text[512] = "";
    GetClassNameA(child, name, sizeof name);
    GetWindowTextA(child, text, sizeof text);
    if (lstrcmpiA(name, "Static") == 0 && text[0]) seen.text = text;
    return TRUE;
}

BOOL CALLBACK AnswerDialog(HWND box, LPARAM) {
    char name[64] = "";
    GetClassNameA(box, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowVisible(box)) return TRUE;
    char text[512] = "";
    GetWindowTextA(box, text, sizeof text);
    seen.caption = text;
    EnumChildWindows(box, KeepStaticText, 0);
    ++seen.count;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(seen.answer, BN_CLICKED), 0);
    return FALSE;
}

void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (seen.count == 0) EnumThreadWindows(GetCurrentThreadId(), AnswerDialog, 0);
}

// The library, initialised as every program starts it, reports by the window system.
void ReportAnswered(int code, int answer) {
    winitialise_(nullptr, 0);
    seen = BoxSeen();
    seen.answer = answer;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerTimer);
    int level = 4;
    idebuglevel_(&level);
    yyerror_(&code);
    KillTimer(nullptr, timer);
}

TEST(LibraryErrorBox, OkReturnsWithTheNumberKept) {
    ReportAnswered(1005, IDOK);
    EXPECT_EQ(1, seen.count);
    EXPECT_EQ("Library Error", seen.caption);
    EXPECT_EQ("Error=1005:No dialogs currently loaded", seen.text);
    int item = 1;
    EXPECT_EQ(1005, infoerror_(&item));
    item = 4;
    EXPECT_EQ(4, infoerror_(&item));
    int level = 0;
    idebuglevel_(&level);
}

TEST(StatusBarReport, LevelThreeWritesTheRootStatusBar) {
    winitialise_(nullptr, 0);
    int flags = 0x20 | 0x80;
    windowopen2_(&flags, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr, 0);
    HWND bar = quill::RootStatusBar();
    ASSERT_NE(nullptr, bar);
    HWND current = hWinCur;
    int level = 3, code = 1006;
    idebuglevel_(&level);
    yyerror_(&code);
    char text[128] = "";
    SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("Error=1006:Invalid field identifier", text);
    EXPECT_EQ(current, hWinCur);
    int item = 1;
    EXPECT_EQ(1006, infoerror_(&item));
    level = 0;
    idebuglevel_(&level);
    windowclose_();
}

TEST(LibraryErrorBoxDeathTest, CancelEndsTheProcessWithCodeZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(ReportAnswered(12, IDCANCEL), ::testing::ExitedWithCode(0), "");
}

}  // namespace
