// A deliberately plain RCON client over a blocking socket, able to send whatever bytes a test
// wants, well-formed or not.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tools/sandbox/rcon_protocol.h"

namespace qw_sandbox_test {

class RconClient {
 public:
  // Connects to 127.0.0.1:port; every later wait gives up after `timeout_ms`. A small receive
  // buffer makes a client that does not read fill up sooner.
  explicit RconClient(std::uint16_t port, int timeout_ms = 15000,
                      bool small_receive_buffer = false);
  RconClient(const RconClient&) = delete;
  RconClient& operator=(const RconClient&) = delete;
  ~RconClient();

  // False once the server has closed the connection.
  bool send_bytes(std::string_view bytes);
  bool send(const quellwarden::sandbox::RconPacket& packet);
  // The next packet; nothing when the server closed the connection or nothing came in time.
  std::optional<quellwarden::sandbox::RconPacket> receive();
  // True when the server closes the connection (rather than leaving it open past the timeout).
  bool closed_by_server();
  // Sends the password and reads the verdict: true for an AUTH_RESPONSE carrying our id.
  bool authenticate(std::string_view password, std::int32_t id = 1);

 private:
  // Bytes read: 0 at the server's close, -1 on timeout or error.
  long read_some(char* data, std::size_t size);

  int fd_ = -1;
  quellwarden::sandbox::RconPacketReader reader_;
};

}  // namespace qw_sandbox_test
