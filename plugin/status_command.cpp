// Reads only: a status request never changes what is held back.
#include "plugin/status_command.h"

#include <string>
#include <vector>

#include "config/vocabulary.h"
#include "host/rcon_packet.h"
#include "host/utf8.h"
#include "plugin/clock.h"
#include "plugin/player_messages.h"
#include "plugin/rcon_reply.h"
#include "plugin/status_report.h"
#include "plugin/status_request.h"

namespace quellwarden {
namespace {

StatusRequest request_of(const FString* command) {
  return command == nullptr ? StatusRequest{} : status_request(host::encode_utf8(command->view()));
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += text.empty() ? "" : "\n";
    text += line;
  }
  return text;
}

}  // namespace

void console_status(APlayerController* player, FString* command, bool /*flag*/) {
  const PluginState& state = plugin_state();
  const StatusRequest request = request_of(command);
  const PlayerReply reply(player);
  if (request.json) {
    reply.send(kWhite, status_json(state, unix_now(), request));
    return;
  }
  for (const std::string& line : status_lines(state, unix_now(), request)) {
    reply.send(kWhite, line);
  }
}

void rcon_status(RCONClientConnection* connection, RCONPacket* packet, UWorld* /*world*/) {
  const PluginState& state = plugin_state();
  const std::int64_t now = unix_now();
  const StatusRequest request = request_of(&packet->Body);
  send_rcon_reply(
      connection, *packet,
      request.json ? status_json(state, now, request) : joined(status_lines(state, now, request)));
}

}  // namespace quellwarden
