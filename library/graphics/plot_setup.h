// The presentation-graphics plot set-up. Free of any window system.
#ifndef QUILL_GRAPHICS_PLOT_SETUP_H
#define QUILL_GRAPHICS_PLOT_SETUP_H

// The plot set-up's defaults, as graphics initialisation sets them last.
void yyplotdefaults();

#endif
