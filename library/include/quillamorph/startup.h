// Library start-up, configuration and shutdown.
#ifndef QUILLAMORPH_STARTUP_H
#define QUILLAMORPH_STARTUP_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

QUILL_END_DECLS

#endif
