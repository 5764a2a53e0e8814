#!/usr/bin/env bash
# driver_ratio.sh
#
# How much of plain GDI's speed drawing through the driver protocol keeps: draws 200,000 lines
# and 20,000 filled 16-point polygons on a 1000 x 1000 memory bitmap through the drawing-side
# switch and as plain GDI calls, in the Windows build under Wine, and prints the times and
# "lines_ratio" and "polygons_ratio" (plain time / driver time).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win >/dev/null && cmake --build --preset win -j4 >/dev/null
tools/wine-run build/win/bin/graphics_driver_speed_wintest.exe --gtest_also_run_disabled_tests \
  --gtest_filter='*LinesAndPolygonsAgainstPlainGdi' | tr -d '\r' | grep -E '_s |_ratio '
