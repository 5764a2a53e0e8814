// Image writers: every format and depth decodes to the drawing's colours, in the library's
// own decoders and in independent readers (pngcheck, PIL, netpbm); the exact layouts that
// readers depend on (PCX runs and palette, PNG rows, BMP sizes, run-length rows).
#include "base/compression.h"
#include "hardcopy/image_codec.h"
#include "hardcopy/image_read.h"
#include "image_test_tools.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

namespace {

using imagetest::Drawing;
using imagetest::RgbBytes;
using quill::ImagePixels;

struct Written {
    std::string name;
    int bits;
    std::vector<unsigned char> bytes;
};

// Every writer at every depth it takes, for one drawing of W x H.
std::vector<Written> WriteAll(int w, int h) {
    std::vector<Written> out;
    for (int bits : {1, 4, 8, 24}) {
        ImagePixels image = Drawing(bits, w, h);
        std::string suffix =
            std::to_string(bits) + "-" + std::to_string(w) + "x" + std::to_string(h);
        Written png{"d" + suffix + ".png", bits, {}}, bmp{"d" + suffix + ".bmp", bits, {}},
            pcx{"d" + suffix + ".pcx", bits, {}}, bytes{"b" + suffix + ".pcx", bits, {}};
        int z = 0;
        EXPECT_EQ(0, quill::EncodePng(image, png.bytes, &z));
        EXPECT_EQ(0, quill::EncodeBmp(image, false, bmp.bytes));
        EXPECT_EQ(0, quill::EncodePcx(image, quill::PcxLayout::Planar, pcx.bytes));
        EXPECT_EQ(0, quill::EncodePcx(image, quill::PcxLayout::BytePlanes, bytes.bytes));
        out.insert(out.end(), {png, bmp, pcx, bytes});
        if (bits == 4 || bits == 8) {
            Written rle{"r" + suffix + ".bmp", bits, {}};
            EXPECT_EQ(0, quill::EncodeBmp(image, true, rle.bytes));
            out.push_back(rle);
        }
    }
    return out;
}

TEST(ImageWriters, EveryFormatAndDepthDecodesToTheDrawing) {
    for (auto size : {std::pair<int, int>{61, 37}, {1, 1}, {9, 3}, {300, 2}}) {
        for (const Written &file : WriteAll(size.first, size.second)) {
            ImagePixels back;
            int z = 0;
            if (file.name[0] == 'r') {
                // The pixel decoder refuses run-length bits; the bitmap-block reader keeps them.
                EXPECT_EQ(27, quill::DecodeImage(file.bytes.data(), file.bytes.size(), back, &z));
                std::vector<unsigned char> dib;
                EXPECT_EQ(0, quill::ReadDibBlock(file.bytes.data(), file.bytes.size(), dib))
                    << file.name;
                continue;
            }
            ASSERT_EQ(0, quill::DecodeImage(file.bytes.data(), file.bytes.size(), back, &z))
                << file.name;
            EXPECT_EQ(
                "", imagetest::RgbDifference(RgbBytes(Drawing(file.bits, size.first, size.second)),
                                             RgbBytes(back), size.first))
                << file.name;
        }
    }
}

#ifndef _WIN32
TEST(ImageWriters, IndependentReadersSeeTheDrawing) {
    ScratchFolder folder("image-writers");
    std::vector<Written> files = WriteAll(61, 37);
    for (const Written &w : WriteAll(8, 5)) files.push_back(w);
    std::vector<std::filesystem::path> paths;
    for (const Written &file : files) {
        paths.push_back(folder.path / file.name);
        imagetest::WriteBytes(paths.back(), file.bytes);
    }
    std::vector<std::string> pil = imagetest::PilRgb(paths);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const Written &file = files[i];
        int w = file.name.find("61x37") != std::string::npos ? 61 : 8, h = w == 61 ? 37 : 5;
        std::string expected = RgbBytes(Drawing(file.bits, w, h));
        std::string ext = paths[i].extension().string();
        // PIL takes the four 1-bit planes of a PCX row as unpadded, so it misreads rows whose
        // planes carry the padding byte that keeps them even (width 8 here); netpbm reads them.
        bool padded_planes =
            ext == ".pcx" && file.name[0] == 'd' && file.bits == 4 && ((w + 7) / 8) % 2;
        if (!padded_planes)
            EXPECT_EQ("", imagetest::RgbDifference(expected, pil[i], w))
                << "PIL reads " << file.name;
        std::string converter = ext == ".png"   ? "pngtopam"
                                : ext == ".bmp" ? "bmptopnm"
                                                : "pcxtoppm";
        EXPECT_EQ("",
                  imagetest::RgbDifference(expected, imagetest::NetpbmRgb(converter, paths[i]), w))
            << converter << " reads " << file.name;
        if (ext == ".png") {
            std::string report;
            EXPECT_EQ(0, imagetest::Run("pngcheck -v '" + paths[i].string() + "' 2>&1", &report))
                << report;
        }
    }
}
#endif

TEST(ImageWriters, PngRowsPaletteAndChunks) {
    // A 1-bit picture of width 9: two data bytes a row and a two-entry palette, white first.
    ImagePixels mono = Drawing(1, 9, 4);
    std::vector<unsigned char> png;
    int z = 0;
    ASSERT_EQ(0, quill::EncodePng(mono, png, &z));
    ASSERT_GT(png.size(), 33u + 18u);
    EXPECT_EQ(1, png[24]) << "bit depth";
    EXPECT_EQ(3, png[25]) << "palette colour type";
    EXPECT_EQ(6, yypngc2i(png.data() + 33)) << "PLTE of 2 entries";
    EXPECT_TRUE(yypngcmp(png.data() + 37, "PLTE"));
    EXPECT_EQ(std::vector<unsigned char>({255, 255, 255, 0, 0, 0}),
              std::vector<unsigned char>(png.begin() + 41, png.begin() + 47));
    // The IDAT inflates to a filter byte and 2 bytes per row; a 4-bit row of width 5 to 1 + 3.
    for (auto c : {std::pair<int, int>{1, 9}, {4, 5}, {8, 5}, {24, 5}}) {
        png.clear();
        ASSERT_EQ(0, quill::EncodePng(Drawing(c.first, c.second, 4), png, &z));
        std::size_t pos = 33;
        while (!yypngcmp(png.data() + pos + 4, "IDAT"))
            pos += 12 + static_cast<std::size_t>(yypngc2i(png.data() + pos));
        std::vector<unsigned char> raw(1000);
        int n = yypngc2i(png.data() + pos), out = 1000, s = 0;
        yyzuncom_(png.data() + pos + 8, raw.data(), &n, &out, &s);
        int row = c.first == 24 ? 3 * c.second : (c.second * c.first + 7) / 8;
        EXPECT_EQ(4 * (1 + row), out) << c.first << " bits";
        std::uint32_t crc = 0;
        int len = n + 4, count = n + 4;
        yypngcrc_(&len, &crc, png.data() + pos + 4, &count);
        EXPECT_EQ(static_cast<std::uint32_t>(yypngc2i(png.data() + pos + 8 + n)), crc);
    }
    // The standard CRC-32 check value: the CRC of "123456789".
    EXPECT_EQ(0xCBF43926u, yypngcrc2(reinterpret_cast<const unsigned char *>("123456789"), 9));
    int words[2] = {0x01020304, -1}, two = 2;
    unsigned char be[8];
    yypngwrd_(words, be, &two);
    EXPECT_EQ(std::vector<unsigned char>({1, 2, 3, 4, 255, 255, 255, 255}),
              std::vector<unsigned char>(be, be + 8));
}

TEST(ImageWriters, PcxHeaderRunsAndPalette) {
    std::vector<unsigned char> pcx;
    ImagePixels big = Drawing(8, 640, 480);
    ASSERT_EQ(0, quill::EncodePcx(big, quill::PcxLayout::Planar, pcx));
    EXPECT_EQ(5, pcx[1]) << "version";
    EXPECT_EQ(640, pcx[66] | (pcx[67] << 8)) << "bytes per line";
    ASSERT_GT(pcx.size(), 128u + 769u);
    EXPECT_EQ(12, pcx[pcx.size() - 769]);
    EXPECT_EQ(quill::RedOf(big.palette[255]), pcx[pcx.size() - 3]);

    // A row of 64 bytes of 5 is one full run and a single byte; 200 alone takes a count.
    ImagePixels row;
    row.Allocate(64, 1, 8);
    std::fill(row.rows.begin(), row.rows.end(), 5);
    pcx.clear();
    quill::EncodePcx(row, quill::PcxLayout::Planar, pcx);
    EXPECT_EQ(std::vector<unsigned char>({255, 5, 5}),
              std::vector<unsigned char>(pcx.begin() + 128, pcx.begin() + 131));
    std::vector<unsigned char> run;
    quill::yyencput(200, 1, run);
    quill::yyencput(7, 1, run);
    EXPECT_EQ(std::vector<unsigned char>({193, 200, 7}), run);

    // 1 bit: black pixels are clear bits under a black-and-white header palette, version 5.
    ImagePixels mono;
    mono.Allocate(16, 1, 1);
    mono.palette = {0xFFFFFF, 0};
    mono.SetIndex(0, 0, 1);
    pcx.clear();
    quill::EncodePcx(mono, quill::PcxLayout::Planar, pcx);
    EXPECT_EQ(5, pcx[1]);
    EXPECT_EQ(std::vector<unsigned char>({0, 0, 0, 255, 255, 255}),
              std::vector<unsigned char>(pcx.begin() + 16, pcx.begin() + 22));
    EXPECT_EQ(std::vector<unsigned char>({0x7F, 0xC1, 0xFF}),
              std::vector<unsigned char>(pcx.begin() + 128, pcx.begin() + 131));
}

TEST(ImageWriters, BmpSizesForEveryWidth) {
    for (int bits : {1, 4, 8, 24})
        for (int w = 1; w <= 33; ++w) {
            std::vector<unsigned char> bmp;
            ASSERT_EQ(0, quill::EncodeBmp(Drawing(bits, w, 3), false, bmp));
            int four = 4, size = 0, offset = 0, image = 0, width = 0, height = 0;
            yych2int_(bmp.data() + 2, &four, &size);
            yych2int_(bmp.data() + 10, &four, &offset);
            yych2int_(bmp.data() + 34, &four, &image);
            yych2int_(bmp.data() + 18, &four, &width);
            yych2int_(bmp.data() + 22, &four, &height);
            int stride = (w * bits + 31) / 32 * 4;
            EXPECT_EQ(static_cast<int>(bmp.size()), size) << bits << " bits, width " << w;
            EXPECT_EQ(stride * 3, image) << bits << " bits, width " << w;
            EXPECT_EQ(54 + (bits == 24 ? 0 : 4 << bits), offset);
            EXPECT_EQ(w, width);
            EXPECT_EQ(3, height);
        }
}

// Walks run-length rows, counting the pixels each row covers; false on a malformed code or
// when the bitmap does not end with 0, 1 straight after the last row's 0, 0.
bool WalkRle(const std::vector<unsigned char> &bmp, int bits, std::vector<int> &row_pixels,
             std::vector<int> &runs) {
    std::size_t pos = 54 + (4u << bits);
    int pixels = 0;
    bool row_ended = false;
    while (pos + 1 < bmp.size()) {
        int a = bmp[pos], b = bmp[pos + 1];
        pos += 2;
        if (a == 0 && b == 1) return row_ended && pixels == 0 && pos == bmp.size();
        row_ended = a == 0 && b == 0;
        if (a > 0) {
            pixels += a;
            runs.push_back(a);
        } else if (b == 0) {
            row_pixels.push_back(pixels);
            pixels = 0;
        } else if (b == 2) {
            return false;
        } else {
            std::size_t bytes = bits == 8 ? b : (b + 1) / 2;
            pos += bytes + (bytes & 1);
            pixels += b;
        }
    }
    return false;
}

// The run-length bits of a one-row picture of BITS with the palette indexes PIXELS.
std::vector<unsigned char> RleBits(int bits, const std::vector<int> &pixels) {
    ImagePixels image;
    image.Allocate(static_cast<int>(pixels.size()), 1, bits);
    image.palette = imagetest::Palette(bits);
    for (std::size_t x = 0; x < pixels.size(); ++x)
        image.SetIndex(static_cast<int>(x), 0, pixels[x]);
    std::vector<unsigned char> bmp;
    EXPECT_EQ(0, quill::EncodeBmp(image, true, bmp));
    return std::vector<unsigned char>(bmp.begin() + 54 + (4 << bits), bmp.end());
}

// Run-length rows go in groups of 4 bytes: a uniform group is a run, or adds to the run before
// it; any other group is written whole in absolute mode. Pixels past the last whole group
// are runs of exactly those pixels, so that every row covers its width and no more.
TEST(ImageWriters, RunLengthRowsGoInGroupsOfFourBytes) {
    // 8 bits: 7 7 7 7 | 7 7 7 1.
    EXPECT_EQ(std::vector<unsigned char>({4, 7, 0, 4, 7, 7, 7, 1, 0, 0, 0, 1}),
              RleBits(8, {7, 7, 7, 7, 7, 7, 7, 1}));
    // Two uniform groups of one byte make one run; a different byte starts another.
    EXPECT_EQ(std::vector<unsigned char>({8, 5, 4, 6, 0, 0, 0, 1}),
              RleBits(8, {5, 5, 5, 5, 5, 5, 5, 5, 6, 6, 6, 6}));
    // 4 bits: eight pixels of 3 are four bytes 0x33; 1..8 four bytes written as they stand.
    EXPECT_EQ(std::vector<unsigned char>({8, 0x33, 0, 8, 0x12, 0x34, 0x56, 0x78, 0, 0, 0, 1}),
              RleBits(4, {3, 3, 3, 3, 3, 3, 3, 3, 1, 2, 3, 4, 5, 6, 7, 8}));
    // Widths that leave part of a group: 8 bits 1 2 3 4 | 5 5 6; 4 bits 12 12 | 3.
    EXPECT_EQ(std::vector<unsigned char>({0, 4, 1, 2, 3, 4, 2, 5, 1, 6, 0, 0, 0, 1}),
              RleBits(8, {1, 2, 3, 4, 5, 5, 6}));
    EXPECT_EQ(std::vector<unsigned char>({4, 0x12, 1, 0x30, 0, 0, 0, 1}),
              RleBits(4, {1, 2, 1, 2, 3}));

    for (int bits : {4, 8})
        for (int w : {1, 2, 3, 5, 7, 8, 33, 640}) {
            std::vector<unsigned char> bmp;
            ASSERT_EQ(0, quill::EncodeBmp(Drawing(bits, w, 6), true, bmp));
            std::vector<int> rows, runs;
            ASSERT_TRUE(WalkRle(bmp, bits, rows, runs)) << bits << " bits, width " << w;
            EXPECT_EQ(std::vector<int>(6, w), rows);
        }
    // A uniform row of 640 pixels: runs of 252 (8 bits) or 248 (4 bits) before a new one.
    for (int bits : {4, 8}) {
        ImagePixels flat;
        flat.Allocate(640, 1, bits);
        flat.palette = imagetest::Palette(bits);
        std::fill(flat.rows.begin(), flat.rows.end(), 9);
        std::vector<unsigned char> bmp;
        quill::EncodeBmp(flat, true, bmp);
        std::vector<int> rows, runs;
        ASSERT_TRUE(WalkRle(bmp, bits, rows, runs));
        EXPECT_EQ(bits == 8 ? std::vector<int>({252, 252, 136}) : std::vector<int>({248, 248, 144}),
                  runs);
    }
}

}  // namespace
