// Grid printing: two independent print settings sets (printer, page, scale and five switches)
// and the routine that prints a block of a grid as a table on the set's printer. Win32 only.
//
// A set is picked by number: 1 (also when the argument is absent) or 2 for any other number.
// Both sets are made once, on first use, from the system's default printer.
#ifndef QUILL_GRID_GRID_PRINT_H
#define QUILL_GRID_GRID_PRINT_H

#include <windows.h>

#include <string>

// Page set-up dialog for set ISET. IUNITS -1 (or absent): the units follow the user's locale;
// below 2: thousandths of an inch; else hundredths of a millimetre. On OK the set takes the
// chosen printer, paper, orientation and margins, and the printer's smallest margins.
void yygridprintsetup_(const int *iunits, const int *iset);

// The five switches of set ISET as 0 or 1 (horizontal lines, vertical lines, header and row
// labels on every page, text colours, background colours) and the scale in percent.
void yygridprintgetopt_(int *ihlines, int *ivlines, int *irepeat, int *icolour, int *iback,
                        int *iscale, const int *iset);
// Sets them: a switch is on exactly when its argument is 1; ISCALE is stored as given (a scale
// of 0 or less prints at 100). An absent argument leaves its value alone.
void yygridprintsetopt_(const int *ihlines, const int *ivlines, const int *irepeat,
                        const int *icolour, const int *iback, const int *iscale, const int *iset);

// Prints rows IROW1..IROW2 and columns ICOL1..ICOL2 (0-based, inclusive, limited to the grid)
// of grid IGRID (a field of the current dialog, 0 the grid of the current grid window) as a
// document named TITLE ("Untitled Grid" when blank; set 2 takes the grid editor's title).
// IOK 1 when printed; 0 when there is nothing to print (no grid, an empty range) or the
// printer could not be opened or failed.
void yygridprint_(const int *igrid, int *iok, const int *irow1, const int *irow2, const int *icol1,
                  const int *icol2, const int *iset, const char *title, int title_len);

// A position or size in points for set ISET: ITEM 3 the left margin, 4 the top margin, 1 the
// printed width, 2 the printed height (the right or bottom margin follows, never below 0),
// 5 the orientation (IVALUE 1 and 3 portrait, 2 and 4 landscape; 3 and 4 also turn the printed
// area to match).
void yygridprintsetpossize_(const int *item, const int *ivalue, const int *iset);

#endif
