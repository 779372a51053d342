// The messenger is the host's; the plugin holds its share only while it replies.
#include "plugin/player_messages.h"

#include "host/format.h"
#include "plugin/module_path.h"

namespace quellwarden {

PlayerReply::PlayerReply(APlayerController* player) : player_(player) {
  const FString path = module_path();
  messenger_ = AsaApi::GetApiUtils().GetMessenger(path);
}

void PlayerReply::send(const FLinearColor& colour, std::string_view text) const {
  if (player_ == nullptr || messenger_ == nullptr) {
    return;
  }
  const FString message = host::format_fstring("{}", text);
  messenger_->SendColoredMessage(player_, colour, message);
}

}  // namespace quellwarden
