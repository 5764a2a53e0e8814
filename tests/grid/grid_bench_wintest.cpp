// Speed of the grid under Wine against plain baselines of the same run, on a grid of 100,000
// rows (dialog 22003). A benchmark, not a test: it is disabled and run by bench/grid_ratio.sh,
// which prints the ratios.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/dialogs.h"
#include "grid/grid_control.h"
#include "library_root.h"
#include "quillamorph.h"
#include "messages.h"

namespace {

constexpr int kDialog = 22003, kGrid = 22030, kRows = 100000;

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Report(const char *name, double measured, double baseline, double goal) {
    std::printf("%s %.2f (%.4f s / %.4f s, goal %.1f)\n", name, measured / baseline, measured,
                baseline, goal);
}

TEST(GridBench, DISABLED_RatiosToPlainBaselines) {
    OpenLibraryRoot();
    int id = kDialog, type = 2;
    wdialogload_(&id);
    wdialogshow_(nullptr, nullptr, nullptr, &type);
    Pump();
    HWND window = GetDlgItem(quill::CurrentDialogWindow(), kGrid);
    GridRecord *grid = quill::GridRecordOf(window);
    ASSERT_NE(grid, nullptr);

    std::mt19937 random(7);
    std::uniform_real_distribution<double> uniform(-1000.0, 1000.0);
    std::vector<double> values(kRows);
    for (double &v : values) v = uniform(random);

    // Fill by the public puts, against formatting the same values.
    double start = Now();
    for (int r = 1; r <= kRows; ++r) {
        int g = kGrid, column = 0, row = r - 1;
        char text[24];
        int n = std::snprintf(text, sizeof text, "row %d", r);
        double zero = 0;
        yygridputcellstring_(&g, &column, &row, &zero, text, "", n + 1, 1);
        int c2 = 2, c3 = 3, c4 = 4, ivalue = r;
        float rvalue = static_cast<float>(values[static_cast<size_t>(r) - 1]);
        double dvalue = values[static_cast<size_t>(r) - 1];
        wgridputcellinteger_(&g, &c2, &r, &ivalue);
        if (r % 10 != 0) wgridputcellreal_(&g, &c3, &r, &rvalue, nullptr, 0);
        wgridputcelldouble_(&g, &c4, &r, &dvalue, nullptr, 0);
        int c = 4, state = r & 1;
        yygridputcellcheck_(&g, &c, &row, &state);
    }
    double fill = Now() - start;
    start = Now();
    std::vector<std::string> texts(kRows);
    char buffer[64];
    for (int r = 1; r <= kRows; ++r) {
        std::snprintf(buffer, sizeof buffer, "row %d", r);
        texts[static_cast<size_t>(r) - 1] = buffer;
        std::snprintf(buffer, sizeof buffer, "%d", r);
        std::snprintf(buffer, sizeof buffer, "%.5G", values[static_cast<size_t>(r) - 1]);
        std::snprintf(buffer, sizeof buffer, "%.5G", values[static_cast<size_t>(r) - 1]);
    }
    double fillBase = Now() - start;
    Report("grid_fill_ratio", fill, fillBase, 20);

    // Save the grid to a text file, against fprintf of the same rows from plain arrays; load
    // it back, against reading the same file with fgets and strtod.
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string saved =
        std::string(folder) + "quill-grid-bench-" + std::to_string(GetCurrentProcessId()) + ".csv";
    std::string plain = saved + ".plain";
    int g0 = kGrid;
    start = Now();
    wgridsave_(&g0, saved.c_str(), static_cast<int>(saved.size()));
    double save = Now() - start;
    start = Now();
    if (std::FILE *out = std::fopen(plain.c_str(), "wb")) {
        for (int r = 0; r < kRows; ++r) {
            std::fprintf(out, "\"%s\",%d,", texts[static_cast<size_t>(r)].c_str(), r + 1);
            if (r % 10 != 9)
                std::fprintf(out, "%.4f", static_cast<float>(values[static_cast<size_t>(r)]));
            std::fprintf(out, ",%.4f,%s\r\n", values[static_cast<size_t>(r)],
                         (r + 1) & 1 ? "Yes" : "No");
        }
        std::fclose(out);
    }
    double saveBase = Now() - start;
    Report("grid_save_ratio", save, saveBase, 3);
    start = Now();
    wgridload_(&g0, saved.c_str(), static_cast<int>(saved.size()));
    double load = Now() - start;
    int one = 1;
    EXPECT_EQ(infoerror_(&one), 0);
    start = Now();
    double sum = 0;
    if (std::FILE *in = std::fopen(saved.c_str(), "rb")) {
        char line[256];
        while (std::fgets(line, sizeof line, in)) {
            char *p = std::strchr(line + 1, '"');
            if (!p) continue;
            p += 2;
            for (int k = 0; k < 3; ++k) {
                char *end;
                sum += std::strtod(p, &end);
                p = end + 1;
            }
            sum += p[0] == 'Y';
        }
        std::fclose(in);
    }
    double loadBase = Now() - start;
    EXPECT_NE(sum, 0.0);
    Report("grid_load_ratio", load, loadBase, 15);
    DeleteFileA(saved.c_str());
    DeleteFileA(plain.c_str());

    // Sort by the real column, against sorting the same (value, row) pairs.
    start = Now();
    int g = kGrid, column = 3;
    wgridsort_(&g, &column, nullptr, nullptr, nullptr);
    double sort = Now() - start;
    std::vector<std::pair<double, int>> pairs(kRows);
    for (int r = 0; r < kRows; ++r)
        pairs[static_cast<size_t>(r)] = {
            r % 10 == 9 ? 3.4e38
                        : static_cast<double>(static_cast<float>(values[static_cast<size_t>(r)])),
            r};
    start = Now();
    std::stable_sort(pairs.begin(), pairs.end());
    double sortBase = Now() - start;
    Report("grid_sort_ratio", sort, sortBase, 10);

    // An unsuccessful find, against searching the same texts.
    start = Now();
    int found = -1;
    wgridfind_(&g, "zzz", nullptr, &found, nullptr, nullptr, nullptr, nullptr, 3);
    double find = Now() - start;
    EXPECT_EQ(found, 0);
    start = Now();
    size_t hits = 0;
    for (const std::string &t : texts) hits += t.find("zzz") != std::string::npos;
    double findBase = Now() - start;
    EXPECT_EQ(hits, 0u);
    Report("grid_find_ratio", find, findBase > 1e-6 ? findBase : 1e-6, 10);

    // Repainting a screenful, and a Page Down, against as many plain edit controls.
    const int repeats = 20;
    start = Now();
    for (int i = 0; i < repeats; ++i)
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    double paint = (Now() - start) / repeats;
    start = Now();
    for (int i = 0; i < repeats; ++i) {
        SendMessageA(window, WM_VSCROLL, SB_PAGEDOWN, 0);
        UpdateWindow(window);
    }
    double page = (Now() - start) / repeats;

    int cells = grid->nColumns * grid->nControlRows;
    HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 400, nullptr,
                                nullptr, nullptr, nullptr);
    std::vector<HWND> edits;
    for (int i = 0; i < cells; ++i)
        edits.push_back(CreateWindowExA(0, "EDIT", "text", WS_CHILD | WS_VISIBLE | WS_BORDER,
                                        (i % 5) * 120, (i / 5) * 20, 118, 20, host, nullptr,
                                        nullptr, nullptr));
    Pump();
    start = Now();
    for (int i = 0; i < repeats; ++i)
        RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    double paintBase = (Now() - start) / repeats;
    start = Now();
    for (int i = 0; i < repeats; ++i) {
        for (size_t k = 0; k < edits.size(); ++k)
            SetWindowTextA(edits[k], (i & 1) ? "12345.6" : "row 99999");
        UpdateWindow(host);
    }
    double refillBase = (Now() - start) / repeats;
    DestroyWindow(host);
    Report("grid_repaint_ratio", paint, paintBase, 1.5);
    Report("grid_pagedown_ratio", page, refillBase, 3);
    windowclose_();
}

}  // namespace
