// What both search programs do at start-up and close: initialise, open the root window
// hidden, load the main dialog with its attribute block, show it modeless, take push-button
// events from the waiting dispatcher, poll, and close the library cleanly.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/dialogs.h"
#include "core/startup.h"
#include "quillamorph.h"

namespace {

constexpr int kDialog = 205, kStart = 260, kExit = 261;

TEST(ProgramStartup, ModelessDialogOnAHiddenRootGivesButtonEvents) {
    winitialise_(nullptr, 0);
    int flags = 128;
    windowopen2_(&flags, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr, 0);
    ASSERT_NE(wWindow[0], nullptr);
    EXPECT_FALSE(IsWindowVisible(wWindow[0]));

    int id = kDialog, type = 2;
    wdialogload_(&id);
    int one = 1;
    EXPECT_EQ(infoerror_(&one), 0);
    wdialogshow_(nullptr, nullptr, nullptr, &type);
    EXPECT_EQ(infoerror_(&one), 0);
    HWND dialog = quill::CurrentDialogWindow();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog));

    // Nothing pending: a poll says so at once.
    int itype = 0;
    QuillEvent e;
    for (int i = 0; i < 50 && itype != -1; ++i) wmessagepeek_(&itype, &e);
    EXPECT_EQ(itype, -1);

    // Start pressed: the waiting dispatcher returns a push-button event of the dialog.
    PostMessageA(GetDlgItem(dialog, kStart), BM_CLICK, 0, 0);
    wmessage_(&itype, &e);
    EXPECT_EQ(itype, 3);
    EXPECT_EQ(e.win, kDialog);
    EXPECT_EQ(e.value1, kStart);

    // While a search runs it polls; a press arrives through the poll as well.
    PostMessageA(GetDlgItem(dialog, kExit), BM_CLICK, 0, 0);
    int seen = -1;
    for (int i = 0; i < 50 && seen != 3; ++i) {
        wmessagepeek_(&itype, &e);
        if (itype == 3) seen = 3;
    }
    EXPECT_EQ(seen, 3);
    EXPECT_EQ(e.value1, kExit);

    HWND root = wWindow[0];
    windowclose_();
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_FALSE(IsWindow(root));
    EXPECT_EQ(nDialogs, 0);
    EXPECT_EQ(hDlgCur, nullptr);
    EXPECT_EQ(wWindow[0], nullptr);

    // The library can open its root window again after the close.
    windowopen2_(&flags, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr, 0);
    EXPECT_NE(wWindow[0], nullptr);
    windowclose_();
}

}  // namespace
