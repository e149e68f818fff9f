#!/usr/bin/env bash
# The sources include one way, lowest layer first; and the check does catch an upward include,
# one between the renderer and the sound, and a window library below the renderer.
# Usage: check_layers_test.sh CHECKER
set -uo pipefail
checker="$1"
repo=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }

out=$(python3 "$checker" "$repo") || fail "the sources break the layers:"$'\n'"$out"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for d in app sim render sound ui; do cp -R "$repo/$d" "$scratch/$d"; done
echo '#include "ui/screens.h"' >>"$scratch/sim/random.cpp"
echo '#include "../render/frame.h"' >>"$scratch/sound/sound.cpp"
echo '#include <GLFW/glfw3.h>' >>"$scratch/app/data/camera.cpp"
echo '#include "app/shell/window.h"' >>"$scratch/render/frame.h"
out=$(python3 "$checker" "$scratch")
[ $? -eq 1 ] || fail "planted upward includes were not reported"
for expected in 'sim/random.cpp:.*sim includes "ui/screens.h" of layer ui' \
                'sound/sound.cpp:.*sound includes "../render/frame.h" of layer render' \
                'app/data/camera.cpp:.*data includes <GLFW/glfw3.h>' \
                'render/frame.h:.*render includes "app/shell/window.h" of layer shell'; do
  grep -q -- "$expected" <<<"$out" || fail "not reported: $expected"$'\n'"$out"
done
[ "$(grep -c 'includes' <<<"$out")" -eq 4 ] || fail "reported more than the planted includes:"$'\n'"$out"
echo "layers: ok"
