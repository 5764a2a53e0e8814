// The HPGL and HP-GL/2 drivers: pens, scaling, page ends, encoded polylines and tags as
// written, page counts read back, and every file drawn by hp2xx.
// The readers are programs of this machine; the Windows build under Wine runs them as well.

#include "plot_readers.h"

#include "hardcopy/drivers.h"
#include "hardcopy/picture_count.h"
#include "quillamorph/imagefiles.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

class Hpgl : public PlotTest {
protected:
    std::vector<std::string> Lines(const std::string &file) {
        return SplitLines(ReadWholeFile(Name(file)));
    }
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
        ReaderRun strip = RunReader("perl -pe 's/\\e[%&][^A-Z@]*[A-Z@]//g; s/\\f//g' '" +
                                    Unix(file) + "' > '" + plain + "'");
        EXPECT_EQ(0, strip.status) << strip.output;
        // hp2xx keeps file names in short buffers: it runs in the folder on short names.
        ReaderRun run = RunReader("cd '" + ReaderPath(scratch.path) + "' && hp2xx -q -m pbm -f '" +
                                  file + ".pbm' '" + file + ".hp'");
        EXPECT_EQ(0, run.status) << run.output;
        Picture p = ReadPpm(Name(file + ".pbm"));
        EXPECT_GT(p.width, 0) << run.output << ReadWholeFile(Name(file + ".hp")).substr(0, 2000);
        return p;
    }
    // Points at two corners of the drawable, so that hp2xx, which scales to what is drawn,
    // maps the whole drawable onto its picture.
    void Corners() {
        Line(0, 0, 0, 0);
        Line(999.99f, 699.99f, 999.99f, 699.99f);
    }
    // Whether the picture is dark near device point (X, Y) of the 1000 x 700 drawable.
    static bool DarkAt(const Picture &p, float x, float y) {
        return p.DarkNear(static_cast<int>(x / 1000 * (p.width - 1)),
                          static_cast<int>((1 - y / 700) * (p.height - 1)), 4);
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
    // Every tag between drawing commands restores the scaling on its own line; the plotter
    // type tag of the open leaves that to the scaling line that follows it.
    auto lines = Lines("tags.plt");
    auto type = std::find(lines.begin(), lines.end(), "SC-13 1 0 32760");
    ASSERT_NE(lines.end(), type);
    ASSERT_NE(lines.end(), type + 1);
    EXPECT_EQ("SC0 32760 0 32760", *(type + 1));
    int tags = 0;
    for (auto &l : lines) {
        if (l.rfind("SC-", 0) == 0 && l.rfind("SC-13 ", 0) != 0) {
            ++tags;
            EXPECT_NE(std::string::npos, l.find(";SC0 32760 0 32760")) << l;
        }
    }
    EXPECT_GE(tags, 6);
    EXPECT_EQ(3, Pages("tags.plt"));
    Picture p = Draw("tags.plt");
    EXPECT_GT(p.DarkCount(), 0);
    Open(1, "empty.plt");
    Close();
    EXPECT_EQ(1, Pages("empty.plt"));
    Draw("empty.plt");
}

TEST_F(Hpgl, ClipWindowInPlotterUnits) {
    // Plotter type 1: 1016 units per inch, a page of 10870 less the margin of 400 by 7480
    // plotter units, so P1 = (0, 0) and P2 = (10470, 7479) after the page is taken in points.
    const double f = 1016.0 / 72;
    const int p2x = static_cast<int>(std::lround(f * std::lround(10470 / f)));
    const int p2y = static_cast<int>(std::lround(f * std::lround(7480 / f)));
    ASSERT_EQ(10470, p2x);
    ASSERT_EQ(7479, p2y);
    for (int device : {1, 12}) {
        std::string file = device == 1 ? "clip.plt" : "clip2.plt";
        Open(device, file);
        Corners();
        // The middle three fifths each way: user units 6552 to 26208 on both axes.
        gGraphics.cx1 = 200, gGraphics.cy1 = 140, gGraphics.cx2 = 799, gGraphics.cy2 = 559;
        quill::SendOp(kOpClip, kSideHardcopy);
        Line(0, 350, 999.99f, 350);
        Line(500, 0, 500, 699.99f);
        Close();
        auto lines = Lines(file);
        auto window = std::find(
            lines.begin(), lines.end(),
            "IW" + std::to_string(p2x / 5) + " " + std::to_string(std::lround(p2y * 0.2)) + " " +
                std::to_string(p2x * 4 / 5) + " " + std::to_string(std::lround(p2y * 0.8)));
        ASSERT_NE(lines.end(), window) << device;
        EXPECT_EQ("SC", *(window - 1));
        EXPECT_EQ("SC0 32760 0 32760", *(window + 1));
        // The two lines across the drawable are cut at the window's edges. (hp2xx sizes the
        // turned page of the HP-GL/2 file by the clip window alone, so that file is only read.)
        Picture p = Draw(file);
        if (device == 12) continue;
        EXPECT_TRUE(DarkAt(p, 500, 350)) << device;
        EXPECT_TRUE(DarkAt(p, 250, 350)) << device;
        EXPECT_TRUE(DarkAt(p, 750, 350)) << device;
        EXPECT_FALSE(DarkAt(p, 150, 350)) << device;
        EXPECT_FALSE(DarkAt(p, 850, 350)) << device;
        EXPECT_TRUE(DarkAt(p, 500, 200)) << device;
        EXPECT_FALSE(DarkAt(p, 500, 100)) << device;
        EXPECT_FALSE(DarkAt(p, 500, 600)) << device;
    }
}

TEST_F(Hpgl, Hpgl2FiguresInPolygonMode) {
    Open(12, "rect.plt");
    Corners();
    Rectangle(200, 140, 600, 420);
    Close();
    auto lines = Lines("rect.plt");
    // 200 x 140 device units are 6552 user units each way, 600 x 420 are 19656.
    auto corner = std::find(lines.begin(), lines.end(), "PU6552 6552");
    ASSERT_NE(lines.end(), corner);
    ASSERT_LE(4, lines.end() - corner);
    EXPECT_EQ((std::vector<std::string>{"PU6552 6552", "PM0", "RA19656 19656", "PM2;FP"}),
              std::vector<std::string>(corner, corner + 4));
    // hp2xx fills the rectangle. It keeps the corners of a filled figure in user units when it
    // sizes its picture, so only the amount of ink is checked, not where it lies.
    Picture p = Draw("rect.plt");
    EXPECT_GT(p.DarkCount(), p.width * p.height / 50);

    // A circle of radius 1200 device units (39312 user units, past 32760): the radius goes in
    // plotter units, 1.2 times the frame's width of 10470, with the scaling off around it.
    Open(12, "circle.plt");
    Corners();
    Ellipse(0, 0, 1200, 1200);
    Close();
    lines = Lines("circle.plt");
    auto radius = std::find(lines.begin(), lines.end(), "CI12564");
    ASSERT_NE(lines.end(), radius);
    ASSERT_LE(3, radius - lines.begin());
    ASSERT_LE(3, lines.end() - radius);
    auto centre = radius - 3;
    EXPECT_EQ(
        (std::vector<std::string>{"PU0 0", "SC", "PM0", "CI12564", "PM2;FP", "SC0 32760 0 32760"}),
        std::vector<std::string>(centre, centre + 6));
    // hp2xx drops the points of a polygon that lie outside the clip window, so a circle
    // larger than the page is not drawn there; the file must still read without an error.
    Draw("circle.plt");
}

TEST_F(Hpgl, Hpgl2TitleIsOneComment) {
    // A title that reads like the mode tag, on a printer of 2 colours (HP-GL/2 mode 1). A
    // semicolon would end the comment in a reader and leave the rest to be read as commands.
    Open(12, "title.plt", "13 2; PG");
    Line(0, 0, 500, 500);
    EndPage(true);
    Line(0, 0, 500, 500);
    EndPage(false);
    Close();
    auto lines = Lines("title.plt");
    EXPECT_EQ("CO: 13 2, PG;", lines.at(1));
    EXPECT_EQ(2, Pages("title.plt"));
    std::string name = Name("title.plt");
    int info[6] = {}, six = 6;
    igrfileinfo_(name.c_str(), info, &six, static_cast<int>(name.size()));
    EXPECT_EQ(5, info[0]);
    EXPECT_EQ(2, info[3]) << "colours of the mode tag, not of the title";
    Picture p = Draw("title.plt");
    EXPECT_GT(p.DarkCount(), 0);
}

TEST_F(Hpgl, EncodedPolylineDigits) {
    Open(12, "pe.plt");
    // Differences 0, -1 and 16 user units.
    float unit = 999.99f / 32760.0f;
    std::vector<double> x = {0, 0, 0}, y = {0, -1 * unit, 15.5f * unit};
    yyhpgl2a_(x, y);
    Close();
    auto lines = Lines("pe.plt");
    auto at = std::find_if(lines.begin(), lines.end(),
                           [](const std::string &l) { return l.rfind("PE7", 0) == 0; });
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
    EXPECT_EQ(1, std::count_if(lines.begin(), lines.end(),
                               [](const std::string &l) { return l.rfind("PC5,", 0) == 0; }));
    EXPECT_TRUE(Has(lines, "CO: A 'quoted' title;"));
    EXPECT_TRUE(Has(lines, "CO\"3 32\";"));
    EXPECT_TRUE(Has(lines, "\x1b%1A\x1b&l01X\f\x1b%0B"));
    EXPECT_EQ(3, Pages("three.plt"));
    Picture p = Draw("three.plt");
    EXPECT_GT(p.DarkCount(), 0);
}

}  // namespace
