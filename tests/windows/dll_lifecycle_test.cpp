// The plugin DLL under Windows' own loader: DllMain starts and stops it on every LoadLibrary and
// FreeLibrary, thread notifications change nothing, and the messenger lookup gets the DLL's path.
#include <thread>

#include "tests/windows/dll_fixture.h"

namespace {

using qw_windows::utf8;
using ::testing::ElementsAre;

class dll_lifecycle_test : public qw_windows::DllTest {};

constexpr const char* kCanTame =
    "APrimalDinoCharacter.CanTame(AShooterPlayerController*,bool,bool)";
constexpr const char* kImprint = "APrimalDinoCharacter.ImprintBabyDino(APlayerController*,bool)";
constexpr const char* kSetRider = "APrimalDinoCharacter.SetRider(AShooterCharacter*)";
constexpr const char* kRidingConfig = R"({"WipeTimestamp": 1700000000, "DinoSettings": {
    "DisallowRiding": {"Rex_Character_BP_C": {"HoursToDelay": 48}}}})";

TEST_F(dll_lifecycle_test, every_load_starts_the_plugin_and_every_free_unmaps_and_releases_it) {
  write_config(kRidingConfig);
  const std::size_t blocks_unloaded = standin::allocator_stats().live_blocks;
  for (int cycle = 0; cycle < 3; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    load();
    EXPECT_NE(GetModuleHandleW(L"Quellwarden.dll"), nullptr);
    EXPECT_THAT(standin::installed_hooks(), ElementsAre(kCanTame, kImprint, kSetRider));
    EXPECT_THAT(standin::console_commands(), ElementsAre("Quellwarden.reload"));
    EXPECT_THAT(standin::rcon_commands(), ElementsAre("Quellwarden.reload"));
    EXPECT_EQ(sink_.use_count(), 3) << "this test, the host's list and the plugin's logger";

    unload();
    EXPECT_EQ(GetModuleHandleW(L"Quellwarden.dll"), nullptr) << "FreeLibrary left the DLL mapped";
    EXPECT_TRUE(standin::installed_hooks().empty());
    EXPECT_TRUE(standin::console_commands().empty());
    EXPECT_TRUE(standin::rcon_commands().empty());
    EXPECT_EQ(sink_.use_count(), 2) << "the plugin log outlived the DLL";
    EXPECT_EQ(standin::allocator_stats().live_blocks, blocks_unloaded)
        << "the delay tables outlived the DLL";
  }
  const auto lines = log_lines();
  ASSERT_EQ(lines.size(), 3U) << "one riding entry logged per load";
  for (const auto& line : lines) {
    EXPECT_EQ(line.message, "Adding a Rex_Character_BP_C");
  }
}

TEST_F(dll_lifecycle_test, thread_attach_and_detach_change_nothing) {
  write_config(kRidingConfig);
  load();
  const auto lines_before = log_lines().size();
  std::thread([] {}).join();
  EXPECT_THAT(standin::installed_hooks(), ElementsAre(kCanTame, kImprint, kSetRider));
  EXPECT_THAT(standin::console_commands(), ElementsAre("Quellwarden.reload"));
  EXPECT_THAT(standin::rcon_commands(), ElementsAre("Quellwarden.reload"));
  EXPECT_EQ(log_lines().size(), lines_before);
}

TEST_F(dll_lifecycle_test, messenger_lookup_receives_the_full_path_of_the_dll) {
  write_config("{}");
  load();
  ASSERT_TRUE(standin::run_console_command(standin::player("admin"), "Quellwarden.reload"));
  EXPECT_THAT(standin::messenger_lookups(), ElementsAre(built_plugin_path()));
  EXPECT_EQ(built_plugin_path().find('/'), std::string::npos) << built_plugin_path();
}

TEST_F(dll_lifecycle_test, messenger_lookup_keeps_non_ascii_characters_and_blanks_of_the_path) {
  write_config("{}");
  const std::filesystem::path copy = directory_ / "Quellwarden.dll";
  std::filesystem::copy_file(built_plugin_path(), copy);
  load(utf8(copy));
  ASSERT_TRUE(standin::run_console_command(nullptr, "Quellwarden.reload"));
  EXPECT_THAT(standin::messenger_lookups(), ElementsAre(utf8(copy)));
  EXPECT_TRUE(utf8(copy).ends_with("\\W\xC3\xBCste Insel\\Quellwarden.dll")) << utf8(copy);
}

}  // namespace
