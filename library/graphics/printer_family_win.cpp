// The printer family: drawing on the pages of a printer document. Logical units are printer
// pixels from the page's top-left corner (the window origin is the page origin); a page is
// started only when something is drawn after the previous one ended.
#include <algorithm>
#include <string>

#include "base/fixedtext.h"
#include "graphics/draw_families.h"
#include "graphics/draw_family.h"
#include "graphics/drawing_target.h"
#include "graphics/printer_dc.h"
#include "graphics/printer_info.h"

namespace {

struct PrinterFamily {
    quill::DrawFamily draw;
    bool open = false;             // a document is open
    bool pageActive = false;       // StartPage was called and EndPage not yet
    int extentX = 0, extentY = 0;  // the page in printer pixels
    PrinterFamily() { draw.printer = true; }
};

PrinterFamily gPr;

quill::DrawFamily &F() { return gPr.draw; }

// Before drawing: false without a document; a page ended before is followed by a new one.
bool Draw() {
    if (!gPr.open || F().dc == nullptr) return false;
    if (F().pageEnded || !gPr.pageActive) yywprstartpage();
    return gPr.pageActive;
}

}  // namespace

namespace quill {

bool PrinterExtent(int *width, int *height) {
    if (!gPr.open) return false;
    *width = gPr.extentX;
    *height = gPr.extentY;
    return true;
}

void *PrinterDrawingContext(int *originx, int *originy) {
    *originx = *originy = 0;
    if (!Draw()) return nullptr;
    *originx = F().origin.x;
    *originy = F().origin.y;
    return F().dc;
}

}  // namespace quill

void yywpropen_(const int *width, const int *height, const int *left, const int *top, int *dpix,
                int *dpiy, int *numcolours, int *status, const int *landscape, const int *copies,
                const char *docname, int docname_len) {
    *status = 0;
    if (!gPr.open) {
        const std::string name =
            docname != nullptr
                ? quill::TrimmedText(docname, static_cast<std::size_t>(std::max(docname_len, 0)))
                : "";
        HDC dc = quill::StartPrinterDocument(landscape, copies, name.c_str());
        if (dc == nullptr) {
            *status = 1;
            return;
        }
        gPr = PrinterFamily{};
        gPr.open = true;
        quill::FamilyStart(F(), dc, GetDeviceCaps(dc, LOGPIXELSX));
        F().geometricPens = true;
    }
    HDC dc = F().dc;
    *numcolours = GetDeviceCaps(dc, NUMCOLORS);
    *dpix = GetDeviceCaps(dc, LOGPIXELSX);
    *dpiy = GetDeviceCaps(dc, LOGPIXELSY);
    F().dpi = *dpix;
    quill::FamilyLineStyles(F());
    const int offx = GetDeviceCaps(dc, PHYSICALOFFSETX), offy = GetDeviceCaps(dc, PHYSICALOFFSETY);
    F().origin = {offx - quill::PointsToPixels(*left, *dpix),
                  offy - quill::PointsToPixels(*top, *dpiy)};
    gPr.extentX = quill::PointsToPixels(*width, *dpix);
    gPr.extentY = quill::PointsToPixels(*height, *dpiy);
    yywprstartpage();
    SetBkMode(dc, TRANSPARENT);
    F().oldColour = -1;
    F().oldLineType = F().oldLineWidth = -1;
}

void yywprclose_() {
    if (!gPr.open) return;
    HDC dc = F().dc;
    quill::FamilyRelease(F());
    if (gPr.pageActive) EndPage(dc);
    EndDoc(dc);
    DeleteDC(dc);
    gPr = PrinterFamily{};
}

void yywprstartpage() {
    if (!gPr.open) return;
    HDC dc = F().dc;
    if (!gPr.pageActive) {
        if (StartPage(dc) <= 0) return;
        gPr.pageActive = true;
    }
    SetWindowOrgEx(dc, F().origin.x, F().origin.y, nullptr);
    SetWindowExtEx(dc, gPr.extentX, gPr.extentY, nullptr);
    // A new page may come with the context's defaults: the family's objects are selected again.
    if (F().font != nullptr) SelectObject(dc, F().font);
    if (F().pen != nullptr) SelectObject(dc, F().pen);
    if (F().region != nullptr) SelectClipRgn(dc, F().region);
    SetBkMode(dc, TRANSPARENT);
    F().pageEnded = false;
}

void yywprdump_() {
    if (!gPr.open) return;
    if (gPr.pageActive) EndPage(F().dc);
    gPr.pageActive = false;
    F().pageEnded = true;
}

void yywprline_(const int *x1, const int *y1, const int *x2, const int *y2) {
    if (Draw()) quill::FamilyLine(F(), *x1, *y1, *x2, *y2);
}

void yywprcolour_(const int *r, const int *g, const int *b) {
    quill::FamilyColour(F(), *r, *g, *b);
}

void yywprellipse_(const int *cx, const int *cy, const int *rx, const int *ry, const int *fill) {
    if (Draw()) quill::FamilyEllipse(F(), *cx, *cy, *rx, *ry, *fill);
}

void yywprrectangle_(const int *x1, const int *y1, const int *x2, const int *y2) {
    if (Draw()) quill::FamilyRectangle(F(), *x1, *y1, *x2, *y2);
}

void yywprarc_(const int *cx, const int *cy, const int *rx, const int *ry, const int *sx,
               const int *sy, const int *ex, const int *ey) {
    if (Draw()) quill::FamilyArc(F(), *cx, *cy, *rx, *ry, *sx, *sy, *ex, *ey);
}

void yywproutlinearc_(const int *cx, const int *cy, const int *rx, const int *ry, const int *sx,
                      const int *sy, const int *ex, const int *ey, const int *flag) {
    if (Draw()) quill::FamilyOutlineArc(F(), *cx, *cy, *rx, *ry, *sx, *sy, *ex, *ey, *flag);
}

void yywprpolpoint_(const int *x, const int *y, const int *index) { yywinpolpoint_(x, y, index); }

void yywprpolygon_(const int *count, const int *fill) {
    if (Draw()) quill::FamilyPolygon(F(), *count, *fill);
}

void yywprpolyline_(const int *count) {
    if (Draw()) quill::FamilyPolyline(F(), *count);
}

void yywprpoint_(const int *x, const int *y) {
    if (Draw()) quill::FamilyPoint(F(), *x, *y);
}

void yywprpointrgb_(const int *x, const int *y, const int *rgb) {
    if (Draw()) quill::FamilyPointRgb(F(), *x, *y, *rgb);
}

void yywprclip_(const int *x1, const int *y1, const int *x2, const int *y2) {
    if (gPr.open) quill::FamilyClip(F(), *x1, *y1, *x2, *y2);
}

void yywprlinetype_(const int *type) { quill::FamilyLineType(F(), *type); }

void yywprlinewidth_(const int *width) { quill::FamilyLineWidth(F(), *width); }

void yywprtextsize_(int *width, int *height, int *ascent, const int *escapement, const int *font,
                    const int *attributes, const char *face, int face_len) {
    *ascent = 0;
    if (!gPr.open) return;
    quill::FamilyTextSize(F(), width, height, ascent, *escapement, *font, *attributes, face,
                          face_len, true);
}

void yywprdrawstring_(const int *x1, const int *y1, const int *x2, const int *y2,
                      const int *justification, const int *opaque, const char *text,
                      const int *length, int text_len) {
    if (!Draw()) return;
    const int n = std::clamp(*length, 0, std::max(text_len, 0));
    quill::FamilyDrawString(F(), *x1, *y1, *x2, *y2, *justification, *opaque, text, n);
}

void yywprtextlength_(int *length, const char *text, const int *count, int text_len) {
    const int n = std::clamp(*count, 0, std::max(text_len, 0));
    *length = gPr.open ? quill::FamilyTextLength(F(), text, n) : 0;
}

void yywprgradfill_(const int *x, const int *y, const int *c, const int *triangles,
                    const int *count_v, const int *count_t, int *status) {
    *status = Draw() && quill::FamilyGradFill(F(), x, y, c, triangles, *count_v, *count_t) ? 0 : 1;
}

void yywprcreatepen() {
    if (gPr.open) quill::FamilyCreatePen(F());
}

void yywprlinestyles() { quill::FamilyLineStyles(F()); }
