// One reload request over RCON on a connection of its own, and the one reply it gets.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

#include "standin/standin.h"

namespace qw_test {

inline standin::RconReply rcon_reload(std::int32_t id = 1,
                                      std::string_view body = "Quellwarden.reload") {
  const standin::RconConnection connection;
  const auto before = standin::rcon_replies().size();
  EXPECT_TRUE(standin::run_rcon_command(connection, id, body));
  const auto replies = standin::rcon_replies();
  EXPECT_EQ(replies.size(), before + 1) << "one request, one reply";
  return replies.size() > before ? replies.back() : standin::RconReply{};
}

}  // namespace qw_test
