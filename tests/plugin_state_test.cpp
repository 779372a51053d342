// The plugin's state releases its log before its tables, and the taming table before the riding
// table, by the language's own rule (members in reverse order of declaration).
#include "plugin/plugin_state.h"

#include <gtest/gtest.h>
#include <spdlog/sinks/sink.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "standin/standin.h"
#include "tests/support/allocator_balance.h"

namespace {

// Remembers how many game-allocator blocks were live when the logger let go of it.
class ReleaseProbe : public spdlog::sinks::sink {
 public:
  explicit ReleaseProbe(std::optional<std::size_t>& seen) : seen_(seen) {}
  ~ReleaseProbe() override { seen_ = standin::allocator_stats().live_blocks; }
  void log(const spdlog::details::log_msg& /*message*/) override {}
  void flush() override {}
  void set_pattern(const std::string& /*pattern*/) override {}
  void set_formatter(std::unique_ptr<spdlog::formatter> /*formatter*/) override {}

 private:
  std::optional<std::size_t>& seen_;
};

TEST(plugin_state_test, releases_log_then_taming_then_riding) {
  std::optional<std::size_t> live_when_log_released;
  std::size_t live_with_tables = 0;
  {
    quellwarden::PluginState state;
    GetLogSinks().push_back(std::make_shared<ReleaseProbe>(live_when_log_released));
    state.log.create("Quellwarden");
    GetLogSinks().clear();
    state.tables.riding.table.add(FString("Rex_Character_BP_C"), 1);
    state.tables.taming.table.add(FString("Giga_Character_BP_C"), 2);
    live_with_tables = standin::allocator_stats().live_blocks;
    const auto address = [](const void* member) {
      return reinterpret_cast<std::uintptr_t>(member);
    };
    EXPECT_LT(address(&state.tables.riding), address(&state.tables.taming));
    EXPECT_LT(address(&state.tables.taming), address(&state.log));
  }
  ASSERT_TRUE(live_when_log_released.has_value());
  EXPECT_EQ(*live_when_log_released, live_with_tables);
}

}  // namespace
