// The quellwarden-check program run as an administrator runs it: files in a scratch directory,
// then its output and exit status.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/check/checker_process.h"
#include "tests/support/built_files.h"
#include "tests/support/scratch_folder.h"
#include "version.h"

namespace qw_test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;

// Classes of a mod, marked as such: the game's list holds none of them.
constexpr char kExample[] = R"({"WipeTimestamp": 1700000000, "DinoSettings": {
  "DisallowRiding": {"A_C": {"HoursToDelay": 48, "ModClass": true}},
  "DisallowTaming": {"A_C": {"HoursToDelay": 24, "ModClass": true},
                     "B_C": {"HoursToDelay": 72, "ModClass": true}}}})";

class CheckProgramFixture : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const std::string& text) {
    const std::filesystem::path path = (directory_ / name).make_preferred();
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
    return utf8(path);
  }
  // In UTC unless `zone` says otherwise, whatever zone the machine running the tests is in.
  CheckerRun run(const std::vector<std::string>& arguments, const std::string& zone = "UTC") {
    CheckerRun result = run_checker(arguments, directory_, {"TZ=" + zone});
    EXPECT_TRUE(result.system_line_ends) << result.out << result.err;
    return result;
  }
  // Checks `text` as a file with --json and returns the parsed report; exit status as expected.
  nlohmann::json json_of(const std::string& text, int expected_status,
                         const std::string& now = "1700003600") {
    const CheckerRun result = run({write("config.json", text), "--json", "--now", now});
    EXPECT_EQ(result.exit_status, expected_status) << result.out << result.err;
    EXPECT_EQ(result.err, "");
    return nlohmann::json::parse(result.out);
  }

  ScratchFolder scratch_{"check"};
  std::filesystem::path directory_ = scratch_.server();
};

using check_program_test = CheckProgramFixture;

std::vector<std::string> texts_of(const nlohmann::json& warnings) {
  std::vector<std::string> texts;
  for (const auto& warning : warnings) texts.push_back(warning["text"].get<std::string>());
  return texts;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

TEST_F(check_program_test, example_report_shows_times_timeline_and_verdict) {
  write("ArkApi/Plugins/Quellwarden/config.json", kExample);
  const CheckerRun result = run({"--now", "1700003600"});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_THAT(
      lines_of(result.out),
      ElementsAre(
          "Configuration  ArkApi/Plugins/Quellwarden/config.json",
          "Wipe           2023-11-14 22:13:20 UTC (1700000000), 1h ago",
          "Now            2023-11-14 23:13:20 UTC (1700003600)", "",
          "Unlock times, soonest first (taming also holds back imprinting):",
          "  taming  A_C  24h  2023-11-15 22:13:20 UTC  locked, 23h 0m left  (mod class)",
          "  riding  A_C  48h  2023-11-16 22:13:20 UTC  locked, 1d 23h 0m left  (mod class)",
          "  taming  B_C  72h  2023-11-17 22:13:20 UTC  locked, 2d 23h 0m left  (mod class)", "",
          "Timeline from the wipe to the last unlock, one column = 1h 30m (# locked, | now):",
          "  taming  A_C  |###############", "  riding  A_C  |###############################",
          "  taming  B_C  |###############################################",
          "               +-------+-------+-------+-------+-------+-------+",
          "               wipe    +12h    +1d     +36h    +2d     +60h    +3d", "", "No warnings.",
          "", "Result: the plugin would load this file."));
}

TEST_F(check_program_test, example_as_json_in_documented_shape) {
  const CheckerRun result = run({write("config.json", kExample), "--json", "--now", "1700086400"});
  EXPECT_EQ(result.exit_status, 0);
  const auto report = nlohmann::ordered_json::parse(result.out);
  std::vector<std::string> keys;
  for (const auto& item : report.items()) keys.push_back(item.key());
  EXPECT_THAT(keys, ElementsAre("now", "wipe_timestamp", "riding", "taming", "player_notices",
                                "announcements", "warnings", "errors", "hints"));
  EXPECT_EQ(report, nlohmann::ordered_json::parse(R"({"now": 1700086400,
      "wipe_timestamp": 1700000000,
      "riding": [{"class": "A_C", "hours": 48, "unlock": 1700172800, "locked": true,
                  "seconds_left": 86400, "in_game_list": false}],
      "taming": [{"class": "A_C", "hours": 24, "unlock": 1700086400, "locked": false,
                  "seconds_left": 0, "in_game_list": false},
                 {"class": "B_C", "hours": 72, "unlock": 1700259200, "locked": true,
                  "seconds_left": 172800, "in_game_list": false}],
      "player_notices": null, "announcements": null, "warnings": [], "errors": [], "hints": []})"));
}

TEST_F(check_program_test, now_decides_locked_or_released_at_the_unlock_second) {
  const std::string path = write("config.json", kExample);
  const CheckerRun before = run({path, "--now", "1700172799"});
  EXPECT_THAT(before.out, HasSubstr("  riding  A_C  48h  2023-11-16 22:13:20 UTC  locked, 1s left  "
                                    "(mod class)\n"));
  EXPECT_THAT(before.out,
              HasSubstr("  taming  A_C  24h  2023-11-15 22:13:20 UTC  released  (mod class)\n"));
  const CheckerRun at = run({path, "--now=1700172800"});
  EXPECT_THAT(at.out,
              HasSubstr("  riding  A_C  48h  2023-11-16 22:13:20 UTC  released  (mod class)\n"));
  EXPECT_THAT(at.out, HasSubstr("  taming  B_C  72h  2023-11-17 22:13:20 UTC  locked, 1d 0h 0m "
                                "left  (mod class)\n"));
  EXPECT_EQ(at.exit_status, 0);
}

TEST_F(check_program_test, warnings_keep_exit_zero_and_lists_show_what_the_plugin_ends_with) {
  const nlohmann::json report = json_of(R"({"WipeTimestamp": 1700000000, "DinoSetting": {},
      "DinoSettings": {"DisallowRiding": [{"HoursToDelay": 1}],
        "DisallowTaming": {"Rex_C": {"HoursToDelay": 2, "ModClass": true},
                           "rex_C": {"HoursToDelay": 3, "Hours": 4, "ModClass": true},
                           "Giga_C": {"HoursToDelay": -1.5, "ModClass": true}}}})",
                                        0);
  EXPECT_EQ(report["riding"],
            nlohmann::json::parse(R"([{"class": "0", "hours": 1, "unlock": 1700003600,
                                           "locked": false, "seconds_left": 0,
                                           "in_game_list": false}])"));
  EXPECT_EQ(report["taming"], nlohmann::json::parse(R"([
      {"class": "Giga_C", "hours": -1, "unlock": 1699996400, "locked": false, "seconds_left": 0,
       "in_game_list": false},
      {"class": "rex_C", "hours": 3, "unlock": 1700010800, "locked": true, "seconds_left": 7200,
       "in_game_list": false}])"));
  EXPECT_EQ(report["errors"], nlohmann::json::array());
  EXPECT_THAT(texts_of(report["warnings"]),
              ElementsAre(StartsWith("unknown member \"DinoSetting\" at the top level"),
                          StartsWith("\"DisallowRiding\" is an array"),
                          StartsWith("class names \"Rex_C\" and \"rex_C\" in \"DisallowTaming\""),
                          StartsWith("\"HoursToDelay\" of class \"Giga_C\" in \"DisallowTaming\" "
                                     "is -1.5, not a whole number"),
                          StartsWith("\"HoursToDelay\" of class \"Giga_C\" in \"DisallowTaming\" "
                                     "is -1.5, negative"),
                          "unknown member \"Hours\" of class \"rex_C\" in \"DisallowTaming\" is "
                          "ignored by the plugin; did you mean \"HoursToDelay\"?"));
  EXPECT_EQ(report["warnings"][0]["code"], "unknown_member");
  EXPECT_EQ(report["warnings"][0]["path"], nlohmann::json::array({"DinoSetting"}));
}

TEST_F(check_program_test, wipe_time_is_judged_against_now) {
  const std::string file = R"({"WipeTimestamp": 1700000000})";
  EXPECT_THAT(json_of(file, 0, "1700000000")["warnings"], IsEmpty());
  EXPECT_THAT(json_of(file, 0, "1699999999")["warnings"][0]["text"].get<std::string>(),
              HasSubstr("is in the future, in 1s"));
  EXPECT_THAT(json_of(file, 0, "1731536001")["warnings"][0]["text"].get<std::string>(),
              HasSubstr("is more than a year before now, 365d ago"));
  EXPECT_THAT(json_of("{}", 0)["warnings"][0]["text"].get<std::string>(),
              StartsWith("\"WipeTimestamp\" is missing"));
}

TEST_F(check_program_test, strict_fails_a_file_that_loads_with_warnings) {
  const auto status = [this](const std::string& text) {
    return run({write("config.json", text), "--strict", "--now", "1700003600"}).exit_status;
  };
  EXPECT_EQ(status(kExample), 0);
  EXPECT_EQ(status(R"({"WipeTimestamp": 1700000000, "DinoSettings": {
      "DisallowTaming": {"Giganotosaurus_Character_BP_C": {"HoursToDelay": 72}}}})"),
            3);
  EXPECT_EQ(status(R"({"WipeTimestamp": 1700000000, "Wipe": 1})"), 3);
  EXPECT_EQ(status(R"({"WipeTimestamp": "1700000000", "Wipe": 1})"), 1);
}

// Besides the plugin's own text, a hint names the place or the likely cause where one is known.
TEST_F(check_program_test, refused_file_exits_one_with_the_plugins_own_text) {
  struct Refused {
    std::string text;
    std::string error;
    std::vector<std::string> hints;
  };
  const std::vector<Refused> cases{
      {"{\"WipeTimestamp\": 1700000000\n\"DinoSettings\": {}}",
       "Config has parsing ERROR! [json.exception.parse_error.101] parse error at line 2, column "
       "14: syntax error while parsing object - unexpected string literal; expected '}'",
       {"line 2: a comma is missing after the value that ends on line 1"}},
      {"",
       "Config has parsing ERROR! [json.exception.parse_error.101] parse error at line 1, "
       "column 1: syntax error while parsing value - unexpected end of input; expected '[', "
       "'{', or a literal",
       {"the file is empty; write one object, {\"WipeTimestamp\": ..., \"DinoSettings\": "
        "{...}}"}},
      {R"({"WipeTimestamp": "1700000000"})",
       "\"WipeTimestamp\" is \"1700000000\", which is a number in quotes; write Unix seconds as a "
       "number, without quotes, or a date as \"2026-01-08T18:00:00Z\", \"2026-01-08 18:00:00 UTC\" "
       "or \"2026-01-08T20:00:00+02:00\"",
       {}},
      {R"([{"WipeTimestamp": 1}])",
       "[json.exception.type_error.306] cannot use value() with array",
       {"the file's top level is an array; remove the [ ] around the object"}},
      {R"({"DinoSettings": {"DisallowTaming": {"Rex": {"HoursToDelay": 1e300}}}})",
       "\"HoursToDelay\" of class \"Rex\" in \"DisallowTaming\" is 1e+300, which does not fit a "
       "signed 64-bit number",
       {}}};
  for (const auto& [text, error, hints] : cases) {
    const nlohmann::json report = json_of(text, 1);
    EXPECT_EQ(report["errors"], nlohmann::json::array({error})) << text;
    EXPECT_EQ(report["hints"], nlohmann::json(hints)) << text;
    EXPECT_EQ(report["wipe_timestamp"], nullptr) << text;
    EXPECT_EQ(report["riding"], nlohmann::json::array()) << text;
    const CheckerRun plain = run({write("config.json", text)});
    EXPECT_EQ(plain.exit_status, 1) << text;
    std::string reported = "\n  " + error + "\n";
    for (const std::string& hint : hints) reported += "Hint: " + hint + "\n";
    EXPECT_THAT(plain.out, HasSubstr(reported)) << text;
    EXPECT_THAT(plain.out, HasSubstr("\nResult: the plugin would NOT load this file.\n")) << text;
    // Only a file refused for its entries alone leaves a start something to apply.
    EXPECT_THAT(plain.out, HasSubstr(text.find("1e300") != std::string::npos
                                         ? "(at server start, what reads of it, each wrong entry "
                                           "held back until the file is fixed)"
                                         : "(at server start, the last good copy if it still "
                                           "holds something back, else none)"))
        << text;
  }
}

TEST_F(check_program_test, unreadable_file_or_wrong_arguments_exit_two) {
  const CheckerRun missing = run({});
  EXPECT_EQ(missing.exit_status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_THAT(missing.err, StartsWith("quellwarden-check: cannot read "
                                      "\"ArkApi/Plugins/Quellwarden/config.json\": No such file"));
  const CheckerRun directory = run({utf8(directory_), "--json"});
  EXPECT_EQ(directory.exit_status, 2);
  EXPECT_THAT(directory.err,
              HasSubstr(": is a directory without ArkApi/Plugins/Quellwarden/config.json or "
                        "config.json in it\n"));
  EXPECT_EQ(nlohmann::json::parse(directory.out)["errors"],
            nlohmann::json::array({"Config failed to open"}));
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"--now"}, {"--now", "soon"}, {"--wipe"}, {"--wipe=friday"}, {"a", "b"}, {"-x"}}) {
    const CheckerRun wrong = run(arguments);
    EXPECT_EQ(wrong.exit_status, 2) << arguments[0];
    EXPECT_EQ(wrong.out, "") << arguments[0];
    EXPECT_THAT(wrong.err,
                HasSubstr("\nusage: quellwarden-check [CONFIG] [--wipe DATE] [--now TIME|wipe] "
                          "[--json] [--strict]\n"));
  }
  const CheckerRun help = run({"--help"});
  EXPECT_EQ(help.exit_status, 0);
  EXPECT_THAT(help.out, StartsWith("usage: quellwarden-check"));
}

TEST_F(check_program_test, classes_lists_the_games_classes_without_a_file) {
  const CheckerRun listed = run({"--classes", "reaper queen"});
  EXPECT_EQ(listed.exit_status, 0);
  EXPECT_EQ(listed.out, "Xenomorph_Character_BP_Female_C  Reaper Queen\n");
}

TEST_F(check_program_test, server_folder_stands_for_its_file_and_now_may_be_a_date) {
  const std::string file = write("server/ArkApi/Plugins/Quellwarden/config.json", kExample);
  const CheckerRun result =
      run({utf8(directory_ / "server"), "--now", "2023-11-15T00:13:20+01:00"});
  EXPECT_EQ(result.exit_status, 0) << result.err;
  const std::vector<std::string> lines = lines_of(result.out);
  ASSERT_GE(lines.size(), 3u) << result.out;
  EXPECT_EQ(lines[0], "Configuration  " + file);
  EXPECT_EQ(lines[2], "Now            2023-11-14 23:13:20 UTC (1700003600)");
  const CheckerRun version = run({"--version"});
  EXPECT_EQ(version.exit_status, 0);
  EXPECT_EQ(version.out, "quellwarden-check " + std::string(quellwarden::kVersion) + "\n");
}

// Outside UTC the wipe and each unlock are shown in local time too, and a written offset that is
// not the local one at that date is warned about; in UTC neither.
TEST_F(check_program_test, local_time_and_a_foreign_offset_outside_utc) {
  const std::string file = write("config.json", R"({"WipeTimestamp": "2026-12-10T18:00:00+02:00",
      "DinoSettings": {"DisallowTaming": {"Rex_Character_BP_C": {"HoursToDelay": 24}}}})");
  const std::string berlin = "CET-1CEST,M3.5.0,M10.5.0/3";
  const CheckerRun local = run({file, "--now", "wipe"}, berlin);
  EXPECT_EQ(local.exit_status, 0) << local.err;
  EXPECT_THAT(local.out, HasSubstr("\nWipe           2026-12-10 16:00:00 UTC (1796918400), now\n"
                                   "               2026-12-10 17:00:00 +01:00 here\n"));
  EXPECT_THAT(local.out, HasSubstr("  taming  Rex_Character_BP_C  24h  2026-12-11 16:00:00 UTC  "
                                   "2026-12-11 17:00:00 +01:00  locked, 1d 0h 0m left\n"));
  EXPECT_THAT(
      local.out,
      HasSubstr("  - \"WipeTimestamp\" \"2026-12-10T18:00:00+02:00\" has the offset +02:00, "
                "but this machine's zone is +01:00 at that date, so the wipe falls at "
                "2026-12-10 17:00:00 +01:00 here; if the time is meant as this machine's "
                "local time, write +01:00\n"));
  const CheckerRun utc = run({file, "--now", "wipe", "--strict"});
  EXPECT_EQ(utc.exit_status, 0) << utc.out;
  EXPECT_THAT(utc.out, Not(HasSubstr(" here\n")));
  write("config.json", R"({"WipeTimestamp": "2026-12-10T18:00:00+01:00"})");
  EXPECT_EQ(run({file, "--now", "wipe", "--strict"}, berlin).exit_status, 0);
}

// A date without zone is suggested back with this machine's offset at that date, summer or not.
TEST_F(check_program_test, date_without_zone_suggests_the_local_offset_of_its_date) {
  const std::string berlin = "CET-1CEST,M3.5.0,M10.5.0/3";
  const std::vector<std::vector<std::string>> cases{
      {"2026-12-11 19:00", berlin, "\"2026-12-11T19:00:00+01:00\" if 19:00 is"},
      {"2026-07-10T19:00:30", berlin, "\"2026-07-10T19:00:30+02:00\" if 19:00:30 is"},
      {"2026-12-11 19:00", "EST5EDT,M3.2.0,M11.1.0", "\"2026-12-11T19:00:00-05:00\" if 19:00 is"}};
  for (const auto& case_ : cases) {
    const std::string file = write("config.json", R"({"WipeTimestamp": ")" + case_[0] + "\"}");
    const CheckerRun result = run({file, "--json"}, case_[1]);
    EXPECT_EQ(result.exit_status, 1) << case_[0];
    EXPECT_EQ(nlohmann::json::parse(result.out)["hints"],
              nlohmann::json::array({"write " + case_[2] + " this machine's time"}));
  }
  EXPECT_THAT(run({"--wipe", "2026-12-11 19:00"}, berlin).err,
              HasSubstr("\"2026-12-11 19:00\" has no zone, so it could be any of the world's "
                        "local times; write \"2026-12-11T19:00:00+01:00\" if 19:00 is this "
                        "machine's time\n"));
}

// --wipe names the wipe meant: a file for another fails, one for it is judged as on that night.
TEST_F(check_program_test, wipe_option_holds_the_file_to_the_wipe_meant) {
  const std::string berlin = "CET-1CEST,M3.5.0,M10.5.0/3";
  const std::string file = write("config.json", R"({"WipeTimestamp": "2026-12-11T19:00:00+01:00",
      "DinoSettings": {"DisallowTaming": {"Rex_Character_BP_C": {"HoursToDelay": 24}}}})");
  // The option's offset is no concern of the zone check: only the file's is.
  const CheckerRun meant = run({file, "--wipe", "2026-12-11T20:00:00+02:00", "--strict"}, berlin);
  EXPECT_EQ(meant.exit_status, 0) << meant.out;
  EXPECT_THAT(meant.out, HasSubstr("\nNow            2026-12-11 18:00:00 UTC (1797012000)\n"));
  EXPECT_EQ(run({file, "--wipe=1797012000", "--now", "1796000000", "--strict"}).exit_status, 0);

  const CheckerRun other = run({file, "--wipe", "1765562400"});
  EXPECT_EQ(other.exit_status, 1);
  EXPECT_THAT(other.out, HasSubstr("\nWrong file for this wipe: the file's wipe is 2026-12-11 "
                                   "18:00:00 UTC (1797012000), not the wipe given with --wipe, "
                                   "2025-12-12 18:00:00 UTC (1765562400)\n\nNo warnings.\n"));
  const nlohmann::json report =
      nlohmann::json::parse(run({file, "--wipe", "1765562400", "--json"}).out);
  EXPECT_THAT(report["wrong_wipe"].get<std::string>(), StartsWith("the file's wipe is "));
}

// Judged at its own wipe, a file is still held to the real clock: last season's fails --strict.
TEST_F(check_program_test, now_wipe_warns_of_a_wipe_long_past_and_of_milliseconds) {
  const auto strict_at_wipe = [this](const std::string& wipe) {
    const CheckerRun result = run({write("config.json", R"({"WipeTimestamp": )" + wipe + "}"),
                                   "--now", "wipe", "--strict", "--json"});
    return std::pair(result.exit_status, nlohmann::json::parse(result.out)["warnings"]);
  };
  EXPECT_EQ(strict_at_wipe("1700000000").second[0]["code"], "stale_wipe");
  EXPECT_EQ(strict_at_wipe("4102444800").first, 0);  // 2100
  const auto [status, warnings] = strict_at_wipe("1797012000000");
  EXPECT_EQ(status, 3);
  EXPECT_THAT(
      texts_of(warnings),
      ElementsAre("\"WipeTimestamp\" 1797012000000 looks like milliseconds; write 1797012000"));
}

TEST_F(check_program_test, hostile_files_end_in_a_verdict_not_a_crash) {
  const std::string deep_open(1000000, '[');
  const std::string deep_close(1000000, ']');
  EXPECT_EQ(json_of(R"({"DinoSettings": {"X": )" + deep_open + deep_close + "}}", 0)["errors"],
            nlohmann::json::array());
  EXPECT_EQ(json_of(R"({"Junk": )" + deep_open + deep_close + "}", 0)["errors"],
            nlohmann::json::array());
  EXPECT_THAT(json_of(deep_open, 1)["errors"][0], StartsWith("Config has parsing ERROR! "));
  const nlohmann::json notices =
      json_of(R"({"PlayerNotices": )" + deep_open + deep_close + "}", 0)["warnings"][1];
  EXPECT_EQ(notices["code"], "invalid_notices");
  EXPECT_THAT(notices["text"].get<std::string>(),
              StartsWith("\"PlayerNotices\" is an array, [[[["));
  // A parse error that quotes bytes which are not UTF-8 still gives valid JSON.
  EXPECT_THAT(json_of(std::string("\xFF\xFE\0garbage", 10), 1)["errors"][0],
              StartsWith("Config has parsing ERROR! "));

  std::string huge = R"({"WipeTimestamp": 1700000000, "DinoSettings": {"DisallowTaming": {)";
  for (int index = 0; index < 100000; ++index) {
    huge += (index == 0 ? "\"C" : ",\"C") + std::to_string(index) + R"(_C": {"HoursToDelay": 5})";
  }
  const nlohmann::json report = json_of(huge + "}}}", 0);
  EXPECT_EQ(report["taming"].size(), 100000u);
}

}  // namespace
}  // namespace qw_test
