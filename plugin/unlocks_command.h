// The chat command players ask with: what is still held back from them, and for how long.
#pragma once

#include "host/fstring.h"
#include "host/game_types.h"

namespace quellwarden {

void chat_unlocks(AShooterPlayerController* player, FString* message, int mode);

// Registers the chat command the configuration in force names, replacing the one registered
// before when the name changed, and removes it when notices are off. Failures are logged.
void sync_chat_command() noexcept;
// Removes the registered chat command, if any.
void remove_chat_command() noexcept;

}  // namespace quellwarden
