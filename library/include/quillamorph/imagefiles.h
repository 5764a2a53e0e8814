// Image and graphics files: what kind of picture a file holds, and the pixels of BMP, PCX and
// PNG images.
#ifndef QUILLAMORPH_IMAGEFILES_H
#define QUILLAMORPH_IMAGEFILES_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Kind and size of the picture in FILENAME, told by its first 128 bytes. INFO(1) the type
// (1 BMP, 2 PCX, 3 Windows metafile, 4 HPGL, 5 HP-GL/2, 6 binary CGM, 7 fixed-size picture
// file, 8 Draw file, 9 terminal graphics, 10 PostScript, 11 PCL, 12 ESC/P2, 13 ESC/P, 14 DXF,
// 15 PNG, 16 SVG; -1 unknown, missing, shorter than 4 bytes or unreadable), INFO(2) and
// INFO(3) the width and height (pixels for images, points for the others), INFO(4) the colours
// or a kind, INFO(5) a format detail, INFO(6) the page count (HPGL, HP-GL/2), by type:
//   1 BMP   INFO(4) 2^bits (0 for 32 bits); INFO(5) 1 when run-length compressed, else 0
//   2 PCX   INFO(4) 2^(bits per plane x planes); INFO(5) the version byte
//   3       INFO(4) 0 plain (no size), 1 placeable, 2 enhanced metafile
//   4, 5    size from the plotter frame ("IP"); INFO(4) the pens (HPGL: by the plotter type of
//           the tag lines; HP-GL/2: 2 or 256 by the mode)
//   6       width 1000; height and INFO(4) from the picture
//   7       3201 by 2312; INFO(4) the picture count
//   10      INFO(4) 1 and the size when the second line is a "%%BoundingBox:" comment, else 0
//   11      INFO(4) 8 for a colour raster, else 2; INFO(5) the resolution
//   12      INFO(4) 8 for colour, else 0; INFO(5) the resolution
//   13      INFO(4) 8 for colour, else 0
//   14      the size from lines 14 and 16 of the file, as the library's DXF writer puts it
//   15 PNG  INFO(4) 2^24 (colour types 2, 6), 2^depth (type 3), else -1; INFO(5) the
//           interlace byte
//   16 SVG  the size from the "<svg" element's width and height
// Only the first NINFO entries are written; what a file does not give stays -1. Nothing is
// reported.
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
