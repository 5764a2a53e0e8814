// What the hardcopy file drivers share: the output slot, the line writers, the colour rule,
// the point scaling and the hardcopy state words they read and set.
//
// A driver is a DriverRoutine (graphics/driver_protocol.h) that the device table calls with
// each operation while its device is selected. It takes its points from the real operands
// (x of point k in rd(k), y in rd(k + 4)), its attributes from the graphics state, and writes
// its file through the plot output layer on slot kPlotSlot.
#ifndef QUILL_HARDCOPY_DRIVER_SUPPORT_H
#define QUILL_HARDCOPY_DRIVER_SUPPORT_H

#include "graphics/driver_protocol.h"
#include "graphics/graphics_state.h"
#include "graphics/figure_fill.h"
#include "hardcopy/hardcopy_options.h"
#include "hardcopy/hardcopy_state.h"
#include "hardcopy/image_codec.h"
#include "hardcopy/plot_fields.h"
#include "hardcopy/plot_output.h"

#include <string>

constexpr double kPi = 3.14159265358979323846;

// The output slot of every vector file driver.
constexpr int kPlotSlot = 2;

// Hardcopy option words that the Parts name without a number. Each lives in a word that no
// numbered meaning uses; the drivers set their defaults at op 1.
enum HardcopyOptionWord : int {
    kOptPageWidth = 1,         // page width in points
    kOptPageHeight = 2,        // page height in points
    kOptOffsetX = 3,           // x offset in points
    kOptOffsetY = 4,           // y offset in points
    kOptLandscape = 5,         // landscape switch
    kOptColourRule = 6,        // 0 none, 1 invert, 2 swap near-black and near-white
    kOptMonochrome = 7,        // 1: everything but colour 0 in black
    kOptCopies = 8,            // number of copies
    kOptLineWidth = 9,         // line width in tenths of a point
    kOptLineJoin = 10,         // 0 mitre, 1 round, 2 bevel
    kOptLineCap = 11,          // 0 butt, 1 round, 2 square
    kOptLinePrefix = 15,       // 1: a blank before every line
    kOptMaxPath = 16,          // segments of one PostScript path (10 to 255)
    kOptCtrlD = 18,            // 1: a Ctrl-D ends the PostScript job
    kOptLabelTerminator = 21,  // HPGL label terminator code (1 to 127)
    kOptEps = 22,              // 1: encapsulated PostScript
    kOptColours = 23,          // DXF colour option 3, 4 or 8
    kOptTags = 25,             // 1: HPGL tag lines
    kOptEscape = 27,           // 1: HPGL escape sequences around the plot
    kOptOutline = 28,          // 1: HPGL outline points with software fill
    kOptFontNames = 29,        // CGM font naming 0, 1 or 2
    kOptPenWidth = 101,        // pen width for hardware fill, 1/7200 inch
    kOptHatch = 102,           // hatch spacing, hundredths of the page height
    kOptHardwareFill = 103,    // 1: the plotter fills what it can itself
};

// Option word N (1 to 29, 101 to 108).
int yyhcopt(int n);

// Sets the page words of op 1 (page size, offsets, landscape) unless id(1) asks to keep the
// saved options; the driver defaults of yydefh_ come first.
void yyhcpagedefaults(int width, int height, int xoffset, int yoffset, int landscape);

// The device words of op 1: colour count, print-command flag, default file name, page size
// from the option words and the device description.
void yyhcdevice(int device, int colours, const char *capabilities, int printCommand,
                const char *defaultName);

// Writes TEXT as one line with the optional leading blank of the line-prefix option.
void yyhcline(const std::string &text);

// TEXT with leading and trailing blanks dropped and every run of blanks made one blank.
std::string yycompactblanks(const std::string &text);

// The colour rule: mode 1 inverts every component, mode 2 only a near-black or near-white
// colour (all components below LOW or all above HIGH). Components 0 to 255.
void yycolourrule(int mode, int &r, int &g, int &b);

QUILL_BEGIN_DECLS
// The colour rule of hardcopy option 6 on red, green and blue (0-255, in and out), for the
// Windows printer (yywin1_) and the Windows metafile (yywmf1_) output alike.
void yywin1_(int *r, int *g, int *b);
void yywmf1_(int *r, int *g, int *b);
QUILL_END_DECLS

// Red, green and blue of an RGB value.
void yyrgbsplit(int rgb, int &r, int &g, int &b);

// The current colour's red, green and blue after the colour rule of option 6.
void yyhccolour(int &r, int &g, int &b);

// The text operand of op 22: ixd(1) characters of ctext, limited to 0..260.
std::string yyhctext();

// The current hardcopy title without trailing blanks ("" without a title).
std::string yyhctitle();

// The image file of op 38 (named by the text operand) read at its own size. On failure
// id(1) and id(2) take the error number and the file error status (zlib's for 1044), nothing
// is reported and the result is false; on success both are 0.
bool yyhcimage(quill::ImagePixels &image);

// The page size of the option words in points; 756 by 540 where a word is not above 0.
double yyhcpagewidth();
double yyhcpageheight();

// The drawable size the drivers scale from (at least 1 each way).
double yyhcdrawablewidth();
double yyhcdrawableheight();

// Opens the output file of op 18 on the plot slot; on failure (error 1 raised) clears the
// hardcopy-open flag, so that nothing more reaches the driver, and returns false.
bool yyhcopenfile();

// The point count of a polyline or polygon operation: id(2) limited to 0..kPolygonPoints.
int yyhcpolygoncount();

// The head every vector file driver starts with: answers the probe of op 1 with DEVICE, takes
// op 18 with id(1) <= 0 (a new drawable size, not an open) as a call of RESCALE alone, and
// refuses ops 2 to 40 once the output failed. True when the driver acts on OP itself (op 1
// defaults, op 18 open, the drawing operations).
bool yyhcdriverhead(int op, int device, void (*rescale)());

// The steps per half turn of an arc of RADIUS (device units): 25 + 75 x radius / the larger
// side of the drawable, limited to 25..100 (100 without a drawable).
int yyhcsteps(double radius);

#endif
