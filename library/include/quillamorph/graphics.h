// Graphics: initialisation, drawing target, graphics area and units, colours.
#ifndef QUILLAMORPH_GRAPHICS_H
#define QUILLAMORPH_GRAPHICS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Sets the whole graphics state to its defaults and ends any hardcopy output. Letters of
// OPTIONS: "H" no screen output, "P" keep the hardcopy options 1 to 29 and the default file
// name once the program has set any option with igrhardcopyoptions_ (each option is set
// again through it, zeros included); otherwise the hardcopy device starts from its defaults.
void igrinit_(const char *options, int options_len);

// Chooses the drawing target: KIND 1 window ID (absent: the current window), 2 bitmap ID,
// 3 field ID of the current dialog, 4 metafile slot ID. Error 1019 and the current window as
// target when the surface cannot be selected.
void igrselect_(const int *kind, const int *id);

// The graphics area as fractions of the drawable (y upwards); error 44 resets a bad range to
// 0 to 1.
void igrarea_(const float *x1, const float *y1, const float *x2, const float *y2);

// The graphics units at the area's corners; error 16 resets a bad range to 0 to 1.
void igrunits_(const float *x1, const float *y1, const float *x2, const float *y2);

// Sets the current colour: a palette index 0-255 in colour model 1 (else error 42), an RGB
// value red + 256 green + 65536 blue in model 2.
void igrcolourn_(const int *colour);

// MODEL 24 selects RGB colours, any other value palette indices.
void igrcolourmodel_(const int *model);

// Splits RGB into its red (low byte), green and blue; an absent output is skipped.
void wrgbsplit_(const int *rgb, int *r, int *g, int *b);

// Destroys metafile slot N (1-20) and frees it; error 1060 for a slot outside 1-20 or empty.
void wmetafiledestroy_(const int *n);

QUILL_END_DECLS

#endif
