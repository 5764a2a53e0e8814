// The grid control as the rest of the library sees it.
#ifndef QUILL_GRID_GRID_ATTRIBUTES_H
#define QUILL_GRID_GRID_ATTRIBUTES_H

#include <windows.h>

// Builds a grid from its [Grids] line of a dialog's attribute text. TEXT points just behind
// the grid's field id; *CONSUMED receives how many characters of the text the grid used.
void yygridinitialise(HWND grid, const char *text, int *consumed);

#endif
