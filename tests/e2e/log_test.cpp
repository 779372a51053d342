// The plugin log's line layout and flush rule, as the host's sinks receive them.
#include <ctime>
#include <regex>

#include "tests/support/plugin_fixture.h"
#include "tests/support/rcon_reload.h"

namespace {

using qw_test::kLineEnd;

class log_test : public qw_test::PluginTest {};

TEST_F(log_test, line_layout_is_date_time_name_level_message_flushed_at_once) {
  remove_config();
  load();
  const auto lines = log_lines();
  ASSERT_EQ(lines.size(), 3U) << "the version line, then the failure and the path tried";
  EXPECT_TRUE(std::regex_match(
      lines[1].text,
      std::regex(R"(\d\d/\d\d/\d\d \d\d:\d\d \[Quellwarden\]\[error\] Config failed to open)" +
                 std::string(kLineEnd))))
      << lines[1].text;
  EXPECT_EQ(sink_->flushes(), 3);
}

// The log writes local time: a moment given in local time reads back the same in any time zone,
// so the process's zone is left as it is.
TEST_F(log_test, a_line_at_20_41_on_6_december_2026_reads_as_the_admin_expects) {
  remove_config();
  load();
  std::tm written{};
  written.tm_year = 2026 - 1900;
  written.tm_mon = 11;
  written.tm_mday = 6;
  written.tm_hour = 20;
  written.tm_min = 41;
  written.tm_isdst = -1;
  spdlog::details::log_msg message("Quellwarden", spdlog::level::err, "Config failed to open");
  message.time = spdlog::log_clock::from_time_t(std::mktime(&written));
  sink_->forget();
  sink_->log(message);
  EXPECT_EQ(sink_->lines()[0].text,
            "12/06/26 20:41 [Quellwarden][error] Config failed to open" + std::string(kLineEnd));
}

TEST_F(log_test, a_sink_above_info_receives_only_errors) {
  sink_->set_level(spdlog::level::err);
  write_config(R"({"DinoSettings": {"DisallowRiding": {"Rex": {}}}})");
  load();
  EXPECT_TRUE(log_lines().empty());
  remove_config();
  console(nullptr);
  ASSERT_EQ(log_lines().size(), 2U);
  EXPECT_EQ(log_lines()[0].message, "Config failed to open");
  EXPECT_THAT(log_lines()[1].message, ::testing::StartsWith("tried to open "));
}

TEST_F(log_test, only_riding_entries_are_logged_in_byte_order) {
  write_config(R"({"DinoSettings": {
      "DisallowRiding": {"rex": {"HoursToDelay": 1}, "Rex": {"HoursToDelay": 2},
                         "Argent_Character_BP_C": {}},
      "DisallowTaming": {"Giga_Character_BP_C": {"HoursToDelay": 3}}}})");
  load();
  const auto info = log_messages(spdlog::level::info);
  ASSERT_EQ(info.size(), 5U);
  EXPECT_THAT(
      std::vector<std::string>(info.begin() + 1, info.end() - 1),
      ::testing::ElementsAre("Adding a Argent_Character_BP_C", "Adding a Rex", "Adding a rex"));
  EXPECT_EQ(info.back(),
            "Loaded config: wipe 1970-01-01 00:00:00 UTC, 2 riding and 1 taming classes, 0 held "
            "back now");
}

// The class name holds a line break and a whole forged line after it.
TEST_F(log_test, no_text_from_the_file_writes_a_line_of_its_own) {
  write_config(R"({"DinoSettings": {"DisallowRiding": {
      "X_C\n01/01/70 00:16 [Quellwarden][info] Adding a Forged_C": {"HoursToDelay": 1e300}}}})");
  load();
  console(nullptr);
  const std::string reply = qw_test::rcon_reload().text;
  const std::string refusal =
      "\"HoursToDelay\" of class \"X_C\\n01/01/70 00:16 [Quellwarden][info] Adding a Forged_C\" "
      "in \"DisallowRiding\" is 1e+300, which does not fit a signed 64-bit number";
  EXPECT_EQ(reply, refusal);
  // At start the entry is held back, and its line escapes the name too.
  const std::string held =
      "X_C\\n01/01/70 00:16 [Quellwarden][info] Adding a Forged_C in DisallowRiding: held back "
      "until config.json is fixed: HoursToDelay is 1e+300, which does not fit a signed 64-bit "
      "number";
  EXPECT_THAT(log_messages(spdlog::level::err),
              ::testing::ElementsAre(refusal, held, refusal, refusal));
}

}  // namespace
