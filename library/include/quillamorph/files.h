// Character files: unbuffered byte I/O on files named by the caller, through the operating
// system's own file handles.
#ifndef QUILLAMORPH_FILES_H
#define QUILLAMORPH_FILES_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Open FILENAME: IMODE 0 read only, 1 write only (created or emptied first), 2 read and
// write on an existing file. IHANDLE is the handle, or -1 with error 1.
void ifileopen_(const char *filename, const int *imode, int *ihandle, int filename_len);

// Close the file; nothing is reported.
void ifileclose_(const int *ihandle);

// Read up to NBYTES bytes into BUFFER (at most its length); NREAD is the count read (0 at
// the end of the file), or -1 with error 2.
void ifilereadchar_(const int *ihandle, char *buffer, const int *nbytes, int *nread, int buffer_len);
void ifilereadchar1_(const int *ihandle, char *buffer, const int *nbytes, int *nread, int buffer_len);
void ifilereadchar2_(const int *ihandle, char *buffer, const int *nbytes, int *nread, int buffer_len);

// Write NBYTES bytes of BUFFER (at most its length); NWRITTEN is the count written, or -1
// with error 2.
void ifilewritechar_(const int *ihandle, const char *buffer, const int *nbytes, int *nwritten, int buffer_len);
void ifilewritechar1_(const int *ihandle, const char *buffer, const int *nbytes, int *nwritten, int buffer_len);
void ifilewritechar2_(const int *ihandle, const char *buffer, const int *nbytes, int *nwritten, int buffer_len);

// Move the file position by IOFFSET from IORIGIN (0 start, 1 current, 2 end); IOFFSET
// returns the new position from the start, or -1 with error 2. Another IORIGIN does nothing.
void ifileseek_(const int *ihandle, int *ioffset, const int *iorigin);

QUILL_END_DECLS

#endif
