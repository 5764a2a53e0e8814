// The records through which the layers above core take part in start-up, close, events and
// dialogs. Each is constant-initialised (null pointers, or the grid field's defaults), so that
// it holds its start value before any constructor of the program runs and an installation made
// by a constructor is never overwritten, whatever the order of construction.
#include "core/layers.h"

namespace {

quill::LayerStartup gStartup[quill::kLayerCount];
quill::EventMapping gEventMapping;

// Without the grid no control is a grid field.
ATOM NoGridClass() { return 0; }
void NoGridInitialise(HWND, const char *, int *) {}
bool NotAGrid(HWND) { return false; }
void NoGridCopy(HWND, HWND, int) {}
void NoGridChange(HWND, int) {}
constexpr quill::GridField kNoGrid = {NoGridClass, NoGridInitialise, NotAGrid,
                                      NoGridCopy,  NoGridChange,     NoGridChange};
quill::GridField gGridField = kNoGrid;

// Runs the entry MEMBER of every installed layer, lowest first or (DOWNWARDS) highest first.
template <typename Member, typename... Args>
void RunLayers(Member member, bool downwards, Args... args) {
    for (int i = 0; i < quill::kLayerCount; ++i) {
        const quill::LayerStartup &layer = gStartup[downwards ? quill::kLayerCount - 1 - i : i];
        if (layer.*member != nullptr) (layer.*member)(args...);
    }
}

}  // namespace

namespace quill {

void InstallLayerStartup(Layer layer, const LayerStartup &startup) {
    if (layer >= 0 && layer < kLayerCount) gStartup[layer] = startup;
}

void LayersInitialise() { RunLayers(&LayerStartup::initialise, false); }
void LayersConfigured() { RunLayers(&LayerStartup::configured, false); }
void LayersRegisterClasses() { RunLayers(&LayerStartup::registerClasses, false); }
void LayersRootOpened(int ncolours) { RunLayers(&LayerStartup::rootOpened, false, ncolours); }
void LayersClose() { RunLayers(&LayerStartup::close, true); }
void LayersShutdown() { RunLayers(&LayerStartup::shutdown, true); }

void SetEventMapping(EventMapping mapping) { gEventMapping = mapping; }
EventMapping CurrentEventMapping() { return gEventMapping; }

void SetGridField(const GridField &field) {
    gGridField.classAtom = field.classAtom ? field.classAtom : kNoGrid.classAtom;
    gGridField.initialise = field.initialise ? field.initialise : kNoGrid.initialise;
    gGridField.isGrid = field.isGrid ? field.isGrid : kNoGrid.isGrid;
    gGridField.copy = field.copy ? field.copy : kNoGrid.copy;
    gGridField.clear = field.clear ? field.clear : kNoGrid.clear;
    gGridField.enable = field.enable ? field.enable : kNoGrid.enable;
}
const GridField &InstalledGridField() { return gGridField; }

}  // namespace quill
