// Image and graphics files: what kind of picture a file holds, and the pixels of BMP, PCX and
// PNG images.
#ifndef QUILLAMORPH_IMAGEFILES_H
#define QUILLAMORPH_IMAGEFILES_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Kind and size of the picture in FILENAME. INFO(1) the type (1 BMP, 2 PCX, 3 Windows
// metafile, 4 HPGL, 5 HP-GL/2, 6 binary CGM, 7 fixed-size picture file, 8 Draw file,
// 9 terminal graphics, 10 PostScript, 11 PCL, 12 ESC/P2, 13 ESC/P, 14 DXF, 15 PNG, 16 SVG;
// -1 unknown, missing or unreadable), INFO(2) and INFO(3) the width and height (pixels for
// images, points for the others), INFO(4) the colours or a kind, INFO(5) a format detail,
// INFO(6) the page count. Only the first NINFO entries are written; what a file does not
// give stays -1. Nothing is reported.
void igrfileinfo_(const char *filename, int *info, const int *ninfo, int filename_len);

// The pixels of the BMP, PCX or PNG image FILENAME as RGB values (red + 256 x green + 65536 x
// blue), row after row from the top. IDATA must hold width x height values as igrfileinfo_
// gives them. Errors: 1 the file cannot be opened, 2 it is truncated, 27 not such an image, a
// variant not read (run-length BMP, interlaced PNG, grey PNG), a header refused, or a picture
// of more than 67,108,864 pixels (8192 x 8192), which no image path of the library takes;
// 1044 the PNG data does not decompress to its size (zlib's status as the system error). On
// error IDATA is left as it was.
void igrloadimagedata_(const char *filename, int *idata, int filename_len);

QUILL_END_DECLS

#endif
