#!/usr/bin/env bash
# The desktop side of the page test's picture comparison: the real game on a private 1280 x 720
# virtual display with its clock stopped (frozen_clock.c), a seed typed, and its run's screen
# saved once the HUD is drawn. The clock never moves, so the screen is the run at game time 0.
# Usage: desktop_run_screen.sh NAVRO FROZEN_CLOCK_LIBRARY SEED OUT.png
set -uo pipefail
source "$(dirname "$0")/../e2e/lib/game.bash"
source "$(dirname "$0")/../e2e/lib/player.bash"
source "$(dirname "$0")/../e2e/lib/environment.bash"
navro=$1 clock=$(realpath "$2") seed=$3 out=$4
# A library the loader cannot find is only warned about, and the game would run on a moving clock.
[ -f "$clock" ] || e2e_fail "no frozen clock library at $2 (build the ci preset first)"

e2e_workdir
vd_start 1280x720x24 || e2e_fail "no virtual display"
e2e_start "$(env_launcher "$navro" "$E2E_DIR" LD_PRELOAD="$clock")"
xdotool windowfocus --sync "$GAME_WIN" 2>/dev/null || true
e2e_see menu 30 e2e_menu_drawn >/dev/null || e2e_fail "no main menu"
env_type_seed "$seed"
e2e_key Return
# The score at the top and the seed at the bottom right: the run's first frame is up.
hud_drawn() { e2e_white_in "$1" 600 15 80 40 && e2e_white_in "$1" 1050 670 230 50; }
e2e_see run 30 hud_drawn >/dev/null || e2e_fail "the run's screen never came"
# A frame more, so the picture is one the game drew again with nothing changed.
sleep 0.5
e2e_screenshot "$out"
env_quit "desktop run screen"
echo "desktop_run_screen: seed $seed's run screen in $out"
