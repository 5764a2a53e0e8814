// Loading, selecting, showing and unloading dialogs through the public routines, modeless
// events, modal dialogs driven by a thread timer, and the dialog table's bookkeeping.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "core/dialogs.h"
#include "core/events.h"
#include "core/numeric_edit.h"
#include "library_root.h"
#include "quillamorph.h"
#include "error_status.h"
#include "messages.h"

namespace {

const int kNumeric = 301, kEvery = 302, kPlain = 305;

std::string Text(HWND w) {
    char text[256] = {0};
    GetWindowTextA(w, text, sizeof text);
    return text;
}

class Dialogs : public LibraryRoot {
protected:
    void Load(int id) {
        wdialogload_(&id);
        ASSERT_EQ(LastError(), 0) << "loading " << id;
    }
    void Show(int type) { wdialogshow_(nullptr, nullptr, nullptr, &type); }
    HWND Current() { return quill::CurrentDialogWindow(); }
    HWND Field(int id) { return GetDlgItem(Current(), id); }
};

TEST_F(Dialogs, TheTableHoldsAHundredDialogs) {
    for (int id = 3000; id < 3100; ++id) Load(id);
    EXPECT_EQ(nDialogs, 100);
    int extra = 3100;
    wdialogload_(&extra);
    EXPECT_EQ(LastError(), 1007);
    EXPECT_EQ(nDialogs, 100);
    int current = 3;
    EXPECT_EQ(winfodialog_(&current), 3099);  // the last one loaded stays current
    // With one unloaded there is room again.
    wdialogunload_(nullptr);
    Load(3100);
    EXPECT_EQ(nDialogs, 100);
}

TEST_F(Dialogs, LoadingTwiceLoadsOnceAndMakesItCurrentAgain) {
    Load(kNumeric);
    Load(kPlain);
    EXPECT_EQ(nDialogs, 2);
    Load(kNumeric);
    EXPECT_EQ(nDialogs, 2);
    EXPECT_EQ(quill::DialogRecordOf(Current())->id, kNumeric);
    EXPECT_FALSE(IsWindowVisible(Current()));  // loaded dialogs stay hidden
}

TEST_F(Dialogs, ErrorsOfLoadSelectShowAndUnload) {
    int missing = 399;
    wdialogload_(&missing);
    EXPECT_EQ(LastError(), 1007);
    EXPECT_EQ(nDialogs, 0);
    wdialogselect_(&missing);
    EXPECT_EQ(LastError(), 1008);
    Show(2);
    EXPECT_EQ(LastError(), 1005);
    wdialogunload_(nullptr);
    EXPECT_EQ(LastError(), 1005);
    Load(kPlain);
    int plain = kPlain;
    wdialogselect_(&plain);
    EXPECT_EQ(LastError(), 0);
}

TEST_F(Dialogs, UnloadingTheCurrentDialogLeavesNoCurrentDialog) {
    Load(kNumeric);
    HWND dialog = Current();
    wdialogunload_(nullptr);
    EXPECT_EQ(LastError(), 0);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(nDialogs, 0);
    EXPECT_EQ(iDlgCur, 0);
    Show(2);
    EXPECT_EQ(LastError(), 1005);
}

TEST_F(Dialogs, UnloadingADialogBelowTheCurrentKeepsTheCurrentDialog) {
    Load(kNumeric);
    Load(kPlain);
    Load(kEvery);  // also loads its two tab pages
    int plain = kPlain;
    wdialogselect_(&plain);
    HWND current = Current();
    int option = 0, slot = 1;  // the first dialog, below the current one
    yydialogunload_(&option, &slot);
    EXPECT_EQ(Current(), current);
    EXPECT_EQ(quill::DialogRecordOf(Current())->id, kPlain);
    EXPECT_EQ(yydialogfind(kNumeric), -1);
}

TEST_F(Dialogs, UnloadingWithOptionZeroUnloadsTheTabPagesToo) {
    Load(kEvery);
    EXPECT_EQ(nDialogs, 3);
    int option = 1;
    wdialogunload_(&option);
    EXPECT_EQ(nDialogs, 2);  // the pages stay
    Load(kEvery);
    wdialogunload_(nullptr);
    EXPECT_EQ(nDialogs, 0);
}

TEST_F(Dialogs, ModelessPushButtonIsAnEventAndPollingFindsNothingAfterIt) {
    Load(kNumeric);
    Show(2);
    EXPECT_EQ(LastError(), 0);
    EXPECT_TRUE(IsWindowVisible(Current()));
    PostMessageA(Field(320), BM_CLICK, 0, 0);
    auto [type, event] = NextEvent();
    EXPECT_EQ(type, 3);
    EXPECT_EQ(event.win, kNumeric);
    EXPECT_EQ(event.value1, 320);
    int info = 1, value = 0;
    yywinfodialog_(&info, &value);
    EXPECT_EQ(value, 320);
    Pump();
    wmessagepeek_(&type, &event);
    EXPECT_EQ(type, -1);
    EXPECT_EQ(event.value1, -1);
}

TEST_F(Dialogs, ModelessCheckBoxGivesAFieldChangeNotAPushButton) {
    Load(kEvery);
    Show(2);
    int ten = 10, on = 1;
    yyenablemessage_(&ten, &on);
    PostMessageA(Field(335), BM_CLICK, 0, 0);
    auto [type, event] = NextEvent();
    EXPECT_EQ(type, 10);
    EXPECT_EQ(event.win, kEvery);
    EXPECT_EQ(event.value2, 335);
    Pump();
    wmessagepeek_(&type, &event);
    EXPECT_NE(type, 3);
}

TEST_F(Dialogs, SpinArrowsStepTheBuddyField) {
    Load(kNumeric);
    HWND field = Field(311);
    FieldRecord *record = quill::FieldRecordOf(field);
    ASSERT_NE(record, nullptr);
    ASSERT_NE(record->upDown, nullptr);
    auto spin = [&](int delta) {
        NMUPDOWN change = {};
        change.hdr.hwndFrom = record->upDown;
        change.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(record->upDown));
        change.hdr.code = static_cast<UINT>(UDN_DELTAPOS);
        change.iDelta = delta;
        return SendMessageA(Current(), WM_NOTIFY, change.hdr.idFrom,
                            reinterpret_cast<LPARAM>(&change));
    };
    EXPECT_EQ(Text(field), "7");
    EXPECT_NE(spin(5), 0);  // the up-down's own change is cancelled
    EXPECT_EQ(Text(field), "10");
    SetWindowTextA(field, "19");
    SendMessageA(field, EM_SETMODIFY, TRUE, 0);
    spin(5);
    EXPECT_EQ(Text(field), "20");  // clamped to the range 0..20
    spin(1);
    EXPECT_EQ(Text(field), "20");
    record->step = 0;
    spin(1);
    EXPECT_EQ(Text(field), "20");
}

// A thread timer runs inside the modal loop and plays the user: one step of gSteps a tick, on
// the modal copy of the dialog, until every step has run.
std::vector<std::function<void(HWND copy)>> gSteps;
std::size_t gStep = 0;

void CALLBACK PlaySteps(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND copy = hDialogList[0];
    if (!copy) return;
    if (gStep + 1 >= gSteps.size()) KillTimer(nullptr, timer);
    if (gStep < gSteps.size()) gSteps[gStep++](copy);
}

// Shows the numeric dialog modal while STEPS play the user on its copy.
void RunModal(std::vector<std::function<void(HWND copy)>> steps) {
    int id = kNumeric, type = 1;
    wdialogload_(&id);
    ASSERT_EQ(LastError(), 0) << "loading " << id;
    gSteps = std::move(steps);
    gStep = 0;
    SetTimer(nullptr, 0, 50, PlaySteps);
    wdialogshow_(nullptr, nullptr, nullptr, &type);
}

// A click of push button ID of the modal copy, as the button reports it.
void Click(HWND copy, int id) {
    PostMessageA(copy, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(copy, id)));
}

int DialogInfo(int item) {
    int value = 0;
    yywinfodialog_(&item, &value);
    return value;
}

TEST_F(Dialogs, ModalDialogClosesOnAnyPushButtonAndIsCopiedBack) {
    RunModal({[](HWND copy) {
        SetWindowTextA(GetDlgItem(copy, 310), "8");
        Click(copy, 320);
    }});
    EXPECT_EQ(LastError(), 0);
    EXPECT_EQ(hDialogList[0], nullptr);
    EXPECT_EQ(Text(Field(310)), "8");
    EXPECT_EQ(DialogInfo(1), 320);
    EXPECT_EQ(DialogInfo(3), kNumeric);
    EXPECT_FALSE(IsWindowVisible(Current()));
}

TEST_F(Dialogs, OkIsRefusedForABadValueAndCancelRestoresTheLastGoodOne) {
    std::string seen;
    RunModal({[](HWND copy) {
                  // The field gets the focus (recording its last good value), is given a value
                  // outside its range 1..10 and is left for a push button, which then decides.
                  HWND field = GetDlgItem(copy, 310);
                  StoreVal = 1;
                  SendMessageA(field, WM_SETFOCUS, 0, 0);
                  SetWindowTextA(field, "11");
                  hBadVal = field;
                  Click(copy, IDOK);
              },
              [&seen](HWND copy) {
                  HWND field = GetDlgItem(copy, 310);
                  seen = Text(field);  // OK refused: still open with the bad text
                  hBadVal = field;     // left again, for Cancel this time
                  Click(copy, IDCANCEL);
              }});
    EXPECT_EQ(gStep, 2u);
    EXPECT_EQ(seen, "11");
    EXPECT_EQ(Text(Field(310)), "5");
    EXPECT_EQ(DialogInfo(1), IDCANCEL);
}

TEST_F(Dialogs, TypeThreeDisablesTheOthersUntilHidden) {
    Load(kNumeric);
    Show(2);
    HWND first = Current();
    Load(kPlain);
    Show(3);
    EXPECT_EQ(LastError(), 0);
    EXPECT_FALSE(IsWindowEnabled(first));
    EXPECT_TRUE(IsWindowEnabled(Current()));
    // Another modeless dialog while a type 3 one is up is shown as type 3.
    Load(kEvery);
    Show(2);
    EXPECT_EQ(LastError(), 1014);
    EXPECT_EQ(nSemi, 2);
    int slot = 0;
    yydialoghide_(&slot);
    int plain = kPlain;
    wdialogselect_(&plain);
    yydialoghide_(&slot);
    EXPECT_EQ(nSemi, 0);
    EXPECT_TRUE(IsWindowEnabled(first));
}

TEST_F(Dialogs, ATabPageCannotBeHiddenOnItsOwn) {
    Load(kEvery);
    Show(2);
    int page = 303;
    wdialogselect_(&page);
    wdialogunload_(nullptr);
    EXPECT_EQ(LastError(), 1069);
    EXPECT_NE(yydialogfind(303), -1);
}

// Dialog 302's tab control 339 shows page 303 on its first tab and 304 on its second, which is
// selected when the dialog is loaded.
constexpr int kTab = 339, kFirstPage = 303, kSecondPage = 304;

HWND PageWindow(int page) { return hDialogList[yydialogfind(page)]; }

TEST_F(Dialogs, SettingTheTabShowsItsPageInPlaceOfTheOld) {
    Load(kEvery);
    Show(2);
    HWND tab = Field(kTab);
    ASSERT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
    int id = kTab, page = kFirstPage;
    yydialogsettab_(&id, &page);
    EXPECT_EQ(id, kTab);
    EXPECT_EQ(page, kFirstPage);
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(IsWindowVisible(PageWindow(kFirstPage)));
    EXPECT_FALSE(IsWindowVisible(PageWindow(kSecondPage)));
    EXPECT_EQ(GetParent(PageWindow(kFirstPage)), Current()) << "the page lies in the dialog";
    yydialogsettab_(&id, &page);  // already selected: nothing changes
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(IsWindowVisible(PageWindow(kFirstPage)));
    page = kSecondPage;
    yydialogsettab_(&id, &page);
    EXPECT_EQ(page, kSecondPage);
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(IsWindowVisible(PageWindow(kSecondPage)));
    EXPECT_FALSE(IsWindowVisible(PageWindow(kFirstPage)));

    // No tab shows page 305; field 332 is no tab control; field 398 does not exist.
    page = kPlain;
    yydialogsettab_(&id, &page);
    EXPECT_EQ(page, -1);
    EXPECT_EQ(id, kTab);
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
    for (int other : {332, 398}) {
        id = other;
        page = kSecondPage;
        yydialogsettab_(&id, &page);
        EXPECT_EQ(id, -1) << other;
        EXPECT_EQ(page, kSecondPage) << other;
    }
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
}

// The selected page shows with the dialog, which is not yet shown when its pages are set up.
TEST_F(Dialogs, AShownDialogShowsTheSelectedTabPage) {
    Load(kEvery);
    Show(2);
    EXPECT_TRUE(IsWindowVisible(PageWindow(kSecondPage)));
    EXPECT_FALSE(IsWindowVisible(PageWindow(kFirstPage)));
}

TEST_F(Dialogs, ATabOfAHiddenDialogIsSelectedWithoutShowingItsPage) {
    Load(kEvery);
    int id = kTab, page = kFirstPage;
    yydialogsettab_(&id, &page);
    EXPECT_EQ(page, kFirstPage);
    EXPECT_EQ(SendMessageA(Field(kTab), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_FALSE(IsWindowVisible(PageWindow(kFirstPage)));
}

TEST_F(Dialogs, ADisabledTabCannotBeSetUntilEnabledAgain) {
    Load(kEvery);
    Show(2);
    HWND tab = Field(kTab);
    int id = kTab, page = kFirstPage, state = 0;
    yytabenable_(&id, &page, &state);
    EXPECT_EQ(id, kTab);
    EXPECT_EQ(page, kFirstPage);
    EXPECT_EQ(quill::TabPageDisabled(tab, 0), 1);
    EXPECT_EQ(quill::TabPageDisabled(tab, 1), 0) << "only the tab of that page";
    yydialogsettab_(&id, &page);
    EXPECT_EQ(page, -1) << "no enabled tab shows the page";
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_FALSE(IsWindowVisible(PageWindow(kFirstPage)));

    page = kFirstPage;
    state = 1;
    yytabenable_(&id, &page, &state);
    EXPECT_EQ(quill::TabPageDisabled(tab, 0), 0);
    yydialogsettab_(&id, &page);
    EXPECT_EQ(page, kFirstPage);
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0);

    // Disabling the selected tab leaves it selected; a page no tab shows, a field that is no
    // tab control and a missing field are reported.
    page = kFirstPage;
    state = 0;
    yytabenable_(&id, &page, &state);
    EXPECT_EQ(quill::TabPageDisabled(tab, 0), 1);
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0);
    page = kPlain;
    yytabenable_(&id, &page, &state);
    EXPECT_EQ(page, -1);
    for (int other : {332, 398}) {
        id = other;
        page = kSecondPage;
        yytabenable_(&id, &page, &state);
        EXPECT_EQ(id, -1) << other;
        EXPECT_EQ(quill::TabPageDisabled(tab, 1), 0) << other;
    }
}

TEST_F(Dialogs, AChildDialogIsNotShownWhileTheRootIsHidden) {
    Load(303);  // a child dialog (a tab page template) loaded on its own
    Show(2);
    EXPECT_EQ(LastError(), 1016);
    EXPECT_FALSE(IsWindowVisible(Current()));
    EXPECT_EQ(quill::DialogRecordOf(Current())->shown, 0);
}

TEST_F(Dialogs, ProgramStartUpSequence) {
    // What both programs do: load the main dialog with its attributes, show it modeless, wait
    // for a push button, poll once per step, and close the library.
    Load(kNumeric);
    Show(2);
    ASSERT_EQ(LastError(), 0);
    EXPECT_EQ(quill::FieldRecordOf(Field(310))->maximum, 10.0);  // from the attribute block
    PostMessageA(Field(IDOK), BM_CLICK, 0, 0);
    int type = 0;
    QuillEvent event;
    do wmessage_(&type, &event);
    while (type != 3);
    EXPECT_EQ(event.value1, IDOK);
    for (int i = 0; i < 3; ++i) wmessagepeek_(&type, &event);
    EXPECT_EQ(type, -1);
}

}  // namespace
