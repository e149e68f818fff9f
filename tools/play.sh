#!/usr/bin/env bash
# Builds the game if needed and starts it from the repository, beside its shaders, art, font and sounds.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "NAVRO needs a display: none is set (DISPLAY is empty); run it on a desktop or under xvfb-run." >&2
  exit 1
fi
if [ ! -x build/dev/navro ]; then
  bash tools/bootstrap.sh
  cmake --preset dev > /dev/null
fi
cmake --build --preset dev --target navro > /dev/null

# Mesa's software renderer offers GL 4.5 only; these let it give 4.6. Other drivers ignore them.
export MESA_GL_VERSION_OVERRIDE="${MESA_GL_VERSION_OVERRIDE:-4.6}"
export MESA_GLSL_VERSION_OVERRIDE="${MESA_GLSL_VERSION_OVERRIDE:-460}"
exec build/dev/navro
