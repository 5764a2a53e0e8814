// The arithmetic and character rules of the numeric edit fields. See numeric_values.h.
#include "core/numeric_values.h"

#include <cmath>

int quill::NumericCharAction(int kind, int c, char decimal, int *passed) {
    *passed = c;
    if (c == 1) return kCharSelectAll;  // Ctrl+A
    if (c >= '0' && c <= '9') return kCharAccept;
    switch (c) {
    case '+':
    case '-':
    case 3:
    case 8:
    case 9:
    case 13:
    case 22:
    case 24:
    case 26:
    case 27: return kCharAccept;
    default: break;
    }
    if (kind == kNumericReal || kind == kNumericDouble) {
        if (c == static_cast<unsigned char>(decimal) || c == 'E') return kCharAccept;
        if (c == 'e') {
            *passed = 'E';
            return kCharAccept;
        }
    }
    if (kind == kNumericDouble) {
        if (c == 'D') return kCharAccept;
        if (c == 'd') {
            *passed = 'D';
            return kCharAccept;
        }
    }
    return kCharReject;
}

double quill::SteppedSpinValue(double value, int delta, double step, double page, double minimum,
                               double maximum, int integer) {
    double applied = 0.0;
    switch (delta) {
    case 1: applied = step; break;
    case -1: applied = -step; break;
    case 5: applied = page; break;
    case -5: applied = -page; break;
    default: break;
    }
    value += applied;
    bool clamped = false;
    if (minimum <= maximum) {
        if (value < minimum) {
            value = minimum;
            clamped = true;
        } else if (value > maximum) {
            value = maximum;
            clamped = true;
        }
    }
    if (integer) {
        value = std::trunc(value);
        double unit = std::fabs(applied);
        if (!clamped && unit != 0.0) value = std::trunc(std::floor(value / unit) * unit);
    }
    return value;
}

int quill::TrackBarTickFrequency(int minimum, int maximum, int ticks) {
    if (ticks < 2) return 1;
    int frequency = (maximum - minimum) / (ticks - 1);
    return frequency > 0 ? frequency : 1;
}
