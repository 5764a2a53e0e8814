// PNG: chunk words and CRC, the row filters, the decoder (palette and RGB pictures, 8- and
// 16-bit samples, alpha skipped) and the encoder (palette pictures of 1, 4 and 8 bits, RGB of
// 24 bits, unfiltered rows in one IDAT chunk).
#include "hardcopy/image_codec.h"

#include "base/compression.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>

void yych2int_(const unsigned char *bytes, const int *n, int *value) {
    if (*n == 2)
        *value = bytes[0] | (bytes[1] << 8);
    else if (*n == 4)
        *value = static_cast<int>(static_cast<std::uint32_t>(bytes[0]) |
                                  (static_cast<std::uint32_t>(bytes[1]) << 8) |
                                  (static_cast<std::uint32_t>(bytes[2]) << 16) |
                                  (static_cast<std::uint32_t>(bytes[3]) << 24));
    else
        *value = 0;
}

int yypngc2i(const unsigned char *bytes) {
    return static_cast<int>((static_cast<std::uint32_t>(bytes[0]) << 24) |
                            (static_cast<std::uint32_t>(bytes[1]) << 16) |
                            (static_cast<std::uint32_t>(bytes[2]) << 8) |
                            static_cast<std::uint32_t>(bytes[3]));
}

void yypngc2i_(const unsigned char *bytes, int *value) { *value = yypngc2i(bytes); }

int yypngcmp(const unsigned char *bytes, const char *type) {
    return std::memcmp(bytes, type, 4) == 0 ? 1 : 0;
}

void yypngword(std::uint32_t value, unsigned char *bytes) {
    bytes[0] = static_cast<unsigned char>(value >> 24);
    bytes[1] = static_cast<unsigned char>(value >> 16);
    bytes[2] = static_cast<unsigned char>(value >> 8);
    bytes[3] = static_cast<unsigned char>(value);
}

void yypngwrd_(const int *values, unsigned char *bytes, const int *count) {
    for (int i = 0; i < *count; ++i)
        yypngword(static_cast<std::uint32_t>(values[i]), bytes + 4 * i);
}

std::uint32_t yypngcrc2(const unsigned char *bytes, std::size_t length) {
    static std::uint32_t table[256];
    static bool built = false;
    if (!built) {
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        built = true;
    }
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < length; ++i) c = table[(c ^ bytes[i]) & 255] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void yypngcrc_(const int *length, std::uint32_t *crc, const unsigned char *bytes,
               const int *count) {
    int n = *length < *count ? *length : *count;
    *crc = yypngcrc2(bytes, n > 0 ? static_cast<std::size_t>(n) : 0);
}

namespace {

// Undoes the filter of one row (filter byte first) against the row above (null for the
// first row); false at an unknown filter type.
bool UnfilterRow(unsigned char *row, const unsigned char *prior, std::size_t rowlength,
                 std::size_t b) {
    std::size_t n = rowlength - 1;
    unsigned char *x = row + 1;
    const unsigned char *up = prior ? prior + 1 : nullptr;
    switch (row[0]) {
    case 0: break;
    case 1:
        for (std::size_t i = b; i < n; ++i) x[i] = static_cast<unsigned char>(x[i] + x[i - b]);
        break;
    case 2:
        if (up)
            for (std::size_t i = 0; i < n; ++i) x[i] = static_cast<unsigned char>(x[i] + up[i]);
        break;
    case 3:
        for (std::size_t i = 0; i < n; ++i) {
            int a = i >= b ? x[i - b] : 0, u = up ? up[i] : 0;
            x[i] = static_cast<unsigned char>(x[i] + (a + u) / 2);
        }
        break;
    case 4:
        for (std::size_t i = 0; i < n; ++i) {
            int a = i >= b ? x[i - b] : 0, u = up ? up[i] : 0, c = (up && i >= b) ? up[i - b] : 0;
            int p = a + u - c, pa = std::abs(p - a), pb = std::abs(p - u), pc = std::abs(p - c);
            x[i] = static_cast<unsigned char>(x[i] +
                                              ((pa <= pb && pa <= pc) ? a : (pb <= pc ? u : c)));
        }
        break;
    default: return false;
    }
    row[0] = 0;
    return true;
}

}  // namespace

int yypngfilter2(unsigned char *rows, std::size_t rowlength, std::size_t rowcount, int bpp) {
    if (rowlength == 0) return quill::kImageOk;
    for (std::size_t r = 0; r < rowcount; ++r)
        if (!UnfilterRow(rows + r * rowlength, r ? rows + (r - 1) * rowlength : nullptr, rowlength,
                         static_cast<std::size_t>(bpp)))
            return quill::kImageInvalid;
    return quill::kImageOk;
}

void yypngfilter_(unsigned char *rows, const int *rowlength, const int *rowcount, const int *bpp,
                  int *status) {
    if (*rowlength <= 0 || *rowcount <= 0 || *bpp <= 0) {
        *status = quill::kImageOk;
        return;
    }
    *status = yypngfilter2(rows, static_cast<std::size_t>(*rowlength),
                           static_cast<std::size_t>(*rowcount), *bpp);
}

namespace quill {

namespace {

const unsigned char kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

std::uint32_t Be32(const unsigned char *p) { return static_cast<std::uint32_t>(yypngc2i(p)); }

// The decoded picture's depth for a PNG colour type and bit depth, 0 when refused.
int OutputBits(int type, int depth) {
    if (type == 3) return (depth == 1) ? 1 : (depth == 2 || depth == 4) ? 4 : depth == 8 ? 8 : 0;
    if (type == 2 || type == 6) return (depth == 8 || depth == 16) ? 24 : 0;
    return 0;
}

// Copies one unfiltered PNG row into the picture's row Y.
void CopyRow(const unsigned char *src, int type, int depth, ImagePixels &out, int y) {
    unsigned char *dst = out.Row(y);
    int w = out.width;
    if (type == 3) {
        if (depth == 2) {
            for (int x = 0; x < w; ++x) out.SetIndex(x, y, (src[x >> 2] >> (6 - 2 * (x & 3))) & 3);
        } else {
            std::memcpy(dst, src,
                        (static_cast<std::size_t>(w) * static_cast<std::size_t>(depth) + 7) / 8);
            // Bits of the last byte beyond the picture's width stay zero in the picture.
            std::size_t used = static_cast<std::size_t>(w) * static_cast<std::size_t>(depth);
            if (used % 8)
                dst[used / 8] =
                    static_cast<unsigned char>(dst[used / 8] & (0xFF << (8 - used % 8)));
        }
        return;
    }
    std::size_t sample = depth / 8, pixel = (type == 6 ? 4 : 3) * sample;
    for (int x = 0; x < w; ++x) {
        const unsigned char *p = src + static_cast<std::size_t>(x) * pixel;
        dst[3 * x] = p[2 * sample];
        dst[3 * x + 1] = p[sample];
        dst[3 * x + 2] = p[0];
    }
}

// The zlib stream spread over the IDAT chunks, inflated a row at a time. A stream that ends
// before the rows are full, holds more than they take, or breaks gives a zlib status.
class Inflater {
public:
    explicit Inflater(const std::vector<std::pair<const unsigned char *, std::uint32_t>> &chunks)
        : chunks_(chunks) {
        stream_ = z_stream();
        status_ = inflateInit(&stream_);
    }
    ~Inflater() {
        if (status_ != Z_STREAM_ERROR && status_ != Z_MEM_ERROR && status_ != Z_VERSION_ERROR)
            inflateEnd(&stream_);
    }
    Inflater(const Inflater &) = delete;
    Inflater &operator=(const Inflater &) = delete;

    // Fills OUT with the next N bytes of the stream.
    int Fill(unsigned char *out, std::size_t n) {
        if (status_ != Z_OK) return status_ == Z_STREAM_END ? Z_DATA_ERROR : status_;
        stream_.next_out = out;
        stream_.avail_out = static_cast<uInt>(n);
        while (stream_.avail_out > 0) {
            bool fed = Feed();
            uInt before = stream_.avail_out;
            int r = inflate(&stream_, Z_NO_FLUSH);
            if (r == Z_STREAM_END) {
                status_ = Z_STREAM_END;
                return stream_.avail_out ? Z_DATA_ERROR : Z_OK;
            }
            if (r != Z_OK && r != Z_BUF_ERROR) return status_ = r;
            if (!fed && stream_.avail_out == before)
                return status_ = Z_BUF_ERROR;  // the data ran out
        }
        return Z_OK;
    }

    // After the last row: the stream must end there.
    int Finish() {
        if (status_ == Z_STREAM_END) return Z_OK;
        if (status_ != Z_OK) return status_;
        unsigned char extra;
        for (;;) {
            stream_.next_out = &extra;
            stream_.avail_out = 1;
            bool fed = Feed();
            int r = inflate(&stream_, Z_NO_FLUSH);
            if (stream_.avail_out == 0) return Z_BUF_ERROR;  // more data than the rows take
            if (r == Z_STREAM_END) return Z_OK;
            if (r != Z_OK && r != Z_BUF_ERROR) return r;
            if (!fed) return Z_BUF_ERROR;  // the stream has no end
        }
    }

private:
    // Gives zlib the next chunk when it has used the last; false when none is left.
    bool Feed() {
        while (stream_.avail_in == 0) {
            if (next_ >= chunks_.size()) return false;
            stream_.next_in = const_cast<unsigned char *>(chunks_[next_].first);
            stream_.avail_in = chunks_[next_].second;
            ++next_;
        }
        return true;
    }

    const std::vector<std::pair<const unsigned char *, std::uint32_t>> &chunks_;
    std::size_t next_ = 0;
    z_stream stream_;
    int status_;
};

void Chunk(std::vector<unsigned char> &out, const char *type, const unsigned char *data,
           std::size_t n) {
    unsigned char word[4];
    yypngword(static_cast<std::uint32_t>(n), word);
    out.insert(out.end(), word, word + 4);
    std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    if (n) out.insert(out.end(), data, data + n);
    yypngword(yypngcrc2(out.data() + start, n + 4), word);
    out.insert(out.end(), word, word + 4);
}

}  // namespace

int DecodePng(const unsigned char *data, std::size_t size, ImagePixels &out, int *zstatus) {
    if (zstatus) *zstatus = 0;
    if (size < 8 || std::memcmp(data, kSignature, 8) != 0)
        return size < 8 ? kImageShort : kImageInvalid;
    if (size < 33) return kImageShort;
    if (Be32(data + 8) != 13 || !yypngcmp(data + 12, "IHDR")) return kImageInvalid;
    std::uint32_t w = Be32(data + 16), h = Be32(data + 20);
    int depth = data[24], type = data[25];
    if (w == 0 || h == 0 || w > 0x7FFFFFFFu || h > 0x7FFFFFFFu) return kImageInvalid;
    if (!PixelsWithinCap(w, h)) return kImageInvalid;
    int bits = OutputBits(type, depth);
    if (bits == 0 || data[26] != 0 || data[27] != 0 || data[28] != 0) return kImageInvalid;
    int samples = type == 3 ? 1 : type == 2 ? 3 : 4;
    std::uint64_t pixelbits =
        static_cast<std::uint64_t>(samples) * static_cast<std::uint64_t>(depth);
    std::uint64_t rowbytes = (static_cast<std::uint64_t>(w) * pixelbits + 7) / 8 + 1;
    std::uint64_t raw = rowbytes * h;
    if (raw > kImageByteCap) return kImageInvalid;
    std::uint64_t room = raw + raw / 1000 + 22;

    // The IDAT chunks stay in place in DATA; rows are inflated one at a time from them.
    std::vector<std::pair<const unsigned char *, std::uint32_t>> idat;
    std::uint64_t packed = 0;
    std::vector<std::uint32_t> palette;
    bool ended = false;
    for (std::size_t pos = 33; !ended;) {
        if (size - pos < 12) return kImageShort;
        std::uint32_t n = Be32(data + pos);
        if (n > size - pos - 12) return kImageShort;
        const unsigned char *type4 = data + pos + 4, *body = data + pos + 8;
        if (yypngcmp(type4, "IDAT")) {
            packed += n;
            if (packed > room) return kImageShort;
            idat.push_back({body, n});
        } else if (yypngcmp(type4, "PLTE")) {
            if (n == 0 || n % 3 != 0 || n > 768) return kImageInvalid;
            palette.clear();
            for (std::uint32_t i = 0; i < n; i += 3)
                palette.push_back(RgbOf(body[i], body[i + 1], body[i + 2]));
        } else if (yypngcmp(type4, "IEND")) {
            ended = true;
        }
        pos += 12 + static_cast<std::size_t>(n);
    }
    if (type == 3 && palette.empty()) return kImageInvalid;
    // Deflate expands at most 1032 times: data that cannot fill the rows fails before the
    // picture is allocated.
    if (raw > packed * 1032 + 64) {
        if (zstatus) *zstatus = Z_DATA_ERROR;
        return kImageZlib;
    }

    ImagePixels image;
    if (!image.Allocate(static_cast<int>(w), static_cast<int>(h), bits)) return kImageInvalid;
    image.palette = palette;
    Inflater inflater(idat);
    std::vector<unsigned char> cur(static_cast<std::size_t>(rowbytes)), prior(cur.size());
    int bpp = static_cast<int>(pixelbits >= 8 ? pixelbits / 8 : 1);
    for (std::uint32_t y = 0; y < h; ++y) {
        int zs = inflater.Fill(cur.data(), cur.size());
        if (zs != Z_OK) {
            if (zstatus) *zstatus = zs;
            return kImageZlib;
        }
        if (!UnfilterRow(cur.data(), y ? prior.data() : nullptr, cur.size(),
                         static_cast<std::size_t>(bpp)))
            return kImageInvalid;
        CopyRow(cur.data() + 1, type, depth, image, static_cast<int>(y));
        cur.swap(prior);
    }
    int zs = inflater.Finish();
    if (zs != Z_OK) {
        if (zstatus) *zstatus = zs;
        return kImageZlib;
    }
    out = std::move(image);
    return kImageOk;
}

int EncodePng(const ImagePixels &image, std::vector<unsigned char> &out, int *zstatus) {
    if (zstatus) *zstatus = 0;
    int bits = image.bits;
    if ((bits != 1 && bits != 4 && bits != 8 && bits != 24) || image.width <= 0 ||
        image.height <= 0)
        return kImageInvalid;
    std::size_t w = static_cast<std::size_t>(image.width),
                h = static_cast<std::size_t>(image.height);
    std::size_t rowbytes = bits == 24 ? 3 * w : (w * static_cast<std::size_t>(bits) + 7) / 8;
    std::uint64_t raw = static_cast<std::uint64_t>(rowbytes + 1) * h;
    if (raw > kImageByteCap) return kImageInvalid;

    std::vector<unsigned char> rows(static_cast<std::size_t>(raw));
    for (std::size_t y = 0; y < h; ++y) {
        unsigned char *dst = rows.data() + y * (rowbytes + 1);
        const unsigned char *src = image.Row(static_cast<int>(y));
        dst[0] = 0;
        if (bits != 24) {
            std::memcpy(dst + 1, src, rowbytes);
            continue;
        }
        for (std::size_t x = 0; x < w; ++x) {
            dst[1 + 3 * x] = src[3 * x + 2];
            dst[2 + 3 * x] = src[3 * x + 1];
            dst[3 + 3 * x] = src[3 * x];
        }
    }
    std::vector<unsigned char> packed(static_cast<std::size_t>(raw + raw / 1000 + 22));
    int srclen = static_cast<int>(raw), dstlen = static_cast<int>(packed.size()), zs = 0;
    yyzcompr_(rows.data(), packed.data(), &srclen, &dstlen, &zs);
    if (zs != Z_OK) {
        if (zstatus) *zstatus = zs;
        return kImageZlib;
    }

    out.insert(out.end(), kSignature, kSignature + 8);
    unsigned char ihdr[13];
    yypngword(static_cast<std::uint32_t>(w), ihdr);
    yypngword(static_cast<std::uint32_t>(h), ihdr + 4);
    ihdr[8] = static_cast<unsigned char>(bits == 24 ? 8 : bits);
    ihdr[9] = bits == 24 ? 2 : 3;
    ihdr[10] = ihdr[11] = ihdr[12] = 0;
    Chunk(out, "IHDR", ihdr, 13);
    if (bits != 24) {
        std::vector<unsigned char> plte;
        for (std::size_t i = 0; i < (std::size_t(1) << bits); ++i) {
            std::uint32_t rgb = i < image.palette.size() ? image.palette[i] : 0;
            plte.push_back(static_cast<unsigned char>(RedOf(rgb)));
            plte.push_back(static_cast<unsigned char>(GreenOf(rgb)));
            plte.push_back(static_cast<unsigned char>(BlueOf(rgb)));
        }
        Chunk(out, "PLTE", plte.data(), plte.size());
    }
    Chunk(out, "IDAT", packed.data(), static_cast<std::size_t>(dstlen));
    Chunk(out, "IEND", nullptr, 0);
    return kImageOk;
}

}  // namespace quill
