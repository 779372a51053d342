// Loads the plugin library as built into the stand-in host, as a server loads it, inside a scratch
// working directory whose path holds non-ASCII characters and a blank, with a recording sink on
// the host's list; checks that every game-allocator block comes back.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <spdlog/pattern_formatter.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "host/asa_api.h"
#include "standin/plugin_library.h"
#include "standin/recording_sink.h"
#include "standin/standin.h"
#include "tests/support/built_files.h"

namespace qw_test {

// Log lines end as the system's text files do.
#ifdef _WIN32
inline constexpr const char* kLineEnd = "\r\n";
#else
inline constexpr const char* kLineEnd = "\n";
#endif

class PluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    standin::reset_records();
    blocks_before_ = blocks_held();
    original_directory_ = std::filesystem::current_path();
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');  // parameterised tests: "case/param"
    scratch_ = std::filesystem::temp_directory_path() /
               ("quellwarden-" + std::to_string(std::random_device()()) + "-" + name);
    directory_ = scratch_ / u8"W\u00FCste Insel";
    std::filesystem::create_directories(config_folder());
    std::filesystem::current_path(directory_);
    sink_ = std::make_shared<standin::RecordingSink>();
    GetLogSinks().push_back(sink_);
  }

  void TearDown() override {
    unload();
    GetLogSinks().clear();
    std::filesystem::current_path(original_directory_);
    std::filesystem::remove_all(scratch_);
    standin::reset_records();
    EXPECT_EQ(blocks_held(), blocks_before_) << "the plugin kept blocks of the game's allocator";
  }

  std::filesystem::path config_folder() const {
    return directory_ / "ArkApi" / "Plugins" / "Quellwarden";
  }
  void write_config(const std::string& text) const {
    std::ofstream(config_folder() / "config.json", std::ios::binary) << text;
  }
  void remove_config() const { std::filesystem::remove(config_folder() / "config.json"); }

  void load(const std::string& path = built_plugin_path()) { plugin_.load(path); }

  // The plugin's logger gave the host's sinks a formatter whose code lives in the plugin's file.
  // Windows unmaps that file on unload, so the sink gets a formatter of this program's own first.
  void unload() {
    sink_->set_formatter(std::make_unique<spdlog::pattern_formatter>());
    plugin_.unload();
  }

  // Runs the reload over the console for `player` and returns the messages it sent.
  std::vector<standin::SentMessage> console(APlayerController* player,
                                            const std::string& line = "Quellwarden.reload") {
    const auto before = standin::sent_messages().size();
    EXPECT_TRUE(standin::run_console_command(player, line));
    auto all = standin::sent_messages();
    return {all.begin() + static_cast<std::ptrdiff_t>(before), all.end()};
  }

  std::vector<standin::RecordingSink::Line> log_lines() const { return sink_->lines(); }
  std::vector<std::string> log_messages() const {
    std::vector<std::string> out;
    for (const auto& line : sink_->lines()) {
      out.push_back(line.message);
    }
    return out;
  }
  // The messages at `level` only, e.g. the errors among the version line and the load report.
  std::vector<std::string> log_messages(spdlog::level::level_enum level) const {
    std::vector<std::string> out;
    for (const auto& line : sink_->lines()) {
      if (line.level == level) out.push_back(line.message);
    }
    return out;
  }

  // Live blocks less those a struck free had to leave behind.
  static std::size_t blocks_held() {
    const standin::AllocatorStats stats = standin::allocator_stats();
    return stats.live_blocks - stats.refused_frees;
  }

  std::shared_ptr<standin::RecordingSink> sink_;
  std::filesystem::path directory_;

 private:
  standin::PluginLibrary plugin_;
  std::filesystem::path scratch_;
  std::filesystem::path original_directory_;
  std::size_t blocks_before_ = 0;
};

}  // namespace qw_test
