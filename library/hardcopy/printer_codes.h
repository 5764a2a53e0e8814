// Printer codes of the raster printer file driver: the command strings of a page, the walk
// over the raster that writes it in the printer's language (PCL raster graphics, ESC/P2
// raster graphics, ESC/P and IBM dot-matrix bit images) and the row compressions.
//
// The page is seen in printer order: COLUMNS pixels across the paper, ROWS rows from the top
// of the paper down. A pixel tester answers for one printer pixel whether it prints; the
// raster printer driver picks the tester that reads its raster in that order (turned by a
// quarter for landscape pages).
//
// Free of any window system.
#ifndef QUILL_HARDCOPY_PRINTER_CODES_H
#define QUILL_HARDCOPY_PRINTER_CODES_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Hardcopy option words the raster printer reads beside the page words.
enum PrinterOptionWord : int {
    kOptResolution = 13,   // resolution choice, 1 = the printer's best
    kOptResetFlags = 19,   // 2: reset before the page, 1: reset after it
    kOptExtraMode = 20,    // extra mode of the small PCL printers
    kOptCompression = 24,  // 0 none, 1 run-length, 2 PackBits
};

// Printer language classes (the printer type's first descriptor letter).
constexpr int kClassDotMatrixLast = 5;  // 1-5: ESC/P and IBM dot-matrix bit images
constexpr int kClassEscP2 = 6;          // ESC/P2 raster graphics
constexpr int kClassPclFirst = 7;       // 7 and above: PCL raster graphics

// The planes of the raster as the printer codes read it: 32-bit words, bit (x mod 32) of
// word (x / 32) of a row, row 0 at the bottom of the drawing, one whole raster per plane.
struct PrinterRaster {
    const std::uint32_t *words = nullptr;
    int width = 0, height = 0;  // pixels
    int wordsPerRow = 0;
    std::size_t wordsPerPlane = 0;
    int planes = 1;            // 1 or 3
    bool landscape = false;    // the drawing is read turned by a quarter
    int resolutionChoice = 0;  // the choice the raster was made for; 0: option 13
};

// The raster the testers read.
extern PrinterRaster gPrinterRaster;

// A pixel tester: whether printer pixel (COLUMN, ROW) prints in PLANE (0-2; -1 the black pass
// of a colour printer). Pixels outside the page never print.
using PixelTester = bool (*)(const int &column, const int &row, int plane);

// The nine testers. Portrait reads raster row (height - 1 - ROW) at column COLUMN; landscape
// reads raster column (width - 1 - ROW) of raster row (height - 1 - COLUMN), the drawing turned
// a quarter counter-clockwise on the paper.
//   whole raster (plane 0 only):  yyras5_ portrait, yyras1_ landscape (dot matrix)
//                                 yyras6_ portrait, yyras7_ landscape (ESC/P2)
//   plane by plane:               yyras4_ portrait, yyras2_ landscape (PCL, any planes)
//   colour with a black pass:     yyras3_ either orientation (dot matrix)
//                                 yyras8_ portrait, yyras9_ landscape (ESC/P2)
// In a colour pass a pixel prints when its bit of that plane is set and not all three are;
// in the black pass when all three are set.
bool yyras1_(const int &column, const int &row, int plane);
bool yyras2_(const int &column, const int &row, int plane);
bool yyras3_(const int &column, const int &row, int plane);
bool yyras4_(const int &column, const int &row, int plane);
bool yyras5_(const int &column, const int &row, int plane);
bool yyras6_(const int &column, const int &row, int plane);
bool yyras7_(const int &column, const int &row, int plane);
bool yyras8_(const int &column, const int &row, int plane);
bool yyras9_(const int &column, const int &row, int plane);

namespace quill {

// The tester of a printer class, bits per pixel (1 or 3) and orientation.
PixelTester RasterPixelTester(int printerClass, int bitsPerPixel, bool landscape);

}  // namespace quill

// The commands of one page, built by yypcod_ from the printer profile, the option words and
// the raster's planes, read by yydump_.
struct PrinterPageCodes {
    int printerClass = 7;       // 1-10 (11 and 12 already folded into 7 and 8)
    int columns = 0, rows = 0;  // printer pixels across and down
    int planes = 1;             // planes of the raster
    int colourKind = 0;         // 1 RGB, 2 CMY, 0 none
    int resolution = 300;       // dots per inch across
    int compression = 0;        // PCL: 0, 1 or 2
    int pins = 1, passes = 1;   // dot matrix: pins of a band, passes of a band
    int lineFeedUnits = 0;      // dot matrix: line-feed units of a band
    int leftUnits = 0;          // ESC/P2: left offset in dots
    int leftBytes = 0;          // dot matrix: zero bytes before each pass line
    std::string header, trailer;
    std::string bitImage;  // dot matrix: the bit-image command, count bytes open
};

extern PrinterPageCodes gPageCodes;

// Builds the commands of a page of COLUMNS x ROWS printer pixels into gPageCodes.
void yypcod_(int columns, int rows);

// Writes the page: header, every row or band through TESTER, trailer, on the plot output
// slot. A write failure ends the walk; the trailer is written only after a clean walk.
void yydump_(PixelTester tester);

// Sets the column count of a dot-matrix line of BYTES data bytes into gPageCodes.bitImage.
void yybitimg_(int bytes);

// PCL row compression of the N bytes at ROW by METHOD (1 run-length pairs, 2 PackBits) into
// OUT (replaced); returns the compressed count.
int yycmpr_(const unsigned char *row, int n, int method, std::vector<unsigned char> &out);

// ESC/P2 row: PackBits of the N bytes at ROW into OUT when that is shorter (returns 1), else
// the row as it is (returns 0).
int yycmprp2_(const unsigned char *row, int n, std::vector<unsigned char> &out);

#endif
