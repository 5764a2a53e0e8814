// The mapping of event positions to graphics coordinates, which graphics installs into the
// event loop. Win32 only.
#ifndef QUILL_GRAPHICS_EVENT_MAPPING_H
#define QUILL_GRAPHICS_EVENT_MAPPING_H

#include "quillamorph/events.h"

// Client size in pixels of a drawable: KIND 1 the client area of window slot INDEX, KIND 3
// field INDEX of the current dialog (0 the dialog itself); 0 x 0 for anything else.
void yydrawablesize_(const int *kind, const int *index, int *width, int *height);

namespace quill {

// Post-processing of an event of TYPE that the dispatchers returned: the graphics coordinates
// of its position, and positions in a window's client area turned into window units. Another
// drawable than the current target is mapped on a copy of the graphics state.
void MapEventPosition(int type, QuillEvent *message);

}  // namespace quill

#endif
