#!/usr/bin/env bash
# e2e_ratio.sh [KERNEL] [SECONDS]
#
# How much of each kernel's speed the Windows build keeps.
#
# 1. The kernel benchmark at n = 10^6, natively (bench preset) and in the Windows build (the
#    programs' compiler and flags, run under Wine), alternately REPEAT times; each kernel's best
#    figure of each build counts. Prints per kernel
#      win_over_native kernel=<name> <x>     (Windows digit-steps per second over native)
#    and then the lowest: "win_over_native lowest kernel=<name> <x>".
# 2. The real program: Velquist3 under Wine resumes a checkpoint of a million digits for SECONDS
#    CPU seconds (default 10) with kernel KERNEL (1 to 7; without it every kernel, one after
#    the other) and shows its iterations per second; the best second counts. The native kernel
#    benchmark runs once just before and once just after each of these runs. Prints per kernel
#      e2e_ratio kernel=<k> <x>              (the program's digit-steps per second over the
#                                             best of those two native figures for that kernel)
#    and then the lowest: "e2e_ratio lowest kernel=<k> <x>".
#
# The machine may be shared: the best of several runs keeps other work out of the figures. On a
# virtual machine whose host is shared, the speed of the processor itself can drift by half
# within minutes; comparing the program with the benchmark run beside it keeps that drift out
# of the ratio.
#
# Environment: QUILL_BENCH_REPEAT   runs of each kernel benchmark (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
kernel=${1:-}
seconds=${2:-10}
repeat=${QUILL_BENCH_REPEAT:-5}
names=(flipadd_gpr flipadd_k62 flipadd_mmx flipadd_piii flipadd_athlon flipadd_p4 flipadd_gpr_prefetch)
if [ -n "$kernel" ]; then
  case "$kernel" in
    [1-7]) kernels=("$kernel") ;;
    *) echo "usage: bench/e2e_ratio.sh [KERNEL 1-7] [SECONDS]" >&2; exit 2 ;;
  esac
else
  kernels=(1 2 3 4 5 6 7)
fi

cmake --preset bench >/dev/null && cmake --build --preset bench -j"$(nproc)" >/dev/null
cmake --preset win >/dev/null && cmake --build --preset win -j"$(nproc)" >/dev/null

# best[<build>:<name>]: the best digit-steps per second of a kernel in a build.
declare -A best
record() {  # record BUILD < benchmark output (not in a pipeline: it sets `best` here)
  local build=$1 name rate
  while read -r name rate; do
    if [ -z "${best[$build:$name]:-}" ] || awk -v a="$rate" -v b="${best[$build:$name]}" 'BEGIN { exit !(a > b) }'; then
      best[$build:$name]=$rate
    fi
  done < <(grep '^kernel=.* n=1000000 ' | sed 's/^kernel=\([^ ]*\) .*digits_per_s=/\1 /')
}
for _ in $(seq 1 "$repeat"); do
  record native < <(build/bench/bin/flipadd_bench 1000000)
  record win < <(tools/wine-run build/win/bin/flipadd_bench.exe 1000000)
done

# lowest LABEL < "<key> <x>" lines: the line with the smallest x, as "LABEL lowest <key> <x>".
lowest() { sort -g -k2,2 | head -1 | sed "s/^/$1 lowest /"; }

for name in "${names[@]}"; do
  echo "bench_native kernel=$name ${best[native:$name]}"
  echo "bench_win kernel=$name ${best[win:$name]}"
done
ratios=$(for name in "${names[@]}"; do
  awk -v k="$name" -v a="${best[win:$name]}" -v b="${best[native:$name]}" \
    'BEGIN { printf "kernel=%s %.2f\n", k, a / b }'
done)
echo "$ratios" | sed 's/^/win_over_native /'
echo "$ratios" | lowest win_over_native

ratios=$(for k in "${kernels[@]}"; do
  name=${names[$((k - 1))]}
  record "near$k" < <(build/bench/bin/flipadd_bench 1000000)
  program=$(QUILL_E2E_KERNEL=$k QUILL_E2E_SECONDS=$seconds tools/wine-run \
    build/win/bin/velquist3_e2e_wintest.exe --gtest_also_run_disabled_tests \
    --gtest_filter='*MeasureRatesAtAMillionDigits' | tr -d '\r')
  steps=$(echo "$program" | grep '^e2e_digit_steps_per_second' | awk '{print $2}')
  if [ -z "$steps" ]; then
    echo "e2e_ratio.sh: the program's measurement with kernel $k failed:" >&2
    echo "$program" >&2
    exit 1
  fi
  record "near$k" < <(build/bench/bin/flipadd_bench 1000000)
  echo "e2e_program kernel=$k $name $steps native_beside ${best[near$k:$name]}" >&2
  awk -v k="$k" -v a="$steps" -v b="${best[near$k:$name]}" 'BEGIN { printf "kernel=%s %.2f\n", k, a / b }'
done)
echo "$ratios" | sed 's/^/e2e_ratio /'
echo "$ratios" | lowest e2e_ratio
