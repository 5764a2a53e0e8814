// Message boxes and the file open and save dialog.
#ifndef QUILLAMORPH_COMMONDIALOGS_H
#define QUILLAMORPH_COMMONDIALOGS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Modal message box; MESSAGE and TITLE without trailing blanks. IBUTTONS: 0 OK, 1 OK/Cancel,
// 2 Retry/Cancel, 3 Yes/No, 4 Yes/No/Cancel, 5 Abort/Retry/Ignore, else OK. IICON: 1 stop,
// 2 question, 3 exclamation, 4 information, else none. IDEFAULT: the answer code of the
// default button (IBUTTONS 1 to 3: 1 the first button, else the second; 4: 1 Yes, 2 No, else
// Cancel; 5: 1 Retry, 2 Abort, else Ignore). The answer (1 OK, Yes, Retry; 0 Cancel, Ignore;
// 2 No, Abort; -1 failure, with error 1004) is read with winfodialog_ item 4.
void wmessagebox_(const int *ibuttons, const int *iicon, const int *idefault, const char *message,
                  const char *title, int message_len, int title_len);

// File open dialog, or the save dialog when IFLAGS has the value 1 set. FILTER: description
// and pattern items, each ended by the filter's last character ("Text|*.txt|"; blank: no
// filter; at most 1000 characters). FILENAME in and out: its directory (up to its last "\",
// "/" or ":") the initial directory (none: the current directory), its name the proposed name,
// its length the longest path returned; changed only on OK (a multiple selection: the
// directory and the names separated by NUL characters). TITLE (optional; blank: "Select
// File"). IFTYPE (optional, default 1) in and out: 1-based filter index. IFLAGS, a sum of: 1
// save, 2 confirm overwrite (save) or creation (open), 4 no path check, 8 keep the directory
// chosen as the current directory (else the current directory is restored), 16 multiple
// selection (open), 32 append the filter's extension, 128 the file must exist (open); other
// bits none. The answer (1 OK, 0 cancelled) is winfodialog_ item 4; a failure of the dialog
// itself gives error 1004.
void wselectfile2_(const char *filter, const int *iflags, char *filename, const char *title,
                   int *iftype, int filter_len, int filename_len, int title_len);

QUILL_END_DECLS

#endif
