// Typed dialog field get and put on a real dialog under Wine: dialog 400 of the test resources
// holds one field of every kind. The tests drive the fields as a user would (window text and
// the modified flag, clicks, selections) and read them back through the public routines.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "core/fields.h"
#include "core/treeview.h"
#include "graphics/drawing_target.h"
#include "core/startup.h"
#include "library_root.h"
#include "quillamorph.h"
#include "error_status.h"
#include "dialog_root.h"

namespace {

constexpr int kDialog = 400;
enum {
    kLabel = 1001,
    kEdit = 1002,
    kInteger = 1003,
    kReal = 1004,
    kDouble = 1005,
    kIntegerSpin = 1006,
    kCheck = 1007,
    kRadio1 = 1010,
    kRadio2 = 1011,
    kRadio3 = 1012,
    kRadio4 = 1013,
    kLeft = 1014,
    kRight = 1015,
    kDropList = 1020,
    kComboEdit = 1021,
    kList = 1022,
    kMultiList = 1023,
    kTab = 1024,
    kProgress = 1025,
    kTrack = 1026,
    kTree = 1027,
    kGroup = 1028,
    kPush = 1029,
    kOwnerDrawn = 1030,
    kRightText = 1031,
    kFrame = 1040,
    kImage = 1041,
    kReadOnly = 1032,
    kRealSpin = 1033,
};

HWND Field(int id) { return GetDlgItem(quill::CurrentDialogWindow(), id); }

std::string Text(int id) {
    char text[256] = "";
    GetWindowTextA(Field(id), text, sizeof text);
    return text;
}

// What a user leaves behind after typing TEXT into a field.
void Type(int id, const char *text) {
    SetWindowTextA(Field(id), text);
    SendMessageA(Field(id), EM_SETMODIFY, TRUE, 0);
}

std::string GetString(int id, int length) {
    std::string text(static_cast<size_t>(length), '#');
    wdialoggetstring_(&id, &text[0], length);
    return text;
}

void PutString(int id, const std::string &text) {
    wdialogputstring_(&id, text.data(), static_cast<int>(text.size()));
}

int GetInteger(int id) {
    int value = 12345;
    wdialoggetinteger_(&id, &value);
    return value;
}

void PutInteger(int id, int value) { wdialogputinteger_(&id, &value); }

void PutReal(int id, float value, const char *format) {
    wdialogputreal_(&id, &value, format, format ? static_cast<int>(strlen(format)) : 0);
}

void PutDouble(int id, double value, const char *format) {
    wdialogputdouble_(&id, &value, format, format ? static_cast<int>(strlen(format)) : 0);
}

struct Menu {
    int option = 12345;
    std::string text = std::string(12, '#');
    int error = 0;
};

Menu GetMenu(int id) {
    Menu m;
    wdialoggetmenu1_(&id, &m.option, &m.text[0], static_cast<int>(m.text.size()));
    m.error = LastError();
    return m;
}

// Options as a blank-padded text array of 8-character elements.
void PutMenu(int id, const std::string &options, int n, int option, const char *text) {
    wdialogputmenu1_(&id, options.data(), &n, &option, text, 8,
                     text ? static_cast<int>(strlen(text)) : 0);
}

class Fields : public SharedLibraryRoot {
protected:
    void SetUp() override { LoadCurrentDialog(kDialog); }
    void TearDown() override {
        UnloadCurrentDialog();
        LastError();
    }
};

TEST_F(Fields, IntegerPutShowsDigitsAtTheLeftAndReadsBackWithoutParsing) {
    PutInteger(kInteger, 1234567);
    EXPECT_EQ(LastError(), 0);
    EXPECT_EQ(Text(kInteger), "1234567");
    EXPECT_EQ(GetInteger(kInteger), 1234567);
    PutInteger(kInteger, -42);
    EXPECT_EQ(Text(kInteger), "-42");
    EXPECT_EQ(GetInteger(kInteger), -42);
    EXPECT_EQ(LastError(), 0);
}

TEST_F(Fields, RealPutWithFormatIsRememberedUntilAnIntegerPut) {
    PutReal(kReal, 3.14159f, "(F8.2)");
    EXPECT_EQ(Text(kReal), "3.14");
    PutReal(kReal, 2.5f, nullptr);
    EXPECT_EQ(Text(kReal), "2.50") << "the field keeps the format of the last put that had one";
    PutReal(kReal, 7.25f, "        ");
    EXPECT_EQ(Text(kReal), "7.25") << "a blank format counts as absent";
    PutInteger(kReal, 3);
    EXPECT_EQ(Text(kReal), "3");
    PutReal(kReal, 2.5f, nullptr);
    EXPECT_EQ(Text(kReal), quill::RealFieldText(2.5f, kDefaultFieldFormat));
    EXPECT_NE(Text(kReal), "2.50");
    EXPECT_EQ(LastError(), 0);
}

TEST_F(Fields, DoublePutAndItsFormatMemory) {
    PutDouble(kDouble, 1234.5678, "(F10.3)");
    EXPECT_EQ(Text(kDouble), "1234.568");
    PutDouble(kDouble, 0.5, nullptr);
    EXPECT_EQ(Text(kDouble), "0.500");
    PutString(kDouble, "9.75");
    PutDouble(kDouble, 0.5, nullptr);
    EXPECT_EQ(Text(kDouble), quill::DoubleFieldText(0.5, kDefaultFieldFormat))
        << "a text put takes the field's format away";
    EXPECT_EQ(LastError(), 0);
}

TEST_F(Fields, TooNarrowFormatShowsAsterisksAndReportsError18) {
    PutReal(kReal, 12345.0f, "(F4.1)");
    EXPECT_EQ(LastError(), 18);
    EXPECT_EQ(Text(kReal), "**********");
}

TEST_F(Fields, StringPutAndGet) {
    PutString(kEdit, "  hello   ");
    EXPECT_EQ(Text(kEdit), "  hello");
    EXPECT_EQ(GetString(kEdit, 10), "  hello   ");
    EXPECT_EQ(GetString(kEdit, 4), "  he");
    PutString(kEdit, "     ");
    EXPECT_EQ(Text(kEdit), "");
    int length = -1, id = kEdit;
    PutString(kEdit, "abc");
    wdialoggetstringlength_(&id, &length);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(LastError(), 0);

    // A text put into a numeric field gives it the text's value.
    PutString(kInteger, "77");
    EXPECT_EQ(GetInteger(kInteger), 77);
    EXPECT_EQ(GetString(kLabel, 5), "Label");
}

TEST_F(Fields, EditedNumericFieldsAreReadFromTheirText) {
    PutInteger(kInteger, 5);
    SetWindowTextA(Field(kInteger), "99");
    SendMessageA(Field(kInteger), EM_SETMODIFY, FALSE, 0);
    EXPECT_EQ(GetInteger(kInteger), 5) << "unmodified: the value last put";

    Type(kInteger, "12.9");
    EXPECT_EQ(GetInteger(kInteger), 12);
    Type(kInteger, "-12.9");
    EXPECT_EQ(GetInteger(kInteger), -12);
    Type(kInteger, "1E20");
    EXPECT_EQ(GetInteger(kInteger), 2147483647) << "beyond the integer range saturates";
    Type(kInteger, "-1E20");
    EXPECT_EQ(GetInteger(kInteger), -2147483647 - 1);
    EXPECT_EQ(LastError(), 0);

    SetWindowTextA(Field(kEdit), "  31.7 ");
    EXPECT_EQ(GetInteger(kEdit), 31) << "a plain edit is always read from its text";
}

TEST_F(Fields, BlankFieldIsUndefined) {
    Type(kInteger, "   ");
    EXPECT_EQ(GetInteger(kInteger), -999);
    EXPECT_EQ(LastError(), 1010);
}

TEST_F(Fields, RangeErrorsLeaveTheFieldAsItWas) {
    int id = kInteger, minimum = 1;
    wdialograngeinteger_(&id, &minimum, nullptr);
    PutInteger(kInteger, 5);
    PutInteger(kInteger, 0);
    EXPECT_EQ(LastError(), 1009);
    EXPECT_EQ(Text(kInteger), "5");
    EXPECT_EQ(GetInteger(kInteger), 5);
    PutInteger(kInteger, 2147483647);
    EXPECT_EQ(LastError(), 0);
    EXPECT_EQ(Text(kInteger), "2147483647");

    int maximum = 10;
    wdialograngeinteger_(&id, nullptr, &maximum);
    PutReal(kInteger, 10.5f, "(F6.1)");
    EXPECT_EQ(LastError(), 1009);
    EXPECT_EQ(Text(kInteger), "2147483647");

    wdialograngeinteger_(&id, nullptr, nullptr);
    PutInteger(kInteger, -2000000);
    EXPECT_EQ(LastError(), 0) << "both bounds absent remove the range";
}

TEST_F(Fields, BadFieldIdsReport1006) {
    PutInteger(999, 1);
    EXPECT_EQ(LastError(), 1006);
    EXPECT_EQ(GetString(999, 4), "    ");
    EXPECT_EQ(LastError(), 1006);
    EXPECT_EQ(GetInteger(999), 12345);
    EXPECT_EQ(LastError(), 1006);
    int state = 0, id = 999;
    wdialogfieldstate_(&id, &state);
    EXPECT_EQ(LastError(), 1006);
}

TEST_F(Fields, NoCurrentDialogReports1005AndChangesNothing) {
    int option = 0;
    wdialogunload_(&option);
    LastError();
    PutInteger(kInteger, 1);
    EXPECT_EQ(LastError(), 1005);
    EXPECT_EQ(GetString(kEdit, 4), "####");
    EXPECT_EQ(LastError(), 1005);
    EXPECT_EQ(GetInteger(kInteger), 12345);
    EXPECT_EQ(LastError(), 1005);
    // A numeric put converts its number first: its conversion error comes before 1005.
    PutReal(kReal, 12345.0f, "(F4.1)");
    EXPECT_EQ(LastError(), 1005);
}

TEST_F(Fields, CheckBoxes) {
    int id = kCheck, state = 1, got = -1;
    wdialogputcheckbox_(&id, &state);
    wdialoggetcheckbox_(&id, &got);
    EXPECT_EQ(got, 1);
    SendMessageA(Field(kCheck), BM_CLICK, 0, 0);
    wdialoggetcheckbox_(&id, &got);
    EXPECT_EQ(got, 0) << "a click clears it again";
    EXPECT_EQ(LastError(), 0);

    int push = kPush;
    got = 55;
    wdialoggetcheckbox_(&push, &got);
    EXPECT_EQ(LastError(), 1006);
    EXPECT_EQ(got, 55);
}

TEST_F(Fields, RadioGroupsAreAskedByAnyMember) {
    int any = kRadio3, button = 0;
    wdialoggetradiobutton_(&any, &button);
    EXPECT_EQ(button, -999) << "nothing checked after load";
    EXPECT_EQ(LastError(), 1010);

    SendMessageA(Field(kRadio2), BM_CLICK, 0, 0);
    for (int id : {kRadio1, kRadio2, kRadio3, kRadio4}) {
        button = 0;
        wdialoggetradiobutton_(&id, &button);
        EXPECT_EQ(button, 2) << "asked by " << id;
    }
    int left = kLeft;
    wdialoggetradiobutton_(&left, &button);
    EXPECT_EQ(LastError(), 1010) << "the next group is a group of its own";

    int four = kRadio4;
    wdialogputradiobutton_(&four);
    EXPECT_EQ(SendMessageA(Field(kRadio2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    wdialoggetradiobutton_(&any, &button);
    EXPECT_EQ(button, 4);
    int right = kRight;
    wdialogputradiobutton_(&right);
    wdialoggetradiobutton_(&left, &button);
    EXPECT_EQ(button, 2);
    wdialoggetradiobutton_(&any, &button);
    EXPECT_EQ(button, 4) << "the first group keeps its choice";
    EXPECT_EQ(LastError(), 0);

    int check = kCheck;
    button = 7;
    wdialoggetradiobutton_(&check, &button);
    EXPECT_EQ(LastError(), 1006);
    EXPECT_EQ(button, 0);
}

TEST_F(Fields, DropDownListFromAttributesAndPut) {
    Menu m = GetMenu(kDropList);
    EXPECT_EQ(m.option, 2);
    EXPECT_EQ(m.text, "Beta        ");
    EXPECT_EQ(m.error, 0);

    PutMenu(kDropList, "One     Two     Three   ", 3, 3, nullptr);
    m = GetMenu(kDropList);
    EXPECT_EQ(m.option, 3);
    EXPECT_EQ(m.text, "Three       ");
    EXPECT_EQ(SendMessageA(Field(kDropList), CB_GETCOUNT, 0, 0), 3);

    PutMenu(kDropList, "One     Two     ", 2, 0, nullptr);
    EXPECT_EQ(LastError(), 0) << "option 0 selects nothing without error";
    m = GetMenu(kDropList);
    EXPECT_EQ(m.option, -999);
    EXPECT_EQ(m.error, 1010);

    PutMenu(kDropList, "One     Two     ", 2, 3, nullptr);
    EXPECT_EQ(LastError(), 1011);
    PutMenu(kDropList, "One     Two     ", 2, -2, nullptr);
    EXPECT_EQ(LastError(), 1011);
}

TEST_F(Fields, ComboBoxWithTypedText) {
    PutMenu(kComboEdit, "Red     Green   Blue    ", 3, 1, nullptr);
    Menu m = GetMenu(kComboEdit);
    EXPECT_EQ(m.option, 1);
    EXPECT_EQ(m.text, "Red         ");

    SendMessageA(Field(kComboEdit), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextA(Field(kComboEdit), "Purple");
    m = GetMenu(kComboEdit);
    EXPECT_EQ(m.option, 0) << "a text of the user's own";
    EXPECT_EQ(m.text, "Purple      ");
    EXPECT_EQ(m.error, 0);

    SetWindowTextA(Field(kComboEdit), "Blue");
    m = GetMenu(kComboEdit);
    EXPECT_EQ(m.option, 3) << "typed text equal to an option";
    SetWindowTextA(Field(kComboEdit), "blue");
    m = GetMenu(kComboEdit);
    EXPECT_EQ(m.option, 0) << "the match is exact, letter case included";

    SetWindowTextA(Field(kComboEdit), "");
    m = GetMenu(kComboEdit);
    EXPECT_EQ(m.option, -999);
    EXPECT_EQ(m.error, 1010);

    PutMenu(kComboEdit, "Red     Green   ", 2, 0, "Green   ");
    m = GetMenu(kComboEdit);
    EXPECT_EQ(m.option, 2);
    PutMenu(kComboEdit, "Red     Green   ", 2, 0, "Mauve   ");
    m = GetMenu(kComboEdit);
    EXPECT_EQ(m.option, 0);
    EXPECT_EQ(m.text, "Mauve       ");
}

TEST_F(Fields, ListBoxes) {
    Menu m = GetMenu(kList);
    EXPECT_EQ(m.option, -999);
    EXPECT_EQ(m.error, 1010);
    PutMenu(kList, "North   South   East    West    ", 4, 3, nullptr);
    m = GetMenu(kList);
    EXPECT_EQ(m.option, 3);
    EXPECT_EQ(m.text, "East        ");

    // Without TEXT only the option comes back.
    int id = kList, option = 0;
    wdialoggetmenu1_(&id, &option, nullptr, 0);
    EXPECT_EQ(option, 3);

    m = GetMenu(kMultiList);
    EXPECT_EQ(m.error, 1006) << "a list with several selections has no single option";
    EXPECT_EQ(m.option, 12345);
    m = GetMenu(kEdit);
    EXPECT_EQ(m.error, 1006);
}

TEST_F(Fields, MultiSelectionLists) {
    int id = kMultiList;
    for (const char *s : {"a", "b", "c", "d", "e"}) {
        int status = id;
        yyfieldputmenu_(kMenuMultiList, &status, s);
    }
    int count = 0, status = id;
    yygetoptioncount_(&status, &count);
    EXPECT_EQ(count, 5);
    yyfieldputopt2_(&status, 1, 3, 1);
    int state = -1;
    for (int i = 0; i < 5; ++i) {
        yyfieldgetopt_(&status, i, &state);
        EXPECT_EQ(state, i >= 1 && i <= 3 ? 1 : 0) << "option " << i;
    }
    yyfieldputopt_(&status, 2, 0);
    yyfieldgetopt_(&status, 2, &state);
    EXPECT_EQ(state, 0);
    EXPECT_EQ(status, id);
    yyfieldgetopt_(&status, 9, &state);
    EXPECT_EQ(status, -1);
}

TEST_F(Fields, FieldStates) {
    int id = kInteger, state = 0, got = -1;
    wdialogfieldstate_(&id, &state);
    EXPECT_FALSE(IsWindowEnabled(Field(kInteger)));
    yygetfieldstate_(&id, &got);
    EXPECT_EQ(got, 0);

    state = 2;
    wdialogfieldstate_(&id, &state);
    EXPECT_TRUE(IsWindowEnabled(Field(kInteger)));
    EXPECT_TRUE(GetWindowLongA(Field(kInteger), GWL_STYLE) & ES_READONLY);
    yygetfieldstate_(&id, &got);
    EXPECT_EQ(got, 2);

    state = 1;
    wdialogfieldstate_(&id, &state);
    EXPECT_FALSE(GetWindowLongA(Field(kInteger), GWL_STYLE) & ES_READONLY);
    yygetfieldstate_(&id, &got);
    EXPECT_EQ(got, 1);

    state = 3;
    wdialogfieldstate_(&id, &state);
    yygetfieldstate_(&id, &got);
    EXPECT_EQ(got, 3);
    EXPECT_EQ(LastError(), 0);

    int push = kPush;
    state = 2;
    wdialogfieldstate_(&push, &state);
    EXPECT_FALSE(IsWindowEnabled(Field(kPush))) << "read-only is disabled for a push button";

    int readOnly = kReadOnly;
    yygetfieldstate_(&readOnly, &got);
    EXPECT_EQ(got, 2) << "a read-only field as loaded";
}

TEST_F(Fields, SpinFieldArrowsFollowTheirField) {
    FieldRecord *record = quill::FieldRecordOf(Field(kIntegerSpin));
    ASSERT_NE(record, nullptr);
    HWND arrows = record->upDown;
    ASSERT_NE(arrows, nullptr);
    int id = kIntegerSpin, state = 2;
    wdialogfieldstate_(&id, &state);
    EXPECT_TRUE(IsWindowEnabled(Field(kIntegerSpin)));
    EXPECT_FALSE(IsWindowEnabled(arrows)) << "read-only: the arrows are off";
    state = 1;
    wdialogfieldstate_(&id, &state);
    EXPECT_TRUE(IsWindowEnabled(arrows));
    state = 3;
    wdialogfieldstate_(&id, &state);
    EXPECT_FALSE(GetWindowLongA(Field(kIntegerSpin), GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(GetWindowLongA(arrows, GWL_STYLE) & WS_VISIBLE);
    state = 1;
    wdialogfieldstate_(&id, &state);
    EXPECT_TRUE(GetWindowLongA(arrows, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(Fields, FieldTypes) {
    struct {
        int id, type;
    } expected[] = {
        {kLabel, 1},     {kRightText, 2},   {kFrame, 2}, {kGroup, 3},      {kEdit, 4},
        {kInteger, 5},   {kIntegerSpin, 5}, {kReal, 6},  {kRealSpin, 6},   {kDouble, 7},
        {kPush, 8},      {kOwnerDrawn, 8},  {1, 8},      {kCheck, 9},      {kRadio1, 10},
        {kDropList, 11}, {kComboEdit, 11},  {kList, 12}, {kMultiList, 12}, {kTab, 13},
        {kProgress, 14}, {kTrack, 16},      {kTree, 17},
    };
    for (auto e : expected) {
        int id = e.id, type = -5;
        yygetfieldtype_(&id, &type);
        EXPECT_EQ(id, e.id);
        EXPECT_EQ(type, e.type) << "field " << e.id;
    }
    int id = 999, type = -5;
    yygetfieldtype_(&id, &type);
    EXPECT_EQ(id, -1);
}

TEST_F(Fields, FieldInformationAndColours) {
    int id = kEdit, x = 0, y = 0, w = 0, h = 0;
    yygetfieldinfo_(&id, &x, &y, &w, &h, 0);
    RECT r;
    GetWindowRect(Field(kEdit), &r);
    MapWindowPoints(nullptr, quill::CurrentDialogWindow(), reinterpret_cast<POINT *>(&r), 2);
    EXPECT_EQ(x, r.left);
    EXPECT_EQ(y, r.top);
    EXPECT_EQ(w, r.right - r.left);
    EXPECT_EQ(h, r.bottom - r.top);
    int cw = 0, ch = 0;
    yygetfieldinfo_(&id, &x, &y, &cw, &ch, 1);
    EXPECT_LT(cw, w) << "the client area lies inside the border";

    int fx = 0, fy = 0;
    yygetdlgfactor_(&fx, &fy);
    RECT units{0, 0, 4, 8};
    MapDialogRect(quill::CurrentDialogWindow(), &units);
    EXPECT_EQ(fx, units.right);
    EXPECT_EQ(fy, units.bottom);

    FieldRecord *record = quill::FieldRecordOf(Field(kEdit));
    yyfieldcolour_(&id, 255, 0, 0, 256, 0, 0);
    EXPECT_EQ(record->foreground, RGB(255, 0, 0));
    EXPECT_EQ(record->background, QUILL_DEFAULT_COLOUR);
    yyFieldColour2(Field(kEdit), 1, -1, 7, 7);
    EXPECT_EQ(record->foreground, RGB(255, 0, 0)) << "red -1 leaves the colour";
    yyFieldColour2(Field(kEdit), 2, 0x1FF, 0x102, 3);
    EXPECT_EQ(record->background, RGB(255, 2, 3)) << "components keep their low 8 bits";

    RECT client;
    GetClientRect(quill::CurrentDialogWindow(), &client);
    EXPECT_EQ(yyFieldInRect(Field(kEdit), &client), 1);
    RECT half = client;
    half.right = r.left + 5;
    EXPECT_EQ(yyFieldInRect(Field(kEdit), &half), 2);
    half.right = r.left;
    EXPECT_EQ(yyFieldInRect(Field(kEdit), &half), 0);
}

TEST_F(Fields, TrackBarsProgressBarsAndTabs) {
    int id = kTrack, position = 0, start = 0, end = 0, lo = 0, hi = 0;
    yyrangetrack_(&id, 10, 50, 5);
    yygettrackrange_(&id, &lo, &hi);
    EXPECT_EQ(lo, 10);
    EXPECT_EQ(hi, 50);
    yyfieldputtrack_(&id, 30, 15, 25, 0);
    yyfieldgettrack_(&id, &position, &start, &end);
    EXPECT_EQ(position, 30);
    EXPECT_EQ(start, 15);
    EXPECT_EQ(end, 25);
    yyfieldputtrack_(&id, 20, 0, 0, 2);
    yyfieldgettrack_(&id, &position, &start, &end);
    EXPECT_EQ(position, 20);
    EXPECT_EQ(start, -999);
    EXPECT_EQ(end, -999);
    yyfieldtrackstep_(&id, 3, 0);
    EXPECT_EQ(SendMessageA(Field(kTrack), TBM_GETPAGESIZE, 0, 0), 3);
    EXPECT_EQ(id, kTrack);

    int bar = kProgress;
    yyrangeprogress_(&bar, 0, 200);
    yyfieldputprogress_(&bar, 50, 0);
    yyfieldputprogress_(&bar, 25, 1);
    EXPECT_EQ(SendMessageA(Field(kProgress), PBM_GETPOS, 0, 0), 75);
    yyfieldclear_(&bar);
    EXPECT_EQ(SendMessageA(Field(kProgress), PBM_GETPOS, 0, 0), 0);
    EXPECT_EQ(SendMessageA(Field(kProgress), PBM_GETRANGE, FALSE, 0), 200) << "range kept";

    int wrong = kEdit;
    yyfieldgettrack_(&wrong, &position, &start, &end);
    EXPECT_EQ(wrong, -1);
}

TEST_F(Fields, ClearEmptiesEveryKind) {
    PutString(kEdit, "text");
    PutMenu(kList, "a       b       ", 2, 1, nullptr);
    SendMessageA(Field(kCheck), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(Field(kRadio2), BM_SETCHECK, BST_CHECKED, 0);
    for (int id : {kEdit, kList, kCheck, kRadio3, kGroup, kTree}) {
        int status = id;
        yyfieldclear_(&status);
        EXPECT_EQ(status, id);
    }
    EXPECT_EQ(Text(kEdit), "");
    EXPECT_EQ(SendMessageA(Field(kList), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(Field(kCheck), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(Field(kRadio2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Text(kGroup), "");
    EXPECT_EQ(SendMessageA(Field(kTree), TVM_GETCOUNT, 0, 0), 0);
    int owner = kOwnerDrawn;
    yyfieldclear_(&owner);
    EXPECT_EQ(owner, -1) << "an owner-drawn button has no content to clear";
}

TEST_F(Fields, SpinStepsAndImages) {
    int id = kIntegerSpin;
    yyfieldspinstepi_(&id, 5, 0);
    FieldRecord *record = quill::FieldRecordOf(Field(kIntegerSpin));
    EXPECT_EQ(record->step, 5.0);
    EXPECT_EQ(record->page, 5.0);
    int real = kRealSpin;
    yyfieldspinstepr_(&real, 0.5f, 2.0f);
    EXPECT_EQ(quill::FieldRecordOf(Field(kRealSpin))->step, 0.5);
    yyfieldspinstepd_(&real, 1.0, 1.0);
    EXPECT_EQ(real, -1) << "a real spin field takes no double steps";

    int image = kImage;
    yyfieldimage_(&image, 4999, 1);
    EXPECT_EQ(image, -2) << "no such bitmap";
    image = kEdit;
    yyfieldimage_(&image, 4999, 1);
    EXPECT_EQ(image, -2) << "nothing loaded is told before the field's kind";
    image = kEdit;
    yyfieldimage_(&image, 502, 1);
    EXPECT_EQ(image, -1) << "an edit field shows no image";
}

COLORREF PixelOf(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

TEST_F(Fields, DrawingIntoAFieldAndSnapshotsOfDialogsDrawnIn) {
    int focus = 0, type = 2;
    wdialogshow_(nullptr, nullptr, &focus, &type);
    HWND dialog = quill::CurrentDialogWindow();
    ASSERT_TRUE(IsWindowVisible(dialog));
    EXPECT_FALSE(yyCheckUserDrawn(dialog));

    int id = kFrame, width = 0, height = 0;
    yyfieldselect_(&id, &width, &height);
    ASSERT_EQ(id, kFrame);
    RECT r;
    GetClientRect(Field(kFrame), &r);
    EXPECT_EQ(width, r.right);
    EXPECT_EQ(height, r.bottom);
    EXPECT_EQ(quill::Target().field, Field(kFrame));
    EXPECT_TRUE(quill::FieldRecordOf(Field(kFrame))->userDrawn);
    EXPECT_TRUE(yyCheckUserDrawn(dialog));

    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT inner{2, 2, width - 2, height - 2};
    FillRect(quill::Target().dc, &inner, red);
    DeleteObject(red);
    EXPECT_EQ(PixelOf(Field(kFrame), width / 2, height / 2), RGB(255, 0, 0));

    // A dialog drawn in keeps its drawing through modal work.
    int take = 1, give = 0, none = -1, status = -1;
    yygetwindowbitmap_(&take, &none, &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(hImageDlg[iDlgCur], nullptr);
    yygetwindowbitmap_(&give, &none, &status);
    EXPECT_EQ(hImageDlg[iDlgCur], nullptr);
    EXPECT_EQ(PixelOf(Field(kFrame), width / 2, height / 2), RGB(255, 0, 0));

    // The next target gives the previous one back its own font.
    HFONT font = CreateFontA(-20, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    quill::Target().font = font;
    int image = kImage;
    yyfieldselect_(&image, &width, &height);
    EXPECT_EQ(GetCurrentObject(quill::Target().dc, OBJ_FONT), font);
    HDC fieldDc = quill::Target().dc;
    int self = 0;
    yyfieldselect_(&self, &width, &height);
    EXPECT_EQ(quill::Target().field, dialog);
    EXPECT_EQ(quill::DialogRecordOf(dialog)->reportMouse, 1);
    EXPECT_NE(quill::Target().dc, nullptr);
    (void)fieldDc;
    quill::ReleaseFieldTarget();
    EXPECT_EQ(quill::Target().field, nullptr);
    EXPECT_EQ(quill::Target().fontOld, nullptr);
    quill::Target().font = nullptr;
    DeleteObject(font);

    int missing = 999;
    yyfieldselect_(&missing, &width, &height);
    EXPECT_EQ(missing, -1);
}

// What the user does inside the modal copy: type into the integer field, pick a combo option,
// choose a radio button, collapse a tree branch, then press the push button that closes it.
void CALLBACK ActInModalCopy(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND copy = hDialogList[0];
    if (!copy || !IsWindowVisible(copy)) return;
    KillTimer(nullptr, timer);
    HWND integer = GetDlgItem(copy, kInteger);
    SetWindowTextA(integer, "4321");
    SendMessageA(integer, EM_SETMODIFY, TRUE, 0);
    SendMessageA(GetDlgItem(copy, kDropList), CB_SETCURSEL, 2, 0);
    SendMessageA(GetDlgItem(copy, kRadio3), BM_CLICK, 0, 0);
    SetWindowTextA(GetDlgItem(copy, kEdit), "left by the user");
    PostMessageA(GetDlgItem(copy, kPush), BM_CLICK, 0, 0);
}

TEST_F(Fields, ModalCopyKeepsWhatTheUserLeft) {
    PutInteger(kInteger, 1);
    UINT_PTR timer = SetTimer(nullptr, 0, 50, ActInModalCopy);
    ASSERT_NE(timer, 0u);
    int focus = 0, type = 1;
    wdialogshow_(nullptr, nullptr, &focus, &type);
    KillTimer(nullptr, timer);
    EXPECT_EQ(LastError(), 0);

    EXPECT_EQ(GetInteger(kInteger), 4321);
    Menu m = GetMenu(kDropList);
    EXPECT_EQ(m.option, 3);
    EXPECT_EQ(m.text, "Gamma       ");
    int any = kRadio1, button = 0;
    wdialoggetradiobutton_(&any, &button);
    EXPECT_EQ(button, 3);
    EXPECT_EQ(GetString(kEdit, 16), "left by the user");
    int item = 0, field = kTree;
    char text[16];
    yyfieldgettree_(&field, &item, text, sizeof text);
    EXPECT_EQ(item, 12) << "the tree comes back with its selection";
}

}  // namespace
