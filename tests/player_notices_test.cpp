// Player notices below the plugin's library: the "PlayerNotices" reader, the notice texts and the
// cooldown's memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "config/config_reader.h"
#include "config/diagnostics.h"
#include "config/document.h"
#include "config/evaluation.h"
#include "config/notice_settings.h"
#include "core/delay_table.h"
#include "plugin/notice_cooldown.h"

namespace {

using quellwarden::Gate;
using quellwarden::config::Configuration;
using quellwarden::config::read_document;
using quellwarden::config::Refusal;

std::variant<Configuration, Refusal> reading(const char* text) {
  auto evaluation = quellwarden::config::evaluate(text, {});
  if (evaluation.refusal) return std::move(*evaluation.refusal);
  return std::move(*evaluation.configuration);
}

Configuration read(const char* text) { return std::get<Configuration>(reading(text)); }

TEST(player_notices_test, absent_member_means_no_notices_and_empty_object_means_defaults) {
  EXPECT_FALSE(read(R"({"WipeTimestamp": 1})").notices.has_value());
  const auto notices = read(R"({"PlayerNotices": {"Riding": "", "CooldownSeconds": 0}})").notices;
  ASSERT_TRUE(notices.has_value());
  EXPECT_EQ(notices->cooldown_seconds, 0);
  EXPECT_EQ(notices->taming, "{creature} can be tamed in {left}.");
  EXPECT_EQ(notices->imprinting, "{creature} babies can be imprinted in {left}.");
  EXPECT_EQ(notices->riding, "");
  EXPECT_EQ(notices->chat_command, "/unlocks");
  EXPECT_EQ(read(R"({"PlayerNotices": {}})").notices->cooldown_seconds, 30);
}

// Notices only decide what players read: a mistake in them must never cost the file its lists.
TEST(player_notices_test, mistakes_in_notices_or_display_names_turn_them_off_and_keep_the_lists) {
  const std::string lists =
      R"("WipeTimestamp": 1700000000, "DinoSettings": {"DisallowTaming": {"Rex_Character_BP_C": {)";
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases{
      {R"("PlayerNotices": null,)", {"PlayerNotices"}},
      {R"("PlayerNotices": [[[[[[[[]]]]]]]],)", {"PlayerNotices"}},
      {R"("PlayerNotices": {"CooldownSeconds": "30"},)", {"PlayerNotices", "CooldownSeconds"}},
      {R"("PlayerNotices": {"CooldownSeconds": -1},)", {"PlayerNotices", "CooldownSeconds"}},
      {R"("PlayerNotices": {"CooldownSeconds": 2.5},)", {"PlayerNotices", "CooldownSeconds"}},
      {R"("PlayerNotices": {"Taming": 5},)", {"PlayerNotices", "Taming"}},
      {R"("PlayerNotices": {"Riding": "{creture} in {left}"},)", {"PlayerNotices", "Riding"}},
      {R"("PlayerNotices": {"ChatCommand": "/un locks"},)", {"PlayerNotices", "ChatCommand"}},
      {R"("PlayerNotices": {},)", {}},
  };
  for (const auto& [notices, path] : cases) {
    for (const std::string display_name : {R"("Rex")", "1", "[[[[]]]]"}) {
      const std::string text =
          "{" + notices + lists + R"("HoursToDelay": 2, "DisplayName": )" + display_name + "}}}}";
      const auto reading_of_text = reading(text.c_str());
      ASSERT_TRUE(std::holds_alternative<Configuration>(reading_of_text)) << text;
      const Configuration& configuration = std::get<Configuration>(reading_of_text);
      ASSERT_EQ(configuration.taming.size(), 1U) << text;
      EXPECT_EQ(configuration.taming[0].unlock_time, 1700000000 + 2 * 3600) << text;
      EXPECT_EQ(configuration.taming[0].display_name, display_name == "\"Rex\"" ? "Rex" : "");
      EXPECT_EQ(configuration.notices.has_value(), path.empty()) << text;
      std::vector<std::vector<std::string>> warned;
      for (const auto& diagnostic :
           quellwarden::config::diagnose(read_document(text), &configuration, 1700000000)) {
        warned.push_back(diagnostic.path);
      }
      std::vector<std::vector<std::string>> expected;
      if (display_name != "\"Rex\"") {
        expected.push_back({"DinoSettings", "DisallowTaming", "Rex_Character_BP_C", "DisplayName"});
      }
      if (!path.empty()) expected.push_back(path);
      EXPECT_EQ(warned, expected) << text;
    }
  }
}

// Only a warning: the command still answers, and so do the notices.
TEST(player_notices_test, a_chat_command_without_its_prefix_keeps_the_notices_on) {
  const char* text = R"({"PlayerNotices": {"ChatCommand": "unlocks"}})";
  const Configuration configuration = read(text);
  ASSERT_TRUE(configuration.notices.has_value());
  EXPECT_EQ(configuration.notices->chat_command, "unlocks");
  const auto diagnostics = quellwarden::config::diagnose(read_document(text), &configuration, 0);
  ASSERT_FALSE(diagnostics.empty());
  EXPECT_EQ(diagnostics.back().code,
            quellwarden::config::DiagnosticCode::chat_command_without_prefix);
}

TEST(player_notices_test, display_name_is_read_beside_the_hours) {
  const auto configuration = read(R"({"DinoSettings": {"DisallowRiding": {
      "Rex_Character_BP_C": {"HoursToDelay": 2, "DisplayName": "Rex"},
      "Giga_Character_BP_C": {"HoursToDelay": 3}}}})");
  ASSERT_EQ(configuration.riding.size(), 2U);
  EXPECT_EQ(configuration.riding[0].display_name, "");
  EXPECT_EQ(configuration.riding[1].display_name, "Rex");
}

TEST(player_notices_test, new_members_are_known_and_typos_inside_notices_are_caught) {
  const char* text = R"({"WipeTimestamp": 1700000000, "PlayerNotices": {"Cooldown": 5},
      "DinoSettings": {"DisallowTaming": {"Rex_Character_BP_C": {"HoursToDelay": 1, "DisplayName": "Rex"}}}})";
  const auto diagnostics = quellwarden::config::diagnose(read_document(text), nullptr, 1700000000);
  ASSERT_EQ(diagnostics.size(), 1U);
  EXPECT_EQ(quellwarden::config::code_name(diagnostics[0].code), "unknown_member");
  EXPECT_EQ(diagnostics[0].path, (std::vector<std::string>{"PlayerNotices", "Cooldown"}));
  EXPECT_EQ(diagnostics[0].text,
            "unknown member \"Cooldown\" in \"PlayerNotices\" is ignored by the plugin; did you "
            "mean \"CooldownSeconds\"?");
}

TEST(player_notices_test, text_fills_every_placeholder_and_leaves_other_braces) {
  const quellwarden::config::NoticeValues values{
      "Rex", "Rex_Character_BP_C", 1700000000 + 2 * 86400 + 3 * 3600 + 5 * 60 + 7, 1700000000};
  EXPECT_EQ(quellwarden::config::notice_text(
                "{creature} ({class}) in {left}, at {unlock}; {x y} {} {left", values, {}),
            "Rex (Rex_Character_BP_C) in 2d 3h 5m, at 2023-11-17 01:18 UTC; {x y} {} {left");
  EXPECT_EQ(quellwarden::config::notice_text("{left}", {"", "", 1700000045, 1700000000}, {}),
            "45s");
}

// What {unlock} and {left} read for each "TimeZone" and "TimeUnits"; a value the plugin does not
// know turns notices off.
TEST(player_notices_test, players_read_times_in_the_zone_and_units_the_admin_names) {
  struct Case {
    const char* members;
    const char* filled;  // empty: notices off
  };
  const std::vector<Case> cases{
      {R"("TimeZone": "UTC")", "2023-11-17 01:18 UTC in 2d 3h 5m"},
      {R"("TimeZone": "utc")", "2023-11-17 01:18 UTC in 2d 3h 5m"},
      {R"("TimeZone": "+01:00")", "2023-11-17 02:18 +01:00 in 2d 3h 5m"},
      {R"("TimeZone": "-0530")", "2023-11-16 19:48 -05:30 in 2d 3h 5m"},
      {R"("TimeUnits": ["T", " Std", "Min"])", "2023-11-17 01:18 UTC in 2T 3 Std 5Min"},
      {R"("TimeUnits": ["d", "h", "m", "s"])", "2023-11-17 01:18 UTC in 2d 3h 5m"},
      {R"("TimeZone": "CET")", ""},
      {R"("TimeZone": "+25:00")", ""},
      {R"("TimeZone": 1)", ""},
      {R"("TimeUnits": ["d", "h"])", ""},
      {R"("TimeUnits": ["d", "h", "m", "s", "x"])", ""},
      {R"("TimeUnits": ["d", "h", ["m"]])", ""},
      {R"("TimeUnits": "dhm")", ""},
      {R"("TimeUnits": ["d", "h", "m"], "TimeUnits": 5)", ""},
  };
  const quellwarden::config::NoticeValues values{
      "Rex", "Rex_Character_BP_C", 1700000000 + 2 * 86400 + 3 * 3600 + 5 * 60 + 7, 1700000000};
  for (const Case& expected : cases) {
    const std::string text = std::string(R"({"PlayerNotices": {)") + expected.members + "}}";
    const auto notices = read(text.c_str()).notices;
    ASSERT_EQ(notices.has_value(), *expected.filled != 0) << text;
    if (notices) {
      EXPECT_EQ(quellwarden::config::notice_text("{unlock} in {left}", values, *notices),
                expected.filled);
    }
  }
}

TEST(player_notices_test, creature_is_the_display_name_else_the_common_name_else_the_class) {
  using quellwarden::config::display_name_of;
  EXPECT_EQ(display_name_of("Giga", "Gigant_Character_BP_C"), "Giga");
  EXPECT_EQ(display_name_of("", "GIGANT_CHARACTER_BP_C"), "Giganotosaurus");
  EXPECT_EQ(display_name_of("", "MyMod_Dragon_C"), "MyMod_Dragon_C");
}

// However long the admin's text and the names, a player receives at most 500 bytes, cut before a
// character that would be split and ending in "...".
TEST(player_notices_test, a_filled_text_is_cut_to_five_hundred_bytes) {
  using quellwarden::config::notice_text;
  const std::string text = std::string(496, 'a') + "{class}";
  EXPECT_EQ(notice_text(text, {"", "ééé", 0, 0}, {}), std::string(496, 'a') + "...");
  EXPECT_EQ(notice_text(text, {"", "éé", 0, 0}, {}), std::string(496, 'a') + "éé");
  EXPECT_EQ(notice_text(std::string(600, '\x01'), {}, {}).size(), 500U)
      << "escaped before it is cut";
}

// Judged with the longest name of the file: 440 bytes of text fit a short name, not a 64-letter
// one.
TEST(player_notices_test, checker_warns_of_a_text_the_longest_name_would_push_past_the_bound) {
  for (const auto& [display_name, warned] :
       {std::pair{std::string("Rex"), false}, {std::string(64, 'R'), true}}) {
    const std::string text =
        R"({"PlayerNotices": {"Taming": ")" + std::string(440, 'x') +
        R"({creature}"}, "DinoSettings": {"DisallowTaming": {"Rex_Character_BP_C": {"HoursToDelay": 1, "DisplayName": ")" +
        display_name + "\"}}}}";
    const Configuration configuration = read(text.c_str());
    const auto diagnostics = quellwarden::config::diagnose(read_document(text), &configuration, 0);
    const auto cut = std::find_if(diagnostics.begin(), diagnostics.end(), [](const auto& found) {
      return found.code == quellwarden::config::DiagnosticCode::text_may_be_cut;
    });
    ASSERT_EQ(cut != diagnostics.end(), warned) << display_name;
    if (warned) {
      EXPECT_EQ(cut->path, (std::vector<std::string>{"PlayerNotices", "Taming"}));
      EXPECT_EQ(cut->text.substr(0, 52),
                "\"Taming\" in \"PlayerNotices\" can reach 504 bytes with");
    }
  }
}

TEST(player_notices_test, a_display_name_over_sixty_four_characters_is_dropped_with_a_warning) {
  for (const auto& [name, kept] :
       {std::pair<std::string, bool>{"", true}, {std::string(65, 'x'), false}}) {
    std::string sixty_four;
    for (int count = 0; count < 64; ++count) sixty_four += "é";
    const std::string display_name = name.empty() ? sixty_four : name;
    const std::string text =
        R"({"DinoSettings": {"DisallowTaming": {"Rex_Character_BP_C": {"DisplayName": ")" +
        display_name + "\"}}}}";
    const Configuration configuration = read(text.c_str());
    EXPECT_EQ(configuration.taming[0].display_name, kept ? display_name : "");
    const auto diagnostics = quellwarden::config::diagnose(read_document(text), &configuration, 0);
    EXPECT_EQ(std::count_if(diagnostics.begin(), diagnostics.end(),
                            [](const quellwarden::config::Diagnostic& diagnostic) {
                              return diagnostic.code ==
                                     quellwarden::config::DiagnosticCode::invalid_display_name;
                            }),
              kept ? 0 : 1);
  }
}

quellwarden::NoticeKey notice(const void* player, quellwarden::Gate gate,
                              std::u16string_view class_name) {
  return {player, gate, class_name, quellwarden::key_hash(class_name)};
}

TEST(player_notices_test, cooldown_admits_once_per_player_class_and_gate) {
  quellwarden::NoticeCooldown cooldown;
  int alice = 0;
  int bob = 0;
  EXPECT_TRUE(cooldown.admit(notice(&alice, Gate::taming, u"REX_C"), 100, 30));
  EXPECT_FALSE(cooldown.admit(notice(&alice, Gate::taming, u"rex_c"), 129, 30)) << "a to z folded";
  EXPECT_TRUE(cooldown.admit(notice(&bob, Gate::taming, u"REX_C"), 129, 30));
  EXPECT_TRUE(cooldown.admit(notice(&alice, Gate::riding, u"REX_C"), 129, 30));
  EXPECT_TRUE(cooldown.admit(notice(&alice, Gate::taming, u"GIGA_C"), 129, 30));
  EXPECT_TRUE(cooldown.admit(notice(&alice, Gate::taming, u"REX_C"), 130, 30));
  EXPECT_TRUE(cooldown.admit(notice(&alice, Gate::taming, u"REX_C"), 50, 30))
      << "a clock set back never silences";
}

TEST(player_notices_test, cooldown_memory_stays_bounded_as_players_come_and_go) {
  quellwarden::NoticeCooldown cooldown;
  std::vector<int> players(100000);
  std::size_t largest = 0;
  for (std::size_t index = 0; index < players.size(); ++index) {
    cooldown.admit(notice(&players[index], Gate::taming, u"REX_C"),
                   static_cast<std::int64_t>(index / 10), 30);
    largest = std::max(largest, cooldown.size());
  }
  // Ten notices a second over a 30 s cooldown: at most about 2 * 300 live entries.
  EXPECT_LE(largest, 2U * 310U + 64U);
}

}  // namespace
