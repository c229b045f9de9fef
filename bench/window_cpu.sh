#!/usr/bin/env bash
# What a game costs its player's machine in a real window: starts a virtual
# display (Xvfb), runs the reference scene and the demo's idle first screen in
# a window at 24 and 32 bits with no limit and a limit of 60, each with the
# partial present and with whole presents, then both enlarged in windows of
# scale 2 and 3 (as --scale does) at 24 bits and a limit of 60, and a bare SDL program presenting a
# whole frame 60 times a second as the yardstick. Prints, per run, the game's
# CPU time as per cent of one core (the whole process, and its main thread,
# which runs the frames: the rest is SDL's audio thread), its frames a second,
# and the X server's CPU per cent (it does the other half of every present).
# Run by hand, like scripts/bench.sh: bash bench/window_cpu.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-5}
cmake -S "$root" -B "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DQUILLON_BENCH=ON -DQUILLON_TESTS=OFF >/dev/null
cmake --build "$root/build-bench" -j2 --target quillon-window-run demo >/dev/null
run="$root/build-bench/bench/quillon-window-run"
demo="$root/build-bench/demo-loose"

exec 3< <(Xvfb -displayfd 1 -screen 0 1920x1440x24 -nolisten tcp -noreset 2>/dev/null)
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
read -r -u 3 number
export DISPLAY=":$number" SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
sleep 1

server_ticks() { awk '{print $14 + $15}' "/proc/$xvfb/stat"; }
hz=$(getconf CLK_TCK)

printf '%-24s %5s %4s %5s %-7s %8s %8s %6s %6s\n' scene scale bits limit present "game CPU" "frames" fps "X CPU"
measure() {  # label scale bits limit present args...
  local label=$1 scale=$2 bits=$3 limit=$4 present=$5
  shift 5
  local before after result
  before=$(server_ticks)
  result=$("$run" "$@")
  after=$(server_ticks)
  read -r cpu thread fps <<<"$result"
  local xcpu
  xcpu=$(awk -v t=$((after - before)) -v hz="$hz" -v s="$((seconds + 1))" 'BEGIN { printf "%.1f", 100 * t / hz / s }')
  printf '%-24s %5s %4s %5s %-7s %7s%% %7s%% %6s %5s%%\n' "$label" "$scale" "$bits" "$limit" "$present" "$cpu" "$thread" "$fps" "$xcpu"
}

for bits in 24 32; do
  for limit in 0 60; do
    for present in partial whole; do
      measure "reference scene" 1 "$bits" "${limit/#0/none}" "$present" reference "$bits" "$limit" "$present" "$seconds"
      measure "demo, idle screen" 1 "$bits" "${limit/#0/none}" "$present" demo "$demo" "$bits" "$limit" "$present" "$seconds"
    done
  done
  measure "bare SDL, whole frame" 1 "$bits" 60 whole bare "$bits" 60 whole "$seconds"
done
for scale in 2 3; do
  for present in partial whole; do
    measure "reference scene" "$scale" 24 60 "$present" reference 24 60 "$present" "$seconds" "$scale"
    measure "demo, idle screen" "$scale" 24 60 "$present" demo "$demo" 24 60 "$present" "$seconds" "$scale"
  done
done
