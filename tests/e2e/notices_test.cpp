// Player notices as players meet them: a refused gate tells them once per cooldown, and the chat
// command lists what is still held back, as long as the configuration asks for it.
#include "host/fstring.h"
#include "tests/support/config_text.h"
#include "tests/support/gate_outcome.h"
#include "tests/support/plugin_fixture.h"

namespace {

using qw_test::imprints;
using qw_test::rides;
using qw_test::tames;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using qw_test::kWipe;
constexpr std::int64_t kHour = 3600;

const std::string kWithNotices = qw_test::config_text(
    {{"Rex_Character_BP_C", 48, "Rex"}},
    {{"Rex_Character_BP_C", 24, "Rex"}, {"Giga_Character_BP_C", 72}}, kWipe,
    R"("PlayerNotices": {"CooldownSeconds": 30, "Riding": "{creature} ({class}) at {unlock}"})");

// The texts `player` was sent, in order.
std::vector<std::string> sent_to(const APlayerController* player) {
  std::vector<std::string> texts;
  for (const auto& message : standin::sent_messages()) {
    if (message.player == player) texts.push_back(message.text);
  }
  return texts;
}

class notices_test : public qw_test::PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    write_config(kWithNotices);
    load();
    standin::freeze_clock(kWipe);
  }
  // What the chat command answers `player`.
  std::vector<std::string> ask(AShooterPlayerController* player, const char* message) {
    const auto before = standin::sent_messages().size();
    EXPECT_TRUE(standin::run_chat_command(player, message));
    std::vector<std::string> texts;
    const auto all = standin::sent_messages();
    for (auto at = all.begin() + static_cast<std::ptrdiff_t>(before); at != all.end(); ++at) {
      texts.push_back(at->text);
    }
    return texts;
  }
};

TEST_F(notices_test, a_display_name_cannot_steer_a_players_chat) {
  write_config(R"({"WipeTimestamp": 1700000000, "PlayerNotices": {}, "DinoSettings": {
      "DisallowTaming": {"Rex_Character_BP_C": {"HoursToDelay": 24,
                                                "DisplayName": "\u001b[31mRex\n[x]"}}}})");
  console(nullptr);
  AShooterPlayerController* alice = standin::player("alice");
  EXPECT_FALSE(tames(standin::spawn_creature("Rex_Character_BP_C"), alice));
  EXPECT_THAT(ask(alice, "/unlocks"), ElementsAre("taming \\u001b[31mRex\\n[x]: 1d 0h 0m left"));
  EXPECT_THAT(sent_to(alice),
              ::testing::Contains("\\u001b[31mRex\\n[x] can be tamed in 1d 0h 0m."));
}

TEST_F(notices_test, refusal_tells_each_player_once_per_cooldown_and_changes_nothing_else) {
  AShooterPlayerController* alice = standin::player("alice");
  AShooterPlayerController* bob = standin::player("bob");
  APrimalDinoCharacter* rex = standin::spawn_creature("REX_CHARACTER_BP_C");
  EXPECT_FALSE(tames(rex, alice));
  EXPECT_FALSE(tames(rex, alice));
  EXPECT_FALSE(tames(rex, bob));
  standin::freeze_clock(kWipe + 30);
  EXPECT_FALSE(tames(rex, alice));
  EXPECT_FALSE(imprints(standin::spawn_creature("Giga_Character_BP_C"), alice));
  EXPECT_FALSE(rides(rex, standin::rider("alice", alice)));
  EXPECT_FALSE(rides(rex, standin::rider("nobody")));
  EXPECT_TRUE(tames(standin::spawn_creature("Dodo_Character_BP_C"), alice));
  EXPECT_THAT(sent_to(alice),
              ElementsAre("Rex can be tamed in 1d 0h 0m.", "Rex can be tamed in 23h 59m.",
                          "Giga_Character_BP_C babies can be imprinted in 2d 23h 59m.",
                          "Rex (REX_CHARACTER_BP_C) at 2023-11-16 22:13 UTC"));
  EXPECT_THAT(sent_to(bob), ElementsAre("Rex can be tamed in 1d 0h 0m."));
  for (const auto& message : standin::sent_messages()) {
    EXPECT_EQ(message.colour.B, 0.0F) << "notices are yellow";
  }
  const auto calls = standin::game_calls();
  ASSERT_EQ(calls.size(), 1U) << "only the Dodo reached the game";
  EXPECT_EQ(calls[0].other, alice);
  EXPECT_THAT(log_messages(), ::testing::Not(::testing::Contains(::testing::HasSubstr("tamed"))));
}

TEST_F(notices_test, chat_command_lists_what_is_locked_until_nothing_is) {
  AShooterPlayerController* alice = standin::player("alice");
  EXPECT_THAT(standin::chat_commands(), ElementsAre("/unlocks"));
  EXPECT_THAT(ask(alice, "/unlocks"),
              ElementsAre("taming Rex: 1d 0h 0m left", "riding Rex: 2d 0h 0m left",
                          "taming Giga_Character_BP_C: 3d 0h 0m left"));
  standin::freeze_clock(kWipe + 48 * kHour);
  EXPECT_THAT(ask(alice, "/UNLOCKS please"),
              ElementsAre("taming Giga_Character_BP_C: 1d 0h 0m left"));
  standin::freeze_clock(kWipe + 72 * kHour);
  EXPECT_THAT(ask(alice, "/unlocks"), ElementsAre("Nothing is held back."));
}

TEST_F(notices_test, reload_renames_the_chat_command_and_without_notices_removes_it) {
  AShooterPlayerController* alice = standin::player("alice");
  write_config(R"({"PlayerNotices": {"ChatCommand": "/when"}})");
  console(nullptr);
  EXPECT_THAT(standin::chat_commands(), ElementsAre("/when"));
  write_config(R"({"PlayerNotices": {"ChatCommand": 7}})");
  console(nullptr);
  EXPECT_THAT(standin::chat_commands(), IsEmpty()) << "a wrong member turns notices off, and "
                                                      "with them the chat command";
  write_config(qw_test::config_text({}, {{"Rex_Character_BP_C", 24}}));
  console(nullptr);
  EXPECT_THAT(standin::chat_commands(), IsEmpty());
  EXPECT_FALSE(tames("Rex_Character_BP_C"));
  EXPECT_FALSE(tames(standin::spawn_creature("Rex_Character_BP_C"), alice));
  EXPECT_THAT(sent_to(alice), IsEmpty()) << "without notices a refusal is silent";
  write_config(kWithNotices);
  console(nullptr);
  unload();
  EXPECT_THAT(standin::chat_commands(), IsEmpty());
}

// The host may lose a command behind the plugin's back: a new name still takes its place, and one
// the host would not remove while notices are off is asked for again at unload.
TEST_F(notices_test, a_chat_command_the_host_lost_neither_blocks_its_new_name_nor_is_forgotten) {
  AsaApi::GetCommands().RemoveChatCommand(FString("/unlocks"));
  write_config(R"({"PlayerNotices": {"ChatCommand": "/when"}})");
  console(nullptr);
  EXPECT_THAT(standin::chat_commands(), ElementsAre("/when"));
  AsaApi::GetCommands().RemoveChatCommand(FString("/when"));
  write_config(qw_test::config_text({}, {{"Rex_Character_BP_C", 24}}));
  console(nullptr);
  unload();
  EXPECT_THAT(
      log_messages(spdlog::level::err),
      ElementsAre("Failed to remove chat command /unlocks", "Failed to remove chat command /when",
                  "Failed to remove chat command /when"));
}

// Twelve classes, the admin's German words and a zone of its own: the ten soonest, then the rest
// counted; a second ask within the cooldown gets nothing.
TEST_F(notices_test, chat_command_answers_in_the_admins_words_once_per_cooldown) {
  std::vector<std::string> names;
  for (int hours = 1; hours <= 12; ++hours) names.push_back("Mod" + std::to_string(hours) + "_C");
  std::vector<qw_test::Held> taming{{"Gigant_Character_BP_C", 0}};
  for (std::size_t index = 0; index < names.size(); ++index) {
    taming.push_back({names[index], static_cast<std::int64_t>(index) + 1});
  }
  write_config(qw_test::config_text({}, taming, kWipe, R"json("PlayerNotices": {
      "CooldownSeconds": 60, "TimeZone": "+01:00", "TimeUnits": ["T", "Std", "Min"],
      "UnlocksTaming": "{creature}: zähmbar in {left} ({unlock})",
      "UnlocksMore": "... und {count} weitere", "UnlocksNone": "Alles frei."})json"));
  console(nullptr);
  standin::freeze_clock(kWipe - 60);
  AShooterPlayerController* alice = standin::player("alice");
  const std::vector<std::string> answer = ask(alice, "/unlocks");
  ASSERT_EQ(answer.size(), 11U);
  EXPECT_EQ(answer[0], "Giganotosaurus: zähmbar in 1Min (2023-11-14 23:13 +01:00)");
  EXPECT_EQ(answer[1], "Mod1_C: zähmbar in 1Std 1Min (2023-11-15 00:13 +01:00)");
  EXPECT_EQ(answer[9], "Mod9_C: zähmbar in 9Std 1Min (2023-11-15 08:13 +01:00)");
  EXPECT_EQ(answer[10], "... und 3 weitere");
  EXPECT_THAT(ask(alice, "/unlocks"), IsEmpty());
  EXPECT_THAT(ask(standin::player("bob"), "/unlocks"), ::testing::SizeIs(11U));
  standin::freeze_clock(kWipe + 12 * kHour);
  EXPECT_THAT(ask(alice, "/unlocks"), ElementsAre("Alles frei."));
}

// A start that holds a class back until config.json is fixed has no unlock time to tell players.
TEST_F(notices_test, a_class_held_until_the_file_is_fixed_is_refused_without_a_time) {
  unload();
  write_config(R"({"WipeTimestamp": 1700000000, "PlayerNotices": {}, "DinoSettings": {
      "DisallowTaming": {"Rex_Character_BP_C": {"HoursToDelay": 24},
                         "Gigant_Character_BP_C": {"HoursToDelay": "72"}}}})");
  load();
  AShooterPlayerController* alice = standin::player("alice");
  EXPECT_FALSE(tames(standin::spawn_creature("Gigant_Character_BP_C"), alice));
  EXPECT_THAT(sent_to(alice), IsEmpty());
  EXPECT_THAT(ask(alice, "/unlocks"), ElementsAre("taming Rex: 1d 0h 0m left"));
  standin::freeze_clock(kWipe + 25 * kHour);
  EXPECT_THAT(ask(standin::player("bob"), "/unlocks"), IsEmpty());
  EXPECT_EQ(console(standin::player("admin"), "Quellwarden.status next").at(0).text,
            "next taming unlock: none, held until config.json is fixed");
}

// An admin who empties a gate's line hides its classes, yet they are still held back.
TEST_F(notices_test, chat_command_hides_a_gate_without_a_line_but_never_says_nothing_is_held) {
  write_config(qw_test::config_text({}, {{"Rex_Character_BP_C", 24}}, kWipe,
                                    R"json("PlayerNotices": {"UnlocksTaming": ""})json"));
  console(nullptr);
  EXPECT_THAT(ask(standin::player("alice"), "/unlocks"), IsEmpty());
}

}  // namespace
