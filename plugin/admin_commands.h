// The admins' commands as the host calls them, each on the console and over RCON: reload, status
// and the four edits.
#pragma once

#include "host/game_types.h"
#include "plugin/plugin_state.h"

namespace quellwarden {

// "Quellwarden.reload": re-read the configuration, answer the caller. Words after the command name
// change nothing; so does the flag.
void console_reload(APlayerController* player, FString* command, bool flag);
void rcon_reload(RCONClientConnection* connection, RCONPacket* packet, UWorld* world);
// What every reload runs: LoadConfig(), then the chat command follows what is in force.
LoadResult reload_configuration();

// "Quellwarden.status": what is held back, from the live tables. "Quellwarden.status json" answers
// one JSON object instead; "locked" and a text narrow the lists. On the console each line is one
// white message to the player; over RCON the lines are one reply, which the host splits when long.
void console_status(APlayerController* player, FString* command, bool flag);
void rcon_status(RCONClientConnection* connection, RCONPacket* packet, UWorld* world);

// "Quellwarden.setwipe", ".shift", ".delay" and ".unlock": config.json edited for the admin,
// written in one step, then reloaded. One callback serves the four commands: the command text
// names which.
void console_edit(APlayerController* player, FString* command, bool flag);
void rcon_edit(RCONClientConnection* connection, RCONPacket* packet, UWorld* world);

}  // namespace quellwarden
