// The hardcopy routines that need Windows: running a print command and choosing the target of
// screen dumps.
#include "base/configuration.h"
#include "base/errors.h"
#include "base/fixedtext.h"
#include "base/system.h"
#include "hardcopy/hardcopy_commands.h"
#include "hardcopy/hardcopy_startup.h"
#include "hardcopy/hardcopy_state.h"
#include "graphics/image_entries.h"
#include "graphics/printer_dc.h"
#include "graphics/printer_info.h"
#include "hardcopy/image_read.h"
#include "hardcopy/image_screen.h"
#include "quillamorph/hardcopy.h"

#include <algorithm>
#include <string>

void yyprncmd_(const char *command, int command_len) {
    int variant = 0;
    yywinvariant_(&variant);
    std::string line = variant == 4 ? "cmd.exe /c " : "command.com /c ";
    line += quill::TrimmedText(command, command_len);
    const int hide = 1, wait = 1, seconds = -1;
    int status = 0;
    yycmnd_(line.c_str(), &hide, &wait, &seconds, &status);
    // The runner answers 32 when the command finished; anything else is a failure.
    if (status != 32) {
        quill::SetSystemError(status);
        quill::RaiseError(13);
    }
}

void igrprintimageselect_(const int *kind) {
    ScreenDump &d = gHardcopy.dump;
    if (kind != nullptr && *kind == 2) {
        d.target = kDevicePostScript;
        d.pageWidth = 756, d.pageHeight = 540;
        d.offsetX = 42, d.offsetY = -20;
        d.switch1 = d.switch2 = 1;
        quill::PutFixedText(d.fileName, kHardcopyNameLength, std::string("quildump.ps"));
        d.settings[5] = 2;
    } else {
        // The printer's printable area and margins, its orientation and copy words; a
        // printer driver may change the floating-point control state.
        d.target = kDeviceWindowsPrinter;
        int pageLong = 0, pageShort = 0, printLong = 0, printShort = 0, offsetLong = 0,
            offsetShort = 0, rotate = 0, one = 0, colours = 0, error = 0;
        yysavefp_();
        yywprinfo_(&pageLong, &pageShort, &printLong, &printShort, &offsetLong, &offsetShort,
                   &rotate, &one, &colours, &error);
        yyrestfp_();
        d.pageWidth = static_cast<float>(printLong), d.pageHeight = static_cast<float>(printShort);
        d.offsetX = static_cast<float>(offsetLong), d.offsetY = static_cast<float>(offsetShort);
        d.switch1 = rotate, d.switch2 = one;
        d.settings[5] = std::min(2, colours);
    }
    d.settings[0] = 0, d.settings[1] = 1, d.settings[2] = 0, d.settings[3] = 3, d.settings[4] = 0;
}

namespace {

// The screen dump as the screen driver prints it: the chosen target and page, landscape
// for the printer's rotation word, at least one copy.
void ScreenDumpOf(quill::ScreenDumpPage *page) {
    const ScreenDump &d = gHardcopy.dump;
    page->target = d.target;
    page->width = static_cast<int>(d.pageWidth), page->height = static_cast<int>(d.pageHeight);
    page->x = static_cast<int>(d.offsetX), page->y = static_cast<int>(d.offsetY);
    page->landscape = d.switch1;
    page->copies = std::max(1, d.switch2);
}

}  // namespace

// Start-up's hardcopy step lives here, beside the routines it calls, so that every program
// linking the start-up links the print-command runner as well.
void quill::InitialiseHardcopy(int printer, int plotter, int hpgl2) {
    quill::SetPrintCommandRunner(yyprncmd_);
    // A file name with a print command writes the plot into the temporary plot file that
    // start-up named in the temporary directory.
    PutFixedText(gHardcopy.tempName, kHardcopyNameLength, std::string(gSettings.tmpPlot));
    // The graphics drivers draw image files through the image layer.
    quill::SetImageDataReader(quill::ReadImageForDrivers);
    quill::SetImageDrawer(yyloadimage_);
    quill::SetScreenDumpChoice(ScreenDumpOf);
    iprinter_(&printer);
    iplotter_(&plotter);
    // A plotter type of 11 to 15 has chosen the HP-GL/2 mode already; HPGL2 0 keeps it.
    if (!(hpgl2 == 0 && gHardcopy.hpgl2ModeSet != 0)) iprinter2_(&hpgl2);
    const int printerTarget = 0;
    igrprintimageselect_(&printerTarget);
}
