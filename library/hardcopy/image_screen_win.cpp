// Image files on the window system's drawables. The portable decoders and encoders do the
// file formats; this side only builds or fetches the device-independent bitmap and draws or
// captures it.
#include "hardcopy/image_screen.h"

#include "graphics/draw_families.h"
#include "graphics/drawing_target.h"
#include "hardcopy/hardcopy_state.h"
#include "hardcopy/image_codec.h"

#include <windows.h>

#include <vector>

namespace {

// The file as a bitmap block: a BMP as stored (run-length bits stay encoded for the drawing
// call), a PCX or PNG decoded.
int BitmapBlock(int type, const char *path, std::vector<unsigned char> &dib, int *oserror) {
    std::vector<unsigned char> data;
    int status = quill::ReadImageFile(path, data, oserror);
    if (status != quill::kImageOk) return status;
    if (quill::DetectFileType(data.data(), data.size()) != type) return quill::kImageInvalid;
    if (type == 1) return quill::ReadDibBlock(data.data(), data.size(), dib);
    quill::ImagePixels image;
    status = type == 2 ? quill::DecodePcx(data.data(), data.size(), image)
                       : quill::DecodePng(data.data(), data.size(), image, oserror);
    if (status == quill::kImageOk) dib = quill::PixelsToDib(image);
    return status;
}

}  // namespace

void yyloadimage_(const int *type, const int *target, const int *x1, const int *y1, const int *x2,
                  const int *y2, const int *stretch, int *status, int *oserror, const char *path) {
    *status = 0;
    *oserror = 0;
    if (*type != 1 && *type != 2 && *type != 15) return;
    std::vector<unsigned char> dib;
    *status = BitmapBlock(*type, path, dib, oserror);
    if (*status != 0) return;
    int ox = 0, oy = 0;
    HDC dc = static_cast<HDC>(quill::TargetDrawingContext(*target, &ox, &oy));
    if (!dc) return;
    const BITMAPINFO *info = reinterpret_cast<const BITMAPINFO *>(dib.data());
    const BITMAPINFOHEADER &h = info->bmiHeader;
    int table = yypalettesize(dib.data());
    if (h.biCompression == BI_BITFIELDS) table = 12;
    const unsigned char *bits = dib.data() + 40 + table;
    int w = h.biWidth, ht = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    int dw = *stretch ? *x2 - *x1 + 1 : w, dh = *stretch ? *y2 - *y1 + 1 : ht;
    // An image at its own size stays inside the drawable's clip region.
    const bool clip = *stretch == 0 && *target == 0 && quill::TargetClip() != nullptr;
    if (clip) SelectClipRgn(dc, quill::TargetClip());
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, *x1, *y1, dw, dh, 0, 0, w, ht, bits, info, DIB_RGB_COLORS,
                  quill::PlotModeBlitRop(quill::TargetPlotMode()));
    if (clip) SelectClipRgn(dc, nullptr);
}

namespace {

struct Capture {
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    ~Capture() {
        if (old) SelectObject(memory, old);
        if (bitmap) DeleteObject(bitmap);
        if (memory) DeleteDC(memory);
    }
};

// The bitmap's bits at the display's depth as a device-independent bitmap. Asking for BI_RGB
// at every depth keeps 16 and 32 bits in the plain layouts rather than bit fields whose masks
// the call may leave unwritten.
bool FetchDib(HDC screen, HBITMAP bitmap, int w, int h, std::vector<unsigned char> &dib) {
    int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32)
        depth = 24;
    std::size_t stride = quill::ImagePixels::StrideOf(w, depth);
    std::size_t table = depth <= 8 ? (std::size_t(4) << depth) : 0;
    dib.assign(40 + table + stride * static_cast<std::size_t>(h), 0);
    BITMAPINFO *info = reinterpret_cast<BITMAPINFO *>(dib.data());
    info->bmiHeader.biSize = 40;
    info->bmiHeader.biWidth = w;
    info->bmiHeader.biHeight = h;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = static_cast<WORD>(depth);
    info->bmiHeader.biCompression = BI_RGB;
    info->bmiHeader.biClrUsed = depth <= 8 ? (1u << depth) : 0;
    if (GetDIBits(screen, bitmap, 0, static_cast<UINT>(h), dib.data() + 40 + table, info,
                  DIB_RGB_COLORS) == 0)
        return false;
    // The call may rewrite the header: the table and rows stay where they were asked for.
    info->bmiHeader.biSize = 40;
    info->bmiHeader.biCompression = BI_RGB;
    info->bmiHeader.biClrUsed = depth <= 8 ? (1u << depth) : 0;
    info->bmiHeader.biSizeImage = static_cast<DWORD>(stride * static_cast<std::size_t>(h));
    return true;
}

}  // namespace

void yysaveimage_(const int *kind, const int *x1, const int *y1, const int *x2, const int *y2,
                  int *status, int *oserror, const char *path) {
    *status = 0;
    *oserror = 0;
    int w = *x2 - *x1 + 1, h = *y2 - *y1 + 1;
    if ((*kind == 2 || *kind == 15) && (w & 1)) ++w;
    Capture capture;
    HDC screen = quill::TargetDC();
    if (screen && w > 0 && h > 0) {
        capture.memory = CreateCompatibleDC(screen);
        capture.bitmap = capture.memory ? CreateCompatibleBitmap(screen, w, h) : nullptr;
    }
    if (!capture.bitmap) {
        *status = 1072;
        *oserror = static_cast<int>(GetLastError());
        return;
    }
    capture.old = SelectObject(capture.memory, capture.bitmap);
    BitBlt(capture.memory, 0, 0, w, h, screen, *x1, *y1, SRCCOPY);
    SelectObject(capture.memory, capture.old);
    capture.old = nullptr;

    if (*kind == 0) {
        if (!OpenClipboard(nullptr)) {
            *status = 1072;
            *oserror = static_cast<int>(GetLastError());
            return;
        }
        EmptyClipboard();
        // The clipboard owns the bitmap once it holds it.
        if (SetClipboardData(CF_BITMAP, capture.bitmap))
            capture.bitmap = nullptr;
        else {
            *status = 1072;
            *oserror = static_cast<int>(GetLastError());
        }
        CloseClipboard();
        return;
    }
    std::vector<unsigned char> dib;
    if (!FetchDib(screen, capture.bitmap, w, h, dib)) {
        *status = 1072;
        *oserror = static_cast<int>(GetLastError());
        return;
    }
    std::vector<unsigned char> file;
    int result = quill::kImageInvalid;
    if (*kind == 1) {
        result = quill::EncodeDibAsBmp(dib.data(), dib.size(), file);
    } else if (*kind == 2 || *kind == 15) {
        quill::ImagePixels image;
        result = quill::DibToPixels(dib.data(), dib.size(), image);
        if (result == quill::kImageOk)
            result = *kind == 2 ? quill::EncodePcx(image, quill::PcxLayout::BytePlanes, file)
                                : quill::EncodePng(image, file, oserror);
    } else {
        return;
    }
    if (result != quill::kImageOk) {
        *status = result == quill::kImageZlib ? 1044 : 1072;
        return;
    }
    *status = quill::WriteImageFile(path, file, oserror);
}
