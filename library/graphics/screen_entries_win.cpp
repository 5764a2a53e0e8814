// The screen driver's entries into the image reader and the gradient filler.
#include "graphics/screen_driver.h"

int yydrawimagefile() {
    // Not built yet (graphics): reading and drawing the image file; until then every file
    // answers that it cannot be read.
    return 1;
}

void yyscreengradient() {
    // Not built yet (graphics): the gradient fill of op 40 on the screen.
}
