// Grid fields: spreadsheet-like dialog fields of a fixed number of typed columns and any
// number of rows.
//
// A grid is addressed by its field id in the current dialog; columns and rows count from 1.
// With no dialog loaded a routine reports error 1005; an id that names no grid gives error
// 1006, a column or row outside the grid error 1017, and a value outside the column's range
// error 1009. A failing routine changes nothing. A new grid's cells are empty, unchecked and,
// in menu columns, on the first option that the column offers.
#ifndef QUILLAMORPH_GRID_H
#define QUILLAMORPH_GRID_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Numbers into a cell of a string or numeric column, shown left-justified: a double or real
// with FORMAT (absent or blank: the column's format); a FORMAT given to a real or double
// column becomes the format of the whole column. An integer is written as "(I100)".
void wgridputcelldouble_(const int *igrid, const int *icol, const int *irow, const double *dvalue,
                         const char *format, int format_len);
void wgridputcellreal_(const int *igrid, const int *icol, const int *irow, const float *rvalue,
                       const char *format, int format_len);
void wgridputcellinteger_(const int *igrid, const int *icol, const int *irow, const int *ivalue);
// Empties a cell (a check box is cleared); a menu cell gives error 1017.
void wgridclearcell_(const int *igrid, const int *icol, const int *irow);
// The text of a string or numeric cell, blank-padded or cut to TEXT's length.
void wgridgetcellstring_(const int *igrid, const int *icol, const int *irow, char *text,
                         int text_len);
// Makes a cell the current cell and gives it the focus, scrolling it into view.
void wgridsetcell_(const int *igrid, const int *icol, const int *irow);

// Sorts rows IROWFIRST..IROWLAST (default all, limited to the grid's rows) by column ICOL.
// IFLAGS (default 0): 1 descending, 2 letters without regard to case, 4 row labels move with
// their rows. Empty cells sort last either way; equal keys come in no defined order.
void wgridsort_(const int *igrid, const int *icol, const int *iflags, const int *irowfirst,
                const int *irowlast);
// Finds TEXT (its whole length, trailing blanks included) in the string columns
// ICOLFIRST..ICOLLAST, rows IROWFIRST..IROWLAST (defaults: all), column by column, and makes
// the first cell that holds it current. IFLAGS: 1 continue below the current cell (then in
// each later string column from its first row), 2 without regard to case. IFOUND is 1 when
// a cell was found, else 0. The search does not wrap around.
void wgridfind_(const int *igrid, const char *text, const int *iflags, int *ifound,
                const int *icolfirst, const int *icollast, const int *irowfirst,
                const int *irowlast, int text_len);

// Turns the current child window into a grid editor of a copy of grid IGRID of the current
// dialog: menus File, Edit and Search (in front of the program's menu IMENUID, absent or 0
// none), a tool bar, the status bar's row and column, keys and the editor's commands.
// IMODE 1 modal (returns when the editor closes; FILENAME then holds the name of the file
// last used, blank when none), 2 modeless (default: its close request is a close event and
// its other commands are menu events), 3 modeless with the other windows disabled.
// IFLAGS: 0x20 no tool bar, 0x100 no New and Open, 0x200 no Save As, 0x400 no printing,
// 0x800 sorting moves the row labels, 0x1000 no Find, 0x2000 no Save. ITYPE: filter index of
// the file dialogs (absent or -1: 1). FILENAME (optional): a grid text file loaded at the
// start. FILTER (optional, blank: CSV and all files): the file dialogs' filter.
// Cut and Delete, from the menu, the keys or the tool bar, leave a block that holds a
// read-only cell as it is. An Open that cannot read its whole file (it cannot be opened or
// read, or it ends inside a quoted text) says so and leaves the grid, its unsaved changes and
// its file name as they were.
// Errors: 1022 the current window is no child window, 1038 it is already converted, 1057 it
// holds child windows, 1006 IGRID is no grid, 1053 the editor cannot be made, 1052 a mode
// outside 1-3 (nothing made) or a window inside its parent made modeless; with the editor
// made: 1026 a menu given to a modal editor, 1002 the menu cannot be loaded, 1051 a menu given
// to a window inside its parent (the editor has none).
void wgridedit_(const int *igrid, const int *imode, const int *imenuid, const int *iflags,
                const int *itype, char *filename, const char *filter, int filename_len,
                int filter_len);

// Writes every row of the grid to the text file FILENAME: one line per row ended by CR LF,
// fields separated by commas; texts and menu options in double quotes (a quote inside
// doubled), numbers as the cells show them, check boxes "Yes" or "No", an empty field for a
// menu cell without an option. The file is replaced only when the whole grid was written;
// otherwise the old file stays and error 1 (open) or 2 (write) is raised. IGRID 0 is the
// current grid window.
void wgridsave_(const int *igrid, const char *filename, int filename_len);
// Reads such a file (lines ended by CR LF or LF alone) into the grid, one field per cell:
// a field that is no number clears a number cell, a menu field no option matches leaves the
// cell without one (error 1055), cells a line lacks and rows the file lacks are cleared. A
// field beyond the last column raises 1054 and passes over the rest of its line; a line
// beyond the last row raises 1054 and ends the load. A file that cannot be read to its end,
// or that ends inside an open quoted text, raises error 2 and keeps the rows read before.
void wgridload_(const int *igrid, const char *filename, int filename_len);

QUILL_END_DECLS

#endif
