// Tests for the pieces of the checker between the reader and the report: what a table ends with,
// likely causes of a parse error, the timeline, and the command line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "config/config_reader.h"
#include "config/document.h"
#include "config/effective_entries.h"
#include "config/parse_hints.h"
#include "text/ascii_fold.h"
#include "tools/check/class_list.h"
#include "tools/check/options.h"
#include "tools/check/timeline.h"

namespace quellwarden::check {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

void expect_entry(const config::DelayEntry& entry, std::string_view name, std::int64_t hours,
                  std::int64_t unlock) {
  EXPECT_EQ(entry.class_name, name);
  EXPECT_EQ(entry.hours, hours);
  EXPECT_EQ(entry.unlock_time, unlock);
}

TEST(check_effective_entries_test, later_case_twin_replaces_earlier_and_result_is_sorted) {
  const std::vector<config::DelayEntry> added{
      {"REX", 3, 300, {}},  {"Rex", 2, 200, {}}, {"W\xC3\x96LF", 1, 100, {}},
      {"giga", 5, 100, {}}, {"rex", 1, 100, {}}, {"w\xC3\xB6lf", 9, 900, {}}};
  const std::vector<config::DelayEntry> kept = config::effective_entries(added);
  ASSERT_EQ(kept.size(), 4u);
  expect_entry(kept[0], "W\xC3\x96LF", 1, 100);
  expect_entry(kept[1], "giga", 5, 100);
  expect_entry(kept[2], "rex", 1, 100);
  expect_entry(kept[3], "w\xC3\xB6lf", 9, 900);
  EXPECT_EQ(ascii_folded("aZ_\xC3\xB6z"), "AZ_\xC3\xB6Z");
}

TEST(check_parse_hints_test, each_likely_cause_once_with_its_line) {
  using ::testing::StartsWith;
  EXPECT_THAT(config::parse_hints("\xFF\xFE{\0}\0"),
              ElementsAre(StartsWith(
                  "the file is saved as UTF-16 (it starts with the bytes FF FE); the plugin reads "
                  "UTF-8 only: save it as UTF-8")));
  EXPECT_THAT(config::parse_hints(std::string_view("{\0}\0", 4)),
              ElementsAre(StartsWith("the file looks saved as UTF-16 (2 of its 4 bytes are NUL)")));
  for (const std::string_view empty : {"", " \r\n\t", "\xEF\xBB\xBF\n"}) {
    EXPECT_THAT(config::parse_hints(empty), ElementsAre(StartsWith("the file is empty; ")))
        << empty;
  }
  EXPECT_THAT(
      config::parse_hints(
          "{\n\"A\": \xE2\x80\x9C\n// x\n'B': [1,\n],\n\"W\xE9lf\": 1, \"\xE9\"\n/* y\n}"),
      ElementsAre(
          StartsWith("line 6 holds the byte E9, which is not UTF-8: the file is saved in a "
                     "Windows code page, and the plugin reads UTF-8 only; save it as UTF-8"),
          StartsWith("line 2 holds curly quotes"),
          "line 7 holds a comment /* that is never closed with */; close it or remove it",
          StartsWith("line 4 holds a single quote (')")));
  // Inside strings a path's slashes and quotes are text; valid UTF-8 is no cause.
  EXPECT_THAT(config::parse_hints(R"({"Blueprint'/Game//x.y'\",}/*": ")"
                                  "W\xC3\xB6lf \xF0\x9F\xA6\x96"
                                  R"(" x})"),
              ::testing::IsEmpty());
  for (const std::string_view not_utf8 :
       {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82", "\x80", "\xF8"}) {
    EXPECT_THAT(config::parse_hints("{\"" + std::string(not_utf8) + "\"}"),
                ElementsAre(StartsWith("line 1 holds the byte ")))
        << not_utf8;
  }
}

TEST(check_parse_hints_test, a_value_right_after_another_names_both_lines) {
  struct Case {
    std::string_view text;
    std::string_view hint;  // empty: none
  };
  const std::vector<Case> cases{
      {"{\"A\": 1\n\n \"B\": 2}", "line 3: a comma is missing after the value that ends on line 1"},
      {"{\"A\": {}\n // c\n \"B\": 2}",
       "line 3: a comma is missing after the value that ends on line 1"},
      {"\xEF\xBB\xBF[\"a,b\" /* x\n */ 2]",
       "line 2: a comma is missing after the value that ends on line 1"},
      {"[1 {}]", "line 1: a comma is missing after the value that ends on line 1"},
      {"[true\nnull]", "line 2: a comma is missing after the value that ends on line 1"},
      {"{\"A\" 1}", ""},  // a missing colon
      {"[1 }", ""},
  };
  for (const Case& expected : cases) {
    const config::Document document = config::read_document(expected.text);
    ASSERT_TRUE(document.parse_error) << expected.text;
    EXPECT_EQ(
        config::missing_comma_hint(expected.text, document.parse_error_at, *document.parse_error)
            .value_or(""),
        expected.hint)
        << expected.text << ": " << *document.parse_error;
  }
}

TEST(check_timeline_test, example_chart_with_now_one_hour_after_wipe) {
  const std::vector<TimelineBar> bars{
      {"taming  A", 1700086400}, {"riding  A", 1700172800}, {"taming  B", 1700259200}};
  EXPECT_THAT(
      timeline_lines(1700000000, 1700003600, bars),
      ElementsAre(
          "Timeline from the wipe to the last unlock, one column = 1h 30m (# locked, | now):",
          "  taming  A  |###############", "  riding  A  |###############################",
          "  taming  B  |###############################################",
          "             +-------+-------+-------+-------+-------+-------+",
          "             wipe    +12h    +1d     +36h    +2d     +60h    +3d"));
}

TEST(check_timeline_test, now_outside_the_range_and_bars_before_the_wipe) {
  const std::string cut_label = std::string(37, 'x') + "...";
  const std::vector<TimelineBar> bars{{"early", 1000 - 7200}, {std::string(50, 'x'), 1000 + 7200}};
  const std::vector<std::string> before = timeline_lines(1000, 0, bars);
  ASSERT_EQ(before.size(), 5u);
  EXPECT_EQ(
      before[0],
      "Timeline from the wipe to the last unlock, one column = 7m 30s (# locked; now is before "
      "the wipe):");
  EXPECT_EQ(before[1], "  early");
  EXPECT_EQ(before[2], "  " + cut_label + "  ################");
  EXPECT_EQ(before[3], std::string(44, ' ') + "+-------+-------+");
  EXPECT_EQ(before[4], std::string(44, ' ') + "wipe    +1h     +2h");
  EXPECT_EQ(timeline_lines(1000, 1000 + 7200, bars)[0],
            "Timeline from the wipe to the last unlock, one column = 7m 30s (# locked; now is past "
            "the last unlock):");
  EXPECT_THAT(timeline_lines(1000, 0, {{"zero", 1000}, {"negative", 0}}), IsEmpty());
  EXPECT_THAT(timeline_lines(1000, 0, {}), IsEmpty());
}

TEST(check_timeline_test, scale_stays_within_fifty_six_columns_over_any_span) {
  for (const std::int64_t hours :
       {1LL, 5LL, 6LL, 7LL, 49LL, 2000LL, 100000LL, 2562047788015215LL}) {
    const std::vector<std::string> lines =
        timeline_lines(INT64_MIN, 0, {{"x", INT64_MIN + hours * 3600}});
    ASSERT_EQ(lines.size(), 4u) << hours;
    EXPECT_LE(lines[1].size(), 5u + 56u) << hours;
    EXPECT_GT(lines[1].size(), 5u) << hours;
  }
}

ParsedArguments parse(std::vector<std::string_view> arguments) {
  return parse_arguments(arguments);
}

TEST(check_options_test, accepts_options_in_any_order) {
  const ParsedArguments full = parse({"--json", "my.json", "--now", "-5"});
  EXPECT_EQ(full.error, "");
  EXPECT_EQ(full.options.config_path, "my.json");
  EXPECT_EQ(full.options.now, -5);
  EXPECT_TRUE(full.options.json);
  const ParsedArguments none = parse({});
  EXPECT_EQ(none.options.config_path, "ArkApi/Plugins/Quellwarden/config.json");
  EXPECT_EQ(none.options.now, std::nullopt);
  EXPECT_FALSE(none.options.json);
  EXPECT_EQ(parse({"--now=1700000000"}).options.now, 1700000000);
  EXPECT_EQ(parse({"--now", "2026-01-08 20:00:00 UTC"}).options.now, 1767902400);
  EXPECT_TRUE(parse({"--version"}).options.version);
  EXPECT_EQ(parse({"--", "--json"}).options.config_path, "--json");
  EXPECT_TRUE(parse({"-h"}).options.help);
  EXPECT_TRUE(parse({"--now=wipe"}).options.now_at_wipe);
  EXPECT_EQ(parse({"--classes", "reaper"}).options.classes, "reaper");
  EXPECT_EQ(parse({"--classes=rex"}).options.classes, "rex");
  const ParsedArguments bare_classes = parse({"--classes", "--json"});
  EXPECT_EQ(bare_classes.options.classes, "");
  EXPECT_TRUE(bare_classes.options.json);
  EXPECT_EQ(none.options.classes, std::nullopt);
}

TEST(check_class_list_test, lists_classes_whose_class_or_common_name_holds_the_text) {
  EXPECT_EQ(class_list_text("REAPER K"),
            "MegaXenomorph_Character_BP_Male_Surface_C    Alpha Reaper King\n"
            "Xenomorph_Character_BP_Male_Surface_C        Reaper King (wild)\n"
            "Xenomorph_Character_BP_Male_Tamed_C          Reaper King (tamed)\n"
            "Xenomorph_Character_BP_Male_Tamed_Corrupt_C  Corrupted Reaper King\n");
  EXPECT_EQ(class_list_text("gigant_"),
            "BionicGigant_Character_BP_C    Tek Giganotosaurus\n"
            "Gigant_Character_BP_C          Giganotosaurus\n"
            "Gigant_Character_BP_Corrupt_C  Corrupted Giganotosaurus\n");
  EXPECT_EQ(class_list_text("Nessie"),
            "no creature class of the game with \"Nessie\" in its class or common name\n");
}

TEST(check_options_test, names_what_is_wrong) {
  EXPECT_EQ(parse({"--now"}).error, "--now needs a value");
  EXPECT_EQ(parse({"--now", "12x"}).error,
            "--now wants whole Unix seconds, a date as \"2026-01-08T18:00:00Z\", "
            "\"2026-01-08 18:00:00 UTC\" or \"2026-01-08T20:00:00+02:00\", or wipe; \"12x\" is not "
            "a date the plugin reads");
  EXPECT_EQ(parse({"--now=9223372036854775808"}).error,
            "--now wants whole Unix seconds, not \"9223372036854775808\"");
  EXPECT_EQ(parse({"a.json", "b.json"}).error,
            "more than one configuration file given: \"b.json\"");
  EXPECT_EQ(parse({"--jsn"}).error, "unknown option --jsn");
}

}  // namespace
}  // namespace quellwarden::check
