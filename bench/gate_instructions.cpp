// Counts the instructions of each gate's decisions, and of the host work they owe, under
// valgrind's callgrind: instruction counts hold on a shared machine where times do not.
// Run as: valgrind --tool=callgrind --callgrind-out-file=<file> quellwarden_gate_instructions [N]
// [notices] [books]; with "notices" the configuration asks for player notices, with "books" the
// stand-in keeps its books as in the tests.
// Each measured loop of N decisions is dumped as "<gate>/<way>/<situation>", each loop of N
// single steps of the locked case as "part/<step>", and with notices each loop of N refusals that
// send their notice as "sent/<gate>/locked"; standard output gives, as JSON, N and the game
// compares and C++ heap allocations of each loop.
#include <benchmark/benchmark.h>
#include <valgrind/callgrind.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "bench/bench_world.h"
#include "bench/gate_decisions.h"
#include "bench/gate_world.h"
#include "bench/heap_counter.h"
#include "core/class_census.h"
#include "core/delay_table.h"
#include "host/fstring.h"
#include "host/platform_calls.h"
#include "plugin/plugin_state.h"
#include "plugin/unlocks_command.h"
#include "standin/standin.h"

namespace {

using bench::Gate;
using bench::Situation;
using bench::Way;

constexpr long kWarmUp = 64;

struct Loop {
  std::size_t compares = 0;
  std::int64_t allocations = 0;  // of the C++ heap
};

// Lazy symbol binding and first-use set-up happen before the counting starts; the game's
// records were already grown to their size by the priming run. The heap is counted in a run of
// its own, so the counting costs the measured loop nothing.
template <typename Step>
Loop measure(bench::GateWorld& world, Step step, long count, const std::string& label) {
  world.renew();
  for (long i = 0; i < kWarmUp; ++i) step();
  Loop loop;
  {
    const bench::HeapMeter meter;
    for (long i = 0; i < count; ++i) step();
    loop.allocations = meter.use().allocations;
  }
  const std::size_t compares_before = standin::compare_calls();
  CALLGRIND_ZERO_STATS;
  for (long i = 0; i < count; ++i) step();
  CALLGRIND_DUMP_STATS_AT(label.c_str());
  loop.compares = standin::compare_calls() - compares_before;
  return loop;
}

class Report {
 public:
  explicit Report(long count) { std::printf("{\"decisions\": %ld, \"runs\": {", count); }
  ~Report() { std::printf("\n}}\n"); }
  Report(const Report&) = delete;
  Report& operator=(const Report&) = delete;

  void add(const std::string& label, const Loop& loop) {
    std::printf("%s  \"%s\": {\"compares\": %zu, \"allocations\": %lld}", separator_, label.c_str(),
                loop.compares, static_cast<long long>(loop.allocations));
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

// Refusals that each send their notice, in a world without a cooldown.
void measure_notices_sent(long count, Report& report) {
  bench::GateWorld world(bench::Notices::every_refusal);
  for (const Gate gate : {Gate::taming, Gate::imprint, Gate::riding}) {
    const std::string label = std::string("sent/") + name_of(bench::kGateNames, gate) + "/locked";
    const bench::Decision decide = bench::decision(gate, Situation::locked, Way::gate);
    report.add(label, measure(
                          world, [&world, decide] { decide(world); }, count, label));
  }
}

// The locked case's steps one by one, to tell where the plugin's own instructions go, and the
// chat command's answer.
void measure_parts(bench::GateWorld& world, long count, Report& report) {
  const FString name("Rex_Character_BP_C");
  // The same class spelled in other letter case than the table's key: the folded compare runs.
  const FString shouted("REX_CHARACTER_BP_C");
  const FString& stored = world.stored_key(Situation::locked);
  const std::uint32_t hash = quellwarden::key_hash(name);
  const auto part = [&](const char* label, auto step) {
    report.add(label, measure(world, step, count, label));
  };
  part("part/loop", [&] { benchmark::DoNotOptimize(hash); });
  part("part/key_hash", [&] { benchmark::DoNotOptimize(quellwarden::key_hash(name)); });
  part("part/find", [&] {
    benchmark::DoNotOptimize(quellwarden::plugin_state().tables.taming.table.find(hash, name));
  });
  part("part/find_other_case", [&] {
    benchmark::DoNotOptimize(quellwarden::plugin_state().tables.taming.table.find(hash, shouted));
  });
  part("part/compare", [&] {
    benchmark::DoNotOptimize(quellwarden::host::compare_ignoring_case(stored.raw(), name.raw()));
  });
  part("part/compare_other_case", [&] {
    benchmark::DoNotOptimize(quellwarden::host::compare_ignoring_case(stored.raw(), shouted.raw()));
  });
  part("part/clock_read", [] { benchmark::DoNotOptimize(_Xtime_get_ticks()); });
  // The census as a gate records into it, on a class met before; its own, so the gates' stays
  // as the decisions left it.
  static quellwarden::ClassCensus census;
  const FString dodo("Dodo_Character_BP_C");
  const std::uint32_t dodo_hash = quellwarden::key_hash(dodo);
  census.record(0, &census, dodo_hash, dodo.view());
  part("part/census", [&] { census.record(0, &census, dodo_hash, dodo.view()); });
  // The command answers only with notices on, and once a cooldown: a world with notices on and a
  // cooldown of 0 answers every call.
  bench::GateWorld answering(bench::Notices::every_refusal);
  standin::reset_records();
  quellwarden::chat_unlocks(answering.controller(), nullptr, 0);
  if (standin::sent_messages().size() != 11) {
    throw std::runtime_error("the chat command's answer is not the 11 lines it is measured as");
  }
  report.add("part/chat_answer",
             measure(
                 answering,
                 [&answering] { quellwarden::chat_unlocks(answering.controller(), nullptr, 0); },
                 count, "part/chat_answer"));
}

bool has_word(int argc, char** argv, const char* word) {
  return std::find_if(argv + 2, argv + argc,
                      [word](const char* arg) { return std::string(arg) == word; }) != argv + argc;
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
  const bool notices = argc > 2 && has_word(argc, argv, "notices");
  bench::start_plugin(argc > 2 && has_word(argc, argv, "books"));
  bench::GateWorld world(notices ? bench::Notices::cooling : bench::Notices::off);
  const bench::Decision prime = bench::decision(Gate::taming, Situation::not_listed, Way::game);
  measure(
      world, [&world, prime] { prime(world); }, decisions + kWarmUp, "priming");
  {
    Report report(decisions);
    measure_decisions(world, decisions, report);
    measure_parts(world, decisions, report);
    if (notices) measure_notices_sent(decisions, report);
  }
  return 0;
}
