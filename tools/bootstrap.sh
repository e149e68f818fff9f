#!/usr/bin/env bash
# Installs everything the build, the game and the tests need on a fresh Debian 12 machine.
# Idempotent: when every package is present it only checks and returns.
set -euo pipefail

SUDO=""
if [ "$(id -u)" != "0" ]; then SUDO="sudo"; fi

PACKAGES=(
  build-essential clang libclang-rt-14-dev cmake ninja-build pkg-config git
  libglfw3-dev libglm-dev libstb-dev libfreetype-dev zlib1g-dev python3-glad
  libgtest-dev libbenchmark-dev
  xvfb xauth x11-utils libgl1-mesa-dri libglx-mesa0 mesa-utils
  xdotool imagemagick fonts-dejavu-core
  # the install tests' validators, and what builds and checks the .deb
  desktop-file-utils appstream dpkg-dev file lintian
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "bootstrap: installing ${missing[*]}"
  $SUDO apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# miniaudio is packaged only in the next Debian release. It is a single architecture-independent
# header, so we take that one package from the "trixie" suite of the mirror this machine already
# uses, without adding the suite to the system's sources.
if ! dpkg-query -W -f='${Status}' libminiaudio-dev 2>/dev/null | grep -q "install ok installed"; then
  uri=""
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    uri=$(awk '/^URIs:/ { for (i = 2; i <= NF; i++) if ($i !~ /security/) { print $i; exit } }' "$f")
    [ -n "$uri" ] && break
  done
  if [ -z "$uri" ] && [ -f /etc/apt/sources.list ]; then
    uri=$(awk '$1 == "deb" && $0 !~ /security/ { for (i = 2; i <= NF; i++) if ($i ~ /^(http|https|ftp|file):/) { print $i; exit } }' /etc/apt/sources.list)
  fi
  if [ -z "$uri" ]; then
    echo "bootstrap: no Debian mirror found in the apt sources; cannot fetch libminiaudio-dev" >&2
    exit 1
  fi
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
