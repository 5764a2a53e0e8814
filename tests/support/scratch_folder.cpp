// Scratch folder names unique to the process and the call.
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <atomic>

#ifdef _WIN32
#include <process.h>
#define QUILL_PROCESS_ID _getpid
#else
#include <unistd.h>
#define QUILL_PROCESS_ID getpid
#endif

std::filesystem::path UniqueScratchPath(const std::string &prefix) {
    static std::atomic<int> serial{0};
    std::string name =
        prefix + "-" + std::to_string(QUILL_PROCESS_ID()) + "-" + std::to_string(serial++);
    if (const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info())
        name += std::string("-") + test->name();
    return std::filesystem::temp_directory_path() / name;
}

ScratchFolder::ScratchFolder(const std::string &prefix) : path(UniqueScratchPath(prefix)) {
    std::filesystem::create_directories(path);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}
