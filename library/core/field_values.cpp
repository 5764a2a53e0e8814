// Window-system-free decisions of the dialog field routines.
#include "core/field_values.h"

#include <climits>
#include <cmath>
#include <cstring>

#include "base/conversion.h"
#include "base/fixedtext.h"

namespace {

// Work area of a numeric put's text.
constexpr int kNumberText = 100;

// The text up to its NUL (the conversion routines end what they write with one).
std::string up_to_nul(const char *text) { return std::string(text, strnlen(text, kNumberText)); }

}  // namespace

int quill::TruncateFieldValue(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT_MAX;
    if (value <= -2147483648.0) return INT_MIN;
    return static_cast<int>(value);
}

void quill::FindRadioGroup(const std::vector<RadioSibling> &siblings, int button, int *first,
                           int *last) {
    const int count = static_cast<int>(siblings.size());
    if (button < 0 || button >= count) {
        *first = *last = button;
        return;
    }
    int passed = button;
    int at = button;
    while (at >= 0 && !siblings[at].group && siblings[at].sameClass) {
        passed = at;
        --at;
    }
    *first = (at >= 0 && siblings[at].sameClass) ? at : passed;

    *last = button;
    at = (button == *first) ? button + 1 : button;
    while (at < count && !siblings[at].group && siblings[at].sameClass) {
        *last = at;
        ++at;
    }
}

int quill::ComboOptionNumber(int selected, bool textEmpty, int match) {
    if (textEmpty) return selected >= 0 ? selected + 1 : kUndefinedValue;
    if (selected >= 0) return selected + 1;
    return match >= 0 ? match + 1 : 0;
}

std::string quill::PutFormat(const char *format, int formatLen, const std::string &fieldFormat) {
    if (format && formatLen > 0) {
        int len = formatLen < kFormatChars ? formatLen : kFormatChars;
        std::string own(format, strnlen(format, static_cast<size_t>(len)));
        own = TrimmedText(own.data(), static_cast<int>(own.size()));
        if (!own.empty()) return own;
    }
    return TrimmedText(fieldFormat.data(), static_cast<int>(fieldFormat.size()));
}

std::string quill::IntegerFieldText(int value) {
    char text[kNumberText];
    yyint2st_(&value, text, kNumberText);
    return up_to_nul(text);
}

std::string quill::RealFieldText(float value, const std::string &format) {
    char text[kNumberText];
    yyrea2st_(&value, text, format.data(), kNumberText, static_cast<int>(format.size()));
    return up_to_nul(text);
}

std::string quill::DoubleFieldText(double value, const std::string &format) {
    char text[kNumberText];
    yydbl2st_(&value, text, format.data(), kNumberText, static_cast<int>(format.size()));
    return up_to_nul(text);
}

bool quill::ParseTextValue(const char *text, double *value) {
    int ok = 0;
    *value = 0.0;
    yyst2dblcheck_(value, &ok, text, static_cast<int>(std::strlen(text)));
    return ok == 1;
}
