#!/usr/bin/env bash
# Mutation testing, run by hand: plants each fault of scripts/mutants.list in
# turn into a plain (non-sanitized) build in build-mutants/, rebuilds, runs the
# test binary and reports the test that caught it, or SURVIVED. The sources are
# put back after every mutant, and also when the run is interrupted.
#
#   bash scripts/mutants.sh [NUMBER...]     (no numbers: every mutant)
#
# MUTANTS_LIST picks another list, MUTANT_TIMEOUT the seconds a test run may
# take (a run that takes longer counts as caught: the fault hangs the engine).
# MUTANT_BUILD reuses a build folder that is already configured with the tests
# (a Debug one is fine), MUTANT_FILTER runs only the tests of that gtest filter:
# quicker checks while reshaping, not a score (the report says so).
#
# A mutant the compiler rejects is counted apart: it says nothing of the tests.
# A failing test is run once more on the same mutant before it counts as the
# catch, so a test that fails by chance cannot make the score. The exit status
# is 1 when a mutant survived or no longer applies, else 0.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
list=${MUTANTS_LIST:-$root/scripts/mutants.list}
build=${MUTANT_BUILD:-$root/build-mutants}
filter=${MUTANT_FILTER:-*}
limit=${MUTANT_TIMEOUT:-300}
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

# The list as numbered records "number<TAB>file<TAB>xoriginal<TAB>xreplacement<TAB>xnote"
# (tabs and backslashes inside the texts are escaped; each text starts with an
# x that the reader drops, so that an empty one is still a field: read folds
# neighbouring tabs into one).
records() {
  python3 - "$list" <<'PY'
import sys
def esc(s): return s.replace("\\", "\\\\").replace("\t", "\\t")
number, block = 0, {}
def flush():
    global number, block
    if "file" in block:
        number += 1
        print("\t".join([str(number), block["file"], "x" + esc(block.get("old", "")),
                         "x" + esc(block.get("new", "")), "x" + esc(block.get("note", ""))]))
    block = {}
for line in open(sys.argv[1], encoding="utf-8").read().split("\n") + [""]:
    if line.strip() == "":
        flush()
    elif line.startswith("#"):
        continue
    elif line.startswith("@"):
        block["file"] = line[1:].strip()
    elif line.startswith("-"):
        block["old"] = line[2:]
    elif line.startswith("+"):
        block["new"] = line[2:]
    elif line.startswith("="):
        block["note"] = line[2:]
PY
}

# Replaces the one occurrence of old by new in file; status 3 when old is not
# there exactly once.
plant() {
  python3 - "$1" "$2" "$3" <<'PY'
import re, sys
def unesc(s): return re.sub(r"\\(.)", lambda m: "\t" if m.group(1) == "t" else m.group(1), s)
path, old, new = sys.argv[1], unesc(sys.argv[2]), unesc(sys.argv[3])
try:
    text = open(path, encoding="utf-8").read()
except OSError:
    sys.exit(3)
if old == "" or text.count(old) != 1:
    sys.exit(3)
open(path, "w", encoding="utf-8").write(text.replace(old, new))
PY
}

backup=""
planted=""
restore() {
  if [ -n "$planted" ]; then
    cp "$backup" "$planted" && touch "$planted"  # a new time stamp: the next build recompiles it
    planted=""
  fi
}
trap 'restore; exit 130' INT TERM
trap restore EXIT

# The first build makes everything the tests read (the demo's packs too); a
# mutant rebuilds only the test binary and the tools it runs.
build_all() { cmake --build "$build" -j2 "$@" >"$build/mutant-build.log" 2>&1; }

# Runs the test binary; prints the first failed test, "crashed in TEST" or nothing.
run_tests() {
  (cd "$build/tests" && timeout "$limit" ./quillon_tests --gtest_fail_fast --gtest_filter="$filter" >"$build/mutant-test.log" 2>&1)
  local status=$?
  [ $status -eq 0 ] && return 0
  [ $status -eq 124 ] && { echo "TIMEOUT after ${limit}s (counted as caught)"; return 1; }
  local failed
  failed=$(grep -m1 -oE '^\[  FAILED  \] [A-Za-z0-9_/.]+' "$build/mutant-test.log" | cut -c14-)
  if [ -n "$failed" ]; then
    echo "$failed"
  else
    echo "crashed in $(grep -oE '^\[ RUN      \] [A-Za-z0-9_/.]+' "$build/mutant-test.log" | tail -1 | cut -c14-)"
  fi
  return 1
}

mkdir -p "$build"
backup=$build/original-source
if [ -z "${MUTANT_BUILD:-}" ]; then
  # With ccache, putting a file back costs no compile: its objects come from
  # the cache (in the build folder), so only the mutant itself is compiled.
  launcher=()
  if command -v ccache >/dev/null; then
    export CCACHE_DIR=$build/ccache CCACHE_MAXSIZE=4G
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  else
    echo "(no ccache: every mutant also recompiles what it put back; apt-get install ccache halves a run)"
  fi
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUILLON_TESTS=ON "${launcher[@]}" >/dev/null || exit 1
fi
echo "Building the unchanged sources in $build ..."
build_all || { echo "the unchanged sources do not build: see $build/mutant-build.log"; exit 1; }
if ! run_tests >/dev/null; then
  echo "the unchanged sources fail their tests: see $build/mutant-test.log"
  exit 1
fi

report=$build/report.txt
: >"$report"
caught=0 rejected=0 survived=0 equivalent=0 skipped=0 flaky=0 total=0
if [ "$filter" != "*" ]; then
  echo "FILTERED: only the tests matching $filter run, so this is no score" | tee -a "$report"
fi
while IFS=$'\t' read -r number file old new note; do
  old=${old#x} new=${new#x} note=${note#x}
  if [ $# -gt 0 ] && ! printf ' %s ' "$@" | grep -q " $number "; then continue; fi
  total=$((total + 1))
  cp "$root/$file" "$backup" 2>/dev/null
  if ! plant "$root/$file" "$old" "$new"; then
    result="NOT APPLICABLE: the original text is not (or not exactly once) in $file"
    skipped=$((skipped + 1))
  else
    planted=$root/$file
    start=$(date +%s)
    if ! build_all --target quillon_tests; then
      result="rejected by the compiler (not counted as caught)"
      rejected=$((rejected + 1))
    elif result=$(run_tests); then
      if [ -n "$note" ]; then
        result="equivalent, not caught: $note"
        equivalent=$((equivalent + 1))
      else
        result="SURVIVED"
        survived=$((survived + 1))
      fi
    elif again=$(run_tests); then
      result="FLAKY: $result failed once, then the whole run passed"
      flaky=$((flaky + 1))
      survived=$((survived + 1))
    else
      [ "$again" = "$result" ] || result="$result, then $again"
      caught=$((caught + 1))
    fi
    restore
    result="$result  [$(($(date +%s) - start)) s]"
  fi
  line=$(printf '%3s  %-34s %s' "$number" "$file" "$result")
  echo "$line" | tee -a "$report"
  if [[ $result == NOT\ APPLICABLE* ]]; then
    echo "!!! mutant $number no longer applies: retarget it in $list" | tee -a "$report" >&2
  fi
done < <(records)
build_all  # leave the folder built from the real sources
summary="caught $caught, survived $survived (flaky $flaky), equivalent $equivalent, rejected by the compiler $rejected"
summary="$summary, not applicable $skipped, of $total mutants"
[ "$filter" != "*" ] && summary="$summary (FILTERED: $filter)"
echo "$summary" | tee -a "$report"
[ "$survived" -eq 0 ] && [ "$skipped" -eq 0 ]
