// The driver protocol: every piece of graphics output, whatever its target, is one operation
// code (1-40) sent to a driver after its operands have been stored in gOperands.
//
// How a driver uses it: a driver is a routine of type DriverRoutine. It acts on *op only during
// the call, reading the operands it needs from gOperands and the attributes from gGraphics
// (graphics_state.h); results (ops 25 and 31, the probe of op 1) are written back into
// gOperands. Codes outside 1-40 and codes the driver does not handle are ignored. Op 1 fills
// gDevice (and, on the hardcopy side, the hardcopy state words).
//
// Points: ixd[k-1], iyd[k-1] hold point k (1-4) in whole device units, y upwards. The hardcopy
// file drivers read the same points as reals: x of point k in rd[k-1], y in rd[k+3]. The
// helpers quill::SetPoint and quill::SetPolygon fill both forms. Sector operations (13, 14, 34)
// and text (22) use rd for radii, angles and reference points as listed at each code.
//
// The two sides: the drawing side (yygdrv_) sends an op to the recording driver while a
// recorded picture is the target, else to the screen driver; the hardcopy side, which the
// hardcopy layer installs (quill::SetHardcopySide), sends it to the selected hardcopy device
// while a hardcopy is open.
//
// Free of any window system.
#ifndef QUILL_GRAPHICS_DRIVER_PROTOCOL_H
#define QUILL_GRAPHICS_DRIVER_PROTOCOL_H

#include <cstddef>

#include "quillamorph/convention.h"

// Operation codes. Pairs 5/6 to 15/16: the odd code fills with the pattern and draws no
// outline (fill kind 3), the even code fills solid in the current colour with an outline
// (fill kind 4); fill kind = 4 - op % 2.
enum DriverOp : int {
    kOpInit = 1,     // initialise, describe the device; id(2) = -999 probes
    kOpLine = 2,     // points 1 -> 2
    kOpColour = 3,   // current colour changed (already in gGraphics)
    kOpEllipse = 4,  // outline: centre point 1, x radius ixd(2), y radius iyd(2)
    kOpEllipsePattern = 5,
    kOpEllipseSolid = 6,
    kOpQuadPattern = 7,  // points 1-4
    kOpQuadSolid = 8,
    kOpRectanglePattern = 9,  // corners point 1 and point 2
    kOpRectangleSolid = 10,
    kOpTrianglePattern = 11,  // points 1-3
    kOpTriangleSolid = 12,
    kOpSectorPattern = 13,   // centre point 1; rd(2) x radius, rd(3) start (rad), rd(4) start
    kOpSectorSolid = 14,     // (deg), rd(6) y radius, rd(7) end (rad), rd(8) sweep (deg)
    kOpPolygonPattern = 15,  // id(2) vertices of xpoly/ypoly
    kOpPolygonSolid = 16,
    kOpClear = 17,      // clear to the background (palette entry 0)
    kOpBegin = 18,      // begin output; id(1) = -1 after a change of drawable size
    kOpEnd = 19,        // end output
    kOpPage = 20,       // end of page; ctext document name
    kOpFont = 21,       // character size or font changed
    kOpText = 22,       // ixd(1) characters of ctext from (rd(1), rd(5)) to (rd(3), rd(7))
    kOpBlockCopy = 23,  // source point 1-point 2, destination lower-left point 3, id(1)
    kOpClip = 24,       // clip rectangle changed
    kOpMeasure = 25,    // id(1) characters of ctext: length in rd(1), id(2) = 1
    kOpPoint = 26,      // point 1
    kOpPlotMode = 27,
    kOpPaletteEntry = 28,  // entry id(1) = RGB ixd(1); ixd(4) non-zero while more follow
    kOpLineType = 29,
    kOpLineWidth = 30,
    kOpReadPixel = 31,       // point 1: RGB back in ixd(1), -1 where there are no pixels
    kOpPolyline = 32,        // id(2) vertices of xpoly/ypoly
    kOpDirection = 33,       // character direction changed
    kOpArc = 34,             // sector outline, operands as 13
    kOpRefreshColours = 35,  // re-send palette, current and previous colour
    kOpLineJoin = 36,
    kOpLineCap = 37,
    kOpImage = 38,         // image file ctext at lower-left point 1, options id(1), id(2)
    kOpBeginPicture = 39,  // begin a recorded picture (recording driver)
    kOpGradient = 40,      // gradient fill of the gradient vertices
};
constexpr int kOpFirst = 1, kOpLast = 40;

// The pattern-filled figures: the odd codes 5 to 15.
constexpr bool IsPatternFigure(int op) {
    return op >= kOpEllipsePattern && op <= kOpPolygonPattern && op % 2 == 1;
}

// id(2) of op 1 asking a hardcopy driver only for its device number; id(1) of op 1 asking a
// hardcopy driver to keep its saved options.
constexpr int kOpInitProbe = -999;
constexpr int kOpInitKeepOptions = -998;
// id(1) of a filled-figure operation that ends a figure just sent as hatch lines
// (graphics/figure_fill.h); the driver draws nothing more of it.
constexpr int kFigureEnd = -1;

constexpr int kOperandTextLength = 260;
constexpr int kPolygonPoints = 5000;

namespace quill {
// The most steps a half turn of an arc takes where a driver draws it as a polygon, however
// large its radius: every driver's arcs, sectors and ellipses stay within a few hundred points.
constexpr int kMaxArcSteps = 100;

// The steps a half turn of an arc of RADIUS (device units) takes on a drawable SIZE units
// across: 25 + 75 x |RADIUS| / SIZE, limited to 25..kMaxArcSteps; kMaxArcSteps without a
// drawable, 25 for a radius that is not a number.
int ArcStepsPerHalfTurn(double radius, double size);
}  // namespace quill

// The operands. The arrays are 0-based in C++; the names ixd(k), rd(k), id(k), xpoly(k) used
// in comments and by the drivers count from 1, so ixd(k) is ixd[k - 1]. The 1-based accessors
// below say so in code.
struct DriverOperands {
    int ixd[4];                      // x of points 1-4, whole device units
    int iyd[4];                      // y of points 1-4, y upwards from the bottom
    float rd[8];                     // real operands
    int id[3];                       // integer operands
    char ctext[kOperandTextLength];  // text operand, blank-padded
    float xpoly[kPolygonPoints];     // polygon buffer, device units
    float ypoly[kPolygonPoints];

    int &Ixd(int k) { return ixd[k - 1]; }
    int &Iyd(int k) { return iyd[k - 1]; }
    float &Rd(int k) { return rd[k - 1]; }
    int &Id(int k) { return id[k - 1]; }
    float &Xpoly(int k) { return xpoly[k - 1]; }
    float &Ypoly(int k) { return ypoly[k - 1]; }
};

// The one set of operands of the process.
extern DriverOperands gOperands;

// The device description that op 1 fills; valid until the next op 1.
constexpr int kCapabilityFlags = 29;
struct DeviceDescription {
    char capabilities[kCapabilityFlags];  // each '0' or '1'
    int word1;                            // 360
    int word2;                            // screen: 2 on the NT family, else 1
    int trueColour;                       // 1 when the device has more than 256 colours
    int gradientMethod;  // 2 with the system's gradient routine, 1 the library's own filler
    int word3;           // 8
    float word4;         // 1.7E38
};
extern DeviceDescription gDevice;

// A driver routine: acts on the operation *op.
using DriverRoutine = void (*)(const int *op);

// The sides an operation goes to.
enum DriverSides { kSideBoth = 0, kSideDrawing = 1, kSideHardcopy = 2 };

QUILL_BEGIN_DECLS

// The drawing-side switch: the recording driver while gGraphics.recording is set, else the
// screen driver.
void yygdrv_(const int *op);

QUILL_END_DECLS

namespace quill {

// The screen and the recording driver are installed by the layers that own them (the screen
// driver needs the window system, which this layer does not know). Until one is installed,
// operations for it are dropped. Null uninstalls.
void SetScreenDriver(DriverRoutine driver);
void SetRecordingDriver(DriverRoutine driver);

// The hardcopy side, installed by the hardcopy layer: DRIVER takes the operations sent to the
// hardcopy side, RESET ends any hardcopy and starts its device afresh at graphics
// initialisation (KEEPOPTIONS keeps the options the program set). Until it is installed,
// hardcopy operations are dropped and graphics initialisation resets no hardcopy.
struct HardcopySide {
    DriverRoutine driver;
    void (*reset)(bool keepOptions);
};
void SetHardcopySide(const HardcopySide &side);
const HardcopySide &InstalledHardcopySide();

// Sends OP to SIDES: kSideDrawing to yygdrv_, kSideHardcopy to the hardcopy side, kSideBoth to the
// drawing side and then to the hardcopy side. The operands must have been stored first.
void SendOp(int op, DriverSides sides = kSideBoth);

// Stores point K (1-4) as integers (ixd, iyd, truncated towards zero) and as reals (rd(k),
// rd(k + 4)).
void SetPoint(int k, float x, float y);

// Stores COUNT vertices in the polygon buffer and the count in id(2); at most 5000 are kept
// (the count stored says how many), a count below 0 stores 0.
void SetPolygon(const float *x, const float *y, int count);

// Stores TEXT (LENGTH characters, cut at 260) blank-padded in ctext and its length in ixd(1)
// and id(1), as ops 22 and 25 read it.
void SetText(const char *text, std::size_t length);

// Fills gDevice with the given capability flags (29 characters) and description words.
void DescribeDevice(const char *flags, int word2, int trueColour, int gradientMethod);

}  // namespace quill

#endif
