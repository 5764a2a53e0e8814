// The local date is today's.
#include <gtest/gtest.h>

#include <ctime>

#include "velquist/runtime.h"

namespace {

bool SameDay(const velquist::Date &date, std::time_t when) {
    const std::tm *parts = std::localtime(&when);
    return date.day == parts->tm_mday && date.month == parts->tm_mon + 1 &&
           date.year == parts->tm_year + 1900;
}

}  // namespace

TEST(Runtime, LocalDateIsToday) {
    // Read around the call, so that a run across midnight accepts either day.
    std::time_t before = std::time(nullptr);
    velquist::Date date = velquist::local_date();
    std::time_t after = std::time(nullptr);
    EXPECT_TRUE(SameDay(date, before) || SameDay(date, after))
        << date.day << "-" << date.month << "-" << date.year;
}
