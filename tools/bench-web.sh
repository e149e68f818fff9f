#!/usr/bin/env bash
# The web edition's performance figures of the README, each beside the desktop's: the frame update
# compiled to WebAssembly and run under Node.js beside the native BM_UpdateFrame; the page's start
# in headless Chromium, from the navigation to the first drawn menu frame, beside the desktop
# game's start-up to its first frame; and the size of the folder a server sends, raw and
# compressed. Run it on a quiet machine: only figures of one sitting compare.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/bootstrap.sh
bash tools/web-libraries.sh --bench
source tools/web_environment.bash
bash tools/package-web.sh > /dev/null
cmake --preset web-bench > /dev/null
cmake --build --preset web-bench --target navro-update-bench
cmake --preset ci > /dev/null
cmake --build --preset ci --target navro-bench

repeat=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
echo "=== the frame update: WebAssembly under Node.js $(node --version), then native"
node build/web-bench/navro-update-bench.js --benchmark_filter='^BM_UpdateFrame$' "${repeat[@]}"
build/ci/bench/navro-bench --benchmark_filter='^BM_UpdateFrame$' "${repeat[@]}"

echo "=== start-up: the page in headless Chromium, then the desktop game under a virtual display"
/usr/bin/python3 bench/web_start.py build/web 5
export MESA_GL_VERSION_OVERRIDE="${MESA_GL_VERSION_OVERRIDE:-4.6}"
export MESA_GLSL_VERSION_OVERRIDE="${MESA_GLSL_VERSION_OVERRIDE:-460}"
# Its repetitions (three of ten starts each) are fixed in the benchmark itself.
startup=(build/ci/bench/navro-bench --benchmark_filter='^BM_StartupToFirstFrame/')
if [ -z "${DISPLAY:-}" ]; then
  bash tools/with_virtual_display.sh "${startup[@]}"
else
  "${startup[@]}"
fi

echo "=== the web folder as a server sends it (bytes: raw, gzip -9)"
total_raw=0 total_gzip=0
for file in index.html navro-icon.png navro.js navro.wasm navro.data; do
  raw=$(stat -c %s "build/web/$file")
  packed=$(gzip -9 -c "build/web/$file" | wc -c)
  printf '%-16s %10d %10d\n' "$file" "$raw" "$packed"
  total_raw=$((total_raw + raw))
  total_gzip=$((total_gzip + packed))
done
printf '%-16s %10d %10d\n' total "$total_raw" "$total_gzip"
