#!/usr/bin/env bash
# The web page's figures (docs/performance.md): the download size of the demo's
# page as a web server sends it (gzip), the time from opening it to its first
# frame, and the frames a second of the demo and of the reference scene in
# headless Chromium. Run by hand after scripts/web.sh: bash bench/web_figures.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-10}
bash "$root/scripts/web.sh" >/dev/null
total=0
for file in "$root"/build/web/*; do
  size=$(gzip -6 -c "$file" | wc -c)
  total=$((total + size))
  printf '%-14s %9d bytes, %9d gzipped\n' "$(basename "$file")" "$(stat -c %s "$file")" "$size"
done
printf 'the demo page: %d bytes gzipped (%.2f MB)\n' "$total" "$(echo "$total / 1048576" | bc -l)"
echo "the demo (its limit of 60):"
node "$root/bench/web_figures.js" "$root/build/web" "$seconds"
echo "the demo with no frame limit (?fps=1000):"
node "$root/bench/web_figures.js" "$root/build/web" "$seconds" fps=1000

cmake -S "$root" -B "$root/build" -DQUILLON_BENCH=ON >/dev/null
cmake --build "$root/build" -j2 --target quillon-window-run >/dev/null
scene=$(mktemp -d)
trap 'rm -rf "$scene"' EXIT
for depth in 24 32; do
  rm -rf "${scene:?}"/*
  "$root/build/bench/quillon-window-run" write "$depth" "$scene"
  bash "$root/scripts/web.sh" "$scene" "$root/build/web-reference" >/dev/null
  echo "the reference scene at $depth bits, no frame limit:"
  node "$root/bench/web_figures.js" "$root/build/web-reference" "$seconds"
done
