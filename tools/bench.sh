#!/usr/bin/env bash
# The performance figures of the README: builds the ci preset and runs navro-bench, then a whole
# played session timed frame by frame (navro-session), under a virtual display when there is no
# real one. Arguments go to Google Benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/bootstrap.sh
cmake --preset ci > /dev/null
cmake --build --preset ci --target navro-bench navro-session

export MESA_GL_VERSION_OVERRIDE="${MESA_GL_VERSION_OVERRIDE:-4.6}"
export MESA_GLSL_VERSION_OVERRIDE="${MESA_GLSL_VERSION_OVERRIDE:-460}"
figures=(bash -c 'build/ci/bench/navro-bench --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true "$@" && build/ci/bench/navro-session' navro-bench "$@")
if [ -z "${DISPLAY:-}" ]; then
  exec bash tools/with_virtual_display.sh "${figures[@]}"
fi
exec "${figures[@]}"
