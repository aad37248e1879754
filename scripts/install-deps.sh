#!/usr/bin/env bash
# Installs, as root on Debian 12, everything the build, the tests and the run command need.
# Only 64-bit Wine: this kernel runs no 32-bit code, so wine32 and the i386 architecture stay out.
set -euo pipefail
packages=(cmake ninja-build make g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-x86-64-dev mingw-w64-i686-dev
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 googletest wine wine64 xvfb xauth imagemagick
  xdotool icoutils python3 clang-format fonts-wine)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
