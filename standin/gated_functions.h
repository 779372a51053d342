// The three game functions the plugin gates: called as the game calls them, and recorded when
// the game's own body runs.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "host/export.h"
#include "host/game_types.h"

namespace standin {

// Each goes through the newest hook on its signature text, if any.
ASAAPI_EXPORT bool game_can_tame(APrimalDinoCharacter* creature,
                                 AShooterPlayerController* controller, bool first, bool second);
ASAAPI_EXPORT void game_imprint_baby_dino(APrimalDinoCharacter* creature,
                                          APlayerController* controller, bool flag);
ASAAPI_EXPORT void game_set_rider(APrimalDinoCharacter* creature, AShooterCharacter* rider);

// What the game's own taming test answers (default true).
ASAAPI_EXPORT void set_can_tame_answer(bool answer);

// One run of a game function's own body (not of a hook).
struct GameCall {
  std::string function;  // "CanTame", "ImprintBabyDino", "SetRider"
  APrimalDinoCharacter* creature = nullptr;
  const void* other = nullptr;  // controller or rider
  bool first = false;
  bool second = false;
};
// The latest runs (up to a few thousand since the last reset), oldest first.
ASAAPI_EXPORT std::vector<GameCall> game_calls();
// All runs since the last reset.
ASAAPI_EXPORT std::size_t game_call_count();

}  // namespace standin
