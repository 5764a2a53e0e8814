// String utilities on blank-padded texts.
#ifndef QUILLAMORPH_STRINGS_H
#define QUILLAMORPH_STRINGS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

QUILL_END_DECLS

#endif
