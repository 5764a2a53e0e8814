// The library's off-screen bitmaps: slots, copies between a bitmap and the current drawable,
// pixel arrays, the clipboard, and a bitmap as the drawing target.
#include "graphics/bitmaps.h"

#include <algorithm>

#include "core/startup.h"
#include "graphics/drawing_target.h"
#include "quillamorph/graphics.h"

BitmapSlot gBitmaps[kBitmapSlots];
int gBitmapTarget = -1;
HDC gBitmapDC = nullptr;
int gBitmapMode = 0;

namespace {

constexpr int kInvalidBitmap = 1021;
constexpr int kBitmapViewed = 1036;
constexpr int kCopyFailed = 1066;

// What the target's memory device context held before the library's objects went in.
HGDIOBJ gTargetOldBitmap = nullptr;
HGDIOBJ gTargetOldPen = nullptr;
HGDIOBJ gTargetOldFont = nullptr;
HPALETTE gTargetOldPalette = nullptr;

bool InUse(int index) {
    return index >= 0 && index < kBitmapSlots && gBitmaps[index].handle != nullptr;
}

// The bitwise modes are the plot modes' copies.
DWORD CopyRop() { return quill::PlotModeBlitRop(gBitmapMode); }

// A device context on the bitmap of slot INDEX for the length of one routine: the target's
// own device context when the bitmap is the drawing target, else a memory device context
// made for it.
class SlotDC {
public:
    explicit SlotDC(int index) {
        if (index == gBitmapTarget && gBitmapDC != nullptr) {
            dc_ = gBitmapDC;
            return;
        }
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        if (dc_ == nullptr) return;
        owned_ = true;
        old_ = SelectObject(dc_, gBitmaps[index].handle);
        if (old_ == nullptr) {  // selected into another device context
            DeleteDC(dc_);
            dc_ = nullptr;
            return;
        }
        if (quill::TargetPalette() != nullptr) {
            oldPalette_ = SelectPalette(dc_, quill::TargetPalette(), FALSE);
            RealizePalette(dc_);
        }
    }
    ~SlotDC() {
        if (!owned_ || dc_ == nullptr) return;
        if (oldPalette_ != nullptr) SelectPalette(dc_, oldPalette_, FALSE);
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    SlotDC(const SlotDC &) = delete;
    SlotDC &operator=(const SlotDC &) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_ = nullptr;
    bool owned_ = false;
    HGDIOBJ old_ = nullptr;
    HPALETTE oldPalette_ = nullptr;
};

// The colour a pixel of RGB is written in: the nearest palette entry while the library's
// palette is in use.
COLORREF WriteColour(int rgb) {
    const COLORREF colour = static_cast<COLORREF>(rgb) & 0xFFFFFF;
    return quill::TargetPalette() != nullptr
               ? PALETTEINDEX(GetNearestPaletteIndex(quill::TargetPalette(), colour))
               : colour;
}

void Report(int *status, int value) {
    if (status != nullptr) *status = value;
}

// The checks shared by the copies: a bitmap in slot INDEX and a drawable to copy with.
int CheckCopy(const int *index) {
    if (index == nullptr || !InUse(*index)) return kInvalidBitmap;
    if (quill::TargetDC() == nullptr) return kCopyFailed;
    return 0;
}

}  // namespace

void quill::ReleaseBitmapTarget() {
    if (gBitmapDC != nullptr) {
        if (gTargetOldPalette != nullptr) SelectPalette(gBitmapDC, gTargetOldPalette, FALSE);
        if (gTargetOldPen != nullptr) SelectObject(gBitmapDC, gTargetOldPen);
        if (gTargetOldFont != nullptr) SelectObject(gBitmapDC, gTargetOldFont);
        if (gTargetOldBitmap != nullptr) SelectObject(gBitmapDC, gTargetOldBitmap);
        DeleteDC(gBitmapDC);
        if (quill::TargetDC() == gBitmapDC) quill::ReleaseTarget(wDC, false);
    }
    gBitmapDC = nullptr;
    gBitmapTarget = -1;
    gTargetOldBitmap = gTargetOldPen = gTargetOldFont = nullptr;
    gTargetOldPalette = nullptr;
}

void quill::DestroyAllBitmaps() {
    ReleaseBitmapTarget();
    for (BitmapSlot &slot : gBitmaps) {
        if (slot.handle != nullptr) DeleteObject(slot.handle);
        slot = BitmapSlot{};
    }
}

void yybitmapcreate_(int *handle, const int *width, const int *height, const int *colour) {
    if (handle == nullptr) return;
    *handle = 0;
    if (width == nullptr || height == nullptr) return;
    // A size that is not above 0 would give a 1 x 1 monochrome bitmap: refused.
    if (*width <= 0 || *height <= 0) return;
    int index = 0;
    while (index < kBitmapSlots && gBitmaps[index].handle != nullptr) ++index;
    if (index == kBitmapSlots) return;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, *width, *height);
    ReleaseDC(nullptr, screen);
    if (bitmap == nullptr) return;
    gBitmaps[index] = {bitmap, *width, *height};
    {
        SlotDC dc(index);
        if (dc.get() == nullptr) {
            DeleteObject(bitmap);
            gBitmaps[index] = BitmapSlot{};
            return;
        }
        // The nearest colour the display has; through a palette, the palette's first entry.
        const COLORREF asked = static_cast<COLORREF>(colour != nullptr ? *colour : 0) & 0xFFFFFF;
        const COLORREF fill =
            quill::TargetPalette() != nullptr ? PALETTEINDEX(0) : GetNearestColor(dc.get(), asked);
        HBRUSH brush = CreateSolidBrush(fill);
        HGDIOBJ oldBrush = SelectObject(dc.get(), brush);
        HGDIOBJ oldPen = SelectObject(dc.get(), GetStockObject(NULL_PEN));
        Rectangle(dc.get(), 0, 0, *width + 1, *height + 1);
        SelectObject(dc.get(), oldPen);
        SelectObject(dc.get(), oldBrush);
        DeleteObject(brush);
    }
    *handle = index + 1;
}

void yybitmapdestroy_(const int *index, int *status) {
    if (index == nullptr || !InUse(*index)) return Report(status, kInvalidBitmap);
    for (HWND frame : wWindow) {
        if (frame != nullptr && quill::ViewerBitmapSlot(frame) == *index)
            return Report(status, kBitmapViewed);
    }
    // GDI keeps a bitmap that is selected into a device context, so the target would dangle:
    // the current window becomes the target first.
    if (*index == gBitmapTarget) {
        const int window = 1;
        igrselect_(&window, nullptr);
        quill::ReleaseBitmapTarget();
    }
    DeleteObject(gBitmaps[*index].handle);
    gBitmaps[*index] = BitmapSlot{};
    Report(status, 0);
}

void yybitmapget_(const int *index, const int *x, const int *y, const int *width, const int *height,
                  int *status) {
    if (const int refused = CheckCopy(index)) return Report(status, refused);
    SlotDC dc(*index);
    const BOOL done = dc.get() != nullptr &&
                      BitBlt(dc.get(), 0, 0, *width, *height, quill::TargetDC(), *x, *y, CopyRop());
    Report(status, done ? 0 : kCopyFailed);
}

void yybitmapput_(const int *index, const int *stretch, const int *x, const int *y,
                  const int *width, const int *height, int *status) {
    if (const int refused = CheckCopy(index)) return Report(status, refused);
    SlotDC dc(*index);
    const BitmapSlot &b = gBitmaps[*index];
    BOOL done = FALSE;
    if (dc.get() != nullptr && stretch != nullptr && *stretch != 0) {
        SetStretchBltMode(quill::TargetDC(), COLORONCOLOR);
        done = StretchBlt(quill::TargetDC(), *x, *y, *width, *height, dc.get(), 0, 0, b.width,
                          b.height, CopyRop());
    } else if (dc.get() != nullptr) {
        done = BitBlt(quill::TargetDC(), *x, *y, *width, *height, dc.get(), 0, 0, CopyRop());
    }
    Report(status, done ? 0 : kCopyFailed);
}

void yybitmappart_(const int *index, const int *sx, const int *sy, const int *dx, const int *dy,
                   const int *width, const int *height, const int *toscreen, int *status) {
    if (const int refused = CheckCopy(index)) return Report(status, refused);
    SlotDC dc(*index);
    const bool out = toscreen != nullptr && *toscreen != 0;
    const BOOL done =
        dc.get() != nullptr && BitBlt(out ? quill::TargetDC() : dc.get(), *dx, *dy, *width, *height,
                                      out ? dc.get() : quill::TargetDC(), *sx, *sy, CopyRop());
    Report(status, done ? 0 : kCopyFailed);
}

namespace {

// Visits every pixel of the rectangle (X1, Y1)-(X2, Y2) of bitmap INDEX, rows from Y2 down to
// Y1, with the pixel's element number in the caller's array; reports through STATUS.
template <typename Visit>
void EachPixel(const int *index, const void *array, const int *x1, const int *y1, const int *x2,
               const int *y2, int *status, Visit visit) {
    if (index == nullptr || !InUse(*index)) return Report(status, kInvalidBitmap);
    // A rectangle whose corners come the wrong way round would index outside the array.
    if (array == nullptr || x1 == nullptr || y1 == nullptr || x2 == nullptr || y2 == nullptr ||
        *x2 < *x1 || *y2 < *y1)
        return Report(status, kCopyFailed);
    SlotDC dc(*index);
    if (dc.get() == nullptr) return Report(status, kCopyFailed);
    const long row = static_cast<long>(*x2) - *x1 + 1;
    for (int y = *y2; y >= *y1; --y) {
        for (int x = *x1; x <= *x2; ++x) visit(dc.get(), x, y, row * (y - *y1) + (x - *x1));
    }
    Report(status, 0);
}

}  // namespace

void yybitmapgetdata_(const int *index, const int *array, const int *x1, const int *y1,
                      const int *x2, const int *y2, int *status) {
    EachPixel(index, array, x1, y1, x2, y2, status,
              [&](HDC dc, int x, int y, long k) { SetPixel(dc, x, y, WriteColour(array[k])); });
}

void yybitmapputdata_(const int *index, int *array, const int *x1, const int *y1, const int *x2,
                      const int *y2, int *status) {
    EachPixel(index, array, x1, y1, x2, y2, status, [&](HDC dc, int x, int y, long k) {
        const COLORREF c = GetPixel(dc, x, y);
        array[k] = c == CLR_INVALID ? -1 : static_cast<int>(c);
    });
}

void yybitmapsize_(const int *index, int *width, int *height) {
    const bool used = index != nullptr && InUse(*index);
    if (width != nullptr) *width = used ? gBitmaps[*index].width : 0;
    if (height != nullptr) *height = used ? gBitmaps[*index].height : 0;
}

void yybitmapselect_(const int *index, int *status, int *width, int *height) {
    if (index == nullptr || !InUse(*index)) return Report(status, 1);
    quill::ReleaseBitmapTarget();
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (dc == nullptr) return Report(status, 1);
    gTargetOldBitmap = SelectObject(dc, gBitmaps[*index].handle);
    if (gTargetOldBitmap == nullptr) {  // selected elsewhere
        DeleteDC(dc);
        return Report(status, 1);
    }
    // What the fresh context holds, given back before it is deleted.
    gTargetOldPen = GetCurrentObject(dc, OBJ_PEN);
    gTargetOldFont = GetCurrentObject(dc, OBJ_FONT);
    gTargetOldPalette = static_cast<HPALETTE>(GetCurrentObject(dc, OBJ_PAL));
    gBitmapDC = dc;
    gBitmapTarget = *index;
    SetTextAlign(dc, TA_BASELINE);
    // Pattern bitmap, plot mode, transparent text, palette, line styles, font and pen.
    quill::SelectTarget(dc);
    if (width != nullptr) *width = gBitmaps[*index].width;
    if (height != nullptr) *height = gBitmaps[*index].height;
    Report(status, 0);
}

void yybitmapmode_(const int *mode) {
    if (mode != nullptr && *mode >= 0 && *mode <= 3) gBitmapMode = *mode;
}

HBITMAP quill::CopyBitmapSlot(int index) {
    if (!InUse(index)) return nullptr;
    const BitmapSlot &b = gBitmaps[index];
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(screen, b.width, b.height);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    bool done = false;
    if (copy != nullptr && dc != nullptr) {
        HGDIOBJ old = SelectObject(dc, copy);
        SlotDC source(index);
        done = source.get() != nullptr &&
               BitBlt(dc, 0, 0, b.width, b.height, source.get(), 0, 0, SRCCOPY);
        SelectObject(dc, old);
    }
    if (dc != nullptr) DeleteDC(dc);
    if (!done && copy != nullptr) DeleteObject(copy);
    return done ? copy : nullptr;
}

void yybitmapclipboard_(const int *index, int *status) {
    if (index == nullptr || !InUse(*index)) return Report(status, kInvalidBitmap);
    HBITMAP copy = quill::CopyBitmapSlot(*index);
    bool handedOver = false;
    if (copy != nullptr && OpenClipboard(wWindow[0])) {
        EmptyClipboard();
        handedOver = SetClipboardData(CF_BITMAP, copy) != nullptr;  // the clipboard owns it now
        CloseClipboard();
    }
    if (!handedOver && copy != nullptr) DeleteObject(copy);
    Report(status, handedOver ? 0 : kCopyFailed);
}
