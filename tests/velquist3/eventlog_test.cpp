// The run log: its file name, time stamps and the form of its lines.
#include <gtest/gtest.h>

#include "velquist3/eventlog.h"
#include "scratch_dir.h"

namespace {

LocalTime g_now;
LocalTime FixedClock() { return g_now; }

LocalTime At(int day, int month, int year, int hour, int minute, int second) {
    return LocalTime{year, month, day, hour, minute, second};
}

}  // namespace

TEST(EventLogNames, DayMonthYearAndTimeOfTheStart) {
    EXPECT_EQ(log_file_name(At(7, 12, 2026, 22, 36, 54)), "07-12-2026_22-36-54_Velquist-LOG.txt");
    EXPECT_EQ(log_file_name(At(1, 2, 2003, 4, 5, 6)), "01-02-2003_04-05-06_Velquist-LOG.txt");
}

TEST(EventLogNames, TimeStampIs24Characters) {
    EXPECT_EQ(timestamp(At(7, 12, 2026, 22, 36, 54)), "07/12/2026  22:36:54    ");
    EXPECT_EQ(timestamp(At(31, 1, 1999, 0, 0, 9)), "31/01/1999  00:00:09    ");
    EXPECT_EQ(timestamp(At(7, 12, 2026, 22, 36, 54)).size(), 24u);
}

TEST(EventLogLines, IntegersFollowOneBlankTextsStandUnchanged) {
    EXPECT_EQ(log_message({"Palindrome found for Number -", 89, "- At Iteration -", 24,
                           ", Digit Length -", 13}),
              "Palindrome found for Number - 89- At Iteration - 24, Digit Length - 13");
    EXPECT_EQ(log_message({"Largest Match For Number -", 196, " Of ", 2, "Digits",
                           " - At Iteration -", 1, ", Digit Length -", 3}),
              "Largest Match For Number - 196 Of  2Digits - At Iteration - 1, Digit Length - 3");
    EXPECT_EQ(log_message({"Allocated ", 3000300, "bytes of memory - ", 3, "mb"}),
              "Allocated  3000300bytes of memory -  3mb");
    EXPECT_EQ(log_message({"Saving file at", 1, "million digits"}),
              "Saving file at 1million digits");
    EXPECT_EQ(log_message({"Opening file ", std::string("a.isf   ")}), "Opening file a.isf   ");
    EXPECT_EQ(log_message({"Starting from scratch with number -", -5}),
              "Starting from scratch with number - -5");
}

TEST(EventLogFile, OneFilePerStartWithStampedCrLfLines) {
    ScratchDir dir;
    EventLog log;
    log.clock = FixedClock;
    g_now = At(7, 12, 2026, 22, 36, 54);
    std::string name = eventlog_open(&log, dir.path.string());
    EXPECT_EQ(name, "07-12-2026_22-36-54_Velquist-LOG.txt");
    g_now.second = 55;
    eventlog_write(&log, {"Cleared Dialog"});
    eventlog_flush(&log);
    std::string path = dir.file(name);
    EXPECT_EQ(read_whole_file(path),
              " 07/12/2026  22:36:54    Starting Program!\r\n"
              " 07/12/2026  22:36:55    Cleared Dialog\r\n");
    eventlog_write(&log, {"Exit Program"});
    eventlog_close(&log);
    EXPECT_EQ(read_whole_file(path).substr(85), " 07/12/2026  22:36:55    Exit Program\r\n");
    eventlog_write(&log, {"after close is ignored"});

    // A second start in the same second replaces the first file.
    EventLog second;
    second.clock = FixedClock;
    g_now.second = 54;
    eventlog_open(&second, dir.path.string());
    eventlog_close(&second);
    EXPECT_EQ(read_whole_file(path), " 07/12/2026  22:36:54    Starting Program!\r\n");
}

TEST(EventLogFile, UncreatableLogIsNotKeptAndNothingFails) {
    ScratchDir dir;
    EventLog log;
    eventlog_open(&log, dir.file("missing-folder"));
    EXPECT_EQ(log.file, nullptr);
    eventlog_write(&log, {"nothing", 1});
    eventlog_flush(&log);
    eventlog_close(&log);
}
