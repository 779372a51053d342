// Tests for the checker's warnings: each mistake it names, and silence on a clean file.
#include "tools/check/warnings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/check/member_names.h"

namespace quellwarden::check {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char kExample[] = R"({"WipeTimestamp": 1700000000, "DinoSettings": {
    "DisallowRiding": {"A": {"HoursToDelay": 48}},
    "DisallowTaming": {"A": {"HoursToDelay": 24}, "B": {"HoursToDelay": 72}}}})";

std::vector<std::string> structure_of(const std::string& text) {
  return structure_warnings(nlohmann::json::parse(text));
}

// A document whose only list is DisallowTaming, holding `entries`.
std::string taming(const std::string& entries) {
  return R"({"WipeTimestamp": 1, "DinoSettings": {"DisallowTaming": {)" + entries + "}}}";
}

TEST(check_warnings_test, clean_file_and_other_shapes_give_none) {
  EXPECT_THAT(structure_of(kExample), IsEmpty());
  EXPECT_THAT(duplicate_member_warnings(kExample), IsEmpty());
  for (const char* text : {"[]", "5", "null", R"({"WipeTimestamp": 1, "DinoSettings": 7})",
                           R"({"WipeTimestamp": 1, "DinoSettings": {"DisallowTaming": 3}})",
                           R"({"WipeTimestamp": 48.0, "DinoSettings": {"DisallowRiding": []}})"}) {
    EXPECT_THAT(structure_of(text), IsEmpty()) << text;
  }
}

TEST(check_warnings_test, unknown_members_at_every_level_with_advice) {
  EXPECT_THAT(
      structure_of(R"({"WipeTimestamp": 1, "DinoSetting": {}, "Notes": "x", "DisallowRiding": {},
          "DinoSettings": {"disallowriding": {}, "HoursToDelay": 1,
              "DisallowTaming": {"Rex": {"HoursToDelya": 2, "HoursToDelay": 3, "wipetimestamp": 4}}}})"),
      ElementsAre(
          "unknown member \"DinoSetting\" at the top level is ignored by the plugin; did you mean "
          "\"DinoSettings\"?",
          "unknown member \"DisallowRiding\" at the top level is ignored by the plugin; it belongs "
          "inside \"DinoSettings\"",
          "unknown member \"Notes\" at the top level is ignored by the plugin",
          "unknown member \"HoursToDelay\" in \"DinoSettings\" is ignored by the plugin; it "
          "belongs inside each class entry",
          "unknown member \"disallowriding\" in \"DinoSettings\" is ignored by the plugin; did you "
          "mean \"DisallowRiding\"?",
          "unknown member \"HoursToDelya\" of class \"Rex\" in \"DisallowTaming\" is ignored by "
          "the plugin; did you mean \"HoursToDelay\"?",
          "unknown member \"wipetimestamp\" of class \"Rex\" in \"DisallowTaming\" is ignored by "
          "the plugin; did you mean \"WipeTimestamp\", which belongs at the top level?"));
  EXPECT_EQ(member_advice(std::string(65, 'x'), Level::top), "");
  EXPECT_EQ(member_advice("DinoSettingsXYZ", Level::top), "");
}

TEST(check_warnings_test, list_given_as_array_names_its_index_classes) {
  EXPECT_THAT(
      structure_of(R"({"WipeTimestamp": 1, "DinoSettings": {
          "DisallowRiding": [{"HoursToDelay": 1}, {"HoursToDelay": 2}, {"HoursToDelay": 3}],
          "DisallowTaming": [{"HoursToDelay": 1}]}})"),
      ElementsAre("\"DisallowRiding\" is an array, so the plugin files its entries under the class "
                  "names \"0\" to \"2\"; it should be an object from class name to entry",
                  "\"DisallowTaming\" is an array, so the plugin files its entries under the class "
                  "name \"0\"; it should be an object from class name to entry"));
}

TEST(check_warnings_test, class_names_differing_only_in_ascii_case_name_the_survivor) {
  EXPECT_THAT(
      structure_of(taming(R"("rex": {"HoursToDelay": 1}, "REX": {"HoursToDelay": 2},
          "Rex": {"HoursToDelay": 3}, "Wölf": {"HoursToDelay": 4}, "WÖLF": {"HoursToDelay": 5},
          "Giga": {"HoursToDelay": 6})")),
      ElementsAre("class names \"REX\", \"Rex\" and \"rex\" in \"DisallowTaming\" differ only in "
                  "letter case; the plugin keeps one class, \"rex\", the last in byte order"));
}

TEST(check_warnings_test, hours_negative_fractional_boolean_or_missing) {
  EXPECT_THAT(
      structure_of(taming(R"("A": {"HoursToDelay": -5}, "B": {"HoursToDelay": 1.5},
          "C": {"HoursToDelay": -2.5}, "D": {"HoursToDelay": true}, "E": {},
          "F": {"HoursToDelay": -0.5}, "G": {"HoursToDelay": 2.0})")),
      ElementsAre(
          "\"HoursToDelay\" of class \"A\" in \"DisallowTaming\" is -5, negative: the class is "
          "released before the wipe, not after it",
          "\"HoursToDelay\" of class \"B\" in \"DisallowTaming\" is 1.5, not a whole number; the "
          "plugin cuts it to 1",
          "\"HoursToDelay\" of class \"C\" in \"DisallowTaming\" is -2.5, not a whole number; the "
          "plugin cuts it to -2",
          "\"HoursToDelay\" of class \"C\" in \"DisallowTaming\" is -2.5, negative: the class is "
          "released before the wipe, not after it",
          "\"HoursToDelay\" of class \"D\" in \"DisallowTaming\" is true, not a number; the plugin "
          "reads it as 1",
          "class \"E\" in \"DisallowTaming\" has no \"HoursToDelay\", so the plugin uses 0 hours "
          "and releases it at the wipe",
          "\"HoursToDelay\" of class \"F\" in \"DisallowTaming\" is -0.5, not a whole number; the "
          "plugin cuts it to 0"));
}

TEST(check_warnings_test, wipe_timestamp_missing_or_not_whole) {
  EXPECT_THAT(structure_of("{}"),
              ElementsAre("\"WipeTimestamp\" is missing, so the plugin counts every unlock time "
                          "from 0 (1970-01-01 00:00:00 UTC)"));
  EXPECT_THAT(structure_of(R"({"WipeTimestamp": 1700000000.9})"),
              ElementsAre("\"WipeTimestamp\" is 1700000000.9, not a whole number; the plugin "
                          "cuts it to 1700000000"));
  EXPECT_THAT(structure_of(R"({"WipeTimestamp": false})"),
              ElementsAre("\"WipeTimestamp\" is false, not a number; the plugin reads it as 0"));
}

TEST(check_warnings_test, member_given_twice_where_the_plugin_reads) {
  EXPECT_THAT(
      duplicate_member_warnings(R"({"WipeTimestamp": 1, "WipeTimestamp": 2,
          "Other": {"x": 1, "x": 2}, "DinoSettings": {"DisallowTaming": {
          "Rex": {"HoursToDelay": 1, "HoursToDelay": 2}, "Rex": {}, "Rex": {}},
          "DisallowRiding": [{"HoursToDelay": 1, "HoursToDelay": 1}]}} {"a": 1, "a": 1})"),
      ElementsAre("member \"HoursToDelay\" is given 2 times in the entry of class \"Rex\" in "
                  "\"DisallowTaming\"; the plugin reads only the last one",
                  "class \"Rex\" is given 3 times in \"DisallowTaming\"; the plugin reads only the "
                  "last one",
                  "member \"HoursToDelay\" is given 2 times in the entry of class \"0\" in "
                  "\"DisallowRiding\"; the plugin reads only the last one",
                  "member \"WipeTimestamp\" is given 2 times at the top level; the plugin reads "
                  "only the last one"));
}

TEST(check_warnings_test, wipe_time_far_from_now) {
  constexpr std::int64_t kWipe = 1700000000;
  constexpr std::int64_t kYear = 365 * 86400;
  EXPECT_THAT(wipe_warnings(std::nullopt, 0), IsEmpty());
  EXPECT_THAT(wipe_warnings(kWipe, kWipe), IsEmpty());
  EXPECT_THAT(wipe_warnings(kWipe, kWipe + kYear), IsEmpty());
  EXPECT_THAT(wipe_warnings(kWipe, kWipe - 3600),
              ElementsAre("the wipe time 2023-11-14 22:13:20 UTC (\"WipeTimestamp\" 1700000000) "
                          "is in the future, in 1h; the plugin counts every delay from then"));
  EXPECT_THAT(wipe_warnings(kWipe, kWipe + kYear + 1),
              ElementsAre("the wipe time 2023-11-14 22:13:20 UTC (\"WipeTimestamp\" 1700000000) "
                          "is more than a year before now, 365d ago; is it left from an earlier "
                          "wipe?"));
  EXPECT_THAT(wipe_warnings(1700000000000, kWipe),
              ElementsAre("the wipe time 55840-11-08 22:13:20 UTC (\"WipeTimestamp\" "
                          "1700000000000) is in the future, in 19656250d; the plugin counts "
                          "every delay from then; it looks like milliseconds, the plugin wants "
                          "seconds"));
}

}  // namespace
}  // namespace quellwarden::check
