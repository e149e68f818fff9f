#!/usr/bin/env bash
# A player walks the menus with keys and the mouse: options, controls and back, F11 there and
# back, a key row that does nothing, hover colours, clicks, and Escape from the controls list.
set -uo pipefail
source "$(dirname "$0")/lib/game.bash"
source "$(dirname "$0")/lib/player.bash"
NAVRO="$1"

e2e_workdir
e2e_display
e2e_start "$(e2e_line_buffered "$NAVRO")"
xdotool windowfocus --sync "$GAME_WIN" 2>/dev/null || true

# Caption boxes of the three centred buttons (window pixels).
play_box="520 190 240 60"
options_box="520 335 240 60"
quit_box="520 478 240 60"

shot=$(e2e_shot menu)
for box in "$play_box" "$options_box" "$quit_box"; do
  e2e_white_in "$shot" $box || e2e_fail "main menu: no caption in $box"
  e2e_red_in "$shot" $box && e2e_fail "main menu: a button is selected before any input"
done
e2e_white_in "$shot" 40 650 300 70 || e2e_fail "main menu: no career figures at the bottom left"

# Keys: the first Down selects PLAY, the second OPTIONS.
e2e_key Down Down
shot=$(e2e_shot menu-options-selected)
e2e_red_in "$shot" $options_box || e2e_fail "Down Down did not select OPTIONS"
e2e_red_in "$shot" $play_box && e2e_fail "PLAY still selected after moving on"
e2e_key Return
shot=$(e2e_shot options)
e2e_white_in "$shot" 480 335 320 60 || e2e_fail "options: no VIDEO (DISABLED) caption"

# Options: Up selects CONTROLS first; then a key row prints that it does nothing.
e2e_key Up Return
shot=$(e2e_shot controls)
e2e_white_in "$shot" 150 55 250 30 || e2e_fail "controls: no ROTATE LEFT row"
e2e_white_in "$shot" 860 55 200 30 || e2e_fail "controls: no LEFT ARROW key"
e2e_white_in "$shot" 580 665 120 45 || e2e_fail "controls: no BACK at the bottom"
e2e_key Down Return
e2e_wait_output "No action specified for selected element." 10
e2e_key Down
shot=$(e2e_shot controls-row-selected)
e2e_red_in "$shot" 880 95 160 30 || e2e_fail "controls: Down did not move to RIGHT ARROW"

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
shot=$(e2e_shot controls-back-selected)
e2e_red_in "$shot" 580 665 120 45 || e2e_fail "controls: Up from the first row did not wrap to BACK"
e2e_key Return

# The mouse: hover BACK on options, leave it, click anywhere: the last hovered button fires.
e2e_hover 640 504
shot=$(e2e_shot options-back-hovered)
e2e_red_in "$shot" $quit_box || e2e_fail "options: hovering BACK did not select it"
e2e_hover 100 100
shot=$(e2e_shot options-back-left)
e2e_red_in "$shot" $quit_box && e2e_fail "options: BACK stays red after the pointer left"
e2e_click
shot=$(e2e_shot menu-again)
e2e_white_in "$shot" 40 650 300 70 || e2e_fail "clicking after leaving BACK did not return to the menu"

# OPTIONS by mouse, CONTROLS by mouse, then Escape from the controls list.
e2e_hover 640 360
e2e_click
e2e_hover 640 216
e2e_click
shot=$(e2e_shot controls-by-mouse)
e2e_white_in "$shot" 150 55 250 30 || e2e_fail "the mouse did not reach the controls list"
e2e_key Escape
e2e_wait_exit 20
[ "$GAME_STATUS" -eq 0 ] || e2e_fail "Escape on the controls list gave status $GAME_STATUS"
e2e_count_output "No action specified for selected element." 1
grep -q "diamonds 0runs 0" "$GAME_LOG" || e2e_fail "shutdown totals missing"
rm -rf "$E2E_DIR"
echo "menus: ok"
