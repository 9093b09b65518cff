#!/usr/bin/env bash
# Builds the release configuration with the benchmarks and runs every benchmark, offscreen; ends
# with a table of the results and one of the performance goals. Takes several minutes.
#   scripts/bench.sh                                  everything
#   scripts/bench.sh --benchmark_filter='core|conv'   a subset (arguments go to the benchmark)
#   BENCH_BUILD_DIR=build/mine scripts/bench.sh       another build directory (build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build=${BENCH_BUILD_DIR:-build/release}
cmake --preset release -B "$build" >/dev/null
cmake --build "$build" -j2 --target volunde_bench
QT_QPA_PLATFORM=offscreen "$build/bench/volunde_bench" "$@"
