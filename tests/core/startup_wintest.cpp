// Library start-up under Wine: the root window, its classes and sizes, and the close.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "core/startup.h"
#include "quillamorph.h"

namespace {

std::string ClassOf(HWND w) {
    char name[64] = "";
    GetClassNameA(w, name, sizeof name);
    return name;
}

struct RootWindow : ::testing::Test {
    void TearDown() override { windowclose_(); }
};

TEST_F(RootWindow, HiddenRootHasEightyPercentClientCentred) {
    winitialise_(nullptr, 0);
    int flags = 128;
    windowopen2_(&flags, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr, 0);
    HWND root = wWindow[0];
    ASSERT_NE(root, nullptr);
    ASSERT_NE(hClient[0], nullptr);
    EXPECT_EQ(ClassOf(root), "QUILLAMORPH");
    EXPECT_EQ(ClassOf(hClient[0]), "RAVOZUVIZA");
    EXPECT_FALSE(IsWindowVisible(root));
    EXPECT_EQ(wHideRoot, 1);
    EXPECT_EQ(yyrootstatusbar(), nullptr);

    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    RECT c;
    GetClientRect(hClient[0], &c);
    EXPECT_EQ(c.right, screenW * 80 / 100);
    EXPECT_EQ(c.bottom, screenH * 80 / 100);
    RECT f;
    GetWindowRect(root, &f);
    EXPECT_NEAR((f.left + f.right) / 2, screenW / 2, 1);
    EXPECT_NEAR((f.top + f.bottom) / 2, screenH / 2, 1);
    EXPECT_EQ(yygetwindowindex(root), 0);
    EXPECT_EQ(yygetwindowindex(hClient[0]), 0);
    EXPECT_EQ(yygetwindowindex(GetDesktopWindow()), -1);

    // A second open while the first stands changes nothing.
    int other = 7, width = 300, height = 200;
    windowopen2_(&other, nullptr, nullptr, &width, &height, nullptr, nullptr, nullptr, nullptr,
                 nullptr, 0);
    EXPECT_EQ(wWindow[0], root);
    EXPECT_FALSE(IsWindowVisible(root));

    windowclose_();
    EXPECT_FALSE(IsWindow(root));
    EXPECT_EQ(wWindow[0], nullptr);
    EXPECT_EQ(hClient[0], nullptr);
}

TEST_F(RootWindow, VisibleRootWithStatusBarAndTitle) {
    int flags = 7 | 0x20, x = 50, y = 60, width = 400, height = 300;
    const char title[] = "Quill test      ";
    windowopen2_(&flags, &x, &y, &width, &height, nullptr, nullptr, nullptr, title, nullptr,
                 sizeof title - 1);
    HWND root = wWindow[0];
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(IsWindowVisible(root));
    char caption[64];
    GetWindowTextA(root, caption, sizeof caption);
    EXPECT_STREQ(caption, "Quill test");
    HWND bar = yyrootstatusbar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetDlgCtrlID(bar), kStatusBarId);
    RECT c, b;
    GetClientRect(hClient[0], &c);
    EXPECT_EQ(c.right, 400);
    EXPECT_EQ(c.bottom, 300);
    // The status bar lies below the client area, inside the frame.
    GetWindowRect(bar, &b);
    POINT clientBottom = {0, c.bottom};
    ClientToScreen(hClient[0], &clientBottom);
    EXPECT_LE(clientBottom.y, b.top);
    RECT f;
    GetWindowRect(root, &f);
    EXPECT_EQ(f.left, 50);
    EXPECT_EQ(f.top, 60);
    EXPECT_EQ(wColor[9], 0x0000FFu);
    EXPECT_EQ(wColor[15], 0xFFFFFFu);
}

TEST(Environment, VariableThatDoesNotFitIsRefusedBlank) {
    SetEnvironmentVariableA("QUILL_TEST_VALUE", "abcdef");
    char value[6];
    const char name[] = "  QUILL_TEST_VALUE  ";
    iosvariable_(name, value, sizeof name - 1, sizeof value);
    EXPECT_EQ(std::string(value, 6), "abcdef");
    char small[5];
    iosvariable_(name, small, sizeof name - 1, sizeof small);
    EXPECT_EQ(std::string(small, 5), "     ");
    char unset[4];
    const char missing[] = "QUILL_TEST_UNSET";
    iosvariable_(missing, unset, sizeof missing - 1, sizeof unset);
    EXPECT_EQ(std::string(unset, 4), "    ");
}

TEST(Version, ItemTwoIsTheLibraryVersion) {
    char text[8];
    int item = 2;
    infoversion_(text, &item, sizeof text);
    EXPECT_EQ(std::string(text, 8), "5.0b    ");
    item = 1;
    infoversion_(text, &item, sizeof text);
    EXPECT_EQ(std::string(text, 8), "        ");
}

}  // namespace
