// The image file driver (device 6): each page is drawn into the memory raster and written at
// its end as a PNG, BMP or PCX image through the one encoder of each format.
//
// Pages: the first page goes to the plot output file; page n after it goes to a file of its
// own, named with "-n" before the extension, so that every file holds one complete image.
// A hardcopy closed with nothing drawn still leaves a (blank) image, never an empty file.
#include "hardcopy/drivers.h"

#include "base/errors.h"
#include "base/fixedtext.h"
#include "base/strings.h"
#include "graphics/palette.h"
#include "hardcopy/driver_support.h"
#include "hardcopy/image_codec.h"
#include "hardcopy/memory_raster.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kImagePageSlot = 3;  // the files of pages after the first

struct ImageDriverState {
    std::string fileName;  // the file name of the open hardcopy
    int pages = 0;         // pages written
    bool writeError = false;
};
ImageDriverState gImage;

int Format() {
    const int v = quill::HardcopyOption(26);
    return v == 1 || v == 2 ? 1 : v == 3 ? 3 : 0;
}

std::uint8_t Reversed(std::uint32_t byte) {
    std::uint8_t b = static_cast<std::uint8_t>(byte), out = 0;
    for (int k = 0; k < 8; ++k) out = static_cast<std::uint8_t>(out | (((b >> k) & 1) << (7 - k)));
    return out;
}

// The palette index of a 4-bit pixel: the nibble 4 x bit 0 + 2 x bit 1 + bit 2 + 8 x bit 3 of
// its 16-colour code, the entry of the 16-colour table that the code stands for.
int NibbleOf(std::uint32_t code) {
    return static_cast<int>(((code & 1u) << 2) | (code & 2u) | ((code >> 2) & 1u) | (code & 8u));
}

// The raster as a picture, top row first, with the file palette of its depth.
quill::ImagePixels RasterPicture() {
    quill::ImagePixels image;
    const MemoryRaster &r = gRaster;
    const int bits = r.bits == 3 ? 4 : r.bits;
    if (!image.Allocate(r.width, r.height, bits)) return image;
    if (bits == 1) {
        image.palette = {0xFFFFFFu, 0x000000u};
    } else if (bits <= 8) {
        for (int i = 0; i < (1 << bits); ++i) {
            int rgb = 0;
            if (bits == 4)
                yypalg16_(&i, &rgb);
            else
                yypalg_(&i, &rgb);
            image.palette.push_back(static_cast<std::uint32_t>(rgb) & 0xFFFFFFu);
        }
    }
    for (int y = 0; y < r.height; ++y) {
        unsigned char *out = image.Row(r.height - 1 - y);
        const std::uint32_t *row = r.words.data() + static_cast<std::int64_t>(y) * r.wordsPerRow;
        switch (bits) {
        case 1:
            for (int j = 0; j < (r.width + 7) / 8; ++j)
                out[j] = Reversed(row[j >> 2] >> (8 * (j & 3)));
            if (r.width & 7)
                out[r.width >> 3] =
                    static_cast<unsigned char>(out[r.width >> 3] & (0xFF << (8 - (r.width & 7))));
            break;
        case 4:
            for (int x = 0; x < r.width; ++x)
                image.SetIndex(x, r.height - 1 - y, NibbleOf(quill::RasterPixel(x, y)));
            break;
        case 8:
            for (int x = 0; x < r.width; ++x)
                out[x] = static_cast<unsigned char>(row[x >> 2] >> (8 * (x & 3)));
            break;
        default:
            for (int x = 0; x < r.width; ++x) {
                out[3 * x] = static_cast<unsigned char>(row[x] >> 16);
                out[3 * x + 1] = static_cast<unsigned char>(row[x] >> 8);
                out[3 * x + 2] = static_cast<unsigned char>(row[x]);
            }
            break;
        }
    }
    return image;
}

// The file name of page N: the hardcopy's own for the first, else "-n" before the extension.
std::string PageName(int n) {
    const std::string &name = gImage.fileName;
    if (n <= 1) return name;
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot < quill::FolderPartLength(name)) dot = name.size();
    return name.substr(0, dot) + "-" + std::to_string(n) + name.substr(dot);
}

// Writes one page's file: the first into the open plot file, later ones into files of their own.
void WritePage(const std::vector<unsigned char> &bytes) {
    const int page = gImage.pages + 1;
    if (page == 1) {
        quill::WritePlotBytes(kPlotSlot, bytes.data(), bytes.size());
    } else {
        const std::string name = PageName(page);
        quill::OpenPlotFile(kImagePageSlot, name.c_str(), static_cast<int>(name.size()));
        if (!quill::PlotErrorFlag())
            quill::WritePlotBytes(kImagePageSlot, bytes.data(), bytes.size());
        const int slot = kImagePageSlot;
        yyprcl_(&slot);
    }
    if (quill::PlotErrorFlag()) gImage.writeError = true;
    gImage.pages = page;
}

// Whether the image format of option 26 holds a picture of WIDTH x HEIGHT at BITS: a PCX has
// its limits (PcxHolds); a BMP or PNG holds every raster there can be (kRasterWordCap).
bool FormatHolds(int width, int height, int bits) {
    return Format() != 0 ||
           quill::PcxHolds(width, height, bits == 3 ? 4 : bits, quill::PcxLayout::Planar);
}

// PICTURE sampled down to W x H pixels, each taking the pixel at its place in the picture.
quill::ImagePixels Sampled(const quill::ImagePixels &picture, int w, int h) {
    quill::ImagePixels out;
    if (!out.Allocate(w, h, picture.bits)) return out;
    out.palette = picture.palette;
    for (int y = 0; y < h; ++y) {
        const int sy = static_cast<int>(static_cast<std::int64_t>(y) * picture.height / h);
        for (int x = 0; x < w; ++x) {
            const int sx = static_cast<int>(static_cast<std::int64_t>(x) * picture.width / w);
            if (picture.bits == 24)
                std::memcpy(out.Row(y) + 3 * x, picture.Row(sy) + 3 * sx, 3);
            else
                out.SetIndex(x, y, picture.Index(sx, sy));
        }
    }
    return out;
}

using Encoder = int (*)(const quill::ImagePixels &picture, std::vector<unsigned char> &bytes,
                        int *zstatus);

// Writes the raster as one page in the format of ENCODE. A picture the format cannot hold
// (option 26 changed after the page was sized) raises error 34 and is made smaller, keeping
// its shape, until it fits, as a page too large for the raster is; one that never fits is
// not written, and neither are the pages after it.
void WritePicture(Encoder encode) {
    quill::ImagePixels picture = RasterPicture();
    std::vector<unsigned char> bytes;
    int z = 0;
    int status = encode(picture, bytes, &z);
    if (status == quill::kImageInvalid) {
        quill::RaiseError(34);
        const quill::ImagePixels whole = std::move(picture);
        quill::SmallerPage smaller(whole.width, whole.height);
        for (std::int64_t w = 0, h = 0; status == quill::kImageInvalid && smaller.Next(1, w, h);) {
            picture = Sampled(whole, static_cast<int>(w), static_cast<int>(h));
            status = encode(picture, bytes, &z);
        }
    }
    if (status == quill::kImageZlib) {
        quill::SetSystemError(z);
        quill::RaiseError(1044);
    }
    if (status != quill::kImageOk) {
        gImage.writeError = true;
        return;
    }
    WritePage(bytes);
}

// Writes the page by the format option and starts a clear one.
void EndPage() {
    if (gImage.writeError) return;
    switch (Format()) {
    case 1: yybmp1_(); break;
    case 3: yypng1_(); break;
    default: yypcx1_(); break;
    }
    gRaster.dirty = 0;
    gHardcopy.pagePending = 0;
    const int clear = kOpClear;
    yyvras_(&clear);
}

void Begin(const int *op) {
    if (gOperands.Id(1) > 0) {
        int bits = quill::HardcopyOption(23);
        if (bits != 1 && bits != 4 && bits != 8 && bits != 24) bits = 8;
        quill::HardcopyOptionSlot(kOptColourRule) = 0;
        gImage.fileName = quill::TrimmedText(gOperands.ctext, kOperandTextLength);
        gImage.pages = 0;
        gImage.writeError = false;
        if (!quill::BeginMemoryRaster(quill::HardcopyOption(1), quill::HardcopyOption(2), bits,
                                      bits == 24 ? 0xFFFFFFFFu : 0u, 150, 150, 0, FormatHolds)) {
            gHardcopy.open = 0;
            return;
        }
    }
    quill::OpenMemoryRaster(op);
}

void End(const int *op) {
    const bool rle = quill::HardcopyOption(26) == 2 && (gRaster.bits == 4 || gRaster.bits == 8);
    if (gImage.pages == 0 && !gRaster.words.empty() && !gImage.writeError) EndPage();
    yyvras_(op);
    if (rle && !gImage.writeError && gImage.pages > 0) {
        yybmp2_(gImage.fileName.c_str(), static_cast<int>(gImage.fileName.size()));
    }
}

}  // namespace

void yypng1_(void) { WritePicture(quill::EncodePng); }

void yybmp1_(void) {
    WritePicture([](const quill::ImagePixels &picture, std::vector<unsigned char> &bytes, int *) {
        return quill::EncodeBmp(picture, quill::HardcopyOption(26) == 2, bytes);
    });
}

void yypcx1_(void) {
    WritePicture([](const quill::ImagePixels &picture, std::vector<unsigned char> &bytes, int *) {
        return quill::EncodePcx(picture, quill::PcxLayout::Planar, bytes);
    });
}

void yypcx2_(const int *rowoffset, const int *plane, const int *bytesminus1) {
    if (rowoffset == nullptr || plane == nullptr || bytesminus1 == nullptr) return;
    const MemoryRaster &r = gRaster;
    const std::int64_t start = *rowoffset + static_cast<std::int64_t>(*plane) * r.wordsPerPlane;
    const std::int64_t n = static_cast<std::int64_t>(*bytesminus1) + 1;
    if (start < 0 || n < 1 || start + (n + 3) / 4 > static_cast<std::int64_t>(r.words.size()))
        return;
    std::vector<unsigned char> row(static_cast<std::size_t>(n));
    for (std::int64_t j = 0; j < n; ++j) {
        const std::uint32_t byte =
            r.words[static_cast<std::size_t>(start + j / 4)] >> (8 * (j & 3));
        // 1-bit planes hold pixel x in bit x mod 32; the file holds the leftmost pixel in bit 7.
        row[static_cast<std::size_t>(j)] =
            r.format == kRasterBytes ? static_cast<unsigned char>(byte) : Reversed(byte);
    }
    std::vector<unsigned char> runs;
    quill::EncodePcxRow(row.data(), row.size(), runs);
    if (!quill::PlotErrorFlag()) quill::WritePlotBytes(kPlotSlot, runs.data(), runs.size());
}

void yybmp2_(const char *filename, int filename_len) {
    const std::string path = quill::TrimmedText(filename, filename_len);
    std::vector<unsigned char> data;
    int oserror = 0;
    if (quill::ReadImageFile(path, data, &oserror) != quill::kImageOk || data.size() < 54) return;
    if (data[0] != 'B' || data[1] != 'M') return;
    const int palette = yypalettesize(data.data() + 14);
    const std::uint32_t size = static_cast<std::uint32_t>(data.size());
    const std::uint32_t image = size - 54 - static_cast<std::uint32_t>(palette);
    for (int k = 0; k < 4; ++k) {
        data[2 + k] = static_cast<unsigned char>(size >> (8 * k));
        data[34 + k] = static_cast<unsigned char>(image >> (8 * k));
    }
    if (quill::WriteImageFile(path, data, &oserror) != quill::kImageOk) {
        quill::SetFileError(oserror);
        quill::RaiseError(2);
    }
}

void xximag_(const int *op) {
    if (op == nullptr || quill::AnswerProbe(*op, kDeviceImageFile)) return;
    switch (*op) {
    case kOpInit:
        yyvras_(op);
        quill::SetHardcopyPageDefaults(640, 480, 0, 0, 0);
        if (gOperands.Id(1) != kOpInitKeepOptions) {
            quill::HardcopyOptionSlot(23) = 8;
            quill::HardcopyOptionSlot(26) = 0;
        }
        quill::SetHardcopyDeviceWords(
            kDeviceImageFile,
            quill::HardcopyOption(23) == 24 ? 1 << 24
            : quill::HardcopyOption(23) == 1 || quill::HardcopyOption(23) == 4
                ? 1 << quill::HardcopyOption(23)
                : 256,
            "00000111111111110010011111000", 0, "quilplot.pcx");
        gHardcopy.driver = kDeviceImageFile;
        break;
    case kOpBegin: Begin(op); break;
    case kOpEnd: End(op); break;
    case kOpPage:
        if (gRaster.dirty) EndPage();
        gHardcopy.pagePending = 0;
        break;
    default: yyvras_(op); break;
    }
}
