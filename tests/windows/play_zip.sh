#!/usr/bin/env bash
# The Windows zip as a player gets it, played under Wine on a virtual display: unpacked into a
# folder whose name has a space and started from another folder, navro.exe opens its window and
# draws the main menu, a second copy on the same record ends at once, a typed seed's run ends on
# a blade, the record is on disk beside the game at once, and Escape exits 0. Without Mesa's
# OpenGL 4.6 override the game ends by itself with its line; with no standard output at all
# (started through the shell, as a double-click starts it) the same line waits in a message box
# until it is closed, and the lines are in navro.log beside navro.exe.
# Usage: play_zip.sh ZIP LINUX_SEEDMAP. Wine's prefix: WINEPREFIX, or build/windows-cache's.
set -uo pipefail
source "$(dirname "$0")/../e2e/lib/game.bash"
source "$(dirname "$0")/../e2e/lib/player.bash"
source "$E2E_REPO/tools/wine_session.bash"
ZIP=$(realpath "$1")
SEEDMAP="$2"
started=$SECONDS
wait_s=30  # longest wait for one look at the screen

# A display of its own, larger than the window with Wine's frame around it, so the window gets
# its full 1280 x 720; and Wine's session on it, ended with the test.
vd_start 1600x900x24 || e2e_fail "no virtual display"
wine_session_start
trap 'wine_session_stop; e2e_cleanup' EXIT
E2E_DIR=$(mktemp -d "/tmp/navro windows.XXXXXX")
(cd "$E2E_DIR" && unzip -q "$ZIP") || e2e_fail "cannot unpack $ZIP"
GAME_DIR=$(find "$E2E_DIR" -mindepth 1 -maxdepth 1 -type d -name 'navro-*-windows-x86_64')
[ -n "$GAME_DIR" ] && [ -f "$GAME_DIR/navro.exe" ] || e2e_fail "the zip has no navro-*/navro.exe"

# Starts navro.exe from another folder, as a shortcut whose "Start in" is elsewhere does, with
# the given environment and waits for its window; the screenshots are cut to the window's inside,
# so the boxes are window pixels as on Linux.
ELSEWHERE="$E2E_DIR/started elsewhere"
mkdir "$ELSEWHERE"
start_game() {
  GAME_LOG="$E2E_DIR/out.$RANDOM.log"
  (cd "$ELSEWHERE" && exec env "$@" wine "$GAME_DIR/navro.exe") >"$GAME_LOG" 2>"$GAME_LOG.err" &
  GAME_PID=$!
  GAME_WIN=""
  for _ in $(seq 1 600); do
    GAME_WIN=$(xdotool search --name '^NAVRO$' 2>/dev/null | head -n 1 || true)
    [ -n "$GAME_WIN" ] && break
    kill -0 "$GAME_PID" 2>/dev/null || e2e_fail "the game exited during start-up"
    sleep 0.1
  done
  [ -n "$GAME_WIN" ] || e2e_fail "no NAVRO window within 60 s"
  read -r WIN_X WIN_Y < <(xwininfo -id "$GAME_WIN" |
    awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }')
}
e2e_shot() {
  local file="$E2E_DIR/$1.png"
  sleep "${E2E_FRAME_WAIT:-0.4}"
  import -window root -crop "1280x720+$WIN_X+$WIN_Y" +repage "$file"
  echo "$file"
}
record_runs() { od -An -t d4 -j 12 -N 4 "$GAME_DIR/save.esf" | tr -d ' '; }

# --- a run: menu, typed seed, a blade, the record, Escape ---
e2e_require_seed_one_blade "$SEEDMAP"
start_game MESA_GL_VERSION_OVERRIDE=4.6 MESA_GLSL_VERSION_OVERRIDE=460
xdotool windowfocus --sync "$GAME_WIN" 2>/dev/null || true
e2e_wait_output "runs 0" 20
menu=$(e2e_see menu "$wait_s" e2e_menu_drawn) || e2e_fail "no main menu"
# The pictures decoded on the workers are all reported, while the game runs.
e2e_count_output "^Loaded texture: " 20
[ -n "${NAVRO_WINDOWS_SHOT:-}" ] && cp "$menu" "$NAVRO_WINDOWS_SHOT"

# A second copy on the same record ends at once, with its line and a failure status.
second_log="$E2E_DIR/second-copy.log"
(cd "$GAME_DIR" && exec env MESA_GL_VERSION_OVERRIDE=4.6 MESA_GLSL_VERSION_OVERRIDE=460 \
  wine navro.exe) >"$second_log" 2>/dev/null &
second=$!
for _ in $(seq 1 200); do kill -0 "$second" 2>/dev/null || break; sleep 0.1; done
kill -0 "$second" 2>/dev/null && { kill -9 "$second"; e2e_fail "the second copy did not end by itself within 20 s"; }
wait "$second"
second_status=$?
[ "$second_status" -eq 1 ] || e2e_fail "the second copy ended with status $second_status"
[ "$(tr -d '\r' <"$second_log")" = "NAVRO is already running on this record (save.esf); close that copy first, so that no run is lost" ] \
  || e2e_fail "the second copy printed: $(cat "$second_log")"

# PLAY by keys, the proposal cleared, seed 1 typed and started.
e2e_key Down Return
e2e_see seed-proposed "$wait_s" e2e_white_in 200 335 880 50 >/dev/null \
  || e2e_fail "seed screen: no ENTER SEED line"
keys=()
for _ in $(seq 1 20); do keys+=(BackSpace); done
E2E_KEY_GAP=0.05 e2e_key "${keys[@]}"
e2e_key 1
e2e_wait_output "textTypeLength: 1 " 10
e2e_key Return
e2e_wait_output "Collision detected!" 60
# The run is on disk beside navro.exe as soon as it ends.
for _ in $(seq 1 50); do [ -f "$GAME_DIR/save.esf" ] && break; sleep 0.1; done
[ "$(stat -c %s "$GAME_DIR/save.esf" 2>/dev/null)" = "16" ] || e2e_fail "no 16-byte save.esf beside navro.exe"
[ "$(record_runs)" = "1" ] || e2e_fail "the record after one run counts $(record_runs) runs"
e2e_key Escape
e2e_wait_exit 30
[ "$GAME_STATUS" -eq 0 ] || e2e_fail "Escape ended the game with status $GAME_STATUS"
[ "$(record_runs)" = "1" ] || e2e_fail "the record at exit counts $(record_runs) runs"
[ -z "$(find "$GAME_DIR" -maxdepth 1 -name '*.tmp')" ] || e2e_fail "a temporary file was left beside the record"
tr -d '\r' <"$GAME_LOG" | tail -n 1 | grep -qx "diamonds 0runs 1" || e2e_fail "the totals are not the last line"
[ -z "$(ls -A "$ELSEWHERE")" ] || e2e_fail "the game wrote into the folder it was started from: $(ls -A "$ELSEWHERE")"
[ -e "$GAME_DIR/navro.log" ] && e2e_fail "navro.log was written although the output went to a file"
echo "run: started elsewhere, menu drawn, a second copy refused, seed 1 ended on a blade, save.esf holds 1 run, exit 0"

# --- no OpenGL 4.6: the line, a failure status, by itself ---
GAME_LOG="$E2E_DIR/no-gl46.log"
(cd "$GAME_DIR" && exec env -u MESA_GL_VERSION_OVERRIDE -u MESA_GLSL_VERSION_OVERRIDE \
  wine navro.exe) >"$GAME_LOG" 2>/dev/null &
GAME_PID=$!
e2e_wait_exit 30
[ "$GAME_STATUS" -ne 0 ] || e2e_fail "without OpenGL 4.6 the game reported success"
tr -d '\r' <"$GAME_LOG" | grep -qx "Failed to create GLFW window" || e2e_fail "no 'Failed to create GLFW window'"
line=$(tr -d '\r' <"$GAME_LOG" | grep '^NAVRO ')
grep -q "^NAVRO needs OpenGL 4.6; this system offers [0-9]\.[0-9]" <<<"$line" \
  || e2e_fail "no line saying what the system offers"
echo "no override: status $GAME_STATUS, '$line'"

# --- started as a double-click starts it (through the shell, no standard output): the same
# line in a box, until the player closes it ---
GAME_LOG="$E2E_DIR/no-output.log"
: >"$GAME_LOG"
(cd "$ELSEWHERE" && exec env -u MESA_GL_VERSION_OVERRIDE -u MESA_GLSL_VERSION_OVERRIDE \
  wine start /wait /unix "$GAME_DIR/navro.exe") >/dev/null 2>&1 &
GAME_PID=$!
box=""
for _ in $(seq 1 300); do
  # The hidden window that read the system's OpenGL version has the same name.
  box=$(xdotool search --onlyvisible --name '^NAVRO$' 2>/dev/null | head -n 1 || true)
  [ -n "$box" ] && break
  kill -0 "$GAME_PID" 2>/dev/null || e2e_fail "with no output the game ended without showing its line"
  sleep 0.1
done
[ -n "$box" ] || e2e_fail "no message box within 30 s"
sleep 1
kill -0 "$GAME_PID" 2>/dev/null || e2e_fail "the game did not wait for the box to be closed"
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key --window "$box" Return 2>/dev/null
e2e_wait_exit 20
[ "$GAME_STATUS" -ne 0 ] || e2e_fail "after the box the game reported success"
# Its lines are in navro.log beside navro.exe, whatever folder it was started from.
log_lines=$(tr -d '\r' <"$GAME_DIR/navro.log" 2>/dev/null)
grep -qx "Failed to create GLFW window" <<<"$log_lines" || e2e_fail "navro.log lacks the start-up lines: $log_lines"
grep -q "^NAVRO needs OpenGL 4.6; this system offers" <<<"$log_lines" || e2e_fail "navro.log lacks the line of the box"
[ -z "$(ls -A "$ELSEWHERE")" ] || e2e_fail "the game wrote into the folder it was started from: $(ls -A "$ELSEWHERE")"
echo "no output: the line in a message box, closed with Enter, status $GAME_STATUS, navro.log holds the lines"

echo "play_zip: ok ($(( SECONDS - started )) s)"
