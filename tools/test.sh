#!/usr/bin/env bash
# The whole test suite from a fresh clone: installs what it needs, builds with warnings as errors,
# and runs every test under a virtual display when there is no real one.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/bootstrap.sh
cmake --preset ci > /dev/null
cmake --build --preset ci

export MESA_GL_VERSION_OVERRIDE="${MESA_GL_VERSION_OVERRIDE:-4.6}"
export MESA_GLSL_VERSION_OVERRIDE="${MESA_GLSL_VERSION_OVERRIDE:-460}"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x720x24" ctest --preset ci "$@"
fi
exec ctest --preset ci "$@"
