// Sorting the rows of a grid by one column and finding a text in its string columns.
//
// The sort fetches each row's key once, orders the keys in memory and moves every row once:
// values (and, for numeric columns, their flag bytes) travel with their rows; read-only
// flags of the other columns, colours and (unless asked) row labels stay with the positions.
#include <windows.h>

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
    *window = yygridwindow(&id);
    return yygridrecord(*window);
}

// The key of stored row S of the state's column (cells in view must be stored first).
GridSortKey StoredKey(const GridRecord *grid, int s) {
    const GridColumn &col = grid->pColumns[state.column];
    bool upper = (state.flags & 2) != 0, descending = (state.flags & 1) != 0;
    switch (col.iType) {
    case kGridString: {
        std::string text = yygridstoredstring(grid, state.column, s);
        return yygridsortkey(4, !text.empty(), text, 0.0, upper, descending);
    }
    case kGridCheck: return yygridsortkey(9, true, "", yygridstoredint(col, s), upper, descending);
    case kGridMenu: return yygridsortkey(11, true, "", yygridstoredint(col, s) + 1, upper, descending);
    default: {
        bool present = (col.pFlags[s] & kCellHasValue) != 0;
        double value = col.iType == kGridInteger ? yygridstoredint(col, s)
                       : col.iType == kGridReal  ? yygridstoredreal(col, s)
                                                 : yygridstoreddouble(col, s);
        return yygridsortkey(yygridfieldtype(col.iType), present, "", value, upper, descending);
    }
    }
}

// Moves the rows of FIRST..FIRST+ORDER.size()-1: position i takes the old row first+order[i].
void MoveRows(GridRecord *grid, int first, const std::vector<int> &order, bool labels) {
    std::size_t n = order.size();
    for (int c = 0; c < grid->nColumns; ++c) {
        GridColumn &col = grid->pColumns[c];
        std::size_t bytes = (std::size_t)col.iBytes;
        std::vector<unsigned char> values(bytes * n), flags(n);
        std::memcpy(values.data(), col.pValues + bytes * (std::size_t)first, bytes * n);
        std::memcpy(flags.data(), col.pFlags + first, n);
        bool numeric = col.iType >= kGridInteger && col.iType <= kGridDouble;
        for (std::size_t i = 0; i < n; ++i) {
            std::size_t from = (std::size_t)order[i];
            std::memcpy(col.pValues + bytes * ((std::size_t)first + i), values.data() + bytes * from, bytes);
            if (numeric) col.pFlags[(std::size_t)first + i] = flags[from];
        }
    }
    if (labels && grid->pRowLabelText) {
        std::size_t rows = n;
        if ((std::size_t)first + rows > (std::size_t)grid->nLabelRows)
            rows = grid->nLabelRows > first ? (std::size_t)(grid->nLabelRows - first) : 0;
        std::vector<char> texts(rows * 51);
        std::memcpy(texts.data(), grid->pRowLabelText + (std::size_t)first * 51, rows * 51);
        for (std::size_t i = 0; i < rows; ++i)
            if ((std::size_t)order[i] < rows)
                std::memcpy(grid->pRowLabelText + ((std::size_t)first + i) * 51, texts.data() + (std::size_t)order[i] * 51, 51);
    }
}

std::string Upper(std::string text) {
    for (char &c : text)
        if (c >= 'a' && c <= 'z') c = (char)(c - 'a' + 'A');
    return text;
}

// A cell's text as the find sees it (in view: the control's text).
std::string CellText(const GridRecord *grid, int column, int row) {
    if (HWND cell = yygridcell(grid, column, row)) return yygridcontroltext(cell);
    return yygridstoredstring(grid, column, row);
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
    std::vector<GridSortKey> keys;
    keys.reserve((std::size_t)(last - first + 1));
    for (int s = first; s <= last; ++s) keys.push_back(StoredKey(grid, s));
    int type = yygridfieldtype(grid->pColumns[state.column].iType);
    std::vector<int> order = yygridsortorder(keys, type == 4 ? 4 : 7, (state.flags & 1) != 0);
    MoveRows(grid, first, order, (state.flags & 4) && (GetWindowLongA(window, GWL_STYLE) & kGridRowLabels));
    yygridupdatecells(grid);
    yygridedited(grid);
}

void yygridsortget_(int *column, int *row, int *upper, char *text, int *ikey, float *rkey, double *dkey, int *present,
                    int *textLength, int *bufferLength) {
    HWND window;
    GridRecord *grid = StateGrid(&window);
    if (!grid || *column < 0 || *column >= grid->nColumns || *row < 0 || *row >= grid->nStoredRows) return;
    yyGridStoreCells(grid);
    int saved = state.column, savedFlags = state.flags;
    state.column = *column;
    state.flags = (state.flags & ~2) | (*upper ? 2 : 0);
    GridSortKey key = StoredKey(grid, *row);
    state.column = saved;
    state.flags = savedFlags;
    const GridColumn &col = grid->pColumns[*column];
    *present = col.iType > kGridDouble || (col.pFlags[*row] & kCellHasValue) ||
               (col.iType == kGridString && !yygridstoredstring(grid, *column, *row).empty());
    if (col.iType == kGridString) {
        std::size_t n = key.text.size();
        if (*bufferLength > 0 && n > (std::size_t)(*bufferLength - 1)) n = (std::size_t)(*bufferLength - 1);
        if (text && *bufferLength > 0) {
            std::memcpy(text, key.text.data(), n);
            text[n] = '\0';
        }
        *textLength = (int)n;
    } else {
        *ikey = (int)key.number;
        *rkey = (float)key.number;
        *dkey = key.number;
    }
}

void yygridsortswap_(int *id, int *rowA, int *rowB, int *labels) {
    HWND window = yygridwindow(id);
    GridRecord *grid = yygridrecord(window);
    if (!grid || !grid->pColumns) return;
    int a = *rowA, b = *rowB;
    if (a < 0 || b < 0 || a >= grid->nStoredRows || b >= grid->nStoredRows) {
        *id = -2;
        return;
    }
    if (a == b) return;
    if (a > b) std::swap(a, b);
    yygridselectnone(window);
    yyGridStoreCells(grid);
    std::vector<int> order((std::size_t)(b - a + 1));
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = (int)i;
    std::swap(order.front(), order.back());
    MoveRows(grid, a, order, *labels && (GetWindowLongA(window, GWL_STYLE) & kGridRowLabels));
    yygridupdatecells(grid);
    yygridedited(grid);
}

void yygridfind_(const char *text, int *firstRow, int *lastRow, int *cellLength, int *found, int textLen) {
    (void)cellLength;
    *found = -1;
    HWND window;
    GridRecord *grid = StateGrid(&window);
    if (!grid || *firstRow > *lastRow) return;
    bool fold = (state.flags & 2) != 0;
    std::string wanted(text ? text : "", text && textLen > 0 ? (std::size_t)textLen : 0);
    if (fold) wanted = Upper(wanted);
    for (int r = *firstRow; r <= *lastRow; ++r) {
        std::string cell = CellText(grid, state.column, r);
        if (fold) cell = Upper(cell);
        if (cell.find(wanted) != std::string::npos) {
            *found = r;
            return;
        }
    }
}

// Sets the sort and find state for the public routines.
void yygridsearchstate(int grid, int column, int flags, int type) { state = {grid, column, flags, type}; }
