// Gradient fill: a polygon whose vertices each carry a colour, split into triangles and filled
// with the colours blended across each triangle, through a device's own triangle routine or
// pixel by pixel with the library's scanline filler.
//
// How it is used: whoever sends op 40 stores the vertex count and the vertex colours in
// gGradient and the vertex positions in the polygon buffer (device units, y upwards). The
// driver turns the positions into its own integer coordinates (GradientPointsFromPolygon for
// devices with y downwards), then calls yygradientfill_ with the device's gradient-fill
// method, its clip rectangle in the same coordinates, a point setter and a triangle routine
// (null when the device has none).
//
// Free of any window system.
#ifndef QUILL_GRAPHICS_GRADIENT_FILL_H
#define QUILL_GRAPHICS_GRADIENT_FILL_H

#include "quillamorph/convention.h"

#include <functional>

namespace quill {

constexpr int kGradientVertices = 1000;

// The gradient vertices, shared by every driver: vertex k (1-based in the routines' arguments)
// is element k - 1.
struct GradientVertices {
    int count;                 // N; a fill with more than 1000 draws nothing
    int x[kGradientVertices];  // device coordinates
    int y[kGradientVertices];
    int colour[kGradientVertices];               // red + 256 green + 65536 blue
    int triangles[3 * (kGradientVertices - 2)];  // vertex numbers (1-based), three a triangle
    int triangleCount;
};
extern GradientVertices gGradient;

// Stores the positions of the gGradient.count vertices from the polygon buffer X, Y (device
// units, y upwards) as integers for a device with y downwards: truncated towards zero (values
// below 0 first lowered by 0.999) and flipped as LASTY - y.
void GradientPointsFromPolygon(const float *x, const float *y, int lastY);

// The same for a device with y upwards: the positions are only made whole.
void GradientPointsUpwards(const float *x, const float *y);

}  // namespace quill

QUILL_BEGIN_DECLS

// Sets pixel (X, Y) to the RGB colour.
typedef void (*GradientPointSetter)(const int *x, const int *y, const int *rgb);

// Fills TRIANGLES (COUNT_T triples of 1-based vertex numbers into X, Y, C of COUNT_V vertices)
// with the device's own gradient routine; STATUS 0 on success.
typedef void (*GradientTriangleRoutine)(const int *x, const int *y, const int *c,
                                        const int *triangles, const int *count_v,
                                        const int *count_t, int *status);

// Fills the polygon of the gradient vertices inside the clip rectangle (CX1, CY1)-(CX2, CY2).
// METHOD 2 tries TRIANGLES first (when given); otherwise, or when it fails, every triangle goes
// through yygradienttriangle_ with POINT.
void yygradientfill_(const int *method, const int *cx1, const int *cy1, const int *cx2,
                     const int *cy2, GradientPointSetter point, GradientTriangleRoutine triangles);

// Splits the simple polygon of the N vertices X, Y into N - 2 triangles (1-based vertex
// numbers, three a triangle, in TRIANGLES) and sets COUNT. An outline that crosses or touches
// itself raises error 28 and gives COUNT 0; fewer than 3 vertices give COUNT 0.
void yypolygondecompose_(const float *x, const float *y, const int *n, int *triangles, int *count);

// Fills the triangle of the three gradient vertices TRIANGLE (1-based numbers) within the
// clip rectangle, blending the vertex colours, one pixel at a time through POINT.
void yygradienttriangle_(const int *triangle, const int *cx1, const int *cy1, const int *cx2,
                         const int *cy2, GradientPointSetter point);

QUILL_END_DECLS

namespace quill {

// Op 40 on a device: the gradient vertices' positions from the polygon buffer X, Y (flipped
// against LASTY when FLIP, else kept upwards), then yygradientfill_ with the device's METHOD,
// clip rectangle, point setter and triangle routine. yygradientfill_ merges vertices in place:
// the vertex list is put back as it was sent afterwards, so that every side of one op 40 (the
// drawing side, then the hardcopy side) fills the same polygon.
void GradientFillFromPolygon(const float *x, const float *y, bool flip, int lastY, int method,
                             int cx1, int cy1, int cx2, int cy2, GradientPointSetter point,
                             GradientTriangleRoutine triangles);

// A gradient triangle for a metafile that takes no blended triangles (a plain or placeable
// metafile), where pixels set one by one would make megabytes of records: the triangle of the
// corners (X(k), Y(k)) with colours RGB(k), k = 0-2, cut
// into solid pieces of a lattice, each in the colour at its middle; one piece when the corner
// colours are close, up to 8 x 8 where they differ most (steps of at most 32 levels).
// Neighbouring pieces share their corners exactly. PIECE gets each piece's corners and colour.
void GradientTrianglePieces(
    const int *x, const int *y, const int *rgb,
    const std::function<void(const int *px, const int *py, int rgb)> &piece);

}  // namespace quill

#endif
