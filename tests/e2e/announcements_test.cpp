// Unlock announcements as every player meets them: the host's timer, registered only while they
// are on, sends each unlock and the latest reminder once, never what was past at the load.
#include <nlohmann/json.hpp>

#include "tests/support/config_text.h"
#include "tests/support/plugin_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using qw_test::kWipe;
constexpr std::int64_t kHour = 3600;

const std::string kAnnounced =
    qw_test::config_text({{"Rex_Character_BP_C", 48}},
                         {{"Dodo_Character_BP_C", 1}, {"Rex_Character_BP_C", 24, "Rex"}}, kWipe,
                         R"("Announcements": {"Taming": "{creature} can be tamed from now on!",
        "Riding": "{creature} can be ridden from now on!", "RemindBefore": [3600, 600],
        "TamingSoon": "{creature} can be tamed in {left}."})");

class announcements_test : public qw_test::PluginTest {
 protected:
  // What every player was sent when the timer ran at `now`.
  std::vector<std::string> tick_at(std::int64_t now) {
    standin::freeze_clock(now);
    const auto before = standin::sent_messages().size();
    standin::run_timers();
    std::vector<std::string> texts;
    const auto all = standin::sent_messages();
    for (auto at = all.begin() + static_cast<std::ptrdiff_t>(before); at != all.end(); ++at) {
      EXPECT_TRUE(at->to_everyone) << at->text;
      EXPECT_EQ(at->colour.B, 0.0F) << "yellow, as the notices";
      texts.push_back(at->text);
    }
    return texts;
  }
};

TEST_F(announcements_test, each_unlock_and_the_latest_reminder_go_to_everyone_once) {
  standin::freeze_clock(kWipe + 2 * kHour);
  write_config(kAnnounced);
  load();
  EXPECT_THAT(tick_at(kWipe + 2 * kHour), IsEmpty()) << "the Dodo was released before the load";
  EXPECT_THAT(tick_at(kWipe + 23 * kHour + 30), ElementsAre("Rex can be tamed in 59m."));
  EXPECT_THAT(tick_at(kWipe + 23 * kHour + 60), IsEmpty());
  EXPECT_THAT(tick_at(kWipe + 23 * kHour + 50 * 60), ElementsAre("Rex can be tamed in 10m."));
  // A clock that jumps over the unlock and past the riding reminders sends the unlock alone, and
  // riding has no reminder text.
  EXPECT_THAT(tick_at(kWipe + 48 * kHour),
              ElementsAre("Rex can be tamed from now on!", "Rex can be ridden from now on!"));
  EXPECT_THAT(tick_at(kWipe + 100 * kHour), IsEmpty());
}

TEST_F(announcements_test, a_reload_announces_nothing_already_past_or_sent) {
  standin::freeze_clock(kWipe);
  write_config(kAnnounced);
  load();
  EXPECT_THAT(tick_at(kWipe + 23 * kHour),
              ElementsAre("Dodo can be tamed from now on!", "Rex can be tamed in 1h 0m."));
  console(nullptr);
  EXPECT_THAT(tick_at(kWipe + 23 * kHour), IsEmpty());
  standin::freeze_clock(kWipe + 30 * kHour);
  console(nullptr);
  EXPECT_THAT(tick_at(kWipe + 30 * kHour), IsEmpty()) << "the taming unlock passed before";
  EXPECT_THAT(tick_at(kWipe + 48 * kHour), ElementsAre("Rex can be ridden from now on!"));
}

TEST_F(announcements_test, the_timer_runs_only_while_announcements_are_on) {
  standin::freeze_clock(kWipe);
  write_config(qw_test::standard_config());
  load();
  EXPECT_THAT(standin::timers(), IsEmpty());
  write_config(kAnnounced);
  console(nullptr);
  EXPECT_THAT(standin::timers(), ElementsAre("Quellwarden.announcements"));
  console(nullptr);
  EXPECT_THAT(standin::timers(), ElementsAre("Quellwarden.announcements"));
  EXPECT_EQ(console(standin::player("admin"), "Quellwarden.status").at(2).text,
            "announcements: on, reminders 1h 0m and 10m before each unlock");
  const auto status = nlohmann::json::parse(
      console(standin::player("admin"), "Quellwarden.status json").at(0).text);
  EXPECT_EQ(status["announcements"]["remind_before"], nlohmann::json::parse("[3600, 600]"));
  write_config(qw_test::config_text({}, {}, kWipe, R"("Announcements": {"Taming": 5})"));
  console(nullptr);
  EXPECT_THAT(standin::timers(), IsEmpty()) << "a mistake turns them off";
  EXPECT_THAT(log_messages(spdlog::level::warn),
              ElementsAre("\"Taming\" in \"Announcements\" is 5, so announcements are off; write "
                          "a text, or \"\" for none"));
  write_config(kAnnounced);
  console(nullptr);
  unload();
  EXPECT_THAT(standin::timers(), IsEmpty());
}

}  // namespace
