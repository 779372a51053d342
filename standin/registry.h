// What plugins have installed with the host: hooks, console, RCON and chat commands, timers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/export.h"
#include "host/game_types.h"

namespace standin {

// Signature texts of the installed hooks, in install order.
ASAAPI_EXPORT std::vector<std::string> installed_hooks();
ASAAPI_EXPORT std::vector<std::string> console_commands();
ASAAPI_EXPORT std::vector<std::string> rcon_commands();
ASAAPI_EXPORT std::vector<std::string> chat_commands();
// Names of the registered timers, in registration order (a name registered twice shows twice).
ASAAPI_EXPORT std::vector<std::string> timers();

// Runs every registered timer once, in registration order, as the host does about once a second;
// nothing runs them otherwise. An exception from a timer ends the round and reaches the caller.
ASAAPI_EXPORT void run_timers();

// Runs the console command named by the first word of `line` (UTF-8), as typed by `player`
// (may be null). False when no such command is registered.
ASAAPI_EXPORT bool run_console_command(APlayerController* player, std::string_view line);

// Runs the chat command named by the first word of `message` (UTF-8), as written by `player`.
// False when no such command is registered: the message is ordinary chat.
ASAAPI_EXPORT bool run_chat_command(AShooterPlayerController* player, std::string_view message);

}  // namespace standin
