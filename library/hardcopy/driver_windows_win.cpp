// The Windows printer driver (device 10) and the Windows metafile driver (device 11): one
// design over two drawing families. Each operation is turned into one call of a primitive of
// the printer family or the metafile family, with the points scaled from the drawable to the
// family's page and y turned downwards.
#include "hardcopy/driver_support.h"
#include "hardcopy/drivers.h"
#include "hardcopy/hardcopy_startup.h"
#include "hardcopy/image_codec.h"
#include "hardcopy/image_screen.h"

#include "base/errors.h"
#include "base/fixedtext.h"
#include "core/display.h"
#include "graphics/draw_families.h"
#include "graphics/gradient_fill.h"
#include "graphics/printer_dc.h"
#include "graphics/printer_info.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int kOptMetafileFormat = 19;  // 0 plain, 1 placeable (default), 2 enhanced
constexpr char kCapabilities[] = "00000111111111100010011011110";
constexpr char kDefaultDocument[] = "Quillamorph";

// The primitives of one family, with one shape each.
struct Family {
    int device;
    void (*line)(const int *, const int *, const int *, const int *);
    void (*colour)(const int *, const int *, const int *);
    void (*ellipse)(const int *, const int *, const int *, const int *, const int *);
    void (*rectangle)(const int *, const int *, const int *, const int *);
    void (*arc)(const int *, const int *, const int *, const int *, const int *, const int *,
                const int *, const int *);
    void (*outlineArc)(const int *, const int *, const int *, const int *, const int *, const int *,
                       const int *, const int *, const int *);
    void (*polpoint)(const int *, const int *, const int *);
    void (*polygon)(int count, int fill);
    void (*polyline)(const int *);
    void (*point)(const int *, const int *);
    void (*pointRgb)(const int *, const int *, const int *);
    void (*clip)(const int *, const int *, const int *, const int *);
    void (*lineType)(const int *);
    void (*lineWidth)(const int *);
    // Makes the font; HEIGHT and ASCENT give the metrics when the family measures (else 0).
    void (*textSize)(int width, int height, int escapement, int font, int attributes,
                     const char *face, int *metricHeight, int *ascent);
    void (*drawString)(const int *, const int *, const int *, const int *, const int *, const int *,
                       const char *, const int *, int);
    void (*textLength)(int *, const char *, const int *, int);
    GradientTriangleRoutine gradient;
    bool (*extent)(int *width, int *height);
};

void PrinterPolygon(int count, int fill) { yywprpolygon_(&count, &fill); }
void MetafilePolygon(int count, int) { yywmfpolygon_(&count); }

void PrinterTextSize(int width, int height, int escapement, int font, int attributes,
                     const char *face, int *metricHeight, int *ascent) {
    yywprtextsize_(&width, &height, ascent, &escapement, &font, &attributes, face, kFaceNameLength);
    *metricHeight = height;
}

void MetafileTextSize(int width, int height, int escapement, int font, int attributes,
                      const char *face, int *metricHeight, int *ascent) {
    yywmftextsize_(&width, &height, &escapement, &font, &attributes, face, kFaceNameLength);
    *metricHeight = *ascent = 0;
}

bool MetafilePage(int *width, int *height) {
    int format = 0;
    return quill::MetafileExtent(width, height, &format);
}

const Family kPrinter = {kDeviceWindowsPrinter,
                         yywprline_,
                         yywprcolour_,
                         yywprellipse_,
                         yywprrectangle_,
                         yywprarc_,
                         yywproutlinearc_,
                         yywprpolpoint_,
                         PrinterPolygon,
                         yywprpolyline_,
                         yywprpoint_,
                         yywprpointrgb_,
                         yywprclip_,
                         yywprlinetype_,
                         yywprlinewidth_,
                         PrinterTextSize,
                         yywprdrawstring_,
                         yywprtextlength_,
                         yywprgradfill_,
                         quill::PrinterExtent};

// Gradient triangles in a metafile: the system's blended triangles. A metafile that takes none
// (plain and placeable ones) gets each triangle as solid pieces instead of pixels set one by
// one, which at the metafile's resolution would take megabytes for one triangle.
void MetafileGradient(const int *x, const int *y, const int *c, const int *triangles,
                      const int *count_v, const int *count_t, int *status) {
    yywmfgradfill_(x, y, c, triangles, count_v, count_t, status);
    if (*status == 0) return;
    for (int t = 0; t < *count_t; ++t) {
        int tx[3], ty[3], tc[3];
        for (int k = 0; k < 3; ++k) {
            const int v = triangles[3 * t + k] - 1;
            if (v < 0 || v >= *count_v) return;
            tx[k] = x[v], ty[k] = y[v], tc[k] = c[v];
        }
        quill::GradientTrianglePieces(tx, ty, tc, [](const int *px, const int *py, int rgb) {
            int r, g, b;
            quill::SplitRgb(rgb, r, g, b);
            yywmfcolour_(&r, &g, &b);
            for (int k = 0; k < 3; ++k) yywmfpolpoint_(&px[k], &py[k], &k);
            MetafilePolygon(3, 4);
        });
    }
    *status = 0;
}

const Family kMetafile = {kDeviceWindowsMetafile,
                          yywmfline_,
                          yywmfcolour_,
                          yywmfellipse_,
                          yywmfrectangle_,
                          yywmfarc_,
                          yywmfoutlinearc_,
                          yywmfpolpoint_,
                          MetafilePolygon,
                          yywmfpolyline_,
                          yywmfpoint_,
                          yywmfpointrgb_,
                          yywmfclip_,
                          yywmflinetype_,
                          yywmflinewidth_,
                          MetafileTextSize,
                          yywmfdrawstring_,
                          yywmftextlength_,
                          MetafileGradient,
                          MetafilePage};

// The state of the driver of the open device.
struct PageScale {
    double sx = 1, sy = 1;               // family units per device unit
    int width = 0, height = 0;           // the family's page in its units
    int textHeight = 0, textAscent = 0;  // metrics of the last font (0: not measured)
    double pageWidth = 1;                // the page width in points
};

PageScale gScale;

void Rescale(const Family &f) {
    int w = 0, h = 0;
    if (!f.extent(&w, &h)) return;
    gScale.width = w;
    gScale.height = h;
    gScale.sx = w / quill::HardcopyDrawableWidth();
    gScale.sy = h / quill::HardcopyDrawableHeight();
}

int X(double x) { return static_cast<int>(x * gScale.sx); }
int Y(double y) { return static_cast<int>(gScale.height - y * gScale.sy); }

void SetColour(const Family &f, int rgb, int index) {
    int r, g, b;
    if (quill::HardcopyOption(kOptMonochrome) == 1) {
        r = g = b = index == 0 ? 255 : 0;
    } else {
        quill::SplitRgb(rgb, r, g, b);
        yywmf1_(&r, &g, &b);
    }
    f.colour(&r, &g, &b);
}

void CurrentColour(const Family &f) { SetColour(f, gGraphics.colour.rgb, gGraphics.colour.index); }

// Sets the fill colour of a filled figure; true when it is not the current colour.
bool FillColour(const Family &f) {
    if (gFigureFill.style != 3 || quill::HardcopyOption(kOptMonochrome) == 1) return false;
    int r1, g1, b1, r2, g2, b2;
    quill::SplitRgb(gFigureFill.gradient1, r1, g1, b1);
    quill::SplitRgb(gFigureFill.gradient2, r2, g2, b2);
    SetColour(f, (r1 + r2) / 2 + 256 * ((g1 + g2) / 2) + 65536 * ((b1 + b2) / 2), -1);
    return true;
}

// The start and end points of a sector or arc of the operands, counter-clockwise.
void SectorPoints(int *sx, int *sy, int *ex, int *ey) {
    const double cx = gOperands.Rd(1), cy = gOperands.Rd(5), rx = std::fabs(gOperands.Rd(2)),
                 ry = std::fabs(gOperands.Rd(6));
    double a1 = gOperands.Rd(3), a2 = gOperands.Rd(7);
    if (gOperands.Rd(8) < 0) std::swap(a1, a2);
    *sx = X(cx + rx * std::cos(a1));
    *sy = Y(cy + ry * std::sin(a1));
    *ex = X(cx + rx * std::cos(a2));
    *ey = Y(cy + ry * std::sin(a2));
}

void Sector(const Family &f, int op) {
    const int cx = X(gOperands.Rd(1)), cy = Y(gOperands.Rd(5));
    const int rx = static_cast<int>(std::fabs(gOperands.Rd(2)) * gScale.sx);
    const int ry = static_cast<int>(std::fabs(gOperands.Rd(6)) * gScale.sy);
    int sx, sy, ex, ey;
    SectorPoints(&sx, &sy, &ex, &ey);
    if (op == kOpArc) {
        const int flag = 0;
        f.outlineArc(&cx, &cy, &rx, &ry, &sx, &sy, &ex, &ey, &flag);
    } else {
        f.arc(&cx, &cy, &rx, &ry, &sx, &sy, &ex, &ey);
    }
}

// Points of the operands (COUNT of them) or of the polygon buffer (COUNT -1) into the
// family's point array; the number stored.
int Points(const Family &f, int count) {
    if (count < 0) {
        const int n = std::clamp(gOperands.Id(2), 0, kPolygonPoints);
        for (int i = 0; i < n; ++i) {
            const int x = X(gOperands.xpoly[i]), y = Y(gOperands.ypoly[i]);
            f.polpoint(&x, &y, &i);
        }
        return n;
    }
    for (int i = 0; i < count; ++i) {
        const int x = X(gOperands.rd[i]), y = Y(gOperands.rd[i + 4]);
        f.polpoint(&x, &y, &i);
    }
    return count;
}

void Filled(const Family &f, int op) {
    if (gOperands.Id(1) == kFigureEnd) return;
    gHardcopy.pagePending = 1;
    const int style = gFigureFill.style;
    if (!(style > 2 || op == kOpEllipsePattern)) return;
    const bool own = FillColour(f);
    switch (op) {
    case kOpEllipsePattern: {
        const int cx = X(gOperands.Rd(1)), cy = Y(gOperands.Rd(5));
        const int rx = static_cast<int>(std::fabs(gOperands.Rd(2)) * gScale.sx);
        const int ry = static_cast<int>(std::fabs(gOperands.Rd(6)) * gScale.sy);
        f.ellipse(&cx, &cy, &rx, &ry, &style);
        break;
    }
    case kOpRectanglePattern: {
        const float x1 = std::min(gOperands.Rd(1), gOperands.Rd(2)),
                    x2 = std::max(gOperands.Rd(1), gOperands.Rd(2));
        const float y1 = std::min(gOperands.Rd(5), gOperands.Rd(6)),
                    y2 = std::max(gOperands.Rd(5), gOperands.Rd(6));
        const int left = X(x1), top = Y(y2), right = X(x2), bottom = Y(y1);
        f.rectangle(&left, &top, &right, &bottom);
        break;
    }
    case kOpQuadPattern: f.polygon(Points(f, 4), style); break;
    case kOpTrianglePattern: f.polygon(Points(f, 3), style); break;
    case kOpPolygonPattern: {
        const int n = Points(f, -1);
        if (n > 0) f.polygon(n, style);
        break;
    }
    case kOpSectorPattern: Sector(f, op); break;
    default: break;
    }
    if (own) CurrentColour(f);
}

void Font(const Family &f) {
    const GraphicsState &g = gGraphics;
    const int width = static_cast<int>(g.refWidth * g.charWidth * gScale.sx);
    const int height = static_cast<int>(g.refHeight * g.charHeight * gScale.sy);
    f.textSize(std::max(width, 0), std::max(height, 1), static_cast<int>(g.direction),
               g.effectiveFont, g.fontAttributes & 7, g.faceName, &gScale.textHeight,
               &gScale.textAscent);
    if (gScale.textHeight <= 0) {
        // The metafile family measures nothing: the base line lies 0.8 of the height down.
        gScale.textHeight = std::max(height, 1);
        gScale.textAscent = gScale.textHeight * 4 / 5;
    }
}

void Text(const Family &f) {
    gHardcopy.pagePending = 1;
    const GraphicsState &g = gGraphics;
    const double d = gScale.textAscent - 0.5 * gScale.textHeight;
    const double rad = g.direction * kPi / 180.0;
    const double ox = d * std::sin(rad), oy = d * std::cos(rad);
    const int x1 = static_cast<int>(X(gOperands.Rd(1)) + ox),
              y1 = static_cast<int>(Y(gOperands.Rd(5)) + oy);
    const int x2 = static_cast<int>(X(gOperands.Rd(3)) + ox),
              y2 = static_cast<int>(Y(gOperands.Rd(7)) + oy);
    const int justification = g.justification, opaque = (g.fontAttributes >> 3) & 1;
    const int count = std::clamp(gOperands.Ixd(1), 0, kOperandTextLength);
    f.drawString(&x1, &y1, &x2, &y2, &justification, &opaque, gOperands.ctext, &count,
                 kOperandTextLength);
    gOperands.Ixd(4) = 0;
}

void Clip(const Family &f) {
    const GraphicsState &g = gGraphics;
    if (g.cx1 <= 0 && g.cy1 <= 0 && g.cx2 >= quill::HardcopyDrawableWidth() - 1 &&
        g.cy2 >= quill::HardcopyDrawableHeight() - 1) {
        const int none = -1;
        f.clip(&none, &none, &none, &none);
        return;
    }
    const int x1 = X(g.cx1), y1 = Y(g.cy2), x2 = X(g.cx2), y2 = Y(g.cy1);
    f.clip(&x1, &y1, &x2, &y2);
}

void LineWidth(const Family &f) {
    // Option 9 is in tenths of a point.
    const double unitsPerPoint = gScale.width / std::max(gScale.pageWidth, 1.0);
    const int width = std::max(
        1, static_cast<int>(quill::HardcopyOption(kOptLineWidth) / 10.0 * unitsPerPoint + 0.5));
    f.lineWidth(&width);
}

void Gradient(const Family &f) {
    quill::GradientVertices &v = quill::gGradient;
    if (v.count < 3 || v.count > quill::kGradientVertices) return;
    gHardcopy.pagePending = 1;
    for (int k = 0; k < v.count; ++k) {
        v.x[k] = X(gOperands.xpoly[k]);
        v.y[k] = Y(gOperands.ypoly[k]);
    }
    const GraphicsState &g = gGraphics;
    int method = 1;
    yygradfilltype_(&method);
    const int cx1 = X(g.cx1), cy1 = Y(g.cy2), cx2 = X(g.cx2), cy2 = Y(g.cy1);
    yygradientfill_(&method, &cx1, &cy1, &cx2, &cy2, f.pointRgb, f.gradient);
    CurrentColour(f);  // the metafile's pieces set colours of their own
}

// Op 38: the image file named in ctext stretched over the clip rectangle; the reader's status
// and the system's code in id(1) and id(2).
void Image(const Family &f) {
    const std::string path = quill::TrimmedText(gOperands.ctext, kOperandTextLength);
    std::vector<unsigned char> head;
    int oserror = 0;
    int status = quill::ReadFileStart(path, head, 64) ? 0 : quill::kImageOpen;
    int type = status == 0 ? quill::DetectFileType(head.data(), head.size()) : 0;
    if (status == 0 && type != 1 && type != 2 && type != 15) status = quill::kImageInvalid;
    if (status == 0) {
        gHardcopy.pagePending = 1;
        const GraphicsState &g = gGraphics;
        const int x1 = X(g.cx1), y1 = Y(g.cy2), x2 = X(g.cx2), y2 = Y(g.cy1), stretch = 1;
        const int target = f.device;
        yyloadimage_(&type, &target, &x1, &y1, &x2, &y2, &stretch, &status, &oserror, path.c_str());
    }
    gOperands.Id(1) = status;
    gOperands.Id(2) = oserror;
}

void Measure(const Family &f) {
    int length = 0;
    const int count = std::clamp(gOperands.Id(1), 0, kOperandTextLength);
    f.textLength(&length, gOperands.ctext, &count, kOperandTextLength);
    gOperands.Rd(1) = static_cast<float>(gScale.sx > 0 ? length / gScale.sx : 0);
    gOperands.Id(2) = 1;
}

// Op 1 of the printer: the page of the current printer, its colours.
void PrinterDefaults() {
    int info[10] = {};
    yysavefp_();
    yywprinfo_(&info[0], &info[1], &info[2], &info[3], &info[4], &info[5], &info[6], &info[7],
               &info[8], &info[9]);
    yyrestfp_();
    const bool known = info[9] == 0 && info[3] > 0 && info[2] > 0;
    // Portrait: the short printable side across. Without a printer, a letter page's.
    quill::SetHardcopyPageDefaults(known ? info[3] : 468, known ? info[2] : 648,
                                   known ? info[5] : 72, known ? info[4] : 72, 0);
    int colours = info[8] > 0 && info[8] <= 256 ? info[8] : 256;
    if (gOperands.Id(1) != kOpInitKeepOptions && info[8] == 2)
        quill::HardcopyOptionSlot(kOptMonochrome) = 1;
    quill::SetHardcopyDeviceWords(kDeviceWindowsPrinter, colours, kCapabilities, 0, "");
    if (info[8] < 0 || info[8] > 256) gHardcopy.deviceColours = 16777216;
}

void MetafileDefaults() {
    quill::SetHardcopyPageDefaults(756, 540, 0, 0, 0);
    if (gOperands.Id(1) != kOpInitKeepOptions) quill::HardcopyOptionSlot(kOptMetafileFormat) = 1;
    quill::SetHardcopyDeviceWords(kDeviceWindowsMetafile, 256, kCapabilities, 0, "");
}

void Init(const Family &f) {
    if (quill::AnswerProbe(kOpInit, f.device)) return;
    if (f.device == kDeviceWindowsPrinter)
        PrinterDefaults();
    else
        MetafileDefaults();
    int method = 1;
    yygradfilltype_(&method);
    quill::DescribeDevice(kCapabilities, 2, gHardcopy.deviceColours > 256 ? 1 : 0, method);
}

// The page in points: option words 1 and 2, the longer side across in landscape.
void PageOptions(int *width, int *height, int *left, int *top) {
    *width = std::max(quill::HardcopyOption(kOptPageWidth), 1);
    *height = std::max(quill::HardcopyOption(kOptPageHeight), 1);
    *left = quill::HardcopyOption(kOptOffsetX);
    *top = quill::HardcopyOption(kOptOffsetY);
    if (quill::HardcopyOption(kOptLandscape) % 2 != 0 && *width < *height) {
        std::swap(*width, *height);
        std::swap(*left, *top);
    }
}

bool OpenPrinter() {
    int width, height, left, top, dpix = 0, dpiy = 0, colours = 0, status = 1;
    PageOptions(&width, &height, &left, &top);
    const int landscape = quill::HardcopyOption(kOptLandscape) % 2,
              copies = std::max(quill::HardcopyOption(kOptCopies), 1);
    std::string name = gOperands.Ixd(1) == 1 ? quill::HardcopyTitle() : "";
    if (name.empty()) name = kDefaultDocument;
    yywpropen_(&width, &height, &left, &top, &dpix, &dpiy, &colours, &status, &landscape, &copies,
               name.c_str(), static_cast<int>(name.size()));
    gScale.pageWidth = width;
    return status == 0;
}

bool OpenMetafile() {
    int width, height, left, top;
    PageOptions(&width, &height, &left, &top);
    const int w = width * 10, h = height * 10, format = quill::HardcopyOption(kOptMetafileFormat),
              style = 0;
    // The placeable header: the page at 1000 units an inch, its checksum the exclusive or of the
    // header's first ten 16-bit words.
    const int boxRight = static_cast<int>(width * 1000LL / 72) & 0xFFFF;
    const int boxBottom = static_cast<int>(height * 1000LL / 72) & 0xFFFF;
    const int checksum = 0xCDD7 ^ 0x9AC6 ^ boxRight ^ boxBottom ^ 1000;
    const std::string file = quill::TrimmedText(gOperands.ctext, kOperandTextLength);
    const int clipboard = file.empty() ? 1 : 0;
    const std::string title = gOperands.Ixd(1) == 1 ? quill::HardcopyTitle() : "";
    yywmfopen_(&w, &h, &format, &style, &boxRight, &boxBottom, &checksum, &clipboard, file.c_str(),
               title.c_str(), static_cast<int>(file.size()), static_cast<int>(title.size()));
    gScale.pageWidth = width;
    int ew, eh, fmt;
    return quill::MetafileExtent(&ew, &eh, &fmt);
}

void Begin(const Family &f) {
    if (gOperands.Id(1) <= 0) {
        Rescale(f);
        return;
    }
    gScale = PageScale{};
    const bool opened = f.device == kDeviceWindowsPrinter ? OpenPrinter() : OpenMetafile();
    if (!opened) {
        // The metafile family reports its own failure; the printer's is reported here.
        if (f.device == kDeviceWindowsPrinter) {
            quill::SetFileError(0);
            quill::RaiseError(1);
        }
        gHardcopy.open = 0;
        return;
    }
    Rescale(f);
    CurrentColour(f);
}

void Drive(const Family &f, int op) {
    switch (op) {
    case kOpInit: Init(f); return;
    case kOpBegin: Begin(f); return;
    default: break;
    }
    if (op < kOpFirst || op > kOpLast) return;
    switch (op) {
    case kOpLine: {
        gHardcopy.pagePending = 1;
        const int x1 = X(gOperands.Rd(1)), y1 = Y(gOperands.Rd(5)), x2 = X(gOperands.Rd(2)),
                  y2 = Y(gOperands.Rd(6));
        f.line(&x1, &y1, &x2, &y2);
        break;
    }
    case kOpColour:
    case kOpRefreshColours: CurrentColour(f); break;
    case kOpEllipsePattern:
    case kOpQuadPattern:
    case kOpRectanglePattern:
    case kOpTrianglePattern:
    case kOpSectorPattern:
    case kOpPolygonPattern: Filled(f, op); break;
    case kOpEnd:
        if (f.device == kDeviceWindowsPrinter)
            yywprclose_();
        else
            yywmfclose_();
        break;
    case kOpPage:
        gHardcopy.pagePending = 0;
        if (f.device == kDeviceWindowsPrinter) yywprdump_();
        break;
    case kOpFont:
    case kOpDirection: Font(f); break;
    case kOpText: Text(f); break;
    case kOpClip: Clip(f); break;
    case kOpMeasure: Measure(f); break;
    case kOpPoint: {
        gHardcopy.pagePending = 1;
        const int x = X(gOperands.Rd(1)), y = Y(gOperands.Rd(5));
        f.point(&x, &y);
        break;
    }
    case kOpLineType: f.lineType(&gGraphics.lineType); break;
    case kOpLineWidth: LineWidth(f); break;
    case kOpPolyline: {
        gHardcopy.pagePending = 1;
        const int n = Points(f, -1);
        if (n > 0) f.polyline(&n);
        break;
    }
    case kOpArc:
        gHardcopy.pagePending = 1;
        Sector(f, op);
        break;
    case kOpImage: Image(f); break;
    case kOpGradient: Gradient(f); break;
    default: break;
    }
}

}  // namespace

void xxwin_(const int *op) { Drive(kPrinter, *op); }

void xxwmf_(const int *op) { Drive(kMetafile, *op); }

void quill::EnterWindowsHardcopyDrivers() { quill::SetWindowsHardcopyDrivers(xxwin_, xxwmf_); }
