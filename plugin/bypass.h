// The players no gate holds back: a refusal of one of them becomes a pass, counted for the status.
#pragma once

#include "plugin/refusal_notices.h"

namespace quellwarden {

// Whether the player `gate` is about to refuse (as send_refusal_notice() takes it) has an id of the
// bypass list in force; each refusal skipped so is counted by id. Never throws: when the id cannot
// be had, the player is not on the list and the refusal stands.
bool bypasses(Gate gate, const void* player) noexcept;

}  // namespace quellwarden
