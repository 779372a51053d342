#!/usr/bin/env bash
# Builds the benchmarks in Release, counts the gate decisions' and the load's instructions under
# callgrind, runs the whole suite once (nine interleaved repetitions, the least CPU time of each),
# and has scripts/bench_report.py print the ratios against their baselines and targets and write
# them, with the machine they ran on, into docs/benchmarks.md between its "bench:begin" and
# "bench:end" markers.
# Run by hand, on a quiet machine for the times; CI never runs it. Needs valgrind.
#   scripts/bench.sh           the whole suite; rewrites docs/benchmarks.md (minutes)
#   scripts/bench.sh --gates   only the gate decisions' instruction counts, printed, the document
#                              left alone (about a minute once built)
#   QW_BENCH_BUILD_DIR=<dir>   builds there instead of build-bench
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
build_dir="${QW_BENCH_BUILD_DIR:-$root/build-bench}"
gates_only=false
case "${1:-}" in
  "") ;;
  --gates) gates_only=true ;;
  *)
    echo "usage: scripts/bench.sh [--gates]" >&2
    exit 2
    ;;
esac

# Warnings are errors, as in every preset: this is the one -O3 build, where GCC warns more.
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQW_WERROR=ON \
  -DQW_BUILD_BENCHMARKS=ON -DQW_BUILD_TESTS=OFF -DQW_BUILD_TOOLS=OFF >/dev/null
targets=(quellwarden_gate_instructions)
$gates_only || targets+=(quellwarden_bench quellwarden_load_instructions)
cmake --build "$build_dir" -j 2 --target "${targets[@]}"

# Instructions are counted by callgrind, not by the processor's counters: a shared virtual machine
# often offers none (perf says "not supported" here), and callgrind's counts stay the same however
# busy the machine is.
count_instructions() {
  rm -rf "$1"
  mkdir -p "$1"
  valgrind --tool=callgrind --callgrind-out-file="$1/callgrind.out" "${@:2}" >"$1/driver.json" \
    2>"$1/valgrind.log"
}
instructions_dir="$build_dir/instructions"
count_instructions "$instructions_dir" "$build_dir/bin/quellwarden_gate_instructions" 4000
if $gates_only; then
  exec python3 "$root/scripts/bench_report.py" "$root/docs/benchmarks.md" --print-only \
    --instructions "$instructions_dir"
fi
# Once more with the stand-in's books on, as the tests run it: the base the figures stood on.
count_instructions "$build_dir/instructions-books" \
  "$build_dir/bin/quellwarden_gate_instructions" 4000 books
# Once more with player notices on, to show what they cost a refusal and nothing else.
count_instructions "$build_dir/instructions-notices" \
  "$build_dir/bin/quellwarden_gate_instructions" 4000 notices
# One load of the large file against parsing it alone.
count_instructions "$build_dir/instructions-load" "$build_dir/bin/quellwarden_load_instructions"

# Repetitions run interleaved in random order, so a burst of load elsewhere on the machine spreads
# over all benchmarks instead of skewing one of them. The loads run in a process of their own: how
# fast a large document parses depends on the state the heap was left in.
run_suite() {
  "$build_dir/bin/quellwarden_bench" --benchmark_repetitions=9 --benchmark_min_time=0.2 \
    --benchmark_enable_random_interleaving=true --benchmark_display_aggregates_only=true \
    --benchmark_filter="$1" --benchmark_out="$2" --benchmark_out_format=json
}
run_suite '^(gate|find)/' "$build_dir/benchmarks-calls.json"
run_suite '^load/' "$build_dir/benchmarks-load.json"

compiler="$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$build_dir/CMakeCache.txt")"
export QW_BENCH_CPU="$(lscpu | sed -n 's/^Model name:[[:space:]]*//p' | head -n 1)"
export QW_BENCH_CORES="$(nproc)"
export QW_BENCH_DATE="$(date -u '+%Y-%m-%d %H:%M UTC')"
export QW_BENCH_COMPILER="$("$compiler" --version | head -n 1)"

python3 "$root/scripts/bench_report.py" "$root/docs/benchmarks.md" \
  --times "$build_dir/benchmarks-calls.json" "$build_dir/benchmarks-load.json" \
  --instructions "$instructions_dir" --instructions-notices "$build_dir/instructions-notices" \
  --instructions-books "$build_dir/instructions-books" \
  --instructions-load "$build_dir/instructions-load"
