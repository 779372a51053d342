// A failed reload is never reported as success and never reaches the host as an exception.
#include "plugin/reload_commands.h"

#include <fmt/format.h>

#include <exception>
#include <string>

#include "config/vocabulary.h"
#include "log/printable.h"
#include "plugin/attempt.h"
#include "plugin/player_messages.h"
#include "plugin/plugin_state.h"
#include "plugin/rcon_reply.h"
#include "plugin/unlocks_command.h"

namespace quellwarden {
namespace {

struct ReloadResult {
  bool applied = false;
  std::size_t warnings = 0;
  std::string failure;  // for RCON: the text the loader logged, or the exception's
  bool thrown = false;  // the loader did not log it; the callback must
};

// The chat command follows the configuration now in force.
ReloadResult reload() {
  try {
    const config::LoadOutcome outcome = LoadConfig();
    sync_chat_command();
    const std::size_t warnings = outcome.applied() ? plugin_state().diagnostics.size() : 0;
    return {outcome.applied(), warnings, outcome.failure.value_or(std::string()), false};
  } catch (const std::exception& error) {
    return {false, 0, printable(error.what()), true};
  }
}

}  // namespace

void console_reload(APlayerController* player, FString* /*command*/, bool /*flag*/) {
  run_command(config::kReloadCommand, [&] {
    const ReloadResult result = reload();
    {
      const PlayerReply reply(player);
      reply.send(result.applied ? kGreen : kRed,
                 result.applied ? config::kReloaded : config::kReloadFailed);
      if (result.warnings > 0) {
        reply.send(kYellow, fmt::format(config::kWarningsNotice, result.warnings,
                                        result.warnings == 1 ? "warning" : "warnings"));
      }
    }
    if (result.thrown) {
      plugin_state().log.error_text(result.failure);
    }
  });
}

void rcon_reload(RCONClientConnection* connection, RCONPacket* packet, UWorld* /*world*/) {
  run_command(config::kReloadCommand, [&] {
    const ReloadResult result = reload();
    if (result.thrown) {
      plugin_state().log.error_text(result.failure);
    }
    send_rcon_reply(connection, *packet, result.applied ? config::kReloaded : result.failure);
  });
}

}  // namespace quellwarden
