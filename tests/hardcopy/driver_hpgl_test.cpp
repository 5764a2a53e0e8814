// The HPGL and HP-GL/2 drivers: pens, scaling, page ends, encoded polylines and tags as
// written, page counts read back, and every file drawn by hp2xx.
// The readers are programs of this machine; the Windows build under Wine runs them as well.

#include "plot_readers.h"

#include "hardcopy/drivers.h"
#include "hardcopy/picture_count.h"

#include <algorithm>
#include <string>

namespace {

class Hpgl : public PlotTest {
protected:
    std::vector<std::string> Lines(const std::string &file) { return SplitLines(ReadWholeFile(Name(file))); }
    static bool Has(const std::vector<std::string> &lines, const std::string &line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    void ColourNumber(int c) {
        gGraphics.colour.index = c;
        gGraphics.colour.rgb = c * 65793;
        quill::SendOp(kOpColour, kSideHardcopy);
    }
    // hp2xx draws FILE (PCL escape sequences and form feeds stripped first) into a PBM.
    Picture Draw(const std::string &file) {
        std::string plain = Unix(file + ".hp");
        ReaderRun strip = RunReader("perl -pe 's/\\e[%&][^A-Z@]*[A-Z@]//g; s/\\f//g' '" + Unix(file) + "' > '" + plain + "'");
        EXPECT_EQ(0, strip.status) << strip.output;
        // hp2xx keeps file names in short buffers: it runs in the folder on short names.
        ReaderRun run = RunReader("cd '" + ReaderPath(scratch.path) + "' && hp2xx -q -m pbm -f '" + file + ".pbm' '" +
                                  file + ".hp'");
        EXPECT_EQ(0, run.status) << run.output;
        Picture p = ReadPpm(Name(file + ".pbm"));
        EXPECT_GT(p.width, 0) << run.output << ReadWholeFile(Name(file + ".hp")).substr(0, 2000);
        return p;
    }
    int Pages(const std::string &file) {
        int pages = 0;
        std::string name = Name(file);
        yycnthpg_(name.c_str(), &pages, static_cast<int>(name.size()));
        return pages;
    }
};

TEST_F(Hpgl, PensScalingAndPageEnds) {
    Open(1, "pens.plt");
    for (int c = 0; c < 256; c += 32) ColourNumber(c);
    Line(0, 0, 999.99f, 699.99f);
    EndPage(false);
    Close();
    auto lines = Lines("pens.plt");
    // Colours 0, 32, ..., 224 on a 4-pen plotter: pens 1, 3, 1, 2, 2, 4, 3, 4; a colour on
    // the pen in use writes nothing.
    std::vector<std::string> pens;
    for (auto &l : lines)
        if (l.rfind("PU;SP", 0) == 0 && l != "PU;SP0;") pens.push_back(l.substr(5));
    EXPECT_EQ((std::vector<std::string>{"1", "3", "1", "2", "4", "3", "4"}), pens);
    EXPECT_TRUE(Has(lines, "PD32760 32760"));
    EXPECT_TRUE(Has(lines, "PU;SP0;"));
    Draw("pens.plt");

    iplotter_(std::vector<int>{7}.data());
    Open(1, "type7.plt");
    Line(0, 0, 500, 500);
    EndPage(false);
    Close();
    EXPECT_TRUE(Has(Lines("type7.plt"), "PU;SP0;PG;"));
}

TEST_F(Hpgl, TagsCountPages) {
    Select(1);
    Option(25, 1);
    OpenSelected("tags.plt");
    for (int page = 0; page < 3; ++page) {
        Colour(0x0000FF);
        Rectangle(100, 100, 500, 400);
        EndPage(page < 2);
    }
    Close();
    for (auto &l : Lines("tags.plt")) {
        if (l.rfind("SC-", 0) == 0) {
            EXPECT_NE(std::string::npos, l.find(";SC0 32760 0 32760")) << l;
        }
    }
    EXPECT_EQ(3, Pages("tags.plt"));
    Picture p = Draw("tags.plt");
    EXPECT_GT(p.DarkCount(), 0);
    Open(1, "empty.plt");
    Close();
    EXPECT_EQ(1, Pages("empty.plt"));
    Draw("empty.plt");
}

TEST_F(Hpgl, EncodedPolylineDigits) {
    Open(12, "pe.plt");
    // Differences 0, -1 and 16 user units.
    float unit = 999.99f / 32760.0f;
    std::vector<double> x = {0, 0, 0}, y = {0, -1 * unit, 15.5f * unit};
    yyhpgl2a_(x, y);
    Close();
    auto lines = Lines("pe.plt");
    auto at = std::find_if(lines.begin(), lines.end(), [](const std::string &l) { return l.rfind("PE7", 0) == 0; });
    ASSERT_NE(lines.end(), at);
    // x 0 "_", y -1 "b", x 0 "_", y +16 "?`" ... the y scale differs from x: check the x digits.
    EXPECT_EQ('_', (*at)[3]);
    EXPECT_EQ(';', at->back());
}

TEST_F(Hpgl, Hpgl2PagesPensAndPcl) {
    iprinter_(std::vector<int>{35}.data());  // a colour PCL printer speaking HP-GL/2
    Open(12, "three.plt", "A \"quoted\" title");
    for (int page = 0; page < 3; ++page) {
        ColourNumber(5);
        Line(0, 0, 500, 500);
        ColourNumber(5);
        Polyline({0, 100, 200, 300}, {0, 100, 0, 100});
        Triangle(600, 100, 900, 100, 750, 400);
        EndPage(page < 2);
    }
    Close();
    auto lines = Lines("three.plt");
    EXPECT_EQ(1, std::count_if(lines.begin(), lines.end(), [](const std::string &l) { return l.rfind("PC5,", 0) == 0; }));
    EXPECT_TRUE(Has(lines, "CO\": A 'quoted' title\";"));
    EXPECT_TRUE(Has(lines, "CO\"3 32\";"));
    EXPECT_TRUE(Has(lines, "\x1b%1A\x1b&l01X\f\x1b%0B"));
    EXPECT_EQ(3, Pages("three.plt"));
    Picture p = Draw("three.plt");
    EXPECT_GT(p.DarkCount(), 0);
}

}  // namespace
