// Image files on the window system's drawables: drawing a BMP, PCX or PNG file onto a device
// context, and saving an area of the current drawable to the clipboard or an image file.
#ifndef QUILL_HARDCOPY_IMAGE_SCREEN_H
#define QUILL_HARDCOPY_IMAGE_SCREEN_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Draws the image file PATH (NUL-terminated) of TYPE (1 BMP, 2 PCX, 15 PNG; others draw
// nothing) on TARGET (0 the current drawable, 10 the Windows printer, 11 the Windows
// metafile): stretched onto X1..X2, Y1..Y2 when STRETCH is not 0, else at its own size at
// (X1, Y1), with the raster operation of the plot mode. STATUS 0, 1 (cannot open; OSERROR the
// system's code), 2 (short), 27 (not supported) or 1044 (OSERROR zlib's status).
void yyloadimage_(const int *type, const int *target, const int *x1, const int *y1, const int *x2,
                  const int *y2, const int *stretch, int *status, int *oserror, const char *path);

// Copies the rectangle X1..X2, Y1..Y2 of the current drawable: KIND 0 onto the clipboard as a
// bitmap, 1 into a BMP file, 2 a PCX file, 15 a PNG file at PATH (NUL-terminated). PCX and
// PNG take an even width, one pixel more when the rectangle's is odd. STATUS 0, 1 (cannot
// create the file), 2 (a write failed), 1072 (no bitmap or bits; OSERROR the system's code)
// or 1044 (the PNG data does not compress).
void yysaveimage_(const int *kind, const int *x1, const int *y1, const int *x2, const int *y2,
                  int *status, int *oserror, const char *path);

QUILL_END_DECLS

#endif
