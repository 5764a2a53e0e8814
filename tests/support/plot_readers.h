// The independent readers that check the plot files of the hardcopy tests, and a fixture that
// opens a hardcopy on a device, draws through the driver protocol and closes it.
//
// Readers run as programs of this machine, natively or from the Windows build under Wine; a
// command names files by ReaderPath. A reader that is not installed fails the test.
#ifndef TESTS_SUPPORT_PLOT_READERS_H
#define TESTS_SUPPORT_PLOT_READERS_H

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "graphics/driver_protocol.h"
#include "graphics/figure_fill.h"
#include "graphics/graphics_state.h"
#include "hardcopy/hardcopy_state.h"
#include "quillamorph/errors.h"
#include "quillamorph/hardcopy.h"
#include "scratch_folder.h"

struct ReaderRun {
    int status = -1;     // exit status (-1: could not be started)
    std::string output;  // standard output and standard error together
};

// Runs the shell command line COMMAND (Unix syntax, Unix file names) and collects its output.
ReaderRun RunReader(const std::string &command);

// The name by which a reader finds the file PATH (under Wine: the Unix path it stands for).
std::string ReaderPath(const std::filesystem::path &path);

// The file's bytes, or "" when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path &path);

// The lines of TEXT split at carriage return and line feed.
std::vector<std::string> SplitLines(const std::string &text);

// A PPM (P6) or PBM (P4) image read back: width, height and RGB bytes.
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    bool Dark(int x, int y) const;  // every component below 128
    // Dark pixels within RADIUS pixels of (X, Y).
    bool DarkNear(int x, int y, int radius) const;
    int DarkCount() const;
    // Component C (0 red, 1 green, 2 blue) of pixel (X, Y), rounded to whole pixels; -1
    // outside the picture.
    int Channel(double x, double y, int c) const;
    // The colour of pixel (X, Y) as red x 65536 + green x 256 + blue; -1 outside.
    int Rgb(double x, double y) const;
};
Picture ReadPpm(const std::filesystem::path &path);

// The pages of a PDF file: their number as pdfinfo reads it (-1, and a failure of the running
// test, when pdfinfo fails or names none), and page PAGE (from 1) as pdftoppm renders it at
// DPI dots an inch (empty, and a failure, when it cannot).
int PdfPageCount(const std::filesystem::path &pdf);
Picture RenderPdfPage(const std::filesystem::path &pdf, int page, int dpi);

// A hardcopy test: a fresh graphics and hardcopy state, a 1000 x 700 drawable, a scratch
// folder for the files.
class PlotTest : public ::testing::Test {
protected:
    ScratchFolder scratch{"quill-plot-test"};
    void SetUp() override;
    void TearDown() override;
    std::string Name(const std::string &file) const { return (scratch.path / file).string(); }
    // FILE's name for a reader's command line.
    std::string Unix(const std::string &file) const { return ReaderPath(scratch.path / file); }
    // Selects DEVICE (which resets its options) and opens a hardcopy into FILE (with TITLE
    // when given); OpenSelected opens on the device selected before.
    void Select(int device);
    void Open(int device, const std::string &file, const char *title = nullptr);
    void OpenSelected(const std::string &file, const char *title = nullptr);
    // Closes the hardcopy ("S").
    void Close();
    // The drawing operations, in device units with y upwards.
    void Line(float x1, float y1, float x2, float y2);
    void Colour(int rgb);
    void Rectangle(float x1, float y1, float x2, float y2);
    void Triangle(float x1, float y1, float x2, float y2, float x3, float y3);
    void Polyline(const std::vector<float> &x, const std::vector<float> &y);
    void Polygon(const std::vector<float> &x, const std::vector<float> &y);
    void Ellipse(float cx, float cy, float rx, float ry);
    void Sector(float cx, float cy, float r, float startDegrees, float endDegrees);
    // Op 34: the outline of the same sector.
    void Arc(float cx, float cy, float r, float startDegrees, float endDegrees);
    void Text(float x, float y, const std::string &text);
    // Measures TEXT without drawing it: the width the driver answers (-1 when it answers
    // none), and in LINES the count of lines it answers.
    float Measure(const std::string &text, int *lines);
    // Op 40: the polygon X, Y with the RGB colour of each vertex.
    void Gradient(const std::vector<float> &x, const std::vector<float> &y,
                  const std::vector<int> &rgb);
    void EndPage(bool more = true);
    void Option(int code, int value);
};

#endif
