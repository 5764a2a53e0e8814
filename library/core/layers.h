// What the layers above core (graphics, hardcopy, grid) do at the library's start-up and close,
// in the event loop and in the dialogs. Core never names a routine of a higher layer: each of
// those layers installs its records here before the program's main runs (library/README.md
// says how), and core calls through them. A record not installed is skipped. Win32 only.
#ifndef QUILL_CORE_LAYERS_H
#define QUILL_CORE_LAYERS_H

#include <windows.h>

#include "quillamorph/events.h"

namespace quill {

// The layers that take part in start-up and close, lowest first. Start-up stages run them in
// this order, close stages in the reverse one.
enum Layer { kLayerGraphics, kLayerHardcopy, kLayerGrid, kLayerCount };

// A layer's part in start-up and close; any entry may be null.
struct LayerStartup {
    // Library initialisation, before the environment and the configuration file are read.
    void (*initialise)();
    // Library initialisation, once the configuration (gSettings) has been read.
    void (*configured)();
    // Creation of the root window, beside the library's own window classes.
    void (*registerClasses)();
    // The root window is open; NCOLOURS is the colour count the program asked for.
    void (*rootOpened)(int ncolours);
    // Library close, before the windows and dialogs go.
    void (*close)();
    // Shutdown, once the drawing field has given back its device context and before the
    // dialogs and windows are destroyed: the layer frees the window-system objects it holds.
    void (*shutdown)();
};

// Installs LAYER's part (copied; a later call replaces it).
void InstallLayerStartup(Layer layer, const LayerStartup &startup);

// The stages, as start-up and close call them.
void LayersInitialise();
void LayersConfigured();
void LayersRegisterClasses();
void LayersRootOpened(int ncolours);
void LayersClose();
void LayersShutdown();

// Maps the position of an event of TYPE that the dispatchers returned to graphics
// coordinates (and window units), as yyevent_ does once graphics has installed it.
using EventMapping = void (*)(int type, QuillEvent *message);
void SetEventMapping(EventMapping mapping);
EventMapping CurrentEventMapping();

// The grid as a field kind of the dialogs. Every entry is always set: until the grid layer
// installs its own (an entry it leaves null keeps this default), no control is a grid field
// and a dialog's grid attributes change nothing.
struct GridField {
    // The grid window class, 0 while it is not registered.
    ATOM (*classAtom)();
    // Sets up GRID from the attribute text TEXT; *CONSUMED is how many characters it took.
    void (*initialise)(HWND grid, const char *text, int *consumed);
    // True when WINDOW is a grid with its record.
    bool (*isGrid)(HWND window);
    // Copies grid SOURCE into DESTINATION; SHARE nonzero shares the source's buffers.
    void (*copy)(HWND destination, HWND source, int share);
    // Clears every cell (REMOVEOPTIONS nonzero: menu cells lose their options too).
    void (*clear)(HWND grid, int removeOptions);
    // Gives the grid field STATE (enabled, disabled, read-only, hidden).
    void (*enable)(HWND grid, int state);
};
void SetGridField(const GridField &field);
const GridField &InstalledGridField();

}  // namespace quill

// Grid window styles a dialog template or field option sets; the dialogs read and set the
// read-only, Enter and Tab ones.
enum : LONG {
    kGridReportBlocks = 0x40,
    kGridBareLabels = 0x80,
    kGridKeepHeight = 0x100,
    kGridHeader = 0x200,
    kGridRowLabels = 0x400,
    kGridReadOnly = 0x800,
    kGridEnterDown = 0x1000,
    kGridTabCells = 0x4000,
    kGridWrap = 0x8000,
};

#endif
