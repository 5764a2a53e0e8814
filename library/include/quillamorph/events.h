// The event record and the event loop.
#ifndef QUILLAMORPH_EVENTS_H
#define QUILLAMORPH_EVENTS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

QUILL_END_DECLS

#endif
