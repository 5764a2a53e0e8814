// PCX: runs of equal bytes, the decoder of 1-, 4-, 8- and 24-bit pictures and the encoder in
// the planar layout of the image files and the byte-plane layout of saved screen areas.
#include "hardcopy/image_codec.h"

#include <algorithm>
#include <cstring>

namespace quill {

bool yyencget(const unsigned char *data, std::size_t size, std::size_t &pos, int *value,
              int *count) {
    if (pos >= size) return false;
    int b = data[pos++];
    if (b < 192) {
        *value = b;
        *count = 1;
        return true;
    }
    if (pos >= size) return false;
    *count = b & 63;
    *value = data[pos++];
    return true;
}

void yyencput(int value, int count, std::vector<unsigned char> &out) {
    if (count != 1 || (value & 0xC0) == 0xC0)
        out.push_back(static_cast<unsigned char>(0xC0 | count));
    out.push_back(static_cast<unsigned char>(value));
}

namespace {

const int kHeader = 128;
const std::size_t kTrailer = 769;

// Decodes one plane row of BPL bytes into ROW; a run reaching past the row's end is cut there.
bool DecodePlaneRow(const unsigned char *data, std::size_t end, std::size_t &pos,
                    unsigned char *row, std::size_t bpl) {
    std::size_t n = 0;
    while (n < bpl) {
        int value = 0, count = 0;
        if (!yyencget(data, end, pos, &value, &count)) return false;
        for (int i = 0; i < count && n < bpl; ++i) row[n++] = static_cast<unsigned char>(value);
    }
    return true;
}

bool Bright(std::uint32_t rgb) {
    return RedOf(rgb) * 299 + GreenOf(rgb) * 587 + BlueOf(rgb) * 114 >= 128000;
}

}  // namespace

int DecodePcx(const unsigned char *data, std::size_t size, ImagePixels &out) {
    if (size < 1 || data[0] != 10) return kImageInvalid;
    if (size < kHeader) return kImageShort;
    if (data[2] != 1) return kImageInvalid;
    int bpp = data[3], planes = data[65];
    unsigned xmin = GetLe16(data + 4), ymin = GetLe16(data + 6), xmax = GetLe16(data + 8),
             ymax = GetLe16(data + 10);
    std::size_t bpl = GetLe16(data + 66);
    if (xmax < xmin || ymax < ymin) return kImageInvalid;
    int bits = (bpp == 1 && planes == 1)   ? 1
               : (bpp == 1 && planes == 4) ? 4
               : (bpp == 8 && planes == 1) ? 8
               : (bpp == 8 && planes == 3) ? 24
                                           : 0;
    if (bits == 0) return kImageInvalid;
    int w = static_cast<int>(xmax - xmin + 1), h = static_cast<int>(ymax - ymin + 1);
    if (!PixelsWithinCap(static_cast<std::uint64_t>(w), static_cast<std::uint64_t>(h)))
        return kImageInvalid;
    std::size_t need =
        bpp == 1 ? (static_cast<std::size_t>(w) + 7) / 8 : static_cast<std::size_t>(w);
    if (bpl < need) return kImageInvalid;
    if (bits == 8 && (size < kHeader + kTrailer || data[size - kTrailer] != 12))
        return kImageInvalid;
    std::size_t end = bits == 8 ? size - kTrailer : size;
    // Runs of two bytes give at most 63: data that cannot fill the rows is short, found
    // before the picture is allocated.
    if (static_cast<std::uint64_t>(bpl) * static_cast<std::uint64_t>(planes) *
            static_cast<std::uint64_t>(h) >
        static_cast<std::uint64_t>(end - kHeader) * 32)
        return kImageShort;
    ImagePixels image;
    if (!image.Allocate(w, h, bits)) return kImageInvalid;
    if (bits == 8) {
        for (int i = 0; i < 256; ++i) {
            const unsigned char *e = data + end + 1 + 3 * i;
            image.palette.push_back(RgbOf(e[0], e[1], e[2]));
        }
    } else if (bits == 4) {
        for (int i = 0; i < 16; ++i)
            image.palette.push_back(RgbOf(data[16 + 3 * i], data[17 + 3 * i], data[18 + 3 * i]));
    } else if (bits == 1) {
        image.palette = {RgbOf(0, 0, 0), RgbOf(255, 255, 255)};
    }
    std::vector<unsigned char> plane(bpl);
    std::size_t pos = kHeader;
    for (int y = 0; y < h; ++y) {
        unsigned char *row = image.Row(y);
        for (int p = 0; p < planes; ++p) {
            if (!DecodePlaneRow(data, end, pos, plane.data(), bpl)) return kImageShort;
            if (bits == 1 || bits == 8) {
                std::memcpy(row, plane.data(), need);
            } else if (bits == 24) {
                for (int x = 0; x < w; ++x) row[3 * x + 2 - p] = plane[static_cast<std::size_t>(x)];
            } else {
                for (int x = 0; x < w; ++x)
                    if ((plane[static_cast<std::size_t>(x) >> 3] >> (7 - (x & 7))) & 1)
                        image.SetIndex(x, y, image.Index(x, y) | (1 << p));
            }
        }
        if (bits == 1 && (w & 7))
            row[w >> 3] = static_cast<unsigned char>(row[w >> 3] & (0xFF << (8 - (w & 7))));
    }
    out = std::move(image);
    return kImageOk;
}

void EncodePcxRow(const unsigned char *row, std::size_t n, std::vector<unsigned char> &out) {
    for (std::size_t i = 0; i < n;) {
        std::size_t run = 1;
        while (i + run < n && run < 63 && row[i + run] == row[i]) ++run;
        yyencput(row[i], static_cast<int>(run), out);
        i += run;
    }
}

namespace {

// Bytes of one plane row of a WIDTH-pixel row: one bit or one byte a pixel, an even count.
std::size_t PcxPlaneRowBytes(int width, int bits, PcxLayout layout) {
    const std::size_t w = static_cast<std::size_t>(width);
    const std::size_t n = layout == PcxLayout::Planar && bits <= 4 ? (w + 7) / 8 : w;
    return n + (n & 1);
}

}  // namespace

bool PcxHolds(int width, int height, int bits, PcxLayout layout) {
    return width > 0 && height > 0 && width <= 32768 && height <= 32768 &&
           PcxPlaneRowBytes(width, bits, layout) <= 32767;
}

int EncodePcx(const ImagePixels &image, PcxLayout layout, std::vector<unsigned char> &out) {
    int bits = image.bits, w = image.width, h = image.height;
    if ((bits != 1 && bits != 4 && bits != 8 && bits != 24) || !PcxHolds(w, h, bits, layout))
        return kImageInvalid;
    bool planar = layout == PcxLayout::Planar;
    int planes = bits == 24 ? 3 : (planar && bits == 4) ? 4 : 1;
    int bpp = (planar && bits <= 4) ? 1 : 8;
    const std::size_t bpl = PcxPlaneRowBytes(w, bits, layout);

    std::vector<unsigned char> head(kHeader, 0);
    head[0] = 10;
    head[1] = 5;
    head[2] = 1;
    head[3] = static_cast<unsigned char>(bpp);
    auto put16 = [&](int at, unsigned v) {
        head[static_cast<std::size_t>(at)] = static_cast<unsigned char>(v & 255);
        head[static_cast<std::size_t>(at) + 1] = static_cast<unsigned char>(v >> 8);
    };
    put16(8, static_cast<unsigned>(w - 1));
    put16(10, static_cast<unsigned>(h - 1));
    put16(12, 75);
    put16(14, 75);
    if (planar && bits <= 4) {
        // 1 bit: a set bit is white, as PCX readers take it; 4 bits: the 16 colours.
        std::vector<std::uint32_t> colours =
            bits == 1 ? std::vector<std::uint32_t>{0, 0xFFFFFF} : image.palette;
        for (std::size_t i = 0; i < 16 && i < colours.size(); ++i) {
            head[16 + 3 * i] = static_cast<unsigned char>(RedOf(colours[i]));
            head[17 + 3 * i] = static_cast<unsigned char>(GreenOf(colours[i]));
            head[18 + 3 * i] = static_cast<unsigned char>(BlueOf(colours[i]));
        }
    }
    head[65] = static_cast<unsigned char>(planes);
    put16(66, static_cast<unsigned>(bpl));
    if (!planar) put16(68, 1);
    put16(70, static_cast<unsigned>(bpl));
    put16(72, static_cast<unsigned>(h));

    std::vector<unsigned char> body;
    std::vector<unsigned char> plane(bpl);
    for (int y = 0; y < h; ++y) {
        for (int p = 0; p < planes; ++p) {
            std::fill(plane.begin(), plane.end(), 0);
            for (int x = 0; x < w; ++x) {
                std::size_t i = static_cast<std::size_t>(x);
                if (bits == 24) {
                    plane[i] = image.Row(y)[3 * i + 2 - static_cast<std::size_t>(p)];
                } else if (bpp == 8) {
                    plane[i] = static_cast<unsigned char>(image.Index(x, y));
                } else {
                    int on = bits == 1 ? Bright(image.Rgb(x, y)) : (image.Index(x, y) >> p) & 1;
                    if (on)
                        plane[i >> 3] =
                            static_cast<unsigned char>(plane[i >> 3] | (0x80 >> (x & 7)));
                }
            }
            EncodePcxRow(plane.data(), bpl, body);
        }
    }
    out.insert(out.end(), head.begin(), head.end());
    out.insert(out.end(), body.begin(), body.end());
    if (planes == 1 && bpp == 8) {
        out.push_back(12);
        for (std::size_t i = 0; i < 256; ++i) {
            std::uint32_t rgb = i < image.palette.size() ? image.palette[i] : 0;
            out.push_back(static_cast<unsigned char>(RedOf(rgb)));
            out.push_back(static_cast<unsigned char>(GreenOf(rgb)));
            out.push_back(static_cast<unsigned char>(BlueOf(rgb)));
        }
    }
    return kImageOk;
}

}  // namespace quill
