// The sandbox server built for Windows, run as an admin runs it: the plugin loaded with
// LoadLibrary and freed with FreeLibrary, a script on a pipe, RCON over Winsock, and a transcript
// whose every line ends in one CR LF.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/built_files.h"
#include "tests/support/config_text.h"
#include "tests/support/scratch_folder.h"
#include "tests/windows/rcon_socket.h"
#include "tests/windows/sandbox_process.h"
#include "version.h"

namespace {

using quellwarden::sandbox::kRconAuth;
using quellwarden::sandbox::kRconAuthResponse;
using quellwarden::sandbox::kRconExecCommand;
using quellwarden::sandbox::kRconResponseValue;
using quellwarden::sandbox::RconPacket;
using qw_test::utf8;
using qw_windows::RconSocket;
using qw_windows::SandboxProcess;
using ::testing::ElementsAre;
using ::testing::Optional;
using ::testing::StartsWith;

constexpr std::int64_t kStart = 1700086399;  // a second before tamed Rexes are allowed
const std::string kConfig =
    qw_test::config_text({{"Rex_Character_BP_C", 48}}, {{"Rex_Character_BP_C", 24}});
constexpr const char* kReloaded = "Quellwarden : Reloaded config";

// The plugin's info line `text` at Unix second `seconds`, its stamp in the time zone that this
// program and the sandbox share.
std::string logged_at(std::int64_t seconds, const std::string& text) {
  const std::time_t time = seconds;
  std::tm local{};
  localtime_s(&local, &time);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%m/%d/%y %H:%M", &local);
  return std::string(stamp) + " [Quellwarden][info] " + text;
}

std::string version_at(std::int64_t seconds) {
  return logged_at(seconds, "Quellwarden " + std::string(quellwarden::kVersion));
}

std::string adding_rex_at(std::int64_t seconds) {
  return logged_at(seconds, "Adding a Rex_Character_BP_C");
}

// The summary after a load of kConfig, with `held_back` of its two entries still locked.
std::string loaded_at(std::int64_t seconds, int held_back) {
  return logged_at(seconds,
                   "Loaded config: wipe 2023-11-14 22:13:20 UTC, 1 riding and 1 taming "
                   "classes, " +
                       std::to_string(held_back) + " held back now");
}

// The transcript's lines. Each must end in exactly one CR LF: the sandbox writes its own line ends
// in text mode, and the line ends that the plugin's log lines carry must not double them.
std::vector<std::string> lines_of(const std::string& output) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = 0; (end = output.find('\n', start)) != std::string::npos;
       start = end + 1) {
    std::string line = output.substr(start, end - start);
    if (line.empty() || line.back() != '\r') {
      ADD_FAILURE() << "a line without CR LF: " << line;
    } else {
      line.pop_back();
    }
    EXPECT_EQ(line.find('\r'), std::string::npos) << "a stray CR in: " << line;
    lines.push_back(line);
  }
  EXPECT_EQ(start, output.size()) << "an unfinished last line: " << output.substr(start);
  return lines;
}

class sandbox_under_wine_test : public ::testing::Test {
 protected:
  // A server directory whose path holds non-ASCII characters and blanks; the sandbox starts
  // outside it, in a directory that holds no plugin.
  sandbox_under_wine_test() { scratch_.write_config(kConfig); }

  std::unique_ptr<SandboxProcess> start(std::vector<std::string> more = {}) {
    std::vector<std::string> arguments{"--workdir", utf8(workdir_), "--clock",
                                       std::to_string(kStart)};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return std::make_unique<SandboxProcess>(arguments, scratch_.root());
  }

  qw_test::ScratchFolder scratch_{"sandbox"};
  std::filesystem::path workdir_ = scratch_.server();
};

TEST_F(sandbox_under_wine_test, a_script_drives_the_plugin_through_load_library_and_free_library) {
  const auto sandbox = start();
  for (const char* line :
       {"spawn rex Rex_Character_BP_C", "tame rex", "imprint rex", "clock +1s", "tame rex",
        "ride rex", "console Quellwarden.reload", "rcon 7 Quellwarden.reload", "memory", "unload",
        "memory", "ride rex", "console Quellwarden.reload", "load", "memory", "ride rex"}) {
    sandbox->send(line);
  }
  sandbox->close_input();
  ASSERT_EQ(sandbox->wait_exit(), 0) << sandbox->errors();
  // After the clock step only the Rex's riding is still held back.
  const std::string adding = adding_rex_at(kStart + 1);
  const std::string loaded = loaded_at(kStart + 1, 1);
  EXPECT_THAT(
      lines_of(sandbox->output()),
      ElementsAre(version_at(kStart), adding_rex_at(kStart), loaded_at(kStart, 2),
                  "spawned rex Rex_Character_BP_C", "CanTame rex -> false (refused)",
                  "ImprintBabyDino rex -> refused", "clock 1700086400",
                  "CanTame rex -> true (game)", "SetRider rex -> refused", adding, loaded,
                  std::string("to player [0,1,0,1]: ") + kReloaded, adding, loaded,
                  std::string("rcon reply 7 0: ") + kReloaded, "memory 10 blocks 558 bytes",
                  "unloaded", "memory 0 blocks 0 bytes", "SetRider rex -> game",
                  "unknown console command Quellwarden.reload", version_at(kStart + 1), adding,
                  loaded, "loaded", "memory 10 blocks 558 bytes", "SetRider rex -> refused"));
  EXPECT_EQ(sandbox->errors(), "");
}

TEST_F(sandbox_under_wine_test, quit_ends_the_sandbox_while_its_input_is_still_open) {
  const auto sandbox = start();
  sandbox->send("echo ready");
  sandbox->send("quit");
  sandbox->send("echo never");
  ASSERT_EQ(sandbox->wait_exit(), 0) << "a reader blocked on the open pipe held the program";
  EXPECT_THAT(lines_of(sandbox->output()), ElementsAre(version_at(kStart), adding_rex_at(kStart),
                                                       loaded_at(kStart, 2), "ready"));
}

TEST_F(sandbox_under_wine_test, an_rcon_client_authenticates_and_reloads_over_tcp) {
  const auto sandbox = start({"--rcon-port", "0", "--rcon-password", "secret"});
  const std::string listening = sandbox->wait_for("rcon listening on 127.0.0.1:");
  ASSERT_FALSE(listening.empty()) << sandbox->errors();
  const auto port =
      static_cast<std::uint16_t>(std::stoi(listening.substr(listening.rfind(':') + 1)));
  {
    RconSocket client(port);
    ASSERT_TRUE(client.send({11, kRconAuth, "secret"}));
    EXPECT_THAT(client.receive(), Optional(RconPacket{11, kRconAuthResponse, ""}));
    ASSERT_TRUE(client.send({5, kRconExecCommand, "Quellwarden.reload"}));
    EXPECT_THAT(client.receive(), Optional(RconPacket{5, kRconResponseValue, kReloaded}));
  }
  EXPECT_FALSE(sandbox->wait_for("rcon client 1 closed").empty());
  sandbox->close_input();
  ASSERT_EQ(sandbox->wait_exit(), 0) << sandbox->errors();
  const std::string adding = adding_rex_at(kStart);
  const std::string loaded = loaded_at(kStart, 2);
  EXPECT_THAT(
      lines_of(sandbox->output()),
      ElementsAre(version_at(kStart), adding, loaded, StartsWith("rcon listening on 127.0.0.1:"),
                  "rcon client 1 connected", "rcon client 1 authenticated",
                  "rcon client 1 request 5: Quellwarden.reload", adding, loaded,
                  std::string("rcon reply 5 0: ") + kReloaded,
                  "rcon client 1 closed: disconnected"));
}

}  // namespace
