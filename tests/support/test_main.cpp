// The main of every test executable: GoogleTest, a watchdog that ends a hung executable so
// that a test run can never hang, and the marks and reports that tell an early end of the
// executable from a finished run. The watchdog's limit is QUILL_TEST_WATCHDOG seconds
// (default 600).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "exit_report.h"

namespace {

void start_watchdog() {
    long seconds = 600;
    if (const char *text = std::getenv("QUILL_TEST_WATCHDOG")) {
        long value = std::strtol(text, nullptr, 10);
        if (value > 0) seconds = value;
    }
    std::thread([seconds] {
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        char test[256];
        RunningTestPhrase(test, sizeof test);
        std::fflush(stdout);
        std::fprintf(stderr, "watchdog: test executable still running after %ld s%s, ending it\n",
                     seconds, test);
        std::fflush(stderr);
        std::_Exit(99);
    }).detach();
}

// While the tests run, the file named by QUILL_TEST_UNFINISHED_FILE exists: whoever runs the
// executable finds it left behind when the executable ended before its tests finished (ended
// by the code under test, crashed, killed), whatever its exit status. Programs the tests
// start do not see the name.
class UnfinishedMark {
public:
    UnfinishedMark() {
        const char *name = std::getenv(kVariable);
        if (!name || !*name) return;
        path_ = name;
        if (std::FILE *f = std::fopen(path_.c_str(), "w")) std::fclose(f);
#ifdef _WIN32
        _putenv((std::string(kVariable) + "=").c_str());
#else
        unsetenv(kVariable);
#endif
    }
    void Finished() {
        if (!path_.empty()) std::remove(path_.c_str());
    }

private:
    static constexpr const char *kVariable = "QUILL_TEST_UNFINISHED_FILE";
    std::string path_;
};

}  // namespace

int main(int argc, char **argv) {
    InstallCrashReport();
    ::testing::InitGoogleTest(&argc, argv);
    start_watchdog();
    UnfinishedMark mark;
    int result = RUN_ALL_TESTS();
    mark.Finished();
    return result;
}
