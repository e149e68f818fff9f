#!/usr/bin/env bash
# Builds the release and writes dist/navro_<version>_<arch>.deb: the game installed the way
# Debian installs games (packaging/CMakeLists.txt), its Depends read from the game's shared
# libraries by dpkg-shlibdeps. Installs what it needs first, then shows lintian's verdict.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/bootstrap.sh

SUDO=""
if [ "$(id -u)" != "0" ]; then SUDO="sudo"; fi
# CPack reads executables' types with file; lintian checks the package.
missing=()
for p in dpkg-dev file lintian; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "package: installing ${missing[*]}"
  $SUDO apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

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
(cd build/package && cpack -G DEB > cpack.log) || { cat build/package/cpack.log >&2; exit 1; }

mkdir -p dist
rm -f dist/navro_*.deb
mv build/package/navro_*.deb dist/
deb=$(ls dist/navro_*.deb)
echo "package: wrote $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends

# Errors fail the build; warnings and notes are shown.
echo "package: lintian says:"
lintian --display-info --fail-on error "$deb" || { echo "package: lintian found errors" >&2; exit 1; }
echo "package: install it with: sudo apt install ./$deb"
