#!/usr/bin/env bash
# Start-up benchmark: the time from starting the process to its main window being shown,
# for palvetta.exe and for a minimal Win32 program that shows one window, both from a
# Release Windows build, under the same Wine, runs taken in turn. Prints each one's
# median and range, and the ratio of the medians (goal: at most 1.5).
# Usage: bench_startup.sh [RUNS]   (default 15)
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$repo/build/bench-win"
runs=${1:-15}

"$repo/scripts/install-deps.sh"
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake --build "$build" -j "$(nproc)" --target palvetta window_probe minimal_window

source "$repo/scripts/bench-wine.sh"
source "$repo/scripts/bench-stats.sh"
start_bench_wine "$build"
"$WINE" cmd /c exit 0  # the prefix and a running wineserver, outside the measurement
# As in the tests: without a window manager Wine would wait two seconds to hide a window.
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > /dev/null

probe() {
  "$WINE" "$build/tests/tools/window_probe.exe" -- "Z:$1" | sed -n 's/^startup_ms=//p'
}
# One run of each first, not counted: the files come into the page cache.
probe "$build/palvetta.exe" > /dev/null
probe "$build/tests/tools/minimal_window.exe" > /dev/null
palvetta=()
minimal=()
for ((i = 0; i < runs; i++)); do
  palvetta+=("$(probe "$build/palvetta.exe")")
  minimal+=("$(probe "$build/tests/tools/minimal_window.exe")")
done

p=$(median "${palvetta[@]}")
m=$(median "${minimal[@]}")
echo "runs: $runs each, taken in turn; times in ms: median [range] (each run)"
echo "palvetta.exe:       $(median_range "${palvetta[@]}")  (${palvetta[*]})"
echo "minimal_window.exe: $(median_range "${minimal[@]}")  (${minimal[*]})"
echo "ratio: $(ratio "$p" "$m") (goal: at most 1.5)"
