// "Quellwarden.reload" on the console and over RCON: re-read the configuration, answer the caller.
#pragma once

#include "host/game_types.h"
#include "plugin/plugin_state.h"

namespace quellwarden {

// What every reload runs: LoadConfig(), then the chat command follows what is in force.
LoadResult reload_configuration();

// Words after the command name change nothing; so does the flag.
void console_reload(APlayerController* player, FString* command, bool flag);
void rcon_reload(RCONClientConnection* connection, RCONPacket* packet, UWorld* world);

}  // namespace quellwarden
