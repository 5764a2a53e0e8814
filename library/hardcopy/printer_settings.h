// Printer, plotter and HP-GL/2 settings of the hardcopy devices, and the raster printer
// profile that the printer type gives.
#ifndef QUILL_HARDCOPY_PRINTER_SETTINGS_H
#define QUILL_HARDCOPY_PRINTER_SETTINGS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Printer type 2 to 38 (27 excepted); anything else gives 28. Sets the raster profile.
void iprinter_(const int *type);
// HP-GL/2 mode 1 to 5; anything else derives it from the printer type.
void iprinter2_(const int *mode);
// Plotter type 1 to 10; 11 to 15 select HP-GL/2 mode 1 to 5 with plotter type 1.
void iplotter_(const int *type);

QUILL_END_DECLS

// What the raster printer driver and its printer codes read of the printer type.
struct RasterProfile {
    int printerClass;     // 1-12, position of the descriptor's first letter in "MFSXQ2LDP345"
    int planes;           // 1 or 3
    int colourMode;       // 1 "R", 2 "C", 0 otherwise
    int variant;          // 0-2
    int resolutions[4];   // dots per inch, best first
    int resolutionCount;  // 2, 3 or 4
    int passHeight;       // rows of one print pass
    int codeSet;          // printer code set number
};

extern RasterProfile gRasterProfile;

namespace quill {

// The five-character descriptor of printer type TYPE (2 to 38), or null for none.
const char *PrinterDescriptor(int type);

}  // namespace quill

#endif
