// Number fields of the plot files. A value too wide for its field widens the field instead of
// filling it with asterisks, so no file ever holds an unreadable number; reals are clamped
// before they become integers, so NaN and huge values give defined results.
#ifndef QUILL_HARDCOPY_PLOT_FIELDS_H
#define QUILL_HARDCOPY_PLOT_FIELDS_H

#include <string>

namespace quill {

// V right-justified in W characters (wider when it needs more).
std::string IntField(long long v, int w);

// V with D decimals right-justified in W characters (wider when it needs more). NaN is
// written as 0; the magnitude is limited to 1e9. A value that rounds to zero has no sign.
std::string FixedField(double v, int w, int d);

// V truncated toward zero into the 32-bit range; NaN gives 0.
int TruncateClamped(double v);

// V rounded to the nearest integer, halves away from zero, into the 32-bit range.
int RoundToInt(double v);

// TEXT with leading and trailing blanks dropped.
std::string StripBlanks(const std::string &text);

}  // namespace quill

#endif
