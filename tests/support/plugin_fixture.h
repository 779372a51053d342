// Loads the plugin library as built into the stand-in host, as a server loads it, inside a scratch
// working directory whose path holds non-ASCII characters and a blank, with a recording sink on
// the host's list; every game-allocator block must come back.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <spdlog/pattern_formatter.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/asa_api.h"
#include "standin/plugin_library.h"
#include "standin/standin.h"
#include "tests/support/allocator_balance.h"
#include "tests/support/built_files.h"
#include "tests/support/recording_sink.h"
#include "tests/support/scratch_folder.h"

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
    original_directory_ = std::filesystem::current_path();
    scratch_.emplace("plugin");
    directory_ = scratch_->server();
    std::filesystem::current_path(directory_);
    sink_ = std::make_shared<RecordingSink>();
    GetLogSinks().push_back(sink_);
  }

  void TearDown() override {
    unload();
    GetLogSinks().clear();
    std::filesystem::current_path(original_directory_);
    scratch_.reset();
    standin::reset_records();
  }

  std::filesystem::path config_folder() const { return scratch_->config_folder(); }
  void write_config(const std::string& text) const { scratch_->write_config(text); }
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

  std::vector<RecordingSink::Line> log_lines() const { return sink_->lines(); }
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

  std::shared_ptr<RecordingSink> sink_;
  std::filesystem::path directory_;

 private:
  standin::PluginLibrary plugin_;
  std::optional<ScratchFolder> scratch_;
  std::filesystem::path original_directory_;
};

}  // namespace qw_test
