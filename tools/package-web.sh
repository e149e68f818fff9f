#!/usr/bin/env bash
# Builds NAVRO for the web on Debian and writes dist/navro-<version>-web/ and the same folder
# zipped, dist/navro-<version>-web.zip: index.html, the game (navro.js, navro.wasm), its data
# (navro.data), the page's icons and the licences of every library linked in; any web server that
# serves the folder serves the game.
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
folder=dist/$name
mkdir -p dist
rm -rf "$folder" "dist/$name.zip"
cmake --install build/web --prefix "$PWD/$folder" > /dev/null
(cd dist && zip -q -r -X "$name.zip" "$name")
echo "package-web: wrote $folder/ and $folder.zip ($(du -k "$folder.zip" | cut -f1) KiB)"
