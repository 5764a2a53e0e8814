// The printer device context, the printer's page information and screen dumps to the printer.
//
// The printer is the one chosen in the page set-up dialog or, when none was chosen, the
// system's default printer; the page settings of the page set-up are applied to the device
// mode where the printer supports them.
#include "graphics/printer_dc.h"

#include "base/fixedtext.h"
#include "core/commondialogs.h"
#include "graphics/drawing_target.h"
#include "graphics/printer_info.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const short kNotSet16 = -1;
const DWORD kNotSet32 = 99999;
const int kNoPrinterError = 1801;  // "The printer name is invalid"

// The running screen dump: its printer context and its size in printer pixels.
HDC gDumpDC = nullptr;
int gDumpWidth = 0, gDumpHeight = 0;

// The item of TEXT up to a comma or the end, leading blanks skipped; *TEXT moves past it.
std::string Item(const char **text) {
    const char *p = *text;
    while (*p == ' ') ++p;
    std::size_t n = 0;
    while (p[n] && p[n] != ',') ++n;
    *text = p[n] == ',' ? p + n + 1 : p + n;
    return std::string(p, n);
}

// The system profile's "Device" entry of the "windows" section, read whole (empty when none).
std::string DefaultDeviceEntry() {
    // The entry holds three names; a buffer the text fills to its last byte may have cut it.
    constexpr DWORD kLongest = 1 << 16;
    for (DWORD size = 553; size <= kLongest; size *= 2) {
        std::vector<char> entry(size);
        DWORD n = GetProfileStringA("windows", "Device", "", entry.data(), size);
        if (n + 1 < size) return std::string(entry.data(), n);
    }
    return std::string();
}

// The last-error code, never 0: a failed printer lookup must not read as success.
int FailureCode() {
    DWORD code = GetLastError();
    return code ? static_cast<int>(code) : kNoPrinterError;
}

// Makes sure the printer names are known: the page set-up's choice or the default printer.
bool HavePrinter() { return gPrinter.chosen || yywprintername(); }

void ResetPageSettings() {
    gPrinter.paperSize = gPrinter.paperLength = gPrinter.paperWidth = kNotSet16;
    gPrinter.scale = gPrinter.defaultSource = gPrinter.printQuality = kNotSet16;
    gPrinter.color = gPrinter.duplex = gPrinter.yResolution = kNotSet16;
    gPrinter.ttOption = gPrinter.collate = kNotSet16;
    gPrinter.mediaType = gPrinter.ditherType = kNotSet32;
}

// Sets FIELD of MODE to VALUE when the printer supports it (FLAG in dmFields) and the value is
// set; true when something changed.
template <class T, class V>
bool Apply(DEVMODEA *mode, DWORD flag, T *field, V value, V notset) {
    if (value == notset || !(mode->dmFields & flag)) return false;
    *field = static_cast<T>(value);
    return true;
}

}  // namespace

int yywprintername() {
    if (gPrinter.chosen) return 1;
    const std::string entry = DefaultDeviceEntry();
    const char *rest = entry.c_str();
    gPrinter.device = Item(&rest);
    gPrinter.driver = Item(&rest);
    gPrinter.port = Item(&rest);
    return gPrinter.device.empty() ? 0 : 1;
}

HDC yywprgetdc(const int *ilandscape, const int *ncopies) {
    if (!HavePrinter()) return nullptr;
    HANDLE printer = nullptr;
    char *device = gPrinter.device.data();
    if (!OpenPrinterA(device, &printer, nullptr)) return nullptr;
    LONG size = DocumentPropertiesA(nullptr, printer, device, nullptr, nullptr, 0);
    if (size <= 0) {
        ClosePrinter(printer);
        return nullptr;
    }
    std::vector<char> buffer(static_cast<std::size_t>(size) * 2);
    DEVMODEA *mode = reinterpret_cast<DEVMODEA *>(buffer.data());
    if (DocumentPropertiesA(nullptr, printer, device, mode, nullptr, DM_OUT_BUFFER) != IDOK) {
        ClosePrinter(printer);
        return nullptr;
    }
    bool changed = false;
    short orientation = ilandscape && *ilandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    changed |= Apply(mode, DM_ORIENTATION, &mode->dmOrientation, orientation, short(0));
    if (ncopies)
        changed |= Apply(mode, DM_COPIES, &mode->dmCopies, static_cast<short>(*ncopies), short(0));
    changed |= Apply(mode, DM_PAPERSIZE, &mode->dmPaperSize, gPrinter.paperSize, kNotSet16);
    changed |= Apply(mode, DM_PAPERLENGTH, &mode->dmPaperLength, gPrinter.paperLength, kNotSet16);
    changed |= Apply(mode, DM_PAPERWIDTH, &mode->dmPaperWidth, gPrinter.paperWidth, kNotSet16);
    changed |= Apply(mode, DM_SCALE, &mode->dmScale, gPrinter.scale, kNotSet16);
    changed |=
        Apply(mode, DM_DEFAULTSOURCE, &mode->dmDefaultSource, gPrinter.defaultSource, kNotSet16);
    changed |=
        Apply(mode, DM_PRINTQUALITY, &mode->dmPrintQuality, gPrinter.printQuality, kNotSet16);
    changed |= Apply(mode, DM_COLOR, &mode->dmColor, gPrinter.color, kNotSet16);
    changed |= Apply(mode, DM_DUPLEX, &mode->dmDuplex, gPrinter.duplex, kNotSet16);
    changed |= Apply(mode, DM_YRESOLUTION, &mode->dmYResolution, gPrinter.yResolution, kNotSet16);
    changed |= Apply(mode, DM_TTOPTION, &mode->dmTTOption, gPrinter.ttOption, kNotSet16);
    changed |= Apply(mode, DM_COLLATE, &mode->dmCollate, gPrinter.collate, kNotSet16);
    changed |= Apply(mode, DM_MEDIATYPE, &mode->dmMediaType, gPrinter.mediaType, kNotSet32);
    changed |= Apply(mode, DM_DITHERTYPE, &mode->dmDitherType, gPrinter.ditherType, kNotSet32);
    if (changed)
        DocumentPropertiesA(nullptr, printer, device, mode, mode, DM_IN_BUFFER | DM_OUT_BUFFER);
    ClosePrinter(printer);
    return CreateDCA(gPrinter.driver.empty() ? nullptr : gPrinter.driver.c_str(), device, nullptr,
                     mode);
}

void yywprinfo_(int *ipagel, int *ipages, int *iprintl, int *iprints, int *ioffl, int *ioffs,
                int *irot, int *ione, int *ncolours, int *ierr) {
    *ipagel = *ipages = *iprintl = *iprints = *ioffl = *ioffs = *irot = *ione = *ncolours = 0;
    *ierr = 0;
    SetLastError(0);
    if (!HavePrinter()) {
        *ierr = FailureCode();
        return;
    }
    HDC info = quill::KeptPrinterInfo(nullptr);
    if (!info) {
        *ierr = FailureCode();
        return;
    }
    quill::PrinterPage page = quill::PrinterPageInPoints(
        GetDeviceCaps(info, PHYSICALWIDTH), GetDeviceCaps(info, PHYSICALHEIGHT),
        GetDeviceCaps(info, LOGPIXELSX), GetDeviceCaps(info, LOGPIXELSY));
    *ncolours = GetDeviceCaps(info, NUMCOLORS);
    DeleteDC(info);
    *ipagel = page.pageLong;
    *ipages = page.pageShort;
    *iprintl = page.printLong;
    *iprints = page.printShort;
    *ioffl = page.offsetLong;
    *ioffs = page.offsetShort;
    *irot = 1;
    *ione = 1;
    ResetPageSettings();
}

HDC quill::StartPrinterDocument(const int *landscape, const int *copies, const char *docname) {
    HDC dc = yywprgetdc(landscape, copies);
    if (dc == nullptr) return nullptr;
    DOCINFOA doc = {};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = docname;
    if (StartDocA(dc, &doc) <= 0) {
        DeleteDC(dc);
        return nullptr;
    }
    return dc;
}

void yywindumpstart_(const int *iw, const int *ih, const int *ix, const int *iy, int *istatus,
                     const int *ilandscape, const int *ncopies, const char *docname,
                     int docname_len) {
    *istatus = 1;
    if (gDumpDC) return;
    const std::string name = quill::TextUpToNul(docname, docname_len);
    HDC dc = quill::StartPrinterDocument(ilandscape, ncopies, name.c_str());
    if (!dc) return;
    *istatus = 0;
    gDumpDC = dc;
    int dpix = GetDeviceCaps(dc, LOGPIXELSX), dpiy = GetDeviceCaps(dc, LOGPIXELSY);
    int offx = GetDeviceCaps(dc, PHYSICALOFFSETX), offy = GetDeviceCaps(dc, PHYSICALOFFSETY);
    gDumpWidth = quill::PointsToPixels(*iw, dpix);
    gDumpHeight = quill::PointsToPixels(*ih, dpiy);
    StartPage(dc);
    SetWindowOrgEx(dc, offx - quill::PointsToPixels(*ix, dpix),
                   offy - quill::PointsToPixels(*iy, dpiy), nullptr);
    SetWindowExtEx(dc, gDumpWidth, gDumpHeight, nullptr);
    SetBkMode(dc, TRANSPARENT);
}

void yywindumpblit_(const int *ix1, const int *iy1, const int *ix2, const int *iy2, int *istatus) {
    *istatus = 1;
    if (!gDumpDC || !quill::TargetDC() || *ix2 < *ix1 || *iy2 < *iy1) return;
    const int width = *ix2 - *ix1 + 1, height = *iy2 - *iy1 + 1;
    const DWORD rop = quill::PlotModeBlitRop(quill::TargetPlotMode());
    HDC mem = CreateCompatibleDC(quill::TargetDC());
    HBITMAP bitmap = CreateCompatibleBitmap(quill::TargetDC(), width, height);
    if (!mem || !bitmap) {
        if (bitmap) DeleteObject(bitmap);
        if (mem) DeleteDC(mem);
        return;
    }
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, width, height, quill::TargetDC(), *ix1, *iy1, rop);
    SelectObject(mem, old);

    BITMAP info = {};
    GetObject(bitmap, sizeof info, &info);
    // The next of 1, 4, 8 or 24 bits per pixel; more than 24 bits is printed as 24.
    int bits = info.bmPlanes * info.bmBitsPixel;
    bits = bits <= 1 ? 1 : bits <= 4 ? 4 : bits <= 8 ? 8 : 24;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bits);
    header.biCompression = BI_RGB;
    const int table = yywprpalsize(&header);
    const std::size_t row = (static_cast<std::size_t>(bits) * width + 31) / 32 * 4;
    std::vector<unsigned char> memory(sizeof header + table + row * height);
    std::memcpy(memory.data(), &header, sizeof header);
    BITMAPINFO *bmi = reinterpret_cast<BITMAPINFO *>(memory.data());
    if (table > 0) {
        // The colour table of the library's palette, or the system's default palette.
        HPALETTE pal = quill::TargetPalette()
                           ? quill::TargetPalette()
                           : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
        int entries = table / 4;
        std::vector<PALETTEENTRY> pe(entries);
        int got = GetPaletteEntries(pal, 0, entries, pe.data());
        for (int i = 0; i < got; ++i) {
            bmi->bmiColors[i].rgbRed = pe[i].peRed;
            bmi->bmiColors[i].rgbGreen = pe[i].peGreen;
            bmi->bmiColors[i].rgbBlue = pe[i].peBlue;
        }
    }
    unsigned char *pixels = memory.data() + sizeof header + table;
    int lines = GetDIBits(mem, bitmap, 0, height, pixels, bmi, DIB_RGB_COLORS);
    if (lines == height &&
        StretchDIBits(gDumpDC, 0, 0, gDumpWidth, gDumpHeight, 0, 0, width, height, pixels, bmi,
                      DIB_RGB_COLORS, rop) != static_cast<int>(GDI_ERROR))
        *istatus = 0;
    DeleteObject(bitmap);
    DeleteDC(mem);
}

void yywindumpend_() {
    if (!gDumpDC) return;
    EndPage(gDumpDC);
    EndDoc(gDumpDC);
    DeleteDC(gDumpDC);
    gDumpDC = nullptr;
    gDumpWidth = gDumpHeight = 0;
}
