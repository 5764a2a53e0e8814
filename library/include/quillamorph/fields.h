// Typed dialog field get and put, field information, user-drawn fields, window snapshots.
#ifndef QUILLAMORPH_FIELDS_H
#define QUILLAMORPH_FIELDS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

QUILL_END_DECLS

#endif
