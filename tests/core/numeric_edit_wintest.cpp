// The numeric edit classes in a dialog: keystroke filtering, creation from template text,
// range checks when the focus leaves, normalisation of the text and the spin arrows.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "base/conversion.h"
#include "core/dialogs.h"
#include "core/display.h"
#include "core/numeric_edit.h"
#include "messages.h"
#include "quillamorph/dialogs.h"

namespace {

INT_PTR CALLBACK PlainProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

std::string Text(HWND w) {
    char text[256] = {0};
    GetWindowTextA(w, text, sizeof text);
    return text;
}

// Counts the beeps the program asks for while it lives: the program's import of MessageBeep
// (the library is linked in) is pointed at a counter and back.
class BeepCounter {
public:
    BeepCounter() {
        count_ = 0;
        const FARPROC beep = GetProcAddress(GetModuleHandleA("user32.dll"), "MessageBeep");
        auto *base = reinterpret_cast<BYTE *>(GetModuleHandleA(nullptr));
        const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
        const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY &imports =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        auto *module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress);
        for (; imports.VirtualAddress && module->Name && !slot_; ++module) {
            auto *thunk = reinterpret_cast<IMAGE_THUNK_DATA *>(base + module->FirstThunk);
            for (; thunk->u1.Function && !slot_; ++thunk)
                if (thunk->u1.Function == reinterpret_cast<ULONG_PTR>(beep))
                    slot_ = &thunk->u1.Function;
        }
        if (slot_) Point(reinterpret_cast<ULONG_PTR>(&Counted));
    }
    ~BeepCounter() {
        if (slot_)
            Point(reinterpret_cast<ULONG_PTR>(
                GetProcAddress(GetModuleHandleA("user32.dll"), "MessageBeep")));
    }
    BeepCounter(const BeepCounter &) = delete;
    BeepCounter &operator=(const BeepCounter &) = delete;

    bool hooked() const { return slot_ != nullptr; }
    int count() const { return count_; }

private:
    static BOOL WINAPI Counted(UINT) {
        ++count_;
        return TRUE;
    }
    void Point(ULONG_PTR to) {
        DWORD old = 0;
        VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &old);
        *slot_ = to;
        VirtualProtect(slot_, sizeof *slot_, old, &old);
    }
    static inline int count_ = 0;
    ULONG_PTR *slot_ = nullptr;
};

void Bell(const char *text) { windowbell_(text, static_cast<int>(std::strlen(text))); }

class NumericFields : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        yyregistersuperclass();
        yyregistersubclass();
        yygetatoms();
    }
    void SetUp() override {
        dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(301), nullptr,
                                    PlainProc, 0);
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOWNA);
        Pump();
    }
    void TearDown() override {
        DestroyWindow(dialog);
        Pump();
        bDecimal = 0;
        hBadVal = nullptr;
        nocheck = 0;
    }
    HWND Field(int id) { return GetDlgItem(dialog, id); }
    // The keys are sent, not posted: no message is taken from the queue while a test types
    // and checks, so another test process taking the activation (they share one display)
    // cannot move the focus out of the field meanwhile. Focus leaving an integer field
    // rewrites its text, which puts the caret back at the start.
    void Type(HWND field, const char *keys) {
        for (const char *k = keys; *k; ++k)
            SendMessageA(field, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*k)), 0);
    }
    void Replace(HWND field, const char *keys) {
        SendMessageA(field, EM_SETSEL, 0, -1);
        Type(field, keys);
    }
    void Range(HWND field, double minimum, double maximum) {
        FieldRecord *record = quill::FieldRecordOf(field);
        ASSERT_NE(record, nullptr);
        record->minimum = minimum;
        record->maximum = maximum;
    }
    HWND dialog = nullptr;
};

TEST_F(NumericFields, ClassesAreRegisteredOnceWithTheirKinds) {
    yyregistersuperclass();  // a second call changes nothing
    EXPECT_NE(atomInteger, 0);
    EXPECT_EQ(quill::NumericClassKind(Field(310)), 5);
    EXPECT_EQ(quill::NumericClassKind(Field(311)), 5);
    EXPECT_EQ(quill::NumericClassKind(Field(312)), 6);
    EXPECT_EQ(quill::NumericClassKind(Field(315)), 7);
    EXPECT_EQ(quill::NumericClassKind(Field(316)), 0);
    EXPECT_TRUE(quill::IsSpinField(Field(313)));
    EXPECT_FALSE(quill::IsSpinField(Field(312)));
    EXPECT_TRUE(quill::IsEditField(Field(316)));
}

TEST_F(NumericFields, CreationReadsTheTemplateText) {
    FieldRecord *integer = quill::FieldRecordOf(Field(310));
    ASSERT_NE(integer, nullptr);
    EXPECT_DOUBLE_EQ(integer->value, 5.0);
    EXPECT_EQ(integer->hasText, 1);
    EXPECT_EQ(integer->maxLength, 11);
    EXPECT_DOUBLE_EQ(integer->step, 1.0);
    EXPECT_DOUBLE_EQ(integer->page, 5.0);
    EXPECT_GT(integer->minimum, integer->maximum);  // no range
    EXPECT_DOUBLE_EQ(quill::FieldRecordOf(Field(314))->value, 3.25);
    // A spin field has its up-down control beside it.
    FieldRecord *spin = quill::FieldRecordOf(Field(311));
    ASSERT_NE(spin->upDown, nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(spin->upDown, UDM_GETBUDDY, 0, 0)), Field(311));
    EXPECT_EQ(Text(Field(311)), "7");
    EXPECT_EQ(quill::FieldRecordOf(Field(310))->upDown, nullptr);
}

TEST_F(NumericFields, IntegerFieldDropsLettersAndPoints) {
    HWND field = Field(310);
    Replace(field, "1a.5");
    EXPECT_EQ(Text(field), "15");
    Replace(field, "-3\x01");  // Ctrl+A selects the text and is consumed
    EXPECT_EQ(Text(field), "-3");
    DWORD start = 0, end = 0;
    SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 2u);
}

// The bell the fields ring on a refused key: "ON " and "OFF" (any case, the first three
// characters) switch it, and any other text rings it at once while it is on.
TEST_F(NumericFields, TheBellSwitchesAndRingsByItsText) {
    BeepCounter beeps;
    ASSERT_TRUE(beeps.hooked()) << "the program imports MessageBeep";
    HWND field = Field(310);
    Bell("ON ");
    Replace(field, "1a");
    EXPECT_EQ(beeps.count(), 1) << "a refused key rings";
    Bell("now");
    EXPECT_EQ(beeps.count(), 2);
    Bell("");
    EXPECT_EQ(beeps.count(), 3) << "a blank text rings too";
    Bell("ONE");
    EXPECT_EQ(beeps.count(), 4) << "ONE is no switch";
    Bell("off");
    Bell("Offline");
    EXPECT_EQ(beeps.count(), 4) << "switching does not ring";
    Bell("ring");
    Replace(field, "2b");
    EXPECT_EQ(Text(field), "2");
    EXPECT_EQ(beeps.count(), 4) << "switched off";
    Bell("On");
    EXPECT_EQ(beeps.count(), 4) << "a short text is blank-padded";
    Bell("ring");
    EXPECT_EQ(beeps.count(), 5);
    // Any flag other than 0 is on.
    const int two = 2;
    yysetbell_(&two);
    Bell("ring");
    EXPECT_EQ(beeps.count(), 6);
}

TEST_F(NumericFields, RealAndDoubleFieldsTakeExponents) {
    Replace(Field(312), "1.5e3x");
    EXPECT_EQ(Text(Field(312)), "1.5E3");
    Replace(Field(314), "2d1");
    EXPECT_EQ(Text(Field(314)), "2D1");
    Replace(Field(312), "2d1");
    EXPECT_EQ(Text(Field(312)), "21");
}

TEST_F(NumericFields, DecimalCommaReplacesThePoint) {
    char comma = 1;
    yydecimal_(&comma);
    char saved = wDecimal;
    wDecimal = ',';
    HWND field = CreateWindowExA(0, "REALEDIT", "1.5", WS_CHILD | WS_VISIBLE, 0, 0, 50, 12, dialog,
                                 reinterpret_cast<HMENU>(390), GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(Text(field), "1,5");
    Replace(field, "2.5");
    EXPECT_EQ(Text(field), "25");
    Replace(field, "2,5");
    EXPECT_EQ(Text(field), "2,5");
    wDecimal = saved;
}

// Focus changes are driven by sending the focus messages themselves: the foreground window
// is shared by every test process under one window server, so real focus moves are not
// reliable while tests run in parallel.
TEST_F(NumericFields, OutOfRangeValueIsRefusedWhenTheFocusGoesToAnotherField) {
    HWND field = Field(310);
    Range(field, 1, 10);
    Replace(field, "11");
    EXPECT_EQ(yyoutofrange(field, Field(316), 0), 1);
    Replace(field, "10");
    EXPECT_EQ(yyoutofrange(field, Field(316), 0), 0);
    EXPECT_EQ(StoreVal, 1);
    Replace(field, "0");
    EXPECT_EQ(yyoutofrange(field, Field(316), 0), 1);
}

TEST_F(NumericFields, CheckIsLeftToAPushButtonOtherThanOk) {
    HWND field = Field(310);
    Range(field, 1, 10);
    Replace(field, "11");
    EXPECT_EQ(yyoutofrange(field, Field(IDCANCEL), 0), 0);
    EXPECT_EQ(hBadVal, field);
    EXPECT_EQ(yyoutofrange(field, Field(320), 0), 0);
    EXPECT_EQ(hBadVal, field);
    // OK checks at once.
    EXPECT_EQ(yyoutofrange(field, Field(IDOK), 0), 1);
    EXPECT_EQ(hBadVal, nullptr);
    // Leaving with Tab checks at once whatever the button.
    quill::FieldRecordOf(field)->tabLeft = 1;
    EXPECT_EQ(yyoutofrange(field, Field(IDCANCEL), 0), 1);
    // Switched off, nothing is checked.
    bOverride = 1;
    EXPECT_EQ(yyoutofrange(field, Field(316), 0), 0);
    bOverride = 0;
}

TEST_F(NumericFields, NoRangeAcceptsAnyNumberButNotGarbage) {
    HWND field = Field(314);
    Replace(field, "123456");
    EXPECT_EQ(yyoutofrange(field, Field(316), 0), 0);
    Replace(field, "+-");
    EXPECT_EQ(yyoutofrange(field, Field(316), 0), 1);
    // The field itself as target: garbage counts only when forced.
    EXPECT_EQ(yyoutofrange(field, field, 0), 0);
    EXPECT_EQ(yyoutofrange(field, field, 1), 1);
}

TEST_F(NumericFields, EmptyFieldWithRangeIsRefusedOnceItHeldAValue) {
    HWND field = Field(310);
    Range(field, 1, 10);
    SetWindowTextA(field, "");
    EXPECT_EQ(yyoutofrange(field, Field(316), 0), 1);
    quill::FieldRecordOf(field)->hasText = 0;
    EXPECT_EQ(yyoutofrange(field, Field(316), 0), 0);
}

TEST_F(NumericFields, RefusedFieldKeepsItsTextAndAcceptedOneIsNormalised) {
    HWND integer = Field(310);
    Range(integer, 1, 100);
    SetWindowTextA(integer, "0012");
    SendMessageA(integer, WM_KILLFOCUS, reinterpret_cast<WPARAM>(Field(316)), 0);
    EXPECT_EQ(Text(integer), "12");
    EXPECT_DOUBLE_EQ(quill::FieldRecordOf(integer)->value, 12.0);
    SetWindowTextA(integer, "0200");
    SendMessageA(integer, WM_KILLFOCUS, reinterpret_cast<WPARAM>(Field(316)), 0);
    EXPECT_EQ(Text(integer), "0200");
    EXPECT_DOUBLE_EQ(quill::FieldRecordOf(integer)->value, 12.0);
}

TEST_F(NumericFields, RealTextIsLeftAloneUnlessEdited) {
    HWND real = Field(312);
    SetWindowTextA(real, "0001.50");
    SendMessageA(real, EM_SETMODIFY, FALSE, 0);
    SendMessageA(real, WM_KILLFOCUS, reinterpret_cast<WPARAM>(Field(316)), 0);
    EXPECT_EQ(Text(real), "0001.50");
}

TEST_F(NumericFields, GettingTheFocusRecordsTheLastGoodValue) {
    StoreVal = 1;
    SendMessageA(Field(314), WM_SETFOCUS, reinterpret_cast<WPARAM>(Field(316)), 0);
    EXPECT_EQ(StoreVal, 0);
    EXPECT_STREQ(cLastGood, "3.25");
    EXPECT_DOUBLE_EQ(dLastGood, 3.25);
}

// Real focus moves inside the test's own dialog: the caret and selection an unchanged integer
// text had stay as they were, while a text that is not canonical is still rewritten.
TEST_F(NumericFields, UnchangedIntegerTextKeepsCaretAndSelectionAcrossFocusChanges) {
    HWND integer = Field(310);
    HWND other = Field(316);
    SetFocus(integer);
    Replace(integer, "1234");
    SendMessageA(integer, EM_SETSEL, 1, 3);
    SetFocus(other);
    SetFocus(integer);
    DWORD first = 0, last = 0;
    SendMessageA(integer, EM_GETSEL, reinterpret_cast<WPARAM>(&first),
                 reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ(Text(integer), "1234");
    EXPECT_EQ(first, 1u);
    EXPECT_EQ(last, 3u);

    SendMessageA(integer, EM_SETSEL, 4, 4);
    SetFocus(other);
    SendMessageA(integer, EM_GETSEL, reinterpret_cast<WPARAM>(&first),
                 reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ(first, 4u);
    EXPECT_EQ(last, 4u);

    SetFocus(integer);
    Replace(integer, "0012");
    SetFocus(other);
    EXPECT_EQ(Text(integer), "12");
    EXPECT_DOUBLE_EQ(quill::FieldRecordOf(integer)->value, 12.0);
}

}  // namespace
