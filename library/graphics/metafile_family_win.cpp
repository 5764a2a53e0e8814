// The metafile family: drawing into a plain, placeable or enhanced Windows metafile, to a
// file or to the clipboard, and playing metafile files back onto a drawable.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "base/errors.h"
#include "base/fixedtext.h"
#include "core/commondialogs.h"
#include "graphics/draw_families.h"
#include "graphics/draw_family.h"
#include "graphics/drawing_target.h"
#include "graphics/printer_dc.h"

namespace {

constexpr int kPlaceableHeader = 22;
constexpr int kFormatPlain = 0, kFormatPlaceable = 1, kFormatEnhanced = 2;

struct MetafileFamily {
    quill::DrawFamily draw;
    bool open = false;
    int format = 0;  // 0 plain, 1 placeable, 2 enhanced
    bool clipboard = false;
    int width = 0, height = 0;     // hundredths of a millimetre
    int extentX = 0, extentY = 0;  // logical size drawn on
    std::FILE *file = nullptr;     // the placeable file, header written
    std::string fileName;
};

MetafileFamily gWmf;

quill::DrawFamily &F() { return gWmf.draw; }

// True while a metafile is open: the primitives do nothing otherwise.
bool Open() { return gWmf.open && gWmf.draw.dc != nullptr; }

void PutWord(unsigned char *p, unsigned v) {
    p[0] = static_cast<unsigned char>(v & 0xFF);
    p[1] = static_cast<unsigned char>((v >> 8) & 0xFF);
}

// The reference device of an enhanced metafile: the selected printer when one is known, else
// the screen. Released with ReleaseReference.
HDC Reference(bool *screen) {
    *screen = false;
    if (gPrinter.chosen || yywprintername()) {
        HDC info = quill::KeptPrinterInfo(nullptr);
        if (info != nullptr) return info;
    }
    *screen = true;
    return GetDC(nullptr);
}

void ReleaseReference(HDC dc, bool screen) {
    if (screen)
        ReleaseDC(nullptr, dc);
    else
        DeleteDC(dc);
}

// Removes a placeable file that could not be completed.
void DropFile() {
    if (gWmf.file != nullptr) std::fclose(gWmf.file);
    gWmf.file = nullptr;
    if (!gWmf.fileName.empty()) std::remove(gWmf.fileName.c_str());
}

bool OpenEnhanced(int width, int height, const std::string &name, const std::string &description) {
    bool screen = false;
    HDC ref = Reference(&screen);
    if (ref == nullptr) return false;
    const int dpi = GetDeviceCaps(ref, LOGPIXELSX);
    const double hres = GetDeviceCaps(ref, HORZRES), vres = GetDeviceCaps(ref, VERTRES);
    const double hsize = std::max(GetDeviceCaps(ref, HORZSIZE), 1),
                 vsize = std::max(GetDeviceCaps(ref, VERTSIZE), 1);
    gWmf.extentX = static_cast<int>(width * hres * 25.4 / (hsize * 720.0));
    gWmf.extentY = static_cast<int>(height * vres * 25.4 / (vsize * 720.0));
    RECT frame = {0, 0, gWmf.width, gWmf.height};
    // The description: the text, a NUL and a second NUL ending the pair.
    std::string text = description;
    text.push_back('\0');
    text.push_back('\0');
    HDC dc = CreateEnhMetaFileA(ref, gWmf.clipboard || name.empty() ? nullptr : name.c_str(),
                                &frame, text.c_str());
    ReleaseReference(ref, screen);
    if (dc == nullptr) return false;
    quill::FamilyStart(F(), dc, dpi > 0 ? dpi : 600);
    return true;
}

bool OpenPlain(int width, int height, const std::string &name, int boxright, int boxbottom,
               int checksum) {
    if (gWmf.format == kFormatPlaceable && !gWmf.clipboard) {
        gWmf.file = std::fopen(name.c_str(), "wb");
        if (gWmf.file == nullptr) return false;
        gWmf.fileName = name;
        unsigned char header[kPlaceableHeader] = {};
        PutWord(header, 0xCDD7);
        PutWord(header + 2, 0x9AC6);
        PutWord(header + 10, static_cast<unsigned>(boxright));
        PutWord(header + 12, static_cast<unsigned>(boxbottom));
        PutWord(header + 14, 1000);
        PutWord(header + 20, static_cast<unsigned>(checksum));
        if (std::fwrite(header, 1, sizeof header, gWmf.file) != sizeof header) {
            DropFile();
            return false;
        }
    }
    const bool inFile = gWmf.format == kFormatPlain && !gWmf.clipboard;
    HDC dc = CreateMetaFileA(inFile ? name.c_str() : nullptr);
    if (dc == nullptr) {
        DropFile();
        return false;
    }
    // Logical units are tenths of a point; dashed pens stay cosmetic here.
    quill::FamilyStart(F(), dc, 720);
    SetMapMode(dc, MM_ANISOTROPIC);
    gWmf.extentX = width;
    gWmf.extentY = height;
    return true;
}

// Puts the closed metafile on the clipboard; true when the clipboard took it.
bool ToClipboard(HANDLE data, UINT format) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    const bool taken = SetClipboardData(format, data) != nullptr;
    CloseClipboard();
    return taken;
}

void CloseEnhanced(HDC dc) {
    HENHMETAFILE h = CloseEnhMetaFile(dc);
    if (h == nullptr) {
        quill::RaiseError(1);
        return;
    }
    if (gWmf.clipboard && ToClipboard(h, CF_ENHMETAFILE)) return;
    DeleteEnhMetaFile(h);
}

void ClosePlain(HDC dc) {
    HMETAFILE h = CloseMetaFile(dc);
    if (h == nullptr) {
        DropFile();
        quill::RaiseError(1);
        return;
    }
    if (gWmf.clipboard) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
        HMETAFILE copy = CopyMetaFileA(h, nullptr);
        METAFILEPICT *pict = memory ? static_cast<METAFILEPICT *>(GlobalLock(memory)) : nullptr;
        if (pict != nullptr && copy != nullptr) {
            pict->mm = MM_ANISOTROPIC;
            pict->xExt = gWmf.width;
            pict->yExt = gWmf.height;
            pict->hMF = copy;
            GlobalUnlock(memory);
            if (ToClipboard(memory, CF_METAFILEPICT)) memory = nullptr, copy = nullptr;
        }
        if (copy != nullptr) DeleteMetaFile(copy);
        if (memory != nullptr) GlobalFree(memory);
    } else if (gWmf.file != nullptr) {
        const UINT size = GetMetaFileBitsEx(h, 0, nullptr);
        std::vector<unsigned char> bits(size);
        bool written = size > 0 && GetMetaFileBitsEx(h, size, bits.data()) == size &&
                       std::fwrite(bits.data(), 1, size, gWmf.file) == size;
        written = std::fclose(gWmf.file) == 0 && written;
        gWmf.file = nullptr;
        if (!written) {
            DropFile();
            quill::RaiseError(1);
        }
    }
    DeleteMetaFile(h);
}

// The window extent a plain metafile sets for itself, from its records; 0 when it sets none.
void RecordedExtent(const unsigned char *data, std::size_t size, int *wx, int *wy) {
    *wx = *wy = 0;
    std::size_t at = 18;  // the metafile header
    while (at + 6 <= size) {
        const std::size_t words = data[at] | data[at + 1] << 8 | data[at + 2] << 16 |
                                  static_cast<std::size_t>(data[at + 3]) << 24;
        const unsigned function = data[at + 4] | data[at + 5] << 8;
        if (words < 3 || function == 0) return;
        if (function == 0x020C && at + 10 <= size) {  // the window extent: y, then x
            *wy = static_cast<short>(data[at + 6] | data[at + 7] << 8);
            *wx = static_cast<short>(data[at + 8] | data[at + 9] << 8);
            return;
        }
        if (words > (size - at) / 2) return;
        at += words * 2;
    }
}

// Plays a plain metafile into another plain metafile being recorded: its window origin and
// extent are made to put the played metafile's units onto (X1, Y1)-(X2, Y2), and the played
// metafile's own mapping records are left out.
int CALLBACK Nested(HDC dc, HANDLETABLE *table, METARECORD *record, int objects, LPARAM) {
    const WORD function = record->rdFunction;
    if (function == 0x020C || function == 0x020B || function == 0x0103) return 1;
    PlayMetaFileRecord(dc, table, record, static_cast<UINT>(objects));
    return 1;
}

}  // namespace

namespace quill {

bool MetafileExtent(int *width, int *height, int *format) {
    if (!Open()) return false;
    *width = gWmf.extentX;
    *height = gWmf.extentY;
    *format = gWmf.format;
    return true;
}

void *MetafileDrawingContext() { return Open() ? gWmf.draw.dc : nullptr; }

}  // namespace quill

void yywmfopen_(const int *width, const int *height, const int *format, const int *styleflag,
                const int *boxright, const int *boxbottom, const int *checksum,
                const int *clipboard, const char *filename, const char *description,
                int filename_len, int description_len) {
    if (gWmf.open) yywmfclose_();
    gWmf = MetafileFamily{};
    const int w = std::max(*width, 1), h = std::max(*height, 1);
    gWmf.format = *format;
    gWmf.clipboard = clipboard != nullptr && *clipboard != 0;
    gWmf.width = static_cast<int>(static_cast<long long>(w) * 254 / 72);
    gWmf.height = static_cast<int>(static_cast<long long>(h) * 254 / 72);
    const std::string name =
        filename != nullptr
            ? quill::TrimmedText(filename, static_cast<std::size_t>(std::max(filename_len, 0)))
            : "";
    const std::string text =
        description != nullptr
            ? quill::TrimmedText(description,
                                 static_cast<std::size_t>(std::max(description_len, 0)))
            : "";
    bool made = false;
    if (!gWmf.clipboard && name.empty()) {
        made = false;  // a metafile to a file needs a name
    } else if (gWmf.format == kFormatEnhanced) {
        made = OpenEnhanced(w, h, name, text);
        F().geometricPens = true;
        F().styleFlag = styleflag != nullptr ? *styleflag : 0;
    } else if (gWmf.format == kFormatPlain || gWmf.format == kFormatPlaceable) {
        made = OpenPlain(w, h, name, boxright ? *boxright : 0, boxbottom ? *boxbottom : 0,
                         checksum ? *checksum : 0);
    }
    if (!made) {
        gWmf = MetafileFamily{};
        quill::SetFileError(0);
        quill::RaiseError(1);
        return;
    }
    SetWindowExtEx(F().dc, w + 1, h + 1, nullptr);
    SetBkMode(F().dc, TRANSPARENT);
    gWmf.open = true;
}

void yywmfclose_() {
    if (!gWmf.open) return;
    HDC dc = F().dc;
    quill::FamilyRelease(F());
    if (gWmf.format == kFormatEnhanced)
        CloseEnhanced(dc);
    else
        ClosePlain(dc);
    gWmf = MetafileFamily{};
}

void yywmfplaymetafile_(const int *format, const int *x1, const int *y1, const int *x2,
                        const int *y2, const int *target, int *status, const char *filename,
                        int filename_len) {
    *status = 1;
    const std::string name =
        quill::TrimmedText(filename, static_cast<std::size_t>(std::max(filename_len, 0)));
    std::FILE *in = name.empty() ? nullptr : std::fopen(name.c_str(), "rb");
    if (in == nullptr) return;
    std::vector<unsigned char> data;
    unsigned char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        data.insert(data.end(), buffer, buffer + n);
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed) return;
    *status = 2;
    const std::size_t skip = *format == kFormatPlaceable ? kPlaceableHeader : 0;
    if (data.size() <= skip) return;
    const unsigned char *bits = data.data() + skip;
    const UINT size = static_cast<UINT>(std::min<std::size_t>(data.size() - skip, 0x7FFFFFFF));
    int ox = 0, oy = 0;
    const HDC dc = static_cast<HDC>(quill::TargetDrawingContext(*target, &ox, &oy));
    // The current drawable keeps the graphics layer's clip region while the picture plays.
    std::optional<quill::ClipScope> clip;
    if (*target == 0 && dc != nullptr) clip.emplace(dc);
    if (*format == kFormatEnhanced) {
        HENHMETAFILE h = SetEnhMetaFileBits(size, bits);
        if (h == nullptr) return;
        *status = 0;
        if (dc != nullptr) {
            // The rectangle is in the target's logical units, page origin included.
            RECT r = {*x1, *y1, *x2, *y2};
            PlayEnhMetaFile(dc, h, &r);
        } else {
            *status = 3;
        }
        DeleteEnhMetaFile(h);
        return;
    }
    HMETAFILE h = SetMetaFileBitsEx(size, bits);
    if (h == nullptr) return;
    *status = 0;
    if (dc == nullptr) {
        *status = 3;
        DeleteMetaFile(h);
        return;
    }
    const int saved = SaveDC(dc);
    const int w = *x2 - *x1 + 1, ht = *y2 - *y1 + 1;
    if (*target == 11 && gWmf.format != kFormatEnhanced) {
        // Into a plain or placeable metafile: the window is set so that the played units land
        // on the rectangle, scaled from that metafile's extent.
        int wx = 0, wy = 0;
        RecordedExtent(bits, size, &wx, &wy);
        if (wx <= 0) wx = w;
        if (wy <= 0) wy = ht;
        const int ex =
            static_cast<int>(static_cast<long long>(gWmf.extentX + 1) * wx / std::max(w, 1));
        const int ey =
            static_cast<int>(static_cast<long long>(gWmf.extentY + 1) * wy / std::max(ht, 1));
        SetWindowOrgEx(dc, -static_cast<int>(static_cast<long long>(*x1) * wx / std::max(w, 1)),
                       -static_cast<int>(static_cast<long long>(*y1) * wy / std::max(ht, 1)),
                       nullptr);
        SetWindowExtEx(dc, ex, ey, nullptr);
        EnumMetaFile(dc, h, Nested, 0);
        SetWindowOrgEx(dc, 0, 0, nullptr);
        SetWindowExtEx(dc, gWmf.extentX + 1, gWmf.extentY + 1, nullptr);
    } else {
        SetMapMode(dc, MM_ANISOTROPIC);
        // Viewport positions are device units: the printer's page origin is taken off.
        SetViewportOrgEx(dc, *x1 - ox, *y1 - oy, nullptr);
        SetViewportExtEx(dc, w, ht, nullptr);
        PlayMetaFile(dc, h);
    }
    if (saved != 0) RestoreDC(dc, saved);
    DeleteMetaFile(h);
}

void yywmfline_(const int *x1, const int *y1, const int *x2, const int *y2) {
    if (Open()) quill::FamilyLine(F(), *x1, *y1, *x2, *y2);
}

void yywmfcolour_(const int *r, const int *g, const int *b) {
    quill::FamilyColour(F(), *r, *g, *b);
}

void yywmfellipse_(const int *cx, const int *cy, const int *rx, const int *ry, const int *fill) {
    if (Open()) quill::FamilyEllipse(F(), *cx, *cy, *rx, *ry, *fill);
}

void yywmfrectangle_(const int *x1, const int *y1, const int *x2, const int *y2) {
    if (Open()) quill::FamilyRectangle(F(), *x1, *y1, *x2, *y2);
}

void yywmfarc_(const int *cx, const int *cy, const int *rx, const int *ry, const int *sx,
               const int *sy, const int *ex, const int *ey) {
    if (Open()) quill::FamilyArc(F(), *cx, *cy, *rx, *ry, *sx, *sy, *ex, *ey);
}

void yywmfoutlinearc_(const int *cx, const int *cy, const int *rx, const int *ry, const int *sx,
                      const int *sy, const int *ex, const int *ey, const int *flag) {
    if (Open()) quill::FamilyOutlineArc(F(), *cx, *cy, *rx, *ry, *sx, *sy, *ex, *ey, *flag);
}

void yywmfpolpoint_(const int *x, const int *y, const int *index) { yywinpolpoint_(x, y, index); }

void yywmfpolygon_(const int *count) {
    if (Open()) quill::FamilyPolygon(F(), *count, 4);
}

void yywmfpolyline_(const int *count) {
    if (Open()) quill::FamilyPolyline(F(), *count);
}

void yywmfpoint_(const int *x, const int *y) {
    if (Open()) quill::FamilyPoint(F(), *x, *y);
}

void yywmfpointrgb_(const int *x, const int *y, const int *rgb) {
    if (Open()) quill::FamilyPointRgb(F(), *x, *y, *rgb);
}

void yywmfclip_(const int *x1, const int *y1, const int *x2, const int *y2) {
    if (Open()) quill::FamilyClip(F(), *x1, *y1, *x2, *y2);
}

void yywmflinetype_(const int *type) { quill::FamilyLineType(F(), *type); }

void yywmflinewidth_(const int *width) { quill::FamilyLineWidth(F(), *width); }

void yywmftextsize_(const int *width, const int *height, const int *escapement, const int *font,
                    const int *attributes, const char *face, int face_len) {
    if (!Open()) return;
    int w = *width, h = *height, ascent = 0;
    quill::FamilyTextSize(F(), &w, &h, &ascent, *escapement, *font, *attributes, face, face_len,
                          false);
}

void yywmfdrawstring_(const int *x1, const int *y1, const int *x2, const int *y2,
                      const int *justification, const int *opaque, const char *text,
                      const int *length, int text_len) {
    if (!Open()) return;
    const int n = std::clamp(*length, 0, std::max(text_len, 0));
    quill::FamilyDrawString(F(), *x1, *y1, *x2, *y2, *justification, *opaque, text, n);
}

void yywmftextlength_(int *length, const char *text, const int *count, int text_len) {
    const int n = std::clamp(*count, 0, std::max(text_len, 0));
    *length = Open() ? quill::FamilyTextLength(F(), text, n) : 0;
}

void yywmfgradfill_(const int *x, const int *y, const int *c, const int *triangles,
                    const int *count_v, const int *count_t, int *status) {
    *status = Open() && quill::FamilyGradFill(F(), x, y, c, triangles, *count_v, *count_t) ? 0 : 1;
}

void yywmfcreatepen() {
    if (Open()) quill::FamilyCreatePen(F());
}

void yywmflinestyles() { quill::FamilyLineStyles(F()); }
