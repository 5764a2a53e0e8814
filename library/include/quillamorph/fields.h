// Typed dialog field get and put, field information, user-drawn fields, window snapshots.
//
// Every routine works on the fields of the current dialog, each addressed by its control id.
// With no dialog current a routine reports error 1005 and changes nothing; an id that names
// no control of the right kind gives error 1006.
#ifndef QUILLAMORPH_FIELDS_H
#define QUILLAMORPH_FIELDS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Numbers into a field: the integer as "(I11)", a real or double with FORMAT (absent or blank:
// the format the field was last given, else "(G15.5E2)"), shown left-justified. A value
// outside the field's range gives error 1009 and leaves the field as it was. A real or double
// put with a FORMAT gives the field that format for later puts; an integer or text put takes
// it away again.
void wdialogputinteger_(const int *id, const int *ivalue);
void wdialogputreal_(const int *id, const float *value, const char *format, int format_len);
void wdialogputdouble_(const int *id, const double *dvalue, const char *format, int format_len);

// Text into a field, trailing blanks cut.
void wdialogputstring_(const int *id, const char *string, int string_len);
// The field's text, blank-padded or cut to STRING's length.
void wdialoggetstring_(const int *id, char *string, int string_len);
// The field's value truncated toward zero (a numeric field not edited since its last put gives
// the value put); a blank text gives error 1010 and IVALUE -999.
void wdialoggetinteger_(const int *id, int *ivalue);
// The length of the field's text.
void wdialoggetstringlength_(const int *id, int *ilen);

// Check boxes: 0 clear, 1 checked, 2 indeterminate.
void wdialoggetcheckbox_(const int *id, int *istate);
void wdialogputcheckbox_(const int *id, const int *istate);
// Radio groups, asked by the id of any of their buttons: the position (from 1, in window
// order) of the checked button; none checked gives error 1010 and IBUTTON -999.
void wdialoggetradiobutton_(const int *id, int *ibutton);
// Checks button ID and clears the others of its group.
void wdialogputradiobutton_(const int *id);

// Lists and combo boxes with one selection: the selected option (from 1) and, when TEXT is
// present, its text. A combo box whose typed text is none of its options gives 0 and the text.
void wdialoggetmenu1_(const int *id, int *ioption, char *text, int text_len);
// Replaces the options by the first N of OPTIONS (an array of texts OPTIONS_LEN long) and
// selects option IOPTION (0 none). A combo box with an edit part given IOPTION 0 and a TEXT
// selects the option equal to TEXT or else shows TEXT.
void wdialogputmenu1_(const int *id, const char *options, const int *n, const int *ioption,
                      const char *text, int options_len, int text_len);

// The range of a field; an absent bound is open on that side, both absent remove the range.
void wdialograngeinteger_(const int *id, const int *imin, const int *imax);
// Field state: 0 disabled, 1 enabled, 2 read-only (edit fields and grids; other fields
// disabled), 3 hidden; a spin field's arrows follow.
void wdialogfieldstate_(const int *id, const int *istate);

// The current dialog's caption (absent: empty) and icon resource (absent: unchanged; 0 the
// library's icon); an icon that cannot be loaded gives error 1015.
void wdialogtitle_(const char *title, const int *icon, int title_len);
// Hides the current dialog without unloading it.
void wdialoghide_(void);

QUILL_END_DECLS

#endif
