// Print commands and the screen-dump target (Windows only).
#ifndef QUILL_HARDCOPY_HARDCOPY_COMMANDS_H
#define QUILL_HARDCOPY_HARDCOPY_COMMANDS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Runs COMMAND hidden through the command interpreter and waits for it; error 13 with the
// runner's status as the system error status when it does not finish.
void yyprncmd_(const char *command, int command_len);

QUILL_END_DECLS

namespace quill {

// The print command runner of the close-and-print step. The Windows start-up installs
// yyprncmd_; without one (builds without Windows) a saved command is dropped unrun.
using PrintCommandRunner = void (*)(const char *command, int command_len);
void SetPrintCommandRunner(PrintCommandRunner runner);

}  // namespace quill

#endif
