// A failed reload is never reported as success. On the console the reply comes before the log
// lines, over RCON after them, as the reload commands have always answered. Both are registered
// through guarded() (plugin/attempt.h), which logs whatever else escapes them.
#include <fmt/format.h>

#include <exception>
#include <string>

#include "config/report_json.h"
#include "config/vocabulary.h"
#include "host/fstring.h"
#include "host/rcon_packet.h"
#include "plugin/admin_commands.h"
#include "plugin/announcements.h"
#include "plugin/gate_hooks.h"
#include "plugin/player_messages.h"
#include "plugin/plugin_state.h"
#include "plugin/rcon_reply.h"
#include "plugin/status_request.h"
#include "plugin/unlocks_command.h"

namespace quellwarden {

// The chat command and the announcements' timer follow the configuration now in force; a gate
// the host refused before is asked for again, so an admin can mend it without a restart.
LoadResult reload_configuration() {
  LoadResult result = LoadConfig();
  sync_chat_command();
  sync_announcement_timer();
  install_missing_gates();
  return result;
}

namespace {

// For bots: {"ok": true, "warnings": [...]} as the status gives them, or {"ok": false, "error",
// "place", "hint"}.
std::string json_reply(const LoadResult& result) {
  config::JsonObject json;
  json.flag("ok", result.applied());
  if (result.refusal) {
    json.refusal(&*result.refusal);
  } else {
    json.warnings(plugin_state().diagnostics);
  }
  return json.dump();
}

}  // namespace

// The registration guard would call a reply that cannot be made a failed reload; what applied
// has applied, so the log says that, and what became of the reply.
void console_reload(APlayerController* player, FString* command, bool /*flag*/) {
  const bool json = status_request(host::utf8_of(command)).json;
  const LoadResult result = reload_configuration();
  try {
    const PlayerReply reply(player);
    if (json) {
      reply.send(result.applied() ? kGreen : kRed, json_reply(result));
    } else if (result.refusal) {
      reply.send(kRed, config::kReloadFailed);
      reply.send(kRed, config::refusal_line(*result.refusal));
    } else {
      reply.send(kGreen, config::kReloaded);
    }
    if (result.warnings > 0 && !json) {
      reply.send(kYellow, fmt::format(config::kWarningsNotice, result.warnings,
                                      result.warnings == 1 ? "warning" : "warnings"));
    }
  } catch (const std::exception& error) {
    plugin_state().log.error(config::kReplyFailed, config::kReloadCommand,
                             result.applied() ? "applied the configuration" : "changed nothing",
                             error.what());
  }
  if (result.refusal) log_refusal(*result.refusal);
}

void rcon_reload(RCONClientConnection* connection, RCONPacket* packet, UWorld* /*world*/) {
  const LoadResult result = reload_configuration();
  if (result.refusal) log_refusal(*result.refusal);
  if (status_request(host::utf8_of(&packet->Body)).json) {
    send_rcon_reply(connection, *packet, json_reply(result));
    return;
  }
  send_rcon_reply(connection, *packet,
                  result.refusal ? result.refusal->text : std::string(config::kReloaded));
}

}  // namespace quellwarden
