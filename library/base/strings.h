// String utilities for the library's own code.
#ifndef QUILL_BASE_STRINGS_H
#define QUILL_BASE_STRINGS_H

#include <cstddef>
#include <string>

#include "quillamorph/strings.h"

QUILL_BEGIN_DECLS

// Split PATH into directory and file name at its last "\", "/" or ":": NAME receives the file
// name, PATH keeps the directory without the separator (a drive root keeps its own).
void yysplitp_(char *path, char *name, int path_len, int name_len);

// A leading "-" then decimal digits up to the first non-digit of the NUL-terminated TEXT;
// no digits give 0. A value beyond the 32-bit range is clamped at its ends.
int yyAsciiToInt(const char *text);

// The length of a NUL-terminated text, and the number of its characters before the first
// blank or NUL.
int yystrlen(const char *text);
int yysubstrlen(const char *text);

QUILL_END_DECLS

namespace quill {

// Copies the LENGTH characters at TEXT into BUFFER of SIZE bytes as a NUL-terminated text, cut
// to SIZE - 1 characters when it does not fit. Nothing is written when BUFFER is null or SIZE
// is 0 or less, so a caller's size can be passed through unchecked.
void CopyTerminated(char *buffer, std::ptrdiff_t size, const char *text, std::size_t length);
// The same for a NUL-terminated TEXT (null counts as empty); no more of it is read than fits.
void CopyTerminated(char *buffer, std::ptrdiff_t size, const char *text);
void CopyTerminated(char *buffer, std::ptrdiff_t size, const std::string &text);

// A copy of the NUL-terminated TEXT in memory from malloc, for the caller to free; null when
// TEXT is null or memory runs out.
char *DuplicateText(const char *text);

// The length of the folder part of the first LENGTH characters of PATH: everything up to and
// including the last "\", "/" (which Windows takes as a separator too) or the ":" after a
// drive letter; 0 when there is none.
std::size_t FolderPartLength(const char *path, std::size_t length);
std::size_t FolderPartLength(const std::string &path);

}  // namespace quill

#endif
