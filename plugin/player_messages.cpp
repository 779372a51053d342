// The messenger is the host's; the plugin holds its share only while it replies.
#include "plugin/player_messages.h"

#include "host/widen.h"
#include "plugin/module_path.h"
#include "text/printable.h"

namespace quellwarden {
namespace {

std::shared_ptr<AsaApi::IMessenger> plugin_messenger() {
  const FString path = module_path();
  return AsaApi::GetApiUtils().GetMessenger(path);
}

// Notices and replies carry names and texts from the file, which must not steer a player's chat.
// They are UTF-8, which the host's narrow constructor may read in another code page.
FString message_of(std::string_view text) { return host::widen(printable(text)); }

}  // namespace

PlayerReply::PlayerReply(APlayerController* player)
    : player_(player), messenger_(plugin_messenger()) {}

void PlayerReply::send(const FLinearColor& colour, std::string_view text) const {
  if (player_ == nullptr || messenger_ == nullptr) {
    return;
  }
  messenger_->SendColoredMessage(player_, colour, message_of(text));
}

void send_to_everyone(const FLinearColor& colour, std::string_view text) {
  const std::shared_ptr<AsaApi::IMessenger> messenger = plugin_messenger();
  if (messenger != nullptr) messenger->SendColoredMessageToAll(colour, message_of(text));
}

}  // namespace quellwarden
