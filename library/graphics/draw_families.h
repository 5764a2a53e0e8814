// The metafile family (yywmf...) and the printer family (yywpr...) of drawing primitives:
// thin entries over the drawing family rules (draw_family.h), as the window primitives
// (yywin...) are for the screen, each on a device context of its own, so that the screen, a
// metafile and a printer page can be drawn on at the same time. Coordinates are the family's
// logical units with y downwards; colours have passed the colour rule already.
//
// The metafile family draws into a Windows metafile: FORMAT 0 plain (recorded straight into
// the file), 1 placeable (a 22-byte header, then the metafile), 2 enhanced; with CLIPBOARD set
// no file is made and the closed metafile goes to the clipboard. Its logical units are tenths
// of a point in formats 0 and 1 and pixels of the reference device in format 2.
//
// The printer family draws on the pages of one printer document; its logical units are
// printer pixels from the page's top-left corner. A page is started only when something is
// drawn after the previous page ended.
#ifndef QUILL_GRAPHICS_DRAW_FAMILIES_H
#define QUILL_GRAPHICS_DRAW_FAMILIES_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Metafile family.
// Starts a metafile of WIDTH x HEIGHT tenths of a point (see above). BOXRIGHT, BOXBOTTOM and
// CHECKSUM (16 bits each) go into the placeable header. An open metafile is closed first.
// When the file or the metafile cannot be made, error 1 is raised and the family stays closed.
void yywmfopen_(const int *width, const int *height, const int *format, const int *styleflag,
                const int *boxright, const int *boxbottom, const int *checksum,
                const int *clipboard, const char *filename, const char *description,
                int filename_len, int description_len);
// Ends the metafile: written to its file or put on the clipboard.
void yywmfclose_();
// Plays the metafile file FILENAME of FORMAT (0 plain, 1 placeable, 2 enhanced) onto TARGET
// (0 the current drawable, 10 the printer page, 11 the open metafile) into (X1, Y1)-(X2, Y2).
// STATUS 0; 1 the file cannot be read; 2 it holds no metafile; 3 the target is not open.
void yywmfplaymetafile_(const int *format, const int *x1, const int *y1, const int *x2,
                        const int *y2, const int *target, int *status, const char *filename,
                        int filename_len);
void yywmfline_(const int *x1, const int *y1, const int *x2, const int *y2);
void yywmfcolour_(const int *r, const int *g, const int *b);
void yywmfellipse_(const int *cx, const int *cy, const int *rx, const int *ry, const int *fill);
void yywmfrectangle_(const int *x1, const int *y1, const int *x2, const int *y2);
void yywmfarc_(const int *cx, const int *cy, const int *rx, const int *ry, const int *sx,
               const int *sy, const int *ex, const int *ey);
void yywmfoutlinearc_(const int *cx, const int *cy, const int *rx, const int *ry, const int *sx,
                      const int *sy, const int *ex, const int *ey, const int *flag);
void yywmfpolpoint_(const int *x, const int *y, const int *index);
void yywmfpolygon_(const int *count);
void yywmfpolyline_(const int *count);
void yywmfpoint_(const int *x, const int *y);
void yywmfpointrgb_(const int *x, const int *y, const int *rgb);
void yywmfclip_(const int *x1, const int *y1, const int *x2, const int *y2);
void yywmflinetype_(const int *type);
void yywmflinewidth_(const int *width);
void yywmftextsize_(const int *width, const int *height, const int *escapement, const int *font,
                    const int *attributes, const char *face, int face_len);
void yywmfdrawstring_(const int *x1, const int *y1, const int *x2, const int *y2,
                      const int *justification, const int *opaque, const char *text,
                      const int *length, int text_len);
void yywmftextlength_(int *length, const char *text, const int *count, int text_len);
void yywmfgradfill_(const int *x, const int *y, const int *c, const int *triangles,
                    const int *count_v, const int *count_t, int *status);
void yywmfcreatepen();
void yywmflinestyles();

// Printer family.
// Starts a document DOCNAME on the printer (LANDSCAPE and COPIES as for the printer context;
// absent: portrait, the printer's copies) unless one is open. The page is WIDTH x HEIGHT
// points at LEFT, TOP points from the paper's edge. DPIX, DPIY and NUMCOLOURS describe the
// device. STATUS 1 when there is no printer or the document cannot be started.
void yywpropen_(const int *width, const int *height, const int *left, const int *top, int *dpix,
                int *dpiy, int *numcolours, int *status, const int *landscape, const int *copies,
                const char *docname, int docname_len);
// Ends the document (the last page when one is started) and releases the printer.
void yywprclose_();
void yywprstartpage();
void yywprdump_();
void yywprline_(const int *x1, const int *y1, const int *x2, const int *y2);
void yywprcolour_(const int *r, const int *g, const int *b);
void yywprellipse_(const int *cx, const int *cy, const int *rx, const int *ry, const int *fill);
void yywprrectangle_(const int *x1, const int *y1, const int *x2, const int *y2);
void yywprarc_(const int *cx, const int *cy, const int *rx, const int *ry, const int *sx,
               const int *sy, const int *ex, const int *ey);
void yywproutlinearc_(const int *cx, const int *cy, const int *rx, const int *ry, const int *sx,
                      const int *sy, const int *ex, const int *ey, const int *flag);
void yywprpolpoint_(const int *x, const int *y, const int *index);
void yywprpolygon_(const int *count, const int *fill);
void yywprpolyline_(const int *count);
void yywprpoint_(const int *x, const int *y);
void yywprpointrgb_(const int *x, const int *y, const int *rgb);
void yywprclip_(const int *x1, const int *y1, const int *x2, const int *y2);
void yywprlinetype_(const int *type);
void yywprlinewidth_(const int *width);
void yywprtextsize_(int *width, int *height, int *ascent, const int *escapement, const int *font,
                    const int *attributes, const char *face, int face_len);
void yywprdrawstring_(const int *x1, const int *y1, const int *x2, const int *y2,
                      const int *justification, const int *opaque, const char *text,
                      const int *length, int text_len);
void yywprtextlength_(int *length, const char *text, const int *count, int text_len);
void yywprgradfill_(const int *x, const int *y, const int *c, const int *triangles,
                    const int *count_v, const int *count_t, int *status);
void yywprcreatepen();
void yywprlinestyles();

QUILL_END_DECLS

namespace quill {

// The open metafile's logical size (WIDTH, HEIGHT) and format; false when none is open.
bool MetafileExtent(int *width, int *height, int *format);

// The open printer page's size in printer pixels; false when no document is open.
bool PrinterExtent(int *width, int *height);

// The device contexts of the families for drawing images: the printer's with its page started
// (null without a document), the metafile's (null when none is open). ORIGIN gets the
// family's page origin, which device-unit positions must take off.
void *PrinterDrawingContext(int *originx, int *originy);
void *MetafileDrawingContext();

// The device context of drawing target TARGET for images and playback: 0 the drawable, 10 the
// printer page (as PrinterDrawingContext, ORIGIN its page origin), 11 the open metafile
// (origin 0, 0); null for another target or one that is not open.
void *TargetDrawingContext(int target, int *originx, int *originy);

}  // namespace quill

#endif
