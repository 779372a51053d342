// Player notices in the sandbox: players by name, their notices, and their chat command.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/sandbox/sandbox_process.h"
#include "tests/support/config_text.h"
#include "tests/support/scratch_folder.h"

namespace {

using qw_sandbox_test::run_sandbox;
using qw_test::ScratchFolder;
using ::testing::ElementsAre;

TEST(sandbox_notices_test, players_by_name_hear_their_notices_and_ask_the_chat_command) {
  ScratchFolder workdir{"sandbox"};
  workdir.write_config(qw_test::config_text({{"Rex_Character_BP_C", 48}},
                                            {{"Rex_Character_BP_C", 24, "Rex"}}, qw_test::kWipe,
                                            R"("PlayerNotices": {})"));
  const auto result = run_sandbox({"--workdir", workdir.server().string(), "--clock", "1700000000"},
                                  "spawn rex Rex_Character_BP_C\n"
                                  "tame rex true false by alice\n"
                                  "ride rex by alice\n"
                                  "imprint rex\n"
                                  "chat bob /unlocks\n"
                                  "chat bob hello\n"
                                  "commands\n");
  ASSERT_EQ(result.status, 0) << result.errors;
  std::vector<std::string> lines;
  for (const std::string& line : result.lines) {
    if (line.find("[Quellwarden]") == std::string::npos) lines.push_back(line);
  }
  EXPECT_THAT(
      lines,
      ElementsAre("spawned rex Rex_Character_BP_C",
                  "to alice [1,1,0,1]: Rex can be tamed in 1d 0h 0m.",
                  "CanTame rex -> false (refused)",
                  "to alice [1,1,0,1]: Rex can be ridden in 2d 0h 0m.", "SetRider rex -> refused",
                  "to player [1,1,0,1]: Rex babies can be imprinted in 1d 0h 0m.",
                  "ImprintBabyDino rex -> refused", "to bob [1,1,1,1]: taming Rex: 1d 0h 0m left",
                  "to bob [1,1,1,1]: riding Rex: 2d 0h 0m left", "bob says: hello",
                  "console command Quellwarden.reload", "console command Quellwarden.status",
                  "console command Quellwarden.setwipe", "console command Quellwarden.shift",
                  "console command Quellwarden.delay", "console command Quellwarden.unlock",
                  "rcon command Quellwarden.reload", "rcon command Quellwarden.status",
                  "rcon command Quellwarden.setwipe", "rcon command Quellwarden.shift",
                  "rcon command Quellwarden.delay", "rcon command Quellwarden.unlock",
                  "chat command /unlocks"));
}

}  // namespace
