// What the earlier program takes from the language runtime: the process's CPU time and the
// local date.
#ifndef VELQUIST_RUNTIME_H
#define VELQUIST_RUNTIME_H

#include "program.h"

namespace velquist {

// User plus system time of the process so far, in seconds.
double process_cpu_seconds();

// Today's date in local time.
Date local_date();

}  // namespace velquist

#endif
