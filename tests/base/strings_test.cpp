// String utilities on blank-padded texts.
#include "base/strings.h"
#include "base/errors.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string Justify(std::string text, const std::string &how) {
    ijustifystring_(&text[0], how.data(), static_cast<int>(text.size()),
                    static_cast<int>(how.size()));
    return text;
}

std::pair<std::string, std::string> Split(const std::string &path, int pathlen = 20,
                                          int namelen = 12) {
    std::string p = path;
    p.resize(static_cast<std::size_t>(pathlen), ' ');
    std::string n(static_cast<std::size_t>(namelen), '#');
    yysplitp_(&p[0], &n[0], pathlen, namelen);
    return {p.substr(0, p.find_last_not_of(' ') + 1), n.substr(0, n.find_last_not_of(' ') + 1)};
}

int Index(const std::string &s, const std::string &sub, const int *back) {
    return indexnocase_(s.data(), sub.data(), back, static_cast<int>(s.size()),
                        static_cast<int>(sub.size()));
}

TEST(Case, OnlyAsciiLettersChange) {
    std::string text = "abc-XYZ 1\xe9";
    iuppercase_(&text[0], static_cast<int>(text.size()));
    EXPECT_EQ("ABC-XYZ 1\xe9", text);
    ilowercase_(&text[0], static_cast<int>(text.size()));
    EXPECT_EQ("abc-xyz 1\xe9", text);
}

TEST(FirstWord, LocateStringAndChar) {
    int first = -1, last = -1;
    ilocatestring_("  abc   ", &first, &last, 8);
    EXPECT_EQ(3, first);
    EXPECT_EQ(5, last);
    ilocatestring_("        ", &first, &last, 8);
    EXPECT_EQ(0, first);
    EXPECT_EQ(0, last);
    ilocatestring_("abcdefgh", &first, &last, 8);
    EXPECT_EQ(1, first);
    EXPECT_EQ(8, last);
    EXPECT_EQ(3, ilocatechar_(std::string(" \0x", 3).data(), 3));
    EXPECT_EQ(0, ilocatechar_(std::string(" \0 ", 3).data(), 3));
}

TEST(Justify, LeftRightCentre) {
    EXPECT_EQ("   abc    ", Justify("abc       ", "C"));
    EXPECT_EQ("       abc", Justify("abc       ", "r"));
    EXPECT_EQ("       abc", Justify("abc       ", "CENTRE")) << "contains an R";
    EXPECT_EQ("abc       ", Justify("    abc   ", "left"));
    EXPECT_EQ("  ab  ", Justify("ab    ", "C"));
    EXPECT_EQ(" abc  ", Justify("abc   ", " ")) << "the odd blank goes right";
    EXPECT_EQ("      ", Justify("      ", "L"));
    EXPECT_EQ("abcdef", Justify("abcdef", "R"));
}

TEST(IndexNoCase, ForwardBackwardAndEmpty) {
    int yes = 1, no = 0;
    EXPECT_EQ(3, Index("xxAbCxabc", "abc", nullptr));
    EXPECT_EQ(7, Index("xxAbCxabc", "ABC", &yes));
    EXPECT_EQ(3, Index("xxAbCxabc", "ABC", &no));
    EXPECT_EQ(0, Index("abc", "abcd", nullptr));
    EXPECT_EQ(1, Index("abc", "", nullptr));
    EXPECT_EQ(4, Index("abc", "", &yes));
    EXPECT_EQ(0, Index("abc", "x", nullptr));
}

TEST(SplitPath, DirectoryAndName) {
    EXPECT_EQ(std::make_pair(std::string("C:\\dir"), std::string("file.txt")),
              Split("C:\\dir\\file.txt"));
    EXPECT_EQ(std::make_pair(std::string("C:\\dir"), std::string("")), Split("C:\\dir\\"));
    EXPECT_EQ(std::make_pair(std::string("C:\\"), std::string("")), Split("C:\\"));
    EXPECT_EQ(std::make_pair(std::string(""), std::string("file.txt")), Split("file.txt"));
    EXPECT_EQ(std::make_pair(std::string("C"), std::string("file")), Split("C:file"));
    EXPECT_EQ(std::make_pair(std::string("C:\\dir\\.."), std::string("")), Split("  C:\\dir\\.."));
    EXPECT_EQ(std::make_pair(std::string("d"), std::string("averylongnam")),
              Split("d\\averylongname.txt"));
    // Windows takes "/" as a separator too.
    EXPECT_EQ(std::make_pair(std::string("C:/dir"), std::string("file.txt")),
              Split("C:/dir/file.txt"));
    EXPECT_EQ(std::make_pair(std::string("C:/dir"), std::string("")), Split("C:/dir/"));
    EXPECT_EQ(std::make_pair(std::string("C:/"), std::string("")), Split("C:/"));
    EXPECT_EQ(std::make_pair(std::string("a\\b"), std::string("c.txt")), Split("a\\b/c.txt"));
}

TEST(CurrentDirectory, FitsOrIsRefused) {
    int item = 1;
    infoerror_(&item);
    std::string dir(600, '#');
    iosdirname_(&dir[0], 600);
    std::string trimmed = dir.substr(0, dir.find_last_not_of(' ') + 1);
    EXPECT_FALSE(trimmed.empty());
    EXPECT_EQ(0, infoerror_(&item));
    std::string tiny(static_cast<std::size_t>(trimmed.size() - 1), '#');
    iosdirname_(&tiny[0], static_cast<int>(tiny.size()));
    EXPECT_EQ(std::string(tiny.size(), ' '), tiny);
    EXPECT_EQ(1023, infoerror_(&item));
    std::string exact(trimmed.size(), '#');
    iosdirname_(&exact[0], static_cast<int>(exact.size()));
    EXPECT_EQ(trimmed, exact);
}

TEST(CText, AsciiToIntAndLengths) {
    EXPECT_EQ(-12, yyAsciiToInt("-12ab"));
    EXPECT_EQ(0, yyAsciiToInt("ab"));
    EXPECT_EQ(0, yyAsciiToInt("-"));
    EXPECT_EQ(2147483647, yyAsciiToInt("2147483647"));
    EXPECT_EQ(2147483647, yyAsciiToInt("99999999999999999999999999"));
    EXPECT_EQ(-2147483647 - 1, yyAsciiToInt("-2147483648"));
    EXPECT_EQ(-2147483647 - 1, yyAsciiToInt("-99999999999999999999999999"));
    EXPECT_EQ(3, yysubstrlen("abc def"));
    EXPECT_EQ(0, yysubstrlen(" abc"));
    EXPECT_EQ(7, yystrlen("abc def"));
}

// Copies into a NUL-terminated buffer never write past its size: what does not fit is cut,
// and a buffer of no size (or none at all) is left alone.
TEST(CText, CopyTerminatedCutsToTheBuffer) {
    char buffer[6];
    std::memset(buffer, '#', sizeof buffer);
    quill::CopyTerminated(buffer, 4, "abcdef");
    EXPECT_STREQ("abc", buffer);
    EXPECT_EQ('#', buffer[4]);
    quill::CopyTerminated(buffer, sizeof buffer, "abcde");
    EXPECT_STREQ("abcde", buffer);
    quill::CopyTerminated(buffer, sizeof buffer, std::string("xy\0z", 4));
    EXPECT_EQ(0, std::memcmp("xy\0z", buffer, 5));
    quill::CopyTerminated(buffer, sizeof buffer, "blank   ", 2);
    EXPECT_STREQ("bl", buffer);
    quill::CopyTerminated(buffer, 1, "abc");
    EXPECT_STREQ("", buffer);
    quill::CopyTerminated(buffer, sizeof buffer, static_cast<const char *>(nullptr));
    EXPECT_STREQ("", buffer);
    std::memset(buffer, '#', sizeof buffer);
    quill::CopyTerminated(buffer, 0, "abc");
    quill::CopyTerminated(buffer, -1, "abc");
    quill::CopyTerminated(nullptr, 4, "abc");
    EXPECT_EQ('#', buffer[0]);
    // An unterminated source is read no further than the buffer holds.
    const char unterminated[3] = {'p', 'q', 'r'};
    quill::CopyTerminated(buffer, 3, unterminated);
    EXPECT_STREQ("pq", buffer);
}

TEST(CText, DuplicateTextOwnsItsCopy) {
    EXPECT_EQ(nullptr, quill::DuplicateText(nullptr));
    const char text[] = "(F10.3)";
    char *copy = quill::DuplicateText(text);
    ASSERT_NE(nullptr, copy);
    EXPECT_NE(text, copy);
    EXPECT_STREQ(text, copy);
    std::free(copy);
}

}  // namespace
