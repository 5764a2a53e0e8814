// Window classes of the grid control.
#ifndef QUILL_GRID_GRID_CLASSES_H
#define QUILL_GRID_GRID_CLASSES_H

// Registers the grid control's window classes; called once when the root window is created.
void yygridregister();

#endif
