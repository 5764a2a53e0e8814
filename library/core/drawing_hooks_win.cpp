// The drawing target's hooks, as installed by the graphics layer.
#include "core/drawing_hooks.h"

namespace quill {

namespace {

DrawingHooks gHooks;

}  // namespace

void SetDrawingHooks(const DrawingHooks &hooks) { gHooks = hooks; }

void DrawingWindowReleasing(HDC dc) {
    if (gHooks.windowReleasing != nullptr) gHooks.windowReleasing(dc);
}

void DrawingWindowSelected(HDC dc) {
    if (gHooks.windowSelected != nullptr) gHooks.windowSelected(dc);
}

bool DrawingSelectField(HWND field) {
    return gHooks.selectField != nullptr && gHooks.selectField(field);
}

void DrawingReleaseField() {
    if (gHooks.releaseField != nullptr) gHooks.releaseField();
}

HWND DrawingTargetField() { return gHooks.targetField != nullptr ? gHooks.targetField() : nullptr; }

void DrawingRealizePalette(HWND window, HDC dc) {
    if (gHooks.realizePalette != nullptr) gHooks.realizePalette(window, dc);
}

int DrawingMarkReselecting(int on) {
    return gHooks.markReselecting != nullptr ? gHooks.markReselecting(on) : 0;
}

void DrawingWindowResized(int slot, int width, int height) {
    if (gHooks.windowResized != nullptr) gHooks.windowResized(slot, width, height);
}

void DrawingTextColourSet(int index, COLORREF rgb) {
    if (gHooks.textColourSet != nullptr) gHooks.textColourSet(index, rgb);
}

}  // namespace quill
