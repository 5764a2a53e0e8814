// What the HPGL and HP-GL/2 drivers share: device points scaled into plotter user units 0 to
// 32760, the command line writers, pen moves, labels, tag lines, line types, figure outlines
// and arcs, and the operations both drivers write alike.
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
    double thickness = -1;    // last fill pen thickness written
    double p1x = 0, p1y = 0;  // the page frame P1 and P2 in plotter units, set at open
    double p2x = 32760, p2y = 32760;
};

extern HpglCommon gHpgl;

namespace quill {

// Device x and y to user units (truncated toward zero; the drawable's far edge is 32760).
int HpglUserX(double x);
int HpglUserY(double y);

// Scale factors from the drawable size.
void HpglScale();

// Opens the file of op 18 and resets the shared state; false when it cannot be opened.
bool HpglOpen();

}  // namespace quill

// The command line writer: TEXT with the blank after each two-letter command dropped and
// every other run of blanks made one, written by yyhpg7_.
void yyhpg3_(const std::string &text);

// Writes a prepared command line, with the blank in front that the line-prefix option asks for.
void yyhpg7_(const std::string &line);

QUILL_BEGIN_DECLS

// Writes the pen command CMD ("PU", "PD") with the point X, Y in user units.
void yyhpg1_(const char *cmd, const int *x, const int *y, int cmd_len);

QUILL_END_DECLS

namespace quill {

// The pen move CMD to device point (X, Y).
void HpglMove(const char *cmd, double x, double y);

// Writes "PU;SP" and the pen when it differs from the current pen or a reselect is due.
void HpglSelectPen(const std::string &pen, bool force);

// Writes the current pen again when a page end asked for it.
void HpglReselectPen();

// What every drawing operation of a plotter file does first: marks the page drawn on and
// writes a pending pen reselect.
void HpglBeginDrawing();

// The label terminator of the option word (the character with code 4 by default).
char HpglLabelTerminator();

}  // namespace quill

// The label line: "LB", the text and the terminator character.
void yyhpg2_(const std::string &text, char terminator);

// A tag line (tag option on): "SC-" with the tag and three integers (the last plus 32760).
// The tag's SC disturbs the user-unit scaling, so a tag written between drawing commands
// restores it on the same line (RESTORE); the plotter-type tag of the open does not, as the
// open's own scaling line follows it.
void yyhpg6_(int tag, int a, int b, int c, bool restore = true);

namespace quill {

// "LT" with the pattern of line type TYPE (0: solid); class F plotters draw type 1 "1 1".
std::string HpglLineType(int type, bool classF);

}  // namespace quill

// The points of an arc (op 34) or a sector outline (op 13, the centre first) from the
// operands, in device units, in steps of the sector step rule.
void yyhpg5_(bool sector, std::vector<double> &x, std::vector<double> &y);

// The outline points of filled figure FIGURE (2 four-point figure, 3 rectangle, 4 triangle,
// 5 sector, 6 polygon of the polygon buffer) in device units; empty for a circle (1).
void yyhpg4_(int figure, std::vector<double> &x, std::vector<double> &y);

// The arc of op 34 as pen moves.
void yyhpg0_();

namespace quill {

// The clip window: "SC" (scaling off), the window command in plotter units within the page
// frame, and the user-unit scaling restored. The far limits lie at the far edges of their
// pixels.
void HpglWindow();

// A length of LENGTH user units along x in plotter units (for commands written with the
// scaling off).
int HpglPlotterLength(double length);

// P1 and P2 of the page from the offsets and page size (option words) with F plotter units
// per point: «IN; IP ...» and the rotation, «RO 90» or «RO 0» with LANDSCAPE. P1 and P2 are
// kept as the frame that user units map onto.
void HpglFrame(double f, bool rotate90);

// The operations both drivers write alike: 2 (segment), 22 (text), 24 (clip), 26 (point),
// 29 (line type), 30 (line width) and 33 (text direction). Returns false for another op.
bool HpglCommonOp(int op, bool classF);

}  // namespace quill

#endif
