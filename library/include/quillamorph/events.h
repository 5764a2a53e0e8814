// The event record and the event loop.
//
// A program asks for the next event and gets its type and a record of twelve 32-bit words.
// Event types, with what the record holds (unset words are -1):
//    1 key            VALUE1 the character code, or a key code (below); VALUE3 0 (2 in a
//                     bitmap view); X, Y the cursor position
//    2 menu           VALUE1 the menu item or accelerator id
//    3 push button    WIN the dialog id; VALUE1 the control id, VALUE2 the field that had the
//                     focus before
//    4 mouse down     VALUE1 button 1 left, 2 middle, 3 right; VALUE2 modifiers; X, Y
//    5 mouse up       as type 4
//    6 mouse move     VALUE2 modifiers; X, Y
//    7 expose         X, Y the upper-left corner and VALUE1, VALUE2 the width and height of
//                     the area to redraw (window units); GX, GY and GX2, GY2 its corners in
//                     graphics units. A window covered while the program computed yields one
//                     expose of its whole client area at the next wait.
//    8 resize         VALUE1, VALUE2 the new client width and height in pixels (not when
//                     minimised); the graphics area is fitted to the new size
//    9 close request  the window's close box or system menu; nothing is closed
//   10 field changed  WIN the dialog id; VALUE1 the field left, VALUE2 the field entered (also
//                     track bars, spin buttons, tree views and grids: X the previous and Y the
//                     new grid cell)
//   11 tab changed    WIN the dialog id; VALUE1 the page dialog left, VALUE2 the one selected
//   12 frame click    a button on the window's frame or caption: VALUE1 as type 4
//   13 timer          VALUE1 the timer id
//   15 bitmap view    VALUE1, VALUE2 the bitmap viewer's notification values; VALUE3 2
//   16 double click   as type 4
// Types 1, 2, 3, 4, 7, 8, 9 and 13 are reported; 5, 6, 10, 11, 12, 15 and 16 are switched off
// (no public routine switches them on) and their events are dropped; while 16 is off a double
// click gives a second type 4. WIN is the window slot (0 the root, 1
// to 20 child windows) for window events. Mouse, key and expose events in a user-drawn dialog
// field have VALUE3 1, VALUE4 the field id, WIN the dialog id and X, Y in pixels of the field;
// in a window VALUE3 0, X and Y in window units (0 to 9999 across the client area).
// Modifiers: the sum of 1 Ctrl, 2 Shift, 4 left, 8 middle and 16 right button held.
// Key codes (VALUE1 of type 1 for keys without a character): Tab 9, Shift+Tab 274; Up, Down,
// Right, Left 258, 259, 260, 261, each + 4 with Shift and + 8 with Ctrl; Page Up 262, Page
// Down 263; Home 270; End 271; Insert 272; Delete 273; keypad 0 to 9 280 to 289 (5 and Clear
// 285); keypad - 290, . 291, + 292, / 293, * 294; Print Screen 300; F1 to F20 301 to 320, + 20
// with Shift and + 40 with Ctrl; any other key its Windows virtual-key code (Shift and Ctrl not
// reported). Shift, Ctrl, Alt, Pause and the lock keys give no event.
#ifndef QUILLAMORPH_EVENTS_H
#define QUILLAMORPH_EVENTS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// The event record: twelve 32-bit words. Unset values are -1.
typedef struct QuillEvent {
    int win;         // window slot 0 (root) to 20, or the dialog id of a dialog event
    int value1;      // by type: key code, menu id, control id, mouse button, width ...
    int value2;      // by type: previous field, modifiers, height ...
    int value3;      // 0 event in a window, 1 in a dialog field, 2 in a bitmap view
    int value4;      // field id of a dialog-field event, else -1
    int x, y;        // position in window units (pixels for dialog fields)
    float gx2, gy2;  // expose: graphics position of the far corner
    float gx, gy;    // graphics position of the event
    int time;        // message time
} QuillEvent;

// Waits for the next reported event: *ITYPE its type, *MESSAGE its record. Window messages
// are handled meanwhile (dialog keys, accelerators, repainting). Events that arrived while
// the program did not wait (a second field change, an expose or resize of a window) are
// returned first, one per call.
void wmessage_(int *itype, QuillEvent *message);

// The same without waiting: *ITYPE -1 and -1 in every integer word of MESSAGE (WIN, VALUE1 to
// VALUE4, X, Y, TIME; the graphics words are left as they were) when nothing is pending.
// Polling also lets windows and dialogs repaint.
void wmessagepeek_(int *itype, QuillEvent *message);

QUILL_END_DECLS

#endif
