// The window-system-free decisions behind the dialog field routines: integer truncation of a
// field value, the extent of a radio group among its sibling windows, and the option a combo
// box reports.
#ifndef QUILL_CORE_FIELD_VALUES_H
#define QUILL_CORE_FIELD_VALUES_H

#include <vector>

// Marks an undefined field value (blank text, nothing selected, nothing checked).
constexpr int kUndefinedValue = -999;

// VALUE truncated toward zero; values beyond the 32-bit range give the nearest end of it, so
// a text such as "1E20" in an integer field reads as 2147483647. NaN gives 0.
int yyfieldtruncate(double value);

// One sibling window of a radio button, in window order.
struct RadioSibling {
    bool sameClass;  // of the same window class as the button asked about
    bool group;      // has the group style (starts a group)
};

// The first and last index (into SIBLINGS) of the radio group that holds sibling BUTTON:
// backwards from the button while the windows lack the group style and are of its class, the
// window where that stops when it is of the class (it then starts the group), else the last
// window passed; forwards while the windows lack the group style and are of the class.
void yyradiogroupextent(const std::vector<RadioSibling> &siblings, int button, int *first,
                        int *last);

// The option (from 1) a combo box reports: SELECTED is its selected index (-1 none), TEXTEMPTY
// tells whether its window text is empty, MATCH is the index of the option whose text equals
// the window text exactly (-1 none). A typed text that is no option gives 0; an empty text
// with nothing selected gives kUndefinedValue.
int yycombooption(int selected, bool textEmpty, int match);

#endif
