// Presentation-graphics plot set-up: plot area, x, y, z and polar units, linear or
// logarithmic axis scaling, and the description of a new plot with its per-set default styles.
// The state is kept for a chart-drawing program to read; the library itself draws no chart.
// igrinit_ sets the defaults: plot area 0.1 to 0.9 both ways, x, y and z units 0 to 1, polar
// radius 1, plot type 4 with 256 sets of 1 value, no options. The axis scaling requests are
// not reset by igrinit_ (both linear at start). Every argument of these routines is required
// unless said otherwise.
#ifndef QUILLAMORPH_PLOT_H
#define QUILLAMORPH_PLOT_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS
// The plot area as fractions of the drawing area: left X1, bottom Y1, right X2, top Y2. Each
// value is taken on its own when it lies in its range (X1, Y1: 0 <= v < 1; X2, Y2: 0 < v <= 1)
// and is otherwise ignored, keeping the old edge; the order of two edges is not checked.
// Nothing is reported.
void ipgarea_(const float *x1, const float *y1, const float *x2, const float *y2);
// The x units at the left (X1) and right (X2) edge and the y units at the bottom (Y1) and top
// (Y2) edge, in either order (a falling axis when the first is the larger). Two equal values
// make that axis 0 to 1 with error 16 (reported for each axis).
void ipgunits_(const float *x1, const float *y1, const float *x2, const float *y2);
// The z units, Z1 below Z2; otherwise 0 to 1 with error 16.
void ipgunitsz_(const float *z1, const float *z2);
// The polar radius, above 0; otherwise 1 with error 16.
void ipgunitspolar_(const float *r);
// Axis scaling requests, x and y: a text whose first three characters are "LOG" (any case)
// asks for a logarithmic axis, any other text (also "LO") for a linear one. A logarithmic
// request is in force only where the plot allows it: never the x axis of plot type 1 or of a
// plot with option bit 6, never the y axis of type 2, neither axis of a three-dimensional plot.
// Logarithms are base 10 of the magnitude; 0 counts as -38.
void ipgscaling_(const char *xscale, const char *yscale, int xscale_len, int yscale_len);
// Describe a new plot (the two routines are the same). TYPE 1 to 10 (else 4); NSETS the number of
// data sets, limited to 1 to 256; NVALUES an array of up to three value counts: element 1 is always
// read (at least 1); element 2 is read for types 8 and 10 and three-dimensional type 5, element 3
// for type 10 (three-dimensional types 6 and 7 take element 1 for both); for types 8, 10 and
// three-dimensional 5, 6 and 7 the counts are at least 2. OPTIONS (absent: 0) bits: 0
// three-dimensional (kept only for types 1, 2, 5, 6, 7, 8 and 10), 10 stacked (types 1, 2 and 4: at
// most 1024 values, more give error 24 and 1024), 5 on type 1 clears the three-dimensional and
// stacked bits, 2, 8 and 4 (in that precedence) choose a variant, 6 keeps the x axis linear
// (cleared by a three-dimensional plot), 9 shares the x extent of a three-dimensional plot by the
// two value counts; bits 1, 3 and 7 are kept for the program; other bits have no effect. STYLES
// (absent: 0) not 0 also sets the plot type's default styles (style words and two colours per data
// set) in the current colour model; styles set once stay in force through later new plots without
// STYLES. Nothing is reported but error 24.
void ipgnewplot1_(const int *type, const int *nsets, const int *nvalues, const int *options,
                  const int *styles);
void ipgnewplot2_(const int *type, const int *nsets, const int *nvalues, const int *options,
                  const int *styles);
QUILL_END_DECLS

#endif
