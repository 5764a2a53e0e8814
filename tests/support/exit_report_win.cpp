// Crash and abort reports of a Windows test executable.
#include "exit_report.h"

#include <windows.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

// Prints what ended the executable, with the running test, after what the test printed.
void Report(const char *what) {
    char test[256];
    RunningTestPhrase(test, sizeof test);
    std::fflush(stdout);
    std::fprintf(stderr, "test executable %s%s\n", what, test);
    std::fflush(stderr);
}

LONG WINAPI ReportCrash(EXCEPTION_POINTERS *pointers) {
    const EXCEPTION_RECORD *record = pointers->ExceptionRecord;
    char what[96];
    std::snprintf(what, sizeof what, "crashed: exception 0x%08lX at %p", record->ExceptionCode,
                  record->ExceptionAddress);
    Report(what);
    TerminateProcess(GetCurrentProcess(), record->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

void ReportAbort(int) {
    Report("aborted");
    std::_Exit(3);
}

}  // namespace

void InstallCrashReport() {
    SetUnhandledExceptionFilter(ReportCrash);
    std::signal(SIGABRT, ReportAbort);
}
