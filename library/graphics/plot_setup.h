// The presentation-graphics state behind the public plot set-up routines (quillamorph/plot.h):
// one instance per process, set to its defaults at graphics initialisation and changed only
// by the set-up routines. Nothing in the library draws from it; it is kept for a chart
// drawer to read.
#ifndef QUILL_GRAPHICS_PLOT_SETUP_H
#define QUILL_GRAPHICS_PLOT_SETUP_H

#include "quillamorph/plot.h"

namespace quill {

constexpr int kPlotSets = 256;
constexpr int kStackPositions = 1024;

struct PlotState {
    // Plot area (fractions), units and their widths, polar radius, axis extremes.
    float px1, px2, py1, py2;
    float xw, yw, zw;
    float xu1, xu2, yu1, yu2, zu1, zu2;
    float radius;
    float xmin, xmax, ymin, ymax;
    float p1, p2;
    float valueWidth;
    float v1, v2;
    float xAxisCos, yAxisCos;
    float xShare;
    // Logarithmic units, kept from the last time each axis was logarithmic.
    float lxu1, lxu2, lyu1, lyu2, logRadius, lxw, lyw, logRadiusSpan;
    float stack[kStackPositions];

    // Per-set styles, index k - 1 for data set k.
    int s1[kPlotSets], s2[kPlotSets], s3[kPlotSets];
    int c1[kPlotSets], c2[kPlotSets];
    int n[kPlotSets];

    // Appearance values.
    int foreground;
    int i1, i2, i3;
    float rv1, rv2, rv1m, rv2m;
    float r[7];  // R1 to R7
    int axisInt[3];
    int w1, w2;
    float axisFactor[3];
    float axisAngle[3], axisDegrees[3];
    int style3d;
    int colours3d[3];
    int w3, w4;

    // Plot description.
    int nv1, nv2, nv3;
    int sets;
    int type;
    int cleared;
    int subdivision;
    int w5;
    int valueStep[2];
    int options;
    int threeD, stacked;
    int bit1, bit9, bit7, bit5, bit3;
    int variant;
    int bit6;
    int xLog, yLog;  // the scaling in force
    int grid3d;
    int w6;
};

extern PlotState gPlot;
// The scaling requested by ipgscaling_ (1 logarithmic), apart from the plot state: both 0 at
// program start and untouched by graphics initialisation.
extern int gPlotXLogRequested, gPlotYLogRequested;

// A new plot with the colour rule of COLOURMODEL (1 palette indices, 2 RGB values): the body
// of ipgnewplot1_ and ipgnewplot2_, which pass the colour model in force.
void PlotNew(int type, int nsets, const int *nvalues, const int *options, const int *styles,
             int colourmodel);

// The round step of a type-4 plot's value axis for NV values: 1, 2 or 5 times a power of ten.
int PlotValueStep(int nv);

// Sets the whole plot state to its defaults, as graphics initialisation does.
void SetPlotDefaults();

}  // namespace quill

// Recomputes the scaling in force and the logarithmic units.
void yyplog_();
// log10 |X|, and -38 for 0.
float yylog1_(const float *x);

#endif
