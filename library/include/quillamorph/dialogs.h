// Dialogs: load, select, show and unload; numeric edit classes.
#ifndef QUILLAMORPH_DIALOGS_H
#define QUILLAMORPH_DIALOGS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Loads dialog ID (created hidden, its attribute resource applied) and makes it current.
void wdialogload_(const int *id);
// Makes the loaded dialog ID current.
void wdialogselect_(const int *id);
// Shows the current dialog at IX, IY (window units; absent or -1: centred) with the focus in
// field IFOCUS (absent or 0: none); ITYPE 1 modal, 2 modeless (default), 3 modeless with the
// other dialogs and windows disabled.
void wdialogshow_(const int *ix, const int *iy, const int *ifocus, const int *itype);
// Hides and unloads the current dialog; IOPTION 0 (default) also unloads its tab pages.
void wdialogunload_(const int *ioption);

// The bell of the numeric fields: "ON" switches it on, "OFF" off, any other text rings it now.
void windowbell_(const char *text, int text_len);

QUILL_END_DECLS

#endif
