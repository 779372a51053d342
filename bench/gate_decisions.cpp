// The host work a decision owes by the rules, whatever the plugin does: for a creature, its class
// name read through two fields and FName.ToString and the name's buffer given back, one compare
// with the stored key and a fresh clock read when the class is listed, each reached by name
// through the resolver; and the game's own function wherever the gate lets the call through.
#include "bench/gate_decisions.h"

#include <benchmark/benchmark.h>

#include <cstddef>

#include "host/class_name.h"
#include "host/platform_calls.h"
#include "plugin/gates.h"
#include "standin/game_objects.h"

namespace bench {
namespace {

template <Gate G>
void pass_on(const GateWorld& world, APrimalDinoCharacter* creature) {
  if constexpr (G == Gate::taming) {
    benchmark::DoNotOptimize(world.can_tame()(creature, world.controller(), true, false));
  } else if constexpr (G == Gate::imprint) {
    world.imprint_baby_dino()(creature, world.controller(), true);
  } else {
    world.set_rider()(creature, world.rider());
  }
}

template <Gate G, Situation S>
void by_loop(const GateWorld& world) {
  benchmark::DoNotOptimize(world.creature(S));
}

template <Gate G, Situation S>
void by_game(const GateWorld& world) {
  pass_on<G>(world, world.creature(S));
}

template <Gate G, Situation S>
void by_gate(const GateWorld& world) {
  APrimalDinoCharacter* const creature = world.creature(S);
  if constexpr (G == Gate::taming) {
    benchmark::DoNotOptimize(quellwarden::taming_gate(creature, world.controller(), true, false));
  } else if constexpr (G == Gate::imprint) {
    quellwarden::imprint_gate(creature, world.controller(), true);
  } else {
    quellwarden::riding_gate(creature, world.rider());
  }
}

// A class not listed needs no compare: a table may tell it apart by hash and length alone.
template <Gate G, Situation S>
void by_host_work(const GateWorld& world) {
  APrimalDinoCharacter* const creature = world.creature(S);
  if constexpr (S != Situation::null_creature) {
    const FString name = quellwarden::host::read_class_name(creature);
    if constexpr (S == Situation::locked || S == Situation::released) {
      benchmark::DoNotOptimize(quellwarden::host::compare_ignoring_case(world.stored_key(S), name));
      benchmark::DoNotOptimize(_Xtime_get_ticks());
    }
  }
  if constexpr (S != Situation::locked) {
    pass_on<G>(world, creature);
  }
}

template <Gate G, Situation S>
constexpr std::array<Decision, 4> ways() {
  return {&by_loop<G, S>, &by_game<G, S>, &by_gate<G, S>, &by_host_work<G, S>};
}

template <Gate G>
constexpr std::array<std::array<Decision, 4>, 4> situations() {
  return {ways<G, Situation::null_creature>(), ways<G, Situation::not_listed>(),
          ways<G, Situation::locked>(), ways<G, Situation::released>()};
}

constexpr std::array<std::array<std::array<Decision, 4>, 4>, 3> kDecisions{
    situations<Gate::taming>(), situations<Gate::imprint>(), situations<Gate::riding>()};

}  // namespace

Decision decision(Gate gate, Situation situation, Way way) {
  return kDecisions[static_cast<std::size_t>(gate)][static_cast<std::size_t>(situation)]
                   [static_cast<std::size_t>(way)];
}

}  // namespace bench
