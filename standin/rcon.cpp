// RCON client connections and the game's SendMessage, which writes a reply onto one of them.
#include "standin/rcon.h"

#include <utility>

#include "standin/records.h"
#include "standin/world.h"

namespace standin {
namespace {

struct RconState {
  std::mutex mutex;
  detail::Records<RconReply> replies;
};

RconState& state() { return detail::forever<RconState>(); }

}  // namespace

RconConnection::RconConnection(RconReplySink sink)
    : connection_(std::make_unique<RCONClientConnection>(RCONClientConnection{std::move(sink)})) {}

RconConnection::RconConnection(RconConnection&& other) noexcept = default;
RconConnection& RconConnection::operator=(RconConnection&& other) noexcept = default;
RconConnection::~RconConnection() = default;

std::vector<RconReply> rcon_replies() {
  const std::lock_guard lock(state().mutex);
  return state().replies.latest();
}

namespace detail {

void game_rcon_send_message(RCONClientConnection* connection, int id, int type, FString& text) {
  const RconReply reply{id, type, utf16_to_utf8(text.view())};
  {
    const std::lock_guard lock(state().mutex);
    state().replies.add(reply);
  }
  if (connection != nullptr && connection->sink) {
    connection->sink(reply);
  }
}

void reset_rcon_records() {
  const std::lock_guard lock(state().mutex);
  state().replies.clear();
}

}  // namespace detail
}  // namespace standin
