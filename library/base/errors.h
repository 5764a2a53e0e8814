// The library's error path, for the library's own code.
//
// A failing routine calls yyerror_ (or RaiseError) with its error number and carries on. The
// number is kept for infoerror_ and reported by the report level: 0 nothing, 1 a line on
// standard output, 2 a line in the debug log, 3 the root window's status bar, 4 a message box
// whose Cancel ends the process. Routines that only probe a conversion use QuietErrors.
#ifndef QUILL_BASE_ERRORS_H
#define QUILL_BASE_ERRORS_H

#include "quillamorph/errors.h"

#include <string>

QUILL_BEGIN_DECLS

// Store ICODE as the last error number and report it by the report level.
void yyerror_(const int *icode);

// Store ICODE as the last error number, nothing else.
void yyseterror_(const int *icode);

QUILL_END_DECLS

namespace quill {

// The same as yyerror_ for callers holding a plain number.
void RaiseError(int code);

// The file error status (the system code of the last failing file operation) and the system
// error status (the code of the last failing operating-system routine, or zlib's status).
void SetFileError(int code);
void SetSystemError(int code);

// Sets the four status words to 0: the last error, the file and system errors and the report
// level, as library initialisation starts them.
void ResetErrorState();

// The last error number and the report level, read without clearing anything.
int LastErrorNumber();
int ReportLevel();

// The 73-character report line of error CODE with its trailing blanks removed:
// "Error=", the number in 4 characters, ":" and the message.
std::string ErrorReportLine(int code);

// The fixed message of CODE, or "" when the number has none.
const char *ErrorMessageText(int code);

}  // namespace quill

// Saves the last error number and the report level and sets both to 0, so that errors raised
// while it lives are neither reported nor left visible; restores both when it goes.
struct QuietErrors {
    int saved_error;
    int saved_level;
    QuietErrors();
    ~QuietErrors();
    QuietErrors(const QuietErrors &) = delete;
    QuietErrors &operator=(const QuietErrors &) = delete;
    // The error number raised since the guard began (0 = none).
    int error() const;
};

// One entry of the generated message table.
struct ErrorMessage {
    int number;
    const char *text;
};

namespace quill {

extern const ErrorMessage kErrorMessages[];
extern const int kErrorMessageCount;

// Reports of levels 3 (the root window's status bar) and 4 (a message box) need the window
// system, which this layer does not know: library initialisation installs the routine that
// makes them. LINE is the trimmed report line. Until one is installed such reports are skipped.
using ErrorReportHook = void (*)(int level, const char *line);
void SetErrorReportHook(ErrorReportHook hook);

}  // namespace quill

#endif
