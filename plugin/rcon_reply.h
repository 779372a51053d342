// The answer to an RCON request, sent through the game under the request's id.
#pragma once

#include <string>

#include "host/game_types.h"

namespace quellwarden {

// Sends `text` (UTF-8) as the reply to `packet`. When the reply cannot be made or the game's send
// cannot be resolved or fails, the admin gets no answer, so the plugin log says why instead.
void send_rcon_reply(RCONClientConnection* connection, const RCONPacket& packet,
                     const std::string& text);

}  // namespace quellwarden
