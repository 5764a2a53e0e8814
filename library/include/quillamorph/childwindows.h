// Child windows, window selection and window information.
#ifndef QUILLAMORPH_CHILDWINDOWS_H
#define QUILLAMORPH_CHILDWINDOWS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Make window IWIN (0 the root window, 1 to 20 child windows) the current window, the one that
// drawing, the status bar and the window queries act on; an unopened slot or one outside 0 to
// 20 raises error 1003 and changes nothing.
void windowselect_(const int *iwin);

// Write TEXT (without trailing blanks) into part IPART (1 to 255) of the current window's
// status bar; nothing when the window has none.
void windowoutstatusbar_(const int *ipart, const char *text, int text_len);

// Facts about the current window: 1, 2 client width and height in pixels; 3 open flags (of
// windowopen2_ for the root; -1 after windowclose_); 4 window slot; 5, 6 frame position (screen
// pixels; window units of the parent for a window inside another); 7, 8 the client area's
// top-left corner in screen pixels; 9 state (0 minimised, 1 normal, 2 maximised, 3 hidden);
// 10 window type (0 plain); 11, 12 client width and height when restored. Any other ITEM: the
// value returned last.
int winfowindow_(const int *item);

// Facts about dialogs: 1, 2, 5 closing button, previous field and id of the last dialog shown
// modally (a message box or file dialog sets item 2 to 0); 3 id of the current dialog; 4 answer
// of the last message box or file dialog; 6, 7 position and 8, 9 size of the current dialog
// (screen pixels; window units for a dialog inside a window); 10 its kind (0 none, 1
// top-level, 2 inside a window, 3 inside a dialog, 4 combined with a window). Any other ITEM:
// the value returned last.
int winfodialog_(const int *item);

// Window units (0 to 9999 across the client area) to pixels of the current window, and back:
// pixels = (client size - 1) x units / 9999; units = (pixels + 0.5) x 9999 / client size,
// truncated (0 when the client size is below 2).
void windowunitstopixels_(const int *ix, const int *iy, int *ixp, int *iyp);
void windowunitsfrompixels_(const int *ixp, const int *iyp, int *ix, int *iy);

QUILL_END_DECLS

#endif
