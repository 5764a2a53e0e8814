#!/usr/bin/env bash
# grid_ratio.sh
#
# Speed of the grid control as a program sees it: runs the grid benchmark of the Windows build
# under Wine on a grid of 100,000 rows and prints its ratios to plain baselines measured in the
# same run (fill by the public puts / formatting the values, sort by a real column /
# std::stable_sort of the same pairs, an unsuccessful find / std::string::find over the texts,
# repainting a screenful and a Page Down / as many plain edit controls repainted and refilled).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win >/dev/null && cmake --build --preset win -j4 --target grid_grid_bench_wintest >/dev/null
tools/wine-run build/win/bin/grid_grid_bench_wintest.exe --gtest_also_run_disabled_tests \
  --gtest_filter='*RatiosToPlainBaselines' | tr -d '\r' | grep '^grid_'
