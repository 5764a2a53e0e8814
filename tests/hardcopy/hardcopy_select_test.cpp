// Selecting a hardcopy device, opening and closing hardcopies, print commands, and the open
// hardcopy through a resize and a change of device.
#include "plot_readers.h"

#include "base/fixedtext.h"
#include "hardcopy/hardcopy_options.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

class Hardcopy : public PlotTest {
protected:
    void OpenRaw(const std::string &name) {
        igrhardcopy_(name.c_str(), nullptr, static_cast<int>(name.size()), 0);
    }
};

TEST_F(Hardcopy, EmptyEntriesProbesAndOneLetterNames) {
    Select(5);
    OpenRaw(Name("never.ps"));
    EXPECT_EQ(0, gHardcopy.open);
    EXPECT_FALSE(fs::exists(Name("never.ps")));
    // Selecting sends op 1 at once: the device's default name is there with nothing open.
    Select(3);
    EXPECT_EQ("quilplot.svg", quill::TrimmedText(gHardcopy.defaultName, kHardcopyNameLength));
    // An empty-entry probe leaves no -999 behind for the next op 1.
    EXPECT_NE(kOpInitProbe, gOperands.Id(2));
    fs::path here = fs::current_path();
    fs::current_path(scratch.path);
    OpenRaw("x");
    EXPECT_EQ(1, gHardcopy.open);
    Close();
    fs::current_path(here);
    EXPECT_TRUE(fs::exists(Name("x")));
    igrhardcopy_("s", nullptr, 1, 0);
    EXPECT_EQ(0, gHardcopy.open);
}

TEST_F(Hardcopy, EveryDeviceAnswersTheProbeWithItsNumberAlone) {
    const int init = kOpInit;
    for (int device : {1, 2, 3, 4, 6, 8, 9, 12}) {
        Select(device);
        Option(9, 37);  // a word that op 1 itself would reset
        const HardcopyState before = gHardcopy;
        gOperands.Id(1) = 0;
        gOperands.Id(2) = kOpInitProbe;
        xxhcif_(&init);
        EXPECT_EQ(device, gOperands.Id(2));
        EXPECT_TRUE(
            std::equal(before.options, before.options + kHardcopyOptions, gHardcopy.options))
            << "device " << device;
        EXPECT_EQ(quill::TrimmedText(before.defaultName, kHardcopyNameLength),
                  quill::TrimmedText(gHardcopy.defaultName, kHardcopyNameLength));
        EXPECT_EQ(before.deviceColours, gHardcopy.deviceColours);
    }
    for (int empty : {5, 7}) {
        Select(empty);
        gOperands.Id(2) = kOpInitProbe;
        xxhcif_(&init);
        EXPECT_EQ(kOpInitProbe, gOperands.Id(2)) << "nobody answers for device " << empty;
    }
}

TEST_F(Hardcopy, PrintCommandsOnlyOnDevicesThatTakeThem) {
    quill::PutFixedText(gHardcopy.tempName, kHardcopyNameLength, Name("orn$$  .plt"));
    Select(3);
    OpenRaw(Name("a @ b.svg"));
    Line(0, 0, 100, 100);
    Close();
    EXPECT_TRUE(fs::exists(Name("a @ b.svg"))) << "the SVG device takes the name as it stands";
    Select(2);
    OpenRaw("copy @ " + Name("out.ps"));
    Line(0, 0, 100, 100);
    EXPECT_EQ("copy @ " + Name("out.ps"),
              quill::TrimmedText(gHardcopy.savedCommand, kHardcopyNameLength));
    EXPECT_TRUE(fs::exists(Name("orn$$  .plt")));
    Close();
    EXPECT_EQ("", quill::TrimmedText(gHardcopy.savedCommand, kHardcopyNameLength));
    EXPECT_FALSE(fs::exists(Name("orn$$  .plt"))) << "the temporary plot file is deleted";
}

TEST_F(Hardcopy, ResizeAndDeviceChangeKeepTheFileWhole) {
    Open(2, "resized.ps");
    Line(0, 0, 100, 100);
    int kind = gGraphics.kind, id = gGraphics.id, w = 500, h = 350;
    yyresn_(&kind, &id, &w, &h);  // op 18 with id(1) = -1: scale only, no reopen
    gOperands.Id(1) = 0;
    quill::SendOp(kOpBegin, kSideHardcopy);  // nor with id(1) = 0
    Line(0, 0, 100, 100);
    Select(3);  // ends the PostScript hardcopy first
    EXPECT_EQ(0, gHardcopy.open);
    std::string data = ReadWholeFile(Name("resized.ps"));
    EXPECT_EQ(0u, data.find("%!PS-Adobe-3.0"));
    EXPECT_EQ(std::string::npos, data.find("%!PS-Adobe-3.0", 1)) << "opened once";
    EXPECT_NE(std::string::npos, data.find("151.20 154.29 l")) << "the second line is scaled anew";
    EXPECT_NE(std::string::npos, data.find("%%EOF"));
}

// A name over the 260 characters of the file name operand opens nothing, and the file that
// its first 260 characters name is left as it was.
TEST_F(Hardcopy, ANameOverTheLimitOpensNothing) {
    std::string base = Name("");
    if (base.back() != '/' && base.back() != '\\') base += '/';
    const std::string file = (260 - base.size()) % 2 == 1 ? "keep.ps" : "keep1.ps";
    std::string cut = base;
    while (cut.size() + file.size() < 260) cut += "./";
    cut += file;
    ASSERT_EQ(260u, cut.size());
    {
        std::ofstream out(Name(file), std::ios::binary);
        out << "kept";
    }
    for (int device : {1, 2, 3, 9}) {
        SCOPED_TRACE(device);
        Select(device);
        for (const std::string &tail : {std::string(".bak"), std::string(" @ x")}) {
            OpenRaw(cut + tail);
            std::vector<int> item = {1};
            EXPECT_EQ(1, infoerror_(item.data()));
            item = {2};
            EXPECT_EQ(206, infoerror_(item.data()));
            EXPECT_EQ(0, gHardcopy.open);
            Close();
        }
    }
    std::ifstream in(Name(file), std::ios::binary);
    std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ("kept", kept);
    EXPECT_EQ(1, std::distance(fs::directory_iterator(scratch.path), fs::directory_iterator()));
}

TEST_F(Hardcopy, AnUnopenableFileOpensNothing) {
    Open(3, "missing/folder/out.svg");
    EXPECT_EQ(1, infoerror_(std::vector<int>{1}.data()));
    EXPECT_EQ(0, gHardcopy.open);
    Line(0, 0, 100, 100);
    Close();
    EXPECT_FALSE(fs::exists(Name("missing")));
}

}  // namespace
