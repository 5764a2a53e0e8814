#!/usr/bin/env bash
# tools/check-layers on small trees of its own: it passes a tree whose layers reach only
# downwards, and fails an upward include and an upward symbol in a layer's archive.
set -uo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

expect() {  # expect PASS|FAIL NAME [pattern the failure names]
  local want=$1 name=$2 pattern=${3:-}
  local output rc
  output=$("$work/tree/tools/check-layers" "$work/tree/build" 2>&1)
  rc=$?
  if [ "$want" = PASS ] && [ $rc -ne 0 ]; then
    echo "FAILED $name: expected a pass, got: $output"
    failures=$((failures + 1))
  elif [ "$want" = FAIL ] && { [ $rc -eq 0 ] || ! grep -q -- "$pattern" <<<"$output"; }; then
    echo "FAILED $name: expected a failure naming '$pattern', got ($rc): $output"
    failures=$((failures + 1))
  else
    echo "ok $name"
  fi
}

# A tree where every layer has one source that includes from the layer below it and calls it.
make_tree() {
  rm -rf "$work/tree"
  mkdir -p "$work/tree/tools" "$work/tree/build/library"
  cp "$source_dir/tools/check-layers" "$work/tree/tools/"
  echo "CMAKE_NM:FILEPATH=$(command -v nm)" >"$work/tree/build/CMakeCache.txt"
  local layer below
  for layer in base core graphics hardcopy grid; do
    mkdir -p "$work/tree/library/$layer"
    case $layer in
      base) below= ;; core) below=base ;; graphics) below=core ;; hardcopy) below=graphics ;;
      grid) below=core ;;
    esac
    {
      [ -n "$below" ] && echo "#include \"$below/${below}.h\"" && echo "void ${below}_entry(void);"
      echo "void ${layer}_entry(void) {"
      [ -n "$below" ] && echo "    ${below}_entry();"
      echo "}"
    } >"$work/tree/library/$layer/$layer.c"
    echo "void ${layer}_entry(void);" >"$work/tree/library/$layer/$layer.h"
  done
}

# Builds each layer's archive from its sources (includes resolved against library/).
build_tree() {
  local layer
  for layer in base core graphics hardcopy grid; do
    rm -f "$work/tree/build/library/libquill_$layer.a"
    for src in "$work/tree/library/$layer"/*.c; do
      cc -c -I "$work/tree/library" -o "${src%.c}.o" "$src" || exit 1
    done
    ar qc "$work/tree/build/library/libquill_$layer.a" "$work/tree/library/$layer"/*.o
    rm -f "$work/tree/library/$layer"/*.o
  done
}

make_tree && build_tree
expect PASS "layers that reach only downwards"

make_tree
echo '#include "grid/grid.h"' >>"$work/tree/library/core/core.c"
build_tree
expect FAIL "core including from the grid" "library/core/core.c:.*core includes from grid"

make_tree
echo '#include "graphics/graphics.h"' >>"$work/tree/library/grid/grid.c"
build_tree
expect FAIL "the grid including from graphics" "grid includes from graphics"

make_tree
printf 'void hardcopy_entry(void);\nvoid core_calls_up(void) { hardcopy_entry(); }\n' \
  >"$work/tree/library/core/up.c"
build_tree
expect FAIL "core calling a routine of hardcopy" "core (up.o) refers to hardcopy_entry of hardcopy"

make_tree
printf 'void graphics_entry(void);\nvoid grid_calls_across(void) { graphics_entry(); }\n' \
  >"$work/tree/library/grid/across.c"
build_tree
expect FAIL "the grid calling a routine of graphics" "grid (across.o) refers to graphics_entry"

[ $failures -eq 0 ]
