#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it under Wine.
# Usage: run.sh [PROJECT.kwj]
# Without a display (no DISPLAY set) it runs on a virtual one, which only makes sense for
# trying that it starts; set DISPLAY to see the window.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)

"$repo/scripts/install-deps.sh"
cmake -S "$repo" -B "$repo/build/win" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" -DBUILD_TESTING=ON \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake --build "$repo/build/win" -j "$(nproc)" --target palvetta

source "$repo/scripts/wine-env.sh"
# A prefix of its own: the tests' prefix is set up for a display without a window manager.
export WINEPREFIX="$repo/build/run-prefix"
if [ -z "${DISPLAY:-}" ]; then
  source "$repo/scripts/xvfb.sh"
  start_xvfb "$repo/build/xvfb-run.log"
  trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
  echo "No DISPLAY: Palvetta runs on the virtual display $DISPLAY."
fi

arguments=()
if [ $# -gt 0 ]; then
  # Wine sees the Linux file system as drive Z:.
  if [ -e "$1" ]; then arguments+=("Z:$(realpath "$1" | tr / '\\')"); else arguments+=("$1"); fi
fi
"$WINE" "$repo/build/win/palvetta.exe" "${arguments[@]}"
