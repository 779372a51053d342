// The sandbox's commands for the host's timers, messages to every player and players' ids, run in
// this process with a timer of the test's own where a plugin's would be.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "host/asa_api.h"
#include "host/fstring.h"
#include "standin/standin.h"
#include "tools/sandbox/sandbox.h"
#include "tools/sandbox/transcript.h"

namespace {

using quellwarden::sandbox::Sandbox;
using quellwarden::sandbox::Transcript;
using ::testing::ElementsAre;

// What the sandbox printed; it lives as long as the process, as the messenger's listener does.
struct PrintedSandbox {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  Transcript transcript{out};
  Sandbox sandbox{transcript, "no plugin"};

  std::vector<std::string> lines() const {
    std::vector<std::string> out_lines;
    std::istringstream printed(std::string(buffer, size));
    for (std::string line; std::getline(printed, line);) {
      out_lines.push_back(line);
    }
    return out_lines;
  }
};

TEST(sandbox_doors_test, moving_the_clock_and_tick_run_the_timers_and_players_have_ids) {
  static PrintedSandbox printed;
  standin::freeze_clock(1700000000);
  const FString timer("announcements");
  AsaApi::GetCommands().AddTimer(timer, [] {
    AsaApi::GetApiUtils()
        .GetMessenger(FString("test"))
        ->SendColoredMessageToAll(
            {0, 1, 0, 1}, FString(("at " + std::to_string(standin::clock_seconds())).c_str()));
  });
  for (const char* line : {"clock", "clock +1h", "clock soon", "tick", "commands",
                           "player ann id 0002a1b2c3d4e5f6a7b8c9d0e1f2a3b4", "tame null by bob",
                           "players", "player ann", "tick now"}) {
    printed.sandbox.execute(line);
  }
  AsaApi::GetCommands().RemoveTimer(timer);
  EXPECT_THAT(
      printed.lines(),
      ElementsAre("clock 1700000000", "clock 1700003600", "to all [0,1,0,1]: at 1700003600",
                  "error: clock wants UNIX, +N<s|m|h|d> or -N<s|m|h|d>, not 'soon'", "tick",
                  "to all [0,1,0,1]: at 1700003600", "timer announcements",
                  "player ann id 0002a1b2c3d4e5f6a7b8c9d0e1f2a3b4", "CanTame null -> true (game)",
                  "player ann id 0002a1b2c3d4e5f6a7b8c9d0e1f2a3b4",
                  "player bob id 0002004d4419134a0a54b4611fdb6713",
                  "error: player wants NAME id ID", "error: tick takes no arguments"));
}

}  // namespace
