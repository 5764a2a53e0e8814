// Process CPU time and the local date from the C runtime. The POSIX process clock is also
// provided by the Windows toolchain's thread library, which reads the process times.
#include "runtime.h"

#include <ctime>

namespace velquist {

double process_cpu_seconds() {
    struct timespec now {};
    if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now) != 0) return 0.0;
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

Date local_date() {
    std::time_t now = std::time(nullptr);
    std::tm parts {};
#ifdef _WIN32
    localtime_s(&parts, &now);
#else
    localtime_r(&now, &parts);
#endif
    Date date;
    date.day = parts.tm_mday;
    date.month = parts.tm_mon + 1;
    date.year = parts.tm_year + 1900;
    return date;
}

}  // namespace velquist
