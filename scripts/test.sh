#!/usr/bin/env bash
# The whole test suite, from a fresh machine: packages, build, unit and end-to-end tests, then
# the sanitizer build, bounded fuzzing, valgrind, and the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh --all

cmake --preset default
cmake --build --preset default
ctest --preset default

for stage in scripts/test-sanitizers.sh scripts/test-valgrind.sh scripts/test-fuzz.sh \
             scripts/test-windows.sh; do
  if [[ -x "$stage" ]]; then
    echo "== $stage"
    "$stage"
  fi
done
echo "all test stages passed"
