#!/usr/bin/env bash
# Builds the benchmark programs in a Release host build of their own and runs every one
# of them. Each measure is repeated, ours and the reference interleaved, and reported as
# median and range (the Google Benchmark programs: nine repetitions in random order; the
# Wine programs: alternating rounds). Extra arguments go to each host program, e.g.
# --benchmark_filter=..., --benchmark_repetitions=N or --benchmark_format=json.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$repo/build/bench"

"$repo/scripts/install-deps.sh" libbenchmark-dev libexpat1-dev zlib1g-dev libdeflate-dev pkg-config libcapstone-dev

cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPALVETTA_BENCHMARKS=ON \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache

# Only the benchmark programs: the unit tests are not needed to measure.
mapfile -t targets < <(cmake --build "$build" --target help | sed -n 's/^\([A-Za-z0-9_]*_bench\):.*/\1/p')
if [[ ${#targets[@]} -eq 0 ]]; then
  echo "bench.sh: no *_bench target in $build" >&2
  exit 1
fi
cmake --build "$build" --target "${targets[@]}"

mapfile -t programs < <(find "$build" -type f -name '*_bench' -perm -u+x -not -path '*/CMakeFiles/*' | sort)
status=0
for program in "${programs[@]}"; do
  echo "=== ${program#"$build"/}"
  "$program" "$@" || status=$?
done

# Under Wine, the embedded symbol map against Wine's dbghelp on the DWARF 4 twin: symbol
# lookups, and traces of every thread of a process; in a Release Windows build of their own.
win_build="$repo/build/bench-win"
cmake -S "$repo" -B "$win_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
# Each program under the build folder; it is given its twin.
wine_benches=(tests/crash/symbols/symbol_lookup_bench tests/crash/stack/stack_trace_bench)
win_targets=()
for bench in "${wine_benches[@]}"; do win_targets+=("${bench##*/}" "${bench##*/}_dwarf"); done
cmake --build "$win_build" --target "${win_targets[@]}"
# shellcheck source=/dev/null
source "$repo/scripts/bench-wine.sh"
start_bench_wine "$win_build"
for bench in "${wine_benches[@]}"; do
  echo "=== ${bench##*/} (Wine)"
  "$WINE" "$win_build/$bench.exe" "Z:$win_build/$bench-dwarf.exe" || status=$?
done
exit "$status"
