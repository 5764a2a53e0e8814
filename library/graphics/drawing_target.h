// The drawing target of the graphics layer: the device context that drawing goes to, the
// objects selected into it and the drawing state of the screen primitives. One record holds
// it all; only graphics changes it, through the select and release routines below and the
// primitives. The window layer reaches the target through the hooks of core/drawing_hooks.h,
// which graphics installs at initialisation; other layers read it through the accessors.
#ifndef QUILL_GRAPHICS_DRAWING_TARGET_H
#define QUILL_GRAPHICS_DRAWING_TARGET_H

#include <windows.h>

#include "graphics/draw_family.h"
#include "graphics/driver_protocol.h"
#include "quillamorph/convention.h"

namespace quill {

// The screen family: a drawing family (pen, font, colours, line type and width, dash tables,
// clip region) on the current device context, with what the screen adds. Unlike the other
// families the screen keeps its clip region unselected and selects it for each shape, and
// makes its pen afresh whenever it is asked to.
struct DrawingTarget : DrawFamily {
    // Dashed lines are geometric pens with the scaled dash tables.
    DrawingTarget() { geometricPens = true; }
    HWND field = nullptr;           // dialog field (or dialog) whose context dc is, else null
    HPALETTE paletteOld = nullptr;  // palette the library's replaced in a field's context
    HBITMAP stipple = nullptr;      // 8 x 8 pattern bitmap for pattern fills
    int stippleChanged = 0;         // 1: the pattern bitmap must be repainted
    int plotMode = 0;               // 0 copy, 1 or, 2 and, 3 exclusive or
    HPALETTE palette = nullptr;     // the library's logical palette, null on true colour
    HBRUSH brush = nullptr;         // pattern brush of the pattern bitmap, null until made
    HDC metafile = nullptr;         // set while dc records an enhanced metafile
    int metafileDpi = 600;          // resolution of the metafile reference device
    POINT points[kPolygonPoints] = {};
};

// The record, for the graphics layer's own routines (and tests that redirect drawing).
DrawingTarget &Target();

// Read-only views for the layers above: the drawing device context, the dialog field it
// belongs to, the clip region, the plot mode and the library's palette.
HDC TargetDC();
HWND TargetField();
HRGN TargetClip();
int TargetPlotMode();
HPALETTE TargetPalette();

// Makes DC the drawing device context and prepares it (see PrepareDrawingDC); FIELD is the dialog
// field (or dialog) whose device context it is, null for a window, bitmap or metafile.
void SelectTarget(HDC dc, HWND field = nullptr);

// Makes DC, which records an enhanced metafile of reference resolution DPI, the target.
void SelectMetafileTarget(HDC dc, int dpi);

// Ends drawing into the current device context and makes FALLBACK the drawing context, not
// recording a metafile. With GIVEBACK the context gets back the font and pen it held before
// (and a field's context its palette); a field's context is released.
void ReleaseTarget(HDC fallback, bool giveBack);

// The clip region selected into DC (the drawing device context unless given) for the life of
// the scope and removed afterwards; nothing while no clip region is set.
class ClipScope {
public:
    explicit ClipScope(HDC dc = TargetDC()) : dc_(TargetClip() != nullptr ? dc : nullptr) {
        if (dc_ != nullptr) SelectClipRgn(dc_, TargetClip());
    }
    ~ClipScope() {
        if (dc_ != nullptr) SelectClipRgn(dc_, nullptr);
    }
    ClipScope(const ClipScope &) = delete;
    ClipScope &operator=(const ClipScope &) = delete;

private:
    HDC dc_;
};

// The library's logical palette for a palette screen: the N entries of the 16- or 32-colour
// table, then the 18 text colours (entry N + n for text colour n). Nothing on other screens.
void MakeLibraryPalette(int colours);

// Text colour INDEX (0 to 17) is now RGB: its entry of the library's palette takes it and the
// palette is realised again in the window's device context. Nothing without a palette.
void SetTextPaletteColour(int index, COLORREF rgb);

// Realises the library's palette in the device context of WINDOW (or in DC when given), so
// that its colours show as meant; nothing on screens that need no palette.
void RealizeLibraryPalette(HWND window, HDC dc = nullptr);

// Deletes the graphics objects the library made (pattern bitmap, font, pen, palette) and
// forgets the drawing device context. The fonts and pens a target held before must have been
// selected back into it first.
void DeleteGraphicsObjects();

// The raster operation of a plot mode for lines and shapes, and for copies of pixel blocks.
int PlotModeLineRop(int plotmode);
DWORD PlotModeBlitRop(int plotmode);

// Prepares DC as the drawing device context: pattern bitmap, plot mode, transparent text,
// pen, brush, dash tables and palette.
void PrepareDrawingDC(HDC dc);

}  // namespace quill

QUILL_BEGIN_DECLS

// The screen driver.
void yygapi_(const int *op);

// Window primitives: thin entries over the screen family, acting on the drawing device
// context with y downwards.
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
