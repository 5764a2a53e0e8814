// Hardcopy: device selection, options, open and close of plot files, printer jobs and metafiles.
//
// A hardcopy copies the drawing of the graphics routines to one output device while it is
// open. The order of calls is: select the device (igrhardcopyselect_; this resets the device's
// options), set options (igrhardcopyoptions_), open (igrhardcopy_ with a file name), draw,
// close (igrhardcopy_ with "S"). Opening a second hardcopy, igrinit_ and windowclose_ close the
// open one as well.
//
// Devices (the number given to igrhardcopyselect_; default file name; default page):
//    1  HPGL plot file                 "quilplot.plt"  from the plotter type (iplotter_);
//                                                      type 1: 742 x 530 points, landscape
//    2  PostScript file                "quilplot.ps"   756 x 540 points, offsets 42 and -20,
//                                                      landscape
//    3  SVG file                       "quilplot.svg"  640 x 480 SVG user units
//    4  raster printer file: the       "quilplot.prn"  576 x 432 points; for the ESC/P2 and PCL
//       printer codes of the printer                   printer types offsets 100 and 70 points
//       type (iprinter_), to be copied                 and landscape
//       to the printer
//    6  image file: PCX, BMP or PNG    "quilplot.pcx"  640 x 480 pixels, portrait
//       (options 23 and 26)
//    8  DXF file (ASCII)               "quilplot.dxf"  756 x 540 points
//    9  CGM file (binary encoding)     "quilplot.cgm"  756 x 540 points
//   10  the Windows printer (the       no file         the printable area of the current
//       device at start)                               printer, portrait (468 x 648 points at
//                                                      offsets 72 and 72 without a printer)
//   11  Windows metafile               none: without   756 x 540 points, portrait
//                                      a NAME it goes
//                                      to the clipboard
//   12  HP-GL/2 plot file, or a PCL    "quilplot.plt"  742 x 530 points, landscape
//       printer file in HP-GL/2 mode
//       (iprinter2_)
// 5, 7 and numbers outside 1 to 12 select no device: a later igrhardcopy_ opens nothing,
// reports nothing, and drawing goes to the screen only. Page sizes and offsets are hardcopy
// options 1 to 5 (see igrhardcopyoptions_).
#ifndef QUILLAMORPH_HARDCOPY_H
#define QUILLAMORPH_HARDCOPY_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// ITYPE 1: device IVALUE (see the table above; any number is taken, there is no range check)
// becomes the hardcopy device. A hardcopy still open on the old device is closed first. The
// new device at once resets its defaults: the page options 1 to 4 and, except on devices 3, 8
// and 9, the orientation option 5; options 6 to 11 and 17 (6, 7, 10, 11 and 17 become 0, 8
// becomes 1 and 9 becomes 5); options 101 to 108; and the device's own options as listed
// under igrhardcopyoptions_. The other options keep their values. Set options after selecting
// the device. Any other ITYPE, or an absent argument, does nothing.
void igrhardcopyselect_(const int *itype, const int *ivalue);

// Opens a hardcopy on the selected device, or closes one.
// Whatever is open is closed first: a page drawn on is ended, then the output is closed.
// NAME "S" or "s" (one character after trailing blanks are cut): nothing more is opened; when
// an earlier open saved a print command (below), it is run now: the command's "@" is
// replaced by the temporary plot file's name and the line (at most 260 characters) is run
// hidden through the command interpreter, waiting for it to end; then the temporary plot file
// is deleted and the command forgotten. A command that does not finish raises error 13 with
// the runner's status as the system error status (the file is deleted all the same).
// Any other NAME opens: NAME (absent or blank: the device's default file name, see above) is
// the output file, created or emptied; on the Windows printer it is not used, on the Windows
// metafile a blank name records the metafile to the clipboard. On the HPGL, PostScript, raster
// printer and HP-GL/2 devices a NAME holding " @ " (blank, at sign, blank) is a print
// command instead: it is kept for the close with "S", and the output goes to the temporary
// plot file "orn$$nn.plt" (nn its number 00 to 99) in the directory named by TEMP, else TMP,
// else in the root of drive C. On the other devices such a NAME is an ordinary file name.
// TITLE (optional, cut to 200 characters) names the output: the PostScript "%%Title" comment,
// the HP-GL/2 "CO:" comment, the CGM metafile name, the printer document's name (default
// "Quillamorph") and the metafile's description; the other devices do not use it.
// On opening, the device receives the current line width, line type, line join and cap, clip
// rectangle, character size and colour. While the graphics are drawn without screen output
// (igrinit_ option "H"), the aspect ratio and number of colours become the device's.
// Errors: 1 the file cannot be created (or, device 10, no printer or the print job does not
// start; or NAME is longer than 260 characters after trailing blanks are cut, with the file
// error status 206: nothing is opened, and a file named by NAME's first 260 characters is not
// touched; device 10 does not use NAME and takes any), 2 a write fails, 5 a raster printer
// resolution choice of 0, 34 a page too large for the raster at every resolution (raster
// printer) or, on the image file, for memory or for its format (a PCX holds at most 32,768
// pixels each way, 32,766 across at 8 and 24 bits): the picture is then drawn smaller, keeping
// its shape, until it fits (a page whose format option changed to one that cannot hold it is
// written sampled down), 1044 a PNG that does not compress. After errors 1, 5 and the raster
// printer's 34 the hardcopy stays closed and nothing more is written. After error 2 nothing
// more is written to that file, and the close still closes it, left as far as it was written
// (a plot file without its ending) and not deleted.
void igrhardcopy_(const char *name, const char *title, int name_len, int title_len);

// Sets hardcopy option CODE to VALUE. A CODE other than 1 to 29 and 101 to 108, or a VALUE
// outside the code's range, is ignored without an error. Options 9, 10 and 11 are passed to an
// open hardcopy at once and apply to what is drawn next; the others are read by the device
// when the hardcopy opens, or when it next uses them where that is said below, so set them
// before igrhardcopy_. "Reset" gives the value that selecting a device gives (see
// igrhardcopyselect_); an option without one keeps its value until igrinit_ (without option
// "P") clears it to 0. Devices by number as above.
//
//  code  VALUE          meaning
//   1    above 0        page width in points (1/72 inch); device 6 pixels, device 3 SVG user
//                       units. Read at open by every device. Reset: the device's page (table
//                       above).
//   2    above 0        page height, as option 1.
//   3    any            horizontal offset of the drawing on the page in points: devices 1
//                       and 12 (the plotter frame P1, P2), 2 (not for EPS), 4 (read at each
//                       page) and 10. Reset: the device's (table above), else 0.
//   4    any            vertical offset in points, the same devices: from the bottom of the
//                       page on 1, 2 and 12, from the top on 4 and 10. Reset as option 3.
//   5    0 to 3         orientation: 0 portrait, 1 landscape; 2 portrait and 3 landscape also
//                       exchange options 1 and 2 when needed so that the width is the smaller
//                       (2) or the larger (3) of the two. The word holds VALUE mod 2; odd means
//                       landscape: devices 2, 4 and 12 (PCL modes) turn the drawing a quarter
//                       on the page, 10 and 11 put the longer page side across; device 1 and
//                       12 in plotter mode 4 write "RO 0" for odd and "RO 90" for even.
//                       Devices 3, 8, 9 and 6 draw upright. Reset: the device's (table above;
//                       3, 8 and 9 keep it).
//   6    0 to 2         colour rule: 0 colours as drawn, 1 every colour inverted (255 - c per
//                       component), 2 only near-black and near-white exchanged (all components
//                       below 10 or all above 245). Devices 2, 3, 4, 9, 10, 11, 12; on device
//                       4 rule 1 also prints with one plane; device 6 sets it to 0 when it
//                       opens. Read as colours are drawn. Reset 0.
//   7    any            monochrome, 1 on: device 2 draws every colour but 0 in black; devices
//                       10 and 11 draw colour 0 white and every other colour black. Read as
//                       colours are drawn. Reset 0; 1 on device 10 when the printer has two
//                       colours.
//   8    any            number of copies, at least 1 (a smaller VALUE gives 1): device 2 (at
//                       most 999, not for EPS), 12 in its PCL modes (at most 99), 4 for the
//                       PCL printer types of class L and 4 and type 32 (at most 99), 10. Read
//                       at each page end (device 10: at open). Reset 1.
//   9    any            line width in tenths of a point, at least 1 (a smaller VALUE gives 1).
//                       Every device; on raster output truncate(dots per inch x VALUE / 720 +
//                       0.5) pixels, at least 1. Passed at once. Reset 5.
//  10    0 to 2         line join: 0 mitre, 1 round, 2 bevel. Devices 2, 3, 9, 12. Passed at
//                       once. Reset 0.
//  11    0 to 2         line cap: 0 butt, 1 round, 2 square. Devices 2, 3, 9, 12. Passed at
//                       once. Reset 0.
//  12    any            stored as the larger of VALUE and 100; no device reads it.
//  13    1 to the number of resolutions of the current printer type (2 to 4, see iprinter_)
//                       resolution choice of device 4: 1 the printer type's highest, 2 the
//                       next lower, ... When the page does not fit in memory at the choice, the
//                       next lower resolution is taken and the option records it; 0 at open
//                       gives error 5. Reset (device 4) 2.
//  14    -              ignored.
//  15    any            1: every line of an HPGL, HP-GL/2, PostScript, SVG or DXF file starts
//                       with a blank. Read as lines are written. Not reset.
//  16    10 to 255      most segments in one PostScript path (device 2). Reset (device 2) 255.
//  17    any            stored; no device reads it. Reset 0.
//  18    any            device 2: 1 ends the file with a blank and a Ctrl-D byte (not for EPS).
//                       Read at close. Reset (device 2) 1.
//  19    any            device 4: printer resets, by bit value: 2 reset before each page (PCL),
//                       1 reset after each page (PCL) or a form feed after it (ESC/P2, dot
//                       matrix); read at each page; reset (device 4) 3. Device 11: metafile
//                       format 0 plain, 1 placeable (with the 22-byte header), 2 enhanced;
//                       reset (device 11) 1.
//  20    any            device 4, printer type classes P and 3: not 0 adds the extra mode
//                       command (ESC "&k3W") to each page. Reset (device 4) 0.
//  21    1 to 127       character code that ends HPGL and HP-GL/2 labels (devices 1, 12).
//                       Reset (devices 1, 12) 4.
//  22    any            device 2: not 0 writes encapsulated PostScript (a bounding box of the
//                       page, no offsets, no page ends, copies or Ctrl-D). While device 2 is
//                       selected, the default file name's extension also becomes ".ps" (0) or
//                       ".eps" (else). Read at open, page end and close. Reset (device 2) 0.
//  23    device 6: 1, 4, 8 or 24; device 8: 3, 4 or 8; refused while any other device is
//                       selected. Device 6: bits per pixel of the image. Device 8: colours of
//                       the DXF file: 8 the 255 standard DXF colours nearest to each RGB
//                       colour, 4 fourteen, 3 seven. Read at open. Reset (devices 6, 8) 8.
//  24    0 to the current printer type's highest compression method, at most 2
//                       device 4, PCL printer types: row compression 0 none, 1 run-length, 2
//                       PackBits. Read at each page. Reset (device 4) that highest method.
//  25    any            device 1: 1 writes tag lines ("SC-" and a tag number: colours, fills,
//                       fonts, page ends, the plotter type), by which the page count of a
//                       plot file is read back. Not reset (0 after igrinit_).
//  26    any            device 6: image format, 1 BMP, 2 BMP run-length encoded for 4 and 8
//                       bits per pixel (else plain), 3 PNG, any other value PCX. While device
//                       6 is selected, the default file name's extension also becomes ".bmp"
//                       (1, 2), ".png" (3) or ".pcx" (else). Each page is one image: the first
//                       in the hardcopy's file, page n in a file named with "-n" before the
//                       extension. Read at each page. Reset (device 6) 0.
//  27    any            device 1: 1 writes ESC ".Y" before and ESC ".Z" after the plot. Not
//                       reset.
//  28    any            device 1: 1 also writes the outline points of figures filled with
//                       hatch lines as tag lines (option 25). Not reset.
//  29    any            device 9: font names of the font list, 0 upper-case names
//                       ("COURIER_BOLD"), 1 PostScript names ("Courier-Bold"), 2 or any other
//                       value Windows face names ("Courier New Bold"). Reset (device 9) 2.
// 101    above 0        device 1: pen width for figures the plotter fills itself, in 1/7200
//                       inch (the pen thickness is kept within 0.1 to 5 mm). Reset 80.
// 102    above 0        device 1: spacing of the hatch lines of filled figures the plotter
//                       does not fill itself, in hundredths of a point (doubled for gradient
//                       fills). Reset 60.
// 103    above 0        device 1: 1 lets plotters that can (see iplotter_) fill solid figures
//                       themselves; other values draw hatch lines. Reset 1.
// 104    above 0        stored; no device reads it. Reset 999999.
// 105    1 to 4         stored; no device reads it. Reset 1.
// 106, 107  any         stored; no device reads them. Reset 0.
// 108    above 0        stored; no device reads it. Reset 8.
void igrhardcopyoptions_(const int *code, const int *value);

// Printer type of the raster printer device (4), also chosen by the configuration key PRINTER.
// TYPE 2 to 38 except 27; anything else (also absent) gives type 28, the default. The type
// gives the printer language class with its resolutions in dots per inch (option 13 picks one,
// 1 the first), the colour planes and the highest row compression (option 24):
//   class  language                               resolutions
//   M      ESC/P bit images, 8 pins               240, 120, 60
//   F      ESC/P bit images, 8 pins               240, 120, 90, 80
//   S      bit images, 8 pins                     160, 80
//   X      ESC "[g" bit images, 24 pins           360, 180, 120, 60
//   Q      ESC/P bit images, 24 pins              360, 180, 120, 90
//   2      ESC/P2 raster graphics                 720, 360, 180
//   L, D   PCL raster graphics                    300, 150, 100, 75
//   P      PCL raster graphics                    180, 90
//   3      PCL raster graphics                    300, 150, 100, 75
//   4      PCL raster graphics, as class L        600, 300, 200, 150
//   5      PCL raster graphics, as class D        300, 150, 75
// Types (class, planes: 1 black or 3 colour, highest compression, * speaks HP-GL/2):
//    2 M 1 0    3-6 F 1 0    7, 8 M 1 0    9 S 1 0     10, 11 L 1 0    12 M 1 0
//   13 P 3 1   14 D 1 2    15, 16 M 1 0   17, 18 Q 1 0  19, 20 X 1 0   21 D 3 2
//   22 D 1 2   23, 24 F 3 0  25, 26 Q 3 0  28 L 1 2 *    29 4 1 2 *     30 3 3 1
//   31 D 3 2   32 D 3 2 *  33 5 1 2       34 5 3 2      35 L 3 2 *     36 2 1 1
//   37 2 3 1   38 4 3 2 *
// Types 13, 21 and 30 print red, green and blue planes, the other colour types cyan, magenta
// and yellow planes. For a type marked *, unless an HP-GL/2 mode was set (iprinter2_, or
// iplotter_ 11 to 15), the mode follows from the type (see iprinter2_). The new type is used
// by device 4 from its next selection (options 13 and 24 follow) and its next open.
void iprinter_(const int *type);

// HP-GL/2 mode of device 12, also chosen by the configuration key HPGL2. MODE 1 to 5 is
// taken: 4 an HP-GL/2 plotter (a plain plot file, a page ends with "PG"); 1, 2, 3 and 5 a PCL
// printer switched into HP-GL/2 (each page ends with the return to PCL, the copy count and a
// form feed; modes other than 1 also choose the Latin-1 character set, "AD1,14;SA"). Any
// other MODE (also absent) derives the mode from the printer type: 32 and 35 give 2, 29
// gives 3, 38 gives 5, any other type 1. In the PCL modes the device has 256 colours when the
// printer type is a colour type, else 2 (pen 0 for the background, pen 1 for every other
// colour); in mode 4 it has 256. The mode is read when device 12 is selected and opened.
void iprinter2_(const int *mode);

// Plotter type of the HPGL device (1), also chosen by the configuration key PLOTTER. TYPE 1 to
// 10 is taken; 11 to 15 select HP-GL/2 mode TYPE - 10 (as iprinter2_) and plotter type 1;
// anything else (also absent) gives type 1, the default. The type fixes the pens, the page (in
// plotter units at the given units per inch, less the margin across), which figures the
// plotter fills itself (option 103), and page ends ("PG" for types 7 and 8):
//   type  pens  page           units/inch  margin  fills itself
//    1     4    10870 x 7480   1016        400     none
//    2     6    11040 x 7721   1021        400     rectangles, circles, triangles, sectors,
//                                                  polygons
//    3     6    16158 x 11040  1021        400     as type 2
//    4     4    10900 x 7650   1016        400     none
//    5     6    10880 x 7640   1016        400     rectangles and sectors
//    6     8    10880 x 7640   1016        0       as type 2
//    7     8    10869 x 7600   1016        0       as type 2
//    8     8    15970 x 10870  1016        0       as type 2
//    9     6    10960 x 7480   1016        400     as type 5
//   10     6    15880 x 10960  1016        400     as type 5
// A colour number c takes pen (P[((c + 16) / 32) mod 8] mod pens) + 1, P = 0, 2, 4, 1, 5, 3,
// 6, 7. The new type is used by device 1 from its next selection (page) and its next open.
void iplotter_(const int *type);

// The target of screen dumps: KIND 2 the PostScript dump file "quildump.ps" (a 756 by 540
// point page at offsets 42 and -20), anything else (also absent) the Windows printer with the
// page, margins, orientation and copies of the current printer. The library chooses the
// printer at start.
void igrprintimageselect_(const int *kind);

QUILL_END_DECLS

#endif
