// Dialogs: load, select, show and unload; the bell of the numeric fields.
//
// A dialog is known by the resource id of its dialog template in the program. Loading creates
// it hidden, applies its attribute text resource of the same id (ranges, menus, formats and so
// on), and makes it the current dialog, whose fields the routines of fields.h and grid.h
// address by control id. Up to 100 dialogs can be loaded at once.
#ifndef QUILLAMORPH_DIALOGS_H
#define QUILLAMORPH_DIALOGS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Loads dialog ID (created hidden, its attribute resource applied) and makes it current; a
// dialog already loaded is only made current. The focus and the active window stay where they
// were. Error 1007 (nothing changes) when ID is absent, the program has no dialog template
// ID, 100 dialogs are loaded or the dialog cannot be made.
void wdialogload_(const int *id);

// Makes the loaded dialog ID current. Error 1008 (nothing changes) when it is not loaded.
void wdialogselect_(const int *id);

// Shows the current dialog at IX, IY (window units of the root window's client area; absent
// or -1: centred) with the focus in field IFOCUS (absent or 0: the dialog), its text selected.
// ITYPE 1 modal: the call returns when a push button closes the dialog; the values the user
// left are then in the loaded dialog, and winfodialog_ items 1, 2 and 5 give the closing
// button, the field before it and the dialog id. ITYPE 2 (absent or another value) modeless:
// the call returns at once, the dialog is the active window and reports its events through
// wmessage_, which hands it its keys: Tab and Shift+Tab move between its fields, Enter presses
// its default button and Escape its cancel id 2 (event 3), and the root window's accelerators
// act in it only when its attribute resource asks for them ("[Dialog]" 1). ITYPE 3
// modeless with every other shown dialog and every window disabled until it is hidden. A
// dialog already shown is restored and brought up. Errors: 1005 no dialog is current; 1014
// the dialog was shown as another type (type 2 while a type 3 dialog is up is shown as type
// 3; a dialog inside a window is always type 2); 1016 and 1046 a dialog inside the root
// window while the root window is hidden or is itself a dialog: not shown.
void wdialogshow_(const int *ix, const int *iy, const int *ifocus, const int *itype);

// Hides and unloads the current dialog; afterwards no dialog is current. IOPTION 0 (absent)
// also unloads the page dialogs of its tab controls, any other value keeps them loaded.
// Errors (nothing is unloaded): 1005 no dialog is current; 1047 the dialog fills a window;
// 1069 it is a tab page of another dialog.
void wdialogunload_(const int *ioption);

// The bell that numeric fields ring on a refused key: TEXT beginning "ON" (then a blank) switches
// it on (the start-up state), "OFF" off, any case; any other text rings it now (when on).
void windowbell_(const char *text, int text_len);

QUILL_END_DECLS

#endif
