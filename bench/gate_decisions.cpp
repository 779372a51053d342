// A gate decision made in one of four ways, each called as the game calls a hook.
#include "bench/gate_decisions.h"

#include <benchmark/benchmark.h>

#include <cstddef>

#include "bench/bare_gates.h"
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

template <Gate G, Situation S>
void by_host_work(const GateWorld& world) {
  APrimalDinoCharacter* const creature = world.creature(S);
  if constexpr (G == Gate::taming) {
    benchmark::DoNotOptimize(BareGates<S>::taming(creature, world.controller(), true, false));
  } else if constexpr (G == Gate::imprint) {
    BareGates<S>::imprint(creature, world.controller(), true);
  } else {
    BareGates<S>::riding(creature, world.rider());
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
