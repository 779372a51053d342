// Tests for the admin's edits of config.json: the bytes each edit leaves, what it says changed,
// and the requests refused before anything is read.
#include "config/file_edit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "config/configuration_edit.h"
#include "config/edit_request.h"

namespace quellwarden::config {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr std::int64_t kNow = 1767981600;  // 2026-01-09 18:00 UTC

struct BytesCase {
  const char* what;
  std::string before;
  MemberPath path;
  const char* value;  // nullptr: remove the member
  std::string after;
};

class byte_edit_test : public ::testing::TestWithParam<BytesCase> {};

TEST_P(byte_edit_test, touches_only_the_member) {
  const BytesCase& edit = GetParam();
  const EditedBytes result = edit.value == nullptr ? remove_member(edit.before, edit.path)
                                                   : set_member(edit.before, edit.path, edit.value);
  ASSERT_TRUE(result.ok()) << edit.what << ": " << result.problem;
  EXPECT_EQ(result.bytes, edit.after) << edit.what;
}

const MemberPath kWipe{"WipeTimestamp"};
const MemberPath kRexHours{"DinoSettings", "DisallowTaming", "Rex_C", "HoursToDelay"};
const MemberPath kRex{"DinoSettings", "DisallowTaming", "Rex_C"};

INSTANTIATE_TEST_SUITE_P(
    Cases, byte_edit_test,
    ::testing::Values(
        BytesCase{"value, name and blanks kept", "{ \"WipeTimestamp\" :  1 , \"X\": 2}", kWipe,
                  "42", "{ \"WipeTimestamp\" :  42 , \"X\": 2}"},
        BytesCase{"the last of a name given twice", R"({"WipeTimestamp": 1, "WipeTimestamp": 2})",
                  kWipe, "3", R"({"WipeTimestamp": 1, "WipeTimestamp": 3})"},
        BytesCase{"added with its comma and its neighbour's blanks",
                  "{\n  \"X\": [1, {\"y\": \"}\"}]\n}", kWipe, "5",
                  "{\n  \"X\": [1, {\"y\": \"}\"}],\n  \"WipeTimestamp\": 5\n}"},
        BytesCase{"added to an empty object", "{}", kWipe, "5", "{\"WipeTimestamp\": 5}"},
        BytesCase{"objects on the way added", R"({"WipeTimestamp": 1})", kRexHours, "24",
                  R"({"WipeTimestamp": 1, "DinoSettings": {"DisallowTaming": {"Rex_C": )"
                  R"({"HoursToDelay": 24}}}})"},
        BytesCase{
            "byte order mark, CR LF and comments kept",
            "\xEF\xBB\xBF{\r\n  // the wipe\r\n  \"WipeTimestamp\": 1, /* why */\r\n"
            "  \"DinoSettings\": {}\r\n}\r\n",
            kWipe, "\"2026-01-08T18:00:00Z\"",
            "\xEF\xBB\xBF{\r\n  // the wipe\r\n  \"WipeTimestamp\": \"2026-01-08T18:00:00Z\", "
            "/* why */\r\n  \"DinoSettings\": {}\r\n}\r\n"},
        BytesCase{"the last member removed with the comma before it",
                  "{\n  \"A_C\": {},  // keep\n  \"Rex_C\": {\"HoursToDelay\": 1}\n}",
                  {"Rex_C"},
                  nullptr,
                  "{\n  \"A_C\": {}  // keep\n}"},
        BytesCase{"the first member removed with its comma",
                  R"({"DinoSettings": {"DisallowTaming": {"Rex_C": 1, "A_C": 2}}})", kRex, nullptr,
                  R"({"DinoSettings": {"DisallowTaming": {"A_C": 2}}})"},
        BytesCase{"a middle member and its repeat removed",
                  R"({"DinoSettings": {"DisallowTaming": {"A_C": 1, "Rex_C": 2, "B_C": 3, )"
                  R"("Rex_C": 4}}})",
                  kRex, nullptr, R"({"DinoSettings": {"DisallowTaming": {"A_C": 1, "B_C": 3}}})"},
        BytesCase{"the only member removed, the line comment before it kept",
                  "{\"DinoSettings\": {\"DisallowTaming\": { // list\n  \"Rex_C\": 1\n}}}", kRex,
                  nullptr, "{\"DinoSettings\": {\"DisallowTaming\": { // list\n}}}"},
        BytesCase{"the same with CR LF",
                  "{\"DinoSettings\": {\"DisallowTaming\": { // list\r\n  \"Rex_C\": 1\r\n}}}",
                  kRex, nullptr, "{\"DinoSettings\": {\"DisallowTaming\": { // list\r\n}}}"},
        BytesCase{"a value before a line comment a NUL ends",
                  std::string("{\"WipeTimestamp\": 1 // a\0}", 26), kWipe, "2",
                  std::string("{\"WipeTimestamp\": 2 // a\0}", 26)},
        BytesCase{"a value changed before a trailing comma", "{\"WipeTimestamp\": 1,\n}", kWipe,
                  "2", "{\"WipeTimestamp\": 2,\n}"},
        BytesCase{"a member removed before a trailing comma",
                  R"({"DinoSettings": {"DisallowTaming": {"A_C": 1, "Rex_C": 2,}}})", kRex, nullptr,
                  R"({"DinoSettings": {"DisallowTaming": {"A_C": 1,}}})"}));

TEST(byte_edit_test, refuses_what_is_no_object) {
  EXPECT_EQ(set_member(R"({"DinoSettings": []})", kRexHours, "1").problem,
            "DinoSettings is not an object");
  EXPECT_EQ(set_member("[1]", kWipe, "1").problem, "the file is not one JSON object");
  const MemberPath forged{"DinoSettings", "DisallowTaming", "Rex\nerror", "HoursToDelay"};
  EXPECT_EQ(
      set_member(R"({"DinoSettings": {"DisallowTaming": {"Rex\nerror": 1}}})", forged, "1").problem,
      "DinoSettings > DisallowTaming > Rex\\nerror is not an object")
      << "a name from the command line cannot start a line of the log";
}

constexpr char kFile[] = R"({"WipeTimestamp": 1767895200, "DinoSettings": {
  "DisallowRiding": {"Rex_Character_BP_C": {"HoursToDelay": 72}},
  "DisallowTaming": {"rex_character_bp_c": {"HoursToDelay": 24}}}})";

ConfigurationEdit edit_of(const std::string& bytes, const std::string& command) {
  const auto request = read_edit_request(command, kNow);
  if (const auto* problem = std::get_if<std::string>(&request)) {
    return {{}, {}, {}, "request: " + *problem};
  }
  return edit_configuration(bytes, std::get<EditRequest>(request), kNow);
}

struct CommandCase {
  const char* command;
  const char* written;  // the part of the new file that shows the edit
  std::vector<std::string> changes;
};

class command_edit_test : public ::testing::TestWithParam<CommandCase> {};

TEST_P(command_edit_test, writes_and_says_the_change) {
  const ConfigurationEdit edit = edit_of(kFile, GetParam().command);
  ASSERT_TRUE(edit.ok()) << edit.problem;
  EXPECT_THAT(edit.bytes, HasSubstr(GetParam().written));
  EXPECT_EQ(edit.changes, GetParam().changes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, command_edit_test,
    ::testing::Values(
        CommandCase{"Quellwarden.setwipe 2026-12-11 19:00 +01:00",
                    R"("WipeTimestamp": "2026-12-11 19:00 +01:00",)",
                    {"WipeTimestamp 1767895200 -> 1797012000"}},
        CommandCase{"quellwarden.SETWIPE now",
                    R"("WipeTimestamp": 1767981600,)",
                    {"WipeTimestamp 1767895200 -> 1767981600"}},
        CommandCase{"Quellwarden.setwipe 1797012000",
                    R"("WipeTimestamp": 1797012000,)",
                    {"WipeTimestamp 1767895200 -> 1797012000"}},
        CommandCase{"Quellwarden.shift -90m",
                    R"("WipeTimestamp": 1767889800,)",
                    {"WipeTimestamp 1767895200 -> 1767889800"}},
        CommandCase{"Quellwarden.delay REX_CHARACTER_BP_C 36",
                    R"("rex_character_bp_c": {"HoursToDelay": 36})",
                    {"DisallowRiding Rex_Character_BP_C HoursToDelay 72 -> 36",
                     "DisallowTaming rex_character_bp_c HoursToDelay 24 -> 36"}},
        CommandCase{"Quellwarden.delay Gigant_Character_BP_C 0 taming",
                    R"("rex_character_bp_c": {"HoursToDelay": 24}, "Gigant_Character_BP_C": )"
                    R"({"HoursToDelay": 0}})",
                    {"DisallowTaming Gigant_Character_BP_C added (HoursToDelay 0)"}},
        CommandCase{"Quellwarden.unlock Rex_Character_BP_C riding",
                    R"("DisallowRiding": {})",
                    {"DisallowRiding Rex_Character_BP_C removed (HoursToDelay 72)"}}));

TEST(command_edit_test, shift_keeps_the_date_form_and_offset) {
  const ConfigurationEdit edit =
      edit_of(R"({"WipeTimestamp": "2026-01-08T20:00:00+02:00"})", "Quellwarden.shift +1d");
  EXPECT_EQ(edit.bytes, R"({"WipeTimestamp": "2026-01-09T20:00:00+02:00"})");
  EXPECT_EQ(edit_of(R"({"WipeTimestamp": "2026-01-08 18:00 UTC"})", "Quellwarden.shift -2h").bytes,
            R"({"WipeTimestamp": "2026-01-08T16:00:00Z"})");
  // Past year 9999 a date text cannot be written.
  EXPECT_THAT(
      edit_of(R"({"WipeTimestamp": "2026-01-08T20:00:00+02:00"})", "Quellwarden.shift +80000000h")
          .problem,
      HasSubstr("past the years a date can hold"));
}

TEST(command_edit_test, says_what_the_new_file_is_warned_about) {
  const ConfigurationEdit edit = edit_of(kFile, "Quellwarden.delay Giga_Character_BP_C 1 taming");
  EXPECT_THAT(edit.new_warnings, ElementsAre(HasSubstr("did you mean \"Gigant_Character_BP_C\"")));
}

struct Refused {
  const char* command;
  const char* problem;
};

class refused_edit_test : public ::testing::TestWithParam<Refused> {};

TEST_P(refused_edit_test, writes_nothing) {
  const ConfigurationEdit edit = edit_of(kFile, GetParam().command);
  EXPECT_THAT(edit.problem, HasSubstr(GetParam().problem));
  EXPECT_TRUE(edit.bytes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, refused_edit_test,
    ::testing::Values(
        Refused{"Quellwarden.unlock Gigant_Character_BP_C",
                R"("Gigant_Character_BP_C" is not listed in "DisallowRiding" nor in )"},
        Refused{"Quellwarden.unlock Rex_Character_BP_C taming extra", "usage: Quellwarden.unlock"},
        Refused{"Quellwarden.delay Rex_Character_BP_C 1.5", "hours must be a whole number"},
        Refused{"Quellwarden.delay Rex_Character_BP_C -1", "hours must be a whole number"},
        Refused{"Quellwarden.delay Rex 24", R"(class name "Rex" in "DisallowTaming" does not end)"},
        Refused{"Quellwarden.delay /Game/Rex.Rex_C 24", "is a blueprint path"},
        Refused{"Quellwarden.delay Rex_Character_BP_C 24 breeding", "usage: Quellwarden.delay"},
        Refused{"Quellwarden.delay Rex_Character_BP_C 2562047788015215",
                "the edited file would not load"},
        Refused{"Quellwarden.setwipe", "usage: Quellwarden.setwipe"},
        Refused{"Quellwarden.setwipe 2026-01-08 18:00", "has no zone"},
        Refused{"Quellwarden.setwipe 1797012000000", "looks like milliseconds; write 1797012000"},
        Refused{"Quellwarden.shift 24h", "is not a signed whole number of hours"},
        Refused{"Quellwarden.shift +9223372036854775807d", "is not a signed whole number"},
        Refused{"Quellwarden.shift +153722867280912930m", "past what a signed 64-bit number"}));

TEST(refused_edit_test, a_file_that_would_not_load_as_it_stands) {
  EXPECT_THAT(edit_of(R"({"WipeTimestamp": "soon"})", "Quellwarden.shift +1h").problem,
              HasSubstr("config.json would not load as it stands"));
}

}  // namespace
}  // namespace quellwarden::config
