#!/usr/bin/env bash
# Installs everything the build, the game and the tests need on Debian 12 or 13, choosing each
# package by what the running release offers rather than by a fixed version. Idempotent: when
# every package is present it only checks and returns.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/apt_mirror.bash

SUDO=""
if [ "$(id -u)" != "0" ]; then SUDO="sudo"; fi

# shellcheck disable=SC1091
. /etc/os-release
echo "bootstrap: ${PRETTY_NAME:-an unknown system}"

PACKAGES=(
  build-essential clang cmake ninja-build pkg-config git
  libglfw3-dev libglm-dev libstb-dev libfreetype-dev zlib1g-dev python3-glad
  libgtest-dev libbenchmark-dev
  xvfb xauth x11-utils libgl1-mesa-dri libglx-mesa0 mesa-utils
  xdotool imagemagick fonts-dejavu-core
  # the install tests' validators, and what builds and checks the .deb
  desktop-file-utils appstream dpkg-dev file lintian
  # the web edition: the release's Emscripten (3.1.6 on Debian 12, 3.1.69 on 13) and the Node.js
  # it runs on; FreeType's source for it, unpacked by dpkg-source from xz tarballs; its zip; and
  # its tests, which play the page in headless Chromium through WebDriver and read its pictures
  emscripten nodejs xz-utils zip chromium chromium-driver python3-selenium python3-pil
  # the release's reproducibility checks: a faked clock, and another locale compiled on the spot
  faketime locales
)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
updated=""
install_missing() {
  local missing=() p
  for p in "$@"; do installed "$p" || missing+=("$p"); done
  [ "${#missing[@]}" -gt 0 ] || return 0
  echo "bootstrap: installing ${missing[*]}"
  if [ -z "$updated" ]; then
    $SUDO apt-get update -qq
    updated=yes
  fi
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
# True when the release's own archive has the package (the package lists may need a refresh on a
# brand-new root, whose lists are empty).
release_has() {
  if [ -z "$(apt-cache policy "$1" 2>/dev/null | awk '/Candidate:/ { print $2 }' | grep -v '(none)')" ] \
    && [ -z "$updated" ]; then
    $SUDO apt-get update -qq
    updated=yes
  fi
  apt-cache policy "$1" 2>/dev/null | awk '/Candidate:/ { print $2 }' | grep -qv '(none)'
}

install_missing "${PACKAGES[@]}"

# The sanitizer and fuzzing runtimes must match the installed clang: 14 on Debian 12, 19 on 13;
# its llvm package brings the symbolizer that puts function names and lines in their reports.
clang_major=$(clang -dumpversion | cut -d. -f1)
install_missing "libclang-rt-$clang_major-dev" "llvm-$clang_major"

# miniaudio is one architecture-independent header. A release that packages it (13 on) installs
# its own; on 12 that one package comes from the "trixie" suite of the mirror this machine
# already uses, without adding the suite to the system's sources.
if ! installed libminiaudio-dev; then
  if release_has libminiaudio-dev; then
    install_missing libminiaudio-dev
  else
    uri=$(apt_mirror) || {
      echo "bootstrap: no Debian mirror found in the apt sources; cannot fetch libminiaudio-dev" >&2
      exit 1
    }
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    mkdir -p "$work/lists/partial" "$work/archives/partial"
    echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $uri trixie main" > "$work/sources.list"
    opts=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=-"
          -o "Dir::State::Lists=$work/lists" -o "APT::Get::List-Cleanup=0"
          -o "Acquire::Languages=none" -o "APT::Sandbox::User=root" -o "Acquire::IndexTargets::deb::Contents-deb::DefaultEnabled=false")
    echo "bootstrap: fetching libminiaudio-dev from the trixie suite"
    apt-get "${opts[@]}" update -qq
    (cd "$work" && apt-get "${opts[@]}" download libminiaudio-dev)
    $SUDO dpkg -i "$work"/libminiaudio-dev_*.deb
  fi
fi
