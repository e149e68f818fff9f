# Hostile-machine steps for the whole-program tests; sourced after lib/game.bash.

# Root reads through any permission bits, so the permission cases play as another user when
# root: a user and group id that no account names and no process on the machine has, chosen
# afresh by each test. A shared user such as nobody may have processes of its own (a system
# service, another test), and a process limit counts every process of its user machine-wide.
env_free_id() {
  local used id
  used=" $(awk '/^(Uid|Gid):/ { print $2, $3, $4, $5 }' /proc/[0-9]*/status 2>/dev/null | tr -s ' \n' ' ') "
  for id in $(shuf -i 61000-64999 -n 200); do
    case $used in *" $id "*) continue ;; esac
    getent passwd "$id" >/dev/null || getent group "$id" >/dev/null || { echo "$id"; return; }
  done
  echo "no free user id between 61000 and 64999" >&2
  return 1
}
ENV_PLAYER_UID=$(env_free_id) || exit 1
ENV_PLAYER_GID=$ENV_PLAYER_UID
env_is_root() { [ "$(id -u)" -eq 0 ]; }

# A scratch folder every user can walk into; holds the logs, the launchers and the play folders.
env_scratch() {
  E2E_DIR=$(mktemp -d)
  chmod 755 "$E2E_DIR"
  mkdir -m 777 "$E2E_DIR/home"
}

# A dedicated display that accepts every local user, so a game dropped to "nobody" can connect
# where a cookie would lock it out. $1: screen, default 1280x720x24.
env_open_display() {
  vd_start "${1:-1280x720x24}" open || e2e_fail "no virtual display for this test"
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

# Installs the build beside the game $1 under prefix $2 (cmake --install), its output in log $3.
env_install() {
  cmake --install "$(cd "$(dirname "$1")" && pwd)" --prefix "$2" >"$3" 2>&1 ||
    e2e_fail "cmake --install failed: $(tail -n 5 "$3")"
}

# Writes a launcher that enters folder $2 and runs the game $1; further arguments
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
    printf ' %q\n' "$navro"
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

# Waits until the game has reported every picture of the list (loaded or failed) and its output
# has then been still for a second: the start-up's lines are all out, however slowly a busy
# machine ran it, before a test counts them. Needs env_read_asset_lists.
env_wait_start_up() {
  local size=-1 still=0
  for _ in $(seq 1 600); do
    [ "$(grep -cE '^(Loaded|Failed to load) texture: ' "$GAME_LOG")" -ge "${#textures[@]}" ] && break
    kill -0 "$GAME_PID" 2>/dev/null || e2e_fail "the game exited during start-up"
    sleep 0.1
  done
  for _ in $(seq 1 200); do
    [ "$(stat -c %s "$GAME_LOG")" = "$size" ] && still=$(( still + 1 )) || still=0
    [ "$still" -ge 10 ] && return 0
    size=$(stat -c %s "$GAME_LOG")
    sleep 0.1
  done
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
