// The PostScript driver: paths, colours, numbers, text and pages as written, and every file
// rendered by ghostscript without a message.
// The readers are programs of this machine; the Windows build under Wine runs them as well.

#include "plot_readers.h"

#include <algorithm>
#include <string>

namespace {

std::vector<std::string> SplitLinesAnyEnd(const std::string &text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n' || c == '\r') {
            if (!line.empty()) lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

class PostScript : public PlotTest {
protected:
    std::vector<std::string> Lines(const std::string &file) {
        return SplitLines(ReadWholeFile(Name(file)));
    }
    static bool Has(const std::vector<std::string> &lines, const std::string &line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    // Renders FILE with ghostscript into a PPM at 72 dots per inch; the run must be silent.
    Picture Render(const std::string &file, bool eps = false) {
        std::string ppm = Unix(file + ".ppm");
        ReaderRun run = RunReader(
            "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r72 -dDEVICEWIDTHPOINTS=820 "
            "-dDEVICEHEIGHTPOINTS=820 -dFIXEDMEDIA " +
            std::string(eps ? "-dEPSCrop " : "") + "-sOutputFile='" + ppm + "' '" + Unix(file) +
            "'");
        EXPECT_EQ(0, run.status) << run.output;
        EXPECT_EQ("", run.output);
        return ReadPpm(Name(file + ".ppm"));
    }
    // The pages ghostscript finds in FILE: one bounding box a page.
    int GhostscriptPages(const std::string &file) {
        ReaderRun pages =
            RunReader("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=bbox '" + Unix(file) + "'");
        EXPECT_EQ(0, pages.status) << pages.output;
        int boxes = 0;
        for (auto &l : SplitLinesAnyEnd(pages.output)) boxes += l.rfind("%%BoundingBox", 0) == 0;
        return boxes;
    }
};

TEST_F(PostScript, JoinedSegmentsMakeOnePathStrokedOnce) {
    Open(2, "path.ps");
    Line(100, 100, 200, 100);
    Line(200, 100, 200, 300);
    Colour(0x0000FF);
    Close();
    auto lines = Lines("path.ps");
    // 1000 x 700 device units on a 756 x 540 point page.
    std::string joined;
    for (auto &l : lines) joined += l + "\n";
    EXPECT_NE(std::string::npos, joined.find("75.60 77.14 m\n151.20 77.14 l\n151.20 231.43 l\n"));
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), std::string("s"))) << joined;
    Render("path.ps");
}

TEST_F(PostScript, SameColourWritesNothingAndLongPathsRestart) {
    Open(2, "long.ps");
    Colour(0x00FF00);
    Colour(0x00FF00);
    for (int k = 0; k < 256; ++k) Line(k * 2.0f, 10, k * 2.0f + 2, 10);
    Close();
    auto lines = Lines("long.ps");
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), std::string("0.0 1.0 0.0 g")));
    // 256 segments: the 256th strokes the first path and starts a new one with "m".
    EXPECT_EQ(2, std::count(lines.begin(), lines.end(), std::string("s")));
    auto page = std::find(lines.begin(), lines.end(), "clip");
    auto stroke = std::find(page, lines.end(), "s");
    ASSERT_NE(lines.end(), stroke);
    EXPECT_EQ(255, std::count_if(page, stroke, [](const std::string &l) {
                  return l.size() > 2 && l.compare(l.size() - 2, 2, " l") == 0;
              }));
    EXPECT_EQ("385.56 7.71 m", *(stroke + 1));
    Render("long.ps");
}

TEST_F(PostScript, TextIsEscapedAndNothingBreaksTheString) {
    Open(2, "text.ps");
    gGraphics.justification = 0;
    Text(100, 100, "a(b)");
    Text(100, 200, "Ctrl-D \x04 ends a job");
    Text(100, 300, std::string(200, '('));
    Close();
    auto lines = Lines("text.ps");
    EXPECT_TRUE(Has(lines, "(a\\(b\\)) lsh")) << ReadWholeFile(Name("text.ps"));
    std::string data = ReadWholeFile(Name("text.ps"));
    // The string with its parentheses takes at most 251 characters, so the line with its show
    // word fits in 255: 124 escaped "(" take 248, and the next one is not cut in half.
    std::string cut = "(";
    for (int k = 0; k < 124; ++k) cut += "\\(";
    EXPECT_TRUE(Has(lines, cut + ") lsh"));
    EXPECT_NE(std::string::npos, data.find("\\004")) << "a Ctrl-D inside text is an octal escape";
    Render("text.ps");
}

TEST_F(PostScript, PagesAndEncapsulatedFiles) {
    Open(2, "pages.ps", "Three pages");
    for (int page = 0; page < 3; ++page) {
        Rectangle(100, 100, 500, 400);
        EndPage(page < 2);
    }
    Close();
    auto lines = Lines("pages.ps");
    EXPECT_TRUE(Has(lines, "%%Title: Three pages"));
    EXPECT_TRUE(Has(lines, "%%Page: 3 3"));
    EXPECT_EQ(3, std::count(lines.begin(), lines.end(), std::string("gsave showpage grestore")));
    EXPECT_EQ(3, GhostscriptPages("pages.ps"));

    Open(2, "empty.ps");
    Close();
    Render("empty.ps");

    Select(2);
    Option(22, 1);
    OpenSelected("figure.eps");
    Rectangle(0, 0, 500, 350);
    Close();
    std::string eps = ReadWholeFile(Name("figure.eps"));
    EXPECT_EQ(std::string::npos, eps.find("showpage"));
    EXPECT_EQ(std::string::npos, eps.find("initgraphics"));
    Picture picture = Render("figure.eps", true);
    ASSERT_GT(picture.width, 0);
}

TEST_F(PostScript, SelectingTheDeviceAgainEndsEncapsulatedOutput) {
    // Encapsulated output chosen on the PostScript device, then another device, then the
    // PostScript device again: its defaults are back, and a file of three pages is a
    // document of three pages.
    Select(2);
    Option(22, 1);
    Select(3);
    Select(2);
    OpenSelected("again.ps");
    for (int page = 0; page < 3; ++page) {
        Rectangle(100, 100, 500, 400);
        EndPage(page < 2);
    }
    Close();
    auto lines = Lines("again.ps");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ("%!PS-Adobe-3.0", lines[0]);
    EXPECT_EQ(3, std::count(lines.begin(), lines.end(), std::string("gsave showpage grestore")));
    EXPECT_TRUE(Has(lines, "initgraphics"));
    EXPECT_EQ(3, GhostscriptPages("again.ps"));
}

TEST_F(PostScript, OutlineArcIsAClosedSectorOutline) {
    Select(2);
    Option(5, 0);
    OpenSelected("arc.ps");
    Arc(500, 350, 200, 0, 90);
    Close();
    auto lines = Lines("arc.ps");
    // The path starts at the centre, runs along the arc and is closed and stroked.
    auto arc = std::find_if(lines.begin(), lines.end(), [](const std::string &l) {
        return l.size() > 4 && l.compare(l.size() - 4, 4, " arc") == 0;
    });
    ASSERT_NE(lines.end(), arc);
    ASSERT_NE(lines.begin(), arc);
    EXPECT_EQ(" m", (arc - 1)->substr((arc - 1)->size() - 2));
    auto end = std::find(arc, lines.end(), "grestore");
    ASSERT_NE(lines.end(), end);
    EXPECT_EQ("cs", *(end - 1));
    Picture p = Render("arc.ps");
    ASSERT_GT(p.width, 0);
    // Portrait without rotation: x offset 42 points, y offset -20 points from the lower left.
    auto px = [&](float x) { return static_cast<int>(42 + x * 0.756f); };
    auto py = [&](float y) { return p.height - 1 - static_cast<int>(-20 + y * 540.0f / 700.0f); };
    // Both radii and the arc are drawn (a circle of radius 200 device units); the inside is
    // not filled.
    EXPECT_TRUE(p.DarkNear(px(600), py(350), 2));
    EXPECT_TRUE(p.DarkNear(px(500), py(450), 2));
    EXPECT_TRUE(p.DarkNear(px(500 + 141.4f), py(350 + 141.4f), 2));
    EXPECT_FALSE(p.DarkNear(px(560), py(410), 2));
}

TEST_F(PostScript, RenderedGeometryFollowsTheDrawing) {
    Select(2);
    Option(5, 0);
    OpenSelected("frame.ps");
    Rectangle(0, 0, 500, 350);  // the lower left quarter, filled
    Line(600, 100, 900, 600);
    Close();
    Picture p = Render("frame.ps");
    ASSERT_GT(p.width, 0);
    // Portrait without rotation: x offset 42 points, y offset -20 points from the lower left.
    auto px = [&](float x) { return static_cast<int>(42 + x * 0.756f); };
    auto py = [&](float y) { return p.height - 1 - static_cast<int>(-20 + y * 540.0f / 700.0f); };
    EXPECT_TRUE(p.Dark(px(250), py(200)));
    EXPECT_FALSE(p.Dark(px(750), py(200 + 300)));
    for (int k = 0; k <= 10; ++k) {
        float x = 600 + 30.0f * k, y = 100 + 50.0f * k;
        EXPECT_TRUE(p.DarkNear(px(x), py(y), 2)) << k;
    }
}

}  // namespace
