#!/usr/bin/env bash
# The whole test suite built with clang's AddressSanitizer and UndefinedBehaviorSanitizer (the
# "sanitize" preset, which builds the libFuzzer harnesses too, for scripts/test-fuzz.sh). Any
# report fails the run: UBSan does not recover, LeakSanitizer checks at exit.
#   QW_SANITIZE_BUILD_DIR=<dir> builds there instead of the preset's build-sanitize.
set -euo pipefail
cd "$(dirname "$0")/.."

asan_defaults=detect_leaks=1:strict_init_order=1:detect_stack_use_after_return=1
export ASAN_OPTIONS="${ASAN_OPTIONS:-$asan_defaults}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

if [[ -n "${QW_SANITIZE_BUILD_DIR:-}" ]]; then
  cmake --preset sanitize -B "$QW_SANITIZE_BUILD_DIR"
  cmake --build "$QW_SANITIZE_BUILD_DIR" -j 2
  ctest --test-dir "$QW_SANITIZE_BUILD_DIR" -j 2 --timeout 600 --output-on-failure
else
  cmake --preset sanitize
  cmake --build --preset sanitize
  ctest --preset sanitize
fi
