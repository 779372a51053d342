// Tests for the checker's dates and spans of time, across the whole 64-bit range.
#include "config/time_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace quellwarden::config {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

TEST(check_time_text_test, utc_text_covers_calendar_edges) {
  EXPECT_EQ(utc_text(1700172800), "2023-11-16 22:13:20 UTC");
  EXPECT_EQ(utc_text(0), "1970-01-01 00:00:00 UTC");
  EXPECT_EQ(utc_text(-1), "1969-12-31 23:59:59 UTC");
  EXPECT_EQ(utc_text(951782400), "2000-02-29 00:00:00 UTC");
  EXPECT_EQ(utc_text(4107542399), "2100-02-28 23:59:59 UTC");
  EXPECT_EQ(utc_text(4107542400), "2100-03-01 00:00:00 UTC");
  EXPECT_EQ(utc_text(2147483648), "2038-01-19 03:14:08 UTC");
  EXPECT_EQ(utc_text(-62167219200), "0000-01-01 00:00:00 UTC");
  EXPECT_EQ(utc_text(-62167219201), "-0001-12-31 23:59:59 UTC");
  EXPECT_EQ(utc_text(kMax), "292277026596-12-04 15:30:07 UTC");
  EXPECT_EQ(utc_text(kMin), "-292277022657-01-27 08:29:52 UTC");
}

TEST(check_time_text_test, duration_text_keeps_two_largest_units_rounded_down) {
  EXPECT_EQ(duration_text(0), "0s");
  EXPECT_EQ(duration_text(59), "59s");
  EXPECT_EQ(duration_text(60), "1m");
  EXPECT_EQ(duration_text(3599), "59m 59s");
  EXPECT_EQ(duration_text(3600), "1h");
  EXPECT_EQ(duration_text(3661), "1h 1m");
  EXPECT_EQ(duration_text(86400), "1d");
  EXPECT_EQ(duration_text(47 * 3600), "1d 23h");
  EXPECT_EQ(duration_text(48 * 3600 - 1), "1d 23h");
  EXPECT_EQ(duration_text(90061), "1d 1h");
  EXPECT_EQ(duration_text(std::numeric_limits<std::uint64_t>::max()), "213503982334601d 7h");
}

TEST(check_time_text_test, status_and_relative_text_turn_at_the_unlock_second) {
  EXPECT_EQ(unlock_status(1700172800, 1700003600), "locked, 1d 23h left");
  EXPECT_EQ(unlock_status(1700172800, 1700172799), "locked, 1s left");
  EXPECT_EQ(unlock_status(1700172800, 1700172800), "released");
  EXPECT_EQ(unlock_status(kMin, kMax), "released");
  EXPECT_EQ(unlock_status(kMax, kMin), "locked, 213503982334601d 7h left");
  EXPECT_EQ(relative_text(100, 100), "now");
  EXPECT_EQ(relative_text(100 + 3600, 100), "in 1h");
  EXPECT_EQ(relative_text(100, 100 + 90), "1m 30s ago");
  EXPECT_EQ(seconds_between(kMin, kMax), std::numeric_limits<std::uint64_t>::max());
}

}  // namespace
}  // namespace quellwarden::config
