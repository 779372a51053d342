// Tests for reading the configuration text: parsing, defaults, number conversion, list order.
#include "config/config_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>

namespace quellwarden::config {
namespace {

ParseResult parse_text(std::string_view text) {
  std::istringstream in{std::string(text)};
  return parse_document(in);
}

Configuration read_text(std::string_view text) {
  const ParseResult parsed = parse_text(text);
  EXPECT_FALSE(parsed.error.has_value()) << *parsed.error;
  return read_configuration(parsed.document);
}

// Expects the library's own type_error, with its id and its complete text.
void expect_type_error(std::string_view text, int id, std::string_view what) {
  const ParseResult parsed = parse_text(text);
  ASSERT_FALSE(parsed.error.has_value()) << *parsed.error;
  try {
    read_configuration(parsed.document);
    ADD_FAILURE() << "no error for " << text;
  } catch (const nlohmann::json::type_error& error) {
    EXPECT_EQ(error.id, id) << text;
    EXPECT_EQ(error.what(), what) << text;
  }
}

void expect_config_error(std::string_view text, std::string_view what) {
  try {
    read_text(text);
    ADD_FAILURE() << "no error for " << text;
  } catch (const ConfigError& error) {
    EXPECT_EQ(error.what(), what) << text;
  }
}

std::int64_t wipe_of(std::string_view value) {
  return read_text(R"({"WipeTimestamp":)" + std::string(value) + "}").wipe_timestamp;
}

void expect_entry(const DelayEntry& entry, std::string_view name, std::int64_t hours,
                  std::int64_t unlock) {
  EXPECT_EQ(entry.class_name, name);
  EXPECT_EQ(entry.hours, hours);
  EXPECT_EQ(entry.unlock_time, unlock);
}

TEST(config_reader_test, reads_both_lists_with_unlock_times) {
  const Configuration configuration = read_text(R"({
    "WipeTimestamp": 1700000000,
    "Unknown": [1, 2],
    "DinoSettings": {
      "DisallowRiding": {"A": {"HoursToDelay": 48}},
      "DisallowTaming": {"B": {"HoursToDelay": 72, "Other": "x"}, "A": {"HoursToDelay": 24}}
    }
  })");
  EXPECT_EQ(configuration.wipe_timestamp, 1700000000);
  ASSERT_EQ(configuration.riding.size(), 1u);
  expect_entry(configuration.riding[0], "A", 48, 1700172800);
  ASSERT_EQ(configuration.taming.size(), 2u);
  expect_entry(configuration.taming[0], "A", 24, 1700086400);
  expect_entry(configuration.taming[1], "B", 72, 1700259200);
}

TEST(config_reader_test, empty_object_gives_zero_wipe_and_no_entries) {
  const Configuration configuration = read_text("{}");
  EXPECT_EQ(configuration.wipe_timestamp, 0);
  EXPECT_TRUE(configuration.riding.empty());
  EXPECT_TRUE(configuration.taming.empty());
}

TEST(config_reader_test, only_first_value_is_read_and_bom_is_accepted) {
  EXPECT_EQ(read_text(R"({"WipeTimestamp": 5} {"WipeTimestamp": 6})").wipe_timestamp, 5);
  EXPECT_EQ(read_text(R"({"WipeTimestamp": 7} trailing garbage /* x */)").wipe_timestamp, 7);
  EXPECT_EQ(read_text("\xEF\xBB\xBF{\"WipeTimestamp\": 8}").wipe_timestamp, 8);
}

TEST(config_reader_test, bad_text_is_parse_error_with_library_description) {
  for (const std::string_view text : {"", "   ", "// note\n{}", "/* note */ {}", "{\"a\":"}) {
    const ParseResult parsed = parse_text(text);
    ASSERT_TRUE(parsed.error.has_value()) << text;
    EXPECT_EQ(parsed.error->rfind("[json.exception.parse_error.101] parse error at line ", 0), 0u)
        << *parsed.error;
    EXPECT_EQ(parsed.document, nlohmann::json::object());
  }
  const ParseResult too_large = parse_text(R"({"WipeTimestamp": 1e400})");
  ASSERT_TRUE(too_large.error.has_value());
  EXPECT_EQ(*too_large.error, "[json.exception.out_of_range.406] number overflow parsing '1e400'");
}

TEST(config_reader_test, holder_that_is_not_an_object_raises_306) {
  expect_type_error("[]", 306, "[json.exception.type_error.306] cannot use value() with array");
  expect_type_error("null", 306, "[json.exception.type_error.306] cannot use value() with null");
  expect_type_error(R"({"DinoSettings": null})", 306,
                    "[json.exception.type_error.306] cannot use value() with null");
  expect_type_error(R"({"DinoSettings": {"DisallowRiding": 5}})", 306,
                    "[json.exception.type_error.306] cannot use value() with number");
  expect_type_error(R"({"DinoSettings": {"DisallowTaming": {"A": {}, "B": [1]}}})", 306,
                    "[json.exception.type_error.306] cannot use value() with array");
}

TEST(config_reader_test, number_member_of_other_type_raises_302) {
  expect_type_error(R"({"WipeTimestamp": null})", 302,
                    "[json.exception.type_error.302] type must be number, but is null");
  expect_type_error(R"({"WipeTimestamp": [1]})", 302,
                    "[json.exception.type_error.302] type must be number, but is array");
  expect_type_error(R"({"WipeTimestamp": {}})", 302,
                    "[json.exception.type_error.302] type must be number, but is object");
  expect_type_error(R"({"DinoSettings": {"DisallowRiding": {"A": {"HoursToDelay": 1}},
                       "DisallowTaming": {"A": {}, "B": {"HoursToDelay": "2"}}}})",
                    302, "[json.exception.type_error.302] type must be number, but is string");
}

TEST(config_reader_test, numbers_convert_like_before_and_keep_64_bits) {
  EXPECT_EQ(wipe_of("1.9"), 1);
  EXPECT_EQ(wipe_of("-1.9"), -1);
  EXPECT_EQ(wipe_of("true"), 1);
  EXPECT_EQ(wipe_of("false"), 0);
  EXPECT_EQ(wipe_of("-7"), -7);
  EXPECT_EQ(wipe_of("2147483648"), 2147483648);
  EXPECT_EQ(wipe_of("3000000000"), 3000000000);
  EXPECT_EQ(wipe_of("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(wipe_of("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(wipe_of("-9.223372036854775808e18"), INT64_MIN);
  EXPECT_EQ(wipe_of("4.5e18"), 4500000000000000000);
}

TEST(config_reader_test, number_beyond_64_bits_is_config_error) {
  expect_config_error(R"({"WipeTimestamp": 9223372036854775808})",
                      "\"WipeTimestamp\" is 9223372036854775808, which does not fit a signed "
                      "64-bit number");
  expect_config_error(R"({"WipeTimestamp": 1e300})",
                      "\"WipeTimestamp\" is 1e+300, which does not fit a signed 64-bit number");
  expect_config_error(R"({"WipeTimestamp": -1e19})",
                      "\"WipeTimestamp\" is -1e+19, which does not fit a signed 64-bit number");
  expect_config_error(
      R"({"DinoSettings": {"DisallowTaming": {"Rex_Character_BP_C": {"HoursToDelay": 1e300}}}})",
      "\"HoursToDelay\" of class \"Rex_Character_BP_C\" in \"DisallowTaming\" is 1e+300, which "
      "does not fit a signed 64-bit number");
}

TEST(config_reader_test, unlock_time_overflow_is_config_error) {
  expect_config_error(
      R"({"DinoSettings": {"DisallowRiding": {"Rex": {"HoursToDelay": 2562047788015216}}}})",
      "\"HoursToDelay\" of class \"Rex\" in \"DisallowRiding\" is 2562047788015216, which puts "
      "the unlock time (WipeTimestamp 0 + HoursToDelay * 3600) outside a signed 64-bit number");
  expect_config_error(
      R"({"WipeTimestamp": -9223372036854775808,
          "DinoSettings": {"DisallowTaming": {"Rex": {"HoursToDelay": -1}}}})",
      "\"HoursToDelay\" of class \"Rex\" in \"DisallowTaming\" is -1, which puts the unlock time "
      "(WipeTimestamp -9223372036854775808 + HoursToDelay * 3600) outside a signed 64-bit "
      "number");
  const Configuration edge = read_text(
      R"({"DinoSettings": {"DisallowRiding": {"Rex": {"HoursToDelay": 2562047788015215},
                                              "Rex2": {"HoursToDelay": -2562047788015215}}}})");
  ASSERT_EQ(edge.riding.size(), 2u);
  EXPECT_EQ(edge.riding[0].unlock_time, 9223372036854774000);
  EXPECT_EQ(edge.riding[1].unlock_time, -9223372036854774000);
  const Configuration old_wrap =
      read_text(R"({"DinoSettings": {"DisallowTaming": {"Rex": {"HoursToDelay": 596524}}}})");
  EXPECT_EQ(old_wrap.taming.at(0).unlock_time, 2147486400);
}

TEST(config_reader_test, list_shapes_give_their_items) {
  const Configuration configuration = read_text(R"({"WipeTimestamp": 100, "DinoSettings": {
      "DisallowRiding": [{"HoursToDelay": 1}, {}],
      "DisallowTaming": {"Empty": {}}}})");
  ASSERT_EQ(configuration.riding.size(), 2u);
  expect_entry(configuration.riding[0], "0", 1, 3700);
  expect_entry(configuration.riding[1], "1", 0, 100);
  ASSERT_EQ(configuration.taming.size(), 1u);
  expect_entry(configuration.taming[0], "Empty", 0, 100);

  for (const std::string_view riding : {"", R"("DisallowRiding": null,)"}) {
    const Configuration no_riding = read_text(R"({"DinoSettings": {)" + std::string(riding) +
                                              R"("DisallowTaming": {"A": {"HoursToDelay": 2}}}})");
    EXPECT_TRUE(no_riding.riding.empty()) << riding;
    ASSERT_EQ(no_riding.taming.size(), 1u) << riding;
    expect_entry(no_riding.taming[0], "A", 2, 7200);
  }
}

TEST(config_reader_test, class_names_keep_bytes_and_byte_order) {
  const Configuration configuration = read_text(R"({"DinoSettings": {"DisallowRiding": {
      "rex": {"HoursToDelay": 1}, "Rex": {"HoursToDelay": 2}, "REX": {"HoursToDelay": 3},
      "Wölfchen": {"HoursToDelay": 4}, "\u00e9t\u00e9": {"HoursToDelay": 5},
      "rex": {"HoursToDelay": 6}}}})");
  ASSERT_EQ(configuration.riding.size(), 5u);
  expect_entry(configuration.riding[0], "REX", 3, 10800);
  expect_entry(configuration.riding[1], "Rex", 2, 7200);
  expect_entry(configuration.riding[2], "W\xC3\xB6lfchen", 4, 14400);
  expect_entry(configuration.riding[3], "rex", 6, 21600);
  expect_entry(configuration.riding[4], "\xC3\xA9t\xC3\xA9", 5, 18000);
  EXPECT_EQ(read_text(R"({"WipeTimestamp": 1, "WipeTimestamp": 2})").wipe_timestamp, 2);
}

TEST(config_reader_test, wipe_may_be_a_date_with_its_zone) {
  EXPECT_EQ(read_text(R"({"WipeTimestamp": "2026-01-08T20:00:00+02:00",
      "DinoSettings": {"DisallowTaming": {"A": {"HoursToDelay": 1}}}})")
                .taming.at(0)
                .unlock_time,
            1767895200 + 3600);
  expect_config_error(
      R"({"WipeTimestamp": "2026-01-08 18:00:00"})",
      "\"WipeTimestamp\" is \"2026-01-08 18:00:00\", which has no zone, so it could be any of "
      "the world's local times; write Unix seconds as a number, without quotes, or a date as "
      "\"2026-01-08T18:00:00Z\", \"2026-01-08 18:00:00 UTC\" or \"2026-01-08T20:00:00+02:00\"");
}

// Widening stops at the NUL, so the entry would silently replace the one of "Rex_Character_BP_C".
TEST(config_reader_test, class_name_with_nul_is_config_error) {
  expect_config_error(
      R"({"DinoSettings": {"DisallowTaming": {"Rex_Character_BP_C\u0000old": {"HoursToDelay": 1}}}})",
      "class name \"Rex_Character_BP_C\\u0000old\" in \"DisallowTaming\" holds a NUL character "
      "(\\u0000), which would cut it to \"Rex_Character_BP_C\"; remove it");
}

}  // namespace
}  // namespace quellwarden::config
