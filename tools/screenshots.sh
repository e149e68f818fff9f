#!/usr/bin/env bash
# Takes the README screenshots from the real game under a private virtual display:
# docs/main-menu.png (the main menu) and docs/run.png (a run with collected items and the HUD).
# Usage: tools/screenshots.sh [path-to-navro]   (default: build/dev/navro, built when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

navro="${1:-build/dev/navro}"
if [ ! -x "$navro" ]; then
  cmake --preset dev >/dev/null
  cmake --build --preset dev --target navro navro-seedmap >/dev/null
fi
navro=$(realpath "$navro")
export MESA_GL_VERSION_OVERRIDE="${MESA_GL_VERSION_OVERRIDE:-4.6}"
export MESA_GLSL_VERSION_OVERRIDE="${MESA_GLSL_VERSION_OVERRIDE:-460}"

# Seed 187 puts a 4x, a +512, a 4x and a +512 on lane 0 before its first blade there, so the
# player collects four items without steering and the right-hand column fills up.
seed=187

work=$(mktemp -d)
for d in shaders res fonts audio; do ln -s "$repo/$d" "$work/$d"; done
source "$repo/tools/virtual_display.bash"
game=""
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null || true
  vd_stop
  rm -rf "$work"
}
trap cleanup EXIT
vd_start || exit 1

(cd "$work" && exec "$navro") >"$work/out.log" 2>&1 &
game=$!
win=""
for _ in $(seq 1 300); do
  win=$(xdotool search --name '^NAVRO$' 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "screenshots: the game window never appeared" >&2; exit 1; }
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 2

mkdir -p docs
import -window root docs/main-menu.png

key() {
  for k in "$@"; do xdotool key "$k"; sleep 0.08; done
}
key Down Return
sleep 0.3
key $(for _ in $(seq 1 19); do printf 'BackSpace '; done) $(echo "$seed" | sed 's/./& /g') Return

# Keep a short ring of frames; the run ends at the blade, and the frame taken about half a second
# before that shows every item collected, still in play.
ring=()
for i in $(seq 1 120); do
  shot="$work/frame$i.png"
  import -window root "$shot"
  ring+=("$shot")
  if grep -q "Collision detected!" "$work/out.log"; then break; fi
  sleep 0.15
done
grep -q "Collision detected!" "$work/out.log" || { echo "screenshots: the run never ended" >&2; exit 1; }
count=${#ring[@]}
pick=$(( count > 3 ? count - 3 : 0 ))
cp "${ring[$pick]}" docs/run.png
xdotool key Escape
wait "$game" || true
game=""
echo "screenshots: wrote docs/main-menu.png and docs/run.png"
