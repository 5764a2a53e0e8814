// The hardcopy drivers of the device table and the routines they share with other layers.
#ifndef QUILL_HARDCOPY_DRIVERS_H
#define QUILL_HARDCOPY_DRIVERS_H

#include "quillamorph/convention.h"

#include <string>
#include <vector>

QUILL_BEGIN_DECLS

void xxhpgl_(const int *op);   // device 1
void xxpost_(const int *op);   // device 2
void xxsvg_(const int *op);    // device 3
void xxdxf_(const int *op);    // device 8
void xxcgm_(const int *op);    // device 9
void xxhpgl2_(const int *op);  // device 12
void xxrast_(const int *op);   // device 4
void xximag_(const int *op);   // device 6

// The image writers of device 6: the memory raster's page as a PNG, BMP (run-length encoded
// with option 26 = 2) or PCX image into the page's file.
void yypng1_(void);
void yybmp1_(void);
void yypcx1_(void);
// Writes the raster row of plane PLANE that starts at word ROWOFFSET of the plane, BYTES + 1
// bytes, as one PCX-encoded plane row into the plot file.
void yypcx2_(const int *rowoffset, const int *plane, const int *bytesminus1);
// Sets the file size and the image size fields of the finished BMP FILENAME from its length.
void yybmp2_(const char *filename, int filename_len);

// Six lower-case hexadecimal digits of red, green and blue (0 to 255) into HEX.
void yyrgbhex_(const int *r, const int *g, const int *b, char *hex, int hex_len);

// The SVG arc or sector path of op 13 or 34 from the operands.
void yysvg2_(const int *op);

QUILL_END_DECLS

// The SVG number text of VALUE: F8.2 without blanks; a whole number loses ".00", another a
// final "0" (100.5, 100.25, 100). FIRST and LAST are 1 and the text's length.
void yysvg1_(double value, std::string &text, int &first, int &last);

// The HP-GL/2 writers: a command line, the encoded polyline through device points (PE7, data,
// ";"; a new line past 246 characters), the pen colour line, the raster fill pattern of the
// current colour and an arc or sector outline from the operands.
void yyhpgl2b_(const std::string &text);
void yyhpgl2a_(const std::vector<double> &x, const std::vector<double> &y);
void yyhpgl2d_(int pen, int rgb);
void yyhpgl2c_();
void yyhpgl2e_(bool sector);

// The DXF value writers: one text line (a blank for an empty one), two lines, a code and a
// real, a text and an integer, two codes with a scaled point, and the start of an entity.
void yydxf1_(const std::string &text);
void yydxf4_(const std::string &a, const std::string &b);
void yydxf5_(const std::string &code, double value);
void yydxf6_(const std::string &text, int value);
void yydxf3_(const std::string &cx, const std::string &cy, double x, double y);
void yydxf2_(const std::string &name);

#endif
