// The printer device context, the printer's page information and screen dumps to the
// printer (Windows only). The printer is the page set-up's choice, else the default printer.
#ifndef QUILL_GRAPHICS_PRINTER_DC_H
#define QUILL_GRAPHICS_PRINTER_DC_H

#include <windows.h>

#include "quillamorph/convention.h"

// When no printer was chosen in the page set-up, takes the default printer's device, driver
// and port from the system profile; 1 when a printer is known, else 0.
int yywprintername();

// A printer device context with the page set-up's settings applied where the printer supports
// them, landscape when *ILANDSCAPE is not 0, NCOPIES copies (absent: as the printer has it);
// null when there is no printer.
HDC yywprgetdc(const int *ilandscape, const int *ncopies);

namespace quill {

// A printer device context as yywprgetdc gives it, with the document DOCNAME started on it;
// null when there is no printer or the document cannot be started.
HDC StartPrinterDocument(const int *landscape, const int *copies, const char *docname);

}  // namespace quill

QUILL_BEGIN_DECLS
// Page information in points: page long and short side, printable long and short side (one
// inch of margin), offsets, 1, 1, the colour count and IERR (0, or the system's code when
// there is no printer: every other output is then 0). Resets the stored page settings.
void yywprinfo_(int *ipagel, int *ipages, int *iprintl, int *iprints, int *ioffl, int *ioffs,
                int *irot, int *ione, int *ncolours, int *ierr);

// Screen dump: a document DOCNAME with one page where the dump covers IW by IH points at
// IX, IY points from the paper's edge; ISTATUS 1 when no printer context can be had.
void yywindumpstart_(const int *iw, const int *ih, const int *ix, const int *iy, int *istatus,
                     const int *ilandscape, const int *ncopies, const char *docname,
                     int docname_len);
// Prints the pixels IX1..IX2, IY1..IY2 of the current drawable over the whole dump; ISTATUS 1
// on any failure (also a reversed rectangle or no dump started).
void yywindumpblit_(const int *ix1, const int *iy1, const int *ix2, const int *iy2, int *istatus);
// Ends the page and the document.
void yywindumpend_();
QUILL_END_DECLS

#endif
