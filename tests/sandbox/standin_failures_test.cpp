// Failures the stand-in host produces on demand: each strikes the named thing only, as often as
// asked, and a reset withdraws what is still pending.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "host/asa_api.h"
#include "host/fstring.h"
#include "host/game_functions.h"
#include "standin/standin.h"
#include "tests/support/expect_throw_msg.h"

namespace {

constexpr const char* kFree = "FMemory.Free(void*)";
constexpr const char* kSetRider = "APrimalDinoCharacter.SetRider(AShooterCharacter*)";

class standin_failures_test : public ::testing::Test {
 protected:
  ~standin_failures_test() override { standin::reset_records(); }
};

TEST_F(standin_failures_test, look_ups_of_the_name_yield_null_as_often_as_asked) {
  const auto* creature = standin::spawn_creature("Rex_Character_BP_C");
  standin::fail_resolve(kFree, 2);
  standin::fail_resolve("UObjectBase.NamePrivate");
  EXPECT_NE(GetAddress("FMemory.Malloc(unsigned__int64,unsignedint)"), nullptr);
  EXPECT_EQ(GetAddress(kFree), nullptr);
  EXPECT_EQ(GetAddress(kFree), nullptr);
  EXPECT_NE(GetAddress(kFree), nullptr);
  EXPECT_EQ(GetAddress(creature, "UObjectBase.NamePrivate"), 0U);
  EXPECT_NE(GetAddress(creature, "UObjectBase.NamePrivate"), 0U);
}

TEST_F(standin_failures_test, the_allocator_refuses_its_nth_allocation_and_keeps_the_old_block) {
  namespace game = quellwarden::host::game;
  const auto malloc = reinterpret_cast<decltype(game::malloc_block)::Pointer>(
      GetAddress(std::string(game::malloc_block.name)));
  const auto realloc = reinterpret_cast<decltype(game::realloc_block)::Pointer>(
      GetAddress(std::string(game::realloc_block.name)));
  const std::size_t bytes_before = standin::allocator_stats().live_bytes;
  standin::fail_alloc(2);
  void* block = malloc(8, 0);
  ASSERT_NE(block, nullptr);
  EXPECT_TRUE(standin::alloc_failure_pending());
  EXPECT_EQ(realloc(block, 64, 0), nullptr);
  EXPECT_FALSE(standin::alloc_failure_pending());
  EXPECT_EQ(standin::allocator_stats().live_bytes, bytes_before + 8) << "the old block stays";
  EXPECT_EQ(realloc(block, 0, 0), nullptr);
}

TEST_F(standin_failures_test, a_failed_hook_installs_nothing_and_the_next_one_succeeds) {
  void (*handler)() = [] {};
  void* call_through = nullptr;
  standin::fail_next_hook(kSetRider);
  EXPECT_FALSE(
      AsaApi::GetHooks().SetHook(kSetRider, reinterpret_cast<void*>(handler), &call_through));
  EXPECT_EQ(call_through, nullptr);
  EXPECT_TRUE(standin::installed_hooks().empty());
  EXPECT_TRUE(
      AsaApi::GetHooks().SetHook(kSetRider, reinterpret_cast<void*>(handler), &call_through));
  EXPECT_TRUE(AsaApi::GetHooks().RemoveHook(kSetRider, reinterpret_cast<void*>(handler)));
}

TEST_F(standin_failures_test, a_refused_command_throws_its_name_in_any_letter_case) {
  standin::fail_next_command("quellwarden.RELOAD");
  const FString name("Quellwarden.reload");
  EXPECT_THROW_MSG(AsaApi::GetCommands().AddRconCommand(name, {}), std::runtime_error,
                   "the host refused to register the command Quellwarden.reload");
  EXPECT_TRUE(standin::rcon_commands().empty());
  AsaApi::GetCommands().AddConsoleCommand(name, {});
  EXPECT_TRUE(AsaApi::GetCommands().RemoveConsoleCommand(name));
}

TEST_F(standin_failures_test, a_reset_withdraws_pending_failures) {
  standin::fail_resolve(kFree, 3);
  standin::fail_next_hook(kSetRider);
  standin::fail_next_command("Quellwarden.reload");
  standin::reset_records();
  EXPECT_NE(GetAddress(kFree), nullptr);
  void (*handler)() = [] {};
  void* call_through = nullptr;
  EXPECT_TRUE(
      AsaApi::GetHooks().SetHook(kSetRider, reinterpret_cast<void*>(handler), &call_through));
  EXPECT_TRUE(AsaApi::GetHooks().RemoveHook(kSetRider, reinterpret_cast<void*>(handler)));
  const FString name("Quellwarden.reload");
  EXPECT_NO_THROW(AsaApi::GetCommands().AddRconCommand(name, {}));
  EXPECT_TRUE(AsaApi::GetCommands().RemoveRconCommand(name));
}

}  // namespace
