// The stand-in's timers and players' ids, as a plugin reaches them; its message to every player
// shows in the sandbox's test.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "host/asa_api.h"
#include "host/fstring.h"
#include "host/game_functions.h"
#include "standin/standin.h"
#include "tests/support/allocator_balance.h"
#include "tests/support/expect_throw_msg.h"

namespace {

namespace game = quellwarden::host::game;
using quellwarden::host::call;
using ::testing::ElementsAre;

class standin_doors_test : public ::testing::Test {
 protected:
  ~standin_doors_test() override {
    for (const std::string& name : standin::timers()) {
      AsaApi::GetCommands().RemoveTimer(FString(name.c_str()));
    }
    standin::reset_records();
  }
};

std::string id_of(AShooterPlayerController* player) {
  FString id;
  call<game::unique_id_of_player>(player, id);
  return standin::utf16_to_utf8(id.view());
}

TEST_F(standin_doors_test, timers_run_once_a_round_in_order_until_removed) {
  std::vector<std::string> ran;
  const FString first("first");
  const FString second("second");
  AsaApi::GetCommands().AddTimer(first, [&] {
    ran.push_back("first");
    // Removing itself mid-round leaves the round whole.
    EXPECT_TRUE(AsaApi::GetCommands().RemoveTimer(FString("first")));
  });
  AsaApi::GetCommands().AddTimer(second, [&] { ran.push_back("second"); });
  EXPECT_THAT(standin::timers(), ElementsAre("first", "second"));
  EXPECT_TRUE(ran.empty()) << "only the control surface runs them";
  standin::run_timers();
  standin::run_timers();
  EXPECT_THAT(ran, ElementsAre("first", "second", "second"));
  EXPECT_FALSE(AsaApi::GetCommands().RemoveTimer(first));

  standin::fail_next_command("SECOND");
  EXPECT_THROW_MSG(AsaApi::GetCommands().AddTimer(second, [] {}), std::runtime_error,
                   "the host refused to register the timer second");
  EXPECT_THAT(standin::timers(), ElementsAre("second"));
}

TEST_F(standin_doors_test, a_player_has_an_id_from_its_name_until_given_another) {
  AShooterPlayerController* const ann = standin::player("ann");
  const std::string made = id_of(ann);
  EXPECT_THAT(made, ::testing::MatchesRegex("0002[0-9a-f]{28}"));
  EXPECT_EQ(id_of(standin::player("ann")), made) << "the same name, the same id";
  EXPECT_NE(id_of(standin::player("bob")), made);
  standin::set_player_id(ann, "0002a1b2c3d4e5f6a7b8c9d0e1f2a3b4");
  EXPECT_EQ(id_of(ann), "0002a1b2c3d4e5f6a7b8c9d0e1f2a3b4");
  EXPECT_EQ(standin::player_id(ann), "0002a1b2c3d4e5f6a7b8c9d0e1f2a3b4");
  FString none;
  EXPECT_THROW_MSG(call<game::unique_id_of_player>(nullptr, none), std::invalid_argument,
                   "the unique id of a null player controller");
}

}  // namespace
