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
void xxwin_(const int *op);    // device 10, Windows build only
void xxwmf_(const int *op);    // device 11, Windows build only

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

// The PostScript writers: the colour of RGB (-1: black) as red, green and blue 0 to 1 after
// the colour rule; the end of the pending path (MODE 1 stroke, 2 fill, 3 only its colour);
// three, two or one real (F9.2, a whole value's last "0" dropped) and a word; the line writer
// (at most 255 characters, blanks compacted); the raw line writer (text unchanged, at most 255
// characters); the ellipse (5), sector (13) or arc (34) of the operands.
void yypos1_(int rgb, double &r, double &g, double &b);
void yypos2_(int mode);
void yypos3_(double a, double b, double c, const std::string &word);
void yypos4_(double a, double b, const std::string &word);
void yypos5_(double a, const std::string &word);
void yypos6_(const std::string &text);
void yypos7_(const std::string &text);
void yypos0_(int op);

// The CGM element writers over the file's element encoder: the red, green and blue of RGB
// after the colour rule; the start of element CLS, ID (its header word, class x 4096 + id x 32
// + parameter length, is put in front when the element ends); a device point scaled to VDC
// (truncated, limited to 16 bits); a direct colour with its three bytes; a 16-bit word; a point
// of two words; a counted string (cut at 254 characters); a counted string that ends the
// element (padded to an even length); a POLYGON (4, 7) or, for any other CLS, ID, a POLYLINE
// of a point list in VDC (long form when needed), clipped to the 16-bit range as
// graphics/cgm_shapes.h says.
void yycgm1_(int rgb, int &r, int &g, int &b);
void yycgm2_(int cls, int id);
void yycgm3_(double x, double y);
void yycgm4_(int r, int g, int b);
void yycgm5_(int v);
void yycgm6_(int x, int y);
void yycgm7_(const std::string &text);
void yycgm8_(const std::string &text);
void yycgm9_(int cls, int id, const std::vector<double> &x, const std::vector<double> &y);

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
