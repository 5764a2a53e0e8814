// A drawing family: a device context of its own with the drawing state that the primitives
// keep for it (colours, pen, font, dash tables, clip region). There are three: the screen
// (the drawing target, drawing_target.h), the metafile family and the printer family, so
// that the screen, a metafile and a printer page can be drawn on at the same time. The pen,
// dash, line type, font and text rules are written once, here, for all three. Coordinates arrive in
// the family's logical units with y downwards, colours already passed through the colour rule.
// Win32 only.
#ifndef QUILL_GRAPHICS_DRAW_FAMILY_H
#define QUILL_GRAPHICS_DRAW_FAMILY_H

#include <windows.h>

namespace quill {

struct DrawFamily {
    HDC dc = nullptr;
    bool printer = false;        // printer family: lazy pages, squares for points, page origin
    bool geometricPens = false;  // dashed pens are geometric pens (printer; enhanced metafiles)
    int styleFlag = 0;           // geometric pens with the system's own dash styles
    COLORREF colour = 0, prevColour = RGB(255, 255, 255);
    HPEN pen = nullptr, penOld = nullptr;
    int penStyle = PS_SOLID, lineType = 0, lineWidth = 1;
    long long oldColour = -1;  // the last pen made: colour, line type, width (-1: none yet)
    int oldLineType = -1, oldLineWidth = -1;
    HFONT font = nullptr, fontOld = nullptr;
    DWORD dot[3] = {}, longDash[3] = {}, dotDash[5] = {}, dotDotDash[7] = {}, dashDash[5] = {},
          shortDash[3] = {};
    int dpi = 600;  // family resolution, for the dash tables
    HRGN region = nullptr;
    POINT origin = {0, 0};   // printer: the page origin (window origin of the page)
    bool pageEnded = false;  // printer: the page was ended, the next drawing starts one
};

// Makes the library font of the given size (height in logical units, width 0 for the face's
// own), escapement in degrees, font number (0 FACE, 1 Courier New, 2 Arial, 3 Times New
// Roman, 4 Symbol) and attribute bits (1 bold, 2 italic, 4 underline); null on failure.
HFONT MakeLibraryFont(int width, int height, int escapement, int font, int attributes,
                      const char *face, int face_len);

// Scales the dash templates (pixels at screen resolution) to DPI and lengthens every gap by
// WIDTH - 1 for widths of 2 or more, into the six tables (count first, then the lengths).
void ScaleDashTables(int dpi, int width, DWORD *dot, DWORD *longDash, DWORD *dotDash,
                     DWORD *dotDotDash, DWORD *dashDash, DWORD *shortDash);

// The pen style of line type TYPE (0 solid, 1 dot, 2 and 6 dash, 3 and 5 dash-dot, 4
// dash-dot-dot); STYLE unchanged for other values.
int LineTypePenStyle(int type, int style);

// The primitives, acting on F.dc (see the twins' descriptions in draw_families.h).
void FamilyLine(DrawFamily &f, int x1, int y1, int x2, int y2);
void FamilyColour(DrawFamily &f, int r, int g, int b);
void FamilyEllipse(DrawFamily &f, int cx, int cy, int rx, int ry, int fill);
void FamilyRectangle(DrawFamily &f, int x1, int y1, int x2, int y2);
void FamilyArc(DrawFamily &f, int cx, int cy, int rx, int ry, int sx, int sy, int ex, int ey);
void FamilyOutlineArc(DrawFamily &f, int cx, int cy, int rx, int ry, int sx, int sy, int ex, int ey,
                      int flag);
void FamilyPolygon(DrawFamily &f, int count, int fill);
void FamilyPolyline(DrawFamily &f, int count);
void FamilyPoint(DrawFamily &f, int x, int y);
void FamilyPointRgb(DrawFamily &f, int x, int y, int rgb);
void FamilyClip(DrawFamily &f, int x1, int y1, int x2, int y2);
void FamilyLineType(DrawFamily &f, int type);
void FamilyLineWidth(DrawFamily &f, int width);
void FamilyCreatePen(DrawFamily &f);
void FamilyLineStyles(DrawFamily &f);
// Makes and selects the font; HEIGHT and ASCENT get the metrics, WIDTH the extent of the 52
// letters, when MEASURE is set.
void FamilyTextSize(DrawFamily &f, int *width, int *height, int *ascent, int escapement, int font,
                    int attributes, const char *face, int face_len, bool measure);
void FamilyDrawString(DrawFamily &f, int x1, int y1, int x2, int y2, int justification, int opaque,
                      const char *text, int length);
int FamilyTextLength(DrawFamily &f, const char *text, int count);
// The system's triangle gradient on the family's context; false when it cannot.
bool FamilyGradFill(DrawFamily &f, const int *x, const int *y, const int *c, const int *triangles,
                    int nv, int nt);
// Selects back what the context held and deletes the family's pen, font and clip region.
void FamilyRelease(DrawFamily &f);
// The drawing state of a new document or metafile on DC at DPI.
void FamilyStart(DrawFamily &f, HDC dc, int dpi);

}  // namespace quill

#endif
