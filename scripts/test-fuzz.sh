#!/usr/bin/env bash
# Builds the libFuzzer harnesses in the sanitizer build (the "sanitize" preset: clang,
# AddressSanitizer and UBSan, shared with scripts/test-sanitizers.sh, so after it nothing is left
# to build) and runs each for a bounded time on a scratch copy of its seed corpus, so the committed
# corpus never grows. A crash fails the run and leaves its input under <build>/fuzz-artifacts/ for
# a regression test.
#   QW_FUZZ_SECONDS=<n>          time per harness (default 30)
#   QW_SANITIZE_BUILD_DIR=<dir>  builds there instead of the preset's build-sanitize
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

seconds="${QW_FUZZ_SECONDS:-30}"
build_dir="${QW_SANITIZE_BUILD_DIR:-$root/build-sanitize}"
fuzzers=(config_loader rcon_reader)
# The stand-in's allocator keeps books on every block, so per-input leak checks would fire on
# its bookkeeping; the harness checks the game's allocator itself and LeakSanitizer runs at exit.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

cmake --preset sanitize -B "$build_dir" >/dev/null
cmake --build "$build_dir" -j 2 --target "${fuzzers[@]/%/_fuzzer}"

artifacts="$build_dir/fuzz-artifacts"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$artifacts"

for name in "${fuzzers[@]}"; do
  echo "== ${name}_fuzzer for ${seconds}s"
  cp -r "$root/fuzz/corpus/$name" "$scratch/$name"
  # Paths are absolute: the configuration harness works in a directory of its own.
  status=0
  "$build_dir/bin/${name}_fuzzer" -max_total_time="$seconds" -timeout=20 -max_len=16384 \
    -detect_leaks=0 -print_final_stats=1 -artifact_prefix="$artifacts/${name}-" \
    "$scratch/$name" >"$scratch/$name.log" 2>&1 || status=$?
  noise='^(INFO:|"|###|[[:space:]]+NEW_FUNC|#[0-9]+[[:space:]]+(NEW|REDUCE|pulse))'
  grep -Ev "$noise" "$scratch/$name.log" || true
  if [[ $status -ne 0 ]]; then
    echo "test-fuzz: ${name}_fuzzer failed (exit $status); inputs in $artifacts" >&2
    exit 1
  fi
done
echo "fuzzing passed"
