// BMP: the header check shared by the decoder and the bitmap-block reader, the decoder of
// uncompressed pictures of 1 to 32 bits, and the encoder with optional run-length rows.
#include "hardcopy/image_codec.h"

#include <algorithm>
#include <cstring>

namespace quill {

namespace {

// The fields of a BMP header that passed the checks.
struct BmpHeader {
    std::uint32_t header_size = 0;
    int width = 0;
    int height = 0;  // rows; TOPDOWN when the file stores the top row first
    bool topdown = false;
    int bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t colours = 0;          // colour-table entries in the file
    std::size_t table = 0;              // offset of the colour table
    std::size_t masks = 0;              // bytes of bit-field masks behind a 40-byte header
    std::size_t bits_offset = 0;        // offset of the pixels
    std::uint64_t image_bytes = 0;      // bytes of pixels the picture needs (stored for RLE)
    std::uint32_t mask[3] = {0, 0, 0};  // red, green and blue fields of 16- and 32-bit pixels
};

// One colour field of a pixel widened (or narrowed) to 8 bits.
int Field(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0, width = 0;
    while (!((mask >> shift) & 1)) ++shift;
    while (shift + width < 32 && ((mask >> (shift + width)) & 1)) ++width;
    std::uint32_t v = (pixel & mask) >> shift;
    return static_cast<int>(width >= 8 ? v >> (width - 8) : v << (8 - width)) & 255;
}

bool RleAllowed(std::uint32_t compression, int bits) {
    return (compression == 1 && bits == 8) || (compression == 2 && bits == 4);
}

// Checks the header of DATA; RLE admits run-length bitmaps (their image size from the header).
int ParseBmp(const unsigned char *data, std::size_t size, bool rle, BmpHeader &h) {
    if (size < 2 || data[0] != 'B' || data[1] != 'M') return kImageInvalid;
    if (size < 54) return kImageShort;
    h.header_size = GetLe32(data + 14);
    if (h.header_size < 40 || h.header_size > 1024) return kImageInvalid;
    if (14 + static_cast<std::uint64_t>(h.header_size) > size) return kImageShort;
    std::int32_t width = static_cast<std::int32_t>(GetLe32(data + 18));
    std::int32_t height = static_cast<std::int32_t>(GetLe32(data + 22));
    unsigned planes = GetLe16(data + 26);
    h.bits = static_cast<int>(GetLe16(data + 28));
    h.compression = GetLe32(data + 30);
    std::uint32_t image_size = GetLe32(data + 34), used = GetLe32(data + 46);
    if (planes != 1 || width <= 0 || height == 0 || height == INT32_MIN) return kImageInvalid;
    if (!PixelsWithinCap(
            static_cast<std::uint64_t>(width),
            static_cast<std::uint64_t>(height < 0 ? -static_cast<std::int64_t>(height) : height)))
        return kImageInvalid;
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
        return kImageInvalid;
    bool fields = h.compression == 3 && (h.bits == 16 || h.bits == 32);
    bool runs = rle && RleAllowed(h.compression, h.bits);
    if (h.compression != 0 && !fields && !runs) return kImageInvalid;
    if (used > 256) return kImageInvalid;
    h.width = width;
    h.topdown = height < 0;
    h.height = height < 0 ? -height : height;
    if (h.topdown && runs) return kImageInvalid;
    h.colours = h.bits <= 8 ? (used ? used : (1u << h.bits)) : 0;
    h.masks = (fields && h.header_size == 40) ? 12 : 0;
    // Bit fields stand at offset 54 behind a 40-byte header and inside every larger one.
    if (fields && 66 > size) return kImageShort;
    for (int c = 0; c < 3; ++c)
        h.mask[c] = fields         ? GetLe32(data + 54 + 4 * c)
                    : h.bits == 16 ? (0x7C00u >> (5 * c))
                    : h.bits == 32 ? (0xFF0000u >> (8 * c))
                                   : 0;
    h.table = 14 + static_cast<std::size_t>(h.header_size) + h.masks;
    std::uint64_t after_table = h.table + 4 * static_cast<std::uint64_t>(h.colours);
    if (after_table > size) return kImageShort;
    std::uint32_t offset = GetLe32(data + 10);
    h.bits_offset = offset ? offset : static_cast<std::size_t>(after_table);
    if (h.bits_offset < 14 + static_cast<std::size_t>(h.header_size) || h.bits_offset >= size)
        return kImageInvalid;
    std::uint64_t stride = ImagePixels::StrideOf(h.width, h.bits);
    h.image_bytes = runs ? image_size : stride * static_cast<std::uint64_t>(h.height);
    if (stride * static_cast<std::uint64_t>(h.height) > kImageByteCap || (runs && image_size == 0))
        return kImageInvalid;
    if (h.bits_offset + h.image_bytes > size) return kImageShort;
    return kImageOk;
}

}  // namespace

int DecodeBmp(const unsigned char *data, std::size_t size, ImagePixels &out) {
    BmpHeader h;
    int status = ParseBmp(data, size, false, h);
    if (status != kImageOk) return status;
    ImagePixels image;
    if (!image.Allocate(h.width, h.height, h.bits <= 8 ? h.bits : 24)) return kImageInvalid;
    for (std::uint32_t i = 0; i < h.colours; ++i) {
        const unsigned char *e = data + h.table + 4 * static_cast<std::size_t>(i);
        image.palette.push_back(RgbOf(e[2], e[1], e[0]));
    }
    std::size_t stride = ImagePixels::StrideOf(h.width, h.bits);
    for (int r = 0; r < h.height; ++r) {
        const unsigned char *src = data + h.bits_offset + static_cast<std::size_t>(r) * stride;
        int y = h.topdown ? r : h.height - 1 - r;
        unsigned char *dst = image.Row(y);
        if (h.bits <= 8 || h.bits == 24) {
            std::memcpy(dst, src, stride);
            continue;
        }
        for (int x = 0; x < h.width; ++x) {
            unsigned char *p = dst + 3 * static_cast<std::size_t>(x);
            std::uint32_t v = h.bits == 32 ? GetLe32(src + 4 * static_cast<std::size_t>(x))
                                           : GetLe16(src + 2 * static_cast<std::size_t>(x));
            for (int c = 0; c < 3; ++c) p[2 - c] = static_cast<unsigned char>(Field(v, h.mask[c]));
        }
    }
    out = std::move(image);
    return kImageOk;
}

int ReadDibBlock(const unsigned char *data, std::size_t size, std::vector<unsigned char> &dib) {
    BmpHeader h;
    int status = ParseBmp(data, size, true, h);
    if (status != kImageOk) return status;
    std::vector<unsigned char> block(data + 14, data + 14 + 40);
    // The block always carries a 40-byte header: the masks of a larger header follow it.
    if (h.header_size > 40 && h.compression == 3)
        block.insert(block.end(), data + 14 + 40, data + 14 + 52);
    else if (h.masks)
        block.insert(block.end(), data + 54, data + 66);
    block[0] = 40;
    block[1] = block[2] = block[3] = 0;
    std::uint32_t fields[2] = {static_cast<std::uint32_t>(h.image_bytes), h.colours};
    for (int k = 0; k < 2; ++k)
        for (int b = 0; b < 4; ++b)
            block[20 + 12 * k + b] = static_cast<unsigned char>(fields[k] >> (8 * b));
    block.insert(block.end(), data + h.table,
                 data + h.table + 4 * static_cast<std::size_t>(h.colours));
    block.insert(block.end(), data + h.bits_offset,
                 data + h.bits_offset + static_cast<std::size_t>(h.image_bytes));
    dib = std::move(block);
    return kImageOk;
}

namespace {

// Run-length encoding of one row of palette indexes (8 bits a byte, 4 bits a nibble), taken
// in groups of 4 bytes (4 pixels at 8 bits, 8 at 4 bits). A group of four equal bytes joins
// the run before it while that run holds the same byte and has room for another group (up to
// 252 pixels at 8 bits, 248 at 4 bits), else starts a run; any other group is written whole
// in absolute mode. The pixels after the last whole group are written as runs of exactly
// those pixels: a group reaching into the row's padding would describe pixels the picture
// does not have, which readers carry into the next row.
void RleRow(const ImagePixels &image, int y, std::vector<unsigned char> &out) {
    const int w = image.width, bits = image.bits;
    const int per_group = bits == 8 ? 4 : 8;  // pixels in a group of 4 bytes
    const int room = bits == 8 ? 251 : 247;   // a run below this takes one more group
    const unsigned char *row = image.Row(y);
    const int groups = w / per_group;
    std::size_t run_at = 0;  // where the count of the open run stands in OUT
    bool open = false;
    for (int g = 0; g < groups; ++g) {
        const unsigned char *b = row + 4 * g;
        if (b[0] == b[1] && b[0] == b[2] && b[0] == b[3]) {
            if (open && out[run_at + 1] == b[0] && out[run_at] < room) {
                out[run_at] = static_cast<unsigned char>(out[run_at] + per_group);
                continue;
            }
            run_at = out.size();
            open = true;
            out.push_back(static_cast<unsigned char>(per_group));
            out.push_back(b[0]);
            continue;
        }
        open = false;
        out.push_back(0);
        out.push_back(static_cast<unsigned char>(per_group));
        out.insert(out.end(), b, b + 4);
    }
    // The last pixels: runs of equal bytes (two pixels a byte at 4 bits, the last byte of an
    // odd count holding one).
    const int left = w - groups * per_group;
    const unsigned char *tail = row + 4 * groups;
    const int bytes = bits == 8 ? left : (left + 1) / 2;
    for (int i = 0; i < bytes;) {
        int n = 1;
        while (i + n < bytes && tail[i + n] == tail[i]) ++n;
        int pixels = bits == 8 ? n : 2 * n;
        if (bits == 4 && i + n == bytes && (left & 1)) {
            // The last byte holds one pixel: the run of equal bytes ends before it.
            if (n > 1) {
                out.push_back(static_cast<unsigned char>(pixels - 2));
                out.push_back(tail[i]);
            }
            out.push_back(1);
            out.push_back(tail[bytes - 1]);
        } else {
            out.push_back(static_cast<unsigned char>(pixels));
            out.push_back(tail[i]);
        }
        i += n;
    }
    out.push_back(0);
    out.push_back(0);
}

}  // namespace

int EncodeBmp(const ImagePixels &image, bool rle, std::vector<unsigned char> &out) {
    int bits = image.bits;
    if ((bits != 1 && bits != 4 && bits != 8 && bits != 24) || image.width <= 0 ||
        image.height <= 0)
        return kImageInvalid;
    bool runs = rle && (bits == 4 || bits == 8);
    std::size_t stride = image.Stride();
    std::uint32_t table = bits == 24 ? 0 : 4u << bits;
    std::vector<unsigned char> pixels;
    if (runs) {
        for (int y = image.height - 1; y >= 0; --y) RleRow(image, y, pixels);
        pixels.push_back(0);
        pixels.push_back(1);
    } else {
        for (int y = image.height - 1; y >= 0; --y)
            pixels.insert(pixels.end(), image.Row(y), image.Row(y) + stride);
    }
    std::uint64_t file_size = 54 + static_cast<std::uint64_t>(table) + pixels.size();
    if (file_size > 0xFFFFFFFFu) return kImageInvalid;
    std::vector<unsigned char> head;
    head.push_back('B');
    head.push_back('M');
    PutLe32(head, static_cast<std::uint32_t>(file_size));
    PutLe32(head, 0);
    PutLe32(head, 54 + table);
    PutLe32(head, 40);
    PutLe32(head, static_cast<std::uint32_t>(image.width));
    PutLe32(head, static_cast<std::uint32_t>(image.height));
    PutLe16(head, 1);
    PutLe16(head, static_cast<unsigned>(bits));
    PutLe32(head, runs ? (bits == 8 ? 1 : 2) : 0);
    PutLe32(head, static_cast<std::uint32_t>(pixels.size()));
    for (int i = 0; i < 4; ++i) PutLe32(head, 0);
    for (std::uint32_t i = 0; i < table / 4; ++i) {
        std::uint32_t rgb = i < image.palette.size() ? image.palette[i] : 0;
        head.push_back(static_cast<unsigned char>(BlueOf(rgb)));
        head.push_back(static_cast<unsigned char>(GreenOf(rgb)));
        head.push_back(static_cast<unsigned char>(RedOf(rgb)));
        head.push_back(0);
    }
    out.insert(out.end(), head.begin(), head.end());
    out.insert(out.end(), pixels.begin(), pixels.end());
    return kImageOk;
}

}  // namespace quill
