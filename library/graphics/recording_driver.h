// The recording driver: while a metafile slot holding a recorded picture is the drawing
// target, every drawing operation is appended to the slot's fixed-capacity buffer as binary
// metafile elements (cgm_encoder.h) instead of being drawn.
//
// A recorded picture is set up whole by StartRecordedMetafile: the slot gets its picture size,
// drawing size and buffer, and the metafile and picture header is written at once, so a
// selected recording slot always has its drawing size. Four bytes of the buffer stay reserved
// for END PICTURE and END METAFILE, so EndRecordedMetafile always closes a readable metafile,
// however full the buffer got; a closed picture takes no more elements.
//
// Free of any window system.
#ifndef QUILL_GRAPHICS_RECORDING_DRIVER_H
#define QUILL_GRAPHICS_RECORDING_DRIVER_H

#include "graphics/cgm_encoder.h"
#include "quillamorph/convention.h"

namespace quill {

// The attribute cache of a recorded picture: the value last written, -1 for none yet.
enum RecordingCacheItem {
    kCacheLineColour,
    kCacheTextColour,
    kCacheFillColour,
    kCacheEdgeColour,
    kCacheAuxColour,
    kCacheFont,
    kCacheCharHeight,
    kCacheTextAlign,
    kCacheEdgeWidth,
    kCacheEdgeType,
    kCacheItems
};

struct RecordedPicture {
    CgmMemorySink sink;
    CgmEncoder enc;
    int cache[kCacheItems];
    int widthPt = 0, heightPt = 0;      // picture size in points
    int drawWidth = 0, drawHeight = 0;  // drawing size in device units (1/600 inch, scaled)
    float slotAspect = 1;               // widthPt / heightPt
    bool closed = false;                // END METAFILE written
    RecordedPicture(std::size_t capacity);
    void ResetCache();
};

// The size of the header every recorded picture starts with, and the bytes kept for its end.
constexpr int kRecordingHeaderBytes = 394;
constexpr int kRecordingEndBytes = 4;

// The drawing size for a picture of WIDTH by HEIGHT points: 600 units an inch, both scaled
// down together so that the larger is at most 32767 (64-bit arithmetic).
void RecordingDrawingSize(int width, int height, int *dwidth, int *dheight);

// The recorded picture of slot N (1-20), or null when the slot holds none.
RecordedPicture *RecordedPictureOf(int n);

// The slot of the picture being recorded into: the current target when it is a recording
// slot, else 0.
int CurrentRecordingSlot();

// The header elements of op 39 into P (true when they all fitted).
bool WriteRecordingHeader(RecordedPicture &p);

// Writes END PICTURE and END METAFILE into slot N's picture (once); it takes no more drawing.
void EndRecordedPicture(int n);

// Frees the recorded picture of slot N, if any.
void FreeRecordedPicture(int n);

// The pixels a cell array is written from: WIDTH x HEIGHT RGB values (r + 256 g + 65536 b),
// row 0 the top; PIXEL (CONTEXT, X, Y) gives one.
struct CellSource {
    int width = 0, height = 0;
    int (*pixel)(const void *context, int x, int y) = nullptr;
    const void *context = nullptr;
};

// The most columns or rows a cell array holds: its counts are 16-bit words.
constexpr int kMaxCellCount = 32767;

// A CELL ARRAY covering (X1, Y1)-(X2, Y2) with the pixels of SOURCE, packed 8-bit colours,
// every row padded to an even length, in partitions of at most 1024 bytes. A picture of more
// than kMaxCellCount columns or rows is sampled down to that many over the same rectangle.
// Returns false when the sink refused it.
bool WriteCellArray(CgmEncoder &enc, int x1, int y1, int x2, int y2, const CellSource &source);
// The same for NX by NY RGB values PIXELS, rows top first.
bool WriteCellArray(CgmEncoder &enc, int x1, int y1, int x2, int y2, int nx, int ny,
                    const int *pixels);

}  // namespace quill

QUILL_BEGIN_DECLS
// The recording driver: acts on op *OP for the recording slot that is the current target.
void yygcgm_(const int *op);

// Byte writers on the current recording slot's buffer. yygcgm1_ appends N bytes whole or
// not at all (error 1062 when they do not fit).
void yygcgm1_(const unsigned char *bytes, const int *n);
void yygcgm2_(const int *cls, const int *id, const int *length);
void yygcgm4_(const int *cls, const int *id, const int *r, const int *g, const int *b);
void yygcgm5_(const int *v);
void yygcgm6_(const int *x, const int *y);
void yygcgm7_(const char *text, const int *n, int text_len);
void yygcgm8_(const char *text, const int *n, int text_len);
// One gradient triangle: vertices (X(k), Y(k)) with RGB colours C(k), k = 1-3.
void yygcgm9_(const int *x, const int *y, const int *c);

QUILL_END_DECLS

namespace quill {

// Sets up slot N as a recorded picture of WIDTH by HEIGHT points with a buffer of CAPACITY
// bytes and writes its header. STATUS 1 (and nothing else) for N outside 1-20, a slot in use,
// a size not above 0, a capacity below the header plus the end or one the memory cannot give;
// else 0.
void StartRecordedMetafile(const int *n, const int *width, const int *height, const int *capacity,
                           int *status);
// Copies up to *NBYTES bytes of slot N's recorded picture into BUFFER; *NBYTES becomes the
// picture's size (0 for a slot holding none).
void CopyRecordedMetafile(const int *n, unsigned char *buffer, int *nbytes);

}  // namespace quill

#endif
