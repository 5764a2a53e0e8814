// The image file driver: one drawing in every format and depth decodes to the same colours
// in the library's decoders and in independent readers (pngcheck, PIL, netpbm); pages go to
// files of their own; a hardcopy with nothing drawn still leaves an image.
#include "plot_readers.h"

#include "graphics/palette.h"
#include "hardcopy/drivers.h"
#include "hardcopy/image_codec.h"
#include "hardcopy/image_read.h"
#include "hardcopy/memory_raster.h"
#include "cgm_walker.h"
#include "image_test_tools.h"
#include "quillamorph/imagefiles.h"

#include <cstring>

namespace {

struct Output {
    std::string name;
    int format, bits;
};

class ImageDriver : public PlotTest {
protected:
    void SetUp() override {
        PlotTest::SetUp();
        yypali_();
    }
    void SetColour(int rgb) {
        int index = 0;
        yyrgbto8_(&rgb, &index);
        gGraphics.colour = {index, rgb, 0};
        quill::SendOp(kOpColour, kSideHardcopy);
    }
    void Open(const std::string &file, int format, int bits, int w = 100, int h = 70) {
        Select(kDeviceImageFile);
        Option(1, w);
        Option(2, h);
        Option(23, bits);
        Option(26, format);
        OpenSelected(file);
    }
    // A black square (pixels 10..39) and a red triangle on a 100 x 70 picture.
    void Draw() {
        SetColour(0x000000);
        Rectangle(100, 100, 399, 399);
        SetColour(0x0000FF);
        Triangle(500, 100, 900, 100, 700, 600);
    }
    // The clip rectangle (100, 100)-(499, 399) that the images are drawn over.
    void ClipForImages() {
        gGraphics.cx1 = 100, gGraphics.cy1 = 100, gGraphics.cx2 = 499, gGraphics.cy2 = 399;
        quill::SendOp(kOpClip, kSideHardcopy);
    }
    // Op 38 on the image file NAME; returns its answer in id(1).
    int DrawImage(const std::string &name) {
        quill::SetText(name.data(), name.size());
        quill::SendOp(kOpImage, kSideHardcopy);
        return gOperands.Id(1);
    }
    quill::ImagePixels Decode(const std::string &file) {
        std::vector<unsigned char> data = imagetest::ReadBytes(Name(file));
        quill::ImagePixels image;
        int z = 0;
        EXPECT_EQ(0, quill::DecodeImage(data.data(), data.size(), image, &z)) << file;
        return image;
    }
};

// The colour a 4- or 8-bit picture shows for RGB: its palette entry, or the 16-colour entry.
std::uint32_t Shown(int bits, int rgb) {
    int index = 0, shown = rgb;
    yyrgbto8_(&rgb, &index);
    if (bits == 8) yypalg_(&index, &shown);
    if (bits == 4) {
        const int code = quill::Raster16ColourCode(index);
        const int nibble = ((code & 1) << 2) | (code & 2) | ((code >> 2) & 1) | (code & 8);
        yypalg16_(&nibble, &shown);
    }
    return static_cast<std::uint32_t>(shown) & 0xFFFFFF;
}

TEST_F(ImageDriver, EveryFormatAndDepthShowsTheDrawing) {
    std::vector<Output> outputs;
    const char *extension[4] = {".pcx", ".bmp", ".bmp", ".png"};
    for (int format = 0; format <= 3; ++format)
        for (int bits : {1, 4, 8, 24}) {
            Output out{
                "d" + std::to_string(format) + "-" + std::to_string(bits) + extension[format],
                format, bits};
            Open(out.name, format, bits);
            ASSERT_EQ(1, gHardcopy.open);
            Draw();
            Close();
            outputs.push_back(out);
        }
    int item = 1;
    EXPECT_EQ(0, infoerror_(&item));
    for (const Output &out : outputs) {
        std::vector<unsigned char> data = imagetest::ReadBytes(Name(out.name));
        int info[6], n = 6;
        igrfileinfo_(Name(out.name).c_str(), info, &n, static_cast<int>(Name(out.name).size()));
        EXPECT_EQ(out.format == 3 ? 15 : out.format == 0 ? 2 : 1, info[0]) << out.name;
        EXPECT_EQ(100, info[1]) << out.name;
        EXPECT_EQ(70, info[2]) << out.name;
        if (out.format == 2 && out.bits != 1 && out.bits != 24)
            continue;  // run-length: checked by the readers
        quill::ImagePixels image = Decode(out.name);
        ASSERT_EQ(100, image.width) << out.name;
        ASSERT_EQ(70, image.height) << out.name;
        EXPECT_EQ(0x000000u, image.Rgb(25, 69 - 25)) << out.name << " black square";
        EXPECT_EQ(0xFFFFFFu, image.Rgb(5, 69 - 65)) << out.name << " white ground";
        if (out.bits > 1) {
            EXPECT_EQ(Shown(out.bits, 0x0000FF), image.Rgb(70, 69 - 20)) << out.name << " red";
        }
    }
#ifndef _WIN32
    std::vector<std::filesystem::path> paths;
    for (const Output &out : outputs) paths.push_back(Name(out.name));
    std::vector<std::string> pil = imagetest::PilRgb(paths);
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const Output &out = outputs[i];
        // The run-length BMP shows what the plain BMP of its depth shows.
        const std::size_t plain = out.format == 2 ? i - 4 : i;
        const std::string expected = imagetest::RgbBytes(Decode(outputs[plain].name));
        // PIL misreads 1-bit planes padded to an even length (13 bytes here); netpbm reads them.
        if (out.format != 0 || out.bits != 4) {
            EXPECT_EQ("", imagetest::RgbDifference(expected, pil[i], 100)) << out.name << " in PIL";
        }
        const char *converter = out.format == 3   ? "pngtopam"
                                : out.format == 0 ? "pcxtoppm"
                                                  : "bmptopnm";
        EXPECT_EQ(
            "", imagetest::RgbDifference(expected, imagetest::NetpbmRgb(converter, paths[i]), 100))
            << out.name << " in " << converter;
        if (out.format == 3) {
            std::string report;
            EXPECT_EQ(0, imagetest::Run("pngcheck -v '" + paths[i].string() + "' 2>&1", &report))
                << report;
        }
    }
#endif
}

TEST_F(ImageDriver, EachPageIsAFileOfItsOwnAndABlankHardcopyIsAnImage) {
    Open("pages.png", 3, 24);
    Draw();
    EndPage();
    SetColour(0x000000);
    Line(0, 0, 999, 0);
    EndPage();
    Line(0, 650, 999, 650);
    Close();
    quill::ImagePixels first = Decode("pages.png"), second = Decode("pages-2.png"),
                       third = Decode("pages-3.png");
    EXPECT_EQ(0x000000u, first.Rgb(25, 69 - 25));
    EXPECT_EQ(0xFFFFFFu, second.Rgb(25, 69 - 25)) << "each page starts clear";
    EXPECT_EQ(0x000000u, second.Rgb(50, 69));
    EXPECT_EQ(0xFFFFFFu, third.Rgb(50, 69));
    EXPECT_EQ(0x000000u, third.Rgb(50, 69 - 65));
    EXPECT_FALSE(std::filesystem::exists(Name("pages-4.png")));

    Open("blank.bmp", 2, 8, 33, 5);
    Close();
    std::vector<unsigned char> data = imagetest::ReadBytes(Name("blank.bmp"));
    ASSERT_GE(data.size(), 54u);
    EXPECT_EQ(data.size(),
              static_cast<std::size_t>(data[2] | data[3] << 8 | data[4] << 16 | data[5] << 24));
    Open("blank.png", 3, 1, 9, 3);
    Close();
    quill::ImagePixels blank = Decode("blank.png");
    EXPECT_EQ(9, blank.width);
    EXPECT_EQ(0xFFFFFFu, blank.Rgb(8, 2));
    // The image file extension follows the format option while the device is selected.
    Select(kDeviceImageFile);
    Option(26, 3);
    EXPECT_EQ("quilplot.png", std::string(gHardcopy.defaultName, 12));
}

// A page wider than a PCX holds (32,768 pixels; at 8 and 24 bits 32,766, as a plane row may
// have at most 32,767 bytes) is drawn smaller, keeping its shape, with error 34, and every
// page is written; a page at the limit keeps its size. A wide page sized for PNG and then
// written as PCX (the format is read at each page) is sampled down. netpbm, which reads the
// header's words as signed, reads every file as the library does.
TEST_F(ImageDriver, PagesWiderThanAPcxHoldsAreMadeSmaller) {
    const struct {
        int bits, width;
        bool smaller;
    } cases[] = {{8, 70000, true},  {1, 70000, true},  {8, 65536, true}, {8, 32767, true},
                 {8, 32766, false}, {1, 32768, false}, {1, 32769, true}, {24, 40000, true}};
    int item = 1;
    // The page of FILE, checked by shape and drawing, and as netpbm reads it.
    auto check = [&](const std::string &file, int width, bool smaller) {
        quill::ImagePixels page = Decode(file);
        if (smaller) {
            EXPECT_LE(page.width, 32768) << file;
            EXPECT_GT(page.width, 29000) << file;
            EXPECT_NEAR(40.0 * page.width / width, page.height, 1.0) << "the shape kept: " << file;
        } else {
            EXPECT_EQ(width, page.width) << file;
            EXPECT_EQ(40, page.height) << file;
        }
        // The black square over device x 100..399, y 100..399 of 1000 x 700.
        EXPECT_EQ(0x000000u, page.Rgb(page.width / 4, page.height - 1 - page.height * 35 / 100))
            << file;
        EXPECT_EQ(0xFFFFFFu, page.Rgb(page.width / 20, page.height / 2)) << file;
#ifndef _WIN32
        EXPECT_EQ(
            "", imagetest::RgbDifference(imagetest::RgbBytes(page),
                                         imagetest::NetpbmRgb("pcxtoppm", Name(file)), page.width))
            << file;
#endif
    };
    for (const auto &c : cases) {
        const std::string name = "wide-" + std::to_string(c.bits) + "-" + std::to_string(c.width);
        Open(name + ".pcx", 0, c.bits, c.width, 40);
        ASSERT_EQ(1, gHardcopy.open) << name;
        Draw();
        EndPage();
        Draw();
        Close();
        EXPECT_EQ(c.smaller ? 34 : 0, infoerror_(&item)) << name;
        check(name + ".pcx", c.width, c.smaller);
        const quill::ImagePixels first = Decode(name + ".pcx"), second = Decode(name + "-2.pcx");
        EXPECT_EQ(first.width, second.width) << name << " page 2";
        EXPECT_TRUE(first.rows == second.rows) << name << " page 2";
    }
    Open("changed.img", 3, 8, 70000, 40);
    EXPECT_EQ(0, infoerror_(&item)) << "a PNG holds the page";
    Option(26, 0);
    Draw();
    Close();
    EXPECT_EQ(34, infoerror_(&item));
    const std::vector<unsigned char> bytes = imagetest::ReadBytes(Name("changed.img"));
    EXPECT_EQ(2, quill::DetectFileType(bytes.data(), bytes.size())) << "a PCX";
    check("changed.img", 70000, true);
}

TEST_F(ImageDriver, VectorFilesCarryImageFilesOverTheClipRectangle) {
    // Red, green / blue, black.
    quill::ImagePixels image;
    ASSERT_TRUE(image.Allocate(2, 2, 24));
    const unsigned char bgr[12] = {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0};
    std::memcpy(image.Row(0), bgr, 6);
    std::memcpy(image.Row(1), bgr + 6, 6);
    std::vector<unsigned char> png;
    int z = 0;
    ASSERT_EQ(0, quill::EncodePng(image, png, &z));
    const std::string file = Name("four.png"), missing = Name("missing.png");
    ASSERT_EQ(0, quill::WriteImageFile(file, png, &z));
    auto drawImage = [&](const std::string &name) {
        ClipForImages();
        return DrawImage(name);
    };
    for (int device : {2, 9}) {
        const std::string out = device == 2 ? "image.ps" : "image.cgm";
        PlotTest::Open(device, out);
        EXPECT_EQ(1, drawImage(missing)) << "a file that cannot be read is returned, not drawn";
        const std::size_t before = ReadWholeFile(Name(out)).size();
        EXPECT_EQ(0, drawImage(file));
        Close();
        EXPECT_GT(ReadWholeFile(Name(out)).size(), before);
    }
    std::vector<unsigned char> cgm = imagetest::ReadBytes(Name("image.cgm"));
    CgmWalk walk = WalkCgm(cgm);
    EXPECT_EQ("", CheckCgmStructure(walk));
    ASSERT_EQ(1u, walk.Count(4, 9));
    const CgmElement &cells = *walk.All(4, 9)[0];
    ASSERT_EQ(12u + 8u + 12u, cells.params.size());
    EXPECT_EQ(2, cells.Word(12));
    EXPECT_EQ(2, cells.Word(14));
    EXPECT_EQ(8, cells.Word(16));
    EXPECT_EQ(std::vector<unsigned char>({255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0}),
              std::vector<unsigned char>(cells.params.begin() + 20, cells.params.end()));
    const std::string ps = ReadWholeFile(Name("image.ps"));
    EXPECT_NE(std::string::npos,
              ps.find("2 2 8 [2 0 0 -2 0 2]\r\n{currentfile picstr readhexstring pop}"));
    EXPECT_NE(std::string::npos, ps.find("colorimage\r\nff000000ff000000ff000000\r\ngrestore"));
#ifndef _WIN32
    const std::string ppm = Name("image.ppm");
    ReaderRun run =
        RunReader("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r72 -sOutputFile='" + ppm +
                  "' '" + Name("image.ps") + "'");
    EXPECT_EQ(0, run.status) << run.output;
    Picture shown = ReadPpm(ppm);
    int counts[4] = {0, 0, 0, 0};
    for (std::size_t i = 0; i + 2 < shown.rgb.size(); i += 3) {
        const int r = shown.rgb[i], g = shown.rgb[i + 1], b = shown.rgb[i + 2];
        counts[0] += r > 200 && g < 50 && b < 50;
        counts[1] += r < 50 && g > 200 && b < 50;
        counts[2] += r < 50 && g < 50 && b > 200;
        counts[3] += r < 50 && g < 50 && b < 50;
    }
    for (int k = 0; k < 4; ++k) EXPECT_GT(counts[k], 1000) << "colour " << k;
#endif
}

// A picture of more pixels than any image path takes (here 715,827,883 x 1 at one bit, a PNG
// of 87 KB that every header check passes) is refused with 27 by the drivers that read the
// pixels themselves: nothing is written or drawn, and the hardcopy goes on.
TEST_F(ImageDriver, PicturesOfTooManyPixelsAreRefusedByEveryDriver) {
    const std::string huge = Name("huge.png");
    {
        quill::ImagePixels image;
        ASSERT_TRUE(image.Allocate(715827883, 1, 1));
        image.palette = {0xFFFFFF, 0x000000};
        std::vector<unsigned char> png;
        int z = 0;
        ASSERT_EQ(0, quill::EncodePng(image, png, &z));
        ASSERT_LT(png.size(), 100000u);
        ASSERT_EQ(0, quill::WriteImageFile(huge, png, &z));
    }
    for (int device : {2, 9}) {
        const std::string out = device == 2 ? "huge.ps" : "huge.cgm";
        PlotTest::Open(device, out);
        Line(0, 0, 100, 100);
        ClipForImages();
        const std::size_t before = ReadWholeFile(Name(out)).size();
        EXPECT_EQ(27, DrawImage(huge)) << device;
        EXPECT_EQ(before, ReadWholeFile(Name(out)).size()) << device;
        Line(100, 100, 200, 0);
        Close();
    }
    EXPECT_EQ(std::string::npos, ReadWholeFile(Name("huge.ps")).find("colorimage"));
    CgmWalk walk = WalkCgm(imagetest::ReadBytes(Name("huge.cgm")));
    EXPECT_EQ("", CheckCgmStructure(walk));
    EXPECT_EQ(0u, walk.Count(4, 9));
    EXPECT_EQ(2u, walk.Count(4, 1));
    Open("huge-raster.png", 3, 24, 50, 35);
    ClipForImages();
    EXPECT_EQ(27, DrawImage(huge));
    EXPECT_EQ(0, gRaster.dirty) << "nothing drawn";
    Close();
    int item = 1;
    EXPECT_EQ(0, infoerror_(&item)) << "op 38 returns its failure without reporting it";
}

// A picture wider than a cell array's 16-bit column count (40,000 pixels) is sampled down to
// 32,767 columns over the same rectangle: the counts and the cells agree with each other.
TEST_F(ImageDriver, CellArraysHoldAtMost32767Columns) {
    const std::string wide = Name("wide.png");
    {
        // Left half black, right half white, two rows.
        quill::ImagePixels image;
        ASSERT_TRUE(image.Allocate(40000, 2, 1));
        image.palette = {0xFFFFFF, 0x000000};
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 20000; ++x) image.SetIndex(x, y, 1);
        std::vector<unsigned char> png;
        int z = 0;
        ASSERT_EQ(0, quill::EncodePng(image, png, &z));
        ASSERT_EQ(0, quill::WriteImageFile(wide, png, &z));
    }
    PlotTest::Open(9, "wide.cgm");
    ClipForImages();
    EXPECT_EQ(0, DrawImage(wide));
    Close();
    CgmWalk walk = WalkCgm(imagetest::ReadBytes(Name("wide.cgm")));
    EXPECT_EQ("", CheckCgmStructure(walk));
    ASSERT_EQ(1u, walk.Count(4, 9));
    const CgmElement &cells = *walk.All(4, 9)[0];
    const int columns = cells.Word(12), rows = cells.Word(14);
    EXPECT_EQ(32767, columns);
    EXPECT_EQ(2, rows);
    EXPECT_EQ(8, cells.Word(16));
    // Packed 3-byte cells, every row padded to an even length.
    const std::size_t row_bytes = 3 * 32767 + 1;
    ASSERT_EQ(20u + 2 * row_bytes, cells.params.size());
    int black = 0;
    for (std::size_t k = 0; k < 32767; ++k) {
        const unsigned char *c = cells.params.data() + 20 + row_bytes + 3 * k;
        ASSERT_TRUE((c[0] == 0 && c[1] == 0 && c[2] == 0) ||
                    (c[0] == 255 && c[1] == 255 && c[2] == 255))
            << k;
        black += c[0] == 0;
        if (k < 16383) {
            ASSERT_EQ(0, c[0]) << k;
        }
        if (k > 16384) {
            ASSERT_EQ(255, c[0]) << k;
        }
    }
    EXPECT_NEAR(32767 / 2, black, 1);
}

}  // namespace
