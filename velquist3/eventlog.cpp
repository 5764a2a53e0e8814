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
    std::string name;
    Put2(&name, t.day);
    name += '-';
    Put2(&name, t.month);
    name += '-';
    Put4(&name, t.year);
    name += '_';
    Put2(&name, t.hour);
    name += '-';
    Put2(&name, t.minute);
    name += '-';
    Put2(&name, t.second);
    name += "_Velquist-LOG.txt";
    return name;
}

std::string timestamp(const LocalTime &t) {
    std::string stamp;
    Put2(&stamp, t.day);
    stamp += '/';
    Put2(&stamp, t.month);
    stamp += '/';
    Put4(&stamp, t.year);
    stamp += "  ";
    Put2(&stamp, t.hour);
    stamp += ':';
    Put2(&stamp, t.minute);
    stamp += ':';
    Put2(&stamp, t.second);
    stamp += "    ";
    return stamp;
}

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
