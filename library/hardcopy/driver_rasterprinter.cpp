// The raster printer file driver (device 4): each page is drawn into the memory raster and
// written at its end as printer codes for the configured printer type (PCL, ESC/P2 or
// dot-matrix bit images), a file meant to be copied to the printer.
#include "hardcopy/drivers.h"

#include "base/errors.h"
#include "hardcopy/driver_support.h"
#include "hardcopy/memory_raster.h"
#include "hardcopy/printer_codes.h"
#include "hardcopy/printer_settings.h"

#include <algorithm>
#include <cstdint>

namespace {

bool Landscape() { return quill::HardcopyOption(kOptLandscape) % 2 != 0; }

// The orientation and resolution choice the raster was made for: a change of the options while
// the hardcopy is open does not alter pages drawn on the raster already made.
bool gRasterLandscape = false;
int gRasterChoice = 0;

// The raster of one resolution choice: pixels across and up the drawing and the dots per
// inch along each raster axis.
struct PrinterGeometry {
    std::int64_t width = 0, height = 0;
    double ppiX = 0, ppiY = 0;
    std::int64_t words = 0;  // all planes
};

PrinterGeometry GeometryOf(int choice, int planes) {
    const RasterProfile &p = gRasterProfile;
    const int cls = p.printerClass;
    const double xres = p.resolutions[choice - 1];
    double yres = xres;
    if (cls == 5) {
        yres = 180;
    } else if (cls < 5) {
        yres = static_cast<double>(
            static_cast<std::int64_t>(p.passHeight * 216.0 / p.codeSet * (xres > 100 ? 2 : 1)));
    }
    PrinterGeometry g;
    const bool landscape = Landscape();
    g.ppiX = landscape ? yres : xres;
    g.ppiY = landscape ? xres : yres;
    // Sizes in 64 bits and limited far above any raster that can be held, so that a huge
    // page is refused by the word count and never wraps.
    auto pixels = [](double ppi, int points) {
        const double v = ppi * std::max(points, 0) / 72.0;
        return static_cast<std::int64_t>(std::min(v, 1e12));
    };
    g.width = pixels(g.ppiX, quill::HardcopyOption(kOptPageWidth));
    g.height = pixels(g.ppiY, quill::HardcopyOption(kOptPageHeight));
    g.words = planes * ((g.width + 31) / 32) * g.height;
    return g;
}

void Init(const int *op) {
    yyvras_(op);
    const RasterProfile &p = gRasterProfile;
    const bool pcl = p.printerClass > kClassDotMatrixLast;
    quill::SetHardcopyPageDefaults(576, 432, pcl ? 100 : 0, pcl ? 70 : 0, pcl ? 1 : 0);
    if (gOperands.Id(1) != kOpInitKeepOptions) {
        quill::HardcopyOptionSlot(kOptResolution) = std::min(p.resolutionCount, 2);
        quill::HardcopyOptionSlot(kOptResetFlags) = 3;
        quill::HardcopyOptionSlot(kOptExtraMode) = 0;
        quill::HardcopyOptionSlot(kOptCompression) = std::min(p.variant, 2);
    }
    quill::SetHardcopyDeviceWords(kDeviceRasterPrinter, 1 << p.planes,
                                  "00000111111111110010011011000", 1, "quilplot.prn");
    gHardcopy.driver = kDeviceRasterPrinter;
}

// Sizes and allocates the raster at the chosen resolution, or the next lower one that can be
// held; false (the error raised) when none can.
bool Allocate() {
    const RasterProfile &p = gRasterProfile;
    if (quill::HardcopyOption(kOptResolution) == 0) {
        quill::RaiseError(5);
        return false;
    }
    const int planes = quill::HardcopyOption(kOptColourRule) == 1 ? 1 : p.planes;
    const int bits = planes == 1 ? 1 : 3;
    const std::uint32_t background = bits == 3 && p.colourMode == 1 ? 0xFFFFFFFFu : 0u;
    for (int choice = std::max(quill::HardcopyOption(kOptResolution), 1);
         choice <= p.resolutionCount; ++choice) {
        const PrinterGeometry g = GeometryOf(choice, planes);
        if (g.words + 1 > kRasterWordCap) continue;
        quill::HardcopyOptionSlot(kOptResolution) = choice;
        gRasterLandscape = Landscape();
        gRasterChoice = choice;
        return quill::BeginMemoryRaster(static_cast<int>(g.width), static_cast<int>(g.height), bits,
                                        background, g.ppiX, g.ppiY, p.colourMode);
    }
    quill::RaiseError(34);
    return false;
}

void Begin(const int *op) {
    if (gOperands.Id(1) > 0 && !Allocate()) {
        gHardcopy.open = 0;
        return;
    }
    quill::OpenMemoryRaster(op);
}

// Writes a page that was drawn on as printer codes and starts a clear one.
void EndPage() {
    gHardcopy.pagePending = 0;
    const MemoryRaster &r = gRaster;
    if (!r.dirty || r.words.empty()) return;
    const bool landscape = gRasterLandscape;
    gPrinterRaster.words = r.words.data();
    gPrinterRaster.width = r.width;
    gPrinterRaster.height = r.height;
    gPrinterRaster.wordsPerRow = r.wordsPerRow;
    gPrinterRaster.wordsPerPlane = static_cast<std::size_t>(r.wordsPerPlane);
    gPrinterRaster.planes = r.planes;
    gPrinterRaster.landscape = landscape;
    gPrinterRaster.resolutionChoice = gRasterChoice;
    if (landscape) {
        yypcod_(r.height, r.width);
    } else {
        yypcod_(r.width, r.height);
    }
    if (!quill::PlotErrorFlag())
        yydump_(quill::RasterPixelTester(gRasterProfile.printerClass, r.bits, landscape));
    gPrinterRaster = PrinterRaster{};
    gRaster.dirty = 0;
    const int clear = kOpClear;
    yyvras_(&clear);
}

}  // namespace

void xxrast_(const int *op) {
    if (op == nullptr || quill::AnswerProbe(*op, kDeviceRasterPrinter)) return;
    switch (*op) {
    case kOpInit: Init(op); break;
    case kOpBegin: Begin(op); break;
    case kOpPage: EndPage(); break;
    case kOpEnd:
        // A page drawn on and not yet ended is written before the file closes.
        EndPage();
        yyvras_(op);
        break;
    default: yyvras_(op); break;
    }
}
