// The image file driver: one drawing in every format and depth decodes to the same colours
// in the library's decoders and in independent readers (pngcheck, PIL, netpbm); pages go to
// files of their own; a hardcopy with nothing drawn still leaves an image.
#include "plot_readers.h"

#include "graphics/palette.h"
#include "hardcopy/drivers.h"
#include "hardcopy/image_codec.h"
#include "hardcopy/image_read.h"
#include "hardcopy/memory_raster.h"
#include "image_test_tools.h"
#include "quillamorph/imagefiles.h"

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
        const int code = yyraster16code(index);
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
            Output out{"d" + std::to_string(format) + "-" + std::to_string(bits) + extension[format], format, bits};
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
        if (out.format == 2 && out.bits != 1 && out.bits != 24) continue;  // run-length: checked by the readers
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
        const char *converter = out.format == 3 ? "pngtopam" : out.format == 0 ? "pcxtoppm" : "bmptopnm";
        EXPECT_EQ("", imagetest::RgbDifference(expected, imagetest::NetpbmRgb(converter, paths[i]), 100))
            << out.name << " in " << converter;
        if (out.format == 3) {
            std::string report;
            EXPECT_EQ(0, imagetest::Run("pngcheck -v '" + paths[i].string() + "' 2>&1", &report)) << report;
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
    quill::ImagePixels first = Decode("pages.png"), second = Decode("pages-2.png"), third = Decode("pages-3.png");
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
    EXPECT_EQ(data.size(), static_cast<std::size_t>(data[2] | data[3] << 8 | data[4] << 16 | data[5] << 24));
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

}  // namespace
