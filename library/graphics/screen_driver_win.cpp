// The screen driver: carries out the driver operations on the current drawable through the
// window primitives, with device y flipped downwards.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "base/errors.h"
#include "base/fixedtext.h"
#include "core/display.h"
#include "core/startup.h"
#include "graphics/driver_protocol.h"
#include "graphics/drawing_target.h"
#include "graphics/graphics_state.h"
#include "graphics/metafile_slots.h"
#include "graphics/palette.h"
#include "graphics/printer_dc.h"
#include "graphics/printer_info.h"
#include "graphics/screen_driver.h"

namespace {

// The last font made: op 18 forgets it, so that the next op 21 makes a new one.
struct FontCache {
    int width, height, escapement, font, attributes;
    char face[kFaceNameLength];
};
FontCache gCache = {-1, -1, -1, -1, -1, {}};
int gTextHeight = 0, gTextAscent = 0, gTextWidth = 0;
int gPendingPaletteMode = 0;

int Flip(int y) { return gGraphics.lastY - y; }
int FillKind(int op) { return 4 - op % 2; }

void ResetFontCache() {
    gCache = {-1, -1, -1, -1, -1, {}};
    std::memset(gCache.face, ' ', sizeof gCache.face);
}

// The RGB value of the current or previous colour in the current colour model.
int ModelRgb(const GraphicsColour &c) {
    if (gGraphics.colourModel == kColourPalette && c.index >= 0 && c.index < kPaletteEntries) {
        return gPalette.palette[c.index];
    }
    return c.rgb;
}

void SendColour(const GraphicsColour &c) {
    const int rgb = ModelRgb(c);
    yywincolour_(&c.device, &rgb);
}

// Points 1 to COUNT of the operands, flipped, into the polygon points of the drawing target.
void CollectPoints(int count) {
    for (int k = 1; k <= count; ++k) {
        const int x = gOperands.Ixd(k), y = Flip(gOperands.Iyd(k)), i = k - 1;
        yywinpolpoint_(&x, &y, &i);
    }
}

// The polygon buffer's first id(2) vertices (at most 5000), truncated and flipped, into
// polygon points of the drawing target; the count collected.
int CollectPolygon() {
    const int n = std::clamp(gOperands.Id(2), 0, kPolygonPoints);
    for (int i = 0; i < n; ++i) {
        const int x = static_cast<int>(gOperands.xpoly[i]);
        const int y = Flip(static_cast<int>(gOperands.ypoly[i]));
        yywinpolpoint_(&x, &y, &i);
    }
    return n;
}

void Sector(int op) {
    const int cx = gOperands.Ixd(1), cy = gOperands.Iyd(1);
    const float rx = gOperands.Rd(2), ry = gOperands.Rd(6);
    const float a1 = gOperands.Rd(3), a2 = gOperands.Rd(7);
    int sx = cx + static_cast<int>(rx * std::cos(a1)),
        sy = Flip(cy + static_cast<int>(ry * std::sin(a1)));
    int ex = cx + static_cast<int>(rx * std::cos(a2)),
        ey = Flip(cy + static_cast<int>(ry * std::sin(a2)));
    if (sx == ex && sy == ey && std::fabs(gOperands.Rd(8)) <= 10.0f) {
        // Coinciding end points would draw the whole ellipse: move the end by one pixel.
        float a = std::fmod(gOperands.Rd(4), 360.0f);
        if (a < 0) a += 360.0f;
        if (a < 90) {
            ex -= 1, ey -= 1;
        } else if (a < 180) {
            ex -= 1, ey += 1;
        } else if (a < 270) {
            ex += 1, ey += 1;
        } else {
            ex += 1, ey -= 1;
        }
    }
    const int fcx = cx, fcy = Flip(cy), irx = static_cast<int>(rx), iry = static_cast<int>(ry);
    const int fill = FillKind(op);
    if (op == kOpArc) {
        yywinoutlinearc_(&fcx, &fcy, &irx, &iry, &sx, &sy, &ex, &ey, &fill);
    } else {
        yywinarc_(&fcx, &fcy, &irx, &iry, &sx, &sy, &ex, &ey, &fill);
    }
}

void DeviceFont() {
    GraphicsState &g = gGraphics;
    const float cw = g.refWidth * g.charWidth, ch = g.refHeight * g.charHeight;
    g.columns = cw != 0 ? g.deviceWidth / cw : 0.0f;
    g.rows = ch != 0 ? g.deviceHeight / ch : 0.0f;
    int width = g.columns != 0 ? static_cast<int>(g.deviceWidth / g.columns) : 0;
    int height = g.rows != 0 ? static_cast<int>(g.deviceHeight / g.rows) : 0;
    const int escapement = static_cast<int>(g.direction);
    int attributes = g.fontAttributes;
    if (g.widthStyle != 0) {
        const float factor = g.widthStyle == 1 ? 0.607f : 0.78f;
        width = static_cast<int>(width * (g.effectiveFont == 4 ? 1.38f * factor : factor));
        height = static_cast<int>(height * 0.821f);
        if (g.widthStyle == 1) attributes &= ~4;
    }
    const bool same =
        width == gCache.width && height == gCache.height && escapement == gCache.escapement &&
        g.effectiveFont == gCache.font && attributes == gCache.attributes &&
        (g.effectiveFont != 0 || std::memcmp(g.faceName, gCache.face, kFaceNameLength) == 0);
    if (!same) {
        gCache.width = width;
        gCache.height = height;
        gCache.escapement = escapement;
        gCache.font = g.effectiveFont;
        gCache.attributes = attributes;
        std::memcpy(gCache.face, g.faceName, kFaceNameLength);
        int w = width, h = height, ascent = 0;
        yywintextsize_(&w, &h, &ascent, &escapement, &g.effectiveFont, &attributes, g.faceName,
                       kFaceNameLength);
        gTextHeight = h;
        gTextAscent = ascent;
        if (g.widthStyle == 0) gTextWidth = w;
    }
    if (g.widthStyle == 0 && gTextWidth > 0) g.columns = g.deviceWidth * 52.0f / gTextWidth;
}

void Text() {
    const GraphicsState &g = gGraphics;
    const float d = gTextAscent - 0.5f * gTextHeight;
    const float ox = d * g.dirSinOver, oy = d * g.dirCos;
    const int x1 = static_cast<int>(gOperands.Rd(1) + ox);
    const int y1 = g.lastY - static_cast<int>(gOperands.Rd(5) - oy);
    const int x2 = static_cast<int>(gOperands.Rd(3) + ox);
    const int y2 = g.lastY - static_cast<int>(gOperands.Rd(7) - oy);
    const int justification = g.widthStyle == 1 ? 0 : g.justification;
    const int opaque = g.widthStyle == 1 ? 0 : (g.fontAttributes >> 3) & 1;
    const int count = std::clamp(gOperands.Ixd(1), 0, kOperandTextLength);
    yywindrawstring_(&x1, &y1, &x2, &y2, &justification, &opaque, gOperands.ctext, &count,
                     kOperandTextLength);
    gOperands.Ixd(4) = 0;
}

void BlockCopy() {
    if (gGraphics.kind == kDrawMetafile) return;
    const int sx = gOperands.Ixd(1), sy = Flip(gOperands.Iyd(2));
    const int dx = gOperands.Ixd(3);
    const int dy = gGraphics.lastY - (gOperands.Iyd(2) + gOperands.Iyd(3) - gOperands.Iyd(1));
    const int w = gOperands.Ixd(2) - gOperands.Ixd(1) + 1,
              h = gOperands.Iyd(2) - gOperands.Iyd(1) + 1;
    const int fill = gOperands.Id(1), rgb = gPalette.palette[0];
    yywinblit_(&sx, &sy, &dx, &dy, &w, &h, &fill, &rgb);
}

void Clip() {
    const GraphicsState &g = gGraphics;
    if (g.cx1 <= 0 && g.cx2 >= g.lastX && g.cy1 <= 0 && g.cy2 >= g.lastY && g.kind != kDrawField) {
        const int none = -1;
        yywinclip_(&none, &none, &none, &none);
        return;
    }
    const int x1 = g.cx1, y1 = g.lastY - g.cy2, x2 = g.cx2, y2 = g.lastY - g.cy1;
    yywinclip_(&x1, &y1, &x2, &y2);
}

// True on a screen that shows its colours through the library's palette.
bool PaletteScreen() { return quill::TargetPalette() != nullptr; }

void PaletteEntry() {
    if (!PaletteScreen()) return;
    const int entry = gOperands.Id(1), rgb = gOperands.Ixd(1);
    const int current = quill::LibraryColour(gGraphics.displayColours, entry);
    // Entries outside the library's colours are no part of its palette.
    if (current < 0) return;
    if (current != rgb) {
        int mode;
        if (gOperands.Ixd(4) == 0) {
            mode = gPendingPaletteMode;
            gPendingPaletteMode = 0;
        } else {
            mode = gPendingPaletteMode / 3 + 1;
            gPendingPaletteMode = 3;
        }
        yywinpalette_(&entry, &rgb, &mode);
    }
    if (gGraphics.colourModel == kColourPalette &&
        (entry == gGraphics.colour.device || entry == gGraphics.prevColour.device)) {
        SendColour(gGraphics.prevColour);
        SendColour(gGraphics.colour);
    }
}

void RefreshColours() {
    const int n = gGraphics.displayColours;
    if (PaletteScreen() && n > 0) {
        for (int i = 0; i < n; ++i) {
            const int rgb = quill::LibraryColour(n, i);
            if (rgb < 0) break;
            // The first entry keeps the mode of the call before.
            int mode = i == 0 ? gPendingPaletteMode : (i == n - 1 ? 3 : 2);
            yywinpalette_(&i, &rgb, &mode);
        }
    }
    SendColour(gGraphics.prevColour);
    SendColour(gGraphics.colour);
}

void ReadPixel() {
    if (gGraphics.kind == kDrawMetafile) {
        gOperands.Ixd(1) = -1;
        return;
    }
    const int x = gOperands.Ixd(1), y = Flip(gOperands.Iyd(1));
    int r = 0, g = 0, b = 0;
    yywingetpixelrgb_(&x, &y, &r, &g, &b);
    gOperands.Ixd(1) = r == -1 ? -1 : r + 256 * g + 65536 * b;
    if (r != -1) {
        gOperands.Ixd(2) = g;
        gOperands.Ixd(3) = b;
    }
}

void LineWidth() {
    int width = gGraphics.lineWidth;
    if (gGraphics.kind == kDrawMetafile && gGraphics.id >= 1 && gGraphics.id <= kMetafileSlots) {
        // On a metafile slot the width is relative to the slot's resolution.
        const MetafileSlot &slot = gSlots[gGraphics.id - 1];
        const long long points = static_cast<long long>(slot.widthPoints) * 10;
        width = points != 0 ? static_cast<int>(static_cast<long long>(slot.drawWidth) *
                                               gGraphics.relLineWidth / points)
                            : gGraphics.lineWidth;
    }
    yywinlinewidth_(&width);
}

// Op 20: the viewport part of the drawable printed on one page of the Windows printer, as the
// dump target chosen tells; ctext names the document. No other target has a path from here.
void PrintDrawable() {
    const quill::ScreenDumpPage page = quill::ChosenScreenDump();
    if (page.target != 10) {
        quill::SetFileError(0);
        quill::RaiseError(1);
        return;
    }
    const std::string name = quill::TrimmedText(gOperands.ctext, kOperandTextLength);
    int status = 1;
    yywindumpstart_(&page.width, &page.height, &page.x, &page.y, &status, &page.landscape,
                    &page.copies, name.c_str(), static_cast<int>(name.size()) + 1);
    if (status != 0) {
        quill::RaiseError(1);
        return;
    }
    const GraphicsState &g = gGraphics;
    const int x1 = g.cx1, y1 = g.lastY - g.cy2, x2 = g.cx2, y2 = g.lastY - g.cy1;
    yywindumpblit_(&x1, &y1, &x2, &y2, &status);
    if (status != 0) quill::RaiseError(64);
    yywindumpend_();
}

}  // namespace

void quill::ResetScreenFont() { ResetFontCache(); }

void yygapi_(const int *op) {
    if (op == nullptr || gGraphics.screenOutput == 0) return;
    const int code = *op;
    if (code < kOpFirst || code > kOpLast) return;
    if (code == kOpInit) {
        char flags[] = "11111111111111111110111011111";
        if (gGraphics.kind == kDrawMetafile) flags[28] = '0';
        quill::DescribeDevice(flags, WinNT != 0 ? 2 : 1, wScreenCols > 256 ? 1 : 0,
                              pGradientFill != nullptr ? 2 : 1);
        return;
    }
    if (code == kOpBegin) {
        ResetFontCache();
        return;
    }
    // Nothing to draw on without a device context; a measure still answers, with length 0.
    if (quill::TargetDC() == nullptr) {
        if (code == kOpMeasure) {
            gOperands.Rd(1) = 0;
            gOperands.Id(2) = 1;
        }
        return;
    }
    switch (code) {
    case kOpLine: {
        const int x1 = gOperands.Ixd(1), y1 = Flip(gOperands.Iyd(1));
        const int x2 = gOperands.Ixd(2), y2 = Flip(gOperands.Iyd(2));
        yywinline_(&x1, &y1, &x2, &y2);
        break;
    }
    case kOpColour: SendColour(gGraphics.colour); break;
    case kOpEllipse:
    case kOpEllipsePattern:
    case kOpEllipseSolid: {
        const int cx = gOperands.Ixd(1), cy = Flip(gOperands.Iyd(1));
        const int fill = code == kOpEllipse ? 4 : FillKind(code);
        yywinellipse_(&cx, &cy, &gOperands.Ixd(2), &gOperands.Iyd(2), &code, &fill);
        break;
    }
    case kOpQuadPattern:
    case kOpQuadSolid:
    case kOpTrianglePattern:
    case kOpTriangleSolid: {
        const int n = code <= kOpQuadSolid ? 4 : 3, fill = FillKind(code);
        CollectPoints(n);
        yywinpolygon_(&n, &fill);
        break;
    }
    case kOpRectanglePattern:
    case kOpRectangleSolid: {
        const int x1 = gOperands.Ixd(1), top = Flip(gOperands.Iyd(2));
        const int x2 = gOperands.Ixd(2), bottom = Flip(gOperands.Iyd(1));
        const int fill = FillKind(code);
        yywinrectangle_(&x1, &top, &x2, &bottom, &fill);
        break;
    }
    case kOpSectorPattern:
    case kOpSectorSolid:
    case kOpArc: Sector(code); break;
    case kOpPolygonPattern:
    case kOpPolygonSolid: {
        const int n = CollectPolygon(), fill = FillKind(code);
        if (n > 0) yywinpolygon_(&n, &fill);
        break;
    }
    case kOpClear: {
        const int rgb = gPalette.palette[0];
        yywinclear_(&gGraphics.width, &gGraphics.height, &rgb);
        break;
    }
    case kOpPage: PrintDrawable(); break;
    case kOpFont:
    case kOpDirection: DeviceFont(); break;
    case kOpText: Text(); break;
    case kOpBlockCopy: BlockCopy(); break;
    case kOpClip: Clip(); break;
    case kOpMeasure: {
        int length = 0;
        const int count = std::clamp(gOperands.Id(1), 0, kOperandTextLength);
        yywintextlength_(&length, gOperands.ctext, &count, kOperandTextLength);
        gOperands.Rd(1) = static_cast<float>(length);
        gOperands.Id(2) = 1;
        break;
    }
    case kOpPoint: {
        const int x = gOperands.Ixd(1), y = Flip(gOperands.Iyd(1));
        yywinpoint_(&x, &y);
        break;
    }
    case kOpPlotMode: yywinplotmode_(&gGraphics.plotMode); break;
    case kOpPaletteEntry: PaletteEntry(); break;
    case kOpLineType: yywinlinetype_(&gGraphics.lineType); break;
    case kOpLineWidth: LineWidth(); break;
    case kOpReadPixel: ReadPixel(); break;
    case kOpPolyline: {
        const int n = CollectPolygon();
        if (n > 0) yywinpolyline_(&n);
        break;
    }
    case kOpRefreshColours: RefreshColours(); break;
    case kOpImage: quill::DrawImageFileOp(); break;
    case kOpGradient: quill::ScreenGradientOp(); break;
    default: break;  // 19, 36, 37, 39 are no business of the screen
    }
}
