// The memory raster's storage and pixel routines: allocation, single pixels, spans in the
// current value or fill, thick dashed lines and dithered image pixels. Every write is clipped
// to the clip rectangle, which never reaches outside the raster.
#include "hardcopy/memory_raster.h"

#include "base/errors.h"
#include "graphics/palette.h"
#include "hardcopy/dither.h"
#include "hardcopy/hardcopy_options.h"

#include <algorithm>
#include <cmath>
#include <new>

MemoryRaster gRaster;

namespace {

using Wide = __int128;

// Raster pixels below this size either way are not worth drawing: a page that cannot be
// allocated larger is given up.
constexpr int kRasterMinimumSide = 8;

// The image dither table: three patterns for each of 16 x 16 x 16 colour cells.
std::uint32_t gImageDither[4096][3];
bool gImageDitherBuilt = false;

// The two-colour mono table of image pixels: entry v (red, green, blue bits of the dither
// cell, plus 8 for a bright colour) is the 8 x 4 cell of dots.
constexpr std::uint32_t kMonoTable[16] = {0xFFFFFFFFu, 0xBFBFF7F7u, 0x73CE7CC7u, 0xC6EC3373u,
                                          0xE7EF7E7Fu, 0x7377EE67u, 0x676EE676u, 0x311148C8u,
                                          0xEDED7777u, 0xECEC3776u, 0x6643CCC8u, 0x64641313u,
                                          0x3C669999u, 0xC663366Cu, 0x32668CCCu, 0x00000000u};

// The 16-colour code by palette colour number / 16.
constexpr int k16Codes[16] = {0, 9, 1, 11, 3, 10, 2, 14, 6, 12, 4, 13, 5, 15, 7, 8};

std::uint32_t *Row(int plane, int y) {
    return gRaster.words.data() + plane * gRaster.wordsPerPlane +
           static_cast<std::int64_t>(y) * gRaster.wordsPerRow;
}

bool Inside(int x, int y) {
    return x >= gRaster.clipLeft && x <= gRaster.clipRight && y >= gRaster.clipBottom &&
           y <= gRaster.clipTop;
}

// Pixel (X, Y), known to be inside the raster, set to VALUE.
void Put(int x, int y, std::uint32_t value) {
    switch (gRaster.format) {
    case kRasterMono:
    case kRasterPlanes:
        for (int k = 0; k < gRaster.planes; ++k) {
            std::uint32_t &w = Row(k, y)[x >> 5];
            const std::uint32_t bit = 1u << (x & 31);
            w = ((value >> k) & 1u) ? (w | bit) : (w & ~bit);
        }
        break;
    case kRasterBytes: {
        std::uint32_t &w = Row(0, y)[x >> 2];
        const int shift = 8 * (x & 3);
        w = (w & ~(0xFFu << shift)) | ((value & 0xFFu) << shift);
        break;
    }
    case kRasterRgb: Row(0, y)[x] = value; break;
    default: break;
    }
}

// Bits X1..X2 of a 1-bit plane row take the bits of BITS (bit x mod 32 for pixel x).
void PutBits(std::uint32_t *row, int x1, int x2, std::uint32_t bits) {
    int w1 = x1 >> 5, w2 = x2 >> 5;
    std::uint32_t first = ~0u << (x1 & 31), last = ~0u >> (31 - (x2 & 31));
    if (w1 == w2) {
        std::uint32_t m = first & last;
        row[w1] = (row[w1] & ~m) | (bits & m);
        return;
    }
    row[w1] = (row[w1] & ~first) | (bits & first);
    for (int w = w1 + 1; w < w2; ++w) row[w] = bits;
    row[w2] = (row[w2] & ~last) | (bits & last);
}

// The row pattern of a dither pattern for row Y: the byte of row y mod 4 in all four bytes,
// so that bit x mod 32 of it is bit x mod 8 of the cell row.
std::uint32_t RowBits(std::uint32_t pattern, int y) {
    std::uint32_t byte = (pattern >> (8 * (y & 3))) & 0xFFu;
    return byte * 0x01010101u;
}

// Clips the span X1..X2 of row Y; false when nothing is left.
bool ClipSpan(int &x1, int &x2, int y) {
    if (x1 > x2) std::swap(x1, x2);
    if (y < gRaster.clipBottom || y > gRaster.clipTop) return false;
    x1 = std::max(x1, gRaster.clipLeft);
    x2 = std::min(x2, gRaster.clipRight);
    return x1 <= x2;
}

void SpanValue(std::uint32_t value, int x1, int x2, int y) {
    switch (gRaster.format) {
    case kRasterMono:
    case kRasterPlanes:
        for (int k = 0; k < gRaster.planes; ++k)
            PutBits(Row(k, y), x1, x2, ((value >> k) & 1u) ? ~0u : 0u);
        break;
    case kRasterRgb: std::fill(Row(0, y) + x1, Row(0, y) + x2 + 1, value); break;
    default:
        for (int x = x1; x <= x2; ++x) Put(x, y, value);
        break;
    }
}

// The Bresenham walk of a line of MAJOR steps along its major axis and MINOR along the other
// (0 <= MINOR <= MAJOR): after step i it has taken floor((2 i MINOR + MAJOR) / (2 MAJOR)) minor
// steps, so any step of it can be reached without walking the ones before. 128-bit products
// keep this exact for any two ints.
struct LineSteps {
    long long major, minor;

    long long MinorSteps(long long i) const {
        if (major == 0) return 0;
        return static_cast<long long>((2 * static_cast<Wide>(i) * minor + major) / (2 * major));
    }
    // The error term of the walk at step I, having taken M minor steps.
    long long Remainder(long long i, long long m) const {
        return static_cast<long long>(static_cast<Wide>(i) * minor - static_cast<Wide>(m) * major);
    }
    // The first step that has taken N minor steps (MAJOR + 1 when none has).
    long long FirstReaching(long long n) const {
        if (n <= 0) return 0;
        if (n > minor) return major + 1;
        const Wide num = (2 * static_cast<Wide>(n) - 1) * major, den = 2 * static_cast<Wide>(minor);
        return static_cast<long long>((num + den - 1) / den);
    }
    // The last step that has taken at most N minor steps (-1 when none has).
    long long LastWithin(long long n) const {
        if (n < 0) return -1;
        if (n >= minor) return major;
        const Wide num = (2 * static_cast<Wide>(n) + 1) * major, den = 2 * static_cast<Wide>(minor);
        return static_cast<long long>((num + den - 1) / den) - 1;
    }
    // The steps FIRST..LAST of the walk from (A, C) (major, minor coordinate), moving by SA and
    // SC (+1 or -1), whose pixels may lie in LO..HI of the major axis and MLO..MHI of the minor
    // one; false when none does. Every step outside that range lies outside the rectangle.
    bool StepsInside(long long a, int sa, long long lo, long long hi, long long c, int sc,
                     long long mlo, long long mhi, long long &first, long long &last) const {
        first = std::max(0LL, sa > 0 ? lo - a : a - hi);
        last = std::min(major, sa > 0 ? hi - a : a - lo);
        const long long nlo = sc > 0 ? mlo - c : c - mhi, nhi = sc > 0 ? mhi - c : c - mlo;
        first = std::max(first, FirstReaching(nlo));
        last = std::min(last, LastWithin(nhi));
        return first <= last;
    }
};

// The dash state (bit index BIT, run counter RUN) after COUNT more pixels along a line of dash
// unit UNIT: each pixel takes the state and then advances the run, and a run past UNIT moves
// on to the next bit.
void AdvanceDash(int &bit, int &run, long long count, int unit) {
    if (count <= 0) return;
    if (run > unit) {
        // A run counted with a longer unit ends at its next pixel.
        run = 1;
        bit = bit == 11 ? 0 : bit + 1;
        --count;
    }
    const long long at = static_cast<long long>(bit) * unit + (run - 1) + count;
    bit = static_cast<int>((at / unit) % 12);
    run = static_cast<int>(at % unit) + 1;
}

}  // namespace

bool quill::SmallerPage::Next(double over, std::int64_t &width, std::int64_t &height) {
    scale_ /= std::sqrt(std::max(over, 1.0) / 0.9);
    width = static_cast<std::int64_t>(static_cast<double>(width_) * scale_);
    height = static_cast<std::int64_t>(static_cast<double>(height_) * scale_);
    return width >= kRasterMinimumSide && height >= kRasterMinimumSide;
}

bool quill::BeginMemoryRaster(int width, int height, int bits, std::uint32_t background,
                              double ppix, double ppiy, int kind,
                              bool (*fits)(int width, int height, int bits)) {
    FreeMemoryRaster();
    if (bits != 1 && bits != 3 && bits != 4 && bits != 8) bits = 24;
    MemoryRaster &r = gRaster;
    r.bits = bits;
    r.format = bits == 1   ? kRasterMono
               : bits <= 4 ? kRasterPlanes
               : bits == 8 ? kRasterBytes
                           : kRasterRgb;
    r.planes = r.format == kRasterPlanes ? bits : 1;
    r.colours = bits >= 24 ? 0 : std::min(1 << bits, 256);
    r.background = background;
    r.pixelsPerInchX = ppix > 0 ? ppix : 150;
    r.pixelsPerInchY = ppiy > 0 ? ppiy : 150;
    r.colourKind = kind;
    std::int64_t w = std::max(width, 1), h = std::max(height, 1);
    const int perWord = r.format == kRasterRgb ? 1 : r.format == kRasterBytes ? 4 : 32;
    bool reported = false;
    SmallerPage smaller(w, h);
    for (;;) {
        const std::int64_t perRow = (w + perWord - 1) / perWord;
        const std::int64_t total = r.planes * perRow * h;
        bool ok = total <= kRasterWordCap &&
                  (fits == nullptr || fits(static_cast<int>(w), static_cast<int>(h), bits));
        if (ok) {
            try {
                r.words.assign(static_cast<std::size_t>(total + 1), background);
            } catch (const std::bad_alloc &) {
                ok = false;
            }
        }
        if (ok) {
            r.width = static_cast<int>(w);
            r.height = static_cast<int>(h);
            r.wordsPerRow = static_cast<int>(perRow);
            r.wordsPerPlane = perRow * h;
            break;
        }
        if (!reported) RaiseError(34);
        reported = true;
        // Smaller by the area that fits, keeping the shape; at least 10 % a round.
        if (!smaller.Next(static_cast<double>(total) /
                              static_cast<double>(std::min<std::int64_t>(total, kRasterWordCap)),
                          w, h)) {
            FreeMemoryRaster();
            return false;
        }
    }
    r.maxX = r.width - 1;
    r.maxY = r.height - 1;
    r.clipLeft = 0, r.clipRight = r.maxX, r.clipBottom = 0, r.clipTop = r.maxY;
    r.dirty = 0;
    r.lastImageRgb = 0xFFFFFFFFu;
    return true;
}

void quill::FreeMemoryRaster() {
    std::vector<std::uint32_t>().swap(gRaster.words);
    gRaster.width = gRaster.height = 0;
    gRaster.maxX = gRaster.maxY = -1;
    gRaster.wordsPerRow = 0;
    gRaster.wordsPerPlane = 0;
    gRaster.clipLeft = 0, gRaster.clipRight = -1, gRaster.clipBottom = 0, gRaster.clipTop = -1;
}

std::uint32_t quill::RasterPixel(int x, int y) {
    if (x < 0 || y < 0 || x > gRaster.maxX || y > gRaster.maxY || gRaster.words.empty()) return 0;
    switch (gRaster.format) {
    case kRasterMono:
    case kRasterPlanes: {
        std::uint32_t v = 0;
        for (int k = 0; k < gRaster.planes; ++k) v |= ((Row(k, y)[x >> 5] >> (x & 31)) & 1u) << k;
        return v;
    }
    case kRasterBytes: return (Row(0, y)[x >> 2] >> (8 * (x & 3))) & 0xFFu;
    default: return Row(0, y)[x];
    }
}

int quill::Raster16ColourCode(int index) { return k16Codes[(index & 255) / 16]; }

void yyvra1_(const int *value, const int *x, const int *y) {
    if (value == nullptr || x == nullptr || y == nullptr || !Inside(*x, *y)) return;
    Put(*x, *y, static_cast<std::uint32_t>(*value));
    gRaster.dirty = 1;
}

void yyvra4_(const int *value, const int *x1, const int *y, const int *x2) {
    if (value == nullptr || x1 == nullptr || y == nullptr || x2 == nullptr) return;
    int a = *x1, b = *x2;
    if (!ClipSpan(a, b, *y)) return;
    SpanValue(static_cast<std::uint32_t>(*value), a, b, *y);
    gRaster.dirty = 1;
}

void yyvra2_(const int *x1, const int *x2, const int *y) {
    if (x1 == nullptr || x2 == nullptr || y == nullptr) return;
    int a = *x1, b = *x2, row = *y;
    if (!ClipSpan(a, b, row)) return;
    const MemoryRaster &r = gRaster;
    // The pixels of even and of odd position take the first and the second colour.
    if (r.format == kRasterMono) {
        std::uint32_t bits = RowBits(r.pattern[0], row);
        if (r.twoColour)
            bits = (bits & 0x55555555u) | (RowBits(r.fillPattern[0], row) & 0xAAAAAAAAu);
        PutBits(Row(0, row), a, b, bits);
    } else if (r.bits == 3) {
        // Position parity of x + y: even bits of the word on even rows, odd bits on odd rows.
        const std::uint32_t even = (row & 1) ? 0xAAAAAAAAu : 0x55555555u;
        for (int k = 0; k < r.planes; ++k) {
            std::uint32_t bits = RowBits(r.pattern[std::min(k, 2)], row);
            if (r.twoColour)
                bits = (bits & even) | (RowBits(r.fillPattern[std::min(k, 2)], row) & ~even);
            PutBits(Row(k, row), a, b, bits);
        }
    } else if (!r.twoColour) {
        SpanValue(r.value, a, b, row);
    } else {
        for (int x = a; x <= b; ++x) Put(x, row, ((x + row) & 1) ? r.previousValue : r.value);
    }
    gRaster.dirty = 1;
}

void yyvra3_(const int *x1, const int *y1, const int *x2, const int *y2, const int *skipfirst) {
    if (x1 == nullptr || y1 == nullptr || x2 == nullptr || y2 == nullptr) return;
    MemoryRaster &r = gRaster;
    const int ax = *x1, ay = *y1, bx = *x2, by = *y2;
    const bool skip = skipfirst != nullptr && *skipfirst != 0;
    const bool solid = (r.dash & 0xFFF) == 0xFFF;
    const int value = static_cast<int>(r.value);
    if (solid && ay == by) {
        for (int k = 0; k <= r.thickY; ++k) {
            const int row = ay - r.halfY + k;
            yyvra4_(&value, &ax, &row, &bx);
        }
        return;
    }
    if (solid && ax == bx) {
        const int lo = std::max(std::min(ay, by), r.clipBottom);
        const int hi = std::min(std::max(ay, by), r.clipTop);
        for (int k = 0; k <= r.thickX; ++k) {
            const int col = ax - r.halfX + k;
            for (int y = lo; y <= hi; ++y) yyvra1_(&value, &col, &y);
        }
        return;
    }
    const long long dx = std::llabs(static_cast<long long>(bx) - ax),
                    dy = std::llabs(static_cast<long long>(by) - ay);
    const bool xmajor = dx >= dy;
    const int thick = xmajor ? r.thickY : r.thickX, half = xmajor ? r.halfY : r.halfX;
    const int unit = xmajor ? r.dashUnitX : r.dashUnitY;
    const int sx = bx >= ax ? 1 : -1, sy = by >= ay ? 1 : -1;
    const LineSteps line{xmajor ? dx : dy, xmajor ? dy : dx};
    const long long steps = line.major;
    const int startBit = r.dashBit, startRun = r.dashRun;
    // The clip rectangle along the major and the minor axis.
    const int majorLo = xmajor ? r.clipLeft : r.clipBottom,
              majorHi = xmajor ? r.clipRight : r.clipTop;
    const int minorLo = xmajor ? r.clipBottom : r.clipLeft,
              minorHi = xmajor ? r.clipTop : r.clipRight;
    for (int k = 0; k <= thick; ++k) {
        const int off = k - half;
        // Only the steps whose pixel lies inside the clip rectangle are walked; the walk
        // starts there in the state the whole line would have reached.
        long long first = 0, last = 0;
        if (!line.StepsInside(xmajor ? ax : ay, xmajor ? sx : sy, majorLo, majorHi,
                              (xmajor ? ay : ax) + off, xmajor ? sy : sx, minorLo, minorHi, first,
                              last))
            continue;
        const long long m = line.MinorSteps(first);
        int x = static_cast<int>(ax + (xmajor ? sx * first : off + sx * m));
        int y = static_cast<int>(ay + (xmajor ? off + sy * m : sy * first));
        long long err = line.Remainder(first, m);
        int bit = startBit, run = startRun;
        AdvanceDash(bit, run, skip && first > 0 ? first - 1 : first, unit);
        for (long long i = first; i <= last; ++i) {
            if (!(skip && i == 0)) {
                if ((r.dash >> bit) & 1) yyvra1_(&value, &x, &y);
                if (++run > unit) {
                    run = 1;
                    bit = bit == 11 ? 0 : bit + 1;
                }
            }
            if (i == last) break;
            // Integer Bresenham: one step along the major axis, a minor step when due.
            if (xmajor) {
                x += sx;
                err += dy;
                if (2 * err >= dx) y += sy, err -= dx;
            } else {
                y += sy;
                err += dx;
                if (2 * err >= dy) x += sx, err -= dy;
            }
        }
    }
    // The dash pattern goes on from where the whole line ends, drawn or not.
    int bit = startBit, run = startRun;
    AdvanceDash(bit, run, skip ? steps : steps + 1, unit);
    r.dashBit = bit, r.dashRun = run;
}

int yyxini_(const int *xa, const int *ya, const int *xb, const int *yb, const int *y) {
    if (xa == nullptr || ya == nullptr || xb == nullptr || yb == nullptr || y == nullptr)
        return 32767;
    const long long x1 = *xa, y1 = *ya, x2 = *xb, y2 = *yb, row = *y;
    if (y2 == y1) return 32767;
    const long long x =
        y2 > y1 ? (row - y1) * (x2 - x1) / (y2 - y1) + x1 : (row - y2) * (x2 - x1) / (y2 - y1) + x2;
    return static_cast<int>(
        std::max<long long>(std::min<long long>(x, 2147483647LL), -2147483647LL));
}

int yyichar_(const char *text, int text_len) {
    if (text == nullptr || text_len < 1) return 0;
    return static_cast<unsigned char>(text[0]);
}

void yydith2_(void) {
    if (gImageDitherBuilt) return;  // the table depends on nothing that changes
    std::uint32_t levels[16][3];
    for (int i = 0; i < 16; ++i)
        for (int k = 0; k < 3; ++k)
            levels[i][k] = quill::DitherPattern(i == 0 ? 0.0 : (i * 16 + 15) / 255.0, k + 1);
    for (int b = 0; b < 16; ++b)
        for (int g = 0; g < 16; ++g)
            for (int red = 0; red < 16; ++red) {
                std::uint32_t *cell = gImageDither[b * 256 + g * 16 + red];
                cell[0] = levels[red][0];
                cell[1] = levels[g][1];
                cell[2] = levels[b][2];
            }
    gImageDitherBuilt = true;
}

const std::uint32_t *quill::ImageDitherPatterns(int cell) {
    yydith2_();
    return gImageDither[cell & 4095];
}

std::uint32_t quill::RasterImageValue(int x, int y, std::uint32_t rgb) {
    std::uint32_t &lastRgb = gRaster.lastImageRgb, &lastIndex = gRaster.lastImageIndex;
    int r = rgb & 255, g = (rgb >> 8) & 255, b = (rgb >> 16) & 255;
    const int rule = HardcopyOptionSlot(6);
    switch (gRaster.bits) {
    case 1:
    case 3: {
        const std::uint32_t *cell = ImageDitherPatterns((b / 16) * 256 + (g / 16) * 16 + r / 16);
        const int bit = (y & 3) * 8 + (x & 7);
        int v = static_cast<int>(((cell[0] >> bit) & 1) | (((cell[1] >> bit) & 1) << 1) |
                                 (((cell[2] >> bit) & 1) << 2));
        if (gRaster.bits == 3) {
            if (rule != 0 && (v == 0 || v == 7)) v = 7 - v;
            if (gRaster.colourKind == 2) v = 7 - v;
            return static_cast<std::uint32_t>(v);
        }
        if (rule != 0 && (v == 0 || v == 7)) {
            v = 7 - v;
            r = 255 - r, g = 255 - g, b = 255 - b;
        }
        if (r > 191 || g > 191 || b > 191) v += 8;
        return (kMonoTable[v] >> bit) & 1u;
    }
    case 4:
    case 8: {
        rgb &= 0xFFFFFFu;
        if (rgb != lastRgb) {
            int index = 0;
            const int value = static_cast<int>(rgb);
            yyrgbto8_(&value, &index);
            lastRgb = rgb;
            lastIndex = static_cast<std::uint32_t>(index);
        }
        return gRaster.bits == 8
                   ? lastIndex
                   : static_cast<std::uint32_t>(Raster16ColourCode(static_cast<int>(lastIndex)));
    }
    default: return rgb & 0xFFFFFFu;
    }
}

void yyvra5_(const int *x, const int *y, const int *rgb) {
    if (x == nullptr || y == nullptr || rgb == nullptr || !Inside(*x, *y)) return;
    Put(*x, *y, quill::RasterImageValue(*x, *y, static_cast<std::uint32_t>(*rgb)));
    gRaster.dirty = 1;
}
