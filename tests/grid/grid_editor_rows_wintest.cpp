// The grid editor's copy of a dialog's grid under Wine, as a user meets it: whatever cell is
// current in the dialog and whatever the size of the window, the editor shows every row's
// label beside that row's values, pages through them and saves every row as it was put in;
// and the editor's frame follows its grid when the grid's rows or columns change.
// Dialog 22150: a grid of 60 rows with a header and row labels, and one of 3 rows with row
// labels, over the five columns of row template 22101 (string, integer spin 0..10, real,
// check box, menu A/B/C).
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "core/childwindows.h"
#include "core/startup.h"
#include "error_status.h"
#include "grid/grid_editor.h"
#include "library_root.h"
#include "messages.h"
#include "modal_answer.h"
#include "plot_readers.h"
#include "quillamorph.h"
#include "scratch_folder.h"

namespace {

constexpr int kDialog = 22150, kLong = 22151, kShort = 22152;
constexpr int kLongRows = 60, kShortRows = 3;
enum Column { kName = 1, kCount, kReal, kTick, kMenu };

const char *const kOptions[] = {"A", "B", "C"};

// Row N of a test grid: every cell holds a value, and the row's label names the row.
std::string Name(int n) { return "row " + std::to_string(n); }
std::string Label(int n) { return "R" + std::to_string(n); }

void FillRow(int grid, int n) {
    int id = grid, row = n - 1, status = 0;
    int c = kName - 1;
    double none = 0;
    const std::string name = Name(n);
    yygridputcellstring_(&id, &c, &row, &none, name.c_str(), "", static_cast<int>(name.size()) + 1,
                         1);
    int column = kCount, one = n, count = n % 11;
    wgridputcellinteger_(&id, &column, &one, &count);
    column = kReal;
    float real = static_cast<float>(n) + 0.5f;
    wgridputcellreal_(&id, &column, &one, &real, nullptr, 0);
    c = kTick - 1;
    int tick = n % 2;
    yygridputcellcheck_(&id, &c, &row, &tick);
    c = kMenu - 1;
    yygridputmenustring_(&id, &c, &row, &status, kOptions[n % 3]);
    const std::string label = Label(n);
    int length = static_cast<int>(label.size());
    yygridlabelrow_(&id, &row, label.c_str(), &length);
}

// Row N as a grid text file holds it (the real column shows five significant digits).
std::string Line(int n) {
    char real[16];
    std::snprintf(real, sizeof real, n < 10 ? "%.4f" : "%.3f", n + 0.5);
    return "\"" + Name(n) + "\"," + std::to_string(n % 11) + "," + real + "," +
           (n % 2 ? "Yes" : "No") + ",\"" + kOptions[n % 3] + "\"";
}

// The lines of a file without their CR LF.
std::vector<std::string> Lines(const std::string &path) { return SplitLines(ReadWholeFile(path)); }

std::string Text(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string HeaderText(HWND header) {
    char text[64] = "";
    HDITEMA item = {};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(header, HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

// What the user sees of a grid, top to bottom: the text of each shown row label and of the
// shown string cell level with it in the pane ("?" when none is).
struct ShownRow {
    int top;
    std::string label, name;
};

std::vector<ShownRow> ShownRows(HWND grid) {
    const GridRecord *g = quill::GridRecordOf(grid);
    std::vector<ShownRow> rows;
    if (g == nullptr) return rows;
    RECT pane;
    GetWindowRect(g->hPane, &pane);
    for (HWND label = GetWindow(grid, GW_CHILD); label; label = GetWindow(label, GW_HWNDNEXT)) {
        if (label == g->hHeader || !IsWindowVisible(label) ||
            lstrcmpiA(ClassOf(label).c_str(), "SysHeader32") != 0)
            continue;
        RECT l;
        GetWindowRect(label, &l);
        ShownRow row = {l.top, HeaderText(label), "?"};
        for (HWND cell = GetWindow(g->hPane, GW_CHILD); cell; cell = GetWindow(cell, GW_HWNDNEXT)) {
            if (!IsWindowVisible(cell) || lstrcmpiA(ClassOf(cell).c_str(), "Edit") != 0) continue;
            RECT c;
            GetWindowRect(cell, &c);
            const int middle = (c.top + c.bottom) / 2;
            if (middle >= l.top && middle < l.bottom && c.left >= pane.left - 1 &&
                c.left < pane.right) {
                row.name = Text(cell);
                break;
            }
        }
        rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end(),
              [](const ShownRow &a, const ShownRow &b) { return a.top < b.top; });
    return rows;
}

// Expects consecutive rows, each label beside its own row's value; returns the first row shown.
int ExpectRowsBesideLabels(HWND grid, const std::string &when) {
    const std::vector<ShownRow> rows = ShownRows(grid);
    EXPECT_FALSE(rows.empty()) << when;
    if (rows.empty()) return 0;
    const int first = std::atoi(rows[0].label.c_str() + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int n = first + static_cast<int>(i);
        EXPECT_EQ(rows[i].label, Label(n)) << when;
        EXPECT_EQ(rows[i].name, Name(n)) << when << ": beside label " << rows[i].label;
    }
    return first;
}

int Info(int grid, int code) {
    int value = -12345;
    yygridgetinfo_(&grid, &code, &value);
    return value;
}

HWND CurrentCell(const GridRecord *g) {
    return quill::GridCellControl(g, g->iCurColumn, g->iCurRow);
}

void Key(const GridRecord *g, WPARAM key) {
    SendMessageA(CurrentCell(g), WM_KEYDOWN, key, 0);
    Pump();
}

// The checks of one editor, which runs in window FRAME: it opens on its first cell with the
// first rows in view, keeps each label beside its row while it pages down and up, and saves
// ROWS lines as they were put in.
void CheckEditor(HWND frame, int rows, const std::string &path, const std::string &what) {
    GridWindowRecord *r = quill::GridWindowRecordOf(frame);
    ASSERT_NE(r, nullptr) << what;
    const GridRecord *g = quill::GridRecordOf(r->grid);
    ASSERT_NE(g, nullptr) << what;
    EXPECT_EQ(ExpectRowsBesideLabels(r->grid, what + ", opened"), 1);
    EXPECT_EQ(Info(0, 4), 1) << what;
    EXPECT_EQ(Info(0, 5), 1) << what;
    EXPECT_EQ(Text(CurrentCell(g)), Name(1)) << what << ": the current cell";
    if (r->mode != 1 && r->statusBar != nullptr) {
        char status[32] = "";
        SendMessageA(r->statusBar, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(status));
        EXPECT_STREQ(status, "\t\t1") << what << ": the status bar's row";
    }

    Key(g, VK_NEXT);
    const int paged = ExpectRowsBesideLabels(r->grid, what + ", after Page Down");
    if (rows > g->nVisibleRows) {
        EXPECT_GT(paged, 1) << what;
    }
    EXPECT_EQ(Text(CurrentCell(g)), Name(Info(0, 5)))
        << what << ": the current cell after Page Down";
    Key(g, VK_PRIOR);
    EXPECT_EQ(ExpectRowsBesideLabels(r->grid, what + ", after Page Up"), 1);

    int zero = 0;
    wgridsave_(&zero, path.c_str(), static_cast<int>(path.size()));
    EXPECT_EQ(LastError(), 0) << what;
    const std::vector<std::string> lines = Lines(path);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(rows)) << what;
    for (int n = 1; n <= rows; ++n) EXPECT_EQ(lines[n - 1], Line(n)) << what << ": line " << n;
}

class GridEditorRows : public LibraryRoot {
protected:
    ScratchFolder scratch{"quill-grid-editor-rows"};

    void SetUp() override {
        LibraryRoot::SetUp();
        int id = kDialog, type = 2;
        wdialogload_(&id);
        ASSERT_EQ(LastError(), 0);
        for (int n = 1; n <= kLongRows; ++n) FillRow(kLong, n);
        for (int n = 1; n <= kShortRows; ++n) FillRow(kShort, n);
        wdialogshow_(nullptr, nullptr, nullptr, &type);
        Pump();
    }
    void TearDown() override {
        for (int slot = 1; slot <= 20; ++slot) {
            int win = slot, none = 0;
            yyclosechild_(&win, &none);
        }
        LibraryRoot::TearDown();
    }

    std::string Path(const std::string &name) const { return (scratch.path / name).string(); }

    // Makes cell (COLUMN, ROW) of GRID the dialog's current cell, scrolled into view.
    void SetCurrent(int grid, int column, int row) {
        int dialog = kDialog;
        wdialogselect_(&dialog);
        wgridsetcell_(&grid, &column, &row);
        Pump();
        ASSERT_EQ(Info(grid, 4), column);
        ASSERT_EQ(Info(grid, 5), row);
    }

    // A child window with a status bar, made current.
    int OpenWindow(int width, int height) {
        int x = 30, y = 30, w = width, h = height, win = 0, none = 0, menu = 0, parent = 0,
            flags = 32;
        yyopenchild_(&x, &y, &w, &h, &win, &flags, &menu, nullptr, &none, &parent, "Rows");
        windowselect_(&win);
        return win;
    }
};

struct Case {
    int grid, rows, column, row;
    const char *name;
};

// The grids and dialog cells the editor is opened on: the first row current, a row further
// down the first screen, a row past the first screen (also with the dialog's grid scrolled to
// its last column), and a grid smaller than its window.
const Case kCases[] = {
    {kLong, kLongRows, 2, 1, "row 1 current"},   {kLong, kLongRows, 2, 3, "row 3 current"},
    {kLong, kLongRows, 2, 30, "row 30 current"}, {kLong, kLongRows, 5, 30, "cell (5, 30) current"},
    {kShort, kShortRows, 2, 2, "3-row grid"},
};

TEST_F(GridEditorRows, ModelessEditorShowsAndSavesEveryRowWhereverTheDialogsCurrentCellIs) {
    for (const Case &c : kCases) {
        SetCurrent(c.grid, c.column, c.row);
        int win = OpenWindow(500, 300);
        int grid = c.grid, mode = 2, flags = 0;
        wgridedit_(&grid, &mode, nullptr, &flags, nullptr, nullptr, nullptr, 0, 0);
        ASSERT_EQ(LastError(), 0) << c.name;
        Pump();
        CheckEditor(wWindow[win], c.rows, Path("modeless.csv"), std::string("modeless, ") + c.name);
        int none = 0;
        yyclosechild_(&win, &none);
    }
}

// What a modal editor's run saw, checked from a timer inside its loop.
struct ModalRun {
    std::string path, what;
    int rows = 0;
    bool checked = false;
} gRun;

void CALLBACK CheckThenClose(HWND frame, UINT, UINT_PTR id, DWORD) {
    KillTimer(frame, id);
    CheckEditor(frame, gRun.rows, gRun.path, gRun.what);
    gRun.checked = true;
    PostMessageA(frame, WM_CLOSE, 0, 0);
}

TEST_F(GridEditorRows, ModalEditorShowsAndSavesEveryRowWhereverTheDialogsCurrentCellIs) {
    for (const Case &c : kCases) {
        SetCurrent(c.grid, c.column, c.row);
        int win = OpenWindow(500, 300);
        HWND frame = wWindow[win];
        gRun = ModalRun{Path("modal.csv"), std::string("modal, ") + c.name, c.rows, false};
        int grid = c.grid, mode = 1, flags = 0;
        char name[260] = "";
        // A question to save changes, should one come, is answered No.
        modal::Run({modal::Press(IDNO)}, [&] {
            SetTimer(frame, 91, 100, CheckThenClose);
            wgridedit_(&grid, &mode, nullptr, &flags, nullptr, name, nullptr, 0, 0);
        });
        EXPECT_EQ(LastError(), 0) << c.name;
        EXPECT_TRUE(gRun.checked) << c.name;
        EXPECT_FALSE(IsWindow(frame)) << c.name;
    }
}

// What the modal copy of the dialog showed, seen from a timer inside its loop.
struct ModalDialogRun {
    std::vector<ShownRow> shown;
    bool closed = false;
} gDialogRun;

BOOL CALLBACK FindShownCopy(HWND window, LPARAM found) {
    if (!IsWindowVisible(window) || Text(window) != "Rows source") return TRUE;
    *reinterpret_cast<HWND *>(found) = window;
    return FALSE;
}

void CALLBACK LookThenCancel(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND copy = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindShownCopy, reinterpret_cast<LPARAM>(&copy));
    if (!copy) return;
    KillTimer(nullptr, timer);
    gDialogRun.shown = ShownRows(GetDlgItem(copy, kLong));
    gDialogRun.closed = true;
    PostMessageA(copy, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// A dialog shown modally runs on a copy that shares its grids' values: the copy of a grid whose
// current cell lies below its first row shows and keeps every row.
TEST_F(GridEditorRows, ModalDialogKeepsEveryRowOfAGridWhoseCurrentCellIsFurtherDown) {
    for (int row : {3, 30}) {
        // The loaded dialog scrolls to its current cell while it shows, then hides again as
        // a dialog that is only loaded before it is shown modally.
        SetCurrent(kLong, 2, row);
        int dialog = kDialog, modal = 1, id = kLong;
        HWND loaded = GetParent(quill::GridWindowOfField(&id));
        ShowWindow(loaded, SW_HIDE);
        Pump();
        gDialogRun = ModalDialogRun();
        SetTimer(nullptr, 0, 50, LookThenCancel);
        wdialogshow_(nullptr, nullptr, nullptr, &modal);
        ASSERT_TRUE(gDialogRun.closed) << "row " << row;
        EXPECT_FALSE(gDialogRun.shown.empty()) << "row " << row;
        for (const ShownRow &shown : gDialogRun.shown)
            EXPECT_EQ(shown.name, "row " + shown.label.substr(1))
                << "row " << row << " current, beside " << shown.label;
        wdialogselect_(&dialog);
        const std::string path = Path("dialog.csv");
        int grid = kLong;
        wgridsave_(&grid, path.c_str(), static_cast<int>(path.size()));
        EXPECT_EQ(LastError(), 0);
        const std::vector<std::string> lines = Lines(path);
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(kLongRows));
        for (int n = 1; n <= kLongRows; ++n)
            EXPECT_EQ(lines[n - 1], Line(n)) << "row " << row << " current: line " << n;
        ShowWindow(loaded, SW_SHOW);
        Pump();
    }
}

// Size of a window's frame.
SIZE FrameSize(int win) {
    RECT r;
    GetWindowRect(wWindow[win], &r);
    return {r.right - r.left, r.bottom - r.top};
}

TEST_F(GridEditorRows, TheFrameShrinksToTheEditorsGridWhenItsRowsOrColumnsChange) {
    // A frame wide enough for the grid but not tall enough for its 60 rows: only its width
    // shrinks when the editor is made.
    int win = OpenWindow(1000, 400);
    const SIZE opened = FrameSize(win);
    int grid = kLong, mode = 2, flags = 0;
    wgridedit_(&grid, &mode, nullptr, &flags, nullptr, nullptr, nullptr, 0, 0);
    ASSERT_EQ(LastError(), 0);
    const SIZE made = FrameSize(win);
    EXPECT_LT(made.cx, opened.cx);
    EXPECT_EQ(made.cy, opened.cy);
    const GridRecord *g = quill::GridRecordOf(quill::GridWindowRecordOf(wWindow[win])->grid);

    // Ten rows fit in the frame: it shrinks to show exactly them.
    int id = 0, rows = 10;
    yygridsetrows_(&id, &rows);
    EXPECT_EQ(id, 0);
    Pump();
    const SIZE ten = FrameSize(win);
    EXPECT_EQ(ten.cx, made.cx);
    EXPECT_LT(ten.cy, made.cy) << "the frame follows the rows";
    EXPECT_EQ(g->nVisibleRows, 10) << "every row in view, and no empty one";

    // More rows never enlarge the frame.
    rows = kLongRows;
    yygridsetrows_(&id, &rows);
    Pump();
    EXPECT_EQ(FrameSize(win).cx, ten.cx);
    EXPECT_EQ(FrameSize(win).cy, ten.cy);
    rows = 10;
    yygridsetrows_(&id, &rows);

    // Two columns of the five: the frame narrows to them and keeps its height.
    const int positions[] = {1, 2};
    int columns = 2;
    yygridredefine_(&id, &columns, positions);
    EXPECT_EQ(id, 0);
    Pump();
    g = quill::GridRecordOf(quill::GridWindowRecordOf(wWindow[win])->grid);
    const SIZE two = FrameSize(win);
    EXPECT_LT(two.cx, ten.cx) << "the frame follows the columns";
    EXPECT_EQ(two.cy, ten.cy);
    EXPECT_EQ(Info(0, 1), 2);
    EXPECT_EQ(g->iFirstColumn, 0);
    EXPECT_EQ(g->iLastColumn, 1) << "both columns in view";
    EXPECT_EQ(g->nVisibleRows, 10);
}

// Moving values between the rows and the cells is no edit: growing the editor (new control
// rows filled from the rows), shrinking it and changing its row count leave the grid saved
// and unedited, and closing it then asks nothing.
TEST_F(GridEditorRows, ResizingTheEditorOrChangingItsRowsChangesNothing) {
    int win = OpenWindow(1000, 250);
    HWND frame = wWindow[win];
    int grid = kLong, mode = 2, flags = 0;
    wgridedit_(&grid, &mode, nullptr, &flags, nullptr, nullptr, nullptr, 0, 0);
    ASSERT_EQ(LastError(), 0);
    Pump();
    GridWindowRecord *r = quill::GridWindowRecordOf(frame);
    const GridRecord *g = quill::GridRecordOf(r->grid);
    ASSERT_EQ(Info(0, 6), 1) << "saved as made";
    ASSERT_EQ(Info(0, 7), 0) << "unedited as made";
    const int shown = g->nVisibleRows;

    const SIZE small = FrameSize(win);
    SetWindowPos(frame, nullptr, 0, 0, small.cx, small.cy + 300, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    ASSERT_GT(g->nVisibleRows, shown) << "the editor grew by some rows";
    EXPECT_EQ(ExpectRowsBesideLabels(r->grid, "grown"), 1);
    EXPECT_EQ(Info(0, 6), 1) << "grown";
    EXPECT_EQ(Info(0, 7), 0) << "grown";

    SetWindowPos(frame, nullptr, 0, 0, small.cx, small.cy, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(Info(0, 6), 1) << "shrunk";
    EXPECT_EQ(Info(0, 7), 0) << "shrunk";

    int id = 0, rows = 5;
    yygridsetrows_(&id, &rows);
    rows = kLongRows;
    yygridsetrows_(&id, &rows);
    Pump();
    EXPECT_EQ(Info(0, 6), 1) << "rows set";
    EXPECT_EQ(Info(0, 7), 0) << "rows set";
    EXPECT_EQ(ExpectRowsBesideLabels(r->grid, "rows set"), 1);

    // No question: an unused answer is left over, and the modeless editor reports the close.
    int left = modal::Run({modal::Press(IDNO)}, [&] { SendMessageA(frame, WM_CLOSE, 0, 0); });
    EXPECT_EQ(left, 1) << "closing asked to save changes nobody made";
    EXPECT_EQ(LastError(), 0);
}

}  // namespace
