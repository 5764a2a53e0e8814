// The running test's name for the reports of an early end.
#include "exit_report.h"

#include <gtest/gtest.h>

#include <cstdio>

void RunningTestPhrase(char *buffer, std::size_t size) {
    if (size == 0) return;
    buffer[0] = '\0';
    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (test) std::snprintf(buffer, size, " in %s.%s", test->test_suite_name(), test->name());
}

#ifndef _WIN32
void InstallCrashReport() {}
#endif
