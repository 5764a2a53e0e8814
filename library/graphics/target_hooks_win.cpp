// The drawing hooks of the window layer: how a window's or a
// dialog field's device context becomes the drawing target and stops being it.
#include "core/drawing_hooks.h"
#include "core/startup.h"
#include "graphics/drawing_target.h"
#include "graphics/graphics_startup.h"
#include "graphics/graphics_state.h"

namespace {

void WindowReleasing(HDC dc) {
    if (dc != nullptr && quill::TargetDC() == dc) quill::ReleaseTarget(nullptr, true);
}

void WindowSelected(HDC dc) {
    if (gGraphics.kind == kDrawWindow) quill::SelectTarget(dc);
}

bool SelectField(HWND field) {
    HDC dc = GetDC(field);
    if (dc == nullptr) {
        quill::ReleaseTarget(wDC, false);
        return false;
    }
    quill::SelectTarget(dc, field);
    return true;
}

void ReleaseField() {
    quill::DrawingTarget &t = quill::Target();
    if (t.field != nullptr) {
        quill::ReleaseTarget(wDC, true);
        return;
    }
    // No field is the target: what a field held is forgotten, so that the next one records
    // its own.
    t.fontOld = nullptr;
    t.penOld = nullptr;
    t.paletteOld = nullptr;
}

void RealizePalette(HWND window, HDC dc) { quill::RealizeLibraryPalette(window, dc); }

int MarkReselecting(int on) {
    const int outer = gGraphics.reselecting;
    gGraphics.reselecting = on;
    return outer;
}

void WindowResized(int slot, int width, int height) {
    const int kind = kDrawWindow;
    yyresn_(&kind, &slot, &width, &height);
}

}  // namespace

void quill::InstallDrawingHooks() {
    quill::DrawingHooks hooks;
    hooks.windowReleasing = WindowReleasing;
    hooks.windowSelected = WindowSelected;
    hooks.selectField = SelectField;
    hooks.releaseField = ReleaseField;
    hooks.targetField = quill::TargetField;
    hooks.realizePalette = RealizePalette;
    hooks.markReselecting = MarkReselecting;
    hooks.windowResized = WindowResized;
    hooks.textColourSet = quill::SetTextPaletteColour;
    quill::SetDrawingHooks(hooks);
}
