// The public grid routines: they check their arguments, call the internal grid routines with
// 0-based columns and rows and turn the statuses into the library's error numbers.
#include <windows.h>

#include <functional>
#include <string>

#include "base/errors.h"
#include "base/fixedtext.h"
#include "core/dialogs.h"
#include "core/field_values.h"
#include "core/fields.h"
#include "grid/grid_control.h"
#include "quillamorph/grid.h"

namespace {

constexpr int kNoDialog = 1005;
constexpr int kBadField = 1006;
constexpr int kOutOfRange = 1009;
constexpr int kBadCell = 1017;

// False (with error 1005) when a dialog's grid is asked for while no dialog is loaded.
bool DialogsLoaded(int grid) {
    if (grid == 0 || nDialogs > 0) return true;
    quill::RaiseError(kNoDialog);
    return false;
}

// Turns a status into its error; true when there was none.
bool Report(int status, int id) {
    if (status == id) return true;
    if (status == -1)
        quill::RaiseError(kBadField);
    else if (status == -2)
        quill::RaiseError(kBadCell);
    else if (status == -3)
        quill::RaiseError(kOutOfRange);
    return false;
}

std::string ColumnFormat(int grid, int column) {
    char format[kFormatChars + 1] = {0};
    int status = grid, max = static_cast<int>(sizeof format);
    yygridgetformat_(&status, &column, format, &max);
    return format;
}

// Range check, then the put; a row beyond the grid is reported, a check-box or menu column
// takes no text and is passed over silently. The number's text is made only where a cell
// needs it: a cell out of view keeps the value alone.
void PutNumber(int grid, int column, int row, double value,
               const std::function<std::string()> &text, const std::string &format) {
    if (!DialogsLoaded(grid)) return;
    int status = grid;
    yygridrangecheck_(&status, &column, &value);
    if (!Report(status, grid)) return;
    status = grid;
    int type = 0;
    yygridcelltype_(&status, &column, &type);
    if (type == kFieldCheckBox || type == kFieldCombo) return;
    if (quill::PutGridValue(grid, column, row, value, format.c_str())) return;
    status = grid;
    std::string shown = text();
    yygridputcellstring_(&status, &column, &row, &value, shown.c_str(), format.c_str(),
                         static_cast<int>(shown.size()) + 1, static_cast<int>(format.size()) + 1);
    Report(status, grid);
}

}  // namespace

void wgridputcelldouble_(const int *igrid, const int *icol, const int *irow, const double *dvalue,
                         const char *format, int format_len) {
    int grid = *igrid, column = *icol - 1;
    std::string chosen =
        quill::PutFormat(format, format ? format_len : 0, ColumnFormat(grid, column));
    double value = dvalue ? *dvalue : 0.0;
    PutNumber(
        grid, column, *irow - 1, value, [&] { return quill::DoubleFieldText(value, chosen); },
        chosen);
}

void wgridputcellreal_(const int *igrid, const int *icol, const int *irow, const float *rvalue,
                       const char *format, int format_len) {
    int grid = *igrid, column = *icol - 1;
    std::string chosen =
        quill::PutFormat(format, format ? format_len : 0, ColumnFormat(grid, column));
    float value = rvalue ? *rvalue : 0.0f;
    PutNumber(
        grid, column, *irow - 1, value, [&] { return quill::RealFieldText(value, chosen); },
        chosen);
}

void wgridputcellinteger_(const int *igrid, const int *icol, const int *irow, const int *ivalue) {
    int value = ivalue ? *ivalue : 0;
    PutNumber(
        *igrid, *icol - 1, *irow - 1, value, [&] { return std::to_string(value); }, std::string());
}

void wgridclearcell_(const int *igrid, const int *icol, const int *irow) {
    if (!DialogsLoaded(*igrid)) return;
    int status = *igrid, column = *icol - 1, row = *irow - 1, mode = 0;
    yygridclearcell_(&status, &column, &row, &mode);
    Report(status, *igrid);
}

void wgridgetcellstring_(const int *igrid, const int *icol, const int *irow, char *text,
                         int text_len) {
    quill::BlankText(text, text_len);
    if (!DialogsLoaded(*igrid)) return;
    int status = *igrid, column = *icol - 1, row = *irow - 1;
    int max = (text_len > 0 ? text_len : 0) + 1;
    std::string buffer(static_cast<std::size_t>(max), '\0');
    yygridgetcellstring_(&status, &column, &row, &buffer[0], &max);
    if (!Report(status, *igrid)) return;
    quill::PutFixedText(text, text_len, std::string(buffer.c_str()));
}

void wgridsetcell_(const int *igrid, const int *icol, const int *irow) {
    if (!DialogsLoaded(*igrid)) return;
    int status = *igrid, column = *icol - 1, row = *irow - 1;
    yygridcellfocus_(&status, &column, &row);
    Report(status, *igrid);
}

namespace {

// Information code CODE of a grid; false (with error 1006) when it is none.
bool Info(int grid, int code, int *value) {
    int status = grid;
    *value = 0;
    yygridgetinfo_(&status, &code, value);
    return Report(status, grid);
}

}  // namespace

void wgridsort_(const int *igrid, const int *icol, const int *iflags, const int *irowfirst,
                const int *irowlast) {
    if (!DialogsLoaded(*igrid)) return;
    int grid = *igrid, rows = 0, columns = 0;
    if (!Info(grid, 3, &rows) || !Info(grid, 1, &columns)) return;
    if (*icol < 1 || *icol > columns) {
        quill::RaiseError(kBadCell);
        return;
    }
    int column = *icol - 1, type = 0, status = grid;
    yygridcelltype_(&status, &column, &type);
    int length = 1;
    if (type == kFieldString) {
        status = grid;
        yygridcelllength_(&status, &column, &length);
    }
    // Rows are limited to the grid's own.
    int first = irowfirst ? *irowfirst : 1, last = irowlast ? *irowlast : rows;
    if (first < 1) first = 1;
    if (last > rows) last = rows;
    quill::SetGridSearchState(grid, column, iflags ? *iflags : 0, type);
    yygridsort_(&first, &last, &length);
}

void wgridfind_(const int *igrid, const char *text, const int *iflags, int *ifound,
                const int *icolfirst, const int *icollast, const int *irowfirst,
                const int *irowlast, int text_len) {
    if (ifound) *ifound = 0;
    if (!DialogsLoaded(*igrid)) return;
    int grid = *igrid, rows = 0, columns = 0;
    if (!Info(grid, 1, &columns)) return;
    Info(grid, 3, &rows);
    int flags = iflags ? *iflags : 0;
    int c0 = icolfirst && *icolfirst > 1 ? *icolfirst : 1;
    int c1 = icollast && *icollast < columns ? *icollast : columns;
    int r0 = irowfirst && *irowfirst > 1 ? *irowfirst : 1;
    int r1 = irowlast && *irowlast < rows ? *irowlast : rows;
    int startColumn = c0, startRow = r0;
    if (flags & 1) {
        int current = 0, row = 0;
        Info(grid, 4, &current);
        if (current >= c0) {
            Info(grid, 5, &row);
            startColumn = current;
            startRow = row + 1 > r0 ? row + 1 : r0;
        }
    }
    for (int c = startColumn; c <= c1; ++c) {
        int column = c - 1, type = 0, status = grid;
        yygridcelltype_(&status, &column, &type);
        if (type != kFieldString) continue;
        int length = 0;
        status = grid;
        yygridcelllength_(&status, &column, &length);
        quill::SetGridSearchState(grid, column, flags, type);
        int first = (c == startColumn ? startRow : r0) - 1, last = r1 - 1, found = -1;
        yygridfind_(text, &first, &last, &length, &found, text_len);
        if (found >= 0) {
            int row = found + 1;
            wgridsetcell_(igrid, &c, &row);
            if (ifound) *ifound = 1;
            return;
        }
    }
}
