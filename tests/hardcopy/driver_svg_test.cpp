// The SVG driver: groups, numbers and text as written; every file is well-formed XML that two
// renderers draw.
// The readers are programs of this machine; the Windows build under Wine runs them as well.

#include "plot_readers.h"

#include "hardcopy/drivers.h"

#include <algorithm>
#include <string>

namespace {

class Svg : public PlotTest {
protected:
    std::string Data(const std::string &file) { return ReadWholeFile(Name(file)); }
    // xmllint finds the file well formed, cairosvg and rsvg-convert render it; returns the
    // rsvg rendering.
    Picture Check(const std::string &file) {
        ReaderRun lint = RunReader("xmllint --noout '" + Unix(file) + "'");
        EXPECT_EQ(0, lint.status) << lint.output;
        EXPECT_EQ("", lint.output);
        ReaderRun cairo = RunReader(
            "/usr/bin/python3 -c \"import cairosvg,sys; cairosvg.svg2png(url=sys.argv[1], "
            "write_to=sys.argv[2])\" '" +
            Unix(file) + "' '" + Unix(file + ".c.png") + "'");
        EXPECT_EQ(0, cairo.status) << cairo.output;
        ReaderRun rsvg = RunReader("rsvg-convert -b white '" + Unix(file) + "' | pngtopnm > '" +
                                   Unix(file + ".ppm") + "'");
        EXPECT_EQ(0, rsvg.status) << rsvg.output;
        return ReadPpm(Name(file + ".ppm"));
    }
};

TEST_F(Svg, NumbersAndText) {
    std::string text;
    int first, last;
    yysvg1_(100.0, text, first, last);
    EXPECT_EQ("100", text);  // "100." is no SVG number
    yysvg1_(100.5, text, first, last);
    EXPECT_EQ("100.5", text);
    yysvg1_(100.25, text, first, last);
    EXPECT_EQ("100.25", text);
    Open(3, "text.svg");
    Text(100, 100, "a<b&c");
    Text(100, 200, std::string("tab\there \x01\x02 and \xe9"));
    Close();
    std::string data = Data("text.svg");
    EXPECT_NE(std::string::npos, data.find(">a&#60;b&#38;c</text>"));
    EXPECT_NE(std::string::npos, data.find(">tab&#9;here  and &#233;</text>"));
    Check("text.svg");
}

TEST_F(Svg, StrokeGroupsOpenOnlyOnChangeAndCloseBalanced) {
    Open(3, "groups.svg");
    Colour(0x700000);  // blue 112: dark in the rendering
    Colour(0x700000);
    Line(0, 0, 500, 350);
    Line(500, 350, 999.99f, 0);
    Rectangle(100, 100, 300, 300);
    Close();
    std::string data = Data("groups.svg");
    auto count = [&](const std::string &what) {
        int n = 0;
        for (std::size_t at = data.find(what); at != std::string::npos;
             at = data.find(what, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(2, count("<line "));
    EXPECT_EQ(count("<g "), count("</g>"));
    EXPECT_EQ(1, count("stroke:#000070"));
    EXPECT_NE(std::string::npos, data.find("xmlns=\"http://www.w3.org/2000/svg\""));
    EXPECT_EQ("</svg>\r\n", data.substr(data.size() - 8));
    Picture p = Check("groups.svg");
    ASSERT_EQ(640, p.width);
    // A line from the lower left corner to the middle: y grows downwards in the picture.
    EXPECT_TRUE(p.DarkNear(64, 480 - 48, 2));
    EXPECT_TRUE(p.DarkNear(160, 480 - 120, 2));
    // The filled rectangle covers its box, in the current colour.
    EXPECT_TRUE(p.Dark(128, 480 - 128));
}

TEST_F(Svg, PageSizeFromTheOptions) {
    Select(3);
    Option(1, 800);
    Option(2, 600);
    OpenSelected("page.svg");
    Line(0, 0, 999.99f, 699.99f);
    Close();
    std::string data = Data("page.svg");
    EXPECT_NE(std::string::npos, data.find(" width=\"800\" height=\"600\">"))
        << data.substr(0, 200);
    Picture p = Check("page.svg");
    ASSERT_EQ(800, p.width);
    ASSERT_EQ(600, p.height);
    // The drawable fills the page: the diagonal runs from corner to corner.
    EXPECT_TRUE(p.DarkNear(200, 450, 2));
    EXPECT_TRUE(p.DarkNear(600, 150, 2));
    EXPECT_FALSE(p.DarkNear(600, 450, 2));

    // Selecting the device again brings back its page of 640 by 480.
    Open(3, "default.svg");
    Close();
    EXPECT_NE(std::string::npos, Data("default.svg").find(" width=\"640\" height=\"480\">"));
}

TEST_F(Svg, TextIsNotOutlinedByTheLineStyle) {
    // The same text under a thin and under a heavy line width: the glyphs are filled only, so
    // the heavy line style adds no ink to them.
    int ink[2] = {};
    for (int heavy = 0; heavy < 2; ++heavy) {
        std::string file = heavy ? "heavy.svg" : "thin.svg";
        Select(3);
        Option(9, heavy ? 100 : 1);
        OpenSelected(file);
        Text(100, 300, "Flip and Add");
        Close();
        std::string data = Data(file);
        EXPECT_NE(std::string::npos, data.find(heavy ? "stroke-width:21;" : "stroke-width:1;"))
            << data;
        ink[heavy] = Check(file).DarkCount();
    }
    EXPECT_GT(ink[0], 0);
    EXPECT_EQ(ink[0], ink[1]);
}

TEST_F(Svg, EmptyAndPagesAndEveryFigure) {
    Open(3, "empty.svg");
    Close();
    Check("empty.svg");
    Open(3, "all.svg");
    for (int page = 0; page < 3; ++page) {
        Colour(0x00FF00 * (page + 1) & 0xFFFFFF);
        Triangle(10, 10, 200, 10, 100, 200);
        Ellipse(500, 350, 100, 50);
        Sector(800, 500, 100, 0, 270);
        Polygon({10, 300, 300, 10}, {400, 400, 690, 690});
        Polyline({600, 700, 800, 900}, {100, 200, 100, 200});
        gFigureFill.style = 1;
        Ellipse(500, 350, 150, 80);
        gFigureFill.style = 4;
        EndPage(page < 2);
    }
    Close();
    std::string data = Data("all.svg");
    EXPECT_NE(std::string::npos, data.find("<ellipse "));
    EXPECT_NE(std::string::npos, data.find("<path d=\"M"));
    Check("all.svg");
}

}  // namespace
