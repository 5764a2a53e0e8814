// What the library's shutdown needs of the graphics layer (initialisation, which installs
// the window layer's drawing hooks, is in target_hooks_win.cpp).
#include "graphics/graphics_startup.h"

#include "graphics/graphics_state.h"
#include "graphics/metafile_slots.h"
#include "quillamorph/graphics.h"

void quill::CloseGraphics() {
    for (int n = 1; n <= kMetafileSlots; ++n) {
        if (gSlots[n - 1].kind != kSlotEmpty) wmetafiledestroy_(&n);
    }
}
