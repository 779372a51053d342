// Framing of the Source RCON protocol: little-endian size, id and type, then the body and two NULs.
#include "tools/sandbox/rcon_protocol.h"

namespace quellwarden::sandbox {
namespace {

std::int32_t read_int32(const char* bytes) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  }
  return static_cast<std::int32_t>(value);
}

void append_int32(std::string& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) {
    out += static_cast<char>((bits >> (8 * i)) & 0xFF);
  }
}

}  // namespace

void RconPacketReader::feed(const char* data, std::size_t size) {
  if (malformed_) {
    return;
  }
  // Drop what was handed out before the buffer grows, so a long session stays small.
  if (start_ > 0 && start_ >= buffer_.size() / 2) {
    buffer_.erase(0, start_);
    start_ = 0;
  }
  buffer_.append(data, size);
}

std::optional<RconPacket> RconPacketReader::next() {
  if (malformed_) {
    return std::nullopt;
  }
  const std::size_t available = buffer_.size() - start_;
  if (available < 4) {
    return std::nullopt;
  }
  const char* head = buffer_.data() + start_;
  const std::int32_t size = read_int32(head);
  if (size < kRconMinSize || size > kRconMaxSize) {
    malformed_ = true;
    return std::nullopt;
  }
  const auto whole = static_cast<std::size_t>(size) + 4;
  if (available < whole) {
    return std::nullopt;
  }
  if (head[whole - 2] != '\0' || head[whole - 1] != '\0') {
    malformed_ = true;
    return std::nullopt;
  }
  RconPacket packet{read_int32(head + 4), read_int32(head + 8), std::string(head + 12, whole - 14)};
  start_ += whole;
  return packet;
}

std::string encode_rcon_packet(const RconPacket& packet) {
  std::string out;
  out.reserve(packet.body.size() + 14);
  append_int32(out, static_cast<std::int32_t>(packet.body.size() + 10));
  append_int32(out, packet.id);
  append_int32(out, packet.type);
  out += packet.body;
  out.append(2, '\0');
  return out;
}

}  // namespace quellwarden::sandbox
