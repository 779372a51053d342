// A failed reload is never reported as success and never reaches the host as an exception.
#include "plugin/reload_commands.h"

#include <exception>
#include <string>

#include "plugin/player_messages.h"
#include "plugin/plugin_state.h"
#include "plugin/rcon_reply.h"

namespace quellwarden {
namespace {

constexpr const char* kReloaded = "Quellwarden : Reloaded config";
constexpr const char* kReloadFailed = "Quellwarden: Failed to reload config";

struct ReloadResult {
  bool applied = false;
  std::string failure;  // for RCON: the text the loader logged, or the exception's
  bool thrown = false;  // the loader did not log it; the callback must
};

ReloadResult reload() {
  try {
    const config::LoadOutcome outcome = LoadConfig();
    return {outcome.applied(), outcome.failure.value_or(std::string()), false};
  } catch (const std::exception& error) {
    return {false, error.what(), true};
  }
}

}  // namespace

void console_reload(APlayerController* player, FString* /*command*/, bool /*flag*/) {
  const ReloadResult result = reload();
  {
    const PlayerReply reply(player);
    reply.send(result.applied ? kGreen : kRed, result.applied ? kReloaded : kReloadFailed);
  }
  if (result.thrown) {
    plugin_state().log.error_text(result.failure);
  }
}

void rcon_reload(RCONClientConnection* connection, RCONPacket* packet, UWorld* /*world*/) {
  const ReloadResult result = reload();
  if (result.thrown) {
    plugin_state().log.error_text(result.failure);
  }
  send_rcon_reply(connection, *packet, result.applied ? kReloaded : result.failure);
}

}  // namespace quellwarden
