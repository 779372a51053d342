// Paths with non-ASCII characters and blanks under Windows, where the system's own text is UTF-16:
// the configuration below such a working directory, and the DLL's own path for the messenger.
#include "tests/support/plugin_fixture.h"

namespace {

using qw_test::utf8;
using ::testing::Contains;
using ::testing::ElementsAre;

class dll_paths_test : public qw_test::PluginTest {};

TEST_F(dll_paths_test, configuration_is_read_below_a_non_ascii_working_directory) {
  ASSERT_TRUE(utf8(std::filesystem::current_path()).ends_with("\\W\xC3\xBCste Insel"))
      << utf8(std::filesystem::current_path());
  write_config(R"({"DinoSettings": {"DisallowRiding": {"Rex_Character_BP_C": {}}}})");
  load();
  // Warnings about the missing wipe time and hours come with it; the class line shows the file
  // was found and read.
  EXPECT_THAT(log_messages(), Contains("Adding a Rex_Character_BP_C"));
}

TEST_F(dll_paths_test, messenger_lookup_keeps_non_ascii_characters_and_blanks_of_the_path) {
  write_config("{}");
  const std::filesystem::path copy = directory_ / "Quellwarden.dll";
  std::filesystem::copy_file(qw_test::built_plugin_path(), copy);
  load(utf8(copy));
  ASSERT_TRUE(standin::run_console_command(nullptr, "Quellwarden.reload"));
  EXPECT_THAT(standin::messenger_lookups(), ElementsAre(utf8(copy)));
  EXPECT_TRUE(utf8(copy).ends_with("\\W\xC3\xBCste Insel\\Quellwarden.dll")) << utf8(copy);
}

}  // namespace
