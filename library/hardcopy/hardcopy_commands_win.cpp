// The hardcopy routines that need Windows: running a print command and choosing the target of
// screen dumps.
#include "base/errors.h"
#include "base/fixedtext.h"
#include "base/system.h"
#include "hardcopy/hardcopy_commands.h"
#include "hardcopy/hardcopy_startup.h"
#include "hardcopy/hardcopy_state.h"
#include "quillamorph/hardcopy.h"

#include <string>

void yyprncmd_(const char *command, int command_len) {
    int variant = 0;
    yywinvariant_(&variant);
    std::string line = variant == 4 ? "cmd.exe /c " : "command.com /c ";
    line += yytrimmed(command, command_len);
    const int hide = 1, wait = 1, seconds = -1;
    int status = 0;
    yycmnd_(line.c_str(), &hide, &wait, &seconds, &status);
    // The runner answers 32 when the command finished; anything else is a failure.
    if (status != 32) {
        yysetsystemerror(status);
        yyraise(13);
    }
}

void igrprintimageselect_(const int *kind) {
    ScreenDump &d = gHardcopy.dump;
    if (kind != nullptr && *kind == 2) {
        d.target = 2;
        d.pageWidth = 756, d.pageHeight = 540;
        d.offsetX = 42, d.offsetY = -20;
        d.switch1 = d.switch2 = 1;
        yyputtext(d.fileName, kHardcopyNameLength, std::string("quildump.ps"));
        d.settings[5] = 2;
    } else {
        d.target = 10;
        // Not built yet (graphics): the page size, offsets, switch words and the last dump
        // setting come from the printer's page information; until then they stay as they are.
    }
    d.settings[0] = 0, d.settings[1] = 1, d.settings[2] = 0, d.settings[3] = 3, d.settings[4] = 0;
}

// Start-up's hardcopy step lives here, beside the routines it calls, so that every program
// linking the start-up links the print-command runner as well.
void yyhardcopyinitialise(int printer, int plotter, int hpgl2) {
    quill::SetPrintCommandRunner(yyprncmd_);
    iprinter_(&printer);
    iplotter_(&plotter);
    // A plotter type of 11 to 15 has chosen the HP-GL/2 mode already; HPGL2 0 keeps it.
    if (!(hpgl2 == 0 && gHardcopy.hpgl2ModeSet != 0)) iprinter2_(&hpgl2);
    const int printerTarget = 0;
    igrprintimageselect_(&printerTarget);
}
