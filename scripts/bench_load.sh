#!/usr/bin/env bash
# Loading large projects: the host build and the Windows build under Wine, in one run, on
# the same generated project files of 10,000 and 100,000 items (Release builds).
# For each file and build:
#   - batchgen's steps timed apart by load_timer (read the file, load = parse and make
#     the items, generate the batch text, write it, free the project), median of RUNS
#     processes;
#   - the whole batchgen process, wall time, median of RUNS;
#   - under Wine also palvetta.exe opening the file: the time until its window's caption
#     names the project (window_probe, on a virtual display when there is none).
# And once: a Wine process that does nothing (batchgen.exe without arguments), the fixed
# cost in every whole-process time under Wine, both with the wineserver running (as for
# all the other measurements: it is kept running) and cold, when every start also
# starts the wineserver and wineboot with its services, about two seconds.
# Usage: bench_load.sh [RUNS]   (default 3)
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
host="$repo/build/bench-load-host"
win="$repo/build/bench-win"
work="$repo/build/bench-load"
runs=${1:-3}
sizes=(10000 100000)

"$repo/scripts/install-deps.sh"
cmake -S "$repo" -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER_LAUNCHER=ccache > /dev/null
cmake --build "$host" -j "$(nproc)" --target bench_project_writer load_timer batchgen
cmake -S "$repo" -B "$win" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" -DCMAKE_CXX_COMPILER_LAUNCHER=ccache > /dev/null
cmake --build "$win" -j "$(nproc)" --target load_timer batchgen palvetta window_probe

source "$repo/scripts/bench-wine.sh"
start_bench_wine "$win"
"$WINE" cmd /c exit 0  # the prefix, outside the measurement
# As in the tests: without a window manager Wine would wait two seconds to hide a window.
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > /dev/null

mkdir -p "$work"
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
# Median wall time in milliseconds of RUNS runs of the command; its output is dropped.
wall_ms() {
  local times=() start
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$@" > /dev/null 2>&1 || true
    times+=($(( ($(date +%s%N) - start) / 1000000 )))
  done
  median "${times[@]}"
}

# Median of each step of RUNS load_timer processes, given the command that starts one.
steps_ms() {
  local lines=() step out=""
  for ((i = 0; i < runs; i++)); do lines+=("$("$@")"); done
  for step in read load generate write free; do
    out+="${step}_ms=$(median $(printf '%s\n' "${lines[@]}" | grep -o "${step}_ms=[0-9.]*" | cut -d= -f2)) "
  done
  echo "$out"
}

echo "runs: $runs; times in ms, medians; load_timer steps measured inside the process, the rest wall-clock"
cold=()
for ((i = 0; i < runs; i++)); do
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w
  start=$(date +%s%N)
  "$WINE" "$win/tools/batchgen/batchgen.exe" > /dev/null 2>&1 || true
  cold+=($(( ($(date +%s%N) - start) / 1000000 )))
done
echo "Wine process that does nothing (batchgen.exe, no arguments), cold: $(median "${cold[@]}")"
# From here on one wineserver serves every run.
"$WINESERVER" -k 2>/dev/null || true
"$WINESERVER" -w
"$WINESERVER" -p
"$WINE" cmd /c exit 0
echo "Wine process that does nothing, wineserver running: $(wall_ms "$WINE" "$win/tools/batchgen/batchgen.exe")"
for items in "${sizes[@]}"; do
  project="$work/project_$items.kwj"
  "$host/tests/tools/bench_project_writer" "$items" "$project"
  echo "=== $items items, $(stat -c %s "$project") bytes"
  echo "host load_timer:     $(steps_ms "$host/tests/tools/load_timer" "$project" "$work/host.bat")"
  echo "wine load_timer.exe: $(steps_ms "$WINE" "$win/tests/tools/load_timer.exe" "Z:$project" "Z:$work/win.bat")"
  echo "host batchgen:       $(wall_ms "$host/tools/batchgen/batchgen" "$project" "$work/host.bat")"
  echo "wine batchgen.exe:   $(wall_ms "$WINE" "$win/tools/batchgen/batchgen.exe" "Z:$project" "Z:$work/win.bat")"
  opened=()
  for ((i = 0; i < runs; i++)); do
    opened+=("$("$WINE" "$win/tests/tools/window_probe.exe" --title-contains "project_$items.kwj" -- \
      "Z:$win/palvetta.exe" "Z:$project" | sed -n 's/^startup_ms=//p')")
  done
  echo "wine palvetta.exe until its caption names the project: $(median "${opened[@]}")"
done
