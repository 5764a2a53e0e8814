// The dialog procedure, the control subclasses and the dialog services under Wine: grid cell
// changes as field changes, resizing a dialog, the pointer over a field the program draws in,
// the range check against the root and other windows, what a modal show does around it, and
// the loaded dialog going away while its modal copy runs.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "core/childwindows.h"
#include "core/dialogs.h"
#include "core/display.h"
#include "core/events.h"
#include "core/fields.h"
#include "core/numeric_edit.h"
#include "core/numeric_values.h"
#include "core/startup.h"
#include "library_root.h"
#include "quillamorph.h"
#include "error_status.h"
#include "messages.h"

namespace {

const int kDialog = 750;
const int kDrawn = 751, kTrack = 752, kPlainEdit = 753, kReadOnly = 754, kDisabled = 755;
const int kNumber = 758, kList = 759;

class DialogProcedure : public LibraryRoot {
protected:
    void SetUp() override {
        LibraryRoot::SetUp();
        int id = kDialog;
        wdialogload_(&id);
        ASSERT_EQ(LastError(), 0);
    }
    void TearDown() override {
        for (int slot = 1; slot <= 20; ++slot) {
            int win = slot, none = 0;
            if (wWindow[slot]) yyclosechild_(&win, &none);
        }
        LibraryRoot::TearDown();
    }
    void Show(int type) { wdialogshow_(nullptr, nullptr, nullptr, &type); }
    HWND Dialog() { return quill::CurrentDialogWindow(); }
    HWND Field(int id) { return GetDlgItem(Dialog(), id); }
    void EnableFieldChanges() {
        int ten = 10, on = 1;
        yyenablemessage_(&ten, &on);
    }
    int OpenChild() {
        int x = 20, y = 20, w = 200, h = 100, win = 0, flags = 128, menu = 0, none = 0, parent = 0;
        yyopenchild_(&x, &y, &w, &h, &win, &flags, &menu, nullptr, &none, &parent, "child");
        return win;
    }
};

TEST_F(DialogProcedure, GridCellChangeIsAFieldChangeWithTheNewCell) {
    Show(2);
    EnableFieldChanges();
    const int cell = 3 * 262144 + 5;
    PostMessageA(Dialog(), RegisterWindowMessageA("GM_CELLCHANGE"), kDrawn, cell);
    int type = 0;
    QuillEvent event;
    wmessage_(&type, &event);
    EXPECT_EQ(type, 10);
    EXPECT_EQ(event.win, kDialog);
    EXPECT_EQ(event.value2, kDrawn);
    EXPECT_EQ(event.y, cell);
    int item = 1, value = 0;
    yywinfodialog_(&item, &value);
    EXPECT_EQ(value, kDrawn);
}

TEST_F(DialogProcedure, TrackBarDeleteClearsTheSelectionAndIsAFieldChange) {
    Show(2);
    HWND track = Field(kTrack);
    SendMessageA(track, TBM_SETSEL, TRUE, MAKELPARAM(20, 40));
    Pump();
    EnableFieldChanges();
    PostMessageA(track, WM_KEYDOWN, VK_DELETE, 1);
    int type = 0;
    QuillEvent event;
    wmessage_(&type, &event);
    EXPECT_EQ(type, 10);
    EXPECT_EQ(event.value2, kTrack);
    EXPECT_EQ(event.y, -1);
    EXPECT_EQ(SendMessageA(track, TBM_GETSELSTART, 0, 0), SendMessageA(track, TBM_GETSELEND, 0, 0));
    // The track bar is the dialog's last field used.
    EXPECT_EQ(quill::DialogRecordOf(Dialog())->focusControl, track);
}

TEST_F(DialogProcedure, FieldDrawnByTheProgramShowsTheProgramsPointer) {
    HWND drawn = Field(kDrawn);
    HCURSOR saved = hCurrentCursor;
    hCurrentCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32515));  // IDC_CROSS
    LRESULT handled = SendMessageA(drawn, WM_SETCURSOR, reinterpret_cast<WPARAM>(drawn),
                                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_TRUE(handled);
    EXPECT_EQ(GetCursor(), hCurrentCursor);
    // Without a pointer of the program's own the field keeps the standard one.
    hCurrentCursor = nullptr;
    SetCursor(nullptr);
    SendMessageA(drawn, WM_SETCURSOR, reinterpret_cast<WPARAM>(drawn),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(32515)));
    hCurrentCursor = saved;
}

TEST_F(DialogProcedure, ResizedFieldsComeBackInTheirRecordedStates) {
    int width = 100, height = 0, result = 0;
    yydialogsize_(&width, &height, &result);
    EXPECT_EQ(result, 0);
    for (int id : {kPlainEdit, kReadOnly, kDisabled})
        EXPECT_FALSE(IsWindowEnabled(Field(id))) << "field " << id << " outside the smaller dialog";
    EXPECT_TRUE(IsWindowEnabled(Field(kTrack)));
    EXPECT_EQ(quill::FieldRecordOf(Field(kPlainEdit))->state, kStateEnabled);

    width = 200;
    yydialogsize_(&width, &height, &result);
    EXPECT_TRUE(IsWindowEnabled(Field(kPlainEdit)));
    EXPECT_TRUE(IsWindowEnabled(Field(kReadOnly)));
    EXPECT_TRUE(GetWindowLongA(Field(kReadOnly), GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(IsWindowEnabled(Field(kDisabled)));  // it was disabled before the resize
}

TEST_F(DialogProcedure, RangeCheckSparesOnlyTheRootWindow) {
    HWND number = Field(kNumber);
    ASSERT_EQ(quill::NumericClassKind(number), kNumericInteger);
    EXPECT_EQ(yyoutofrange(number, hClient[0], 0), 0);
    EXPECT_EQ(yyoutofrange(number, wWindow[0], 0), 0);
    int child = OpenChild();
    ASSERT_GT(child, 0);
    ASSERT_NE(hClient[child], nullptr);
    // A child window's client area is another window: 50 lies outside 1..10.
    EXPECT_EQ(yyoutofrange(number, hClient[child], 0), 1);
    EXPECT_EQ(yyoutofrange(number, wWindow[child], 0), 1);
}

TEST_F(DialogProcedure, ShowingWithAChildWindowSelectedWorksOnTheRoot) {
    int child = OpenChild();
    ASSERT_GT(child, 0);
    windowselect_(&child);
    ASSERT_EQ(wIndex, child);
    Show(2);
    EXPECT_EQ(LastError(), 0);
    EXPECT_EQ(quill::DialogRecordOf(Dialog())->owner, wWindow[0]);
    EXPECT_EQ(wIndex, child);  // the child window is selected again afterwards
}

TEST_F(DialogProcedure, DoubleClickInAListPressesTheDefaultButtonUnlessItIsDisabled) {
    Show(2);
    HWND list = Field(kList);
    SendMessageA(list, LB_ADDSTRING, 0, (LPARAM) "item");
    PostMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(kList, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
    int type = 0;
    QuillEvent event;
    wmessage_(&type, &event);
    EXPECT_EQ(type, 3);
    EXPECT_EQ(event.value1, IDOK);

    EnableWindow(Field(IDOK), FALSE);
    PostMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(kList, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
    Pump();
    wmessagepeek_(&type, &event);
    EXPECT_NE(type, 3);
}

TEST_F(DialogProcedure, ControlColoursFollowTheFieldRecord) {
    HDC dc = GetDC(Dialog());
    // A foreground only: the text colour, and the window background with its system brush.
    HBRUSH brush = reinterpret_cast<HBRUSH>(
        SendMessageA(Dialog(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(Field(kPlainEdit))));
    EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(brush, GetSysColorBrush(COLOR_WINDOW));
    // A background only: the system text colour and a brush of the background.
    brush = reinterpret_cast<HBRUSH>(SendMessageA(Dialog(), WM_CTLCOLORLISTBOX,
                                                  reinterpret_cast<WPARAM>(dc),
                                                  reinterpret_cast<LPARAM>(Field(kList))));
    EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 255));
    ASSERT_NE(brush, nullptr);
    LOGBRUSH info = {};
    GetObjectA(brush, sizeof info, &info);
    EXPECT_EQ(info.lbColor, RGB(0, 0, 255));
    // Neither: nothing, so that the dialog's default colours apply.
    EXPECT_EQ(yyProcessColour(Dialog(), WM_CTLCOLOREDIT, dc, Field(kReadOnly)), nullptr);
    ReleaseDC(Dialog(), dc);
}

TEST_F(DialogProcedure, TabStopsOnlyForListsAndMultiLineEdits) {
    const int stops[3] = {10, 20, 40};
    int field = kList, n = 3;
    yydialogtabstops_(&field, stops, &n);
    EXPECT_EQ(field, kList);
    FieldRecord *record = quill::FieldRecordOf(Field(kList));
    ASSERT_EQ(record->nTabStops, 3);
    EXPECT_NE(record->tabStops, stops);  // a copy of its own
    EXPECT_EQ(record->tabStops[2], 40);
    field = kPlainEdit;
    yydialogtabstops_(&field, stops, &n);
    EXPECT_EQ(field, -1);  // a single-line edit has no tab stops
    EXPECT_EQ(quill::FieldRecordOf(Field(kPlainEdit))->nTabStops, 0);
}

TEST_F(DialogProcedure, TitleAndIcon) {
    int icon = -1, mode = 1;
    yydialogtitle_(&icon, &mode, "Renamed");
    char text[32] = {0};
    GetWindowTextA(Dialog(), text, sizeof text);
    EXPECT_STREQ(text, "Renamed");
    EXPECT_EQ(icon, -1);
    icon = 799;  // no such icon resource
    mode = 0;
    yydialogtitle_(&icon, &mode, "ignored");
    EXPECT_EQ(icon, -2);
    GetWindowTextA(Dialog(), text, sizeof text);
    EXPECT_STREQ(text, "Renamed");
}

TEST_F(DialogProcedure, ABadValueKeepsTheTabWhereItWas) {
    int every = 302;  // a tab control with two pages and an integer field with range 1..10
    wdialogload_(&every);
    ASSERT_EQ(LastError(), 0);
    Show(2);
    HWND tab = Field(339), number = Field(333);
    ASSERT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
    // The focus leaves the field for the tab control, which then moves one tab to the left
    // (the window focus itself is not relied on: other test processes share the display).
    auto leaveForTheTab = [&] {
        SendMessageA(number, WM_KILLFOCUS, reinterpret_cast<WPARAM>(tab), 0);
        SendMessageA(tab, WM_KEYDOWN, VK_LEFT, 0);
        Pump();
    };
    SetWindowTextA(number, "50");
    leaveForTheTab();
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);

    // With an accepted value the tab changes.
    SetWindowTextA(number, "5");
    leaveForTheTab();
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0);
}

int gBlitDuringModal = -1;

void CALLBACK CloseModal(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND copy = hDialogList[0];
    if (!copy) return;
    gBlitDuringModal = wBlitOn;
    KillTimer(nullptr, timer);
    PostMessageA(copy, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(copy, IDOK)));
}

TEST_F(DialogProcedure, ModalShowRepaintsTheOthersFromSnapshots) {
    // The numeric field holds an accepted value, so that OK closes the dialog.
    SetWindowTextA(Field(kNumber), "5");
    gBlitDuringModal = -1;
    SetTimer(nullptr, 0, 20, CloseModal);
    Show(1);
    EXPECT_EQ(LastError(), 0);
    EXPECT_EQ(gBlitDuringModal, 1);
    EXPECT_EQ(wBlitOn, 0);
    int item = 1;
    EXPECT_EQ(winfodialog_(&item), IDOK);
}

// The loaded dialog goes away while its modal copy runs on its record: the copy lets go of
// the record and ends first, and nothing is left behind.
HWND gModalCopy = nullptr;
bool gShutDown = false;

void CALLBACK RemoveDuringModal(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND copy = hDialogList[0];
    if (!copy) return;
    KillTimer(nullptr, timer);
    gModalCopy = copy;
    if (gShutDown) {
        quill::ShutDownDialogs();
    } else {
        wdialogunload_(nullptr);
    }
}

TEST_F(DialogProcedure, UnloadingDuringItsModalShowEndsTheCopyFirst) {
    gModalCopy = nullptr;
    gShutDown = false;
    SetTimer(nullptr, 0, 20, RemoveDuringModal);
    Show(1);
    EXPECT_EQ(LastError(), 0);
    ASSERT_NE(gModalCopy, nullptr);
    EXPECT_FALSE(IsWindow(gModalCopy));
    EXPECT_EQ(hDialogList[0], nullptr);
    EXPECT_EQ(nDialogs, 0);
    // The dialog is gone: selecting it again is refused.
    int id = kDialog;
    wdialogselect_(&id);
    EXPECT_EQ(LastError(), 1008);
}

TEST_F(DialogProcedure, ShutdownDuringAModalShowEndsTheCopyFirst) {
    gModalCopy = nullptr;
    gShutDown = true;
    SetTimer(nullptr, 0, 20, RemoveDuringModal);
    Show(1);
    ASSERT_NE(gModalCopy, nullptr);
    EXPECT_FALSE(IsWindow(gModalCopy));
    EXPECT_EQ(hDialogList[0], nullptr);
    EXPECT_EQ(nDialogs, 0);
    EXPECT_EQ(iDlgCur, 0);
}

}  // namespace
