// Error status, error reports and error messages.
#ifndef QUILLAMORPH_ERRORS_H
#define QUILLAMORPH_ERRORS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// ITEM 1, 2, 3: the last error number, file error status or system error status, which is
// then cleared; ITEM 4: the report level (0 to 4), not cleared; any other ITEM: the value the
// previous call returned.
int infoerror_(const int *item);

// MESSAGE receives the fixed message of IERROR, cut or blank-padded; blank when it has none.
void winfoerrormessage_(const int *ierror, char *message, int message_len);

// Set the error report level (0 none, 1 standard output, 2 debug log, 3 status bar,
// 4 message box); a value outside 0 to 4 is ignored.
void idebuglevel_(const int *ilevel);

// Write TEXT, all of its length, as one line to the debug log.
void idebug_(const char *text, int text_len);

// End the process with exit code ICODE, after a message box when MESSAGE is not blank.
void iosexitprogram_(const char *message, const int *icode, int message_len);

QUILL_END_DECLS

#endif
