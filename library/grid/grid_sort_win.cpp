// Sorting the rows of a grid by one column and finding a text in its string columns.
//
// The sort fetches each row's key once straight from the column's buffer, orders the keys in
// memory and then moves the rows by the same exchange of two rows that yygridsortswap_ makes:
// values (and, for numeric columns, their flag bytes) travel with their rows; read-only
// flags of the other columns, colours and (unless asked) row labels stay with the positions.
// The cells in view are refilled once at the end and repainted by the message loop.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/dialogs.h"
#include "grid/grid_control.h"

namespace {

// The settings of the sort and find under way (one at a time).
struct SearchState {
    int grid;
    int column;
    int flags;
    int type;
} state = {0, 0, 0, 0};

GridRecord *StateGrid(HWND *window) {
    int id = state.grid;
    *window = quill::GridWindowOfField(&id);
    return quill::GridRecordOf(*window);
}

// The number key of stored row S of a column other than a string column.
double StoredNumber(const GridColumn &col, int s, bool descending) {
    switch (col.iType) {
    case kGridCheck: return quill::GridNumberKey(9, true, quill::StoredGridInt(col, s), descending);
    case kGridMenu:
        return quill::GridNumberKey(11, true, quill::StoredGridInt(col, s) + 1, descending);
    default: {
        bool present = (col.pFlags[s] & kCellHasValue) != 0;
        double value = col.iType == kGridInteger ? quill::StoredGridInt(col, s)
                       : col.iType == kGridReal  ? quill::StoredGridReal(col, s)
                                                 : quill::StoredGridDouble(col, s);
        return quill::GridNumberKey(quill::GridFieldType(col.iType), present, value, descending);
    }
    }
}

// The key of stored row S of the state's column (cells in view must be stored first).
GridSortKey StoredKey(const GridRecord *grid, int s) {
    const GridColumn &col = grid->pColumns[state.column];
    bool upper = (state.flags & 2) != 0, descending = (state.flags & 1) != 0;
    if (col.iType != kGridString) {
        GridSortKey key;
        key.number = StoredNumber(col, s, descending);
        return key;
    }
    std::string text = quill::StoredGridString(grid, state.column, s);
    return quill::GridSortKeyOf(4, !text.empty(), text, 0.0, upper, descending);
}

// Exchanges stored rows A and B: values (and, for numeric columns, their flag bytes) and,
// with LABELS, the row label texts. Read-only flags of the other columns and colours stay with
// the positions.
void ExchangeRows(GridRecord *grid, int a, int b, bool labels) {
    for (int c = 0; c < grid->nColumns; ++c) {
        GridColumn &col = grid->pColumns[c];
        std::size_t bytes = static_cast<std::size_t>(col.iBytes);
        std::swap_ranges(col.pValues + bytes * static_cast<std::size_t>(a),
                         col.pValues + bytes * (static_cast<std::size_t>(a) + 1),
                         col.pValues + bytes * static_cast<std::size_t>(b));
        if (col.iType >= kGridInteger && col.iType <= kGridDouble)
            std::swap(col.pFlags[a], col.pFlags[b]);
    }
    if (labels && grid->pRowLabelText && a < grid->nLabelRows && b < grid->nLabelRows)
        std::swap_ranges(grid->pRowLabelText + static_cast<std::size_t>(a) * 51,
                         grid->pRowLabelText + (static_cast<std::size_t>(a) + 1) * 51,
                         grid->pRowLabelText + static_cast<std::size_t>(b) * 51);
}

// Puts the rows of FIRST..FIRST+ORDER.size()-1 in ORDER (position i takes the old row
// first+order[i]) by exchanging rows along the cycles of the permutation: every row moves
// once more than it would by copying, and no copy of a whole column is needed.
void MoveRows(GridRecord *grid, int first, const std::vector<int> &order, bool labels) {
    std::vector<char> done(order.size(), 0);
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (done[start]) continue;
        std::size_t to = start;
        for (std::size_t from = static_cast<std::size_t>(order[to]); from != start;
             to = from, from = static_cast<std::size_t>(order[to])) {
            ExchangeRows(grid, first + static_cast<int>(to), first + static_cast<int>(from),
                         labels);
            done[to] = 1;
        }
        done[to] = 1;
    }
}

std::string Upper(std::string text) {
    for (char &c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// A cell's text as the find sees it: as wgridgetcellstring_ gives it into a text of LENGTH
// characters (in view the control's text, else the stored one), cut to LENGTH and padded
// with blanks. Of the padding only as many blanks as the searched text is long are added:
// no match can reach further into it.
std::string PaddedCellText(const GridRecord *grid, int column, int row, std::size_t length,
                           std::size_t wanted) {
    HWND cell = quill::GridCellControl(grid, column, row);
    std::string text =
        cell ? quill::GridControlText(cell) : quill::StoredGridString(grid, column, row);
    if (text.size() > length) text.resize(length);
    std::size_t pad = length - text.size();
    text.append(pad < wanted ? pad : wanted, ' ');
    return text;
}

}  // namespace

void yygridsort_(int *firstRow, int *lastRow, int *keyLength) {
    (void)keyLength;
    HWND window;
    GridRecord *grid = StateGrid(&window);
    if (!grid || !grid->pColumns || state.column < 0 || state.column >= grid->nColumns) return;
    int first = *firstRow - 1, last = *lastRow - 1;
    if (first < 0) first = 0;
    if (last >= grid->nRows) last = grid->nRows - 1;
    if (last <= first) return;
    yygridselectnone(window);
    yyGridStoreCells(grid);
    const GridColumn &col = grid->pColumns[state.column];
    bool descending = (state.flags & 1) != 0;
    std::vector<int> order;
    if (col.iType == kGridString) {
        std::vector<GridSortKey> keys;
        keys.reserve(static_cast<std::size_t>(last - first + 1));
        for (int s = first; s <= last; ++s) keys.push_back(StoredKey(grid, s));
        order = quill::GridSortOrder(keys, 4, descending);
    } else {
        std::vector<std::pair<double, int>> keys(static_cast<std::size_t>(last - first + 1));
        for (int s = first; s <= last; ++s)
            keys[static_cast<std::size_t>(s - first)] = {StoredNumber(col, s, descending),
                                                         s - first};
        order = quill::GridNumberOrder(keys, descending);
    }
    MoveRows(grid, first, order,
             (state.flags & 4) && (GetWindowLongA(window, GWL_STYLE) & kGridRowLabels));
    quill::RefillMovedGridRows(grid);
    quill::MarkGridEdited(grid);
}

void yygridsortget_(int *column, int *row, int *upper, char *text, int *ikey, float *rkey,
                    double *dkey, int *present, int *textLength, int *bufferLength) {
    HWND window;
    GridRecord *grid = StateGrid(&window);
    if (!grid || *column < 0 || *column >= grid->nColumns || *row < 0 || *row >= grid->nStoredRows)
        return;
    yyGridStoreCells(grid);
    int saved = state.column, savedFlags = state.flags;
    state.column = *column;
    state.flags = (state.flags & ~2) | (*upper ? 2 : 0);
    GridSortKey key = StoredKey(grid, *row);
    state.column = saved;
    state.flags = savedFlags;
    const GridColumn &col = grid->pColumns[*column];
    *present = col.iType > kGridDouble || (col.pFlags[*row] & kCellHasValue) ||
               (col.iType == kGridString && !quill::StoredGridString(grid, *column, *row).empty());
    if (col.iType == kGridString) {
        std::size_t n = key.text.size();
        if (*bufferLength > 0 && n > static_cast<std::size_t>(*bufferLength - 1))
            n = static_cast<std::size_t>(*bufferLength - 1);
        if (text && *bufferLength > 0) {
            std::memcpy(text, key.text.data(), n);
            text[n] = '\0';
        }
        *textLength = static_cast<int>(n);
    } else {
        *ikey = static_cast<int>(key.number);
        *rkey = static_cast<float>(key.number);
        *dkey = key.number;
    }
}

void yygridsortswap_(int *id, int *rowA, int *rowB, int *labels) {
    HWND window = quill::GridWindowOfField(id);
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid || !grid->pColumns) return;
    int a = *rowA, b = *rowB;
    if (a < 0 || b < 0 || a >= grid->nStoredRows || b >= grid->nStoredRows) {
        *id = -2;
        return;
    }
    if (a == b) return;
    yygridselectnone(window);
    yyGridStoreCells(grid);
    ExchangeRows(grid, a, b, *labels && (GetWindowLongA(window, GWL_STYLE) & kGridRowLabels));
    quill::RefillMovedGridRows(grid);
    quill::MarkGridEdited(grid);
}

void yygridfind_(const char *text, int *firstRow, int *lastRow, int *cellLength, int *found,
                 int textLen) {
    *found = -1;
    HWND window;
    GridRecord *grid = StateGrid(&window);
    if (!grid || *firstRow > *lastRow) return;
    bool fold = (state.flags & 2) != 0;
    std::string wanted(text ? text : "",
                       text && textLen > 0 ? static_cast<std::size_t>(textLen) : 0);
    if (fold) wanted = Upper(wanted);
    std::size_t length = *cellLength > 0 ? static_cast<std::size_t>(*cellLength) : 0;
    for (int r = *firstRow; r <= *lastRow; ++r) {
        std::string cell = PaddedCellText(grid, state.column, r, length, wanted.size());
        if (fold) cell = Upper(cell);
        if (cell.find(wanted) != std::string::npos) {
            *found = r;
            return;
        }
    }
}

// Sets the sort and find state for the public routines.
void quill::SetGridSearchState(int grid, int column, int flags, int type) {
    state = {grid, column, flags, type};
}
