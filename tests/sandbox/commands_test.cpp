// The sandbox's command table, driven through standard input as a script would drive it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/sandbox/sandbox_process.h"
#include "tests/support/scratch_folder.h"
#include "version.h"

namespace {

using qw_sandbox_test::kConfig;
using qw_sandbox_test::run_sandbox;
using qw_sandbox_test::SandboxProcess;
using qw_test::ScratchFolder;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// What every load of kConfig at 1700000000 logs: the version, the class, then the summary.
const std::string kVersionLine =
    "11/14/23 22:13 [Quellwarden][info] Quellwarden " + std::string(quellwarden::kVersion);
constexpr const char* kAdding = "11/14/23 22:13 [Quellwarden][info] Adding a Rex_Character_BP_C";
constexpr const char* kLoaded =
    "11/14/23 22:13 [Quellwarden][info] Loaded config: wipe 2023-11-14 22:13:20 UTC, 1 riding and "
    "2 taming classes, 3 held back now";

class sandbox_commands_test : public ::testing::Test {
 protected:
  sandbox_commands_test() { workdir_.write_config(kConfig); }

  std::vector<std::string> run(std::string_view script, const char* clock = "1700000000") {
    const auto result =
        run_sandbox({"--workdir", workdir_.server().string(), "--clock", clock}, script);
    EXPECT_EQ(result.status, 0) << result.errors;
    return result.lines;
  }

  ScratchFolder workdir_{"sandbox"};
};

TEST_F(sandbox_commands_test, clock_reads_freezes_steps_and_refuses_what_it_cannot_apply) {
  EXPECT_THAT(
      run("clock\n"
          "clock +90s\n"
          "clock -2m\n"
          "clock +1h\n"
          "clock +2d\n"
          "clock 1800000000\n"
          "clock +5\n"
          "clock soon\n"
          "clock +9223372036854775807d\n"
          "clock 922337203686\n"
          "clock\n"
          "clock -1\n"),
      ElementsAre(kVersionLine, kAdding, kLoaded, "clock 1700000000", "clock 1700000090",
                  "clock 1699999970", "clock 1700003570", "clock 1700176370", "clock 1800000000",
                  "error: clock wants UNIX, +N<s|m|h|d> or -N<s|m|h|d>, not '+5'",
                  "error: clock wants UNIX, +N<s|m|h|d> or -N<s|m|h|d>, not 'soon'",
                  "error: clock must lie between -922337203685 and 922337203685 "
                  "(Unix seconds), not '+9223372036854775807d'",
                  "error: clock must lie between -922337203685 and 922337203685 "
                  "(Unix seconds), not '922337203686'",
                  "clock 1800000000", "clock -1"));
}

TEST_F(sandbox_commands_test, log_lines_beyond_the_log_clock_carry_its_last_minute) {
  const std::string stamp = "04/11/62 23:47 [Quellwarden]";
  const std::string adding = stamp + "[info] Adding a Rex_Character_BP_C";
  const std::string loaded = stamp +
                             "[info] Loaded config: wipe 2023-11-14 22:13:20 UTC, 1 riding and 2 "
                             "taming classes, 0 held back now";
  const std::string stale = stamp +
                            "[warning] the wipe time 2023-11-14 22:13:20 UTC (\"WipeTimestamp\" "
                            "1700000000) leaves every listed unlock in the past, the last one "
                            "10655520d 4h ago: nothing is held back; is \"WipeTimestamp\" from an "
                            "earlier wipe?";
  EXPECT_THAT(run("console-noplayer Quellwarden.reload\n", "922337203685"),
              ElementsAre(stamp + "[info] Quellwarden " + std::string(quellwarden::kVersion),
                          adding, loaded, stale, adding, loaded, stale));
}

TEST_F(sandbox_commands_test, gates_refuse_until_the_unlock_second_and_then_ask_the_game) {
  EXPECT_THAT(
      run("spawn rex Rex_Character_BP_C\n"
          "spawn dodo Dodo_Character_BP_C\n"
          "tame rex\n"
          "imprint rex\n"
          "ride rex\n"
          "tame dodo true false\n"
          "clock +1s\n"
          "tame rex\n"
          "imprint rex\n"
          "ride rex\n"
          "answer tame false\n"
          "tame rex false true\n"
          "clock +1d\n"
          "ride rex\n"
          "tame null\n"
          "imprint null\n"
          "ride null\n",
          "1700086399"),
      ElementsAre(
          "11/15/23 22:13 [Quellwarden][info] Quellwarden " + std::string(quellwarden::kVersion),
          "11/15/23 22:13 [Quellwarden][info] Adding a Rex_Character_BP_C",
          "11/15/23 22:13 [Quellwarden][info] Loaded config: wipe 2023-11-14 22:13:20 UTC, "
          "1 riding and 2 taming classes, 3 held back now",
          "spawned rex Rex_Character_BP_C", "spawned dodo Dodo_Character_BP_C",
          "CanTame rex -> false (refused)", "ImprintBabyDino rex -> refused",
          "SetRider rex -> refused", "CanTame dodo -> true (game)", "clock 1700086400",
          "CanTame rex -> true (game)", "ImprintBabyDino rex -> game", "SetRider rex -> refused",
          "answer tame false", "CanTame rex -> false (game)", "clock 1700172800",
          "SetRider rex -> game", "CanTame null -> false (game)", "ImprintBabyDino null -> game",
          "SetRider null -> game"));
}

TEST_F(sandbox_commands_test, mistakes_print_an_error_and_the_script_goes_on_until_quit) {
  EXPECT_THAT(
      run("# a comment\n"
          "\n"
          "   \n"
          "fly rex\n"
          "spawn rex\n"
          "spawn null Rex_Character_BP_C\n"
          "tame ghost\n"
          "tame null maybe false\n"
          "answer tame maybe\n"
          "rcon seven Quellwarden.reload\n"
          "rcon 7\n"
          "console\n"
          "hooks now\n"
          "echo  still here \n"
          "quit\n"
          "echo never\n"),
      ElementsAre(
          kVersionLine, kAdding, kLoaded, "error: unknown command 'fly' (see --help)",
          "error: spawn wants NAME CLASS", "error: null stands for no creature; pick another name",
          "error: no creature named 'ghost'; spawn it first",
          "error: 'maybe' is neither true nor false", "error: 'maybe' is neither true nor false",
          "error: rcon wants ID TEXT, the ID a 32-bit number",
          "error: rcon wants ID TEXT, the ID a 32-bit number",
          "error: console wants the text that is typed", "error: hooks takes no arguments",
          "still here"));
}

TEST_F(sandbox_commands_test, reloads_answer_the_console_player_and_the_rcon_request) {
  EXPECT_THAT(
      run("console Quellwarden.reload with words after it\n"
          "console-noplayer Quellwarden.reload\n"
          "console Quellwarden.nothing\n"
          "rcon -3 quellwarden.RELOAD\n"
          "rcon 9 Status now\n"),
      ElementsAre(kVersionLine, kAdding, kLoaded, kAdding, kLoaded,
                  "to player [0,1,0,1]: Quellwarden : Reloaded config", kAdding, kLoaded,
                  "unknown console command Quellwarden.nothing", kAdding, kLoaded,
                  "rcon reply -3 0: Quellwarden : Reloaded config", "unknown rcon command Status"));
}

TEST_F(sandbox_commands_test, a_failed_reload_answers_red_and_with_the_error_text) {
  SandboxProcess sandbox({"--workdir", workdir_.server().string(), "--clock", "1700000000"});
  sandbox.send("echo ready");
  ASSERT_FALSE(sandbox.wait_for("ready").empty());
  workdir_.write_config(R"({"DinoSettings": null})");
  sandbox.send("console Quellwarden.reload");
  sandbox.send("rcon 4 Quellwarden.reload");
  sandbox.close_input();
  ASSERT_EQ(sandbox.wait_exit(), 0);
  const std::string error = "[json.exception.type_error.306] cannot use value() with null";
  const std::string hint =
      R"(DinoSettings is null; write an object holding "DisallowRiding" and "DisallowTaming")";
  const std::string logged = "11/14/23 22:13 [Quellwarden][error] ";
  EXPECT_THAT(
      sandbox.lines(),
      ElementsAre(kVersionLine, kAdding, kLoaded, "ready",
                  "to player [1,0,0,1]: Quellwarden: Failed to reload config",
                  "to player [1,0,0,1]: " + error + " (" + hint + ")", logged + error,
                  logged + hint, logged + error, logged + hint, "rcon reply 4 0: " + error));
}

TEST_F(sandbox_commands_test, unload_and_load_run_both_sequences_and_give_back_all_memory) {
  EXPECT_THAT(
      run("spawn rex Rex_Character_BP_C\n"
          "hooks\n"
          "commands\n"
          "memory\n"
          "unload\n"
          "hooks\n"
          "commands\n"
          "memory\n"
          "tame rex\n"
          "console Quellwarden.reload\n"
          "unload\n"
          "load\n"
          "load\n"
          "memory\n"
          "tame rex\n"),
      ElementsAre(kVersionLine, kAdding, kLoaded, "spawned rex Rex_Character_BP_C",
                  "hook APrimalDinoCharacter.CanTame(AShooterPlayerController*,bool,bool)",
                  "hook APrimalDinoCharacter.ImprintBabyDino(APlayerController*,bool)",
                  "hook APrimalDinoCharacter.SetRider(AShooterCharacter*)",
                  "console command Quellwarden.reload", "console command Quellwarden.status",
                  "console command Quellwarden.setwipe", "console command Quellwarden.shift",
                  "console command Quellwarden.delay", "console command Quellwarden.unlock",
                  "rcon command Quellwarden.reload", "rcon command Quellwarden.status",
                  "rcon command Quellwarden.setwipe", "rcon command Quellwarden.shift",
                  "rcon command Quellwarden.delay", "rcon command Quellwarden.unlock",
                  "memory 11 blocks 602 bytes", "unloaded", "memory 0 blocks 0 bytes",
                  "CanTame rex -> true (game)", "unknown console command Quellwarden.reload",
                  "error: the plugin is not loaded", kVersionLine, kAdding, kLoaded, "loaded",
                  "error: the plugin is already loaded", "memory 11 blocks 602 bytes",
                  "CanTame rex -> false (refused)"));
}

TEST_F(sandbox_commands_test, fail_arms_and_withdraws_the_host_failures_and_says_so) {
  EXPECT_THAT(
      run("fail resolve APrimalDinoCharacter.Foo(FString&,int*) 3\n"
          "fail resolve UObjectBase.NamePrivate\n"
          "fail hook APrimalDinoCharacter.SetRider(AShooterCharacter*)\n"
          "fail command Quellwarden.reload\n"
          "fail resolve UObjectBase.NamePrivate 0\n"
          "fail throw FName.ToString(FString&) 2\n"
          "fail alloc 3\n"
          "fail alloc 0\n"
          "fail alloc -1\n"
          "fail hook\n"),
      ElementsAre(kVersionLine, kAdding, kLoaded,
                  "fail resolve APrimalDinoCharacter.Foo(FString&,int*) 3",
                  "fail resolve UObjectBase.NamePrivate 1",
                  "fail hook APrimalDinoCharacter.SetRider(AShooterCharacter*)",
                  "fail command Quellwarden.reload", "fail resolve UObjectBase.NamePrivate 0",
                  "fail throw FName.ToString(FString&) 2", "fail alloc 3", "fail alloc 0",
                  "error: '-1' is not a count",
                  "error: fail wants resolve NAME [COUNT], throw NAME [COUNT], alloc N, hook NAME "
                  "or command NAME"));
}

TEST_F(sandbox_commands_test, a_missing_file_is_logged_and_the_sandbox_still_runs) {
  ScratchFolder empty{"sandbox"};
  const auto result =
      run_sandbox({"--workdir", empty.server().string(), "--clock", "1700000000"}, "clock\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_THAT(
      result.lines,
      ElementsAre(kVersionLine, "11/14/23 22:13 [Quellwarden][error] Config failed to open",
                  "11/14/23 22:13 [Quellwarden][error] tried to open " + empty.server().string() +
                      "/ArkApi/Plugins/Quellwarden/config.json: No such file or directory",
                  "clock 1700000000"));
}

TEST(sandbox_options_test, help_and_wrong_options_answer_with_their_exit_status) {
  const auto help = run_sandbox({"--help"}, "");
  EXPECT_EQ(help.status, 0);
  ASSERT_FALSE(help.lines.empty());
  EXPECT_EQ(help.lines[0], "Usage: quellwarden-sandbox [OPTIONS] < SCRIPT");
  for (const char* command :
       {"fail resolve NAME [COUNT]", "fail resolve NAME 0", "fail throw NAME [COUNT]",
        "fail alloc N", "fail alloc 0", "fail hook NAME", "fail command NAME", "  tick  ",
        "player NAME id ID", "  players  ", "to all [r,g,b,a]: TEXT"}) {
    EXPECT_THAT(help.lines, Contains(HasSubstr(command)));
  }
  const auto version = run_sandbox({"--version"}, "");
  EXPECT_EQ(version.status, 0);
  EXPECT_THAT(version.lines, ElementsAre(::testing::MatchesRegex("quellwarden-sandbox [0-9.]+")));

  const auto unknown = run_sandbox({"--port", "1"}, "");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_THAT(unknown.errors, HasSubstr("unknown option '--port'"));

  const auto open_rcon = run_sandbox({"--rcon-port", "0"}, "");
  EXPECT_EQ(open_rcon.status, 2);
  EXPECT_THAT(open_rcon.errors, HasSubstr("--rcon-port needs --rcon-password"));

  const auto no_time_to_log_in = run_sandbox({"--rcon-auth-timeout", "0"}, "");
  EXPECT_EQ(no_time_to_log_in.status, 2);
  EXPECT_THAT(no_time_to_log_in.errors, HasSubstr("--rcon-auth-timeout wants at least 1 second"));

  const auto bad_clock = run_sandbox({"--clock=yesterday"}, "");
  EXPECT_EQ(bad_clock.status, 2);
  EXPECT_THAT(bad_clock.errors, HasSubstr("--clock wants a number, not 'yesterday'"));
  const auto far_clock = run_sandbox({"--clock=922337203686"}, "");
  EXPECT_EQ(far_clock.status, 2);
  EXPECT_THAT(far_clock.errors, HasSubstr("--clock must lie between -922337203685 and"));

  const auto no_directory = run_sandbox({"--workdir", "/nonexistent/server"}, "");
  EXPECT_EQ(no_directory.status, 2);
  EXPECT_THAT(no_directory.errors, HasSubstr("cannot enter /nonexistent/server"));

  const auto no_plugin = run_sandbox({"--plugin", "/nonexistent/libQuellwarden.so"}, "");
  EXPECT_EQ(no_plugin.status, 1);
  EXPECT_THAT(no_plugin.errors, HasSubstr("cannot load /nonexistent/libQuellwarden.so"));
}

}  // namespace
