// Quellwarden.status: what is held back, read from the live tables, on the console, over RCON
// and as JSON; and the load report in the log.
#include <nlohmann/json.hpp>

#include "tests/support/config_text.h"
#include "tests/support/gate_outcome.h"
#include "tests/support/plugin_fixture.h"
#include "tests/support/rcon_reload.h"
#include "version.h"

namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::StartsWith;

const std::string kProduct = "Quellwarden " + std::string(quellwarden::kVersion);

const std::string kConfig =
    qw_test::config_text({{"Rex_Character_BP_C", 72, "Rex"}, {"Argent_Character_BP_C", 48}},
                         {{"Rex_Character_BP_C", 24}}, 1767895200);

class status_test : public qw_test::PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    standin::freeze_clock(1767895200 + 48 * 3600 + 45);  // Saturday 18:00:45
  }

  std::vector<std::string> console_status(const std::string& line = "Quellwarden.status") {
    std::vector<std::string> texts;
    for (const auto& message : console(standin::player("admin"), line)) {
      EXPECT_EQ(message.colour.R + message.colour.G + message.colour.B, 3.0F) << "white";
      texts.push_back(message.text);
    }
    return texts;
  }
};

TEST_F(status_test, lists_each_class_by_unlock_time_on_the_console_and_over_rcon) {
  write_config(kConfig);
  load();
  EXPECT_THAT(
      console_status(),
      ElementsAre(kProduct + ": wipe 2026-01-08 18:00:00 UTC (1767895200), now 2026-01-10 "
                             "18:00:45 UTC",
                  "player notices: off",
                  "riding Argent_Character_BP_C: released at 2026-01-10 18:00:00 UTC",
                  "riding Rex_Character_BP_C: locked until 2026-01-11 18:00:00 UTC (23h 59m left)",
                  "taming Rex_Character_BP_C: released at 2026-01-09 18:00:00 UTC"));
  const std::string reply = qw_test::rcon_reload(9, "Quellwarden.status").text;
  EXPECT_EQ(std::count(reply.begin(), reply.end(), '\n'), 4) << "one reply, a line an entry";
  EXPECT_EQ(reply.substr(0, reply.find('\n')), console_status()[0]);
  // A client may send blanks before the name; the host passes them on.
  EXPECT_EQ(qw_test::rcon_reload(9, "  Quellwarden.status").text, reply);
  EXPECT_TRUE(nlohmann::json::accept(qw_test::rcon_reload(9, "  Quellwarden.status json").text));
}

TEST_F(status_test, json_answers_bots_with_every_entry) {
  write_config(kConfig);
  load();
  const auto status =
      nlohmann::json::parse(qw_test::rcon_reload(9, "Quellwarden.status json").text);
  EXPECT_EQ(status["version"], quellwarden::kVersion);
  EXPECT_EQ(status["now"], 1767895200 + 48 * 3600 + 45);
  EXPECT_EQ(status["wipe_timestamp"], 1767895200);
  EXPECT_EQ(status["riding"][1],
            nlohmann::json::parse(R"({"class": "Rex_Character_BP_C", "hours": 72,
                                      "unlock": 1768154400, "locked": true,
                                      "seconds_left": 86355, "in_game_list": true,
                                      "display_name": "Rex"})"));
  EXPECT_EQ(status["taming"][0]["locked"], false);
  EXPECT_TRUE(status["warnings"].empty());
  EXPECT_EQ(status["last_load"]["ok"], true);
  EXPECT_EQ(status["last_load"]["error"], nullptr);
  EXPECT_EQ(console_status("Quellwarden.status json").size(), 1U);
}

// What a bot posts: per gate, the next class released, by the name players know, or that nothing is
// held back.
TEST_F(status_test, next_names_the_next_unlock_of_each_gate) {
  write_config(kConfig);
  load();
  EXPECT_THAT(console_status("Quellwarden.status next"),
              ElementsAre("next taming unlock: none, nothing is held back",
                          "next riding unlock: Rex (Rex_Character_BP_C) at 2026-01-11 18:00 UTC, "
                          "in 23h 59m"));
  standin::freeze_clock(1767895200);
  EXPECT_THAT(
      console_status("Quellwarden.status next argent"),
      ElementsAre("next taming unlock: none with \"argent\" in its name",
                  "next riding unlock: Argentavis (Argent_Character_BP_C) at 2026-01-10 18:00 "
                  "UTC, in 2d 0h 0m"));
  const auto next =
      nlohmann::json::parse(qw_test::rcon_reload(9, "Quellwarden.status json next").text);
  EXPECT_EQ(next["taming"], nlohmann::json::parse(R"({"class": "Rex_Character_BP_C", "name": "Rex",
      "unlock": 1767981600, "seconds_left": 86400})"));
  EXPECT_EQ(next["riding"]["class"], "Argent_Character_BP_C");
}

// A file of many mistakes: the log and the status show the first hundred, the JSON every one.
TEST_F(status_test, log_and_status_show_a_hundred_warnings_and_count_the_rest) {
  std::string members;
  for (int index = 0; index < 150; ++index)
    members += ", \"Unknown" + std::to_string(index) + "\": 1";
  write_config(R"({"WipeTimestamp": 1767895200)" + members + "}");
  load();
  const std::string more = "... and 50 more warnings (quellwarden-check lists them all)";
  const auto logged = log_messages();
  EXPECT_EQ(
      std::count_if(logged.begin(), logged.end(),
                    [](const std::string& line) { return line.starts_with("unknown member"); }),
      100);
  EXPECT_EQ(logged.back(), more);
  const auto lines = console_status();
  EXPECT_EQ(lines.back(), more);
  EXPECT_EQ(lines[lines.size() - 2].rfind("warning: ", 0), 0U);
  const auto status =
      nlohmann::json::parse(qw_test::rcon_reload(9, "Quellwarden.status json").text);
  EXPECT_EQ(status["warnings"].size(), 150U);
}

// Filters narrow both forms; keywords in any letter case, a text matched ignoring ASCII case.
TEST_F(status_test, locked_and_a_text_narrow_the_lists_and_say_when_nothing_matches) {
  write_config(kConfig);
  load();
  const std::string riding_rex =
      "riding Rex_Character_BP_C: locked until 2026-01-11 18:00:00 UTC (23h 59m left)";
  const std::string taming_rex = "taming Rex_Character_BP_C: released at 2026-01-09 18:00:00 UTC";
  struct Case {
    const char* line;
    std::vector<std::string> listed;
  };
  const std::vector<Case> cases{
      {"Quellwarden.status LOCKED", {riding_rex}},
      {"Quellwarden.status rEx", {riding_rex, taming_rex}},
      {"Quellwarden.status locked argent", {"no class held back now with \"argent\" in its name"}},
      {"Quellwarden.status giga", {"no class with \"giga\" in its name"}},
  };
  for (const Case& filter : cases) {
    const auto lines = console_status(filter.line);
    ASSERT_GE(lines.size(), 2U);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()), filter.listed)
        << filter.line;
  }
  const auto status =
      nlohmann::json::parse(qw_test::rcon_reload(9, "Quellwarden.status Json locked").text);
  ASSERT_EQ(status["riding"].size(), 1U);
  EXPECT_EQ(status["riding"][0]["class"], "Rex_Character_BP_C");
  EXPECT_TRUE(status["taming"].empty());
}

// The census answers what the game really calls a creature, a mod's too, whatever is listed.
TEST_F(status_test, seen_lists_the_classes_met_then_the_listed_ones_none_met) {
  write_config(kConfig);
  load();
  qw_test::tames("MyMod_Dragon_Character_BP_C");
  qw_test::tames("MyMod_Dragon_Character_BP_C");
  qw_test::rides("MyMod_Dragon_Character_BP_C");
  qw_test::tames("rex_character_bp_c");
  EXPECT_THAT(console_status("Quellwarden.status seen"),
              ElementsAre(kProduct + ": classes the gates met since start",
                          "MyMod_Dragon_Character_BP_C: taming 2, riding 1 (not listed)",
                          "rex_character_bp_c: taming 1",
                          "Argent_Character_BP_C (no creature of this class met yet)"));
  EXPECT_THAT(console_status("Quellwarden.status ARGENT Seen"),
              ElementsAre(kProduct + ": classes the gates met since start",
                          "Argent_Character_BP_C (no creature of this class met yet)"));
  EXPECT_EQ(console_status("Quellwarden.status seen giga").at(1),
            "no class met or listed with \"giga\" in its name");
  const auto seen =
      nlohmann::json::parse(qw_test::rcon_reload(9, "Quellwarden.status json seen dragon").text);
  EXPECT_EQ(seen["seen"], nlohmann::json::parse(R"([{"class": "MyMod_Dragon_Character_BP_C",
      "taming": 2, "imprinting": 0, "riding": 1, "listed": false}])"));
  EXPECT_TRUE(seen["not_met"].empty());
  EXPECT_EQ(seen["calls_not_kept"], 0);
}

// A class the game does not have holds back only what a mod brings: each line says which it is.
TEST_F(status_test, marks_classes_not_of_the_game_and_mod_classes) {
  write_config(R"({"WipeTimestamp": 1767895200, "DinoSettings": {"DisallowTaming": {
      "Giganotosaurus_Character_BP_C": {"HoursToDelay": 24},
      "MyMod_Dragon_Character_BP_C": {"HoursToDelay": 96, "ModClass": true},
      "Rex_Character_BP_C": {"HoursToDelay": 96}}}})");
  load();
  const auto lines = console_status();
  ASSERT_GE(lines.size(), 6U);
  EXPECT_THAT(std::vector<std::string>(lines.begin() + 3, lines.begin() + 6),
              ElementsAre("taming Giganotosaurus_Character_BP_C: released at 2026-01-09 18:00:00 "
                          "UTC (not in the game's list)",
                          "taming MyMod_Dragon_Character_BP_C: locked until 2026-01-12 18:00:00 "
                          "UTC (1d 23h 59m left) (mod class)",
                          "taming Rex_Character_BP_C: locked until 2026-01-12 18:00:00 UTC (1d "
                          "23h 59m left)"));
}

TEST_F(status_test, says_whether_player_notices_are_on_as_the_checker_does) {
  write_config(qw_test::config_text({}, {{"Rex_Character_BP_C", 24}}, 1767895200,
                                    R"("PlayerNotices": {"CooldownSeconds": 30})"));
  load();
  EXPECT_EQ(console_status().at(1), "player notices: on, cooldown 30 s, chat command /unlocks");
  const auto notices = nlohmann::json::parse(console_status("Quellwarden.status json").at(0));
  EXPECT_EQ(notices["player_notices"]["cooldown_seconds"], 30);
  EXPECT_EQ(notices["player_notices"]["chat_command"], "/unlocks");
}

// The status says what the log says: the reason, the place and the hint.
TEST_F(status_test, a_refused_reload_gives_its_place_and_hint) {
  write_config(kConfig);
  load();
  write_config(R"({"WipeTimestamp": 1767895200, "DinoSettings": {"DisallowTaming":
      {"Rex_Character_BP_C": {"HoursToDelay": "24"}}}})");
  console(nullptr);
  const std::string error = "[json.exception.type_error.302] type must be number, but is string";
  const std::string hint =
      "DinoSettings > DisallowTaming > Rex_Character_BP_C > HoursToDelay is the string \"24\"; "
      "write a number of hours";
  EXPECT_THAT(log_messages(spdlog::level::err), ElementsAre(error, hint));
  EXPECT_EQ(console_status().at(2), "last load failed at 2026-01-10 18:00:45 UTC: " + error + " (" +
                                        hint + "); the previous configuration is still in force");
  const auto last_load =
      nlohmann::json::parse(console_status("Quellwarden.status json").at(0))["last_load"];
  EXPECT_EQ(last_load["ok"], false);
  EXPECT_EQ(last_load["error"], error);
  EXPECT_EQ(last_load["place"], nlohmann::json::parse(R"(["DinoSettings", "DisallowTaming",
      "Rex_Character_BP_C", "HoursToDelay"])"));
  EXPECT_EQ(last_load["hint"], hint);
  EXPECT_EQ(last_load["fallback"], false);
}

TEST_F(status_test, says_when_nothing_is_in_force_and_why) {
  remove_config();
  load();
  EXPECT_THAT(
      console_status(),
      ElementsAre(
          kProduct + ": no configuration in force; nothing is held back", "player notices: off",
          AllOf(StartsWith("last load failed at 2026-01-10 18:00:45 UTC: Config "
                           "failed to open (tried to open "),
                EndsWith("config.json: No such file or directory); nothing is held back"))));
  EXPECT_EQ(nlohmann::json::parse(
                qw_test::rcon_reload(1, "Quellwarden.status json").text)["wipe_timestamp"],
            nullptr);
}

TEST_F(status_test, warnings_reach_the_log_the_status_and_the_console_reload) {
  write_config(R"({"WipeTimestamp": 1767895200, "DinoSettings": {"DisallowRide": {}}})");
  load();
  const std::string warning =
      "unknown member \"DisallowRide\" in \"DinoSettings\" is ignored by the plugin; did you mean "
      "\"DisallowRiding\"?";
  EXPECT_THAT(log_messages(spdlog::level::warn), ElementsAre(warning));
  EXPECT_EQ(console_status().back(), "warning: " + warning);
  const auto replies = console(standin::player("admin"));
  ASSERT_EQ(replies.size(), 2U);
  EXPECT_EQ(replies[1].text, "Quellwarden : 1 warning, see Quellwarden.status");
}

TEST_F(status_test, a_class_name_cannot_forge_a_log_line) {
  write_config(
      R"({"DinoSettings": {"DisallowRiding": {"A_C\n12/06/26 [Quellwarden][info] x": {}}}})");
  load();
  EXPECT_THAT(log_messages(spdlog::level::info),
              ::testing::Contains("Adding a A_C\\n12/06/26 [Quellwarden][info] x"));
}

}  // namespace
