# Hostile-machine steps for the whole-program tests; sourced after lib/game.bash.

# Root reads through any permission bits, so the permission cases play as "nobody" when root.
ENV_PLAYER_UID=$(id -u nobody 2>/dev/null || echo 65534)
ENV_PLAYER_GID=$(id -g nobody 2>/dev/null || echo 65534)
env_is_root() { [ "$(id -u)" -eq 0 ]; }

# A scratch folder every user can walk into; holds the logs, the launchers and the play folders.
env_scratch() {
  E2E_DIR=$(mktemp -d)
  chmod 755 "$E2E_DIR"
  mkdir -m 777 "$E2E_DIR/home"
  trap env_cleanup EXIT
}

# Stops what this script started and removes the scratch folder, whatever state a failure left.
env_cleanup() {
  # Only a game still among this shell's jobs: an exited one's number may belong to another process.
  if [ -n "${GAME_PID:-}" ] && jobs -p | grep -qx "$GAME_PID"; then kill -9 "$GAME_PID" 2>/dev/null; fi
  # Wait for the server to go: one still shutting down removes its socket files even after the
  # next test's server has taken the same display number.
  if [ -n "${ENV_XVFB:-}" ]; then
    kill "$ENV_XVFB" 2>/dev/null && wait "$ENV_XVFB" 2>/dev/null
  fi
  if [ -n "${E2E_DIR:-}" ] && [ -d "$E2E_DIR" ]; then
    chmod -R u+rwX "$E2E_DIR" 2>/dev/null
    rm -rf "$E2E_DIR"
  fi
}

# A dedicated Xvfb that accepts every local user (-ac), so a game dropped to "nobody" can connect
# where an xvfb-run display's cookie would lock it out. Xvfb picks the free display number itself,
# so tests running side by side never race for one. $1: screen, default 1280x720x24.
env_open_display() {
  local numberFile="$E2E_DIR/display-number"
  : >"$numberFile"
  Xvfb -displayfd 3 -screen 0 "${1:-1280x720x24}" -nolisten tcp -ac 3>"$numberFile" >/dev/null 2>&1 &
  ENV_XVFB=$!
  for _ in $(seq 1 100); do
    [ -s "$numberFile" ] && break
    kill -0 "$ENV_XVFB" 2>/dev/null || e2e_fail "Xvfb did not start"
    sleep 0.1
  done
  [ -s "$numberFile" ] || e2e_fail "Xvfb reported no display number within 10 s"
  export DISPLAY=":$(tr -d '[:space:]' <"$numberFile")"
  unset XAUTHORITY
  for _ in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  e2e_fail "Xvfb took display $DISPLAY but does not answer on it"
}

# Copies run-time folders ($2...) of the repository into folder $1, readable by every user: the
# repository may sit under a private home the unprivileged player cannot enter.
env_copy_runtime() {
  local dest="$1" d
  shift
  mkdir -p "$dest"
  for d in "$@"; do cp -R "$E2E_REPO/$d" "$dest/$d"; done
  chmod -R a+rX "$dest"
}

# Writes a launcher that enters folder $2 and runs the game $1 line-buffered; further arguments
# are VAR=value settings for the game's environment. Prints the launcher's path for e2e_start.
env_launcher() { env_write_launcher "" "$@"; }
# The same, but the game plays as "nobody" when this script is root.
env_player_launcher() {
  local drop=""
  if env_is_root; then
    drop="setpriv --reuid=$ENV_PLAYER_UID --regid=$ENV_PLAYER_GID --clear-groups"
  fi
  env_write_launcher "$drop" "$@"
}
env_write_launcher() {
  local drop="$1" navro dir="$3"
  navro=$(realpath "$2")
  shift 3
  local launcher="$E2E_DIR/launch.$RANDOM.sh" setting
  {
    echo '#!/usr/bin/env bash'
    printf 'cd %q || exit 97\n' "$dir"
    printf 'exec %s env HOME=%q' "$drop" "$E2E_DIR/home"
    for setting in "$@"; do printf ' %q' "$setting"; done
    printf ' stdbuf -oL %q\n' "$navro"
  } >"$launcher"
  chmod 755 "$launcher"
  echo "$launcher"
}

# A copy of the game every user may run, for the cases that play as "nobody".
env_player_binary() {
  mkdir -p "$E2E_DIR/bin"
  cp "$1" "$E2E_DIR/bin/navro"
  chmod 755 "$E2E_DIR/bin" "$E2E_DIR/bin/navro"
  echo "$E2E_DIR/bin/navro"
}

# Fails unless the game printed exactly $2 lines equal to $1 (whole line, no patterns).
env_count_lines() {
  local n
  n=$(grep -cxF -- "$1" "$GAME_LOG" || true)
  [ "$n" -eq "$2" ] || e2e_fail "expected $2 x the line '$1', found $n"
}

# Fails unless exactly $2 lines start with $1 (no patterns).
env_count_prefix() {
  local n
  n=$(awk -v p="$1" 'index($0, p) == 1 { n++ } END { print n + 0 }' "$GAME_LOG")
  [ "$n" -eq "$2" ] || e2e_fail "expected $2 lines starting '$1', found $n"
}

# The texture and shader files the game opens, read from its own sources so a file added there is
# checked here too.
env_texture_paths() { grep -oE '\{"\./res/[^"]+"' "$E2E_REPO/render/textures.cpp" | cut -c3- | tr -d '"'; }
env_shader_paths() { grep -oE '"\./shaders/[^"]+"' "$E2E_REPO/render/shader_program.cpp" | tr -d '"'; }

# Fills `textures`, `shaders` and `programs` (a vertex and a fragment file each) from the source,
# failing the test when the lists no longer read as expected.
env_read_asset_lists() {
  mapfile -t textures < <(env_texture_paths)
  mapfile -t shaders < <(env_shader_paths)
  [ "${#textures[@]}" -ge 20 ] || e2e_fail "read only ${#textures[@]} texture paths from render/textures.cpp"
  programs=$(( ${#shaders[@]} / 2 ))
  [ "$programs" -ge 1 ] || e2e_fail "read no shader paths from render/shader_program.cpp"
}

# Opens the seed screen from the main menu, clears it and types seed $1; the typed length echoed
# by the game shows the keys arrived even when nothing can be drawn.
env_type_seed() {
  local keys=() digits
  e2e_key Down Return
  for _ in $(seq 1 20); do keys+=(BackSpace); done
  E2E_KEY_GAP=0.05 e2e_key "${keys[@]}"
  digits=$(echo "$1" | sed 's/./& /g')
  # shellcheck disable=SC2086
  e2e_key $digits
  e2e_wait_output "textTypeLength: ${#1} " 10
}

# Escape, then the exit status must be 0.
env_quit() {
  e2e_key Escape
  e2e_wait_exit 20
  GAME_PID=""
  [ "$GAME_STATUS" -eq 0 ] || e2e_fail "$1: Escape ended the game with status $GAME_STATUS"
}
