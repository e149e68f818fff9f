#!/usr/bin/env bash
# A player walks the menus with keys and the mouse: options, controls and back, F11 there and
# back, a key row that does nothing, hover colours, clicks, and Escape from the controls list.
set -uo pipefail
source "$(dirname "$0")/lib/game.bash"
source "$(dirname "$0")/lib/player.bash"
NAVRO="$1"
wait_s=20  # longest wait for one look at the screen

e2e_workdir
e2e_display
e2e_start "$NAVRO"
xdotool windowfocus --sync "$GAME_WIN" 2>/dev/null || true

# Caption boxes (window pixels): the three centred buttons, the career figures, the controls list.
play_box="520 190 240 60"
options_box="520 335 240 60"
quit_box="520 478 240 60"
career_box="40 650 300 70"
left_arrow_box="860 55 200 30"
right_arrow_box="880 95 160 30"
back_box="580 665 120 45"

menu_drawn() {
  e2e_white_in "$1" $play_box && e2e_white_in "$1" $options_box && e2e_white_in "$1" $quit_box \
    && e2e_white_in "$1" $career_box
}
options_drawn() { e2e_white_in "$1" 480 335 320 60 && e2e_not_white_in "$1" $career_box; }
controls_drawn() {
  e2e_white_in "$1" 150 55 250 30 && e2e_white_in "$1" $left_arrow_box && e2e_white_in "$1" $back_box
}
only_options_red() { e2e_red_in "$1" $options_box && e2e_not_red_in "$1" $play_box; }

shot=$(e2e_see menu "$wait_s" menu_drawn) || e2e_fail "main menu: captions or career figures missing"
for box in "$play_box" "$options_box" "$quit_box"; do
  e2e_red_in "$shot" $box && e2e_fail "main menu: a button is selected before any input"
done

# Keys: the first Down selects PLAY, the second OPTIONS.
e2e_key Down Down
e2e_see menu-options-selected "$wait_s" only_options_red >/dev/null \
  || e2e_fail "Down Down did not select OPTIONS alone"
e2e_key Return
e2e_see options "$wait_s" options_drawn >/dev/null || e2e_fail "OPTIONS did not open the options"

# Options: Up selects CONTROLS first; then a key row prints that it does nothing.
e2e_key Up Return
e2e_see controls "$wait_s" controls_drawn >/dev/null || e2e_fail "CONTROLS did not open the list"
e2e_key Down Return
e2e_wait_output "No action specified for selected element." 10
e2e_key Down
e2e_see controls-row-selected "$wait_s" e2e_red_in $right_arrow_box >/dev/null \
  || e2e_fail "controls: Down did not move to RIGHT ARROW"

# F11 twice comes back to the same window; the game keeps running either way.
e2e_key F11
sleep 1
e2e_key F11
sleep 1
kill -0 "$GAME_PID" 2>/dev/null || e2e_fail "F11 ended the game"
size=$(xdotool getwindowgeometry "$GAME_WIN" | awk '/Geometry/ {print $2}')
[ "$size" = "1280x720" ] || e2e_fail "after F11 twice the window is $size"

# Up from the second row twice wraps past the first to BACK; Enter goes back to options.
e2e_key Up Up
e2e_see controls-back-selected "$wait_s" e2e_red_in $back_box >/dev/null \
  || e2e_fail "controls: Up from the first row did not wrap to BACK"
e2e_key Return
e2e_see options-again "$wait_s" options_drawn >/dev/null || e2e_fail "BACK did not return to options"

# The mouse: hover BACK on options, leave it, click anywhere: the last hovered button fires.
e2e_hover 640 504
e2e_see options-back-hovered "$wait_s" e2e_red_in $quit_box >/dev/null \
  || e2e_fail "options: hovering BACK did not select it"
e2e_hover 100 100
e2e_see options-back-left "$wait_s" e2e_not_red_in $quit_box >/dev/null \
  || e2e_fail "options: BACK stays red after the pointer left"
e2e_click
e2e_see menu-again "$wait_s" menu_drawn >/dev/null \
  || e2e_fail "clicking after leaving BACK did not return to the menu"

# OPTIONS by mouse, CONTROLS by mouse, then Escape from the controls list.
e2e_hover 640 360
e2e_click
e2e_see options-by-mouse "$wait_s" options_drawn >/dev/null || e2e_fail "clicking OPTIONS failed"
e2e_hover 640 216
e2e_click
e2e_see controls-by-mouse "$wait_s" controls_drawn >/dev/null \
  || e2e_fail "the mouse did not reach the controls list"
e2e_key Escape
e2e_wait_exit 20
[ "$GAME_STATUS" -eq 0 ] || e2e_fail "Escape on the controls list gave status $GAME_STATUS"
e2e_count_output "No action specified for selected element." 1
grep -q "diamonds 0runs 0" "$GAME_LOG" || e2e_fail "shutdown totals missing"
echo "menus: ok"
