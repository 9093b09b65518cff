#!/usr/bin/env bash
# Runs clang-tidy with the project's checks over every source file of the product.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/debug}
files=$(git ls-files 'platform/*.cpp' 'geometry/*.cpp' 'app/*.cpp' 2>/dev/null ||
        find platform geometry app -name '*.cpp')
log=$(mktemp)
# shellcheck disable=SC2086
if ! run-clang-tidy -quiet -p "$build" -j 2 $files >"$log" 2>&1; then
  grep -v -E '^(clang-tidy|[0-9]+ warnings generated)' "$log" | head -60
  rm -f "$log"
  echo "clang-tidy found problems" >&2
  exit 1
fi
rm -f "$log"
echo "clang-tidy: no findings"
