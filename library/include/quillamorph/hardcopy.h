// Hardcopy: device selection, open and close.
#ifndef QUILLAMORPH_HARDCOPY_H
#define QUILLAMORPH_HARDCOPY_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// ITYPE 1: the hardcopy device number becomes IVALUE and the device resets its defaults.
void igrhardcopyselect_(const int *itype, const int *ivalue);

// Opens a hardcopy on the selected device (NAME: output file, TITLE: its title; both
// optional), or with NAME "S" closes the open one.
void igrhardcopy_(const char *name, const char *title, int name_len, int title_len);

QUILL_END_DECLS

#endif
