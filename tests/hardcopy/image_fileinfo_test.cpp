// File information: every kind of file gets its type code and the sizes its header or text
// gives; unknown, short and missing files give -1; only the first NINFO entries are written.
#include "hardcopy/image_codec.h"
#include "image_test_tools.h"
#include "quillamorph/imagefiles.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using imagetest::Drawing;

class FileInfo : public ::testing::Test {
protected:
    ScratchFolder folder{"image-info"};

    std::array<int, 6> Of(const std::string &name, const std::string &bytes) {
        return Of(name, std::vector<unsigned char>(bytes.begin(), bytes.end()));
    }
    std::array<int, 6> Of(const std::string &name, const std::vector<unsigned char> &bytes) {
        imagetest::WriteBytes(folder.path / name, bytes);
        return Info((folder.path / name).string());
    }
    static std::array<int, 6> Info(const std::string &path) {
        std::array<int, 6> info;
        info.fill(77);
        int six = 6;
        igrfileinfo_(path.c_str(), info.data(), &six, static_cast<int>(path.size()));
        return info;
    }
};

using Entries = std::array<int, 6>;

TEST_F(FileInfo, ImagesWrittenByTheLibrary) {
    for (int bits : {1, 4, 8, 24}) {
        quill::ImagePixels image = Drawing(bits, 21, 13);
        std::vector<unsigned char> png, bmp, pcx, rle;
        int z = 0;
        quill::EncodePng(image, png, &z);
        quill::EncodeBmp(image, false, bmp);
        quill::EncodeBmp(image, true, rle);
        quill::EncodePcx(image, quill::PcxLayout::Planar, pcx);
        int colours = 1 << bits;
        EXPECT_EQ(Entries({15, 21, 13, colours, 0, -1}), Of("a.png", png)) << bits;
        EXPECT_EQ(Entries({1, 21, 13, colours, 0, -1}), Of("a.bmp", bmp)) << bits;
        EXPECT_EQ(Entries({1, 21, 13, colours, bits == 4 || bits == 8 ? 1 : 0, -1}),
                  Of("r.bmp", rle))
            << bits;
        EXPECT_EQ(Entries({2, 21, 13, colours, 5, -1}), Of("a.pcx", pcx)) << bits;
        // Cut at every length up to the 128 bytes read: never a read past what the file has.
        for (const auto *file : {&png, &bmp, &pcx})
            for (std::size_t n = 0; n <= 128 && n <= file->size(); n += n < 32 ? 1 : 5) {
                Entries info = Of("cut", std::vector<unsigned char>(
                                             file->begin(), file->begin() + static_cast<long>(n)));
                if (n < 4) {
                    EXPECT_EQ(-1, info[0]);
                }
            }
    }
}

TEST_F(FileInfo, PlotAndPrinterFilesByTheirText) {
    const std::string esc = "\x1b";
    EXPECT_EQ(Entries({4, 72, 144, 4, -1, 1}),
              Of("a.plt", "IN;SC-13,1;IP0,0,1015,2031;SP1;PU0,0;\n"));
    EXPECT_EQ(Entries({4, 72, 35, 6, -1, 1}), Of("b.plt", "  IN;\nSC-13,2;\nIP0,0,1020,509;\n"))
        << "truncated";
    EXPECT_EQ(Entries({5, 72, 72, 256, -1, 1}),
              Of("c.plt", esc + "%0BIN;SC-13,12;IP0,0,1015,1015;"));
    EXPECT_EQ(Entries({10, 612, 792, 1, -1, -1}),
              Of("a.ps", "%!PS-Adobe-3.0\n%%BoundingBox: 0 0 612 792\n"));
    EXPECT_EQ(Entries({10, -1, -1, 0, -1, -1}), Of("b.ps", "\n  \n%!PS\nshowpage\n"));
    std::string dxf = "  0\nSECTION\n  2\nHEADER\n";
    for (int line = 5; line <= 16; ++line)
        dxf += line == 14 ? "8.5\n" : line == 16 ? "11.0\n" : "  9\n";
    EXPECT_EQ(Entries({14, 612, 792, -1, -1, -1}), Of("a.dxf", dxf));
    std::string svg =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" \"x\">\n"
        "<SVG width=\"400\" height=\"300\" version=\"1.1\">\n</SVG>\n";
    EXPECT_EQ(Entries({16, 400, 300, -1, -1, -1}), Of("a.svg", svg));
    EXPECT_EQ(-1, Of("b.svg", "<?xml version=\"1.0\"?>\n<svg width=\"4\" height=\"3\"/>\n")[0])
        << "no doctype";
    EXPECT_EQ(Entries({11, -1, -1, 2, 300, -1}),
              Of("a.pcl", esc + "E" + esc + "*t300R" + esc + "*r1A"));
    EXPECT_EQ(Entries({11, -1, -1, 8, -1, -1}),
              Of("b.pcl", esc + "&a0700h1000V" + esc + "*v6W" + esc + "*r2400s-3u1A"));
    EXPECT_EQ(Entries({12, -1, -1, 8, 360, -1}),
              Of("a.prn", esc + "@" + esc + std::string("(U\x01\x00\x0a", 5) + esc + "r\x04"));
    EXPECT_EQ(Entries({13, -1, -1, 0, -1, -1}), Of("b.prn", esc + "U\x01" + esc + "@"));
    EXPECT_EQ(9, Of("t.gr", esc + "[?38h" + esc + "[?38l")[0]);
}

TEST_F(FileInfo, MetafilesAndOtherBinaryKinds) {
    std::vector<unsigned char> plain = {1, 0, 9, 0, 0, 3, 0, 0, 0, 0};
    EXPECT_EQ(Entries({3, -1, -1, 0, -1, -1}), Of("a.wmf", plain));
    std::vector<unsigned char> placeable(40, 0);
    quill::ImagePixels unused;
    auto put16 = [](std::vector<unsigned char> &d, std::size_t at, int v) {
        d[at] = static_cast<unsigned char>(v);
        d[at + 1] = static_cast<unsigned char>(v >> 8);
    };
    auto put32 = [&](std::vector<unsigned char> &d, std::size_t at, std::uint32_t v) {
        put16(d, at, static_cast<int>(v & 0xFFFF));
        put16(d, at + 2, static_cast<int>(v >> 16));
    };
    put32(placeable, 0, 0x9AC6CDD7u);
    put16(placeable, 10, 1439);
    put16(placeable, 12, 719);
    put16(placeable, 14, 1440);
    EXPECT_EQ(Entries({3, 72, 36, 1, -1, -1}), Of("b.wmf", placeable));
    std::vector<unsigned char> emf(88, 0);
    put32(emf, 0, 1);
    put32(emf, 32, 2539);
    put32(emf, 36, 5079);
    put32(emf, 40, 0x464D4520u);
    EXPECT_EQ(Entries({3, 72, 144, 2, -1, -1}), Of("c.emf", emf));
    EXPECT_EQ(6, Of("a.cgm", std::vector<unsigned char>({0, 0x22, 5, 'A', 'B', 'C', 0}))[0]);
    EXPECT_EQ(1000, Of("a.cgm", std::vector<unsigned char>({0, 0x22, 5, 'A', 'B', 'C', 0}))[1]);
    std::vector<unsigned char> fixed(20, 0);
    fixed[0] = 1, fixed[4] = 1, fixed[6] = 8, fixed[8] = 'D', fixed[13] = 12;
    EXPECT_EQ(3201, Of("a.pic", fixed)[1]);
    EXPECT_EQ(2312, Of("a.pic", fixed)[2]);
    std::vector<unsigned char> draw(48, 0);
    std::copy_n("Draw", 4, draw.begin());
    put32(draw, 32, 64000);
    put32(draw, 36, 32000);
    EXPECT_EQ(Entries({8, 100, 50, -1, -1, -1}), Of("a.drw", draw));
}

TEST_F(FileInfo, UnknownShortMissingAndFewEntries) {
    EXPECT_EQ(Entries({-1, -1, -1, -1, -1, -1}), Of("three", "IN;"));
    EXPECT_EQ(Entries({-1, -1, -1, -1, -1, -1}), Of("text", "hello, world\n"));
    EXPECT_EQ(Entries({-1, -1, -1, -1, -1, -1}), Info((folder.path / "missing.png").string()));
    EXPECT_EQ(Entries({-1, -1, -1, -1, -1, -1}), Info("   "));
    std::vector<unsigned char> core;
    quill::EncodeBmp(Drawing(8, 3, 3), false, core);
    core[14] = 12;
    EXPECT_EQ(-1, Of("core.bmp", core)[0]) << "a 12-byte core header";

    std::vector<unsigned char> png;
    int z = 0;
    quill::EncodePng(Drawing(8, 5, 4), png, &z);
    imagetest::WriteBytes(folder.path / "a.png", png);
    std::string path = (folder.path / "a.png").string();
    int info[6] = {77, 77, 77, 77, 77, 77};
    for (int n : {0, -3}) {
        igrfileinfo_(path.c_str(), info, &n, static_cast<int>(path.size()));
        EXPECT_EQ(77, info[0]) << "NINFO " << n << " writes nothing";
    }
    int two = 2;
    igrfileinfo_(path.c_str(), info, &two, static_cast<int>(path.size()));
    EXPECT_EQ(15, info[0]);
    EXPECT_EQ(5, info[1]);
    EXPECT_EQ(77, info[2]);
}

}  // namespace
