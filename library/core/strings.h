// String utilities for the library's own code.
#ifndef QUILL_CORE_STRINGS_H
#define QUILL_CORE_STRINGS_H

#include "quillamorph/strings.h"

QUILL_BEGIN_DECLS

// Split PATH into directory and file name: NAME receives the file name, PATH keeps the
// directory without the separator (a drive root keeps its backslash).
void yysplitp_(char *path, char *name, int path_len, int name_len);

QUILL_END_DECLS

#endif
