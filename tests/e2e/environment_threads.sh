#!/usr/bin/env bash
# A process that may not start a single thread (its user at the process limit): the pictures are
# decoded on the main thread with the same lines in the same order, and the game plays and quits
# with status 0. The software renderer is told to draw on the calling thread, since it cannot
# start without its own workers otherwise.
set -uo pipefail
source "$(dirname "$0")/lib/game.bash"
source "$(dirname "$0")/lib/player.bash"
source "$(dirname "$0")/lib/environment.bash"
NAVRO="$1"
SEEDMAP="$2"

e2e_require_seed_one_blade "$SEEDMAP"
env_read_asset_lists

env_scratch
env_open_display
started=$SECONDS
player_navro=$(env_player_binary "$NAVRO")
env_copy_runtime "$E2E_DIR/assets" res fonts shaders audio
play="$E2E_DIR/play"
mkdir -m 777 "$play"
for d in res fonts shaders audio; do ln -s "../assets/$d" "$play/$d"; done

# The limit counts every process and thread of the user, so 1 leaves room for none; the
# superuser is not held to it, hence the player switch when root.
# In a sanitizer build the leak check at exit needs a thread of its own, which the limit refuses;
# the main-thread decoding is leak-checked by the GL tests instead.
limited=$(env_player_launcher "$player_navro" "$play" LP_NUM_THREADS=0 MESA_SHADER_CACHE_DISABLE=true \
  "ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=0")
sed -i 's|^exec |exec prlimit --nproc=1 -- |' "$limited"
e2e_start "$limited"
e2e_see threads-menu 40 e2e_menu_drawn >/dev/null || e2e_fail "no main menu without threads"
# The texture lines exactly as a start with workers prints them: each file once, in list order.
expected=$(printf 'Loaded texture: %s\n' "${textures[@]}")
got=$(grep -E '^(Loaded|Failed to load) texture: ' "$GAME_LOG")
[ "$got" = "$expected" ] || e2e_fail "the texture lines differ from the list: $got"
env_type_seed 1
e2e_key Return
e2e_wait_output "Collision detected!" 60
env_quit "no threads"
tail -n 1 "$GAME_LOG" | grep -qx "diamonds 0runs 1" || e2e_fail "the run was not counted: $(tail -n 1 "$GAME_LOG")"
grep -q "terminate called\|Aborted" "$GAME_LOG" && e2e_fail "an exception left the game"

echo "environment_threads: ok ($(( SECONDS - started )) s)"
