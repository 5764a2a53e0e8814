// Grid text files: wgridsave_ writes every cell of a grid through the field writer, wgridload_
// stores the fields of the field scanner into the cells through the grid routines.
//
// A save writes a new file beside the old one and puts it in the old one's place only when
// every byte was written, so a failed save leaves the old file as it was.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/errors.h"
#include "base/fixedtext.h"
#include "base/strings.h"
#include "core/dialogs.h"
#include "grid/grid_control.h"
#include "grid/grid_file.h"
#include "quillamorph/conversion.h"
#include "quillamorph/files.h"
#include "quillamorph/grid.h"
#include "quillamorph/strings.h"

namespace {

constexpr int kOpenFailed = 1, kFileFailed = 2, kNoDialog = 1005, kBadField = 1006;
constexpr int kBeyondGrid = 1054, kNoMenuMatch = 1055;
// Bytes moved per read or write.
constexpr std::size_t kFileBlock = 65536;
// The system's limit on a path, its NUL included.
constexpr int kNameArea = MAX_PATH;

// The grid of a file routine: checks 1005 and 1006, then the record and its counts.
struct FileGrid {
    int id = 0;
    HWND window = nullptr;
    GridRecord *record = nullptr;
    int rows = 0, columns = 0;
};

bool FindGrid(const int *igrid, FileGrid *grid) {
    grid->id = igrid ? *igrid : 0;
    if (grid->id != 0 && nDialogs == 0) {
        quill::RaiseError(kNoDialog);
        return false;
    }
    int status = grid->id, code = 3;
    yygridgetinfo_(&status, &code, &grid->rows);
    if (status == grid->id) {
        code = 1;
        yygridgetinfo_(&status, &code, &grid->columns);
    }
    int lookup = grid->id;
    grid->window = quill::GridWindowOfField(&lookup);
    grid->record = quill::GridRecordOf(grid->window);
    if (status != grid->id || !grid->record || !grid->record->pColumns) {
        quill::RaiseError(kBadField);
        return false;
    }
    return true;
}

// The file name: from its first character that is neither blank nor NUL to its last
// non-blank one; "" when blank or too long for the system.
std::string FileName(const char *filename, int filename_len) {
    int first = ilocatechar_(filename, filename_len);
    int last = quill::TrimmedTextLength(filename, filename_len);
    if (first == 0 || last - first + 1 >= kNameArea) return std::string();
    return std::string(filename + first - 1, static_cast<std::size_t>(last - first + 1));
}

// --- Save -------------------------------------------------------------------------------------

// What the file holds for each cell of one column.
struct ColumnSource {
    int type;
    std::string format;                // real and double columns
    std::vector<std::string> options;  // menu columns: the options every cell starts with
};

ColumnSource SourceOf(const GridRecord *grid, int column) {
    ColumnSource source;
    source.type = grid->pColumns[column].iType;
    source.format = quill::GridColumnFormat(grid, column);
    if (source.type == kGridMenu) {
        HWND first = quill::GridFirstCell(grid, column);
        int count = static_cast<int>(SendMessageA(first, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) source.options.push_back(quill::GridOptionText(first, i));
    }
    return source;
}

// Writes the field of one cell: a cell in view is read from its control, any other from the
// stored values.
void WriteCell(GridFieldWriter &writer, const GridRecord *grid, const ColumnSource &source,
               int column, int row) {
    const GridColumn &col = grid->pColumns[column];
    HWND cell = quill::GridCellControl(grid, column, row);
    switch (source.type) {
    case kGridCheck: {
        bool checked = cell ? SendMessageA(cell, BM_GETCHECK, 0, 0) == BST_CHECKED
                            : quill::StoredGridInt(col, row) != 0;
        writer.Plain(checked ? "Yes" : "No", checked ? 3 : 2);
        break;
    }
    case kGridMenu: {
        int index = cell ? static_cast<int>(SendMessageA(cell, CB_GETCURSEL, 0, 0))
                         : quill::StoredGridInt(col, row);
        if (index < 0) break;
        if (cell) {
            std::string text = quill::GridOptionText(cell, index);
            writer.Quoted(text.data(), text.size());
        } else if (index < static_cast<int>(source.options.size())) {
            writer.Quoted(source.options[static_cast<std::size_t>(index)].data(),
                          source.options[static_cast<std::size_t>(index)].size());
        }
        break;
    }
    case kGridString: {
        if (cell) {
            std::string text = quill::GridControlText(cell);
            writer.Quoted(text.c_str(), std::strlen(text.c_str()));
        } else {
            const char *text = quill::StoredGridText(col, row);
            writer.Quoted(text, strnlen(text, static_cast<std::size_t>(col.iLength)));
        }
        break;
    }
    default: {
        std::string text = cell ? quill::GridControlText(cell)
                                : quill::StoredGridString(grid, column, row, &source.format);
        writer.Plain(text.c_str(), std::strlen(text.c_str()));
        break;
    }
    }
}

// The folder part of NAME, for the new file beside it; the current folder when it has none.
std::string FolderOf(const std::string &name) {
    const std::size_t folder = quill::FolderPartLength(name);
    return folder > 0 ? name.substr(0, folder) : std::string(".");
}

}  // namespace

void wgridsave_(const int *igrid, const char *filename, int filename_len) {
    FileGrid grid;
    if (!FindGrid(igrid, &grid)) return;
    std::string name = FileName(filename, filename_len);
    if (name.empty()) {
        // A blank or overlong name: the file layer refuses it with its own error.
        int mode = 1, handle = -1;
        ifileopen_(filename, &mode, &handle, filename_len);
        ifileclose_(&handle);
        return;
    }
    char temporary[MAX_PATH] = {0};
    if (!GetTempFileNameA(FolderOf(name).c_str(), "qgf", 0, temporary)) {
        quill::SetFileError(static_cast<int>(GetLastError()));
        quill::RaiseError(kOpenFailed);
        return;
    }
    int mode = 1, handle = -1;
    ifileopen_(temporary, &mode, &handle, static_cast<int>(std::strlen(temporary)));
    if (handle == -1) {
        DeleteFileA(temporary);
        return;
    }

    bool reported = false;
    GridFieldWriter writer(kFileBlock, [&](const char *bytes, std::size_t count) {
        int n = static_cast<int>(count), written = 0;
        ifilewritechar_(&handle, bytes, &n, &written, n);
        if (written == -1) reported = true;  // the file layer raised error 2
        return written == n;
    });
    std::vector<ColumnSource> sources;
    for (int c = 0; c < grid.columns; ++c) sources.push_back(SourceOf(grid.record, c));
    for (int r = 0; r < grid.rows && !writer.Failed(); ++r) {
        for (int c = 0; c < grid.columns; ++c) {
            WriteCell(writer, grid.record, sources[static_cast<std::size_t>(c)], c, r);
            writer.Separator(c == grid.columns - 1);
        }
    }
    bool written = writer.Finish();
    ifileclose_(&handle);
    if (!written) {
        DeleteFileA(temporary);
        // A short write is no failure of the file layer: the save reports it.
        if (!reported) {
            quill::SetFileError(0);
            quill::RaiseError(kFileFailed);
        }
        return;
    }
    if (!MoveFileExA(temporary, name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
        // The old file cannot be replaced: as if it could not be opened for writing.
        quill::SetFileError(static_cast<int>(GetLastError()));
        DeleteFileA(temporary);
        quill::RaiseError(kOpenFailed);
    }
}

// --- Load -------------------------------------------------------------------------------------

namespace {

// Stores the scanner's fields into the grid, row by row.
class Loader {
public:
    explicit Loader(const FileGrid &grid) : grid_(grid) {}

    GridFieldNext Field(const std::string &text, bool endOfLine) {
        if (row_ >= grid_.rows) {
            quill::RaiseError(kBeyondGrid);
            return GridFieldNext::kStop;
        }
        if (column_ >= grid_.columns) {
            // The rest of the line is passed over; the next line goes on.
            quill::RaiseError(kBeyondGrid);
            NextRow();
            return endOfLine ? GridFieldNext::kGoOn : GridFieldNext::kSkipLine;
        }
        Store(column_, row_, text);
        if (endOfLine) {
            for (int c = column_ + 1; c < grid_.columns; ++c) Clear(c, row_, 1);
            NextRow();
        } else {
            ++column_;
        }
        return GridFieldNext::kGoOn;
    }

    // Clears every row after the last one read, menus included.
    void ClearRest() {
        for (int r = row_; r < grid_.rows; ++r)
            for (int c = 0; c < grid_.columns; ++c) Clear(c, r, 2);
    }

private:
    void NextRow() {
        ++row_;
        column_ = 0;
    }

    void Clear(int column, int row, int mode) {
        int id = grid_.id;
        yygridclearcell_(&id, &column, &row, &mode);
    }

    void Store(int column, int row, const std::string &text) {
        int id = grid_.id, type = grid_.record->pColumns[column].iType;
        switch (type) {
        case kGridString: {
            double zero = 0.0;
            yygridputcellstring_(&id, &column, &row, &zero, text.c_str(), "",
                                 static_cast<int>(text.size()) + 1, 1);
            break;
        }
        case kGridInteger:
        case kGridReal:
        case kGridDouble: StoreNumber(type, column, row, text); break;
        case kGridCheck: {
            int state = text.size() == 3 && (text[0] | 0x20) == 'y' && (text[1] | 0x20) == 'e' &&
                        (text[2] | 0x20) == 's';
            yygridputcellcheck_(&id, &column, &row, &state);
            break;
        }
        case kGridMenu: {
            int status = 0;
            // An empty field matches only an option of empty text, like any other field.
            yygridputmenustring_(&id, &column, &row, &status, text.c_str());
            if (status != 0) quill::RaiseError(kNoMenuMatch);
            break;
        }
        default: break;
        }
    }

    // A number field: converted and put by the public routines; a field that does not
    // convert, or a value the put refuses, clears the cell. An empty field clears it quietly.
    void StoreNumber(int type, int column, int row, const std::string &text) {
        int c1 = column + 1, r1 = row + 1;
        if (text.empty()) {
            wgridclearcell_(&grid_.id, &c1, &r1);
            return;
        }
        int before = quill::LastErrorNumber(), none = 0;
        yyseterror_(&none);
        int length = static_cast<int>(text.size());
        if (type == kGridInteger) {
            int value = 0;
            istringtointeger_(text.c_str(), &value, length);
            if (quill::LastErrorNumber() == 0) wgridputcellinteger_(&grid_.id, &c1, &r1, &value);
        } else if (type == kGridReal) {
            float value = 0.0f;
            istringtoreal_(text.c_str(), &value, length);
            if (quill::LastErrorNumber() == 0)
                wgridputcellreal_(&grid_.id, &c1, &r1, &value, nullptr, 0);
        } else {
            double value = 0.0;
            istringtodouble_(text.c_str(), &value, length);
            if (quill::LastErrorNumber() == 0)
                wgridputcelldouble_(&grid_.id, &c1, &r1, &value, nullptr, 0);
        }
        if (quill::LastErrorNumber() != 0) {
            wgridclearcell_(&grid_.id, &c1, &r1);
            return;
        }
        yyseterror_(&before);
    }

    FileGrid grid_;
    int row_ = 0, column_ = 0;
};

// The bytes of a field worth keeping: a string column's length with every character a
// doubled quote, and room for any number a cell can take.
std::size_t FieldKeep(const GridRecord *grid) {
    std::size_t keep = 65536;
    for (int c = 0; c < grid->nColumns; ++c)
        if (grid->pColumns[c].iType == kGridString &&
            2 * static_cast<std::size_t>(grid->pColumns[c].iLength) + 2 > keep)
            keep = 2 * static_cast<std::size_t>(grid->pColumns[c].iLength) + 2;
    return keep;
}

}  // namespace

void wgridload_(const int *igrid, const char *filename, int filename_len) {
    FileGrid grid;
    if (!FindGrid(igrid, &grid)) return;
    int mode = 0, handle = -1;
    ifileopen_(filename, &mode, &handle, filename_len);
    if (handle == -1) return;
    // The length: a file whose length cannot be told is not read at all.
    int length = 0, origin = 2;
    ifileseek_(&handle, &length, &origin);
    int start = 0;
    origin = 0;
    if (length >= 0) ifileseek_(&handle, &start, &origin);
    if (length < 0 || start != 0) {
        ifileclose_(&handle);
        return;
    }

    Loader loader(grid);
    GridFileRead read = [&](char *bytes, std::size_t count) -> long long {
        int n = static_cast<int>(count), got = 0;
        ifilereadchar_(&handle, bytes, &n, &got, n);
        return got;
    };
    GridScanEnd end = quill::ScanGridFields(
        length, kFileBlock, FieldKeep(grid.record), read,
        [&](const std::string &text, bool endOfLine) { return loader.Field(text, endOfLine); });
    ifileclose_(&handle);
    switch (end) {
    case GridScanEnd::kComplete: loader.ClearRest(); break;
    case GridScanEnd::kShortRead:
    case GridScanEnd::kOpenQuotes:
        quill::SetFileError(0);
        quill::RaiseError(kFileFailed);
        break;
    default: break;  // stopped by 1054, or a read failure the file layer reported
    }
}
