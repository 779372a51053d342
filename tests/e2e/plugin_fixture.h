// Loads the real plugin library into the stand-in host inside a scratch working directory, with
// a recording sink on the host's list, and checks that every game-allocator block comes back.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "host/asa_api.h"
#include "standin/plugin_library.h"
#include "standin/recording_sink.h"
#include "standin/standin.h"

namespace qw_test {

class PluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    standin::reset_records();
    blocks_before_ = standin::allocator_stats().live_blocks;
    original_directory_ = std::filesystem::current_path();
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');  // parameterised tests: "case/param"
    directory_ = std::filesystem::temp_directory_path() /
                 ("quellwarden-test-" + std::to_string(::getpid()) + "-" + name);
    std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(config_folder());
    std::filesystem::current_path(directory_);
    sink_ = std::make_shared<standin::RecordingSink>();
    GetLogSinks().push_back(sink_);
  }

  void TearDown() override {
    plugin_.unload();
    GetLogSinks().clear();
    std::filesystem::current_path(original_directory_);
    std::filesystem::remove_all(directory_);
    standin::reset_records();
    EXPECT_EQ(standin::allocator_stats().live_blocks, blocks_before_)
        << "the plugin kept blocks of the game's allocator";
  }

  std::filesystem::path config_folder() const {
    return directory_ / "ArkApi" / "Plugins" / "Quellwarden";
  }

  void write_config(const std::string& text) const {
    std::ofstream(config_folder() / "config.json", std::ios::binary) << text;
  }
  void remove_config() const { std::filesystem::remove(config_folder() / "config.json"); }

  void load() { plugin_.load(QW_PLUGIN_PATH); }
  void unload() { plugin_.unload(); }

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

  std::shared_ptr<standin::RecordingSink> sink_;
  std::filesystem::path directory_;

 private:
  standin::PluginLibrary plugin_;
  std::filesystem::path original_directory_;
  std::size_t blocks_before_ = 0;
};

}  // namespace qw_test
