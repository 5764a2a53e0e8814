// What the library's start-up and shutdown need of the graphics layer.
#ifndef QUILL_GRAPHICS_GRAPHICS_STARTUP_H
#define QUILL_GRAPHICS_GRAPHICS_STARTUP_H

// At library initialisation: frees the metafile slots.
void yygraphicsinitialise();

// When the root window has been opened with NCOLOURS asked for: the library's colour count,
// palette and screen driver, and graphics initialisation.
void yygraphicsrootopened(int ncolours);

// At library close: destroys the metafile slots in use.
void yygraphicsclose();

// Windows build: installs graphics' part in the library's start-up and close and the event
// position mapping into core.
namespace quill {
void InstallGraphicsLayer();
}

#endif
