// RCON client connections and the replies the game writes onto them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/export.h"
#include "host/game_types.h"

namespace standin {

struct RconReply {
  std::int32_t id = 0;
  std::int32_t type = 0;
  std::string text;  // UTF-8
};
using RconReplySink = std::function<void(const RconReply&)>;

// A client connection, open for as long as the handle lives; every SendMessage on it goes to
// the sink (and to rcon_replies()).
class ASAAPI_EXPORT RconConnection {
 public:
  explicit RconConnection(RconReplySink sink = {});
  RconConnection(RconConnection&& other) noexcept;
  RconConnection& operator=(RconConnection&& other) noexcept;
  RconConnection(const RconConnection&) = delete;
  RconConnection& operator=(const RconConnection&) = delete;
  ~RconConnection();

  // The game's connection object; null once moved from.
  [[nodiscard]] RCONClientConnection* get() const noexcept { return connection_.get(); }

 private:
  std::unique_ptr<RCONClientConnection> connection_;
};

// Runs the RCON command named by the first word of `body` for a request with `id` arriving on
// `connection`. False when no such command is registered.
ASAAPI_EXPORT bool run_rcon_command(const RconConnection& connection, std::int32_t id,
                                    std::string_view body);
// The latest replies (up to a few thousand since the last reset), oldest first.
ASAAPI_EXPORT std::vector<RconReply> rcon_replies();

}  // namespace standin
