// Coloured text to one player through the host's messenger.
#pragma once

#include <memory>
#include <string_view>

#include "host/asa_api.h"
#include "host/game_types.h"

namespace quellwarden {

inline constexpr FLinearColor kGreen{0.0F, 1.0F, 0.0F, 1.0F};
inline constexpr FLinearColor kRed{1.0F, 0.0F, 0.0F, 1.0F};
inline constexpr FLinearColor kYellow{1.0F, 1.0F, 0.0F, 1.0F};
inline constexpr FLinearColor kWhite{1.0F, 1.0F, 1.0F, 1.0F};

// One reply to one player: the messenger is looked up when the reply is made (also for a null
// player, as every console reply does) and its share released with the reply.
class PlayerReply {
 public:
  explicit PlayerReply(APlayerController* player);

  // Nothing is sent with no player or no messenger.
  void send(const FLinearColor& colour, std::string_view text) const;

 private:
  APlayerController* player_;
  std::shared_ptr<AsaApi::IMessenger> messenger_;
};

// One message to every player on the server; nothing is sent with no messenger.
void send_to_everyone(const FLinearColor& colour, std::string_view text);

}  // namespace quellwarden
