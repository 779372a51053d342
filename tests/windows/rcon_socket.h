// A blocking Winsock client speaking Source RCON to the sandbox, with a receive timeout so that no
// test hangs on the network.
#pragma once

#include <winsock2.h>

#include <cstdint>
#include <optional>

#include "tools/sandbox/rcon_protocol.h"

namespace qw_windows {

class RconSocket {
 public:
  // Connects to 127.0.0.1:port; throws std::runtime_error with Winsock's error number otherwise.
  explicit RconSocket(std::uint16_t port);
  RconSocket(const RconSocket&) = delete;
  RconSocket& operator=(const RconSocket&) = delete;
  ~RconSocket();

  bool send(const quellwarden::sandbox::RconPacket& packet);
  // The next packet; nothing when the server closed the connection or nothing came in time.
  std::optional<quellwarden::sandbox::RconPacket> receive();

 private:
  SOCKET socket_ = INVALID_SOCKET;
  quellwarden::sandbox::RconPacketReader reader_;
};

}  // namespace qw_windows
