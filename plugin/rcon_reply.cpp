// The reply string is the plugin's: widened from UTF-8 (class names may hold any letter, which the
// host's narrow constructor may read in another code page), freed after the call.
// A reply that cannot be made or sent is logged with what went wrong.
#include "plugin/rcon_reply.h"

#include "host/game_functions.h"
#include "host/rcon_packet.h"
#include "host/widen.h"
#include "plugin/plugin_state.h"

namespace quellwarden {

void send_rcon_reply(RCONClientConnection* connection, const RCONPacket& packet,
                     const std::string& text) {
  try {
    FString reply = host::widen(text);
    host::call<host::game::rcon_send_message>(connection, packet.Id, 0, reply);
  } catch (const std::exception& error) {
    plugin_state().log.error_text(error.what());
  }
}

}  // namespace quellwarden
