// Printer arithmetic: page information in points, colour-table sizes, dump sizes, and the
// floating-point control state kept around printer calls.
#include <gtest/gtest.h>

#include "graphics/printer_info.h"

#include <cfenv>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// A bitmap header of SIZE bytes with BITS per pixel and USED colours (not in the old header).
std::vector<unsigned char> Header(std::uint32_t size, int bits, std::uint32_t used) {
    std::vector<unsigned char> h(40, 0);
    std::memcpy(h.data(), &size, 4);  // little-endian on every platform the library runs on
    h[size == 12 ? 10 : 14] = static_cast<unsigned char>(bits);
    if (size != 12) std::memcpy(h.data() + 32, &used, 4);
    return h;
}

TEST(PrinterInfo, ColourTableSizes) {
    EXPECT_EQ(yywprpalsize(Header(12, 8, 0).data()), 768);
    EXPECT_EQ(yywprpalsize(Header(12, 1, 0).data()), 6);
    EXPECT_EQ(yywprpalsize(Header(40, 4, 0).data()), 64);
    EXPECT_EQ(yywprpalsize(Header(40, 8, 5).data()), 20);
    EXPECT_EQ(yywprpalsize(Header(40, 24, 0).data()), 0);
    EXPECT_EQ(yywprpalsize(Header(40, 32, 0).data()), 0);
}

TEST(PrinterInfo, PageInPointsAndDumpSizes) {
    quill::PrinterPage p = quill::PrinterPageInPoints(5100, 6600, 600, 600);
    EXPECT_EQ(p.pageLong, 792);
    EXPECT_EQ(p.pageShort, 612);
    EXPECT_EQ(p.printLong, 648);
    EXPECT_EQ(p.printShort, 468);
    EXPECT_EQ(p.offsetLong, 72);
    p = quill::PrinterPageInPoints(6600, 5100, 600, 600);  // landscape: the same sides
    EXPECT_EQ(p.pageLong, 792);
    EXPECT_EQ(p.pageShort, 612);
    p = quill::PrinterPageInPoints(5100, 6600, 0, 600);
    EXPECT_EQ(p.pageLong, 0);
    EXPECT_EQ(quill::PointsToPixels(288, 600), 2400);
    EXPECT_EQ(quill::PointsToPixels(216, 600), 1800);
}

TEST(PrinterInfo, SavedFloatingPointModeComesBack) {
    ASSERT_EQ(std::fegetround(), FE_TONEAREST);
    unsigned short cw = yygetcw_();
    yysavefp_();
    std::fesetround(FE_UPWARD);
    EXPECT_EQ(std::fegetround(), FE_UPWARD);
    EXPECT_NE(yygetcw_(), cw);
    yyrestfp_();
    EXPECT_EQ(std::fegetround(), FE_TONEAREST);
    EXPECT_EQ(yygetcw_(), cw);
    volatile double a = 1.0, b = 3.0;
    EXPECT_EQ(a / b, 1.0 / 3.0);
}

}  // namespace
