// The program's time-stamped run log: one file per program start, one line per event.
//
// A line is a blank, a 24-character time stamp ("07/12/2026  22:36:54    ") and the message
// items in order: a text item unchanged (trailing blanks included), an integer item in minimal
// decimal form after one blank. Lines end in CR LF.
#ifndef VELQUIST3_EVENTLOG_H
#define VELQUIST3_EVENTLOG_H

#include <cstdio>
#include <initializer_list>
#include <string>

struct LocalTime {
    int year = 1970, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};

// The local date and time now, from the C runtime.
LocalTime local_time_now();

// "07-12-2026_22-36-54_Velquist-LOG.txt" for a program started at that moment.
std::string log_file_name(const LocalTime &t);

// The 24-character time stamp "07/12/2026  22:36:54    ".
std::string timestamp(const LocalTime &t);

// One item of a log line: a text or an integer.
struct LogItem {
    LogItem(const char *text) : text(text) {}
    LogItem(const std::string &text) : text(text) {}
    LogItem(int value) : is_number(true), number(value) {}
    LogItem(long long value) : is_number(true), number(value) {}
    std::string text;
    bool is_number = false;
    long long number = 0;
};

// The message part of a line (everything after the time stamp).
std::string log_message(std::initializer_list<LogItem> items);

// The log file. Writing never fails the caller: a log that cannot be created or written is
// simply not kept.
struct EventLog {
    std::FILE *file = nullptr;
    LocalTime (*clock)() = local_time_now;
};

// Creates (or replaces) the log file named from the clock's time in directory dir (empty: the
// current directory) and writes "Starting Program!". Returns the file name used.
std::string eventlog_open(EventLog *log, const std::string &dir = std::string());
void eventlog_write(EventLog *log, std::initializer_list<LogItem> items);
void eventlog_flush(EventLog *log);
void eventlog_close(EventLog *log);

#endif
