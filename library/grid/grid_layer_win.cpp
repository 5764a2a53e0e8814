// The grid's place in the library: its window classes at start-up and its field kind in the
// dialogs.
#include "core/layers.h"
#include "grid/grid_control.h"

namespace {

ATOM GridClassAtom() { return atomGrid; }

bool IsGrid(HWND window) { return quill::GridRecordOf(window) != nullptr; }

}  // namespace

void quill::InstallGridLayer() {
    LayerStartup startup = {};
    startup.registerClasses = yygridregister;
    InstallLayerStartup(kLayerGrid, startup);

    GridField field = {};
    field.classAtom = GridClassAtom;
    field.initialise = yygridinitialise;
    field.isGrid = IsGrid;
    field.copy = yygridcopy;
    field.clear = yyGridClear;
    field.enable = SetGridFieldState;
    SetGridField(field);
}
