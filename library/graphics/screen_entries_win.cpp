// The screen driver's entries into the image reader and the gradient filler.
#include "graphics/screen_driver.h"

#include <algorithm>
#include <string>

#include "base/fixedtext.h"
#include "core/startup.h"
#include "graphics/driver_protocol.h"
#include "graphics/gradient_fill.h"
#include "graphics/graphics_state.h"
#include "graphics/image_entries.h"
#include "graphics/screen_gradient.h"

int quill::DrawImageFileOp() {
    // id(1) is the file type (1 BMP, 2 PCX, 15 PNG) and id(2) the stretch flag: stretched over
    // the clip rectangle, or at its own size with its lower-left corner at point 1 (point 2
    // holds the picture's width and height, as for the drivers that read its pixels).
    const GraphicsState &g = gGraphics;
    DriverOperands &o = gOperands;
    const int type = o.Id(1), stretch = o.Id(2) != 0 ? 1 : 0, target = 0;
    int x1 = g.cx1, y1 = g.lastY - g.cy2, x2 = g.cx2, y2 = g.lastY - g.cy1;
    if (stretch == 0) {
        x1 = o.Ixd(1);
        y1 = g.lastY - (o.Iyd(1) + std::max(o.Iyd(2), 1) - 1);
    }
    const std::string path = TrimmedText(o.ctext, kOperandTextLength);
    const std::size_t first = path.find_first_not_of(' ');
    const std::string name = first == std::string::npos ? std::string() : path.substr(first);
    int status = 1, oserror = 0;
    if (quill::ImageDrawer draw = quill::InstalledImageDrawer(); draw != nullptr && !name.empty())
        draw(&type, &target, &x1, &y1, &x2, &y2, &stretch, &status, &oserror, name.c_str());
    quill::AnswerImageOp(status, oserror);
    return status;
}

void quill::ScreenGradientOp() {
    // The clip rectangle flipped like the positions; method 2 (the system's routine first) as
    // op 1 describes the screen when the routine was loaded.
    const GraphicsState &g = gGraphics;
    const int method = pGradientFill != nullptr ? 2 : 1;
    quill::GradientFillFromPolygon(gOperands.xpoly, gOperands.ypoly, true, g.lastY, method, g.cx1,
                                   g.lastY - g.cy2, g.cx2, g.lastY - g.cy1, yywinpointrgb_,
                                   yywingradfill_);
}
