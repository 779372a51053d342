// A gate decision takes nothing from the C++ heap once its class was met: counted by this
// program's own operator new around the decisions of each gate on a null creature, a class not
// listed, and a listed one locked (its notice already sent) and released.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

#include "host/compiler.h"
#include "host/game_functions.h"
#include "plugin/gates.h"
#include "plugin/plugin_state.h"
#include "standin/standin.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/table_layout.h"

namespace {

std::int64_t allocations = 0;

// Out of line, so the compiler never sees a block of operator new reach free() and warns.
QW_NOINLINE void give_back(void* block) noexcept { std::free(block); }

}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { give_back(block); }
void operator delete(void* block, std::size_t) noexcept { give_back(block); }

namespace {

// The game's own functions behind the hooks, which keep no records.
bool can_tame(APrimalDinoCharacter*, AShooterPlayerController*, bool, bool) { return true; }
void imprint_baby_dino(APrimalDinoCharacter*, APlayerController*, bool) {}
void set_rider(APrimalDinoCharacter*, AShooterCharacter*) {}

class gate_heap_test : public ::testing::Test {
 protected:
  // The stand-in's books take from the heap on every game block; no real host keeps them.
  void SetUp() override {
    standin::keep_books(false);
    std::filesystem::current_path(scratch_.server());
    const char* list =
        R"({"Rex_Character_BP_C": {"HoursToDelay": 48}, "Giga_Character_BP_C": {"HoursToDelay": -1}})";
    scratch_.write_config(std::string(R"({"WipeTimestamp": )") + std::to_string(wipe()) +
                          R"(, "PlayerNotices": {}, "DinoSettings": {"DisallowTaming": )" + list +
                          R"(, "DisallowRiding": )" + list + "}}");
    ASSERT_TRUE(quellwarden::LoadConfig().applied());
    const auto& hooks = quellwarden::gate_hooks();
    *hooks[0].call_through = reinterpret_cast<void*>(&can_tame);
    *hooks[1].call_through = reinterpret_cast<void*>(&imprint_baby_dino);
    *hooks[2].call_through = reinterpret_cast<void*>(&set_rider);
  }

  void TearDown() override {
    qw_test::empty(quellwarden::plugin_state().tables.riding.table);
    qw_test::empty(quellwarden::plugin_state().tables.taming.table);
    standin::keep_books(true);
    std::filesystem::current_path(original_);
    standin::reset_world();
  }

  static std::int64_t wipe() { return standin::clock_seconds(); }

  const std::filesystem::path original_ = std::filesystem::current_path();
  qw_test::ScratchFolder scratch_{"gate-heap"};
};

TEST_F(gate_heap_test, a_decision_on_a_class_met_before_allocates_nothing) {
  AShooterPlayerController* player = standin::player("player");
  AShooterCharacter* rider = standin::rider("rider", player);
  for (const char* class_name :
       {"", "Dodo_Character_BP_C", "Rex_Character_BP_C", "Giga_Character_BP_C"}) {
    APrimalDinoCharacter* creature =
        *class_name == '\0' ? nullptr : standin::spawn_creature(class_name);
    const auto decide = [&] {
      const bool tames = quellwarden::taming_gate(creature, player, true, false);
      quellwarden::imprint_gate(creature, player, true);
      quellwarden::riding_gate(creature, rider);
      return tames;
    };
    // The first sight, and the notices it sends.
    EXPECT_EQ(decide(), std::string(class_name) != "Rex_Character_BP_C") << class_name;
    const std::int64_t before = allocations;
    for (int round = 0; round < 3; ++round) decide();
    EXPECT_EQ(allocations - before, 0) << class_name;
  }
  EXPECT_EQ(quellwarden::plugin_state().host_failures, 0U);
}

// The names' texts are one set: a name resolved first after another finds its text made.
TEST(resolver_texts_test, a_name_first_resolved_after_another_allocates_nothing) {
  namespace host = quellwarden::host;
  const auto ignore = [](const std::string&) { return 0; };
  host::detail::resolve_by_name<host::game::class_of_object>(ignore);
  const std::int64_t before = allocations;
  host::detail::resolve_by_name<host::game::rcon_send_message>(ignore);
  EXPECT_EQ(allocations - before, 0);
}

}  // namespace
