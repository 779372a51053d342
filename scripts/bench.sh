#!/usr/bin/env bash
# Builds the benchmarks in Release, runs the whole suite once (nine interleaved repetitions, the
# least CPU time of each), counts the gate decisions' and the load's instructions under callgrind, and has
# scripts/bench_report.py print the ratios against their baselines and targets and write them,
# with the machine they ran on, into docs/benchmarks.md between its "bench:begin" and "bench:end"
# markers.
# Run by hand, on a quiet machine for the times; CI never runs it. Needs valgrind.
#   QW_BENCH_BUILD_DIR=<dir>  builds there instead of build-bench
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
build_dir="${QW_BENCH_BUILD_DIR:-$root/build-bench}"

cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQW_BUILD_BENCHMARKS=ON \
  -DQW_BUILD_TESTS=OFF -DQW_BUILD_TOOLS=OFF >/dev/null
cmake --build "$build_dir" -j 2 --target quellwarden_bench quellwarden_gate_instructions \
  quellwarden_load_instructions

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
# Once more with player notices on, to show what they cost a refusal and nothing else.
count_instructions "$build_dir/instructions-notices" \
  "$build_dir/bin/quellwarden_gate_instructions" 4000 notices
# One load of the large file against parsing it alone.
count_instructions "$build_dir/instructions-load" "$build_dir/bin/quellwarden_load_instructions"

compiler="$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$build_dir/CMakeCache.txt")"
export QW_BENCH_CPU="$(lscpu | sed -n 's/^Model name:[[:space:]]*//p' | head -n 1)"
export QW_BENCH_CORES="$(nproc)"
export QW_BENCH_DATE="$(date -u '+%Y-%m-%d %H:%M UTC')"
export QW_BENCH_COMPILER="$("$compiler" --version | head -n 1)"

python3 "$root/scripts/bench_report.py" "$root/docs/benchmarks.md" \
  --times "$build_dir/benchmarks-calls.json" "$build_dir/benchmarks-load.json" \
  --instructions "$instructions_dir" --instructions-notices "$build_dir/instructions-notices" \
  --instructions-load "$build_dir/instructions-load"
