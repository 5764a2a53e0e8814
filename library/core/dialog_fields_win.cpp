// The public routines with which a program reads and writes the fields of its current dialog:
// they check the arguments, call the internal field routines and turn their statuses into
// the library's error numbers.
#include <string>

#include "core/dialogs.h"
#include "base/errors.h"
#include "core/fields.h"
#include "base/fixedtext.h"
#include "core/startup.h"
#include "quillamorph/fields.h"

namespace {

constexpr int kNoDialog = 1005;
constexpr int kBadField = 1006;
constexpr int kOutOfRange = 1009;
constexpr int kUndefined = 1010;
constexpr int kBadOption = 1011;
constexpr int kBadIcon = 1015;
constexpr int kCannotHide = 1047;
constexpr int kSubDialog = 1069;

// True when a dialog is current; otherwise reports error 1005.
bool dialog_current() {
    if (iCurDialog != 0 && quill::CurrentDialogWindow()) return true;
    quill::RaiseError(kNoDialog);
    return false;
}

// The field's own format for a real or double put without a FORMAT of its own.
std::string field_format(int id) {
    char format[kFormatChars + 1] = {0};
    int status = id;
    yyfieldgetformat_(&status, format, sizeof format);
    return status == -1 ? std::string(kDefaultFieldFormat) : std::string(format);
}

// The shared tail of the three numeric puts: range check, then text, value and format.
void put_number(int id, double value, const std::string &text, const std::string &format) {
    if (!dialog_current()) return;
    int status = id;
    yyfieldrangecheck_(&status, value);
    if (status == -1) {
        quill::RaiseError(kBadField);
        return;
    }
    if (status == -2) {
        quill::RaiseError(kOutOfRange);
        return;
    }
    status = id;
    yyfieldputtext_(&status, value, text.c_str(), format.c_str());
    if (status == -1) quill::RaiseError(kBadField);
}

}  // namespace

void wdialogputinteger_(const int *id, const int *ivalue) {
    int value = ivalue ? *ivalue : 0;
    std::string text = quill::IntegerFieldText(value);
    put_number(*id, value, text, std::string());
}

void wdialogputreal_(const int *id, const float *value, const char *format, int format_len) {
    float v = value ? *value : 0.0f;
    std::string chosen = quill::PutFormat(format, format_len, field_format(*id));
    std::string text = quill::RealFieldText(v, chosen);
    put_number(*id, v, text, chosen);
}

void wdialogputdouble_(const int *id, const double *dvalue, const char *format, int format_len) {
    double v = dvalue ? *dvalue : 0.0;
    std::string chosen = quill::PutFormat(format, format_len, field_format(*id));
    std::string text = quill::DoubleFieldText(v, chosen);
    put_number(*id, v, text, chosen);
}

void wdialogputstring_(const int *id, const char *string, int string_len) {
    if (!dialog_current()) return;
    std::string text = quill::TrimmedText(string, string_len);
    int status = *id;
    yyfieldputtext_(&status, 0.0, text.c_str(), "");
    if (status == -1) quill::RaiseError(kBadField);
}

void wdialoggetstring_(const int *id, char *string, int string_len) {
    if (!dialog_current()) return;
    quill::BlankText(string, string_len);
    HWND control = quill::FieldControl(*id);
    if (!control) {
        quill::RaiseError(kBadField);
        return;
    }
    quill::PutFixedText(string, string_len, quill::WholeWindowText(control));
}

void wdialoggetinteger_(const int *id, int *ivalue) {
    if (!dialog_current()) return;
    int status = *id;
    double value = 0.0;
    yyfieldgetvalue_(&status, &value);
    if (status == -1) {
        quill::RaiseError(kBadField);
    } else if (status == -2) {
        *ivalue = kUndefinedValue;
        quill::RaiseError(kUndefined);
    } else {
        *ivalue = quill::TruncateFieldValue(value);
    }
}

void wdialoggetstringlength_(const int *id, int *ilen) {
    if (!dialog_current()) return;
    int status = *id;
    yyfieldgetlength_(&status, ilen);
    if (status == -1) quill::RaiseError(kBadField);
}

void wdialoggetcheckbox_(const int *id, int *istate) {
    if (!dialog_current()) return;
    int status = *id;
    yyfieldgetcheck_(&status, istate);
    if (status == -1) quill::RaiseError(kBadField);
}

void wdialogputcheckbox_(const int *id, const int *istate) {
    if (!dialog_current()) return;
    int status = *id;
    yyfieldputcheck_(&status, istate ? *istate : 0);
    if (status == -1) quill::RaiseError(kBadField);
}

void wdialoggetradiobutton_(const int *id, int *ibutton) {
    if (!dialog_current()) return;
    int status = *id;
    int button = 0;
    yyfieldgetradio_(&status, &button);
    if (status != -1) {
        *ibutton = button;
    } else if (button == kUndefinedValue) {
        *ibutton = kUndefinedValue;
        quill::RaiseError(kUndefined);
    } else {
        *ibutton = 0;
        quill::RaiseError(kBadField);
    }
}

void wdialogputradiobutton_(const int *id) {
    if (!dialog_current()) return;
    int status = *id;
    yyfieldputradio_(&status);
    if (status == -1) quill::RaiseError(kBadField);
}

namespace {

// The menu kind of a field that holds one selection (1 list, 2 drop-down list, 3 combo box
// with an edit part), or 0 after reporting error 1006.
int single_menu_kind(int id) {
    int kind = -1;
    int status = id;
    yygetmenutype_(&status, &kind);
    if (kind == kMenuList || kind == kMenuDropList || kind == kMenuComboEdit) return kind;
    quill::RaiseError(kBadField);
    return 0;
}

}  // namespace

void wdialoggetmenu1_(const int *id, int *ioption, char *text, int text_len) {
    if (!dialog_current()) return;
    int kind = single_menu_kind(*id);
    if (!kind) return;
    if (text) quill::BlankText(text, text_len);
    int status = *id;
    int option = 0;
    if (kind == kMenuList)
        yyfieldgetlist_(&status, &option, text, text ? text_len : 0);
    else
        yyfieldgetcombo_(&status, &option, text, text ? text_len : 0);
    if (status == -1) {
        quill::RaiseError(kBadField);
        return;
    }
    *ioption = option;
    if (status == -2) quill::RaiseError(kUndefined);
}

void wdialogputmenu1_(const int *id, const char *options, const int *n, const int *ioption,
                      const char *text, int options_len, int text_len) {
    if (!dialog_current()) return;
    int kind = single_menu_kind(*id);
    if (!kind) return;
    int status = *id;
    yyfieldclear_(&status);
    int count = n ? *n : 0;
    for (int i = 0; i < count && options && options_len > 0; ++i) {
        std::string option =
            quill::TrimmedText(options + static_cast<size_t>(i) * options_len, options_len);
        status = *id;
        yyfieldputmenu_(kind, &status, option.c_str());
    }
    int choice = ioption ? *ioption : 0;
    status = *id;
    if (kind == kMenuComboEdit && choice == 0 && text) {
        yyfieldputcombo_(&status, quill::TrimmedText(text, text_len).c_str());
        return;
    }
    yyfieldputoption_(kind, &status, choice - 1);
    if (status == -1) quill::RaiseError(kBadOption);
}

void wdialograngeinteger_(const int *id, const int *imin, const int *imax) {
    if (!dialog_current()) return;
    double minimum = 1000.0, maximum = -1000.0;
    if (imin || imax) {
        minimum = imin ? *imin : -2147483647.0;
        maximum = imax ? *imax : 2147483647.0;
    }
    int status = *id;
    yyfieldrange_(&status, minimum, maximum);
    if (status == -1) quill::RaiseError(kBadField);
}

void wdialogfieldstate_(const int *id, const int *istate) {
    if (!dialog_current()) return;
    int status = *id;
    yyfieldenable_(&status, istate ? *istate : kStateDisabled, 0);
    if (status == -1) quill::RaiseError(kBadField);
}

void wdialogtitle_(const char *title, const int *icon, int title_len) {
    if (!dialog_current()) return;
    std::string caption = title ? quill::TrimmedText(title, title_len) : std::string();
    int iconId = icon ? *icon : -1;
    int mode = 1;
    yydialogtitle_(&iconId, &mode, caption.c_str());
    if (iconId == -2) quill::RaiseError(kBadIcon);
}

void wdialoghide_(void) {
    if (!dialog_current()) return;
    int slot = 0;
    yydialoghide_(&slot);
    if (slot == -1)
        quill::RaiseError(kCannotHide);
    else if (slot == -2)
        quill::RaiseError(kSubDialog);
}
