// Conversions between numbers and blank-padded texts.
#ifndef QUILLAMORPH_CONVERSION_H
#define QUILLAMORPH_CONVERSION_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Write the value into STRING, blank-padded, by the run-time FORMAT, a parenthesised list of
// edit descriptors such as "(I11)", "(F8.2)", "(E12.4)", "(G15.5E2)" or "('x=',I5)": Iw[.m]
// for integers (and G); Fw.d, Ew.d[Ee], Dw.d and Gw.d[Ee] for reals and doubles; with repeat
// counts, nX, Tn, TLn, TRn, quoted and nH literals, groups, SP, SS, S and the scale factor kP.
// Widths, decimal counts, exponent digits and positions go up to 100000, repeat counts and
// scale factors up to 2147483647. A value too wide for its field, a format that cannot be
// read, a descriptor that does not suit the value or a STRING too short gives "**********"
// (cut to STRING's length) and error 18; so does a nonzero value under a scale factor above
// 100324, in any field (its integer part would be wider than the widest field). Reals and
// doubles are written with the locale's decimal character when the fields' decimal-comma
// switch is on.
void integertostring_(const int *ivalue, char *string, const char *format, int string_len,
                      int format_len);
void irealtostring_(const float *value, char *string, const char *format, int string_len,
                    int format_len);
void idoubletostring_(const double *dvalue, char *string, const char *format, int string_len,
                      int format_len);

// Read a number from the first word of STRING: an optional sign and digits; reals and doubles
// also a decimal point and an exponent after "E" or "e" (doubles also "D" or "d"; a sign three
// characters from the end stands for a dropped letter, as in "0.12345+100"). Integers lie in
// -2147483647 to 2147483647, reals within 1E38 and doubles 1D308. Errors: 10 blank text, 11 two
// decimal points, 12 an invalid character, 4 a number too large; the value is then 0.
void istringtointeger_(const char *string, int *ivalue, int string_len);
void istringtoreal_(const char *string, float *value, int string_len);
void istringtodouble_(const char *string, double *dvalue, int string_len);

// Take the first word off STRING (it is blanked there, STRING is not shifted), copied into
// ITEM (blank-padded or cut; blank for a blank STRING) or read as a number with the errors
// of the routines above.
void inextstring_(char *string, char *item, int string_len, int item_len);
void inextinteger_(char *string, int *ivalue, int string_len);
void inextreal_(char *string, float *value, int string_len);
void inextdouble_(char *string, double *dvalue, int string_len);

QUILL_END_DECLS

#endif
