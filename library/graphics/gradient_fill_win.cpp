// The screen's two gradient primitives: one pixel in an RGB colour, and triangles through the
// system's gradient routine (the drawing families' rule, with the clip region selected).
#include <windows.h>

#include "core/startup.h"
#include "graphics/drawing_target.h"
#include "graphics/gradient_fill.h"
#include "graphics/screen_gradient.h"

void yywinpointrgb_(const int *x, const int *y, const int *rgb) {
    if (quill::TargetDC() == nullptr || x == nullptr || y == nullptr || rgb == nullptr) return;
    COLORREF colour = static_cast<COLORREF>(*rgb) & 0xFFFFFF;
    if (quill::TargetPalette() != nullptr)
        colour = PALETTEINDEX(GetNearestPaletteIndex(quill::TargetPalette(), colour));
    SetPixel(quill::TargetDC(), *x, *y, colour);
}

void yywingradfill_(const int *x, const int *y, const int *c, const int *triangles,
                    const int *count_v, const int *count_t, int *status) {
    if (status == nullptr) return;
    *status = 1;
    if (count_v == nullptr || count_t == nullptr) return;
    // The clip region of the drawable holds for the system's fill as for the library's.
    quill::ClipScope clip;
    if (quill::FamilyGradFill(quill::Target(), x, y, c, triangles, *count_v, *count_t)) *status = 0;
}
