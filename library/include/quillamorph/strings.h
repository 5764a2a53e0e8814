// String utilities on blank-padded texts: case, first word, justification, case-insensitive
// search and the current directory.
#ifndef QUILLAMORPH_STRINGS_H
#define QUILLAMORPH_STRINGS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Letters a-z become A-Z (iuppercase_) or A-Z become a-z (ilowercase_) in place.
void iuppercase_(char *string, int string_len);
void ilowercase_(char *string, int string_len);

// The first word: IFIRST its first non-blank position, ILAST the position before the next
// blank (or the length); both 0 for a blank text.
void ilocatestring_(const char *string, int *ifirst, int *ilast, int string_len);

// The position of the first character that is neither blank nor NUL, 0 when there is none.
int ilocatechar_(const char *string, int string_len);

// Justify the text in place: JUSTIFY holding L (either case) left, else R right (so "CENTRE"
// is right), else centred (an odd spare blank goes to the right).
void ijustifystring_(char *string, const char *justify, int string_len, int justify_len);

// The position of SUBSTRING in STRING ignoring case (0 when absent or longer than STRING);
// from the end when BACK is present and true (non-zero). An empty SUBSTRING gives 1 (from the
// end: the length of STRING + 1).
int indexnocase_(const char *string, const char *substring, const int *back, int string_len,
                 int substring_len);

// DIRNAME receives the current directory, blank-padded. When it does not fit, DIRNAME is blank
// with error 1023; when the system fails, blank with error 13 and the system's code as the
// system error status (infoerror_ item 3).
void iosdirname_(char *dirname, int dirname_len);

QUILL_END_DECLS

#endif
