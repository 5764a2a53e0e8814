// The recording driver and its byte writers: drawing operations become metafile elements in
// the current recording slot's buffer.
#include "graphics/recording_driver.h"

#include "base/errors.h"
#include "base/fixedtext.h"
#include "graphics/cgm_shapes.h"
#include "graphics/driver_protocol.h"
#include "graphics/gradient_fill.h"
#include "graphics/graphics_state.h"
#include "graphics/image_entries.h"
#include "graphics/metafile_slots.h"
#include "graphics/palette.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace quill {

namespace {

const int kSlots = 20;
const int kFullError = 1062;
const double kPi = 3.14159265358979323846;
// The most pixels op 38 reads.
const long long kMaxImagePixels = 1LL << 24;

std::unique_ptr<RecordedPicture> gPictures[kSlots];

// The current recording colour (RGB), set by ops 3 and 35.
int gRecordingColour = 0;

// Reports a refused element.
bool Check(bool ok) {
    if (!ok) RaiseError(kFullError);
    return ok;
}

void ColourOf(int rgb, int *r, int *g, int *b) {
    *r = rgb & 0xFF;
    *g = (rgb >> 8) & 0xFF;
    *b = (rgb >> 16) & 0xFF;
}

// Writes colour element E with RGB when it differs from cache word ITEM.
void ColourElement(RecordedPicture &p, cgm::Id e, int item, int rgb) {
    if (p.cache[item] == rgb) return;
    int r, g, b;
    ColourOf(rgb, &r, &g, &b);
    if (Check(p.enc.OneColour(e, r, g, b))) p.cache[item] = rgb;
}

// Writes the one-word element E with V when it differs from cache word ITEM.
void CachedWord(RecordedPicture &p, cgm::Id e, int item, int v) {
    if (p.cache[item] == v) return;
    if (Check(p.enc.OneWord(e, v))) p.cache[item] = v;
}

// The metafile line type of the library's line type 0-6.
int LineTypeCode(int type) {
    static const int codes[7] = {1, 3, 2, 4, 5, 10, 12};
    return type >= 0 && type <= 6 ? codes[type] : 1;
}

int Trunc(double v) {
    if (!(v > -2147483648.0)) return INT32_MIN;  // also NaN
    if (v >= 2147483647.0) return INT32_MAX;
    return static_cast<int>(v);
}

// A line in the current colour.
void Segment(RecordedPicture &p, int x1, int y1, int x2, int y2) {
    ColourElement(p, cgm::kLineColour, kCacheLineColour, gRecordingColour);
    const double x[2] = {static_cast<double>(x1), static_cast<double>(x2)};
    const double y[2] = {static_cast<double>(y1), static_cast<double>(y2)};
    Check(CgmPolyline(p.enc, x, y, 2));
}

// The drawing width that arcs are stepped on: the drawable's, else the slot's.
int ArcWidth(const RecordedPicture &p) {
    return gGraphics.width > 0 ? gGraphics.width : p.drawWidth;
}

// The ellipse of ops 4 to 6: the second diameter is rd(2) * rd(3) in x units, made upright on
// the picture by the slot's aspect and the shape of the drawable and the graphics area.
void Ellipse(RecordedPicture &p) {
    DriverOperands &o = gOperands;
    const GraphicsState &gs = gGraphics;
    const double across = static_cast<double>(gs.deviceWidth) * gs.areaWidth;
    const double ry = across != 0 ? static_cast<double>(o.Rd(2)) * o.Rd(3) * p.slotAspect *
                                        gs.deviceHeight * gs.areaHeight / across
                                  : 0.0;
    const double cx = o.Ixd(1), cy = o.Iyd(1), rx = o.Ixd(2), ty = std::trunc(ry);
    Check(CgmEllipse(p.enc, cx, cy, cx + rx, cy, cx, cy + ty,
                     ArcStepsPerHalfTurn(std::max(std::fabs(rx), std::fabs(ty)), ArcWidth(p))));
}

void PolygonOfPoints(RecordedPicture &p, int n) {
    DriverOperands &o = gOperands;
    double x[4], y[4];
    for (int k = 0; k < n; ++k) x[k] = o.ixd[k], y[k] = o.iyd[k];
    Check(CgmPolygon(p.enc, x, y, static_cast<std::size_t>(n)));
}

// Polygon or polyline of the first id(2) vertices of the polygon buffer, truncated.
void BufferShape(RecordedPicture &p, bool polygon) {
    DriverOperands &o = gOperands;
    const std::size_t n = static_cast<std::size_t>(std::min(std::max(o.Id(2), 0), kPolygonPoints));
    Check(polygon ? CgmPolygon(p.enc, o.xpoly, o.ypoly, n)
                  : CgmPolyline(p.enc, o.xpoly, o.ypoly, n));
}

// The filled sector of ops 13 and 14: the centre, the arc from the start angle to the end
// angle in steps that grow finer with the radius (at most kMaxArcSteps a half turn), and the
// end point. A negative sweep steps downwards; the sweep is limited to one turn, and so is the
// count of steps where angles too large to step through would never reach the end.
void Sector(RecordedPicture &p) {
    DriverOperands &o = gOperands;
    const GraphicsState &gs = gGraphics;
    double rx = o.Rd(2);
    double ry = o.Rd(6);
    if (gs.aspect > 0) ry = ry / gs.aspect * p.slotAspect;
    const int n = ArcStepsPerHalfTurn(Trunc(rx), ArcWidth(p));
    const double step = kPi / n;
    double start = o.Rd(3), end = o.Rd(7);
    if (end - start > 2 * kPi) end = start + 2 * kPi;
    if (start - end > 2 * kPi) end = start - 2 * kPi;
    const double cx = o.Ixd(1), cy = o.Iyd(1);
    std::vector<double> x{cx}, y{cy};
    auto arc = [&](double a) {
        x.push_back(cx + rx * std::cos(a));
        y.push_back(cy + ry * std::sin(a));
    };
    const int most = 2 * n + 1;
    if (end >= start) {
        double a = start;
        for (int k = 0; k < most && a <= end; ++k, a += step) arc(a);
    } else {
        double a = start;
        for (int k = 0; k < most && a >= end; ++k, a -= step) arc(a);
    }
    arc(end);
    Check(CgmPolygon(p.enc, x.data(), y.data(), x.size()));
}

void Filled(RecordedPicture &p, int op) {
    ColourElement(p, cgm::kFillColour, kCacheFillColour, gRecordingColour);
    Check(p.enc.OneWord(cgm::kInteriorStyle, 1));
    DriverOperands &o = gOperands;
    switch (op) {
    case kOpEllipsePattern:
    case kOpEllipseSolid: Ellipse(p); break;
    case kOpQuadPattern:
    case kOpQuadSolid: PolygonOfPoints(p, 4); break;
    case kOpRectanglePattern:
    case kOpRectangleSolid:
        Check(CgmRectangle(p.enc, o.Ixd(1), o.Iyd(1), o.Ixd(2), o.Iyd(2)));
        break;
    case kOpTrianglePattern:
    case kOpTriangleSolid: PolygonOfPoints(p, 3); break;
    case kOpSectorPattern:
    case kOpSectorSolid: Sector(p); break;
    default: BufferShape(p, true); break;
    }
}

void OutlineEllipse(RecordedPicture &p) {
    const GraphicsState &gs = gGraphics;
    Check(p.enc.OneWord(cgm::kEdgeVisibility, 1));
    ColourElement(p, cgm::kEdgeColour, kCacheEdgeColour, gRecordingColour);
    CachedWord(p, cgm::kEdgeType, kCacheEdgeType, LineTypeCode(gs.lineType));
    CachedWord(p, cgm::kEdgeWidth, kCacheEdgeWidth, VdcCoordinate(4.0 * gs.relLineWidth));
    Check(p.enc.OneWord(cgm::kInteriorStyle, 4));
    Ellipse(p);
    Check(p.enc.OneWord(cgm::kEdgeVisibility, 0));
}

void Font(RecordedPicture &p) {
    GraphicsState &gs = gGraphics;
    CachedWord(p, cgm::kTextFontIndex, kCacheFont,
               4 * gs.effectiveFont - 3 + gs.fontAttributes % 4);
    CachedWord(p, cgm::kCharacterHeight, kCacheCharHeight,
               VdcCoordinate(0.55 * gs.charHeight * gs.refHeight));
    if (gs.refWidth * gs.charWidth > 0) gs.columns = gs.deviceWidth / (gs.refWidth * gs.charWidth);
    if (gs.refHeight * gs.charHeight > 0)
        gs.rows = gs.deviceHeight / (gs.refHeight * gs.charHeight);
}

// Character orientation: the up vector (-sin, cos) and the base vector (cos, sin) of the text
// direction, in thousandths.
void Orientation(RecordedPicture &p) {
    const GraphicsState &gs = gGraphics;
    Check(CgmCharacterOrientation(p.enc, -1000.0 * gs.dirSinOver, 1000.0 * gs.dirCos,
                                  1000.0 * gs.dirCos, 1000.0 * gs.dirSinTimes));
}

// The text of op 22. A text whose position the metafile cannot hold is left out.
void Text(RecordedPicture &p) {
    DriverOperands &o = gOperands;
    const GraphicsState &gs = gGraphics;
    o.Ixd(4) = 0;
    const double x1 = o.Rd(1), y1 = o.Rd(5), x2 = o.Rd(3), y2 = o.Rd(7);
    double x = x1, y = y1;
    if (gs.justification == 1) {
        x = (x1 + x2) / 2;
        y = (y1 + y2) / 2;
    } else if (gs.justification == 2) {
        x = x2;
        y = y2;
    }
    if (!InVdcRange(x, y)) return;
    const bool opaque = (gs.fontAttributes & 8) != 0 && gs.widthStyle != 1;
    if (opaque) {
        Check(p.enc.OneWord(cgm::kTransparency, 0));
        ColourElement(p, cgm::kAuxiliaryColour, kCacheAuxColour, gs.prevColour.rgb);
    }
    ColourElement(p, cgm::kTextColour, kCacheTextColour, gRecordingColour);
    const int horizontal = gs.widthStyle == 1 ? 1 : gs.justification + 1;
    if (p.cache[kCacheTextAlign] != horizontal) {
        p.enc.Start(cgm::kTextAlignment);
        p.enc.Word(horizontal);
        p.enc.Word(5);
        p.enc.Fixed(0);
        p.enc.Fixed(0);
        if (Check(p.enc.Finish())) p.cache[kCacheTextAlign] = horizontal;
    }
    const int n = std::min(std::max(o.Ixd(1), 0), kOperandTextLength);
    if (gs.widthStyle == 1) {
        p.enc.Start(cgm::kText);
    } else {
        p.enc.Start(cgm::kRestrictedText);
        p.enc.Word(VdcCoordinate(std::hypot(x2 - x1, y2 - y1)));
        p.enc.Word(VdcCoordinate(1.25 * std::max(p.cache[kCacheCharHeight], 0)));
    }
    p.enc.Point(VdcCoordinate(x), VdcCoordinate(y));
    p.enc.Word(1);
    p.enc.Text(o.ctext, static_cast<std::size_t>(n));
    Check(p.enc.Finish());
    if (opaque) Check(p.enc.OneWord(cgm::kTransparency, 1));
}

// The largest picture op 38 records: the cell array's counts are 16-bit words.
constexpr int kMaxCells = kMaxCellCount;

// Op 38: the image file of ctext, ixd(2) by iyd(2) pixels, as a cell array over the clip
// rectangle. The reader reports nothing; a failure leaves its error number as the library's
// (unreported), returns it in id(1) with the file status in id(2) and records nothing.
void Image(RecordedPicture &p) {
    DriverOperands &o = gOperands;
    const GraphicsState &gs = gGraphics;
    const int nx = o.Ixd(2), ny = o.Iyd(2);
    int status = 2, oserror = 0;  // a size that cannot be read counts as too large
    std::vector<int> pixels;
    if (nx > 0 && ny > 0 && nx <= kMaxCells && ny <= kMaxCells &&
        static_cast<long long>(nx) * ny <= kMaxImagePixels) {
        pixels.resize(static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny));
        status = ReadImageData(o.ctext, kOperandTextLength, nx, ny, pixels.data(), &oserror);
    }
    AnswerImageOp(status, oserror);
    if (status != 0) return;
    Check(WriteCellArray(p.enc, gs.cx1, gs.cy1, gs.cx2, gs.cy2, nx, ny, pixels.data()));
}

// The point setter of op 40: a recording has no pixels.
void NoPixels(const int *, const int *, const int *) {}

// The triangle routine of op 40: every triangle as one group of yygcgm9_.
void RecordTriangles(const int *x, const int *y, const int *c, const int *triangles, const int *,
                     const int *count, int *status) {
    for (int t = 0; t < *count; ++t) {
        int tx[3], ty[3], tc[3];
        for (int k = 0; k < 3; ++k) {
            const int v = triangles[3 * t + k] - 1;
            tx[k] = x[v];
            ty[k] = y[v];
            tc[k] = c[v];
        }
        yygcgm9_(tx, ty, tc);
    }
    *status = 0;
}

// Keeps slot N's bytes-used word up to date with its picture.
void NoteUsed(int n) {
    if (RecordedPicture *p = RecordedPictureOf(n))
        gSlots[n - 1].used = static_cast<int>(p->sink.size());
}

void EndPicture(RecordedPicture &p) {
    if (p.closed) return;
    p.sink.OpenReserve(true);
    Check(p.enc.Empty(cgm::kEndPicture));
    Check(p.enc.Empty(cgm::kEndMetafile));
    p.sink.OpenReserve(false);
    p.closed = true;
}

}  // namespace

RecordedPicture::RecordedPicture(std::size_t capacity)
    : sink(capacity, kRecordingEndBytes), enc(&sink) {
    ResetCache();
}

void RecordedPicture::ResetCache() { std::fill(cache, cache + kCacheItems, -1); }

void RecordingDrawingSize(int width, int height, int *dwidth, int *dheight) {
    std::int64_t w = static_cast<std::int64_t>(width) * 600 / 72;
    std::int64_t h = static_cast<std::int64_t>(height) * 600 / 72;
    std::int64_t larger = std::max(w, h);
    if (larger > 32767) {
        w = w * 32767 / larger;
        h = h * 32767 / larger;
    }
    *dwidth = static_cast<int>(w);
    *dheight = static_cast<int>(h);
}

RecordedPicture *RecordedPictureOf(int n) {
    return n >= 1 && n <= kSlots ? gPictures[n - 1].get() : nullptr;
}

int CurrentRecordingSlot() {
    const GraphicsState &gs = gGraphics;
    return gs.recording && gs.kind == kDrawMetafile && RecordedPictureOf(gs.id) ? gs.id : 0;
}

bool WriteRecordingHeader(RecordedPicture &p) {
    p.slotAspect = p.heightPt > 0 ? static_cast<float>(p.widthPt) / p.heightPt : 1.0f;
    bool ok = CgmBeginMetafile(p.enc, "ORN CGM File", "ORN CGM driver v4", kCgmFontNames, 16);
    ok = ok && CgmBeginPicture(p.enc, "ORN CGM Data", p.drawWidth, p.drawHeight);
    p.cache[kCacheTextAlign] = 1;
    return ok;
}

void EndRecordedPicture(int n) {
    if (RecordedPicture *p = RecordedPictureOf(n)) {
        EndPicture(*p);
        NoteUsed(n);
    }
}

void FreeRecordedPicture(int n) {
    if (n >= 1 && n <= kSlots) gPictures[n - 1].reset();
}

bool WriteCellArray(CgmEncoder &enc, int x1, int y1, int x2, int y2, const CellSource &source) {
    const int nx = std::min(source.width, kMaxCellCount),
              ny = std::min(source.height, kMaxCellCount);
    // Cell (col, row) shows the source pixel at the same place in the rectangle.
    auto at = [](int cell, int cells, int size) {
        return static_cast<int>(static_cast<long long>(cell) * size / cells);
    };
    enc.Start(cgm::kCellArray);
    enc.Point(x1, y2);
    enc.Point(x2, y1);
    enc.Point(x2, y2);
    enc.Word(nx);
    enc.Word(ny);
    enc.Word(8);
    enc.Word(1);  // packed cells: the pixels follow as r, g, b bytes, rows padded to even
    enc.Reserve(static_cast<std::size_t>(ny) * (3 * static_cast<std::size_t>(nx) + 1));
    for (int row = 0; row < ny; ++row) {
        const int y = at(row, ny, source.height);
        for (int col = 0; col < nx; ++col) {
            int r, g, b;
            ColourOf(source.pixel(source.context, at(col, nx, source.width), y), &r, &g, &b);
            enc.Colour(r, g, b);
        }
        if ((3 * nx) & 1) enc.Byte(0);
    }
    return enc.Finish(1024);
}

bool WriteCellArray(CgmEncoder &enc, int x1, int y1, int x2, int y2, int nx, int ny,
                    const int *pixels) {
    struct Array {
        const int *pixels;
        int width;
    } array{pixels, nx};
    CellSource source;
    source.width = nx;
    source.height = ny;
    source.context = &array;
    source.pixel = [](const void *context, int x, int y) {
        const Array &a = *static_cast<const Array *>(context);
        return a.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(a.width) +
                        static_cast<std::size_t>(x)];
    };
    return WriteCellArray(enc, x1, y1, x2, y2, source);
}

}  // namespace quill

using quill::RecordedPicture;

void yygcgm_(const int *op) {
    using namespace quill;
    RecordedPicture *pp = RecordedPictureOf(CurrentRecordingSlot());
    if (*op == kOpInit) {
        DescribeDevice("00000110111111100010011011100", 2, 1, 2);
        return;
    }
    if (*op == kOpColour || *op == kOpRefreshColours) {
        // In the palette model the colour is the entry as it stands now: a palette entry
        // changed since the colour was chosen records its new value.
        const GraphicsColour &c = gGraphics.colour;
        gRecordingColour =
            gGraphics.colourModel == kColourPalette && c.index >= 0 && c.index < kPaletteEntries
                ? gPalette.palette[c.index]
                : c.rgb;
        return;
    }
    if (*op == kOpReadPixel) {
        gOperands.Ixd(1) = -1;
        return;
    }
    if (!pp || pp->closed) return;
    RecordedPicture &p = *pp;
    DriverOperands &o = gOperands;
    const GraphicsState &gs = gGraphics;
    struct Note {
        ~Note() { NoteUsed(CurrentRecordingSlot()); }
    } note;
    switch (*op) {
    case kOpLine: Segment(p, o.Ixd(1), o.Iyd(1), o.Ixd(2), o.Iyd(2)); break;
    case kOpEllipse: OutlineEllipse(p); break;
    case kOpBegin: p.ResetCache(); break;
    case kOpEnd: EndPicture(p); break;
    case kOpFont: Font(p); break;
    case kOpText: Text(p); break;
    case kOpClip:
        Check(p.enc.OneWord(cgm::kClipIndicator, 1));
        p.enc.Start(cgm::kClipRectangle);
        p.enc.Point(gs.cx1, gs.cy1);
        p.enc.Point(gs.cx2, gs.cy2);
        Check(p.enc.Finish());
        break;
    case kOpPoint: Segment(p, o.Ixd(1), o.Iyd(1), o.Ixd(1), o.Iyd(1)); break;
    case kOpLineType: Check(p.enc.OneWord(cgm::kLineType, LineTypeCode(gs.lineType))); break;
    case kOpLineWidth:
        if (p.widthPt > 0)
            Check(p.enc.OneWord(cgm::kLineWidth,
                                VdcCoordinate(static_cast<double>(p.drawWidth) * gs.relLineWidth /
                                              (p.widthPt * 10.0))));
        break;
    case kOpPolyline:
        ColourElement(p, cgm::kLineColour, kCacheLineColour, gRecordingColour);
        BufferShape(p, false);
        break;
    case kOpDirection: Orientation(p); break;
    case kOpImage: Image(p); break;
    case kOpBeginPicture:
        if (p.sink.size() == 0) Check(WriteRecordingHeader(p));
        break;
    case kOpGradient:
        // Triangles with interpolated colours; a recording has no pixels to set one by one.
        GradientFillFromPolygon(o.xpoly, o.ypoly, false, 0, 2, gs.cx1, gs.cy1, gs.cx2, gs.cy2,
                                NoPixels, RecordTriangles);
        break;
    default:
        if (*op >= kOpEllipsePattern && *op <= kOpPolygonSolid) Filled(p, *op);
        break;
    }
}

namespace {
// Appends raw bytes to the current recording slot, whole or not at all.
void AppendRaw(const unsigned char *bytes, std::size_t n) {
    const int slot = quill::CurrentRecordingSlot();
    RecordedPicture *p = quill::RecordedPictureOf(slot);
    if (!p || p->closed) return;
    quill::Check(p->sink.Append(bytes, n));
    quill::NoteUsed(slot);
}
void Word16(unsigned char *out, int v) {
    out[0] = static_cast<unsigned char>((v >> 8) & 0xFF);
    out[1] = static_cast<unsigned char>(v & 0xFF);
}
void CountedText(const char *text, int n, int text_len, bool pad) {
    n = std::max(0, std::min({n, text_len, static_cast<int>(quill::CgmEncoder::kMaxString)}));
    unsigned char buf[256];
    buf[0] = static_cast<unsigned char>(n);
    std::memcpy(buf + 1, text, static_cast<std::size_t>(n));
    std::size_t len = 1 + static_cast<std::size_t>(n);
    if (pad && (len & 1)) buf[len++] = 0;
    AppendRaw(buf, len);
}
}  // namespace

void yygcgm1_(const unsigned char *bytes, const int *n) {
    if (*n > 0) AppendRaw(bytes, static_cast<std::size_t>(*n));
}

void yygcgm2_(const int *cls, const int *id, const int *length) {
    unsigned char b[2];
    Word16(b, (*cls & 15) << 12 | (*id & 127) << 5 | (*length & 31));
    AppendRaw(b, 2);
}

void yygcgm4_(const int *cls, const int *id, const int *r, const int *g, const int *b) {
    unsigned char e[6];
    Word16(e, (*cls & 15) << 12 | (*id & 127) << 5 | 3);
    e[2] = static_cast<unsigned char>(*r);
    e[3] = static_cast<unsigned char>(*g);
    e[4] = static_cast<unsigned char>(*b);
    e[5] = 0;
    AppendRaw(e, 6);
}

void yygcgm5_(const int *v) {
    unsigned char b[2];
    Word16(b, *v);
    AppendRaw(b, 2);
}

void yygcgm6_(const int *x, const int *y) {
    unsigned char b[4];
    Word16(b, *x);
    Word16(b + 2, *y);
    AppendRaw(b, 4);
}

void yygcgm7_(const char *text, const int *n, int text_len) {
    CountedText(text, *n, text_len, true);
}

void yygcgm8_(const char *text, const int *n, int text_len) {
    CountedText(text, *n, text_len, false);
}

void yygcgm9_(const int *x, const int *y, const int *c) {
    using namespace quill;
    const int slot = CurrentRecordingSlot();
    RecordedPicture *pp = RecordedPictureOf(slot);
    if (!pp || pp->closed) return;
    CgmEncoder &enc = pp->enc;
    struct Note {
        int n;
        ~Note() { NoteUsed(n); }
    } note{slot};
    Check(CgmGradientTriangle(enc, x, y, c));
}

void quill::StartRecordedMetafile(const int *n, const int *width, const int *height,
                                  const int *capacity, int *status) {
    using namespace quill;
    *status = 1;
    if (*n < 1 || *n > kSlots || gPictures[*n - 1] || gSlots[*n - 1].inUse) return;
    if (*width <= 0 || *height <= 0 || *capacity < kRecordingHeaderBytes + kRecordingEndBytes)
        return;
    auto p = std::make_unique<RecordedPicture>(static_cast<std::size_t>(*capacity));
    p->widthPt = *width;
    p->heightPt = *height;
    RecordingDrawingSize(*width, *height, &p->drawWidth, &p->drawHeight);
    if (!WriteRecordingHeader(*p)) return;
    MetafileSlot &slot = gSlots[*n - 1];
    slot.widthPoints = *width;
    slot.heightPoints = *height;
    slot.drawWidth = p->drawWidth;
    slot.drawHeight = p->drawHeight;
    slot.kind = kSlotRecorded;
    slot.inUse = 1;
    slot.capacity = *capacity;
    slot.used = static_cast<int>(p->sink.size());
    gPictures[*n - 1] = std::move(p);
    *status = 0;
}

void quill::CopyRecordedMetafile(const int *n, unsigned char *buffer, int *nbytes) {
    RecordedPicture *p = quill::RecordedPictureOf(*n);
    int size = p ? static_cast<int>(p->sink.size()) : 0;
    int copy = std::max(0, std::min(*nbytes, size));
    if (copy > 0) std::memcpy(buffer, p->sink.data(), static_cast<std::size_t>(copy));
    *nbytes = size;
}
