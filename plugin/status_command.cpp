// Reads only: a status request never changes what is held back.
#include "plugin/status_command.h"

#include <string>
#include <vector>

#include "config/vocabulary.h"
#include "host/rcon_packet.h"
#include "host/utf8.h"
#include "plugin/attempt.h"
#include "plugin/clock.h"
#include "plugin/player_messages.h"
#include "plugin/rcon_reply.h"
#include "plugin/status_report.h"

namespace quellwarden {
namespace {

// Whether the words after the command name ask for JSON ("Quellwarden.status json").
bool wants_json(const FString* command) {
  if (command == nullptr) {
    return false;
  }
  const std::string text = host::encode_utf8(command->view());
  constexpr const char* kBlanks = " \t";
  const std::size_t name_end = text.find_first_of(kBlanks);
  const std::size_t word = text.find_first_not_of(kBlanks, name_end);
  if (name_end == std::string::npos || word == std::string::npos) {
    return false;
  }
  return text.substr(word, text.find_first_of(kBlanks, word) - word) == "json";
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
  const PlayerReply reply(player);
  if (wants_json(command)) {
    reply.send(kWhite, status_json(state, unix_now()));
    return;
  }
  for (const std::string& line : status_lines(state, unix_now())) {
    reply.send(kWhite, line);
  }
}

void rcon_status(RCONClientConnection* connection, RCONPacket* packet, UWorld* /*world*/) {
  const PluginState& state = plugin_state();
  const std::int64_t now = unix_now();
  send_rcon_reply(
      connection, *packet,
      wants_json(&packet->Body) ? status_json(state, now) : joined(status_lines(state, now)));
}

}  // namespace quellwarden
