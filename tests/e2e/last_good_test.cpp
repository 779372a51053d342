// The last good configuration: every load that applies keeps a copy of its file, and a restart
// with a refused config.json applies that copy instead of holding back nothing.
#include <nlohmann/json.hpp>

#include "tests/support/config_text.h"
#include "tests/support/gate_outcome.h"
#include "tests/support/plugin_fixture.h"
#include "version.h"

namespace {

using qw_test::tames;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr std::int64_t kWipe = 1767895200;  // 2026-01-08 18:00:00 UTC
const std::string kCopyText = "ArkApi/Plugins/Quellwarden/config.lastgood.json";
// A byte order mark and CR LF line ends: the copy keeps the bytes, not a re-written file.
const std::string kFirst =
    "\xEF\xBB\xBF{\"WipeTimestamp\": 1767895200,\r\n  \"DinoSettings\": {\"DisallowTaming\": "
    "{\"Rex_Character_BP_C\": {\"HoursToDelay\": 24}}}}\r\n";
const std::string kSecond = qw_test::config_text({}, {{"Rex_Character_BP_C", 48}}, kWipe);
const std::string kNoJson = R"({"WipeTimestamp": 1767895200 "DinoSettings": {}})";

class last_good_test : public qw_test::PluginTest {
 protected:
  std::filesystem::path copy_path() const { return config_folder() / "config.lastgood.json"; }
  std::string read(const std::filesystem::path& file) const {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // The status as bots read it, asked on the console.
  nlohmann::json status_json() {
    return nlohmann::json::parse(
        console(standin::player("admin"), "Quellwarden.status json").at(0).text);
  }
  std::vector<std::string> status_lines() {
    std::vector<std::string> lines;
    for (const auto& message : console(standin::player("admin"), "Quellwarden.status")) {
      lines.push_back(message.text);
    }
    return lines;
  }

  // A server that applied kFirst at the wipe and kSecond an hour later, then stopped.
  void run_until_stopped() {
    standin::freeze_clock(kWipe);
    write_config(kFirst);
    load();
    EXPECT_EQ(read(copy_path()), kFirst);
    standin::freeze_clock(kWipe + 3600);
    write_config(kSecond);
    EXPECT_EQ(console(nullptr).size(), 0U);
    EXPECT_EQ(read(copy_path()), kSecond) << "the copy is replaced";
    unload();
    sink_->forget();
  }
};

TEST_F(last_good_test, a_refused_file_at_restart_applies_the_last_good_copy_and_says_so) {
  run_until_stopped();
  write_config(kNoJson);
  standin::freeze_clock(kWipe + 7200);
  load();

  const std::string applied = "applied the last good configuration from " + kCopyText +
                              ", written 2026-01-08 19:00:00 UTC, instead: config.json was refused";
  EXPECT_THAT(log_messages(spdlog::level::warn), ElementsAre(applied));
  const auto errors = log_messages(spdlog::level::err);
  ASSERT_FALSE(errors.empty());
  EXPECT_THAT(errors[0], StartsWith("Config has parsing ERROR! "));
  EXPECT_FALSE(tames("Rex_Character_BP_C")) << "held back for the copy's 48 hours";
  standin::freeze_clock(kWipe + 47 * 3600);
  EXPECT_FALSE(tames("Rex_Character_BP_C"));
  standin::freeze_clock(kWipe + 7200);

  EXPECT_EQ(status_lines().at(2), "last load at 2026-01-08 20:00:00 UTC " + applied + ": " +
                                      errors[0] +
                                      (errors.size() > 1 ? " (" + errors[1] + ")" : ""));
  const nlohmann::json last_load = status_json()["last_load"];
  EXPECT_EQ(last_load["ok"], false);
  EXPECT_EQ(last_load["fallback"], true);
  EXPECT_EQ(last_load["fallback_written"], kWipe + 3600);
  EXPECT_EQ(last_load["error"], errors[0]);
  EXPECT_EQ(read(config_folder() / "config.json"), kNoJson) << "config.json untouched";
  EXPECT_EQ(read(copy_path()), kSecond) << "a copy that applied is not written again";
}

// An admin who removed the file meant it; and a reload keeps its rule that a failure changes
// nothing, even with nothing in force.
TEST_F(last_good_test, a_missing_file_or_a_failed_reload_never_falls_back) {
  run_until_stopped();
  remove_config();
  load();
  EXPECT_TRUE(status_json()["wipe_timestamp"].is_null());
  write_config(kNoJson);
  EXPECT_EQ(console(standin::player("admin")).at(0).text, "Quellwarden: Failed to reload config");
  const nlohmann::json status = status_json();
  EXPECT_TRUE(status["wipe_timestamp"].is_null());
  EXPECT_EQ(status["last_load"]["fallback"], false);
}

TEST_F(last_good_test, a_copy_refused_too_holds_back_nothing_and_says_so) {
  standin::freeze_clock(kWipe);
  write_config(kNoJson);
  std::ofstream(copy_path(), std::ios::binary) << "[]";
  std::filesystem::last_write_time(copy_path(), std::filesystem::file_time_type::clock::now());
  load();
  EXPECT_THAT(log_messages(spdlog::level::err),
              Contains(StartsWith("the last good configuration from " + kCopyText + ", written ")));
  EXPECT_THAT(log_messages(spdlog::level::err),
              Contains("[json.exception.type_error.306] cannot use value() with array"));
  EXPECT_TRUE(status_json()["wipe_timestamp"].is_null());
}

TEST_F(last_good_test, a_copy_that_cannot_be_written_is_one_warning_and_nothing_else) {
  std::filesystem::create_directory(copy_path());  // no file can replace a folder
  standin::freeze_clock(kWipe);
  write_config(kSecond);
  load();
  EXPECT_FALSE(tames("Rex_Character_BP_C"));
  EXPECT_THAT(log_messages(spdlog::level::warn),
              ElementsAre(StartsWith("could not keep a copy of the applied configuration in ")));
  EXPECT_THAT(log_messages(spdlog::level::warn)[0], HasSubstr("config.lastgood.json: "));
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(config_folder())) {
    left.push_back(entry.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  EXPECT_THAT(left, ElementsAre("config.json", "config.lastgood.json")) << "no temporary file";
  EXPECT_EQ(read(config_folder() / "config.json"), kSecond);
}

TEST_F(last_good_test, a_start_applies_what_reads_and_holds_back_each_wrong_entry_until_fixed) {
  run_until_stopped();  // a copy holding Rex back for 48 hours stays unused
  write_config(R"({"WipeTimestamp": 1767895200, "DinoSettings": {"DisallowTaming": {
      "Rex_Character_BP_C": {"HoursToDelay": 24},
      "Gigant_Character_BP_C": {"HoursToDelay": "72"}}}})");
  standin::freeze_clock(kWipe + 7200);
  load();

  const std::string held =
      "Gigant_Character_BP_C in DisallowTaming: held back until config.json is fixed: HoursToDelay "
      "is the string \"72\"; write a number of hours";
  EXPECT_THAT(
      log_messages(spdlog::level::err),
      ElementsAre("[json.exception.type_error.302] type must be number, but is string",
                  StartsWith("DinoSettings > DisallowTaming > Gigant_Character_BP_C"), held));
  EXPECT_FALSE(tames("Rex_Character_BP_C"));
  standin::freeze_clock(kWipe + 25 * 3600);
  EXPECT_TRUE(tames("Rex_Character_BP_C")) << "the file's 24 hours, not the copy's 48";
  standin::freeze_clock(kWipe + 10000 * 3600);
  EXPECT_FALSE(tames("Gigant_Character_BP_C")) << "held back until a good file is loaded";

  const auto lines = status_lines();
  EXPECT_EQ(lines.at(1),
            "config.json was refused at start: what reads of it applies, and 1 entry is held back "
            "until config.json is fixed");
  EXPECT_THAT(lines, Contains("taming Gigant_Character_BP_C: held back until config.json is fixed: "
                              "HoursToDelay is the string \"72\"; write a number of hours"));
  const nlohmann::json status = status_json();
  EXPECT_EQ(status["taming"].at(1)["hours"], 0) << "its hours did not read; the unlock never comes";
  const nlohmann::json last_load = status["last_load"];
  EXPECT_EQ(last_load["salvaged"], true);
  EXPECT_EQ(
      last_load["held_until_fixed"],
      nlohmann::json::parse(R"([{"list": "DisallowTaming", "class": "Gigant_Character_BP_C"}])"));

  // A reload of the same file changes nothing; the fixed file applies.
  EXPECT_EQ(console(standin::player("admin")).at(0).text, "Quellwarden: Failed to reload config");
  EXPECT_FALSE(tames("Gigant_Character_BP_C"));
  write_config(kSecond);
  EXPECT_EQ(console(standin::player("admin")).at(0).text, "Quellwarden : Reloaded config");
  EXPECT_TRUE(tames("Gigant_Character_BP_C"));
  EXPECT_EQ(status_lines().at(1), "player notices: off");
}

TEST_F(last_good_test, a_copy_from_an_earlier_wipe_is_not_applied_and_both_say_so) {
  run_until_stopped();
  write_config(kNoJson);
  standin::freeze_clock(kWipe + 49 * 3600);  // the copy's every unlock is past
  load();
  const std::string not_applied = "the last good configuration from " + kCopyText +
                                  ", written 2026-01-08 19:00:00 UTC, is from an earlier wipe "
                                  "(every unlock is past): not applied";
  EXPECT_THAT(log_messages(spdlog::level::warn), ElementsAre(not_applied));
  const auto lines = status_lines();
  EXPECT_EQ(lines.at(0),
            "Quellwarden " + std::string(quellwarden::kVersion) +
                ": no configuration in force; nothing is held back because config.json was "
                "refused");
  EXPECT_EQ(lines.at(1), not_applied);
  const auto json = status_json();
  EXPECT_TRUE(json["wipe_timestamp"].is_null());
  EXPECT_EQ(json["last_load"]["earlier_copy_written"], kWipe + 3600);
  EXPECT_FALSE(json["last_load"].contains("salvaged")) << "what did not happen is left out";
}

}  // namespace
