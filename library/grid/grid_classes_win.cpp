// Window classes of the grid control.
#include "grid/grid_classes.h"

// Not built yet (grid): the grid control; no grid class is registered, so a dialog that names one
// fails to load as a dialog with an unknown control class does.
void yygridregister() {}
