// The Wine test environment the GUI tests rely on: a 32-bit true-colour display of 1280x1024
// at 96 dpi, windows that can be created and shown, and messages that reach them.
#include <gtest/gtest.h>
#include <windows.h>

TEST(Harness, DisplayIsTrueColour1280x1024At96Dpi) {
    HDC dc = GetDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 1280);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 1024);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    ReleaseDC(nullptr, dc);
}

TEST(Harness, PostedMessageReachesAWindow) {
    HWND w = CreateWindowExA(0, "STATIC", "harness", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200,
                             100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(w, nullptr);
    PostMessageA(w, WM_APP + 7, 0, 0);
    MSG msg;
    bool seen = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_APP + 7 && msg.hwnd == w) seen = true;
        DispatchMessageA(&msg);
    }
    EXPECT_TRUE(seen);
    EXPECT_TRUE(DestroyWindow(w));
}
