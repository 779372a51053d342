#!/usr/bin/env bash
# Runs every libFuzzer harness for SECONDS each and prints, per harness, the executions, the
# coverage at the end (libFuzzer's cov: edges and ft: features), the longest input it kept and the
# crashes. The harnesses are built in the sanitizer build folder (the "sanitize" preset: clang,
# AddressSanitizer and UBSan, shared with scripts/test-sanitizers.sh) and run on a scratch copy of
# their seed corpus, so the committed corpus never grows. A crash fails the run (after the other
# harnesses had their turn) and leaves its input under <build>/fuzz-artifacts/ for a regression
# test.
#   scripts/fuzz-long.sh SECONDS   (scripts/test-fuzz.sh runs it for 30 s each in CI)
#   QW_SANITIZE_BUILD_DIR=<dir>    builds there instead of the preset's build-sanitize
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

if [[ $# -ne 1 || ! "$1" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/fuzz-long.sh SECONDS (time per harness)" >&2
  exit 2
fi
seconds=$1
build_dir="${QW_SANITIZE_BUILD_DIR:-$root/build-sanitize}"
dictionary="$build_dir/fuzz/config.dict"
# Harness, the corpora it starts from (new inputs go to a scratch copy of the first), its dictionary.
harnesses=(
  "config_loader|config_loader|$dictionary"
  "check_report|check_report config_loader|$dictionary"
  "file_edit|file_edit config_loader|$dictionary"
  "rcon_reader|rcon_reader|"
)
# The stand-in's allocator keeps books on every block, so per-input leak checks would fire on
# its bookkeeping; the harnesses check the game's allocator themselves and LeakSanitizer runs at
# exit.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

targets=()
for harness in "${harnesses[@]}"; do targets+=("${harness%%|*}_fuzzer"); done
cmake --preset sanitize -B "$build_dir" >/dev/null
cmake --build "$build_dir" -j 2 --target "${targets[@]}"

artifacts="$build_dir/fuzz-artifacts"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$artifacts"

# The last value libFuzzer printed for `key` ("cov:", "ft:") in its log.
last_figure() { grep -o "$1 [0-9]*" "$2" | tail -n 1 | cut -d' ' -f2; }

# The longest input libFuzzer kept as new (its "L: <length>/<max_len>"), to show long files are
# tried.
longest_new() { grep -E '^#[0-9]+[[:space:]]+(NEW|REDUCE)' "$1" | grep -o 'L: [0-9]*' |
  cut -d' ' -f2 | sort -n | tail -n 1; }

summary=("$(printf '%-16s %8s %12s %8s %8s %8s %8s' harness seconds executions cov ft longest \
  crashes)")
failed=0
for harness in "${harnesses[@]}"; do
  IFS='|' read -r name corpora dict <<<"$harness"
  read -ra corpus_list <<<"$corpora"
  echo "== ${name}_fuzzer for ${seconds}s"
  cp -r "$root/fuzz/corpus/${corpus_list[0]}" "$scratch/$name"
  seeds=()
  for more in "${corpus_list[@]:1}"; do seeds+=("$root/fuzz/corpus/$more"); done
  # No length control: libFuzzer would grow the length limit slowly from the longest seed, and in
  # a short run never try a long file; with it off it tries up to max_len from the start.
  options=(-max_total_time="$seconds" -timeout=20 -max_len=16384 -len_control=0 -detect_leaks=0
           -print_final_stats=1 -artifact_prefix="$artifacts/$name-")
  [[ -n "$dict" ]] && options+=(-dict="$dict")
  log="$scratch/$name.log"
  before=$(find "$artifacts" -name "$name-*" | wc -l)
  status=0
  # Paths are absolute: the configuration harness works in a directory of its own.
  "$build_dir/bin/${name}_fuzzer" "${options[@]}" "$scratch/$name" "${seeds[@]}" >"$log" 2>&1 ||
    status=$?
  crashes=$(($(find "$artifacts" -name "$name-*" | wc -l) - before))
  if [[ $status -ne 0 ]]; then
    grep -Ev '^(INFO:|#[0-9]+[[:space:]]+(NEW|REDUCE|pulse)|[[:space:]]+NEW_FUNC)' "$log" | tail -n 60
    echo "fuzz-long: ${name}_fuzzer failed (exit $status); inputs in $artifacts" >&2
    ((crashes == 0)) && crashes=1
    failed=1
  fi
  executions=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | cut -d' ' -f2)
  summary+=("$(printf '%-16s %8s %12s %8s %8s %8s %8s' "$name" "$seconds" "${executions:-?}" \
    "$(last_figure cov: "$log")" "$(last_figure ft: "$log")" "$(longest_new "$log")" "$crashes")")
done

printf '%s\n' "${summary[@]}"
if ((failed)); then
  exit 1
fi
echo "fuzzing passed"
