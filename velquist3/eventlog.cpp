// The run log: file name and time stamps from the local time, lines of text and integer items.
#include "eventlog.h"

#include <ctime>

namespace {

// Two digits, with a leading zero.
void Put2(std::string *out, int v) {
    out->push_back(static_cast<char>('0' + (v / 10) % 10));
    out->push_back(static_cast<char>('0' + v % 10));
}

void Put4(std::string *out, int v) {
    Put2(out, (v / 100) % 100);
    Put2(out, v % 100);
}

// Day, month, four-digit year, then hours, minutes, seconds, with the given separators.
std::string DateTime(const LocalTime &t, char date_sep, const char *between, char time_sep) {
    std::string text;
    Put2(&text, t.day);
    text += date_sep;
    Put2(&text, t.month);
    text += date_sep;
    Put4(&text, t.year);
    text += between;
    Put2(&text, t.hour);
    text += time_sep;
    Put2(&text, t.minute);
    text += time_sep;
    Put2(&text, t.second);
    return text;
}

}  // namespace

LocalTime local_time_now() {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    if (std::tm *tm = std::localtime(&now)) parts = *tm;
    LocalTime t;
    t.year = parts.tm_year + 1900;
    t.month = parts.tm_mon + 1;
    t.day = parts.tm_mday;
    t.hour = parts.tm_hour;
    t.minute = parts.tm_min;
    t.second = parts.tm_sec;
    return t;
}

std::string log_file_name(const LocalTime &t) {
    return DateTime(t, '-', "_", '-') + "_Velquist-LOG.txt";
}

std::string timestamp(const LocalTime &t) { return DateTime(t, '/', "  ", ':') + "    "; }

std::string log_message(std::initializer_list<LogItem> items) {
    std::string message;
    for (const LogItem &item : items) {
        if (item.is_number) {
            message += ' ';
            message += std::to_string(item.number);
        } else {
            message += item.text;
        }
    }
    return message;
}

std::string eventlog_open(EventLog *log, const std::string &dir) {
    eventlog_close(log);
    std::string name = log_file_name(log->clock());
    std::string path = dir.empty() ? name : dir + "/" + name;
    log->file = std::fopen(path.c_str(), "wb");
    eventlog_write(log, {"Starting Program!"});
    eventlog_flush(log);
    return name;
}

void eventlog_write(EventLog *log, std::initializer_list<LogItem> items) {
    if (!log->file) return;
    std::string line = " " + timestamp(log->clock()) + log_message(items) + "\r\n";
    std::fwrite(line.data(), 1, line.size(), log->file);
}

void eventlog_flush(EventLog *log) {
    if (log->file) std::fflush(log->file);
}

void eventlog_close(EventLog *log) {
    if (log->file) std::fclose(log->file);
    log->file = nullptr;
}
