// The library's 20 off-screen bitmaps: created, drawn into as the drawing target, copied to and
// from the current drawable, read and written pixel by pixel, put on the clipboard and shown
// in the bitmap viewer. The routines take a slot index 0-19 (the public handle is the index
// + 1) and report through STATUS: 0 success, else an error number or a small code; reporting
// the error is left to their callers. Positions are pixels of the device contexts, y down.
#ifndef QUILL_GRAPHICS_BITMAPS_H
#define QUILL_GRAPHICS_BITMAPS_H

#include <windows.h>

#include "quillamorph/convention.h"

constexpr int kBitmapSlots = 20;

struct BitmapSlot {
    HBITMAP handle;  // null while the slot is free
    int width, height;
};
extern BitmapSlot gBitmaps[kBitmapSlots];

// The bitmap that is the drawing target: its slot (-1 none) and the memory device context it
// is selected into (the drawing device context while it is the target).
extern int gBitmapTarget;
extern HDC gBitmapDC;

// Bitwise mode of the copies: 0 copy, 1 or, 2 and, 3 exclusive or.
extern int gBitmapMode;

namespace quill {

// Ends drawing into a bitmap: the memory device context gives back what it held and is
// deleted, and drawing goes back to the window's device context. Nothing when no bitmap is the
// target.
void ReleaseBitmapTarget();

// At shutdown: ends drawing into a bitmap and deletes the 20 bitmaps.
void DestroyAllBitmaps();

// A new bitmap with a copy of the pixels of slot INDEX (the drawing target's too), or null for
// a free slot or when the copy fails.
HBITMAP CopyBitmapSlot(int index);

// The slot of the bitmap a viewer window shows, -1 for a window that is no viewer.
int ViewerBitmapSlot(HWND frame);

}  // namespace quill

QUILL_BEGIN_DECLS

// HANDLE := the public handle of a new WIDTH x HEIGHT bitmap in the first free slot, 0 when
// none is free or the bitmap cannot be made. It starts in the display's nearest colour to
// COLOUR or, on a display that shows colours through the library's palette, in the palette's
// first entry.
void yybitmapcreate_(int *handle, const int *width, const int *height, const int *colour);
void yybitmapdestroy_(const int *index, int *status);
void yybitmapget_(const int *index, const int *x, const int *y, const int *width, const int *height,
                  int *status);
void yybitmapput_(const int *index, const int *stretch, const int *x, const int *y,
                  const int *width, const int *height, int *status);
void yybitmappart_(const int *index, const int *sx, const int *sy, const int *dx, const int *dy,
                   const int *width, const int *height, const int *toscreen, int *status);
void yybitmapgetdata_(const int *index, const int *array, const int *x1, const int *y1,
                      const int *x2, const int *y2, int *status);
void yybitmapputdata_(const int *index, int *array, const int *x1, const int *y1, const int *x2,
                      const int *y2, int *status);
void yybitmapsize_(const int *index, int *width, int *height);
void yybitmapselect_(const int *index, int *status, int *width, int *height);
void yybitmapmode_(const int *mode);
void yybitmapclipboard_(const int *index, int *status);
void yybitmapinfo_(const int *window, const int *item, int *value);
void yybitmapview_(const int *index, const int *x, const int *y, const int *mode, const int *flags,
                   int *status);

QUILL_END_DECLS

#endif
