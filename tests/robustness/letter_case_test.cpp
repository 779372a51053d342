// Class names that only the game's compare calls equal (letters beyond a to z in other case):
// however the table files them, every name the configuration lists must stay held back.
#include <string>

#include "tests/support/config_text.h"
#include "tests/support/gate_outcome.h"
#include "tests/support/plugin_fixture.h"

namespace {

using qw_test::kWipe;
constexpr const char* kUpper = "\xC3\x89meu_Character_BP_C";  // starts with U+00C9
constexpr const char* kLower = "\xC3\xA9meu_Character_BP_C";  // starts with U+00E9

using qw_test::tames;

class letter_case_test : public qw_test::PluginTest {};

// The two names share the only bucket while the table is small, so the second replaces the
// first; the later entries then spread the table over 16 buckets by the key hash, which folds
// only a to z and files the two names apart.
TEST_F(letter_case_test, both_spellings_stay_held_back_after_the_table_grows) {
  write_config(R"({"WipeTimestamp": 1700000000, "DinoSettings": {"DisallowTaming": {")" +
               std::string(kUpper) + R"(": {"HoursToDelay": 24}, ")" + kLower +
               R"(": {"HoursToDelay": 24}, "\u00ff1": {"HoursToDelay": 1},
               "\u00ff2": {"HoursToDelay": 1}, "\u00ff3": {"HoursToDelay": 1}}}})");
  load();
  standin::freeze_clock(kWipe);
  EXPECT_FALSE(tames(kLower));
  EXPECT_FALSE(tames(kUpper)) << "a listed class is let through";
}

}  // namespace
