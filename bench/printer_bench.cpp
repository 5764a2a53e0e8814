// Speed of the raster printer on a full page: a 600-dpi 8 x 6 inch page (4800 x 3600 pixels,
// portrait) grey-filled through the memory raster, then written as PCL raster rows with
// PackBits compression.
//
//   fill_mpixel_s: million raster pixels a second of the grey fill (a dithered rectangle
//                  over the whole page)
//   pcl_pages_s:   pages a second of the page walk that writes the filled page as PCL
//   far_line_ms:   milliseconds to draw a thin line from about a billion pixels off the page
//                  (the farthest point the raster keeps) to its middle
//   far_thick_ms:  the same line 5 points (42 pixels) thick
// Each figure is the best of a few runs. Output, one line:
//   fill_mpixel_s=<x> pcl_pages_s=<x> fill_s=<t> pcl_s=<t> file_bytes=<n> far_line_ms=<t>
//   far_thick_ms=<t>
#include "graphics/driver_protocol.h"
#include "graphics/figure_fill.h"
#include "graphics/graphics_state.h"
#include "hardcopy/hardcopy_state.h"
#include "hardcopy/memory_raster.h"
#include "quillamorph/hardcopy.h"
#include "quillamorph/plot.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

typedef std::chrono::steady_clock Clock;
const int kRuns = 5;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void Option(int code, int value) { igrhardcopyoptions_(&code, &value); }

}  // namespace

int main() {
    gGraphics = quill::DefaultGraphicsState();
    gHardcopy = quill::DefaultHardcopyState();
    gFigureFill = FigureFill{4, 0, 0, 0, 0.0f, 0};
    int kind = gGraphics.kind, id = gGraphics.id, w = 1000, h = 750;
    yyresn_(&kind, &id, &w, &h);

    const int type = 29;  // PCL at 600, 300, 200 and 150 dpi
    iprinter_(&type);
    const int one = 1, device = 4;
    igrhardcopyselect_(&one, &device);
    Option(1, 576);
    Option(2, 432);
    Option(5, 0);
    Option(13, 1);
    Option(24, 2);
    const std::string path =
        (std::filesystem::temp_directory_path() / "quill-printer-bench.prn").string();
    igrhardcopy_(path.c_str(), nullptr, static_cast<int>(path.size()), 0);

    // 4.8 pixels a device unit: the far end lies 9.6e8 pixels to the left of the page. The
    // fill below covers what the lines drew.
    double far[2] = {1e30, 1e30};
    for (int thick = 0; thick < 2; ++thick) {
        Option(9, thick ? 50 : 1);
        for (int run = 0; run < kRuns; ++run) {
            quill::SetPoint(1, -2e8f, -1e8f);
            quill::SetPoint(2, 500, 375);
            const auto start = Clock::now();
            quill::SendOp(kOpLine, kSideHardcopy);
            far[thick] = std::min(far[thick], Seconds(start));
        }
    }
    double fill = 1e30, walk = 1e30;
    for (int run = 0; run < kRuns; ++run) {
        gGraphics.colour = {100, 0x808080, 0};
        quill::SendOp(kOpColour, kSideHardcopy);
        quill::SetPoint(1, 0, 0);
        quill::SetPoint(2, 999.99f, 749.99f);
        gOperands.Id(1) = 0;
        auto start = Clock::now();
        quill::SendFilledFigure(kOpRectanglePattern);
        const double f = Seconds(start);
        if (f < fill) fill = f;
        gOperands.Id(1) = 32;
        gOperands.Id(2) = 0;
        start = Clock::now();
        quill::SendOp(kOpPage, kSideHardcopy);
        const double p = Seconds(start);
        if (p < walk) walk = p;
    }
    const double pixels = static_cast<double>(gRaster.width) * gRaster.height;
    igrhardcopy_("S", nullptr, 1, 0);
    const auto bytes = std::filesystem::file_size(path);
    std::printf(
        "fill_mpixel_s=%.1f pcl_pages_s=%.2f fill_s=%.4f pcl_s=%.4f file_bytes=%llu "
        "far_line_ms=%.3f far_thick_ms=%.3f\n",
        pixels / fill / 1e6, 1.0 / walk, fill, walk, static_cast<unsigned long long>(bytes / kRuns),
        1e3 * far[0], 1e3 * far[1]);
    std::filesystem::remove(path);
    return 0;
}
