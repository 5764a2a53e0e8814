// The arithmetic and character rules of the numeric edit fields, apart from any window:
// which typed characters a field takes, what a spin arrow does to a value, and the tick
// frequency of a track bar.
#ifndef QUILL_CORE_NUMERIC_VALUES_H
#define QUILL_CORE_NUMERIC_VALUES_H

// Field kinds, as field type codes.
enum NumericKind { kNumericNone = 0, kNumericInteger = 5, kNumericReal = 6, kNumericDouble = 7 };

// What a numeric field does with a typed character.
enum CharAction { kCharReject = 0, kCharAccept = 1, kCharSelectAll = 2 };

namespace quill {

// The action for character C typed into a field of KIND whose decimal character is DECIMAL;
// an accepted character is passed on as *PASSED (exponent letters upper-cased).
int NumericCharAction(int kind, int c, char decimal, int *passed);

// The value after one spin of DELTA (1 and -1 the small STEP, 5 and -5 the large PAGE step):
// clamped to minimum..maximum when minimum <= maximum; an integer field is truncated and,
// unless clamped, brought down to the next lower multiple of the step just applied (a step
// of 0 leaves it as it is).
double SteppedSpinValue(double value, int delta, double step, double page, double minimum,
                        double maximum, int integer);

// Tick frequency of a track bar from its range and tick count; 1 when it has fewer than two
// ticks or an empty range.
int TrackBarTickFrequency(int minimum, int maximum, int ticks);

}  // namespace quill

#endif
