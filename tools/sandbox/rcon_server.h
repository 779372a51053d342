// The RCON listener: Source RCON over TCP on loopback, on a network thread of its own. Requests
// are handed to the game thread; replies come back as bytes that the network thread writes, so
// a client that reads slowly or not at all never holds up the game.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "tools/sandbox/rcon_protocol.h"

namespace quellwarden::sandbox {

struct RconServerSettings {
  std::string address = "127.0.0.1";
  std::uint16_t port = 0;  // 0: a free port, see RconServer::port()
  std::string password;
  // A connection that has not sent the right password by then is closed, so that connections
  // left idle cannot take every place a client could have.
  std::chrono::seconds auth_timeout{10};
};

// What the server needs from the game side. `post` is called on the network thread and must only
// queue its task; everything else is called from a task that `post` queued, on the game thread.
struct RconGameSide {
  using Reply = std::function<void(const RconPacket&)>;
  std::function<void(std::function<void()>)> post;
  // Runs a request of client `client`; may call `reply` any number of times, also later.
  std::function<void(int client, const RconPacket& request, const Reply& reply)> run;
  // Something about a connection worth a transcript line.
  std::function<void(const std::string& line)> note;
};

class RconServer {
 public:
  // Binds at once; throws std::system_error when the address cannot be bound.
  RconServer(const RconServerSettings& settings, RconGameSide game);
  RconServer(const RconServer&) = delete;
  RconServer& operator=(const RconServer&) = delete;
  // Stops the network thread and drops every connection.
  ~RconServer();

  [[nodiscard]] std::uint16_t port() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quellwarden::sandbox
