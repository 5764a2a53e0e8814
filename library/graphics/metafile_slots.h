// The 20 metafile slots: pictures recorded in memory (kind 6) and enhanced metafiles (kind 3)
// that can be the drawing target. Free of any window system.
#ifndef QUILL_GRAPHICS_METAFILE_SLOTS_H
#define QUILL_GRAPHICS_METAFILE_SLOTS_H

#include "quillamorph/convention.h"

constexpr int kMetafileSlots = 20;

// Kinds of slot.
enum MetafileKind { kSlotEmpty = 0, kSlotEnhanced = 3, kSlotRecorded = 6 };

struct MetafileSlot {
    int widthPoints, heightPoints;  // picture size in points (1/72 inch)
    int drawWidth, drawHeight;      // drawing size in device units (1/600 inch)
    int kind;                       // MetafileKind
    int inUse;                      // non-zero while the slot is allocated
    int capacity, used;             // buffer capacity and bytes used (kind 6); the buffer is
                                    // the recorded picture's (recording_driver.h)
};

// Slot N (1-20) is gSlots[N - 1].
extern MetafileSlot gSlots[kMetafileSlots];

namespace quill {
// The enhanced-metafile side of kind-3 slots (Windows only), installed when the first such
// slot is made: select its recording context as the target (STATUS 0, or 1 when it no longer
// records), close its recording, destroy its picture.
struct EnhancedSlotHooks {
    void (*select)(int n, int *status);
    void (*close)(int n);
    void (*destroy)(int n);
};
extern EnhancedSlotHooks gEnhancedHooks;

// Makes the current window the drawing target, so that a slot being drawn into is left before
// it goes; the target switch installs it (Windows).
extern void (*gLeaveSlotTarget)();
}  // namespace quill

QUILL_BEGIN_DECLS

// Makes slot N the drawing surface: STATUS 0 and its drawing size, or STATUS 1 for a slot
// outside 1-20, not in use or empty. A recorded picture sets the recording flag.
void yymetafileselect_(const int *n, int *status, int *width, int *height);

QUILL_END_DECLS

namespace quill {

// Ends slot N's picture: a recorded picture gets its END PICTURE and END METAFILE and takes no
// more drawing; an enhanced metafile's recording is closed.
void EndRecordedMetafile(const int *n);

}  // namespace quill

#endif
