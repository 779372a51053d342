// Hostile configuration files reloaded into the real plugin: deep nesting, huge numbers, huge
// class names, huge lists. Each reload gets a clear answer and the server process stays up.
#include <string>
#include <utility>
#include <vector>

#include "tests/support/config_text.h"
#include "tests/support/gate_outcome.h"
#include "tests/support/plugin_fixture.h"
#include "tests/support/rcon_reload.h"

namespace {

using qw_test::rides;
using qw_test::tames;
using ::testing::Contains;
using ::testing::StartsWith;

constexpr std::size_t kDepth = 300000;
using qw_test::kWipe;
constexpr const char* kReloaded = "Quellwarden : Reloaded config";
const std::string kGoodConfig = qw_test::config_text({{"A", 48}}, {{"A", 24}});

std::string nested_arrays(std::size_t depth) {
  return std::string(depth, '[') + std::string(depth, ']');
}

class loader_limits_test : public qw_test::PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    write_config(kGoodConfig);
    load();
    standin::freeze_clock(kWipe);
  }

  // Reloads `text` over RCON and returns the answer.
  std::string reload(const std::string& text) {
    write_config(text);
    return qw_test::rcon_reload(7).text;
  }

  // kGoodConfig still holds.
  static void expect_good_config_in_force() {
    EXPECT_FALSE(tames("A"));
    EXPECT_FALSE(rides("A"));
  }
};

TEST_F(loader_limits_test, deep_nesting_outside_the_settings_is_answered) {
  EXPECT_EQ(reload(nested_arrays(kDepth)),
            "[json.exception.type_error.306] cannot use value() with array");
  expect_good_config_in_force();
  EXPECT_THAT(reload(std::string(kDepth, '[')), StartsWith("Config has parsing ERROR! "));
  expect_good_config_in_force();
  EXPECT_EQ(reload(R"({"Unread": )" + nested_arrays(kDepth) + "}"), kReloaded);
  EXPECT_TRUE(tames("A"));
}

TEST_F(loader_limits_test, deep_nesting_inside_the_settings_is_answered) {
  EXPECT_EQ(reload(R"({"DinoSettings": {"Unread": )" + nested_arrays(kDepth) + "}}"), kReloaded);
  EXPECT_TRUE(tames("A"));
  reload(kGoodConfig);
  EXPECT_EQ(reload(R"({"DinoSettings": {"DisallowTaming": {"B": {"HoursToDelay": )" +
                   nested_arrays(kDepth) + "}}}}"),
            "[json.exception.type_error.302] type must be number, but is array");
  expect_good_config_in_force();
}

// What players read never refuses the file; the warning quotes the malformed value's start only,
// however deep it is.
TEST_F(loader_limits_test, deep_nesting_in_what_players_read_is_answered) {
  const std::string deep = nested_arrays(kDepth);
  const std::string preview = " is an array, " + std::string(40, '[') + "..., ";
  const std::vector<std::pair<std::string, std::string>> cases{
      {R"({"PlayerNotices": )" + deep + "}", "\"PlayerNotices\""},
      {R"({"PlayerNotices": {"Taming": )" + deep + "}}", "\"Taming\" in \"PlayerNotices\""},
      {R"({"DinoSettings": {"DisallowTaming": {"B": {"DisplayName": )" + deep + "}}}}",
       "\"DisplayName\" of class \"B\" in \"DisallowTaming\""}};
  for (const auto& [text, warned] : cases) {
    sink_->forget();
    EXPECT_EQ(reload(text), kReloaded);
    EXPECT_THAT(log_messages(spdlog::level::warn), Contains(StartsWith(warned + preview)));
  }
  EXPECT_EQ(reload(R"({"PlayerNotices": {"Unread": )" + deep + "}}"), kReloaded);
}

TEST_F(loader_limits_test, numbers_beyond_every_range_are_answered) {
  EXPECT_THAT(reload(R"({"WipeTimestamp": 1e400})"),
              StartsWith("Config has parsing ERROR! [json.exception.out_of_range.406]"));
  EXPECT_THAT(reload(R"({"WipeTimestamp": )" + std::string(1 << 20, '9') + "}"),
              StartsWith("Config has parsing ERROR! [json.exception.out_of_range.406]"));
  EXPECT_EQ(reload(R"({"WipeTimestamp": -1e300})"),
            "\"WipeTimestamp\" is -1e+300, which does not fit a signed 64-bit number");
  EXPECT_THAT(
      reload(
          R"({"DinoSettings": {"DisallowRiding": {"B": {"HoursToDelay": 9223372036854775807}}}})"),
      StartsWith("\"HoursToDelay\" of class \"B\" in \"DisallowRiding\" is 9223372036854775807"));
  expect_good_config_in_force();
}

TEST_F(loader_limits_test, class_names_of_megabytes_are_held_back) {
  const std::string riding_name(4 << 20, 'R');
  const std::string taming_name(4 << 20, 't');
  sink_->forget();
  EXPECT_EQ(reload(qw_test::config_text({{riding_name, 1}}, {{taming_name, 1}})), kReloaded);
  const auto info = log_messages(spdlog::level::info);
  ASSERT_EQ(info.size(), 2U) << "one class added, then the load report";
  EXPECT_EQ(info[0], "Adding a " + riding_name);
  EXPECT_FALSE(rides(riding_name));
  EXPECT_FALSE(tames(std::string(4 << 20, 'T')));
  EXPECT_TRUE(tames(riding_name));
  EXPECT_TRUE(tames("A"));
}

TEST_F(loader_limits_test, a_hundred_thousand_entries_load_and_unload) {
  std::string text = R"({"WipeTimestamp": 1700000000, "DinoSettings": {"DisallowTaming": {)";
  for (int entry = 0; entry < 100000; ++entry) {
    text += (entry == 0 ? "\"Dino_" : ",\"Dino_") + std::to_string(entry) +
            R"(_C": {"HoursToDelay": )" + std::to_string(entry % 100 + 1) + "}";
  }
  text += "}}}";
  EXPECT_EQ(reload(text), kReloaded);
  EXPECT_FALSE(tames("Dino_0_C"));
  EXPECT_FALSE(tames("DINO_99999_C"));
  standin::freeze_clock(kWipe + 3600);
  EXPECT_TRUE(tames("Dino_0_C"));
  EXPECT_FALSE(tames("Dino_1_C"));
  EXPECT_TRUE(tames("Dino_100000_C"));
  EXPECT_TRUE(rides("A")) << "the riding list was left out, so riding is free";
  EXPECT_EQ(reload("{}"), kReloaded);
  EXPECT_TRUE(tames("Dino_1_C"));
}

}  // namespace
