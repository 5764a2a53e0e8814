// What the earlier program takes from the language runtime: the process's CPU time (the one
// routine both programs use) and the local date.
#ifndef VELQUIST_RUNTIME_H
#define VELQUIST_RUNTIME_H

#include "velquist3/cputime.h"
#include "program.h"

namespace velquist {

// Today's date in local time.
Date local_date();

}  // namespace velquist

#endif
