#!/usr/bin/env bash
# Builds the benchmarks in a Release tree (build-bench/) and runs them headless.
# Prints every figure, then the ratios of the frame benchmarks. Extra arguments
# go to Google Benchmark (e.g. --benchmark_filter=Frame).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DQUILLON_BENCH=ON -DQUILLON_TESTS=OFF >/dev/null
cmake --build "$root/build-bench" -j2 --target quillon_bench >/dev/null
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
exec "$root/build-bench/bench/quillon_bench" "$@"
