// The six numeric edit classes (INTEGEREDIT, INTEGERSPIN, REALEDIT, REALSPIN, DOUBLEEDIT,
// DOUBLESPIN), the class atoms and standard procedures of the other control kinds, and the
// subclass procedures the dialog loader installs on dialog controls.
#ifndef QUILL_CORE_NUMERIC_EDIT_H
#define QUILL_CORE_NUMERIC_EDIT_H

#include <windows.h>
#include <commctrl.h>

// Class atoms: every field routine tells a control's kind by its class atom.
extern ATOM atomInteger, atomSpinInteger, atomReal, atomSpinReal, atomDouble, atomSpinDouble;
extern ATOM atomEdit, atomButton, atomStatic, atomTrack, atomTree, atomTab, atomList, atomCombo,
    atomProgress, atomUpDown, atomHeader;

// Standard procedures of the subclassed control kinds.
extern WNDPROC lpNormalEditProc, lpNormalButtonProc, lpNormalStaticProc, lpNormalTrackProc,
    lpNormalTreeProc, lpNormalTabProc, lpNormalUpDownProc;

// Focus-check state.
extern HWND hBadVal;  // numeric field whose check waits for a push button's click
extern HWND hBadTab;  // numeric field that lost the focus to a tab control
extern int iBadTab;   // tab index to go back to while hBadTab is pending
extern int StoreVal;  // 1: the next numeric field to get the focus records its last good value
extern char cLastGood[256];  // last good text and value so recorded
extern double dLastGood;
extern int bOverride;        // set to suspend all checks
extern int nocheck;          // set while a check moves the focus back
extern int bCheckKillFocus;  // button subclass: 1 normally, 0 while it moves the focus itself
extern int bDecimal;         // numeric fields use the locale decimal character (wDecimal)

namespace quill {

// Kind of a numeric class: 0 not numeric, 5 integer, 6 real, 7 double (the field type codes).
int NumericClassKind(HWND control);
// 1 for the three spin classes.
int IsSpinField(HWND control);
// 1 for EDIT and the six numeric classes.
int IsEditField(HWND control);
// Class atom of a window.
ATOM WindowClassAtom(HWND window);

}  // namespace quill

void yyregistersuperclass(void);
void yyregistersubclass(void);
void yygetatoms(void);

int yyoutofrange(HWND field, HWND target, int force);

namespace quill {

// 1 when the text of numeric FIELD is refused: out of its range, empty after holding a value
// (with a range), or not a number (only when FORCE is set). No side effects.
int FieldTextRefused(HWND field, int force);
// Rings the field bell (when it is switched on).
void RingFieldBell(void);

}  // namespace quill

void yyselectinvalid(HWND window, HWND field, int tabFlag);
void yydecimal_(const char *flag);

// Subclass procedures installed by the dialog loader.
LRESULT CALLBACK yysubbutton(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK yysubstatic(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK yysubtrack(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK yysubtree(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK yysubtab(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK yysubupdown(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK yysubedit(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK yysubpaint(HWND, UINT, WPARAM, LPARAM);

namespace quill {

// Selection anchor a track bar holds while Shift is down, -1 when none.
int TrackBarAnchor(HWND track);

// Reads the numeric value of a field's text (empty = 0) and rewrites the text in the field's
// format ("(G15.5E2)" without one, integer text for the integer classes).
double NumericFieldValue(HWND field);
void WriteNumericField(HWND field, double value);

// An up-down notification of a numeric spin field (in a dialog or a grid): the field's value
// moves by its step or page step within its range and is rewritten; false when the buddy is
// no numeric field. The caller cancels the up-down's own change when true.
bool SpinNumericField(NMUPDOWN *change);

}  // namespace quill

#endif
