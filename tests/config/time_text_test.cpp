// Tests for the dates and spans of time the checker and the plugin write, across the whole 64-bit
// range, and for dates read back from text.
#include "config/time_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "config/date_reading.h"

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
  EXPECT_EQ(unlock_status(1700172800, 1700003600), "locked, 1d 23h 0m left");
  EXPECT_EQ(unlock_status(1700172800, 1700172799), "locked, 1s left");
  EXPECT_EQ(unlock_status(1700172800, 1700172800), "released");
  EXPECT_EQ(unlock_status(kMin, kMax), "released");
  EXPECT_EQ(unlock_status(kMax, kMin), "locked, 213503982334601d 7h 0m left");
  EXPECT_EQ(relative_text(100, 100), "now");
  EXPECT_EQ(relative_text(100 + 3600, 100), "in 1h");
  EXPECT_EQ(relative_text(100, 100 + 90), "1m 30s ago");
  EXPECT_EQ(seconds_between(kMin, kMax), std::numeric_limits<std::uint64_t>::max());
}

std::optional<std::int64_t> date_of(std::string_view text) { return read_date(text).unix_seconds; }

TEST(date_reading_test, every_spelling_of_one_instant_and_exact_calendar) {
  for (const std::string_view same :
       {"2026-01-08T18:00:00Z", "2026-01-08 18:00:00 UTC", "2026-01-08T20:00:00+02:00",
        "2026-01-08T12:30:00-05:30", "2026-01-08T18:00Z", "2026-01-08T18:00:00.000Z",
        "2026-01-08T18:00:00.999999Z", "2026-01-08T20:00:00+0200", "2026-01-08t18:00:00z",
        "2026-01-08 18:00 utc", "2026-01-08T12:30-0530", "2026-01-08 20:00 +02:00",
        "2026-01-08T18:00:00 Z", "2026-01-08 18:00UTC"}) {
    EXPECT_EQ(date_of(same), 1767895200) << same;
  }
  EXPECT_EQ(read_date("2026-01-08T20:00+0200").offset, 7200);
  EXPECT_EQ(read_date("2026-01-08 20:00 +02:00").offset, 7200);
  EXPECT_EQ(read_date("2026-01-08T12:30:00-05:30").offset, -19800);
  EXPECT_FALSE(read_date("2026-01-08T18:00:00Z").offset);
  EXPECT_EQ(date_of(utc_text(-62167219200)), -62167219200);  // 0000-01-01, a leap year
  EXPECT_EQ(date_of("2000-02-29T00:00:00Z"), 951782400);
  EXPECT_EQ(date_of("2028-02-29T23:59:59Z"), 1835481599);
  for (const std::string_view bad :
       {"2026-02-29T00:00:00Z", "2100-02-29T00:00:00Z", "2026-04-31T00:00:00Z",
        "2026-13-01T00:00:00Z", "2026-00-10T00:00:00Z", "2026-01-00T00:00:00Z"}) {
    EXPECT_EQ(read_date(bad).problem, "names a day that its month does not have") << bad;
  }
  EXPECT_EQ(read_date("2026-01-08T24:00:00Z").problem, "has a time of day out of range");
  EXPECT_EQ(read_date("2026-01-08T23:59:60Z").problem, "has a time of day out of range");
}

TEST(date_reading_test, refusals_say_what_is_missing) {
  EXPECT_THAT(read_date("2026-01-08T18:00:00").problem, ::testing::StartsWith("has no zone"));
  EXPECT_EQ(read_date("2026-01-08").problem, "has no time of day and no zone");
  EXPECT_EQ(read_date("1767895200").problem, "is a number in quotes");
  EXPECT_THAT(read_date("2026-01-08T18:00").problem, ::testing::StartsWith("has no zone"));
  EXPECT_THAT(read_date("2026-01-08t18:00:00.5").problem, ::testing::StartsWith("has no zone"));
  for (const std::string_view bad :
       {"", "yesterday", "2026-1-08T18:00:00Z", "2026-01-08T18:00:00  Z", "2026-01-08T18Z",
        "2026-01-08T18:00:00+2:00", "2026-01-08T18:00:00+24:00", "2026-01-08T18:00:00 ",
        "2026-01-08_18:00:00Z", "2026-01-08T18:00:00.Z", "2026-01-08T18:00.5Z",
        "2026-01-08T18:00:00+02:0", "2026-01-08T18:00:00+020"}) {
    EXPECT_EQ(read_date(bad).problem, "is not a date the plugin reads") << bad;
    EXPECT_FALSE(read_date(bad).unix_seconds) << bad;
  }
}

TEST(date_reading_test, zone_names_are_refused_with_the_offset_to_write) {
  const std::vector<std::pair<std::string, std::string>> named{
      {"GMT", "+00:00"}, {"WET", "+00:00"},  {"WEST", "+01:00"}, {"BST", "+01:00"},
      {"CET", "+01:00"}, {"CEST", "+02:00"}, {"EET", "+02:00"},  {"EEST", "+03:00"},
      {"EST", "-05:00"}, {"EDT", "-04:00"},  {"CST", "-06:00"},  {"CDT", "-05:00"},
      {"MST", "-07:00"}, {"MDT", "-06:00"},  {"PST", "-08:00"},  {"PDT", "-07:00"}};
  for (const auto& [name, offset] : named) {
    EXPECT_EQ(read_date("2026-12-11 19:00 " + name).suggestion,
              "zone names are not read; " + name + " is " + offset +
                  ": write \"2026-12-11T19:00:00" + offset + "\"");
  }
  const DateReading glued = read_date("2026-07-04T09:30:15pdt");
  EXPECT_EQ(glued.problem, "ends in a zone name");
  EXPECT_EQ(glued.suggestion,
            "zone names are not read; PDT is -07:00: write \"2026-07-04T09:30:15-07:00\"");
  EXPECT_THAT(read_date("2026-12-11 19:00 Europe/Berlin").suggestion,
              ::testing::StartsWith("zone names are not read; write the zone's offset at that "
                                    "date instead, such as \"2026-12-11T19:00:00"));
  EXPECT_EQ(read_date("2026-02-30 19:00 CET").suggestion,
            "zone names are not read; write the zone's offset instead");
  EXPECT_EQ(read_date("2026-02-30T19:00").suggestion, "");
}

TEST(date_reading_test, thirteen_digits_look_like_milliseconds) {
  EXPECT_EQ(read_date("1797012000000").suggestion,
            "1797012000000 looks like milliseconds; write 1797012000");
  EXPECT_EQ(read_date("1797012000").suggestion, "");
  for (const std::string_view seconds : {"999999999999", "0001797012000", "-1797012000000"}) {
    EXPECT_FALSE(milliseconds_note(seconds)) << seconds;
  }
}

}  // namespace
}  // namespace quellwarden::config
