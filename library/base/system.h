// The library's thin layer over the operating system. Each routine passes its arguments by
// pointer, returns results in output arguments, and reports a failure as the operating
// system's last-error code in a status argument S (0 = success). Texts are NUL-terminated.
//
// The file and directory routines used by portable code (open, close, read, write, seek,
// current directory) exist in every build; the others only on Windows.
#ifndef QUILL_BASE_SYSTEM_H
#define QUILL_BASE_SYSTEM_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Files by handle. MODE 0 opens for reading, 1 creates (or empties) the file for writing,
// any other value opens an existing file for reading and writing; HANDLE -1 on failure.
void yyopen_(const char *name, const int *mode, int *handle, int *s);
void yyclos_(const int *handle);
void yyread_(const int *handle, void *buffer, const int *n, int *nread, int *s);
void yyreadc_(const int *handle, void *buffer, const int *n, int *nread, int *s);
void yywrit_(const int *handle, const void *buffer, const int *n, int *nwritten, int *s);
void yywritc_(const int *handle, const void *buffer, const int *n, int *nwritten, int *s);
// ORIGIN 0 start, 1 current, 2 end; OFFSET returns the new position (saturated at 2^31-1).
void yyseek_(const int *handle, int *offset, const int *origin, int *s);

// The current directory into BUFFER of SIZE bytes; ITRUNC 1 when it did not fit.
void yydirn_(char *buffer, int *s, int *itrunc, const int *size);

#ifdef _WIN32
void yywinmessagebox_(const char *caption, const char *text);
void yywinver_(int *major, int *minor);
void yywinvariant_(int *ivariant);
int yywinplat(void);
void yygenv_(int *n, const char *name, char *buffer, const int *size);
void yyexec_(const char *command, int *r);
void yydate_(int *year, int *month, int *day);
void yytime_(int *hour, int *minute, int *second, int *milliseconds);
void yywincurrtime_(int *t);
// Free space of the current drive in bytes, saturated at 2^31-1.
void yydspace_(int *bytes);
void yyexit_(const int *icode);
void yydirc_(const char *path, int *s);
void yydird_(const char *path, int *s);
void yydirm_(const char *path, int *s);
void yydisk_(int *serial, const char *root);
void yysysdir_(char *buffer, int *s, const int *size);
void yydelf_(const char *name, int *s);
void yyrenf_(const char *oldname, const char *newname, int *s);
void yycopyf_(const char *from, const char *to, int *s);
void yyfileattr_(const int *iattr, int *s, const char *name);
void yyfileinfo_(int *size, int *year, int *month, int *day, int *hour, int *minute, int *second,
                 int *iattr, const char *name);
// INEXT 0 starts a search for the pattern NAME, else continues it. NAME (NAMESIZE bytes)
// receives the found name; S 0 found, 1 no more entries, else the error of the first search.
void yyfind_(const int *inext, char *name, int *iattr, int *idostime, int *size, int *s,
             const int *namesize);
void yyfindclose_(void);
void yygetcl_(char *buffer, const int *size);
void yygetexe_(char *buffer, const int *size);
void yydrivetype_(int *itype, const char *root);
void yyregkeydel_(const int *hkey, int *s, const char *subkey);
void yyregkeyget_(const int *hkey, int *itype, int *n, const char *subkey, const char *value,
                  void *data);
void yyregkeyput_(const int *hkey, const int *itype, int *s, const char *subkey, const char *value,
                  const void *data, const int *n);
void yyusername_(int *s, int *itrunc, char *buffer, const int *size);
void yycmnd_(const char *command, const int *ihide, const int *iwait, const int *iseconds, int *s);
#endif

QUILL_END_DECLS

#endif
