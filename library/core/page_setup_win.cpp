// The page set-up dialog: paper size, margins, orientation and copies of the printer, which
// it keeps as the library's printer settings.
#include "core/commondialogs.h"

#include <commdlg.h>
#include <winspool.h>

#include <cstring>
#include <string>
#include <utility>

PrinterSettings gPrinter = {};

namespace {

// The printer's settings between calls (owned here, freed when replaced).
HGLOBAL gDevMode = nullptr;
HGLOBAL gDevNames = nullptr;
int gLastUnits = -1;
POINT gPaper = {0, 0};  // paper size of the kept settings, in their orientation

// Asks the window system for the default printer's settings without showing anything.
bool LoadDefaults(DWORD unitFlag) {
    PAGESETUPDLGA request = {};
    request.lStructSize = sizeof request;
    request.Flags = PSD_RETURNDEFAULT | unitFlag;
    if (!PageSetupDlgA(&request)) return false;
    gPaper = request.ptPaperSize;
    quill::ReplaceGlobal(&gDevMode, request.hDevMode);
    quill::ReplaceGlobal(&gDevNames, request.hDevNames);
    return true;
}

// Keeps the chosen printer as the library's printer settings; returns its colour count.
int KeepPrinter() {
    quill::DeviceNames names;
    if (quill::ReadDeviceNames(gDevNames, &names)) {
        gPrinter.device = names.device;
        gPrinter.driver = names.driver;
        gPrinter.port = names.port;
    }
    auto *mode = static_cast<DEVMODEA *>(GlobalLock(gDevMode));
    if (mode) {
        gPrinter.paperSize = mode->dmPaperSize;
        gPrinter.paperLength = mode->dmPaperLength;
        gPrinter.paperWidth = mode->dmPaperWidth;
        gPrinter.scale = mode->dmScale;
        gPrinter.defaultSource = mode->dmDefaultSource;
        gPrinter.printQuality = mode->dmPrintQuality;
        gPrinter.color = mode->dmColor;
        gPrinter.duplex = mode->dmDuplex;
        gPrinter.yResolution = mode->dmYResolution;
        gPrinter.ttOption = mode->dmTTOption;
        gPrinter.collate = mode->dmCollate;
        gPrinter.mediaType = mode->dmMediaType;
        gPrinter.ditherType = mode->dmDitherType;
        gPrinter.orientation = mode->dmOrientation;
        gPrinter.copies = mode->dmCopies;
    }
    gPrinter.chosen = 1;
    int colours = 0;
    if (HDC info = quill::KeptPrinterInfo(mode)) {
        colours = GetDeviceCaps(info, NUMCOLORS);
        DeleteDC(info);
    }
    if (mode) GlobalUnlock(gDevMode);
    return colours;
}

// The NUL-terminated text at OFFSET of a block of SIZE bytes, up to the block's end.
std::string TextAt(const char *block, SIZE_T size, WORD offset) {
    if (offset >= size) return std::string();
    return std::string(block + offset, strnlen(block + offset, size - offset));
}

// A copy of the global memory block SOURCE (null when it cannot be made).
HGLOBAL CopyGlobal(HGLOBAL source) {
    const SIZE_T size = source ? GlobalSize(source) : 0;
    const void *from = size > 0 ? GlobalLock(source) : nullptr;
    if (!from) return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    void *to = copy ? GlobalLock(copy) : nullptr;
    if (to) {
        std::memcpy(to, from, size);
        GlobalUnlock(copy);
    } else if (copy) {
        GlobalFree(copy);
        copy = nullptr;
    }
    GlobalUnlock(source);
    return copy;
}

// Frees a block the dialog was given or gave back, unless it is a kept one.
void FreeUnlessKept(HGLOBAL block) {
    if (block && block != gDevMode && block != gDevNames) GlobalFree(block);
}

}  // namespace

namespace quill {

bool HaveDefaultPrinter() {
    DWORD size = 0;
    GetDefaultPrinterA(nullptr, &size);
    return size > 0;
}

HDC KeptPrinterInfo(const DEVMODEA *mode) {
    const char *driver = gPrinter.driver.empty() ? nullptr : gPrinter.driver.c_str();
    return CreateICA(driver, gPrinter.device.c_str(), nullptr, mode);
}

bool ReadDeviceNames(HGLOBAL devNames, DeviceNames *names) {
    *names = DeviceNames();
    const SIZE_T size = devNames ? GlobalSize(devNames) : 0;
    const auto *block =
        size >= sizeof(DEVNAMES) ? static_cast<const char *>(GlobalLock(devNames)) : nullptr;
    if (!block) return false;
    const auto *header = reinterpret_cast<const DEVNAMES *>(block);
    names->device = TextAt(block, size, header->wDeviceOffset);
    names->driver = TextAt(block, size, header->wDriverOffset);
    names->port = TextAt(block, size, header->wOutputOffset);
    GlobalUnlock(devNames);
    return true;
}

void ReplaceGlobal(HGLOBAL *kept, HGLOBAL fresh) {
    if (*kept && *kept != fresh) GlobalFree(*kept);
    *kept = fresh;
}

}  // namespace quill

// Arguments: paper width and height out; printable width and height, left and top margins,
// orientation (0 portrait, 1 landscape) and copies in and out; units in (below 2: thousandths
// of an inch, else hundredths of a millimetre); number of colours out; answer out (1 OK,
// 0 cancelled or no printer installed).
void yyprintdialog_(int *paperWidth, int *paperHeight, int *printWidth, int *printHeight, int *left,
                    int *top, int *orientation, int *copies, const int *units, int *colours,
                    int *answer) {
    *answer = 0;
    // Without a printer the dialog would only show its own error box.
    if (!quill::HaveDefaultPrinter()) return;
    int unit = units ? *units : 0;
    DWORD unitFlag = unit < 2 ? PSD_INTHOUSANDTHSOFINCHES : PSD_INHUNDREDTHSOFMILLIMETERS;
    if (!gPrinter.chosen || !gDevMode || unit != gLastUnits) {
        if (!LoadDefaults(unitFlag)) return;
    }
    gLastUnits = unit;

    // The dialog works on copies of the kept settings, which change only when it is
    // confirmed: a cancelled dialog keeps nothing, not even the orientation and copies asked.
    PAGESETUPDLGA request = {};
    request.lStructSize = sizeof request;
    request.hDevMode = CopyGlobal(gDevMode);
    request.hDevNames = CopyGlobal(gDevNames);
    request.Flags = unitFlag | PSD_MARGINS;
    POINT paper = gPaper;
    if (auto *mode = static_cast<DEVMODEA *>(GlobalLock(request.hDevMode))) {
        short wanted = *orientation == 1 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        if (mode->dmOrientation != wanted) {
            std::swap(paper.x, paper.y);
            mode->dmOrientation = wanted;
        }
        mode->dmFields |= DM_ORIENTATION | DM_COPIES;
        mode->dmCopies = static_cast<short>(*copies);
        GlobalUnlock(request.hDevMode);
    }
    request.rtMargin.left = *left;
    request.rtMargin.top = *top;
    request.rtMargin.right = paper.x - *printWidth - *left;
    request.rtMargin.bottom = paper.y - *printHeight - *top;

    ModalFrame frame;
    quill::BeginModalBox(&frame);
    request.hwndOwner = frame.owner;
    BOOL ok = PageSetupDlgA(&request);
    quill::EndModalBox(&frame);
    if (!ok) {
        FreeUnlessKept(request.hDevMode);
        FreeUnlessKept(request.hDevNames);
        return;
    }

    quill::ReplaceGlobal(&gDevMode, request.hDevMode);
    quill::ReplaceGlobal(&gDevNames, request.hDevNames);
    gPaper = request.ptPaperSize;
    *paperWidth = request.ptPaperSize.x;
    *paperHeight = request.ptPaperSize.y;
    *left = request.rtMargin.left;
    *top = request.rtMargin.top;
    *printWidth = request.ptPaperSize.x - request.rtMargin.left - request.rtMargin.right;
    *printHeight = request.ptPaperSize.y - request.rtMargin.top - request.rtMargin.bottom;
    *colours = KeepPrinter();
    *orientation = gPrinter.orientation == DMORIENT_LANDSCAPE ? 1 : 0;
    *copies = gPrinter.copies;
    *answer = 1;
}
