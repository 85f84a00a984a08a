# Sourced: start_xvfb LOGFILE starts a virtual X display on a free number, exports
# DISPLAY and sets xvfb_pid.
start_xvfb() {
  local display=""
  for n in $(seq 90 120); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
  done
  [ -n "$display" ] || { echo "no free X display number" >&2; return 1; }
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp > "$1" 2>&1 &
  xvfb_pid=$!
  export DISPLAY="$display"
}
