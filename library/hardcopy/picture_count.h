// Counting the pictures or pages of plot files for file information: binary CGM files, byte-
// coded picture files and HP-GL or HP-GL/2 text files. Every count is at least 1; a truncated
// or damaged file gives the open error or error 2, never a crash or a hang.
#ifndef QUILL_HARDCOPY_PICTURE_COUNT_H
#define QUILL_HARDCOPY_PICTURE_COUNT_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// PICTURES the END PICTURE elements of the CGM file (at least 1); ASPECT the width-to-height
// ratio of its MAXIMUM VDC EXTENT, else of its VDC EXTENT, else 1.0.
void yyinfocgm_(const char *filename, int *pictures, float *aspect, int filename_len);

// PICTURES of a byte-coded picture file.
void yycntpic_(const char *filename, int *pictures, int filename_len);

// PAGES of an HP-GL or HP-GL/2 file by the page tags of the HPGL and HP-GL/2 drivers.
void yycnthpg_(const char *filename, int *pages, int filename_len);

QUILL_END_DECLS

// A signed integer of PRECISION bits (8, 16, 24 or 32) from big-endian BYTES.
int yyrepcgmint_(const unsigned char *bytes, int precision);

// A 32-bit IEEE real from big-endian BYTES.
float yyrepcgmreal_(const unsigned char *bytes);

#endif
