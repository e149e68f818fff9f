#!/usr/bin/env bash
# A diskette opens the item box roll, which pauses the run; Space goes back to the run, which then
# ends at a blade; PLAY NEW SEED opens the seed screen, Escape there closes the game, and the
# ended run is counted.
set -uo pipefail
source "$(dirname "$0")/lib/game.bash"
source "$(dirname "$0")/lib/player.bash"
NAVRO="$1"
SEEDMAP="$2"

# Seed 16 puts a diskette on lane 0 of the first platform and a blade on lane 0 later on.
seed=16
map=$("$SEEDMAP" "$seed")
# Read whole first: a grep -q that stops early would break a pipe from the tool.
grep -qx "0 3 item:0:8 1" <<<"$map" || e2e_fail "seed $seed no longer starts with a diskette on lane 0"

wait_s=20  # longest wait for one look at the screen
seed_box="1050 670 230 50"
seed_line_box="200 335 880 50"
box_drawn() { e2e_means "$1" 400 150 480 400 | awk '{ exit !($1 + $2 + $3 > 0.05) }'; }

e2e_workdir
e2e_display
e2e_start "$NAVRO"
xdotool windowfocus --sync "$GAME_WIN" 2>/dev/null || true

e2e_key Down Return
keys=()
for _ in $(seq 1 19); do keys+=(BackSpace); done
E2E_KEY_GAP=0.05 e2e_key "${keys[@]}"
e2e_key 1 6
e2e_wait_output "textTypeLength: 2 " 10
e2e_key Return
e2e_see itembox-run "$wait_s" e2e_white_in $seed_box >/dev/null || e2e_fail "the run did not start"

# The box screen has no HUD: wait for the seed line to vanish without a collision.
e2e_see itembox-poll 40 e2e_not_white_in $seed_box >/dev/null \
  || e2e_fail "the diskette never opened the item box"
grep -q "Collision detected!" "$GAME_LOG" && e2e_fail "the run ended instead of opening the box"
e2e_see itembox-open "$wait_s" box_drawn >/dev/null \
  || e2e_fail "the item box shows nothing in the middle of the window"

# The run is paused: nothing ends it while the box is open.
sleep 3
grep -q "Collision detected!" "$GAME_LOG" && e2e_fail "the run went on behind the item box"
e2e_key space
e2e_see itembox-back "$wait_s" e2e_white_in $seed_box >/dev/null || e2e_fail "Space did not return to the run"
e2e_wait_output "Collision detected!" 40
e2e_see itembox-run-over "$wait_s" e2e_white_in 340 15 600 40 >/dev/null \
  || e2e_fail "no run-over screen after the blade"
# Up selects EXIT, a second Up wraps to PLAY NEW SEED.
e2e_key Up Up
e2e_see itembox-new-seed-selected "$wait_s" e2e_red_in 800 520 320 40 >/dev/null \
  || e2e_fail "run over: Up Up did not select PLAY NEW SEED"
e2e_key Return
e2e_see itembox-new-seed "$wait_s" e2e_white_in $seed_line_box >/dev/null \
  || e2e_fail "PLAY NEW SEED did not open the seed screen"
e2e_key Escape
e2e_wait_exit 20
[ "$GAME_STATUS" -eq 0 ] || e2e_fail "Escape on the seed screen gave status $GAME_STATUS"
tail -n 1 "$GAME_LOG" | grep -q "runs 1$" || e2e_fail "the ended run was not counted"
echo "itembox: ok"
