// Dialogs inside the library: the dialog table, the record attached to every loaded dialog,
// the record attached to every dialog control, and the internal routines that load, show,
// hide, copy and unload dialogs.
//
// A dialog record hangs on the dialog window (GWLP_USERDATA); a field record hangs on each
// control (GWLP_USERDATA). Both are plain structs so that handles and procedures keep their
// full width on 64-bit Windows.
#ifndef QUILL_CORE_DIALOGS_H
#define QUILL_CORE_DIALOGS_H

#include <windows.h>
#include <commctrl.h>

// Loaded dialogs occupy slots 1..nDialogs; slot 0 holds the modal copy while one is shown.
enum { QUILL_MAX_DIALOGS = 100 };

struct DialogRecord {
    int id;                // resource id of the dialog template
    int shown;             // 1 while the dialog is shown
    int currentField;      // last field entered or button pressed (modal: the closing button)
    int previousField;     // the field before it
    int pageSelected;      // page dialog id of the tab page last selected
    int pageLeft;          // page dialog id of the tab page last left
    int showType;          // 1 modal, 2 modeless, 3 modeless with the others disabled
    HWND owner;            // window or dialog current when this one was shown; focus returns there
    HWND reenable;         // window to re-enable after a type 3 dialog
    LPARAM lastCell;       // lParam of the last field-changed event (grids: the new cell)
    int mouseField;        // field of the current field-mouse or field-expose event (0 = dialog)
    int reportMouse;       // 1: mouse and expose events of the dialog's own area are reported
    int mouseButton;       // button of the current field-mouse event: 1 left, 2 middle, 3 right
    int rootAccelerators;  // 1: keys go through the root window's accelerator table
    HWND parentFrame;      // frame window the dialog fills, else null
    HWND focusControl;     // control that takes the focus when the dialog (inside a grid) gets it
};

struct FieldRecord {
    double value;    // current (last good) numeric value
    double minimum;  // range; minimum above maximum means no range
    double maximum;
    double step;          // small step of the spin arrows
    double page;          // large step of the spin arrows
    int hasText;          // 1 when the field holds a value (typed, put or spun)
    HWND upDown;          // the up-down control of a spin field
    WNDPROC oldProc;      // the control's window procedure before the library subclassed it
    int userDrawn;        // 1 for a user-drawn field
    COLORREF foreground;  // (COLORREF)-1 = default
    COLORREF background;  // (COLORREF)-1 = default
    int tabLeft;          // 1 when the field was left with the Tab key
    int maxLength;        // maximum text length
    int state;            // field state recorded after load
    int nTabStops;        // number of tab stops
    int *tabStops;        // tab-stop array (owned)
    char *format;         // edit format of a numeric field (owned; null = default)
};

// A tab item as the library stores it: the page dialog id and a disabled flag ride in the
// item's 8 extra bytes.
struct TabItemData {
    TCITEMHEADERA header;
    int page;
    int disabled;
};

namespace quill {

// The loaded page dialog of tab item INDEX (null when none) and its disabled flag.
HWND TabPageDialog(HWND tab, int index);
int TabPageDisabled(HWND tab, int index);

}  // namespace quill

const COLORREF QUILL_DEFAULT_COLOUR = static_cast<COLORREF>(-1);

// The dialog table and the current dialog.
extern HWND hDialogList[QUILL_MAX_DIALOGS + 1];
extern int nDialogs;    // loaded dialogs
extern int iDlgCur;     // slot of the current dialog (the one field routines address), 0 = none
extern HWND hDlgCur;    // modeless dialog that receives keys through IsDialogMessage
extern int nSemi;       // shown type 3 dialogs
extern HWND hLastSemi;  // the last type 3 dialog shown
extern int bDialogCreating;  // 1 while a dialog is created or a modal copy copied back: no events
extern int iLastModalId;     // id of the dialog last closed modally
extern HBRUSH hBrushDlg;     // brush of the last control colour answer
// Where and with which field the next dialog shown appears: x, y (-1 = centred), focus (0 = none).
extern int iDlgPendingX, iDlgPendingY, iDlgPendingFocus;

namespace quill {

// Records of a dialog and of a control (null when the window carries none).
DialogRecord *DialogRecordOf(HWND dialog);
FieldRecord *FieldRecordOf(HWND control);
// A zeroed field record with the library's defaults (no range, default colours).
FieldRecord *NewFieldRecord(void);
void FreeFieldRecord(FieldRecord *record);
// Destroys a loaded dialog and frees its record; a modal copy still running on the record
// lets go of it first. The caller takes the dialog out of the table.
void DestroyDialog(HWND dialog);
// The current dialog window (slot iDlgCur), null when none.
HWND CurrentDialogWindow(void);

}  // namespace quill

// The dialog procedure of every loaded dialog and of the modal copy.
INT_PTR CALLBACK yydialogproc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void yydialoginitialise(HWND dialog, DialogRecord *record);
void yydialogcopy(HWND destination, HWND source);
int yydialogfind(int id);
int yyismodaldialog(HWND window);
void yydialogcentre(HWND dialog);
void yytabdialoginit(HWND dialog);
void yytabdialogsetfocus(HWND tab, HWND page, int focus);
void yytabdialogend(HWND dialog);
void yydialogfocus_(int *field, int *position);
void yydialogsettab_(int *tab, int *page);
void yytabenable_(int *tab, int *page, int *state);
void yydialoghide_(int *slot);
void yywinfodialog_(int *item, int *value);
HBRUSH yyProcessColour(HWND dialog, UINT message, HDC dc, HWND control);

namespace quill {
// Answers a control colour message with the colours FORE and BACK, each QUILL_DEFAULT_COLOUR
// for the system's: button text (BUTTONTEXT) or window text, the button face (BUTTONFACE) or
// the window background. Returns the background brush: for a colour of the field's own a new
// brush kept in hBrushDlg, which the next answer frees, else the system colour's brush.
HBRUSH ColourControl(HDC dc, COLORREF fore, COLORREF back, bool buttonText, bool buttonFace);
}  // namespace quill

void yymakebitmaptransparent(HBITMAP bitmap);

// Load, select, show, unload and dialog services.
int yydialogload_(int *id);
int yydialogload2(int *id, int window);
void yydialogselect_(int *id);
void yydialogshow_(int *x, int *y, int *px, int *py, int *type, int *focus, int *window);

namespace quill {
// Raises the error that a TYPE of -1 (an invalid dialog mode), -2 (the parent window hidden)
// or -3 (the parent window combined with a dialog) left by yydialogshow_ stands for; any
// other TYPE raises nothing.
void RaiseShowError(int type);
}  // namespace quill

void yydialogunload_(int *option, int *slot);
void yydialogunload2(HWND dialog, int option, int slot);
void yydialogsize_(int *width, int *height, int *result);
void yydialogtitle_(int *icon, int *mode, const char *title);
void yydialogtabstops_(int *field, const int *stops, int *n);
void yyDialogSelectAll(HWND control);
void yyDisableDialogs(HWND spare, int alsoWindows);
void yyEnableDialogs(HWND spare, int alsoWindows);

namespace quill {

// Destroys every loaded dialog and then frees its record (a modal copy still running lets go
// of its record first), and resets the dialog state; the library calls it when it closes.
void ShutDownDialogs(void);

}  // namespace quill

// Applies the attribute resource with this id to a dialog; slot -1 marks a grid row template.
void yydialogorn(HWND dialog, int id, int slot);

#endif
