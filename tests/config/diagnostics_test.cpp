// Tests for the configuration diagnostics: each mistake with its code, path and text, the exact
// wording of the ones the checker has always printed, and silence on a clean file.
#include "config/diagnostics.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "config/config_reader.h"
#include "config/creature_classes.h"
#include "config/diagnostics/checks.h"
#include "config/document.h"
#include "config/evaluation.h"
#include "config/member_names.h"
#include "text/ascii_fold.h"

namespace quellwarden::config {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Levenshtein distance over bytes, over all of both texts: the plain way, to hold the bounded
// search against.
std::size_t edit_distance(std::string_view from, std::string_view to) {
  std::vector<std::size_t> row(to.size() + 1);
  for (std::size_t column = 0; column < row.size(); ++column) row[column] = column;
  for (std::size_t line = 1; line <= from.size(); ++line) {
    std::size_t diagonal = row[0];
    row[0] = line;
    for (std::size_t column = 1; column <= to.size(); ++column) {
      const std::size_t above = row[column];
      const std::size_t change = diagonal + (from[line - 1] == to[column - 1] ? 0 : 1);
      row[column] = std::min({above + 1, row[column - 1] + 1, change});
      diagonal = above;
    }
  }
  return row[to.size()];
}

constexpr std::int64_t kWipe = 1700000000;
constexpr std::int64_t kNow = kWipe + 3600;

constexpr char kExample[] = R"({"WipeTimestamp": 1700000000, "DinoSettings": {
    "DisallowRiding": {"A_C": {"HoursToDelay": 48}},
    "DisallowTaming": {"A_C": {"HoursToDelay": 24}, "B_C": {"HoursToDelay": 72}}}})";

std::vector<Diagnostic> all_diagnostics(const std::string& text, std::int64_t now = kNow) {
  const Evaluation evaluation = evaluate(text, {now});
  EXPECT_FALSE(evaluation.document.parse_error) << text;
  return evaluation.diagnostics;
}

// The fixtures name classes of their own ("Rex_C", "A_C"), which the game does not have: the tests
// of other warnings leave out the unknown_class each of them gets; its own tests keep it.
std::vector<Diagnostic> without_unknown_class(std::vector<Diagnostic> found) {
  std::erase_if(found, [](const Diagnostic& diagnostic) {
    return diagnostic.code == DiagnosticCode::unknown_class;
  });
  return found;
}

std::vector<Diagnostic> diagnose_text(const std::string& text, std::int64_t now = kNow) {
  return without_unknown_class(all_diagnostics(text, now));
}

std::vector<std::string> texts(const std::vector<Diagnostic>& diagnostics) {
  std::vector<std::string> result;
  for (const Diagnostic& diagnostic : diagnostics) result.push_back(diagnostic.text);
  return result;
}

// What the shape of a file alone says, the times left aside.
std::vector<std::string> structure_of(const std::string& text) {
  return texts(without_unknown_class(diagnose(read_document(text), nullptr, kNow)));
}

// A document whose only list is DisallowTaming, holding `entries` and a class still held back.
std::string taming(const std::string& entries) {
  return R"({"WipeTimestamp": 1700000000, "DinoSettings": {"DisallowTaming": {)" + entries +
         R"(, "Ptero_Character_BP_C": {"HoursToDelay": 48}}}})";
}

struct Case {
  std::string document;
  std::string code;
  std::vector<std::string> path;
  std::string text;
};

TEST(diagnostics_test, each_mistake_gives_its_code_path_and_text) {
  const std::vector<Case> cases{
      {R"({"WipeTimestamp": 1700000000, "DinoSettings": {"DisallowRide": {}}})",
       "unknown_member",
       {"DinoSettings", "DisallowRide"},
       "unknown member \"DisallowRide\" in \"DinoSettings\" is ignored by the plugin; did you "
       "mean \"DisallowRiding\"?"},
      {taming(R"("Rex_C": {"HoursToDelay": 1, "Hours": 2})"),
       "unknown_member",
       {"DinoSettings", "DisallowTaming", "Rex_C", "Hours"},
       "unknown member \"Hours\" of class \"Rex_C\" in \"DisallowTaming\" is ignored by the "
       "plugin; did you mean \"HoursToDelay\"?"},
      {R"({"WipeTimestamp": 1700000000, "HoursToDelay": 5})",
       "misplaced_member",
       {"HoursToDelay"},
       "unknown member \"HoursToDelay\" at the top level is ignored by the plugin; it belongs "
       "inside each class entry"},
      {R"({"WipeTimestamp": 1700000000, "DinoSettings": {"DisallowTaming": [{"HoursToDelay": 1}]}})",
       "list_is_array",
       {"DinoSettings", "DisallowTaming"},
       "\"DisallowTaming\" is an array, so the plugin files its entries under the class name "
       "\"0\"; it should be an object from class name to entry"},
      {R"({"WipeTimestamp": 1700000000, "DinoSettings": {"DisallowRiding": null}})",
       "null_list",
       {"DinoSettings", "DisallowRiding"},
       "\"DisallowRiding\" is null, so the plugin holds back no class in it; write {} for an "
       "empty list, or an object from class name to entry"},
      {taming(R"("Rex_C": {"HoursToDelay": 1}, "rex_c": {"HoursToDelay": 2})"),
       "case_twin",
       {"DinoSettings", "DisallowTaming"},
       "class names \"Rex_C\" and \"rex_c\" in \"DisallowTaming\" differ only in letter case; the "
       "plugin keeps one class, \"rex_c\", the last in byte order"},
      {R"({"WipeTimestamp": 1, "WipeTimestamp": 1700000000})",
       "duplicate_member",
       {"WipeTimestamp"},
       "member \"WipeTimestamp\" is given 2 times at the top level; the plugin reads only the "
       "last one"},
      {"{}",
       "missing_wipe",
       {"WipeTimestamp"},
       "\"WipeTimestamp\" is missing, so the plugin counts every unlock time from 0 (1970-01-01 "
       "00:00:00 UTC)"},
      {R"({"WipeTimestamp": 1700000000.5})",
       "wipe_not_whole",
       {"WipeTimestamp"},
       "\"WipeTimestamp\" is 1700000000.5, not a whole number; the plugin cuts it to 1700000000"},
      {R"({"WipeTimestamp": 1700007200})",
       "future_wipe",
       {"WipeTimestamp"},
       "the wipe time 2023-11-15 00:13:20 UTC (\"WipeTimestamp\" 1700007200) is in the future, "
       "in 1h; until then, and for the hours after it, every listed class is held back, riding "
       "of creatures already tamed too"},
      {R"({"WipeTimestamp": 1700000000000})",
       "wipe_in_milliseconds",
       {"WipeTimestamp"},
       "\"WipeTimestamp\" 1700000000000 looks like milliseconds; write 1700000000"},
      {R"({"WipeTimestamp": 1700000000, "DinoSettings": {"DisallowRiding": {"Rex_C": {"HoursToDelay": 0}}}})",
       "stale_wipe",
       {"WipeTimestamp"},
       "the wipe time 2023-11-14 22:13:20 UTC (\"WipeTimestamp\" 1700000000) leaves every listed "
       "unlock in the past, the last one 1h ago: nothing is held back; is \"WipeTimestamp\" from "
       "an earlier wipe?"},
      {taming(R"("Rex_C": {})"),
       "missing_hours",
       {"DinoSettings", "DisallowTaming", "Rex_C", "HoursToDelay"},
       "class \"Rex_C\" in \"DisallowTaming\" has no \"HoursToDelay\", so the plugin uses 0 hours "
       "and releases it at the wipe"},
      {taming(R"("Rex_C": {"HoursToDelay": -5})"),
       "negative_hours",
       {"DinoSettings", "DisallowTaming", "Rex_C", "HoursToDelay"},
       "\"HoursToDelay\" of class \"Rex_C\" in \"DisallowTaming\" is -5, negative: the class is "
       "released before the wipe, not after it"},
      {taming(R"("Rex_C": {"HoursToDelay": true})"),
       "hours_not_whole",
       {"DinoSettings", "DisallowTaming", "Rex_C", "HoursToDelay"},
       "\"HoursToDelay\" of class \"Rex_C\" in \"DisallowTaming\" is true, not a number; the "
       "plugin reads it as 1"},
      {taming(R"("Rex_C": {"HoursToDelay": 87601})"),
       "absurd_hours",
       {"DinoSettings", "DisallowTaming", "Rex_C", "HoursToDelay"},
       "\"HoursToDelay\" of class \"Rex_C\" in \"DisallowTaming\" is 87601, more than ten years: "
       "the class is never released in practice; give the delay in hours, not in minutes or "
       "seconds"},
      {taming(
           R"("Blueprint'/Game/Dinos/Rex/Rex_Character_BP.Rex_Character_BP'": {"HoursToDelay": 1})"),
       "not_a_class_name",
       {"DinoSettings", "DisallowTaming",
        "Blueprint'/Game/Dinos/Rex/Rex_Character_BP.Rex_Character_BP'"},
       "class name \"Blueprint'/Game/Dinos/Rex/Rex_Character_BP.Rex_Character_BP'\" in "
       "\"DisallowTaming\" is a blueprint path, not a class name, so no creature matches it; did "
       "you mean \"Rex_Character_BP_C\"?"},
      {taming(R"("Rex_C": {"HoursToDelay": 1, "DisplayName": {"en": "Rex"}})"),
       "invalid_display_name",
       {"DinoSettings", "DisallowTaming", "Rex_C", "DisplayName"},
       "\"DisplayName\" of class \"Rex_C\" in \"DisallowTaming\" is an object, {\"en\":\"Rex\"}, "
       "so players are told the class's common name or class name; write the name players know, as "
       "text of at most 64 characters"},
      {taming(R"("Rex_Character_BP_C": {"HoursToDelay": 1, "ModClass": "yes"})"),
       "invalid_mod_class",
       {"DinoSettings", "DisallowTaming", "Rex_Character_BP_C", "ModClass"},
       "\"ModClass\" of class \"Rex_Character_BP_C\" in \"DisallowTaming\" is the string "
       "\"yes\", not true or false, so the class is taken for the game's own; write true for a "
       "mod's creature, or leave it out"},
      {R"({"WipeTimestamp": 1700000000, "PlayerNotices": {"Riding": "{dino} in {left}"}})",
       "invalid_notices",
       {"PlayerNotices", "Riding"},
       "\"Riding\" in \"PlayerNotices\" has the unknown placeholder {dino}, so player notices and "
       "the chat command are off; the known ones are {creature}, {class}, {left} and {unlock}"},
      {R"({"WipeTimestamp": 1700000000, "PlayerNotices": 7})",
       "invalid_notices",
       {"PlayerNotices"},
       "\"PlayerNotices\" is 7, so player notices and the chat command are off; write an object "
       "such as {}, or leave it out for no notices"},
      {R"({"WipeTimestamp": 1700000000, "PlayerNotices": {"ChatCommand": "unlocks"}})",
       "chat_command_without_prefix",
       {"PlayerNotices", "ChatCommand"},
       "\"ChatCommand\" in \"PlayerNotices\" is \"unlocks\", which does not start with \"/\" or "
       "\"!\", so the plugin answers ordinary chat that starts with that word; write "
       "\"/unlocks\""},
      {R"({"WipeTimestamp": 1700000000}
          {"DinoSettings": {}} )",
       "trailing_text",
       {},
       "text after the JSON value, at line 2, column 11 (\"{\"DinoSettings\": {}}\"), is "
       "ignored by the plugin, which reads only the first value: remove it, or merge it into the "
       "first value"},
      {"{\"WipeTimestamp\": 1700000000\n} // wiped on Friday",
       "comment_in_file",
       {},
       "line 2: a comment (//) is read as if it were not there"},
      {"{\"WipeTimestamp\": 1700000000, /* Friday */ \"DinoSettings\": {}}",
       "comment_in_file",
       {},
       "line 1: a comment (/* */) is read as if it were not there"},
      {"{\"WipeTimestamp\": 1700000000, \"DinoSettings\": {\n\"DisallowRiding\": [],\n}}",
       "trailing_comma",
       {},
       "line 2: a comma right before } is read as if it were not there"}};
  for (const Case& expected : cases) {
    const std::vector<Diagnostic> found = diagnose_text(expected.document);
    ASSERT_EQ(found.size(), 1u) << expected.document;
    EXPECT_EQ(code_name(found[0].code), expected.code) << expected.document;
    EXPECT_EQ(found[0].path, expected.path) << expected.document;
    EXPECT_EQ(found[0].text, expected.text) << expected.document;
  }
}

TEST(diagnostics_test, clean_file_and_other_shapes_give_none) {
  EXPECT_THAT(diagnose_text(kExample), IsEmpty());
  EXPECT_THAT(diagnose_text(std::string(kExample) + " \t\r\n"), IsEmpty());
  for (const char* text :
       {"[]", "5", "5 ", "null", R"({"WipeTimestamp": 1700000000, "DinoSettings": 7})",
        R"({"WipeTimestamp": 1700000000, "DinoSettings": {"DisallowTaming": 3}})",
        R"({"WipeTimestamp": 1700000000.0, "DinoSettings": {"DisallowRiding": []}})"}) {
    EXPECT_THAT(diagnose_text(text), IsEmpty()) << text;
  }
}

TEST(diagnostics_test, unknown_members_at_every_level_with_advice) {
  EXPECT_THAT(
      structure_of(R"({"WipeTimestamp": 1, "DinoSetting": {}, "Notes": "x", "DisallowRiding": {},
          "DinoSettings": {"disallowriding": {}, "HoursToDelay": 1,
              "DisallowTaming": {"Rex_C": {"HoursToDelya": 2, "HoursToDelay": 3, "wipetimestamp": 4}}}})"),
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
          "unknown member \"HoursToDelya\" of class \"Rex_C\" in \"DisallowTaming\" is ignored by "
          "the plugin; did you mean \"HoursToDelay\"?",
          "unknown member \"wipetimestamp\" of class \"Rex_C\" in \"DisallowTaming\" is ignored by "
          "the plugin; did you mean \"WipeTimestamp\", which belongs at the top level?"));
  EXPECT_FALSE(meant_member(std::string(65, 'x'), Level::top));
  EXPECT_FALSE(meant_member("DinoSettingsXYZ", Level::top));
  EXPECT_FALSE(meant_member("Hou", Level::entry));
}

TEST(diagnostics_test, list_given_as_array_names_its_index_classes) {
  EXPECT_THAT(
      structure_of(R"({"WipeTimestamp": 1, "DinoSettings": {
          "DisallowRiding": [{"HoursToDelay": 1}, {"HoursToDelay": 2}, {"HoursToDelay": 3}]}})"),
      ElementsAre("\"DisallowRiding\" is an array, so the plugin files its entries under the class "
                  "names \"0\" to \"2\"; it should be an object from class name to entry"));
}

TEST(diagnostics_test, class_names_differing_only_in_ascii_case_name_the_survivor) {
  EXPECT_THAT(
      structure_of(taming(R"("rex_C": {"HoursToDelay": 1}, "REX_C": {"HoursToDelay": 2},
          "Rex_C": {"HoursToDelay": 3}, "Wölf_C": {"HoursToDelay": 4}, "WÖLF_C": {"HoursToDelay": 5},
          "Giga_C": {"HoursToDelay": 6})")),
      ElementsAre("class names \"REX_C\", \"Rex_C\" and \"rex_C\" in \"DisallowTaming\" differ "
                  "only in letter case; the plugin keeps one class, \"rex_C\", the last in byte "
                  "order"));
}

TEST(diagnostics_test, hours_negative_fractional_boolean_or_missing) {
  EXPECT_THAT(
      structure_of(taming(R"("B_C": {"HoursToDelay": 1.5}, "C_C": {"HoursToDelay": -2.5},
          "F_C": {"HoursToDelay": -0.5}, "G_C": {"HoursToDelay": 2.0}, "H_C": {"HoursToDelay": 87600.9},
          "I_C": {"HoursToDelay": 87601.0})")),
      ElementsAre("\"HoursToDelay\" of class \"B_C\" in \"DisallowTaming\" is 1.5, not a whole "
                  "number; the plugin cuts it to 1",
                  "\"HoursToDelay\" of class \"C_C\" in \"DisallowTaming\" is -2.5, not a whole "
                  "number; the plugin cuts it to -2",
                  "\"HoursToDelay\" of class \"C_C\" in \"DisallowTaming\" is -2.5, negative: the "
                  "class is released before the wipe, not after it",
                  "\"HoursToDelay\" of class \"F_C\" in \"DisallowTaming\" is -0.5, not a whole "
                  "number; the plugin cuts it to 0",
                  "\"HoursToDelay\" of class \"H_C\" in \"DisallowTaming\" is 87600.9, not a whole "
                  "number; the plugin cuts it to 87600",
                  "\"HoursToDelay\" of class \"I_C\" in \"DisallowTaming\" is 87601.0, more than "
                  "ten years: the class is never released in practice; give the delay in hours, "
                  "not in minutes or seconds"));
  EXPECT_THAT(structure_of(R"({"WipeTimestamp": false})"),
              ElementsAre("\"WipeTimestamp\" is false, not a number; the plugin reads it as 0"));
}

TEST(diagnostics_test, class_name_suggestion_is_the_name_after_the_last_point) {
  const auto text_for = [](const std::string& name) {
    const auto found = class_name_diagnostic(name, "DisallowRiding", {});
    return found ? found->text : std::string("none");
  };
  EXPECT_EQ(text_for("rex_character_bp_c"), "none");
  EXPECT_EQ(text_for("/Game/Dinos/Rex/Rex_Character_BP.Rex_Character_BP_C"),
            "class name \"/Game/Dinos/Rex/Rex_Character_BP.Rex_Character_BP_C\" in "
            "\"DisallowRiding\" is a blueprint path, not a class name, so no creature matches it; "
            "did you mean \"Rex_Character_BP_C\"?");
  EXPECT_EQ(text_for(" 'Rex_Character_BP_C'\t"),
            "class name \" 'Rex_Character_BP_C'\\t\" in \"DisallowRiding\" holds a quote, a blank "
            "or a control character, so no creature matches it; did you mean "
            "\"Rex_Character_BP_C\"?");
  EXPECT_EQ(text_for("Rex"),
            "class name \"Rex\" in \"DisallowRiding\" does not end in \"_C\", so it is likely not "
            "a creature's class name and matches none; write the class name as the game gives "
            "it, ending in \"_C\"");
  EXPECT_EQ(text_for("Rex.").substr(text_for("Rex.").find(';')),
            "; write the class name as the game gives it, ending in \"_C\"");
}

// Every listed name that is not a game class gets unknown_class, unless its entry says it is a
// mod's; a path, a stray character or an invisible one is held against the list by what it stands
// for, and a name that is a game class but for them gets only the warning about them.
TEST(diagnostics_test, class_names_not_of_the_game_name_what_was_meant) {
  const std::vector<Diagnostic> found = all_diagnostics(R"({"WipeTimestamp": 1700000000,
      "DinoSettings": {"DisallowTaming": {
      "/Game/Dinos/Giga/Giga_Character_BP.Giga_Character_BP": {"HoursToDelay": 1},
      "/Game/Dinos/Rex/Rex_Character_BP.Rex_Character_BP": {"HoursToDelay": 1},
      "Giga_Character_BP_C": {"HoursToDelay": 1, "ModClass": true},
      "MyMod_Fluffball_Character_BP_C": {"HoursToDelay": 1},
      "Reaper_Character_BP_C": {"HoursToDelay": 1},
      "Rex\u200b_Character_BP_C": {"HoursToDelay": 1}}}})");
  std::vector<std::string> codes;
  for (const Diagnostic& diagnostic : found) codes.emplace_back(code_name(diagnostic.code));
  EXPECT_THAT(codes, ElementsAre("not_a_class_name", "unknown_class", "not_a_class_name",
                                 "unknown_class", "unknown_class", "invisible_character"));
  EXPECT_THAT(found[1].text,
              ::testing::EndsWith("is not a creature class of the game (for a mod's creature, add "
                                  "\"ModClass\": true to its entry); did you mean "
                                  "\"Gigant_Character_BP_C\" (Giganotosaurus)?"));
  EXPECT_EQ(
      found[3].text,
      "class \"MyMod_Fluffball_Character_BP_C\" in \"DisallowTaming\" is not a creature class "
      "of the game nor close to one; for a mod's creature, add \"ModClass\": true to its "
      "entry");
  EXPECT_EQ(found[4].path,
            (std::vector<std::string>{"DinoSettings", "DisallowTaming", "Reaper_Character_BP_C"}));
  EXPECT_EQ(found[4].text,
            "class \"Reaper_Character_BP_C\" in \"DisallowTaming\" is not a creature class of the "
            "game (for a mod's creature, add \"ModClass\": true to its entry); did you mean "
            "\"Xenomorph_Character_BP_Female_C\" (Reaper Queen), "
            "\"Xenomorph_Character_BP_Male_Surface_C\" (Reaper King (wild)) or "
            "\"Xenomorph_Character_BP_Male_Tamed_C\" (Reaper King (tamed))?");
}

// Each invisible character by its code point, its name and the text before it.
TEST(diagnostics_test, invisible_characters_in_a_class_name_are_named_with_their_place) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"Rex\u200b_Character_BP_C", "U+200B (zero width space) after \"Rex\""},
      {"\xef\xbb\xbfRex_Character_BP_C", "U+FEFF (zero width no-break space) at its start"},
      {"Rex\xc2\xa0"
       "Character_BP_C",
       "U+00A0 (no-break space) after \"Rex\""},
      {"Rex\u200e_Character\u200f\u2060_BP_C",
       "U+200E (left-to-right mark) after \"Rex\" and 2 more such characters"},
      {"Dodo_Character_BP_C\xf3\xa0\x80\x81", "U+E0001 (language tag) after "},
      {"W\xc3\xb6lf_Character_BP_C", "none"},
      {"Rex_\xe2\x80", "none"}};
  for (const auto& [name, expected] : cases) {
    const auto found = invisible_character_diagnostic(name, "DisallowTaming", {"DinoSettings"});
    if (expected == "none") {
      EXPECT_FALSE(found) << name;
      continue;
    }
    ASSERT_TRUE(found) << name;
    EXPECT_EQ(found->code, DiagnosticCode::invisible_character);
    EXPECT_EQ(found->path, (std::vector<std::string>{"DinoSettings", name}));
    EXPECT_THAT(found->text, ::testing::HasSubstr(" holds " + expected)) << name;
    EXPECT_THAT(found->text, ::testing::EndsWith("; no creature's class holds one, so this entry "
                                                 "of \"DisallowTaming\" holds back nothing"));
  }
}

// What a listed name was meant as: the classes whose common name it says, else the nearest.
TEST(diagnostics_test, game_class_match_asks_the_common_names_before_the_spelling) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"Gigant_Character_BP_C", "in_game_list"},
      {"WYVERN_character_bp_fire_c", "in_game_list"},
      {"Giganotosaurus_Character_BP_C",
       "Gigant_Character_BP_C, BionicGigant_Character_BP_C, EVO_Giga_Character_BP_C"},
      {"giganotosaurus",
       "Gigant_Character_BP_C, BionicGigant_Character_BP_C, EVO_Giga_Character_BP_C"},
      {"FireWyvern_Character_BP_C",
       "Wyvern_Character_BP_Fire_C, Wyvern_Character_BP_Ice_C, Wyvern_Character_BP_Poison_C"},
      {"Rex", "Rex_Character_BP_C, BionicRex_Character_BP_C, EVO_Rex_Character_BP_C"},
      {"Reaper_Character_BP_C",
       "Xenomorph_Character_BP_Female_C, Xenomorph_Character_BP_Male_Surface_C, "
       "Xenomorph_Character_BP_Male_Tamed_C"},
      {"Reaper King Tamed",
       "Xenomorph_Character_BP_Male_Tamed_C, Xenomorph_Character_BP_Female_C, "
       "Xenomorph_Character_BP_Male_Surface_C"},
      {"Drake_Mod_Character_BP_C", "RockDrake_Character_BP_C, RockDrake_Character_BP_Corrupt_C"},
      {"Giga_Character_BP_C", "Gigant_Character_BP_C"},
      {"Argent_Charcter_BP_C", "Argent_Character_BP_C"},
      {"Argent_Character", "Argent_Character_BP_C"},
      {"Dino12345_Character_BP_C", "none"},
      {std::string(70, 'R'), "none"},
      {"", "none"}};
  for (const auto& [name, expected] : cases) {
    const GameClassMatch match = match_game_class(name);
    std::string found = match.in_game_list ? "in_game_list" : match.meant.empty() ? "none" : "";
    for (const GameClass& meant : match.meant) {
      found += (found.empty() ? "" : ", ") + std::string(meant.class_name);
    }
    EXPECT_EQ(found, expected) << name;
    EXPECT_EQ(is_game_class(name), expected == "in_game_list") << name;
  }
}

// Letters turn most classes away before the distance runs; they must never turn away one within
// two edits.
TEST(diagnostics_test, nearest_game_class_misses_no_class_within_two_edits) {
  std::mt19937 random(17);
  const auto pick = [&](std::size_t count) {
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
  };
  for (const GameClass& game : game_classes()) {
    for (int trial = 0; trial < 8; ++trial) {
      std::string name = ascii_folded(game.class_name);
      for (int edit = 0; edit < 1 + trial % 2; ++edit) {
        const std::size_t at = pick(name.size());
        const char letter = "AEIORX_9"[pick(8)];
        switch (pick(3)) {
          case 0:
            name.erase(at, 1);
            break;
          case 1:
            name.insert(at, 1, letter);
            break;
          default:
            name[at] = letter;
        }
      }
      if (is_game_class(name)) continue;
      std::size_t nearest = 3;
      for (const GameClass& other : game_classes()) {
        nearest = std::min(nearest, edit_distance(name, ascii_folded(other.class_name)));
      }
      const std::optional<GameClass> found = nearest_game_class(name);
      ASSERT_TRUE(found) << name;
      EXPECT_LE(edit_distance(name, ascii_folded(found->class_name)), nearest) << name;
    }
  }
}

TEST(diagnostics_test, member_given_twice_where_the_plugin_reads) {
  std::vector<Diagnostic> found = diagnose(read_document(R"({"WipeTimestamp": 1,
      "WipeTimestamp": 2, "Other": {"x": 1, "x": 2}, "DinoSettings": {"DisallowTaming": {
      "Rex": {"HoursToDelay": 1, "HoursToDelay": 2}, "Rex": {}, "Rex": {}},
      "DisallowRiding": [{"HoursToDelay": 1, "HoursToDelay": 1}]},
      "PlayerNotices": {"Taming": "a", "Taming": "b"}} {"a": 1, "a": 1})"),
                                           nullptr, kNow);
  std::erase_if(found, [](const Diagnostic& diagnostic) {
    return diagnostic.code != DiagnosticCode::duplicate_member;
  });
  EXPECT_THAT(texts(found),
              ElementsAre("member \"HoursToDelay\" is given 2 times in the entry of class \"Rex\" "
                          "in \"DisallowTaming\"; the plugin reads only the last one",
                          "class \"Rex\" is given 3 times in \"DisallowTaming\"; the plugin reads "
                          "only the last one",
                          "member \"HoursToDelay\" is given 2 times in the entry of class \"0\" in "
                          "\"DisallowRiding\"; the plugin reads only the last one",
                          "member \"Taming\" is given 2 times in \"PlayerNotices\"; the plugin "
                          "reads only the last one",
                          "member \"WipeTimestamp\" is given 2 times at the top level; the plugin "
                          "reads only the last one"));
  EXPECT_EQ(found[0].path,
            (std::vector<std::string>{"DinoSettings", "DisallowTaming", "Rex", "HoursToDelay"}));
  EXPECT_EQ(found[1].path, (std::vector<std::string>{"DinoSettings", "DisallowTaming", "Rex"}));
}

TEST(diagnostics_test, wipe_time_far_from_now) {
  constexpr std::int64_t kYear = 365 * 86400;
  const Configuration bare{kWipe, {}, {}, {}, {}, {}};
  const Configuration locked{kWipe, {}, {{"Rex_C", 2, kWipe + 7200, {}}}, {}, {}, {}};
  const Value number{nlohmann::json(kWipe)};
  EXPECT_THAT(wipe_diagnostics(bare, Value(), 0), IsEmpty());
  EXPECT_THAT(wipe_diagnostics(bare, number, kWipe), IsEmpty());
  EXPECT_THAT(wipe_diagnostics(bare, number, kWipe + kYear), IsEmpty());
  EXPECT_THAT(wipe_diagnostics(locked, number, kWipe + 7200), IsEmpty());
  EXPECT_THAT(texts(wipe_diagnostics(bare, number, kWipe + kYear + 1)),
              ElementsAre("the wipe time 2023-11-14 22:13:20 UTC (\"WipeTimestamp\" 1700000000) "
                          "is more than a year before now, 365d ago; is it left from an earlier "
                          "wipe?"));
  EXPECT_EQ(wipe_diagnostics(locked, number, kWipe + 7201).at(0).code, DiagnosticCode::stale_wipe);
}

// Milliseconds are said on their own whenever the file is judged: before the wipe they read as, at
// it, or with the file refused.
TEST(diagnostics_test, wipe_in_milliseconds_at_any_moment) {
  for (const std::string wipe : {"1797012000000", "1797012000000.0"}) {
    const std::string file = R"({"WipeTimestamp": )" + wipe + "}";
    const std::string expected =
        "\"WipeTimestamp\" 1797012000000 looks like milliseconds; write 1797012000";
    for (const std::int64_t now : {kNow, std::int64_t{1797012000000}}) {
      EXPECT_THAT(texts(diagnose_text(file, now)), ElementsAre(expected)) << wipe << " " << now;
    }
    EXPECT_THAT(structure_of(file), ElementsAre(expected)) << wipe;
  }
  EXPECT_EQ(diagnose_text(R"({"WipeTimestamp": 999999999999})").at(0).code,
            DiagnosticCode::future_wipe);
}

TEST(diagnostics_test, wipe_before_the_real_clock) {
  const Document document = read_document(R"({"WipeTimestamp": 1700000000})");
  const Configuration configuration{kWipe, {}, {}, {}, {}, {}};
  EXPECT_FALSE(wipe_before_clock(document, configuration, kWipe + 86400));
  EXPECT_FALSE(wipe_before_clock(document, configuration, kWipe - 86400 * 400));
  const std::optional<Diagnostic> stale = wipe_before_clock(document, configuration, kWipe + 86401);
  ASSERT_TRUE(stale);
  EXPECT_EQ(stale->code, DiagnosticCode::stale_wipe);
  EXPECT_EQ(stale->text,
            "the wipe time 2023-11-14 22:13:20 UTC (\"WipeTimestamp\" 1700000000) is more than a "
            "day before the real time, 1d ago; is it left from an earlier wipe?");
}

// A date is quoted as written, and a far one is never taken for milliseconds.
TEST(diagnostics_test, wipe_given_as_date) {
  EXPECT_THAT(texts(diagnose_text(R"({"WipeTimestamp": "2023-11-15T00:13:20+02:00",
      "DinoSettings": {"DisallowTaming": {"A_C": {"HoursToDelay": 1}}}})",
                                  kWipe + 3601)),
              ElementsAre("the wipe time 2023-11-14 22:13:20 UTC (\"WipeTimestamp\" "
                          "\"2023-11-15T00:13:20+02:00\") leaves every listed unlock in the past, "
                          "the last one 1s ago: nothing is held back; is \"WipeTimestamp\" from "
                          "an earlier wipe?"));
  EXPECT_EQ(diagnose_text(R"({"WipeTimestamp": "9999-12-31T23:59:59Z"})").at(0).code,
            DiagnosticCode::future_wipe);
}

TEST(diagnostics_test, trailing_text_after_a_number_or_a_literal) {
  EXPECT_EQ(diagnose_text("5x").at(0).code, DiagnosticCode::trailing_text);
  EXPECT_EQ(diagnose_text("5x").at(0).text.substr(0, 46),
            "text after the JSON value, at line 1, column 2");
  EXPECT_EQ(diagnose_text(std::string("{\"WipeTimestamp\": 1700000000}\0junk", 34)).size(), 1u);
  EXPECT_THAT(diagnose_text("null " + std::string(40, 'x')).at(0).text,
              ::testing::HasSubstr("(\"" + std::string(24, 'x') + "\"...)"));
}

}  // namespace
}  // namespace quellwarden::config
