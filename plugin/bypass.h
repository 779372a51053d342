// The players no gate holds back: a refusal of one of them becomes a pass, counted for the status.
#pragma once

#include "host/game_types.h"

namespace quellwarden {

// Whether the player of `controller` (not null), whom a gate is about to refuse, has an id of the
// bypass list in force; each refusal skipped so is counted by id. Never throws: when the id cannot
// be had, the player is not on the list and the refusal stands.
bool bypasses(APlayerController* controller) noexcept;

}  // namespace quellwarden
