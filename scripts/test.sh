#!/usr/bin/env bash
# Installs what is missing, builds the host build (with AddressSanitizer and UBSan) and
# the Windows build, and runs every test of both; the Windows tests run under Wine.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

"$repo/scripts/install-deps.sh"

cmake -S "$repo" -B "$repo/build/host" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DPALVETTA_SANITIZE=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake -S "$repo" -B "$repo/build/win" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake --build "$repo/build/host" -j "$jobs"
cmake --build "$repo/build/win" -j "$jobs"

# Create the Wine prefix once, before tests start Wine in parallel, and keep one
# wineserver for the whole run.
source "$repo/scripts/wine-env.sh"
"$WINESERVER" -p
"$WINE" cmd /c exit 0
trap '"$WINESERVER" -k 2>/dev/null || true' EXIT

status=0
ctest --test-dir "$repo/build/host" -j "$jobs" --output-on-failure > "$repo/build/host-tests.log" 2>&1 &
host=$!
ctest --test-dir "$repo/build/win" -j "$jobs" --output-on-failure --timeout 600 \
  > "$repo/build/win-tests.log" 2>&1 &
win=$!
wait $host || status=1
wait $win || status=1
echo "=== host tests ===" && cat "$repo/build/host-tests.log"
echo "=== Windows tests (Wine) ===" && cat "$repo/build/win-tests.log"
[ $status -eq 0 ] && echo "All tests passed." || echo "Some tests FAILED."
exit $status
