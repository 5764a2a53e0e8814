// How filled figures are filled. The fill style says what a device does with a filled figure
// (0 nothing, 1 and 2 hatching, 3 the mean of the two gradient colours, 4 solid in the
// current colour); the hardcopy drivers read it, with the character kind that scales their
// text. A driver that cannot fill a figure itself sets the figure-fill word at the figure's
// operation: the figure then goes to it again as hatch lines (op 2) at the hatch spacing,
// followed by the figure's operation with id(1) = -1, which ends it.
//
// Free of any window system.
#ifndef QUILL_GRAPHICS_FIGURE_FILL_H
#define QUILL_GRAPHICS_FIGURE_FILL_H

struct FigureFill {
    int style;      // fill style 0-4; 4 at start
    int gradient1;  // RGB values of the two gradient colours
    int gradient2;
    int fillWord;        // set by a driver: 2 asks for hatch lines
    float hatchSpacing;  // device units between hatch lines
    int charKind;        // character kind 0, 1 or 2 (text scaling of the file drivers)
};

extern FigureFill gFigureFill;

namespace quill {

// Sends the current filled-figure operation OP (odd, 5 to 15; operands already stored) to the
// hardcopy side; when the driver sets the figure-fill word, sends the figure again as hatch
// lines of op 2 at the hatch spacing and then OP with id(1) = -1. The operands are restored.
void SendFilledFigure(int op);

// The hatch lines of a figure given as a closed polygon (device units): horizontal lines
// SPACING apart, each cut to the polygon's inside (even-odd rule), passed to EMIT.
void HatchPolygon(const float *x, const float *y, int n, float spacing,
                  void (*emit)(float x1, float y1, float x2, float y2, void *context),
                  void *context);

}  // namespace quill

#endif
