// The earlier program's save files: checkpoints (".chk"), million-digit milestones (".million")
// and results (".palindrome"), all in the checkpoint text layout, named from the starting
// integer, the iteration count and the local date of the save.
#ifndef VELQUIST_SAVE_FILES_H
#define VELQUIST_SAVE_FILES_H

#include <string>

#include "program.h"

namespace velquist {

enum class SaveKind { Checkpoint, Million, Palindrome };

// "<start>_<iterations>_<dd>-<mm>-<yyyy>.chk" (or ".million", ".palindrome").
std::string save_file_name(int start_number, int iteration_count, const Date &date, SaveKind kind);

}  // namespace velquist

#endif
