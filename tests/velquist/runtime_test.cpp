// The local date is today's.
#include <gtest/gtest.h>

#include <ctime>

#include "velquist/runtime.h"

TEST(Runtime, LocalDateIsToday) {
    std::time_t now = std::time(nullptr);
    std::tm *parts = std::localtime(&now);
    velquist::Date date = velquist::local_date();
    EXPECT_EQ(date.day, parts->tm_mday);
    EXPECT_EQ(date.month, parts->tm_mon + 1);
    EXPECT_EQ(date.year, parts->tm_year + 1900);
}
