// Conversions between window units and pixels. The products are formed in 64 bits: a large
// unit value times a large extent overflows 32 bits, and a result outside the int range is
// clamped rather than wrapped.
#include "core/window_units.h"

#include <climits>
#include <cstdint>

namespace quill {

namespace {

int ClampToInt(int64_t v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

}  // namespace

int UnitsToPixels(int units, int extent) {
    int64_t product = (static_cast<int64_t>(extent) - 1) * units;
    return ClampToInt(product / kWindowUnitsMax);
}

int UnitsFromPixels(int pixels, int extent) {
    if (extent < 2) return 0;
    // (pixels + 0.5) * 9999 / extent == (2 * pixels + 1) * 9999 / (2 * extent), exactly.
    int64_t numerator = (2 * static_cast<int64_t>(pixels) + 1) * kWindowUnitsMax;
    return ClampToInt(numerator / (2 * static_cast<int64_t>(extent)));
}

}  // namespace quill
