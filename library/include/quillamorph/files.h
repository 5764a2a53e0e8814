// Character-file I/O on operating-system file handles.
#ifndef QUILLAMORPH_FILES_H
#define QUILLAMORPH_FILES_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

QUILL_END_DECLS

#endif
