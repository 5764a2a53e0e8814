// Window-system-free decisions of the dialog field routines.
#include "core/field_values.h"

#include <climits>
#include <cmath>

int yyfieldtruncate(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT_MAX;
    if (value <= -2147483648.0) return INT_MIN;
    return static_cast<int>(value);
}

void yyradiogroupextent(const std::vector<RadioSibling> &siblings, int button, int *first,
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

int yycombooption(int selected, bool textEmpty, int match) {
    if (textEmpty) return selected >= 0 ? selected + 1 : kUndefinedValue;
    if (selected >= 0) return selected + 1;
    return match >= 0 ? match + 1 : 0;
}
