#!/usr/bin/env bash
# e2e_ratio.sh [KERNEL] [SECONDS]
#
# How much of a kernel's speed Velquist3 keeps: resumes a checkpoint of a million digits in the
# real program under Wine for SECONDS CPU seconds (default 10) with kernel KERNEL (1 to 7,
# default 3), reads the iterations per second the program shows, and compares the digit-steps
# per second that gives with the kernel benchmark's figure at n = 10^6 on this machine.
# Prints the figures and "e2e_ratio <x>".
set -euo pipefail
cd "$(dirname "$0")/.."
kernel=${1:-3}
seconds=${2:-10}
names=(flipadd_gpr flipadd_k62 flipadd_mmx flipadd_piii flipadd_athlon flipadd_p4 flipadd_gpr_prefetch)
name=${names[$((kernel - 1))]}

cmake --preset bench >/dev/null && cmake --build --preset bench -j"$(nproc)" >/dev/null
cmake --preset win >/dev/null && cmake --build --preset win -j"$(nproc)" >/dev/null

bench=$(build/bench/bin/flipadd_bench | grep "^kernel=$name n=1000000 " | sed 's/.*digits_per_s=//')
program=$(QUILL_E2E_KERNEL=$kernel QUILL_E2E_SECONDS=$seconds tools/wine-run \
  build/win/bin/velquist3_e2e_wintest.exe --gtest_also_run_disabled_tests \
  --gtest_filter='*MeasureRatesAtAMillionDigits' | tr -d '\r')
echo "$program" | grep '^e2e_'
steps=$(echo "$program" | grep '^e2e_digit_steps_per_second' | awk '{print $2}')
echo "bench_kernel $name"
echo "bench_digit_steps_per_second $bench"
awk -v a="$steps" -v b="$bench" 'BEGIN { printf "e2e_ratio %.2f\n", a / b }'
