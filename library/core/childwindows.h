// Child windows inside the library: what the window table keeps per slot beyond the handles
// of the start-up code, and the internal routines that open, close, select, size and query
// windows. Win32 only.
#ifndef QUILL_CORE_CHILDWINDOWS_H
#define QUILL_CORE_CHILDWINDOWS_H

#include <windows.h>

#include "core/frames.h"
#include "core/startup.h"

constexpr int kStatusParts = 255;
constexpr int kNotRecorded = -999;

// A status-bar part: its right edge and its style (0, SBT_NOBORDERS or SBT_POPOUT).
struct StatusPart {
    int right;
    int style;
};

// One tool-tip record: a command id (0 = free) and its NUL-terminated text.
struct ToolTipRecord {
    int id;
    char text[80];
};

// What a window slot keeps beside the handles of the start-up code.
struct WindowSlot {
    HWND previous;    // window that was current before this one opened
    HGLOBAL prompts;  // DOVUZADODAZEZ resource of the slot's menu
    int promptCount;  // menu items that carry a prompt text
    StatusPart parts[kStatusParts];
    int flags;            // open flags (root: those of windowopen2_; -1 closed)
    int restored[4];      // restored x, y, width, height (kNotRecorded = none)
    UINT mciDevice;       // open multimedia device, 0 = none
    ToolTipRecord *tips;  // tool-tip table of all the slot's tool bars
    int tipCount;
};
extern WindowSlot wSlot[kWindowSlots];

// Client size in pixels of the current window, recorded at each selection.
extern int wClientWidth, wClientHeight;

namespace quill {

// Window-type word of a frame (kPlainWindow when it carries no record).
int WindowTypeWord(HWND frame);
// The dialog a frame is combined with, null when none.
HWND WindowDialog(HWND frame);

}  // namespace quill

// Makes the title bar of WINDOW look active and those of the library's other windows and
// dialogs inactive; WINDOW gets the focus when it is one of the library's windows.
void yytitlecolour(HWND window);

namespace quill {

// Loads dialog ID into window SLOT, shows it there modeless and records the combination;
// false when that cannot be done.
bool CombineDialog(int slot, int id);

// Hides and unloads the dialog a frame is combined with and drops the frame's record;
// ICURDIALOG := 0 when it was the current dialog.
void UncombineDialog(HWND frame, int *icurdialog);

// True when WINDOW is the frame of a child window (class ZAREVIRER).
bool IsChildFrame(HWND window);

}  // namespace quill

// First free child slot 1..20, -1 when all are used.
int yygetnextfree();

void yyopenchild_(int *x, int *y, int *width, int *height, int *iwin, int *flags, const int *menuid,
                  const int *toolbars, int *idialog, const int *parent, const char *title);
void yyclosechild_(int *iwin, int *icurdialog);
// Closes the multimedia device that window SLOT plays, if any, and forgets it.
void yyclosemcidevice(int slot);
// Makes slot IWIN current; IWIN := -1 when the slot is not open.
void yywinsel_(int *iwin);
// yywinsel_ for a selection the library makes for a moment of its own work and takes back
// afterwards: while it runs, the graphics layer keeps the character state it has and sends
// the hardcopy output nothing, so the window's drawing and any open plot stay as they were.
namespace quill {
void SelectWindowForAMoment(int *iwin);
}  // namespace quill
// WINDOW (a frame or client area) now has a client area of WIDTH x HEIGHT pixels: when it is
// the current window, its recorded size, text cell size and graphics mapping follow.
void yyresize_(HWND window, int width, int height);
void yywindowsizepos_(int *x, int *y, int *width, int *height, const int *istate);
void yywindowtitle_(int *icon, const int *iset, const char *title);
void yywindowraise_();
void yyscrollarea_(const int *dx, const int *dy, const int *icolour);
void yycleararea_(const int *x1, const int *y1, const int *x2, const int *y2, const int *icolour);
// KIND 0 the current window's frame position, 1 its size, 2 the current dialog's position,
// 3 its size. INSIDE 1 (with the parent's slot in PARENT) when it lies inside another window,
// and the values are then relative to the parent's client area.
void yygetwindowpos_(const int *kind, int *x, int *y, int *parent, int *inside);
int yygetwincolours_(const int *item);
int yygetmousebuttons_();
int yywindowcheckinside_();

// Status bar of the current window.
void yysetstatuspart_(const int *ipart, const int *iright, const int *istyle);
void yysetstatusbar_(const int *nparts);

#endif
