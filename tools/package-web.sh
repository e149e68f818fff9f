#!/usr/bin/env bash
# Builds NAVRO for the web on Debian and writes dist/navro-<version>-web.zip: one folder holding
# index.html, the game (navro.js, navro.wasm), its data (navro.data), the page's icon and the
# licences of every library linked in; any web server that serves the folder serves the game.
# Installs what it needs first; FreeType for the web is built once and kept under build/web-cache.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/bootstrap.sh      # Emscripten, Node.js, glm, stb and miniaudio
bash tools/web-libraries.sh  # FreeType and GoogleTest for the web, the header-only libraries
source tools/web_environment.bash

cmake --preset web > /dev/null
cmake --build --preset web --target navro
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/web/CMakeCache.txt)
name=navro-$version-web
stage=$PWD/build/web/zip
rm -rf "$stage"
cmake --install build/web --prefix "$stage/$name" > /dev/null

mkdir -p dist
rm -f "dist/$name.zip"
(cd "$stage" && zip -q -r -X "../../../dist/$name.zip" "$name")
echo "package-web: wrote dist/$name.zip ($(du -k "dist/$name.zip" | cut -f1) KiB)"
