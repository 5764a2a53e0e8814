// The plot output file layer and the number fields of the plot files.
#include "plot_readers.h"

#include "hardcopy/plot_fields.h"
#include "hardcopy/driver_support.h"
#include "hardcopy/plot_output.h"
#include "error_status.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <csignal>

#include <sys/resource.h>
#endif

namespace {

class PlotOutput : public PlotTest {
protected:
    const int slot = 3;
    void OpenName(const std::string &name) {
        quill::SetText(name.data(), name.size());
        yyprop_(&slot);
    }
};

TEST_F(PlotOutput, LinesBytesBufferAndTruncation) {
    std::string name = Name("out.txt");
    std::ofstream(name) << "old contents that must go";
    OpenName("   " + name);  // leading blanks are not part of the name
    ASSERT_EQ(0, quill::PlotErrorFlag());
    yyprwl_(&slot, "ab  ", 4);
    yyprwl_(&slot, "", 0);
    yyprou_(&slot, "xyz", 3);
    std::memcpy(quill::PlotBuffer(), "12345", 5);
    const int three = 3, zero = 0, one = 1;
    yyprbu_(&slot, &three, &zero);
    yyprbu_(&slot, &three, &one);
    int handle = -5;
    yyprfh_(&slot, &handle);
    EXPECT_GE(handle, 0);
    yyprcl_(&slot);
    EXPECT_EQ("ab  \r\n\r\nxyz123123\r\n", ReadWholeFile(name));
    EXPECT_EQ(0, ErrorInfo(1));
}

TEST_F(PlotOutput, FailuresRaiseErrorsAndSetTheFlag) {
    OpenName("   ");
    EXPECT_EQ(1, quill::PlotErrorFlag());
    EXPECT_EQ(1, ErrorInfo(1));
    OpenName(Name("no/such/folder/file.plt"));
    EXPECT_EQ(1, quill::PlotErrorFlag());
    EXPECT_EQ(1, ErrorInfo(1));
    EXPECT_NE(0, ErrorInfo(2)) << "the system's code is the file error";
    yyprwl_(&slot, "x", 1);
    EXPECT_EQ(2, ErrorInfo(1)) << "a slot whose open failed fails every write";
    OpenName(Name("big.bin"));
    const int tooMany = kPlotBufferBytes + 1, zero = 0;
    yyprbu_(&slot, &tooMany, &zero);
    EXPECT_EQ(2, ErrorInfo(1));
    yyprcl_(&slot);
    EXPECT_EQ(0u, std::filesystem::file_size(Name("big.bin")));
#ifndef _WIN32
    OpenName("/dev/full");
    ASSERT_EQ(0, quill::PlotErrorFlag());
    yyprwl_(&slot, "x", 1);
    EXPECT_EQ(1, quill::PlotErrorFlag());
    EXPECT_EQ(2, ErrorInfo(1));
    yyprcl_(&slot);
#endif
}

// Each vector file driver on a file whose writes start failing part way: error 2, nothing
// more is written (not even the ending of a complete file, once writes would succeed again),
// and the close closes the file, which stays as far as it was written. Natively the file may
// grow to 1000 bytes only (a file size limit, lifted before the close); under Wine the output
// is the full device, where every write fails.
TEST_F(PlotOutput, VectorDriversCloseAFileWhoseWriteFailed) {
    for (int device : {1, 2, 3, 8, 9, 12}) {
        auto draw = [&](const std::string &name) {
            Select(device);
            if (device == 1) Option(27, 1);  // ends the plot with ESC ".Z"
            OpenSelected(name);
            EXPECT_EQ(1, gHardcopy.open) << device;
            for (int k = 0; k < 200; ++k) Line(10.0f * k, 0, 10.0f * k + 5, 600);
        };
#ifdef _WIN32
        draw("Z:\\dev\\full");
        EXPECT_EQ(2, ErrorInfo(1)) << device;
        EXPECT_EQ(1, quill::PlotErrorFlag()) << device;
        Close();
#else
        const std::string complete = Name("complete-" + std::to_string(device)),
                          failed = Name("failed-" + std::to_string(device));
        draw(complete);
        Close();
        EXPECT_EQ(0, ErrorInfo(1)) << device;
        const std::string whole = ReadWholeFile(complete);
        ASSERT_GT(whole.size(), 1000u);
        const std::string ending = whole.substr(whole.size() - 8);
        rlimit before{};
        ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &before));
        rlimit small = before;
        small.rlim_cur = 1000;
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
        draw(failed);
        ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &before));
        std::signal(SIGXFSZ, handler);
        EXPECT_EQ(2, ErrorInfo(1)) << device;
        EXPECT_EQ(1, quill::PlotErrorFlag()) << device;
        Close();
        const std::string text = ReadWholeFile(failed);
        EXPECT_EQ(1000u, text.size()) << device;
        EXPECT_EQ(whole.substr(0, 1000), text) << device;
        EXPECT_NE(ending, text.substr(text.size() - 8)) << device;
        EXPECT_TRUE(std::filesystem::remove(failed)) << device;
#endif
        int handle = 0;
        yyprfh_(&kPlotSlot, &handle);
        EXPECT_EQ(-1, handle) << "device " << device << " left its file open";
        EXPECT_EQ(0, ErrorInfo(1)) << "the close reports nothing more";
    }
}

TEST_F(PlotOutput, FieldsWidenInsteadOfStars) {
    EXPECT_EQ("    42", quill::IntField(42, 6));
    EXPECT_EQ("1234567", quill::IntField(1234567, 6));
    EXPECT_EQ("   12.50", quill::FixedField(12.5, 8, 2));
    EXPECT_EQ("123456789.00", quill::FixedField(123456789.0, 8, 2));
    EXPECT_EQ("    0.00", quill::FixedField(-0.001, 8, 2));
    EXPECT_EQ("    0.00", quill::FixedField(std::nan(""), 8, 2));
    EXPECT_EQ(0, quill::TruncateClamped(std::nan("")));
    EXPECT_EQ(2147483647, quill::TruncateClamped(1e30));
    EXPECT_EQ(-2147483647 - 1, quill::TruncateClamped(-1e30));
    EXPECT_EQ(-3, quill::RoundToInt(-2.5));
}

}  // namespace
