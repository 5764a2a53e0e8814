// The printer device context and page information: with no printer every answer is empty and
// the error code is not 0; with one, the page information is consistent with its context.
#include <gtest/gtest.h>

#include "core/commondialogs.h"
#include "graphics/printer_dc.h"

#include <windows.h>

namespace {

TEST(PrinterDc, PageInformationAndDumpsFollowThePrinter) {
    int v[10];
    for (int &x : v) x = -5;
    gPrinter.paperSize = 9;
    yywprinfo_(&v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9]);
    int status = -1, zero = 0, one = 1, w = 288, h = 216;
    const char doc[] = "dump test";
    if (!yywprintername()) {
        for (int i = 0; i < 9; ++i) EXPECT_EQ(v[i], 0) << i;
        EXPECT_NE(v[9], 0);
        EXPECT_EQ(yywprgetdc(&zero, &one), nullptr);
        yywindumpstart_(&w, &h, &zero, &zero, &status, &zero, &one, doc, sizeof doc - 1);
        EXPECT_EQ(status, 1);
    } else {
        EXPECT_EQ(v[9], 0);
        EXPECT_GE(v[0], v[1]);
        EXPECT_EQ(v[2], v[0] - 144);
        EXPECT_EQ(v[3], v[1] - 144);
        EXPECT_EQ(v[4], 72);
        EXPECT_EQ(v[6], 1);
        EXPECT_EQ(v[7], 1);
        EXPECT_EQ(gPrinter.paperSize, -1);  // the stored page settings are reset
        HDC dc = yywprgetdc(&zero, &one);
        ASSERT_NE(dc, nullptr);
        int longer = GetDeviceCaps(dc, PHYSICALHEIGHT) * 72 / GetDeviceCaps(dc, LOGPIXELSY);
        EXPECT_NEAR(longer, v[0], 1);
        DeleteDC(dc);
    }
    // A blit without a dump, or of a reversed rectangle, fails.
    int a = 5, b = 4;
    yywindumpblit_(&a, &a, &b, &b, &status);
    EXPECT_EQ(status, 1);
    yywindumpend_();
}

}  // namespace
