// What the HPGL and HP-GL/2 drivers share: device points scaled into plotter user units 0 to
// 32760, the command line writer, pen moves, labels, tag lines, line types and arcs.
#ifndef QUILL_HARDCOPY_HPGL_COMMON_H
#define QUILL_HARDCOPY_HPGL_COMMON_H

#include "quillamorph/convention.h"

#include <string>
#include <vector>

struct HpglCommon {
    double width = 1, height = 1;  // drawable size in device units
    std::string pen;               // current pen text ("" at open)
    int penReselect = 0;           // 1 after a page end: the pen is written again before drawing
    int fontChanged = 1;
    double thickness = -1;         // last fill pen thickness written
};

extern HpglCommon gHpgl;

// Device x and y to user units (truncated toward zero; the drawable's far edge is 32760).
int yyhpglx(double x);
int yyhpgly(double y);

// Scale factors from the drawable size.
void yyhpglscale();

// A command line compacted (the blank after each two-letter command dropped, every other run
// of blanks made one) and written.
void yyhpglline(const std::string &text);

QUILL_BEGIN_DECLS

// Writes the pen command CMD ("PU", "PD") with the point X, Y in user units.
void yyhpg1_(const char *cmd, const int *x, const int *y, int cmd_len);

QUILL_END_DECLS

// The pen move CMD to device point (X, Y).
void yyhpglmove(const char *cmd, double x, double y);

// Writes "PU;SP" and the pen when it differs from the current pen or a reselect is due.
void yyhpglpen(const std::string &pen, bool force);

// The label line: "LB", the text and the terminator character.
void yyhpg2_(const std::string &text, char terminator);

// A tag line (tag option on): "SC-" with the tag and three integers (the last plus 32760)
// and the scaling restored behind.
void yyhpg6_(int tag, int a, int b, int c);

// "LT" with the pattern of line type TYPE (0: solid); class F plotters draw type 1 "1 1".
std::string yyhpgllinetype(int type, bool classF);

// The points of an arc or sector outline from the operands of ops 13 and 34, in device
// units: centre first for a sector.
void yyhpg0_(bool sector, std::vector<double> &x, std::vector<double> &y);

// The window command of the clip rectangle in user units (scaling on, as the plotter takes
// it): the far limits at the far edges of their pixels.
void yyhpglwindow();

// P1 and P2 of the page from the offsets and page size (option words) with F plotter units
// per point: «IN; IP ...» and the rotation, «RO 90» or «RO 0» with LANDSCAPE.
void yyhpglframe(double f, bool rotate90);

#endif
