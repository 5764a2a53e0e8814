// The process clock both programs show: it reads, and it advances with work done.
#include <gtest/gtest.h>

#include "velquist3/cputime.h"

TEST(ProcessCpuTime, AdvancesWithWork) {
    double before = process_cpu_seconds();
    EXPECT_GE(before, 0.0);
    volatile unsigned long sink = 0;
    double after = before;
    for (int round = 0; round < 200 && after < before + 0.05; ++round) {
        for (unsigned long i = 0; i < 5000000; ++i) sink = sink + i;
        after = process_cpu_seconds();
    }
    EXPECT_GE(after, before + 0.05);
}
