#!/usr/bin/env bash
# Sets up, builds every test with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs them all headless. Any sanitizer report fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh" --web
bash "$root/scripts/build.sh" "$root/build-tests" -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON -DQUILLON_TESTS=ON

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$root/build-tests"
# Twice as many processes as cores: much of the suite waits on SDL's audio
# device and the X server rather than computing.
ctest --output-on-failure -j"$(( $(nproc) * 2 ))"

# The web page in a real browser: the packed demo the tests built, made into
# a page and played from its replay in headless Chromium, compared with the
# native run. PLAY_WEB=0 leaves it out (it needs the web tools, which setup
# installs, and builds the web libraries once, which takes a while).
if [ "${PLAY_WEB:-1}" != 0 ]; then
  bash "$root/scripts/web.sh" "$root/build-tests/demo" "$root/build/web"
  node "$root/tests/web/browser_test.js" "$root/build-tests/tools/quillon-play" "$root/build-tests/demo" \
    "$root/games/demo/playthrough.replay" "$root/build/web"
fi
