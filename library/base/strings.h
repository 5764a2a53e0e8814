// String utilities for the library's own code.
#ifndef QUILL_BASE_STRINGS_H
#define QUILL_BASE_STRINGS_H

#include "quillamorph/strings.h"

QUILL_BEGIN_DECLS

// Split PATH into directory and file name: NAME receives the file name, PATH keeps the
// directory without the separator (a drive root keeps its backslash).
void yysplitp_(char *path, char *name, int path_len, int name_len);

// A leading "-" then decimal digits up to the first non-digit of the NUL-terminated TEXT;
// no digits give 0. A value beyond the 32-bit range is clamped at its ends.
int yyAsciiToInt(const char *text);

// The length of a NUL-terminated text, and the number of its characters before the first
// blank or NUL.
int yystrlen(const char *text);
int yysubstrlen(const char *text);

QUILL_END_DECLS

#endif
