// Graphics: initialisation, drawing target, graphics area and units, colours, the stroke font.
//
// Graphics draw on one target at a time (a window, a bitmap, a user-drawn dialog field or a
// metafile slot) and, while a hardcopy is open (hardcopy.h), on the hardcopy device as well.
// The graphics area is a part of the target given as fractions of its width and height, y
// upwards; graphics units are the caller's coordinates at the area's corners.
#ifndef QUILLAMORPH_GRAPHICS_H
#define QUILLAMORPH_GRAPHICS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Sets the whole graphics state to its defaults: the current window as target, area and units
// 0 to 1, the palette colour model with colour 223 (black) current and 0 (white) previous,
// solid lines one pixel wide, characters 1/75 by 1/25 of the area, direction 0, the stroke
// font's widths and font set 0 (wgrvfontstandard_), the plot set-up of plot.h. It also ends
// any hardcopy output (as igrhardcopy_ "S"), clears the hardcopy options 1 to 29 and lets the
// current hardcopy device set its defaults. Letters of OPTIONS, either case, others ignored:
// "H" no screen output (drawing reaches only the hardcopy); "P" keep the hardcopy options 1 to
// 29 and the default file name, once the program has set any option with igrhardcopyoptions_
// (each option is set again through it, zeros included, so a value the current device refuses
// is dropped); otherwise the device starts from its defaults. windowopen2_ calls it with blank
// options once the root window exists.
void igrinit_(const char *options, int options_len);

// Chooses the drawing target: KIND 1 window ID (0 the root window, 1 to 20 child windows;
// absent: the current window), 2 bitmap ID (absent: 1), 3 the user-drawn field ID of the
// current dialog (0 or absent: the dialog itself), 4 metafile slot ID (1 to 20, holding a
// recorded picture or an enhanced metafile; absent: 1). The area is then recomputed for the
// target's size. A surface that cannot be selected (an unopened window, no such bitmap or slot,
// no current dialog or no such field) gives error 1019 and the current window as target; any
// other KIND keeps the target without an error.
void igrselect_(const int *kind, const int *id);

// The graphics area as fractions of the target's width and height (y upwards): X1, X2 left
// and right, Y1, Y2 bottom and top; absent: 0 for X1, Y1 and 1 for X2, Y2. Each range must
// hold 0 <= low < 1, 0 < high <= 1 and low < high; a bad range is reset to 0 to 1 with error
// 44 (the other range is still taken). Clipping follows the area; the character size is
// relative to it.
void igrarea_(const float *x1, const float *y1, const float *x2, const float *y2);

// The graphics units at the area's corners: X1, X2 at the left and right edge, Y1, Y2 at the
// bottom and top; absent: 0 for X1, Y1 and 1 for X2, Y2. A range whose low value is not below
// its high value is reset to 0 to 1 with error 16 (the other range is still taken).
void igrunits_(const float *x1, const float *y1, const float *x2, const float *y2);

// Sets the current colour (the colour it replaces becomes the previous colour, the background
// of opaque text): in the palette model COLOUR is a palette index 0 to 255 (0 white, 223
// black), else error 42 and nothing changes; in the RGB model COLOUR is red + 256 x green +
// 65536 x blue (higher bits ignored), whose nearest palette entry serves the devices that draw
// by palette index.
void igrcolourn_(const int *colour);

// MODEL 24 selects the RGB colour model, any other value (also absent) the palette model. The
// current colour is not changed; the model says how igrcolourn_ reads its argument.
void igrcolourmodel_(const int *model);

// Splits RGB (absent: 0) into red (its low byte), green (second byte) and blue (third byte),
// each 0 to 255; an absent output is skipped.
void wrgbsplit_(const int *rgb, int *r, int *g, int *b);

// Destroys metafile slot N (1 to 20): the recorded picture or enhanced metafile is freed and
// the slot emptied; a target drawing into it returns to the current window. Error 1060 for N
// outside 1 to 20 (nothing changes) or an empty slot.
void wmetafiledestroy_(const int *n);

// Installs the built-in stroke font "standard.chr" (glyphs for the codes 33 to 126, 128 and
// 161 to 255 of Windows code page 1252 on a 6 by 11 grid) into font set 1 when FLAG is 1,
// else (any other value, or absent) into font set 0, replacing the set's font. igrinit_
// installs it into font set 0. Nothing is reported.
void wgrvfontstandard_(const int *flag);

QUILL_END_DECLS

#endif
