// Window classes of the grid control.
#include "grid/grid_classes.h"

// The grid control is not built yet: no grid class is registered, so a dialog that names one
// fails to load as a dialog with an unknown control class does.
void yygridregister() {}
