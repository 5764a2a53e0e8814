// Grid text files under Wine: dialog 22040 holds grid 22041 (three rows) and grid 22042 (forty
// rows, most of them out of view), both with a string, an integer 0..1000, a real, a check box
// and a menu offering A, B and C. Saved files are checked byte for byte and by Python's csv
// module; loads are checked through the grid routines.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/dialogs.h"
#include "grid/grid_control.h"
#include "error_status.h"
#include "dialog_root.h"
#include "grid_cells.h"
#include "library_root.h"
#include "messages.h"
#include "plot_readers.h"
#include "quillamorph.h"
#include "scratch_folder.h"

namespace {

constexpr int kDialog = 22040, kSmall = 22041, kLarge = 22042, kLargeRows = 40;
enum Column { kText = 1, kInteger, kReal, kTick, kMenu };

void PutText(int grid, int column, int row, const std::string &text) {
    int id = grid, c = column - 1, r = row - 1;
    double zero = 0;
    yygridputcellstring_(&id, &c, &r, &zero, text.c_str(), "", static_cast<int>(text.size()) + 1,
                         1);
}
void PutReal(int grid, int column, int row, float value) {
    wgridputcellreal_(&grid, &column, &row, &value, nullptr, 0);
}
void PutCheck(int grid, int row, int state) {
    int id = grid, c = kTick - 1, r = row - 1;
    yygridputcellcheck_(&id, &c, &r, &state);
}
void PutOption(int grid, int row, int option) {
    int id = grid, c = kMenu - 1, r = row - 1;
    yygridputcelloption_(&id, &c, &r, &option);
}

// A string or number cell's text, a check box's state ("Yes"/"No"), a menu's option text.
std::string Cell(int grid, int column, int row) {
    int id = grid, c = column - 1, r = row - 1;
    if (column == kTick) {
        int state = -1;
        yygridgetcellcheck_(&id, &c, &r, &state);
        return state ? "Yes" : "No";
    }
    char text[200] = {0};
    int max = static_cast<int>(sizeof text);
    if (column == kMenu) {
        int option = -1;
        yygridgetcellmenu_(&id, &c, &r, &option);
        if (option <= 0) return "";
        id = grid;
        yygridgetmenustring_(&id, &c, &option, text, &max);
        return text;
    }
    yygridgetcellstring_(&id, &c, &r, text, &max);
    return text;
}

std::vector<std::string> Row(int grid, int row) {
    std::vector<std::string> cells;
    for (int c = kText; c <= kMenu; ++c) cells.push_back(Cell(grid, c, row));
    return cells;
}

class GridFiles : public GridDialogRoot<kDialog> {
protected:
    ScratchFolder scratch{"quill-grid-file"};

    std::string Path(const std::string &name) const { return (scratch.path / name).string(); }
    void Save(int grid, const std::string &name) {
        wgridsave_(&grid, Path(name).c_str(), static_cast<int>(Path(name).size()));
    }
    void Load(int grid, const std::string &name) {
        wgridload_(&grid, Path(name).c_str(), static_cast<int>(Path(name).size()));
    }
    std::string Bytes(const std::string &name) const { return ReadWholeFile(Path(name)); }
    void WriteBytes(const std::string &name, const std::string &bytes) const {
        std::ofstream out(Path(name), std::ios::binary);
        out << bytes;
    }

    // The rows Python's csv module reads from a saved file, each field in brackets.
    std::vector<std::string> CsvRows(const std::string &name) {
        WriteBytes(
            "oracle.py",
            "import csv, sys\n"
            "for row in csv.reader(open(sys.argv[1], newline='')):\n"
            "    print(''.join('[' + f + ']' for f in row).encode('unicode_escape').decode())\n");
        ReaderRun run = RunReader("/usr/bin/python3 '" + ReaderPath(Path("oracle.py")) + "' '" +
                                  ReaderPath(Path(name)) + "'");
        EXPECT_EQ(run.status, 0) << run.output;
        std::vector<std::string> rows;
        std::string line;
        for (char c : run.output) {
            if (c == '\r') continue;
            if (c == '\n') {
                rows.push_back(line);
                line.clear();
            } else {
                line += c;
            }
        }
        return rows;
    }

    // The grid's row as the oracle prints it.
    static std::string Bracketed(const std::vector<std::string> &cells) {
        std::string out;
        for (const std::string &cell : cells) {
            out += '[';
            for (char c : cell) {
                if (c == '\r')
                    out += "\\r";
                else if (c == '\n')
                    out += "\\n";
                else if (c == '\\')
                    out += "\\\\";
                else
                    out += c;
            }
            out += ']';
        }
        return out;
    }
};

TEST_F(GridFiles, TheSavedFileByteForByteAndAsCsvReadsIt) {
    PutText(kSmall, kText, 1, "say \"hi\"");
    PutInteger(kSmall, kInteger, 1, 42);
    PutReal(kSmall, kReal, 1, 1.5f);
    PutCheck(kSmall, 1, 1);
    PutOption(kSmall, 1, 2);
    PutOption(kSmall, 3, 0);
    ASSERT_EQ(LastError(), 0);
    Save(kSmall, "golden.csv");
    EXPECT_EQ(LastError(), 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.path),
                            std::filesystem::directory_iterator()),
              1)
        << "no file is left beside the saved one";
    // Row 2 is untouched: its menu cell is on the first option offered; row 3's has none.
    EXPECT_EQ(Bytes("golden.csv"),
              "\"say \"\"hi\"\"\",42,1.5000,Yes,\"B\"\r\n"
              "\"\",,,No,\"A\"\r\n"
              "\"\",,,No,\r\n");
    std::vector<std::string> rows = CsvRows("golden.csv");
    ASSERT_EQ(rows.size(), 3u);
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(rows[static_cast<size_t>(r) - 1], Bracketed(Row(kSmall, r))) << "row " << r;
    EXPECT_TRUE(std::filesystem::exists(scratch.path / "golden.csv"));
}

TEST_F(GridFiles, RoundTripsOfEveryKindInViewAndOutOfView) {
    const std::vector<std::string> texts = {"plain",  "a,b", "\"quoted\"", "line\r\nbreak",
                                            "  lead", "\"",  "x\"\"y",     ""};
    for (int r = 1; r <= kLargeRows; ++r) {
        PutText(kLarge, kText, r,
                texts[static_cast<size_t>(r) % texts.size()] + (r % 3 ? std::to_string(r) : ""));
        if (r % 4) PutInteger(kLarge, kInteger, r, r * 7);
        if (r % 5) PutReal(kLarge, kReal, r, -0.25f * static_cast<float>(r));
        PutCheck(kLarge, r, r % 2);
        PutOption(kLarge, r, 1 + r % 3);  // an empty menu field would not read back
    }
    ASSERT_EQ(LastError(), 0);
    Save(kLarge, "first.csv");
    ASSERT_EQ(LastError(), 0);
    std::vector<std::string> rows = CsvRows("first.csv");
    ASSERT_EQ(rows.size(), static_cast<size_t>(kLargeRows));
    std::vector<std::vector<std::string>> before;
    for (int r = 1; r <= kLargeRows; ++r) {
        before.push_back(Row(kLarge, r));
        EXPECT_EQ(rows[static_cast<size_t>(r) - 1], Bracketed(before.back())) << "row " << r;
    }

    // An empty file clears every cell, menus to their first option; the saved file brings
    // them all back.
    WriteBytes("empty.csv", "");
    Load(kLarge, "empty.csv");
    EXPECT_EQ(LastError(), 0);
    for (int r = 1; r <= kLargeRows; ++r)
        EXPECT_EQ(Row(kLarge, r), (std::vector<std::string>{"", "", "", "No", "A"})) << "row " << r;
    Load(kLarge, "first.csv");
    EXPECT_EQ(LastError(), 0);
    for (int r = 1; r <= kLargeRows; ++r)
        EXPECT_EQ(Row(kLarge, r), before[static_cast<size_t>(r) - 1]) << "row " << r;
    Save(kLarge, "second.csv");
    EXPECT_EQ(Bytes("second.csv"), Bytes("first.csv"));

    // Lines ended by LF alone load alike (CR LF inside quotes stays).
    std::string lf, crlf = Bytes("first.csv");
    bool quoted = false;
    for (std::size_t i = 0; i < crlf.size(); ++i) {
        if (crlf[i] == '"') quoted = !quoted;
        if (!quoted && crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n') continue;
        lf += crlf[i];
    }
    ASSERT_LT(lf.size(), crlf.size());
    WriteBytes("lf.csv", lf);
    Load(kLarge, "empty.csv");
    Load(kLarge, "lf.csv");
    EXPECT_EQ(LastError(), 0);
    Save(kLarge, "third.csv");
    EXPECT_EQ(Bytes("third.csv"), crlf);
}

TEST_F(GridFiles, FieldsThatDoNotFitTheirCells) {
    for (int r = 1; r <= 3; ++r) {
        PutText(kSmall, kText, r, "old");
        PutInteger(kSmall, kInteger, r, 5);
        PutOption(kSmall, r, 3);
    }
    // Check boxes by their upper-cased text; a short line clears the rest of its row but
    // leaves its menu; rows the file lacks are cleared whole; no line feed at the end.
    WriteBytes("short.csv", "\"a\",1,2.5,yes\r\n\"b\",2,,Y");
    Load(kSmall, "short.csv");
    EXPECT_EQ(LastError(), 0);
    EXPECT_EQ(Row(kSmall, 1), (std::vector<std::string>{"a", "1", "2.5000", "Yes", "C"}));
    EXPECT_EQ(Row(kSmall, 2), (std::vector<std::string>{"b", "2", "", "No", "C"}));
    EXPECT_EQ(Row(kSmall, 3), (std::vector<std::string>{"", "", "", "No", "A"}));

    // Numbers that do not convert or are refused clear their cells; the load goes on.
    WriteBytes("bad.csv", "\"x\",abc,1.5,No,\"B\"\n\"y\",2000,,No,\"Z\"\n\"z\",7,,No,\n");
    Load(kSmall, "bad.csv");
    EXPECT_NE(LastError(), 0);
    EXPECT_EQ(Row(kSmall, 1), (std::vector<std::string>{"x", "", "1.5000", "No", "B"}));
    EXPECT_EQ(Cell(kSmall, kInteger, 2), "") << "a value outside the range";
    EXPECT_EQ(Cell(kSmall, kMenu, 2), "") << "no option matches";
    EXPECT_EQ(Row(kSmall, 3), (std::vector<std::string>{"z", "7", "", "No", ""}));
    WriteBytes("menu.csv", "\"x\",1,1,No,\"Z\"\n");
    Load(kSmall, "menu.csv");
    EXPECT_EQ(LastError(), 1055);
    WriteBytes("menu.csv", "\"x\",1,1,No,\n");
    Load(kSmall, "menu.csv");
    EXPECT_EQ(LastError(), 1055) << "no option has empty text";

    // A field beyond the last column: 1054, the rest of that line passed over, the next line
    // read. A line beyond the last row: 1054, and the rows before stay.
    WriteBytes("wide.csv", "\"a\",1,1,No,\"A\",extra,\"more\"\n\"b\",2\n\"c\"\n\"d\"\n\"e\"\n");
    Load(kSmall, "wide.csv");
    EXPECT_EQ(LastError(), 1054);
    EXPECT_EQ(Row(kSmall, 1), (std::vector<std::string>{"a", "1", "1.0000", "No", "A"}));
    EXPECT_EQ(Cell(kSmall, kText, 2), "b");
    EXPECT_EQ(Cell(kSmall, kText, 3), "c");

    // A file that ends inside an open quoted text: error 2, earlier rows loaded, the rest as
    // it was.
    WriteBytes("open.csv", "\"p\",3\n\"q\",4,\"unclosed\n");
    Load(kSmall, "open.csv");
    EXPECT_EQ(LastError(), 2);
    EXPECT_EQ(Cell(kSmall, kText, 1), "p");
    EXPECT_EQ(Cell(kSmall, kText, 2), "q");
    EXPECT_EQ(Cell(kSmall, kInteger, 2), "4");
    EXPECT_EQ(Cell(kSmall, kText, 3), "c");
}

TEST_F(GridFiles, FailuresLeaveTheOldFileAndTheGrid) {
    PutText(kSmall, kText, 1, "kept");
    Save(kSmall, "keep.csv");
    std::string old = Bytes("keep.csv");
    ASSERT_FALSE(old.empty());

    // The file's place holds a folder: nothing replaces it, nothing is left behind.
    std::filesystem::create_directory(scratch.path / "folder.csv");
    Save(kSmall, "folder.csv");
    EXPECT_EQ(LastError(), 1);
    EXPECT_TRUE(std::filesystem::is_directory(scratch.path / "folder.csv"));
    Save(kSmall, "missing\\keep.csv");
    EXPECT_EQ(LastError(), 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.path),
                            std::filesystem::directory_iterator()),
              2);
    EXPECT_EQ(Bytes("keep.csv"), old);

    // Loading a missing file changes nothing.
    Load(kSmall, "missing.csv");
    EXPECT_EQ(LastError(), 1);
    EXPECT_EQ(Cell(kSmall, kText, 1), "kept");

    // A blank name, a field that is no grid, no dialog at all.
    int grid = kSmall;
    wgridsave_(&grid, "   ", 3);
    EXPECT_EQ(LastError(), 1);
    grid = kDialog;
    wgridload_(&grid, Path("keep.csv").c_str(), static_cast<int>(Path("keep.csv").size()));
    EXPECT_EQ(LastError(), 1006);
    wdialogunload_(nullptr);
    grid = kSmall;
    wgridsave_(&grid, Path("keep.csv").c_str(), static_cast<int>(Path("keep.csv").size()));
    EXPECT_EQ(LastError(), 1005);
    EXPECT_EQ(Bytes("keep.csv"), old);
}

}  // namespace
