// Counting pictures and pages of plot files, also of cut and damaged ones.
#include "plot_readers.h"

#include "hardcopy/picture_count.h"
#include "quillamorph/imagefiles.h"
#include "error_status.h"

#include <fstream>

namespace {

class Count : public PlotTest {
protected:
    void Put(const std::string &file, const std::string &bytes) {
        std::ofstream(Name(file), std::ios::binary) << bytes;
    }
    int Cgm(const std::string &file, float *aspect = nullptr) {
        int n = 0;
        float a = 0;
        std::string name = Name(file);
        yyinfocgm_(name.c_str(), &n, &a, static_cast<int>(name.size()));
        if (aspect) *aspect = a;
        return n;
    }
    int Pic(const std::string &file) {
        int n = 0;
        std::string name = Name(file);
        yycntpic_(name.c_str(), &n, static_cast<int>(name.size()));
        return n;
    }
    int Hpg(const std::string &file) {
        int n = 0;
        std::string name = Name(file);
        yycnthpg_(name.c_str(), &n, static_cast<int>(name.size()));
        return n;
    }
};

std::string Word(int w) {
    return std::string{static_cast<char>((w >> 8) & 0xFF), static_cast<char>(w & 0xFF)};
}
std::string Header(int cls, int id, int len) { return Word(cls * 4096 + id * 32 + len); }

// BEGIN METAFILE, VDC EXTENT (0,0)-(400,200), a long-form polyline in two partitions, END
// PICTURE twice, END METAFILE.
std::string SampleCgm() {
    std::string s = Header(0, 1, 2) +
                    "\x01"
                    "A";
    s += Header(2, 6, 8) + Word(0) + Word(0) + Word(400) + Word(200);
    s += Header(4, 1, 31) + Word(0x8000 | 4) + Word(1) + Word(2) + Word(8) + Word(3) + Word(4) +
         Word(5) + Word(6);
    s += Header(0, 5, 0) + Header(0, 5, 0) + Header(0, 2, 0);
    return s;
}

TEST_F(Count, CgmPicturesAspectAndDamage) {
    Put("two.cgm", SampleCgm());
    float aspect = 0;
    EXPECT_EQ(2, Cgm("two.cgm", &aspect));
    EXPECT_FLOAT_EQ(2.0f, aspect);
    EXPECT_EQ(0, ErrorInfo(1));
    std::string one = Header(0, 1, 0) + Header(2, 6, 8) + Word(0) + Word(0) + Word(400) + Word(0) +
                      Header(0, 2, 0);
    Put("flat.cgm", one);
    EXPECT_EQ(1, Cgm("flat.cgm", &aspect)) << "no END PICTURE still counts one";
    EXPECT_FLOAT_EQ(1.0f, aspect) << "zero height";
    std::string sample = SampleCgm();
    for (std::size_t cut = 0; cut < sample.size(); ++cut) {
        Put("cut.cgm", sample.substr(0, cut));
        EXPECT_GE(Cgm("cut.cgm"), 1);
        EXPECT_EQ(2, ErrorInfo(1)) << cut;
        for (int bit = 0; bit < 8; ++bit) {
            std::string flipped = sample;
            flipped[cut] = static_cast<char>(flipped[cut] ^ (1 << bit));
            Put("flip.cgm", flipped);
            EXPECT_GE(Cgm("flip.cgm"), 1);
        }
    }
    EXPECT_EQ(1, Cgm("absent.cgm"));
    EXPECT_EQ(1, ErrorInfo(1));
}

// An extent given only among the metafile defaults counts, also when the defaults come in
// partitions; an extent of 32-bit integers keeps every digit of its corners.
TEST_F(Count, CgmExtentsAmongTheDefaultsAndOf32BitIntegers) {
    const std::string extent = Header(2, 6, 8) + Word(0) + Word(0) + Word(400) + Word(200);
    const std::string picture =
        Header(0, 3, 0) + Header(0, 4, 0) + Header(0, 5, 0) + Header(0, 2, 0);
    Put("defaults.cgm", Header(0, 1, 0) + Header(1, 12, 10) + extent + picture);
    float aspect = 0;
    EXPECT_EQ(1, Cgm("defaults.cgm", &aspect));
    EXPECT_FLOAT_EQ(2.0f, aspect);
    EXPECT_EQ(0, ErrorInfo(1));
    // The same defaults in two partitions, the cut inside the extent's corners.
    Put("parts.cgm", Header(0, 1, 0) + Header(1, 12, 31) + Word(0x8000 | 4) + extent.substr(0, 4) +
                         Word(6) + extent.substr(4) + picture);
    aspect = 0;
    EXPECT_EQ(1, Cgm("parts.cgm", &aspect));
    EXPECT_FLOAT_EQ(2.0f, aspect);
    // A maximum extent among the defaults still comes first.
    const std::string maximum = Header(1, 17, 8) + Word(0) + Word(0) + Word(300) + Word(100);
    Put("maximum.cgm", Header(0, 1, 0) + Header(1, 12, 20) + maximum + extent + picture);
    EXPECT_EQ(1, Cgm("maximum.cgm", &aspect));
    EXPECT_FLOAT_EQ(3.0f, aspect);
    // Defaults that end inside an element: error 2, and the count goes on from what was read.
    Put("cutdefaults.cgm", Header(0, 1, 0) + Header(1, 12, 6) + extent.substr(0, 6) + picture);
    EXPECT_EQ(1, Cgm("cutdefaults.cgm", &aspect));
    EXPECT_EQ(2, ErrorInfo(1));

    // 32-bit corners (100000003, 0) and (100000405, 201): 402 wide, 201 high. Near 10^8 a
    // 32-bit float keeps only multiples of 8, which would make it 408 wide.
    auto Long = [](int v) { return Word((v >> 16) & 0xFFFF) + Word(v & 0xFFFF); };
    Put("wide.cgm", Header(0, 1, 0) + Header(3, 1, 2) + Word(32) + Header(2, 6, 16) +
                        Long(100000003) + Long(0) + Long(100000405) + Long(201) + picture);
    EXPECT_EQ(1, Cgm("wide.cgm", &aspect));
    EXPECT_FLOAT_EQ(2.0f, aspect);
    EXPECT_EQ(0, ErrorInfo(1));
}

TEST_F(Count, BytePictures) {
    std::string head(17, 'h');
    std::string body = std::string("\x60") + "\x30\x01" + std::string(8, 'p') + "\x61" +
                       "\xa8"
                       "\x05"
                       "abc" +
                       '\0' +
                       "\xa0"
                       "1234" +
                       "\xa7"
                       "z" +
                       "\x62";
    Put("three.pic", head + body);
    EXPECT_EQ(3, Pic("three.pic"));
    EXPECT_EQ(0, ErrorInfo(1));
    for (std::size_t cut = 0; cut < head.size() + body.size(); ++cut) {
        Put("cut.pic", (head + body).substr(0, cut));
        EXPECT_GE(Pic("cut.pic"), 1);
    }
    Put("short.pic", "abc");
    EXPECT_EQ(1, Pic("short.pic"));
    EXPECT_EQ(2, ErrorInfo(1));
}

TEST_F(Count, HpglPages) {
    Put("empty.plt", "");
    EXPECT_EQ(1, Hpg("empty.plt"));
    Put("title.plt",
        "CO\": a title with \"3\"\";\r\nCO\"3 32\";\r\nPG;CO\"3 32\";SC-3 32 0 32760;SC0 32760 0 "
        "32760\r\n");
    EXPECT_EQ(3, Hpg("title.plt"));
    // One line of a million characters is read through.
    Put("long.plt", "LB" + std::string(1000000, 'x') + "\x04;CO\"3 1\";CO\"3 1\"");
    EXPECT_EQ(2, Hpg("long.plt"));
    EXPECT_EQ(1, Hpg("absent.plt"));
    EXPECT_EQ(1, ErrorInfo(1));
}

// File information counts the pages and pictures of the drivers' own files and, for CGM,
// gives the height that keeps the picture's shape at a width of 1000; damage reports nothing.
TEST_F(Count, FileInformationOfPlotFiles) {
    auto fileInfo = [this](const std::string &file) {
        std::vector<int> info(6, 77);
        int six = 6;
        std::string name = Name(file);
        igrfileinfo_(name.c_str(), info.data(), &six, static_cast<int>(name.size()));
        return info;
    };
    auto threePages = [this](int device, const std::string &file) {
        Select(device);
        Option(25, 1);  // the HPGL page tags
        OpenSelected(file);
        for (int page = 0; page < 3; ++page) {
            Line(0, 0, 500, 500);
            EndPage(page < 2);
        }
        Close();
    };
    threePages(1, "three.plt");
    std::vector<int> info = fileInfo("three.plt");
    EXPECT_EQ(4, info[0]);
    EXPECT_EQ(3, info[5]);
    EXPECT_EQ(4, info[3]) << "the colours of plotter type 1, from the tag written at open";
    Open(1, "one.plt");
    Line(0, 0, 500, 500);
    Close();
    EXPECT_EQ(1, fileInfo("one.plt")[5]);
    threePages(12, "three2.plt");
    info = fileInfo("three2.plt");
    EXPECT_EQ(5, info[0]);
    EXPECT_EQ(3, info[5]);

    threePages(9, "three.cgm");
    float aspect = 0;
    ASSERT_EQ(3, Cgm("three.cgm", &aspect));
    info = fileInfo("three.cgm");
    EXPECT_EQ(6, info[0]);
    EXPECT_EQ(1000, info[1]);
    EXPECT_EQ(static_cast<int>(1000 / aspect + 0.5), info[2]);
    EXPECT_GT(info[2], 500);
    EXPECT_LT(info[2], 1000) << "a landscape page is wider than high";
    EXPECT_EQ(3, info[3]);
    std::string cut = ReadWholeFile(scratch.path / "three.cgm");
    Put("cut.cgm", cut.substr(0, cut.size() / 2));
    info = fileInfo("cut.cgm");
    EXPECT_EQ(6, info[0]);
    EXPECT_GE(info[3], 1);
    EXPECT_EQ(0, ErrorInfo(1)) << "a damaged file is no error of file information";

    std::string head(17, '\0');
    head[0] = 1, head[4] = 1, head[6] = 8, head[8] = 'D', head[13] = 12;
    Put("two.pic", head + std::string("\x60\x30\x00", 3) + std::string(4, 'p') + "\x61");
    info = fileInfo("two.pic");
    EXPECT_EQ(7, info[0]);
    EXPECT_EQ(2, info[3]);
    Put("short.pic", head.substr(0, 14));
    EXPECT_EQ(1, fileInfo("short.pic")[3]);
    EXPECT_EQ(0, ErrorInfo(1));
}

}  // namespace
