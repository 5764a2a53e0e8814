// Presentation-graphics plot set-up: plot area, x, y, z and polar units, linear or
// logarithmic axis scaling, and the description of a new plot with its per-set default styles.
// The state is kept for a chart-drawing program to read; the library itself draws no chart.
#ifndef QUILLAMORPH_PLOT_H
#define QUILLAMORPH_PLOT_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS
// The plot area as fractions of the drawing area: left, bottom, right, top. A value outside
// its range keeps the old edge.
void ipgarea_(const float *x1, const float *y1, const float *x2, const float *y2);
// The x units at the left and right edge and the y units at the bottom and top edge (either
// order); an empty range becomes 0 to 1 with error 16.
void ipgunits_(const float *x1, const float *y1, const float *x2, const float *y2);
// The z units, Z1 below Z2; otherwise 0 to 1 with error 16.
void ipgunitsz_(const float *z1, const float *z2);
// The polar radius, above 0; otherwise 1 with error 16.
void ipgunitspolar_(const float *r);
// Texts beginning "LOG" (any case) request a logarithmic axis, anything else a linear one.
void ipgscaling_(const char *xscale, const char *yscale, int xscale_len, int yscale_len);
// Describe a new plot: TYPE 1-10, NSETS 1-256, NVALUES (1 to 3 counts); OPTIONS and STYLES
// may be absent; STYLES not 0 also sets the plot type's default per-set styles.
void ipgnewplot1_(const int *type, const int *nsets, const int *nvalues, const int *options,
                  const int *styles);
void ipgnewplot2_(const int *type, const int *nsets, const int *nvalues, const int *options,
                  const int *styles);
QUILL_END_DECLS

#endif
