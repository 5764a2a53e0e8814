// Print commands under Windows: a file name with " @ " writes the plot into the temporary plot
// file that start-up names, and closing runs the command over the finished file through the
// command interpreter, then deletes the temporary file.
#include "plot_readers.h"

#include "base/configuration.h"
#include "base/fixedtext.h"
#include "core/startup.h"
#include "hardcopy/hardcopy_startup.h"

#include <filesystem>

namespace {

namespace fs = std::filesystem;

class PrintCommand : public PlotTest {
protected:
    void SetUp() override {
        PlotTest::SetUp();
        yytmpprn_();
        quill::InitialiseHardcopy(28, 1, 0);
    }
    void OpenRaw(const std::string &name) {
        igrhardcopy_(name.c_str(), nullptr, static_cast<int>(name.size()), 0);
    }
};

TEST_F(PrintCommand, TheCommandCopiesTheClosedPlotFile) {
    const std::string temp = quill::TrimmedText(gHardcopy.tempName, kHardcopyNameLength);
    ASSERT_EQ(std::string(gSettings.tmpPlot), temp);
    ASSERT_NE(std::string::npos, temp.find("orn$$")) << temp;
    Select(2);
    OpenRaw("copy @ " + Name("out.ps"));
    ASSERT_EQ(1, gHardcopy.open);
    Line(0, 0, 500, 350);
    EXPECT_TRUE(fs::exists(temp)) << "the plot goes to the temporary file first";
    EXPECT_FALSE(fs::exists(Name("out.ps")));
    Close();
    EXPECT_EQ(0, infoerror_(std::vector<int>{1}.data()));
    EXPECT_FALSE(fs::exists(temp)) << "the temporary plot file is deleted";
    const std::string plot = ReadWholeFile(Name("out.ps"));
    EXPECT_EQ(0u, plot.find("%!PS-Adobe-3.0")) << "the command ran on the whole, closed file";
    EXPECT_NE(std::string::npos, plot.find("%%EOF"));
    EXPECT_EQ("", quill::TrimmedText(gHardcopy.savedCommand, kHardcopyNameLength));

    // The command's own failure is its own: the interpreter ran, nothing is raised, and the
    // temporary file is gone all the same.
    OpenRaw("copy @ " + Name("no-such-folder\\out.ps"));
    Line(0, 0, 500, 350);
    Close();
    EXPECT_EQ(0, infoerror_(std::vector<int>{1}.data()));
    EXPECT_FALSE(fs::exists(temp));
    EXPECT_FALSE(fs::exists(Name("no-such-folder")));
}

}  // namespace
