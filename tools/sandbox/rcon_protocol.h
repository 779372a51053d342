// Source RCON packets: an incremental reader that frames and checks bytes as they arrive from an
// untrusted client, and the encoder for the packets the server sends back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace quellwarden::sandbox {

inline constexpr std::int32_t kRconAuth = 3;
inline constexpr std::int32_t kRconAuthResponse = 2;
inline constexpr std::int32_t kRconExecCommand = 2;
inline constexpr std::int32_t kRconResponseValue = 0;

// The largest body a client may send; the size field counts id, type, body and the two NULs.
inline constexpr std::size_t kRconMaxBody = 4096;
inline constexpr std::int32_t kRconMinSize = 10;
inline constexpr std::int32_t kRconMaxSize = static_cast<std::int32_t>(kRconMaxBody) + 10;

struct RconPacket {
  std::int32_t id = 0;
  std::int32_t type = 0;
  std::string body;

  friend bool operator==(const RconPacket&, const RconPacket&) = default;
};

// Fed whatever the network delivered, in any pieces; yields whole packets in order. A size field
// out of bounds or a packet not ending in two NULs makes the stream malformed for good: nothing
// after it can be framed reliably, so the connection has to go.
class RconPacketReader {
 public:
  void feed(const char* data, std::size_t size);
  // The next complete packet, or nothing when more bytes are needed or the stream is malformed.
  std::optional<RconPacket> next();
  [[nodiscard]] bool malformed() const { return malformed_; }

 private:
  std::string buffer_;
  std::size_t start_ = 0;  // bytes of buffer_ already handed out as packets
  bool malformed_ = false;
};

std::string encode_rcon_packet(const RconPacket& packet);

}  // namespace quellwarden::sandbox
