// The bypass list as players meet it: a listed player passes every gate that would refuse them,
// unheard, the status counts what each id skipped, and the host is asked for an id only when a
// gate is about to refuse.
#include <nlohmann/json.hpp>

#include "host/game_functions.h"
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

const std::string kBypassed = qw_test::config_text(
    {{"Rex_Character_BP_C", 48}}, {{"Rex_Character_BP_C", 24}, {"Dodo_Character_BP_C", 0}}, kWipe,
    R"("PlayerNotices": {}, "Bypass": ["0002aaaa", "0002cccc"])");

class bypass_test : public qw_test::PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    standin::freeze_clock(kWipe);
    write_config(kBypassed);
    load();
    alice_ = standin::player("alice");
    standin::set_player_id(alice_, "0002aaaa");
    bob_ = standin::player("bob");
    standin::set_player_id(bob_, "0002bbbb");
  }
  std::vector<std::string> status() {
    std::vector<std::string> lines;
    for (const auto& message : console(standin::player("admin"), "Quellwarden.status")) {
      lines.push_back(message.text);
    }
    return lines;
  }
  AShooterPlayerController* alice_ = nullptr;
  AShooterPlayerController* bob_ = nullptr;
};

TEST_F(bypass_test, a_listed_player_passes_every_gate_unheard_and_is_counted) {
  APrimalDinoCharacter* rex = standin::spawn_creature("Rex_Character_BP_C");
  EXPECT_TRUE(tames(rex, alice_));
  EXPECT_TRUE(imprints(rex, reinterpret_cast<APlayerController*>(alice_)));
  EXPECT_TRUE(rides(rex, standin::rider("alice", reinterpret_cast<APlayerController*>(alice_))));
  EXPECT_FALSE(tames(rex, bob_));
  EXPECT_FALSE(tames(rex)) << "no player, no id";
  for (const auto& message : standin::sent_messages()) {
    EXPECT_EQ(message.player, reinterpret_cast<APlayerController*>(bob_)) << message.text;
  }
  const auto lines = status();
  EXPECT_THAT(std::vector<std::string>(lines.end() - 2, lines.end()),
              ElementsAre("bypass 0002aaaa: 3 refusals skipped since start",
                          "bypass 0002cccc: 0 refusals skipped since start"));
  const auto json = nlohmann::json::parse(
      console(standin::player("admin"), "Quellwarden.status json").at(0).text);
  EXPECT_EQ(json["bypass"], nlohmann::json::parse(R"([{"id": "0002aaaa", "skipped": 3},
                                                      {"id": "0002cccc", "skipped": 0}])"));
}

// The first id the host is asked for fails: had a call that was let through asked, the refusal
// after them would find the failure spent.
TEST_F(bypass_test, only_a_refusal_asks_for_the_id_and_one_it_cannot_have_keeps_the_refusal) {
  standin::fail_throw(quellwarden::host::game::unique_id_of_player.name);
  EXPECT_TRUE(tames(standin::spawn_creature("Dodo_Character_BP_C"), alice_)) << "released";
  EXPECT_TRUE(tames(standin::spawn_creature("Argent_Character_BP_C"), alice_)) << "not listed";
  APrimalDinoCharacter* rex = standin::spawn_creature("Rex_Character_BP_C");
  EXPECT_FALSE(tames(rex, alice_));
  EXPECT_TRUE(tames(rex, alice_));
  const auto json = nlohmann::json::parse(
      console(standin::player("admin"), "Quellwarden.status json").at(0).text);
  EXPECT_EQ(json["host_failures"], 0) << "the gate itself decided";
  EXPECT_EQ(json["bypass"][0]["skipped"], 1);
}

TEST_F(bypass_test, a_reload_without_the_list_holds_everyone_back_again) {
  write_config(qw_test::standard_config());
  console(nullptr);
  EXPECT_FALSE(tames(standin::spawn_creature("Rex_Character_BP_C"), alice_));
  EXPECT_THAT(status().back(), ::testing::Not(::testing::StartsWith("bypass")));
}

}  // namespace
