// Library start-up, the root window and shutdown.
//
// A program calls winitialise_, then windowopen2_, works with windows, dialogs and events, and
// calls windowclose_ last.
#ifndef QUILLAMORPH_STARTUP_H
#define QUILLAMORPH_STARTUP_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Reads the environment and the configuration file and sets the library's defaults. Only the
// first call of a process does anything. The configuration file is INIFILE when it is given,
// not blank and exists; else the file named by QUILINIT; else "quilla.ini" in the current
// directory; else "quilla.ini" in the library's base directory (QUILLA; else QIDE up to the
// word "QIDE"; else "\quil\" on the current drive); without one the defaults stand. Its lines
// are KEY=value; the keys are CHARDIR and CHARSET (texts), DEBUG (report level, as
// idebuglevel_), PRINTER (iprinter_), PLOTTER (iplotter_), HPGL2 (iprinter2_), LFNGEN,
// LFNPLOTI and LFNPLOTO (unit numbers); other keys, lines without "=" and numbers that do not
// convert are ignored, and a key beginning "VER" shows "Quillamorph version 5.0b" and ends the
// program. The environment variable VUDOVUROR sets the report level first (its first digit).
void winitialise_(const char *inifile, int inifile_len);

// Opens the root window. flags: 1 system menu, 2 minimise box, 4 maximise box, 8 maximised,
// 0x20 status bar, 0x40 fixed size, 0x80 hidden, 0x200 always on top (default 7). x, y: frame
// position in pixels (-999999 centred, the default); width, height: client size (absent or not
// positive: 80 % of the screen); menuid: menu resource (with the accelerator table of the same
// id); toolbars: four tool-bar resource ids (top, left, right, bottom; 0 none); dialogid: a
// child dialog template (child style, no caption or system menu) that gives the window its
// size and content, shown modeless at once and made the current dialog; the window is then of
// fixed size and never hidden or maximised; title: caption; ncolours: palette size on
// 256-colour screens, 16, 32, 64 or 128 (anything else 16). Every argument is optional. It
// then initialises the graphics (igrinit_). Errors: 1007 the dialog template cannot be
// created, 1045 it is not a child dialog as described (the window opens without it). A
// second call before windowclose_ does nothing. When a window class cannot be registered or
// the window cannot be made, a message box ("Failed to register class - aborting.", "Failed
// to create window - aborting.") is shown and the process ends.
void windowopen2_(const int *flags, const int *x, const int *y, const int *width, const int *height,
                  const int *menuid, const int *toolbars, const int *dialogid, const char *title,
                  const int *ncolours, int title_len);

// Closes hardcopy (as igrhardcopy_ "S"), the metafile slots, every window and dialog and the
// graphics objects of the library. windowopen2_ may then open a root window again.
void windowclose_(void);

// value := the environment variable name (blanks trimmed); blank when unset. A value that
// does not fit is refused with error 1023 and value stays blank.
void iosvariable_(const char *name, char *value, int name_len, int value_len);

// text := the library's version "5.0b" for item 2, else blank.
void infoversion_(char *text, const int *item, int text_len);

QUILL_END_DECLS

#endif
