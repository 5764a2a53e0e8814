// Internal state of the event loop: the current event, the enable table, the pending table,
// and the routines every library window and dialog procedure calls. Win32 only.
#ifndef QUILL_CORE_EVENTS_H
#define QUILL_CORE_EVENTS_H

#include <windows.h>

#include "core/event_codes.h"
#include "core/startup.h"
#include "quillamorph/events.h"

// The current event.
extern int wMessageType, wMessageWin, wMessageValue1, wMessageValue2, wMessageValue3,
    wMessageValue4, wMessageX, wMessageY, wMessageTime;
extern int wValidMessage;       // 1 while a dispatcher waits, 0 once the event is complete
extern int wQuitCode;           // exit code of the last quit message a waiting dispatcher took
extern int bInWMessage;         // 1 while a dispatcher runs
extern int bSetFromCell;        // 1 from the start of a dispatch until a field change used it
extern int bExpectPaintResize;  // 1 while a dispatcher itself dispatches WM_PAINT or WM_SIZE
extern int block118;            // while set, message 0x118 with wParam 0xFFF6 is not dispatched
extern int TimerEnabled;        // 1 while yywait_ waits

// Enable flags of types 1 to 16 (index type - 1) and their defaults.
extern int wMessageEnabled[kEventTypes];
extern const int wMessageDefault[kEventTypes];

// An expose or resize kept for a window until the next dispatch.
struct PendingEvent {
    int type;  // 0 = none
    int value1, value2, value3, value4, x, y, time;
};
// A field-changed event kept while another event is already complete.
struct DeferredEvent {
    int type;  // 0 = none
    int value1, value2, value3, value4, x, y, win, time;
};
struct PendingTable {
    PendingEvent window[kWindowSlots];
    DeferredEvent field;
};
extern PendingTable ORNMessages;

// Timer id that ends yywait_.
constexpr UINT_PTR kWaitTimerId = 999;

// Turns one message into the current event: type and sub-value (the button, key code, menu
// or control id, timer id), the message's wParam and lParam, and the window it came to. For
// dialog events (3 push button, 10 field changed, 11 tab changed, 104 to 107 and 116 field
// mouse and expose) window is the dialog, whose record supplies the dialog id and fields.
// Returns true when the message completed an event.
bool yyinterpretmessage(int type, int subValue, WPARAM wParam, LPARAM lParam, HWND window);

namespace quill {

// A cell change of a grid that lies in a window rather than a dialog (the grid editor):
// a field-changed event with WIN the window slot, the grid's id as the fields left and
// entered, and the previous and new cell codes as X and Y. False when type 10 is off or the
// event waits for the next dispatch.
bool GridWindowChangeEvent(int slot, int field, LPARAM previousCell, LPARAM newCell);

// Clears the pending events of every window slot and the deferred field change.
void ClearPendingEvents();

// True for the ten client-area mouse messages: moves, and downs, ups and double clicks of the
// left, right and middle buttons (WM_MOUSEMOVE to WM_MBUTTONDBLCLK).
inline bool IsMouseMessage(UINT message) {
    return message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK;
}

}  // namespace quill

// The two dispatchers, one body: the waiting one returns the next event, the polling one the
// next event already queued (type -1 and -1 in every word when there is none). Each returns the
// type, VALUE1 to VALUE4, X, Y (pixels, before post-processing), WIN and TIME; an absent
// argument is skipped.
void yydispatchnextmessage_(int *itype, int *value1, int *value2, int *value3, int *value4, int *x,
                            int *y, int *win, int *time);
void yydispatchpeekmessage_(int *itype, int *value1, int *value2, int *value3, int *value4, int *x,
                            int *y, int *win, int *time);

// Post-processing of an event the dispatchers return: the graphics coordinates of its
// position, and positions in a window's client area turned into window units, through the
// mapping graphics installs (quill::SetEventMapping); without it the event stays as it is.
void yyevent_(int *itype, QuillEvent *message);

// Enable flag of event type 1 to 16 (higher types are ignored).
void yyenablemessage_(const int *type, const int *flag);
void yyinfomessage_(const int *type, int *flag);
// A one-shot window-system timer on the root frame that yields one type 13 event.
void yysettimer_(const int *milliseconds, const int *id);
// Waits n hundredths of a second while dispatching messages.
void yywait_(const int *n);

// Window procedures of library frames and client areas.
LRESULT CALLBACK yyWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK yyWndProcClient(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
