// Window snapshots under Wine: a visible library window keeps its drawing while modal work
// runs, gets it back afterwards without an expose event, and nested takes give the snapshot
// back only with the last give.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/dialogs.h"
#include "core/fields.h"
#include "core/startup.h"
#include "quillamorph.h"
#include "library_root.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

void Fill(HWND window, COLORREF colour) {
    HDC dc = GetDC(window);
    RECT r;
    GetClientRect(window, &r);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

COLORREF Pixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

// Runs the window system's own loop (as a modal dialog would) until the queue is empty.
void PumpLikeModalWork() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void Snapshots(int mode) {
    int status = -1, leave = -1;
    yygetwindowbitmap_(&mode, &leave, &status);
    EXPECT_EQ(status, 0);
}

class Snapshot : public ::testing::Test {
protected:
    void SetUp() override {
        OpenLibraryRoot(7, 200, 120);
        client = hClient[0];
        ASSERT_NE(client, nullptr);
        ASSERT_TRUE(IsWindowVisible(wWindow[0]));
        // Let the window settle: its first paints and resizes are reported and read.
        PumpLikeModalWork();
        int type = 0;
        QuillEvent event;
        do wmessagepeek_(&type, &event);
        while (type != -1);
    }
    void TearDown() override { windowclose_(); }
    HWND client = nullptr;
};

TEST_F(Snapshot, WindowKeepsItsDrawingAndGetsNoExposeEvent) {
    Fill(client, kRed);
    EXPECT_EQ(Pixel(client, 10, 10), kRed);

    Snapshots(1);
    EXPECT_NE(hImage[0], nullptr);
    EXPECT_EQ(nImage[0], 1);
    EXPECT_EQ(wBlitOn, 1);

    // While modal work runs the window is covered and uncovered: it repaints from its
    // snapshot, not by an expose event.
    Fill(client, kBlue);
    InvalidateRect(client, nullptr, TRUE);
    PumpLikeModalWork();
    EXPECT_EQ(Pixel(client, 10, 10), kRed);

    Fill(client, kBlue);
    Snapshots(0);
    EXPECT_EQ(hImage[0], nullptr);
    EXPECT_EQ(nImage[0], 0);
    EXPECT_EQ(wBlitOn, 0);
    EXPECT_EQ(Pixel(client, 10, 10), kRed) << "the snapshot is put back";
    EXPECT_EQ(Pixel(client, 150, 100), kRed);
    EXPECT_FALSE(GetUpdateRect(client, nullptr, FALSE));

    int type = 0;
    QuillEvent event;
    wmessagepeek_(&type, &event);
    EXPECT_EQ(type, -1) << "no expose event follows the modal work";
}

TEST_F(Snapshot, NestedModalWorkGivesBackWithTheLastGive) {
    Fill(client, kRed);
    Snapshots(1);
    Fill(client, kBlue);
    Snapshots(1);  // modal work inside modal work
    EXPECT_EQ(nImage[0], 2);

    Snapshots(0);  // the inner work ends
    EXPECT_EQ(nImage[0], 1);
    EXPECT_NE(hImage[0], nullptr);
    EXPECT_EQ(wBlitOn, 1) << "the outer work still runs";
    EXPECT_EQ(Pixel(client, 10, 10), kBlue) << "nothing put back yet";

    Snapshots(0);  // the outer work ends
    EXPECT_EQ(nImage[0], 0);
    EXPECT_EQ(hImage[0], nullptr);
    EXPECT_EQ(wBlitOn, 0);
    EXPECT_EQ(Pixel(client, 10, 10), kRed);
}

TEST_F(Snapshot, WindowLeftAloneAndHiddenWindowsTakeNone) {
    int take = 1, give = 0, leave = 0, status = -1;
    yygetwindowbitmap_(&take, &leave, &status);
    EXPECT_EQ(hImage[0], nullptr) << "the slot the caller leaves alone";
    yygetwindowbitmap_(&give, &leave, &status);

    ShowWindow(wWindow[0], SW_HIDE);
    Snapshots(1);
    EXPECT_EQ(hImage[0], nullptr) << "a hidden window has nothing to keep";
    Snapshots(0);
    EXPECT_EQ(wBlitOn, 0);
}

TEST_F(Snapshot, ADialogTheProgramDrawsInRepaintsFromItsSnapshot) {
    int plain = 305, x = -1, y = -1, focus = 0, modeless = 2;
    wdialogload_(&plain);
    wdialogshow_(&x, &y, &focus, &modeless);
    HWND dialog = quill::CurrentDialogWindow();
    ASSERT_NE(dialog, nullptr);
    quill::DialogRecordOf(dialog)->reportMouse = 1;  // as when the program has drawn into it
    PumpLikeModalWork();
    Fill(dialog, kRed);

    Snapshots(1);
    Fill(dialog, kBlue);
    RECT corner = {0, 0, 4, 4};
    InvalidateRect(dialog, &corner, FALSE);
    PumpLikeModalWork();
    EXPECT_EQ(Pixel(dialog, 1, 1), kRed);
    int type = 0;
    QuillEvent event;
    wmessagepeek_(&type, &event);
    EXPECT_EQ(type, -1) << "no expose event while the snapshot is in force";
    Snapshots(0);
}

}  // namespace
