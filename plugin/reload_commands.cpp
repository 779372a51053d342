// A failed reload is never reported as success. On the console the reply comes before the log
// line, over RCON after it, as the reload commands have always answered.
#include "plugin/reload_commands.h"

#include <fmt/format.h>

#include <string>

#include "config/vocabulary.h"
#include "plugin/attempt.h"
#include "plugin/player_messages.h"
#include "plugin/plugin_state.h"
#include "plugin/rcon_reply.h"
#include "plugin/unlocks_command.h"

namespace quellwarden {
namespace {

// The chat command follows the configuration now in force.
LoadResult reload() {
  LoadResult result = LoadConfig();
  sync_chat_command();
  return result;
}

}  // namespace

void console_reload(APlayerController* player, FString* /*command*/, bool /*flag*/) {
  run_command(config::kReloadCommand, [&] {
    const LoadResult result = reload();
    {
      const PlayerReply reply(player);
      reply.send(result.applied() ? kGreen : kRed,
                 result.applied() ? config::kReloaded : config::kReloadFailed);
      if (result.warnings > 0) {
        reply.send(kYellow, fmt::format(config::kWarningsNotice, result.warnings,
                                        result.warnings == 1 ? "warning" : "warnings"));
      }
    }
    if (result.refusal) log_refusal(*result.refusal);
  });
}

void rcon_reload(RCONClientConnection* connection, RCONPacket* packet, UWorld* /*world*/) {
  run_command(config::kReloadCommand, [&] {
    const LoadResult result = reload();
    if (result.refusal) log_refusal(*result.refusal);
    send_rcon_reply(connection, *packet,
                    result.refusal ? result.refusal->text : std::string(config::kReloaded));
  });
}

}  // namespace quellwarden
