// Check boxes, radio groups, lists and combo boxes of dialogs: the internal routines beneath
// the public get and put routines, addressed by control id in the current dialog.
#include <string>
#include <vector>

#include "core/dialogs.h"
#include "core/fields.h"
#include "base/fixedtext.h"
#include "core/numeric_edit.h"

namespace {

// Message numbers of the two kinds of option field.
struct OptionMessages {
    UINT getCount, getText, getTextLength, getSelection, setSelection, add, reset;
};
const OptionMessages kListMessages{LB_GETCOUNT,  LB_GETTEXT,   LB_GETTEXTLEN,  LB_GETCURSEL,
                                   LB_SETCURSEL, LB_ADDSTRING, LB_RESETCONTENT};
const OptionMessages kComboMessages{CB_GETCOUNT,  CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_GETCURSEL,
                                    CB_SETCURSEL, CB_ADDSTRING, CB_RESETCONTENT};

const OptionMessages &messages_of(int kind) {
    return (kind == kMenuList || kind == kMenuMultiList) ? kListMessages : kComboMessages;
}

// Text of option INDEX, read with its real length.
std::string option_text(HWND control, const OptionMessages &m, int index) {
    LRESULT length = SendMessageA(control, m.getTextLength, static_cast<WPARAM>(index), 0);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT got = SendMessageA(control, m.getText, static_cast<WPARAM>(index),
                               reinterpret_cast<LPARAM>(&text[0]));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

// Index of the option whose text equals TEXT exactly (letter case included), -1 when none.
int exact_option(HWND control, const OptionMessages &m, const std::string &text) {
    int count = static_cast<int>(SendMessageA(control, m.getCount, 0, 0));
    for (int i = 0; i < count; ++i)
        if (option_text(control, m, i) == text) return i;
    return -1;
}

// A list box allowing several selections, null for anything else.
HWND multi_list(int id) {
    HWND control = quill::FieldControl(id);
    int kind = -1;
    int status = id;
    yygetmenutype_(&status, &kind);
    return kind == kMenuMultiList ? control : nullptr;
}

}  // namespace

void yyfieldgetcheck_(int *id, int *state) {
    HWND control = quill::FieldControl(*id);
    int type = quill::FieldTypeOf(control);
    if (type != kFieldCheckBox && type != kFieldRadio) {
        *id = -1;
        return;
    }
    *state = static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0));
}

void yyfieldputcheck_(int *id, int state) {
    HWND dialog = quill::CurrentDialogWindow();
    if (!dialog || !CheckDlgButton(dialog, *id, static_cast<UINT>(state))) *id = -1;
}

void yyfieldgroup(HWND button, HWND *first, HWND *last) {
    *first = *last = button;
    HWND parent = GetParent(button);
    if (!parent) return;
    ATOM atom = quill::WindowClassAtom(button);
    std::vector<HWND> windows;
    std::vector<RadioSibling> siblings;
    int at = -1;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == button) at = static_cast<int>(windows.size());
        windows.push_back(w);
        siblings.push_back(
            {quill::WindowClassAtom(w) == atom, (GetWindowLongA(w, GWL_STYLE) & WS_GROUP) != 0});
    }
    if (at < 0) return;
    int f = at, l = at;
    quill::FindRadioGroup(siblings, at, &f, &l);
    *first = windows[f];
    *last = windows[l];
}

void yyfieldgetradio_(int *id, int *button) {
    HWND control = quill::FieldControl(*id);
    if (quill::FieldTypeOf(control) != kFieldRadio) {
        *id = -1;
        return;
    }
    HWND first, last;
    yyfieldgroup(control, &first, &last);
    int position = 1;
    for (HWND w = first; w; w = GetWindow(w, GW_HWNDNEXT), ++position) {
        if (SendMessageA(w, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            *button = position;
            return;
        }
        if (w == last) break;
    }
    *button = kUndefinedValue;
    *id = -1;
}

void yyfieldputradio_(int *id) {
    HWND control = quill::FieldControl(*id);
    if (!control) {
        *id = -1;
        return;
    }
    HWND first, last;
    yyfieldgroup(control, &first, &last);
    for (HWND w = first; w; w = GetWindow(w, GW_HWNDNEXT)) {
        SendMessageA(w, BM_SETCHECK, w == control ? BST_CHECKED : BST_UNCHECKED, 0);
        if (w == last) break;
    }
}

void yygetmenutype_(int *id, int *kind) {
    HWND control = quill::FieldControl(*id);
    ATOM atom = control ? quill::WindowClassAtom(control) : 0;
    LONG style = control ? GetWindowLongA(control, GWL_STYLE) : 0;
    if (atom && atom == atomList) {
        *kind = (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) ? kMenuMultiList : kMenuList;
    } else if (atom && atom == atomCombo) {
        *kind = (style & 3) == CBS_DROPDOWNLIST ? kMenuDropList : kMenuComboEdit;
    } else {
        *kind = -1;
        *id = -1;
    }
}

void yyfieldgetlist_(int *id, int *option, char *text, int textLen) {
    HWND control = quill::FieldControl(*id);
    if (!control) {
        *id = -1;
        return;
    }
    int selected = static_cast<int>(SendMessageA(control, LB_GETCURSEL, 0, 0));
    if (selected < 0) {
        *option = kUndefinedValue;
        *id = -2;
        return;
    }
    *option = selected + 1;
    quill::PutFixedText(text, text ? textLen : 0, option_text(control, kListMessages, selected));
}

void yyfieldgetcombo_(int *id, int *option, char *text, int textLen) {
    HWND control = quill::FieldControl(*id);
    if (!control) {
        *id = -1;
        return;
    }
    int selected = static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
    std::string shown = quill::WholeWindowText(control);
    int match = -1;
    if (!shown.empty() && selected < 0) match = exact_option(control, kComboMessages, shown);
    *option = quill::ComboOptionNumber(selected, shown.empty(), match);
    if (*option == kUndefinedValue) {
        *id = -2;
        return;
    }
    quill::PutFixedText(text, text ? textLen : 0, shown);
}

void yyfieldputmenu_(int kind, int *id, const char *text) {
    HWND control = quill::FieldControl(*id);
    if (!control) {
        *id = -1;
        return;
    }
    LRESULT result =
        SendMessageA(control, messages_of(kind).add, 0, reinterpret_cast<LPARAM>(text));
    if (result < 0) *id = -1;
}

void yyfieldputoption_(int kind, int *id, int index) {
    HWND control = quill::FieldControl(*id);
    if (!control) {
        *id = -1;
        return;
    }
    const OptionMessages &m = messages_of(kind);
    if (kind == kMenuMultiList) {
        // A list with several selections has no single current selection to set.
        if (index < -1 ||
            SendMessageA(control, LB_SETSEL, index >= 0, static_cast<LPARAM>(index)) < 0)
            *id = -1;
        return;
    }
    LRESULT result = SendMessageA(control, m.setSelection, static_cast<WPARAM>(index), 0);
    if (index != -1 && result < 0) *id = -1;
}

void yyfieldputcombo_(int *id, const char *text) {
    HWND control = quill::FieldControl(*id);
    if (!control) {
        *id = -1;
        return;
    }
    int match = exact_option(control, kComboMessages, text);
    SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(match), 0);
    if (match < 0) SetWindowTextA(control, text);
}

void yygetoptioncount_(int *id, int *count) {
    HWND control = quill::FieldControl(*id);
    int kind = -1;
    int status = *id;
    yygetmenutype_(&status, &kind);
    if (status == -1) {
        *id = -1;
        return;
    }
    *count = static_cast<int>(SendMessageA(control, messages_of(kind).getCount, 0, 0));
}

void yyfieldgetopt_(int *id, int index, int *state) {
    HWND control = multi_list(*id);
    LRESULT selected =
        control ? SendMessageA(control, LB_GETSEL, static_cast<WPARAM>(index), 0) : LB_ERR;
    if (selected < 0) {
        *id = -1;
        return;
    }
    *state = selected > 0 ? 1 : 0;
}

void yyfieldputopt_(int *id, int index, int state) {
    HWND control = multi_list(*id);
    LRESULT selected =
        control ? SendMessageA(control, LB_GETSEL, static_cast<WPARAM>(index), 0) : LB_ERR;
    if (selected < 0) {
        *id = -1;
        return;
    }
    bool on = state == 1;
    if ((selected > 0) != on) SendMessageA(control, LB_SETSEL, on, static_cast<LPARAM>(index));
}

void yyfieldputopt2_(int *id, int first, int last, int state) {
    HWND control = multi_list(*id);
    if (!control) {
        *id = -1;
        return;
    }
    bool on = state == 1;
    if (first >= 0 && last >= first && last <= 0xFFFF) {
        SendMessageA(control, LB_SELITEMRANGE, on, MAKELPARAM(first, last));
        return;
    }
    for (int index = first; index <= last; ++index) {
        LRESULT selected = SendMessageA(control, LB_GETSEL, static_cast<WPARAM>(index), 0);
        if (selected < 0) break;
        if ((selected > 0) != on) SendMessageA(control, LB_SETSEL, on, static_cast<LPARAM>(index));
    }
}
