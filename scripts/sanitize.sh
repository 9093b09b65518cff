#!/usr/bin/env bash
# Builds the sanitize preset (AddressSanitizer and UndefinedBehaviorSanitizer) and runs every
# test but the end-to-end ones under it, with LeakSanitizer on: a leak reported at the exit of
# any test fails it. tests/lsan.supp holds the suppressions for memory that Qt's platform
# plugins, fontconfig and the dynamic loader keep for the life of the process.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset sanitize >/dev/null
cmake --build --preset sanitize

# The preset's ASAN_OPTIONS turn leak detection off; LSAN_OPTIONS is read after them and turns
# it back on.
export LSAN_OPTIONS="detect_leaks=1:suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --preset sanitize -E e2e --timeout 600
