// The metafile slot records, their selection as drawing target and their destruction.
#include "graphics/metafile_slots.h"

#include "base/errors.h"
#include "graphics/graphics_state.h"
#include "quillamorph/graphics.h"

MetafileSlot gSlots[kMetafileSlots];

namespace {

MetafileSlot *Slot(const int *n) {
    return n != nullptr && *n >= 1 && *n <= kMetafileSlots ? &gSlots[*n - 1] : nullptr;
}

}  // namespace

void yymetafileselect_(const int *n, int *status, int *width, int *height) {
    int result = 1;
    MetafileSlot *slot = Slot(n);
    if (slot != nullptr && slot->inUse != 0 && slot->kind == kSlotRecorded) {
        if (width != nullptr) *width = slot->drawWidth;
        if (height != nullptr) *height = slot->drawHeight;
        gGraphics.recording = 1;
        result = 0;
    }
    // Not built yet (graphics): selecting the enhanced metafile of a kind-3 slot; no slot can
    // hold one before enhanced metafiles exist.
    if (status != nullptr) *status = result;
}

void wmetafiledestroy_(const int *n) {
    MetafileSlot *slot = Slot(n);
    if (slot == nullptr) {
        yyraise(1060);
        return;
    }
    if (slot->kind == kSlotEmpty) yyraise(1060);
    // Not built yet (graphics): destroying the enhanced metafile of a kind-3 slot.
    std::vector<unsigned char>().swap(slot->buffer);
    slot->widthPoints = slot->heightPoints = 0;
    slot->kind = slot->inUse = 0;
    slot->capacity = slot->used = 0;
}
