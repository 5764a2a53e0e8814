// Operating-system services that programs call: deleting files by pattern. (The debug log is
// declared with the errors, character files in files.h.)
#ifndef QUILLAMORPH_SYSTEM_H
#define QUILLAMORPH_SYSTEM_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Delete the files matching FILENAME, whose last component (after its last "\", "/" or ":")
// may hold wildcards; each file found is deleted in the folder FILENAME names. Directories
// are left alone (a pattern matching only directories deletes nothing and reports nothing).
// No match, or a file that cannot be deleted (the other matches are still deleted), raises
// error 13 with the system's code as the system error status (infoerror_ item 3). A blank
// FILENAME does nothing. FILENAME holds at most 260 characters without its trailing blanks: a
// longer one deletes nothing and raises error 13 with the system error status 206 (the
// Windows code ERROR_FILENAME_EXCED_RANGE, "the file name is too long").
void iosdeletefile_(const char *filename, int filename_len);

QUILL_END_DECLS

#endif
