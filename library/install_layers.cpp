// Joins the portable layers at program start. A layer links only the layers below it, so a
// lower layer reaches a higher one only through what the higher one installs. This file is
// linked as an object file into every program and test that uses the library (an archive
// member that nothing references would be left out) and installs them before main runs. The
// records it fills are constant-initialised, so the order of construction does not matter.
#include "hardcopy/hardcopy_state.h"

namespace {

struct InstallPortableLayers {
    InstallPortableLayers() { quill::InstallHardcopySide(); }
} const gInstalled;

}  // namespace
