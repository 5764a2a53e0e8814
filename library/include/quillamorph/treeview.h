// Tree-view fields.
#ifndef QUILLAMORPH_TREEVIEW_H
#define QUILLAMORPH_TREEVIEW_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

QUILL_END_DECLS

#endif
