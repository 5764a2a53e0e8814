// Grid set-up from a dialog's attribute text.
#include "grid/grid_attributes.h"

// Not built yet (grid): the grid control; a [Grids] line builds nothing and uses none of the text,
// so the attribute parser goes on with the next line.
void yygridinitialise(HWND grid, const char *text, int *consumed) {
    (void)grid;
    (void)text;
    if (consumed) *consumed = 0;
}
