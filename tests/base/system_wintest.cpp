// Operating-system services under Windows: running commands, directory searches, deleting
// files by pattern, the registry and file facts.
#include "base/errors.h"
#include "base/system.h"
#include "quillamorph/system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "scratch_folder.h"
#include "error_status.h"

namespace fs = std::filesystem;

namespace {

std::string Self() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// Run by the command tests as a child process: lives about two seconds.
TEST(Helper, DISABLED_LiveTwoSeconds) { Sleep(2000); }

TEST(RunCommand, WaitLimitsAndEndedProcess) {
    std::string command =
        "\"" + Self() +
        "\" --gtest_filter=Helper.DISABLED_LiveTwoSeconds --gtest_also_run_disabled_tests";
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
    std::string command =
        "\"" + Self() +
        "\" --gtest_filter=Helper.DISABLED_LiveTwoSeconds --gtest_also_run_disabled_tests";
    PostQuitMessage(7);
    int hide = 1, wait = 1, seconds = -1, s = 0;
    yycmnd_(command.c_str(), &hide, &wait, &seconds, &s);
    EXPECT_EQ(32, s);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
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
