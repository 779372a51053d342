// Times each gate's decision in its four situations against the game's own function alone and
// against the host work that the rules make every decision do.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "bench/gate_decisions.h"
#include "bench/gate_world.h"
#include "core/delay_table.h"
#include "host/fstring.h"
#include "host/platform_calls.h"
#include "standin/standin.h"

namespace {

using bench::Gate;
using bench::Situation;
using bench::Way;

// Often enough that the game's records of its own calls stay small.
constexpr int kRenewEvery = 1 << 16;

// Reports the game compares per decision beside the time.
void run(benchmark::State& state, Gate gate, Situation situation, Way way) {
  bench::GateWorld world;
  const bench::Decision decide = bench::decision(gate, situation, way);
  std::size_t compares = 0;  // the world's renewal restarts the game's count
  int countdown = kRenewEvery;
  for (auto _ : state) {
    decide(world);
    if (--countdown == 0) {
      state.PauseTiming();
      compares += standin::compare_calls();
      world.renew();
      countdown = kRenewEvery;
      state.ResumeTiming();
    }
  }
  compares += standin::compare_calls();
  state.counters["compares"] =
      static_cast<double>(compares) /
      static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
}

// A step of the plugin's own and one of the host's, alone.
void key_hash_part(benchmark::State& state) {
  const FString name("Rex_Character_BP_C");
  for (auto _ : state) {
    benchmark::DoNotOptimize(quellwarden::key_hash(name));
  }
}

void clock_part(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(_Xtime_get_ticks());
  }
}

[[maybe_unused]] const bool registered = [] {
  for (const Gate gate : {Gate::taming, Gate::imprint, Gate::riding}) {
    for (const Way way : {Way::game, Way::gate, Way::host_work}) {
      for (const Situation situation : {Situation::null_creature, Situation::not_listed,
                                        Situation::locked, Situation::released}) {
        const std::string name = std::string("gate/") + name_of(bench::kGateNames, gate) + "/" +
                                 name_of(bench::kWayNames, way) + "/" +
                                 name_of(bench::kSituationNames, situation);
        benchmark::RegisterBenchmark(name.c_str(), run, gate, situation, way);
      }
    }
  }
  benchmark::RegisterBenchmark("gate/part/key_hash", key_hash_part);
  benchmark::RegisterBenchmark("gate/part/clock_read", clock_part);
  return true;
}();

}  // namespace
