// Menus, tool bars and tool tips.
#ifndef QUILLAMORPH_MENUS_H
#define QUILLAMORPH_MENUS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

QUILL_END_DECLS

#endif
