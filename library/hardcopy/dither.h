// Dither patterns: a colour level becomes a 32-bit pattern of an 8 x 4 pixel cell, bit
// (y mod 4) x 8 + (x mod 8), with as many bits set as the level asks (truncate(32 L + 0.5)).
// The raster drivers draw spans and images through these patterns, the HP-GL/2 driver writes
// them as fill patterns.
#ifndef QUILL_HARDCOPY_DITHER_H
#define QUILL_HARDCOPY_DITHER_H

#include "graphics/graphics_state.h"
#include "quillamorph/convention.h"

#include <cstdint>

QUILL_BEGIN_DECLS

// The dither patterns of the current colour for a printer of colour kind KIND (2 = one
// whose components are inverted): one grey pattern in PATTERN1 on a two-colour device, else
// one pattern per component (all three the same for a near-grey colour).
void yydith_(const int *kind, int *pattern1, int *pattern2, int *pattern3);

QUILL_END_DECLS

namespace quill {

// yydith_ for COLOUR in place of the current colour.
void DitherPatterns(const GraphicsColour &colour, int kind, int *pattern1, int *pattern2,
                    int *pattern3);

// The pattern of LEVEL (0 to 1) for component K (1 to 3; the grey pattern uses 1).
std::uint32_t DitherPattern(double level, int k);

// The patterns of RGB values R, G, B (0 to 255, already inverted as the colour rule asks) on
// a device of NCOLOURS colours; for two colours only PATTERNS[0] is set.
void DitherColour(int r, int g, int b, int ncolours, std::uint32_t patterns[3]);

// The stored pattern of each palette colour number (-1 = none) that a two-colour device
// uses in place of the computed grey pattern with the palette colour model.
int *StoredPatterns();

}  // namespace quill

#endif
