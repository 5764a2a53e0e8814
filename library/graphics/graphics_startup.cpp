// What the library's start-up and shutdown need of the graphics layer.
//
// The graphics layer (graphics state, palette, metafile slots and the per-window graphics
// table) is not built yet. Until it is, these entries hold no state: there is no metafile
// slot to free or destroy, no palette to build and no graphics object to delete.
#include "graphics/graphics_startup.h"

void yygraphicsinitialise() {}

void yygraphicsrootopened() {}

void yygraphicsclose() {}
