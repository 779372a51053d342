// A gate refuses silently while its class's unlock time lies ahead; otherwise the game's own
// function runs with every argument unchanged. Nothing is cached between calls: each decision
// reads the table and the clock afresh, so a reload or a passing unlock time counts at once.
#include "core/gates.h"

#include <cstdint>

#include "core/plugin_state.h"
#include "host/class_name.h"
#include "host/platform_calls.h"

namespace quellwarden {
namespace {

using CanTame = bool (*)(APrimalDinoCharacter*, AShooterPlayerController*, bool, bool);
using ImprintBabyDino = void (*)(APrimalDinoCharacter*, APlayerController*, bool);
using SetRider = void (*)(APrimalDinoCharacter*, AShooterCharacter*);

// Filled by the hook manager while it installs each hook.
CanTame can_tame_call_through = nullptr;
ImprintBabyDino imprint_call_through = nullptr;
SetRider set_rider_call_through = nullptr;

constexpr long long kTicksPerSecond = 10'000'000;

std::int64_t current_unix_time() { return _Xtime_get_ticks() / kTicksPerSecond; }

// True while `creature`'s class has an unlock time in `table` that lies ahead. Compared as signed
// numbers, so an unlock time before 1970 is simply in the past.
bool held_back(const DelayTable& table, const APrimalDinoCharacter* creature) {
  const FString class_name = host::read_class_name(creature);
  const std::int32_t slot = table.find(key_hash(class_name), class_name);
  return slot != -1 && table.unlock_time(slot) > current_unix_time();
}

}  // namespace

bool taming_gate(APrimalDinoCharacter* creature, AShooterPlayerController* controller, bool first,
                 bool second) {
  if (creature != nullptr && held_back(taming_table, creature)) {
    return false;
  }
  return can_tame_call_through(creature, controller, first, second);
}

void imprint_gate(APrimalDinoCharacter* creature, APlayerController* controller, bool flag) {
  if (creature != nullptr && held_back(taming_table, creature)) {
    return;
  }
  imprint_call_through(creature, controller, flag);
}

void riding_gate(APrimalDinoCharacter* creature, AShooterCharacter* rider) {
  if (creature != nullptr && held_back(riding_table, creature)) {
    return;
  }
  set_rider_call_through(creature, rider);
}

const std::array<GateHook, 3>& gate_hooks() {
  static const std::array<GateHook, 3> hooks{{
      {"APrimalDinoCharacter.CanTame(AShooterPlayerController*,bool,bool)",
       reinterpret_cast<void*>(&taming_gate), reinterpret_cast<void**>(&can_tame_call_through)},
      {"APrimalDinoCharacter.ImprintBabyDino(APlayerController*,bool)",
       reinterpret_cast<void*>(&imprint_gate), reinterpret_cast<void**>(&imprint_call_through)},
      {"APrimalDinoCharacter.SetRider(AShooterCharacter*)", reinterpret_cast<void*>(&riding_gate),
       reinterpret_cast<void**>(&set_rider_call_through)},
  }};
  return hooks;
}

}  // namespace quellwarden
