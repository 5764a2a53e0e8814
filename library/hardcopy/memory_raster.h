// The memory raster: the pixels of one page of the pixel-based hardcopy drivers (the raster
// printer and the image file driver), held as 32-bit words, and the drawing engine yyvras_
// that both forward every operation to that they do not handle themselves.
//
// How an owning driver uses it:
//   op 1:  yyvras_(op 1), then its own defaults;
//   op 18: BeginMemoryRaster(...) sizes and allocates the raster (false: nothing can be drawn, the
//          hardcopy is closed), then yyvras_(op 18), which opens the plot file for a positive
//          id(1) and sets the scale, dither tables and drawing state;
//   op 20: reads the pixels (gRaster.words, or RasterPixel) when gRaster.dirty is set, writes
//          them out, clears gRaster.dirty and sends yyvras_(op 17) to clear the page;
//   op 19: yyvras_(op 19) closes the plot file and frees the raster.
//
// Layout: pixel (x, y), y = 0 the bottom row, is stored by format: 1 bit: bit (x mod 32) of
// word x / 32 of row y; 3 and 4 bits: one such 1-bit plane per value bit, plane k holding bit
// k, planes one after another; 8 bits: byte (x mod 4) of word x / 4; 24 bits: one word per
// pixel holding the RGB value (red in the low byte; the top byte is not part of the pixel).
// Row y of plane k starts at word k x wordsPerPlane + y x wordsPerRow.
//
// Free of any window system.
#ifndef QUILL_HARDCOPY_MEMORY_RASTER_H
#define QUILL_HARDCOPY_MEMORY_RASTER_H

#include "quillamorph/convention.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Pixel formats by bits per pixel.
enum RasterFormat { kRasterMono = 1, kRasterPlanes = 2, kRasterBytes = 3, kRasterRgb = 4 };

// No raster may hold more words than this (128 MB): a larger page is made smaller.
constexpr std::int64_t kRasterWordCap = std::int64_t(1) << 25;

struct MemoryRaster {
    // Geometry, set by BeginMemoryRaster.
    int width = 0, height = 0;  // pixels
    int maxX = -1, maxY = -1;   // width - 1, height - 1
    int bits = 0;               // 1, 3, 4, 8 or 24
    int format = 0;             // RasterFormat
    int colours = 0;            // 2^bits up to 256, 0 for 24 bits
    int planes = 1;             // 1, or 3 / 4 for format 2
    int wordsPerRow = 0;
    std::int64_t wordsPerPlane = 0;    // height x wordsPerRow
    std::vector<std::uint32_t> words;  // planes x wordsPerPlane words
    std::uint32_t background = 0;      // the word op 17 fills with
    double pixelsPerInchX = 150, pixelsPerInchY = 150;
    int colourKind = 0;             // 2: a printer whose colour components are inverted
    double scaleX = 1, scaleY = 1;  // raster pixels per device unit

    // Drawing state.
    std::uint32_t value = 0, previousValue = 0;  // current pixel value
    std::uint32_t pattern[3] = {0, 0, 0};        // dither patterns of the current colour
    std::uint32_t fillPattern[3] = {0, 0, 0};    // of the previous colour (two-colour fill)
    bool twoColour = false;                      // fills alternate the two colours
    int clipLeft = 0, clipRight = -1, clipBottom = 0, clipTop = -1;  // pixels, inclusive
    int dash = 0xFFF;                                                // 12-bit dash pattern
    int dashBit = 0, dashRun = 1;      // bit index 0..11 and run counter
    int dashUnitX = 1, dashUnitY = 1;  // pixels per dash bit along x and along y
    int thickX = 0, thickY = 0;        // line thickness - 1
    int halfX = 0, halfY = 0;          // half thickness
    int lastX = -9999, lastY = -9999;  // last end point drawn
    bool spanFill = false;             // a figure arrives as horizontal spans
    int dirty = 0;                     // set by every drawing operation
    std::uint32_t lastImageRgb = 0xFFFFFFFFu, lastImageIndex = 0;  // the last palette lookup
};

// The one memory raster of the process.
extern MemoryRaster gRaster;

namespace quill {

// Sizes and allocates the raster for WIDTH x HEIGHT pixels at BITS (1, 3, 4, 8 or 24), every
// word BACKGROUND, with the resolution PPIX x PPIY (pixels per inch) and the printer colour kind
// KIND. A page too large for memory or over kRasterWordCap, or one that FITS (when given)
// refuses, raises error 34 once and is made smaller (SmallerPage) until it fits; below 8 x 8
// pixels nothing is allocated and the result is false.
bool BeginMemoryRaster(int width, int height, int bits, std::uint32_t background, double ppix,
                       double ppiy, int kind,
                       bool (*fits)(int width, int height, int bits) = nullptr);

// A page made smaller round by round, keeping its shape: each round divides its area by OVER /
// 0.9 (OVER, at least 1, tells how many times too large it was), both sides by the same
// factor from the first size, truncated.
class SmallerPage {
public:
    SmallerPage(std::int64_t width, std::int64_t height) : width_(width), height_(height) {}
    // The size of the next round in WIDTH and HEIGHT; false when a side falls below 8 pixels,
    // the least worth drawing.
    bool Next(double over, std::int64_t &width, std::int64_t &height);

private:
    std::int64_t width_, height_;
    double scale_ = 1;
};

// Frees the raster's words.
void FreeMemoryRaster();

// The rest of an owning driver's op 18 once it has allocated the raster: yyvras_ op 18, then
// the raster freed when the hardcopy could not be opened, or the page cleared for a new
// output (positive id(1)). False when the hardcopy is not open.
bool OpenMemoryRaster(const int *op);

// The value of pixel (X, Y) in the raster's format; 0 outside the raster.
std::uint32_t RasterPixel(int x, int y);

// The pixel value of an RGB image pixel at (X, Y) (dithered for 1 and 3 bits), as yyvra5_
// sets it.
std::uint32_t RasterImageValue(int x, int y, std::uint32_t rgb);

// The 16-colour code of palette colour number INDEX (0 to 255), as 4-bit pixels hold it.
int Raster16ColourCode(int index);

}  // namespace quill

QUILL_BEGIN_DECLS

// The drawing engine: acts on driver operation *OP with the shared operands and state.
void yyvras_(const int *op);

// Pixel routines; x and y in raster pixels, every write clipped to the clip rectangle.
void yyvra1_(const int *value, const int *x, const int *y);
void yyvra2_(const int *x1, const int *x2, const int *y);
void yyvra3_(const int *x1, const int *y1, const int *x2, const int *y2, const int *skipfirst);
void yyvra4_(const int *value, const int *x1, const int *y, const int *x2);
void yyvra5_(const int *x, const int *y, const int *rgb);

// The x of the line through (XA, YA) and (XB, YB) at row Y by integer arithmetic; 32767 for
// a horizontal line.
int yyxini_(const int *xa, const int *ya, const int *xb, const int *yb, const int *y);

// The code 0 to 255 of the first character of TEXT (0 for an empty text).
int yyichar_(const char *text, int text_len);

// Builds the image dither table: three patterns for each of 4096 colour cells.
void yydith2_(void);

QUILL_END_DECLS

namespace quill {

// The image dither table's three patterns (red, green, blue) of cell (B/16) x 256 + (G/16) x
// 16 + R/16.
const std::uint32_t *ImageDitherPatterns(int cell);

}  // namespace quill

#endif
