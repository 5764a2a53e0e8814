// What the grid printing tests share: dialog 22700 with grid 22710 (header row, row labels
// "R01".."R60", columns Name, Count, Ratio, Done, menu) and grid 22711 (two string columns,
// neither), the print options and routines, and the spooled PDF read back with pdfinfo,
// pdftotext, pdffonts and the pixels of pdftoppm.
#ifndef QUILL_TESTS_GRID_PRINT_FIXTURE_H
#define QUILL_TESTS_GRID_PRINT_FIXTURE_H

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/dialogs.h"
#include "grid/grid_control.h"
#include "grid/grid_print.h"
#include "grid_cells.h"
#include "library_root.h"
#include "modal_answer.h"
#include "plot_readers.h"
#include "print_jobs.h"
#include "quillamorph.h"
#include "messages.h"

namespace fs = std::filesystem;

namespace gridprint {

inline constexpr int kDialog = 22700, kGrid = 22710, kPlain = 22711;

// A Wine path of the Unix file system ("Z:\...") as the Unix path that the readers take.
inline std::string UnixPath(const fs::path &path) {
    std::string text = path.string();
    if (text.size() > 1 && (text[0] == 'Z' || text[0] == 'z') && text[1] == ':') text.erase(0, 2);
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

inline void PutText(int grid, int column, int row, const std::string &text) {
    int id = grid;
    double value = 0;
    yygridputcellstring_(&id, &column, &row, &value, text.c_str(), "",
                         static_cast<int>(text.size()), 0);
    ASSERT_EQ(id, grid);
}

struct Options {
    int h = 1, v = 1, repeat = 1, colour = 0, back = 0, scale = 100;
};

inline void SetOptions(const Options &o, int set = 1) {
    yygridprintsetopt_(&o.h, &o.v, &o.repeat, &o.colour, &o.back, &o.scale, &set);
}

inline Options GetOptions(int set) {
    Options o{-1, -1, -1, -1, -1, -1};
    yygridprintgetopt_(&o.h, &o.v, &o.repeat, &o.colour, &o.back, &o.scale, &set);
    return o;
}

inline int Print(int grid, int row1, int row2, int col1, int col2, const std::string &title,
                 int set = 1) {
    int ok = -1;
    yygridprint_(&grid, &ok, &row1, &row2, &col1, &col2, &set, title.data(),
                 static_cast<int>(title.size()));
    return ok;
}

// A printed document read back.
struct Printed {
    fs::path file;
    int pages = 0;
    double width = 0, height = 0;   // first page as it shows, points
    std::vector<std::string> text;  // pdftotext -layout, page by page
    std::string fonts;              // pdffonts
};

inline Printed ReadBack(const fs::path &file) {
    Printed p;
    p.file = file;
    std::string pdf = UnixPath(file);
    ReaderRun info = RunReader("pdfinfo '" + pdf + "'");
    EXPECT_EQ(info.status, 0) << info.output;
    if (auto at = info.output.find("Pages:"); at != std::string::npos)
        p.pages = std::atoi(info.output.c_str() + at + 6);
    if (auto at = info.output.find("Page size:"); at != std::string::npos)
        std::sscanf(info.output.c_str() + at + 10, " %lf x %lf", &p.width, &p.height);
    // A turned page is as wide as it is high unturned.
    if (auto at = info.output.find("Page rot:");
        at != std::string::npos && std::atoi(info.output.c_str() + at + 9) % 180)
        std::swap(p.width, p.height);
    ReaderRun text = RunReader("pdftotext -layout '" + pdf + "' -");
    EXPECT_EQ(text.status, 0) << text.output;
    std::string page;
    for (char c : text.output) {
        if (c == '\f') {
            p.text.push_back(page);
            page.clear();
        } else {
            page += c;
        }
    }
    if (!page.empty() && page.find_first_not_of(" \r\n") != std::string::npos)
        p.text.push_back(page);
    ReaderRun fonts = RunReader("pdffonts '" + pdf + "'");
    EXPECT_EQ(fonts.status, 0) << fonts.output;
    p.fonts = fonts.output;
    return p;
}

// Titles of the jobs read back, whose files the test removes at its end.
inline std::vector<std::string> &printedTitles() {
    static std::vector<std::string> titles;
    return titles;
}

// The one job printed under TITLE since SINCE.
inline Printed Job(const std::string &title, fs::file_time_type since) {
    std::vector<fs::path> jobs = WaitForPdfJobs(title, 1, 120000, since);
    EXPECT_EQ(jobs.size(), 1u) << "job " << title;
    if (jobs.empty()) return Printed();
    printedTitles().push_back(title);
    return ReadBack(jobs.front());
}

// Page PAGE (from 1) of the job rendered at DPI dots per inch.
inline Picture Render(const Printed &p, int page, int dpi) {
    return RenderPdfPage(p.file, page, dpi);
}

inline int Count(const std::string &text, const std::string &what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// Row labels "Rnn" on a page.
inline int Labels(const std::string &page) {
    int n = 0;
    for (int r = 1; r <= 60; ++r) {
        char label[8];
        std::snprintf(label, sizeof label, "R%02d", r);
        n += Count(page, label) > 0;
    }
    return n;
}

// Dark runs along a line of pixels from (X, Y) in steps (DX, DY).
inline int DarkRuns(const Picture &picture, int x, int y, int dx, int dy) {
    int runs = 0;
    bool dark = false;
    for (; x >= 0 && y >= 0 && x < picture.width && y < picture.height; x += dx, y += dy) {
        bool now = picture.Dark(x, y);
        if (now && !dark) ++runs;
        dark = now;
    }
    return runs;
}

struct Box {
    int left = -1, top = -1, right = -1, bottom = -1;
};
inline Box DarkBox(const Picture &picture) {
    Box box;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (picture.Dark(x, y)) {
                if (box.left < 0 || x < box.left) box.left = x;
                if (box.top < 0) box.top = y;
                box.right = std::max(box.right, x);
                box.bottom = y;
            }
    return box;
}

class GridPrint : public GridDialogRoot<kDialog, kGrid, kPlain> {
protected:
    void SetUp() override {
        GridDialogRoot::SetUp();
        if (HasFatalFailure()) return;
        since = fs::file_time_type::clock::now() - std::chrono::seconds(2);
    }
    void TearDown() override {
        for (const std::string &title : printedTitles()) RemovePdfJobs(title);
        printedTitles().clear();
        LibraryRoot::TearDown();
    }
    fs::file_time_type since;
};

}  // namespace gridprint

using namespace gridprint;

#endif
