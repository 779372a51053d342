// The plugin DLL under Windows' own loader: every FreeLibrary unmaps it and releases what it held,
// and thread notifications to DllMain change nothing.
#include <windows.h>

#include <algorithm>
#include <thread>

#include "tests/support/config_text.h"
#include "tests/support/plugin_fixture.h"

namespace {

using ::testing::ElementsAre;

class dll_lifecycle_test : public qw_test::PluginTest {};

const std::string kRidingConfig = qw_test::config_text({{"Rex_Character_BP_C", 48}}, {});

TEST_F(dll_lifecycle_test, every_free_unmaps_the_dll_and_releases_its_log_and_tables) {
  write_config(kRidingConfig);
  const std::size_t blocks_unloaded = standin::allocator_stats().live_blocks;
  for (int cycle = 0; cycle < 3; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    load();
    EXPECT_NE(GetModuleHandleW(L"Quellwarden.dll"), nullptr);
    EXPECT_EQ(sink_.use_count(), 3) << "this test, the host's list and the plugin's logger";

    unload();
    EXPECT_EQ(GetModuleHandleW(L"Quellwarden.dll"), nullptr) << "FreeLibrary left the DLL mapped";
    EXPECT_EQ(sink_.use_count(), 2) << "the plugin log outlived the DLL";
    EXPECT_EQ(standin::allocator_stats().live_blocks, blocks_unloaded)
        << "the delay tables outlived the DLL";
  }
  const auto messages = log_messages();
  EXPECT_EQ(std::count(messages.begin(), messages.end(), "Adding a Rex_Character_BP_C"), 3)
      << "one riding entry logged per load";
}

TEST_F(dll_lifecycle_test, thread_attach_and_detach_change_nothing) {
  write_config(kRidingConfig);
  load();
  const auto lines_before = log_lines().size();
  std::thread([] {}).join();
  EXPECT_EQ(standin::installed_hooks().size(), 3U);
  EXPECT_THAT(standin::console_commands(),
              ElementsAre("Quellwarden.reload", "Quellwarden.status", "Quellwarden.setwipe",
                          "Quellwarden.shift", "Quellwarden.delay", "Quellwarden.unlock"));
  EXPECT_THAT(standin::rcon_commands(),
              ElementsAre("Quellwarden.reload", "Quellwarden.status", "Quellwarden.setwipe",
                          "Quellwarden.shift", "Quellwarden.delay", "Quellwarden.unlock"));
  EXPECT_EQ(log_lines().size(), lines_before);
}

}  // namespace
