// Number and text conversions for the library's own code: the decimal character, and the
// conversions that fields and grid cells use. Their text arguments are work buffers: the
// text up to the first NUL (or, without a NUL, up to the last non-blank) is what they read,
// and what they write is left-justified, followed by a NUL and blanks.
#ifndef QUILL_BASE_CONVERSION_H
#define QUILL_BASE_CONVERSION_H

#include "quillamorph/conversion.h"

QUILL_BEGIN_DECLS

// The locale's decimal character, kept for the numeric fields as well.
extern char wDecimal;

// Write the value by "(I11)" or by FORMAT, left-justified and NUL-terminated; errors are
// reported.
void yyint2st_(const int *ivalue, char *text, int text_len);
void yyrea2st_(const float *value, char *text, const char *format, int text_len, int format_len);
void yydbl2st_(const double *dvalue, char *text, const char *format, int text_len, int format_len);

// Quiet readers: nothing is reported and the error state is left as it was; an invalid text
// gives 0 (and IOK 0 for yyst2dblcheck_).
void yyst2int_(int *ivalue, const char *text, int text_len);
void yyst2rea_(float *value, const char *text, int text_len);
void yyst2dbl_(double *dvalue, const char *text, int text_len);
void yyst2dblcheck_(double *dvalue, int *iok, const char *text, int text_len);

// Quiet normalisers: the text is read and written back in its canonical form ("(I11)" for
// yyformi_, FORMAT for the others); an invalid text becomes the formatted 0.
void yyformi_(char *text, int text_len);
void yyformr_(char *text, const char *format, int text_len, int format_len);
void yyformd_(char *text, const char *format, int text_len, int format_len);

QUILL_END_DECLS

namespace quill {

// The decimal-comma option (0 at start): when 1, number output writes the decimal character
// in place of "." and number input accepts both.
void SetDecimalCommaOption(int option);
int DecimalCommaOption();
void SetDecimalChar(char c);

}  // namespace quill

#endif
