#!/usr/bin/env bash
# Missing and damaged run-time files: each reported on its own line, and the game still plays.
set -uo pipefail
source "$(dirname "$0")/lib/game.bash"
source "$(dirname "$0")/lib/player.bash"
source "$(dirname "$0")/lib/environment.bash"
NAVRO="$1"
SEEDMAP="$2"

env_read_asset_lists
# Seed 1 meets a blade on the starting lane at once: a run that ends without any steering.
e2e_require_seed_one_blade "$SEEDMAP"

icon_line="Unable to load window icon!"
font_line="ERROR::FREETYPE: Failed to load font"
read_error="ERROR::SHADER::FILE_NOT_SUCCESSFULLY_READ: "
compile_error="ERROR::SHADER_COMPILATION_ERROR of type: "
link_line="ERROR::PROGRAM_LINKING_ERROR of type: PROGRAM"

expect_textures_missing() {
  local p
  for p in "${textures[@]}"; do env_count_lines "Failed to load texture: $p" 1; done
  env_count_prefix "Failed to load texture: " "${#textures[@]}"
  env_count_prefix "Loaded texture: " 0
  env_count_lines "$icon_line" 1
}
expect_textures_loaded() {
  env_count_prefix "Loaded texture: " "${#textures[@]}"
  env_count_prefix "Failed to load texture: " 0
  env_count_lines "$icon_line" 0
}
expect_shaders_missing() {
  local p
  for p in "${shaders[@]}"; do env_count_lines "$compile_error$p" 1; done
  env_count_prefix "$read_error" "$programs"
  env_count_lines "$link_line" "$programs"
}
expect_shaders_built() { env_count_prefix "ERROR::SHADER" 0; env_count_prefix "ERROR::PROGRAM" 0; }

# Starts the game in play folder $1 and checks it answers on the seed screen, then quits.
start_in() {
  e2e_start "$(env_launcher "$NAVRO" "$1")"
  env_wait_start_up
}
answer_and_quit() {
  env_type_seed 7
  env_quit "$1"
  [ "$(stat -c %s "$2/save.esf" 2>/dev/null)" = "16" ] || e2e_fail "$1: no 16-byte save.esf written"
}

env_scratch
env_open_display
started=$SECONDS

# Nothing at all beside the game: every file reported, and a whole run still plays and is saved.
bare="$E2E_DIR/bare"
mkdir "$bare"
start_in "$bare"
expect_textures_missing
expect_shaders_missing
env_count_lines "$font_line" 1
env_type_seed 1
e2e_key Return
e2e_wait_output "Collision detected!" 40
env_quit "no run-time folders"
tail -n 1 "$GAME_LOG" | grep -q "runs 1$" || e2e_fail "no run-time folders: the ended run was not counted"
runs=$(od -An -t d4 -j 12 -N 4 "$bare/save.esf" 2>/dev/null | tr -d ' ')
[ "$runs" = "1" ] || e2e_fail "no run-time folders: the save counts '$runs' runs, expected 1"

# One folder missing at a time: only its own files are reported.
for gone in res fonts shaders audio; do
  dir="$E2E_DIR/without-$gone"
  mkdir "$dir"
  for d in res fonts shaders audio; do
    [ "$d" = "$gone" ] || ln -s "$E2E_REPO/$d" "$dir/$d"
  done
  start_in "$dir"
  case "$gone" in
    res)
      expect_textures_missing
      expect_shaders_built
      env_count_lines "$font_line" 0
      # Font and shaders are there: the menu captions still show.
      e2e_see "without-res-menu" 20 e2e_menu_drawn >/dev/null || e2e_fail "without res/: no menu captions"
      ;;
    fonts)
      expect_textures_loaded
      expect_shaders_built
      env_count_lines "$font_line" 1
      ;;
    shaders)
      expect_textures_loaded
      expect_shaders_missing
      env_count_lines "$font_line" 0
      ;;
    audio)
      # Sounds are opened only when played, and only with a device; nothing else may complain.
      expect_textures_loaded
      expect_shaders_built
      env_count_lines "$font_line" 0
      ;;
  esac
  answer_and_quit "without $gone/" "$dir"
done

# Files that are there but damaged: a cut-off picture, an empty font, an empty shader.
damaged="$E2E_DIR/damaged"
env_copy_runtime "$damaged" res fonts shaders audio
truncate -s 60 "$damaged/res/lines.png"  # signature and header survive, the pixels do not
half=$(( $(stat -c %s "$damaged/res/player-sheet.png") / 2 ))
truncate -s "$half" "$damaged/res/player-sheet.png"
: >"$damaged/fonts/HV.ttf"
: >"$damaged/shaders/item.frag.glsl"
start_in "$damaged"
env_count_lines "Failed to load texture: ./res/lines.png" 1
env_count_lines "Failed to load texture: ./res/player-sheet.png" 1
env_count_prefix "Failed to load texture: " 2
env_count_prefix "Loaded texture: " $(( ${#textures[@]} - 2 ))
env_count_lines "$font_line" 1
env_count_lines "${compile_error}./shaders/item.frag.glsl" 1
env_count_prefix "$compile_error" 1
env_count_lines "$link_line" 1
env_count_prefix "$read_error" 0
answer_and_quit "damaged files" "$damaged"

echo "environment_assets: ok ($(( SECONDS - started )) s)"
