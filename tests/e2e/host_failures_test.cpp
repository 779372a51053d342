// When the host fails the plugin: a gate lets the game decide and counts it, a load that cannot
// build its tables changes nothing, refused hooks and commands are logged, and unload still
// removes everything it can.
#include "tests/support/gate_outcome.h"
#include "tests/support/plugin_fixture.h"
#include "tests/support/rcon_reload.h"

namespace {

using qw_test::tames;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr const char* kCanTame =
    "APrimalDinoCharacter.CanTame(AShooterPlayerController*,bool,bool)";
constexpr const char* kImprint = "APrimalDinoCharacter.ImprintBabyDino(APlayerController*,bool)";
constexpr const char* kSetRider = "APrimalDinoCharacter.SetRider(AShooterCharacter*)";
constexpr const char* kMalloc = "FMemory.Malloc(unsigned__int64,unsignedint)";
constexpr const char* kRexLocked = R"({"WipeTimestamp": 1700000000, "DinoSettings": {
    "DisallowTaming": {"Rex_Character_BP_C": {"HoursToDelay": 24}}}})";

class host_failures_test : public qw_test::PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    standin::freeze_clock(1700000000);
  }

  std::vector<std::string> status() {
    std::vector<std::string> lines;
    for (const auto& message : console(standin::player("admin"), "Quellwarden.status")) {
      lines.push_back(message.text);
    }
    return lines;
  }
};

TEST_F(host_failures_test, a_gate_the_host_fails_lets_the_game_decide_and_counts_it) {
  write_config(kRexLocked);
  load();
  sink_->forget();
  for (const char* name : {"FName.ToString(FString&)", "UObjectBase.ClassPrivate",
                           "FGenericPlatformStricmp.Stricmp(wchar_t*,wchar_t*)"}) {
    standin::fail_resolve(name);
    EXPECT_TRUE(tames("Rex_Character_BP_C")) << name;
    EXPECT_FALSE(tames("Rex_Character_BP_C")) << "only the failed decision is left to the game";
  }
  EXPECT_TRUE(log_lines().empty()) << "a gate never logs";
  EXPECT_THAT(status(), Contains("the host failed the gates 3 times; the game decided alone"));
}

TEST_F(host_failures_test, a_load_that_cannot_build_its_tables_changes_nothing) {
  write_config(kRexLocked);
  load();
  write_config(R"({"WipeTimestamp": 1600000000, "DinoSettings": {
      "DisallowTaming": {"Giga_Character_BP_C": {"HoursToDelay": 1}}}})");
  standin::fail_resolve(kMalloc);
  const auto replies = console(standin::player("admin"));
  ASSERT_EQ(replies.size(), 1U);
  EXPECT_EQ(replies[0].text, "Quellwarden: Failed to reload config");
  const std::string error = std::string("cannot resolve \"") + kMalloc + "\" in the running game";
  EXPECT_EQ(log_messages().back(), error);
  EXPECT_FALSE(tames("Rex_Character_BP_C"));
  EXPECT_TRUE(tames("Giga_Character_BP_C"));
  const auto lines = status();
  ASSERT_GE(lines.size(), 3U);
  EXPECT_THAT(lines[0], HasSubstr("wipe 2023-11-14 22:13:20 UTC (1700000000)"));
  EXPECT_EQ(lines[1], "last load failed at 2023-11-14 22:13:20 UTC: " + error +
                          "; the previous configuration is still in force");

  standin::fail_resolve(kMalloc);
  EXPECT_EQ(qw_test::rcon_reload(5).text, error);
}

TEST_F(host_failures_test, refused_hooks_and_commands_are_logged_and_the_rest_installed) {
  write_config(kRexLocked);
  standin::fail_next_hook(kCanTame);
  standin::fail_next_command("Quellwarden.reload");
  load();
  EXPECT_THAT(standin::installed_hooks(), ElementsAre(kImprint, kSetRider));
  EXPECT_THAT(standin::console_commands(), ElementsAre("Quellwarden.status"));
  EXPECT_THAT(standin::rcon_commands(), ElementsAre("Quellwarden.reload", "Quellwarden.status"));
  EXPECT_THAT(log_messages(spdlog::level::err),
              ElementsAre(std::string("Failed to hook ") + kCanTame + "; taming is not held back",
                          "Failed to add console command Quellwarden.reload: the host refused to "
                          "register the command Quellwarden.reload"));
  sink_->forget();
  unload();
  EXPECT_TRUE(standin::installed_hooks().empty());
  EXPECT_TRUE(standin::console_commands().empty());
  EXPECT_TRUE(standin::rcon_commands().empty());
  EXPECT_THAT(log_messages(spdlog::level::err),
              ElementsAre(std::string("Failed to remove hook ") + kCanTame,
                          "Failed to remove console command Quellwarden.reload"));
}

TEST_F(host_failures_test, an_rcon_reply_the_game_cannot_send_is_logged) {
  write_config(kRexLocked);
  load();
  sink_->forget();
  standin::fail_resolve("RCONClientConnection.SendMessage(int,int,FString&)");
  const standin::RconConnection connection;
  EXPECT_TRUE(standin::run_rcon_command(connection, 3, "Quellwarden.reload"));
  EXPECT_TRUE(standin::rcon_replies().empty());
  EXPECT_EQ(log_messages().back(),
            "cannot resolve \"RCONClientConnection.SendMessage(int,int,FString&)\" in the running "
            "game");
}

// The module path is asked of the system until it fits, past the 260 units of old Windows paths.
TEST_F(host_failures_test, the_messenger_lookup_gets_a_plugin_path_of_any_length) {
#ifdef _WIN32
  GTEST_SKIP() << "Wine's loader refuses library paths past 260 units";
#endif
  std::filesystem::path folder = directory_;
  while (folder.u8string().size() < 300) {
    folder /= std::string(40, 'd');
  }
  std::filesystem::create_directories(folder);
  const std::filesystem::path built(qw_test::built_plugin_path());
  const std::filesystem::path copy = folder / built.filename();
  std::filesystem::copy_file(built, copy);
  write_config("{}");
  load(copy.string());
  console(standin::player("admin"));
  ASSERT_FALSE(standin::messenger_lookups().empty());
  EXPECT_EQ(std::filesystem::path(standin::messenger_lookups().back()), copy);
}

}  // namespace
