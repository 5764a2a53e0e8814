// Text handling of the file dialog that needs no window system: the filter list built from the
// caller's filter text, the dialog title, and the copy of the chosen name (or, for the folder
// browser, the chosen folder) back into the caller's blank-padded variable.
#ifndef QUILL_CORE_FILE_DIALOG_TEXT_H
#define QUILL_CORE_FILE_DIALOG_TEXT_H

#include <string>

namespace quill {

// Longest filter text the dialog takes.
constexpr int kFilterTextMax = 1000;

// The filter list the window system wants ("desc\0pattern\0...\0\0") from a blank-padded
// filter text whose items each end with the separator character, which is the last
// non-blank character. A text longer than kFilterTextMax is cut back to its last whole
// description-and-pattern pair within the limit, so that the separator survives the cut.
// Returns an empty string for a blank text (no filter list).
std::string BuildFilterList(const char *text, int len);

// The dialog title: TEXT without trailing blanks, or "Select File" when it is blank or absent.
std::string FileDialogTitle(const char *text, int len);

// Length of the name that the dialog returned in BUFFER (SIZE bytes): up to the first NUL, or
// with MULTIPLE up to the first pair of NULs (the single NULs between the directory and the
// names are kept). Never reads past SIZE.
int ReturnedNameLength(const char *buffer, int size, bool multiple);

// Copies N characters of SOURCE into the blank-padded variable DEST of length LEN. When the
// name does not fit, DEST is left as it is and false is returned.
bool CopyToPadded(const char *source, int n, char *dest, int len);

// Returns a path the user chose: copies its N characters into DEST as CopyToPadded does. A
// path that does not fit is not returned (a cut one would name another file or folder): DEST
// is left as it is, error 1004 is raised and false is returned.
bool ReturnChosenPath(const char *source, int n, char *dest, int len);

}  // namespace quill

#endif
