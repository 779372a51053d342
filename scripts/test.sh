#!/usr/bin/env bash
# The whole test suite, from a fresh machine: packages, formatting, the default build with its unit
# and end-to-end tests, a short soak of the sandbox on that build, the Linux kit packed from it and
# tried outside the build tree, valgrind on it, the sanitizer build with its tests and then bounded
# fuzzing on it, and the Windows build under Wine with its kit. Three configurations, each built
# once.
set -euo pipefail
cd "$(dirname "$0")/.."

times=()
# timed LABEL COMMAND...: runs the command under a heading and notes how long it took.
timed() {
  local label=$1 start=$SECONDS
  shift
  echo "== $label"
  "$@"
  times+=("$(printf '%6ds  %s' $((SECONDS - start)) "$label")")
}

# run_stage SCRIPT [ARGUMENTS...]
run_stage() {
  local stage=$1
  # A stage that went missing would otherwise pass by not running.
  if [[ ! -f "$stage" ]]; then
    echo "test: stage $stage is missing" >&2
    exit 1
  fi
  timed "$*" bash "$@"
}

default_build_and_tests() {
  cmake --preset default
  cmake --build --preset default
  ctest --preset default
}

timed "scripts/setup.sh --all" bash scripts/setup.sh --all
run_stage scripts/check-format.sh
timed "default build and tests" default_build_and_tests
run_stage scripts/soak.sh --short --no-build
run_stage scripts/test-linux-kit.sh
# Valgrind takes the default build; the fuzzers are built with the sanitizer suite.
for stage in scripts/test-valgrind.sh scripts/test-sanitizers.sh scripts/test-fuzz.sh \
             scripts/test-windows.sh; do
  run_stage "$stage"
done

echo "== time per stage"
printf '%s\n' "${times[@]}"
echo "all test stages passed"
