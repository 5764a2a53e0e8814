// Internal state of the library's start-up: the window table, the root window and its
// classes, the default colours and what was loaded by name. Win32 only.
#ifndef QUILL_CORE_STARTUP_H
#define QUILL_CORE_STARTUP_H

#include <windows.h>

#include "base/configuration.h"

// Window slots: 0 the root window, 1 to 20 child windows.
constexpr int kWindowSlots = 21;
// Id of the status bar of a frame window.
constexpr int kStatusBarId = 999;

extern HINSTANCE wInstance;             // module handle of the program
extern HWND wWindow[kWindowSlots];      // frame window of a slot
extern HWND hClient[kWindowSlots];      // client area of a slot
extern HWND wMessLine[kWindowSlots];    // status bar of a slot
extern HWND hToolbar[kWindowSlots][4];  // tool bars: 0 top, 1 left, 2 right, 3 bottom
extern HMENU hMenuRoot[kWindowSlots];   // menu of a slot
extern HACCEL hAccel[kWindowSlots];     // accelerator table of a slot
extern int wIndex;                      // slot whose client area holds wDC
extern HDC wDC;                         // drawing device context of slot wIndex
extern HWND hWinCur;                    // current window (a frame or a dialog)

extern ATOM atomRoot;        // class "QUILLAMORPH" (frames)
extern ATOM atomClient;      // class "RAVOZUVIZA" (client areas)
extern int bDlgRoot;         // 1 when the root window was sized from a dialog template
extern int wHideRoot;        // 1 while the root window stays hidden
extern int iVerRTF;          // rich-edit level: 1 riched32, 2 or 3 riched20
extern UINT uFindMsgString;  // registered message "commdlg_FindReplace"
extern HMODULE hImgLib;      // "msimg32.dll", null when not loaded
extern HMODULE hHelpLib;     // help library, null when not loaded
typedef BOOL(WINAPI *GradientFillProc)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
extern GradientFillProc pGradientFill;           // null when gradient fills are not available
extern HGLOBAL hDOVUzadOdazez;                   // menu prompt resource of the root menu
extern int wWinX, wWinY, wWinWidth, wWinHeight;  // root position and client size

extern COLORREF wColor[18];  // default colours
extern int wForeCol, wBackCol, wUnderline;

extern int iCurDialog;     // dialog id the field routines address, 0 = none
extern int iWindowOpened;  // 1 while the root window exists
extern int iInitialised;   // -9999 after winitialise_

// What a frame window was turned into: the type word of the FrameBlock it carries (no block
// is a plain window).
enum WindowType {
    kPlainWindow = 0,
    kEditorWindow = 1,
    kViewerWindow = 2,
    kDialogWindow = 3,
    kGridWindow = 4
};

// Record attached (GWLP_USERDATA) to a frame window that is more than a plain window.
struct FrameBlock {
    int tag;  // WindowType
    int reserved[4];
    HWND dialog;             // kDialogWindow: the dialog that fills the frame
    HACCEL accelerators[2];  // the window's own keys and the program's, null when none
    HWND view;               // kViewerWindow: the window that shows the view over the client area
};

// The slot 0..20 whose frame or client area is window, or whose view is window when it is a
// viewer window (kViewerWindow); -1 for any other window.
int yygetwindowindex(HWND window);

namespace quill {

// Status bar of the root window, null when it has none (or no root window is open).
HWND RootStatusBar();

}  // namespace quill

// The N-th argument of the command line (0 the program's full path) into arg, blank-padded
// to argLen; returns the number of the last argument examined (below n when there are
// fewer). n = -1 only primes the copy of the command line.
int yyargs_(const int *n, char *arg, int argLen);

// The root window in slot 0: window classes, the libraries loaded by name, the frame with its
// menu, tool bars, status bar and client area, the drawing device context and the default
// colours. WIDTH and HEIGHT are the client size in and out; DIALOGID, when not 0, names a
// child dialog template that gives the size and fills the client area, and is -1 (cannot be
// created) or -2 (wrong kind) on return when it could not. NCOLOURS is the palette size asked
// for on 256-colour screens; TITLE is NUL-terminated. A class or frame that cannot be made
// ends the process after telling the user.
void yycreaterootwindow_(const int *x, const int *y, int *width, int *height, const int *flags,
                         const int *menuid, const int *toolbars, const int *ncolours, int *dialogid,
                         const char *title);

// The library base directory from QUILLA, QIDE or the current drive.
void yyinitenv_();

// The temporary plot and screen-dump file names in the directory of TEMP, TMP or "C:\".
void yytmpprn_();

// Sets the general file unit number.
void yyinitlfn1_(const int *unit);

// Destroys every window, dialog and GDI object of the library and frees libraries it loaded.
void yyshutdown_();

namespace quill {

// Forgets the window, status bar, menu, accelerator and tool bar handles of a slot whose
// windows are gone, and starts its record afresh (its tool-tip table freed, no placement, no
// media device, flags -1).
void ForgetWindowSlot(int slot);

// The window-system error reports: level 3 writes the root window's status bar, level 4 shows
// the "Library Error" box, whose Cancel ends the process. Library initialisation installs it as
// the error store's report routine.
void ReportErrorInWindow(int level, const char *line);

}  // namespace quill

#endif
