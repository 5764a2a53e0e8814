// Enhanced metafile slots: the operating-system side of a metafile slot that holds a Windows
// enhanced metafile, recorded through a metafile device context or loaded from a file.
//
// Entry ISLOT (0-19) is the graphics layer's slot ISLOT + 1. A slot whose recording context is
// set and whose picture is null is still recording; whatever needs the picture closes the
// recording first. A loaded picture has no context: its in-use value is kLoaded.
#include "graphics/enhanced_slots.h"

#include "base/fixedtext.h"
#include "core/commondialogs.h"
#include "graphics/drawing_target.h"
#include "graphics/metafile_slots.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

const int kEntries = 20;
HDC const kLoaded = reinterpret_cast<HDC>(1);

HDC gRecorder[kEntries];
HENHMETAFILE gPicture[kEntries];
SIZE gPixels[kEntries];  // a recording's size in pixels of its reference device

// Pixels per logical inch of the reference device of the last created slot, for the drawing
// routines that scale line widths.
int gReferenceDpi = 96;

bool Valid(int slot) { return slot >= 0 && slot < kEntries; }

bool Recording(int slot) {
    return gRecorder[slot] && gRecorder[slot] != kLoaded && !gPicture[slot];
}

// The reference device: the page set-up's printer when one was chosen, else the screen.
// RELEASE tells how to give it back.
HDC ReferenceDevice(bool *isPrinter) {
    *isPrinter = false;
    if (gPrinter.chosen) {
        HDC ic = quill::KeptPrinterInfo(nullptr);
        if (ic) {
            *isPrinter = true;
            return ic;
        }
    }
    return GetDC(nullptr);
}

void ReleaseReference(HDC dc, bool isPrinter) {
    if (isPrinter)
        DeleteDC(dc);
    else
        ReleaseDC(nullptr, dc);
}

// Closes a recording slot: the closed picture replaces the missing one. Drawing that still
// goes to the recording context is first turned away from it.
void CloseRecording(int slot) {
    if (!Recording(slot)) return;
    if (quill::TargetDC() == gRecorder[slot]) quill::LeaveEnhancedTarget();
    gPicture[slot] = CloseEnhMetaFile(gRecorder[slot]);
    if (!gPicture[slot]) gRecorder[slot] = nullptr;  // nothing usable came of it
}

void Empty(int slot) {
    if (Recording(slot)) CloseRecording(slot);
    if (gPicture[slot]) DeleteEnhMetaFile(gPicture[slot]);
    gPicture[slot] = nullptr;
    gRecorder[slot] = nullptr;
}

}  // namespace

namespace quill {

void (*gLeaveEnhancedTarget)() = nullptr;

void LeaveEnhancedTarget() {
    // The installed target switch goes back to the window; without one the context is only
    // forgotten, so that nothing draws into a closed recording.
    if (gLeaveEnhancedTarget)
        gLeaveEnhancedTarget();
    else
        ReleaseTarget(nullptr, false);
}

int EnhancedReferenceDpi() { return gReferenceDpi; }

HDC EnhancedRecorder(int slot) {
    return Valid(slot) && Recording(slot) ? gRecorder[slot] : nullptr;
}

HENHMETAFILE EnhancedPicture(int slot) {
    if (!Valid(slot)) return nullptr;
    CloseRecording(slot);
    return gPicture[slot];
}

bool EnhancedInUse(int slot) { return Valid(slot) && gRecorder[slot]; }

}  // namespace quill

void yymetafilecreate_(const int *islot, const int *iwidth, const int *iheight, int *ixpix,
                       int *iypix) {
    *ixpix = *iypix = 0;
    if (!Valid(*islot)) return;
    Empty(*islot);
    bool isPrinter;
    HDC ref = ReferenceDevice(&isPrinter);
    RECT frame = {0, 0, *iwidth * 2540 / 72, *iheight * 2540 / 72};
    HDC dc = CreateEnhMetaFileA(ref, nullptr, &frame, nullptr);
    if (ref) {
        double horzres = GetDeviceCaps(ref, HORZRES), vertres = GetDeviceCaps(ref, VERTRES);
        double horzsize = GetDeviceCaps(ref, HORZSIZE), vertsize = GetDeviceCaps(ref, VERTSIZE);
        if (horzsize > 0) *ixpix = static_cast<int>(*iwidth * horzres * 254 / (horzsize * 720));
        if (vertsize > 0) *iypix = static_cast<int>(*iheight * vertres * 254 / (vertsize * 720));
        gReferenceDpi = GetDeviceCaps(ref, LOGPIXELSX);
        ReleaseReference(ref, isPrinter);
    }
    gRecorder[*islot] = dc;
    gPicture[*islot] = nullptr;
    gPixels[*islot].cx = *ixpix > 0 ? *ixpix : 1;
    gPixels[*islot].cy = *iypix > 0 ? *iypix : 1;
}

void yymetafileselect2_(const int *islot, const int *iw, const int *ih, int *istatus) {
    *istatus = 1;
    if (!Valid(*islot) || !Recording(*islot)) return;
    HDC dc = gRecorder[*islot];
    // IW by IH drawing units cover the whole picture.
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, *iw, *ih, nullptr);
    SetViewportExtEx(dc, gPixels[*islot].cx, gPixels[*islot].cy, nullptr);
    // Drawing goes to the recording with the metafile's resolution for the dash tables, the
    // current plot mode, pen, brush and font.
    quill::SelectMetafileTarget(dc, gReferenceDpi);
    *istatus = 0;
}

void yymetafileplay_(const int *islot, const int *ix1, const int *iy1, const int *ix2,
                     const int *iy2) {
    HENHMETAFILE emf = quill::EnhancedPicture(*islot);
    if (!emf || !quill::TargetDC()) return;
    RECT r = {*ix1, *iy1, *ix2, *iy2};
    quill::ClipScope clip;
    PlayEnhMetaFile(quill::TargetDC(), emf, &r);
}

void yymetafilesave_(const int *islot, int *istatus, int *ioserr, const char *filename,
                     int filename_len) {
    *istatus = 1;
    *ioserr = 0;
    HENHMETAFILE emf = quill::EnhancedPicture(*islot);
    if (!emf) return;
    std::string name = quill::TextUpToNul(filename, filename_len);
    HENHMETAFILE copy = CopyEnhMetaFileA(emf, name.c_str());
    if (!copy) {
        *ioserr = static_cast<int>(GetLastError());
        return;
    }
    DeleteEnhMetaFile(copy);
    *istatus = 0;
}

void yymetafileclipboard_(const int *islot) {
    HENHMETAFILE emf = quill::EnhancedPicture(*islot);
    if (!emf) return;
    HENHMETAFILE copy = CopyEnhMetaFileA(emf, nullptr);
    if (!copy) return;
    if (!OpenClipboard(nullptr)) {
        DeleteEnhMetaFile(copy);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_ENHMETAFILE, copy)) DeleteEnhMetaFile(copy);
    CloseClipboard();
}

void yymetafileload_(const int *islot, const int *nbytes, int *istatus, int *ioserr,
                     const char *filename, int filename_len) {
    *istatus = 1;
    *ioserr = 0;
    if (!Valid(*islot)) return;
    Empty(*islot);
    std::string name = quill::TextUpToNul(filename, filename_len);
    HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *ioserr = static_cast<int>(GetLastError());
        return;
    }
    *istatus = 2;
    if (*nbytes >= 1) {
        std::vector<BYTE> bytes(static_cast<std::size_t>(*nbytes));
        DWORD got = 0;
        BOOL ok = ReadFile(file, bytes.data(), static_cast<DWORD>(*nbytes), &got, nullptr);
        if (!ok) {
            *ioserr = static_cast<int>(GetLastError());
        } else if (got == static_cast<DWORD>(*nbytes)) {
            // Bytes that are no enhanced metafile leave the slot empty: no in-use value without
            // a picture behind it.
            HENHMETAFILE emf = SetEnhMetaFileBits(got, bytes.data());
            if (emf) {
                gPicture[*islot] = emf;
                gRecorder[*islot] = kLoaded;
                *istatus = 0;
            } else {
                *ioserr = static_cast<int>(GetLastError());
            }
        } else {
            *ioserr = ERROR_HANDLE_EOF;
        }
    }
    CloseHandle(file);
}

void yymetafiledestroy_(const int *islot) {
    if (Valid(*islot)) Empty(*islot);
}

namespace {

// The size in pixels of the reference device of a picture of WIDTH by HEIGHT points.
void ReferencePixels(int width, int height, int *xpix, int *ypix) {
    bool isPrinter;
    HDC ref = ReferenceDevice(&isPrinter);
    *xpix = *ypix = 0;
    if (!ref) return;
    double horzsize = GetDeviceCaps(ref, HORZSIZE), vertsize = GetDeviceCaps(ref, VERTSIZE);
    if (horzsize > 0)
        *xpix = static_cast<int>(width * GetDeviceCaps(ref, HORZRES) * 254.0 / (horzsize * 720));
    if (vertsize > 0)
        *ypix = static_cast<int>(height * GetDeviceCaps(ref, VERTRES) * 254.0 / (vertsize * 720));
    ReleaseReference(ref, isPrinter);
}

void HookSelect(int n, int *status) {
    const MetafileSlot &slot = gSlots[n - 1];
    int entry = n - 1;
    yymetafileselect2_(&entry, &slot.drawWidth, &slot.drawHeight, status);
}
void HookClose(int n) { quill::EnhancedPicture(n - 1); }
void HookDestroy(int n) {
    int entry = n - 1;
    yymetafiledestroy_(&entry);
}

}  // namespace

void quill::CreateEnhancedMetafileSlot(const int *n, const int *width, const int *height,
                                       int *status, const char *filename, int filename_len) {
    quill::gEnhancedHooks = {HookSelect, HookClose, HookDestroy};
    *status = 1;
    if (*n < 1 || *n > kMetafileSlots || gSlots[*n - 1].inUse || *width <= 0 || *height <= 0)
        return;
    const int entry = *n - 1;
    int xpix = 0, ypix = 0;
    std::string name = filename ? TextUpToNul(filename, filename_len) : std::string();
    if (!name.empty()) {
        WIN32_FILE_ATTRIBUTE_DATA info = {};
        int nbytes = 0, ioserr = 0;
        if (GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &info))
            nbytes = info.nFileSizeHigh ? -1 : static_cast<int>(info.nFileSizeLow);
        yymetafileload_(&entry, &nbytes, status, &ioserr, name.c_str(),
                        static_cast<int>(name.size()));
        if (*status != 0) return;
        ReferencePixels(*width, *height, &xpix, &ypix);
    } else {
        yymetafilecreate_(&entry, width, height, &xpix, &ypix);
        if (!quill::EnhancedRecorder(entry)) return;
        *status = 0;
    }
    MetafileSlot &slot = gSlots[entry];
    slot.widthPoints = *width;
    slot.heightPoints = *height;
    slot.drawWidth = xpix;
    slot.drawHeight = ypix;
    slot.kind = kSlotEnhanced;
    slot.inUse = 1;
    slot.capacity = slot.used = 0;
}
