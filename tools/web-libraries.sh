#!/usr/bin/env bash
# Builds, once, what the web build links, into build/web-cache/prefix: FreeType from Debian's own
# source package and GoogleTest from /usr/src/googletest (for the unit tests run under Node.js),
# compiled to WebAssembly with the release's Emscripten; beside them the same glm,
# stb and miniaudio headers the Linux build uses, alone in their folder (never /usr/include,
# whose glibc headers would shadow Emscripten's own). GLFW and the GL come with Emscripten
# itself. With --bench, also Google Benchmark from Debian's source package, for the frame update
# measured under Node.js (tools/bench-web.sh). Each piece is rebuilt only when its stamp (source
# version and compiler) changes, so a second run takes a second.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/debian_source.bash
source tools/web_environment.bash

root=$PWD
cache=$root/build/web-cache
prefix=$cache/prefix
compiler=$(emcc -dumpversion)
mkdir -p "$cache" "$prefix"

# No folder of this machine in the objects, so the release's bytes do not depend on where the
# cache was built.
path_map="-ffile-prefix-map=$cache/="
current() { [ -f "$cache/$1.stamp" ] && [ "$(cat "$cache/$1.stamp")" = "$2" ]; }
stamp() { echo "$2" > "$cache/$1.stamp"; }
# Libraries written for older CMake releases warn about it; their warnings are not ours to act on.
# All the output goes to the piece's log, whose end is shown when a step fails.
web_build() {  # name source-folder cmake-options...
  local name=$1 src=$2 log=$cache/build-$1.log
  shift 2
  rm -rf "$cache/build-$name"
  {
    emcmake cmake -S "$src" -B "$cache/build-$name" -G Ninja -Wno-dev -Wno-deprecated \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
      -DCMAKE_C_FLAGS="$path_map" -DCMAKE_CXX_FLAGS="$path_map" "$@" &&
      cmake --build "$cache/build-$name" && cmake --install "$cache/build-$name"
  } > "$log" 2>&1 || { tail -n 20 "$log" >&2; return 1; }
  rm -rf "$cache/build-$name"
}

freetype_key="freetype $(dpkg-query -W -f='${Version}' libfreetype-dev) emscripten $compiler paths-mapped"
if ! current freetype "$freetype_key"; then
  echo "web-libraries: FreeType from Debian's source package"
  src=$(fetch_source freetype "$cache/apt")
  # Only what reads the game's TrueType font: no compressed or PNG glyphs, no shaping.
  web_build freetype "$src" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
  mkdir -p "$prefix/licences/freetype"
  cp "$src/LICENSE.TXT" "$src/docs/FTL.TXT" "$prefix/licences/freetype/"
  rm -rf "$cache/apt/freetype"
  stamp freetype "$freetype_key"
fi

benchmark_key="benchmark $(dpkg-query -W -f='${Version}' libbenchmark-dev) emscripten $compiler paths-mapped"
if [ "${1:-}" = "--bench" ] && ! current benchmark "$benchmark_key"; then
  echo "web-libraries: Google Benchmark from Debian's source package"
  src=$(fetch_source benchmark "$cache/apt")
  # Debian's source reads no version from git: 0.0.0 makes it take the project's own.
  web_build benchmark "$src" -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF \
    -DBENCHMARK_ENABLE_WERROR=OFF -DGIT_VERSION=0.0.0
  rm -rf "$cache/apt/benchmark"
  stamp benchmark "$benchmark_key"
fi

# No thread starts in the page or under Node.js without SharedArrayBuffer: GoogleTest without its own.
gtest_key="googletest $(dpkg-query -W -f='${Version}' googletest) emscripten $compiler paths-mapped"
if ! current googletest "$gtest_key"; then
  echo "web-libraries: GoogleTest from /usr/src/googletest"
  web_build googletest /usr/src/googletest -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON \
    -Dgtest_disable_pthreads=ON
  stamp googletest "$gtest_key"
fi

# The header-only libraries, exactly the files the Linux build includes; copied with their
# times, and only when a package changed, so the game is not rebuilt for nothing.
headers=$prefix/include/navro-headers
headers_key="headers $(dpkg-query -W -f='${Version} ' libglm-dev libstb-dev libminiaudio-dev)"
if ! current headers "$headers_key" || [ ! -d "$headers" ]; then
  rm -rf "$headers" && mkdir -p "$headers"
  cp -pR /usr/include/glm "$headers/glm"
  cp -p /usr/include/stb/stb_image.h /usr/include/miniaudio.h "$headers/"
  stamp headers "$headers_key"
fi
echo "web-libraries: ready in $prefix"
