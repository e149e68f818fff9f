#!/usr/bin/env bash
# A player types a seed, plays until a blade ends the run, quick-plays from the run-over screen,
# exits to the main menu and leaves with Escape from the seed screen; the next start reads the save the first one wrote,
# and Escape in the middle of a run still exits cleanly without counting that run.
set -uo pipefail
source "$(dirname "$0")/lib/game.bash"
source "$(dirname "$0")/lib/player.bash"
NAVRO="$1"
SEEDMAP="$2"

# Seed 1 has its first blade on lane 0, where the player starts: without steering the run ends there.
seed=1
map=$("$SEEDMAP" "$seed")
# Read whole first: a grep -q that stops early would break a pipe from the tool.
grep -qx "0 3 - 0" <<<"$map" || e2e_fail "seed $seed no longer starts with a blade on lane 0"
# The run-over screen draws the quick-play seed from the engine right after generation.
quick=$("$SEEDMAP" "$seed" | awk '/^next/ {print $2}')
first_blade=$("$SEEDMAP" "$quick" | awk 'NF == 4 && $4 ~ /(^|,)0(,|$)/ {print $1; exit}')
first_object=$("$SEEDMAP" "$quick" | awk 'NF == 4 && $3 ~ /:0($|:)/ {print $1; exit}')
[ -n "$first_blade" ] && { [ -z "$first_object" ] || [ "$first_blade" -lt "$first_object" ]; } \
  || e2e_fail "the quick-play seed $quick no longer meets a blade on lane 0 before anything else"

wait_s=20  # longest wait for one look at the screen
seed_line_box="200 335 880 50"
hud_seed_box="1050 670 230 50"
run_over_drawn() {
  e2e_white_in "$1" 340 15 600 40 && e2e_white_in "$1" 860 410 200 30 && e2e_white_in "$1" 800 520 320 40
}
hud_drawn() { e2e_white_in "$1" 600 15 80 40 && e2e_white_in "$1" $hud_seed_box; }

e2e_workdir
e2e_display
launcher="$NAVRO"
e2e_start "$launcher"
xdotool windowfocus --sync "$GAME_WIN" 2>/dev/null || true
e2e_wait_output "runs 0" 10
e2e_see menu "$wait_s" e2e_menu_drawn >/dev/null || e2e_fail "no main menu"

# PLAY with the mouse opens the seed screen with nineteen proposed digits.
e2e_hover 640 216
e2e_click
e2e_see seed-proposed "$wait_s" e2e_white_in $seed_line_box >/dev/null \
  || e2e_fail "seed screen: no ENTER SEED line"

# Clear the proposal (one Backspace too many does nothing) and type the seed.
keys=()
for _ in $(seq 1 20); do keys+=(BackSpace); done
E2E_KEY_GAP=0.05 e2e_key "${keys[@]}"
e2e_key "$seed"
e2e_wait_output "textTypeLength: 1 " 10
e2e_see seed-typed "$wait_s" e2e_white_in 400 335 480 50 >/dev/null \
  || e2e_fail "seed screen: the typed seed is not shown"
e2e_key Return

# The run: the HUD shows the score at the top and the seed at the bottom right.
e2e_see run-hud "$wait_s" hud_drawn >/dev/null || e2e_fail "play: no score at the top or seed at the bottom right"
e2e_wait_output "Collision detected!" 40
e2e_see run-over "$wait_s" run_over_drawn >/dev/null || e2e_fail "run over: summary or buttons missing"

# The finished run is on disk at once (written before the run-over screen is built).
[ "$(stat -c %s "$E2E_DIR/save.esf" 2>/dev/null)" = "16" ] || e2e_fail "no 16-byte save after the run ended"
runs=$(od -An -t d4 -j 12 -N 4 "$E2E_DIR/save.esf" | tr -d ' ')
[ "$runs" = "1" ] || e2e_fail "the save after one run counts $runs runs"

# QUICK PLAY by keys: Down selects EXIT, Down again QUICK PLAY.
e2e_key Down Down
e2e_see run-over-quick-selected "$wait_s" e2e_red_in 800 465 320 40 >/dev/null \
  || e2e_fail "run over: QUICK PLAY not selected"
e2e_key Return
for _ in $(seq 1 400); do
  [ "$(grep -c 'Collision detected!' "$GAME_LOG")" -ge 2 ] && break
  kill -0 "$GAME_PID" 2>/dev/null || break
  sleep 0.1
done
e2e_count_output "Collision detected!" 2

# EXIT with the mouse back to the main menu, PLAY by keys, then Escape on the seed screen.
e2e_hover 960 432
e2e_click
e2e_see menu-after-runs "$wait_s" e2e_menu_drawn >/dev/null || e2e_fail "EXIT did not return to the main menu"
e2e_key Down Return
e2e_see seed-again "$wait_s" e2e_white_in $seed_line_box >/dev/null \
  || e2e_fail "PLAY did not open the seed screen"
e2e_key Escape
e2e_wait_exit 20
[ "$GAME_STATUS" -eq 0 ] || e2e_fail "Escape on the seed screen gave status $GAME_STATUS"
grep -q "^diamonds 0$" "$GAME_LOG" && grep -q "^runs 0$" "$GAME_LOG" || e2e_fail "first start did not read an empty career"
tail -n 1 "$GAME_LOG" | grep -q "diamonds 0runs 2$" || e2e_fail "shutdown totals are not 0 diamonds, 2 runs"
e2e_count_output "textTypeLength: " 1

# Second start in the same folder: the save of the first is read back.
e2e_start "$launcher"
xdotool windowfocus --sync "$GAME_WIN" 2>/dev/null || true
e2e_wait_output "runs 2" 10
grep -q "^diamonds 0$" "$GAME_LOG" || e2e_fail "second start: diamonds line missing"
grep -q "Error reading from save file!" "$GAME_LOG" && e2e_fail "second start could not read the save"
# Into a run with the proposed seed, then Escape mid-run: status 0, and the run does not count.
e2e_see second-start-menu "$wait_s" e2e_menu_drawn >/dev/null || e2e_fail "second start: no main menu"
e2e_key Down Return
e2e_see second-start-seed "$wait_s" e2e_white_in $seed_line_box >/dev/null \
  || e2e_fail "second start: PLAY did not open the seed screen"
e2e_key Return
e2e_see second-start-run "$wait_s" e2e_white_in $hud_seed_box >/dev/null \
  || e2e_fail "second start: no run on screen"
e2e_key Escape
e2e_wait_exit 20
[ "$GAME_STATUS" -eq 0 ] || e2e_fail "Escape during a run gave status $GAME_STATUS"
if grep -q "Collision detected!" "$GAME_LOG"; then
  tail -n 1 "$GAME_LOG" | grep -q "runs 3$" || e2e_fail "a run that ended was not counted"
else
  tail -n 1 "$GAME_LOG" | grep -q "diamonds 0runs 2$" || e2e_fail "Escape mid-run changed the totals"
fi
[ "$(stat -c %s "$E2E_DIR/save.esf")" = "16" ] || e2e_fail "the save is no longer 16 bytes"
ls "$E2E_DIR" | grep -q '\.tmp$' && e2e_fail "a temporary save file was left behind"
echo "run: ok"
