// "Quellwarden.setwipe", ".shift", ".delay" and ".unlock" on the console and over RCON: config.json
// edited for the admin, written in one step, then reloaded.
#pragma once

#include "host/game_types.h"

namespace quellwarden {

// One callback serves the four commands: the command text names which.
void console_edit(APlayerController* player, FString* command, bool flag);
void rcon_edit(RCONClientConnection* connection, RCONPacket* packet, UWorld* world);

}  // namespace quellwarden
