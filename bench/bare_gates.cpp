// The host work a decision owes by the rules, whatever the plugin does: for a creature, its class
// name read through two fields and FName.ToString and the name's buffer given back, one compare
// with the stored key and a fresh clock read when the class is listed, each reached by name
// through the resolver; and the game's own function wherever the gate lets the call through,
// passed on as every hook passes it on.
#include "bench/bare_gates.h"

#include <benchmark/benchmark.h>

#include "host/class_name.h"
#include "host/platform_calls.h"

namespace bench {
namespace {

// What the hook manager and the world give a hook: the game's own functions behind it, and the
// keys a table holds for the listed classes. Globals, as a plugin's call-through pointers are.
struct Hooked {
  CanTame can_tame = nullptr;
  ImprintBabyDino imprint_baby_dino = nullptr;
  SetRider set_rider = nullptr;
  const FString* locked_key = nullptr;
  const FString* released_key = nullptr;
} hooked;

// The host work alone. A class not listed needs no compare: a table may tell it apart by hash
// and length alone.
template <Situation S>
void owed_by_rules(const APrimalDinoCharacter* creature) {
  if constexpr (S != Situation::null_creature) {
    const FString name = quellwarden::host::read_class(creature).name;
    if constexpr (S == Situation::locked || S == Situation::released) {
      const FString& key = S == Situation::locked ? *hooked.locked_key : *hooked.released_key;
      benchmark::DoNotOptimize(quellwarden::host::compare_ignoring_case(key.raw(), name.raw()));
      benchmark::DoNotOptimize(_Xtime_get_ticks());
    }
  }
}

}  // namespace

template <Situation S>
bool BareGates<S>::taming(APrimalDinoCharacter* creature, AShooterPlayerController* controller,
                          bool first, bool second) {
  owed_by_rules<S>(creature);
  if constexpr (S == Situation::locked) {
    return false;
  } else {
    return hooked.can_tame(creature, controller, first, second);
  }
}

template <Situation S>
void BareGates<S>::imprint(APrimalDinoCharacter* creature, APlayerController* controller,
                           bool flag) {
  owed_by_rules<S>(creature);
  if constexpr (S != Situation::locked) hooked.imprint_baby_dino(creature, controller, flag);
}

template <Situation S>
void BareGates<S>::riding(APrimalDinoCharacter* creature, AShooterCharacter* rider) {
  owed_by_rules<S>(creature);
  if constexpr (S != Situation::locked) hooked.set_rider(creature, rider);
}

template struct BareGates<Situation::null_creature>;
template struct BareGates<Situation::not_listed>;
template struct BareGates<Situation::locked>;
template struct BareGates<Situation::released>;

void hook_bare_gates(const GateWorld& world) {
  hooked = {world.can_tame(), world.imprint_baby_dino(), world.set_rider(),
            &world.stored_key(Situation::locked), &world.stored_key(Situation::released)};
}

}  // namespace bench
