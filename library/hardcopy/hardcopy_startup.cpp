// What the library's shutdown needs of the hardcopy layer. (The start-up values need the
// screen-dump target, which needs the printer: hardcopy_commands_win.cpp.)
#include "hardcopy/hardcopy_startup.h"

#include "quillamorph/hardcopy.h"

void quill::CloseHardcopy() { igrhardcopy_("S", nullptr, 1, 0); }
