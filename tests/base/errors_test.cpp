// The error store, the report line and the fixed messages.
#include "base/errors.h"
#include "base/fixedtext.h"
#include "error_status.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void Level(int level) { idebuglevel_(&level); }
void Raise(int code) { yyerror_(&code); }

std::string Message(int number, int width) {
    std::string text(static_cast<std::size_t>(width), '#');
    winfoerrormessage_(&number, &text[0], width);
    return text;
}

class ErrorStore : public ::testing::Test {
protected:
    void SetUp() override {
        Level(0);
        for (int item = 1; item <= 3; ++item) ErrorInfo(item);
    }
    void TearDown() override { Level(0); }
};

TEST_F(ErrorStore, LastErrorIsReadOnceThenCleared) {
    Raise(1005);
    EXPECT_EQ(1005, ErrorInfo(1));
    EXPECT_EQ(0, ErrorInfo(1));
}

TEST_F(ErrorStore, OtherItemsRepeatThePreviousAnswer) {
    Raise(1005);
    EXPECT_EQ(1005, ErrorInfo(1));
    EXPECT_EQ(1005, ErrorInfo(7));
    EXPECT_EQ(1005, ErrorInfo(0));
    EXPECT_EQ(0, ErrorInfo(1));
    EXPECT_EQ(0, ErrorInfo(-3));
}

TEST_F(ErrorStore, FileAndSystemStatusAreSeparateWords) {
    quill::SetFileError(2);
    quill::SetSystemError(-5);
    Raise(1);
    EXPECT_EQ(2, ErrorInfo(2));
    EXPECT_EQ(-5, ErrorInfo(3));
    EXPECT_EQ(1, ErrorInfo(1));
    EXPECT_EQ(0, ErrorInfo(2));
    EXPECT_EQ(0, ErrorInfo(3));
}

TEST_F(ErrorStore, SetErrorStoresWithoutReporting) {
    Level(1);
    testing::internal::CaptureStdout();
    int code = 12;
    yyseterror_(&code);
    EXPECT_EQ("", testing::internal::GetCapturedStdout());
    EXPECT_EQ(12, ErrorInfo(1));
}

TEST_F(ErrorStore, ReportLevelAcceptsOnlyZeroToFour) {
    Level(3);
    EXPECT_EQ(3, ErrorInfo(4));
    Level(5);
    EXPECT_EQ(3, ErrorInfo(4));
    Level(-1);
    EXPECT_EQ(3, ErrorInfo(4));
    EXPECT_EQ(3, ErrorInfo(4)) << "item 4 never clears the level";
    Level(0);
    EXPECT_EQ(0, ErrorInfo(4));
}

TEST_F(ErrorStore, LevelOneWritesOneRecordToStandardOutput) {
    Level(1);
    testing::internal::CaptureStdout();
    Raise(12);
    Raise(1005);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(" Error=  12:Invalid character detected\n Error=1005:No dialogs currently loaded\n",
              out);
    EXPECT_EQ(1005, ErrorInfo(1));
    EXPECT_EQ(1, ErrorInfo(4));
}

TEST_F(ErrorStore, QuietGuardHidesAndRestores) {
    Level(1);
    Raise(4);
    testing::internal::CaptureStdout();
    {
        QuietErrors quiet;
        EXPECT_EQ(0, ErrorInfo(4));
        Raise(12);
        EXPECT_EQ(12, quiet.error());
    }
    EXPECT_EQ("", testing::internal::GetCapturedStdout());
    EXPECT_EQ(4, ErrorInfo(1));
    EXPECT_EQ(1, ErrorInfo(4));
}

TEST(ErrorLine, NumberInFourCharactersThenMessage) {
    EXPECT_EQ("Error=  12:Invalid character detected", quill::ErrorReportLine(12));
    EXPECT_EQ("Error=1005:No dialogs currently loaded", quill::ErrorReportLine(1005));
    EXPECT_EQ("Error=   0:", quill::ErrorReportLine(0));
    EXPECT_EQ("Error=  50:", quill::ErrorReportLine(50));
    EXPECT_EQ("Error=****:", quill::ErrorReportLine(12345));
    EXPECT_EQ("Error=  -1:", quill::ErrorReportLine(-1));
}

TEST(ErrorLine, LongestMessagesFitTheLine) {
    for (int i = 0; i < quill::kErrorMessageCount; ++i) {
        std::string line = quill::ErrorReportLine(quill::kErrorMessages[i].number);
        EXPECT_LE(line.size(), 73u) << quill::kErrorMessages[i].number;
        EXPECT_EQ(quill::kErrorMessages[i].text, line.substr(11))
            << quill::kErrorMessages[i].number;
    }
}

TEST(ErrorMessages, ExactlyTheListedNumbersHaveMessages) {
    const int listed[] = {1,  2,  3,  4,  5,  10, 11, 12, 13, 16, 18, 20, 21, 22, 23, 24, 25,
                          27, 28, 34, 40, 42, 43, 44, 46, 49, 51, 54, 55, 58, 63, 64, 66};
    std::string blank(70, ' ');
    int count = 0;
    for (int n = -5; n <= 1100; ++n) {
        std::string text = Message(n, 70);
        bool expected = (n >= 1001 && n <= 1081);
        for (int l : listed) expected = expected || l == n;
        EXPECT_EQ(expected, text != blank) << "number " << n << ": [" << text << "]";
        count += text != blank;
    }
    EXPECT_EQ(114, count);
    EXPECT_EQ(114, quill::kErrorMessageCount);
}

TEST(ErrorMessages, TextsAreExact) {
    EXPECT_EQ("Error opening file or device", quill::TrimmedText(Message(1, 70).data(), 70));
    EXPECT_EQ("Number too large in string to numeric conversion",
              quill::TrimmedText(Message(4, 70).data(), 70));
    EXPECT_EQ("Numeric to string conversion error", quill::TrimmedText(Message(18, 70).data(), 70));
    EXPECT_EQ("Invalid bitmap handle", quill::TrimmedText(Message(1021, 70).data(), 70));
    EXPECT_EQ("Variable too small to receive text",
              quill::TrimmedText(Message(1023, 70).data(), 70));
    EXPECT_EQ("Zlib compression/decompression failed",
              quill::TrimmedText(Message(1044, 70).data(), 70));
    EXPECT_EQ("3D model vertex limit exceeded. Increase MAXVERTEX.",
              quill::TrimmedText(Message(1073, 70).data(), 70));
    EXPECT_EQ("QUILAX.DLL not found", quill::TrimmedText(Message(1081, 70).data(), 70));
}

TEST(ErrorMessages, CutToTheVariableOrPadded) {
    EXPECT_EQ("QUILAX.DLL", Message(1081, 10));
    EXPECT_EQ("QUILAX.DLL not found     ", Message(1081, 25));
    EXPECT_EQ("     ", Message(1082, 5));
    EXPECT_EQ("", Message(1081, 0));
}

}  // namespace
