#!/usr/bin/env bash
# The performance figures of the README: builds the ci preset and runs navro-bench, under a
# virtual display when there is no real one. Arguments go to Google Benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/bootstrap.sh
cmake --preset ci > /dev/null
cmake --build --preset ci --target navro-bench

export MESA_GL_VERSION_OVERRIDE="${MESA_GL_VERSION_OVERRIDE:-4.6}"
export MESA_GLSL_VERSION_OVERRIDE="${MESA_GLSL_VERSION_OVERRIDE:-460}"
bench=(build/ci/bench/navro-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
  "$@")
if [ -z "${DISPLAY:-}" ]; then
  exec bash tools/with_virtual_display.sh "${bench[@]}"
fi
exec "${bench[@]}"
