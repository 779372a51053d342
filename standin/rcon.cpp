// RCON client connections and the game's SendMessage, which writes a reply onto one of them.
#include "standin/rcon.h"

#include <utility>

#include "standin/records.h"
#include "standin/world.h"

namespace standin {
namespace {

detail::Records<RconReply>& replies() { return detail::forever<detail::Records<RconReply>>(); }

}  // namespace

RconConnection::RconConnection(RconReplySink sink)
    : connection_(std::make_unique<RCONClientConnection>(RCONClientConnection{std::move(sink)})) {}

RconConnection::RconConnection(RconConnection&& other) noexcept = default;
RconConnection& RconConnection::operator=(RconConnection&& other) noexcept = default;
RconConnection::~RconConnection() = default;

std::vector<RconReply> rcon_replies() { return replies().latest(); }

namespace detail {

void game_rcon_send_message(RCONClientConnection* connection, int id, int type, FString& text) {
  const RconReply reply{id, type, utf16_to_utf8(text.view())};
  replies().add(reply);
  if (connection != nullptr && connection->sink) {
    connection->sink(reply);
  }
}

void reset_rcon_records() { replies().clear(); }

}  // namespace detail
}  // namespace standin
