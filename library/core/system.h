// The library's thin layer over the operating system. Each routine passes its arguments by
// pointer, returns results in output arguments, and reports a failure as the operating
// system's last-error code in a status argument (0 = success).
#ifndef QUILL_CORE_SYSTEM_H
#define QUILL_CORE_SYSTEM_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// A task-modal message box with an error icon and no owner.
void yywinmessagebox_(const char *caption, const char *text);

// End the process with exit code ICODE.
void yyexit_(const int *icode);

QUILL_END_DECLS

#endif
