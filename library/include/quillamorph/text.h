// Window text and fonts.
#ifndef QUILLAMORPH_TEXT_H
#define QUILLAMORPH_TEXT_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

QUILL_END_DECLS

#endif
