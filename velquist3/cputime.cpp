// The CPU time of the process, from the C runtime's process clock (on Windows the runtime
// answers it from the process's kernel and user times).
#include <ctime>

#include "cputime.h"

double process_cpu_seconds() {
    struct timespec ts;
    if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts) != 0) return 0.0;
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}
