#!/usr/bin/env bash
# Sets up, builds every test with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs them all headless. Any sanitizer report fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" "$root/build-tests" -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON -DQUILLON_TESTS=ON

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$root/build-tests"
ctest --output-on-failure -j"$(nproc)"

# The web page in a real browser, where scripts/web.sh has built it and
# Chromium is installed; elsewhere (as on a fresh CI machine) it is skipped.
if [ -f "$root/build/web/index.html" ] && [ -f "$root/build/demo/lua.dat" ] &&
   command -v chromium >/dev/null && command -v node >/dev/null; then
  node "$root/tests/web/browser_test.js" "$root/build-tests/tools/quillon-play" "$root/build/demo" \
    "$root/games/demo/playthrough.replay" "$root/build/web"
else
  echo "web: skipped (needs build/web from scripts/web.sh, the packed demo in build/demo, chromium and node)"
fi
