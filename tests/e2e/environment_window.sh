#!/usr/bin/env bash
# A window hidden, shrunk and restored on the menu and mid-run, and F11 twice mid-run.
set -uo pipefail
source "$(dirname "$0")/lib/game.bash"
source "$(dirname "$0")/lib/player.bash"
source "$(dirname "$0")/lib/environment.bash"
NAVRO="$1"
SEEDMAP="$2"

# Seed 2702 keeps lane 0 free of blades, doors and items up to platform 16: about 16 s of run
# without steering, which the checks below need. A slower machine only lengthens it.
seed=2702
map=$("$SEEDMAP" "$seed")
[ "$(awk '$1 ~ /^[0-9]+$/ && $1 <= 16 && ($4 ~ /(^|,)0(,|$)/ || $3 ~ /^(door|item):0/)' <<<"$map")" = "" ] \
  || e2e_fail "seed $seed no longer keeps lane 0 clear up to platform 16"

# A screen larger than the window, so full screen really changes the size.
screen_w=1600
screen_h=900
menu_drawn() {
  e2e_white_in "$1" 520 190 240 60 && e2e_white_in "$1" 520 478 240 60 \
    && e2e_white_in "$1" 40 650 300 70
}
play_selected() { e2e_red_in "$1" 520 190 240 60; }
hud_drawn() { e2e_white_in "$1" 600 15 80 40 && e2e_white_in "$1" 1050 670 230 50; }
# The same score and seed boxes, scaled to the whole screen.
hud_drawn_full_screen() { e2e_white_in "$1" 750 19 100 50 && e2e_white_in "$1" 1312 837 288 63; }

alive() { kill -0 "$GAME_PID" 2>/dev/null || e2e_fail "the game ended: $1"; }
window_size() { xdotool getwindowgeometry "$GAME_WIN" | awk '/Geometry/ {print $2}'; }
expect_size() {
  local size
  size=$(window_size)
  [ "$size" = "$1" ] || e2e_fail "$2: the window is $size, expected $1"
}
not_black() {
  convert "$1" -format '%[fx:mean]' info: | awk '{ exit !($1 > 0.005) }' \
    || e2e_fail "the screenshot $(basename "$1") is all black"
}

# With no window manager there is no minimising: unmapping hides the window the way a minimise
# does, and 1 x 1 is the nearest X has to a 0 x 0 framebuffer.
hide_shrink_restore() {
  local where="$1" check="$2" shot
  xdotool windowunmap --sync "$GAME_WIN"
  sleep 0.5
  alive "$where: after the window was unmapped"
  xdotool windowmap --sync "$GAME_WIN"
  xdotool windowsize --sync "$GAME_WIN" 1 1
  sleep 0.5
  alive "$where: at 1 x 1"
  expect_size 1x1 "$where"
  xdotool windowsize --sync "$GAME_WIN" 1280 720
  expect_size 1280x720 "$where: restored"
  shot=$(e2e_see "$where-restored" 20 "$check") || e2e_fail "$where: not drawn at full size after the restore"
  not_black "$shot"
}

env_scratch
env_open_display "${screen_w}x${screen_h}x24"
started=$SECONDS
play="$E2E_DIR/play"
mkdir "$play"
for d in res fonts shaders audio; do ln -s "$E2E_REPO/$d" "$play/$d"; done
e2e_start "$(env_launcher "$NAVRO" "$play")"
[ "$(xdotool getwindowgeometry "$GAME_WIN" | awk '/Position/ {print $2}')" = "0,0" ] \
  || e2e_fail "the window does not sit at the top left, so screen and window pixels differ"
e2e_see menu 20 menu_drawn >/dev/null || e2e_fail "no main menu"

hide_shrink_restore menu menu_drawn
# Still answering keys: Down selects PLAY.
xdotool windowfocus --sync "$GAME_WIN" 2>/dev/null || true
e2e_key Down
e2e_see menu-play-selected 20 play_selected >/dev/null || e2e_fail "menu: Down after the restore did nothing"
e2e_key Up  # on QUIT: the Down that opens the seed screen wraps to PLAY

env_type_seed "$seed"
e2e_key Return
e2e_see run 20 hud_drawn >/dev/null || e2e_fail "the run did not start"
hide_shrink_restore run hud_drawn

e2e_key F11
for _ in $(seq 1 50); do [ "$(window_size)" = "${screen_w}x${screen_h}" ] && break; sleep 0.1; done
expect_size "${screen_w}x${screen_h}" "run: first F11"
shot=$(e2e_see run-full-screen 20 hud_drawn_full_screen) || e2e_fail "run: the HUD does not fill the screen after F11"
not_black "$shot"
e2e_key F11
for _ in $(seq 1 50); do [ "$(window_size)" = "1280x720" ] && break; sleep 0.1; done
expect_size 1280x720 "run: second F11"
e2e_see run-windowed-again 20 hud_drawn >/dev/null || e2e_fail "run: not drawn at window size after F11 twice"
grep -q "Collision detected!" "$GAME_LOG" \
  && e2e_fail "the run ended before the window checks were done, so they did not all happen mid-run"

env_quit "mid-run after the window checks"
env_count_prefix "Full screen unavailable" 0
echo "environment_window: ok ($(( SECONDS - started )) s)"
