// Bitmaps as the window system hands out a screen area, at every depth from 1 to 32 bits: the
// colour-table size, their pixels, and the BMP, PCX and PNG files made of them.
#include "hardcopy/image_codec.h"
#include "image_test_tools.h"

#include <gtest/gtest.h>

namespace {

using imagetest::Drawing;
using quill::ImagePixels;

// A bottom-up bitmap of DEPTH bits holding the 24-bit drawing's colours as the depth can.
std::vector<unsigned char> Dib(int depth, int w, int h, ImagePixels &expected) {
    ImagePixels source = Drawing(depth <= 8 ? depth : 24, w, h);
    expected = source;
    std::vector<unsigned char> dib;
    quill::PutLe32(dib, 40);
    quill::PutLe32(dib, static_cast<std::uint32_t>(w));
    quill::PutLe32(dib, static_cast<std::uint32_t>(h));
    quill::PutLe16(dib, 1);
    quill::PutLe16(dib, static_cast<unsigned>(depth));
    for (int i = 0; i < 6; ++i)
        quill::PutLe32(dib, 0);  // compression to important colours: driver left them 0
    if (depth <= 8)
        for (int i = 0; i < (1 << depth); ++i) {
            std::uint32_t rgb = source.palette[static_cast<std::size_t>(i)];
            dib.insert(dib.end(), {static_cast<unsigned char>(quill::BlueOf(rgb)),
                                   static_cast<unsigned char>(quill::GreenOf(rgb)),
                                   static_cast<unsigned char>(quill::RedOf(rgb)), 0});
        }
    std::size_t stride = ImagePixels::StrideOf(w, depth);
    for (int y = h - 1; y >= 0; --y) {
        std::vector<unsigned char> row(stride, 0);
        for (int x = 0; x < w; ++x) {
            if (depth <= 8) {
                row.assign(source.Row(y), source.Row(y) + stride);
                break;
            }
            unsigned char *p = source.Row(y) + 3 * x;
            if (depth == 16) {
                // 5-5-5 keeps the top five bits of each colour.
                unsigned v =
                    static_cast<unsigned>(((p[2] >> 3) << 10) | ((p[1] >> 3) << 5) | (p[0] >> 3));
                row[2 * static_cast<std::size_t>(x)] = static_cast<unsigned char>(v);
                row[2 * static_cast<std::size_t>(x) + 1] = static_cast<unsigned char>(v >> 8);
                for (int c = 0; c < 3; ++c)
                    expected.Row(y)[3 * x + c] = static_cast<unsigned char>(p[c] & 0xF8);
            } else {
                std::size_t at = static_cast<std::size_t>(x) * static_cast<std::size_t>(depth / 8);
                std::copy_n(p, 3, row.begin() + static_cast<long>(at));
                if (depth == 32) row[at + 3] = 0x77;
            }
        }
        dib.insert(dib.end(), row.begin(), row.end());
    }
    return dib;
}

TEST(ScreenBitmaps, EveryDepthGivesItsColoursInEveryFile) {
    for (int depth : {1, 4, 8, 16, 24, 32})
        for (int w : {1, 2, 7, 32}) {
            ImagePixels expected;
            std::vector<unsigned char> dib = Dib(depth, w, 5, expected);
            std::string rgb = imagetest::RgbBytes(expected);
            EXPECT_EQ(depth <= 8 ? (4 << depth) : 0, yypalettesize(dib.data()));
            ImagePixels pixels;
            ASSERT_EQ(0, quill::DibToPixels(dib.data(), dib.size(), pixels)) << depth;
            EXPECT_EQ("", imagetest::RgbDifference(rgb, imagetest::RgbBytes(pixels), w))
                << depth << " bits, width " << w;

            std::vector<unsigned char> bmp, pcx, png;
            ASSERT_EQ(0, quill::EncodeDibAsBmp(dib.data(), dib.size(), bmp));
            EXPECT_EQ(bmp.size(), 14 + dib.size());
            ASSERT_EQ(0, quill::EncodePcx(pixels, quill::PcxLayout::BytePlanes, pcx));
            EXPECT_EQ(depth <= 8 ? 1 : 3, pcx[65]) << "one plane up to 8 bits, three above";
            int z = 0;
            ASSERT_EQ(0, quill::EncodePng(pixels, png, &z));
            EXPECT_EQ(depth <= 8 ? 3 : 2, png[25]);
            for (const auto *file : {&bmp, &pcx, &png}) {
                ImagePixels back;
                int status = quill::DetectFileType(file->data(), file->size()) == 1
                                 ? quill::DecodeBmp(file->data(), file->size(), back)
                             : quill::DetectFileType(file->data(), file->size()) == 2
                                 ? quill::DecodePcx(file->data(), file->size(), back)
                                 : quill::DecodePng(file->data(), file->size(), back, &z);
                ASSERT_EQ(0, status) << depth;
                EXPECT_EQ("", imagetest::RgbDifference(rgb, imagetest::RgbBytes(back), w))
                    << depth << " bits, width " << w;
            }
        }
    // Core headers count 3 bytes an entry; colours used, when given, decide.
    std::vector<unsigned char> core = {12, 0, 0, 0, 4, 0, 4, 0, 1, 0, 8, 0};
    EXPECT_EQ(768, yypalettesize(core.data()));
    ImagePixels unused;
    std::vector<unsigned char> used = Dib(8, 3, 3, unused);
    used[32] = 20;
    EXPECT_EQ(80, yypalettesize(used.data()));
    // A short or compressed bitmap is refused.
    ImagePixels out;
    std::vector<unsigned char> dib = Dib(24, 9, 4, unused);
    EXPECT_EQ(2, quill::DibToPixels(dib.data(), dib.size() - 1, out));
    dib[16] = 3;
    EXPECT_EQ(27, quill::DibToPixels(dib.data(), dib.size(), out));
}

}  // namespace
