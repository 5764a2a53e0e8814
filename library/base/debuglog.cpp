// The debug log. It is opened once per process; the file stays open and every line is
// flushed at once, so the log is complete however the process ends.
#include "base/debuglog.h"

#include <cstdio>
#include <cstring>

namespace {

FILE *debugfile = nullptr;  // null when no log could be created
int fileopen = 0;           // 1 once the log has been tried

void WriteLine(const char *text, std::size_t n) {
    yydebugopen();
    if (!debugfile) return;
    std::fwrite(text, 1, n, debugfile);
    std::fwrite("\r\n", 1, 2, debugfile);
    std::fflush(debugfile);
}

}  // namespace

void yydebugopen(void) {
    if (fileopen) return;
    fileopen = 1;
    static const char *const names[] = {"debug", "debug.txt", "debug.dat"};
    for (const char *name : names) {
        debugfile = std::fopen(name, "wb");
        if (debugfile) return;
    }
}

void yydebugc(const char *text) {
    if (!text) text = "";
    WriteLine(text, std::strlen(text));
}

void yydebug_(const char *text) { yydebugc(text); }

void yydebugi(const char *name, const int *ivalue) {
    // The line is formatted into a bounded buffer; a long name is cut, never overrun.
    char line[100];
    int n = std::snprintf(line, sizeof line, "%s=%d", name ? name : "", ivalue ? *ivalue : 0);
    if (n < 0) return;
    std::size_t len =
        static_cast<std::size_t>(n) < sizeof line ? static_cast<std::size_t>(n) : sizeof line - 1;
    WriteLine(line, len);
}
