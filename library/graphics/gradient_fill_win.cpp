// The screen's two gradient primitives: one pixel in an RGB colour, and triangles through the
// system's gradient routine.
#include <windows.h>

#include "core/startup.h"
#include "graphics/drawing_target.h"
#include "graphics/gradient_fill.h"
#include "graphics/screen_gradient.h"

namespace {

// Vertex and triangle arrays handed to the system's gradient routine.
TRIVERTEX gVert[quill::kGradientVertices];
GRADIENT_TRIANGLE gGrad[quill::kGradientVertices - 2];

}  // namespace

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
    if (pGradientFill == nullptr || quill::TargetDC() == nullptr || count_v == nullptr ||
        count_t == nullptr)
        return;
    const int nv = *count_v, nt = *count_t;
    if (nv < 3 || nv > quill::kGradientVertices || nt < 1 || nt > nv - 2) return;
    for (int k = 0; k < nv; ++k) {
        gVert[k].x = x[k];
        gVert[k].y = y[k];
        gVert[k].Red = static_cast<COLOR16>((c[k] & 0xFF) * 256);
        gVert[k].Green = static_cast<COLOR16>(((c[k] >> 8) & 0xFF) * 256);
        gVert[k].Blue = static_cast<COLOR16>(((c[k] >> 16) & 0xFF) * 256);
        gVert[k].Alpha = 0;
    }
    for (int t = 0; t < nt; ++t) {
        gGrad[t].Vertex1 = static_cast<ULONG>(triangles[3 * t] - 1);
        gGrad[t].Vertex2 = static_cast<ULONG>(triangles[3 * t + 1] - 1);
        gGrad[t].Vertex3 = static_cast<ULONG>(triangles[3 * t + 2] - 1);
    }
    // The clip region of the drawable holds for the system's fill as for the library's.
    if (quill::TargetClip() != nullptr) SelectClipRgn(quill::TargetDC(), quill::TargetClip());
    if (pGradientFill(quill::TargetDC(), gVert, static_cast<ULONG>(nv), gGrad,
                      static_cast<ULONG>(nt), GRADIENT_FILL_TRIANGLE))
        *status = 0;
    if (quill::TargetClip() != nullptr) SelectClipRgn(quill::TargetDC(), nullptr);
}
