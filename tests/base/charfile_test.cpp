// Character files: open modes, reads and writes bounded by the caller's buffer, seeks, and
// the quoted-field helpers.
#include "base/errors.h"
#include "base/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "scratch_folder.h"
#include "error_status.h"

namespace fs = std::filesystem;

namespace {

class CharFile : public ::testing::Test {
protected:
    ScratchFolder scratch{"quill-charfile-test"};
    const fs::path &dir = scratch.path;
    void SetUp() override {
        for (int item = 1; item <= 3; ++item) ErrorInfo(item);
    }
    std::string Name(const std::string &file) { return (dir / file).string(); }
    void Put(const std::string &file, const std::string &content) {
        std::ofstream(dir / file, std::ios::binary) << content;
    }
    std::string Get(const std::string &file) {
        std::ifstream in(dir / file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    int Open(const std::string &name, int mode) {
        int handle = -7;
        ifileopen_(name.data(), &mode, &handle, static_cast<int>(name.size()));
        return handle;
    }
};

TEST_F(CharFile, ReadsToTheEndWithoutError) {
    Put("thirty", std::string(30, 'x'));
    int h = Open("  " + Name("thirty") + "   ", 0);
    ASSERT_NE(-1, h) << "leading and trailing blanks are not part of the name";
    char buffer[100];
    int n = 100, got = -5;
    ifilereadchar_(&h, buffer, &n, &got, 100);
    EXPECT_EQ(30, got);
    ifilereadchar1_(&h, buffer, &n, &got, 100);
    EXPECT_EQ(0, got);
    EXPECT_EQ(0, ErrorInfo(1));
    ifileclose_(&h);
}

TEST_F(CharFile, MissingFileGivesError1AndTheSystemCode) {
    EXPECT_EQ(-1, Open(Name("absent"), 0));
    EXPECT_EQ(1, ErrorInfo(1));
    EXPECT_EQ(2, ErrorInfo(2)) << "file not found";
    EXPECT_EQ(-1, Open(Name("absent"), 2));
    EXPECT_EQ(1, ErrorInfo(1));
    EXPECT_FALSE(fs::exists(dir / "absent"));
}

TEST_F(CharFile, BadModesBlankAndOverlongNamesAreRefused) {
    Put("f", "abc");
    EXPECT_EQ(-1, Open(Name("f"), 3));
    EXPECT_EQ(1, ErrorInfo(1));
    EXPECT_EQ(0, ErrorInfo(2));
    EXPECT_EQ(-1, Open("      ", 0));
    EXPECT_EQ(1, ErrorInfo(1));
    std::string longname = Name(std::string(300, 'a'));
    EXPECT_EQ(-1, Open(longname, 1));
    EXPECT_EQ(1, ErrorInfo(1));
    EXPECT_EQ(0, ErrorInfo(2));
    EXPECT_EQ("abc", Get("f"));
}

TEST_F(CharFile, WriteModeEmptiesAndReadWriteKeeps) {
    Put("f", "old content");
    int h = Open(Name("f"), 1);
    ASSERT_NE(-1, h);
    EXPECT_EQ("", Get("f"));
    int n = 5, put = 0;
    ifilewritechar_(&h, "hello", &n, &put, 5);
    EXPECT_EQ(5, put);
    ifileclose_(&h);
    h = Open(Name("f"), 2);
    ASSERT_NE(-1, h);
    int at = 1, origin = 0;
    ifileseek_(&h, &at, &origin);
    EXPECT_EQ(1, at);
    n = 1;
    ifilewritechar2_(&h, "E", &n, &put, 1);
    ifileclose_(&h);
    EXPECT_EQ("hEllo", Get("f"));
}

TEST_F(CharFile, CountsAreClampedToTheBuffer) {
    Put("f", "0123456789");
    int h = Open(Name("f"), 0);
    char buffer[4] = {'#', '#', '#', '#'};
    int n = 1000, got = 0;
    ifilereadchar2_(&h, buffer, &n, &got, 4);
    EXPECT_EQ(4, got) << "no byte beyond the buffer's length";
    EXPECT_EQ("0123", std::string(buffer, 4));
    n = -3;
    ifilereadchar_(&h, buffer, &n, &got, 4);
    EXPECT_EQ(0, got);
    EXPECT_EQ(0, ErrorInfo(1));
    ifileclose_(&h);

    h = Open(Name("g"), 1);
    n = 50;
    int put = 0;
    ifilewritechar1_(&h, "abc", &n, &put, 3);
    EXPECT_EQ(3, put);
    ifileclose_(&h);
    EXPECT_EQ("abc", Get("g"));
}

TEST_F(CharFile, SeekOriginsAndLength) {
    Put("f", std::string(30, 'x'));
    int h = Open(Name("f"), 0);
    int at = 0, origin = 2;
    ifileseek_(&h, &at, &origin);
    EXPECT_EQ(30, at);
    at = -10;
    origin = 1;
    ifileseek_(&h, &at, &origin);
    EXPECT_EQ(20, at);
    at = 5;
    origin = 3;
    ifileseek_(&h, &at, &origin);
    EXPECT_EQ(5, at) << "an unknown origin does nothing";
    at = -100;
    origin = 0;
    ifileseek_(&h, &at, &origin);
    EXPECT_EQ(-1, at);
    EXPECT_EQ(2, ErrorInfo(1));
    EXPECT_NE(0, ErrorInfo(2));
    ifileclose_(&h);
    int none = -1;
    ifileclose_(&none);
    EXPECT_EQ(0, ErrorInfo(1));
}

TEST_F(CharFile, ReadOnReadOnlyHandleFailureIsError2) {
    Put("f", "abc");
    int h = Open(Name("f"), 0);
    int n = 3, put = 9;
    ifilewritechar_(&h, "xyz", &n, &put, 3);
    EXPECT_EQ(-1, put);
    EXPECT_EQ(2, ErrorInfo(1));
    EXPECT_NE(0, ErrorInfo(2));
    ifileclose_(&h);
    EXPECT_EQ("abc", Get("f"));
}

std::string Expand(std::string text) {
    yyexpandquotes_(&text[0], static_cast<int>(text.size()));
    return text;
}

std::string Compress(std::string text) {
    yycompressquotes_(&text[0], static_cast<int>(text.size()));
    return text;
}

TEST(Quotes, DoubledAndUndoubled) {
    EXPECT_EQ("a\"\"b    ", Expand("a\"b     "));
    EXPECT_EQ("a\"b     ", Compress("a\"\"b    "));
    EXPECT_EQ("a\"b ", Compress("a\"b "));
    EXPECT_EQ("\"\"\"\"\"", Compress("\"\"\"\"\"\"\"\"\"\"").substr(0, 5));
    EXPECT_EQ("    ", Compress("    "));
}

TEST(Quotes, ExpansionNeverSplitsAPair) {
    EXPECT_EQ("abc ", Expand("abc\""));
    EXPECT_EQ("ab\"\"", Expand("ab\"c"));
    EXPECT_EQ("\"\"\"\" ", Expand("\"\"\"  "));
}

}  // namespace
