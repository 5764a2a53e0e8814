// The process clock advances with work done, and the local date is today's.
#include <gtest/gtest.h>

#include <ctime>

#include "runtime.h"

TEST(Runtime, CpuTimeGrowsWithWork) {
    double before = velquist::process_cpu_seconds();
    EXPECT_GE(before, 0.0);
    volatile unsigned long sink = 0;
    double after = before;
    for (int round = 0; round < 200 && after <= before; ++round) {
        for (unsigned long i = 0; i < 5000000; ++i) sink = sink + i;
        after = velquist::process_cpu_seconds();
    }
    EXPECT_GT(after, before);
}

TEST(Runtime, LocalDateIsToday) {
    std::time_t now = std::time(nullptr);
    std::tm *parts = std::localtime(&now);
    velquist::Date date = velquist::local_date();
    EXPECT_EQ(date.day, parts->tm_mday);
    EXPECT_EQ(date.month, parts->tm_mon + 1);
    EXPECT_EQ(date.year, parts->tm_year + 1900);
}
