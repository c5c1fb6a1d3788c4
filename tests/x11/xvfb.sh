# Starting and stopping a private Xvfb for the X tests; sourced by the test scripts.

# Starts Xvfb on the first free display of :90 to :150 and waits until it answers. Sets DISPLAY
# and XVFB_PID; returns 1 when no X server could be started.
start_xvfb() {
  command -v Xvfb >/dev/null 2>&1 || return 1
  local display pid
  for display in $(seq 90 150); do
    [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]] && continue
    # -noreset: by default the server resets whenever its last client leaves, and a client that
    # connects during the reset can be refused; tests that start one program after another hit that.
    Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 50); do
      # A server that died lost the display to another test: try the next one.
      kill -0 "$pid" 2>/dev/null || break
      # The server that answers must be this one: another test that started at the same moment
      # may hold the display, and the lock file names the process that does.
      if DISPLAY=":$display" xdpyinfo >/dev/null 2>&1 && kill -0 "$pid" 2>/dev/null &&
        [[ $(tr -d ' \n' <"/tmp/.X$display-lock" 2>/dev/null) == "$pid" ]]; then
        export DISPLAY=":$display"
        XVFB_PID=$pid
        return 0
      fi
      sleep 0.1
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  return 1
}

# Ends the Xvfb that start_xvfb started.
stop_xvfb() {
  if [[ -n ${XVFB_PID:-} ]]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
  fi
}
