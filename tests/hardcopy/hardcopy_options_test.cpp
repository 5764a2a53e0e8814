// Hardcopy options, printer settings and the defaults every driver starts from, and the
// dither patterns.
#include "plot_readers.h"

#include "base/fixedtext.h"
#include "hardcopy/dither.h"
#include "hardcopy/driver_support.h"
#include "hardcopy/hardcopy_options.h"
#include "hardcopy/printer_settings.h"

#include <bitset>

namespace {

class Options : public PlotTest {
protected:
    std::string DefaultName() {
        return std::string(gHardcopy.defaultName, 40)
            .substr(0, std::string(gHardcopy.defaultName, 40).find(' '));
    }
};

TEST_F(Options, ValuesAreCheckedAndStored) {
    Option(1, 800);
    Option(2, 600);
    Option(5, 2);
    EXPECT_EQ(600, quill::HardcopyOptionSlot(1));
    EXPECT_EQ(800, quill::HardcopyOptionSlot(2));
    EXPECT_EQ(0, quill::HardcopyOptionSlot(5));
    Option(5, 3);
    EXPECT_EQ(800, quill::HardcopyOptionSlot(1));
    EXPECT_EQ(1, quill::HardcopyOptionSlot(5));
    Option(9, 0);
    EXPECT_EQ(1, quill::HardcopyOptionSlot(9));
    Option(12, 50);
    EXPECT_EQ(100, quill::HardcopyOptionSlot(12));
    Option(6, 3);
    EXPECT_EQ(0, quill::HardcopyOptionSlot(6)) << "out of range: ignored";
    Option(30, 5);
    Option(100, 5);
    Option(21, 0);
    EXPECT_EQ(0, quill::HardcopyOptionSlot(21));
    Option(105, 4);
    EXPECT_EQ(4, quill::HardcopyOptionSlot(105));
    Select(8);
    Option(23, 24);
    EXPECT_EQ(8, quill::HardcopyOptionSlot(23)) << "24 bits is no DXF colour option";
    Option(23, 4);
    EXPECT_EQ(4, quill::HardcopyOptionSlot(23));
}

TEST_F(Options, TheColourRuleOfPrinterAndMetafileOutput) {
    int r = 5, g = 5, b = 5;
    yywin1_(&r, &g, &b);
    EXPECT_EQ(r + g + b, 15) << "rule 0 keeps every colour";
    Option(6, 2);
    yywin1_(&r, &g, &b);
    EXPECT_EQ(r, 250);
    EXPECT_EQ(b, 250);
    r = 5, g = 5, b = 200;
    yywmf1_(&r, &g, &b);
    EXPECT_EQ(b, 200) << "rule 2 swaps only near-black and near-white";
    Option(6, 1);
    yywmf1_(&r, &g, &b);
    EXPECT_EQ(r, 250);
    EXPECT_EQ(b, 55);
}

TEST_F(Options, ExtensionRewrite) {
    Select(2);
    EXPECT_EQ("quilplot.ps", DefaultName());
    Option(22, 1);
    EXPECT_EQ("quilplot.eps", DefaultName());
    Option(22, 0);
    EXPECT_EQ("quilplot.ps", DefaultName()) << "the rest of the old extension is blanked";
    char name[20];
    quill::PutFixedText(name, 20, std::string("dir.v2/plot"));
    quill::RewriteFileExtension(name, 20, ".eps");
    EXPECT_EQ("dir.v2/plot.eps     ", std::string(name, 20));
    quill::PutFixedText(name, 20, std::string("plot"));
    quill::RewriteFileExtension(name, 20, ".ps");
    EXPECT_EQ("plot.ps             ", std::string(name, 20));
}

TEST_F(Options, DefaultsAndKeptOptions) {
    Option(6, 2);
    Option(101, 7);
    Select(3);
    EXPECT_EQ(0, quill::HardcopyOptionSlot(6));
    EXPECT_EQ(80, quill::HardcopyOptionSlot(101));
    EXPECT_EQ(999999, quill::HardcopyOptionSlot(104));
    EXPECT_EQ(8, quill::HardcopyOptionSlot(108));
    EXPECT_EQ(5, quill::HardcopyOptionSlot(9));
    Option(6, 2);
    quill::ResetHardcopy(true);
    EXPECT_EQ(2, quill::HardcopyOptionSlot(6)) << "option P keeps the options";
    quill::ResetHardcopy(false);
    EXPECT_EQ(0, quill::HardcopyOptionSlot(6));
}

TEST_F(Options, PrinterAndPlotterTypes) {
    int t = 27;
    iprinter_(&t);
    EXPECT_EQ(28, gHardcopy.printerType);
    t = 0;
    iprinter_(&t);
    EXPECT_EQ(28, gHardcopy.printerType);
    t = 29;  // "41M22": class 4 becomes 7, 600 dpi first, an HP-GL/2 printer
    iprinter_(&t);
    EXPECT_EQ(7, gRasterProfile.printerClass);
    EXPECT_EQ(600, gRasterProfile.resolutions[0]);
    EXPECT_EQ(3, gHardcopy.hpgl2Mode);
    t = 33;  // "51M2 ": class 12 becomes 8, three resolutions
    iprinter_(&t);
    EXPECT_EQ(8, gRasterProfile.printerClass);
    EXPECT_EQ(3, gRasterProfile.resolutionCount);
    EXPECT_EQ(2, gRasterProfile.variant);
    t = 19;
    iprinter_(&t);
    EXPECT_EQ(24, gRasterProfile.passHeight);
    EXPECT_EQ(29, gRasterProfile.codeSet);
    t = 12;
    iplotter_(&t);
    EXPECT_EQ(2, gHardcopy.hpgl2Mode);
    EXPECT_EQ(1, gHardcopy.plotterType);
}

TEST_F(Options, DitherPatternsHaveTheirLevelsBits) {
    for (int g = 0; g <= 255; ++g) {
        double level = g / 255.0;
        int expected = level > 0.975 ? 32 : static_cast<int>(32 * level + 0.5);
        for (int k = 1; k <= 3; ++k)
            EXPECT_EQ(expected,
                      static_cast<int>(std::bitset<32>(quill::DitherPattern(level, k)).count()))
                << g << " " << k;
    }
    std::uint32_t p[3];
    quill::DitherColour(100, 103, 101, 256, p);
    EXPECT_TRUE(p[0] == p[1] && p[1] == p[2]) << "components within 3 share one pattern";
    quill::DitherColour(100, 104, 100, 256, p);
    EXPECT_NE(p[0], p[1]);
    gHardcopy.deviceColours = 2;
    gGraphics.colour.rgb = 0xFFFFFF;
    int a, b, c, kind = 0;
    yydith_(&kind, &a, &b, &c);
    EXPECT_EQ(-1, a) << "white on two colours: all ones";
}

}  // namespace
