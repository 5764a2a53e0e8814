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

// Sets hardcopy option CODE to VALUE; codes and values outside their ranges are ignored.
void igrhardcopyoptions_(const int *code, const int *value);

// Printer type (2 to 38), HP-GL/2 mode (1 to 5) and plotter type (1 to 10; 11 to 15 choose an
// HP-GL/2 mode) of the hardcopy devices.
void iprinter_(const int *type);
void iprinter2_(const int *mode);
void iplotter_(const int *type);

// The target of screen dumps: KIND 2 the PostScript dump file, anything else the printer.
void igrprintimageselect_(const int *kind);

QUILL_END_DECLS

#endif
