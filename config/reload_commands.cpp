// A failed reload is never reported as success and never reaches the host as an exception.
#include "config/reload_commands.h"

#include <exception>
#include <optional>
#include <string>

#include "config/loader.h"
#include "host/asa_api.h"
#include "host/binding.h"
#include "host/format.h"
#include "host/platform_calls.h"
#include "log/plugin_log.h"

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
    LoadOutcome outcome = LoadConfig();
    return {outcome.applied(), outcome.failure.value_or(std::string()), false};
  } catch (const std::exception& error) {
    return {false, error.what(), true};
  }
}

// The full path of the plugin's own library file, as the messenger lookup wants it.
FString module_path() {
  platform::HMODULE module = nullptr;
  GetModuleHandleExA(platform::kModuleFromAddress | platform::kModuleUnchangedRefcount,
                     reinterpret_cast<const char*>(&module_path), &module);
  WIDECHAR path[platform::kMaxPath] = {};
  GetModuleFileNameW(module, path, platform::kMaxPath);
  return FString(path);
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
    log_error_text(result.failure);
  }
}

void rcon_reload(RCONClientConnection* connection, RCONPacket* packet, UWorld* /*world*/) {
  FString reply;
  const ReloadResult result = reload();
  if (result.thrown) {
    log_error_text(result.failure);
  }
  reply = FString(result.applied ? kReloaded : result.failure.c_str());
  host::call_game<void, RCONClientConnection*, int, int, FString&>(
      "RCONClientConnection.SendMessage(int,int,FString&)", connection, packet->Id, 0, reply);
}

}  // namespace quellwarden
