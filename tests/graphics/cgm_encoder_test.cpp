// The binary metafile encoder: element headers in both forms, partitions, padding, strings,
// the memory sink's all-or-nothing appends, and the metafile and picture openings.
#include <gtest/gtest.h>

#include "cgm_walker.h"
#include "graphics/cgm_encoder.h"
#include "graphics/cgm_shapes.h"

#include <cmath>
#include <string>
#include <vector>

using namespace quill;

namespace {

std::vector<unsigned char> Bytes(const CgmMemorySink &s) {
    return std::vector<unsigned char>(s.data(), s.data() + s.size());
}

std::vector<unsigned char> Hex(std::initializer_list<int> v) {
    return std::vector<unsigned char>(v.begin(), v.end());
}

std::vector<unsigned char> Slice(const std::vector<unsigned char> &b, std::size_t at,
                                 std::size_t n) {
    return std::vector<unsigned char>(b.begin() + at, b.begin() + at + n);
}

TEST(CgmEncoder, HeadersPaddingAndPartitions) {
    CgmMemorySink sink(200000, 0);
    CgmEncoder enc(&sink);
    // Short form: class 4 id 1 with two points; an odd length gets one pad byte not counted.
    enc.Start(cgm::kPolyline);
    enc.Point(100, 100);
    enc.Point(500, -1);
    ASSERT_TRUE(enc.Finish());
    enc.Start(cgm::kBeginMetafile);
    enc.Text("ORN CGM File");
    ASSERT_TRUE(enc.Finish());
    auto b = Bytes(sink);
    EXPECT_EQ(Slice(b, 0, 10), Hex({0x40, 0x28, 0x00, 0x64, 0x00, 0x64, 0x01, 0xF4, 0xFF, 0xFF}));
    EXPECT_EQ(Slice(b, 10, 4), Hex({0x00, 0x2D, 0x0C, 'O'}));
    EXPECT_EQ(b.size(), 10u + 16u);
    EXPECT_EQ(b.back(), 0);

    // 30 bytes stay short, 31 take the long form, 40,000 split into a continued partition
    // of 32,766 and a last one; 35 bytes with a partition limit of 20 split as 20 + 15 + pad.
    std::size_t at = b.size();
    for (int len : {30, 31, 40000}) {
        enc.Start(4, 9);
        for (int i = 0; i < len; ++i) enc.Byte(i);
        ASSERT_TRUE(enc.Finish());
    }
    enc.Start(4, 9);
    for (int i = 0; i < 35; ++i) enc.Byte(i);
    ASSERT_TRUE(enc.Finish(20));
    b = Bytes(sink);
    EXPECT_EQ(Slice(b, at, 2), Hex({0x41, 0x3E}));
    EXPECT_EQ(Slice(b, at + 32, 4), Hex({0x41, 0x3F, 0x00, 0x1F}));
    std::size_t big = at + 32 + 4 + 32;
    EXPECT_EQ(Slice(b, big, 4), Hex({0x41, 0x3F, 0xFF, 0xFE}));
    EXPECT_EQ(Slice(b, big + 4 + 32766, 2), Hex({0x1C, 0x42}));  // 40000 - 32766 = 7234

    CgmWalk w = WalkCgm(b);
    ASSERT_EQ(w.error, "");
    ASSERT_EQ(w.elements.size(), 6u);
    EXPECT_EQ(w.elements[1].Text(0), "ORN CGM File");
    EXPECT_EQ(w.elements[2].params.size(), 30u);
    EXPECT_FALSE(w.elements[2].longForm);
    EXPECT_TRUE(w.elements[3].longForm);
    EXPECT_EQ(w.elements[3].params.size(), 31u);
    EXPECT_EQ(w.elements[4].partitions, 2);
    ASSERT_EQ(w.elements[4].params.size(), 40000u);
    for (int i : {0, 32765, 32766, 39999}) EXPECT_EQ(w.elements[4].params[i], i & 0xFF);
    EXPECT_EQ(w.elements[5].partitions, 2);
    EXPECT_EQ(w.elements[5].params.size(), 35u);
    EXPECT_EQ(w.elements[5].params[34], 34);
    EXPECT_EQ(w.elements[5].size, 42u);
    EXPECT_EQ(Slice(b, b.size() - 18, 2), Hex({0x00, 0x0F}));
}

TEST(CgmEncoder, StringsRealsAndWords) {
    CgmMemorySink sink(4096, 0);
    CgmEncoder enc(&sink);
    // A count of 255 would announce a long string: longer texts are cut to 254 characters.
    std::string longtext(300, 'x');
    enc.Start(cgm::kText);
    enc.Text(longtext);
    ASSERT_TRUE(enc.Finish());
    enc.Start(cgm::kTextAlignment);
    enc.Fixed(-1.5);
    enc.Fixed(2.25);
    enc.Fixed(1e30);
    enc.Word(-2);
    enc.Word(70000);
    ASSERT_TRUE(enc.Finish());
    CgmWalk w = WalkCgm(Bytes(sink));
    ASSERT_EQ(w.error, "");
    ASSERT_EQ(w.elements.size(), 2u);
    EXPECT_EQ(w.elements[0].params.size(), 255u);
    EXPECT_EQ(w.elements[0].params[0], 254);
    EXPECT_EQ(w.elements[1].params, Hex({0xFF, 0xFE, 0x80, 0x00, 0x00, 0x02, 0x40, 0x00, 0x7F, 0xFF,
                                         0x00, 0x00, 0xFF, 0xFE, 0x11, 0x70}));
}

TEST(CgmEncoder, MemorySinkTakesWholeElementsAndKeepsItsReserve) {
    CgmMemorySink sink(24, 4);
    CgmEncoder enc(&sink);
    enc.Start(cgm::kPolyline);
    enc.Point(1, 2);
    enc.Point(3, 4);
    ASSERT_TRUE(enc.Finish());  // 10 bytes
    enc.Start(cgm::kPolyline);
    enc.Point(1, 2);
    enc.Point(3, 4);
    enc.Point(5, 6);
    EXPECT_FALSE(enc.Finish());  // 14 bytes would eat into the reserve
    EXPECT_EQ(sink.size(), 10u);
    EXPECT_TRUE(enc.OneWord(cgm::kLineType, 1));  // 4 bytes
    EXPECT_TRUE(enc.OneWord(cgm::kLineType, 2));  // 4 more: 18 of the 20 usable
    EXPECT_FALSE(enc.OneWord(cgm::kLineType, 3));
    EXPECT_FALSE(enc.Empty(cgm::kEndPicture) && enc.Empty(cgm::kEndPicture));
    sink.OpenReserve(true);
    EXPECT_TRUE(enc.Empty(cgm::kEndMetafile));
    EXPECT_TRUE(enc.Empty(cgm::kEndMetafile));
    EXPECT_FALSE(enc.Empty(cgm::kEndMetafile));
    EXPECT_EQ(sink.size(), 24u);
    EXPECT_EQ(WalkCgm(Bytes(sink)).error, "");
}

// A buffer larger than the memory can give is a buffer that takes nothing, not the end of the
// program. (AddressSanitizer ends a program that asks for more than its allocator can give,
// so this runs in the other builds.)
#ifndef __SANITIZE_ADDRESS__
TEST(CgmEncoder, ABufferTheMemoryCannotGiveRefusesEveryAppend) {
    CgmMemorySink sink(static_cast<std::size_t>(-1) / 2, 4);
    EXPECT_EQ(sink.capacity(), 0u);
    CgmEncoder enc(&sink);
    EXPECT_FALSE(enc.OneWord(cgm::kLineType, 1));
    sink.OpenReserve(true);
    EXPECT_FALSE(enc.Empty(cgm::kEndMetafile));
    EXPECT_EQ(sink.size(), 0u);
}
#endif

TEST(CgmEncoder, MetafileAndPictureOpeningOf394Bytes) {
    CgmMemorySink sink(1000, 0);
    CgmEncoder enc(&sink);
    ASSERT_TRUE(CgmBeginMetafile(enc, "ORN CGM File", "ORN CGM driver v4", kCgmFontNames, 16));
    ASSERT_TRUE(CgmBeginPicture(enc, "ORN CGM Data", 600, 600));
    auto b = Bytes(sink);
    ASSERT_EQ(b.size(), 394u);
    EXPECT_EQ(Slice(b, 0, 6), Hex({0x00, 0x2D, 0x0C, 0x4F, 0x52, 0x4E}));
    EXPECT_EQ(Slice(b, 60, 4), Hex({0x11, 0xBF, 0x01, 0x04}));
    EXPECT_EQ(Slice(b, 368, 12),
              Hex({0x20, 0xC8, 0x00, 0x00, 0x00, 0x00, 0x02, 0x58, 0x02, 0x58, 0x00, 0x80}));
    EXPECT_EQ(Slice(b, 380, 14), Hex({0x52, 0x4C, 0x00, 0x01, 0x00, 0x05, 0, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(enc.Empty(cgm::kEndPicture));
    ASSERT_TRUE(enc.Empty(cgm::kEndMetafile));
    CgmWalk w = WalkCgm(Bytes(sink));
    EXPECT_EQ(CheckCgmStructure(w), "");
    ASSERT_EQ(w.Count(1, 13), 1u);
    const CgmElement &fonts = *w.All(1, 13)[0];
    EXPECT_EQ(fonts.Text(0), "Courier New");
    EXPECT_EQ(fonts.Text(fonts.params.size() - 19), "Symbol Bold Italic");
    EXPECT_EQ(w.All(1, 2)[0]->Text(0), "ORN CGM driver v4");
    EXPECT_EQ(w.All(0, 3)[0]->Text(0), "ORN CGM Data");
}

TEST(CgmEncoder, WalkerFindsBrokenMetafiles) {
    CgmMemorySink sink(1000, 0);
    CgmEncoder enc(&sink);
    enc.Empty(cgm::kBeginMetafile);
    enc.Start(cgm::kPolyline);
    enc.Point(1, 1);
    enc.Point(2, 2);
    enc.Finish();
    enc.Empty(cgm::kEndMetafile);
    auto b = Bytes(sink);
    EXPECT_NE(CheckCgmStructure(WalkCgm(b)).find("outside a picture body"), std::string::npos);
    EXPECT_NE(WalkCgm(b.data(), b.size() - 1).error, "");
    std::vector<unsigned char> cont = {0x41, 0x3F, 0x80, 0x02, 1, 2};  // continuation, no next
    EXPECT_NE(WalkCgm(cont).error, "");
}

// A gradient triangle is four elements and nothing more: the fill reference point at the first
// corner, the interpolated interior (style 3, the other corners relative to the first, the three
// colours), interior style 6 and the triangle's polygon.
TEST(CgmEncoder, AGradientTriangleIsFourElements) {
    CgmMemorySink sink(1000, 0);
    CgmEncoder enc(&sink);
    const int x[3] = {100, 900, 300}, y[3] = {100, 200, 700};
    const int blueToRed[3] = {0xFF0000, 0x0000FF, 0x0000FF};
    ASSERT_TRUE(CgmGradientTriangle(enc, x, y, blueToRed));
    EXPECT_EQ(Bytes(sink),
              Hex({0x53, 0xE4, 0x00, 0x64, 0x00, 0x64,                          // (5,31)
                   0x55, 0x73, 0x00, 0x03, 0x03, 0x20, 0x00, 0x64, 0x00, 0xC8,  // (5,43)
                   0x02, 0x58, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0x00,
                   0x00, 0x00, 0x52, 0xC2, 0x00, 0x06,                          // (5,22)
                   0x40, 0xEC, 0x00, 0x64, 0x00, 0x64, 0x03, 0x84, 0x00, 0xC8,  // (4,7)
                   0x01, 0x2C, 0x02, 0xBC}));
}

}  // namespace
