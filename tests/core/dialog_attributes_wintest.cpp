// The attribute resource applied to a dialog that holds every field kind, and resources
// that are empty, end without a NUL or name controls the dialog does not have.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "core/dialogs.h"
#include "core/numeric_edit.h"
#include "library_root.h"
#include "quillamorph.h"

namespace {

std::string ItemText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
    int length =
        static_cast<int>(SendMessageA(control, lengthMessage, static_cast<WPARAM>(index), 0));
    if (length < 0) return "<none>";
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(control, textMessage, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::string TabCaption(HWND tab, int index) {
    char text[64] = {0};
    TCITEMHEADERA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

class Attributes : public LibraryRoot {
protected:
    HWND Load(int id) {
        wdialogload_(&id);
        int one = 1;
        EXPECT_EQ(infoerror_(&one), 0);
        return quill::CurrentDialogWindow();
    }
};

TEST_F(Attributes, EveryFieldKindTakesItsSection) {
    HWND dialog = Load(302);
    ASSERT_NE(dialog, nullptr);
    // [Ranges]: a numeric field's range; a progress bar's range and its template position;
    // a track bar's range and position.
    FieldRecord *integer = quill::FieldRecordOf(GetDlgItem(dialog, 333));
    EXPECT_DOUBLE_EQ(integer->minimum, 1.0);
    EXPECT_DOUBLE_EQ(integer->maximum, 10.0);
    HWND progress = GetDlgItem(dialog, 340);
    EXPECT_EQ(SendMessageA(progress, PBM_GETRANGE, FALSE, 0), 200);
    EXPECT_EQ(SendMessageA(progress, PBM_GETPOS, 0, 0), 25);
    HWND track = GetDlgItem(dialog, 341);
    EXPECT_EQ(SendMessageA(track, TBM_GETRANGEMAX, 0, 0), 100);
    EXPECT_EQ(SendMessageA(track, TBM_GETPOS, 0, 0), 25);
    // [Menus]: items without trailing blanks, selected 2 is the second; 0 selects nothing.
    HWND combo = GetDlgItem(dialog, 337);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, 1), "Beta");
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    HWND list = GetDlgItem(dialog, 338);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, 1), "Two");
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    // [Checks]
    EXPECT_EQ(IsDlgButtonChecked(dialog, 335), BST_CHECKED);
    // [Tabs]: captions without the blank before the line feed, pages loaded, current selected.
    HWND tab = GetDlgItem(dialog, 339);
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(TabCaption(tab, 0), "First page");
    EXPECT_EQ(TabCaption(tab, 1), "Two words");
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_NE(yydialogfind(303), -1);
    EXPECT_NE(yydialogfind(304), -1);
    EXPECT_EQ(quill::TabPageDialog(tab, 0), hDialogList[yydialogfind(303)]);
    EXPECT_EQ(quill::DialogRecordOf(quill::CurrentDialogWindow())->id,
              302);  // current again after the pages
    // [Colours]: red 256 the default, red -1 unchanged.
    FieldRecord *edit = quill::FieldRecordOf(GetDlgItem(dialog, 332));
    EXPECT_EQ(edit->foreground, RGB(255, 0, 0));
    EXPECT_EQ(edit->background, QUILL_DEFAULT_COLOUR);
    EXPECT_EQ(integer->foreground, QUILL_DEFAULT_COLOUR);
    EXPECT_EQ(integer->background, RGB(0, 0, 255));
    // [Trackbars]
    EXPECT_EQ(SendMessageA(track, TBM_GETLINESIZE, 0, 0), 2);
    EXPECT_EQ(SendMessageA(track, TBM_GETPAGESIZE, 0, 0), 20);
    EXPECT_EQ(SendMessageA(track, TBM_GETSELSTART, 0, 0), 30);
    EXPECT_EQ(SendMessageA(track, TBM_GETSELEND, 0, 0), 60);
    // [Lengths]
    EXPECT_EQ(edit->maxLength, 8);
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, 332), EM_GETLIMITTEXT, 0, 0), 8);
    // [Dialog]
    EXPECT_EQ(quill::DialogRecordOf(dialog)->rootAccelerators, 1);
    // [Formats]
    ASSERT_NE(quill::FieldRecordOf(GetDlgItem(dialog, 334))->format, nullptr);
    EXPECT_STREQ(quill::FieldRecordOf(GetDlgItem(dialog, 334))->format, "(F8.3)");
    // [Fonts]
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(dialog, 330), WM_GETFONT, 0, 0));
    LOGFONTA face = {};
    ASSERT_TRUE(GetObjectA(font, sizeof face, &face));
    EXPECT_STREQ(face.lfFaceName, "Courier New");
    EXPECT_EQ(face.lfWeight, 700);
    EXPECT_TRUE(face.lfItalic);
    EXPECT_EQ(face.lfHeight, -MulDiv(14, 96, 72));
}

TEST_F(Attributes, DialogWithoutAttributesLoadsUnchanged) {
    HWND dialog = Load(305);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, 360), LB_GETCOUNT, 0, 0), 0);
}

TEST_F(Attributes, ResourceWithoutNulEndsAtItsSize) {
    HWND dialog = Load(306);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 361), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 362), BST_UNCHECKED);
}

}  // namespace
