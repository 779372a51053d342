// Quellwarden.status: what is held back, read from the live tables, on the console, over RCON
// and as JSON; and the load report in the log.
#include <nlohmann/json.hpp>

#include "tests/support/plugin_fixture.h"
#include "tests/support/rcon_reload.h"

namespace {

using ::testing::ElementsAre;

constexpr const char* kConfig = R"({"WipeTimestamp": 1767895200, "DinoSettings": {
    "DisallowRiding": {"Rex_Character_BP_C": {"HoursToDelay": 72, "DisplayName": "Rex"},
                       "Argent_Character_BP_C": {"HoursToDelay": 48}},
    "DisallowTaming": {"Rex_Character_BP_C": {"HoursToDelay": 24}}}})";

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
      ElementsAre("Quellwarden 0.2.0: wipe 2026-01-08 18:00:00 UTC (1767895200), now 2026-01-10 "
                  "18:00:45 UTC",
                  "riding Argent_Character_BP_C: released at 2026-01-10 18:00:00 UTC",
                  "riding Rex_Character_BP_C: locked until 2026-01-11 18:00:00 UTC (23h 59m left)",
                  "taming Rex_Character_BP_C: released at 2026-01-09 18:00:00 UTC"));
  const std::string reply = qw_test::rcon_reload(9, "Quellwarden.status").text;
  EXPECT_EQ(std::count(reply.begin(), reply.end(), '\n'), 3) << "one reply, a line an entry";
  EXPECT_EQ(reply.substr(0, reply.find('\n')), console_status()[0]);
}

TEST_F(status_test, json_answers_bots_with_every_entry) {
  write_config(kConfig);
  load();
  const auto status =
      nlohmann::json::parse(qw_test::rcon_reload(9, "Quellwarden.status json").text);
  EXPECT_EQ(status["version"], "0.2.0");
  EXPECT_EQ(status["now"], 1767895200 + 48 * 3600 + 45);
  EXPECT_EQ(status["wipe_timestamp"], 1767895200);
  EXPECT_EQ(status["riding"][1],
            nlohmann::json::parse(R"({"class": "Rex_Character_BP_C", "hours": 72,
                                      "unlock": 1768154400, "locked": true,
                                      "seconds_left": 86355, "display_name": "Rex"})"));
  EXPECT_EQ(status["taming"][0]["locked"], false);
  EXPECT_TRUE(status["warnings"].empty());
  EXPECT_EQ(status["last_load"]["ok"], true);
  EXPECT_EQ(status["last_load"]["error"], nullptr);
  EXPECT_EQ(console_status("Quellwarden.status json").size(), 1U);
}

TEST_F(status_test, says_when_nothing_is_in_force_and_why) {
  remove_config();
  load();
  EXPECT_THAT(console_status(),
              ElementsAre("Quellwarden 0.2.0: no configuration in force; nothing is held back",
                          "last load failed at 2026-01-10 18:00:45 UTC: Config failed to open; "
                          "nothing is held back"));
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
