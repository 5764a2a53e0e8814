// Memory compression.
#ifndef QUILLAMORPH_COMPRESSION_H
#define QUILLAMORPH_COMPRESSION_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

QUILL_END_DECLS

#endif
