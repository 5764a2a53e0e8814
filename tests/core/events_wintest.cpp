// The event loop under Wine: polls and waits, mouse and key events, timers, pending exposes
// and resizes, dialog events and the deferred field change.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstring>

#include "core/dialogs.h"
#include "core/events.h"
#include "core/window_units.h"
#include "graphics/graphics_state.h"
#include "quillamorph.h"
#include "messages.h"

namespace {

// The four values of an event, to compare at once.
std::array<int, 4> Values(const QuillEvent &e) { return {e.value1, e.value2, e.value3, e.value4}; }

// Opens a visible root window for each test and closes it after, with the queue drained.
struct Events : ::testing::Test {
    HWND client = nullptr;
    void SetUp() override {
        int flags = 7, x = 20, y = 20, width = 320, height = 240;
        windowopen2_(&flags, &x, &y, &width, &height, nullptr, nullptr, nullptr, nullptr, nullptr,
                     0);
        client = hClient[0];
        ASSERT_NE(client, nullptr);
        Drain();
    }
    void TearDown() override {
        windowclose_();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    // Polls until nothing is left, so each test starts from an empty queue.
    static void Drain() {
        int type = 0;
        QuillEvent e;
        for (int i = 0; i < 100; ++i) {
            wmessagepeek_(&type, &e);
            if (type == -1) break;
        }
    }
    int ClientWidth() const {
        RECT c;
        GetClientRect(client, &c);
        return c.right;
    }
    int ClientHeight() const {
        RECT c;
        GetClientRect(client, &c);
        return c.bottom;
    }
    // An expose of the pixel rectangle at x, y of width w and height h, in window units.
    void ExpectArea(const QuillEvent &e, int x, int y, int w, int h) const {
        using quill::UnitsFromPixels;
        const int cw = ClientWidth(), ch = ClientHeight();
        EXPECT_EQ(e.x, UnitsFromPixels(x, cw));
        EXPECT_EQ(e.y, UnitsFromPixels(y, ch));
        EXPECT_EQ(e.value1, UnitsFromPixels(x + w - 1, cw) - UnitsFromPixels(x, cw));
        EXPECT_EQ(e.value2, UnitsFromPixels(y + h - 1, ch) - UnitsFromPixels(y, ch));
    }
    static int Poll(QuillEvent *e) {
        int type = 0;
        wmessagepeek_(&type, e);
        return type;
    }
};

TEST_F(Events, PollWithEmptyQueueGivesMinusOneEverywhereButTheReals) {
    QuillEvent e;
    std::memset(&e, 0, sizeof e);
    e.gx = 1.5f;
    e.gy2 = 2.5f;
    EXPECT_EQ(Poll(&e), -1);
    EXPECT_EQ(e.win, -1);
    EXPECT_EQ(Values(e), (std::array<int, 4>{-1, -1, -1, -1}));
    EXPECT_EQ(e.x, -1);
    EXPECT_EQ(e.y, -1);
    EXPECT_EQ(e.time, -1);
    EXPECT_EQ(e.gx, 1.5f);
    EXPECT_EQ(e.gy2, 2.5f);
    static_assert(sizeof(QuillEvent) == 48, "twelve 32-bit words");
}

TEST_F(Events, ClickGivesOneButtonDownEvent) {
    PostMessageA(client, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(30, 40));
    PostMessageA(client, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(30, 40));
    QuillEvent e;
    ASSERT_EQ(Poll(&e), 4);
    EXPECT_EQ(e.win, 0);
    EXPECT_EQ(e.value1, 1);
    EXPECT_EQ(e.value2, 4 + 2);  // left button and Shift
    EXPECT_EQ(e.x, quill::UnitsFromPixels(30, ClientWidth()));
    EXPECT_EQ(e.y, quill::UnitsFromPixels(40, ClientHeight()));
    EXPECT_EQ(e.value3, 0);
    EXPECT_EQ(e.value4, -1);
    EXPECT_EQ(Poll(&e), -1);

    PostMessageA(client, WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, MAKELPARAM(5, 6));
    ASSERT_EQ(Poll(&e), 4);
    EXPECT_EQ(e.value1, 3);
    EXPECT_EQ(e.value2, 16 + 1);
    EXPECT_EQ(Poll(&e), -1);
}

// The dispatchers themselves hand out the raw event: pixels, before post-processing.
TEST_F(Events, NamedDispatchersReturnTheRawEventWordByWord) {
    PostMessageA(client, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40));
    int type = 0, v1 = 0, v2 = 0, v3 = 0, v4 = 0, x = 0, y = 0, win = 7, time = 0;
    yydispatchpeekmessage_(&type, &v1, &v2, &v3, &v4, &x, &y, &win, &time);
    EXPECT_EQ(type, 4);
    EXPECT_EQ(v1, 1);
    EXPECT_EQ(v2, 4);
    EXPECT_EQ(v3, 0);
    EXPECT_EQ(v4, -1);
    EXPECT_EQ(x, 30);
    EXPECT_EQ(y, 40);
    EXPECT_EQ(win, 0);
    EXPECT_NE(time, -1);

    yydispatchpeekmessage_(&type, &v1, &v2, &v3, &v4, &x, &y, &win, &time);
    for (int word : {type, v1, v2, v3, v4, x, y, win, time}) EXPECT_EQ(word, -1);

    // The waiting form, with only the type asked for.
    PostMessageA(client, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 6));
    type = 0;
    yydispatchnextmessage_(&type, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr);
    EXPECT_EQ(type, 4);
}

TEST_F(Events, ButtonUpAndMoveOnlyWhenEnabled) {
    int up = 5, move = 6, on = 1, off = 0, flag = -1;
    yyinfomessage_(&up, &flag);
    EXPECT_EQ(flag, 0);
    yyenablemessage_(&up, &on);
    yyenablemessage_(&move, &on);
    PostMessageA(client, WM_MOUSEMOVE, 0, MAKELPARAM(7, 8));
    PostMessageA(client, WM_MBUTTONUP, 0, MAKELPARAM(7, 8));
    QuillEvent e;
    ASSERT_EQ(Poll(&e), 6);
    EXPECT_EQ(e.value1, -1);
    ASSERT_EQ(Poll(&e), 5);
    EXPECT_EQ(e.value1, 2);
    yyenablemessage_(&up, &off);
    yyenablemessage_(&move, &off);
    int high = 17;
    yyenablemessage_(&high, &on);  // ignored
    yyinfomessage_(&high, &flag);
    EXPECT_EQ(flag, 0);
}

TEST_F(Events, DoubleClickIsTwoButtonDownsUnlessTypeSixteenIsOn) {
    auto click2 = [this] {
        PostMessageA(client, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        PostMessageA(client, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
        PostMessageA(client, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
        PostMessageA(client, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    };
    QuillEvent e;
    click2();
    EXPECT_EQ(Poll(&e), 4);
    EXPECT_EQ(Poll(&e), 4);
    EXPECT_EQ(Poll(&e), -1);

    int dbl = 16, on = 1, off = 0;
    yyenablemessage_(&dbl, &on);
    click2();
    EXPECT_EQ(Poll(&e), 4);
    EXPECT_EQ(Poll(&e), 16);
    EXPECT_EQ(e.value1, 1);
    EXPECT_EQ(Poll(&e), -1);
    yyenablemessage_(&dbl, &off);
}

// Posts a key press with the given keys held down and returns the key event's code.
int KeyCode(HWND client, int key, int held1 = 0, int held2 = 0) {
    BYTE state[256] = {};
    if (held1) state[held1] = 0x80;
    if (held2) state[held2] = 0x80;
    state[VK_NUMLOCK] = 0x01;
    SetKeyboardState(state);
    UINT scan = MapVirtualKeyA(key, 0);
    PostMessageA(client, WM_KEYDOWN, key, 1 | (scan << 16));
    int type = 0;
    QuillEvent e;
    wmessagepeek_(&type, &e);
    int code = type == 1 ? e.value1 : -100 - type;
    BYTE none[256] = {};
    SetKeyboardState(none);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    return code;
}

TEST_F(Events, KeyCodes) {
    SetFocus(client);
    EXPECT_EQ(KeyCode(client, VK_F1), 301);
    EXPECT_EQ(KeyCode(client, VK_F1, VK_SHIFT), 321);
    EXPECT_EQ(KeyCode(client, VK_F1, VK_CONTROL), 341);
    EXPECT_EQ(KeyCode(client, VK_LEFT, VK_CONTROL), 269);
    EXPECT_EQ(KeyCode(client, VK_UP, VK_SHIFT), 262);
    EXPECT_EQ(KeyCode(client, VK_HOME), 270);
    EXPECT_EQ(KeyCode(client, VK_NUMPAD7), 287);
    EXPECT_EQ(KeyCode(client, 'A'), 97);
    EXPECT_EQ(KeyCode(client, 'A', VK_SHIFT), 65);
    EXPECT_EQ(KeyCode(client, VK_TAB), 9);
    EXPECT_EQ(KeyCode(client, VK_TAB, VK_SHIFT), 274);
    // Modifier keys alone give no key event.
    EXPECT_EQ(KeyCode(client, VK_SHIFT, VK_SHIFT), -100 - (-1));
}

TEST_F(Events, TimerFiresOnceAsTypeThirteen) {
    int ms = 20, id = 77;
    yysettimer_(&ms, &id);
    auto [type, e] = NextEvent();
    EXPECT_EQ(type, 13);
    EXPECT_EQ(e.value1, 77);
    EXPECT_EQ(e.win, 0);
    Sleep(80);
    EXPECT_EQ(Poll(&e), -1);
}

TEST_F(Events, WaitReturnsAfterItsTime) {
    int n = 5;
    DWORD start = GetTickCount();
    yywait_(&n);
    DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 40u);
    EXPECT_EQ(TimerEnabled, 0);
}

TEST_F(Events, ResizeOutsideTheDispatcherIsKeptPending) {
    HWND frame = wWindow[0];
    RECT f;
    GetWindowRect(frame, &f);
    // SetWindowPos sends WM_SIZE at once: no dispatcher of the library sees it.
    SetWindowPos(frame, nullptr, 0, 0, f.right - f.left + 40, f.bottom - f.top + 30,
                 SWP_NOMOVE | SWP_NOZORDER);
    // A repaint right after it: an expose after a completed resize is dropped, and the
    // pending resize stays.
    InvalidateRect(client, nullptr, FALSE);
    UpdateWindow(client);
    RECT c;
    GetClientRect(client, &c);
    EXPECT_EQ(ORNMessages.window[0].type, 8);
    QuillEvent e;
    ASSERT_EQ(Poll(&e), 8);
    EXPECT_EQ(e.win, 0);
    EXPECT_EQ(e.value1, c.right);
    EXPECT_EQ(e.value2, c.bottom);
    EXPECT_EQ(ORNMessages.window[0].type, 0);
    EXPECT_EQ(Poll(&e), -1);
}

TEST_F(Events, ExposeOutsideTheDispatcherComesBackWhole) {
    Drain();
    RECT part = {10, 10, 50, 40};
    InvalidateRect(client, &part, FALSE);
    UpdateWindow(client);  // paints now, outside the dispatcher
    EXPECT_EQ(ORNMessages.window[0].type, 7);
    QuillEvent e;
    ASSERT_EQ(Poll(&e), 7);
    ExpectArea(e, 0, 0, ClientWidth(), ClientHeight());
    EXPECT_EQ(Poll(&e), -1);
}

// Graphics coordinates of the centre of pixel (x, y) of a drawable of w x h pixels, with the
// whole drawable as graphics area and 0 to 1 as units.
float GraphicsX(int x, int w) { return (x + 0.5f) / (w - 0.01f); }
float GraphicsY(int y, int h) { return (h - 1 - y + 0.5f) / (h - 0.01f); }

TEST_F(Events, PositionsCarryTheirGraphicsCoordinates) {
    const int w = ClientWidth(), h = ClientHeight();
    // The root window is the drawing target from the start.
    EXPECT_EQ(gGraphics.width, w);
    EXPECT_EQ(gGraphics.height, h);
    PostMessageA(client, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40));
    QuillEvent e;
    ASSERT_EQ(Poll(&e), 4);
    EXPECT_NEAR(e.gx, GraphicsX(30, w), 1e-5);
    EXPECT_NEAR(e.gy, GraphicsY(40, h), 1e-5);
    PostMessageA(client, WM_LBUTTONUP, 0, MAKELPARAM(30, 40));
    Drain();

    // An expose gives the graphics position of its corner and of its extent.
    RECT part = {10, 12, 50, 40};
    InvalidateRect(client, &part, FALSE);
    ASSERT_EQ(Poll(&e), 7);
    EXPECT_NEAR(e.gx, GraphicsX(10, w), 1e-5);
    EXPECT_NEAR(e.gy, GraphicsY(12, h), 1e-5);
    EXPECT_NEAR(e.gx2, (40 + 0.5f) / (w - 0.01f), 1e-5);
    EXPECT_NEAR(e.gy2, (28 + 0.5f) / (h - 0.01f), 1e-5);
}

TEST_F(Events, AnEventOfAnotherDrawableUsesItsSizeAndLeavesTheTargetAlone) {
    const GraphicsState before = gGraphics;
    // A dialog field of 80 x 20 dialog units, as the program would draw into it.
    int plain = 305;
    wdialogload_(&plain);
    HWND list = GetDlgItem(quill::CurrentDialogWindow(), 360);
    ASSERT_NE(list, nullptr);
    RECT r;
    GetClientRect(list, &r);
    int selectedBefore = iDlgCur;
    QuillEvent e = {305, 1, 0, 1, 360, 7, 3, 0, 0, 0, 0, 0};
    int type = 4;
    yyevent_(&type, &e);
    EXPECT_NEAR(e.gx, GraphicsX(7, r.right), 1e-5);
    EXPECT_NEAR(e.gy, GraphicsY(3, r.bottom), 1e-5);
    EXPECT_EQ(e.x, 7);  // positions in dialog fields stay in pixels
    EXPECT_EQ(e.y, 3);
    EXPECT_EQ(iDlgCur, selectedBefore);
    EXPECT_EQ(gGraphics.kind, before.kind);
    EXPECT_EQ(gGraphics.id, before.id);
    EXPECT_EQ(gGraphics.width, before.width);
    EXPECT_EQ(gGraphics.height, before.height);
}

TEST_F(Events, ExposeThroughTheDispatcherReportsTheUpdateRectangle) {
    Drain();
    RECT part = {10, 12, 50, 40};
    InvalidateRect(client, &part, FALSE);
    QuillEvent e;
    ASSERT_EQ(Poll(&e), 7);
    ExpectArea(e, 10, 12, 40, 28);
    EXPECT_EQ(ORNMessages.window[0].type, 0);
}

TEST_F(Events, CloseRequestDestroysNothing) {
    PostMessageA(wWindow[0], WM_CLOSE, 0, 0);
    QuillEvent e;
    ASSERT_EQ(Poll(&e), 9);
    EXPECT_EQ(e.win, 0);
    EXPECT_TRUE(IsWindow(wWindow[0]));
}

TEST_F(Events, MenuCommandGivesTypeTwo) {
    PostMessageA(wWindow[0], WM_COMMAND, MAKEWPARAM(1234, 0), 0);
    QuillEvent e;
    ASSERT_EQ(Poll(&e), 2);
    EXPECT_EQ(e.value1, 1234);
    EXPECT_EQ(e.value2, -1);
}

TEST_F(Events, QuitMessageEndsTheWaitWithoutAnEvent) {
    PostQuitMessage(3);
    auto [type, e] = NextEvent();
    EXPECT_EQ(type, -1);
    // The quit is taken: the next poll finds an empty queue.
    EXPECT_EQ(Poll(&e), -1);
}

TEST_F(Events, WindowOutsideTheTableGivesSlotMinusOneAndNoPendingEntry) {
    HWND stray = CreateWindowExA(0, "RAVOZUVIZA", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(stray, nullptr);
    Drain();
    InvalidateRect(stray, nullptr, FALSE);
    UpdateWindow(stray);
    for (const PendingEvent &p : ORNMessages.window) EXPECT_EQ(p.type, 0);
    DestroyWindow(stray);
    Drain();
}

// A window that stands in for a dialog: it carries a dialog record, and its messages raise
// the dialog events the dialog procedure raises.
constexpr UINT kPress = WM_APP + 1;
constexpr UINT kTwoChanges = WM_APP + 2;
constexpr UINT kTab = WM_APP + 3;

LRESULT CALLBACK FakeDialogProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    DialogRecord *r = quill::DialogRecordOf(w);
    switch (m) {
    case kPress: yyinterpretmessage(3, static_cast<int>(wp), 0, 0, w); return 0;
    case kTwoChanges:
        r->previousField = 11;
        r->currentField = 12;
        yyinterpretmessage(10, 0, 0, 501, w);
        r->previousField = 12;
        r->currentField = 13;
        yyinterpretmessage(10, 0, 0, 502, w);
        return 0;
    case kTab:
        r->pageLeft = 201;
        r->pageSelected = 202;
        yyinterpretmessage(11, 0, 0, 0, w);
        return 0;
    default: return DefWindowProcA(w, m, wp, lp);
    }
}

struct DialogEvents : Events {
    HWND dialog = nullptr;
    DialogRecord record = {};
    void SetUp() override {
        Events::SetUp();
        WNDCLASSA c = {};
        c.lpfnWndProc = FakeDialogProc;
        c.hInstance = GetModuleHandleA(nullptr);
        c.lpszClassName = "QuillFakeDialog";
        RegisterClassA(&c);
        dialog = CreateWindowExA(0, "QuillFakeDialog", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(dialog, nullptr);
        record.id = 101;
        record.previousField = 1001;
        SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&record));
    }
    void TearDown() override {
        DestroyWindow(dialog);
        Events::TearDown();
    }
};

TEST_F(DialogEvents, PushButtonCarriesDialogIdAndPreviousField) {
    PostMessageA(dialog, kPress, 1003, 0);
    auto [type, e] = NextEvent();
    ASSERT_EQ(type, 3);
    EXPECT_EQ(e.win, 101);
    EXPECT_EQ(Values(e), (std::array<int, 4>{1003, 1001, -1, -1}));
}

TEST_F(DialogEvents, SecondFieldChangeOfOneDispatchComesNextBeforeNewMessages) {
    int changed = 10, tab = 11, on = 1, off = 0;
    yyenablemessage_(&changed, &on);
    yyenablemessage_(&tab, &on);
    PostMessageA(dialog, kTwoChanges, 0, 0);
    PostMessageA(dialog, kTab, 0, 0);
    auto [type, e] = NextEvent();
    ASSERT_EQ(type, 10);
    EXPECT_EQ(e.win, 101);
    EXPECT_EQ(Values(e), (std::array<int, 4>{11, 12, 0, -1}));
    EXPECT_EQ(e.y, 501);
    wmessage_(&type, &e);
    ASSERT_EQ(type, 10);
    EXPECT_EQ(e.value1, 12);
    EXPECT_EQ(e.value2, 13);
    EXPECT_EQ(e.x, 501);  // the cell of the first change
    EXPECT_EQ(e.y, 502);
    EXPECT_EQ(record.lastCell, 502);
    wmessage_(&type, &e);
    ASSERT_EQ(type, 11);
    EXPECT_EQ(e.value1, 201);
    EXPECT_EQ(e.value2, 202);
    yyenablemessage_(&changed, &off);
    yyenablemessage_(&tab, &off);
}

TEST_F(DialogEvents, DisabledFieldChangeIsDroppedWithoutTouchingTheCurrentEvent) {
    PostMessageA(wWindow[0], WM_COMMAND, MAKEWPARAM(55, 0), 0);
    QuillEvent e;
    ASSERT_EQ(Poll(&e), 2);
    SendMessageA(dialog, kTwoChanges, 0, 0);
    EXPECT_EQ(wMessageType, 2);
    EXPECT_EQ(wMessageValue1, 55);
    EXPECT_EQ(ORNMessages.field.type, 0);
}

}  // namespace

namespace {

TEST(Wait, ReturnsAtOnceWithoutARootWindow) {
    ASSERT_EQ(hClient[0], nullptr);
    int n = 500;  // five seconds, were it to wait
    DWORD start = GetTickCount();
    yywait_(&n);
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_EQ(TimerEnabled, 0);
}

TEST(Wait, QuitMessageEndsTheWaitAndStaysForTheOuterLoop) {
    int flags = 128;
    windowopen2_(&flags, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr, 0);
    PostQuitMessage(4);
    int n = 500;
    DWORD start = GetTickCount();
    yywait_(&n);
    EXPECT_LT(GetTickCount() - start, 1000u);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    windowclose_();
}

}  // namespace
