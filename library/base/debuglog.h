// The library's debug log: a text file created on first use in the current directory, named
// "debug", else "debug.txt", else "debug.dat", with lines ending in CR LF. When none of the
// three can be created the writes are dropped silently.
#ifndef QUILL_BASE_DEBUGLOG_H
#define QUILL_BASE_DEBUGLOG_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Create the log on the first call; later calls do nothing, also after a failure.
void yydebugopen(void);

// Write the NUL-terminated TEXT and CR LF.
void yydebugc(const char *text);
void yydebug_(const char *text);

// Write the line NAME=IVALUE and CR LF.
void yydebugi(const char *name, const int *ivalue);

QUILL_END_DECLS

#endif
