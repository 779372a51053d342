// The chat command players ask with: what is still held back from them, and for how long.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/fstring.h"
#include "host/game_types.h"
#include "plugin/plugin_state.h"

namespace quellwarden {

// The chat command's answer in the words of the notices in force: one line per locked class, the
// soonest first, at most kMostUnlockLines, then one line for the rest; or the line for nothing
// held back. Nothing without notices.
std::vector<std::string> unlocks_lines(const config::DelayTables& tables, std::int64_t now);

void chat_unlocks(AShooterPlayerController* player, FString* message, int mode);

// Registers the chat command the configuration in force names, replacing the one registered
// before when the name changed, and removes it when notices are off. Failures are logged.
void sync_chat_command() noexcept;
// Removes the registered chat command, if any.
void remove_chat_command() noexcept;

}  // namespace quellwarden
