// Child windows, window selection and window information.
#ifndef QUILLAMORPH_CHILDWINDOWS_H
#define QUILLAMORPH_CHILDWINDOWS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

QUILL_END_DECLS

#endif
