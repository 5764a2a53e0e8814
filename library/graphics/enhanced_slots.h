// Enhanced metafile slots (Windows only): creating a recording context for a slot, selecting
// it as the drawing target, closing, playing, saving, copying to the clipboard, loading and
// destroying the picture. ISLOT is the entry 0-19 of the graphics layer's slot ISLOT + 1.
// These routines report through their status arguments and raise no library error.
#ifndef QUILL_GRAPHICS_ENHANCED_SLOTS_H
#define QUILL_GRAPHICS_ENHANCED_SLOTS_H

#include <windows.h>

#include "quillamorph/convention.h"

namespace quill {
// The recording context of a slot that still records, else null.
HDC EnhancedRecorder(int slot);
// The picture of a slot, closing a recording first; null for an empty slot.
HENHMETAFILE EnhancedPicture(int slot);
// True while the slot records or holds a picture.
bool EnhancedInUse(int slot);
// Pixels per logical inch of the reference device of the last slot made.
int EnhancedReferenceDpi();
// Turns drawing away from a recording context about to be closed: the target switch installs
// the routine that makes the current window the target.
extern void (*gLeaveEnhancedTarget)();
void LeaveEnhancedTarget();
}  // namespace quill

QUILL_BEGIN_DECLS
// A recording context for a picture of IWIDTH by IHEIGHT points (frame in hundredths of a
// millimetre) on the reference device; IXPIX, IYPIX the picture's size in its pixels.
void yymetafilecreate_(const int *islot, const int *iwidth, const int *iheight, int *ixpix,
                       int *iypix);
// The slot's recording context becomes the drawing target with window extent IW by IH;
// ISTATUS 1 when the slot is not recording.
void yymetafileselect2_(const int *islot, const int *iw, const int *ih, int *istatus);
// Plays the picture into the current target over IX1, IY1 to IX2, IY2.
void yymetafileplay_(const int *islot, const int *ix1, const int *iy1, const int *ix2,
                     const int *iy2);
// Saves the picture as an enhanced-metafile file; ISTATUS 1 with the system's code in IOSERR.
void yymetafilesave_(const int *islot, int *istatus, int *ioserr, const char *filename,
                     int filename_len);
// Puts a copy of the picture on the clipboard.
void yymetafileclipboard_(const int *islot);
// Loads NBYTES bytes of FILENAME as the slot's picture: ISTATUS 0, 1 (cannot open) or 2 (short
// file or not an enhanced metafile; the slot stays empty).
void yymetafileload_(const int *islot, const int *nbytes, int *istatus, int *ioserr,
                     const char *filename, int filename_len);
// Closes a recording, deletes the picture and empties the slot.
void yymetafiledestroy_(const int *islot);

QUILL_END_DECLS

namespace quill {

// Makes slot N (1-20) an enhanced metafile of WIDTH by HEIGHT points: loaded from FILENAME when
// one is given (STATUS as yymetafileload_), else recording through yymetafilecreate_, with the
// drawing size in the reference device's pixels. STATUS 1 for N outside 1-20, a slot in use or
// a size not above 0.
void CreateEnhancedMetafileSlot(const int *n, const int *width, const int *height, int *status,
                                const char *filename, int filename_len);

}  // namespace quill

#endif
