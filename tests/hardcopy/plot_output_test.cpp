// The plot output file layer and the number fields of the plot files.
#include "plot_readers.h"

#include "hardcopy/plot_fields.h"
#include "hardcopy/plot_output.h"
#include "error_status.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

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
