// Library start-up, the root window and shutdown.
#ifndef QUILLAMORPH_STARTUP_H
#define QUILLAMORPH_STARTUP_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Reads the environment and the configuration file (inifile, or null for the usual search)
// and sets the library's defaults. Only the first call of a process does anything.
void winitialise_(const char *inifile, int inifile_len);

// Opens the root window. flags: 1 system menu, 2 minimise box, 4 maximise box, 8 maximised,
// 0x20 status bar, 0x40 fixed size, 0x80 hidden, 0x200 always on top (default 7). x, y: frame
// position in pixels (-999999 centred); width, height: client size (default 80 % of the
// screen); menuid: menu resource; toolbars: four tool-bar resource ids (top, left, right,
// bottom); dialogid: a child dialog template that gives the window its size and content;
// title: caption; ncolours: palette size on 256-colour screens. Every argument is optional.
void windowopen2_(const int *flags, const int *x, const int *y, const int *width,
                  const int *height, const int *menuid, const int *toolbars,
                  const int *dialogid, const char *title, const int *ncolours, int title_len);

// Closes hardcopy, the metafiles, every window and dialog of the library.
void windowclose_(void);

// value := the environment variable name (blanks trimmed); blank when unset. A value that
// does not fit is refused with error 1023 and value stays blank.
void iosvariable_(const char *name, char *value, int name_len, int value_len);

// text := the library's version for item 2, else blank.
void infoversion_(char *text, const int *item, int text_len);

QUILL_END_DECLS

#endif
