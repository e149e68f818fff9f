#!/usr/bin/env bash
# No audio device, even on a machine that has one: one report line, and a run still plays.
set -uo pipefail
source "$(dirname "$0")/lib/game.bash"
source "$(dirname "$0")/lib/player.bash"
source "$(dirname "$0")/lib/environment.bash"
NAVRO="$1"
SEEDMAP="$2"

# Seed 117: a diamond on lane 0 of platform 1, then the first blade on lane 0 at platform 3.
seed=117
map=$("$SEEDMAP" "$seed")
grep -qx "1 3 diamond:0 1" <<<"$map" && grep -qx "3 3 diamond:2 0" <<<"$map" \
  && ! grep -qE '^[0-2] [0-9]+ [^ ]+ ([0-9]+,)*0(,[0-9]+)*$' <<<"$map" \
  || e2e_fail "seed $seed no longer has a diamond and then a blade on lane 0"
options_selected() { e2e_red_in "$1" 520 335 240 60; }

env_scratch
env_open_display
started=$SECONDS
mkdir -m 700 "$E2E_DIR/runtime"
: >"$E2E_DIR/empty-alsa.conf"
# ALSA reads only the named configuration, so not even "default" exists; PulseAudio (and
# PipeWire's PulseAudio service) gets a server that is not there, and miniaudio never asks it to
# start one; JACK may not start a server and looks for one that does not exist; an empty runtime
# folder hides any session sockets.
no_audio=(
  "ALSA_CONFIG_PATH=$E2E_DIR/empty-alsa.conf"
  "PULSE_SERVER=unix:$E2E_DIR/runtime/no-pulse"
  "JACK_NO_START_SERVER=1"
  "JACK_DEFAULT_SERVER=navro-no-server"
  "PIPEWIRE_REMOTE=navro-no-remote"
  "XDG_RUNTIME_DIR=$E2E_DIR/runtime"
)
play="$E2E_DIR/play"
mkdir "$play"
for d in res fonts shaders audio; do ln -s "$E2E_REPO/$d" "$play/$d"; done

e2e_start "$(env_launcher "$NAVRO" "$play" "${no_audio[@]}")"
e2e_see menu 20 e2e_menu_drawn >/dev/null || e2e_fail "no main menu without an audio device"
env_count_lines "No audio device: the game runs without sound" 1
# Moving the selection plays the menu sound.
e2e_key Down Down
e2e_see options-selected 20 options_selected >/dev/null || e2e_fail "Down Down did not select OPTIONS"
e2e_key Up Up  # on QUIT: the Down that opens the seed screen wraps to PLAY
env_type_seed "$seed"
e2e_key Return
e2e_wait_output "Collision detected!" 40
env_quit "no audio device"
tail -n 1 "$GAME_LOG" | grep -qx "diamonds 1runs 1" \
  || e2e_fail "the run did not collect its diamond: $(tail -n 1 "$GAME_LOG")"

echo "environment_audio: ok ($(( SECONDS - started )) s)"
