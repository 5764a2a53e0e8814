// The CGM file driver: element words as written, every file walked element by element and
// balanced, and pictures counted back.
#include "plot_readers.h"

#include "cgm_walker.h"
#include "graphics/gradient_fill.h"
#include "hardcopy/picture_count.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

class Cgm : public PlotTest {
protected:
    std::vector<unsigned char> Bytes(const std::string &file) {
        std::string data = ReadWholeFile(Name(file));
        return std::vector<unsigned char>(data.begin(), data.end());
    }
    CgmWalk Walk(const std::string &file) {
        CgmWalk walk = WalkCgm(Bytes(file));
        EXPECT_EQ("", CheckCgmStructure(walk)) << file;
        return walk;
    }
    int Pictures(const std::string &file, float *aspect = nullptr) {
        int pictures = 0;
        float a = 0;
        std::string name = Name(file);
        yyinfocgm_(name.c_str(), &pictures, &a, static_cast<int>(name.size()));
        if (aspect) *aspect = a;
        return pictures;
    }
};

TEST_F(Cgm, ElementsAndBalancedPictures) {
    Open(9, "one.cgm");
    Line(0, 0, 500, 350);
    Line(-0.2f, 0, 0, 0);  // -1.26 in VDC, truncated
    Text(100, 100, "text");
    Close();
    CgmWalk walk = Walk("one.cgm");
    ASSERT_FALSE(walk.elements.empty());
    EXPECT_EQ("ORN CGM File", walk.elements[0].Text(0));
    auto lines = walk.All(4, 1);
    ASSERT_EQ(2u, lines.size());
    // The header word of a two-point polyline is 4 x 4096 + 1 x 32 + 8.
    std::vector<unsigned char> bytes = Bytes("one.cgm");
    EXPECT_EQ(16424, bytes[lines[0]->offset] << 8 | bytes[lines[0]->offset + 1]);
    EXPECT_EQ(65535, lines[1]->Word(0)) << "-1 is written as 65535";
    EXPECT_EQ(1, Pictures("one.cgm"));

    // A count byte of 255 would announce a long string. (LibreOffice reads counts of 128 and
    // more as negative, so this file stays out of its batch.)
    Open(9, "long.cgm");
    Text(100, 100, std::string(300, 'x') + "a");
    Close();
    CgmWalk longWalk = Walk("long.cgm");
    auto texts = longWalk.All(4, 4);
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ(std::string(254, 'x'), texts[0]->Text(6));

    Open(9, "three.cgm", "Three");
    for (int page = 0; page < 3; ++page) {
        Colour(0x0000FF);
        Rectangle(100, 100, 500, 400);
        Ellipse(600, 300, 100, 50);
        Sector(800, 500, 100, 0, 120);
        Polygon({10, 300, 300, 10}, {400, 400, 690, 690});
        EndPage(page < 2);
    }
    Close();
    walk = Walk("three.cgm");
    EXPECT_EQ("Three", walk.elements[0].Text(0));
    EXPECT_EQ(3u, walk.Count(0, 3));
    float aspect = 0;
    EXPECT_EQ(3, Pictures("three.cgm", &aspect));
    EXPECT_NEAR(756.0 / 540.0, aspect, 0.01);

    // A gradient pentagon: three triangles of interpolated colours, the vertex list kept as
    // it was sent; a repeated closing vertex adds no triangle.
    Open(9, "gradient.cgm");
    Gradient({100, 500, 600, 300, 50, 100}, {100, 100, 400, 650, 400, 100},
             {0x0000FF, 0x00FF00, 0xFF0000, 0x00FF00, 0x0000FF, 0x0000FF});
    EXPECT_EQ(6, quill::gGradient.count);
    EXPECT_EQ(0x0000FF, quill::gGradient.colour[5]);
    Close();
    walk = Walk("gradient.cgm");
    auto interiors = walk.All(5, 43);
    ASSERT_EQ(3u, interiors.size());
    EXPECT_EQ(3u, walk.Polygons(true).size());
    EXPECT_EQ(0u, walk.Polygons(false).size()) << "no solid pieces besides the triangles";
    EXPECT_EQ(3, interiors[0]->Word(0)) << "three-colour triangle";
    for (auto *e : interiors) {
        ASSERT_EQ(19u, e->params.size());
        // Every colour is one of the vertex colours: pure red, green or blue.
        for (int k = 0; k < 3; ++k) {
            int r = e->params[10 + 3 * k], g = e->params[11 + 3 * k], b = e->params[12 + 3 * k];
            EXPECT_EQ(255, r + g + b) << r << " " << g << " " << b;
        }
    }

    Open(9, "empty.cgm");
    Close();
    Walk("empty.cgm");
}

// A metafile point holds 16 bits: drawing that reaches far off the page is clipped to them
// with its slope and shape kept, not limited one coordinate at a time; text placed beyond them
// is left out.
TEST_F(Cgm, DrawingFarOffThePageKeepsItsSlopeAndShape) {
    Open(9, "far.cgm");
    // VDC per device unit: the 6300 x 4500 page over the 1000 x 700 drawable.
    const double sx = 6300 / static_cast<double>(gGraphics.deviceWidth),
                 sy = 4500 / static_cast<double>(gGraphics.deviceHeight);
    Line(500, 350, 100000, 50100);
    Polygon({100, 10000, 100}, {100, 100, 7000});
    Ellipse(500, 350, 100000, 10);
    Text(10000, 100, "far");
    Text(100, 100, "near");
    Gradient({100, 10000, 100}, {100, 100, 200}, {0xFF0000, 0x0000FF, 0x00FF00});
    Close();
    CgmWalk walk = Walk("far.cgm");
    using P = std::pair<int, int>;

    auto lines = walk.All(4, 1);
    ASSERT_EQ(1u, lines.size());
    auto line = lines[0]->Points();
    ASSERT_EQ(2u, line.size());
    EXPECT_EQ(32767, line[1].first);
    EXPECT_NEAR(0.5 * sy / sx,
                double(line[1].second - line[0].second) / (line[1].first - line[0].first), 0.001);

    auto polygons = walk.Polygons(false);
    ASSERT_EQ(2u, polygons.size());
    // The triangle's hypotenuse, (10000, 100) to (100, 7000) on the drawable, leaves the range
    // at its right side and its top.
    auto triangle = polygons[0]->Points();
    ASSERT_EQ(5u, triangle.size());
    const double ax = 10000 * sx, ay = 100 * sy, bx = 100 * sx, by = 7000 * sy;
    int crossings = 0;
    for (const P &v : triangle) {
        if (v.first == 32767 && v.second > 1000) {
            EXPECT_NEAR(ay + (ax - 32767) / (ax - bx) * (by - ay), v.second, 2);
            ++crossings;
        }
        if (v.second == 32767 && v.first > 1000) {
            EXPECT_NEAR(ax - (32767 - ay) / (by - ay) * (ax - bx), v.first, 2);
            ++crossings;
        }
    }
    EXPECT_EQ(2, crossings);
    EXPECT_EQ(0u, walk.Count(4, 17)) << "an ellipse whose ends do not fit is a polygon";
    for (const P &v : polygons[1]->Points()) {
        EXPECT_GE(v.second, static_cast<int>(340 * sy) - 1);
        EXPECT_LE(v.second, static_cast<int>(360 * sy) + 1);
    }

    auto texts = walk.All(4, 4);
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ("near", texts[0]->Text(6));

    // The gradient triangle is cut at the range and made of two triangles that fit.
    auto gradients = walk.Polygons(true);
    ASSERT_EQ(2u, gradients.size());
    for (auto *g : gradients)
        for (const P &v : g->Points()) EXPECT_GE(v.first, 0);
    EXPECT_EQ(2u, walk.Count(5, 43));
}

// LibreOffice opens a file with gradient triangles and draws the rest of it where it was drawn.
// LibreOffice shows no interpolated interiors: it fills such a triangle with a colour of its own,
// here the same as the background it gives the page. That is the reader's limit, so only the
// red block is checked in its picture; the triangles' colours are checked in the file's elements
// above. A second file holds a band along the page's diagonal that runs far off the page: it
// crosses the page along the diagonal.
TEST_F(Cgm, LibreOfficeReadsGradientTrianglesAndDrawsTheRestInPlace) {
    Open(9, "shapes.cgm");
    Colour(0x0000FF);
    Rectangle(100, 100, 400, 300);
    Gradient({550, 950, 750}, {100, 100, 400}, {0x00FF00, 0x00FF00, 0x00FF00});
    Gradient({100, 400, 250}, {400, 400, 650}, {0xFF0000, 0x0000FF, 0x0000FF});
    Close();
    Open(9, "band.cgm");
    Colour(0x0000FF);
    Polygon({0, 100000, 100000, 0}, {0, 70000, 70060, 60});
    Close();
    ReaderRun office =
        RunReader("cd '" + Unix("") + "' && timeout 300 soffice -env:UserInstallation=file://" +
                  Unix("profile") +
                  " --headless --convert-to png shapes.cgm band.cgm && pngtopnm -mix -background"
                  " white shapes.png > shapes.ppm && pngtopnm -mix -background white band.png >"
                  " band.ppm");
    ASSERT_EQ(0, office.status) << office.output;
    Picture p = ReadPpm(Name("shapes.ppm"));
    ASSERT_GT(p.width, 100);
    // The 1000 x 700 drawable fills the 756 x 540 point page, whose width the picture shows
    // whole from its top left corner (LibreOffice may cut the bottom off).
    const double sx = p.width / 1000.0, sy = p.width * 540.0 / 756.0 / 700.0;
    auto colour = [&](const Picture &in, double x, double y) {
        return in.Rgb(x * sx, (700 - y) * sy);
    };
    EXPECT_EQ(0xFF0000, colour(p, 250, 200)) << "the red block";
    EXPECT_EQ(0xFF0000, colour(p, 390, 290));
    EXPECT_NE(0xFF0000, colour(p, 480, 200)) << "right of the block";
    EXPECT_NE(0xFF0000, colour(p, 250, 320)) << "above the block";

    Picture band = ReadPpm(Name("band.ppm"));
    ASSERT_EQ(p.width, band.width);
    for (double x : {400.0, 600.0, 800.0}) {
        EXPECT_EQ(0xFF0000, colour(band, x, 0.7 * x + 30)) << "on the diagonal at " << x;
        EXPECT_NE(0xFF0000, colour(band, x, 0.7 * x + 130)) << "above it at " << x;
        EXPECT_NE(0xFF0000, colour(band, x, 0.7 * x - 70)) << "below it at " << x;
    }
}

}  // namespace
