// The raster printer file driver (device 4): drawings become printer pages that print their
// raster dot for dot, the page size follows class, resolution and orientation, blank pages
// are not written, and pages that cannot be made leave no file.
#include "plot_readers.h"
#include "printer_decoders.h"

#include "hardcopy/hardcopy_options.h"
#include "hardcopy/memory_raster.h"
#include "hardcopy/printer_codes.h"
#include "hardcopy/printer_settings.h"
#include "quillamorph/imagefiles.h"

#include <filesystem>

namespace {

class RasterPrinter : public PlotTest {
protected:
    void TearDown() override {
        PlotTest::TearDown();
        const int type = 28;
        iprinter_(&type);
    }
    // Printer TYPE on a page of W x H points at resolution choice CHOICE.
    void OpenPrinter(int type, const std::string &file, int w, int h, int choice, int landscape) {
        iprinter_(&type);
        Select(kDeviceRasterPrinter);
        Option(1, w);
        Option(2, h);
        Option(5, landscape);
        Option(13, choice);
        OpenSelected(file);
    }
    void Draw() {
        Colour(0x000000);
        Rectangle(100, 100, 400, 400);
        Colour(0x0000FF);
        Triangle(500, 100, 900, 100, 700, 600);
        Colour(0x00FF00);
        Line(0, 690, 999, 0);
    }
    // The raster as it stands now.
    static printertest::PageRaster Snapshot() {
        printertest::PageRaster copy(gRaster.width, gRaster.height, gRaster.planes);
        copy.words.assign(gRaster.words.begin(),
                          gRaster.words.begin() + static_cast<std::ptrdiff_t>(copy.words.size()));
        return copy;
    }
};

TEST_F(RasterPrinter, EveryClassPrintsTheDrawing) {
    struct Case {
        int type, choice;
    };
    // Classes 1 to 10, mono and colour, at resolutions that keep the pages small.
    const Case cases[] = {{2, 2},  {3, 4},  {9, 2},  {19, 3}, {17, 4}, {25, 4}, {36, 3}, {37, 3},
                          {28, 4}, {14, 4}, {13, 2}, {30, 4}, {29, 4}, {31, 4}, {21, 4}};
    int serial = 0;
    for (const Case &k : cases) {
        for (int landscape : {0, 1}) {
            const std::string file = "page" + std::to_string(++serial) + ".prn";
            OpenPrinter(k.type, file, 144, 108, k.choice, landscape);
            ASSERT_EQ(1, gHardcopy.open) << file;
            Draw();
            const printertest::PageRaster raster = Snapshot();
            const double res = gRasterProfile.resolutions[k.choice - 1];
            // The black square: a dot in every plane, or none on a printer of red, green and
            // blue light.
            const int cx = raster.w / 4, cy = raster.h * 5 / 14;
            for (int p = 0; p < raster.planes; ++p)
                EXPECT_EQ(gRasterProfile.colourMode != 1, raster.Get(cx, cy, p))
                    << file << " plane " << p;
            // The raster spans the page at the printer's resolution along the paper.
            const int cls = gRasterProfile.printerClass;
            const int yres = cls > 5 ? static_cast<int>(res)
                             : cls == 5
                                 ? 180
                                 : static_cast<int>(gRasterProfile.passHeight * 216.0 /
                                                    gRasterProfile.codeSet * (res > 100 ? 2 : 1));
            EXPECT_EQ(landscape ? yres * 2 : static_cast<int>(res) * 2, raster.w) << file;
            EXPECT_EQ(landscape ? static_cast<int>(res) * 3 / 2 : yres * 3 / 2, raster.h) << file;
            Close();
            const std::string bytes = ReadWholeFile(Name(file));
            // File information names the printer language, its colours and resolution.
            int info[6] = {}, ninfo = 6;
            const std::string path = Name(file);
            igrfileinfo_(path.c_str(), info, &ninfo, static_cast<int>(path.size()));
            const bool colour = raster.planes > 1;
            EXPECT_EQ(cls >= 7 ? 11 : cls == 6 ? 12 : 13, info[0]) << file;
            EXPECT_EQ(colour ? 8 : cls >= 7 ? 2 : 0, info[3]) << file;
            EXPECT_EQ(cls >= 6 ? static_cast<int>(res) : -1, info[4]) << file;
            double ox = quill::HardcopyOptionSlot(3), oy = quill::HardcopyOptionSlot(4);
            if (landscape) std::swap(ox, oy);
            EXPECT_EQ(
                "", printertest::PrintedDifference(
                        bytes, raster,
                        printertest::SetupOfProfile(static_cast<int>(res), ox, oy, landscape == 1)))
                << file;
        }
    }
}

TEST_F(RasterPrinter, BlackFillsPrintBlackAndPagesFollowEachOther) {
    OpenPrinter(28, "two.prn", 72, 72, 4, 0);  // 75 dpi: 75 x 75 pixels
    Colour(0x000000);
    Rectangle(0, 0, 499, 499);  // the lower left quarter of the drawable
    // Landscape and 300 dpi asked for too late: the pages keep the raster's orientation and
    // resolution.
    Option(5, 1);
    Option(13, 1);
    EndPage();
    Colour(0x000000);
    Line(0, 0, 999, 699);
    Close();
    const printertest::PclPage page = printertest::DecodePcl(ReadWholeFile(Name("two.prn")));
    // Two pages, each its own reset and raster graphics.
    int starts = 0;
    for (auto &c : page.commands) starts += c == "*r1A";
    EXPECT_EQ(2, starts);
    ASSERT_EQ(150u, page.rows.size());
    EXPECT_TRUE(page.Has("*t075R"));
    // The fill covers pixels 0-37 across and 0-53 up (75 / 1000 and 75 / 700 of a device
    // unit): dark inside, and nothing far outside it on the first page.
    for (int r = 0; r < 75; ++r)
        for (int c = 0; c < 75; ++c) {
            if (c <= 36 && r >= 22) {
                EXPECT_TRUE(page.Dot(c, r, 0)) << c << "," << r;
            }
            if (c >= 39 || r <= 19) {
                EXPECT_FALSE(page.Dot(c, r, 0)) << c << "," << r;
            }
        }
}

TEST_F(RasterPrinter, BlankAndImpossiblePagesLeaveNothing) {
    // A page with nothing drawn is not written.
    OpenPrinter(28, "blank.prn", 144, 108, 2, 1);
    EndPage();
    Close();
    EXPECT_EQ("", ReadWholeFile(Name("blank.prn")));
    EXPECT_TRUE(std::filesystem::exists(Name("blank.prn")));

    // A page too large at every resolution: error 34, nothing open, no file.
    const int one = 1;
    OpenPrinter(28, "huge.prn", 1000000, 1000000, 1, 0);
    EXPECT_EQ(34, infoerror_(&one));
    EXPECT_EQ(0, gHardcopy.open);
    Draw();
    Close();
    EXPECT_FALSE(std::filesystem::exists(Name("huge.prn")));

    // No resolution chosen: error 5, the same.
    iprinter_(std::vector<int>{28}.data());
    Select(kDeviceRasterPrinter);
    quill::HardcopyOptionSlot(13) = 0;
    OpenSelected("none.prn");
    EXPECT_EQ(5, infoerror_(&one));
    EXPECT_EQ(0, gHardcopy.open);
    EXPECT_FALSE(std::filesystem::exists(Name("none.prn")));

    // A page of no size is the smallest raster and prints.
    iprinter_(std::vector<int>{3}.data());
    Select(kDeviceRasterPrinter);
    quill::HardcopyOptionSlot(1) = 0, quill::HardcopyOptionSlot(2) = 0;
    OpenSelected("zero.prn");
    EXPECT_EQ(1, gHardcopy.open);
    Draw();
    Close();
    EXPECT_EQ(0, infoerror_(&one));
}

#ifndef _WIN32
// A device that takes no bytes: the page walk stops at the first failed write with error 2,
// and a later page of that file is not attempted: no second report.
TEST_F(RasterPrinter, AFailedWriteEndsThePage) {
    const int type = 28, one = 1;
    iprinter_(&type);
    Select(kDeviceRasterPrinter);
    Option(13, 1);
    igrhardcopy_("/dev/full", nullptr, 9, 0);
    ASSERT_EQ(1, gHardcopy.open);
    Draw();
    EndPage();
    EXPECT_EQ(2, infoerror_(&one));
    Draw();
    Close();
    EXPECT_EQ(0, infoerror_(&one));
}
#endif

}  // namespace
