#!/usr/bin/env bash
# A system without OpenGL 4.6: the game says what is missing after the window system's own lines
# and ends by itself at once with a failure status, its decoding workers joined (the software
# renderer without its version override offers 4.5; asked to offer 3.3, it says 3.3).
set -uo pipefail
source "$(dirname "$0")/lib/game.bash"
NAVRO=$(realpath "$1")

e2e_display
e2e_workdir
started=$SECONDS

# Runs the game with the given environment; it must end within $limit s on its own.
limit=5
run_without_gl46() {
  GAME_LOG="$E2E_DIR/out.$RANDOM.log"
  local t0 t1
  t0=$(date +%s%N)
  (cd "$E2E_DIR" && exec env -u MESA_GL_VERSION_OVERRIDE -u MESA_GLSL_VERSION_OVERRIDE "$@" \
    "$NAVRO") >"$GAME_LOG" 2>&1 &
  GAME_PID=$!
  e2e_wait_exit "$limit"
  t1=$(date +%s%N)
  GAME_PID=""
  elapsed_ms=$(( (t1 - t0) / 1000000 ))
  [ "$GAME_STATUS" -ne 0 ] || e2e_fail "the game reported success without a window"
}

# The design's line, then the player's line naming the version the system has, then nothing:
# no texture was uploaded and no totals printed.
expect_lines() {
  grep -qx "Failed to create GLFW window" "$GAME_LOG" || e2e_fail "no 'Failed to create GLFW window'"
  local after
  after=$(sed -n '/^Failed to create GLFW window$/,$p' "$GAME_LOG" | tail -n +2)
  [ "$after" = "$1" ] || e2e_fail "after the window's failure the game printed '$after', expected '$1'"
  grep -q "^Loaded texture" "$GAME_LOG" && e2e_fail "textures were loaded without a window"
}

run_without_gl46
info=$(env -u MESA_GL_VERSION_OVERRIDE -u MESA_GLSL_VERSION_OVERRIDE glxinfo -B 2>/dev/null)
version=$(awk -F': ' '/Max core profile version/ { print $2 }' <<<"$info")
renderer=$(awk -F': ' '/OpenGL renderer string/ { print $2 }' <<<"$info" | sed 's/ (.*//')
[ -n "$version" ] || e2e_fail "glxinfo reports no core profile version"
case "$version" in
  4.6 | [5-9].*) e2e_fail "this display's driver offers OpenGL $version: nothing to test" ;;
esac
expect_lines "NAVRO needs OpenGL 4.6; this system offers $version ($renderer)"
echo "no override: status $GAME_STATUS after $elapsed_ms ms"

# The version is read from the system, not assumed.
run_without_gl46 MESA_GL_VERSION_OVERRIDE=3.3
expect_lines "NAVRO needs OpenGL 4.6; this system offers 3.3 ($renderer)"
echo "OpenGL 3.3: status $GAME_STATUS after $elapsed_ms ms"

echo "environment_opengl: ok ($(( SECONDS - started )) s)"
