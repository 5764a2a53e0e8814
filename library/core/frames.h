// Frame windows: the root window and the child windows are built alike, a frame with its menu,
// accelerators, menu prompts, tool bars, status bar and client area. The bitmap viewer and the
// grid editor make no frame of their own: they take a child window's over (window_takeover.h).
// Win32 only.
#ifndef QUILL_CORE_FRAMES_H
#define QUILL_CORE_FRAMES_H

#include <windows.h>

// Option flags of a frame, as windowopen2_ and the child-window routines take them.
enum FrameFlag : int {
    kFrameSystemMenu = 1,
    kFrameMinimiseBox = 2,
    kFrameMaximiseBox = 4,
    kFrameMaximised = 8,
    kFrameInsideParent = 16,
    kFrameStatusBar = 32,
    kFrameFixedSize = 64,
    kFrameHidden = 128,
    kFrameOwned = 256,
    kFrameTopmost = 512,
    kFrameToolCaption = 65536,
};

// A position that centres the frame on the screen (or in its parent's client area).
constexpr int kCentre = -999999;

// Class of every frame's client area.
extern const char kClientClass[];  // "RAVOZUVIZA"

namespace quill {

// What a new frame is made of.
struct FrameLayout {
    const char *className;  // the frame's window class
    const char *title;
    DWORD style;  // frame style and extended style
    DWORD exStyle;
    HWND parent;          // parent (a frame inside another) or owner; null for none
    int x, y;             // frame position, or kCentre
    int width, height;    // size of the client area asked for, in pixels
    int flags;            // FrameFlag bits (status bar, fixed size, maximised)
    int menuId;           // menu and accelerator resource, 0 for none
    const int *toolbars;  // the four tool-bar ids (top, left, right, bottom), or null
};

// The frame style that FLAGS ask for: caption, system menu, minimise and maximise boxes and a
// sizing border unless the frame has a fixed size.
DWORD FrameStyle(int flags);

// Builds the frame of window SLOT: creates the frame window with its menu, records menu,
// accelerators and menu prompts in the slot, adds tool bars and the status bar (the frame
// grows by them, a centred frame moves back by half of what it grew), creates the client area
// and lays the frame out. Returns the frame, or null when it cannot be created (nothing is
// left behind then). Showing the frame is the caller's.
HWND BuildFrame(int slot, const FrameLayout &layout);

}  // namespace quill

#endif
