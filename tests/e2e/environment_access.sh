#!/usr/bin/env bash
# Unreadable run-time files and a read-only working folder without a save, played as another user if root.
set -uo pipefail
source "$(dirname "$0")/lib/game.bash"
source "$(dirname "$0")/lib/player.bash"
source "$(dirname "$0")/lib/environment.bash"
NAVRO="$1"
SEEDMAP="$2"

e2e_require_seed_one_blade "$SEEDMAP"
env_read_asset_lists
save_failed="Could not save the career record (open failed); no save.esf was made"

env_scratch
env_open_display
started=$SECONDS
player_navro=$(env_player_binary "$NAVRO")
env_copy_runtime "$E2E_DIR/assets" res fonts shaders audio

# Unreadable: whole folders (res/, shaders/, audio/) and a single file (the font) in a folder
# the player can write to.
locked="$E2E_DIR/locked"
env_copy_runtime "$locked" res fonts shaders audio
chmod 777 "$locked"
chmod 000 "$locked/res" "$locked/shaders" "$locked/audio" "$locked/fonts/HV.ttf"
e2e_start "$(env_player_launcher "$player_navro" "$locked")"
env_wait_start_up
for p in "${textures[@]}"; do env_count_lines "Failed to load texture: $p" 1; done
env_count_prefix "Loaded texture: " 0
env_count_lines "Unable to load window icon!" 1
for p in "${shaders[@]}"; do env_count_lines "ERROR::SHADER_COMPILATION_ERROR of type: $p" 1; done
env_count_prefix "ERROR::SHADER::FILE_NOT_SUCCESSFULLY_READ: " "$programs"
env_count_lines "ERROR::FREETYPE: Failed to load font" 1
env_type_seed 1
e2e_key Return
e2e_wait_output "Collision detected!" 40
env_quit "unreadable files"
env_count_prefix "Could not save" 0
runs=$(od -An -t d4 -j 12 -N 4 "$locked/save.esf" 2>/dev/null | tr -d ' ')
[ "$runs" = "1" ] || e2e_fail "unreadable files: the save counts '$runs' runs, expected 1"
# Without the switch of user the permission bits above would have tested nothing.
if env_is_root; then
  [ "$(stat -c %u "$locked/save.esf")" = "$ENV_PLAYER_UID" ] || e2e_fail "the game did not play as the player"
fi

# Read-only working folder without a save: nothing can be made there, so the run end's save says
# so on one line (the shutdown's, failing alike, says nothing more), the game plays on and nothing
# appears in the folder.
# A record already there is rewritten in place instead: see save_record.sh.
readonly_dir="$E2E_DIR/read-only"
mkdir "$readonly_dir"
for d in res fonts shaders audio; do ln -s "../assets/$d" "$readonly_dir/$d"; done
chmod 555 "$readonly_dir"
e2e_start "$(env_player_launcher "$player_navro" "$readonly_dir")"
env_count_lines "diamonds 0" 1
e2e_see read-only-menu 20 e2e_menu_drawn >/dev/null || e2e_fail "read-only folder: no menu"
env_type_seed 1
e2e_key Return
e2e_wait_output "Collision detected!" 40
e2e_wait_output "$save_failed" 10
env_quit "read-only folder"
env_count_lines "$save_failed" 1
env_count_prefix "Could not save" 1
tail -n 1 "$GAME_LOG" | grep -qx "diamonds 0runs 1" || e2e_fail "read-only folder: shutdown totals are not 0 and 1"
[ "$(ls -A "$readonly_dir" | sort | tr '\n' ' ')" = "audio fonts res shaders " ] \
  || e2e_fail "read-only folder: something was left in it: $(ls -A "$readonly_dir")"

echo "environment_access: ok ($(( SECONDS - started )) s)"
