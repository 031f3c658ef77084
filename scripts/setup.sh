#!/usr/bin/env bash
# Installs what building and testing need on Debian 12; idempotent.
set -euo pipefail

packages=(
  cmake ninja-build git python3 python3-fonttools fonts-noto-core
  g++ googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev clang-format-14
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-win32 gcc-12-source make bzip2
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine64 wine fonts-wine xvfb xauth x11-utils xdotool imagemagick
  cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils
  libharfbuzz-bin zip unzip procps xclip python3-xlib myspell-fa
  pandoc abiword libfribidi-bin
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
