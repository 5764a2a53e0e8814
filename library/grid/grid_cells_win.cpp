// Cells of a grid in view and out of view alike: finding a grid by its field id, the two
// transfers between the value buffers and the cell controls, and the internal routines that
// read and write single cells, labels, colours and grid information.
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "base/conversion.h"
#include "base/errors.h"
#include "base/strings.h"
#include "core/dialogs.h"
#include "core/field_values.h"
#include "core/fields.h"
#include "core/numeric_edit.h"
#include "grid/grid_control.h"
#include "grid/grid_editor.h"

namespace {

// The last grid found by id: finding a control by id is a round trip to the window server
// under Wine, so repeated calls on one grid look it up once.
struct GridCache {
    HWND dialog;
    int id;
    HWND grid;
} cache = {nullptr, 0, nullptr};

bool SameFormat(const char *a, const char *b) {
    if (!a || !b) return false;
    return lstrcmpiA(a, b) == 0;
}

}  // namespace

// --- Finding cells ----------------------------------------------------------------------------

HWND quill::GridWindowOfField(int *id) {
    // Grid id 0 is the grid of the current window when that is a grid editor.
    if (*id == 0) {
        HWND grid = GridEditorGrid();
        if (!grid) *id = -1;
        return grid;
    }
    if (*id < 0) {
        *id = -1;
        return nullptr;
    }
    HWND dialog = CurrentDialogWindow();
    if (!dialog) {
        *id = -1;
        return nullptr;
    }
    // A grid forgets the cache when it is destroyed, so a hit names a live grid.
    if (cache.grid && cache.dialog == dialog && cache.id == *id) return cache.grid;
    HWND window = GetDlgItem(dialog, *id);
    if (!GridRecordOf(window)) {
        *id = -1;
        return nullptr;
    }
    cache = {dialog, *id, window};
    return window;
}

void quill::ForgetGrid(HWND grid) {
    if (cache.grid == grid) cache = {nullptr, 0, nullptr};
}

HWND quill::GridCellControl(const GridRecord *grid, int column, int row) {
    if (!grid || !grid->phCells || column < 0 || column >= grid->nColumns) return nullptr;
    int i = row - grid->iFirstRow;
    if (i < 0 || i >= grid->nControlRows) return nullptr;
    return grid->phCells[static_cast<std::size_t>(column) * grid->nControlRows + i];
}

HWND quill::GridFirstCell(const GridRecord *grid, int column) {
    if (!grid || !grid->phCells || column < 0 || column >= grid->nColumns) return nullptr;
    return grid->phCells[static_cast<std::size_t>(column) * grid->nControlRows];
}

int quill::GridRowsInView(const GridRecord *grid) {
    int n = grid->iFirstRow + grid->nVisibleRows < grid->nRows
                ? grid->nControlRows
                : (grid->nVisibleRows < grid->nStoredRows ? grid->nVisibleRows : grid->nStoredRows);
    if (n > grid->nControlRows) n = grid->nControlRows;
    if (grid->iFirstRow + n > grid->nStoredRows) n = grid->nStoredRows - grid->iFirstRow;
    return n > 0 ? n : 0;
}

void quill::MarkGridEdited(GridRecord *grid) {
    grid->bUnsaved = 1;
    grid->bEdited = 1;
}

std::string quill::GridControlText(HWND control) { return WholeWindowText(control); }

std::string quill::GridColumnFormat(const GridRecord *grid, int column) {
    FieldRecord *record = FieldRecordOf(GridFirstCell(grid, column));
    return record && record->format && *record->format ? std::string(record->format)
                                                       : std::string(kDefaultFieldFormat);
}

// --- Stored values ----------------------------------------------------------------------------

char *quill::StoredGridText(const GridColumn &column, int row) {
    return reinterpret_cast<char *>(column.pValues) + static_cast<std::size_t>(row) * column.iBytes;
}

int &quill::StoredGridInt(const GridColumn &column, int row) {
    return reinterpret_cast<int *>(column.pValues)[row];
}

float &quill::StoredGridReal(const GridColumn &column, int row) {
    return reinterpret_cast<float *>(column.pValues)[row];
}

double &quill::StoredGridDouble(const GridColumn &column, int row) {
    return reinterpret_cast<double *>(column.pValues)[row];
}

bool quill::GridHasText(const std::string &text) {
    return text.find_first_not_of(' ') != std::string::npos;
}

std::string quill::GridNumberText(int type, double value, const std::string &format) {
    QuietErrors quiet;
    char text[128] = {0};
    if (type == kGridInteger) {
        int v = TruncateFieldValue(value);
        yyint2st_(&v, text, static_cast<int>(sizeof text) - 1);
    } else if (type == kGridReal) {
        float v = static_cast<float>(value);
        yyrea2st_(&v, text, format.c_str(), static_cast<int>(sizeof text) - 1,
                  static_cast<int>(format.size()));
    } else {
        yydbl2st_(&value, text, format.c_str(), static_cast<int>(sizeof text) - 1,
                  static_cast<int>(format.size()));
    }
    std::string result(text);
    while (!result.empty() && result.back() == ' ') result.pop_back();
    return result;
}

double quill::GridTextValue(int type, const std::string &text) {
    if (type == kGridInteger) {
        int v = 0;
        yyst2int_(&v, text.c_str(), static_cast<int>(text.size()));
        return v;
    }
    if (type == kGridReal) {
        float v = 0;
        yyst2rea_(&v, text.c_str(), static_cast<int>(text.size()));
        return v;
    }
    double v = 0;
    yyst2dbl_(&v, text.c_str(), static_cast<int>(text.size()));
    return v;
}

std::string quill::StoredGridString(const GridRecord *grid, int column, int row,
                                    const std::string *format) {
    const GridColumn &col = grid->pColumns[column];
    if (col.iType == kGridString)
        return std::string(
            StoredGridText(col, row),
            strnlen(StoredGridText(col, row), static_cast<std::size_t>(col.iLength)));
    if (col.iType > kGridDouble || !(col.pFlags[row] & kCellHasValue)) return std::string();
    double value = col.iType == kGridInteger ? StoredGridInt(col, row)
                   : col.iType == kGridReal  ? StoredGridReal(col, row)
                                             : StoredGridDouble(col, row);
    return GridNumberText(col.iType, value, format ? *format : GridColumnFormat(grid, column));
}

void quill::StoreGridValue(GridRecord *grid, int column, int row, double value,
                           const std::string &text) {
    GridColumn &col = grid->pColumns[column];
    switch (col.iType) {
    case kGridString: {
        std::size_t n = text.size() < static_cast<std::size_t>(col.iLength)
                            ? text.size()
                            : static_cast<std::size_t>(col.iLength);
        char *slot = StoredGridText(col, row);
        std::memcpy(slot, text.data(), n);
        slot[n] = '\0';
        break;
    }
    case kGridInteger: StoredGridInt(col, row) = TruncateFieldValue(value); break;
    case kGridReal: StoredGridReal(col, row) = static_cast<float>(value); break;
    case kGridDouble: StoredGridDouble(col, row) = value; break;
    case kGridCheck:
    case kGridMenu: StoredGridInt(col, row) = static_cast<int>(value); break;
    default: break;
    }
}

namespace quill {

void EmptyCellControl(HWND cell, int type, bool markUntyped) {
    if (type == kGridCheck) {
        SendMessageA(cell, BM_SETCHECK, BST_UNCHECKED, 0);
    } else if (type == kGridMenu) {
        SendMessageA(cell, CB_SETCURSEL, 0, 0);
    } else {
        SetWindowTextA(cell, "");
        if (markUntyped) SendMessageA(cell, EM_SETMODIFY, FALSE, 0);
        if (FieldRecord *record = FieldRecordOf(cell)) {
            record->value = 0.0;
            if (markUntyped) record->hasText = 0;
        }
    }
}

void ClearStoredValue(const GridColumn &col, int row) {
    if (col.iType == kGridString)
        StoredGridText(col, row)[0] = '\0';
    else if (col.iType == kGridDouble)
        StoredGridDouble(col, row) = 0.0;
    else
        StoredGridInt(col, row) = 0;
}

}  // namespace quill

// --- Store and refill -------------------------------------------------------------------------

void yyGridStoreCells(GridRecord *grid) {
    if (!grid || !grid->phCells || !grid->pColumns) return;
    int n = quill::GridRowsInView(grid);
    for (int c = 0; c < grid->nColumns; ++c) {
        GridColumn &col = grid->pColumns[c];
        for (int j = 0; j < n; ++j) {
            int s = grid->iFirstRow + j;
            HWND cell = grid->phCells[static_cast<std::size_t>(c) * grid->nControlRows + j];
            if (col.iType == kGridCheck) {
                quill::StoredGridInt(col, s) =
                    SendMessageA(cell, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
                continue;
            }
            if (col.iType == kGridMenu) {
                quill::StoredGridInt(col, s) =
                    static_cast<int>(SendMessageA(cell, CB_GETCURSEL, 0, 0));
                continue;
            }
            std::string text = quill::GridControlText(cell);
            if (col.iType == kGridString) {
                quill::StoreGridValue(grid, c, s, 0.0, text);
                continue;
            }
            FieldRecord *record = quill::FieldRecordOf(cell);
            double value = SendMessageA(cell, EM_GETMODIFY, 0, 0) || !record
                               ? quill::GridTextValue(col.iType, text)
                               : record->value;
            quill::StoreGridValue(grid, c, s, value, text);
            if (quill::GridHasText(text))
                col.pFlags[s] |= kCellHasValue | kCellTyped;
            else
                col.pFlags[s] &= static_cast<unsigned char>(~kCellHasValue);
        }
    }
}

namespace {

void RefillColours(const GridColumn &col, int s, HWND cell) {
    if (!col.pColours) return;
    FieldRecord *record = quill::FieldRecordOf(cell);
    if (!record) return;
    const GridColour &colour = col.pColours[s];
    COLORREF fore = (colour.flags & 1) ? RGB(colour.fore[0], colour.fore[1], colour.fore[2])
                                       : QUILL_DEFAULT_COLOUR;
    COLORREF back = (colour.flags & 2) ? RGB(colour.back[0], colour.back[1], colour.back[2])
                                       : QUILL_DEFAULT_COLOUR;
    if (fore != record->foreground || back != record->background) {
        record->foreground = fore;
        record->background = back;
        InvalidateRect(cell, nullptr, TRUE);
    }
}

void SetCellText(HWND cell, const std::string &text) {
    if (quill::GridControlText(cell) != text) SetWindowTextA(cell, text.c_str());
}

}  // namespace

void yygridupdatecells(GridRecord *grid) {
    if (!grid || !grid->phCells || !grid->pColumns) return;
    quill::GridRefillGuard unchanged(grid);
    int n = quill::GridRowsInView(grid);
    for (int c = 0; c < grid->nColumns; ++c) {
        const GridColumn &col = grid->pColumns[c];
        for (int j = 0; j < n; ++j) {
            int s = grid->iFirstRow + j;
            HWND cell = grid->phCells[static_cast<std::size_t>(c) * grid->nControlRows + j];
            FieldRecord *record = quill::FieldRecordOf(cell);
            RefillColours(col, s, cell);
            if (col.iType == kGridCheck) {
                SendMessageA(cell, BM_SETCHECK,
                             quill::StoredGridInt(col, s) ? BST_CHECKED : BST_UNCHECKED, 0);
            } else if (col.iType == kGridMenu) {
                SendMessageA(cell, CB_SETCURSEL, static_cast<WPARAM>(quill::StoredGridInt(col, s)),
                             0);
            } else {
                std::string text = quill::StoredGridString(grid, c, s);
                SetCellText(cell, text);
                if (record && col.iType != kGridString)
                    record->value = (col.pFlags[s] & kCellHasValue)
                                        ? quill::GridTextValue(col.iType, text)
                                        : 0.0;
                if (record && col.iType != kGridString && (col.pFlags[s] & kCellHasValue)) {
                    record->value = col.iType == kGridInteger ? quill::StoredGridInt(col, s)
                                    : col.iType == kGridReal  ? quill::StoredGridReal(col, s)
                                                              : quill::StoredGridDouble(col, s);
                }
                SendMessageA(cell, EM_SETMODIFY, FALSE, 0);
            }
            if (s < grid->nRows) {
                if (!IsWindowVisible(cell)) ShowWindow(cell, SW_SHOWNA);
                if (record && record->upDown && !IsWindowVisible(record->upDown))
                    ShowWindow(record->upDown, SW_SHOWNA);
            }
            if (record) record->hasText = (col.pFlags[s] & kCellTyped) ? 1 : 0;
            yygridwindowstate(cell, col.iType, col.pFlags[s] & kCellReadOnly, 0);
        }
    }
    if (grid->phRowLabels && grid->pRowLabelText) {
        for (int i = 0; i < grid->nControlRows; ++i) {
            int s = grid->iFirstRow + i;
            HWND label = grid->phRowLabels[i];
            if (!label) continue;
            HDITEMA item = {};
            item.mask = HDI_TEXT;
            item.pszText = const_cast<char *>(
                s < grid->nLabelRows ? grid->pRowLabelText + static_cast<std::size_t>(s) * 51 : "");
            SendMessageA(label, HDM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            ShowWindow(label, s < grid->nRows ? SW_SHOWNA : SW_HIDE);
            InvalidateRect(label, nullptr, TRUE);
        }
    }
}

void quill::RefillMovedGridRows(GridRecord *grid) {
    int saved = bGridDeferPaint;
    bGridDeferPaint = 1;
    yygridupdatecells(grid);
    bGridDeferPaint = saved;
}

bool quill::GridRowsCopy::Take(GridRecord *grid) {
    grid_ = nullptr;
    values_.clear();
    flags_.clear();
    if (!grid || !grid->pColumns) return false;
    yyGridStoreCells(grid);
    const std::size_t rows = static_cast<std::size_t>(grid->nStoredRows);
    try {
        values_.reserve(static_cast<std::size_t>(grid->nColumns));
        flags_.reserve(static_cast<std::size_t>(grid->nColumns));
        for (int c = 0; c < grid->nColumns; ++c) {
            const GridColumn &col = grid->pColumns[c];
            values_.emplace_back(col.pValues,
                                 col.pValues + static_cast<std::size_t>(col.iBytes) * rows);
            flags_.emplace_back(col.pFlags, col.pFlags + rows);
        }
    } catch (const std::bad_alloc &) {
        values_.clear();
        flags_.clear();
        return false;
    }
    grid_ = grid;
    columns_ = grid->pColumns;
    unsaved_ = grid->bUnsaved;
    edited_ = grid->bEdited;
    return true;
}

void quill::GridRowsCopy::PutBack() const {
    GridRecord *grid = grid_;
    if (!grid || grid->pColumns != columns_ ||
        static_cast<std::size_t>(grid->nColumns) != values_.size())
        return;
    const std::size_t rows = static_cast<std::size_t>(grid->nStoredRows);
    for (int c = 0; c < grid->nColumns; ++c) {
        const GridColumn &col = grid->pColumns[c];
        const std::vector<unsigned char> &values = values_[static_cast<std::size_t>(c)];
        const std::vector<unsigned char> &flags = flags_[static_cast<std::size_t>(c)];
        if (values.size() != static_cast<std::size_t>(col.iBytes) * rows || flags.size() != rows)
            return;
    }
    for (int c = 0; c < grid->nColumns; ++c) {
        const GridColumn &col = grid->pColumns[c];
        std::memcpy(col.pValues, values_[static_cast<std::size_t>(c)].data(),
                    values_[static_cast<std::size_t>(c)].size());
        std::memcpy(col.pFlags, flags_[static_cast<std::size_t>(c)].data(), rows);
    }
    yygridupdatecells(grid);
    grid->bUnsaved = unsaved_;
    grid->bEdited = edited_;
}

// --- Cell routines ----------------------------------------------------------------------------

namespace {

// The grid of *ID and the column/row check: null (with the status set) when either fails.
GridRecord *Checked(int *id, HWND *window, int column, int row, int rowBound) {
    *window = quill::GridWindowOfField(id);
    GridRecord *grid = quill::GridRecordOf(*window);
    if (!grid) return nullptr;
    if (!grid->pColumns || column < 0 || column >= grid->nColumns || row < 0 || row >= rowBound) {
        *id = -2;
        return nullptr;
    }
    return grid;
}

int RowsBound(int *id) {
    HWND window = quill::GridWindowOfField(id);
    GridRecord *grid = quill::GridRecordOf(window);
    return grid ? grid->nRows : 0;
}

}  // namespace

std::string quill::GridOptionText(HWND combo, int index) {
    if (index < 0) return std::string();
    int length =
        static_cast<int>(SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0));
    if (length < 0) return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&text[0]));
    text.resize(std::strlen(text.c_str()));
    return text;
}

void yygridgetcellstring_(int *id, int *column, int *row, char *text, int *max) {
    quill::CopyTerminated(text, *max, "");
    HWND window;
    GridRecord *grid = Checked(id, &window, *column, *row, RowsBound(id));
    if (!grid) return;
    if (grid->pColumns[*column].iType > kGridDouble) {
        *id = -2;
        return;
    }
    HWND cell = quill::GridCellControl(grid, *column, *row);
    quill::CopyTerminated(
        text, *max,
        cell ? quill::GridControlText(cell) : quill::StoredGridString(grid, *column, *row));
}

void yygridgetcellvalue_(int *id, int *column, int *row, double *value) {
    HWND window;
    GridRecord *grid = Checked(id, &window, *column, *row, RowsBound(id));
    if (!grid) return;
    const GridColumn &col = grid->pColumns[*column];
    if (col.iType > kGridDouble) {
        *id = -2;
        return;
    }
    HWND cell = quill::GridCellControl(grid, *column, *row);
    std::string text =
        cell ? quill::GridControlText(cell) : quill::StoredGridString(grid, *column, *row);
    if (col.iType == kGridString || cell) {
        if (!quill::GridHasText(text)) {
            *id = -3;
            return;
        }
        FieldRecord *record = quill::FieldRecordOf(cell);
        if (col.iType != kGridString && record && !SendMessageA(cell, EM_GETMODIFY, 0, 0))
            *value = record->value;
        else
            *value = quill::GridTextValue(kGridDouble, text.substr(0, 254));
        return;
    }
    if (!(col.pFlags[*row] & kCellHasValue)) {
        *id = -3;
        return;
    }
    *value = col.iType == kGridInteger ? quill::StoredGridInt(col, *row)
             : col.iType == kGridReal  ? quill::StoredGridReal(col, *row)
                                       : quill::StoredGridDouble(col, *row);
}

void yygridgetcellcheck_(int *id, int *column, int *row, int *state) {
    HWND window;
    GridRecord *grid = Checked(id, &window, *column, *row, RowsBound(id));
    if (!grid) return;
    if (grid->pColumns[*column].iType != kGridCheck) {
        *id = -2;
        return;
    }
    HWND cell = quill::GridCellControl(grid, *column, *row);
    *state = cell ? (SendMessageA(cell, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0)
                  : quill::StoredGridInt(grid->pColumns[*column], *row);
}

void yygridgetcellmenu_(int *id, int *column, int *row, int *option) {
    HWND window;
    GridRecord *grid = Checked(id, &window, *column, *row, RowsBound(id));
    if (!grid) return;
    if (grid->pColumns[*column].iType != kGridMenu) {
        *id = -2;
        return;
    }
    HWND cell = quill::GridCellControl(grid, *column, *row);
    int index = cell ? static_cast<int>(SendMessageA(cell, CB_GETCURSEL, 0, 0))
                     : quill::StoredGridInt(grid->pColumns[*column], *row);
    *option = index + 1;
}

void yygridgetmenustring_(int *id, int *column, int *option, char *text, int *max) {
    quill::CopyTerminated(text, *max, "");
    HWND window;
    GridRecord *grid = Checked(id, &window, *column, 0, 1);
    if (!grid) return;
    HWND first = quill::GridFirstCell(grid, *column);
    int count = grid->pColumns[*column].iType == kGridMenu
                    ? static_cast<int>(SendMessageA(first, CB_GETCOUNT, 0, 0))
                    : -1;
    if (*option < 1 || *option > count) {
        *id = -2;
        return;
    }
    quill::CopyTerminated(text, *max, quill::GridOptionText(first, *option - 1));
}

void yygridputcellcheck_(int *id, int *column, int *row, int *state) {
    HWND window;
    GridRecord *grid = Checked(id, &window, *column, *row, RowsBound(id));
    if (!grid) return;
    if (grid->pColumns[*column].iType != kGridCheck) {
        *id = -2;
        return;
    }
    yygridselectnone(window);
    if (HWND cell = quill::GridCellControl(grid, *column, *row))
        SendMessageA(cell, BM_SETCHECK, *state ? BST_CHECKED : BST_UNCHECKED, 0);
    quill::StoredGridInt(grid->pColumns[*column], *row) = *state ? 1 : 0;
    quill::MarkGridEdited(grid);
}

void yygridputcelloption_(int *id, int *column, int *row, int *option) {
    HWND window;
    GridRecord *grid = Checked(id, &window, *column, *row, RowsBound(id));
    if (!grid) return;
    HWND first = quill::GridFirstCell(grid, *column);
    int count = grid->pColumns[*column].iType == kGridMenu
                    ? static_cast<int>(SendMessageA(first, CB_GETCOUNT, 0, 0))
                    : -1;
    if (count < 0 || *option < 0 || *option > count) {
        *id = -2;
        return;
    }
    yygridselectnone(window);
    if (HWND cell = quill::GridCellControl(grid, *column, *row))
        SendMessageA(cell, CB_SETCURSEL, static_cast<WPARAM>(*option - 1), 0);
    quill::StoredGridInt(grid->pColumns[*column], *row) = *option - 1;
    quill::MarkGridEdited(grid);
}

void yygridputmenustring_(int *id, int *column, int *row, int *status, const char *text) {
    HWND window;
    GridRecord *grid = Checked(id, &window, *column, *row, RowsBound(id));
    if (!grid) return;
    if (grid->pColumns[*column].iType != kGridMenu) {
        *id = -2;
        return;
    }
    HWND first = quill::GridFirstCell(grid, *column);
    int count = static_cast<int>(SendMessageA(first, CB_GETCOUNT, 0, 0));
    int found = -1;
    for (int i = 0; i < count && found < 0; ++i)
        if (quill::GridOptionText(first, i) == (text ? text : "")) found = i;
    // No match leaves the cell without an option.
    quill::StoredGridInt(grid->pColumns[*column], *row) = found;
    *status = found >= 0 ? 0 : 1;
    if (HWND cell = quill::GridCellControl(grid, *column, *row))
        SendMessageA(cell, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    quill::MarkGridEdited(grid);
}

namespace {

// The menu control of a menu column in control row CONTROLROW, or null with the status in
// *ID: -1 for a column of another type, -2 for a control row out of range.
HWND MenuControl(int *id, int column, int controlRow) {
    HWND window;
    GridRecord *grid = Checked(id, &window, column, 0, 1);
    if (!grid) return nullptr;
    if (grid->pColumns[column].iType != kGridMenu) {
        *id = -1;
        return nullptr;
    }
    if (controlRow < 0 || controlRow >= grid->nControlRows) {
        *id = -2;
        return nullptr;
    }
    return grid->phCells[static_cast<std::size_t>(column) * grid->nControlRows + controlRow];
}

}  // namespace

void yygridputmenu_(int *id, int *column, int *controlRow, const char *text) {
    if (HWND menu = MenuControl(id, *column, *controlRow))
        SendMessageA(menu, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : ""));
}

void yygridclearmenu_(int *id, int *column, int *controlRow) {
    if (HWND menu = MenuControl(id, *column, *controlRow))
        SendMessageA(menu, CB_RESETCONTENT, 0, 0);
}

namespace {

// Gives every control row of a real or double column the new format, rewriting their texts.
void SpreadFormat(GridRecord *grid, int column, const char *format) {
    int type = grid->pColumns[column].iType;
    for (int i = 0; i < grid->nControlRows; ++i) {
        HWND cell = grid->phCells[static_cast<std::size_t>(column) * grid->nControlRows + i];
        FieldRecord *record = quill::FieldRecordOf(cell);
        if (!record) continue;
        if (!SameFormat(record->format, format)) {
            std::free(record->format);
            record->format = *format ? quill::DuplicateText(format) : nullptr;
        }
        std::string text = quill::GridControlText(cell);
        if (!quill::GridHasText(text)) continue;
        std::string shown =
            format && *format ? std::string(format) : std::string(kDefaultFieldFormat);
        if (SendMessageA(cell, EM_GETMODIFY, 0, 0))
            record->value = quill::GridTextValue(type, text);
        SetWindowTextA(cell, quill::GridNumberText(type, record->value, shown).c_str());
        SendMessageA(cell, EM_SETMODIFY, FALSE, 0);
    }
}

}  // namespace

void yygridputcellstring_(int *id, int *column, int *row, double *value, const char *text,
                          const char *format, int textLen, int formatLen) {
    HWND window;
    GridRecord *grid = Checked(id, &window, *column, *row, RowsBound(id));
    if (!grid) return;
    GridColumn &col = grid->pColumns[*column];
    if (col.iType > kGridDouble) {
        *id = -2;
        return;
    }
    std::string shown(
        text ? text : "",
        text ? strnlen(text, static_cast<std::size_t>(textLen > 0 ? textLen : 0)) : 0);
    std::string form(
        format ? format : "",
        format ? strnlen(format, static_cast<std::size_t>(formatLen > 0 ? formatLen : 0)) : 0);
    if (col.iType == kGridString && shown.size() > static_cast<std::size_t>(col.iLength))
        shown.resize(static_cast<std::size_t>(col.iLength));
    yygridselectnone(window);
    double v = *value;
    HWND cell = quill::GridCellControl(grid, *column, *row);
    // The value parsed from the text is kept by a control in view and by a number column; a
    // string out of view keeps its text only.
    if (v == 0.0 && (cell || col.iType != kGridString)) {
        double parsed = 0.0;
        int ok = 0;
        yyst2dblcheck_(&parsed, &ok, shown.c_str(), static_cast<int>(shown.size()));
        if (ok) v = parsed;
    }
    bool present = quill::GridHasText(shown);
    if (cell) {
        SetWindowTextA(cell, shown.c_str());
        if (FieldRecord *record = quill::FieldRecordOf(cell)) {
            record->value = v;
            record->hasText = present ? 1 : 0;
        }
        SendMessageA(cell, EM_SETMODIFY, FALSE, 0);
    }
    FieldRecord *carrier = quill::FieldRecordOf(cell ? cell : quill::GridFirstCell(grid, *column));
    if (carrier && !SameFormat(carrier->format, form.c_str())) {
        std::free(carrier->format);
        carrier->format = form.empty() ? nullptr : quill::DuplicateText(form.c_str());
        if (col.iType == kGridReal || col.iType == kGridDouble)
            SpreadFormat(grid, *column, form.c_str());
    }
    quill::StoreGridValue(grid, *column, *row, v, shown);
    if (present)
        col.pFlags[*row] |= kCellHasValue | kCellTyped;
    else
        col.pFlags[*row] &= static_cast<unsigned char>(~(kCellHasValue | kCellTyped));
    quill::MarkGridEdited(grid);
}

bool quill::PutGridValue(int grid, int column, int row, double value, const char *format) {
    int id = grid;
    HWND window;
    GridRecord *record = Checked(&id, &window, column, row, RowsBound(&id));
    if (!record || value == 0.0) return false;
    GridColumn &col = record->pColumns[column];
    if (col.iType < kGridInteger || col.iType > kGridDouble || GridCellControl(record, column, row))
        return false;
    FieldRecord *carrier = FieldRecordOf(GridFirstCell(record, column));
    if (carrier && !SameFormat(carrier->format, format) && (*format || carrier->format))
        return false;
    yygridselectnone(window);
    StoreGridValue(record, column, row, value, std::string());
    col.pFlags[row] |= kCellHasValue | kCellTyped;
    MarkGridEdited(record);
    return true;
}

void yygridclearcell_(int *id, int *column, int *row, int *mode) {
    HWND window = quill::GridWindowOfField(id);
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid) return;
    int bound = *mode == 0 ? grid->nRows : grid->nStoredRows;
    if (!Checked(id, &window, *column, *row, bound)) return;
    GridColumn &col = grid->pColumns[*column];
    if (col.iType == kGridMenu && *mode != 2) {
        *id = -2;
        return;
    }
    yygridselectnone(window);
    if (HWND cell = quill::GridCellControl(grid, *column, *row))
        quill::EmptyCellControl(cell, col.iType, true);
    quill::ClearStoredValue(col, *row);
    if (col.iType != kGridMenu)
        col.pFlags[*row] &= static_cast<unsigned char>(~(kCellHasValue | kCellTyped));
}

void yygridgetformat_(int *id, int *column, char *format, int *max) {
    HWND window;
    GridRecord *grid = Checked(id, &window, *column, 0, 1);
    if (!grid) {
        quill::CopyTerminated(format, *max, kDefaultFieldFormat);
        return;
    }
    int type = grid->pColumns[*column].iType;
    quill::CopyTerminated(format, *max,
                          type == kGridReal || type == kGridDouble
                              ? quill::GridColumnFormat(grid, *column)
                              : std::string(kDefaultFieldFormat));
}

void yygridlabelcolumn_(int *id, int *item, const char *text) {
    HWND window = quill::GridWindowOfField(id);
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid || !grid->hHeader) return;
    HDITEMA header = {};
    header.mask = HDI_TEXT;
    header.pszText = const_cast<char *>(text ? text : "");
    SendMessageA(grid->hHeader, HDM_SETITEMA, static_cast<WPARAM>(*item),
                 reinterpret_cast<LPARAM>(&header));
}

void yygridgetcolumnlabel_(int *id, int *item, char *text, int *max) {
    quill::CopyTerminated(text, *max, "");
    HWND window = quill::GridWindowOfField(id);
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid || !grid->hHeader || !text || *max <= 0) return;
    HDITEMA header = {};
    header.mask = HDI_TEXT;
    header.pszText = text;
    header.cchTextMax = *max;
    SendMessageA(grid->hHeader, HDM_GETITEMA, static_cast<WPARAM>(*item),
                 reinterpret_cast<LPARAM>(&header));
}

void yygridlabelrow_(int *id, int *row, const char *text, int *length) {
    HWND window;
    GridRecord *grid = Checked(id, &window, 0, *row, RowsBound(id));
    if (!grid || !grid->pRowLabelText || *row >= grid->nLabelRows) return;
    std::size_t n = text ? strnlen(text, static_cast<std::size_t>(*length > 0 ? *length : 0)) : 0;
    if (n > static_cast<std::size_t>(kGridLabelChars)) n = kGridLabelChars;
    char *slot = grid->pRowLabelText + static_cast<std::size_t>(*row) * 51;
    std::memset(slot, 0, 51);
    if (n) std::memcpy(slot, text, n);
    int i = *row - grid->iFirstRow;
    if (grid->phRowLabels && i >= 0 && i < grid->nControlRows && grid->phRowLabels[i]) {
        HDITEMA item = {};
        item.mask = HDI_TEXT;
        item.pszText = slot;
        SendMessageA(grid->phRowLabels[i], HDM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        UpdateWindow(grid->phRowLabels[i]);
    }
}

void yygridgetrowlabel_(int *id, int *row, char *text, int *length) {
    quill::CopyTerminated(text, *length, "");
    HWND window;
    GridRecord *grid = Checked(id, &window, 0, *row, RowsBound(id));
    if (!grid || !grid->pRowLabelText || *row >= grid->nLabelRows) return;
    quill::CopyTerminated(text, *length < 51 ? *length : 51,
                          grid->pRowLabelText + static_cast<std::size_t>(*row) * 51);
}

namespace {

void ColourPart(unsigned char *flags, unsigned char bit, unsigned char *rgb, int r, int g, int b) {
    if (r == 256) {
        *flags &= static_cast<unsigned char>(~bit);
    } else if (r != -1) {
        *flags |= bit;
        rgb[0] = static_cast<unsigned char>(r);
        rgb[1] = static_cast<unsigned char>(g);
        rgb[2] = static_cast<unsigned char>(b);
    }
}

void RepaintCell(HWND window, GridRecord *grid, HWND cell) {
    if (grid->iSelFirstRow >= 0) {
        RECT r;
        GetWindowRect(cell, &r);
        MapWindowPoints(nullptr, grid->hPane, reinterpret_cast<POINT *>(&r), 2);
        InvalidateRect(grid->hPane, &r, TRUE);
    }
    (void)window;
    RedrawWindow(cell, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace

void yygridcolourcell_(int *id, int *column, int *row, int *fr, int *fg, int *fb, int *br, int *bg,
                       int *bb) {
    HWND window;
    GridRecord *grid = Checked(id, &window, *column, *row, RowsBound(id));
    if (!grid) return;
    GridColumn &col = grid->pColumns[*column];
    if (!col.pColours) {
        col.pColours = static_cast<GridColour *>(
            std::calloc(static_cast<std::size_t>(grid->nStoredRows) + 1, sizeof(GridColour)));
        if (!col.pColours) {
            *id = -3;
            return;
        }
        FieldRecord *first = quill::FieldRecordOf(quill::GridFirstCell(grid, *column));
        GridColour model = {};
        if (first && first->foreground != QUILL_DEFAULT_COLOUR) {
            model.flags |= 1;
            model.fore[0] = GetRValue(first->foreground),
            model.fore[1] = GetGValue(first->foreground),
            model.fore[2] = GetBValue(first->foreground);
        }
        if (first && first->background != QUILL_DEFAULT_COLOUR) {
            model.flags |= 2;
            model.back[0] = GetRValue(first->background),
            model.back[1] = GetGValue(first->background),
            model.back[2] = GetBValue(first->background);
        }
        for (int s = 0; s < grid->nStoredRows; ++s) col.pColours[s] = model;
    }
    GridColour &colour = col.pColours[*row];
    ColourPart(&colour.flags, 1, colour.fore, *fr, *fg, *fb);
    ColourPart(&colour.flags, 2, colour.back, *br, *bg, *bb);
    if (HWND cell = quill::GridCellControl(grid, *column, *row)) {
        yyFieldColour2(cell, 1, *fr, *fg, *fb);
        yyFieldColour2(cell, 2, *br, *bg, *bb);
        RepaintCell(window, grid, cell);
    }
}

void yygridcolourcolumn_(int *id, int *column, int *fr, int *fg, int *fb, int *br, int *bg,
                         int *bb) {
    HWND window;
    GridRecord *grid = Checked(id, &window, *column, 0, 1);
    if (!grid) return;
    GridColumn &col = grid->pColumns[*column];
    std::free(col.pColours);
    col.pColours = nullptr;
    for (int i = 0; i < grid->nControlRows; ++i) {
        HWND cell = grid->phCells[static_cast<std::size_t>(*column) * grid->nControlRows + i];
        yyFieldColour2(cell, 1, *fr, *fg, *fb);
        yyFieldColour2(cell, 2, *br, *bg, *bb);
        RepaintCell(window, grid, cell);
    }
}

void yygridcellfocus_(int *id, int *column, int *row) {
    HWND window;
    GridRecord *grid = Checked(id, &window, *column, *row, RowsBound(id));
    if (!grid) return;
    yygridselectnone(window);
    HWND parent = GetParent(window);
    bool usable = parent && IsWindowVisible(parent) && IsWindowEnabled(parent);
    if (usable) SetFocus(parent);
    grid->iCurColumn = *column;
    grid->iCurRow = *row;
    if (usable) SetFocus(window);
}

void yygridgetinfo_(int *id, int *code, int *value) {
    // Identifier -2: the grid of the last modal editor run.
    if (*id == -2) {
        if (*code == 6)
            *value = 1 - giModal;
        else if (*code == 7)
            *value = giModalEdited;
        return;
    }
    HWND window = quill::GridWindowOfField(id);
    GridRecord *grid = quill::GridRecordOf(window);
    if (!grid) return;
    switch (*code) {
    case 1: *value = grid->nColumns; break;
    case 2: *value = grid->nStoredRows; break;
    case 3: *value = grid->nRows; break;
    case 4: *value = grid->iCurColumn + 1; break;
    case 5: *value = grid->iCurRow + 1; break;
    case 6: *value = 1 - grid->bUnsaved; break;
    case 7: *value = grid->bEdited; break;
    case 101: *value = grid->nControlRows; break;
    case 102: *value = grid->nDefinedColumns; break;
    default: break;
    }
}

void yygridgetinfostring_(int *id, int *code, char *text, int *max) {
    // The three texts of the current grid editor window (0) or of the last modal run (-1).
    if (*max > 0) text[0] = '\0';
    if (*id != 0 && *id != -1) {
        *id = -1;
        return;
    }
    const char *kept = quill::GridEditorText(*code, *id == -1);
    if (!kept) {
        if (*id == 0 && *code >= 1 && *code <= 3) *id = -1;
        return;
    }
    quill::CopyTerminated(text, *max, kept);
}
