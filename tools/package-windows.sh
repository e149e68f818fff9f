#!/usr/bin/env bash
# Builds NAVRO for 64-bit Windows on Debian and writes dist/navro-<version>-windows-x86_64.zip:
# one folder holding navro.exe, its shaders/ res/ fonts/ audio/, README.txt and the licences of
# every library linked in. Installs what it needs first; the Windows libraries and Wine's prefix
# are built once and kept under build/windows-cache.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/bootstrap.sh         # cmake, ninja, the glad generator, glm, stb and miniaudio
bash tools/windows-libraries.sh # the cross compilers, GLFW, FreeType, GoogleTest, Wine

cmake --preset windows > /dev/null
cmake --build --preset windows --target navro
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
name=navro-$version-windows-x86_64
stage=$PWD/build/windows/zip
rm -rf "$stage"
cmake --install build/windows --prefix "$stage/$name" --strip > /dev/null

mkdir -p dist
rm -f "dist/$name.zip"
# -X: no Unix owners or modes inside; the player's unzip gives the files their own.
(cd "$stage" && zip -q -r -X "../../../dist/$name.zip" "$name")
echo "package-windows: wrote dist/$name.zip ($(du -k "dist/$name.zip" | cut -f1) KiB)"
