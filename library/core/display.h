// Display facts, cursor, bell and the locale's decimal character, for the library's own code.
// Win32 only.
#ifndef QUILL_CORE_DISPLAY_H
#define QUILL_CORE_DISPLAY_H

#include <windows.h>

#include "quillamorph/convention.h"

// Filled by yygetdisplayinfo_: screen size in pixels, horizontal pixels per logical inch,
// the platform (1 for the one it is: Win32s, 9x or NT), the major version, the number of
// screen colours and the size of the library's own colour table.
extern int wScreenWidth, wScreenHeight, wScreenDPI;
extern int Win32s, Win9x, WinNT, WinVer;
extern int wScreenCols, ngColours;
extern HCURSOR hCurrentCursor;  // the cursor last set, null while none was set

QUILL_BEGIN_DECLS

void yygetdisplayinfo_(int *iwidth, int *iheight, int *ncolours, int *nlibcolours, int *one);

// Set the mouse cursor: 0 arrow, 1 hourglass, 2 arrow with hourglass, 3 cross-hair, 4 text
// I-beam, 5 "not allowed", 6 four-headed arrow, 7 north-south, 8 west-east, 9 north-east/
// south-west, 10 north-west/south-east, 11 up arrow; other numbers the program's cursor
// resource of that id. A cursor that cannot be loaded leaves the cursor as it is.
void yychangecursor_(const int *icursor);

// Move the pointer to pixel IX, IY of the current window's client area (IREL 1).
void yysetcursorpos_(const int *ix, const int *iy, const int *irel);

// The bell: IBELL 0 turns it off, any other value on; a ring sounds the default system sound
// while it is on.
void yysetbell_(const int *ibell);
void yyringbell_(void);
void yyringbell2(void);

// yygetdecimal_: the first character of the locale's decimal separator, kept as the decimal
// character of the conversions and the numeric fields. yyinitdecimal_ reads it and clears
// the numeric fields' decimal setting.
void yyinitdecimal_(void);
void yygetdecimal_(char *c);

// 2 when the system's gradient fill was found at start-up, else 1.
void yygradfilltype_(int *itype);

QUILL_END_DECLS

#endif
