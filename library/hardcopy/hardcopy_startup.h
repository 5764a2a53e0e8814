// What the library's start-up and shutdown need of the hardcopy layer.
#ifndef QUILL_HARDCOPY_HARDCOPY_STARTUP_H
#define QUILL_HARDCOPY_HARDCOPY_STARTUP_H

namespace quill {

// At library initialisation: selects the printer, plotter and HP-GL/2 start values of the
// configuration file.
void InitialiseHardcopy(int printer, int plotter, int hpgl2);

// Windows build, before the first hardcopy call: enters the Windows printer and metafile
// drivers in the device table.
void EnterWindowsHardcopyDrivers();

// At library close: closes hardcopy when it is open.
void CloseHardcopy();

}  // namespace quill

// Windows build: installs hardcopy's part in the library's start-up and close into core.
namespace quill {
void InstallHardcopyLayer();
}

#endif
