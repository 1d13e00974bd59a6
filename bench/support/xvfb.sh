# Sourced by the bench scripts: a private X server for the engine and the
# benchmarks that draw. start_xvfb sets DISPLAY and xvfb_pid; stop_xvfb ends
# that server (and only that one).

start_xvfb() {
  local display_fd_file
  display_fd_file=$(mktemp /tmp/korvane-bench-display-XXXXXX)
  # Key auto-repeat off in practice (10 s delay): a held key is one press.
  Xvfb -displayfd 1 -screen 0 800x600x24 -ardelay 10000 -nolisten tcp -ac -noreset \
    >"$display_fd_file" 2>/dev/null &
  xvfb_pid=$!
  local display_number=""
  for _ in $(seq 100); do
    display_number=$(head -n 1 "$display_fd_file")
    [ -n "$display_number" ] && break
    sleep 0.05
  done
  rm -f "$display_fd_file"
  if [ -z "$display_number" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=:$display_number
}

stop_xvfb() {
  if [ -n "${xvfb_pid:-}" ]; then
    kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
  fi
  return 0
}
