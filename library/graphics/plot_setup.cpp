// The presentation-graphics plot set-up.
#include "graphics/plot_setup.h"

void yyplotdefaults() {
    // Not built yet (graphics): the plot units, the new-plot description, the axis angles
    // and the per-series style table.
}
