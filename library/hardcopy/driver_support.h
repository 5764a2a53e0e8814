// What the hardcopy file drivers share: the dispatch of the operations, the output slot, the
// line writers, the colour rule, the point scaling and the hardcopy state words they read and
// set.
//
// A driver is a DriverRoutine (graphics/driver_protocol.h) that the device table calls with
// each operation while its device is selected. It takes its points from the real operands
// (x of point k in rd(k), y in rd(k + 4)), its attributes from the graphics state, and writes
// its file through the plot output layer on slot kPlotSlot. A vector file driver hands its
// routines to quill::RunFileDriver, which frames every operation alike.
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
#include <vector>

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

namespace quill {

// Option word N (1 to 29, 101 to 108).
int HardcopyOption(int n);

// Sets the page words of op 1 (page size, offsets, landscape) unless id(1) asks to keep the
// saved options; the driver defaults of yydefh_ come first.
void SetHardcopyPageDefaults(int width, int height, int xoffset, int yoffset, int landscape);

// The device words of op 1: colour count, print-command flag, default file name, page size
// from the option words and the device description.
void SetHardcopyDeviceWords(int device, int colours, const char *capabilities, int printCommand,
                            const char *defaultName);

// Writes TEXT as one line with the optional leading blank of the line-prefix option.
void WriteHardcopyLine(const std::string &text);

// TEXT with leading and trailing blanks dropped and every run of blanks made one blank.
std::string CompactBlanks(const std::string &text);

// The colour rule: mode 1 inverts every component, mode 2 only a near-black or near-white
// colour (all components below LOW or all above HIGH). Components 0 to 255.
void ApplyColourRule(int mode, int &r, int &g, int &b);

}  // namespace quill

QUILL_BEGIN_DECLS
// The colour rule of hardcopy option 6 on red, green and blue (0-255, in and out), for the
// Windows printer (yywin1_) and the Windows metafile (yywmf1_) output alike.
void yywin1_(int *r, int *g, int *b);
void yywmf1_(int *r, int *g, int *b);
QUILL_END_DECLS

namespace quill {

// Red, green and blue of an RGB value.
void SplitRgb(int rgb, int &r, int &g, int &b);

// The current colour's red, green and blue after the colour rule of option 6.
void HardcopyColour(int &r, int &g, int &b);

// The text operand of op 22: ixd(1) characters of ctext, limited to 0..260.
std::string HardcopyText();

// The current hardcopy title without trailing blanks ("" without a title).
std::string HardcopyTitle();

// The image file of op 38 (named by the text operand) read at its own size. On failure
// id(1) and id(2) take the error number and the file error status (zlib's for 1044), nothing
// is reported and the result is false; on success both are 0.
bool ReadHardcopyImage(quill::ImagePixels &image);

// The page size of the option words in points; 756 by 540 where a word is not above 0.
double HardcopyPageWidth();
double HardcopyPageHeight();

// The drawable size the drivers scale from (at least 1 each way).
double HardcopyDrawableWidth();
double HardcopyDrawableHeight();

// Opens the output file of op 18 on the plot slot; on failure (error 1 raised) clears the
// hardcopy-open flag, so that nothing more reaches the driver, and returns false.
bool OpenHardcopyFile();

// The point count of a polyline or polygon operation: id(2) limited to 0..kPolygonPoints.
int HardcopyPolygonCount();

// The steps per half turn of an arc of RADIUS (device units): 25 + 75 x radius / the larger
// side of the drawable, limited to 25..100 (100 without a drawable).
int HardcopyArcSteps(double radius);

// Answers the probe of op 1 (id(2) = kOpInitProbe) by writing DEVICE into id(2); true when OP
// was the probe, which a driver then leaves at that.
bool AnswerProbe(int op, int device);

// What a vector file driver passes to RunFileDriver: its device number and its routines for
// the operations that every file driver takes in the same way.
struct FileDriver {
    int device;              // written into id(2) on the probe of op 1
    void (*rescale)();       // op 18 with id(1) <= 0: the drawable has a new size
    void (*initialise)();    // op 1: option defaults and the device description
    void (*open)();          // op 18 with id(1) > 0: opens the file (OpenHardcopyFile) and writes
                             // its head
    void (*close)();         // op 19: writes the tail and closes the file (not called after
                             // a failed write)
    void (*filled)(int op);  // the pattern-filled figures (IsPatternFigure)
    void (*other)(int op);   // every other operation from 2 to 40
};

// Sends OP to the routine of DRIVER that takes it: answers the probe of op 1, takes op 18
// with id(1) <= 0 as a new drawable size alone, and refuses ops 2 to 40 once the output
// failed, except that op 19 then closes the file without writing its ending. Codes outside 1
// to 40 do nothing.
void RunFileDriver(const FileDriver &driver, int op);

// The segment of op 2 (point 1 to point 2) or op 26 (a point: point 1 to itself) in device
// units.
struct SegmentEnds {
    double x1, y1, x2, y2;
};
SegmentEnds OpSegment(int op);

// The outline of the sector of the operands (centre rd(1), rd(5); radii |rd(2)|, |rd(6)|;
// from angle rd(3) to rd(7) in radians, a full turn when they are not finite or more than two
// turns apart) in device units: HardcopyArcSteps steps per half turn, starting with the centre when
// CENTRE is set.
void SectorPoints(bool centre, std::vector<double> &x, std::vector<double> &y);

// The outline of the pattern-filled figure OP in device units: the four points of a
// quadrilateral, the corners of the rectangle of points 1 and 2 (point 1, (x2, y1), point 2,
// (x1, y2)), the three points of a triangle, the centre and the arc of a sector, the vertices
// of the polygon buffer; nothing for an ellipse or another code.
void FigurePoints(int op, std::vector<double> &x, std::vector<double> &y);

}  // namespace quill

#endif
