#!/usr/bin/env bash
# Builds the release and writes dist/navro_<version>_<arch>.deb: the game installed the way
# Debian installs games (packaging/CMakeLists.txt), its Depends read from the game's shared
# libraries by dpkg-shlibdeps. Installs what it needs first, then shows lintian's verdict.
set -euo pipefail
cd "$(dirname "$0")/.."

# The bootstrap also installs what packs and checks the .deb: dpkg-dev, file (CPack reads
# executables' types with it) and lintian.
bash tools/bootstrap.sh
source tools/release_packing.bash
# The linker and CPack stamp what they write with this time rather than the clock's.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(release_epoch .)}
export SOURCE_DATE_EPOCH

# Built with the hardening and optimisation flags Debian builds its own packages with, all
# hardening on. CMake reads them at the first configure only, hence the fresh build folder.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
CFLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CFLAGS CXXFLAGS LDFLAGS
rm -rf build/package
cmake --preset package > /dev/null
cmake --build --preset package

# Packed the way every release is (tools/release_packing.bash), every time stamp the commit's.
mkdir -p dist
rm -f dist/navro_*.deb
deb=$(pack_deb build/package dist)
deb=${deb#"$PWD/"}
echo "package: wrote $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends

# Errors fail the build; warnings and notes are shown.
echo "package: lintian says:"
lintian --display-info --fail-on error "$deb" || { echo "package: lintian found errors" >&2; exit 1; }
echo "package: install it with: sudo apt install ./$deb"
