// Hooks with the gates' own signatures that do the host work a decision owes by the rules and
// nothing else: what any gate costs at least. In a file of their own, so the compiler knows no
// more of their callers than it knows of the gates'.
#pragma once

#include "bench/gate_world.h"

namespace bench {

// Gives the hooks the world's game functions and keys; the world does it itself.
void hook_bare_gates(const GateWorld& world);

template <Situation S>
struct BareGates {
  static bool taming(APrimalDinoCharacter* creature, AShooterPlayerController* controller,
                     bool first, bool second);
  static void imprint(APrimalDinoCharacter* creature, APlayerController* controller, bool flag);
  static void riding(APrimalDinoCharacter* creature, AShooterCharacter* rider);
};

}  // namespace bench
