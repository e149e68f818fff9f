#!/usr/bin/env bash
# Installs what the Windows build and its tests need on top of tools/bootstrap.sh: the MinGW-w64
# cross compilers (posix thread model), Wine with the X and GL libraries it loads (recommends are
# off), the tools that fetch and unpack Debian's sources, GoogleTest's sources and zip.
# Idempotent: when every package is present it only checks and returns.
set -euo pipefail

SUDO=""
if [ "$(id -u)" != "0" ]; then SUDO="sudo"; fi

PACKAGES=(
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64
  # what Wine's X and OpenGL drivers open at run time
  libgl1 libglx-mesa0 libgl1-mesa-dri libx11-6 libxext6 libxrender1 libxrandr2 libxi6
  libxcursor1 libxfixes3 libxinerama1 libxcomposite1 libxxf86vm1
  # apt-get source unpacks with dpkg-source; the sources come as xz tarballs
  dpkg-dev xz-utils
  googletest zip unzip
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "bootstrap-windows: installing ${missing[*]}"
  $SUDO apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
