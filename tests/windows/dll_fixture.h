// Loads Quellwarden.dll into the stand-in host through Windows' own loader, from inside a working
// directory whose path holds non-ASCII characters and blanks, with a recording sink on the host's
// list; checks that every game-allocator block comes back.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <spdlog/pattern_formatter.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "host/asa_api.h"
#include "standin/plugin_library.h"
#include "standin/recording_sink.h"
#include "standin/standin.h"

namespace qw_windows {

inline std::string utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

// The running test program, as the system names it; the build puts the DLLs beside it.
inline std::filesystem::path program_path() {
  std::wstring buffer(32768, L'\0');
  const DWORD length =
      GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  buffer.resize(length);
  return std::filesystem::path(buffer);
}

class DllTest : public ::testing::Test {
 protected:
  void SetUp() override {
    standin::reset_records();
    blocks_before_ = standin::allocator_stats().live_blocks;
    original_directory_ = std::filesystem::current_path();
    scratch_ = std::filesystem::temp_directory_path() /
               ("quellwarden-" + std::to_string(GetCurrentProcessId()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    directory_ = scratch_ / u8"Wüste Insel";
    std::filesystem::remove_all(scratch_);
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
    EXPECT_EQ(standin::allocator_stats().live_blocks, blocks_before_)
        << "the plugin kept blocks of the game's allocator";
  }

  std::filesystem::path config_folder() const {
    return directory_ / "ArkApi" / "Plugins" / "Quellwarden";
  }
  void write_config(const std::string& text) const {
    std::ofstream(config_folder() / "config.json", std::ios::binary) << text;
  }

  // The plugin as built, beside this program.
  static std::string built_plugin_path() { return standin::plugin_beside(utf8(program_path())); }

  void load(const std::string& path = built_plugin_path()) { plugin_.load(path); }

  // The plugin's logger gave the host's sinks a formatter whose code lives in the DLL. FreeLibrary
  // unmaps that code, so the sink gets a formatter of this program's own before the plugin goes.
  void unload() {
    sink_->set_formatter(std::make_unique<spdlog::pattern_formatter>());
    plugin_.unload();
  }

  std::vector<standin::RecordingSink::Line> log_lines() const { return sink_->lines(); }

  std::shared_ptr<standin::RecordingSink> sink_;
  std::filesystem::path directory_;

 private:
  standin::PluginLibrary plugin_;
  std::filesystem::path scratch_;
  std::filesystem::path original_directory_;
  std::size_t blocks_before_ = 0;
};

}  // namespace qw_windows
