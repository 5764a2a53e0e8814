// Debug log and operating-system services: environment, command line, files, directories, processes, registry.
#ifndef QUILLAMORPH_SYSTEM_H
#define QUILLAMORPH_SYSTEM_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

QUILL_END_DECLS

#endif
