// The drawing target of the graphics layer: the device context that drawing goes to and the
// objects selected into it. The window layer switches the target between a window's client
// area and a dialog field that the program draws in.
#ifndef QUILL_GRAPHICS_DRAWING_TARGET_H
#define QUILL_GRAPHICS_DRAWING_TARGET_H

#include <windows.h>

extern HDC gDC;               // device context of the current drawable
extern HWND hGraphicsField;   // dialog field (or dialog) that owns gDC, null for a window
extern HBITMAP gBitmap;       // 8 x 8 pattern bitmap for pattern fills
extern int gStippleChanged;   // 1: the pattern bitmap must be repainted
extern int gPlotmode;         // 0 copy, 1 or, 2 and, 3 exclusive or
extern HFONT gFont, gFontOld; // current font and the font it replaced in gDC
extern HPEN gPen, gPenOld;    // current pen and the pen it replaced in gDC
extern HPALETTE gPal256;      // the library's 256-colour palette, null on true-colour screens

// Realises the library's palette in the device context of WINDOW (or in DC when given), so
// that its colours show as meant; nothing on screens that need no palette.
void yyrealizepalette(HWND window, HDC dc = nullptr);

// Deletes the graphics objects the library made (pattern bitmap, font, pen, palette) and
// forgets the drawing device context. The fonts and pens a target held before must have been
// selected back into it first.
void yydeletegraphicsobjects();

// The raster operation of a plot mode.
int yyplotmoderop(int plotmode);

#endif
