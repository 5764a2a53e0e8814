// Character files for the library's own code: the quoted-field helpers of text files.
#ifndef QUILL_BASE_FILES_H
#define QUILL_BASE_FILES_H

#include "quillamorph/files.h"

QUILL_BEGIN_DECLS

// Double every double quote of the text, in place, cut to the variable's length; a doubled
// quote that the cut would split is dropped whole.
void yyexpandquotes_(char *string, int string_len);

// Turn every pair of double quotes into one, in place; a single double quote stays.
void yycompressquotes_(char *string, int string_len);

QUILL_END_DECLS

#endif
