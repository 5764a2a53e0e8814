// The drawing target of the graphics layer: the device context that drawing goes to and the
// objects selected into it. The window layer switches the target between a window's client
// area and a dialog field that the program draws in.
#ifndef QUILL_GRAPHICS_DRAWING_TARGET_H
#define QUILL_GRAPHICS_DRAWING_TARGET_H

#include <windows.h>

#include "quillamorph/convention.h"

extern HDC gDC;                // device context of the current drawable
extern HWND hGraphicsField;    // dialog field (or dialog) that owns gDC, null for a window
extern HBITMAP gBitmap;        // 8 x 8 pattern bitmap for pattern fills
extern int gStippleChanged;    // 1: the pattern bitmap must be repainted
extern int gPlotmode;          // 0 copy, 1 or, 2 and, 3 exclusive or
extern HFONT gFont, gFontOld;  // current font and the font it replaced in gDC
extern HPEN gPen, gPenOld;     // current pen and the pen it replaced in gDC
extern HPALETTE gPal256;       // the library's logical palette, null on true-colour screens
extern COLORREF gColour;       // colour of drawing: RGB, palette-index colour or nearest colour
extern COLORREF gPrevColour;   // the colour before: second colour of patterns, text background
extern int gPenStyle;          // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot
extern int gLineType;          // the line type 0-6 last set
extern int gLineWidth;         // pen width in pixels
extern HRGN gRegion;           // clip region, null for none
extern HBRUSH gBrush;          // pattern brush of the current pattern bitmap, null until made
extern HDC hGraphicsMetafile;  // set while the drawable is an enhanced metafile being recorded
extern int wMetafileDPI;       // resolution of the metafile reference device
extern POINT gPoints[5000];    // points collected for polygons and polylines

// Dash templates scaled for the current device and line width; the first entry of each is
// its length.
extern DWORD gDot[3], gLongDash[3], gDotDash[5], gDotDotDash[7], gDashDash[5], gShortDash[3];

namespace quill {

// The clip region selected into DC (the drawing device context unless given) for the life of
// the scope and removed afterwards; nothing while no clip region is set.
class ClipScope {
public:
    explicit ClipScope(HDC dc = gDC) : dc_(gRegion != nullptr ? dc : nullptr) {
        if (dc_ != nullptr) SelectClipRgn(dc_, gRegion);
    }
    ~ClipScope() {
        if (dc_ != nullptr) SelectClipRgn(dc_, nullptr);
    }
    ClipScope(const ClipScope &) = delete;
    ClipScope &operator=(const ClipScope &) = delete;

private:
    HDC dc_;
};

}  // namespace quill

// The library's logical palette for a palette screen: the N entries of the 16- or 32-colour
// table. Nothing on other screens.
void yymakepalette(int colours);

// Realises the library's palette in the device context of WINDOW (or in DC when given), so
// that its colours show as meant; nothing on screens that need no palette.
void yyrealizepalette(HWND window, HDC dc = nullptr);

// Deletes the graphics objects the library made (pattern bitmap, font, pen, palette) and
// forgets the drawing device context. The fonts and pens a target held before must have been
// selected back into it first.
void yydeletegraphicsobjects();

// The raster operation of a plot mode for lines and shapes, and for copies of pixel blocks.
int yyplotmoderop(int plotmode);
DWORD yyplotmodeblit(int plotmode);

// Prepares DC as the drawing device context: pattern bitmap, plot mode, transparent text,
// pen, brush, dash tables and palette.
void yypreparedc(HDC dc);

QUILL_BEGIN_DECLS

// The screen driver.
void yygapi_(const int *op);

// Window primitives: act on gDC, y downwards.
void yywinline_(const int *x1, const int *y1, const int *x2, const int *y2);
void yywincolour_(const int *device, const int *rgb);
void yywinellipse_(const int *cx, const int *cy, const int *rx, const int *ry, const int *op,
                   const int *fill);
void yywinrectangle_(const int *x1, const int *top, const int *x2, const int *bottom,
                     const int *fill);
void yywinarc_(const int *cx, const int *cy, const int *rx, const int *ry, const int *sx,
               const int *sy, const int *ex, const int *ey, const int *fill);
void yywinoutlinearc_(const int *cx, const int *cy, const int *rx, const int *ry, const int *sx,
                      const int *sy, const int *ex, const int *ey, const int *fill);
void yywinpolpoint_(const int *x, const int *y, const int *index);
void yywinpolygon_(const int *count, const int *fill);
void yywinpolyline_(const int *count);
void yywinclear_(const int *width, const int *height, const int *rgb);
void yywintextsize_(int *width, int *height, int *ascent, const int *escapement, const int *font,
                    const int *attributes, const char *face, int face_len);
void yywindrawstring_(const int *x1, const int *y1, const int *x2, const int *y2,
                      const int *justification, const int *opaque, const char *text,
                      const int *length, int text_len);
void yywinblit_(const int *sx, const int *sy, const int *dx, const int *dy, const int *w,
                const int *h, const int *fill, const int *rgb);
void yywinclip_(const int *x1, const int *y1, const int *x2, const int *y2);
void yywintextlength_(int *length, const char *text, const int *count, int text_len);
void yywinpoint_(const int *x, const int *y);
void yywinplotmode_(const int *mode);
void yywinpalette_(const int *entry, const int *rgb, const int *mode);
void yywinpalette256(const int *entry, const int *rgb, const int *mode);
void yywinlinetype_(const int *type);
void yywinlinewidth_(const int *width);
void yywingetpixelrgb_(const int *x, const int *y, int *r, int *g, int *b);
void yywinstipple();
void yywincreatepen();
void yywinlinestyles();

// Ends drawing into the current target: gives back what its device context held and
// releases it.
void yygrselectnone_();

QUILL_END_DECLS

#endif
