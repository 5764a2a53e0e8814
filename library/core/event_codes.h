// Library key codes and mouse modifiers: the pure translations behind key and mouse events.
#ifndef QUILL_CORE_EVENT_CODES_H
#define QUILL_CORE_EVENT_CODES_H

// Added by the client procedure to a virtual key when Shift (or Ctrl) is down.
constexpr int kShiftFlag = 4096;
constexpr int kCtrlFlag = 8192;

// The library key code of a virtual key with shift offset 0, 20 (Shift) or 40 (Ctrl).
int yyinterpretkey(int virtualKey, int shiftOffset);

namespace quill {

// The library key code of a key-down value as the client procedure passes it (virtual key
// plus kShiftFlag or kCtrlFlag).
int LibraryKeyCode(int keyDownValue);

}  // namespace quill

// The modifier sum 1 Ctrl, 2 Shift, 4 left, 8 middle, 16 right button of a mouse message's
// key-state flags (MK_CONTROL 8, MK_SHIFT 4, MK_LBUTTON 1, MK_MBUTTON 16, MK_RBUTTON 2).
int yymousemodifiers(unsigned keyState);

// Event types.
enum EventType {
    kEventNone = -1,
    kEventKey = 1,
    kEventMenu = 2,
    kEventButton = 3,
    kEventMouseDown = 4,
    kEventMouseUp = 5,
    kEventMouseMove = 6,
    kEventExpose = 7,
    kEventResize = 8,
    kEventClose = 9,
    kEventFieldChanged = 10,
    kEventTabChanged = 11,
    kEventFrameClick = 12,
    kEventTimer = 13,
    kEventBitmapView = 15,
    kEventDoubleClick = 16,
    // Field events of dialogs, reported as type - 100 (107 as 7).
    kEventFieldMouseDown = 104,
    kEventFieldMouseUp = 105,
    kEventFieldMouseMove = 106,
    kEventFieldExpose = 107,
    kEventFieldDoubleClick = 116,
};

constexpr int kEventTypes = 16;

#endif
