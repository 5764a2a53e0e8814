// Number and text conversion: formatted writes and reads, text-to-number routines.
#ifndef QUILLAMORPH_CONVERSION_H
#define QUILLAMORPH_CONVERSION_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

QUILL_END_DECLS

#endif
