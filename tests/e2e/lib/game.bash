# Shared steps of the whole-program tests: a display, a scratch working directory, the game process.
# Sourced by tests/e2e/*.sh; every wait has a deadline so a hung game fails the test instead of CI.

E2E_REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
export MESA_GL_VERSION_OVERRIDE="${MESA_GL_VERSION_OVERRIDE:-4.6}"
export MESA_GLSL_VERSION_OVERRIDE="${MESA_GLSL_VERSION_OVERRIDE:-460}"

e2e_fail() {
  echo "FAIL: $*" >&2
  if [ -n "${GAME_LOG:-}" ] && [ -f "$GAME_LOG" ]; then
    echo "--- game output ---" >&2
    tail -c 3000 "$GAME_LOG" >&2
  fi
  exit 1
}

source "$E2E_REPO/tools/virtual_display.bash"

# Starts a private virtual display when no display is given.
e2e_display() {
  if [ -z "${DISPLAY:-}" ]; then
    vd_start || e2e_fail "no virtual display"
  fi
}

# Stops what the test started and removes its scratch folder when it ends, passed or failed.
# NAVRO_KEEP_SCRATCH=1 keeps the folder (logs, screenshots, saves) and prints where it is.
e2e_cleanup() {
  # Only a game still among this shell's jobs: an exited one's number may belong to another process.
  if [ -n "${GAME_PID:-}" ] && jobs -p | grep -qx "$GAME_PID"; then kill -9 "$GAME_PID" 2>/dev/null; fi
  vd_stop
  if [ -n "${E2E_DIR:-}" ] && [ -d "$E2E_DIR" ]; then
    if [ -n "${NAVRO_KEEP_SCRATCH:-}" ]; then
      echo "scratch folder kept: $E2E_DIR" >&2
    else
      chmod -R u+rwX "$E2E_DIR" 2>/dev/null
      rm -rf "$E2E_DIR"
    fi
  fi
}
trap e2e_cleanup EXIT

# A scratch working directory beside the game's run-time folders, so save.esf stays out of the repo.
e2e_workdir() {
  E2E_DIR=$(mktemp -d)
  for d in shaders res fonts audio; do ln -s "$E2E_REPO/$d" "$E2E_DIR/$d"; done
}

# Starts the game ($1) in the scratch directory and waits for its window.
e2e_start() {
  GAME_LOG="$E2E_DIR/out.$RANDOM.log"
  (cd "$E2E_DIR" && exec "$1") >"$GAME_LOG" 2>&1 &
  GAME_PID=$!
  GAME_WIN=""
  for _ in $(seq 1 900); do
    GAME_WIN=$(xdotool search --name '^NAVRO$' 2>/dev/null | head -n 1 || true)
    [ -n "$GAME_WIN" ] && break
    kill -0 "$GAME_PID" 2>/dev/null || e2e_fail "the game exited during start-up"
    sleep 0.1
  done
  [ -n "$GAME_WIN" ] || e2e_fail "no NAVRO window within 90 s"
  sleep "${E2E_SETTLE:-2.5}"
}

# Sends keys to the game window.
e2e_key() {
  local k
  for k in "$@"; do
    xdotool key --window "$GAME_WIN" "$k" 2>/dev/null || xdotool key "$k"
    sleep "${E2E_KEY_GAP:-0.3}"
  done
}

# Waits up to $1 seconds for the game to exit; sets GAME_STATUS.
e2e_wait_exit() {
  local limit=$(( $1 * 10 ))
  for _ in $(seq 1 "$limit"); do
    if ! kill -0 "$GAME_PID" 2>/dev/null; then
      wait "$GAME_PID"
      GAME_STATUS=$?
      return 0
    fi
    sleep 0.1
  done
  kill -9 "$GAME_PID" 2>/dev/null || true
  e2e_fail "the game did not exit within $1 s"
}

# Waits up to $2 seconds for the game's output to contain $1.
e2e_wait_output() {
  local limit=$(( $2 * 10 ))
  for _ in $(seq 1 "$limit"); do
    grep -q -- "$1" "$GAME_LOG" && return 0
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  grep -q -- "$1" "$GAME_LOG" || e2e_fail "no '$1' in the game's output"
}

e2e_screenshot() { import -window root "$1"; }
