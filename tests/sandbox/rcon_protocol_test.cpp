// The RCON packet reader: framing across arbitrary pieces, and the bounds that make a stream
// malformed for good.
#include "tools/sandbox/rcon_protocol.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

using quellwarden::sandbox::encode_rcon_packet;
using quellwarden::sandbox::RconPacket;
using quellwarden::sandbox::RconPacketReader;
using ::testing::ElementsAre;
using namespace std::string_literals;

std::string size_field(std::int32_t size) {
  const auto bits = static_cast<std::uint32_t>(size);
  return {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
          static_cast<char>((bits >> 16) & 0xFF), static_cast<char>((bits >> 24) & 0xFF)};
}

std::vector<RconPacket> drain(RconPacketReader& reader) {
  std::vector<RconPacket> out;
  while (auto packet = reader.next()) {
    out.push_back(*packet);
  }
  return out;
}

TEST(rcon_protocol_test, encodes_little_endian_size_id_type_body_and_two_nuls) {
  EXPECT_EQ(encode_rcon_packet({7, 2, "hi"}), "\x0c\0\0\0\x07\0\0\0\x02\0\0\0hi\0\0"s);
  EXPECT_EQ(encode_rcon_packet({-1, 2, ""}), "\x0a\0\0\0\xff\xff\xff\xff\x02\0\0\0\0\0"s);
}

TEST(rcon_protocol_test, packets_fed_a_byte_at_a_time_come_out_whole_and_in_order) {
  const std::vector<RconPacket> sent{{1, 3, "secret"}, {-2, 2, ""}, {0x12345678, 2, "a b"}};
  std::string bytes;
  for (const auto& packet : sent) {
    bytes += encode_rcon_packet(packet);
  }
  RconPacketReader reader;
  std::vector<RconPacket> received;
  for (const char byte : bytes) {
    reader.feed(&byte, 1);
    for (auto& packet : drain(reader)) {
      received.push_back(std::move(packet));
    }
  }
  EXPECT_EQ(received, sent);
  EXPECT_FALSE(reader.malformed());
}

TEST(rcon_protocol_test, sizes_from_ten_to_the_largest_body_are_accepted) {
  const std::string largest(4096, 'x');
  RconPacketReader reader;
  const std::string bytes = encode_rcon_packet({1, 2, ""}) + encode_rcon_packet({2, 2, largest});
  reader.feed(bytes.data(), bytes.size());
  EXPECT_THAT(drain(reader), ElementsAre(RconPacket{1, 2, ""}, RconPacket{2, 2, largest}));
  EXPECT_FALSE(reader.malformed());
}

TEST(rcon_protocol_test, a_size_out_of_bounds_or_missing_nuls_make_the_stream_malformed_for_good) {
  const std::string valid = encode_rcon_packet({5, 2, "after"});
  for (const std::string& bad :
       {size_field(9) + std::string(9, '\0'), size_field(4107) + std::string(4107, '\0'),
        size_field(-10), size_field(0x7FFFFFFF), size_field(12) + "\1\0\0\0\2\0\0\0ab\0x"s,
        size_field(12) + "\1\0\0\0\2\0\0\0abc\0"s}) {
    RconPacketReader reader;
    const std::string bytes = encode_rcon_packet({4, 2, "before"}) + bad + valid;
    reader.feed(bytes.data(), bytes.size());
    EXPECT_THAT(drain(reader), ElementsAre(RconPacket{4, 2, "before"}));
    EXPECT_TRUE(reader.malformed());
    reader.feed(valid.data(), valid.size());
    EXPECT_EQ(reader.next(), std::nullopt);
  }
}

TEST(rcon_protocol_test, an_incomplete_packet_waits_without_being_malformed) {
  const std::string bytes = encode_rcon_packet({9, 2, "Quellwarden.reload"});
  RconPacketReader reader;
  reader.feed(bytes.data(), bytes.size() - 1);
  EXPECT_EQ(reader.next(), std::nullopt);
  EXPECT_FALSE(reader.malformed());
  reader.feed(bytes.data() + bytes.size() - 1, 1);
  EXPECT_THAT(reader.next(), ::testing::Optional(RconPacket{9, 2, "Quellwarden.reload"}));
}

}  // namespace
