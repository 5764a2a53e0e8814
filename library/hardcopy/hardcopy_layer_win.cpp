// Hardcopy's place in the library's start-up and close.
#include "base/configuration.h"
#include "core/layers.h"
#include "hardcopy/hardcopy_startup.h"

namespace {

// Once the configuration is read: the Windows drivers enter the device table, then the
// printer, plotter and HP-GL/2 values of the configuration are selected.
void StartFromConfiguration() {
    quill::EnterWindowsHardcopyDrivers();
    quill::InitialiseHardcopy(gSettings.printer, gSettings.plotter, gSettings.hpgl2);
}

}  // namespace

void quill::InstallHardcopyLayer() {
    LayerStartup startup = {};
    startup.configured = StartFromConfiguration;
    startup.close = CloseHardcopy;
    InstallLayerStartup(kLayerHardcopy, startup);
}
