#!/usr/bin/env bash
# Resize benchmark: the time one step of resizing a window takes (the new size, the
# layout and the painting it causes), for palvetta.exe with a small and a large project
# and for a plain list window (minimal_window.exe --list, a list view filling a window),
# all from a Release Windows build, under the same Wine, in one run. Prints the median
# step of each and, with --children, what resizing each child of the main window alone
# costs.
# Usage: bench_resize.sh [STEPS] [--children]   (default 40 steps)
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$repo/build/bench-win"
steps=40
children=()
for argument in "$@"; do
  case "$argument" in
    --children) children=(--resize-children) ;;
    *) steps=$argument ;;
  esac
done

"$repo/scripts/install-deps.sh"
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake --build "$build" -j "$(nproc)" --target palvetta window_probe minimal_window

source "$repo/scripts/bench-wine.sh"
start_bench_wine "$build"
"$WINE" cmd /c exit 0  # the prefix and a running wineserver, outside the measurement
# As in the tests: without a window manager Wine would wait two seconds to hide a window.
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > /dev/null
# Every run starts from the same placement: the program's first start.
"$WINE" reg delete 'HKCU\Software\Palvetta' /f > /dev/null 2>&1 || true

# The small project is the golden one (a dozen items); the large one repeats its items
# until it has a few thousand.
small="$repo/tests/tools/golden/project.kwj"
large="$build/bench_large.kwj"
awk '/<items>/ { print; inside = 1; next }
     /<\/items>/ { for (i = 0; i < 250; i++) printf "%s", body; inside = 0 }
     inside { body = body $0 "\n"; next }
     { print }' "$small" > "$large"

rows=$(grep -c '<item ' "$large")
median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
measure() {  # NAME TITLE PROGRAM ARGS...
  local name=$1 title=$2
  shift 2
  local output
  output=$("$WINE" "$build/tests/tools/window_probe.exe" --title-contains "$title" \
    --resize-steps "$steps" "${children[@]}" -- "$@")
  local times sizings
  times=$(sed -n 's/^resize_ms=\([0-9.]*\) .*/\1/p' <<< "$output")
  sizings=$(sed -n 's/^resize_ms=.* sizing_ms=//p' <<< "$output")
  printf '%-42s median %6.1f ms per step, %6.1f ms of it before painting  (min %s, max %s)\n' \
    "$name" "$(median <<< "$times")" "$(median <<< "$sizings")" \
    "$(sort -n <<< "$times" | head -1)" "$(sort -n <<< "$times" | tail -1)"
  sed -n 's/^child=\(.*\) resize_ms=\(.*\) sizing_ms=\(.*\)/    child \1: \2 ms, \3 ms before painting/p' \
    <<< "$output"
}

echo "steps: $steps per window, each growing or shrinking it by 12 pixels"
measure "plain list window ($rows rows)" "Minimal" \
  "$build/tests/tools/minimal_window.exe" --list "$rows"
measure "palvetta.exe, small project" "project.kwj" "$build/palvetta.exe" "Z:$small"
measure "palvetta.exe, large project ($rows items)" "bench_large.kwj" "$build/palvetta.exe" "Z:$large"
