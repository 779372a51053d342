// "Announcements" and "Bypass" as the configuration reads them: what turns announcements on or
// off, which ids pass the gates, and the warning each mistake gets while the lists still load.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "config/config_reader.h"
#include "config/diagnostics.h"
#include "config/document.h"
#include "config/evaluation.h"

namespace {

using quellwarden::config::code_name;
using quellwarden::config::Configuration;
using quellwarden::config::diagnose;
using quellwarden::config::read_document;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kLists =
    R"("WipeTimestamp": 1700000000, "DinoSettings": {"DisallowTaming": {"Rex_Character_BP_C": {"HoursToDelay": 2}}})";

struct Reading {
  Configuration configuration;
  std::vector<std::string> codes;  // of every diagnostic, with its path: "code Path/To"
};

// `members` beside the lists, which must load whatever they say.
Reading read_beside_lists(const std::string& members) {
  const std::string text = "{" + members + (members.empty() ? "" : ", ") + kLists + "}";
  auto evaluation = quellwarden::config::evaluate(text, {});
  EXPECT_TRUE(evaluation.configuration.has_value()) << text;
  Reading out{evaluation.configuration.value_or(Configuration{}), {}};
  EXPECT_EQ(out.configuration.taming.size(), 1U) << text;
  for (const auto& diagnostic : diagnose(read_document(text), &out.configuration, 1700000000)) {
    std::string path;
    for (const std::string& name : diagnostic.path) path += (path.empty() ? "" : "/") + name;
    out.codes.push_back(std::string(code_name(diagnostic.code)) + " " + path);
  }
  return out;
}

TEST(announcements_bypass_test, announcements_are_on_only_when_right_and_saying_something) {
  struct Case {
    std::string members;
    bool on;
    std::vector<std::string> codes;
  };
  const std::vector<Case> cases{
      {"", false, {}},
      {R"("Announcements": {})", false, {}},
      {R"("Announcements": {"RemindBefore": [60], "TamingSoon": ""})", false, {}},
      {R"("Announcements": {"Riding": "{creature} rides"})", true, {}},
      {R"("Announcements": {"RemindBefore": [3600, 600], "TamingSoon": "in {left}"})", true, {}},
      {R"("Announcements": "yes")", false, {"invalid_announcements Announcements"}},
      {R"("Announcements": {"Taming": 1})", false, {"invalid_announcements Announcements/Taming"}},
      {R"("Announcements": {"Taming": "{when}"})",
       false,
       {"invalid_announcements Announcements/Taming"}},
      {R"("Announcements": {"Taming": "x", "RemindBefore": 600})",
       false,
       {"invalid_announcements Announcements/RemindBefore"}},
      {R"("Announcements": {"Taming": "x", "RemindBefore": [600, 0]})",
       false,
       {"invalid_announcements Announcements/RemindBefore"}},
      {R"("Announcements": {"Taming": "x", "RemindBefore": [-5]})",
       false,
       {"invalid_announcements Announcements/RemindBefore"}},
      {R"("Announcements": {"Taming": "x", "RemindBefore": [1.5]})",
       false,
       {"invalid_announcements Announcements/RemindBefore"}},
      {R"("Announcements": {"Taming": "x", "RemindBefore": ["600"]})",
       false,
       {"invalid_announcements Announcements/RemindBefore"}},
      {R"("Announcements": {"Taming": "x", "RemindBefore": [[600]]})",
       false,
       {"invalid_announcements Announcements/RemindBefore"}},
      {R"("Announcements": {"Taming": "x", "RemindSoon": [60]})",
       true,
       {"unknown_member Announcements/RemindSoon"}},
  };
  for (const Case& expected : cases) {
    const Reading reading = read_beside_lists(expected.members);
    EXPECT_EQ(reading.configuration.announcements.has_value(), expected.on) << expected.members;
    EXPECT_EQ(reading.codes, expected.codes) << expected.members;
  }
}

TEST(announcements_bypass_test, settings_keep_every_text_and_lead_as_written) {
  const auto announcements = read_beside_lists(R"("Announcements": {"Taming": "t", "Riding": "r",
      "RemindBefore": [86400, 3600, 600], "TamingSoon": "ts", "RidingSoon": "rs"})")
                                 .configuration.announcements;
  ASSERT_TRUE(announcements.has_value());
  EXPECT_EQ(announcements->taming, "t");
  EXPECT_EQ(announcements->riding, "r");
  EXPECT_THAT(announcements->remind_before, ElementsAre(86400, 3600, 600));
  EXPECT_EQ(announcements->taming_soon, "ts");
  EXPECT_EQ(announcements->riding_soon, "rs");
}

// A wrong element lets no one through; an empty id would match a player the host cannot tell.
TEST(announcements_bypass_test, bypass_keeps_each_id_once_and_drops_what_is_no_id) {
  const Reading reading = read_beside_lists(R"("Bypass": ["b2", "a1", 7, "", "b2", ["c3"]])");
  EXPECT_THAT(reading.configuration.bypass, ElementsAre("a1", "b2"));
  EXPECT_THAT(reading.codes, ElementsAre("invalid_bypass Bypass/2", "invalid_bypass Bypass/3",
                                         "invalid_bypass Bypass/5"));
  const Reading scalar = read_beside_lists(R"("Bypass": "a1")");
  EXPECT_THAT(scalar.configuration.bypass, IsEmpty());
  EXPECT_THAT(scalar.codes, ElementsAre("invalid_bypass Bypass"));
  EXPECT_THAT(read_beside_lists(R"("Bypass": ["x"], "Bypass": ["y"])").configuration.bypass,
              ElementsAre("y"))
      << "the last of a repeated member, as the parser keeps it";
}

}  // namespace
