// The library's modal interactions that are not its own dialogs: the frame every one of them
// runs in, the dialog answer word, and the folder browser, colour chooser and page set-up
// dialog, which have no public front end. Win32 only.
#ifndef QUILL_CORE_COMMONDIALOGS_H
#define QUILL_CORE_COMMONDIALOGS_H

#include <windows.h>

#include <string>

// What winfodialog_ reports about modal work: items 1, 2 and 5 (the closing button, the
// previous field and the dialog id of the last dialog shown modally) and item 4 (the answer
// of the last message box or file dialog).
struct ModalInfo {
    int closing;   // item 1
    int previous;  // item 2
    int dialog;    // item 5
    int answer;    // item 4
};
extern ModalInfo wModalInfo;

namespace quill {

// Records the three values of a dialog that has just been shown modally.
void SetDialogInfo(int closing, int previous, int dialog);

// Stores the answer of a message box or file dialog: item 4 := answer, item 2 := 0.
void SetDialogAnswer(int answer);

}  // namespace quill

// The frame around every modal system dialog: BeginModalBox chooses the owner (the current
// dialog when it is visible, or the window it is combined with; else the current window's
// frame) and disables the library's other dialogs and windows; EndModalBox enables them again
// and gives the owner back the focus.
struct ModalFrame {
    HWND owner;
};

namespace quill {

void BeginModalBox(ModalFrame *frame);
// Takes (MODE 1) or gives back (MODE 0) the snapshots of the other windows' contents kept
// while a modal box covers them; a failure is reported and does not stop the box.
void ModalSnapshots(int mode);
void EndModalBox(const ModalFrame *frame);

}  // namespace quill

// Folder browser. ITITLE 1 uses TITLE as the caption; ANSWER 1 chosen, 2 cancelled. IFLAGS 4
// accepts a path that does not exist as typed; 64 offers to create it. DIRECTORY is in and out,
// changed only when a folder is chosen; a chosen path longer than DIRECTORY is not returned:
// DIRECTORY stays as it was, ANSWER is 2 and error 1004 is raised.
void yyselectdir_(const int *ititle, int *answer, const int *iflags, char *directory,
                  const char *title, int directory_len, int title_len);

// Colour chooser: the three components in and out, ANSWER 1 OK or 0 not chosen, ERROR the
// common-dialog error code when the chooser could not be shown (0 when the user cancelled).
void yygetrgbdialog_(int *ired, int *igreen, int *iblue, int *answer, int *error);

// Page set-up dialog (see pagesetup_win.cpp for the arguments).
void yyprintdialog_(int *paperWidth, int *paperHeight, int *printWidth, int *printHeight, int *left,
                    int *top, int *orientation, int *copies, const int *units, int *colours,
                    int *answer);

// The printer the page set-up dialog chose last, used for the printer device context. The
// names are kept whole, however long: a cut name would open no printer, or another one.
struct PrinterSettings {
    int chosen;  // 1 once a printer was chosen in the page set-up dialog
    std::string device;
    std::string driver;
    std::string port;
    short paperSize, paperLength, paperWidth, scale, defaultSource, printQuality, color, duplex,
        yResolution, ttOption, collate;
    DWORD mediaType, ditherType;
    short orientation, copies;
};
extern PrinterSettings gPrinter;

namespace quill {

// True when the system names a default printer. Asking the page set-up dialog for the
// default settings without one would show the system's own error box.
bool HaveDefaultPrinter();
// An information context of the kept printer (its driver, when one is named, and device) with
// device mode MODE (null: the printer's own); null when it cannot be made.
HDC KeptPrinterInfo(const DEVMODEA *mode);
// The device, driver and port names of a common dialog's device names block, read whole
// (and never past the block's end); false, with the names empty, when there is no block.
struct DeviceNames {
    std::string device, driver, port;
};
bool ReadDeviceNames(HGLOBAL devNames, DeviceNames *names);
// Keeps FRESH (global memory of a common dialog: device mode or names) in *KEPT, freeing what
// was kept there before unless it is FRESH itself.
void ReplaceGlobal(HGLOBAL *kept, HGLOBAL fresh);

}  // namespace quill

// 1 when the user's locale uses U.S. measures, 2 when metric.
void yygetmeasure_(int *imeasure);

// Screen position of the top-left corner of the client area of the current dialog's window
// (when a dialog is current), else of the current window.
void yygetwindlgpos_(int *x, int *y);

#endif
