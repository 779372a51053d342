// Fails every test that ends holding a different number of the game allocator's blocks than it
// began with: one check for each test program whose code takes memory from the game.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>

#include "standin/standin.h"

namespace qw_test {

// A free the game refused leaves its block live, counted by the plugin; a test may end with such
// blocks, but with no other.
class AllocatorBalance final : public ::testing::EmptyTestEventListener {
 public:
  // Blocks taken since the running test began.
  static std::size_t blocks_added() {
    return standin::allocator_stats().live_blocks - before_.live_blocks;
  }

  void OnTestStart(const ::testing::TestInfo& /*test*/) override {
    before_ = standin::allocator_stats();
  }
  void OnTestEnd(const ::testing::TestInfo& /*test*/) override {
    const standin::AllocatorStats after = standin::allocator_stats();
    EXPECT_GE(after.live_blocks, before_.live_blocks) << "the test freed blocks it did not take";
    EXPECT_LE(after.live_blocks - before_.live_blocks, after.refused_frees - before_.refused_frees)
        << "the test ended holding blocks of the game's allocator";
  }

 private:
  static inline standin::AllocatorStats before_{};
};

// Including this header checks every test of the program, once however many files include it.
inline const bool kAllocatorBalanceChecked = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new AllocatorBalance);
  return true;
}();

}  // namespace qw_test
