// Window units: every client area spans 0 to 9999 units in each direction, whatever its size
// in pixels. These are the conversions, free of any window system, so that they can be tested
// at the edges natively.
#ifndef QUILL_CORE_WINDOW_UNITS_H
#define QUILL_CORE_WINDOW_UNITS_H

namespace quill {

constexpr int kWindowUnitsMax = 9999;

// Pixel of a window-unit coordinate on an extent of EXTENT pixels: (extent - 1) * units / 9999.
int UnitsToPixels(int units, int extent);

// Window-unit coordinate of pixel PIXELS on an extent of EXTENT pixels:
// (pixels + 0.5) * 9999 / extent, truncated; 0 when the extent is below 2.
int UnitsFromPixels(int pixels, int extent);

}  // namespace quill

#endif
