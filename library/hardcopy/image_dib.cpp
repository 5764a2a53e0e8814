// Device-independent bitmaps in memory (a 40-byte header, the colour table, the rows from the
// bottom up), as the window system hands out a screen area: their colour-table size, their
// pixels as a picture, a BMP file of one, and a bitmap block built from a picture.
#include "hardcopy/image_codec.h"

#include <cstring>

int yypalettesize(const unsigned char *header) {
    std::uint32_t size = quill::GetLe32(header);
    if (size == 12) {
        unsigned bits = quill::GetLe16(header + 10);
        return bits == 1 ? 6 : bits == 4 ? 48 : bits == 8 ? 768 : 0;
    }
    unsigned bits = quill::GetLe16(header + 14);
    std::uint32_t used = quill::GetLe32(header + 32);
    if (used) return used > 256 ? 1024 : static_cast<int>(4 * used);
    return bits == 1 ? 8 : bits == 4 ? 64 : bits == 8 ? 1024 : 0;
}

namespace quill {

int DibToPixels(const unsigned char *dib, std::size_t size, ImagePixels &out) {
    if (size < 40 || quill::GetLe32(dib) != 40) return kImageInvalid;
    std::int32_t width = static_cast<std::int32_t>(quill::GetLe32(dib + 4)),
                 height = static_cast<std::int32_t>(quill::GetLe32(dib + 8));
    int bits = static_cast<int>(quill::GetLe16(dib + 14));
    std::uint32_t compression = quill::GetLe32(dib + 16);
    if (width <= 0 || height <= 0 || compression != 0) return kImageInvalid;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return kImageInvalid;
    std::size_t table = static_cast<std::size_t>(yypalettesize(dib));
    std::uint64_t stride = ImagePixels::StrideOf(width, bits);
    if (40 + table + stride * static_cast<std::uint64_t>(height) > size) return kImageShort;
    ImagePixels image;
    if (!image.Allocate(width, height, bits <= 8 ? bits : 24)) return kImageInvalid;
    for (std::size_t i = 0; i < table / 4; ++i) {
        const unsigned char *e = dib + 40 + 4 * i;
        image.palette.push_back(RgbOf(e[2], e[1], e[0]));
    }
    const unsigned char *pixels = dib + 40 + table;
    for (int r = 0; r < height; ++r) {
        const unsigned char *src = pixels + static_cast<std::size_t>(r) * stride;
        unsigned char *dst = image.Row(height - 1 - r);
        if (bits <= 8 || bits == 24) {
            std::memcpy(dst, src, static_cast<std::size_t>(stride));
            continue;
        }
        for (int x = 0; x < width; ++x) {
            unsigned char *p = dst + 3 * static_cast<std::size_t>(x);
            if (bits == 32) {
                std::memcpy(p, src + 4 * static_cast<std::size_t>(x), 3);
                continue;
            }
            // 16 bits without masks: 5-5-5, each field widened by 8.
            unsigned v = quill::GetLe16(src + 2 * static_cast<std::size_t>(x));
            p[2] = static_cast<unsigned char>(((v >> 10) & 31) * 8);
            p[1] = static_cast<unsigned char>(((v >> 5) & 31) * 8);
            p[0] = static_cast<unsigned char>((v & 31) * 8);
        }
    }
    out = std::move(image);
    return kImageOk;
}

int EncodeDibAsBmp(const unsigned char *dib, std::size_t size, std::vector<unsigned char> &out) {
    if (size < 40 || quill::GetLe32(dib) != 40) return kImageInvalid;
    std::int32_t width = static_cast<std::int32_t>(quill::GetLe32(dib + 4)),
                 height = static_cast<std::int32_t>(quill::GetLe32(dib + 8));
    int bits = static_cast<int>(quill::GetLe16(dib + 14));
    if (width <= 0 || height <= 0 || bits <= 0 || bits > 32) return kImageInvalid;
    std::uint64_t table = static_cast<std::uint64_t>(yypalettesize(dib));
    std::uint64_t image = ImagePixels::StrideOf(width, bits) * static_cast<std::uint64_t>(height);
    if (40 + table + image > size) return kImageShort;
    std::uint64_t total = 54 + table + image;
    if (total > 0xFFFFFFFFu) return kImageInvalid;
    out.push_back('B');
    out.push_back('M');
    PutLe32(out, static_cast<std::uint32_t>(total));
    PutLe32(out, 0);
    PutLe32(out, static_cast<std::uint32_t>(54 + table));
    std::size_t header = out.size();
    out.insert(out.end(), dib, dib + 40 + static_cast<std::size_t>(table + image));
    // The image size the header carries is the rows' true size, whatever the driver left there.
    for (int b = 0; b < 4; ++b)
        out[header + 20 + static_cast<std::size_t>(b)] =
            static_cast<unsigned char>(image >> (8 * b));
    return kImageOk;
}

std::vector<unsigned char> PixelsToDib(const ImagePixels &image) {
    std::vector<unsigned char> dib;
    std::size_t colours = image.bits <= 8 ? std::size_t(1) << image.bits : 0;
    std::size_t stride = image.Stride();
    PutLe32(dib, 40);
    PutLe32(dib, static_cast<std::uint32_t>(image.width));
    PutLe32(dib, static_cast<std::uint32_t>(image.height));
    PutLe16(dib, 1);
    PutLe16(dib, static_cast<unsigned>(image.bits));
    PutLe32(dib, 0);
    PutLe32(dib, static_cast<std::uint32_t>(stride * static_cast<std::size_t>(image.height)));
    PutLe32(dib, 0);
    PutLe32(dib, 0);
    PutLe32(dib, static_cast<std::uint32_t>(colours));
    PutLe32(dib, 0);
    for (std::size_t i = 0; i < colours; ++i) {
        std::uint32_t rgb = i < image.palette.size() ? image.palette[i] : 0;
        dib.push_back(static_cast<unsigned char>(BlueOf(rgb)));
        dib.push_back(static_cast<unsigned char>(GreenOf(rgb)));
        dib.push_back(static_cast<unsigned char>(RedOf(rgb)));
        dib.push_back(0);
    }
    for (int y = image.height - 1; y >= 0; --y)
        dib.insert(dib.end(), image.Row(y), image.Row(y) + stride);
    return dib;
}

}  // namespace quill
