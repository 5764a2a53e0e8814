// The hardcopy side of the driver protocol: the state words of the hardcopy layer, the device
// table switch and the open and close of a hardcopy.
//
// How a driver uses it: a hardcopy driver is a DriverRoutine (graphics/driver_protocol.h)
// named in the device table (kHardcopyDevices entries, indexed by the device number
// gHardcopy.driver). On op 1 it fills gDevice and the words marked "set at op 1" below; on a
// probe (id(2) = -999) it only writes its device number into id(2). While it draws on a page
// it sets pagePending; op 20 clears it. It reads its output file name from the operand ctext
// at op 18 and the title from gHardcopy.title when ixd(1) is 1.
//
// Free of any window system.
#ifndef QUILL_HARDCOPY_HARDCOPY_STATE_H
#define QUILL_HARDCOPY_HARDCOPY_STATE_H

#include "graphics/driver_protocol.h"
#include "quillamorph/convention.h"

// Device numbers of the hardcopy device table.
enum HardcopyDevice {
    kDeviceHpgl = 1,
    kDevicePostScript = 2,
    kDeviceSvg = 3,
    kDeviceRasterPrinter = 4,
    kDeviceEmpty5 = 5,  // no driver: selecting it opens nothing
    kDeviceImageFile = 6,
    kDeviceEmpty7 = 7,  // no driver
    kDeviceDxf = 8,
    kDeviceCgm = 9,
    kDeviceWindowsPrinter = 10,
    kDeviceWindowsMetafile = 11,
    kDeviceHpgl2 = 12,
};
constexpr int kHardcopyDevices = 12;
constexpr int kHardcopyOptions = 29;
constexpr int kHardcopyMoreOptions = 8;
constexpr int kHardcopyNameLength = 260;
constexpr int kHardcopyTitleLength = 200;

// Where the screen driver's op 20 sends a dump of the drawable.
struct ScreenDump {
    int target;  // 0 none chosen, kDevicePostScript (a file) or kDeviceWindowsPrinter
    float pageWidth, pageHeight;  // points (1/72 inch)
    float offsetX, offsetY;       // points
    int switch1, switch2;
    int settings[6];  // the remaining dump settings
    char fileName[kHardcopyNameLength];
};

struct HardcopyState {
    int driver;                     // device number, 1-12; 10 at start
    int open;                       // 1 while a hardcopy is open
    int pagePending;                // set by drivers drawing on a page, cleared at op 20
    int printCommand;               // set at op 1: 1 when a file name may carry a print command
    int options[kHardcopyOptions];  // the hardcopy option words
    int moreOptions[kHardcopyMoreOptions];   // option words 101-108
    int optionsSet;                          // 1 once any option word was set by the program
    char defaultName[kHardcopyNameLength];   // set at op 1: the driver's default file name
    char savedCommand[kHardcopyNameLength];  // a print command waiting for the close
    char tempName[kHardcopyNameLength];      // temporary plot file for print commands
    char title[kHardcopyTitleLength];        // title of the open hardcopy
    int deviceColours;                       // set at op 1: number of colours of the device
    float pageWidth, pageHeight;             // set at op 1: page size in points
    float lastPenX, lastPenY;                // last pen position; -9999 at open
    // Printer settings.
    int printerType, printerTypeSet;
    int plotterType, plotterTypeSet;
    int hpgl2Mode, hpgl2ModeSet;
    ScreenDump dump;
};

// The one hardcopy state of the process.
extern HardcopyState gHardcopy;

namespace quill {

// The state at library start: device 10, nothing open, no option set, blank names, no dump
// destination.
HardcopyState DefaultHardcopyState();

// The driver of device number N (1-12), or null for an empty entry or a number outside 1-12.
DriverRoutine HardcopyDriver(int n);

// Steps 8 to 11 of graphics initialisation: closes any hardcopy ("S"), clears the option words
// and sends op 1 to the current device. KEEPOPTIONS keeps what the program set through
// igrhardcopyoptions_ (option words 1 to 29 and the default file name), when it set any.
void ResetHardcopy(bool keepOptions);

// Enters the Windows printer and Windows metafile drivers (devices 10 and 11) in the device
// table; null empties an entry.
void SetWindowsHardcopyDrivers(DriverRoutine printer, DriverRoutine metafile);

// Installs the hardcopy side (yyhdrv_ and ResetHardcopy) into the driver protocol.
void InstallHardcopySide();

}  // namespace quill

QUILL_BEGIN_DECLS

// Calls the driver of the current device number with OP; nothing for an empty entry.
void xxhcif_(const int *op);

// The hardcopy side of the driver protocol: the current device's driver while a hardcopy is
// open, nothing otherwise.
void yyhdrv_(const int *op);

QUILL_END_DECLS

#endif
