// The grid control inside the library: the record hung on every grid window, its columns,
// the window classes and messages, and the internal routines of the grid.
//
// Only the rows in view have cell controls (one per column, plus one spare row); the values
// of every row live in per-column buffers. Internal routines addressed by a field id return
// their status in it: -1 not a grid, -2 bad column or row (or wrong cell type), -3 value not
// available.
#ifndef QUILL_GRID_GRID_CONTROL_H
#define QUILL_GRID_GRID_CONTROL_H

#include <windows.h>

#include <string>
#include <vector>

#include "core/layers.h"  // the grid window styles
#include "grid/grid_text.h"

// Row flag bits.
enum : unsigned char { kCellReadOnly = 1, kCellHasValue = 2, kCellTyped = 4 };

// Private messages of the grid window.
enum : UINT {
    kGridBuildColumns = WM_USER + 1,
    kGridRowLabelsMsg = WM_USER + 2,
    kGridLayout = WM_USER + 3,
    kGridSetSizes = WM_USER + 4,
    kGridDisplayOnly = WM_USER + 5,
};

// Context menu commands.
enum : UINT {
    kGridCmdBlockCut = 32122,
    kGridCmdBlockCopy = 32123,
    kGridCmdBlockPaste = 32124,
    kGridCmdBlockDelete = 32125,
    kGridCmdUndo = 32221,
    kGridCmdCut = 32222,
    kGridCmdCopy = 32223,
    kGridCmdPaste = 32224,
    kGridCmdDelete = 32225,
    kGridCmdSelectAll = 32226,
};

// One colour record of a row: flags (1 foreground, 2 background), then RGB of each.
struct GridColour {
    unsigned char flags;
    unsigned char fore[3];
    unsigned char back[3];
};

struct GridColumn {
    int iWidth;
    int iType;               // GridCellType
    int iLength;             // string: maximum text length; integer: 11; others 0
    int iBytes;              // bytes per row in pValues
    unsigned char *pValues;  // nStoredRows rows
    unsigned char *pFlags;   // one flag byte per stored row
    GridColour *pColours;    // null until the first cell colour
};

struct GridRecord {
    int bInitialised;
    int nColumns;
    int iMaxFirstColumn;
    int nStoredRows;
    int nDefinedColumns;
    int nRows;
    int nVisibleRows;
    int nControlRows;
    int iRowHeight;
    int iCurColumn, iCurRow;
    int iFirstColumn, iLastColumn;
    int iFirstRow;
    int iRowLabelWidth;
    int iHeaderHeight;
    int iTemplateId;
    int iSelFirstRow, iSelLastRow, iSelFirstColumn, iSelLastColumn;
    int iScrollScale;
    int iThumbRow;
    int iWheelRest;
    int iClientHeight;
    int iFrameHeight;
    GridColumn *pColumns;
    HWND hPane;
    HWND *phCells;
    HWND hHeader;
    HWND *phRowLabels;
    HWND hMenuTarget;
    char *pRowLabelText;  // 51 bytes per row
    HWND hDroppedCombo;
    int bUnsaved;
    int bEdited;
    int bDisplayOnly;
    HFONT hFont;
    int bShared;     // the columns and labels belong to another instance (modal copy)
    int nLabelRows;  // rows that pRowLabelText holds
};

extern ATOM atomGrid, atomGridClient;
extern UINT GM_CELLCHANGE;
extern int bGridPrintInit, bNotFromGrid, bClear;
// Set while many cells are refilled at once: a cell whose text is set then waits for the
// message loop to repaint it instead of painting at once.
extern int bGridDeferPaint;

namespace quill {

// The record of a grid window, null for any other window.
GridRecord *GridRecordOf(HWND window);
// The grid with field id *ID in the current dialog; null with *ID = -1 when there is none.
HWND GridWindowOfField(int *id);
// Drops a grid that is going away from the lookup of GridWindowOfField.
void ForgetGrid(HWND grid);
// The cell control of (COLUMN, ROW) when the row is in view, else null.
HWND GridCellControl(const GridRecord *grid, int column, int row);
// The first control of a column (format, range and steps of the whole column).
HWND GridFirstCell(const GridRecord *grid, int column);
// Rows in view that hold a row: iFirstRow .. iFirstRow + result - 1.
int GridRowsInView(const GridRecord *grid);
// Marks the grid as edited.
void MarkGridEdited(GridRecord *grid);

// Keeps a grid's two modified flags across work that only moves values between its rows and
// its cell controls (refills, scrolling, resizing): making a numeric cell or setting a cell's
// text sends the change notice that typing sends, and none of that is an edit.
class GridRefillGuard {
public:
    explicit GridRefillGuard(GridRecord *grid)
        : grid_(grid), unsaved_(grid->bUnsaved), edited_(grid->bEdited) {}
    ~GridRefillGuard() {
        grid_->bUnsaved = unsaved_;
        grid_->bEdited = edited_;
    }
    GridRefillGuard(const GridRefillGuard &) = delete;
    GridRefillGuard &operator=(const GridRefillGuard &) = delete;

private:
    GridRecord *grid_;
    int unsaved_, edited_;
};

// The text of option INDEX (from 0) of a menu cell's list; "" for none.
std::string GridOptionText(HWND combo, int index);
// Text of a cell in view as its control shows it, for a string cell cut to the column.
std::string GridControlText(HWND control);
// The format of a column's first control, or the default.
std::string GridColumnFormat(const GridRecord *grid, int column);

// Stored values of a column: the text slot, the integer (also check state and menu index),
// single and double slot of a row.
char *StoredGridText(const GridColumn &column, int row);
int &StoredGridInt(const GridColumn &column, int row);
float &StoredGridReal(const GridColumn &column, int row);
double &StoredGridDouble(const GridColumn &column, int row);
// True when TEXT holds anything but blanks.
bool GridHasText(const std::string &text);
// A number as a cell of TYPE shows it, and a cell text's number; conversion errors are quiet.
std::string GridNumberText(int type, double value, const std::string &format);
double GridTextValue(int type, const std::string &text);
// The text of a stored cell of an edit type (empty numbers give ""); FORMAT, when given, is
// the column's format, so that a caller walking a whole column looks it up once.
std::string StoredGridString(const GridRecord *grid, int column, int row,
                             const std::string *format = nullptr);
// Stores VALUE (numbers, check state, menu index) or TEXT (string cut to the column).
void StoreGridValue(GridRecord *grid, int column, int row, double value, const std::string &text);

// Empties the control of a cell of TYPE: a check box unchecked, a menu on its first option, an
// edit field blank with the value 0. MARKUNTYPED also clears the field's modified mark and
// its typed state, as clearing a cell does; deleting a block keeps them.
void EmptyCellControl(HWND cell, int type, bool markUntyped);
// Empties the stored value of ROW in column COL: an empty text, else 0.
void ClearStoredValue(const GridColumn &col, int row);

// Installs the grid as a field kind of the dialogs and its window classes at start-up.
void InstallGridLayer();

}  // namespace quill

// Classes, creation and copying.
void yygridregister();
void yygridinitialise(HWND grid, const char *text, int *consumed);
INT_PTR CALLBACK yygridrowtemplateproc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void yygridcopy(HWND destination, HWND source, int share);
void YYMapDialogRect(HWND dialog, RECT *rect);
void yyGridPrintInit();

namespace quill {

// Private, creation, font and destruction messages of the grid window (*HANDLED false for
// any other message).
LRESULT GridBuildMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool *handled);
// New control row I of a growing pane: the cell of COLUMN copied from the column's first
// cell, and the row label.
HWND AddGridControlRow(GridRecord *grid, int i, int column);
HWND AddGridRowLabel(HWND window, GridRecord *grid, int i);

}  // namespace quill

// Window counters of the pane growth limit on Windows 9x.
BOOL CALLBACK yyWindowCount1(HWND window, LPARAM counter);
BOOL CALLBACK yyWindowCount2(HWND window, LPARAM counter);

namespace quill {

// Destroys every cell control and frees the columns and the cell handle array.
void DropGridColumns(GridRecord *grid);
// Frees everything of a grid that no other instance shares; the window procedure calls it
// when the grid is destroyed.
void FreeGrid(HWND grid);

}  // namespace quill

// Window procedures.
LRESULT CALLBACK yygridwndproc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK yygridwndprocclient(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK yygridcellwndproc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK yygridspinwndproc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK yygridsubheader(HWND, UINT, WPARAM, LPARAM);

namespace quill {

// Subclasses a header control of the grid (column header or row label) with yygridsubheader,
// which keeps an image of the header's last paint.
void SubclassGridHeader(HWND header);

}  // namespace quill

void yygridupdatecell(HWND grid, int column, int row, int setFocus);

namespace quill {

// Layout (message 1027): scroll scale and bars, iMaxFirstColumn and iLastColumn.
void LayOutGrid(HWND grid);
// The scroll scale (rows per scroll unit, so that the bar stays within 65,536) and the
// vertical bar's range, page and position.
void SetGridVerticalBar(HWND grid, GridRecord *record);
// Scrolls the grid as its scroll bars would: CODE is an SB_ code, POSITION a thumb value.
void ScrollGridVertically(HWND grid, int code, int position);
void ScrollGridHorizontally(HWND grid, int code, int position);

}  // namespace quill

// Cells (values in view and out of view alike).
void yygridgetcellstring_(int *id, int *column, int *row, char *text, int *max);
void yygridgetcellvalue_(int *id, int *column, int *row, double *value);
void yygridgetcellcheck_(int *id, int *column, int *row, int *state);
void yygridgetcellmenu_(int *id, int *column, int *row, int *option);
void yygridgetmenustring_(int *id, int *column, int *option, char *text, int *max);
void yygridputcellcheck_(int *id, int *column, int *row, int *state);
void yygridputcelloption_(int *id, int *column, int *row, int *option);
void yygridputmenustring_(int *id, int *column, int *row, int *status, const char *text);
void yygridputmenu_(int *id, int *column, int *controlRow, const char *text);
void yygridclearmenu_(int *id, int *column, int *controlRow);

namespace quill {

// The put of a number into a cell out of view, where its text is not needed: stores VALUE as
// yygridputcellstring_ would with the number's text and FORMAT. False, with nothing done, for
// a cell in view, a value of 0 (parsed from its text), a format the column's first control
// does not carry yet, or a bad grid, column or row: yygridputcellstring_ then puts the text.
bool PutGridValue(int grid, int column, int row, double value, const char *format);

}  // namespace quill

void yygridputcellstring_(int *id, int *column, int *row, double *value, const char *text,
                          const char *format, int textLen, int formatLen);
void yygridclearcell_(int *id, int *column, int *row, int *mode);
void yygridgetformat_(int *id, int *column, char *format, int *max);
void yygridlabelcolumn_(int *id, int *item, const char *text);
void yygridgetcolumnlabel_(int *id, int *item, char *text, int *max);
void yygridlabelrow_(int *id, int *row, const char *text, int *length);
void yygridgetrowlabel_(int *id, int *row, char *text, int *length);
void yygridcolourcell_(int *id, int *column, int *row, int *fr, int *fg, int *fb, int *br, int *bg,
                       int *bb);
void yygridcolourcolumn_(int *id, int *column, int *fr, int *fg, int *fb, int *br, int *bg,
                         int *bb);
void yygridcellfocus_(int *id, int *column, int *row);
void yygridgetinfo_(int *id, int *code, int *value);
void yygridgetinfostring_(int *id, int *code, char *text, int *max);

// Rows, stored values, ranges and states.
void yyGridStoreCells(GridRecord *grid);
void yygridupdatecells(GridRecord *grid);

namespace quill {

// The same after rows moved in bulk (sort, row exchange): the cells are repainted by the
// message loop, once, rather than each as its text is set.
void RefillMovedGridRows(GridRecord *grid);

// A copy of every stored row of a grid (each column's values and row flags) and of its two
// modified flags, to be put back over what later work left, such as a load that failed part
// way.
class GridRowsCopy {
public:
    // Stores the cells in view into the rows, then copies them; false, with nothing kept,
    // when the memory for the copy is short.
    bool Take(GridRecord *grid);
    // Puts the rows and flags back into the grid they were taken from and refills the cells
    // in view; nothing when no copy is kept or the grid's columns have changed since.
    void PutBack() const;

private:
    GridRecord *grid_ = nullptr;
    const GridColumn *columns_ = nullptr;
    std::vector<std::vector<unsigned char>> values_, flags_;
    int unsaved_ = 0, edited_ = 0;
};

}  // namespace quill

void yygridsetrows_(int *id, int *rows);
void yygridsetrows2(HWND grid, int rows, int *status);
void yygridrangecheck_(int *id, int *column, double *value);
void yygridrangecheck2(int *status, HWND grid, int column, double value);
void yygridrange_(int *id, int *column, double *minimum, double *maximum);
void yygridspinstepi_(int *id, int *column, int *step, int *page);
void yygridspinstepr_(int *id, int *column, float *step, float *page);
void yygridspinstepd_(int *id, int *column, double *step, double *page);
void yygridcellstate_(int *id, int *column, int *row, int *state);
void yygridwindowstate(HWND control, int type, int readOnly, int redraw);
void yyGridClear(HWND grid, int removeOptions);
void yygridredefine_(int *id, int *columns, const int *positions);

namespace quill {

// Field state of a grid field (0 disabled, 1 enabled, 2 read-only): the read-only style and
// every cell's state follow.
void SetGridFieldState(HWND grid, int state);

}  // namespace quill

void yygridcelltype_(int *id, int *column, int *type);
void yygridcelllength_(int *id, int *column, int *length);

// Block selection and clipboard.
void yygridselectrange(HWND grid, int firstRow, int lastRow, int firstColumn, int lastColumn);
void yygridselectnone(HWND grid);
int yygridgetselrect(HWND grid, RECT *rect);
int yygridcheckclipboard();
void yygridclipcount(int *rows, int *columns);
int yygridcancut(HWND grid);
int yygridcanpaste(HWND grid);
int yygridclipcopy(HWND grid);
void yygridclippaste(HWND grid);
void yygridclipdelete(HWND grid);
std::string yyGridGetString(HWND grid, int column, int row, int mode);

// Sorting and finding.
void yygridsort_(int *firstRow, int *lastRow, int *keyLength);
void yygridsortget_(int *column, int *row, int *upper, char *text, int *ikey, float *rkey,
                    double *dkey, int *present, int *textLength, int *bufferLength);
void yygridsortswap_(int *id, int *rowA, int *rowB, int *labels);
// Rows of yygridfind_ are 0-based; the first row found, or -1.
void yygridfind_(const char *text, int *firstRow, int *lastRow, int *cellLength, int *found,
                 int textLen);

namespace quill {

// The grid id, column (0-based), flags and field type that the next sort or find works on.
void SetGridSearchState(int grid, int column, int flags, int type);

}  // namespace quill

#endif
