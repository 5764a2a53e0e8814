// The graphics state, the area, units and viewport, and the character direction and size.
#include "graphics/graphics_state.h"

#include <cctype>
#include <cmath>
#include <cstring>

#include "base/errors.h"
#include "graphics/driver_protocol.h"
#include "quillamorph/graphics.h"

GraphicsState quill::DefaultGraphicsState() {
    GraphicsState g = {};
    g.kind = kDrawWindow;
    g.aspect = 1.0f;
    g.screenOutput = 1;
    g.ax2 = g.ay2 = 1.0f;
    g.areaWidth = g.areaHeight = 1.0f;
    g.ux2 = g.uy2 = 1.0f;
    g.uw = g.uh = 1.0f;
    g.sx = g.sy = 1.0f;
    g.colourModel = kColourPalette;
    g.colour = {223, 0, 223};
    g.prevColour = {0, 0xFFFFFF, 0};
    g.lineWidth = 1;
    g.relLineWidth = 5;
    g.charWidth = 1.0f / 75.0f;
    g.charHeight = 1.0f / 25.0f;
    g.dirCos = 1.0f;
    g.font = g.effectiveFont = 1;
    g.justification = 1;
    std::memset(g.faceName, ' ', sizeof g.faceName);
    return g;
}

GraphicsState gGraphics = quill::DefaultGraphicsState();

namespace {

// Scale of one axis: viewport extent per unit extent, the extent itself for a range not above
// 0.
float Scale(float viewport, float units) { return units > 0 ? viewport / units : viewport; }

// One area range: valid when 0 <= lo < 1, 0 < hi <= 1 and lo < hi.
bool ValidArea(float lo, float hi) { return lo >= 0 && lo < 1 && hi > 0 && hi <= 1 && lo < hi; }

// One range of area or units: LO to HI when VALID, else 0 to 1 and error ERROR.
void TakeRange(bool valid, float lo, float hi, float &outLo, float &outHi, int error) {
    if (valid) {
        outLo = lo;
        outHi = hi;
    } else {
        outLo = 0.0f;
        outHi = 1.0f;
        quill::RaiseError(error);
    }
}

// The effective font of the character state.
int EffectiveFont(const GraphicsState &g) {
    if (g.font != 0) return g.font;
    return g.widthStyle != 0 ? 2 : 1;
}

// Character cell counts of the drawable: how many characters of the current size fit across
// and up.
void CellCounts(GraphicsState &g) {
    const float cw = g.refWidth * g.charWidth, ch = g.refHeight * g.charHeight;
    g.columns = cw != 0 ? g.deviceWidth / cw : 0.0f;
    g.rows = ch != 0 ? g.deviceHeight / ch : 0.0f;
}

// Sends op 21 to the hardcopy side, and to the drawing side with screen output on; with
// screen output off only the cell counts follow.
void FontChanged() {
    quill::SendOp(kOpFont, kSideHardcopy);
    if (gGraphics.screenOutput != 0) {
        quill::SendOp(kOpFont, kSideDrawing);
    } else {
        CellCounts(gGraphics);
    }
}

}  // namespace

namespace quill {

void FitViewport(GraphicsState &g, float x1, float y1, float x2, float y2) {
    g.vx1 = x1 > 0 ? x1 : 0.0f;
    g.vy1 = y1 > 0 ? y1 : 0.0f;
    g.vx2 = x2 < g.deviceWidth ? x2 : g.deviceWidth;
    g.vy2 = y2 < g.deviceHeight ? y2 : g.deviceHeight;
    g.ex1 = g.vx1 - 0.001f;
    g.ey1 = g.vy1 - 0.001f;
    g.ex2 = g.vx2 + 0.001f;
    g.ey2 = g.vy2 + 0.001f;
    g.cx1 = static_cast<int>(g.vx1);
    g.cy1 = static_cast<int>(g.vy1);
    g.cx2 = static_cast<int>(g.vx2);
    g.cy2 = static_cast<int>(g.vy2);
    g.viewportPixelsX = g.cx2 - g.cx1 + 1;
    g.viewportPixelsY = g.cy2 - g.cy1 + 1;
    g.vw = g.vx2 - g.vx1;
    g.vh = g.vy2 - g.vy1;
}

void FitDrawable(GraphicsState &g, int width, int height) {
    g.width = width;
    g.height = height;
    g.lastX = width - 1;
    g.lastY = height - 1;
    g.deviceWidth = static_cast<float>(width) - 0.01f;
    g.deviceHeight = static_cast<float>(height) - 0.01f;
    g.aspect = height != 0 ? static_cast<float>(width) / static_cast<float>(height) : 1.0f;
    FitViewport(g, g.deviceWidth * g.ax1, g.deviceHeight * g.ay1, g.deviceWidth * g.ax2,
                g.deviceHeight * g.ay2);
    g.sx = Scale(g.vw, g.uw);
    g.sy = Scale(g.vh, g.uh);
}

void DeviceToUnits(const GraphicsState &g, float px, float py, float *x, float *y) {
    // A degenerate drawable has no scale: every position lies at the units' origin.
    if (x != nullptr) *x = g.sx != 0 ? (px - g.vx1) / g.sx + g.ux1 : g.ux1;
    if (y != nullptr) *y = g.sy != 0 ? (py - g.vy1) / g.sy + g.uy1 : g.uy1;
}

void UnitsToDevice(const GraphicsState &g, float x, float y, float *px, float *py) {
    if (px != nullptr) *px = g.vx1 + (x - g.ux1) * g.sx;
    if (py != nullptr) *py = g.vy1 + (y - g.uy1) * g.sy;
}

namespace {

ViewerGeometryQuery gViewerQuery = nullptr;

}  // namespace

void ViewerToUnits(const GraphicsState &g, const ViewerGeometry &v, float px, float py, float *x,
                   float *y) {
    const float bw = static_cast<float>(v.bitmapWidth), bh = static_cast<float>(v.bitmapHeight);
    const float dx = g.areaWidth * bw / g.uw, dy = g.areaHeight * bh / g.uh;
    const float sx = static_cast<float>(v.scrollX), sb = static_cast<float>(v.visibleBottom);
    if (x != nullptr) *x = dx != 0 ? g.ux1 + (sx + px - g.ax1 * bw) / dx : g.ux1;
    if (y != nullptr) *y = dy != 0 ? g.uy1 + (py + (bh - sb) - g.ay1 * bh) / dy : g.uy1;
}

void SetViewerGeometryQuery(ViewerGeometryQuery query) { gViewerQuery = query; }

void AdoptDeviceShape(float width, float height, int colours) {
    if (height != 0) gGraphics.aspect = width / height;
    gGraphics.displayColours = colours;
}

void SetLineJoin(int join) { gGraphics.lineJoin = join; }

void SetLineCap(int cap) { gGraphics.lineCap = cap; }

}  // namespace quill

void yybvi2e_(const float *px, const float *py, float *x, float *y, const int *viewer) {
    if (px == nullptr || py == nullptr || viewer == nullptr || quill::gViewerQuery == nullptr)
        return;
    quill::ViewerGeometry geometry = {};
    if (!quill::gViewerQuery(*viewer, &geometry)) return;
    quill::ViewerToUnits(gGraphics, geometry, *px, *py, x, y);
}

void yyresn_(const int *kind, const int *id, const int *width, const int *height) {
    if (kind == nullptr || id == nullptr || width == nullptr || height == nullptr) return;
    GraphicsState &g = gGraphics;
    if (*kind != g.kind || *id != g.id) return;
    g.width = *width;
    g.height = *height;
    g.lastX = g.width - 1;
    g.lastY = g.height - 1;
    g.deviceWidth = static_cast<float>(g.width) - 0.01f;
    g.deviceHeight = static_cast<float>(g.height) - 0.01f;
    g.aspect = g.height != 0 ? static_cast<float>(g.width) / static_cast<float>(g.height) : 1.0f;
    gOperands.Id(1) = -1;
    quill::SendOp(kOpBegin, kSideHardcopy);
    const float x1 = g.ax1, y1 = g.ay1, x2 = g.ax2, y2 = g.ay2;
    igrarea_(&x1, &y1, &x2, &y2);
}

void yyi2e_(const float *px, const float *py, float *x, float *y) {
    if (px == nullptr || py == nullptr) return;
    quill::DeviceToUnits(gGraphics, *px, *py, x, y);
}

void yywing_(const float *x1, const float *y1, const float *x2, const float *y2) {
    if (x1 == nullptr || y1 == nullptr || x2 == nullptr || y2 == nullptr) return;
    quill::FitViewport(gGraphics, *x1, *y1, *x2, *y2);
    quill::SendOp(kOpClip, kSideDrawing);
}

void igrarea_(const float *x1, const float *y1, const float *x2, const float *y2) {
    GraphicsState &g = gGraphics;
    const float ax1 = x1 ? *x1 : 0.0f, ay1 = y1 ? *y1 : 0.0f;
    const float ax2 = x2 ? *x2 : 1.0f, ay2 = y2 ? *y2 : 1.0f;
    TakeRange(ValidArea(ax1, ax2), ax1, ax2, g.ax1, g.ax2, 44);
    TakeRange(ValidArea(ay1, ay2), ay1, ay2, g.ay1, g.ay2, 44);
    const float vx1 = g.deviceWidth * g.ax1, vy1 = g.deviceHeight * g.ay1;
    const float vx2 = g.deviceWidth * g.ax2, vy2 = g.deviceHeight * g.ay2;
    yywing_(&vx1, &vy1, &vx2, &vy2);
    g.sx = Scale(g.vw, g.uw);
    g.sy = Scale(g.vh, g.uh);
    if (g.reselecting != 0) return;
    quill::SendOp(kOpClip, kSideHardcopy);
    g.refWidth = g.vw;
    g.refHeight = g.vh;
    g.areaWidth = g.ax2 - g.ax1;
    g.areaHeight = g.ay2 - g.ay1;
    const float direction = g.direction;
    yychrot_(&direction);
    yychdfont_();
}

void igrunits_(const float *x1, const float *y1, const float *x2, const float *y2) {
    GraphicsState &g = gGraphics;
    const float ux1 = x1 ? *x1 : 0.0f, uy1 = y1 ? *y1 : 0.0f;
    const float ux2 = x2 ? *x2 : 1.0f, uy2 = y2 ? *y2 : 1.0f;
    TakeRange(ux1 < ux2, ux1, ux2, g.ux1, g.ux2, 16);
    TakeRange(uy1 < uy2, uy1, uy2, g.uy1, g.uy2, 16);
    g.uw = g.ux2 - g.ux1;
    g.uh = g.uy2 - g.uy1;
    g.sx = Scale(g.vw, g.uw);
    g.sy = Scale(g.vh, g.uh);
}

int yyopt_(const char *options, const char *letter, int options_len) {
    if (options == nullptr || letter == nullptr) return 0;
    const int wanted = std::tolower(static_cast<unsigned char>(*letter));
    for (int i = 0; i < options_len; ++i) {
        if (std::tolower(static_cast<unsigned char>(options[i])) == wanted) return 1;
    }
    return 0;
}

void yychrot_(const float *angle) {
    GraphicsState &g = gGraphics;
    // A direction that is no number keeps the one there is. The remainder is taken in floating
    // point, so that any size of angle folds into 0 up to 360.
    if (angle != nullptr && std::isfinite(*angle)) {
        double d = std::fmod(static_cast<double>(*angle), 360.0);
        if (d < 0) d += 360.0;
        float direction = static_cast<float>(d) + 0.0f;
        if (direction >= 360.0f) direction = 0.0f;
        g.direction = direction;
    }
    const double radians = static_cast<double>(g.direction) * (3.14159265358979323846 / 180.0);
    double m = 0;
    if (g.refWidth != 0 && g.areaHeight != 0) {
        m = (static_cast<double>(g.refHeight) / g.refWidth) * g.aspect *
            (g.areaWidth / g.areaHeight);
    }
    // A drawable or area without extent has no shape: the character keeps its own.
    if (!std::isfinite(m) || m == 0) m = 1;
    const double s = std::sin(radians);
    g.dirCos = static_cast<float>(std::cos(radians));
    g.dirSinTimes = static_cast<float>(s * m);
    g.dirSinOver = static_cast<float>(s / m);
    quill::SendOp(kOpDirection, kSideDrawing);
    quill::SendOp(kOpDirection, kSideHardcopy);
}

void yychsize_(const float *width, const float *height) {
    GraphicsState &g = gGraphics;
    g.charWidth = width != nullptr && *width > 0 ? *width : 1.0f / 75.0f;
    g.charHeight = height != nullptr && *height > 0 ? *height : 1.0f / 25.0f;
    g.effectiveFont = EffectiveFont(g);
    FontChanged();
}

void yychdfont_() {
    gGraphics.effectiveFont = EffectiveFont(gGraphics);
    FontChanged();
}
