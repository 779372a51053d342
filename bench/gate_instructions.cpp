// Counts the instructions of each gate's decisions, and of the host work they owe, under
// valgrind's callgrind: instruction counts hold on a shared machine where times do not.
// Run as: valgrind --tool=callgrind --callgrind-out-file=<file> quellwarden_gate_instructions [N]
// [notices]; with "notices" the configuration asks for player notices.
// Each measured loop of N decisions is dumped as "<gate>/<way>/<situation>", and each loop of N
// single steps of the locked case as "part/<step>"; standard output gives, as JSON, N and the game
// compares of each loop.
#include <benchmark/benchmark.h>
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/gate_decisions.h"
#include "bench/gate_world.h"
#include "core/delay_table.h"
#include "host/fstring.h"
#include "host/platform_calls.h"
#include "plugin/plugin_state.h"
#include "standin/standin.h"

namespace {

using bench::Gate;
using bench::Situation;
using bench::Way;

constexpr long kWarmUp = 64;

// Lazy symbol binding and first-use set-up happen before the counting starts; the game's
// records were already grown to their size by the priming run.
template <typename Step>
std::size_t measure(bench::GateWorld& world, Step step, long count, const std::string& label) {
  world.renew();
  for (long i = 0; i < kWarmUp; ++i) step();
  const std::size_t compares_before = standin::compare_calls();
  CALLGRIND_ZERO_STATS;
  for (long i = 0; i < count; ++i) step();
  CALLGRIND_DUMP_STATS_AT(label.c_str());
  return standin::compare_calls() - compares_before;
}

class Report {
 public:
  explicit Report(long count) { std::printf("{\"decisions\": %ld, \"runs\": {", count); }
  ~Report() { std::printf("\n}}\n"); }
  Report(const Report&) = delete;
  Report& operator=(const Report&) = delete;

  void add(const std::string& label, std::size_t compares) {
    std::printf("%s  \"%s\": {\"compares\": %zu}", separator_, label.c_str(), compares);
    separator_ = ",\n";
  }

 private:
  const char* separator_ = "\n";
};

void measure_decisions(bench::GateWorld& world, long count, Report& report) {
  for (const Gate gate : {Gate::taming, Gate::imprint, Gate::riding}) {
    for (const Situation situation : {Situation::null_creature, Situation::not_listed,
                                      Situation::locked, Situation::released}) {
      for (const Way way : {Way::loop, Way::game, Way::gate, Way::host_work}) {
        const std::string label = std::string(name_of(bench::kGateNames, gate)) + "/" +
                                  name_of(bench::kWayNames, way) + "/" +
                                  name_of(bench::kSituationNames, situation);
        const bench::Decision decide = bench::decision(gate, situation, way);
        report.add(label, measure(
                              world, [&world, decide] { decide(world); }, count, label));
      }
    }
  }
}

// The locked case's steps one by one, to tell where the plugin's own instructions go.
void measure_parts(bench::GateWorld& world, long count, Report& report) {
  const FString name("Rex_Character_BP_C");
  const FString& stored = world.stored_key(Situation::locked);
  const std::uint32_t hash = quellwarden::key_hash(name);
  const auto part = [&](const char* label, auto step) {
    report.add(label, measure(world, step, count, label));
  };
  part("part/loop", [&] { benchmark::DoNotOptimize(hash); });
  part("part/key_hash", [&] { benchmark::DoNotOptimize(quellwarden::key_hash(name)); });
  part("part/find", [&] {
    benchmark::DoNotOptimize(quellwarden::plugin_state().tables.taming.find(hash, name));
  });
  part("part/compare",
       [&] { benchmark::DoNotOptimize(quellwarden::host::compare_ignoring_case(stored, name)); });
  part("part/clock_read", [] { benchmark::DoNotOptimize(_Xtime_get_ticks()); });
}

}  // namespace

int main(int argc, char** argv) {
  if (RUNNING_ON_VALGRIND == 0) {
    std::fprintf(stderr, "run under valgrind --tool=callgrind; see the top of %s\n", __FILE__);
    return 2;
  }
  const long decisions = argc > 1 ? std::atol(argv[1]) : 4000;
  if (decisions <= 0) {
    std::fprintf(stderr, "the number of decisions must be positive\n");
    return 2;
  }
  bench::GateWorld world(argc > 2 && std::string(argv[2]) == "notices");
  const bench::Decision prime = bench::decision(Gate::taming, Situation::not_listed, Way::game);
  measure(
      world, [&world, prime] { prime(world); }, decisions + kWarmUp, "priming");
  {
    Report report(decisions);
    measure_decisions(world, decisions, report);
    measure_parts(world, decisions, report);
  }
  return 0;
}
