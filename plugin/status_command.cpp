// Reads only: a status request never changes what is held back.
#include <fmt/format.h>
#include <fmt/ranges.h>

#include <string>
#include <vector>

#include "config/vocabulary.h"
#include "host/fstring.h"
#include "host/rcon_packet.h"
#include "plugin/admin_commands.h"
#include "plugin/census_report.h"
#include "plugin/clock.h"
#include "plugin/gates.h"
#include "plugin/next_unlocks.h"
#include "plugin/player_messages.h"
#include "plugin/rcon_reply.h"
#include "plugin/status_report.h"
#include "plugin/status_request.h"

namespace quellwarden {
namespace {

std::string json_answer(const StatusRequest& request, std::int64_t now) {
  const PluginState& state = plugin_state();
  if (request.seen) return census_json(class_census(), state, now, request);
  return request.next ? next_unlock_json(state, now, request) : status_json(state, now, request);
}

std::vector<std::string> lines_answer(const StatusRequest& request, std::int64_t now) {
  const PluginState& state = plugin_state();
  if (request.seen) return census_lines(class_census(), state, request);
  return request.next ? next_unlock_lines(state, now, request) : status_lines(state, now, request);
}

}  // namespace

void console_status(APlayerController* player, FString* command, bool /*flag*/) {
  const StatusRequest request = status_request(host::utf8_of(command));
  const PlayerReply reply(player);
  if (request.json) {
    reply.send(kWhite, json_answer(request, unix_now()));
    return;
  }
  for (const std::string& line : lines_answer(request, unix_now())) {
    reply.send(kWhite, line);
  }
}

void rcon_status(RCONClientConnection* connection, RCONPacket* packet, UWorld* /*world*/) {
  const std::int64_t now = unix_now();
  const StatusRequest request = status_request(host::utf8_of(&packet->Body));
  send_rcon_reply(connection, *packet,
                  request.json ? json_answer(request, now)
                               : fmt::format("{}", fmt::join(lines_answer(request, now), "\n")));
}

}  // namespace quellwarden
