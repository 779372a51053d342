// A failed reload is never reported as success and never reaches the host as an exception.
#include "plugin/reload_commands.h"

#include <exception>
#include <string>

#include "host/asa_api.h"
#include "host/format.h"
#include "host/game_functions.h"
#include "plugin/module_path.h"
#include "plugin/plugin_state.h"

namespace quellwarden {
namespace {

constexpr FLinearColor kGreen{0.0F, 1.0F, 0.0F, 1.0F};
constexpr FLinearColor kRed{1.0F, 0.0F, 0.0F, 1.0F};
constexpr const char* kReloaded = "Quellwarden : Reloaded config";

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

void reply_to_player(APlayerController* player, bool applied) {
  std::shared_ptr<AsaApi::IMessenger> messenger;
  {
    const FString path = module_path();
    messenger = AsaApi::GetApiUtils().GetMessenger(path);
  }
  if (player == nullptr || messenger == nullptr) {
    return;
  }
  const FString text = applied ? host::format_fstring("Quellwarden : Reloaded config")
                               : host::format_fstring("Quellwarden: Failed to reload config");
  messenger->SendColoredMessage(player, applied ? kGreen : kRed, text);
}

}  // namespace

void console_reload(APlayerController* player, FString* /*command*/, bool /*flag*/) {
  const ReloadResult result = reload();
  reply_to_player(player, result.applied);
  if (result.thrown) {
    plugin_state().log.error_text(result.failure);
  }
}

void rcon_reload(RCONClientConnection* connection, RCONPacket* packet, UWorld* /*world*/) {
  const PluginLog& log = plugin_state().log;
  FString reply;
  const ReloadResult result = reload();
  if (result.thrown) {
    log.error_text(result.failure);
  }
  reply = FString(result.applied ? kReloaded : result.failure.c_str());
  try {
    host::call(host::game::rcon_send_message, connection, packet->Id, 0, reply);
  } catch (const host::UnresolvedName& error) {
    // No way to answer: say so where the admin can see it rather than unwind into the host.
    log.error_text(error.what());
  }
}

}  // namespace quellwarden
