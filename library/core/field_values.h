// The window-system-free decisions behind the dialog field routines: integer truncation of a
// field value, the extent of a radio group among its sibling windows, and the option a combo
// box reports.
#ifndef QUILL_CORE_FIELD_VALUES_H
#define QUILL_CORE_FIELD_VALUES_H

#include <string>
#include <vector>

// Marks an undefined field value (blank text, nothing selected, nothing checked).
constexpr int kUndefinedValue = -999;

namespace quill {

// VALUE truncated toward zero; values beyond the 32-bit range give the nearest end of it, so
// a text such as "1E20" in an integer field reads as 2147483647. NaN gives 0.
int TruncateFieldValue(double value);

}  // namespace quill

// One sibling window of a radio button, in window order.
struct RadioSibling {
    bool sameClass;  // of the same window class as the button asked about
    bool group;      // has the group style (starts a group)
};

namespace quill {

// The first and last index (into SIBLINGS) of the radio group that holds sibling BUTTON:
// backwards from the button while the windows lack the group style and are of its class, the
// window where that stops when it is of the class (it then starts the group), else the last
// window passed; forwards while the windows lack the group style and are of the class.
void FindRadioGroup(const std::vector<RadioSibling> &siblings, int button, int *first, int *last);

// The option (from 1) a combo box reports: SELECTED is its selected index (-1 none), TEXTEMPTY
// tells whether its window text is empty, MATCH is the index of the option whose text equals
// the window text exactly (-1 none). A typed text that is no option gives 0; an empty text
// with nothing selected gives kUndefinedValue.
int ComboOptionNumber(int selected, bool textEmpty, int match);

}  // namespace quill

// Default edit format of real and double fields, and the longest format a put uses.
constexpr char kDefaultFieldFormat[] = "(G15.5E2)";
constexpr int kFormatChars = 50;

namespace quill {

// The format of a real or double put: FORMAT (FORMATLEN characters, cut to kFormatChars, a
// NUL and all after it dropped) when it is present and not blank, else FIELDFORMAT; trailing
// blanks cut.
std::string PutFormat(const char *format, int formatLen, const std::string &fieldFormat);

// The text a numeric put shows: the value written by "(I11)" or by FORMAT, left-justified,
// trailing blanks cut. A value the format cannot hold gives ten asterisks and error 18.
std::string IntegerFieldText(int value);
std::string RealFieldText(float value, const std::string &format);
std::string DoubleFieldText(double value, const std::string &format);

// Reads a number from a NUL-terminated field text without reporting anything; false (and 0)
// when the text is no valid number.
bool ParseTextValue(const char *text, double *value);

}  // namespace quill

#endif
