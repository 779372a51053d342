// What the game meets at each of the three gated functions: the answer, or whether its own
// function ran. Calls go through whatever hooks are installed, as the game's calls do.
#pragma once

#include <string_view>

#include "standin/standin.h"

namespace qw_test {

inline bool tames(APrimalDinoCharacter* creature, AShooterPlayerController* controller = nullptr) {
  return standin::game_can_tame(creature, controller, false, false);
}
inline bool tames(std::string_view class_name) {
  return tames(standin::spawn_creature(class_name));
}

// Imprinting and riding answer nothing; the gate let the call through when the game's own
// function ran.
inline bool imprints(APrimalDinoCharacter* creature, APlayerController* controller = nullptr) {
  const auto before = standin::game_call_count();
  standin::game_imprint_baby_dino(creature, controller, true);
  return standin::game_call_count() > before;
}

inline bool rides(APrimalDinoCharacter* creature, AShooterCharacter* rider = nullptr) {
  const auto before = standin::game_call_count();
  standin::game_set_rider(creature, rider);
  return standin::game_call_count() > before;
}
inline bool rides(std::string_view class_name) {
  return rides(standin::spawn_creature(class_name));
}

}  // namespace qw_test
