// Printer codes of the raster printer: the row compressions undone by independent decoders,
// the page commands as printers read them, and every printer class's page walk rebuilt dot
// by dot from the file and compared with the raster, in both orientations.
#include "hardcopy/hardcopy_options.h"
#include "hardcopy/hardcopy_state.h"
#include "hardcopy/plot_output.h"
#include "hardcopy/printer_codes.h"
#include "hardcopy/printer_settings.h"
#include "plot_readers.h"
#include "printer_decoders.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using printertest::Bytes;

constexpr int kSlot = 2;

// A raster with blocks, a diagonal, lone pixels and every colour value.
struct TestRaster : printertest::PageRaster {
    TestRaster(int width, int height, int nplanes) : PageRaster(width, height, nplanes) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int v = (x / 4 + 2 * (y / 3) + (x * y) % 3) % 8;
                if (x == y || (x > w / 2 && y < h / 3)) v = 7;
                if ((x + y) % 13 == 5) v = 0;
                if (planes == 1) v = (v & 1) || x == y;
                for (int k = 0; k < planes; ++k)
                    if ((v >> k) & 1) Set(x, y, k);
            }
    }
    void Bind(bool landscape) const {
        gPrinterRaster.words = words.data();
        gPrinterRaster.width = w;
        gPrinterRaster.height = h;
        gPrinterRaster.wordsPerRow = wordsPerRow;
        gPrinterRaster.wordsPerPlane = PlaneWords();
        gPrinterRaster.planes = planes;
        gPrinterRaster.landscape = landscape;
    }
};

class PrinterCodes : public ::testing::Test {
protected:
    ScratchFolder scratch{"quill-printer-codes"};
    void SetUp() override {
        quill::ClearHardcopyOptions();
        quill::HardcopyOptionSlot(1) = 576;
        quill::HardcopyOptionSlot(2) = 432;
        quill::HardcopyOptionSlot(8) = 1;
        quill::HardcopyOptionSlot(kOptResetFlags) = 3;
    }
    void TearDown() override {
        const int type = 28;
        iprinter_(&type);
        gPrinterRaster = PrinterRaster{};
    }
    // Writes the page of RASTER for printer TYPE into FILE and returns its bytes.
    std::string Page(int type, const TestRaster &raster, bool landscape, const std::string &file) {
        iprinter_(&type);
        raster.Bind(landscape);
        const int columns = landscape ? raster.h : raster.w, rows = landscape ? raster.w : raster.h;
        const std::string name = (scratch.path / file).string();
        quill::OpenPlotFile(kSlot, name.c_str(), static_cast<int>(name.size()));
        yypcod_(columns, rows);
        yydump_(quill::RasterPixelTester(gRasterProfile.printerClass, raster.planes > 1 ? 3 : 1,
                                         landscape));
        yyprcl_(&kSlot);
        return ReadWholeFile(name);
    }
};

Bytes Row(std::initializer_list<int> values) { return Bytes(values.begin(), values.end()); }

TEST(PrinterCompression, RowsDecodeBackAndStayWithinTheirBounds) {
    // 200 equal bytes: two repeat runs of 128 and 72.
    Bytes same(200, 0x5A), out;
    EXPECT_EQ(4, yycmpr_(same.data(), 200, 2, out));
    EXPECT_EQ(Row({0x81, 0x5A, 0xB9, 0x5A}), out);
    // A literal run ends before three equal bytes, and before two at the row's end.
    Bytes mixed = Row({1, 2, 3, 3, 3, 4, 5, 6, 6});
    yycmpr_(mixed.data(), 9, 2, out);
    EXPECT_EQ(Row({1, 1, 2, 0xFE, 3, 1, 4, 5, 0xFF, 6}), out);

    std::vector<Bytes> rows = {{}, {7}, {7, 7}, Bytes(129, 9), Bytes(257, 0), Bytes(300, 0)};
    std::uint32_t seed = 12345;
    for (int n : {1, 2, 3, 127, 128, 129, 130, 255, 256, 257, 1000}) {
        Bytes noise(static_cast<std::size_t>(n)), runs(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            seed = seed * 1103515245u + 12345u;
            noise[static_cast<std::size_t>(i)] = static_cast<unsigned char>(seed >> 16);
            runs[static_cast<std::size_t>(i)] =
                static_cast<unsigned char>((i / (1 + (seed >> 28))) % 3);
        }
        rows.push_back(noise);
        rows.push_back(runs);
    }
    for (const Bytes &row : rows) {
        const int n = static_cast<int>(row.size());
        EXPECT_LE(yycmpr_(row.data(), n, 2, out), n + n / 128 + 1);
        EXPECT_EQ(row, printertest::UnpackBits(out.data(), out.size(), row.size()));
        EXPECT_LE(yycmpr_(row.data(), n, 1, out), 2 * n);
        EXPECT_EQ(row, printertest::UnpackPairs(out.data(), out.size()));
        Bytes p2;
        if (yycmprp2_(row.data(), n, p2) == 1) {
            EXPECT_LT(p2.size(), row.size());
            EXPECT_EQ(row, printertest::UnpackBits(p2.data(), p2.size(), row.size()));
        } else {
            EXPECT_EQ(row, p2);
        }
    }
    // ESC/P2 rows split a run of 129 as 127 and 2; a row that does not shrink goes as it is.
    Bytes run129(129, 4), p2;
    EXPECT_EQ(1, yycmprp2_(run129.data(), 129, p2));
    EXPECT_EQ(Row({0x82, 4, 0xFF, 4}), p2);
    Bytes plain = Row({1, 2, 3});
    EXPECT_EQ(0, yycmprp2_(plain.data(), 3, p2));
    EXPECT_EQ(plain, p2);
}

TEST_F(PrinterCodes, PclCommandsAsThePrinterReadsThem) {
    TestRaster raster(40, 10, 1);
    // Class 7 at 300 dpi, portrait, offsets of 100 and 70 points.
    quill::HardcopyOptionSlot(3) = 100, quill::HardcopyOptionSlot(4) = 70,
    quill::HardcopyOptionSlot(kOptResolution) = 1;
    std::string file = Page(28, raster, false, "class7.prn");
    EXPECT_EQ(std::string("\x1b"
                          "E"
                          "\x1b&a1000h0700V"
                          "\x1b*t300R"
                          "\x1b*r0040s1A"),
              file.substr(0, 32));
    printertest::PclPage page = printertest::DecodePcl(file);
    EXPECT_TRUE(page.Has("&l01X"));
    EXPECT_EQ("E", page.commands.back());
    // Landscape exchanges the offsets; type 10 has no width part, and the raster start still
    // has its own introducer.
    quill::HardcopyOptionSlot(kOptResetFlags) = 0, quill::HardcopyOptionSlot(8) = 3;
    file = Page(10, raster, true, "type10.prn");
    EXPECT_EQ(std::string("\x1b&a0700h1000V"
                          "\x1b*t300R"
                          "\x1b*r1A"),
              file.substr(0, 25));
    page = printertest::DecodePcl(file);
    EXPECT_TRUE(page.Has("&l03X"));
    EXPECT_EQ("*rB", page.commands.back());
    // Colour kinds: an RGB printer "3u", a CMY one "-3u"; copies only for class 7 and type
    // 32; the extra mode of class 9; compression names its method.
    TestRaster colour(20, 4, 3);
    quill::HardcopyOptionSlot(kOptExtraMode) = 1, quill::HardcopyOptionSlot(kOptCompression) = 2;
    page = printertest::DecodePcl(Page(13, colour, false, "class9.prn"));
    EXPECT_TRUE(page.Has("*r3U") && page.Has("&k3W") && page.Has("*b1M"));
    EXPECT_FALSE(page.Has("&l03X"));
    page = printertest::DecodePcl(Page(32, colour, false, "type32.prn"));
    EXPECT_TRUE(page.Has("*r-3U") && page.Has("&l03X") && page.Has("*b2M"));
}

TEST_F(PrinterCodes, DotMatrixCountsNameWholeColumns) {
    int type = 17;  // class 5, 24 pins
    iprinter_(&type);
    yypcod_(100, 24);
    yybitimg_(100);
    EXPECT_EQ(34, static_cast<unsigned char>(gPageCodes.bitImage[3]) |
                      static_cast<unsigned char>(gPageCodes.bitImage[4]) << 8);
    type = 19;  // class 4: the count is data bytes + 1, the mode byte last
    iprinter_(&type);
    yypcod_(100, 24);
    yybitimg_(300);
    EXPECT_EQ(std::string("\x1b[g\x2d\x01\x0c"), gPageCodes.bitImage);
}

// Every class, colour and orientation: the page as a printer of the language would print it
// is the raster, dot for dot, with nothing beside it.
TEST_F(PrinterCodes, EveryClassPrintsTheRaster) {
    struct Case {
        int type, planes;
    };
    const Case cases[] = {{2, 1},  {3, 1},  {9, 1},  {19, 1}, {17, 1}, {23, 3},
                          {25, 3}, {36, 1}, {37, 3}, {28, 1}, {10, 1}, {14, 1},
                          {13, 3}, {30, 3}, {29, 1}, {33, 1}, {31, 3}, {21, 3}};
    quill::HardcopyOptionSlot(3) = 10, quill::HardcopyOptionSlot(4) = 7;
    int serial = 0;
    for (const Case &k : cases) {
        for (int choice = 1; choice <= 4; ++choice) {
            for (bool landscape : {false, true}) {
                iprinter_(&k.type);
                if (choice > gRasterProfile.resolutionCount) continue;
                quill::HardcopyOptionSlot(kOptResolution) = choice;
                quill::HardcopyOptionSlot(kOptCompression) = (choice + (landscape ? 1 : 0)) % 3;
                const TestRaster raster(45 + choice, 37 + 3 * choice, k.planes);
                const std::string label = "type " + std::to_string(k.type) + " choice " +
                                          std::to_string(choice) +
                                          (landscape ? " landscape" : " portrait");
                const std::string file =
                    Page(k.type, raster, landscape, "p" + std::to_string(++serial) + ".prn");
                const auto setup = printertest::SetupOfProfile(
                    gPageCodes.resolution, landscape ? 7 : 10, landscape ? 10 : 7, landscape);
                EXPECT_EQ("", printertest::PrintedDifference(file, raster, setup)) << label;
            }
        }
    }
}

}  // namespace
