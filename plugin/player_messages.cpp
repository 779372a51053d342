// The messenger is the host's; the plugin holds its share only while it replies.
#include "plugin/player_messages.h"

#include "host/format.h"
#include "plugin/module_path.h"
#include "text/printable.h"

namespace quellwarden {

PlayerReply::PlayerReply(APlayerController* player) : player_(player) {
  const FString path = module_path();
  messenger_ = AsaApi::GetApiUtils().GetMessenger(path);
}

void PlayerReply::send(const FLinearColor& colour, std::string_view text) const {
  if (player_ == nullptr || messenger_ == nullptr) {
    return;
  }
  // Notices and replies carry names and texts from the file, which must not steer a player's chat.
  const FString message = needs_escape(text) ? host::format_fstring("{}", printable(text))
                                             : host::format_fstring("{}", text);
  messenger_->SendColoredMessage(player_, colour, message);
}

}  // namespace quellwarden
