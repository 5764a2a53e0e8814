// The library's colours: the 256-entry palette, the 8-, 16- and 32-colour tables for devices
// with few colours, the nearest-entry search, the device colour numbers and the routines that
// set the current colour. Free of any window system.
#ifndef QUILL_GRAPHICS_PALETTE_H
#define QUILL_GRAPHICS_PALETTE_H

#include "quillamorph/convention.h"

constexpr int kPaletteEntries = 256;
constexpr int kMaxTableColours = 128;

// The tables, built by yypali_ and changed entry by entry by yypals_.
struct PaletteTables {
    int palette[kPaletteEntries];  // RGB of each entry; 0 white, 223 black
    int table8[8];                 // white, blue, green, cyan, red, magenta, yellow, black
    int table16[16];
    int table32[kMaxTableColours];  // for 32 to 128 library colours
    float hueCos[kPaletteEntries], hueSin[kPaletteEntries];
    float saturation[kPaletteEntries], value[kPaletteEntries];
};
extern PaletteTables gPalette;

namespace quill {

// The library colour of table entry I for N library colours, as devices with a palette of
// their own load it: the 16-colour table for N 16 or less, else the 32-colour table. -1 for an
// entry outside 0 to N - 1 (or outside the table).
int LibraryColour(int n, int i);

// The colour rule of printer and metafile output on one colour: rule 1 inverts every
// channel, rule 2 swaps only near-black and near-white, any other rule keeps the colour.
void ColourRule(int rule, int *r, int *g, int *b);

}  // namespace quill

QUILL_BEGIN_DECLS

void yypalg_(const int *index, int *rgb);
void yypalg8_(const int *index, int *rgb);
void yypalg16_(const int *index, int *rgb);
void yypalg32_(const int *index, int *rgb);
void yypalrgb_(const int *colour, int *r, int *g, int *b);
void yypals_(const int *index, const int *rgb);
void yypali_();
void yyrgbto8_(const int *rgb, int *index);
void yyrgbhsv_(const int *rgb, float *hue, float *saturation, float *value);
int yycoln_(const int *sector, const int *row);
int yycnum_(const int *index);
void yycon_(const int *index, const int *rgb, const int *device, const int *sides);

QUILL_END_DECLS

#endif
