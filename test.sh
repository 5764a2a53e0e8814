#!/usr/bin/env bash
# Checks the sources, builds both presets (and the benchmarks) and runs every test: the
# portable tests natively under AddressSanitizer and UBSan, a short fuzz run of the parsers,
# then every test of the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup-deps
# Every source in the project's format, and no layer including from a higher one, before
# anything is built.
tools/check-sources
tools/check-layers

# One Wine server for the whole run, stopped at its end with everything the hold started: a
# server that ended on its idle timeout between two programs would fail the next one.
tools/wine-run --hold
trap 'tools/wine-run --release' EXIT

jobs=$(nproc)

cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
ctest --preset native -j"$jobs"
# A short run of every parser's fuzz target (seconds each); tools/fuzz-run 600 runs longer.
tools/fuzz-run 3

cmake --preset bench >/dev/null
cmake --build --preset bench -j"$jobs"

cmake --preset win >/dev/null
cmake --build --preset win -j"$jobs"
# No layer's archive refers to what only a higher layer defines.
tools/check-layers build/win
# The printing tests print through the spooler to its PDF printers.
tools/print-queue
# A test that fails under Wine is run once more before it counts as failed: a rare start-up
# failure of a Wine process (seen about once in several hundred runs on a loaded machine)
# must not fail the whole run, while a real fault fails both runs.
ctest --preset win -j"$jobs" --repeat until-pass:2
