// The grid control's work that needs no window system: reading a grid's [Grids] entry, the
// sort keys of a column and their order, and the tab-separated block text that the grid puts
// on and takes from the clipboard.
#ifndef QUILL_GRID_GRID_TEXT_H
#define QUILL_GRID_GRID_TEXT_H

#include <cstddef>
#include <string>
#include <vector>
#include <utility>

// Longest row label kept.
constexpr int kGridLabelChars = 50;

// A grid's entry in the [Grids] section, read from just behind its field id.
struct GridEntry {
    int columns = 0;
    int rows = 0;
    int templateId = 0;
    int labelWidth = 0;               // dialog units; with row labels only
    std::vector<std::string> labels;  // label lines read (with label texts only)
    std::size_t consumed = 0;         // characters of the text used (0: only the data line)
};

namespace quill {

// Reads the data line (columns, rows, template id); with WIDTH the next line's label width;
// with LABELS also up to ROWS label lines (each cut to 50 characters, carriage returns
// dropped, trailing blanks removed). Label lines stop early at the end of the text or at a
// section header, which stays for the attribute parser. TEXT is NUL-terminated.
GridEntry ReadGridEntry(const char *text, bool width, bool labels);

}  // namespace quill

// Cell types of a grid column.
enum GridCellType {
    kGridString = 0,
    kGridInteger = 1,
    kGridReal = 2,
    kGridDouble = 3,
    kGridCheck = 4,
    kGridMenu = 5,
};

namespace quill {

// Field type that a column of cell type TYPE reports (4, 5, 6, 7, 9, 11), 0 for others.
int GridFieldType(int type);

// Cell code of a 0-based cell: (column + 1) * 262144 + row + 1.
int GridCellCode(int column, int row);

}  // namespace quill

// --- Sort keys ------------------------------------------------------------------------------

// The sort key of one row. Empty cells get the key that puts them after all others in the
// sort direction; numbers that are not numbers count as empty.
struct GridSortKey {
    std::string text;     // string columns
    double number = 0.0;  // every other column
};

namespace quill {

// Key of a cell of field type FIELDTYPE (4 string, 5 integer, 6 real, 7 double, 9 check box,
// 11 menu). PRESENT tells whether the cell holds a value; TEXT is a string cell's text,
// VALUE a number cell's value (a check state, or a menu option number from 1, 0 none).
GridSortKey GridSortKeyOf(int fieldType, bool present, const std::string &text, double value,
                          bool upperCase, bool descending);

// The number key alone of a cell of a numeric, check box or menu column (field type 5, 6, 7,
// 9 or 11), as GridSortKeyOf gives it.
double GridNumberKey(int fieldType, bool present, double value, bool descending);

// Order of two keys: negative when A comes first ascending, 0 equal, positive after. Texts
// compare by character code, the shorter padded with blanks.
int CompareGridSortKeys(const GridSortKey &a, const GridSortKey &b, int fieldType);

// The order of the rows after the sort: element i is the index (into KEYS) of the row that
// goes to position i. Rows with equal keys keep their order.
std::vector<int> GridSortOrder(const std::vector<GridSortKey> &keys, int fieldType,
                               bool descending);

// The same for number keys alone (a column's keys read straight out of its buffer): PAIRS
// holds each row's key and its index into the range, and is sorted in place. Rows with equal
// keys keep their order.
std::vector<int> GridNumberOrder(std::vector<std::pair<double, int>> &pairs, bool descending);

// --- Clipboard block text -------------------------------------------------------------------

// Builds the block text of ROWS x COLUMNS cells given by CELL(row, column): TAB between
// cells, CR LF between rows, nothing after the last.
template <class CellText>
std::string GridBlockText(int rows, int columns, CellText cell) {
    std::string block;
    for (int r = 0; r < rows; ++r) {
        if (r > 0) block += "\r\n";
        for (int c = 0; c < columns; ++c) {
            if (c > 0) block += '\t';
            block += cell(r, c);
        }
    }
    return block;
}

// Clipboard kind of a text of at most SIZE bytes (read up to its first NUL): 0 none (TEXT
// null), 1 plain text, 2 a grid block (a TAB or a CR LF before the end).
int GridClipboardKind(const char *text, std::size_t size);

// Size of a block text: rows = 1 + the CR LF pairs followed by more text; columns = the most
// TABs in any row, plus 1.
void GridBlockSize(const char *text, std::size_t size, int *rows, int *columns);

}  // namespace quill

// One field of a block text, at its row and column within the block.
struct GridBlockField {
    int row;
    int column;
    std::string text;
};

namespace quill {

// The fields of a block text in reading order, those lying beyond both MAXROWS rows and
// MAXCOLUMNS columns dropped (the reading stops there). A field runs to the next TAB, CR or
// the end; a CR starts the next row (an LF after it is skipped).
std::vector<GridBlockField> GridBlockFields(const char *text, std::size_t size, int maxRows,
                                            int maxColumns);

// The number a pasted field gives a numeric column of cell type TYPE (1 integer, 2 real,
// 3 double): D and d read as E for integer and real columns; an integer column refuses a
// field with an exponent and takes the part before a decimal point. False when the field is
// no number. An empty (blank) field is a number that clears the cell: *EMPTY is set.
bool GridPasteNumber(const std::string &field, int type, double *value, bool *empty);

}  // namespace quill

#endif
