// The debug log and the level-2 error report. The log is opened once per process, so the
// whole behaviour is one scenario in a fresh directory.
#include "base/debuglog.h"
#include "base/errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "scratch_folder.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(DebugLog, FallsBackToDebugTxtAndWritesCrLfLines) {
    // On Windows the open log keeps its file: the folder keeps what cannot be removed.
    ScratchFolder scratch("quill-debuglog-test");
    const fs::path &dir = scratch.path;
    fs::create_directories(dir / "debug");  // a directory in the way of the first name
    fs::path old = fs::current_path();
    fs::current_path(dir);

    int value = -5;
    yydebugi("n", &value);
    idebug_("text with blanks  ", 18);
    std::string longname(300, 'x');
    yydebugi(longname.c_str(), &value);
    int level = 2;
    idebuglevel_(&level);
    int code = 1044;
    yyerror_(&code);
    level = 0;
    idebuglevel_(&level);
    yydebugc("last");

    fs::current_path(old);
    std::string log = ReadFile(dir / "debug.txt");
    std::string expected = "n=-5\r\ntext with blanks  \r\n" + std::string(99, 'x') +
                           "\r\nError=1044:Zlib compression/decompression failed\r\nlast\r\n";
    EXPECT_EQ(expected, log);
    EXPECT_FALSE(fs::exists(dir / "debug.dat"));
    int item = 1;
    EXPECT_EQ(1044, infoerror_(&item));
}

}  // namespace
