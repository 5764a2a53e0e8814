// Text, numbers, ranges and states of dialog fields: the internal routines beneath the public
// get and put routines, addressed by control id in the current dialog.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "core/dialogs.h"
#include "core/fields.h"
#include "core/layers.h"
#include "core/numeric_edit.h"
#include "core/startup.h"

namespace {

// Longest field text read for a value.
constexpr int kValueText = 255;

// Default edit format of real and double fields.
const char kDefaultFormat[] = "(G15.5E2)";

bool has_text(const char *text) {
    for (; *text; ++text)
        if (*text != ' ') return true;
    return false;
}

}  // namespace

std::string quill::WholeWindowText(HWND control) {
    int length = GetWindowTextLengthA(control);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(control, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

namespace {

void set_format(FieldRecord *record, const char *format) {
    std::free(record->format);
    record->format = nullptr;
    if (format && *format) {
        size_t n = std::strlen(format);
        record->format = static_cast<char *>(std::calloc(n + 1, 1));
        if (record->format) std::memcpy(record->format, format, n);
    }
}

// The spin field's up-down control, null for other fields.
HWND spin_buddy(HWND control) {
    FieldRecord *record = quill::FieldRecordOf(control);
    return record ? record->upDown : nullptr;
}

}  // namespace

HWND quill::FieldControl(int id) {
    HWND dialog = CurrentDialogWindow();
    if (!dialog) return nullptr;
    return GetDlgItem(dialog, id);
}

int quill::FieldTypeOf(HWND control) {
    if (!control) return kFieldOther;
    ATOM atom = WindowClassAtom(control);
    if (!atom) return kFieldOther;
    LONG style = GetWindowLongA(control, GWL_STYLE);
    if (atom == atomStatic) {
        int low = style & 0xFF;
        return (low == SS_LEFT || low == SS_CENTER || low == SS_LEFTNOWORDWRAP) ? kFieldLabel
                                                                                : kFieldStatic;
    }
    if (atom == atomButton) {
        // The whole button type tells the kinds apart: an owner-drawn button (type 11) shares
        // low bits with the check box and the group box but is neither.
        switch (style & BS_TYPEMASK) {
        case BS_GROUPBOX: return kFieldGroupBox;
        case BS_AUTOCHECKBOX: return kFieldCheckBox;
        case BS_AUTORADIOBUTTON: return kFieldRadio;
        default: return kFieldButton;
        }
    }
    if (atom == atomEdit) return kFieldString;
    int numeric = NumericClassKind(control);
    if (numeric) return numeric;
    if (atom == atomCombo) return kFieldCombo;
    if (atom == atomList) return kFieldList;
    if (atom == atomTab) return kFieldTab;
    if (atom == atomProgress) return kFieldProgress;
    if (atom == atomTrack) return kFieldTrackBar;
    if (atom == atomTree) return kFieldTree;
    if (const ATOM grid = quill::InstalledGridField().classAtom(); grid && atom == grid)
        return kFieldGrid;
    return kFieldOther;
}

void yyfieldputtext_(int *id, double value, const char *text, const char *format) {
    HWND control = quill::FieldControl(*id);
    if (!control || !SetWindowTextA(control, text)) {
        *id = -1;
        return;
    }
    FieldRecord *record = quill::FieldRecordOf(control);
    if (record) {
        record->value = value;
        if (value == 0.0) {
            double parsed = 0.0;
            if (quill::ParseTextValue(text, &parsed)) record->value = parsed;
        }
        record->hasText = has_text(text) ? 1 : 0;
        set_format(record, format);
    }
    if (quill::IsEditField(control)) SendMessageA(control, EM_SETMODIFY, FALSE, 0);
    UpdateWindow(control);
}

void yyfieldgetvalue_(int *id, double *value) {
    HWND control = quill::FieldControl(*id);
    if (!control) {
        *id = -1;
        return;
    }
    char text[kValueText] = {0};
    GetWindowTextA(control, text, kValueText);
    if (!has_text(text)) {
        *id = -2;
        return;
    }
    FieldRecord *record = quill::FieldRecordOf(control);
    if (quill::NumericClassKind(control) && record && !SendMessageA(control, EM_GETMODIFY, 0, 0)) {
        *value = record->value;
        return;
    }
    double parsed = 0.0;
    quill::ParseTextValue(text, &parsed);
    *value = parsed;
}

void yyfieldgetstring_(int *id, char *buffer, int size) {
    HWND control = quill::FieldControl(*id);
    if (!control) {
        *id = -1;
        return;
    }
    if (size <= 0) return;
    buffer[0] = '\0';
    GetWindowTextA(control, buffer, size);
}

void yyfieldgetlength_(int *id, int *length) {
    HWND control = quill::FieldControl(*id);
    if (!control) {
        *id = -1;
        return;
    }
    *length = GetWindowTextLengthA(control);
}

void yyfieldgetformat_(int *id, char *format, int size) {
    HWND control = quill::FieldControl(*id);
    if (!control) {
        *id = -1;
        return;
    }
    if (size <= 0) return;
    const char *chosen = kDefaultFormat;
    int kind = quill::NumericClassKind(control);
    FieldRecord *record = quill::FieldRecordOf(control);
    if ((kind == kFieldReal || kind == kFieldDouble) && !quill::IsSpinField(control) && record &&
        record->format && *record->format)
        chosen = record->format;
    std::strncpy(format, chosen, static_cast<size_t>(size) - 1);
    format[size - 1] = '\0';
}

void yyfieldrange2(int *id, double minimum, double maximum, HWND dialog) {
    FieldRecord *record = dialog ? quill::FieldRecordOf(GetDlgItem(dialog, *id)) : nullptr;
    if (!record) {
        *id = -1;
        return;
    }
    record->minimum = minimum;
    record->maximum = maximum;
}

void yyfieldrange_(int *id, double minimum, double maximum) {
    yyfieldrange2(id, minimum, maximum, quill::CurrentDialogWindow());
}

void yyfieldrangecheck_(int *id, double value) {
    FieldRecord *record = quill::FieldRecordOf(quill::FieldControl(*id));
    if (!record) {
        *id = -1;
        return;
    }
    if (record->minimum <= record->maximum && (value < record->minimum || value > record->maximum))
        *id = -2;
}

void yyfieldclear_(int *id) {
    HWND control = quill::FieldControl(*id);
    if (!control) {
        *id = -1;
        return;
    }
    int type = quill::FieldTypeOf(control);
    switch (type) {
    case kFieldLabel:
    case kFieldStatic:
    case kFieldGroupBox:
    case kFieldString:
    case kFieldInteger:
    case kFieldReal:
    case kFieldDouble:
        SetWindowTextA(control, "");
        if (quill::IsEditField(control)) SendMessageA(control, EM_SETMODIFY, FALSE, 0);
        break;
    case kFieldButton: {
        LONG kind = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
        if (kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON) {
            *id = -1;
            return;
        }
        SetWindowTextA(control, "");
        break;
    }
    case kFieldCombo: SendMessageA(control, CB_RESETCONTENT, 0, 0); break;
    case kFieldList: SendMessageA(control, LB_RESETCONTENT, 0, 0); break;
    case kFieldCheckBox: SendMessageA(control, BM_SETCHECK, BST_UNCHECKED, 0); break;
    case kFieldRadio: {
        HWND first, last;
        yyfieldgroup(control, &first, &last);
        for (HWND w = first; w; w = GetWindow(w, GW_HWNDNEXT)) {
            SendMessageA(w, BM_SETCHECK, BST_UNCHECKED, 0);
            UpdateWindow(w);
            if (w == last) break;
        }
        return;
    }
    case kFieldProgress: {
        LRESULT old = SendMessageA(control, PBM_SETRANGE, 0, MAKELPARAM(0, 65535));
        SendMessageA(control, PBM_SETRANGE, 0, old);
        SendMessageA(control, PBM_SETPOS, LOWORD(old), 0);
        break;
    }
    case kFieldTrackBar:
        if (GetWindowLongA(control, GWL_STYLE) & TBS_ENABLESELRANGE)
            SendMessageA(control, TBM_CLEARSEL, TRUE, 0);
        break;
    case kFieldTree:
        SendMessageA(control, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        break;
    case kFieldGrid:  // menu cells lose their options too
        quill::InstalledGridField().clear(control, 1);
        break;
    default: *id = -1; return;
    }
    if (FieldRecord *record = quill::FieldRecordOf(control)) {
        record->value = 0.0;
        record->hasText = 0;
    }
    UpdateWindow(control);
}

int quill::FieldStateOf(HWND control) {
    LONG style = GetWindowLongA(control, GWL_STYLE);
    if (!(style & WS_VISIBLE)) return kStateHidden;
    if (style & WS_DISABLED) return kStateDisabled;
    if (IsEditField(control) && (style & ES_READONLY)) return kStateReadOnly;
    // A read-only grid reports so, and the dialog keeps it read-only when it comes back into view.
    if (const ATOM grid = quill::InstalledGridField().classAtom();
        grid && WindowClassAtom(control) == grid && (style & kGridReadOnly))
        return kStateReadOnly;
    return kStateEnabled;
}

void yyfieldenable_(int *id, int state, int defer) {
    HWND control = quill::FieldControl(*id);
    FieldRecord *record = quill::FieldRecordOf(control);
    if (!record) {
        *id = -1;
        return;
    }
    record->state = state;

    HWND dialog = GetParent(control);
    RECT client;
    GetClientRect(dialog, &client);
    if (yyFieldInRect(control, &client) != 1) return;

    HWND buddy = spin_buddy(control);
    bool enable = state == kStateEnabled;
    if (quill::FieldTypeOf(control) == kFieldGrid) {
        enable = state == kStateEnabled || state == kStateReadOnly;
        quill::InstalledGridField().enable(control, state);
    } else if (quill::IsEditField(control)) {
        enable = state == kStateEnabled || state == kStateReadOnly;
        SendMessageA(control, EM_SETREADONLY, state == kStateReadOnly, 0);
        if (buddy) EnableWindow(buddy, state == kStateEnabled);
    }
    EnableWindow(control, enable);

    int show = state == kStateHidden ? SW_HIDE : SW_SHOWNA;
    ShowWindow(control, show);
    if (buddy) ShowWindow(buddy, show);
    if (quill::FieldTypeOf(control) == kFieldTab) {
        int selected = static_cast<int>(SendMessageA(control, TCM_GETCURSEL, 0, 0));
        if (HWND page = quill::TabPageDialog(control, selected)) ShowWindow(page, show);
    }
    if (quill::WindowClassAtom(control) == atomStatic) InvalidateRect(control, nullptr, TRUE);
    if (!(defer && record->userDrawn)) UpdateWindow(control);
}
