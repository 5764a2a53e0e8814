#!/usr/bin/env bash
# Builds both presets (and the benchmarks) and runs every test: the portable tests natively
# under AddressSanitizer and UBSan, then every test of the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup-deps

jobs=$(nproc)

cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
ctest --preset native -j"$jobs"

cmake --preset bench >/dev/null
cmake --build --preset bench -j"$jobs"

cmake --preset win >/dev/null
cmake --build --preset win -j"$jobs"
ctest --preset win -j"$jobs"
