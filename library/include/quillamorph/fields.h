// Typed dialog field get and put, field information, user-drawn fields, window snapshots.
//
// Every routine works on the fields of the current dialog, each addressed by its control id.
// With no dialog current a routine reports error 1005 and changes nothing; an id that names
// no control of the right kind gives error 1006. A failing routine leaves its outputs as they
// were unless said otherwise.
//
// Numeric fields are the library's edit classes INTEGEREDIT, REALEDIT and DOUBLEEDIT and their
// spin forms INTEGERSPIN, REALSPIN and DOUBLESPIN: they take only the characters of a number,
// ring the bell (windowbell_) at any other key, and refuse to lose the focus while their text
// is outside the field's range.
#ifndef QUILLAMORPH_FIELDS_H
#define QUILLAMORPH_FIELDS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Numbers into a field: the integer as "(I11)", a real or double with FORMAT (absent or blank:
// the format the REALEDIT or DOUBLEEDIT field was last given, else "(G15.5E2)"), shown
// left-justified. A value outside the field's range gives error 1009 and leaves the field as
// it was. A number that does not fit its format is shown as "**********" with error 18. A real
// or double put with a FORMAT gives the field that format for later puts; an integer or text
// put takes it away again.
void wdialogputinteger_(const int *id, const int *ivalue);
void wdialogputreal_(const int *id, const float *value, const char *format, int format_len);
void wdialogputdouble_(const int *id, const double *dvalue, const char *format, int format_len);

// Text into a field (any field with a text: edit, static, button), trailing blanks cut; a
// blank STRING empties it.
void wdialogputstring_(const int *id, const char *string, int string_len);
// The field's text, blank-padded or cut to STRING's length (STRING blank after error 1006).
void wdialoggetstring_(const int *id, char *string, int string_len);
// The field's value truncated toward zero: a numeric field not edited since its last put gives
// the value put, any other field the number its text reads as (12.9 gives 12, -12.9 gives -12).
// A blank text gives error 1010 and IVALUE -999.
void wdialoggetinteger_(const int *id, int *ivalue);
// The length of the field's text in characters.
void wdialoggetstringlength_(const int *id, int *ilen);

// Check boxes (and single radio buttons): 0 clear, 1 checked, 2 indeterminate. Get needs an
// automatic check box or radio button (error 1006 otherwise); put sets the state of any button,
// error 1006 only when the window system refuses.
void wdialoggetcheckbox_(const int *id, int *istate);
void wdialogputcheckbox_(const int *id, const int *istate);
// Radio groups, asked by the id of any of their buttons: the position (from 1, in window
// order) of the checked button; none checked gives error 1010 and IBUTTON -999; an id that is
// no automatic radio button gives error 1006 and IBUTTON 0.
void wdialoggetradiobutton_(const int *id, int *ibutton);
// Checks button ID and clears the others of its group.
void wdialogputradiobutton_(const int *id);

// Lists and combo boxes with one selection: the selected option (from 1) and, when TEXT is
// present, its text. Nothing selected gives error 1010 and IOPTION -999. A combo box whose
// typed text is none of its options gives 0 and the text, without error. A list that allows
// several selections gives error 1006.
void wdialoggetmenu1_(const int *id, int *ioption, char *text, int text_len);
// Replaces the options by the first N of OPTIONS (an array of texts OPTIONS_LEN long each,
// trailing blanks cut; N 0 or less: none) and selects option IOPTION (0: none). An option
// number the field does not have gives error 1011 (the options are replaced). A combo box with
// an edit part given IOPTION 0 and a TEXT selects the option equal to TEXT or else shows TEXT.
void wdialogputmenu1_(const int *id, const char *options, const int *n, const int *ioption,
                      const char *text, int options_len, int text_len);

// The range of a field's values: numeric puts outside it give error 1009 and a user's entry
// outside it is refused when the field loses the focus. An absent bound is open on that
// side; both absent remove the range.
void wdialograngeinteger_(const int *id, const int *imin, const int *imax);
// Field state: 0 disabled, 1 enabled, 2 read-only (edit fields and grids; other fields
// disabled), 3 hidden; any other value as 0. A spin field's arrows and a tab control's page
// follow. A field not wholly inside the dialog's client area keeps the state for when the
// dialog is made large enough to hold it.
void wdialogfieldstate_(const int *id, const int *istate);

// The current dialog's caption (trailing blanks cut; absent: empty) and icon resource of the
// program (absent: unchanged; 0 the resource "icon1"); an icon that cannot be loaded gives
// error 1015. A dialog without a caption bar that is a tab page gives TITLE to its tabs.
void wdialogtitle_(const char *title, const int *icon, int title_len);
// Hides the current dialog without unloading it. Errors: 1047 the dialog fills a window, 1069
// it is a tab page of another dialog (not hidden).
void wdialoghide_(void);

QUILL_END_DECLS

#endif
