// Recorded pictures opened by an independent reader: LibreOffice converts them to PNG (one
// batch for all pictures, with a private profile), ImageMagick to PPM, and the colours must
// land where they were drawn. The reader runs on Linux, so the test is part of the native
// build only.
#include <gtest/gtest.h>

#ifndef _WIN32
#include "graphics/driver_protocol.h"
#include "graphics/graphics_state.h"
#include "graphics/metafile_slots.h"
#include "graphics/recording_driver.h"
#include "quillamorph/graphics.h"
#include "scratch_folder.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace quill;

namespace {

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
};

Image ReadPpm(const std::string &path) {
    Image img;
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxval = 0;
    in >> magic >> img.width >> img.height >> maxval;
    in.get();
    if (magic != "P6" || maxval != 255) return Image{};
    img.rgb.resize(static_cast<std::size_t>(img.width) * img.height * 3);
    in.read(reinterpret_cast<char *>(img.rgb.data()), static_cast<std::streamsize>(img.rgb.size()));
    return img;
}

// The centre of the pixels close to colour (R, G, B), and how many there are.
struct Spot {
    double x = 0, y = 0;
    long count = 0;
};
Spot Find(const Image &img, int r, int g, int b) {
    Spot s;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const unsigned char *p = &img.rgb[(static_cast<std::size_t>(y) * img.width + x) * 3];
            if (std::abs(p[0] - r) < 40 && std::abs(p[1] - g) < 40 && std::abs(p[2] - b) < 40) {
                s.x += x;
                s.y += y;
                ++s.count;
            }
        }
    if (s.count) {
        s.x /= s.count;
        s.y /= s.count;
    }
    return s;
}

void Op(int op) { yygcgm_(&op); }
void Colour(int rgb) {
    gGraphics.colourModel = kColourRgb;
    gGraphics.colour.rgb = rgb;
    Op(kOpColour);
}
void Point(int k, int x, int y) {
    gOperands.Ixd(k) = x;
    gOperands.Iyd(k) = y;
}

// Records slot N as a 72 x 72 point picture and writes it to PATH.
void RecordTo(int n, const std::string &path, void (*draw)()) {
    int w = 72, h = 72, capacity = 100000, status = -1;
    quill::StartRecordedMetafile(&n, &w, &h, &capacity, &status);
    ASSERT_EQ(status, 0);
    int dw, dh;
    yymetafileselect_(&n, &status, &dw, &dh);
    ASSERT_EQ(status, 0);
    gGraphics.kind = kDrawMetafile;
    gGraphics.id = n;
    gGraphics.width = dw;
    gGraphics.height = dh;
    gGraphics.aspect = 1;
    draw();
    quill::EndRecordedMetafile(&n);
    int size = 0;
    quill::CopyRecordedMetafile(&n, nullptr, &size);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    quill::CopyRecordedMetafile(&n, bytes.data(), &size);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), size);
    wmetafiledestroy_(&n);
}

TEST(MetafileReader, LibreOfficeDrawsRecordedPicturesWhereTheyWereDrawn) {
    gGraphics = quill::DefaultGraphicsState();
    ScratchFolder folder("cgmread");
    const std::string dir = folder.path.string();
    // Shapes: a red block top left, a blue block top right, a green sector bottom left.
    RecordTo(1, dir + "/shapes.cgm", [] {
        Colour(0x0000FF);
        Point(1, 60, 360);
        Point(2, 240, 540);
        Op(kOpRectangleSolid);
        Colour(0xFF0000);
        Point(1, 360, 360);
        Point(2, 540, 540);
        Op(kOpRectangleSolid);
        Colour(0x00FF00);
        Point(1, 150, 150);
        gOperands.Rd(2) = 100;
        gOperands.Rd(6) = 100;
        gOperands.Rd(3) = 0;
        gOperands.Rd(7) = 6.2f;
        Op(kOpSectorSolid);
    });
    // Lines, an ellipse outline, text and a gradient triangle in one picture.
    RecordTo(2, dir + "/mixed.cgm", [] {
        Colour(0x0000FF);
        gGraphics.relLineWidth = 20;
        Op(kOpLineWidth);
        for (int y = 300; y < 340; y += 4) {
            Point(1, 50, y);
            Point(2, 550, y);
            Op(kOpLine);
        }
        Point(1, 300, 150);
        Point(2, 100, 0);
        gOperands.Iyd(2) = 60;
        Op(kOpEllipse);
        gGraphics.charHeight = 0.05f;
        gGraphics.refHeight = 600;
        gGraphics.effectiveFont = 2;
        Op(kOpFont);
        SetText("Recorded", 8);
        gOperands.Rd(1) = 50;
        gOperands.Rd(5) = 450;
        gOperands.Rd(3) = 300;
        gOperands.Rd(7) = 450;
        Op(kOpText);
        int x[3] = {350, 550, 350}, y[3] = {400, 400, 550}, c[3] = {0x0000FF, 0x00FF00, 0xFF0000};
        yygcgm9_(x, y, c);
    });

    // A band along the picture's diagonal that runs far beyond what a metafile point holds.
    RecordTo(3, dir + "/far.cgm", [] {
        Colour(0x0000FF);
        const float x[] = {0, 100000, 100000, 0}, y[] = {0, 100000, 100040, 40};
        SetPolygon(x, y, 4);
        Op(kOpPolygonSolid);
    });

    std::string cmd = "cd '" + dir + "' && timeout 180 soffice -env:UserInstallation=file://" +
                      dir + "/profile --headless --convert-to png --outdir '" + dir +
                      "' shapes.cgm mixed.cgm far.cgm >/dev/null 2>&1 && convert shapes.png"
                      " shapes.ppm && convert mixed.png mixed.ppm && convert far.png far.ppm";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;

    Image shapes = ReadPpm(dir + "/shapes.ppm");
    ASSERT_GT(shapes.width, 0);
    Spot red = Find(shapes, 255, 0, 0), blue = Find(shapes, 0, 0, 255),
         green = Find(shapes, 0, 255, 0);
    ASSERT_GT(red.count, 100);
    ASSERT_GT(blue.count, 100);
    ASSERT_GT(green.count, 100);
    EXPECT_LT(red.x, blue.x);       // red left of blue
    EXPECT_NEAR(red.y, blue.y, 5);  // on one level
    EXPECT_GT(green.y, red.y);      // the sector below (image rows grow downwards)
    EXPECT_NEAR(green.x, red.x, (blue.x - red.x) / 2);
    EXPECT_NEAR(static_cast<double>(red.count) / blue.count, 1.0, 0.1);

    Image mixed = ReadPpm(dir + "/mixed.ppm");
    ASSERT_GT(mixed.width, 0);
    Spot lines = Find(mixed, 255, 0, 0);
    EXPECT_GT(lines.count, 100);

    // The band crosses the square picture along its diagonal: red from its bottom to its top
    // row, the middle of the red in each row on one straight line at 45 degrees.
    Image far = ReadPpm(dir + "/far.ppm");
    ASSERT_GT(far.height, 100);
    auto middle = [&far](int row) {
        long sum = 0, count = 0;
        for (int x = 0; x < far.width; ++x) {
            const unsigned char *p = &far.rgb[(static_cast<std::size_t>(row) * far.width + x) * 3];
            if (p[0] > 200 && p[1] < 60 && p[2] < 60) sum += x, ++count;
        }
        return count ? static_cast<double>(sum) / count : -1.0;
    };
    const int h = far.height;
    EXPECT_GE(middle(2), 0) << "the top row";
    EXPECT_GE(middle(h - 3), 0) << "the bottom row";
    const double a = middle(h / 4), b = middle(h / 2), c = middle(3 * h / 4);
    ASSERT_GE(a, 0);
    ASSERT_GE(c, 0);
    EXPECT_NEAR(b, (a + c) / 2, 3) << "straight";
    EXPECT_NEAR((a - c) / (h / 2), 1.0, 0.1) << "at 45 degrees";
}

}  // namespace
#endif
