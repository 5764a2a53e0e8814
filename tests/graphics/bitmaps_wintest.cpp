// The library's bitmaps under Wine: slots, pixel arrays, copies with the bitwise modes, a bitmap
// as the drawing target with the gradient primitives, the clipboard and the viewer.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "core/childwindows.h"
#include "core/events.h"
#include "core/fields.h"
#include "core/startup.h"
#include "graphics/bitmaps.h"
#include "graphics/drawing_target.h"
#include "graphics/gradient_fill.h"
#include "graphics/screen_gradient.h"
#include "library_root.h"
#include "messages.h"
#include "quillamorph/events.h"
#include "quillamorph/graphics.h"

namespace {

constexpr int kWhite = 0xFFFFFF, kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;

int Create(int width, int height, int colour) {
    int handle = -1;
    yybitmapcreate_(&handle, &width, &height, &colour);
    return handle;
}

int Destroy(int index) {
    int status = -1;
    yybitmapdestroy_(&index, &status);
    return status;
}

int Select(int index) {
    int status = -1, w = 0, h = 0;
    yybitmapselect_(&index, &status, &w, &h);
    return status;
}

int Pixel(int index, int x, int y) {
    int value = -2, status = -1;
    yybitmapputdata_(&index, &value, &x, &y, &x, &y, &status);
    return status == 0 ? value : -3;
}

struct Bitmaps : SharedLibraryRoot {
    void TearDown() override {
        quill::DestroyAllBitmaps();
        const int copy = 0;
        yybitmapmode_(&copy);
        quill::Target().dc = wDC;
        int item = 1;
        infoerror_(&item);
    }
};

TEST_F(Bitmaps, TwentySlotsAndTheirSizes) {
    for (int k = 1; k <= 20; ++k) EXPECT_EQ(Create(10 + k, 5, kWhite), k);
    EXPECT_EQ(Create(10, 10, kWhite), 0);  // the 21st
    int w = -1, h = -1;
    const int fourth = 3, twentieth = 20;
    yybitmapsize_(&fourth, &w, &h);
    EXPECT_EQ(w, 14);
    EXPECT_EQ(h, 5);
    yybitmapsize_(&twentieth, &w, &h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(Destroy(3), 0);
    EXPECT_EQ(Destroy(3), 1021);
    yybitmapsize_(&fourth, &w, &h);
    EXPECT_EQ(w + h, 0);
    EXPECT_EQ(Create(7, 7, kWhite), 4);  // the freed slot is used again
    EXPECT_EQ(Destroy(-1), 1021);
    EXPECT_EQ(Destroy(20), 1021);
    quill::DestroyAllBitmaps();
    EXPECT_EQ(Create(0, 10, kWhite), 0);  // no 1 x 1 monochrome stand-in
    EXPECT_EQ(Create(10, -1, kWhite), 0);
}

TEST_F(Bitmaps, PixelArraysGoRowByRow) {
    const int index = Create(3, 2, kWhite) - 1;
    ASSERT_EQ(index, 0);
    const int x1 = 0, y1 = 0, x2 = 2, y2 = 1;
    std::vector<int> in = {kRed, kGreen, kBlue, 0x000000, 0x808080, 0x102030};
    int status = -1;
    yybitmapgetdata_(&index, in.data(), &x1, &y1, &x2, &y2, &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Pixel(index, 2, 1), 0x102030);  // element 5
    EXPECT_EQ(Pixel(index, 0, 1), 0x000000);
    std::vector<int> out(6, -5);
    yybitmapputdata_(&index, out.data(), &x1, &y1, &x2, &y2, &status);
    EXPECT_EQ(out, in);

    // Corners the wrong way round touch nothing and report 1066.
    std::vector<int> guard(6, 77);
    yybitmapputdata_(&index, guard.data(), &x2, &y1, &x1, &y2, &status);
    EXPECT_EQ(status, 1066);
    EXPECT_EQ(guard, std::vector<int>(6, 77));
    yybitmapgetdata_(&index, guard.data(), &x1, &y2, &x2, &y1, &status);
    EXPECT_EQ(status, 1066);
    EXPECT_EQ(Pixel(index, 0, 0), kRed);
    const int free = 5;
    yybitmapgetdata_(&free, in.data(), &x1, &y1, &x2, &y2, &status);
    EXPECT_EQ(status, 1021);
}

TEST_F(Bitmaps, CopiesFollowTheBitwiseMode) {
    const int red = Create(4, 4, kRed) - 1, canvas = Create(20, 20, kWhite) - 1;
    ASSERT_EQ(Select(canvas), 0);
    EXPECT_EQ(quill::Target().dc, gBitmapDC);
    int status = -1;
    const int no = 0, yes = 1, at = 5, four = 4, eight = 8;
    yybitmapput_(&red, &no, &at, &at, &four, &four, &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Pixel(canvas, 5, 5), kRed);
    EXPECT_EQ(Pixel(canvas, 8, 8), kRed);
    EXPECT_EQ(Pixel(canvas, 9, 9), kWhite);
    const int twelve = 12;
    yybitmapput_(&red, &yes, &twelve, &at, &eight, &eight, &status);  // stretched
    EXPECT_EQ(Pixel(canvas, 19, 12), kRed);

    // Exclusive or twice gives back what was there; mode 4 keeps exclusive or.
    const int exclusive = 3, bad = 4;
    yybitmapmode_(&exclusive);
    yybitmapmode_(&bad);
    const int zero = 0;
    yybitmapput_(&red, &no, &zero, &zero, &four, &four, &status);
    EXPECT_EQ(Pixel(canvas, 1, 1), kWhite ^ kRed);
    yybitmapput_(&red, &no, &zero, &zero, &four, &four, &status);
    EXPECT_EQ(Pixel(canvas, 1, 1), kWhite);
    const int copy = 0;
    yybitmapmode_(&copy);

    // From the drawable into a bitmap, and a part either way.
    const int spare = Create(4, 4, kBlue) - 1;
    yybitmapget_(&spare, &at, &at, &four, &four, &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Pixel(spare, 0, 0), kRed);
    const int one = 1, two = 2, toScreen = 1, fromScreen = 0;
    yybitmappart_(&spare, &zero, &zero, &one, &two, &one, &one, &fromScreen, &status);
    EXPECT_EQ(Pixel(spare, 1, 2), kWhite);
    yybitmappart_(&spare, &one, &two, &zero, &zero, &one, &one, &toScreen, &status);
    EXPECT_EQ(Pixel(canvas, 0, 0), kWhite);
    const int freeSlot = 9;
    yybitmapput_(&freeSlot, &no, &at, &at, &four, &four, &status);
    EXPECT_EQ(status, 1021);

    // Destroying the target leaves no dangling device context.
    EXPECT_EQ(Destroy(canvas), 0);
    EXPECT_EQ(gBitmapTarget, -1);
    EXPECT_EQ(gBitmapDC, nullptr);
    EXPECT_EQ(quill::Target().dc, wDC);
    EXPECT_EQ(Select(canvas), 1);
}

TEST_F(Bitmaps, GradientFillOnABitmapWithBothMethods) {
    const int index = Create(64, 64, kWhite) - 1;
    ASSERT_EQ(Select(index), 0);
    auto fill = [&](int method) {
        quill::gGradient.count = 3;
        const int xs[] = {0, 60, 0}, ys[] = {0, 0, 60}, cs[] = {kRed, kGreen, kBlue};
        for (int k = 0; k < 3; ++k) {
            quill::gGradient.x[k] = xs[k];
            quill::gGradient.y[k] = ys[k];
            quill::gGradient.colour[k] = cs[k];
        }
        const int c1 = 0, c2 = 63;
        yygradientfill_(&method, &c1, &c1, &c2, &c2, yywinpointrgb_, yywingradfill_);
        std::vector<int> pixels(64 * 64);
        const int x1 = 0, x2 = 63;
        int status = -1;
        yybitmapputdata_(&index, pixels.data(), &x1, &x1, &x2, &x2, &status);
        return pixels;
    };
    const std::vector<int> own = fill(1);
    EXPECT_EQ(own[0], kRed);
    EXPECT_EQ(own[64 * 20 + 20], 0x555555);
    EXPECT_EQ(own[64 * 40 + 40], kWhite);
    std::vector<int> blank(64 * 64, kWhite);
    const int zero = 0, last = 63;
    int status = -1;
    yybitmapgetdata_(&index, blank.data(), &zero, &zero, &last, &last, &status);
    ASSERT_EQ(status, 0);
    const std::vector<int> system = fill(2);
    EXPECT_EQ(system[0], kRed);
    auto within3 = [](int a, int b) {
        for (int shift = 0; shift < 24; shift += 8)
            if (std::abs(((a >> shift) & 0xFF) - ((b >> shift) & 0xFF)) > 3) return false;
        return true;
    };
    EXPECT_TRUE(within3(system[64 * 20 + 20], 0x555555)) << std::hex << system[64 * 20 + 20];
    int differ = 0;
    for (int y = 1; y < 58; ++y)
        for (int x = 1; x + y < 58; ++x) differ += !within3(own[64 * y + x], system[64 * y + x]);
    EXPECT_EQ(differ, 0);
}

TEST_F(Bitmaps, TheClipboardGetsACopy) {
    const int index = Create(6, 5, kGreen) - 1;
    int status = -1;
    yybitmapclipboard_(&index, &status);
    ASSERT_EQ(status, 0);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HBITMAP got = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(got, nullptr);
    EXPECT_NE(got, gBitmaps[index].handle);
    BITMAP info = {};
    GetObject(got, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 6);
    EXPECT_EQ(info.bmHeight, 5);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, got);
    EXPECT_EQ(static_cast<int>(GetPixel(dc, 3, 3)), kGreen);
    SelectObject(dc, old);
    DeleteDC(dc);
    CloseClipboard();
    const int freeSlot = 12;
    yybitmapclipboard_(&freeSlot, &status);
    EXPECT_EQ(status, 1021);
}

// The next event of a poll, allowing the window system a moment to deliver what was posted.
int NextEvent(QuillEvent *e) {
    int type = -1;
    for (int tries = 0; tries < 200 && type == -1; ++tries) {
        wmessagepeek_(&type, e);
        if (type == -1) Sleep(5);
    }
    return type;
}

// A child window with a client area of WIDTH x HEIGHT pixels, made the current window; its
// slot.
int OpenWindow(const char *title, int width = 120, int height = 90) {
    int x = 20, y = 20, win = 0, none = 0, flags = 7, menu = 0, parent = 0;
    yyopenchild_(&x, &y, &width, &height, &win, &flags, &menu, nullptr, &none, &parent, title);
    if (win > 0) windowselect_(&win);
    return win;
}

void CloseWindow(int win) {
    int none = 0;
    yyclosechild_(&win, &none);
}

// Shows bitmap INDEX in the current window from scroll position X, Y in MODE; the status.
int View(int index, int mode, int x = 0, int y = 0) {
    const int flags = 0;
    int status = -1;
    yybitmapview_(&index, &x, &y, &mode, &flags, &status);
    return status;
}

int ViewerInfo(int win, int item) {
    int value = -1;
    yybitmapinfo_(&win, &item, &value);
    return value;
}

constexpr int kModal = 1, kModeless = 2;

TEST_F(Bitmaps, TheViewerShowsScrollsAndKeepsItsBitmap) {
    const int win = OpenWindow("view");
    ASSERT_GT(win, 0);
    const int index = Create(400, 300, kBlue) - 1;
    ASSERT_EQ(View(index, kModeless, 30), 0);
    auto info = [&](int item) { return ViewerInfo(win, item); };
    EXPECT_EQ(info(3), index + 1);
    EXPECT_EQ(info(4), 30);
    EXPECT_EQ(info(5), 0);
    EXPECT_EQ(info(101), 400);
    EXPECT_EQ(info(102), 300);
    EXPECT_EQ(ViewerInfo(0, 3), 0);  // the root is no viewer
    EXPECT_EQ(Destroy(index), 1036);

    // A key scrolls a page and reports event type 15 (when asked for) with the new position.
    const int scrolls = 15, on = 1, off = 0;
    yyenablemessage_(&scrolls, &on);
    QuillEvent e;
    while (NextEvent(&e) != -1) {
    }
    HWND view = GetDlgItem(wWindow[win], 1001);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(yygetwindowindex(view), win) << "the view is the window's content";
    PostMessageA(view, WM_KEYDOWN, VK_NEXT, 0);
    int type = NextEvent(&e);
    while (type != -1 && type != 15) type = NextEvent(&e);
    ASSERT_EQ(type, 15);
    EXPECT_EQ(e.win, win);
    EXPECT_EQ(e.value1, 30);
    EXPECT_GT(info(5), 0);
    EXPECT_EQ(e.value2, info(5));
    EXPECT_EQ(e.value3, 2);
    yyenablemessage_(&scrolls, &off);

    // A mouse click in the view is the window's event, marked as a bitmap view.
    PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    type = NextEvent(&e);
    while (type != -1 && type != 4) type = NextEvent(&e);
    ASSERT_EQ(type, 4);
    EXPECT_EQ(e.value3, 2);

    // Another bitmap in the same viewer, then the window closes and the bitmap may go.
    const int other = Create(50, 40, kRed) - 1;
    EXPECT_EQ(View(other, kModeless), 0);
    EXPECT_EQ(info(101), 50);
    EXPECT_EQ(Destroy(index), 0);
    CloseWindow(win);
    EXPECT_EQ(Destroy(other), 0);
    // The root window is no child window to show a bitmap in.
    hWinCur = wWindow[0];
    EXPECT_EQ(View(Create(5, 5, kRed) - 1, kModeless), 1);
}

TEST_F(Bitmaps, AModalViewerRunsUntilItsWindowIsClosed) {
    const int win = OpenWindow("modal");
    ASSERT_GT(win, 0);
    const int index = Create(200, 150, kGreen) - 1;
    // The loop holds back the system's caret timer (message 280 with 65526) and dispatches
    // everything else, here a system timer of another id, until the close request.
    MessageRecorder timers(hClient[0], {0x118});
    PostMessageA(hClient[0], 0x118, 0xFFF6, 0);
    PostMessageA(hClient[0], 0x118, 0x1234, 0);
    PostMessageA(wWindow[win], WM_CLOSE, 0, 0);
    EXPECT_EQ(View(index, kModal), 0);
    EXPECT_MESSAGES(timers, {0x118, 0x1234, 0});
    EXPECT_EQ(quill::WindowTypeWord(wWindow[win]), kPlainWindow);  // the window is itself again
    EXPECT_TRUE(IsWindowVisible(hClient[win]));
    EXPECT_EQ(GetDlgItem(wWindow[win], 1001), nullptr);
    EXPECT_EQ(Destroy(index), 0);

    // A hidden window cannot hold a modal viewer: it shows the bitmap without waiting, and
    // the other windows take no snapshots, which no modal loop would give back: they go on
    // painting themselves.
    const int shown = OpenWindow("shown");
    ASSERT_GT(shown, 0);
    windowselect_(&win);
    ShowWindow(wWindow[win], SW_HIDE);
    const int other = Create(20, 20, kRed) - 1;
    EXPECT_EQ(View(other, kModal), 5);
    EXPECT_EQ(quill::WindowTypeWord(wWindow[win]), kViewerWindow);
    EXPECT_EQ(wBlitOn, 0);
    EXPECT_EQ(hImage[shown], nullptr);
    CloseWindow(win);
    CloseWindow(shown);
    EXPECT_EQ(Destroy(other), 0);
}

// A position in the viewer maps through the bitmap it shows: the centre of the bitmap pixel
// under it, in the graphics units over the whole bitmap as the drawable it was drawn as.
TEST_F(Bitmaps, ViewerEventsCarryTheBitmapsGraphicsCoordinates) {
    const float zero = 0, one = 1, four = 4, three = 3;
    igrarea_(&zero, &zero, &one, &one);
    igrunits_(&zero, &zero, &one, &one);
    const int win = OpenWindow("positions", 160, 120);
    ASSERT_GT(win, 0);
    const int index = Create(400, 300, kBlue) - 1;
    ASSERT_EQ(View(index, kModeless, 50), 0);
    auto info = [&](int item) { return ViewerInfo(win, item); };
    ASSERT_EQ(info(4), 50);
    HWND view = GetDlgItem(wWindow[win], 1001);
    ASSERT_NE(view, nullptr);
    RECT visible, client;
    GetClientRect(view, &visible);
    GetClientRect(hClient[win], &client);
    const int page = visible.bottom;  // the rows the view shows
    ASSERT_GT(page, 10);
    ASSERT_LT(page, 300);
    QuillEvent e;
    while (NextEvent(&e) != -1) {
    }

    // A click on the view's bottom-left pixel: bitmap column 50 and the last row shown.
    auto click = [&](int px, int py) {
        PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(px, py));
        PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(px, py));
        int type = NextEvent(&e);
        while (type != -1 && type != 4) type = NextEvent(&e);
        return type;
    };
    const float bottom = static_cast<float>(info(5) + page);  // the bottom of the part shown
    ASSERT_EQ(click(0, page - 1), 4);
    EXPECT_EQ(e.win, win);
    EXPECT_EQ(e.value3, 2);
    EXPECT_NEAR(e.gx, (50 + 0.5f) / 400, 1e-5);
    EXPECT_NEAR(e.gy, (0.5f + 300 - bottom) / 300, 1e-5);
    // The position itself is in window units of the window's client area.
    EXPECT_EQ(e.x, static_cast<int>(0.5 * 9999 / client.right));
    EXPECT_EQ(e.y, static_cast<int>((page - 1 + 0.5) * 9999 / client.bottom));

    // Other units scale the coordinates with them.
    igrunits_(&zero, &zero, &four, &three);
    ASSERT_EQ(click(0, page - 1), 4);
    EXPECT_NEAR(e.gx, 4 * (50 + 0.5f) / 400, 1e-4);
    EXPECT_NEAR(e.gy, 3 * (0.5f + 300 - bottom) / 300, 1e-4);
    ASSERT_EQ(click(100, 0), 4);  // column 150, the first row shown
    EXPECT_NEAR(e.gx, 4 * (150 + 0.5f) / 400, 1e-4);
    EXPECT_NEAR(e.gy, 3 * (300 - info(5) - 0.5f) / 300, 1e-4);

    // A scroll reports type 15 at the view's top-left pixel: its coordinates are those of the
    // bitmap pixel shown there after the scroll.
    const int scrolls = 15, on = 1, off = 0;
    yyenablemessage_(&scrolls, &on);
    PostMessageA(view, WM_KEYDOWN, VK_NEXT, 0);
    int type = NextEvent(&e);
    while (type != -1 && type != 15) type = NextEvent(&e);
    yyenablemessage_(&scrolls, &off);
    ASSERT_EQ(type, 15);
    const int scrolled = info(5);
    EXPECT_GT(scrolled, 0);
    EXPECT_NEAR(e.gx, 4 * (50 + 0.5f) / 400, 1e-4);
    EXPECT_NEAR(e.gy, 3 * (300 - scrolled - 0.5f) / 300, 1e-4);

    igrunits_(&zero, &zero, &one, &one);
    CloseWindow(win);
    EXPECT_EQ(Destroy(index), 0);
}

// Focus given to a viewer's frame makes its window the library's current window, as for any
// window, and the keys go to the view.
TEST_F(Bitmaps, AFocusedViewerWindowBecomesCurrent) {
    const int other = OpenWindow("other"), win = OpenWindow("viewer");
    ASSERT_GT(win, 0);
    ASSERT_GT(other, 0);
    const int index = Create(300, 200, kGreen) - 1;
    ASSERT_EQ(View(index, kModeless), 0);
    windowselect_(&other);
    ASSERT_EQ(hWinCur, wWindow[other]);
    SendMessageA(wWindow[win], WM_SETFOCUS, 0, 0);
    EXPECT_EQ(hWinCur, wWindow[win]);
    EXPECT_EQ(GetFocus(), GetDlgItem(wWindow[win], 1001));
    CloseWindow(other);
    CloseWindow(win);
    EXPECT_EQ(Destroy(index), 0);
}

// What the modal viewer's loop saw, written by its timer.
struct ModalRun {
    int other = -1, win = -1;
    bool otherEnabled = true, otherSnapshot = false, statusBar = true;
} gRun;

void CALLBACK LookThenClose(HWND frame, UINT, UINT_PTR id, DWORD) {
    KillTimer(frame, id);
    gRun.otherEnabled = IsWindowEnabled(wWindow[gRun.other]) != FALSE;
    gRun.otherSnapshot = hImage[gRun.other] != nullptr;
    gRun.statusBar = wMessLine[gRun.win] != nullptr;
    PostMessageA(frame, WM_CLOSE, 0, 0);
}

// A viewer takes over only a window that no other window lies in or belongs to, since it
// hides the window's client area. Unless modeless it disables the other windows while it
// lasts; a modal one does away with the window's status bar and has the other windows paint
// from snapshots while it runs.
TEST_F(Bitmaps, AViewerTakesItsWindowOverAndGivesTheOthersBack) {
    auto open = [](int flags, int parent) {
        int x = 10, y = 10, width = 100, height = 80, win = 0, none = 0, menu = 0;
        yyopenchild_(&x, &y, &width, &height, &win, &flags, &menu, nullptr, &none, &parent, "w");
        return win;
    };
    const int index = Create(60, 40, kRed) - 1;
    const int outer = OpenWindow("outer");
    ASSERT_GT(outer, 0);
    for (const int dependant : {7 | 16, 7 | 256}) {  // a window inside it, a window it owns
        const int other = open(dependant, outer);
        ASSERT_GT(other, 0);
        windowselect_(&outer);
        EXPECT_EQ(View(index, kModeless), 9) << dependant;
        EXPECT_EQ(quill::WindowTypeWord(wWindow[outer]), kPlainWindow);
        EXPECT_TRUE(IsWindowVisible(hClient[outer]));
        CloseWindow(other);
    }

    // Modeless leaves the other windows alone, semi-modal disables them until it closes.
    windowselect_(&outer);
    const int other = outer, statusBar = 7 | 32;
    int win = open(statusBar, 0);
    ASSERT_GT(win, 0);
    windowselect_(&win);
    ASSERT_EQ(View(index, kModeless), 0);
    EXPECT_TRUE(IsWindowEnabled(wWindow[other]));
    EXPECT_NE(wMessLine[win], nullptr) << "the status bar stays";
    CloseWindow(win);
    win = open(statusBar, 0);
    windowselect_(&win);
    ASSERT_EQ(View(index, 3), 0);
    EXPECT_FALSE(IsWindowEnabled(wWindow[other]));
    CloseWindow(win);
    EXPECT_TRUE(IsWindowEnabled(wWindow[other]));

    win = open(statusBar, 0);
    windowselect_(&win);
    gRun = ModalRun{other, win};
    SetTimer(wWindow[win], 77, 50, LookThenClose);
    EXPECT_EQ(View(index, kModal), 0);
    EXPECT_FALSE(gRun.otherEnabled);
    EXPECT_TRUE(gRun.otherSnapshot);
    EXPECT_FALSE(gRun.statusBar);
    EXPECT_TRUE(IsWindowEnabled(wWindow[other]));
    EXPECT_EQ(hImage[other], nullptr) << "the snapshot is given back";
    EXPECT_EQ(wBlitOn, 0);
    EXPECT_EQ(quill::WindowTypeWord(wWindow[win]), kPlainWindow);
    CloseWindow(win);
    CloseWindow(outer);
    EXPECT_EQ(Destroy(index), 0);
}

}  // namespace
