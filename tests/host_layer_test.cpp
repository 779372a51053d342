// FString and binding by name, against the stand-in game: layout rules, equality, widening.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <utility>
#include <vector>

#include "host/class_name.h"
#include "host/fstring.h"
#include "host/game_functions.h"
#include "host/widen.h"
#include "standin/standin.h"
#include "tests/support/allocator_balance.h"
#include "tests/support/expect_throw_msg.h"
#include "tests/support/fstring_key.h"

namespace {

using quellwarden::host::widen;

// The delay table's equality, as it meets two keys.
bool fstring_equal(const FString& held, const FString& probe) {
  return quellwarden::host::fstring_equal(held.raw(), probe.raw());
}

FString text(const char* utf8) { return FString(utf8); }

class host_layer_test : public ::testing::Test {};

TEST_F(host_layer_test, empty_forms_are_equal_and_differ_from_one_letter) {
  const FString zero;
  const FString one_unit = qw_test::make_key(u"");
  const FString letter = text("a");
  EXPECT_TRUE(fstring_equal(zero, one_unit));
  EXPECT_TRUE(fstring_equal(one_unit, zero));
  EXPECT_FALSE(fstring_equal(zero, letter));
  EXPECT_FALSE(fstring_equal(one_unit, letter));
}

TEST_F(host_layer_test, equality_ignores_case_and_never_matches_other_lengths) {
  standin::reset_records();
  EXPECT_TRUE(fstring_equal(text("abc"), text("ABC")));
  EXPECT_EQ(standin::compare_calls(), 1U);
  EXPECT_FALSE(fstring_equal(text("abc"), text("abcd")));
  EXPECT_EQ(standin::compare_calls(), 1U) << "different lengths never reach the game's compare";
  EXPECT_FALSE(fstring_equal(text("abc"), text("abd")));
}

TEST_F(host_layer_test, move_leaves_source_empty_and_release_frees_once) {
  FString source = text("Rex");
  const auto frees_before = standin::allocator_stats().frees;
  FString target(std::move(source));
  EXPECT_EQ(source.data(), nullptr);
  EXPECT_EQ(source.count(), 0);
  EXPECT_EQ(target.count(), 4);
  source.release();
  EXPECT_EQ(standin::allocator_stats().frees, frees_before);
  target.release();
  target.release();
  EXPECT_EQ(standin::allocator_stats().frees, frees_before + 1);
}

TEST_F(host_layer_test, widening_keeps_ascii_and_stops_at_nul) {
  EXPECT_EQ(widen("Rex_Character_BP_C").view(), u"Rex_Character_BP_C");
  EXPECT_EQ(widen(std::string("ab\0cd", 5)).view(), u"ab");
}

TEST_F(host_layer_test, widening_decodes_utf8_including_surrogate_pairs) {
  EXPECT_EQ(widen("\xC3\xA9").view(), u"\u00E9");
  EXPECT_EQ(widen("Drache_\xE9\xBE\x99").view(), u"Drache_\u9F99");
  EXPECT_EQ(widen("\xF0\x9F\xA6\x96").view(), u"\U0001F996");
  EXPECT_EQ(widen("a\xFFz").view(), u"a\uFFFDz");
  EXPECT_EQ(widen("\xE9").view(), u"\uFFFD");
}

TEST_F(host_layer_test, widening_borrows_a_block_only_past_127_units) {
  const auto before = standin::allocator_stats().allocations;
  const FString short_text = widen(std::string(127, 'x'));
  // The host's constructor allocates the result; widening itself took nothing.
  EXPECT_EQ(standin::allocator_stats().allocations, before + 1);
  EXPECT_EQ(short_text.count(), 128);

  const auto bytes_before = standin::allocator_stats().live_bytes;
  const FString long_text = widen(std::string(128, 'y'));
  // One borrowed block of (128 + 1) * 2 bytes, given back, and the result's own buffer.
  EXPECT_EQ(standin::allocator_stats().allocations, before + 3);
  EXPECT_EQ(standin::allocator_stats().live_bytes, bytes_before + 258);
  EXPECT_EQ(long_text.count(), 129);
}

TEST_F(host_layer_test, widening_a_long_name_the_allocator_refuses_throws) {
  standin::fail_alloc(1);
  EXPECT_THROW(widen(std::string(200, 'x')), std::bad_alloc);
  standin::fail_alloc(0);
}

// Releases run in destructors: a free the game will not make leaves its block, counted, and
// never ends the process.
TEST_F(host_layer_test, a_free_the_game_will_not_make_leaves_the_block_and_counts_it) {
  const std::string_view free_name = quellwarden::host::game::free_block.name;
  for (const auto fail : {&standin::fail_resolve, &standin::fail_throw}) {
    void* block = quellwarden::host::resize_block(nullptr, 8);
    const auto left = quellwarden::host::blocks_left_behind();
    fail(free_name, 1);
    quellwarden::host::free_block(block);
    EXPECT_EQ(quellwarden::host::blocks_left_behind(), left + 1);
    quellwarden::host::free_block(block);
    EXPECT_EQ(quellwarden::host::blocks_left_behind(), left + 1) << "freed once the game takes it";
  }
}

TEST_F(host_layer_test, resize_block_allocates_grows_and_frees_to_null) {
  const std::size_t bytes_before = standin::allocator_stats().live_bytes;
  void* block = quellwarden::host::resize_block(nullptr, 16);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(standin::allocator_stats().live_bytes, bytes_before + 16);
  block = quellwarden::host::resize_block(block, 64);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(standin::allocator_stats().live_bytes, bytes_before + 64);
  EXPECT_EQ(quellwarden::host::resize_block(block, 0), nullptr);
  EXPECT_EQ(standin::allocator_stats().live_bytes, bytes_before);
}

TEST_F(host_layer_test, class_name_is_the_class_not_the_instance) {
  APrimalDinoCharacter* rex = standin::spawn_creature("Rex_Character_BP_C");
  EXPECT_EQ(quellwarden::host::read_class(rex).name.view(), u"Rex_Character_BP_C");
  standin::reset_world();
}

TEST(host_layer_death_test, double_and_foreign_frees_are_caught) {
  void* block = quellwarden::host::resize_block(nullptr, 8);
  quellwarden::host::free_block(block);
  EXPECT_DEATH(quellwarden::host::free_block(block), "double free");
  int local = 0;
  EXPECT_DEATH(quellwarden::host::free_block(&local), "never allocated");
}

// The benchmarks count the game's blocks through a watcher, with the books off as on a real host.
TEST(host_layer_test_books, without_books_a_watcher_still_sees_every_block_come_and_go) {
  static std::vector<std::pair<void*, bool>> seen;
  seen.clear();
  standin::keep_books(false);
  standin::watch_blocks([](void* block, bool taken) { seen.emplace_back(block, taken); });
  const standin::AllocatorStats before = standin::allocator_stats();
  void* first = quellwarden::host::resize_block(nullptr, 8);
  void* second = quellwarden::host::resize_block(first, 4096);
  EXPECT_EQ(quellwarden::host::resize_block(second, 0), nullptr);
  standin::watch_blocks(nullptr);
  standin::keep_books(true);
  EXPECT_EQ(standin::allocator_stats().allocations, before.allocations) << "no books kept";
  const std::vector<std::pair<void*, bool>> expected{
      {first, true}, {first, false}, {second, true}, {second, false}};
  EXPECT_EQ(seen, expected);
}

TEST(host_layer_test_resolver, unknown_names_are_errors_that_name_them) {
  EXPECT_THROW_MSG(GetAddress(std::string("FMemory.Nothing()")), std::invalid_argument,
                   "GetAddress: no game function \"FMemory.Nothing()\"");
}

// The checks the tests rely on must fail when a statement throws nothing or another exception.
TEST(expect_throw_msg_test, fails_on_no_exception_and_on_another_type) {
  EXPECT_NONFATAL_FAILURE(EXPECT_THROW_MSG(static_cast<void>(0), std::runtime_error, "x"),
                          "did not throw std::runtime_error");
  EXPECT_NONFATAL_FAILURE(EXPECT_THROW_MSG(throw 1, std::runtime_error, "x"),
                          "threw an exception of another type than std::runtime_error");
  EXPECT_NONFATAL_FAILURE(EXPECT_THROW_MSG(throw std::runtime_error("y"), std::runtime_error, "x"),
                          "thrown by");
}

}  // namespace
