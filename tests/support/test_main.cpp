// The main of every test executable: GoogleTest plus a watchdog that ends a hung executable
// so that a test run can never hang. The limit is QUILL_TEST_WATCHDOG seconds (default 600).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

void start_watchdog() {
    long seconds = 600;
    if (const char *text = std::getenv("QUILL_TEST_WATCHDOG")) {
        long value = std::strtol(text, nullptr, 10);
        if (value > 0) seconds = value;
    }
    std::thread([seconds] {
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        std::fprintf(stderr, "watchdog: test executable still running after %ld s, ending it\n", seconds);
        std::fflush(stderr);
        std::_Exit(99);
    }).detach();
}

}  // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    start_watchdog();
    return RUN_ALL_TESTS();
}
