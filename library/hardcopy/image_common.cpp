// What the image codecs share: the picture form, little-endian words, whole-file reads and
// writes through the operating-system layer, and file type detection by the first bytes.
#include "hardcopy/image_codec.h"

#include "base/system.h"

#include <algorithm>
#include <cstring>

namespace quill {

std::size_t ImagePixels::StrideOf(int width, int bits) {
    if (width <= 0 || bits <= 0) return 0;
    return static_cast<std::size_t>(
        (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bits) + 31) / 32 * 4);
}

bool ImagePixels::Allocate(int w, int h, int b) {
    if (w <= 0 || h <= 0) return false;
    std::uint64_t bytes =
        static_cast<std::uint64_t>(StrideOf(w, b)) * static_cast<std::uint64_t>(h);
    if (bytes > kImageByteCap) return false;
    width = w;
    height = h;
    bits = b;
    rows.assign(static_cast<std::size_t>(bytes), 0);
    return true;
}

int ImagePixels::Index(int x, int y) const {
    const unsigned char *row = Row(y);
    switch (bits) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? (row[x >> 1] & 15) : (row[x >> 1] >> 4);
    case 8: return row[x];
    default: return 0;
    }
}

void ImagePixels::SetIndex(int x, int y, int index) {
    unsigned char *row = Row(y);
    switch (bits) {
    case 1: {
        unsigned char mask = static_cast<unsigned char>(0x80 >> (x & 7));
        row[x >> 3] =
            static_cast<unsigned char>((index & 1) ? (row[x >> 3] | mask) : (row[x >> 3] & ~mask));
        break;
    }
    case 4:
        if (x & 1)
            row[x >> 1] = static_cast<unsigned char>((row[x >> 1] & 0xF0) | (index & 15));
        else
            row[x >> 1] = static_cast<unsigned char>((row[x >> 1] & 0x0F) | ((index & 15) << 4));
        break;
    case 8: row[x] = static_cast<unsigned char>(index); break;
    default: break;
    }
}

std::uint32_t ImagePixels::Rgb(int x, int y) const {
    if (bits == 24) {
        const unsigned char *p = Row(y) + 3 * static_cast<std::size_t>(x);
        return RgbOf(p[2], p[1], p[0]);
    }
    std::size_t i = static_cast<std::size_t>(Index(x, y));
    return i < palette.size() ? palette[i] : 0;
}

void PutLe16(std::vector<unsigned char> &out, unsigned value) {
    out.push_back(static_cast<unsigned char>(value & 255));
    out.push_back(static_cast<unsigned char>((value >> 8) & 255));
}

void PutLe32(std::vector<unsigned char> &out, std::uint32_t value) {
    PutLe16(out, value & 0xFFFF);
    PutLe16(out, value >> 16);
}

unsigned GetLe16(const unsigned char *p) {
    int n = 2, v = 0;
    yych2int_(p, &n, &v);
    return static_cast<unsigned>(v);
}

std::uint32_t GetLe32(const unsigned char *p) {
    int n = 4, v = 0;
    yych2int_(p, &n, &v);
    return static_cast<std::uint32_t>(v);
}

namespace {

const int kChunk = 1 << 20;

// Reads from HANDLE until the end of the file or until DATA would pass MAX bytes.
int ReadAll(int handle, std::vector<unsigned char> &data, std::uint64_t max, int *oserror) {
    const int chunk = static_cast<int>(std::min<std::uint64_t>(kChunk, max + 1));
    std::vector<unsigned char> block(static_cast<std::size_t>(chunk));
    for (;;) {
        int n = chunk, got = 0, s = 0;
        yyread_(&handle, block.data(), &n, &got, &s);
        if (s != 0) {
            if (oserror) *oserror = s;
            return kImageShort;
        }
        if (got <= 0) return kImageOk;
        if (data.size() + static_cast<std::uint64_t>(got) > max) {
            data.insert(data.end(), block.begin(),
                        block.begin() + static_cast<long>(max - data.size()));
            return kImageInvalid;
        }
        data.insert(data.end(), block.begin(), block.begin() + got);
    }
}

}  // namespace

int ReadImageFile(const std::string &path, std::vector<unsigned char> &data, int *oserror) {
    data.clear();
    if (oserror) *oserror = 0;
    int mode = 0, handle = -1, s = 0;
    yyopen_(path.c_str(), &mode, &handle, &s);
    if (handle == -1 || s != 0) {
        if (oserror) *oserror = s;
        return kImageOpen;
    }
    int status = ReadAll(handle, data, kImageByteCap, oserror);
    yyclos_(&handle);
    if (status != kImageOk) data.clear();
    return status;
}

bool ReadFileStart(const std::string &path, std::vector<unsigned char> &data, std::size_t max) {
    data.clear();
    int mode = 0, handle = -1, s = 0;
    yyopen_(path.c_str(), &mode, &handle, &s);
    if (handle == -1 || s != 0) return false;
    int status = ReadAll(handle, data, max, nullptr);
    yyclos_(&handle);
    return status != kImageShort;
}

int WriteImageFile(const std::string &path, const std::vector<unsigned char> &data, int *oserror) {
    if (oserror) *oserror = 0;
    int mode = 1, handle = -1, s = 0;
    yyopen_(path.c_str(), &mode, &handle, &s);
    if (handle == -1 || s != 0) {
        if (oserror) *oserror = s;
        return kImageOpen;
    }
    std::size_t done = 0;
    while (done < data.size()) {
        int n = static_cast<int>(std::min<std::size_t>(data.size() - done, kChunk)), put = 0;
        yywrit_(&handle, data.data() + done, &n, &put, &s);
        if (s != 0 || put != n) {
            if (oserror) *oserror = s;
            yyclos_(&handle);
            return kImageShort;
        }
        done += static_cast<std::size_t>(n);
    }
    yyclos_(&handle);
    return kImageOk;
}

namespace {

bool StartsWith(const unsigned char *data, std::size_t size, std::size_t at, const char *text) {
    std::size_t n = std::strlen(text);
    return at <= size && size - at >= n && std::memcmp(data + at, text, n) == 0;
}

// The position of the first character that is neither blank, tab, line end nor NUL.
std::size_t FirstSignificant(const unsigned char *data, std::size_t size) {
    std::size_t i = 0;
    while (i < size && (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n' ||
                        data[i] == 0))
        ++i;
    return i;
}

bool Contains(const unsigned char *data, std::size_t size, const char *text, std::size_t from,
              std::size_t *at) {
    std::size_t n = std::strlen(text);
    for (std::size_t i = from; i + n <= size; ++i)
        if (std::memcmp(data + i, text, n) == 0) {
            if (at) *at = i;
            return true;
        }
    return false;
}

std::uint32_t Le32At(const unsigned char *data, std::size_t size, std::size_t at) {
    if (at + 4 > size) return 0xFFFFFFFFu;
    return static_cast<std::uint32_t>(data[at]) | (static_cast<std::uint32_t>(data[at + 1]) << 8) |
           (static_cast<std::uint32_t>(data[at + 2]) << 16) |
           (static_cast<std::uint32_t>(data[at + 3]) << 24);
}

bool IsSvg(const unsigned char *data, std::size_t size) {
    std::size_t at = 0;
    if (!Contains(data, size, "<?xml ", 0, &at) && !Contains(data, size, "<?XML ", 0, &at))
        return false;
    return Contains(data, size, "<!doctype svg", at, nullptr) ||
           Contains(data, size, "<!DOCTYPE svg", at, nullptr);
}

bool IsDxf(const unsigned char *data, std::size_t size, std::size_t first) {
    if (!StartsWith(data, size, first, "0") || first + 1 >= size) return false;
    if (data[first + 1] != '\r' && data[first + 1] != '\n') return false;
    return Contains(data, size < 20 ? size : 20, "SECTION", 0, nullptr);
}

}  // namespace

int DetectFileType(const unsigned char *data, std::size_t size) {
    if (size > 128) size = 128;
    std::size_t first = FirstSignificant(data, size);
    auto escape = [&](const char *rest) {
        return size >= 1 && data[0] == 27 && StartsWith(data, size, 1, rest);
    };
    if (StartsWith(data, size, first, "IN")) return 4;
    if (escape("%0B")) return 5;
    if (StartsWith(data, size, first, "%!PS")) return 10;
    if (IsDxf(data, size, first)) return 14;
    if (IsSvg(data, size)) return 16;
    if (size >= 3 && data[0] == 10 && data[2] == 1) return 2;
    if (StartsWith(data, size, 0, "BM") && Le32At(data, size, 6) == 0 &&
        Le32At(data, size, 14) != 12 && Le32At(data, size, 14) != 0xFFFFFFFFu)
        return 1;
    const unsigned char plain[] = {1, 0, 9, 0, 0, 3};
    if ((size >= 6 && std::memcmp(data, plain, 6) == 0) || Le32At(data, size, 0) == 0x9AC6CDD7u ||
        Le32At(data, size, 40) == 0x464D4520u)
        return 3;
    if (size >= 3 && data[0] == 0 && data[1] > 15 && data[2] < 32) return 6;
    if (size >= 14 && data[0] == 1 && data[4] == 1 && data[6] == 8 && data[8] == 'D' &&
        data[13] == 12)
        return 7;
    if (StartsWith(data, size, 0, "Draw")) return 8;
    if (escape("[?38h")) return 9;
    if (escape("E") || escape("&a")) return 11;
    if (escape("@")) return 12;
    if (escape("U") && size >= 3 && (data[2] == 1 || data[2] == '1')) return 13;
    const unsigned char png[] = {137, 80, 78, 71, 13, 10, 26, 10};
    if (size >= 8 && std::memcmp(data, png, 8) == 0) return 15;
    return -1;
}

}  // namespace quill
