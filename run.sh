#!/usr/bin/env bash
# ./run.sh            builds what is missing and starts Velquist3 under Wine on your display
# ./run.sh velquist   the same for the earlier program, Velquist
set -euo pipefail
cd "$(dirname "$0")"

case "${1:-velquist3}" in
  velquist3|Velquist3) program=Velquist3 ;;
  velquist|Velquist) program=Velquist ;;
  *) echo "usage: ./run.sh [velquist3|velquist]" >&2; exit 2 ;;
esac

if [ -z "${DISPLAY:-}" ]; then
  echo "No display is set, so there is nowhere to show $program."
  echo "Run ./run.sh from a desktop session, or start a virtual one and view it with a VNC viewer:"
  echo "  Xvfb :1 -screen 0 1280x1024x24 &  x11vnc -display :1 &  DISPLAY=:1 ./run.sh"
  exit 1
fi

tools/setup-deps
cmake --preset win >/dev/null
cmake --build --preset win -j"$(nproc)" >/dev/null

exe="build/win/bin/$program.exe"
if [ ! -f "$exe" ]; then
  echo "$program is not built yet: this checkout does not contain the program."
  exit 0
fi
exec tools/wine-run "$exe"
