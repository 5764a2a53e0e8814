// The metafile family: placeable, plain and enhanced metafiles written to files, read by an
// independent reader (wmf2svg), played back into a memory bitmap, and refused when they are
// no metafiles; pens made only when colour, line type or width change.
#include <gtest/gtest.h>

#include "graphics/draw_families.h"
#include "graphics/drawing_target.h"
#include "metafile_play.h"
#include "plot_readers.h"
#include "quillamorph/errors.h"
#include "scratch_folder.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct WmfFamily : ::testing::Test {
    ScratchFolder folder{"wmf"};
    HDC savedDC = nullptr;
    void SetUp() override {
        savedDC = quill::Target().dc;
        for (int item = 1; item <= 3; ++item) infoerror_(&item);
    }
    void TearDown() override {
        yywmfclose_();
        quill::Target().dc = savedDC;
    }
    std::string File(const char *name) { return (folder.path / name).string(); }

    // Opens a metafile of WIDTH x HEIGHT tenths of a point.
    void Open(int format, const std::string &name, int width = 720, int height = 720,
              int box = 1000, int boxBottom = 500, int checksum = 0x1234, int clipboard = 0) {
        const int style = 0;
        const char description[] = "family test";
        yywmfopen_(&width, &height, &format, &style, &box, &boxBottom, &checksum, &clipboard,
                   name.c_str(), description, static_cast<int>(name.size()),
                   sizeof description - 1);
    }

    // A red block over (50, 50)-(300, 300) and a blue line along the bottom.
    static void DrawPicture() {
        const int r = 255, z = 0;
        yywmfcolour_(&r, &z, &z);
        const int a = 50, b = 300;
        yywmfrectangle_(&a, &a, &b, &b);
        yywmfcolour_(&z, &z, &r);
        const int x1 = 0, y = 700, x2 = 700;
        yywmfline_(&x1, &y, &x2, &y);
    }

    // Plays FILE of FORMAT into a 100 x 100 white bitmap; returns the status, the pixels in RGB.
    static int Play(int format, const std::string &file, std::vector<COLORREF> &pixels) {
        int status = -1;
        pixels = PlayMetafile(format, file, 100, 100, &status);
        return status;
    }

    // wmf2svg reads the file; the SVG it writes.
    std::string ReadBack(const std::string &file) {
        ReaderRun run =
            RunReader("wmf2svg -o '" + ReaderPath(file + ".svg") + "' '" + ReaderPath(file) + "'");
        EXPECT_EQ(0, run.status) << run.output;
        return ReadWholeFile(file + ".svg");
    }
};

TEST_F(WmfFamily, PlaceableAndPlainFilesAreReadAndPlayedBack) {
    const std::string placeable = File("placeable.wmf"), plain = File("plain.wmf");
    Open(1, placeable);
    DrawPicture();
    yywmfclose_();
    Open(0, plain);
    DrawPicture();
    yywmfclose_();

    // The placeable header: key, handle, box 0, 0, 1000, 500, 1000 units an inch, reserved,
    // checksum; the plain metafile follows it.
    const std::string data = ReadWholeFile(placeable), bare = ReadWholeFile(plain);
    const unsigned char header[22] = {0xD7, 0xCD, 0xC6, 0x9A, 0,    0, 0, 0, 0, 0,    0xE8,
                                      0x03, 0xF4, 0x01, 0xE8, 0x03, 0, 0, 0, 0, 0x34, 0x12};
    ASSERT_GT(data.size(), 22u + 18u);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(header), 22), data.substr(0, 22));
    EXPECT_EQ(bare, data.substr(22));  // the same drawing, recorded in memory or in the file
    EXPECT_EQ(1, bare[0]);             // a metafile on disk, 9 words of header
    EXPECT_EQ(9, bare[2]);

    for (const std::string &file : {placeable, plain}) {
        std::string svg = ReadBack(file);
        EXPECT_NE(std::string::npos, svg.find("fill:red")) << svg;
        EXPECT_NE(std::string::npos, svg.find("stroke:blue")) << svg;
        std::vector<COLORREF> pixels;
        ASSERT_EQ(0, Play(file == placeable ? 1 : 0, file, pixels));
        EXPECT_EQ(RGB(255, 0, 0), pixels[25 * 100 + 25]) << file;      // inside the block
        EXPECT_EQ(RGB(255, 255, 255), pixels[25 * 100 + 80]) << file;  // beside it
        int blue = 0;
        for (int y = 94; y < 100; ++y)
            for (int x = 10; x < 90; ++x) blue += pixels[y * 100 + x] == RGB(0, 0, 255);
        EXPECT_GT(blue, 60) << file;
    }
}

// A metafile played into the current drawable keeps to the clip region, which is removed
// afterwards: a 10 x 10 clip in the middle of the red block leaves only that square red.
TEST_F(WmfFamily, PlaybackIntoTheDrawableKeepsToTheClip) {
    const std::string plain = File("clipped.wmf"), enhanced = File("clipped.emf");
    Open(0, plain);
    DrawPicture();
    yywmfclose_();
    Open(2, enhanced);
    DrawPicture();
    yywmfclose_();
    for (int format : {0, 2}) {
        const std::string &file = format == 0 ? plain : enhanced;
        std::vector<COLORREF> whole, clipped;
        ASSERT_EQ(0, Play(format, file, whole)) << format;
        int left = 100, top = 100, right = -1, bottom = -1;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                if (whole[y * 100 + x] == RGB(255, 0, 0))
                    left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
                    bottom = std::max(bottom, y);
        ASSERT_GE(right - left, 20) << format;
        ASSERT_GE(bottom - top, 20) << format;
        const int cx = (left + right) / 2 - 5, cy = (top + bottom) / 2 - 5, cx2 = cx + 9,
                  cy2 = cy + 9;
        yywinclip_(&cx, &cy, &cx2, &cy2);
        ASSERT_EQ(0, Play(format, file, clipped)) << format;
        const int none = -1;
        yywinclip_(&none, &none, &none, &none);
        int red = 0, outside = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) {
                const bool in = x >= cx && x <= cx2 && y >= cy && y <= cy2;
                if (clipped[y * 100 + x] == RGB(255, 0, 0)) ++red;
                if (!in && clipped[y * 100 + x] != RGB(255, 255, 255)) ++outside;
            }
        EXPECT_EQ(red, 100) << format << ": the whole clip square, its last row and column too";
        EXPECT_EQ(outside, 0) << format << ": nothing outside the clip";
    }
}

TEST_F(WmfFamily, BadFilesAndTargetsAreRefused) {
    std::vector<COLORREF> pixels;
    EXPECT_EQ(1, Play(0, File("missing.wmf"), pixels));
    const std::string text = File("text.wmf"), shortFile = File("short.wmf");
    std::ofstream(text) << "this is no metafile at all, only a line of text\n";
    std::ofstream(shortFile) << "\xD7\xCD\xC6\x9A";
    EXPECT_EQ(2, Play(0, text, pixels));
    EXPECT_EQ(2, Play(2, text, pixels));
    EXPECT_EQ(2, Play(1, shortFile, pixels));
    EXPECT_EQ(RGB(255, 255, 255), pixels[50 * 100 + 50]);  // nothing drawn

    // A good file into a target that is not open.
    const std::string good = File("good.wmf");
    Open(0, good);
    DrawPicture();
    yywmfclose_();
    int status = -1, format = 0, target = 11, z = 0, e = 99;
    yywmfplaymetafile_(&format, &z, &z, &e, &e, &target, &status, good.c_str(),
                       static_cast<int>(good.size()));
    EXPECT_EQ(3, status);

    // A metafile that cannot be made: error 1, the family stays closed and draws nothing.
    const std::string nowhere = File("no-such-folder/x.wmf");
    for (int f : {0, 1, 2}) {
        Open(f, nowhere);
        int item = 1;
        EXPECT_EQ(1, infoerror_(&item)) << f;
        int w, h, fmt;
        EXPECT_FALSE(quill::MetafileExtent(&w, &h, &fmt));
        DrawPicture();
        yywmfclose_();
    }
    EXPECT_FALSE(std::filesystem::exists(nowhere));
}

// The pen records of an enhanced metafile file.
int PenRecords(const std::string &file) {
    const std::string data = ReadWholeFile(file);
    int pens = 0;
    for (std::size_t at = 0; at + 8 <= data.size();) {
        auto word = [&](std::size_t k) {
            return static_cast<unsigned>(static_cast<unsigned char>(data[k])) |
                   static_cast<unsigned>(static_cast<unsigned char>(data[k + 1])) << 8 |
                   static_cast<unsigned>(static_cast<unsigned char>(data[k + 2])) << 16 |
                   static_cast<unsigned>(static_cast<unsigned char>(data[k + 3])) << 24;
        };
        const unsigned type = word(at), size = word(at + 4);
        if (type == EMR_CREATEPEN || type == EMR_EXTCREATEPEN) ++pens;
        if (size < 8) break;
        at += size;
    }
    return pens;
}

TEST_F(WmfFamily, EnhancedMetafileMakesAPenOnlyForAChange) {
    const std::string file = File("pens.emf");
    Open(2, file, 7200, 3600);
    int w = 0, h = 0, format = -1;
    ASSERT_TRUE(quill::MetafileExtent(&w, &h, &format));
    EXPECT_EQ(2, format);
    EXPECT_GT(w, h);
    const int r = 200, z = 0, a = 10, b = 500, c = 900;
    yywmfcolour_(&r, &z, &z);
    const int three = 3;
    yywmflinewidth_(&three);
    yywmfline_(&a, &a, &b, &b);
    yywmfline_(&b, &b, &c, &a);  // same colour, type and width: the same pen
    yywmfclose_();
    EXPECT_EQ(1, PenRecords(file));

    Open(2, file, 7200, 3600);
    yywmfcolour_(&r, &z, &z);
    yywmfline_(&a, &a, &b, &b);
    const int wide = 5, dashed = 2;
    yywmflinewidth_(&wide);
    yywmfline_(&b, &b, &c, &a);  // a new width: a new pen
    yywmflinetype_(&dashed);
    yywmfline_(&a, &c, &c, &c);  // dashed: a geometric pen
    yywmfclose_();
    EXPECT_EQ(3, PenRecords(file));

    HENHMETAFILE emf = GetEnhMetaFileA(file.c_str());
    ASSERT_NE(nullptr, emf);
    ENHMETAHEADER header = {};
    GetEnhMetaFileHeader(emf, sizeof header, &header);
    EXPECT_NEAR(7200 * 254 / 72, header.rclFrame.right - header.rclFrame.left, 2);
    EXPECT_NEAR(3600 * 254 / 72, header.rclFrame.bottom - header.rclFrame.top, 2);
    DeleteEnhMetaFile(emf);

    std::vector<COLORREF> pixels;
    EXPECT_EQ(0, Play(2, file, pixels));
}

}  // namespace
