// The hardcopy device table switch, and the open and close of a hardcopy.
#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/errors.h"
#include "base/fixedtext.h"
#include "graphics/graphics_state.h"
#include "hardcopy/drivers.h"
#include "hardcopy/hardcopy_commands.h"
#include "hardcopy/hardcopy_options.h"
#include "hardcopy/hardcopy_state.h"
#include "quillamorph/hardcopy.h"

HardcopyState quill::DefaultHardcopyState() {
    HardcopyState h = {};
    h.driver = kDeviceWindowsPrinter;
    BlankText(h.defaultName, kHardcopyNameLength);
    BlankText(h.savedCommand, kHardcopyNameLength);
    BlankText(h.tempName, kHardcopyNameLength);
    BlankText(h.title, kHardcopyTitleLength);
    BlankText(h.dump.fileName, kHardcopyNameLength);
    h.lastPenX = h.lastPenY = -9999.0f;
    h.printerType = 28;
    h.plotterType = 1;
    h.hpgl2Mode = 1;
    return h;
}

HardcopyState gHardcopy = quill::DefaultHardcopyState();

namespace {

struct DeviceEntry {
    HardcopyDevice device;
    DriverRoutine driver;
};

// The portable drivers; 5 and 7 stay empty.
constexpr DeviceEntry kPortableDrivers[] = {
    {kDeviceHpgl, xxhpgl_},      {kDevicePostScript, xxpost_},
    {kDeviceSvg, xxsvg_},        {kDeviceRasterPrinter, xxrast_},
    {kDeviceImageFile, xximag_}, {kDeviceDxf, xxdxf_},
    {kDeviceCgm, xxcgm_},        {kDeviceHpgl2, xxhpgl2_}};

constexpr std::array<DriverRoutine, kHardcopyDevices> PortableTable() {
    std::array<DriverRoutine, kHardcopyDevices> table = {};
    for (const DeviceEntry &entry : kPortableDrivers) table[entry.device - 1] = entry.driver;
    return table;
}

// The hardcopy device table, indexed by device number - 1: the one place naming every driver.
// The Windows printer and metafile drivers need the window system: the Windows build enters
// them at library start (SetWindowsHardcopyDrivers). The portable entries are filled at
// compile time, so that the table is complete before any code of the library runs.
std::array<DriverRoutine, kHardcopyDevices> kDeviceTable = PortableTable();

}  // namespace

void quill::SetWindowsHardcopyDrivers(DriverRoutine printer, DriverRoutine metafile) {
    kDeviceTable[kDeviceWindowsPrinter - 1] = printer;
    kDeviceTable[kDeviceWindowsMetafile - 1] = metafile;
}

DriverRoutine quill::HardcopyDriver(int n) {
    if (n < 1 || n > kHardcopyDevices) return nullptr;
    return kDeviceTable[n - 1];
}

void xxhcif_(const int *op) {
    if (op == nullptr) return;
    DriverRoutine driver = quill::HardcopyDriver(gHardcopy.driver);
    if (driver != nullptr) driver(op);
}

void yyhdrv_(const int *op) {
    if (gHardcopy.open > 0) xxhcif_(op);
}

void quill::InstallHardcopySide() { SetHardcopySide({yyhdrv_, ResetHardcopy}); }

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

// Op 1 to the current device: not a probe, so id(2) is 0 whatever an earlier probe left.
void InitDevice() {
    gOperands.Id(2) = 0;
    const int op = kOpInit;
    xxhcif_(&op);
}

}  // namespace

void igrhardcopyselect_(const int *itype, const int *ivalue) {
    if (itype == nullptr || *itype != 1 || ivalue == nullptr) return;
    // A hardcopy still open belongs to the old device: it is ended first.
    if (gHardcopy.open > 0) CloseOpen();
    gHardcopy.driver = *ivalue;
    gOperands.Id(1) = 0;
    InitDevice();
}

namespace {

quill::PrintCommandRunner gPrintRunner = nullptr;

// The operating system's code for a file name that is too long (ERROR_FILENAME_EXCED_RANGE).
constexpr int kNameTooLongCode = 206;

}  // namespace

void quill::SetPrintCommandRunner(PrintCommandRunner runner) { gPrintRunner = runner; }

namespace {

// The saved print command with the temporary plot file in place of its "@", run and then
// forgotten; the temporary file is deleted whether the command ran or not.
void RunSavedCommand() {
    const std::string saved = quill::TrimmedText(gHardcopy.savedCommand, kHardcopyNameLength);
    if (saved.empty()) return;
    const std::string temp = quill::TrimmedText(gHardcopy.tempName, kHardcopyNameLength);
    const std::size_t at = saved.find('@');
    std::string line =
        at == std::string::npos ? saved : saved.substr(0, at) + temp + saved.substr(at + 1);
    if (line.size() > kHardcopyNameLength) line.resize(kHardcopyNameLength);
    quill::BlankText(gHardcopy.savedCommand, kHardcopyNameLength);
    if (gPrintRunner != nullptr) gPrintRunner(line.c_str(), static_cast<int>(line.size()));
    std::remove(temp.c_str());
}

}  // namespace

void igrhardcopy_(const char *name, const char *title, int name_len, int title_len) {
    CloseOpen();
    const int nameLength = name != nullptr ? quill::TrimmedTextLength(name, name_len) : 0;
    if (name != nullptr && nameLength == 1 && (name[0] == 'S' || name[0] == 's')) {
        RunSavedCommand();
        return;
    }
    // Probe: an empty entry leaves the device number unanswered and nothing opens.
    gOperands.Id(2) = kOpInitProbe;
    const int probe = kOpInit;
    xxhcif_(&probe);
    if (gOperands.Id(2) == kOpInitProbe) return;
    // The file name operand holds 260 characters. A longer NAME, cut to them, would name
    // another file (an existing one is emptied) or, as a print command, another command; so it
    // opens nothing, as a file that cannot be created. The Windows printer does not use NAME.
    if (nameLength > kOperandTextLength && gOperands.Id(2) != kDeviceWindowsPrinter) {
        quill::SetFileError(kNameTooLongCode);
        quill::RaiseError(1);
        return;
    }

    std::memcpy(gOperands.ctext, gHardcopy.defaultName, kHardcopyNameLength);
    gOperands.Id(2) = 1;
    if (nameLength > 0) {
        quill::PutFixedText(gOperands.ctext, kOperandTextLength, name,
                            static_cast<std::size_t>(nameLength));
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
        quill::PutFixedText(gHardcopy.title, kHardcopyTitleLength, title,
                            static_cast<std::size_t>(title_len > 0 ? title_len : 0));
        gOperands.Ixd(1) = 1;
    } else {
        gOperands.Ixd(1) = 0;
    }
    gHardcopy.open = 1;
    gOperands.Id(1) = 1;
    quill::SendOp(kOpBegin, kSideHardcopy);
    if (gGraphics.screenOutput == 0) {
        quill::AdoptDeviceShape(gHardcopy.pageWidth, gHardcopy.pageHeight, gHardcopy.deviceColours);
    }
    gHardcopy.lastPenX = gHardcopy.lastPenY = -9999.0f;
    for (int op :
         {kOpLineWidth, kOpLineType, kOpLineJoin, kOpLineCap, kOpClip, kOpFont, kOpColour}) {
        quill::SendOp(op, kSideHardcopy);
    }
}

void quill::ResetHardcopy(bool keepOptions) {
    static const char kClose[] = "S";
    igrhardcopy_(kClose, nullptr, 1, 0);
    // Option "P" keeps only what the program set: the option words 1 to 29 and the default
    // file name are saved, and the device is told (id(1) = -998) to keep its settings.
    const bool keep = keepOptions && gHardcopy.optionsSet != 0;
    int saved[kHardcopyOptions];
    char savedName[kHardcopyNameLength];
    if (keep) {
        std::memcpy(saved, gHardcopy.options, sizeof saved);
        std::memcpy(savedName, gHardcopy.defaultName, sizeof savedName);
    }
    // Words 101 to 108 are the device defaults' own: op 1 sets them, or keeps them with -998.
    std::memset(gHardcopy.options, 0, sizeof gHardcopy.options);
    gOperands.Id(1) = keep ? kOpInitKeepOptions : 0;
    InitDevice();
    gOperands.Id(1) = 0;
    if (keep) {
        std::memcpy(gHardcopy.defaultName, savedName, sizeof savedName);
        // Every word goes back through the options routine, zeros included, so that each is
        // checked as a program's call would be (a width of 0 comes back as 1).
        for (int code = 1; code <= kHardcopyOptions; ++code)
            igrhardcopyoptions_(&code, &saved[code - 1]);
    }
}
