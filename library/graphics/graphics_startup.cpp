// What the library's start-up and shutdown need of the graphics layer.
#include "graphics/graphics_startup.h"

#include "graphics/graphics_state.h"
#include "graphics/metafile_slots.h"
#include "quillamorph/graphics.h"

void quill::InitialiseGraphics() {
    for (MetafileSlot &slot : gSlots) slot = MetafileSlot{};
}

void quill::CloseGraphics() {
    for (int n = 1; n <= kMetafileSlots; ++n) {
        if (gSlots[n - 1].kind != kSlotEmpty) wmetafiledestroy_(&n);
    }
}
