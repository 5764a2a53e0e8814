// The drawing elements of the library's two metafile writers (the recording driver and the CGM
// file driver), kept within the coordinates a metafile point can hold.
//
// A point of these metafiles is two 16-bit integers (VDC), -32768 to 32767, while the drivers
// receive device coordinates of any size. A coordinate is therefore never stored cut to 16
// bits, and never limited on its own (which would change a line's slope): each writer takes
// the points as reals in VDC, writes them truncated towards zero unchanged when every one of
// them fits, and otherwise writes only what lies within the range, clipped to it, so that
// whatever falls inside the picture (VDC extent 0 to at most 32767) is drawn where it belongs.
// A point that is not a finite number leaves its element out.
//
// Every writer returns false when the sink refused one of its elements.
//
// Free of any window system.
#ifndef QUILL_GRAPHICS_CGM_SHAPES_H
#define QUILL_GRAPHICS_CGM_SHAPES_H

#include "graphics/cgm_encoder.h"

#include <cstddef>

namespace quill {

// V truncated towards zero and limited to -32768..32767 (0 for NaN): for sizes and vectors,
// which have no shape to keep.
int VdcCoordinate(double v);

// Whether (X, Y) truncates to a point the metafile can hold.
bool InVdcRange(double x, double y);

// POLYLINE of the N points (X(k), Y(k)). Where it leaves the range it is cut there: each piece
// within the range becomes a POLYLINE of its own, and nothing is written for a line wholly
// outside (a point of one position included).
bool CgmPolyline(CgmEncoder &enc, const double *x, const double *y, std::size_t n);
bool CgmPolyline(CgmEncoder &enc, const float *x, const float *y, std::size_t n);

// POLYGON of the N vertices; reaching beyond the range it is clipped to it (the filled area
// inside keeps its shape, the clipped part runs along the range's border), and nothing is
// written when fewer than three vertices are left.
bool CgmPolygon(CgmEncoder &enc, const double *x, const double *y, std::size_t n);
bool CgmPolygon(CgmEncoder &enc, const float *x, const float *y, std::size_t n);

// RECTANGLE of the corners (X1, Y1) and (X2, Y2), each limited to the range; nothing when the
// rectangle lies wholly outside it.
bool CgmRectangle(CgmEncoder &enc, double x1, double y1, double x2, double y2);

// ELLIPSE of centre (CX, CY) and the ends (X1, Y1), (X2, Y2) of two conjugate diameters. When
// one of the three points lies outside the range, the ellipse is written as the POLYGON of its
// outline in STEPS steps a half turn (at most kMaxArcSteps), clipped as above.
bool CgmEllipse(CgmEncoder &enc, double cx, double cy, double x1, double y1, double x2, double y2,
                int steps);

// CHARACTER ORIENTATION of the up vector (UPX, UPY) and the base vector (BASEX, BASEY): both
// scaled down together when a component would not fit, so that directions and the ratio of
// the two lengths are kept.
bool CgmCharacterOrientation(CgmEncoder &enc, double upx, double upy, double basex, double basey);

// One triangle of a gradient fill: FILL REFERENCE POINT at the first vertex, INTERPOLATED
// INTERIOR (style 3, the other two vertices relative to the first, the three colours), INTERIOR
// STYLE 6 (interpolated) and the POLYGON of the three vertices (X(k), Y(k)) with the RGB colours
// RGB(k) (red + 256 green + 65536 blue), k = 0-2: four elements and nothing more, 46 bytes. The
// interior style is left at 6.
//
// A triangle whose vertices, or the offsets between them, do not fit in 16 bits is clipped to
// the quarter of the range that holds the picture (0 to 32767 each way) and written as the
// triangles of what is left, each with the colours the whole triangle has at its corners;
// nothing for a triangle wholly outside it or without area.
bool CgmGradientTriangle(CgmEncoder &enc, const int *x, const int *y, const int *rgb);

}  // namespace quill

#endif
