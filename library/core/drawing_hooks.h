// What the window layer needs of the drawing target, which the graphics layer above owns:
// routines that graphics installs when it initialises. Until then every one of them does
// nothing (no field is the target), so that the window layer works on its own.
#ifndef QUILL_CORE_DRAWING_HOOKS_H
#define QUILL_CORE_DRAWING_HOOKS_H

#include <windows.h>

namespace quill {

struct DrawingHooks {
    // The current window's device context DC is about to be released: drawing into it stops
    // and it gets back the objects the drawing put into it.
    void (*windowReleasing)(HDC dc) = nullptr;
    // DC is the current window's new device context: it becomes the drawing context while a
    // window is the drawing target.
    void (*windowSelected)(HDC dc) = nullptr;
    // FIELD (a dialog field or the dialog itself) becomes the drawing target; false when its
    // device context cannot be had.
    bool (*selectField)(HWND field) = nullptr;
    // A field that is the drawing target gets back its own objects and its device context is
    // released; the target returns to the current window's device context.
    void (*releaseField)() = nullptr;
    // The field (or dialog) that is the drawing target, null for none.
    HWND (*targetField)() = nullptr;
    // Realises the library's palette in the device context of WINDOW (or in DC when given).
    void (*realizePalette)(HWND window, HDC dc) = nullptr;
    // Marks (ON 1) or unmarks (0) a window selection that the library makes for a moment of
    // its own work; answers the mark that was in force.
    int (*markReselecting)(int on) = nullptr;
    // The client area of the current window, slot SLOT, is now WIDTH x HEIGHT pixels.
    void (*windowResized)(int slot, int width, int height) = nullptr;
    // Text colour INDEX is now RGB: on a palette screen its entry of the library's palette
    // changes with it.
    void (*textColourSet)(int index, COLORREF rgb) = nullptr;
};

// Installs HOOKS, replacing the ones before.
void SetDrawingHooks(const DrawingHooks &hooks);

// The hooks, each doing nothing while it is not installed.
void DrawingWindowReleasing(HDC dc);
void DrawingWindowSelected(HDC dc);
bool DrawingSelectField(HWND field);
void DrawingReleaseField();
HWND DrawingTargetField();
void DrawingRealizePalette(HWND window, HDC dc = nullptr);
int DrawingMarkReselecting(int on);
void DrawingWindowResized(int slot, int width, int height);
void DrawingTextColourSet(int index, COLORREF rgb);

}  // namespace quill

#endif
