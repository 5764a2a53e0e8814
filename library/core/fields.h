// Dialog fields inside the library: the routines that read and write one field of the current
// dialog by its control id, the field information routines, drawing into a field, and the
// window snapshots taken around modal work. Win32 only.
//
// The routines that take a field id by pointer return their status in it: -1 when the
// current dialog has no control with that id or the control is of the wrong kind, -2 (and -3)
// as each routine says. Texts given to them are NUL-terminated.
#ifndef QUILL_CORE_FIELDS_H
#define QUILL_CORE_FIELDS_H

#include <windows.h>

#include <string>

#include "core/dialogs.h"
#include "core/field_values.h"

// Field types as yygetfieldtype_ reports them.
enum FieldType {
    kFieldOther = 0,
    kFieldLabel = 1,
    kFieldStatic = 2,
    kFieldGroupBox = 3,
    kFieldString = 4,
    kFieldInteger = 5,
    kFieldReal = 6,
    kFieldDouble = 7,
    kFieldButton = 8,
    kFieldCheckBox = 9,
    kFieldRadio = 10,
    kFieldCombo = 11,
    kFieldList = 12,
    kFieldTab = 13,
    kFieldProgress = 14,
    kFieldGrid = 15,
    kFieldTrackBar = 16,
    kFieldTree = 17,
};

// Field states.
enum FieldState { kStateDisabled = 0, kStateEnabled = 1, kStateReadOnly = 2, kStateHidden = 3 };

// Menu kinds of yygetmenutype_.
enum MenuKind { kMenuList = 1, kMenuDropList = 2, kMenuComboEdit = 3, kMenuMultiList = 4 };

namespace quill {

// The control with this id in the current dialog, null when there is none.
HWND FieldControl(int id);
// Field type of a control (kFieldOther for anything the library does not know).
int FieldTypeOf(HWND control);
// The whole window text of a window.
std::string WholeWindowText(HWND window);

}  // namespace quill

// Text and numbers.
void yyfieldputtext_(int *id, double value, const char *text, const char *format);
void yyfieldgetvalue_(int *id, double *value);
void yyfieldgetstring_(int *id, char *buffer, int size);
void yyfieldgetlength_(int *id, int *length);
void yyfieldgetformat_(int *id, char *format, int size);
void yyfieldrange_(int *id, double minimum, double maximum);
void yyfieldrange2(int *id, double minimum, double maximum, HWND dialog);
void yyfieldrangecheck_(int *id, double value);
void yyfieldclear_(int *id);
void yyfieldenable_(int *id, int state, int defer);

// Check boxes and radio groups.
void yyfieldgetcheck_(int *id, int *state);
void yyfieldputcheck_(int *id, int state);
void yyfieldgroup(HWND button, HWND *first, HWND *last);
void yyfieldgetradio_(int *id, int *button);
void yyfieldputradio_(int *id);

// Lists and combo boxes. TEXT receives blank-padded text of TEXTLEN characters.
void yygetmenutype_(int *id, int *kind);
void yyfieldgetlist_(int *id, int *option, char *text, int textLen);
void yyfieldgetcombo_(int *id, int *option, char *text, int textLen);
void yyfieldputmenu_(int kind, int *id, const char *text);
void yyfieldputoption_(int kind, int *id, int index);
void yyfieldputcombo_(int *id, const char *text);
void yygetoptioncount_(int *id, int *count);
void yyfieldgetopt_(int *id, int index, int *state);
void yyfieldputopt_(int *id, int index, int state);
void yyfieldputopt2_(int *id, int first, int last, int state);

// Track bars, progress bars, tabs, trees, grids, spin steps and images.
void yyfieldgettrack_(int *id, int *position, int *selStart, int *selEnd);
void yyfieldputtrack_(int *id, int position, int selStart, int selEnd, int selMode);
void yyrangetrack_(int *id, int minimum, int maximum, int tickFrequency);
void yyfieldtrackstep_(int *id, int lineSize, int pageSize);
void yygettrackrange_(int *id, int *minimum, int *maximum);
void yyfieldputprogress_(int *id, int value, int mode);
void yyrangeprogress_(int *id, int minimum, int maximum);
void yyfieldgettab_(int *id, int *page);
void yyfieldgettree_(int *id, int *item, char *text, int size);
void yyfieldputtree_(int *id, int item);
void yyfieldoption_(int *id, int option, int on);
void yyfieldspinstepi_(int *id, int step, int pageStep);
void yyfieldspinstepr_(int *id, float step, float pageStep);
void yyfieldspinstepd_(int *id, double step, double pageStep);
void yyfieldimage_(int *id, int source, int kind);

namespace quill {
// Images of kind 3 (a copy of library bitmap SOURCE, by its public handle) and kind 4 (a copy
// of the enhanced metafile of slot SOURCE) for yyfieldimage_: the graphics layer installs the
// routine that makes the copy, null when there is nothing to copy. Until it is installed
// nothing loads.
using FieldImageCopier = HANDLE (*)(int kind, int source);
void SetFieldImageCopier(FieldImageCopier copier);
}  // namespace quill

// Field information.
void yygetfieldtype_(int *id, int *type);
void yygetfieldstate_(int *id, int *state);

namespace quill {

// The state of a control as yygetfieldstate_ reports it.
int FieldStateOf(HWND control);

}  // namespace quill

void yygetfieldinfo_(int *id, int *x, int *y, int *width, int *height, int mode);
void yygetdlgfactor_(int *x, int *y);
void yyfieldcolour_(int *id, int fr, int fg, int fb, int br, int bg, int bb);
void yyFieldColour2(HWND control, int which, int r, int g, int b);
int yyFieldInRect(HWND control, const RECT *rect);
void yyUpdateLast(HWND window, HWND field);
int yyCheckUserDrawn(HWND dialog);
void yyshowcd_(int *ifocus, int *itype);

// Makes field ID (0: the current dialog itself) the drawing target and marks it as drawn by
// the program; WIDTH and HEIGHT receive its client size.
void yyfieldselect_(int *id, int *width, int *height);

namespace quill {

// Gives a field that is the drawing target back its own objects and releases its device
// context; the target returns to the current window's device context.
void ReleaseFieldTarget(void);

}  // namespace quill

// Window snapshots around modal work: MODE 1 takes them (leaving window slot IWIN alone),
// any other MODE gives them back. They nest by use counts.
void yygetwindowbitmap_(const int *mode, const int *iwin, int *status);

namespace quill {

// Paints WINDOW (a window slot's client area or a loaded dialog) from its snapshot while
// snapshots are in force; 1 when it did, 0 when the window has to paint itself.
int PaintFromSnapshot(HWND window);

}  // namespace quill

constexpr int kSnapshotWindows = 21;
extern HBITMAP hImage[kSnapshotWindows];          // snapshot of each window slot's client area
extern int nImage[kSnapshotWindows];              // its use count
extern HBITMAP hImageDlg[QUILL_MAX_DIALOGS + 1];  // snapshot of each dialog slot's client area
extern int nImageDlg[QUILL_MAX_DIALOGS + 1];
extern int wBlitOn;  // 1 while any snapshot is in force: client areas repaint from them

#endif
