#!/usr/bin/env bash
# The game starts, opens its window, quits with Escape with status 0, and refuses cleanly without a display.
set -uo pipefail
source "$(dirname "$0")/lib/game.bash"
NAVRO="$1"

e2e_workdir

# Without a display: one clear line and status 1, nothing else attempted.
out=$(cd "$E2E_DIR" && env -u DISPLAY -u WAYLAND_DISPLAY "$NAVRO" 2>&1)
status=$?
[ "$status" -eq 1 ] || e2e_fail "expected status 1 without a display, got $status"
grep -q "no display" <<<"$out" || e2e_fail "no line naming the missing display: $out"
[ -e "$E2E_DIR/save.esf" ] && e2e_fail "a save file was written although the game never started"

e2e_display
e2e_start "$NAVRO"
size=$(xdotool getwindowgeometry "$GAME_WIN" | awk '/Geometry/ {print $2}')
[ "$size" = "1280x720" ] || e2e_fail "window is $size, expected 1280x720"
e2e_key Escape
e2e_wait_exit 20
[ "$GAME_STATUS" -eq 0 ] || e2e_fail "Escape ended the game with status $GAME_STATUS"
grep -q "diamonds 0" "$GAME_LOG" || e2e_fail "shutdown did not print the diamond total"
grep -q "runs 0" "$GAME_LOG" || e2e_fail "shutdown did not print the run count"
grep -q "Failed to create GLFW window\|Failed to initialize GLAD" "$GAME_LOG" && e2e_fail "start-up failed"
[ -f "$E2E_DIR/save.esf" ] || e2e_fail "no save.esf written at shutdown"
echo "startup: ok"
