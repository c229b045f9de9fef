#!/usr/bin/env bash
# Sets up, builds and runs the game: in a window when there is a display,
# otherwise headless with SDL's dummy drivers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_TESTS=OFF

game="$root/games/sample"
if [ -z "${DISPLAY:-}" ] && [ -z "${SDL_VIDEODRIVER:-}" ]; then
  echo "No display found: running the game headless (SDL_VIDEODRIVER=dummy)."
  export SDL_VIDEODRIVER=dummy
fi
if [ ! -e /dev/snd ] && [ -z "${SDL_AUDIODRIVER:-}" ]; then
  echo "No sound device found: running without sound (SDL_AUDIODRIVER=dummy)."
  export SDL_AUDIODRIVER=dummy
fi
cd "$game"
exec "$root/build/quillon"
