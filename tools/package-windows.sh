#!/usr/bin/env bash
# Builds NAVRO for 64-bit Windows on Debian and writes dist/navro-<version>-windows-x86_64.zip:
# one folder holding navro.exe, its shaders/ res/ fonts/ audio/, README.txt and the licences of
# every library linked in. Installs what it needs first; the Windows libraries and Wine's prefix
# are built once and kept under build/windows-cache.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/bootstrap.sh         # cmake, ninja, the glad generator, glm, stb and miniaudio
bash tools/windows-libraries.sh # the cross compilers, GLFW, FreeType, GoogleTest, Wine
source tools/release_packing.bash
# The linker stamps navro.exe's header with this time rather than the clock's (a build folder
# linked before keeps the time it was linked with; tools/release.sh always builds afresh).
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(release_epoch .)}
export SOURCE_DATE_EPOCH

cmake --preset windows > /dev/null
cmake --build --preset windows --target navro
# Packed the way every release is (tools/release_packing.bash).
mkdir -p dist
zip=$(pack_windows build/windows dist)
zip=${zip#"$PWD/"}
echo "package-windows: wrote $zip ($(du -k "$zip" | cut -f1) KiB)"
