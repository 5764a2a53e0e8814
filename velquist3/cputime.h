// The CPU time of the process, which both search programs show and pace their saves by.
#ifndef VELQUIST3_CPUTIME_H
#define VELQUIST3_CPUTIME_H

// User plus system time of this process so far, in seconds; 0 when the clock cannot be read.
double process_cpu_seconds();

#endif
