// The plugin DLL at work under Windows: the configuration below a non-ASCII working directory,
// log lines ending in CR LF, reloads from the console and over RCON, and the three gates.
#include <regex>

#include "tests/windows/dll_fixture.h"

namespace {

using qw_windows::utf8;

constexpr std::int64_t kWipe = 1700000000;
constexpr std::int64_t kHour = 3600;
constexpr const char* kConfig = R"({"WipeTimestamp": 1700000000, "DinoSettings": {
    "DisallowRiding": {"Rex_Character_BP_C": {"HoursToDelay": 48}},
    "DisallowTaming": {"Rex_Character_BP_C": {"HoursToDelay": 24},
                       "Giga_Character_BP_C": {"HoursToDelay": 72}}}})";
constexpr const char* kTypeError =
    "[json.exception.type_error.302] type must be number, but is string";
constexpr const char* kBrokenConfig = R"({"WipeTimestamp": 1700000000, "DinoSettings": {
    "DisallowTaming": {"Rex_Character_BP_C": {"HoursToDelay": "soon"}}}})";

class dll_behaviour_test : public qw_windows::DllTest {
 protected:
  static bool tames(APrimalDinoCharacter* creature) {
    return standin::game_can_tame(creature, nullptr, false, false);
  }
  static bool imprints(APrimalDinoCharacter* creature) {
    const auto before = standin::game_calls().size();
    standin::game_imprint_baby_dino(creature, nullptr, false);
    return standin::game_calls().size() > before;
  }
  static bool rides(APrimalDinoCharacter* creature) {
    const auto before = standin::game_calls().size();
    standin::game_set_rider(creature, standin::rider("rider"));
    return standin::game_calls().size() > before;
  }
};

TEST_F(dll_behaviour_test, configuration_is_read_below_a_non_ascii_working_directory) {
  ASSERT_TRUE(utf8(std::filesystem::current_path()).ends_with("\\W\xC3\xBCste Insel"))
      << utf8(std::filesystem::current_path());
  write_config(kConfig);
  load();
  const auto lines = log_lines();
  ASSERT_EQ(lines.size(), 1U);
  EXPECT_EQ(lines[0].level, spdlog::level::info);
  EXPECT_EQ(lines[0].message, "Adding a Rex_Character_BP_C");
}

TEST_F(dll_behaviour_test, log_lines_end_in_cr_lf) {
  write_config(kConfig);
  load();
  std::filesystem::remove(config_folder() / "config.json");
  ASSERT_TRUE(standin::run_console_command(nullptr, "Quellwarden.reload"));
  const auto lines = log_lines();
  ASSERT_EQ(lines.size(), 2U);
  const std::regex info(
      R"(\d\d/\d\d/\d\d \d\d:\d\d \[Quellwarden\]\[info\] Adding a Rex_Character_BP_C\r\n)");
  const std::regex error(
      R"(\d\d/\d\d/\d\d \d\d:\d\d \[Quellwarden\]\[error\] Config failed to open\r\n)");
  EXPECT_TRUE(std::regex_match(lines[0].text, info)) << lines[0].text;
  EXPECT_TRUE(std::regex_match(lines[1].text, error)) << lines[1].text;
  EXPECT_GE(sink_->flushes(), 2);
}

TEST_F(dll_behaviour_test, console_reload_answers_green_then_red_and_logs_the_failure) {
  write_config(kConfig);
  load();
  sink_->forget();
  APlayerController* admin = standin::player("admin");
  write_config(R"({"WipeTimestamp": 1700000000, "DinoSettings": {
      "DisallowTaming": {"Giga_Character_BP_C": {"HoursToDelay": 1}}}})");
  ASSERT_TRUE(standin::run_console_command(admin, "Quellwarden.reload"));
  standin::freeze_clock(kWipe);
  EXPECT_TRUE(tames(standin::spawn_creature("Rex_Character_BP_C"))) << "the new file is in force";
  EXPECT_FALSE(tames(standin::spawn_creature("Giga_Character_BP_C")));

  write_config(kBrokenConfig);
  ASSERT_TRUE(standin::run_console_command(admin, "Quellwarden.reload"));
  const auto sent = standin::sent_messages();
  ASSERT_EQ(sent.size(), 2U);
  EXPECT_EQ(sent[0].player, admin);
  EXPECT_EQ(sent[0].text, "Quellwarden : Reloaded config");
  EXPECT_EQ(
      std::vector<float>({sent[0].colour.R, sent[0].colour.G, sent[0].colour.B, sent[0].colour.A}),
      std::vector<float>({0.0F, 1.0F, 0.0F, 1.0F}));
  EXPECT_EQ(sent[1].text, "Quellwarden: Failed to reload config");
  EXPECT_EQ(
      std::vector<float>({sent[1].colour.R, sent[1].colour.G, sent[1].colour.B, sent[1].colour.A}),
      std::vector<float>({1.0F, 0.0F, 0.0F, 1.0F}));
  const auto lines = log_lines();
  ASSERT_EQ(lines.size(), 1U);
  EXPECT_EQ(lines[0].level, spdlog::level::err);
  EXPECT_EQ(lines[0].message, kTypeError);
}

TEST_F(dll_behaviour_test, rcon_reload_replies_under_the_request_id) {
  write_config(kConfig);
  load();
  sink_->forget();
  const standin::RconConnection connection;
  ASSERT_TRUE(standin::run_rcon_command(connection, 41, "Quellwarden.reload"));
  write_config(kBrokenConfig);
  ASSERT_TRUE(standin::run_rcon_command(connection, 42, "Quellwarden.reload"));

  const auto replies = standin::rcon_replies();
  ASSERT_EQ(replies.size(), 2U);
  EXPECT_EQ(replies[0].id, 41);
  EXPECT_EQ(replies[0].type, 0);
  EXPECT_EQ(replies[0].text, "Quellwarden : Reloaded config");
  EXPECT_EQ(replies[1].id, 42);
  EXPECT_EQ(replies[1].text, kTypeError);
  const auto lines = log_lines();
  ASSERT_EQ(lines.size(), 2U);
  EXPECT_EQ(lines[0].message, "Adding a Rex_Character_BP_C") << "the successful reload";
  EXPECT_EQ(lines[1].message, kTypeError);
}

TEST_F(dll_behaviour_test, gates_hold_back_until_the_unlock_time_and_pass_null_creatures) {
  write_config(kConfig);
  load();
  APrimalDinoCharacter* rex = standin::spawn_creature("Rex_Character_BP_C");
  standin::freeze_clock(kWipe + 24 * kHour - 1);
  EXPECT_FALSE(tames(rex));
  EXPECT_FALSE(imprints(rex));
  EXPECT_FALSE(rides(rex));
  EXPECT_TRUE(standin::game_calls().empty()) << "a refused call never reaches the game";

  standin::freeze_clock(kWipe + 24 * kHour);
  EXPECT_TRUE(tames(rex));
  EXPECT_TRUE(imprints(rex));
  EXPECT_FALSE(rides(rex)) << "riding waits 48 hours";
  standin::freeze_clock(kWipe + 48 * kHour);
  EXPECT_TRUE(rides(rex));

  standin::reset_records();
  standin::freeze_clock(kWipe);
  standin::set_can_tame_answer(false);
  EXPECT_FALSE(tames(nullptr)) << "the game's own answer";
  EXPECT_TRUE(imprints(nullptr));
  EXPECT_TRUE(rides(nullptr));
  const auto calls = standin::game_calls();
  ASSERT_EQ(calls.size(), 3U);
  EXPECT_EQ(calls[0].function, "CanTame");
  EXPECT_EQ(calls[0].creature, nullptr);
}

}  // namespace
