#!/usr/bin/env bash
# Sets up, builds and runs the demo adventure: in a window as large as fits
# the screen when there is a display, otherwise played headless from its
# replay by quillon-play.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_TESTS=OFF

game="$root/build/demo"
if [ -n "${DISPLAY:-}" ]; then
  if [ ! -e /dev/snd ] && [ -z "${SDL_AUDIODRIVER:-}" ]; then
    echo "No sound device found: playing without sound (SDL_AUDIODRIVER=dummy)."
    export SDL_AUDIODRIVER=dummy
  fi
  cd "$game"
  exec "$root/build/quillon" --scale auto
fi

shots="$root/build/demo-screenshots"
echo "No display found: playing the demo headless from games/demo/playthrough.replay with quillon-play."
"$root/build/tools/quillon-play" "$game" --replay "$root/games/demo/playthrough.replay" --screenshots "$shots" --quiet
echo "Screenshots of the play (BMP) are in $shots"
