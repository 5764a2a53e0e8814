// Taking a child window over: the bitmap viewer and the grid editor turn a library child
// window into a view of their own instead of making a frame. The view lies over the hidden
// client area; the frame gets the view's procedure and record; the window's bars are set
// aside; unless the view is modeless the other dialogs and windows are disabled while it
// lasts; and a modal view runs its own message loop while the other windows paint from
// snapshots. Win32 only.
#ifndef QUILL_CORE_WINDOW_TAKEOVER_H
#define QUILL_CORE_WINDOW_TAKEOVER_H

#include <windows.h>

#include <functional>

namespace quill {

// What a frame that a view has taken over keeps of its own, so that it can be given back.
struct FrameTakeover {
    WNDPROC previous;  // the frame's procedure before the takeover
    HWND savedStatus;  // the window's status and tool bars, kept by a view that is not modal
    HWND savedToolbars[4];
    int disabled;  // 1 while the other dialogs and windows are disabled for the view
};

// True when another library window lies inside window SLOT (the frame or its client area is
// that window's parent) or is owned by it. Such a window cannot be taken over: the view
// hides the client area, and those windows with it.
bool HasChildWindows(int slot);

// What a modal view does away with: the window's tool bars, or its menu and all its bars.
enum class ModalBars { kToolBars, kMenuAndAllBars };

// Sets window SLOT's bars aside for a view in MODE (1 modal, 2 modeless, 3 semi-modal): a
// modal view destroys what MODALBARS names (the frame's menu is only taken off it: the window
// still owns it); any other view keeps the handles of the status and tool bars in TAKEOVER.
void SetBarsAside(int slot, int mode, ModalBars modalBars, FrameTakeover *takeover);

// Hangs RECORD (a record that begins with a FrameBlock) on FRAME's user data and makes
// PROCEDURE the frame's procedure; TAKEOVER keeps the frame's own.
void TakeOverFrame(HWND frame, void *record, WNDPROC procedure, FrameTakeover *takeover);

// Gives FRAME its own procedure back and takes the view's record off it.
void GiveFrameBack(HWND frame, const FrameTakeover &takeover);

// Disables the other dialogs and windows for a view in MODE, unless it is modeless (2).
void DisableOthers(HWND frame, int mode, FrameTakeover *takeover);

// Enables again what DisableOthers disabled (SPARE as yyEnableDialogs takes it); true when
// there was something to enable.
bool EnableOthers(HWND spare, FrameTakeover *takeover);

// How the message loop of a modal view ended.
enum class TakeoverEnd {
    kEnded,  // the view's end flag was set
    kGone,   // the frame lost the view's record (closed or destroyed)
    kQuit,   // the program was asked to end
};

// What the message loop of a modal view watches.
struct TakeoverLoop {
    int slot;                      // window slot of the frame
    HWND frame;                    // the frame taken over
    const void *record;            // the view's record on the frame
    const int *ended;              // the record's flag that ends the loop
    HACCEL keys;                   // translated first for the frame and its children; null for none
    std::function<void()> onQuit;  // runs when the program is asked to end; may be empty
};

// Runs the message loop of a modal view until its end flag is set, the frame loses the
// record or the program is asked to end (then ONQUIT runs and the quit message is put back
// for the program's own loop). Once the record has left the frame the loop ends before the
// end flag is read again: the record may be freed by then. The other windows paint from
// snapshots while the loop runs, and the system message 0x118 with 0xFFF6 is held back
// while block118 is set.
TakeoverEnd RunTakeoverLoop(const TakeoverLoop &loop);

}  // namespace quill

#endif
