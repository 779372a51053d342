// A gate refuses while its class's unlock time lies ahead, unless the player is on the bypass list,
// silently unless the configuration asks for player notices; otherwise the game's own function
// runs with every argument unchanged. Nothing is cached between calls: each decision reads the
// table and the clock afresh, so a reload or a passing unlock time counts at once.
#include "plugin/gates.h"

#include <cstdint>
#include <type_traits>

#include "host/class_name.h"
#include "host/compiler.h"
#include "host/game_functions.h"
#include "plugin/bypass.h"
#include "plugin/clock.h"
#include "plugin/plugin_state.h"
#include "plugin/refusal_notices.h"

namespace quellwarden {
namespace {

namespace game = host::game;

// Filled by the hook manager while it installs each hook.
decltype(game::can_tame)::Pointer can_tame_call_through = nullptr;
decltype(game::imprint_baby_dino)::Pointer imprint_call_through = nullptr;
decltype(game::set_rider)::Pointer set_rider_call_through = nullptr;

// Every class the gates meet, mods' included, since the plugin started.
ClassCensus census;

static_assert(std::is_same_v<decltype(&taming_gate), decltype(game::can_tame)::Pointer>);
static_assert(std::is_same_v<decltype(&imprint_gate), decltype(game::imprint_baby_dino)::Pointer>);
static_assert(std::is_same_v<decltype(&riding_gate), decltype(game::set_rider)::Pointer>);

// What a refusal does with its player, out of line: a player on the bypass list passes (the host
// is asked for the id only here), anyone else hears the notice when notices are on. A player the
// host cannot tell neither passes nor hears.
QW_NOINLINE bool refusal_stands(const GateRefusal& refusal, const void* player) noexcept {
  const config::DelayTables& tables = plugin_state().tables;
  APlayerController* const controller = controller_of(refusal.gate, player);
  if (controller == nullptr) return true;
  if (!tables.bypass.empty() && bypasses(controller)) return false;
  if (tables.notices) send_refusal_notice(*tables.notices, refusal, controller);
  return true;
}

// Whether `creature`'s class has an unlock time in `gate`'s table that lies ahead; a refusal goes
// on to the notice path with what was found. Compared as signed numbers, so an unlock time before
// 1970 is simply in the past. When the host fails the gate (a name it cannot resolve, a throwing
// call) the game decides, and the failure is counted: nothing may unwind into the game's frames.
// One copy a gate, each inlined into its decision, so a decision has one frame.
template <Gate gate>
bool refuses(const APrimalDinoCharacter* creature, const void* player) noexcept {
  PluginState& state = plugin_state();
  const DelayTable& table = state.tables.of(gate).table;
  try {
    const host::ObjectClass read = host::read_class(creature);
    const FString& class_name = read.name;
    const std::u16string_view name = class_name.view();
    const std::uint32_t hash = key_hash(name);
    census.record(index_of(gate), read.object, hash, name);
    const std::int32_t slot = table.find(hash, class_name);
    if (slot == -1) return false;
    const std::int64_t unlock_time = table.unlock_time(slot);
    const std::int64_t now = unix_now();
    if (unlock_time <= now) return false;
    if (state.tables.refusal_asks_player) {
      return refusal_stands({gate, slot, class_name, hash, unlock_time, now}, player);
    }
    return true;
  } catch (...) {
    ++state.host_failures;
    return false;
  }
}

// A decision on a creature, kept out of line so that a gate's null test and its call through
// need no frame of their own.
QW_NOINLINE bool decide_taming(APrimalDinoCharacter* creature, AShooterPlayerController* controller,
                               bool first, bool second) {
  if (refuses<Gate::taming>(creature, controller)) return false;
  return can_tame_call_through(creature, controller, first, second);
}

QW_NOINLINE void decide_imprint(APrimalDinoCharacter* creature, APlayerController* controller,
                                bool flag) {
  if (refuses<Gate::imprinting>(creature, controller)) return;
  imprint_call_through(creature, controller, flag);
}

QW_NOINLINE void decide_riding(APrimalDinoCharacter* creature, AShooterCharacter* rider) {
  if (refuses<Gate::riding>(creature, rider)) return;
  set_rider_call_through(creature, rider);
}

}  // namespace

bool taming_gate(APrimalDinoCharacter* creature, AShooterPlayerController* controller, bool first,
                 bool second) {
  if (creature == nullptr) return can_tame_call_through(creature, controller, first, second);
  return decide_taming(creature, controller, first, second);
}

void imprint_gate(APrimalDinoCharacter* creature, APlayerController* controller, bool flag) {
  if (creature == nullptr) return imprint_call_through(creature, controller, flag);
  decide_imprint(creature, controller, flag);
}

void riding_gate(APrimalDinoCharacter* creature, AShooterCharacter* rider) {
  if (creature == nullptr) return set_rider_call_through(creature, rider);
  decide_riding(creature, rider);
}

const ClassCensus& class_census() noexcept { return census; }

const std::array<GateHook, kGateCount>& gate_hooks() {
  static const std::array<GateHook, kGateCount> hooks{{
      {"taming", game::can_tame.name, reinterpret_cast<void*>(&taming_gate),
       reinterpret_cast<void**>(&can_tame_call_through)},
      {"imprint", game::imprint_baby_dino.name, reinterpret_cast<void*>(&imprint_gate),
       reinterpret_cast<void**>(&imprint_call_through)},
      {"riding", game::set_rider.name, reinterpret_cast<void*>(&riding_gate),
       reinterpret_cast<void**>(&set_rider_call_through)},
  }};
  return hooks;
}

}  // namespace quellwarden
