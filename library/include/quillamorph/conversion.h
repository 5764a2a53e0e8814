// Conversions between numbers and blank-padded texts.
#ifndef QUILLAMORPH_CONVERSION_H
#define QUILLAMORPH_CONVERSION_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Write the value into STRING by the run-time FORMAT, for example "(I11)", "(F8.2)" or
// "(G15.5E2)". A value that does not fit gives "**********" and error 18.
void integertostring_(const int *ivalue, char *string, const char *format, int string_len, int format_len);
void irealtostring_(const float *value, char *string, const char *format, int string_len, int format_len);
void idoubletostring_(const double *dvalue, char *string, const char *format, int string_len, int format_len);

// Read a number from the first word of STRING. Errors: 10 blank text, 11 two decimal
// points, 12 an invalid character, 4 a number too large; the value is then 0.
void istringtointeger_(const char *string, int *ivalue, int string_len);
void istringtoreal_(const char *string, float *value, int string_len);
void istringtodouble_(const char *string, double *dvalue, int string_len);

// Take the first word off STRING (it is blanked there, STRING is not shifted), copied into
// ITEM or read as a number.
void inextstring_(char *string, char *item, int string_len, int item_len);
void inextinteger_(char *string, int *ivalue, int string_len);
void inextreal_(char *string, float *value, int string_len);
void inextdouble_(char *string, double *dvalue, int string_len);

QUILL_END_DECLS

#endif
