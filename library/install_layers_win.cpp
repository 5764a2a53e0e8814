// Joins the Win32 halves of the layers at program start: graphics, hardcopy and the grid take
// their places in core's start-up, close, event loop and dialogs (see install_layers.cpp for
// why this is an object file of every program rather than an archive member).
#include "graphics/graphics_startup.h"
#include "grid/grid_control.h"
#include "hardcopy/hardcopy_startup.h"

namespace {

struct InstallWin32Layers {
    InstallWin32Layers() {
        quill::InstallGraphicsLayer();
        quill::InstallHardcopyLayer();
        quill::InstallGridLayer();
    }
} const gInstalled;

}  // namespace
