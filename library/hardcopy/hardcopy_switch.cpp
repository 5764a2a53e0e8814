// The hardcopy device table switch, and the open and close of a hardcopy.
#include <cstring>
#include <string>

#include "base/fixedtext.h"
#include "graphics/graphics_state.h"
#include "hardcopy/hardcopy_state.h"
#include "quillamorph/hardcopy.h"

HardcopyState yydefaulthardcopy() {
    HardcopyState h = {};
    h.driver = kDeviceWindowsPrinter;
    yyblanktext(h.defaultName, kHardcopyNameLength);
    yyblanktext(h.savedCommand, kHardcopyNameLength);
    yyblanktext(h.tempName, kHardcopyNameLength);
    yyblanktext(h.title, kHardcopyTitleLength);
    yyblanktext(h.dump.fileName, kHardcopyNameLength);
    h.lastPenX = h.lastPenY = -9999.0f;
    h.printerType = 28;
    h.plotterType = 1;
    h.hpgl2Mode = 1;
    return h;
}

HardcopyState gHardcopy = yydefaulthardcopy();

namespace {

// The hardcopy device table, indexed by device number - 1.
// Not built yet (hardcopy): the device drivers; every entry acts as an empty one until then.
const DriverRoutine kDeviceTable[kHardcopyDevices] = {};

}  // namespace

DriverRoutine yyhardcopydriver(int n) {
    if (n < 1 || n > kHardcopyDevices) return nullptr;
    return kDeviceTable[n - 1];
}

void xxhcif_(const int *op) {
    if (op == nullptr) return;
    DriverRoutine driver = yyhardcopydriver(gHardcopy.driver);
    if (driver != nullptr) driver(op);
}

void yyhdrv_(const int *op) {
    if (gHardcopy.open > 0) xxhcif_(op);
}

void igrhardcopyselect_(const int *itype, const int *ivalue) {
    if (itype == nullptr || *itype != 1 || ivalue == nullptr) return;
    gHardcopy.driver = *ivalue;
    const int op = kOpInit;
    xxhcif_(&op);
}

namespace {

// Ends what is open: the last page, then the output.
void CloseOpen() {
    if (gHardcopy.pagePending != 0) {
        gOperands.Id(1) = 32;
        gOperands.Id(2) = 1;
        quill::SendOp(kOpPage, kSideHardcopy);
    }
    quill::SendOp(kOpEnd, kSideHardcopy);
    gHardcopy.open = 0;
}

}  // namespace

void igrhardcopy_(const char *name, const char *title, int name_len, int title_len) {
    CloseOpen();
    const int nameLength = name != nullptr ? yytrimlen(name, name_len) : 0;
    if (name != nullptr && nameLength == 1 && (name[0] == 'S' || name[0] == 's')) {
        // Not built yet (hardcopy): running a saved print command over the temporary plot
        // file; only drivers that set the print-command flag can leave one.
        return;
    }
    // Probe: an empty entry leaves the device number unanswered and nothing opens.
    gOperands.Id(2) = kOpInitProbe;
    const int probe = kOpInit;
    xxhcif_(&probe);
    if (gOperands.Id(2) == kOpInitProbe) return;

    std::memcpy(gOperands.ctext, gHardcopy.defaultName, kHardcopyNameLength);
    gOperands.Id(2) = 1;
    if (nameLength > 0) {
        yyputtext(gOperands.ctext, kOperandTextLength, name, static_cast<std::size_t>(nameLength));
        gOperands.Id(2) = 0;
    }
    if (gHardcopy.printCommand != 0) {
        const std::string file(gOperands.ctext, kOperandTextLength);
        if (file.find(" @ ") != std::string::npos) {
            std::memcpy(gHardcopy.savedCommand, gOperands.ctext, kHardcopyNameLength);
            std::memcpy(gOperands.ctext, gHardcopy.tempName, kOperandTextLength);
        }
    }
    if (title != nullptr) {
        yyputtext(gHardcopy.title, kHardcopyTitleLength, title,
                  static_cast<std::size_t>(title_len > 0 ? title_len : 0));
        gOperands.Ixd(1) = 1;
    } else {
        gOperands.Ixd(1) = 0;
    }
    gHardcopy.open = 1;
    gOperands.Id(1) = 1;
    quill::SendOp(kOpBegin, kSideHardcopy);
    if (gGraphics.screenOutput == 0) {
        if (gHardcopy.pageHeight != 0) gGraphics.aspect = gHardcopy.pageWidth / gHardcopy.pageHeight;
        gGraphics.displayColours = gHardcopy.deviceColours;
    }
    gHardcopy.lastPenX = gHardcopy.lastPenY = -9999.0f;
    for (int op : {kOpLineWidth, kOpLineType, kOpLineJoin, kOpLineCap, kOpClip, kOpFont, kOpColour}) {
        quill::SendOp(op, kSideHardcopy);
    }
}

void yyhardcopyreset(bool keepOptions) {
    static const char kClose[] = "S";
    igrhardcopy_(kClose, nullptr, 1, 0);
    // Not built yet (hardcopy): keeping the option words across the reset (option "P"); no
    // option word can be set before the hardcopy options exist.
    (void)keepOptions;
    std::memset(gHardcopy.options, 0, sizeof gHardcopy.options);
    gOperands.Id(1) = 0;
    const int op = kOpInit;
    xxhcif_(&op);
    gOperands.Id(1) = 0;
}
