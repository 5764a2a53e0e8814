// The graphics layer's mapping between the pixels of the drawable being drawn on and the
// user's graphics units: the drawable's size, the graphics area as fractions of it, the units
// at the area's corners, and the viewport and scale derived from them. Free of any window
// system.
#ifndef QUILL_GRAPHICS_COORDINATES_H
#define QUILL_GRAPHICS_COORDINATES_H

#include "quillamorph/convention.h"

// Kinds of drawing target.
enum DrawableKind { kDrawWindow = 1, kDrawBitmap = 2, kDrawField = 3, kDrawMetafile = 4 };

struct GraphicsMapping {
    int kind, id, dialog;        // the drawing target: kind, window/field/slot id, dialog id
    int width, height;           // its size in pixels
    float deviceWidth, deviceHeight;  // width - 0.01 and height - 0.01
    float aspect;                // width / height, 1 for a height of 0
    float ax1, ay1, ax2, ay2;    // graphics area, fractions of the device size (y upwards)
    float ux1, uy1, ux2, uy2;    // graphics units at the area's corners
    float vx1, vy1, vx2, vy2;    // viewport: the area in device units
    int cx1, cy1, cx2, cy2;      // clip rectangle: the viewport truncated to whole pixels
    float sx, sy;                // device units per graphics unit
};

// The one graphics mapping of the process.
extern GraphicsMapping gMapping;

// The mapping a fresh graphics state starts with: the root window, a 0-by-0 drawable, the
// whole drawable as area and 0 to 1 as units in both directions.
GraphicsMapping yydefaultmapping();

QUILL_BEGIN_DECLS

// A drawable of KIND and ID now measures WIDTH x HEIGHT pixels; the mapping follows when it is
// the current target.
void yyresn_(const int *kind, const int *id, const int *width, const int *height);

// Device position PX, PY (pixels, y upwards) to graphics units X, Y.
void yyi2e_(const float *px, const float *py, float *x, float *y);

QUILL_END_DECLS

#endif
