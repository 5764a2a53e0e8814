// How a test executable says that it ended before its tests did: the running test's name for
// the watchdog's and the crash report's lines, and (for Windows) the crash report itself.
#ifndef TESTS_SUPPORT_EXIT_REPORT_H
#define TESTS_SUPPORT_EXIT_REPORT_H

#include <cstddef>

// " in Suite.Test" while a test runs, "" otherwise, into buffer (size bytes, cut to fit).
void RunningTestPhrase(char *buffer, std::size_t size);

// Windows: a crash ends the executable at once with a line on stderr that names the exception,
// its address and the running test, where Wine would start its debugger, which waits until
// the test's time runs out and loses what the test printed; abort() is named the same way.
// Natively the sanitizers report crashes themselves.
void InstallCrashReport();

#endif
