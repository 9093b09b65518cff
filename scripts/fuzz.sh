#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour sanitizers) and runs
# each for a bounded time from its seed corpus in tests/fuzz/corpus/. Fails if a target finds a
# crash, a sanitizer report or a broken property; the failing input is kept in the build folder.
#   FUZZ_SECONDS  run time per target (default 60)
#   FUZZ_BUILD    build folder (default build/fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
build=${FUZZ_BUILD:-build/fuzz}
targets=(fuzz_conversions fuzz_report)

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DVOLUNDE_FUZZ=ON -DVOLUNDE_TESTS=OFF -DVOLUNDE_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$build/artifacts"
# The targets run side by side, one per core.
declare -A pids
for target in "${targets[@]}"; do
  mkdir -p "$work/$target"
  # New inputs go to the scratch corpus; the seeds in the repository are only read.
  "$build/tests/fuzz/$target" "$work/$target" "tests/fuzz/corpus/$target" \
    -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$target-" >"$build/artifacts/$target.log" 2>&1 &
  pids[$target]=$!
done
status=0
total=0
for target in "${targets[@]}"; do
  log="$build/artifacts/$target.log"
  if wait "${pids[$target]}"; then
    result=ok
  else
    result=FAILED
    status=1
    tail -n 40 "$log" >&2
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  runs=${runs:-0}
  total=$((total + runs))
  echo "$target: $result, $runs executions in ${seconds} s"
done
echo "fuzzing: $total executions in all"
exit $status
