// Display information, cursor, bell and small services.
#ifndef QUILLAMORPH_DISPLAY_H
#define QUILLAMORPH_DISPLAY_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

QUILL_END_DECLS

#endif
