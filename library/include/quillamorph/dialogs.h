// Dialogs: load, select, show and unload; numeric edit classes.
#ifndef QUILLAMORPH_DIALOGS_H
#define QUILLAMORPH_DIALOGS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

QUILL_END_DECLS

#endif
