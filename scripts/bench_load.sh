#!/usr/bin/env bash
# Loading large projects: the host build and the Windows build under Wine, in one run, on
# the same generated project files of 10,000 and 100,000 items (Release builds). Every
# measure is one process started as a user starts it (nothing is warmed up in a loop),
# repeated RUNS times; the measures of a size take their turns within each round, so a
# slow spell of the machine hits all of them alike. Each prints its median and range.
# For each file:
#   - load_timer, host and Wine: batchgen's steps timed apart inside the process (read
#     the file, load = parse and make the items, generate the batch text, write it, free
#     the project);
#   - batchgen, host and Wine: the whole process, wall time;
#   - palvetta.exe opening the file: from its start until its window's caption names the
#     project (the project opens after the window shows; window_probe watches).
# The goals compared at the end: palvetta.exe opens the file in at most 1.5x the time of
# batchgen.exe, and batchgen.exe loads 100,000 items in under 2 s or within 1.3x the host
# batchgen.
# And first: a Wine process that does nothing (batchgen.exe without arguments), the fixed
# cost in every whole-process time under Wine, with the wineserver running (as for all
# the other measurements: it is kept running) and cold, when every start also starts the
# wineserver and wineboot with its services.
# Usage: bench_load.sh [RUNS]   (default 5)
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
host="$repo/build/bench-load-host"
win="$repo/build/bench-win"
work="$repo/build/bench-load"
runs=${1:-5}
sizes=(10000 100000)

"$repo/scripts/install-deps.sh"
cmake -S "$repo" -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER_LAUNCHER=ccache > /dev/null
cmake --build "$host" -j "$(nproc)" --target bench_project_writer load_timer batchgen
cmake -S "$repo" -B "$win" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" -DCMAKE_CXX_COMPILER_LAUNCHER=ccache > /dev/null
cmake --build "$win" -j "$(nproc)" --target load_timer batchgen palvetta window_probe

source "$repo/scripts/bench-wine.sh"
source "$repo/scripts/bench-stats.sh"
start_bench_wine "$win"
"$WINE" cmd /c exit 0  # the prefix, outside the measurement
# As in the tests: without a window manager Wine would wait two seconds to hide a window.
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > /dev/null

mkdir -p "$work"
# Wall time in milliseconds of one run of the command; its output is dropped.
wall_ms() {
  local start
  start=$(date +%s%N)
  "$@" > /dev/null 2>&1 || true
  echo $(( ($(date +%s%N) - start) / 1000000 ))
}
# The value of one "NAME=VALUE" field of a line.
field() { grep -o "$1=[0-9.]*" <<< "$2" | cut -d= -f2; }

echo "runs: $runs; times in ms: median [range], rounds taking the measures in turn"
cold=()
for ((i = 0; i < runs; i++)); do
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w
  cold+=("$(wall_ms "$WINE" "$win/tools/batchgen/batchgen.exe")")
done
# From here on one wineserver serves every run.
"$WINESERVER" -k 2>/dev/null || true
"$WINESERVER" -w
"$WINESERVER" -p
"$WINE" cmd /c exit 0
idle=()
for ((i = 0; i < runs; i++)); do idle+=("$(wall_ms "$WINE" "$win/tools/batchgen/batchgen.exe")"); done
echo "Wine process that does nothing (batchgen.exe, no arguments), cold:  $(median_range "${cold[@]}")"
echo "Wine process that does nothing, wineserver running:                $(median_range "${idle[@]}")"

steps=(read load generate write free)
for items in "${sizes[@]}"; do
  project="$work/project_$items.kwj"
  "$host/tests/tools/bench_project_writer" "$items" "$project"
  declare -A timer=()
  hostgen=() winegen=() opened=()
  for ((i = 0; i < runs; i++)); do
    line=$("$host/tests/tools/load_timer" "$project" "$work/host.bat")
    for step in "${steps[@]}"; do timer[host_$step]+="$(field "${step}_ms" "$line") "; done
    line=$("$WINE" "$win/tests/tools/load_timer.exe" "Z:$project" "Z:$work/win.bat")
    for step in "${steps[@]}"; do timer[wine_$step]+="$(field "${step}_ms" "$line") "; done
    hostgen+=("$(wall_ms "$host/tools/batchgen/batchgen" "$project" "$work/host.bat")")
    winegen+=("$(wall_ms "$WINE" "$win/tools/batchgen/batchgen.exe" "Z:$project" "Z:$work/win.bat")")
    line=$("$WINE" "$win/tests/tools/window_probe.exe" --title-contains "project_$items.kwj" -- \
      "Z:$win/palvetta.exe" "Z:$project")
    opened+=("$(field caption_ms "$line")")
  done
  echo "=== $items items, $(stat -c %s "$project") bytes"
  for build in host wine; do
    out=""
    # shellcheck disable=SC2086  # the values of a step are one word each
    for step in "${steps[@]}"; do out+="$step $(median_range ${timer[${build}_$step]})  "; done
    printf '%-22s %s\n' "$build load_timer:" "$out"
  done
  printf '%-22s %s\n' "host batchgen:" "$(median_range "${hostgen[@]}")"
  printf '%-22s %s\n' "wine batchgen.exe:" "$(median_range "${winegen[@]}")"
  printf '%-22s %s\n' "wine palvetta.exe:" "$(median_range "${opened[@]}")  (until its caption names the project)"
  echo "palvetta.exe / batchgen.exe: $(ratio "$(median "${opened[@]}")" "$(median "${winegen[@]}")") (goal: at most 1.5)"
  echo "batchgen.exe / host batchgen: $(ratio "$(median "${winegen[@]}")" "$(median "${hostgen[@]}")") (goal: at most 1.3, or batchgen.exe under 2000 ms)"
  unset timer
done
