# A private virtual X display for the tests, the benchmarks and the screenshots; sourced.
#
# Xvfb chooses the display number itself (-displayfd), so it never takes a number whose socket
# is in use, in the socket folder or in the abstract socket namespace that every root on the
# machine shares. It never resets (-noreset): a server resets when its last client leaves, and
# while it does a new connection fails ("unable to open display"), so a game started right after
# a probe disconnected failed at random. vd_start returns once the display answers.

# vd_start [screen] [open]: starts the display and exports DISPLAY (and XAUTHORITY); `open`
# accepts every local user instead of only the holders of a fresh cookie.
vd_start() {
  local screen="${1:-1280x720x24}" access="${2:-cookie}" cookie="" n=""
  VD_DIR=$(mktemp -d "${TMPDIR:-/tmp}/navro-display.XXXXXX")
  local args=(-screen 0 "$screen" -nolisten tcp -noreset)
  if [ "$access" = open ]; then
    args+=(-ac)
  else
    cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
    # The server takes every cookie in its file; the entry for the real number follows below.
    xauth -q -f "$VD_DIR/auth" add ":0" MIT-MAGIC-COOKIE-1 "$cookie" 2>/dev/null
    args+=(-auth "$VD_DIR/auth")
  fi
  : >"$VD_DIR/number"
  Xvfb -displayfd 3 "${args[@]}" 3>"$VD_DIR/number" >"$VD_DIR/server.log" 2>&1 &
  VD_PID=$!
  for _ in $(seq 1 200); do
    n=$(tr -d '[:space:]' <"$VD_DIR/number")
    [ -n "$n" ] && break
    kill -0 "$VD_PID" 2>/dev/null || break
    sleep 0.05
  done
  if [ -z "$n" ]; then
    echo "virtual display: Xvfb did not start: $(tail -n 3 "$VD_DIR/server.log")" >&2
    return 1
  fi
  export DISPLAY=":$n"
  if [ -n "$cookie" ]; then
    xauth -q -f "$VD_DIR/auth" add ":$n" MIT-MAGIC-COOKIE-1 "$cookie" 2>/dev/null
    export XAUTHORITY="$VD_DIR/auth"
  else
    unset XAUTHORITY
  fi
  for _ in $(seq 1 200); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  echo "virtual display: Xvfb took $DISPLAY but does not answer on it" >&2
  return 1
}

# vd_stop: ends the display started by vd_start in this shell and waits until it is gone.
vd_stop() {
  if [ -n "${VD_PID:-}" ]; then
    kill "$VD_PID" 2>/dev/null && wait "$VD_PID" 2>/dev/null
    VD_PID=""
  fi
  if [ -n "${VD_DIR:-}" ]; then rm -rf "$VD_DIR"; VD_DIR=""; fi
}
