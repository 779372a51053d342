#!/usr/bin/env bash
# The whole test suite, from a fresh machine: packages, formatting, build, unit and end-to-end
# tests, then the sanitizer build, bounded fuzzing, valgrind, and the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

run_stage() {
  local stage=$1
  # A stage that went missing would otherwise pass by not running.
  if [[ ! -f "$stage" ]]; then
    echo "test: stage $stage is missing" >&2
    exit 1
  fi
  echo "== $stage"
  bash "$stage"
}

bash scripts/setup.sh --all
run_stage scripts/check-format.sh

cmake --preset default
cmake --build --preset default
ctest --preset default

for stage in scripts/test-sanitizers.sh scripts/test-valgrind.sh scripts/test-fuzz.sh \
             scripts/test-windows.sh; do
  run_stage "$stage"
done
echo "all test stages passed"
