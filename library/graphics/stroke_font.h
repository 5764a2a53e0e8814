// The stroke font store: two font sets, each a text of pen strokes with an index of where each
// character's glyph begins, and one table of character widths. Initialisation resets the
// widths and installs the built-in font into font set 0; nothing in the library draws with it.
//
// A glyph is a run of the stroke text: points of two characters (x, then y; "0"-"9", "A" 10,
// "B" 11) on a small integer grid with y upwards, strokes separated by "u" (pen up). Positions
// in the text and the index entries count from 1, as the index arrays passed in do.
#ifndef QUILL_GRAPHICS_STROKE_FONT_H
#define QUILL_GRAPHICS_STROKE_FONT_H

#include "quillamorph/convention.h"

namespace quill {

constexpr int kStrokeTextSize = 17000;  // room of a font set's stroke text
constexpr int kStrokeNameLength = 260;  // a font set's blank-padded name
constexpr int kLowerIndexCount = 96;    // codes 33-126, 128 and a closing entry
constexpr int kUpperIndexCount = 96;    // codes 161-255 and a closing entry
constexpr int kLowerWidthCount = 96;    // codes 32-126, then 128
constexpr int kUpperWidthCount = 95;    // codes 161-255
constexpr int kStandardStrokeLength = 3455;

struct StrokeFontSet {
    float size1, size2;  // first and second size reals, stored for the font's users
    float gridWidth, gridHeight;
    int font1;                     // first font integer
    int flag1;                     // bit value 1 of the flags word (font set 0 only)
    int has128;                    // bit value 2: the font has a glyph for code 128
    int font2;                     // second font integer
    char name[kStrokeNameLength];  // font set 0 only
    char text[kStrokeTextSize];
    int lower[kLowerIndexCount];
    int upper[kUpperIndexCount];
};

// The two font sets and the width table (lower: codes 32-126 in 0-94, code 128 in 95; upper:
// codes 161-255 in 0-94).
extern StrokeFontSet gStrokeFonts[2];
extern float gCharWidthLower[kLowerWidthCount];
extern float gCharWidthUpper[kUpperWidthCount];

// The built-in font and the default widths (written by tools/stroke-font).
extern const char kStandardStrokeText[kStandardStrokeLength + 1];
extern const int kStandardLowerIndex[kLowerIndexCount];
extern const int kStandardUpperIndex[kUpperIndexCount];
extern const float kDefaultLowerWidths[kLowerWidthCount];
extern const float kDefaultUpperWidths[kUpperWidthCount];

}  // namespace quill

QUILL_BEGIN_DECLS

// Installs a font into font set 1 (SET 1) or 0 (any other SET). FLAGS bit value 2 says the font
// has a glyph for code 128 (96 lower index entries are copied, else 95). TEXT_LEN characters of
// TEXT are copied, at most the 17000 the set holds; NAME (font set 0 only) is cut or padded to
// 260 characters.
void yychsfont_(const float *r1, const float *r2, const float *gw, const float *gh, const int *k1,
                const int *flags, const int *k2, const int *set, const char *name, const char *text,
                const int *lower, const int *upper, int name_len, int text_len);

// Resets the width of character ICODE to its default, or the whole table for 0. A code that
// has no entry (1-31, 127, 129-160, above 255, negative) raises error 66 and changes nothing.
void yychspace_(const int *icode);

// Installs the built-in font "standard.chr" into font set 1 when FLAG is 1, else into font
// set 0 (FLAG absent counts as 0).
void wgrvfontstandard_(const int *flag);

QUILL_END_DECLS

#endif
