// What the library's start-up and shutdown need of the hardcopy layer.
//
// Not built yet (hardcopy): the device table and its drivers. Until they are, the start
// values of the configuration file stay in the library settings only (no device is
// selected), and hardcopy can never be open, so there is nothing to close.
#include "hardcopy/hardcopy_startup.h"

void yyhardcopyinitialise(int, int, int) {}

void yyhardcopyclose() {}
