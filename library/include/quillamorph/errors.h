// Error status, error reports and error messages.
#ifndef QUILLAMORPH_ERRORS_H
#define QUILLAMORPH_ERRORS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

QUILL_END_DECLS

#endif
