// Real key presses into modeless dialogs: the keys reach the dialog that is shown and active
// through the library's event loop, which hands them to the dialog manager (Tab, Shift+Tab,
// Enter, Escape) and to the accelerators the dialog asks for; and the same in the main dialogs
// of both programs. The presses go through the window system's input queue to the foreground
// window, so these tests run alone on their display.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "core/dialogs.h"
#include "error_status.h"
#include "program_driver.h"
#include "quillamorph.h"

namespace {

// Presses and releases KEY, with Shift held around it when asked.
void Press(WORD key, bool shift = false) {
    INPUT input[4] = {};
    int n = 0;
    auto add = [&](WORD vk, DWORD flags) {
        input[n].type = INPUT_KEYBOARD;
        input[n].ki.wVk = vk;
        input[n].ki.dwFlags = flags;
        ++n;
    };
    if (shift) add(VK_SHIFT, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (shift) add(VK_SHIFT, KEYEVENTF_KEYUP);
    SendInput(n, input, sizeof(INPUT));
}

// Polls the library's events for up to MS milliseconds and returns the first of type TYPE
// (its type, or -1 when none came); every other event is dropped.
int PollFor(int type, QuillEvent *event, DWORD ms = 2000) {
    DWORD start = GetTickCount();
    do {
        int got = -1;
        wmessagepeek_(&got, event);
        if (got == type) return got;
        if (got == -1) Sleep(10);
    } while (GetTickCount() - start < ms);
    return -1;
}

// Lets the library's event loop handle what is queued for a moment.
void Settle(DWORD ms = 300) {
    QuillEvent event;
    PollFor(-2, &event, ms);
}

int FocusedId() {
    HWND focus = GetFocus();
    return focus ? GetDlgCtrlID(focus) : 0;
}

// The library with its root window hidden and given the menu 601, whose accelerator table
// turns F5 into menu item 611.
class ModelessKeys : public ::testing::Test {
protected:
    void SetUp() override {
        winitialise_(nullptr, 0);
        int flags = 128 + 7, menu = 601;
        windowopen2_(&flags, nullptr, nullptr, nullptr, nullptr, &menu, nullptr, nullptr, nullptr,
                     nullptr, 0);
        LastError();
    }
    void TearDown() override { windowclose_(); }

    // Loads dialog ID and shows it modeless with the focus in FIELD; its window.
    static HWND Show(int id, int field) {
        wdialogload_(&id);
        int type = 2;
        wdialogshow_(nullptr, nullptr, &field, &type);
        EXPECT_EQ(0, LastError());
        return quill::CurrentDialogWindow();
    }
};

TEST_F(ModelessKeys, TheShownDialogTakesTabShiftTabEnterAndEscape) {
    HWND dialog = Show(602, 620);
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(dialog, GetActiveWindow());
    EXPECT_EQ(dialog, hDlgCur);
    EXPECT_EQ(dialog, GetParent(GetFocus()));
    EXPECT_EQ(620, FocusedId());

    Press(VK_TAB);
    Settle();
    EXPECT_EQ(621, FocusedId());
    Press(VK_TAB, true);
    Settle();
    EXPECT_EQ(620, FocusedId());

    QuillEvent event;
    Press(VK_RETURN);
    ASSERT_EQ(3, PollFor(3, &event));
    EXPECT_EQ(IDOK, event.value1);
    EXPECT_EQ(602, event.win);
    Press(VK_ESCAPE);
    ASSERT_EQ(3, PollFor(3, &event));
    EXPECT_EQ(IDCANCEL, event.value1);
    EXPECT_EQ(602, event.win);
}

TEST_F(ModelessKeys, LoadingADialogLeavesTheFocusAndTheActiveWindowAlone) {
    HWND dialog = Show(602, 621);
    ASSERT_NE(nullptr, dialog);
    int other = 603;
    wdialogload_(&other);
    EXPECT_EQ(0, LastError());
    Settle();
    EXPECT_EQ(dialog, GetActiveWindow());
    EXPECT_EQ(dialog, GetParent(GetFocus()));
    EXPECT_EQ(621, FocusedId());
    // Its keys still go to the dialog shown.
    Press(VK_TAB, true);
    Settle();
    EXPECT_EQ(dialog, GetParent(GetFocus()));
    EXPECT_EQ(620, FocusedId());
}

TEST_F(ModelessKeys, RootAcceleratorsReachOnlyADialogThatAsksForThem) {
    QuillEvent event;
    HWND own = Show(602, 620);
    ASSERT_NE(nullptr, own);
    Press(VK_F5);
    EXPECT_EQ(-1, PollFor(2, &event, 500));
    int option = 0;
    wdialogunload_(&option);

    HWND root = Show(603, 620);
    ASSERT_NE(nullptr, root);
    Press(VK_F5);
    ASSERT_EQ(2, PollFor(2, &event));
    EXPECT_EQ(611, event.value1);
}

// The focused field of another program's thread.
int ProgramFocus(const ProgramDriver &program) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(program.process.dwThreadId, &info) || !info.hwndFocus) return 0;
    return GetDlgCtrlID(info.hwndFocus);
}

// Tab from Starting Integer reaches Save Interval and Shift+Tab comes back; Escape presses
// the dialog's cancel id, which ends the program.
void TabThroughMainDialog(const char *exe, const char *caption) {
    SCOPED_TRACE(exe);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    ProgramDriver program;
    ASSERT_TRUE(program.Launch(exe, temp, caption));
    ASSERT_TRUE(WaitUntil([&] { return ProgramFocus(program) == 1005; }, 5000));
    Press(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return ProgramFocus(program) == 1011; }, 5000))
        << "focus in " << ProgramFocus(program);
    Press(VK_TAB, true);
    EXPECT_TRUE(WaitUntil([&] { return ProgramFocus(program) == 1005; }, 5000))
        << "focus in " << ProgramFocus(program);
    Press(VK_ESCAPE);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(program.process.hProcess, 10000));
}

TEST(ProgramKeys, TabMovesThroughBothProgramsMainDialogs) {
    TabThroughMainDialog("Velquist3.exe", "Velquist 3.0");
    TabThroughMainDialog("Velquist.exe", "Velquist");
}

}  // namespace
