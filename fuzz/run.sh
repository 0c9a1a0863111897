#!/usr/bin/env bash
# Builds the fuzz targets with clang in build/fuzz and runs each for SECONDS
# (default 10) on a copy of its seed corpus; fails when any target finds a
# crash, a hang of more than a second or a sanitizer report.
#
#   fuzz/run.sh [SECONDS] [TARGET...]     e.g. fuzz/run.sh 600 adif settings
#
# Findings land in build/fuzz/findings/<target>/; the corpus in the tree
# stays as it is (new inputs go into build/fuzz/corpus/<target>/).
# VESK_FUZZ_JOBS (default 2) targets run at the same time, niced;
# VESK_FUZZ_RUNS=N ends each target after N inputs (SECONDS still caps it).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
shift || true
build=build/fuzz
jobs=${VESK_FUZZ_JOBS:-2}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DVESK_FUZZ=ON -DVESK_BUILD_TESTS=OFF >/dev/null
nice -n 19 cmake --build "$build" -j2 --target fuzz_all

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for source in fuzz/fuzz_*.cpp; do
    name=$(basename "$source" .cpp)
    targets+=("${name#fuzz_}")
  done
fi

# No allocation stacks: they cost most of the time of a run. A finding is
# replayed with the default options for the full report.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:malloc_context_size=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

run_one() {
  local target=$1 corpus="$build/corpus/$1" findings="$build/findings/$1" options=()
  rm -rf "$corpus" "$findings" && mkdir -p "$corpus" "$findings"
  cp fuzz/corpus/"$target"/* "$corpus"/
  [ -f "fuzz/$target.dict" ] && options+=(-dict="fuzz/$target.dict")
  [ -n "${VESK_FUZZ_RUNS:-}" ] && options+=(-runs="$VESK_FUZZ_RUNS")
  # Texts a user types or a program writes are short; a database needs blocks.
  if [ "$target" = callbook ]; then options+=(-max_len=16384); else options+=(-max_len=2048); fi
  nice -n 19 "$build/bin/fuzz_$target" "$corpus" "${options[@]}" -max_total_time="$seconds" -timeout=1 \
    -rss_limit_mb=2048 -artifact_prefix="$findings/" -print_final_stats=1 >"$build/findings/$target.log" 2>&1
}

failed=()
declare -A running=() # pid -> target
for target in "${targets[@]}"; do
  [ -d "fuzz/corpus/$target" ] || { echo "unbekanntes Ziel: $target" >&2; exit 2; }
done
for target in "${targets[@]}"; do
  while [ ${#running[@]} -ge "$jobs" ]; do
    done_pid=""
    wait -n -p done_pid "${!running[@]}" || failed+=("${running[$done_pid]}")
    unset "running[$done_pid]"
  done
  run_one "$target" &
  running[$!]=$target
done
while [ ${#running[@]} -gt 0 ]; do
  done_pid=""
  wait -n -p done_pid "${!running[@]}" || failed+=("${running[$done_pid]}")
  unset "running[$done_pid]"
done

for target in "${targets[@]}"; do
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/findings/$target.log" | grep -o '[0-9]*$' || echo "?")
  speed=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$build/findings/$target.log" | grep -o '[0-9]*$' || echo "?")
  printf '%-14s %10s runs %8s/s\n' "$target" "$runs" "$speed"
done
if [ ${#failed[@]} -gt 0 ]; then
  for target in "${failed[@]}"; do
    echo "== $target: $build/findings/$target.log" >&2
    tail -n 40 "$build/findings/$target.log" >&2
  done
  exit 1
fi
