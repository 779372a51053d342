// Reloading from the console and over RCON: replies, colours, request ids, log lines, and what a
// failed reload leaves in place (everything as it was).
#include <memory>
#include <nlohmann/json.hpp>

#include "tests/support/config_text.h"
#include "tests/support/gate_outcome.h"
#include "tests/support/plugin_fixture.h"
#include "tests/support/rcon_reload.h"

namespace {

using qw_test::rcon_reload;
using qw_test::rides;
using qw_test::tames;
using ::testing::ElementsAre;
using ::testing::StartsWith;

using qw_test::kWipe;
const std::string kGoodConfig = qw_test::config_text({{"A", 48}}, {{"A", 24}, {"B", 72}});

class reload_test : public qw_test::PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    write_config(kGoodConfig);
    load();
    sink_->forget();
    admin_ = standin::player("admin");
  }

  // The configuration of kGoodConfig still holds: A and B locked right after the wipe.
  static void expect_good_config_in_force() {
    standin::freeze_clock(kWipe + 24 * 3600 - 1);
    EXPECT_FALSE(tames("A"));
    EXPECT_FALSE(tames("B"));
    EXPECT_FALSE(rides("A")) << "riding A is still held back";
    standin::freeze_clock(kWipe + 24 * 3600);
    EXPECT_TRUE(tames("A"));
    standin::thaw_clock();
  }

  AShooterPlayerController* admin_ = nullptr;
};

TEST_F(reload_test, example_configuration_gives_exact_unlock_times_and_one_adding_line) {
  const auto replies = console(admin_);
  ASSERT_EQ(replies.size(), 2U) << "the green reply, then the yellow notice of its warnings";
  EXPECT_EQ(replies[0].text, "Quellwarden : Reloaded config");
  EXPECT_EQ(replies[0].player, admin_);
  EXPECT_EQ(replies[0].colour.R, 0.0F);
  EXPECT_EQ(replies[0].colour.G, 1.0F);
  EXPECT_EQ(replies[0].colour.B, 0.0F);
  EXPECT_EQ(replies[0].colour.A, 1.0F);
  EXPECT_EQ(replies[1].text, "Quellwarden : 7 warnings, see Quellwarden.status");
  EXPECT_EQ(replies[1].colour.G, 1.0F);
  EXPECT_EQ(replies[1].colour.B, 0.0F);
  const auto info = log_messages(spdlog::level::info);
  ASSERT_EQ(info.size(), 2U);
  EXPECT_EQ(info[0], "Adding a A");

  APrimalDinoCharacter* a = standin::spawn_creature("A");
  APrimalDinoCharacter* b = standin::spawn_creature("B");
  standin::freeze_clock(1700086400 - 1);
  EXPECT_FALSE(tames(a));
  standin::freeze_clock(1700086400);
  EXPECT_TRUE(tames(a));
  standin::freeze_clock(1700172800 - 1);
  EXPECT_FALSE(rides(a));
  standin::freeze_clock(1700172800);
  EXPECT_TRUE(rides(a));
  standin::freeze_clock(1700259200 - 1);
  EXPECT_FALSE(tames(b));
  standin::freeze_clock(1700259200);
  EXPECT_TRUE(tames(b));
}

TEST_F(reload_test, a_refusal_logs_its_first_error_then_each_place_on_a_line_of_its_own) {
  write_config(R"({"WipeTimestamp": 1, "DinoSettings": {"DisallowTaming": {
      "A": {"HoursToDelay": "72"}, "B": {"HoursToDelay": "72"}}}})");
  console(admin_);
  EXPECT_THAT(
      log_messages(spdlog::level::err),
      ::testing::ElementsAre(
          "[json.exception.type_error.302] type must be number, but is string",
          "DinoSettings > DisallowTaming > A > HoursToDelay is the string \"72\"; write a number "
          "of hours",
          "DinoSettings > DisallowTaming > B > HoursToDelay is the string \"72\"; write a number "
          "of hours"));
  expect_good_config_in_force();
}

TEST_F(reload_test, rcon_success_replies_with_the_request_id_and_type_0) {
  const standin::RconReply reply = rcon_reload(4711);
  EXPECT_EQ(reply.id, 4711);
  EXPECT_EQ(reply.type, 0);
  EXPECT_EQ(reply.text, "Quellwarden : Reloaded config");
}

TEST_F(reload_test, words_after_the_command_name_are_ignored) {
  EXPECT_EQ(console(admin_, "Quellwarden.reload now please {}")[0].text,
            "Quellwarden : Reloaded config");
}

// Bots read one JSON object on either channel; the plain replies stay as they are.
TEST_F(reload_test, reload_json_answers_bots_with_the_outcome) {
  write_config(R"({"WipeTimestamp": 1700000000, "Extra": 1})");
  const auto applied = nlohmann::json::parse(rcon_reload(3, "Quellwarden.reload json").text);
  EXPECT_EQ(applied["ok"], true);
  ASSERT_FALSE(applied["warnings"].empty());
  EXPECT_EQ(applied["warnings"][0]["code"], "unknown_member");
  EXPECT_EQ(applied["warnings"][0]["path"], nlohmann::json::parse(R"(["Extra"])"));
  write_config(R"({"WipeTimestamp": {}})");
  const auto replies = console(admin_, "Quellwarden.reload JSON");
  ASSERT_EQ(replies.size(), 1U);
  EXPECT_EQ(replies[0].colour.R, 1.0F);
  const auto refused = nlohmann::json::parse(replies[0].text);
  EXPECT_EQ(refused["ok"], false);
  EXPECT_EQ(refused["place"], nlohmann::json::parse(R"(["WipeTimestamp"])"));
  EXPECT_FALSE(refused["error"].get<std::string>().empty());
  EXPECT_FALSE(refused["hint"].is_null());
  EXPECT_FALSE(refused.contains("warnings"));
  EXPECT_EQ(rcon_reload(4).text, rcon_reload(5, "Quellwarden.reload please").text);
  remove_config();
  EXPECT_TRUE(
      nlohmann::json::parse(rcon_reload(6, "Quellwarden.reload json").text)["place"].is_null())
      << "no member to point at";
}

TEST_F(reload_test, messenger_lookup_receives_the_full_path_of_the_plugins_own_file) {
  console(admin_);
  EXPECT_THAT(standin::messenger_lookups(), ElementsAre(qw_test::built_plugin_path()));
  const std::filesystem::path lookup(standin::messenger_lookups().at(0));
  EXPECT_EQ(lookup, std::filesystem::path(lookup).make_preferred()) << "in the system's own form";
}

TEST_F(reload_test, no_player_or_no_messenger_sends_nothing_and_fails_nothing) {
  EXPECT_TRUE(console(nullptr).empty());
  standin::set_messenger_available(false);
  EXPECT_TRUE(console(admin_).empty());
  write_config(R"({"WipeTimestamp": null})");
  EXPECT_TRUE(console(nullptr).empty());
  EXPECT_THAT(
      log_messages(),
      ::testing::Contains("[json.exception.type_error.302] type must be number, but is null"));
}

struct BrokenFile {
  const char* name;
  const char* text;  // nullptr: no file at all; kFolder: a folder in its place
  const char* reply_start;
  const char* hint_start;  // the second error line; nullptr: none
};

constexpr const char* kFolder = "(a folder)";

// Named, so that the test's output (and valgrind) never reads the record's padding bytes.
void PrintTo(const BrokenFile& broken, std::ostream* out) { *out << broken.name; }

class reload_failure_test : public reload_test, public ::testing::WithParamInterface<BrokenFile> {
 protected:
  void SetUp() override {
    reload_test::SetUp();
    // Listeners stay for the whole process; this one outlives the test harmlessly.
    standin::on_message([marks = std::weak_ptr(lines_at_replies_),
                         sink = std::weak_ptr(sink_)](const standin::SentMessage&) {
      const auto held_marks = marks.lock();
      const auto held_sink = sink.lock();
      if (held_marks && held_sink) {
        held_marks->push_back(held_sink->lines().size());
      }
    });
  }

  // How many log lines were written when each console reply went out.
  std::shared_ptr<std::vector<std::size_t>> lines_at_replies_ =
      std::make_shared<std::vector<std::size_t>>();
};

TEST_P(reload_failure_test, answers_failure_and_changes_nothing) {
  const BrokenFile& broken = GetParam();
  if (broken.text == nullptr || broken.text == kFolder) {
    remove_config();
    if (broken.text == kFolder) std::filesystem::create_directory(config_folder() / "config.json");
  } else {
    write_config(broken.text);
  }
  const auto replies = console(admin_);
  ASSERT_EQ(replies.size(), 2U);
  EXPECT_EQ(replies[0].text, "Quellwarden: Failed to reload config");
  for (const auto& line : replies) {
    EXPECT_EQ(line.colour.R, 1.0F);
    EXPECT_EQ(line.colour.G, 0.0F);
  }
  const auto logged = log_lines();
  ASSERT_EQ(logged.size(), broken.hint_start == nullptr ? 1U : 2U) << "the error, then its hint";
  EXPECT_EQ(logged[0].level, spdlog::level::err);
  EXPECT_THAT(logged[0].message, StartsWith(broken.reply_start));
  if (broken.hint_start != nullptr) {
    EXPECT_EQ(logged[1].level, spdlog::level::err);
    EXPECT_THAT(logged[1].message, StartsWith(broken.hint_start));
    EXPECT_EQ(replies[1].text, logged[0].message + " (" + logged[1].message + ")");
  } else {
    EXPECT_EQ(replies[1].text, logged[0].message);
  }
  EXPECT_THAT(*lines_at_replies_, ElementsAre(0U, 0U)) << "the reply first, then the lines";

  sink_->forget();
  const standin::RconReply reply = rcon_reload(-7);
  EXPECT_EQ(reply.id, -7);
  EXPECT_EQ(reply.type, 0);
  EXPECT_EQ(reply.text, logged[0].message) << "the reply as ever, without the hint";
  EXPECT_EQ(log_lines().size(), logged.size());
  expect_good_config_in_force();
}

INSTANTIATE_TEST_SUITE_P(
    failure_table, reload_failure_test,
    ::testing::Values(
        BrokenFile{"missing_file", nullptr, "Config failed to open", "tried to open "},
        BrokenFile{"folder", kFolder, "Config failed to open", "tried to open "},
        BrokenFile{"empty_file", "", "Config has parsing ERROR! [json.exception.parse_error.101]",
                   "the file is empty"},
        BrokenFile{"missing_comma", "{\"WipeTimestamp\": 1\n\"DinoSettings\": {}}",
                   "Config has parsing ERROR! ",
                   "line 2: a comma is missing after the value that ends on line 1"},
        BrokenFile{"top_level_array", "[1, 2]",
                   "[json.exception.type_error.306] cannot use value() with array",
                   "the file's top level is an array"},
        BrokenFile{"dino_settings_null", R"({"DinoSettings": null})",
                   "[json.exception.type_error.306] cannot use value() with null",
                   "DinoSettings is null; write an object"},
        BrokenFile{
            "wipe_string", R"({"WipeTimestamp": "yesterday"})",
            "\"WipeTimestamp\" is \"yesterday\", which is not a date the plugin reads; write",
            nullptr},
        BrokenFile{
            "wipe_zone_name", R"({"WipeTimestamp": "2026-12-11 19:00 CET"})",
            "\"WipeTimestamp\" is \"2026-12-11 19:00 CET\", which ends in a zone name; write",
            "zone names are not read; CET is +01:00: write \"2026-12-11T19:00:00+01:00\""},
        BrokenFile{"class_name_nul",
                   R"({"DinoSettings": {"DisallowRiding": {"Rex_Character_BP_C\u0000x": {}}}})",
                   "class name \"Rex_Character_BP_C\\u0000x\" in \"DisallowRiding\" holds a NUL",
                   nullptr},
        BrokenFile{"item_not_object",
                   R"({"DinoSettings": {"DisallowTaming": {"A": {"HoursToDelay": 1}, "B": 5}}})",
                   "[json.exception.type_error.306] cannot use value() with number",
                   "DinoSettings > DisallowTaming > B is the number 5; write"},
        BrokenFile{"hours_string",
                   R"({"DinoSettings": {"DisallowRiding": {"A": {"HoursToDelay": 1}},
                       "DisallowTaming": {"A": {"HoursToDelay": 1}, "B": {"HoursToDelay": "2"}}}})",
                   "[json.exception.type_error.302] type must be number, but is string",
                   "DinoSettings > DisallowTaming > B > HoursToDelay is the string \"2\"; write a "
                   "number of hours"},
        BrokenFile{"hours_overflow",
                   R"({"DinoSettings": {"DisallowTaming": {"Rex": {"HoursToDelay": 1e300}}}})",
                   "\"HoursToDelay\" of class \"Rex\" in \"DisallowTaming\"", nullptr}),
    [](const ::testing::TestParamInfo<BrokenFile>& file) { return file.param.name; });

TEST_F(reload_test, unreadable_working_directory_is_reported_and_changes_nothing) {
  const std::filesystem::path doomed = directory_ / "doomed";
  std::filesystem::create_directory(doomed);
  std::filesystem::current_path(doomed);
  std::error_code error;
  std::filesystem::remove(doomed, error);
  static_cast<void>(std::filesystem::current_path(error));
  if (!error) {
    std::filesystem::current_path(directory_);
    GTEST_SKIP() << "this system keeps the working directory readable";
  }
  EXPECT_EQ(console(admin_)[0].text, "Quellwarden: Failed to reload config");
  EXPECT_THAT(log_messages().back(), ::testing::HasSubstr("current_path()"));
  std::filesystem::current_path(directory_);
  expect_good_config_in_force();
}

TEST_F(reload_test, braces_in_an_exception_text_are_logged_as_they_stand) {
  write_config(R"({"DinoSettings": {"DisallowTaming": {"{}{": {"HoursToDelay": 1e300}}}})");
  rcon_reload();
  ASSERT_EQ(log_lines().size(), 1U);
  EXPECT_THAT(log_lines()[0].message, ::testing::HasSubstr("\"{}{\""));
}

}  // namespace
