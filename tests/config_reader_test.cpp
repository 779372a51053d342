// Tests for reading the configuration text: parsing, defaults, number conversion, list order.
#include "config/config_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "config/document.h"
#include "config/evaluation.h"
#include "config/vocabulary.h"

namespace quellwarden::config {
namespace {

Evaluation evaluated(std::string_view text) {
  Evaluation evaluation = evaluate(text, {});
  EXPECT_FALSE(evaluation.document.parse_error.has_value()) << *evaluation.document.parse_error;
  return evaluation;
}

Configuration read_text(std::string_view text) {
  Evaluation evaluation = evaluated(text);
  if (evaluation.refusal) {
    ADD_FAILURE() << text << " refused: " << evaluation.refusal->text;
    return {};
  }
  return std::move(*evaluation.configuration);
}

Refusal refusal_of(std::string_view text) {
  Evaluation evaluation = evaluated(text);
  if (evaluation.refusal) return std::move(*evaluation.refusal);
  ADD_FAILURE() << "no refusal for " << text;
  return {};
}

// The library's own type errors are the refusal's text, word for word.
void expect_refusal(std::string_view text, std::string_view what) {
  EXPECT_EQ(refusal_of(text).text, what) << text;
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
  // Only a comma after a value is a slip; a comment never closed is no comment.
  for (const std::string_view text : {"", "   ", "{\"a\":", "[,]", "{,}", "{\"a\":,}", "[1,,]",
                                      "{\"a\": 1 /* open", "[1 / 2]", "[1 /]"}) {
    const Document document = read_document(text);
    ASSERT_TRUE(document.parse_error.has_value()) << text;
    EXPECT_EQ(
        document.parse_error->rfind("[json.exception.parse_error.101] parse error at line ", 0), 0u)
        << *document.parse_error;
  }
  const Document too_large = read_document(R"({"WipeTimestamp": 1e400})");
  ASSERT_TRUE(too_large.parse_error.has_value());
  EXPECT_EQ(*too_large.parse_error,
            "[json.exception.out_of_range.406] number overflow parsing '1e400'");
}

TEST(document_reader_test, comments_and_a_comma_before_a_bracket_are_read_away_with_their_line) {
  using Kind = Slip::Kind;
  struct Case {
    std::string_view text;
    std::vector<std::pair<Kind, std::size_t>> slips;  // kind and line, in the file's order
    std::string_view trailing = {};
  };
  const std::vector<Case> cases{
      {"// note\n{\"WipeTimestamp\": 5}", {{Kind::line_comment, 1}}},
      {"/* a\n b */ {\"WipeTimestamp\": 5}", {{Kind::block_comment, 1}}},
      {"{\"WipeTimestamp\": 5,\n}", {{Kind::trailing_comma, 1}}},
      {"{\"WipeTimestamp\": 5, \"DinoSettings\": {\"DisallowRiding\": [1,]},\n// x\n}",
       {{Kind::trailing_comma, 1}, {Kind::trailing_comma, 1}, {Kind::line_comment, 2}}},
      // Inside strings they are text.
      {R"({"WipeTimestamp": 5, "X": "a//b /* ,} \" ,] */"})", {}},
      // After the value they are comments too; anything else there is text the reader ignores.
      {"{\"WipeTimestamp\": 5} // end\n/* more */",
       {{Kind::line_comment, 1}, {Kind::block_comment, 2}}},
      {"{\"WipeTimestamp\": 5}\n// end\nx // y", {{Kind::line_comment, 2}}, "x // y"},
      {"5// end", {{Kind::line_comment, 1}}},
      // A lone carriage return or a NUL ends a line comment, as the JSON library reads it.
      {"{\"WipeTimestamp\": 5 // five\r}", {{Kind::line_comment, 1}}},
      {std::string_view("{\"WipeTimestamp\": 5 // five\0}", 29), {{Kind::line_comment, 1}}},
  };
  for (const Case& expected : cases) {
    const Document document = read_document(expected.text);
    ASSERT_FALSE(document.parse_error) << expected.text << ": " << *document.parse_error;
    EXPECT_EQ(document.top.type() == ValueType::object
                  ? document.members[kWipeTimestamp].held().get<int>()
                  : document.top.held().get<int>(),
              5);
    std::vector<std::pair<Kind, std::size_t>> found;
    for (const Slip& slip : document.slips) found.emplace_back(slip.kind, slip.line);
    EXPECT_EQ(found, expected.slips) << expected.text;
    EXPECT_EQ(document.trailing ? document.trailing->start : "", expected.trailing)
        << expected.text;
  }
}

TEST(config_reader_test, holder_that_is_not_an_object_raises_306) {
  expect_refusal("[]", "[json.exception.type_error.306] cannot use value() with array");
  expect_refusal("null", "[json.exception.type_error.306] cannot use value() with null");
  expect_refusal(R"({"DinoSettings": null})",
                 "[json.exception.type_error.306] cannot use value() with null");
  expect_refusal(R"({"DinoSettings": {"DisallowRiding": 5}})",
                 "[json.exception.type_error.306] cannot use value() with number");
  expect_refusal(R"({"DinoSettings": {"DisallowTaming": {"A": {}, "B": [1]}}})",
                 "[json.exception.type_error.306] cannot use value() with array");
}

TEST(config_reader_test, number_member_of_other_type_raises_302) {
  expect_refusal(R"({"WipeTimestamp": null})",
                 "[json.exception.type_error.302] type must be number, but is null");
  expect_refusal(R"({"WipeTimestamp": [1]})",
                 "[json.exception.type_error.302] type must be number, but is array");
  expect_refusal(R"({"WipeTimestamp": {}})",
                 "[json.exception.type_error.302] type must be number, but is object");
  expect_refusal(R"({"DinoSettings": {"DisallowRiding": {"A": {"HoursToDelay": 1}},
                       "DisallowTaming": {"A": {}, "B": {"HoursToDelay": "2"}}}})",
                 "[json.exception.type_error.302] type must be number, but is string");
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
  expect_refusal(R"({"WipeTimestamp": 9223372036854775808})",
                 "\"WipeTimestamp\" is 9223372036854775808, which does not fit a signed "
                 "64-bit number");
  expect_refusal(R"({"WipeTimestamp": 1e300})",
                 "\"WipeTimestamp\" is 1e+300, which does not fit a signed 64-bit number");
  expect_refusal(R"({"WipeTimestamp": -1e19})",
                 "\"WipeTimestamp\" is -1e+19, which does not fit a signed 64-bit number");
  expect_refusal(
      R"({"DinoSettings": {"DisallowTaming": {"Rex_Character_BP_C": {"HoursToDelay": 1e300}}}})",
      "\"HoursToDelay\" of class \"Rex_Character_BP_C\" in \"DisallowTaming\" is 1e+300, which "
      "does not fit a signed 64-bit number");
}

TEST(config_reader_test, unlock_time_overflow_is_config_error) {
  expect_refusal(
      R"({"DinoSettings": {"DisallowRiding": {"Rex": {"HoursToDelay": 2562047788015216}}}})",
      "\"HoursToDelay\" of class \"Rex\" in \"DisallowRiding\" is 2562047788015216, which puts "
      "the unlock time (WipeTimestamp 0 + HoursToDelay * 3600) outside a signed 64-bit number");
  expect_refusal(
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

// The one overflow test every sum and product of the file's numbers goes through, at both ends.
TEST(config_reader_test, checked_arithmetic_refuses_only_past_the_range) {
  EXPECT_EQ(checked_add(kMaxNumber - 1, 1), kMaxNumber);
  EXPECT_EQ(checked_add(kMaxNumber, 1), std::nullopt);
  EXPECT_EQ(checked_add(kMinNumber + 1, -1), kMinNumber);
  EXPECT_EQ(checked_add(kMinNumber, -1), std::nullopt);
  EXPECT_EQ(checked_add(kMinNumber, 0), kMinNumber);
  EXPECT_EQ(checked_multiply(kMaxNumber / 60, 60), kMaxNumber / 60 * 60);
  EXPECT_EQ(checked_multiply(kMaxNumber / 60 + 1, 60), std::nullopt);
  EXPECT_EQ(checked_multiply(kMinNumber / 60, 60), kMinNumber / 60 * 60);
  EXPECT_EQ(checked_multiply(kMinNumber / 60 - 1, 60), std::nullopt);
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
  expect_refusal(
      R"({"WipeTimestamp": "2026-01-08 18:00:00"})",
      "\"WipeTimestamp\" is \"2026-01-08 18:00:00\", which has no zone, so it could be any of "
      "the world's local times; write Unix seconds as a number, without quotes, or a date as "
      "\"2026-01-08T18:00:00Z\", \"2026-01-08 18:00:00 UTC\" or \"2026-01-08T20:00:00+02:00\"");
}

// Widening stops at the NUL, so the entry would silently replace the one of "Rex_Character_BP_C".
TEST(config_reader_test, class_name_with_nul_is_config_error) {
  expect_refusal(
      R"({"DinoSettings": {"DisallowTaming": {"Rex_Character_BP_C\u0000old": {"HoursToDelay": 1}}}})",
      "class name \"Rex_Character_BP_C\\u0000old\" in \"DisallowTaming\" holds a NUL character "
      "(\\u0000), which would cut it to \"Rex_Character_BP_C\"; remove it");
}

// A type error's refusal names the member's path and, as a hint, what stands there and the fix.
TEST(config_reader_test, type_errors_carry_their_place_and_hint) {
  struct Case {
    const char* text;
    MemberPath path;
    const char* hint;
  };
  const std::vector<Case> cases{
      {R"({"DinoSettings": {"DisallowRiding": {"A_C": {"HoursToDelay": 1}},
          "DisallowTaming": {"A_C": {}, "Rex_Character_BP_C": {"HoursToDelay": "24h"}}}})",
       {"DinoSettings", "DisallowTaming", "Rex_Character_BP_C", "HoursToDelay"},
       "DinoSettings > DisallowTaming > Rex_Character_BP_C > HoursToDelay is the string "
       "\"24h\"; write a number of hours"},
      {R"({"DinoSettings": {"DisallowTaming": {"Rex_Character_BP_C": 72}}})",
       {"DinoSettings", "DisallowTaming", "Rex_Character_BP_C"},
       "DinoSettings > DisallowTaming > Rex_Character_BP_C is the number 72; write "
       "{\"HoursToDelay\": 72}"},
      {R"({"DinoSettings": {"DisallowRiding": [null]}})",
       {"DinoSettings", "DisallowRiding", "0"},
       "DinoSettings > DisallowRiding > 0 is null; write an object such as "
       "{\"HoursToDelay\": 24}"},
      {R"({"DinoSettings": {"DisallowRiding": "Rex_Character_BP_C"}})",
       {"DinoSettings", "DisallowRiding"},
       "DinoSettings > DisallowRiding is the string \"Rex_Character_BP_C\"; write an object "
       "from class name to entry, such as {\"Rex_Character_BP_C\": {\"HoursToDelay\": 24}}"},
      {R"({"DinoSettings": null, "WipeTimestamp": []})",
       {"DinoSettings"},
       "DinoSettings is null; write an object holding \"DisallowRiding\" and "
       "\"DisallowTaming\"; WipeTimestamp is an array; write Unix seconds or a date such as "
       "\"2026-01-08T18:00:00Z\""},
      {R"({"WipeTimestamp": {}, "DinoSettings": {"DisallowRiding": {"A": 1}}})",
       {"WipeTimestamp"},
       "WipeTimestamp is an object; write Unix seconds or a date such as "
       "\"2026-01-08T18:00:00Z\"; DinoSettings > DisallowRiding > A is the number 1; write "
       "{\"HoursToDelay\": 1}"},
      {R"([{"WipeTimestamp": 1}])",
       {},
       "the file's top level is an array; remove the [ ] around the object"},
      {"true",
       {},
       "the file's top level is true; the file must hold one object, "
       "{\"WipeTimestamp\": ..., \"DinoSettings\": {...}}"}};
  for (const Case& expected : cases) {
    const Refusal refusal = refusal_of(expected.text);
    EXPECT_EQ(refusal.path, expected.path) << expected.text;
    EXPECT_EQ(hint_line(refusal), expected.hint) << expected.text;
  }
}

TEST(config_reader_test, every_entry_that_does_not_read_is_named_and_the_rest_reads) {
  const Document document = read_document(R"({"WipeTimestamp": 1700000000, "DinoSettings": {
    "DisallowRiding": {"A": {"HoursToDelay": "72"}, "B": {"HoursToDelay": 2}, "C\u0000x": {}},
    "DisallowTaming": {"D": 5, "E": {"HoursToDelay": 1e300}, "F": {"HoursToDelay": "72"}}}})");
  const ConfigurationReading reading = read_all(document);
  EXPECT_TRUE(reading.salvageable);
  ASSERT_EQ(reading.configuration.riding.size(), 1u);
  expect_entry(reading.configuration.riding[0], "B", 2, 1700007200);
  EXPECT_TRUE(reading.configuration.taming.empty());
  std::vector<std::string> held;
  for (const HeldEntry& entry : reading.held) {
    held.push_back(entry.list + " " + entry.class_name + ": " + entry.reason);
  }
  EXPECT_EQ(held,
            (std::vector<std::string>{
                "DisallowRiding A: HoursToDelay is the string \"72\"; write a number of hours",
                std::string("DisallowRiding C") + '\0' +
                    "x: its name holds a NUL character (\\u0000), which would cut it to "
                    "\"C\"; remove it",
                "DisallowTaming D: the entry is the number 5; write {\"HoursToDelay\": 5}",
                "DisallowTaming E: HoursToDelay is 1e+300, which does not fit a signed 64-bit "
                "number",
                "DisallowTaming F: HoursToDelay is the string \"72\"; write a number of hours"}));
  // The refusal keeps the first error's text and place, and its hints name every place.
  const Refusal refusal = refusal_of(R"({"WipeTimestamp": 1, "DinoSettings": {"DisallowTaming": {
    "A": {"HoursToDelay": "72"}, "E": {"HoursToDelay": 1e300}, "F": {"HoursToDelay": "72"}}}})");
  EXPECT_EQ(refusal.text, "[json.exception.type_error.302] type must be number, but is string");
  EXPECT_EQ(refusal.path, (MemberPath{"DinoSettings", "DisallowTaming", "A", "HoursToDelay"}));
  EXPECT_EQ(refusal.hints,
            (std::vector<std::string>{
                "DinoSettings > DisallowTaming > A > HoursToDelay is the string \"72\"; write a "
                "number of hours",
                "\"HoursToDelay\" of class \"E\" in \"DisallowTaming\" is 1e+300, which does not "
                "fit a signed 64-bit number",
                "DinoSettings > DisallowTaming > F > HoursToDelay is the string \"72\"; write a "
                "number of hours"}));
  // A wipe or a list that does not read leaves nothing to apply.
  for (
      const std::string_view text :
      {R"({"WipeTimestamp": "soon", "DinoSettings": {"DisallowTaming": {"A": {"HoursToDelay": "1"}}}})",
       R"({"WipeTimestamp": 1, "DinoSettings": {"DisallowRiding": 3, "DisallowTaming": {"A": {"HoursToDelay": "1"}}}})",
       R"({"WipeTimestamp": 1, "DinoSettings": []})", "[]"}) {
    EXPECT_FALSE(read_all(read_document(text)).salvageable) << text;
  }
}

// A file that gives every member of every table, each value its own number from `next`, in the
// tables' order or the reverse; a class list holds one entry, "A_C".
std::string every_member(Level level, bool reversed, int& next) {
  std::vector<Member> table(members_of(level).begin(), members_of(level).end());
  if (reversed) std::reverse(table.begin(), table.end());
  std::string text;
  for (const Member& member : table) {
    text += (text.empty() ? "{\"" : ", \"") + std::string(member.name) + "\": ";
    if (member.kept == Kept::value) text += std::to_string(next++);
    if (member.kept == Kept::elements) text += "[" + std::to_string(next++) + "]";
    if (member.kept == Kept::level) text += every_member(member.inner, reversed, next);
    if (member.kept == Kept::class_list) {
      text += "{\"A_C\": " + every_member(Level::entry, reversed, next) + "}";
    }
  }
  return text + "}";
}

const Value& value_of(const Value& value) { return value; }
const Value& value_of(const List& list) { return list.shape; }

// Checks that the values of `level` read as every_member() wrote them, from `next` on.
template <typename Slots>
void expect_every_member(const Document& document, Level level, const Slots& slots, bool reversed,
                         int& next) {
  std::vector<std::size_t> order(members_of(level).size());
  for (std::size_t index = 0; index < order.size(); ++index) order[index] = index;
  if (reversed) std::reverse(order.begin(), order.end());
  for (const std::size_t index : order) {
    const Member& member = members_of(level)[index];
    SCOPED_TRACE(member.name);
    if (member.kept == Kept::value) {
      EXPECT_EQ(value_of(slots.at(index)).held(), next++);
    }
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(slots.at(0))>, MemberValue>) {
      if (member.kept == Kept::elements) {
        ASSERT_EQ(slots.at(index).elements.size(), 1U);
        EXPECT_EQ(slots.at(index).elements[0].held(), next++);
      }
    }
    if (member.kept == Kept::level) {
      EXPECT_EQ(value_of(slots.at(index)).type(), ValueType::object);
      if (member.inner == Level::settings) {
        expect_every_member(document, member.inner, document.lists, reversed, next);
      } else if (member.inner == Level::notices) {
        expect_every_member(document, member.inner, document.notices, reversed, next);
      } else {
        expect_every_member(document, member.inner, document.announcements, reversed, next);
      }
    }
    if (member.kept == Kept::class_list) {
      const List& list = document.lists.at(index);
      ASSERT_EQ(list.items.size(), 1u);
      EXPECT_EQ(list.items[0].class_name, "A_C");
      expect_every_member(document, Level::entry, list.items[0].members, reversed, next);
    }
  }
  EXPECT_TRUE(slots.unknown.empty());
}

// Members are told apart by name, never by where they stand, and each table's size is its own:
// a member added to any table reads into its own place with no other change.
TEST(document_reader_test, every_member_of_every_table_reads_into_its_own_place) {
  for (const bool reversed : {false, true}) {
    int written = 1;
    const std::string text = every_member(Level::top, reversed, written);
    const Document document = read_document(text);
    ASSERT_FALSE(document.parse_error) << text;
    int read = 1;
    expect_every_member(document, Level::top, document.members, reversed, read);
    EXPECT_EQ(read, written) << text;
    EXPECT_TRUE(document.repeated.empty());
  }
}

}  // namespace
}  // namespace quellwarden::config
