// Grid fields of the current dialog as tests reach them: the field's window and record, cells
// written and read back through the public grid routines, and a fixture that shows a dialog of
// grids.
#ifndef TESTS_SUPPORT_GRID_CELLS_H
#define TESTS_SUPPORT_GRID_CELLS_H

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "core/dialogs.h"
#include "dialog_root.h"
#include "error_status.h"
#include "grid/grid_control.h"
#include "quillamorph.h"

// The window of field ID of the current dialog, and its grid record (null for no grid).
inline HWND Field(int id) { return GetDlgItem(quill::CurrentDialogWindow(), id); }
inline GridRecord *Record(int id) { return quill::GridRecordOf(Field(id)); }

// The text of cell (COLUMN, ROW) of GRID, counted from 1, read into LENGTH characters and
// without its trailing blanks.
inline std::string CellString(int grid, int column, int row, int length = 20) {
    std::string text(static_cast<size_t>(length), '#');
    wgridgetcellstring_(&grid, &column, &row, &text[0], length);
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

inline void PutInteger(int grid, int column, int row, int value) {
    wgridputcellinteger_(&grid, &column, &row, &value);
}

// Writes VALUE into a cell, in FORMAT when one is given, else in the column's own format.
inline void PutDouble(int grid, int column, int row, double value, const char *format = nullptr) {
    wgridputcelldouble_(&grid, &column, &row, &value, format,
                        format ? static_cast<int>(std::strlen(format)) : 0);
}

// Shows dialog DIALOG modeless (as ModelessDialogRoot does), checks that each field of GRIDS
// became a grid, and clears the error status.
template <int Dialog, int... Grids>
class GridDialogRoot : public ModelessDialogRoot {
protected:
    GridDialogRoot() : ModelessDialogRoot(Dialog) {}
    void SetUp() override {
        ModelessDialogRoot::SetUp();
        for (int grid : std::initializer_list<int>{Grids...})
            ASSERT_NE(Record(grid), nullptr) << "field " << grid;
        LastError();
    }
};

#endif
