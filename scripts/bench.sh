#!/usr/bin/env bash
# Builds the benchmark programs in a Release host build of their own and runs every one
# of them. Extra arguments go to each program, e.g. --benchmark_filter=... or
# --benchmark_format=json.
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
exit "$status"
