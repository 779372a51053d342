// "Quellwarden.status" on the console and over RCON: what is held back, from the live tables.
// "Quellwarden.status json" answers one JSON object instead; "locked" and a text narrow the lists.
#pragma once

#include "host/game_types.h"

namespace quellwarden {

// On the console each line is one white message to the player.
void console_status(APlayerController* player, FString* command, bool flag);
// Over RCON the lines are one reply; the host splits a long one.
void rcon_status(RCONClientConnection* connection, RCONPacket* packet, UWorld* world);

}  // namespace quellwarden
