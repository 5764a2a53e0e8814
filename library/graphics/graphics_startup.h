// What the library's start-up and shutdown need of the graphics layer.
#ifndef QUILL_GRAPHICS_GRAPHICS_STARTUP_H
#define QUILL_GRAPHICS_GRAPHICS_STARTUP_H

namespace quill {

// At library initialisation: frees the metafile slots.
void InitialiseGraphics();

// When the root window has been opened with NCOLOURS asked for: the library's colour count,
// palette and screen driver, the window layer's drawing hooks (for a program that opens the
// root window without initialising the library first), and graphics initialisation.
void GraphicsRootOpened(int ncolours);

// At library close: destroys the metafile slots in use.
void CloseGraphics();

// Installs the window layer's drawing hooks (core/drawing_hooks.h); Win32 only. Part of
// InstallGraphicsLayer, so that they are in place before any window opens.
void InstallDrawingHooks();

// Windows build: installs graphics' part in the library's start-up and close and the event
// position mapping into core.
void InstallGraphicsLayer();

}  // namespace quill

#endif
