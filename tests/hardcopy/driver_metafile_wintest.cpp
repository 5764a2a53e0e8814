// The Windows metafile driver (device 11): a drawing in each metafile form, read by wmf2svg
// and LibreOffice and played back where it was drawn; the monochrome rule; measuring text; a
// metafile that cannot be made.
#include "plot_readers.h"
#include "metafile_play.h"

#include "core/startup.h"
#include "graphics/draw_families.h"
#include "graphics/drawing_target.h"
#include "hardcopy/drivers.h"
#include "hardcopy/hardcopy_startup.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kMetafileFormatOption = 19;

class MetafileDriver : public PlotTest {
protected:
    void SetUp() override {
        quill::EnterWindowsHardcopyDrivers();
        PlotTest::SetUp();
    }

    // A red block over (100, 100)-(400, 300), a blue line and text, on the 1000 x 700 drawable.
    void Draw() {
        Colour(0x0000FF);
        Rectangle(100, 100, 400, 300);
        Colour(0xFF0000);
        Line(0, 650, 999, 650);
        Ellipse(700, 350, 100, 80);
        Sector(700, 150, 80, 0, 90);
        Polyline({500, 600, 700}, {50, 100, 50});
        Text(100, 500, "Metafile");
    }

    // Plays FILE into a 200 x 140 white bitmap (the drawable at a fifth), which must succeed;
    // RGB pixels, top row first.
    static std::vector<COLORREF> Play(int format, const std::string &file) {
        int status = -1;
        std::vector<COLORREF> pixels = PlayMetafile(format, file, 200, 140, &status);
        EXPECT_EQ(0, status) << file;
        return pixels;
    }

    // A metafile of FORMAT in FILE with the system's gradient routine, as start-up finds it:
    // a frame line along the top, a green triangle (one colour at every corner) and a
    // blue-to-red one.
    void DrawGradients(int format, const std::string &file) {
        const GradientFillProc saved = pGradientFill;
        pGradientFill = reinterpret_cast<GradientFillProc>(
            reinterpret_cast<void *>(GetProcAddress(LoadLibraryA("msimg32.dll"), "GradientFill")));
        ASSERT_NE(nullptr, pGradientFill);
        Select(11);
        Option(kMetafileFormatOption, format);
        OpenSelected(file);
        Colour(0x000000);
        Line(0, 690, 999, 690);
        Gradient({550, 950, 750}, {100, 100, 400}, {0x00FF00, 0x00FF00, 0x00FF00});
        Gradient({100, 400, 250}, {400, 400, 650}, {0xFF0000, 0x0000FF, 0x0000FF});
        Close();
        pGradientFill = saved;
    }

    // FILE of FORMAT played back shows the triangles of DrawGradients where they were drawn.
    static void ExpectPlayedGradients(int format, const std::string &file) {
        std::vector<COLORREF> played = Play(format, file);
        auto at5 = [&played](int x, int y) { return played[(140 - y / 5) * 200 + x / 5]; };
        EXPECT_EQ(RGB(0, 255, 0), at5(750, 200));
        EXPECT_EQ(RGB(255, 255, 255), at5(620, 350)) << "beside the green triangle";
        EXPECT_GT(GetBValue(at5(130, 410)), 150) << "blue at the blue corner";
        EXPECT_LT(GetRValue(at5(130, 410)), 100);
        EXPECT_GT(GetRValue(at5(250, 600)), 150) << "red towards the red corners";
        EXPECT_LT(GetBValue(at5(250, 600)), 100);
    }
};

TEST_F(MetafileDriver, EveryFormatIsReadAndPlaysBackWhereDrawn) {
    const char *names[3] = {"plain.wmf", "placeable.wmf", "enhanced.emf"};
    for (int format = 0; format < 3; ++format) {
        Select(11);
        if (format != 1) Option(kMetafileFormatOption, format);  // placeable by default
        OpenSelected(names[format], "driver test");
        ASSERT_EQ(1, gHardcopy.open);
        Draw();
        Close();
        std::vector<COLORREF> pixels = Play(format, Name(names[format]));
        // The block: x 20..80, rows 80..120 of the bitmap.
        EXPECT_EQ(RGB(255, 0, 0), pixels[100 * 200 + 50]) << format;
        EXPECT_EQ(RGB(255, 255, 255), pixels[100 * 200 + 110]) << format;
        int blue = 0;
        for (int x = 10; x < 190; ++x)
            for (int y = 8; y <= 12; ++y) blue += pixels[y * 200 + x] == RGB(0, 0, 255);
        EXPECT_GT(blue, 150) << format;
    }
    // The placeable header: the 756 x 540 point page at 1000 units an inch, its checksum.
    const std::string data = ReadWholeFile(Name("placeable.wmf"));
    ASSERT_GT(data.size(), 22u);
    auto word = [&](int k) {
        return static_cast<unsigned char>(data[k]) | static_cast<unsigned char>(data[k + 1]) << 8;
    };
    EXPECT_EQ(10500, word(10));
    EXPECT_EQ(7500, word(12));
    int sum = 0;
    for (int k = 0; k < 10; ++k) sum ^= word(2 * k);
    EXPECT_EQ(sum, word(20));

    for (const char *wmf : {"plain.wmf", "placeable.wmf"}) {
        ReaderRun run = RunReader("wmf2svg -o '" + ReaderPath(Name(std::string(wmf) + ".svg")) +
                                  "' '" + ReaderPath(Name(wmf)) + "'");
        EXPECT_EQ(0, run.status) << run.output;
        const std::string svg = ReadWholeFile(Name(std::string(wmf) + ".svg"));
        EXPECT_NE(std::string::npos, svg.find("fill:red")) << svg;
        EXPECT_NE(std::string::npos, svg.find("stroke:blue")) << svg;
        EXPECT_NE(std::string::npos, svg.find("Metafile")) << svg;
    }
    // LibreOffice draws all three; the red block lands left of the middle, in the lower half.
    std::string files;
    for (const char *name : names) files += " '" + ReaderPath(Name(name)) + "'";
    ReaderRun office =
        RunReader("cd '" + ReaderPath(scratch.path) + "' && HOME='" + ReaderPath(scratch.path) +
                  "' soffice --headless --convert-to png" + files);
    EXPECT_EQ(0, office.status) << office.output;
    for (const char *name : names) {
        const std::string stem = std::string(name).substr(0, std::string(name).find('.'));
        ReaderRun ppm = RunReader("pngtopnm '" + ReaderPath(Name(stem + ".png")) + "' > '" +
                                  ReaderPath(Name(stem + ".ppm")) + "'");
        ASSERT_EQ(0, ppm.status) << ppm.output;
        Picture picture = ReadPpm(Name(stem + ".ppm"));
        ASSERT_GT(picture.width, 50) << name;
        // The line across the drawable gives the picture's width; the block's middle lies at a
        // quarter of it, below the line.
        int lineRow = -1, lineLeft = 0, lineRight = 0, most = 0;
        long long redX = 0, redY = 0, red = 0;
        for (int y = 0; y < picture.height; ++y) {
            int blue = 0, left = -1, right = -1;
            for (int x = 0; x < picture.width; ++x) {
                const unsigned char *p =
                    &picture.rgb[3 * (static_cast<std::size_t>(y) * picture.width + x)];
                if (p[2] > 150 && p[0] < 200 && p[1] < 200) {
                    ++blue;
                    if (left < 0) left = x;
                    right = x;
                }
                if (p[0] > 200 && p[1] < 60 && p[2] < 60) redX += x, redY += y, ++red;
            }
            if (blue > 0 && right - left > most)
                most = right - left, lineRow = y, lineLeft = left, lineRight = right;
        }
        ASSERT_GT(red, 100) << name;
        const double middle =
            (static_cast<double>(redX) / red - lineLeft) / std::max(lineRight - lineLeft, 1);
        EXPECT_NEAR(0.25, middle, 0.05) << name;
        EXPECT_GT(redY / red, lineRow) << name;
    }
}

TEST_F(MetafileDriver, MonochromeMeasuringAndFailure) {
    Select(11);
    Option(kMetafileFormatOption, 2);
    Option(7, 1);  // monochrome: colour 0 white, every other black
    OpenSelected("mono.emf");
    Colour(0x0000FF);
    Rectangle(100, 100, 400, 300);
    gGraphics.colour = {0, 0x00FF00, 0};  // colour number 0
    quill::SendOp(kOpColour, kSideHardcopy);
    Rectangle(200, 150, 300, 250);
    // Measuring answers through the operands.
    int lines = 0;
    EXPECT_GT(Measure("Width", &lines), 0.0f);
    EXPECT_EQ(1, lines);
    Close();
    std::vector<COLORREF> pixels = Play(2, Name("mono.emf"));
    EXPECT_EQ(RGB(0, 0, 0), pixels[110 * 200 + 30]);
    EXPECT_EQ(RGB(255, 255, 255), pixels[100 * 200 + 50]);

    // A metafile that cannot be made: error 1 and no hardcopy open.
    Select(11);
    OpenSelected("no-such-folder/x.wmf");
    int item = 1;
    EXPECT_EQ(1, infoerror_(&item));
    EXPECT_EQ(0, gHardcopy.open);
}

// A 4 x 4 green BMP file.
void WriteGreenBmp(const std::string &path) {
    unsigned char file[14 + 40 + 48] = {'B', 'M'};
    auto put32 = [&](int at, unsigned v) {
        for (int k = 0; k < 4; ++k) file[at + k] = static_cast<unsigned char>(v >> (8 * k));
    };
    put32(2, sizeof file);
    put32(10, 54);
    put32(14, 40);
    put32(18, 4);
    put32(22, 4);
    file[26] = 1;
    file[28] = 24;
    put32(34, 48);
    for (int k = 0; k < 16; ++k) file[54 + 3 * k + 1] = 255;
    std::FILE *out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, out);
    std::fwrite(file, 1, sizeof file, out);
    std::fclose(out);
}

TEST_F(MetafileDriver, ImagesCoverTheClipRectangle) {
    const std::string image = Name("green.bmp");
    WriteGreenBmp(image);
    Select(11);
    Option(kMetafileFormatOption, 2);
    OpenSelected("image.emf");
    quill::SetText(image.data(), image.size());
    quill::SendOp(kOpImage, kSideHardcopy);
    EXPECT_EQ(0, gOperands.Id(1));
    quill::SetText("missing.bmp", 11);
    quill::SendOp(kOpImage, kSideHardcopy);
    EXPECT_EQ(1, gOperands.Id(1));
    Close();
    std::vector<COLORREF> pixels = Play(2, Name("image.emf"));
    EXPECT_EQ(RGB(0, 255, 0), pixels[70 * 200 + 100]);
    EXPECT_EQ(RGB(0, 255, 0), pixels[130 * 200 + 190]);
}

// Gradient polygons in an enhanced metafile are the system's gradient records and nothing in
// front of them: played back, a green triangle (one colour at every corner) and a blue-to-red
// one land where drawn. LibreOffice reads the file but draws no gradient records; that is the
// reader's limit, so with it only the rest of the drawing is checked.
TEST_F(MetafileDriver, GradientTrianglesAreTheSystemsGradientRecords) {
    DrawGradients(2, "gradient.emf");

    // The records: two gradient fills, no filled polygons.
    const std::string data = ReadWholeFile(Name("gradient.emf"));
    auto word = [&data](std::size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(data[at])) |
               static_cast<unsigned>(static_cast<unsigned char>(data[at + 1])) << 8 |
               static_cast<unsigned>(static_cast<unsigned char>(data[at + 2])) << 16 |
               static_cast<unsigned>(static_cast<unsigned char>(data[at + 3])) << 24;
    };
    int gradients = 0, polygons = 0;
    for (std::size_t at = 0; at + 8 <= data.size();) {
        const unsigned type = word(at), size = word(at + 4);
        if (type == EMR_GRADIENTFILL) ++gradients;
        if (type == EMR_POLYGON || type == EMR_POLYGON16 || type == EMR_POLYPOLYGON16) ++polygons;
        if (size < 8 || type == EMR_EOF) break;
        at += size;
    }
    EXPECT_EQ(2, gradients);
    EXPECT_EQ(0, polygons) << "no solid pieces in front of the gradients";

    ExpectPlayedGradients(2, Name("gradient.emf"));

    ReaderRun office =
        RunReader("cd '" + Unix("") + "' && timeout 300 soffice -env:UserInstallation=file://" +
                  Unix("profile") + " --headless --convert-to png gradient.emf &&" +
                  " pngtopnm -mix -background white gradient.png > gradient.ppm");
    ASSERT_EQ(0, office.status) << office.output;
    Picture p = ReadPpm(Name("gradient.ppm"));
    ASSERT_GT(p.width, 100);
    // The frame line, the widest run of grey on a row, spans the drawable's width on the page.
    int left = 0, right = -1;
    for (int y = 0; y < p.height; ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < p.width; ++x) {
            const unsigned char *c = &p.rgb[3 * (static_cast<std::size_t>(y) * p.width + x)];
            if (c[0] < 200 && c[0] == c[1] && c[1] == c[2]) last = x, first = first < 0 ? x : first;
        }
        if (last - first > right - left) left = first, right = last;
    }
    EXPECT_GT(right - left, p.width / 2) << "the frame line is drawn across the page";
}

// A plain metafile takes no gradient records: its triangles come as solid pieces, a few hundred
// bytes each, where pixels set one by one would take megabytes.
TEST_F(MetafileDriver, PlainMetafilesGetGradientTrianglesAsSolidPieces) {
    DrawGradients(0, "gradient.wmf");
    EXPECT_LT(ReadWholeFile(Name("gradient.wmf")).size(), 20000u);
    ExpectPlayedGradients(0, Name("gradient.wmf"));
}

}  // namespace
