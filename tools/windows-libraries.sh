#!/usr/bin/env bash
# Builds, once, what the Windows build links, into build/windows-cache/prefix: GLFW and FreeType
# from Debian's own source packages and GoogleTest from the sources Debian ships, all static and
# built with the game's toolchain file; beside them the same glm, stb and miniaudio headers the
# Linux build uses, alone in their folder (never /usr/include, which would bring glibc's headers
# into a Windows build). Also makes the Wine prefix the tests run in. Each piece is rebuilt only
# when its stamp (source version and compiler) changes, so a second run takes seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/debian_source.bash
bash tools/bootstrap-windows.sh

root=$PWD
cache=$root/build/windows-cache
prefix=$cache/prefix
toolchain=$root/packaging/windows/mingw-w64-x86_64.cmake
# The build folders are mapped out of the objects (cross_build): a cache from before is rebuilt.
compiler="$(x86_64-w64-mingw32-g++-posix -dumpversion) paths-mapped"
mkdir -p "$cache" "$prefix"

# A piece is current when its stamp holds the same key.
current() { [ -f "$cache/$1.stamp" ] && [ "$(cat "$cache/$1.stamp")" = "$2" ]; }
stamp() { echo "$2" > "$cache/$1.stamp"; }

cross_build() {  # name source-folder cmake-options...
  local name=$1 src=$2
  shift 2
  rm -rf "$cache/build-$name"
  # Libraries written for older CMake releases warn about it; their warnings are not ours to act on,
  # nor is a C library's silence about the C++ flags. The cache's folder is mapped out of the
  # objects, as the game's release build maps its own (CMakeLists.txt): navro.exe links them and
  # must not depend on where the cache lives.
  cmake -S "$src" -B "$cache/build-$name" -G Ninja -Wno-dev -Wno-deprecated --no-warn-unused-cli \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DCMAKE_C_FLAGS="-ffile-prefix-map=$cache/=" -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$cache/=" \
    -DNAVRO_WINDOWS_PREFIX="$prefix" "$@" > "$cache/build-$name.log"
  cmake --build "$cache/build-$name" >> "$cache/build-$name.log"
  cmake --install "$cache/build-$name" >> "$cache/build-$name.log"
  rm -rf "$cache/build-$name"
}

glfw_key="glfw3 $(dpkg-query -W -f='${Version}' libglfw3-dev) $compiler"
if ! current glfw "$glfw_key"; then
  echo "windows-libraries: GLFW from Debian's source package"
  src=$(fetch_source glfw3 "$cache/apt")
  cross_build glfw "$src" -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF -DGLFW_BUILD_DOCS=OFF
  mkdir -p "$prefix/licences/glfw"
  cp "$src/LICENSE.md" "$prefix/licences/glfw/"
  rm -rf "$cache/apt/glfw3"
  stamp glfw "$glfw_key"
fi

freetype_key="freetype $(dpkg-query -W -f='${Version}' libfreetype-dev) $compiler"
if ! current freetype "$freetype_key"; then
  echo "windows-libraries: FreeType from Debian's source package"
  src=$(fetch_source freetype "$cache/apt")
  # Only what reads the game's TrueType font: no compressed or PNG glyphs, no shaping.
  cross_build freetype "$src" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
  # The licence texts go into the zip.
  mkdir -p "$prefix/licences/freetype"
  cp "$src/LICENSE.TXT" "$src/docs/FTL.TXT" "$src/docs/GPLv2.TXT" "$prefix/licences/freetype/"
  rm -rf "$cache/apt/freetype"
  stamp freetype "$freetype_key"
fi

gtest_key="googletest $(dpkg-query -W -f='${Version}' googletest) $compiler"
if ! current googletest "$gtest_key"; then
  echo "windows-libraries: GoogleTest from /usr/src/googletest"
  cross_build googletest /usr/src/googletest -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON
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

# Wine's prefix: made once (tens of seconds), reused by every test run. The .NET and browser
# engines it would offer to install are not wanted.
wine_key="wine $(dpkg-query -W -f='${Version}' wine64)"
if ! current wineprefix "$wine_key"; then
  echo "windows-libraries: making the Wine prefix"
  rm -rf "$cache/wineprefix"
  WINEPREFIX="$cache/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    wineboot --init > /dev/null 2>&1
  WINEPREFIX="$cache/wineprefix" wineserver -w
  stamp wineprefix "$wine_key"
fi
echo "windows-libraries: ready in $prefix"
