// Message boxes and common dialogs.
#ifndef QUILLAMORPH_COMMONDIALOGS_H
#define QUILLAMORPH_COMMONDIALOGS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

QUILL_END_DECLS

#endif
