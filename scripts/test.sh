#!/usr/bin/env bash
# Installs what is missing, builds the host build (with AddressSanitizer and UBSan), the
# Windows build and the fuzz targets (clang), and runs every test of both builds (the
# Windows tests under Wine) and each fuzz target for a bounded time.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

"$repo/scripts/install-deps.sh"

cmake -S "$repo" -B "$repo/build/host" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DPALVETTA_SANITIZE=ON -DBUILD_TESTING=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake -S "$repo" -B "$repo/build/win" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" -DBUILD_TESTING=ON \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake -S "$repo" -B "$repo/build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DPALVETTA_FUZZ=ON -DBUILD_TESTING=ON \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake --build "$repo/build/host" -j "$jobs"
cmake --build "$repo/build/win" -j "$jobs"

# One virtual X display for every Windows test that opens a window.
source "$repo/scripts/xvfb.sh"
start_xvfb "$repo/build/xvfb.log"

# Create the Wine prefix once, before tests start Wine in parallel. (A persistent
# wineserver, "wineserver -p", makes test programs hang at exit now and then.)
source "$repo/scripts/wine-env.sh"
"$WINESERVER" -k 2>/dev/null || true  # a server left by an interrupted run
trap '"$WINESERVER" -k 2>/dev/null || true; kill $xvfb_pid 2>/dev/null || true' EXIT
"$WINE" cmd /c exit 0
# Without a window manager on the virtual display, Wine waits two seconds for every
# managed window it hides; unmanaged windows hide at once.
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > /dev/null

# Each fuzz target starts from its seed files and a corpus kept in the build folder; the
# targets run side by side, each for the same bounded time. One line per target: name,
# program (under build/fuzz), seed folder, longest input, further libFuzzer options.
fuzz_seconds=${PALVETTA_FUZZ_SECONDS:-60}
fuzz_options=(-max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1)
fuzz_targets=(
  "project-reader|tests/model/project_reader_fuzz|tests/model/project_files|65536|-dict=$repo/tests/model/fuzz/project_file.dict"
  "inflate|tests/codec/inflate_fuzz|tests/codec/fuzz/seeds|4096|"
  "pe-readers|tests/pe/pe_readers_fuzz|tests/pe/fuzz/seeds|16384|"
  "settings-stream|tests/crash/settings/settings_stream_fuzz|tests/crash/settings/fuzz/seeds|4096|"
  "packed-map|tests/crash/symbols/packed_map_fuzz|tests/crash/symbols/fuzz/packed_map_seeds|4096|"
  "pe-resources|tests/crash/symbols/pe_resources_fuzz|tests/crash/symbols/fuzz/pe_resources_seeds|8192|"
  "x86-decoder|tests/crash/disasm/decoder_fuzz|tests/crash/disasm/fuzz/seeds|1024|"
  "stack-tracer|tests/crash/stack/stack_tracer_fuzz|tests/crash/stack/fuzz/seeds|2048|"
  "stack-scan|tests/crash/stack/stack_scan_fuzz|tests/crash/stack/fuzz/scan_seeds|2048|"
  "settings-texts|tests/crash/settings/settings_texts_fuzz|tests/crash/settings/fuzz/texts_seeds|1024|"
  "zip-directory|tests/app/zip_directory_fuzz|tests/app/fuzz/seeds|4096|"
  "update-answer|tests/app/update_answer_fuzz|tests/app/fuzz/update_answer_seeds|256|"
)
fuzz_target_names() {
  local entry
  for entry in "${fuzz_targets[@]}"; do
    IFS='|' read -r _ program _ _ _ <<< "$entry"
    basename "$program"
  done
}
run_fuzzers() {
  local entry name program seeds max_len extra pids=() names=() result=0
  for entry in "${fuzz_targets[@]}"; do
    IFS='|' read -r name program seeds max_len extra <<< "$entry"
    mkdir -p "$repo/build/fuzz/corpus/$name"
    # shellcheck disable=SC2086  # extra holds zero or more options
    "$repo/build/fuzz/$program" "${fuzz_options[@]}" -max_len="$max_len" $extra \
      "$repo/build/fuzz/corpus/$name" "$repo/$seeds" > "$repo/build/fuzz-$name.log" 2>&1 &
    pids+=($!)
    names+=("$name")
  done
  local i
  for i in "${!pids[@]}"; do
    wait "${pids[$i]}" || result=1
  done
  for name in "${names[@]}"; do
    echo "--- $name" && tail -n 25 "$repo/build/fuzz-$name.log"
  done
  return $result
}

cmake --build "$repo/build/fuzz" -j "$jobs" --target $(fuzz_target_names)

status=0
run_fuzzers > "$repo/build/fuzz-tests.log" 2>&1 &
fuzz=$!
ctest --test-dir "$repo/build/host" -j "$jobs" --output-on-failure > "$repo/build/host-tests.log" 2>&1 &
host=$!
ctest --test-dir "$repo/build/win" -j "$jobs" --output-on-failure --timeout 300 \
  > "$repo/build/win-tests.log" 2>&1 &
win=$!
wait $host || status=1
wait $win || status=1
wait $fuzz || status=1
echo "=== host tests ===" && cat "$repo/build/host-tests.log"
echo "=== Windows tests (Wine) ===" && cat "$repo/build/win-tests.log"
echo "=== fuzzing ===" && cat "$repo/build/fuzz-tests.log"
[ $status -eq 0 ] && echo "All tests passed." || echo "Some tests FAILED."
exit $status
