// Tells a player why a gate refused them, when the configuration asks for it.
#pragma once

#include "host/game_types.h"
#include "plugin/plugin_state.h"

namespace quellwarden {

enum class RefusedGate { taming, imprinting, riding };

// Sends, after `gate` refused `creature` to `player` (a controller; for riding the rider, whose
// controller is read from it): a notice in yellow, unless notices are off, there is no player,
// the gate's text is empty or the same notice went out within the cooldown. Logs nothing and
// never throws: a notice that cannot be made is simply not sent.
void send_refusal_notice(RefusedGate gate, const APrimalDinoCharacter* creature,
                         const void* player) noexcept;

// Inline, so a refusal with notices off costs only the look-up of the state and one test.
inline void notify_refusal(RefusedGate gate, const APrimalDinoCharacter* creature,
                           const void* player) noexcept {
  if (plugin_state().tables.notices) send_refusal_notice(gate, creature, player);
}

}  // namespace quellwarden
