// Loading and unloading the plugin library: what it registers with the host, and what it leaves.
#include "tests/support/config_text.h"
#include "tests/support/gate_outcome.h"
#include "tests/support/plugin_fixture.h"
#include "version.h"

namespace {

using qw_test::PluginTest;
using ::testing::ElementsAre;

class lifecycle_test : public PluginTest {};

constexpr const char* kCanTame =
    "APrimalDinoCharacter.CanTame(AShooterPlayerController*,bool,bool)";
constexpr const char* kImprint = "APrimalDinoCharacter.ImprintBabyDino(APlayerController*,bool)";
constexpr const char* kSetRider = "APrimalDinoCharacter.SetRider(AShooterCharacter*)";

TEST_F(lifecycle_test, load_registers_three_hooks_and_the_commands_and_unload_removes_them) {
  write_config("{}");
  load();
  EXPECT_THAT(standin::installed_hooks(), ElementsAre(kCanTame, kImprint, kSetRider));
  const auto commands =
      ElementsAre("Quellwarden.reload", "Quellwarden.status", "Quellwarden.setwipe",
                  "Quellwarden.shift", "Quellwarden.delay", "Quellwarden.unlock");
  EXPECT_THAT(standin::console_commands(), commands);
  EXPECT_THAT(standin::rcon_commands(), commands);
  EXPECT_EQ(log_messages().front(), "Quellwarden " + std::string(quellwarden::kVersion));
  unload();
  EXPECT_TRUE(standin::installed_hooks().empty());
  EXPECT_TRUE(standin::console_commands().empty());
  EXPECT_TRUE(standin::rcon_commands().empty());
}

// Removing the commands needs no allocation, so a game allocator that refuses at unload cannot
// leave the host callbacks into a plugin that is gone.
TEST_F(lifecycle_test, unload_removes_every_command_while_the_game_allocator_refuses) {
  write_config(R"({"PlayerNotices": {}})");
  load();
  ASSERT_EQ(standin::chat_commands().size(), 1U);
  standin::fail_alloc(1);
  unload();
  EXPECT_TRUE(standin::alloc_failure_pending()) << "the unload allocated nothing";
  standin::fail_alloc(0);
  EXPECT_TRUE(standin::console_commands().empty());
  EXPECT_TRUE(standin::rcon_commands().empty());
  EXPECT_TRUE(standin::chat_commands().empty());
}

TEST_F(lifecycle_test, repeated_load_unload_cycles_leave_nothing_behind) {
  write_config(qw_test::config_text({}, {{"Rex_Character_BP_C", 24}}));
  for (int cycle = 0; cycle < 3; ++cycle) {
    load();
    EXPECT_EQ(standin::installed_hooks().size(), 3U);
    unload();
    EXPECT_TRUE(standin::installed_hooks().empty());
  }
}

TEST_F(lifecycle_test, broken_file_at_start_still_installs_hooks_and_reload) {
  write_config(R"({"DinoSettings": null})");
  load();
  EXPECT_EQ(standin::installed_hooks().size(), 3U);
  EXPECT_EQ(standin::console_commands().size(), 6U);
  EXPECT_THAT(log_messages(spdlog::level::err),
              ElementsAre("[json.exception.type_error.306] cannot use value() with null",
                          "DinoSettings is null; write an object holding \"DisallowRiding\" and "
                          "\"DisallowTaming\""));

  write_config(qw_test::config_text({}, {{"Rex_Character_BP_C", 24}}));
  standin::freeze_clock(1700000000);
  const auto replies = console(standin::player("admin"));
  ASSERT_EQ(replies.size(), 1U);
  EXPECT_EQ(replies[0].text, "Quellwarden : Reloaded config");
  EXPECT_FALSE(qw_test::tames("Rex_Character_BP_C"));
}

TEST_F(lifecycle_test, plugin_log_holds_the_hosts_sinks_of_load_time_only) {
  write_config("{}");
  auto late = std::make_shared<qw_test::RecordingSink>();
  const long owners_before = sink_.use_count();
  load();
  EXPECT_EQ(sink_.use_count(), owners_before + 1);
  GetLogSinks().push_back(late);
  remove_config();
  sink_->forget();
  console(nullptr);
  EXPECT_EQ(log_messages().size(), 2U) << "the refusal and the path tried";
  EXPECT_TRUE(late->lines().empty());
  unload();
  EXPECT_EQ(sink_.use_count(), owners_before);
}

TEST_F(lifecycle_test, a_host_with_no_sinks_loads_reloads_and_fails_quietly) {
  GetLogSinks().clear();
  remove_config();
  load();
  EXPECT_EQ(console(standin::player("admin"))[0].text, "Quellwarden: Failed to reload config");
  write_config("{}");
  EXPECT_EQ(console(standin::player("admin"))[0].text, "Quellwarden : Reloaded config");
  EXPECT_EQ(standin::installed_hooks().size(), 3U);
}

}  // namespace
