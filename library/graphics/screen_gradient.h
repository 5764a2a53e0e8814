// The screen driver's gradient primitives, the point setter and the triangle routine that op 40
// hands to yygradientfill_ (gradient_fill.h). They draw into the current drawing target.
#ifndef QUILL_GRAPHICS_SCREEN_GRADIENT_H
#define QUILL_GRAPHICS_SCREEN_GRADIENT_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Sets pixel (X, Y) of the drawing target to RGB: the nearest entry of the library's palette
// when the screen uses one, else the colour itself.
void yywinpointrgb_(const int *x, const int *y, const int *rgb);

// Fills triangles through the system's gradient routine, channels as 16-bit values; STATUS 1
// when the routine is missing or fails.
void yywingradfill_(const int *x, const int *y, const int *c, const int *triangles,
                    const int *count_v, const int *count_t, int *status);

QUILL_END_DECLS

#endif
