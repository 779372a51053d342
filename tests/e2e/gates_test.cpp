// The three gates as the game meets them: through the hooks the loaded plugin installed.
#include "tests/support/config_text.h"
#include "tests/support/gate_outcome.h"
#include "tests/support/plugin_fixture.h"

namespace {

using qw_test::imprints;
using qw_test::rides;
using qw_test::tames;

using qw_test::kWipe;
constexpr std::int64_t kHour = 3600;

class gates_test : public qw_test::PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    write_config(qw_test::config_text({{"Rex_Character_BP_C", 48}, {"Ptero_Character_BP_C", 24}},
                                      {{"Rex_Character_BP_C", 24}, {"Giga_Character_BP_C", 72}}));
    load();
  }
};

TEST_F(gates_test, unlock_second_allows_and_one_second_before_refuses) {
  APrimalDinoCharacter* giga = standin::spawn_creature("Giga_Character_BP_C");
  standin::freeze_clock(kWipe + 72 * kHour - 1);
  EXPECT_FALSE(tames(giga));
  EXPECT_TRUE(standin::game_calls().empty()) << "a refused taming test never reaches the game";
  standin::freeze_clock(kWipe + 72 * kHour);
  EXPECT_TRUE(tames(giga));
}

TEST_F(gates_test, passed_calls_carry_every_argument_and_the_games_answer) {
  APrimalDinoCharacter* dodo = standin::spawn_creature("Dodo_Character_BP_C");
  AShooterPlayerController* tamer = standin::player("tamer");
  standin::freeze_clock(kWipe);
  standin::set_can_tame_answer(false);
  EXPECT_FALSE(standin::game_can_tame(dodo, tamer, false, true));
  standin::set_can_tame_answer(true);
  EXPECT_TRUE(standin::game_can_tame(dodo, tamer, true, false));
  const auto calls = standin::game_calls();
  ASSERT_EQ(calls.size(), 2U);
  EXPECT_EQ(calls[0].creature, dodo);
  EXPECT_EQ(calls[0].other, tamer);
  EXPECT_FALSE(calls[0].first);
  EXPECT_TRUE(calls[0].second);
  EXPECT_TRUE(calls[1].first);
  EXPECT_FALSE(calls[1].second);
}

TEST_F(gates_test, null_creature_goes_straight_to_the_game) {
  standin::freeze_clock(kWipe);
  standin::set_can_tame_answer(false);
  EXPECT_FALSE(tames(nullptr));
  EXPECT_TRUE(imprints(nullptr));
  EXPECT_TRUE(rides(nullptr));
  const auto calls = standin::game_calls();
  ASSERT_EQ(calls.size(), 3U);
  EXPECT_EQ(calls[0].creature, nullptr);
  EXPECT_EQ(calls[0].function, "CanTame");
}

TEST_F(gates_test, riding_only_and_taming_only_classes_are_independent) {
  APrimalDinoCharacter* ptero = standin::spawn_creature("Ptero_Character_BP_C");
  APrimalDinoCharacter* giga = standin::spawn_creature("Giga_Character_BP_C");
  standin::freeze_clock(kWipe + kHour);
  EXPECT_TRUE(tames(ptero));
  EXPECT_TRUE(imprints(ptero));
  EXPECT_FALSE(rides(ptero));
  EXPECT_FALSE(tames(giga));
  EXPECT_FALSE(imprints(giga)) << "imprinting follows the taming table";
  EXPECT_TRUE(rides(giga));
}

TEST_F(gates_test, class_in_both_lists_unlocks_riding_and_taming_separately) {
  APrimalDinoCharacter* rex = standin::spawn_creature("Rex_Character_BP_C");
  standin::freeze_clock(kWipe + 24 * kHour - 1);
  EXPECT_FALSE(tames(rex));
  EXPECT_FALSE(rides(rex));
  standin::freeze_clock(kWipe + 24 * kHour);
  EXPECT_TRUE(tames(rex));
  EXPECT_TRUE(imprints(rex));
  EXPECT_FALSE(rides(rex));
  standin::freeze_clock(kWipe + 48 * kHour);
  EXPECT_TRUE(rides(rex));
}

TEST_F(gates_test, letter_case_of_the_class_name_does_not_matter) {
  APrimalDinoCharacter* shouting = standin::spawn_creature("GIGA_CHARACTER_BP_C");
  APrimalDinoCharacter* quiet = standin::spawn_creature("giga_character_bp_c");
  standin::freeze_clock(kWipe);
  EXPECT_FALSE(tames(shouting));
  EXPECT_FALSE(tames(quiet));
}

TEST_F(gates_test, unlock_time_before_1970_lets_every_call_through) {
  write_config(R"({"WipeTimestamp": 0, "DinoSettings": {
      "DisallowTaming": {"Rex_Character_BP_C": {"HoursToDelay": -1}}}})");
  console(nullptr);
  standin::freeze_clock(kWipe);
  EXPECT_TRUE(tames("Rex_Character_BP_C"));
}

TEST_F(gates_test, empty_tables_let_everything_through) {
  write_config("{}");
  console(nullptr);
  APrimalDinoCharacter* rex = standin::spawn_creature("Rex_Character_BP_C");
  standin::freeze_clock(kWipe);
  EXPECT_TRUE(tames(rex));
  EXPECT_TRUE(imprints(rex));
  EXPECT_TRUE(rides(rex));
}

TEST_F(gates_test, after_unload_the_game_runs_its_own_functions_again) {
  APrimalDinoCharacter* giga = standin::spawn_creature("Giga_Character_BP_C");
  standin::freeze_clock(kWipe);
  EXPECT_FALSE(tames(giga));
  unload();
  EXPECT_TRUE(tames(giga));
}

}  // namespace
