# Sourced by the benchmarks: start_bench_wine BUILD gives them Wine with its own prefix
# in the build folder (WINE and WINESERVER set), a virtual display when there is none,
# and stops the wineserver and that display when the script exits.
start_bench_wine() {
  local build=$1
  export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  WINE=/usr/lib/wine/wine64
  WINESERVER=/usr/lib/wine/wineserver
  if [ -z "${DISPLAY:-}" ]; then
    source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
    start_xvfb "$build/xvfb.log"
  fi
  trap '"$WINESERVER" -k 2>/dev/null || true; [ -n "${xvfb_pid:-}" ] && kill $xvfb_pid 2>/dev/null || true' EXIT
}
