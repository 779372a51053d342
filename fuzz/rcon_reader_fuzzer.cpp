// Fuzzes the sandbox's RCON packet reader with byte streams cut into arbitrary pieces: whatever
// the cut, it must yield the packets that framing the whole stream at once yields, each of which
// encodes back to its bytes, and it must stop for good at the first malformed frame.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/sandbox/rcon_protocol.h"

namespace {

using quellwarden::sandbox::RconPacket;
using quellwarden::sandbox::RconPacketReader;

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "rcon_reader_fuzzer: %s\n", what);
  std::abort();
}

std::int32_t little_endian_int32(std::string_view bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = 4; i-- > 0;) {
    value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  }
  return static_cast<std::int32_t>(value);
}

struct Framing {
  std::vector<std::string> frames;  // the raw bytes of each whole packet, in order
  bool malformed = false;
};

// The stream framed in one go, straight from the protocol's rules.
Framing frame_whole(std::string_view stream) {
  Framing out;
  while (stream.size() >= 4) {
    const std::int32_t size = little_endian_int32(stream);
    if (size < quellwarden::sandbox::kRconMinSize || size > quellwarden::sandbox::kRconMaxSize) {
      out.malformed = true;
      break;
    }
    const std::size_t whole = static_cast<std::size_t>(size) + 4;
    if (stream.size() < whole) break;
    if (stream[whole - 2] != '\0' || stream[whole - 1] != '\0') {
      out.malformed = true;
      break;
    }
    out.frames.emplace_back(stream.substr(0, whole));
    stream.remove_prefix(whole);
  }
  return out;
}

// The input is a cut plan and a stream: byte 0 says how many piece lengths follow (1 to 16);
// the stream is fed in pieces of those lengths, cycling, a length of 0 feeding an empty piece.
struct Plan {
  std::vector<std::size_t> pieces;  // never empty, never all 0
  std::string_view stream;
};

Plan split_input(const std::uint8_t* data, std::size_t size) {
  Plan plan;
  const std::size_t count = size == 0 ? 0 : std::min<std::size_t>(data[0] % 16 + 1, size - 1);
  const std::size_t skipped = size == 0 ? 0 : 1 + count;
  if (count > 0) plan.pieces.assign(data + 1, data + 1 + count);
  if (std::all_of(plan.pieces.begin(), plan.pieces.end(), [](std::size_t n) { return n == 0; })) {
    plan.pieces.assign(1, SIZE_MAX);  // no usable cut: the stream in one piece
  }
  plan.stream = std::string_view(reinterpret_cast<const char*>(data) + skipped, size - skipped);
  return plan;
}

void take_packets(RconPacketReader& reader, std::vector<RconPacket>& packets) {
  while (std::optional<RconPacket> packet = reader.next()) {
    packets.push_back(std::move(*packet));
  }
}

std::vector<RconPacket> read_in_pieces(const Plan& plan, RconPacketReader& reader) {
  std::vector<RconPacket> packets;
  std::string_view rest = plan.stream;
  for (std::size_t turn = 0; !rest.empty(); ++turn) {
    const std::size_t length = std::min(plan.pieces[turn % plan.pieces.size()], rest.size());
    reader.feed(rest.data(), length);
    rest.remove_prefix(length);
    take_packets(reader, packets);
  }
  take_packets(reader, packets);
  return packets;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Plan plan = split_input(data, size);
  RconPacketReader reader;
  const std::vector<RconPacket> packets = read_in_pieces(plan, reader);
  const Framing expected = frame_whole(plan.stream);

  if (packets.size() != expected.frames.size())
    fail("the pieces gave other packets than the whole");
  for (std::size_t i = 0; i < packets.size(); ++i) {
    if (quellwarden::sandbox::encode_rcon_packet(packets[i]) != expected.frames[i]) {
      fail("a packet does not encode back to the bytes it was read from");
    }
  }
  if (reader.malformed() != expected.malformed) fail("malformed differs from the whole stream's");
  if (reader.malformed()) {
    reader.feed("\x0a\0\0\0\0\0\0\0\0\0\0\0\0\0", 14);
    if (reader.next()) fail("a malformed stream yielded a packet afterwards");
  }
  return 0;
}
