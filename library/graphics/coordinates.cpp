// The mapping between device pixels and graphics units.
#include "graphics/coordinates.h"

GraphicsMapping yydefaultmapping() {
    GraphicsMapping m = {};
    m.kind = kDrawWindow;
    m.ax2 = m.ay2 = 1.0f;
    m.ux2 = m.uy2 = 1.0f;
    m.aspect = 1.0f;
    m.sx = m.sy = 1.0f;
    return m;
}

GraphicsMapping gMapping = yydefaultmapping();

namespace {

// The viewport, clip rectangle and scale of the current area on the current device size.
void FitArea(GraphicsMapping &m) {
    const float x1 = m.deviceWidth * m.ax1, y1 = m.deviceHeight * m.ay1;
    const float x2 = m.deviceWidth * m.ax2, y2 = m.deviceHeight * m.ay2;
    m.vx1 = x1 > 0 ? x1 : 0.0f;
    m.vy1 = y1 > 0 ? y1 : 0.0f;
    m.vx2 = x2 < m.deviceWidth ? x2 : m.deviceWidth;
    m.vy2 = y2 < m.deviceHeight ? y2 : m.deviceHeight;
    m.cx1 = static_cast<int>(m.vx1);
    m.cy1 = static_cast<int>(m.vy1);
    m.cx2 = static_cast<int>(m.vx2);
    m.cy2 = static_cast<int>(m.vy2);
    const float vw = m.vx2 - m.vx1, vh = m.vy2 - m.vy1;
    const float uw = m.ux2 - m.ux1, uh = m.uy2 - m.uy1;
    m.sx = uw > 0 ? vw / uw : vw;
    m.sy = uh > 0 ? vh / uh : vh;
}

}  // namespace

void yyresn_(const int *kind, const int *id, const int *width, const int *height) {
    if (kind == nullptr || id == nullptr || width == nullptr || height == nullptr) return;
    GraphicsMapping &m = gMapping;
    if (*kind != m.kind || *id != m.id) return;
    m.width = *width;
    m.height = *height;
    m.deviceWidth = static_cast<float>(m.width) - 0.01f;
    m.deviceHeight = static_cast<float>(m.height) - 0.01f;
    m.aspect = m.height != 0 ? static_cast<float>(m.width) / static_cast<float>(m.height) : 1.0f;
    FitArea(m);
}

void yyi2e_(const float *px, const float *py, float *x, float *y) {
    const GraphicsMapping &m = gMapping;
    // A degenerate drawable has no scale: every position lies at the units' origin.
    if (x != nullptr && px != nullptr) *x = m.sx != 0 ? (*px - m.vx1) / m.sx + m.ux1 : m.ux1;
    if (y != nullptr && py != nullptr) *y = m.sy != 0 ? (*py - m.vy1) / m.sy + m.uy1 : m.uy1;
}
