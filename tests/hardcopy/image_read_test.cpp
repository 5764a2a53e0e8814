// Image reading: files from other programs (PIL, netpbm, ImageMagick) read as PIL reads them,
// the variants refused with their errors, and malformed files (cut, flipped, hand-made headers)
// answered with an error and never a write outside the caller's array.
#include "base/compression.h"
#include "base/errors.h"
#include "hardcopy/image_codec.h"
#include "hardcopy/image_read.h"
#include "image_test_tools.h"
#include "quillamorph/imagefiles.h"
#include "scratch_folder.h"
#include "error_status.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using imagetest::Drawing;
using quill::ImagePixels;

class ImageRead : public ::testing::Test {
protected:
    void SetUp() override {
        for (int item = 1; item <= 3; ++item) ErrorInfo(item);
    }
    ScratchFolder folder{"image-read"};

    std::string Path(const std::string &name) { return (folder.path / name).string(); }

    // igrloadimagedata_ on FILE with an array sized by igrfileinfo_ and canary words behind it;
    // returns the error number and the pixels as R, G, B bytes.
    int Load(const std::string &file, std::string *rgb = nullptr) {
        int info[6], six = 6;
        igrfileinfo_(file.c_str(), info, &six, static_cast<int>(file.size()));
        std::size_t n = info[1] > 0 && info[2] > 0
                            ? static_cast<std::size_t>(info[1]) * static_cast<std::size_t>(info[2])
                            : 0;
        if (n > (std::size_t(1) << 24)) n = 0;
        const int canary = 0x5A5A5A5A;
        std::vector<int> data(n + 8, canary);
        ErrorInfo(1);
        igrloadimagedata_(file.c_str(), data.data(), static_cast<int>(file.size()));
        int error = ErrorInfo(1);
        for (std::size_t i = n; i < n + 8; ++i)
            EXPECT_EQ(canary, data[i]) << file << ": write past the array";
        if (rgb) {
            rgb->clear();
            for (std::size_t i = 0; i < n; ++i) {
                *rgb += static_cast<char>(data[i] & 255);
                *rgb += static_cast<char>((data[i] >> 8) & 255);
                *rgb += static_cast<char>((data[i] >> 16) & 255);
            }
        }
        return error;
    }
};

#ifndef _WIN32
// Samples made by other programs: name and the command that makes it from base.ppm (a 45 x 23
// drawing) or base.png. Expected: 0 (read as PIL reads it) or the error the reader answers.
struct Sample {
    const char *name;
    const char *command;
    int error;
};

const Sample kSamples[] = {
    {"p1.png", "convert base.png -colors 2 -type Palette PNG8:p1.png", 0},
    {"pal8.png", "convert base.png -colors 200 PNG8:pal8.png", 0},
    {"pil_p1.png", "P1", 0},
    {"pil_p2.png", "P2", 0},
    {"pil_p4.png", "P4", 0},
    {"pil_rgb.png", "RGB", 0},
    {"pil_rgba.png", "RGBA", 0},
    {"rgb16.png", "pamdepth 65535 base.ppm | pnmtopng > rgb16.png", 0},
    {"rgba16.png",
     "convert base.png -alpha set -channel A -evaluate set 60% -depth 16 PNG64:rgba16.png", 0},
    {"interlaced.png", "pnmtopng -interlace base.ppm > interlaced.png", 27},
    {"grey.png", "ppmtopgm base.ppm | pnmtopng > grey.png", 27},
    {"b1.bmp", "ppmtopgm base.ppm | pgmtopbm | ppmtobmp -bpp=1 > b1.bmp", 0},
    {"b4.bmp", "pnmquant 16 base.ppm 2>/dev/null | ppmtobmp -bpp=4 > b4.bmp", 0},
    {"b8.bmp", "pnmquant 200 base.ppm 2>/dev/null | ppmtobmp -bpp=8 > b8.bmp", 0},
    {"b24.bmp", "ppmtobmp base.ppm > b24.bmp", 0},
    {"pil_b32.bmp", "RGBA.bmp", 0},
    {"b565.bmp", "convert base.png -define bmp:subtype=RGB565 b565.bmp", 0},
    {"b555.bmp", "convert base.png -define bmp:subtype=RGB555 b555.bmp", 0},
    {"topdown.bmp", "TOPDOWN", 0},
    {"rle8.bmp", "convert base.png -colors 50 -type Palette -compress RLE BMP3:rle8.bmp", 27},
    {"c1.pcx", "ppmtopgm base.ppm | pgmtopbm | ppmtopcx > c1.pcx 2>/dev/null", 0},
    {"c4.pcx", "pnmquant 16 base.ppm 2>/dev/null | ppmtopcx -planes=4 > c4.pcx 2>/dev/null", 0},
    {"c8.pcx", "pnmquant 200 base.ppm 2>/dev/null | ppmtopcx -8bit > c8.pcx 2>/dev/null", 0},
    {"c24.pcx", "ppmtopcx -24bit base.ppm > c24.pcx 2>/dev/null", 0},
    {"pil_c8.pcx", "P.pcx", 0},
    {"pil_c24.pcx", "RGB.pcx", 0},
};

// Python that writes the PIL samples: "P<bits>" palette PNGs, RGB/RGBA PNG, and the rest.
const char *kPilMaker =
    "import sys\nfrom PIL import Image\n"
    "base = Image.open('base.png').convert('RGB')\n"
    "p = base.quantize(16)\n"
    "p.save('pil_p4.png', bits=4)\n"
    "base.quantize(4).save('pil_p2.png', bits=2)\n"
    "base.convert('1').convert('P').save('pil_p1.png', bits=1)\n"
    "base.save('pil_rgb.png', optimize=True)\n"
    "a = base.convert('RGBA'); a.putalpha(128); a.save('pil_rgba.png')\n"
    "a.save('pil_b32.bmp')\n"
    "base.quantize(200).save('pil_c8.pcx')\n"
    "base.save('pil_c24.pcx')\n";

TEST_F(ImageRead, SamplesOfOtherProgramsReadAsPilReadsThem) {
    std::string cd = "cd '" + folder.path.string() + "' && ";
    // The drawing: a 24-bit PNG written by the library, and the same as a PPM.
    std::vector<unsigned char> png;
    int z = 0;
    ASSERT_EQ(0, quill::EncodePng(Drawing(24, 45, 23), png, &z));
    imagetest::WriteBytes(folder.path / "base.png", png);
    ASSERT_EQ(0, imagetest::Run(cd + "pngtopam base.png > base.ppm"));
    ASSERT_EQ(0,
              imagetest::Run(cd + "/usr/bin/python3 -c \"" + std::string(kPilMaker) + "\" 2>&1"));
    // A top-down BMP: the 24-bit BMP of the library with a negative height and its rows reversed.
    std::vector<unsigned char> bmp;
    ImagePixels flipped = Drawing(24, 45, 23);
    for (int y = 0; y < 11; ++y)
        std::swap_ranges(flipped.Row(y), flipped.Row(y) + flipped.Stride(), flipped.Row(22 - y));
    quill::EncodeBmp(flipped, false, bmp);
    bmp[22] = static_cast<unsigned char>(-23);
    bmp[23] = bmp[24] = bmp[25] = 0xFF;
    imagetest::WriteBytes(folder.path / "topdown.bmp", bmp);

    std::vector<std::filesystem::path> files;
    for (const Sample &s : kSamples) {
        if (std::strchr(s.command, ' ')) ASSERT_EQ(0, imagetest::Run(cd + s.command)) << s.command;
        ASSERT_TRUE(std::filesystem::exists(folder.path / s.name)) << s.name;
        files.push_back(folder.path / s.name);
    }
    std::vector<std::string> pil = imagetest::PilRgb(files);
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string rgb;
        int error = Load(files[i].string(), &rgb);
        EXPECT_EQ(kSamples[i].error, error) << kSamples[i].name;
        if (kSamples[i].error == 0 && error == 0) {
            EXPECT_FALSE(pil[i].empty()) << kSamples[i].name;
            // PIL widens 5- and 6-bit fields by 255/31 and 255/63, the reader by 8 and 4.
            int tolerance = std::strncmp(kSamples[i].name, "b5", 2) == 0 ? 7 : 0;
            EXPECT_EQ("", imagetest::RgbDifference(pil[i], rgb, 45, tolerance)) << kSamples[i].name;
        }
    }
}
#endif

TEST_F(ImageRead, OwnFilesReadBackAndVariantsAreRefused) {
    for (int bits : {1, 4, 8, 24}) {
        ImagePixels image = Drawing(bits, 17, 9);
        std::string expected = imagetest::RgbBytes(image);
        std::vector<unsigned char> png, bmp, pcx;
        int z = 0;
        quill::EncodePng(image, png, &z);
        quill::EncodeBmp(image, false, bmp);
        quill::EncodePcx(image, quill::PcxLayout::Planar, pcx);
        for (auto f : {std::make_pair(std::string("a.png"), png), {"a.bmp", bmp}, {"a.pcx", pcx}}) {
            imagetest::WriteBytes(Path(f.first), f.second);
            std::string rgb;
            EXPECT_EQ(0, Load(Path(f.first), &rgb)) << f.first << " " << bits;
            EXPECT_EQ("", imagetest::RgbDifference(expected, rgb, 17)) << f.first << " " << bits;
        }
    }
    // Missing file: error 1; another kind of file: 27; an RLE BMP: 27.
    EXPECT_EQ(1, Load(Path("missing.png")));
    imagetest::WriteBytes(Path("t.ps"), std::vector<unsigned char>({'%', '!', 'P', 'S', '\n'}));
    EXPECT_EQ(27, Load(Path("t.ps")));
    std::vector<unsigned char> rle;
    quill::EncodeBmp(Drawing(8, 17, 9), true, rle);
    imagetest::WriteBytes(Path("rle.bmp"), rle);
    EXPECT_EQ(27, Load(Path("rle.bmp")));
}

// Every status a decoder may answer for a malformed file.
bool Known(int status) { return status == 0 || status == 2 || status == 27 || status == 1044; }

int Decode(const std::vector<unsigned char> &data) {
    ImagePixels image;
    int z = 0;
    // A copy of exactly the file's size, so that the sanitizer sees any read past its end.
    std::vector<unsigned char> exact(data);
    return quill::DecodeImage(exact.data(), exact.size(), image, &z);
}

TEST_F(ImageRead, CutAndFlippedFilesGiveErrorsNotCrashes) {
    std::vector<std::vector<unsigned char>> valid;
    for (int bits : {1, 4, 8, 24}) {
        ImagePixels image = Drawing(bits, 23, 7);
        std::vector<unsigned char> png, bmp, pcx, rle;
        int z = 0;
        quill::EncodePng(image, png, &z);
        quill::EncodeBmp(image, false, bmp);
        quill::EncodePcx(image, quill::PcxLayout::Planar, pcx);
        valid.insert(valid.end(), {png, bmp, pcx});
    }
    int cut_errors = 0;
    for (const auto &file : valid) {
        for (std::size_t n = 0; n < file.size(); n += 1 + n / 16) {
            std::vector<unsigned char> cut(file.begin(), file.begin() + static_cast<long>(n));
            int status = Decode(cut);
            EXPECT_TRUE(Known(status)) << status;
            cut_errors += status != 0;
            std::vector<unsigned char> dib;
            quill::ReadDibBlock(cut.data(), cut.size(), dib);
        }
        for (std::size_t at = 0; at < file.size(); at += 1 + at / 40)
            for (unsigned char x : {0x01, 0x80, 0xFF}) {
                std::vector<unsigned char> flipped(file);
                flipped[at] = static_cast<unsigned char>(flipped[at] ^ x);
                EXPECT_TRUE(Known(Decode(flipped)));
                std::vector<unsigned char> dib;
                quill::ReadDibBlock(flipped.data(), flipped.size(), dib);
            }
    }
    EXPECT_GT(cut_errors, 100);
    // Through the public reader, with canaries behind the array: a cut PNG and a cut PCX.
    imagetest::WriteBytes(Path("cut.png"),
                          std::vector<unsigned char>(valid[0].begin(), valid[0].end() - 20));
    EXPECT_EQ(2, Load(Path("cut.png")));
    imagetest::WriteBytes(Path("cut.pcx"),
                          std::vector<unsigned char>(valid[2].begin(), valid[2].begin() + 140));
    EXPECT_EQ(2, Load(Path("cut.pcx")));
}

void Put32(std::vector<unsigned char> &d, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        d[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
}
void Put16(std::vector<unsigned char> &d, std::size_t at, unsigned v) {
    d[at] = static_cast<unsigned char>(v);
    d[at + 1] = static_cast<unsigned char>(v >> 8);
}

// A PNG of its chunks after the signature, CRCs made right.
std::vector<unsigned char> Png(
    const std::vector<std::pair<std::string, std::vector<unsigned char>>> &chunks) {
    std::vector<unsigned char> out = {137, 80, 78, 71, 13, 10, 26, 10};
    for (const auto &c : chunks) {
        unsigned char word[4];
        yypngword(static_cast<std::uint32_t>(c.second.size()), word);
        out.insert(out.end(), word, word + 4);
        std::size_t start = out.size();
        out.insert(out.end(), c.first.begin(), c.first.end());
        out.insert(out.end(), c.second.begin(), c.second.end());
        yypngword(yypngcrc2(out.data() + start, c.second.size() + 4), word);
        out.insert(out.end(), word, word + 4);
    }
    return out;
}

std::vector<unsigned char> Ihdr(std::uint32_t w, std::uint32_t h, int depth, int type,
                                int interlace = 0) {
    std::vector<unsigned char> d(13, 0);
    yypngword(w, d.data());
    yypngword(h, d.data() + 4);
    d[8] = static_cast<unsigned char>(depth);
    d[9] = static_cast<unsigned char>(type);
    d[12] = static_cast<unsigned char>(interlace);
    return d;
}

std::vector<unsigned char> Deflate(const std::vector<unsigned char> &raw) {
    std::vector<unsigned char> out(raw.size() + 64);
    int n = static_cast<int>(raw.size()), size = static_cast<int>(out.size()), s = 0;
    yyzcompr_(raw.data(), out.data(), &n, &size, &s);
    out.resize(static_cast<std::size_t>(size));
    return out;
}

TEST_F(ImageRead, HandMadeHeadersAreRefused) {
    // BMP: sizes 0, negative and 2^31, depths 0, 2 and 7, 4096 colours, offsets past the end.
    std::vector<unsigned char> good;
    quill::EncodeBmp(Drawing(8, 4, 4), false, good);
    auto bmp = [&](std::size_t at, std::uint32_t v, bool half = false) {
        std::vector<unsigned char> d(good);
        if (half)
            Put16(d, at, v);
        else
            Put32(d, at, v);
        return Decode(d);
    };
    EXPECT_EQ(0, Decode(good));
    EXPECT_EQ(27, bmp(18, 0));
    EXPECT_EQ(27, bmp(18, static_cast<std::uint32_t>(-4)));
    EXPECT_EQ(27, bmp(18, 0x80000000u));
    EXPECT_EQ(27, bmp(18, 0x7FFFFFFFu));
    EXPECT_EQ(27, bmp(22, 0));
    EXPECT_EQ(27, bmp(22, 0x80000000u));
    EXPECT_EQ(2, bmp(22, 1000));
    EXPECT_EQ(27, bmp(22, 0x7FFFFFF)) << "over the size cap";
    for (unsigned bits : {0u, 2u, 7u, 64u}) EXPECT_EQ(27, bmp(28, bits, true)) << bits;
    EXPECT_EQ(27, bmp(26, 2, true)) << "two planes";
    EXPECT_EQ(27, bmp(46, 4096));
    EXPECT_EQ(27, bmp(10, 1u << 30)) << "bits offset past the end";
    EXPECT_EQ(2, bmp(10, static_cast<std::uint32_t>(good.size() - 4)));
    EXPECT_EQ(27, bmp(14, 12)) << "core header";
    EXPECT_EQ(27, bmp(30, 7)) << "unknown compression";

    // PCX: manufacturer, encoding, window, planes and bits, bytes per line, the 8-bit palette.
    std::vector<unsigned char> pcx;
    quill::EncodePcx(Drawing(8, 6, 3), quill::PcxLayout::Planar, pcx);
    auto edit = [&](std::size_t at, unsigned v, bool word) {
        std::vector<unsigned char> d(pcx);
        if (word)
            Put16(d, at, v);
        else
            d[at] = static_cast<unsigned char>(v);
        return Decode(d);
    };
    EXPECT_EQ(0, Decode(pcx));
    EXPECT_EQ(27, edit(2, 0, false)) << "encoding 0";
    EXPECT_EQ(27, edit(6, 9, true)) << "ymax below ymin";
    EXPECT_EQ(27, edit(4, 9, true));
    EXPECT_EQ(27, edit(3, 2, false)) << "2 bits a plane";
    EXPECT_EQ(27, edit(65, 2, false)) << "two planes of 8 bits";
    EXPECT_EQ(27, edit(66, 1, true)) << "bytes per line 1";
    EXPECT_EQ(27, edit(pcx.size() - 769, 11, false)) << "palette marker";
    EXPECT_EQ(27, Decode(std::vector<unsigned char>(pcx.begin(), pcx.begin() + 200)))
        << "no room for a palette";
    // A run longer than the row stops at the row's end: a whole run of 63 for a 6-pixel row.
    std::vector<unsigned char> runs(pcx.begin(), pcx.begin() + 128);
    for (int row = 0; row < 3; ++row) runs.insert(runs.end(), {0xFF, 7});
    runs.insert(runs.end(), pcx.end() - 769, pcx.end());
    ImagePixels image;
    int z = 0;
    ASSERT_EQ(0, quill::DecodeImage(runs.data(), runs.size(), image, &z));
    EXPECT_EQ(7, image.Index(5, 2));

    // PNG: IHDR length, type and depth, filter byte 9, PLTE length, IDAT short, long, absent.
    std::vector<unsigned char> rows = {0, 1, 2, 0, 3, 4};  // 2 rows of 2 palette pixels
    std::vector<unsigned char> plte(15, 200);
    auto png = [&](std::vector<unsigned char> ihdr, std::vector<unsigned char> pal,
                   std::vector<unsigned char> raw) {
        std::vector<std::pair<std::string, std::vector<unsigned char>>> chunks = {{"IHDR", ihdr}};
        if (!pal.empty()) chunks.push_back({"PLTE", pal});
        chunks.push_back({"IDAT", Deflate(raw)});
        chunks.push_back({"IEND", {}});
        return Decode(Png(chunks));
    };
    EXPECT_EQ(0, png(Ihdr(2, 2, 8, 3), plte, rows));
    std::vector<unsigned char> long_ihdr = Ihdr(2, 2, 8, 3);
    long_ihdr.push_back(0);
    EXPECT_EQ(27, png(long_ihdr, plte, rows));
    EXPECT_EQ(27, png(Ihdr(2, 2, 3, 3), plte, rows)) << "depth 3";
    EXPECT_EQ(27, png(Ihdr(2, 2, 8, 5), plte, rows)) << "type 5";
    EXPECT_EQ(27, png(Ihdr(2, 2, 8, 0), {}, rows)) << "grey";
    EXPECT_EQ(27, png(Ihdr(2, 2, 8, 3, 1), plte, rows)) << "interlaced";
    EXPECT_EQ(27, png(Ihdr(0, 2, 8, 3), plte, rows));
    EXPECT_EQ(27, png(Ihdr(0x80000000u, 2, 8, 3), plte, rows));
    EXPECT_EQ(27, png(Ihdr(65536, 65536, 8, 2), plte, rows)) << "over the size cap";
    EXPECT_EQ(27, png(Ihdr(2, 2, 8, 3), std::vector<unsigned char>(14, 1), rows))
        << "PLTE not of triples";
    EXPECT_EQ(27, png(Ihdr(2, 2, 8, 3), std::vector<unsigned char>(771, 1), rows))
        << "PLTE over 256";
    EXPECT_EQ(27, png(Ihdr(2, 2, 8, 3), {}, rows)) << "no PLTE";
    EXPECT_EQ(27, png(Ihdr(2, 2, 8, 3), plte, {9, 1, 2, 0, 3, 4})) << "filter byte 9";
    EXPECT_EQ(1044, png(Ihdr(2, 2, 8, 3), plte, {0, 1, 2, 0, 3})) << "inflates short";
    EXPECT_EQ(1044, png(Ihdr(2, 2, 8, 3), plte, {0, 1, 2, 0, 3, 4, 5})) << "inflates long";
    std::vector<unsigned char> no_idat =
        Png({{"IHDR", Ihdr(2, 2, 8, 3)}, {"PLTE", plte}, {"IEND", {}}});
    EXPECT_EQ(1044, Decode(no_idat));
    std::vector<unsigned char> no_iend =
        Png({{"IHDR", Ihdr(2, 2, 8, 3)}, {"PLTE", plte}, {"IDAT", Deflate(rows)}});
    EXPECT_EQ(2, Decode(no_iend));

    // The public reader turns zlib's failure into 1044 with zlib's status as the system error.
    std::vector<unsigned char> junk =
        Png({{"IHDR", Ihdr(2, 2, 8, 3)}, {"PLTE", plte}, {"IDAT", {1, 2, 3}}, {"IEND", {}}});
    imagetest::WriteBytes(Path("junk.png"), junk);
    ErrorInfo(3);
    EXPECT_EQ(1044, Load(Path("junk.png")));
    EXPECT_NE(0, ErrorInfo(3));
}

// No format gives a picture of more than 8192 x 8192 pixels, whatever its depth: one more
// column is refused by the header (27); at the limit the header passes and the missing data
// is what fails.
TEST_F(ImageRead, PicturesOverThePixelLimitAreRefusedByTheirHeaders) {
    std::vector<unsigned char> bmp;
    quill::EncodeBmp(Drawing(1, 4, 4), false, bmp);
    auto sized = [](std::vector<unsigned char> d, std::size_t wat, std::size_t hat, unsigned w,
                    unsigned h, bool half) {
        if (half)
            Put16(d, wat, w), Put16(d, hat, h);
        else
            Put32(d, wat, w), Put32(d, hat, h);
        return d;
    };
    EXPECT_EQ(27, Decode(sized(bmp, 18, 22, 8193, 8192, false)));
    EXPECT_EQ(27, Decode(sized(bmp, 18, 22, 8192, static_cast<unsigned>(-8193), false)))
        << "top-down rows";
    EXPECT_EQ(2, Decode(sized(bmp, 18, 22, 8192, 8192, false)));

    std::vector<unsigned char> pcx;
    quill::EncodePcx(Drawing(1, 4, 4), quill::PcxLayout::Planar, pcx);
    Put16(pcx, 66, 1026);
    EXPECT_EQ(27, Decode(sized(pcx, 8, 10, 8192, 8191, true)));
    EXPECT_EQ(2, Decode(sized(pcx, 8, 10, 8191, 8191, true)));

    std::vector<unsigned char> plte = {0, 0, 0, 255, 255, 255};
    auto png = [&](std::uint32_t w, std::uint32_t h) {
        return Decode(Png(
            {{"IHDR", Ihdr(w, h, 1, 3)}, {"PLTE", plte}, {"IDAT", Deflate({0, 0})}, {"IEND", {}}}));
    };
    EXPECT_EQ(27, png(8193, 8192));
    EXPECT_EQ(27, png(715827883, 1));
    EXPECT_EQ(1044, png(8192, 8192));
}

}  // namespace
