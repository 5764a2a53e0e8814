// The 20 metafile slots: pictures recorded in memory (kind 6) and enhanced metafiles (kind 3)
// that can be the drawing target. Free of any window system.
#ifndef QUILL_GRAPHICS_METAFILE_SLOTS_H
#define QUILL_GRAPHICS_METAFILE_SLOTS_H

#include <vector>

#include "quillamorph/convention.h"

constexpr int kMetafileSlots = 20;

// Kinds of slot.
enum MetafileKind { kSlotEmpty = 0, kSlotEnhanced = 3, kSlotRecorded = 6 };

struct MetafileSlot {
    int widthPoints, heightPoints;  // picture size in points (1/72 inch)
    int drawWidth, drawHeight;      // drawing size in device units (1/600 inch)
    int kind;                       // MetafileKind
    int inUse;                      // non-zero while the slot is allocated
    int capacity, used;             // buffer capacity and bytes used (kind 6)
    std::vector<unsigned char> buffer;  // the recorded picture (kind 6)
};

// Slot N (1-20) is gSlots[N - 1].
extern MetafileSlot gSlots[kMetafileSlots];

QUILL_BEGIN_DECLS

// Makes slot N the drawing surface: STATUS 0 and its drawing size, or STATUS 1 for a slot
// outside 1-20, not in use or empty. A recorded picture sets the recording flag.
void yymetafileselect_(const int *n, int *status, int *width, int *height);

QUILL_END_DECLS

#endif
