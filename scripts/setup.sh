#!/usr/bin/env bash
# Installs the Debian packages Quillon needs, when any is missing.
# Runs as root, or through sudo. With --web also what the web page needs:
# emcc (Debian's emscripten), apt-get source (dpkg-dev) for the libraries'
# sources, and Chromium, in which the tests play the page.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libsdl1.2-dev libsdl-mixer1.2-dev libvorbis-dev liblua5.1-0-dev
  libgtest-dev libbenchmark-dev
  libfreetype-dev fonts-dejavu-core
  xvfb xdotool libx11-dev valgrind
)
[ "${1:-}" = --web ] && packages+=(emscripten dpkg-dev chromium)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "${missing[@]}"
