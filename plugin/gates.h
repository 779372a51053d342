// The three hook handlers in front of the game's taming test, imprinting and rider change.
#pragma once

#include <array>
#include <string_view>

#include "core/class_census.h"
#include "core/gate.h"
#include "host/game_types.h"

namespace quellwarden {

bool taming_gate(APrimalDinoCharacter* creature, AShooterPlayerController* controller, bool first,
                 bool second);
void imprint_gate(APrimalDinoCharacter* creature, APlayerController* controller, bool flag);
void riding_gate(APrimalDinoCharacter* creature, AShooterCharacter* rider);

// The classes the gates have met since start, counted by gate in Gate's order.
const ClassCensus& class_census() noexcept;

// What the lifecycle hands to the hook manager, in install order, which is Gate's.
struct GateHook {
  const char* name;  // the gate's, as the status names it: "taming", "imprint", "riding"
  std::string_view signature;
  void* handler;
  void** call_through;
};
const std::array<GateHook, kGateCount>& gate_hooks();

inline const char* gate_name(Gate gate) { return gate_hooks()[index_of(gate)].name; }

}  // namespace quellwarden
