// Operating-system services under Windows: running commands and the command line a program
// gets, the date, directory searches, copying, renaming and deleting files, the registry and
// file facts.
#include "base/errors.h"
#include "base/system.h"
#include "quillamorph/system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "plot_readers.h"
#include "program_driver.h"
#include "scratch_folder.h"
#include "error_status.h"

namespace fs = std::filesystem;

namespace {

std::string Self() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// The command line that runs this program as a child process doing only HELPER, one of the
// disabled Helper tests below.
std::string RunHelper(const std::string &helper) {
    return "\"" + Self() + "\" --gtest_filter=Helper." + helper +
           " --gtest_also_run_disabled_tests";
}

// The variable that names the file a helper writes its command line to.
constexpr const char *kLineFileVariable = "QUILL_TEST_COMMAND_LINE_FILE";

// Run by the command tests as a child process: lives about two seconds.
TEST(Helper, DISABLED_LiveTwoSeconds) { Sleep(2000); }

// Run as a child process: writes its command line, as yygetcl_ gives it, to the file that
// kLineFileVariable names. The file appears whole, by a rename, so that a test polling for it
// never reads half of it.
TEST(Helper, DISABLED_WriteCommandLine) {
    const char *name = std::getenv(kLineFileVariable);
    ASSERT_NE(nullptr, name);
    char line[4096];
    const int size = sizeof line;
    yygetcl_(line, &size);
    const std::string part = std::string(name) + ".part";
    std::ofstream(part, std::ios::binary) << line;
    fs::rename(part, name);
}

TEST(RunCommand, WaitLimitsAndEndedProcess) {
    const std::string command = RunHelper("DISABLED_LiveTwoSeconds");
    int hide = 1, wait = 1, seconds = 0, s = 0;
    DWORD start = GetTickCount();
    yycmnd_(command.c_str(), &hide, &wait, &seconds, &s);
    EXPECT_EQ(-1, s) << "still running when the time is up";
    EXPECT_LT(GetTickCount() - start, 1500u);
    seconds = -1;
    yycmnd_(command.c_str(), &hide, &wait, &seconds, &s);
    EXPECT_EQ(32, s);
    EXPECT_GE(GetTickCount() - start, 1500u);
    seconds = 30;
    yycmnd_(command.c_str(), &hide, &wait, &seconds, &s);
    EXPECT_EQ(32, s);
    yycmnd_("no-such-program-anywhere.exe", &hide, &wait, &seconds, &s);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, s);
}

TEST(RunCommand, WaitKeepsAQuitMessageForTheCaller) {
    const std::string command = RunHelper("DISABLED_LiveTwoSeconds");
    PostQuitMessage(7);
    int hide = 1, wait = 1, seconds = -1, s = 0;
    yycmnd_(command.c_str(), &hide, &wait, &seconds, &s);
    EXPECT_EQ(32, s);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
}

// The old-style start returns at once with a result above 31; the program runs on its own
// and gets the command line as given. A program that does not exist is the system's code.
TEST(RunCommand, OldStyleStartRunsTheProgramWithItsCommandLine) {
    ScratchFolder scratch{"quill-exec"};
    const fs::path written = scratch.path / "line.txt";
    SetEnvironmentVariableA(kLineFileVariable, written.string().c_str());
    const std::string command = RunHelper("DISABLED_WriteCommandLine") + " \"two words\" last";
    int r = -1;
    yyexec_(command.c_str(), &r);
    EXPECT_GT(r, 31);
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(written); }, 30000))
        << "the started program never wrote its command line";
    EXPECT_EQ(command, ReadWholeFile(written));
    r = -1;
    yyexec_("no-such-program-anywhere.exe", &r);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, r);
    SetEnvironmentVariableA(kLineFileVariable, nullptr);
}

// The command line is the program's own, quotes and blanks as they were given, and is cut to
// the buffer with its NUL kept.
TEST(CommandLine, IsTheLineTheProgramWasStartedWith) {
    ScratchFolder scratch{"quill-command-line"};
    const fs::path written = scratch.path / "line.txt";
    SetEnvironmentVariableA(kLineFileVariable, written.string().c_str());
    const std::string command =
        RunHelper("DISABLED_WriteCommandLine") + "  \"C:\\a folder\\file.dat\" /x=1";
    int hide = 1, wait = 1, seconds = 60, s = -1;
    yycmnd_(command.c_str(), &hide, &wait, &seconds, &s);
    SetEnvironmentVariableA(kLineFileVariable, nullptr);
    ASSERT_EQ(32, s);
    EXPECT_EQ(command, ReadWholeFile(written));

    char whole[4096];
    int size = sizeof whole;
    yygetcl_(whole, &size);
    EXPECT_NE(std::string(whole).find("system_wintest"), std::string::npos) << whole;
    char cut[8];
    std::memset(cut, '#', sizeof cut);
    size = sizeof cut;
    yygetcl_(cut, &size);
    EXPECT_EQ(std::string(whole, 7), std::string(cut)) << "seven characters and the NUL";
}

// The local date, months and days counted from 1 and the year in full, as the C runtime has
// it at one of the two moments around the call (midnight may pass between them).
TEST(Clock, DateIsTodaysLocalDate) {
    const std::time_t before = std::time(nullptr);
    int year = 0, month = 0, day = 0;
    yydate_(&year, &month, &day);
    const std::time_t after = std::time(nullptr);
    auto same = [&](std::time_t moment) {
        const std::tm local = *std::localtime(&moment);
        return year == local.tm_year + 1900 && month == local.tm_mon + 1 && day == local.tm_mday;
    };
    EXPECT_TRUE(same(before) || same(after)) << year << "-" << month << "-" << day;
}

class Files : public ::testing::Test {
protected:
    ScratchFolder scratch{"quill-system-test"};
    const fs::path &dir = scratch.path;
    void SetUp() override {
        fs::create_directories(dir / "sub.txt");
        for (const char *name : {"a.txt", "b.txt", "c.dat"}) std::ofstream(dir / name) << "1234";
        for (int item = 1; item <= 3; ++item) ErrorInfo(item);
    }
    std::set<std::string> Find(const std::string &pattern) {
        std::set<std::string> found;
        char name[MAX_PATH];
        lstrcpynA(name, (dir / pattern).string().c_str(), MAX_PATH);
        int next = 0, attr, dostime, size, s, namesize = MAX_PATH;
        for (yyfind_(&next, name, &attr, &dostime, &size, &s, &namesize); s == 0;
             yyfind_(&next, name, &attr, &dostime, &size, &s, &namesize)) {
            found.insert(name);
            next = 1;
        }
        EXPECT_EQ(1, s) << "a search continued past its last entry says so";
        yyfind_(&next, name, &attr, &dostime, &size, &s, &namesize);
        EXPECT_EQ(1, s);
        yyfindclose_();
        return found;
    }
};

TEST_F(Files, SearchListsMatches) {
    EXPECT_EQ((std::set<std::string>{"a.txt", "b.txt", "sub.txt"}), Find("*.txt"));
}

TEST_F(Files, DeleteByPatternSkipsDirectories) {
    std::string pattern = (dir / "*.txt").string();
    iosdeletefile_(pattern.data(), static_cast<int>(pattern.size()));
    EXPECT_EQ(0, ErrorInfo(1));
    EXPECT_FALSE(fs::exists(dir / "a.txt"));
    EXPECT_FALSE(fs::exists(dir / "b.txt"));
    EXPECT_TRUE(fs::exists(dir / "sub.txt"));
    EXPECT_TRUE(fs::exists(dir / "c.dat"));
    iosdeletefile_(pattern.data(), static_cast<int>(pattern.size()));
    EXPECT_EQ(0, ErrorInfo(1)) << "only a directory matches: nothing deleted, nothing raised";
    std::string none = (dir / "*.none").string();
    iosdeletefile_(none.data(), static_cast<int>(none.size()));
    EXPECT_EQ(13, ErrorInfo(1));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ErrorInfo(3));
    iosdeletefile_("    ", 4);
    EXPECT_EQ(0, ErrorInfo(1));
}

// The folder part of a pattern ends at its last "\\", "/" or ":": the files deleted are the
// ones the search found, not files of the same names in another folder.
TEST_F(Files, DeleteByPatternDeletesWhatTheSearchFound) {
    fs::create_directories(dir / "del2");
    for (const char *name : {"x1.tmp", "x2.tmp", "y1.tmp"})
        std::ofstream(dir / "del2" / name) << "1";
    std::ofstream(dir / "x1.tmp") << "1";
    std::string pattern = dir.string() + "\\del2/x*.tmp";
    iosdeletefile_(pattern.data(), static_cast<int>(pattern.size()));
    EXPECT_EQ(0, ErrorInfo(1));
    EXPECT_FALSE(fs::exists(dir / "del2" / "x1.tmp"));
    EXPECT_FALSE(fs::exists(dir / "del2" / "x2.tmp"));
    EXPECT_TRUE(fs::exists(dir / "del2" / "y1.tmp"));
    EXPECT_TRUE(fs::exists(dir / "x1.tmp")) << "a same-named file elsewhere stays";
}

// A pattern holds at most 260 characters, trailing blanks aside. A longer one is refused
// whole: cut to 260, "a**...**.bak" would be "a**...**" and delete a.txt as well.
TEST_F(Files, DeleteByPatternRefusesANameOverTheLimit) {
    std::ofstream(dir / "a.bak") << "1";
    const std::string folder = dir.string() + "\\";
    ASSERT_LT(folder.size(), 200u);
    const std::string over = folder + "a" + std::string(259 - folder.size(), '*') + ".bak";
    ASSERT_EQ(264u, over.size());
    iosdeletefile_(over.data(), static_cast<int>(over.size()));
    EXPECT_EQ(13, ErrorInfo(1));
    EXPECT_EQ(ERROR_FILENAME_EXCED_RANGE, ErrorInfo(3));
    EXPECT_TRUE(fs::exists(dir / "a.txt"));
    EXPECT_TRUE(fs::exists(dir / "a.bak"));

    const std::string within =
        folder + "a" + std::string(255 - folder.size(), '*') + ".bak" + std::string(20, ' ');
    iosdeletefile_(within.data(), static_cast<int>(within.size()));
    EXPECT_EQ(0, ErrorInfo(1)) << "260 characters and trailing blanks are a pattern";
    EXPECT_FALSE(fs::exists(dir / "a.bak"));
    EXPECT_TRUE(fs::exists(dir / "a.txt"));
}

TEST_F(Files, FileInfoSizeAndAbsence) {
    int size, y, mo, d, h, mi, s, attr;
    yyfileinfo_(&size, &y, &mo, &d, &h, &mi, &s, &attr, (dir / "a.txt").string().c_str());
    EXPECT_EQ(4, size);
    EXPECT_GE(y, 2000);
    yyfileinfo_(&size, &y, &mo, &d, &h, &mi, &s, &attr, (dir / "zz").string().c_str());
    EXPECT_EQ(-1, size);
    int bytes = 0;
    yydspace_(&bytes);
    EXPECT_GT(bytes, 0);
}

// A copy overwrites the destination and leaves the source; a missing source or folder is the
// system's code, and the destination is then left as it was.
TEST_F(Files, CopyOverwritesTheDestinationAndKeepsTheSource) {
    const std::string from = (dir / "from.bin").string(), to = (dir / "a.txt").string();
    std::ofstream(from, std::ios::binary) << std::string("copied\r\n\0bytes", 14);
    int s = -1;
    yycopyf_(from.c_str(), to.c_str(), &s);
    EXPECT_EQ(0, s);
    EXPECT_EQ(std::string("copied\r\n\0bytes", 14), ReadWholeFile(to));
    EXPECT_EQ(std::string("copied\r\n\0bytes", 14), ReadWholeFile(from));
    const std::string fresh = (dir / "fresh.bin").string();
    yycopyf_(from.c_str(), fresh.c_str(), &s);
    EXPECT_EQ(0, s);
    EXPECT_EQ(ReadWholeFile(from), ReadWholeFile(fresh));

    const std::string absent = (dir / "absent.bin").string(), kept = (dir / "b.txt").string();
    yycopyf_(absent.c_str(), kept.c_str(), &s);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, s);
    EXPECT_EQ("1234", ReadWholeFile(kept));
    const std::string nowhere = (dir / "no-folder" / "x.bin").string();
    yycopyf_(from.c_str(), nowhere.c_str(), &s);
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, s);
}

// A rename moves a file, also into another folder; it never replaces a file of the new name,
// and a missing file is the system's code.
TEST_F(Files, RenameMovesAFileButReplacesNone) {
    const std::string a = (dir / "a.txt").string(), moved = (dir / "moved.txt").string();
    int s = -1;
    yyrenf_(a.c_str(), moved.c_str(), &s);
    EXPECT_EQ(0, s);
    EXPECT_FALSE(fs::exists(a));
    EXPECT_EQ("1234", ReadWholeFile(moved));
    const std::string inside = (dir / "sub.txt" / "inside.txt").string();
    yyrenf_(moved.c_str(), inside.c_str(), &s);
    EXPECT_EQ(0, s);
    EXPECT_FALSE(fs::exists(moved));
    EXPECT_EQ("1234", ReadWholeFile(inside));

    const std::string other = (dir / "c.dat").string();
    std::ofstream(other, std::ios::binary) << "other";
    yyrenf_(inside.c_str(), other.c_str(), &s);
    EXPECT_TRUE(s == ERROR_ALREADY_EXISTS || s == ERROR_FILE_EXISTS) << s;
    EXPECT_EQ("1234", ReadWholeFile(inside));
    EXPECT_EQ("other", ReadWholeFile(other));
    const std::string absent = (dir / "absent.txt").string();
    yyrenf_(absent.c_str(), (dir / "x.txt").string().c_str(), &s);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, s);
}

TEST(Registry, PutGetDelete) {
    int hkey = 1, type = 1, s = -1, n = 6;
    yyregkeyput_(&hkey, &type, &s, "Software\\QuillTest", "word", "hello", &n);
    ASSERT_EQ(0, s);
    char data[16] = "";
    int itype = 0, size = 0;
    yyregkeyget_(&hkey, &itype, &size, "Software\\QuillTest", "word", data);
    EXPECT_EQ(1, itype);
    EXPECT_EQ(6, size);
    size = 16;
    yyregkeyget_(&hkey, &itype, &size, "Software\\QuillTest", "word", data);
    EXPECT_STREQ("hello", data);
    yyregkeyget_(&hkey, &itype, &size, "Software\\QuillTest", "absent", data);
    EXPECT_EQ(-2, itype);
    EXPECT_EQ(0, size);
    yyregkeydel_(&hkey, &s, "Software\\QuillTest");
    EXPECT_EQ(0, s);
}

TEST(Environment, VariableCutToTheBuffer) {
    SetEnvironmentVariableA("QUILL_TEST_VAR", "abcdef");
    char buffer[4];
    int n = 0, size = 4;
    yygenv_(&n, "QUILL_TEST_VAR", buffer, &size);
    EXPECT_STREQ("abc", buffer);
    EXPECT_EQ(3, n);
    yygenv_(&n, "QUILL_TEST_UNSET", buffer, &size);
    EXPECT_EQ(0, n);
}

}  // namespace
