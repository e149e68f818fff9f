#!/usr/bin/env bash
# The whole test suite from a fresh clone: installs what it needs, builds with warnings as errors
# and runs every test; then builds the game for Windows, packs its zip and tests both under Wine;
# then builds the web edition, runs its unit tests under Node.js and plays it in headless Chromium
# beside the release build; checks that the release's packing gives the same bytes under another
# clock, locale and folder; then builds the same suite under AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer and runs it again, and gives each fuzz target a bounded time.
# Without a display everything runs under one virtual display. Arguments go to both ctest runs.
# NAVRO_FUZZ_SECONDS sets the time per fuzz target (20 s).
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/bootstrap.sh

export MESA_GL_VERSION_OVERRIDE="${MESA_GL_VERSION_OVERRIDE:-4.6}"
export MESA_GLSL_VERSION_OVERRIDE="${MESA_GLSL_VERSION_OVERRIDE:-460}"
if [ -z "${DISPLAY:-}" ]; then
  exec bash tools/with_virtual_display.sh bash "$0" "$@"
fi

started=$SECONDS
stage() { echo "=== $1 ($((SECONDS - started)) s so far)"; }

stage "release build"
cmake --preset ci > /dev/null
cmake --build --preset ci
stage "release tests"
ctest --preset ci --output-on-failure "$@"

# Windows: the zip as tools/package-windows.sh writes it (the libraries and Wine's prefix are
# built once and cached), the unit tests that need no GL run by ctest through Wine, the same
# runs from the same seeds, and the zip's navro.exe played under Wine.
stage "windows build"
bash tools/package-windows.sh
cmake --build --preset windows
stage "windows tests"
(
  source tools/wine_session.bash
  wine_session_start
  trap wine_session_stop EXIT
  ctest --preset windows --output-on-failure
  bash tests/seedmap_compare.sh build/ci/navro-seedmap build/windows/navro-seedmap.exe
)
bash tests/windows/play_zip.sh dist/navro-*-windows-x86_64.zip build/ci/navro-seedmap

# The web: the folder as tools/package-web.sh writes it (FreeType and GoogleTest for the web are
# built once and cached), the unit tests that need no GL run by ctest under Node.js, the same runs
# from the same seeds, and the page played in headless Chromium from a server on the loopback
# address, its run's screen beside the release build's.
stage "web build"
bash tools/package-web.sh
cmake --build --preset web
stage "web tests"
ctest --preset web --output-on-failure
bash tests/seedmap_compare.sh build/ci/navro-seedmap build/web/navro-seedmap.js
/usr/bin/python3 tests/web/play_page.py build/web --desktop build/ci

# The release's packing steps, not its compilers: the .deb, the zip, the source archive and the
# web folder's zip, each packed twice from these builds under two clocks, time zones, locales and
# folders, byte for byte (tools/release.sh --verify rebuilds it all, by hand).
stage "release packing"
source tools/release_packing.bash
bash tests/packaging/release_packing.sh build/ci build/windows \
  "$(web_artifact dist "$(release_version .)")"

stage "sanitizer build"
cmake --preset sanitize > /dev/null
cmake --build --preset sanitize
# Any report ends the process that raised it with a failure, and so fails its test: memory
# errors and undefined behaviour stop at once, leaks are checked at every exit.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
stage "sanitizer tests"
# The bots' 200 whole runs check game rules, the same in both builds; the soak test plays ten
# times as many runs under the sanitizers.
ctest --preset sanitize --output-on-failure -E '^Bots\.' "$@"

stage "fuzzing"
bash tools/fuzz.sh "${NAVRO_FUZZ_SECONDS:-20}"
stage "done"
