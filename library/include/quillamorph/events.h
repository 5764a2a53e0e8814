// The event record and the event loop.
#ifndef QUILLAMORPH_EVENTS_H
#define QUILLAMORPH_EVENTS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// The event record: twelve 32-bit words. Unset values are -1.
typedef struct QuillEvent {
    int win;     // window slot 0 (root) to 20, or the dialog id of a dialog event
    int value1;  // by type: key code, menu id, control id, mouse button, width ...
    int value2;  // by type: previous field, modifiers, height ...
    int value3;  // 0 event in a window, 1 in a dialog field, 2 in a bitmap view
    int value4;  // field id of a dialog-field event, else -1
    int x, y;    // position in window units (pixels for dialog fields)
    float gx2, gy2;  // expose: graphics position of the far corner
    float gx, gy;    // graphics position of the event
    int time;        // message time
} QuillEvent;

// Waits for the next enabled event: *itype its type, *message its record. Types: 1 key,
// 2 menu, 3 push button, 4 mouse down, 5 mouse up, 6 mouse move, 7 expose, 8 resize,
// 9 close request, 10 field changed, 11 tab changed, 12 frame click, 13 timer,
// 15 bitmap view, 16 double click.
void wmessage_(int *itype, QuillEvent *message);

// The same without waiting: *itype -1 and -1 in every integer word when nothing is pending.
void wmessagepeek_(int *itype, QuillEvent *message);

QUILL_END_DECLS

#endif
