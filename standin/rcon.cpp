// RCON client connections and the game's SendMessage, which writes a reply onto one of them.
#include "standin/world.h"

namespace standin {
namespace {

struct RconState {
  std::mutex mutex;
  std::vector<RconReply> replies;
};

RconState& state() { return detail::forever<RconState>(); }

}  // namespace

RCONClientConnection* open_rcon_connection(RconReplySink sink) {
  return new RCONClientConnection{std::move(sink)};
}

void close_rcon_connection(RCONClientConnection* connection) { delete connection; }

std::vector<RconReply> rcon_replies() {
  const std::lock_guard lock(state().mutex);
  return state().replies;
}

namespace detail {

void game_rcon_send_message(RCONClientConnection* connection, int id, int type, FString& text) {
  const RconReply reply{id, type, utf16_to_utf8(text.view())};
  {
    const std::lock_guard lock(state().mutex);
    state().replies.push_back(reply);
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

void reset_records() {
  detail::reset_game_records();
  detail::reset_messenger_records();
  detail::reset_rcon_records();
  detail::reset_failures();
  thaw_clock();
  reset_world();
}

}  // namespace standin
