// The metafile slot records, their selection as drawing target and their destruction.
#include "graphics/metafile_slots.h"

#include "base/errors.h"
#include "graphics/graphics_state.h"
#include "graphics/recording_driver.h"
#include "quillamorph/graphics.h"

MetafileSlot gSlots[kMetafileSlots];

namespace quill {
EnhancedSlotHooks gEnhancedHooks = {};
void (*gLeaveSlotTarget)() = nullptr;
}  // namespace quill

namespace {

MetafileSlot *Slot(const int *n) {
    return n != nullptr && *n >= 1 && *n <= kMetafileSlots ? &gSlots[*n - 1] : nullptr;
}

}  // namespace

void yymetafileselect_(const int *n, int *status, int *width, int *height) {
    int result = 1;
    MetafileSlot *slot = Slot(n);
    if (slot != nullptr && slot->inUse != 0 && slot->kind == kSlotRecorded) {
        // A closed picture takes no more drawing.
        const quill::RecordedPicture *p = quill::RecordedPictureOf(*n);
        if (p != nullptr && !p->closed) {
            if (width != nullptr) *width = slot->drawWidth;
            if (height != nullptr) *height = slot->drawHeight;
            gGraphics.recording = 1;
            result = 0;
        }
    } else if (slot != nullptr && slot->inUse != 0 && slot->kind == kSlotEnhanced) {
        if (width != nullptr) *width = slot->drawWidth;
        if (height != nullptr) *height = slot->drawHeight;
        gGraphics.recording = 0;
        if (quill::gEnhancedHooks.select) quill::gEnhancedHooks.select(*n, &result);
    }
    if (status != nullptr) *status = result;
}

void wmetafiledestroy_(const int *n) {
    MetafileSlot *slot = Slot(n);
    if (slot == nullptr) {
        quill::RaiseError(1060);
        return;
    }
    if (slot->kind == kSlotEmpty) quill::RaiseError(1060);
    // Drawing into the slot would go to freed memory or a deleted context.
    if (gGraphics.kind == kDrawMetafile && gGraphics.id == *n && quill::gLeaveSlotTarget)
        quill::gLeaveSlotTarget();
    if (slot->kind == kSlotEnhanced && quill::gEnhancedHooks.destroy)
        quill::gEnhancedHooks.destroy(*n);
    // A recorded picture being drawn into goes with its slot; the recording driver finds no
    // picture for the target afterwards and records nothing.
    if (gGraphics.kind == kDrawMetafile && gGraphics.id == *n) gGraphics.recording = 0;
    quill::FreeRecordedPicture(*n);
    slot->widthPoints = slot->heightPoints = 0;
    slot->kind = slot->inUse = 0;
    slot->capacity = slot->used = 0;
}

void quill::EndRecordedMetafile(const int *n) {
    MetafileSlot *slot = Slot(n);
    if (slot == nullptr || slot->inUse == 0) return;
    if (slot->kind == kSlotRecorded) {
        quill::EndRecordedPicture(*n);
    } else if (slot->kind == kSlotEnhanced && quill::gEnhancedHooks.close) {
        quill::gEnhancedHooks.close(*n);
    }
}
