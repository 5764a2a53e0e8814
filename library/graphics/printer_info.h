// The arithmetic of printing that needs no window system: page information in points, the
// size of a bitmap's colour table, a screen dump's size on the page, and the saved
// floating-point control state around calls into the printing system.
#ifndef QUILL_GRAPHICS_PRINTER_INFO_H
#define QUILL_GRAPHICS_PRINTER_INFO_H

#include "quillamorph/convention.h"

namespace quill {

// Page information in points of a printer whose physical page is WIDTHPX by HEIGHTPX pixels at
// DPIX by DPIY pixels per inch: the longer and the shorter side, the printable sizes with one
// inch of margin on every side, and the offsets of that margin.
struct PrinterPage {
    int pageLong, pageShort, printLong, printShort, offsetLong, offsetShort;
};
PrinterPage PrinterPageInPoints(int widthpx, int heightpx, int dpix, int dpiy);

// POINTS (1/72 inch) in pixels at DPI pixels per inch, integer arithmetic.
inline int PointsToPixels(int points, int dpi) { return points * dpi / 72; }

// Where the screen driver's op 20 prints the drawable: the dump target (0 none chosen, 2 the
// PostScript dump file, 10 the Windows printer), the dump's size and its position from the
// paper's edge in points, landscape (not 0) and the number of copies.
struct ScreenDumpPage {
    int target;
    int width, height, x, y;
    int landscape, copies;
};

// The hardcopy layer keeps the choice and installs the routine that tells it; until then no
// dump target is chosen.
using ScreenDumpChoice = void (*)(ScreenDumpPage *page);
void SetScreenDumpChoice(ScreenDumpChoice choice);
ScreenDumpPage ChosenScreenDump();

}  // namespace quill

// The size in bytes of the colour table behind the device-independent bitmap header at HEADER:
// 3 bytes an entry behind the old 12-byte header, else 4; the used-colour count, or 2, 16 or
// 256 entries for 1, 4 or 8 bits per pixel, none for more.
int yywprpalsize(const void *header);

QUILL_BEGIN_DECLS
// Keep the floating-point control state (the x87 control word and the SSE control and status
// register) and put it back: printer drivers may change rounding or exception masks. There is
// one saved state, so calls do not nest.
void yysavefp_();
void yyrestfp_();
QUILL_END_DECLS

// The x87 control word, read and loaded.
unsigned short yygetcw_();
void yysetcw_(unsigned short cw);

#endif
