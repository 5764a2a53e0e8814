// Error status, error reports and error messages.
//
// A failing routine never stops the program: it stores its error number (read with
// infoerror_ item 1), and, by the report level, reports the line "Error=", the number in four
// characters, ":" and the number's message (winfoerrormessage_): level 0 not at all, 1 on
// standard output, 2 in the debug log, 3 in part 1 of the root window's status bar, 4 in an
// OK/Cancel message box titled "Library Error", whose Cancel ends the program with exit code
// 0. Errors raised while a report is made are stored, not reported.
#ifndef QUILLAMORPH_ERRORS_H
#define QUILLAMORPH_ERRORS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// ITEM 1, 2, 3: the last error number, the file error status (the operating system's code of
// the last failing file operation) or the system error status (the code of the last failing
// operating-system routine, or zlib's status), which is then cleared to 0; ITEM 4: the report
// level (0 to 4), not cleared; any other ITEM: the value the previous call returned (0 before
// the first call).
int infoerror_(const int *item);

// MESSAGE receives the fixed message of IERROR, cut or blank-padded; blank for a number
// without one (messages exist for numbers in 1 to 66 and 1001 to 1081, for example 1 "Error
// opening file or device", 1005 "No dialogs currently loaded").
void winfoerrormessage_(const int *ierror, char *message, int message_len);

// Set the error report level (0 none, 1 standard output, 2 debug log, 3 status bar,
// 4 message box); a value outside 0 to 4 is ignored. The environment variable VUDOVUROR and
// the configuration key DEBUG set it at start-up; it is 0 otherwise.
void idebuglevel_(const int *ilevel);

// Write TEXT, all of its length, as one line ended by CR LF to the debug log: the file
// "debug" (else "debug.txt", else "debug.dat") created in the current directory at the first
// write. Nothing is reported when the log cannot be written.
void idebug_(const char *text, int text_len);

// End the process with exit code ICODE, after a message box captioned "Quillamorph" with the
// text "Abnormal exit (code ICODE) : MESSAGE" when MESSAGE is not blank.
void iosexitprogram_(const char *message, const int *icode, int message_len);

QUILL_END_DECLS

#endif
