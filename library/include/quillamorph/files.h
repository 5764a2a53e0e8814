// Character files: unbuffered byte I/O on files named by the caller, through the operating
// system's own file handles.
#ifndef QUILLAMORPH_FILES_H
#define QUILLAMORPH_FILES_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Open FILENAME (leading and trailing blanks cut): IMODE 0 read only, 1 write only (created
// or emptied first), 2 read and write on an existing file. IHANDLE is the handle, or -1 with
// error 1 and the system's code as the file error status (infoerror_ item 2; 0 for a blank
// name, a name of 260 characters or more, or an IMODE outside 0 to 2).
void ifileopen_(const char *filename, const int *imode, int *ihandle, int filename_len);

// Close the file; nothing is reported.
void ifileclose_(const int *ihandle);

// Read up to NBYTES bytes into BUFFER (at most its length); NREAD is the count read (fewer at
// the end of the file, then 0, without error), or -1 with error 2 and the system's code as the
// file error status. The three names are the same routine.
void ifilereadchar_(const int *ihandle, char *buffer, const int *nbytes, int *nread,
                    int buffer_len);
void ifilereadchar1_(const int *ihandle, char *buffer, const int *nbytes, int *nread,
                     int buffer_len);
void ifilereadchar2_(const int *ihandle, char *buffer, const int *nbytes, int *nread,
                     int buffer_len);

// Write NBYTES bytes of BUFFER (at most its length); NWRITTEN is the count written (a short
// write is no error: compare it with NBYTES), or -1 with error 2 and the system's code as the
// file error status. The three names are the same routine.
void ifilewritechar_(const int *ihandle, const char *buffer, const int *nbytes, int *nwritten,
                     int buffer_len);
void ifilewritechar1_(const int *ihandle, const char *buffer, const int *nbytes, int *nwritten,
                      int buffer_len);
void ifilewritechar2_(const int *ihandle, const char *buffer, const int *nbytes, int *nwritten,
                      int buffer_len);

// Move the file position by IOFFSET from IORIGIN (0 start, 1 current, 2 end); IOFFSET
// returns the new position from the start, or -1 with error 2 and the system's code as the
// file error status. Another IORIGIN does nothing.
void ifileseek_(const int *ihandle, int *ioffset, const int *iorigin);

QUILL_END_DECLS

#endif
