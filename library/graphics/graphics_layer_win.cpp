// Graphics' place in the library: its part in start-up and close, and the mapping of event
// positions to graphics coordinates.
#include "core/layers.h"
#include "graphics/bitmaps.h"
#include "graphics/drawing_target.h"
#include "graphics/event_mapping.h"
#include "graphics/graphics_startup.h"

namespace {

// At shutdown: the bitmaps and the pens, brushes and fonts of the drawing target go before
// the windows they were made for.
void FreeWindowSystemObjects() {
    quill::DestroyAllBitmaps();
    quill::DeleteGraphicsObjects();
}

}  // namespace

void quill::InstallGraphicsLayer() {
    LayerStartup startup = {};
    startup.initialise = InitialiseGraphics;
    startup.rootOpened = GraphicsRootOpened;
    startup.close = CloseGraphics;
    startup.shutdown = FreeWindowSystemObjects;
    InstallLayerStartup(kLayerGraphics, startup);
    SetEventMapping(MapEventPosition);
    InstallDrawingHooks();
}
