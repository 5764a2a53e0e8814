// Image codecs: one decoder and one encoder per file format (BMP, PCX, PNG), working on whole
// files in memory and on one picture form, ImagePixels. The public image readers, the image
// file driver and the screen-area saver all go through them, so that each format is parsed
// and written in one place only. Portable: no window system.
#ifndef QUILL_HARDCOPY_IMAGE_CODEC_H
#define QUILL_HARDCOPY_IMAGE_CODEC_H

#include "quillamorph/convention.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quill {

// Results of the readers and writers, the library's error numbers: 0 success, 1 the file
// cannot be opened, 2 a read came short or the file is truncated, 27 a format, variant or
// header the readers refuse (also sizes over kImageByteCap or kImagePixelCap), 1044 zlib failed or
// the data inflated to the wrong length.
enum ImageStatus {
    kImageOk = 0,
    kImageOpen = 1,
    kImageShort = 2,
    kImageInvalid = 27,
    kImageZlib = 1044
};

// No decoded picture, compressed stream or file read into memory may exceed this many bytes:
// headers asking for more are refused (27) before anything is allocated.
const std::uint64_t kImageByteCap = std::uint64_t(1) << 28;

// No picture read from a file may have more pixels than this, whatever its depth: the drivers
// that draw an image file hold or send each pixel as a 32-bit RGB value, which then fills at
// most kImageByteCap bytes. The decoders refuse a larger picture (27) by its header, before
// anything is allocated.
const std::uint64_t kImagePixelCap = kImageByteCap / 4;
inline bool PixelsWithinCap(std::uint64_t width, std::uint64_t height) {
    return width <= kImagePixelCap && height <= kImagePixelCap && width * height <= kImagePixelCap;
}

// A picture in memory. BITS is 1, 4, 8 (palette indexes) or 24 (blue, green, red bytes).
// Rows run from the top of the picture down, each Stride() bytes, padded with zeros to a
// multiple of 4 as a device-independent bitmap's rows are; 1- and 4-bit rows hold the
// leftmost pixel in the high bits. PALETTE holds RGB values (red in the low byte); a pixel
// whose index lies beyond it is black.
struct ImagePixels {
    int width = 0;
    int height = 0;
    int bits = 0;
    std::vector<std::uint32_t> palette;
    std::vector<unsigned char> rows;

    static std::size_t StrideOf(int width, int bits);
    std::size_t Stride() const { return StrideOf(width, bits); }
    // Sizes the rows for WIDTH x HEIGHT at BITS, all zero; false when over kImageByteCap.
    bool Allocate(int width, int height, int bits);
    unsigned char *Row(int y) { return rows.data() + static_cast<std::size_t>(y) * Stride(); }
    const unsigned char *Row(int y) const {
        return rows.data() + static_cast<std::size_t>(y) * Stride();
    }
    // The palette index (BITS up to 8) of pixel X in row Y; for 24 bits 0.
    int Index(int x, int y) const;
    void SetIndex(int x, int y, int index);
    // The RGB value of the pixel (red in the low byte).
    std::uint32_t Rgb(int x, int y) const;
};

// RGB value of red, green and blue bytes, and its parts.
inline std::uint32_t RgbOf(int r, int g, int b) {
    return static_cast<std::uint32_t>(r & 255) | (static_cast<std::uint32_t>(g & 255) << 8) |
           (static_cast<std::uint32_t>(b & 255) << 16);
}
inline int RedOf(std::uint32_t rgb) { return static_cast<int>(rgb & 255); }
inline int GreenOf(std::uint32_t rgb) { return static_cast<int>((rgb >> 8) & 255); }
inline int BlueOf(std::uint32_t rgb) { return static_cast<int>((rgb >> 16) & 255); }

// Appends little-endian 16- and 32-bit words.
void PutLe16(std::vector<unsigned char> &out, unsigned value);
void PutLe32(std::vector<unsigned char> &out, std::uint32_t value);
// The little-endian 16- and 32-bit words at P.
unsigned GetLe16(const unsigned char *p);
std::uint32_t GetLe32(const unsigned char *p);

// The whole file PATH into DATA, at most kImageByteCap bytes. Returns 0, 1 (cannot be opened,
// OSERROR the system's code), 2 (a read failed) or 27 (larger than the cap).
int ReadImageFile(const std::string &path, std::vector<unsigned char> &data, int *oserror);
// The first MAX bytes of the file or fewer; false when it cannot be opened or read.
bool ReadFileStart(const std::string &path, std::vector<unsigned char> &data, std::size_t max);
// Writes DATA as the whole file PATH. Returns 0, 1 (cannot be created) or 2 (a write failed).
int WriteImageFile(const std::string &path, const std::vector<unsigned char> &data, int *oserror);

// Decoders of whole files. Each checks every header field it uses against the file's length
// before using it, and never reads or writes outside DATA or OUT. ZSTATUS receives zlib's
// status when the result is 1044.
int DecodeBmp(const unsigned char *data, std::size_t size, ImagePixels &out);
int DecodePcx(const unsigned char *data, std::size_t size, ImagePixels &out);
int DecodePng(const unsigned char *data, std::size_t size, ImagePixels &out, int *zstatus);

// A BMP file as a device-independent bitmap block for the window system: the information
// header as a 40-byte header, the colour table and the bits as stored (run-length encoded
// bits stay encoded). Returns 0, 2 (truncated) or 27 (not a BMP, core header, bad fields).
int ReadDibBlock(const unsigned char *data, std::size_t size, std::vector<unsigned char> &dib);

// Encoders. Each appends one complete file image to OUT and returns 0, or 27 for a picture it
// cannot write (a depth it does not take, no rows), or 1044 (ZSTATUS zlib's status) when the
// PNG data does not compress; on failure OUT is left as it was.
int EncodePng(const ImagePixels &image, std::vector<unsigned char> &out, int *zstatus);
// RLE: 4- and 8-bit pictures run-length encoded (others are written plain).
int EncodeBmp(const ImagePixels &image, bool rle, std::vector<unsigned char> &out);
// How a PCX holds its pixels. Planar: 1 and 4 bits as one and four 1-bit planes (the first
// plane bit 0 of the index), 8 bits one byte plane with the 256-entry palette behind the rows,
// 24 bits red, green and blue planes. BytePlanes: one byte per pixel, one plane with the
// palette behind for 8 bits or fewer, three colour planes for 24 bits.
enum class PcxLayout { Planar, BytePlanes };
int EncodePcx(const ImagePixels &image, PcxLayout layout, std::vector<unsigned char> &out);
// Whether a PCX of LAYOUT holds a WIDTH x HEIGHT picture of BITS: its header's words are
// signed for many readers, so that it counts at most 32768 pixels each way and 32767 bytes in
// a plane row (32766 pixels at 8 and 24 bits). EncodePcx refuses (27) what it does not hold.
bool PcxHolds(int width, int height, int bits, PcxLayout layout);
// One PCX plane row of N bytes appended to OUT as runs of at most 63 equal bytes.
void EncodePcxRow(const unsigned char *row, std::size_t n, std::vector<unsigned char> &out);

// Device-independent bitmaps in memory: a 40-byte header, the colour table (yypalettesize),
// the rows from the bottom up. DibToPixels takes uncompressed bitmaps of 1 to 32 bits (16 bits
// as 5-5-5, 32 bits as blue, green, red and a byte skipped); EncodeDibAsBmp appends a BMP file
// of the bitmap as it stands; PixelsToDib builds the bitmap of a picture.
int DibToPixels(const unsigned char *dib, std::size_t size, ImagePixels &out);
int EncodeDibAsBmp(const unsigned char *dib, std::size_t size, std::vector<unsigned char> &out);
std::vector<unsigned char> PixelsToDib(const ImagePixels &image);

// The type code of a file by its first bytes (the image types 1 BMP, 2 PCX, 15 PNG and the
// other kinds the library writes or knows), -1 when none matches.
int DetectFileType(const unsigned char *data, std::size_t size);

}  // namespace quill

QUILL_BEGIN_DECLS

// Bytes of the colour table behind a bitmap header: for a 40-byte header 4 x colours used, or
// when that is 0, 8, 64 or 1024 for 1, 4 and 8 bits and 0 for more; for a 12-byte core
// header 3 bytes an entry (6, 48, 768).
int yypalettesize(const unsigned char *header);

// Byte-order helpers of the image formats.
// A 2-byte (N 2) or 4-byte (N 4) little-endian integer at BYTES; other N give 0.
void yych2int_(const unsigned char *bytes, const int *n, int *value);
// A 4-byte big-endian integer at BYTES.
void yypngc2i_(const unsigned char *bytes, int *value);
int yypngc2i(const unsigned char *bytes);
// 1 when the 4 bytes at BYTES are the chunk type TYPE, else 0.
int yypngcmp(const unsigned char *bytes, const char *type);
// COUNT 32-bit VALUES as 4 x COUNT big-endian bytes at BYTES.
void yypngwrd_(const int *values, unsigned char *bytes, const int *count);
// One VALUE as 4 big-endian bytes at BYTES.
void yypngword(std::uint32_t value, unsigned char *bytes);
// CRC-32 of the first LENGTH of the COUNT bytes at BYTES (never past COUNT).
void yypngcrc_(const int *length, std::uint32_t *crc, const unsigned char *bytes, const int *count);
std::uint32_t yypngcrc2(const unsigned char *bytes, std::size_t length);
// Undoes the PNG row filters in place over ROWCOUNT rows of ROWLENGTH bytes each, the filter
// byte first, with BPP bytes per pixel. STATUS 0, or 27 at a filter byte above 4 (the rows
// before it are done).
void yypngfilter_(unsigned char *rows, const int *rowlength, const int *rowcount, const int *bpp,
                  int *status);
int yypngfilter2(unsigned char *rows, std::size_t rowlength, std::size_t rowcount, int bpp);

QUILL_END_DECLS

namespace quill {

// One PCX run out of DATA from POS: VALUE and COUNT; false when the data ends first.
bool yyencget(const unsigned char *data, std::size_t size, std::size_t &pos, int *value,
              int *count);
// One PCX run (VALUE repeated COUNT times, COUNT 1 to 63) appended to OUT.
void yyencput(int value, int count, std::vector<unsigned char> &out);

}  // namespace quill

#endif
