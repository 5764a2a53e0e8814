// The graphics state of the process: one record that every graphics routine and every driver
// reads and that only the graphics layer's own routines change.
//
// How a driver uses it: when an operation arrives (driver_protocol.h), the driver reads the
// attributes it needs straight from gGraphics: the colour (gGraphics.colour.rgb in both colour
// models, .index in model 1, .device for devices with few colours), the previous colour (second
// colour of pattern fills, background of opaque text), plot mode, line type, width, join and
// cap, the clip rectangle cx1..cy2 (device units, y upwards), the character state and the
// drawable's size. A driver never writes the state; results go back through the operands,
// and a device that stands in for the screen gives its shape through AdoptDeviceShape.
//
// Positions: a point (x, y) in graphics units lies at device position
// (vx1 + (x - ux1) * sx, vy1 + (y - uy1) * sy), y upwards, 0 at the bottom of the drawable.
// Devices with y downwards flip a device y as lastY - y.
//
// Free of any window system.
#ifndef QUILL_GRAPHICS_GRAPHICS_STATE_H
#define QUILL_GRAPHICS_GRAPHICS_STATE_H

#include "quillamorph/convention.h"

// Kinds of drawing target.
enum DrawableKind { kDrawWindow = 1, kDrawBitmap = 2, kDrawField = 3, kDrawMetafile = 4 };

// Colour models: palette indices 0-255, or RGB values (red + 256 green + 65536 blue).
enum ColourModel { kColourPalette = 1, kColourRgb = 2 };

// One colour as the drivers see it.
struct GraphicsColour {
    int index;   // palette index 0-255 (in model 2 the nearest palette entry)
    int rgb;     // red + 256 * green + 65536 * blue
    int device;  // device colour number for the library's colour count
};

// Length of the face name of the character state.
constexpr int kFaceNameLength = 100;

struct GraphicsState {
    // Drawing target.
    int kind, id, dialog;  // target kind (DrawableKind), window/bitmap/field/slot id, dialog
    int recording;         // 1 while a metafile slot holding a recorded picture is the target
    int reselecting;       // 1 only while the library re-selects a window for itself
    int width, height;     // size of the drawable in pixels
    int lastX, lastY;      // width - 1 and height - 1: devices with y down flip against lastY
    float deviceWidth, deviceHeight;  // width - 0.01 and height - 0.01
    float aspect;                     // width / height, 1 for a height of 0
    int screenOutput;  // 0 after igrinit_ with option H: the screen driver does nothing

    // Area, viewport, units and scale.
    float ax1, ay1, ax2, ay2;     // graphics area, fractions of the device size (y upwards)
    float areaWidth, areaHeight;  // ax2 - ax1 and ay2 - ay1 as of the last full igrarea_
    float vx1, vy1, vx2, vy2;     // viewport: the area in device units
    float ex1, ey1, ex2, ey2;     // the viewport enlarged by 0.001 on every side
    int cx1, cy1, cx2, cy2;       // clip rectangle: the viewport truncated to whole pixels
    int viewportPixelsX, viewportPixelsY;  // cx2 - cx1 + 1, cy2 - cy1 + 1
    float vw, vh;                          // vx2 - vx1, vy2 - vy1
    float refWidth, refHeight;  // character reference size: vw and vh at the last igrarea_
    float ux1, uy1, ux2, uy2;   // graphics units at the area's corners
    float uw, uh;               // ux2 - ux1, uy2 - uy1
    float sx, sy;               // device units per graphics unit

    // Colour and line attributes.
    int colourModel;            // ColourModel
    GraphicsColour colour;      // current colour
    GraphicsColour prevColour;  // the colour before the last change
    int plotMode;               // 0 copy, 1 or, 2 and, 3 exclusive or
    int lineType;               // 0 solid, 1-6 dashed and dotted forms
    int lineWidth;              // in pixels
    int relLineWidth;           // for metafile-slot targets, tenths of the slot's resolution unit
    int lineJoin, lineCap;      // set by the hardcopy options, read by hardcopy drivers
    int displayColours;         // number of library colours N taken at igrinit_

    // Character state.
    float charWidth, charHeight;     // fractions of the character reference width and height
    float direction;                 // degrees, 0 up to 360
    float dirCos;                    // cos(direction)
    float dirSinTimes;               // sin(direction) * shape factor
    float dirSinOver;                // sin(direction) / shape factor
    int font;                        // font number (device font family)
    int effectiveFont;               // font, or for font 0: 1, or 2 with a width style
    int fontAttributes;              // bits 0-1 bold/italic, bit 2 underline, bit 3 opaque text
    int widthStyle;                  // 0 normal, 1 and 2 narrow faces
    char faceName[kFaceNameLength];  // blank-padded; blank selects the font number's own face
    int justification;               // 0 left, 1 centred, 2 right
    float columns, rows;             // character cell counts of the drawable
};

// The one graphics state of the process.
extern GraphicsState gGraphics;

namespace quill {

// The state a process starts with, before igrinit_: the root window as target with a 0-by-0
// drawable, the whole drawable as area and 0 to 1 as units in both directions, the default
// colours, lines and characters, screen output on.
GraphicsState DefaultGraphicsState();

// The size-dependent part of STATE for a drawable of WIDTH x HEIGHT: last x and y, device
// size, aspect, and viewport, clip and scale of the current area and units. Sends nothing;
// yyevent_ uses it on a copy to map a drawable that is not the target.
void FitDrawable(GraphicsState &state, int width, int height);

// The viewport of device rectangle (x1, y1)-(x2, y2) in STATE: the rectangle limited to the
// drawable, the enlarged viewport, clip rectangle and pixel size. Sends nothing.
void FitViewport(GraphicsState &state, float x1, float y1, float x2, float y2);

// Device position (PX, PY) to graphics units in STATE.
void DeviceToUnits(const GraphicsState &state, float px, float py, float *x, float *y);

// Graphics units (X, Y) to a device position in STATE.
void UnitsToDevice(const GraphicsState &state, float x, float y, float *px, float *py);

// What a bitmap viewer shows: the bitmap's width and height, the horizontal scroll position
// and the bottom of the visible part (vertical scroll position plus page), in pixels.
struct ViewerGeometry {
    int bitmapWidth, bitmapHeight, scrollX, visibleBottom;
};

// Position (PX, PY) in a viewer showing GEOMETRY to graphics units in STATE: the bitmap is
// mapped as the drawable it was drawn as.
void ViewerToUnits(const GraphicsState &state, const ViewerGeometry &geometry, float px, float py,
                   float *x, float *y);

// The bitmap viewer answers for its windows: true and the geometry for a viewer window.
// Installed by the viewer; until then no window is a viewer.
using ViewerGeometryQuery = bool (*)(int viewer, ViewerGeometry *geometry);
void SetViewerGeometryQuery(ViewerGeometryQuery query);

// A device that stands in for the screen (hardcopy while there is no screen output) gives
// the drawable its shape and colour count: the aspect becomes WIDTH / HEIGHT (kept for a
// HEIGHT of 0) and the colour count COLOURS.
void AdoptDeviceShape(float width, float height, int colours);

// The line join and line cap (0 to 2 each) that the hardcopy options set for its drivers.
void SetLineJoin(int join);
void SetLineCap(int cap);

}  // namespace quill

QUILL_BEGIN_DECLS

// A drawable of KIND and ID now measures WIDTH x HEIGHT pixels; the state follows when it is
// the current target.
void yyresn_(const int *kind, const int *id, const int *width, const int *height);

// Device position PX, PY (pixels, y upwards) to graphics units X, Y.
void yyi2e_(const float *px, const float *py, float *x, float *y);

// Position PX, PY in the bitmap-viewer window VIEWER to graphics units X, Y; nothing for a
// window that is no viewer.
void yybvi2e_(const float *px, const float *py, float *x, float *y, const int *viewer);

// Sets the viewport to the device rectangle (X1, Y1)-(X2, Y2) and sends op 24 to the drawing
// side.
void yywing_(const float *x1, const float *y1, const float *x2, const float *y2);

// True (1) when the letter *LETTER, in either case, occurs in the blank-padded OPTIONS.
int yyopt_(const char *options, const char *letter, int options_len);

// Character direction in degrees.
void yychrot_(const float *angle);

// Character size as fractions of the character reference size.
void yychsize_(const float *width, const float *height);

// Recomputes the effective font and sends op 21 to both sides.
void yychdfont_();

QUILL_END_DECLS

#endif
