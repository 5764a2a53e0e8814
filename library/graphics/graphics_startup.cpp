// What the library's start-up and shutdown need of the graphics layer.
//
// Of the graphics state only the mapping between pixels and graphics units exists so far;
// the rest of the layer (drawing state, palette, metafile slots and the per-window graphics
// table) is not built yet. Until it is, there is no metafile slot to free or destroy, no
// palette to build and no graphics object to delete.
#include "graphics/graphics_startup.h"

#include "graphics/coordinates.h"

void yygraphicsinitialise() {}

void yygraphicsrootopened() { gMapping = yydefaultmapping(); }

void yygraphicsclose() {}
