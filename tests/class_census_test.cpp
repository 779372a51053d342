// The census of classes met: counts by gate, names kept apart whatever their hash, the bound, and
// no allocation for a name already seen.
#include "core/class_census.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <string>

namespace {

std::size_t allocations = 0;

}  // namespace

// Counted for the test of a name seen before; every other test ignores the count.
void* operator new(std::size_t size) {
  ++allocations;
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

using quellwarden::ClassCensus;

std::u16string numbered(std::size_t index) {
  const std::string text = "Dino" + std::to_string(index) + "_Character_BP_C";
  return {text.begin(), text.end()};
}

// Names that share a hash, or differ only in letter case, are still counted apart.
TEST(class_census_test, counts_each_name_by_gate_in_the_order_first_met) {
  const auto census = std::make_unique<ClassCensus>();
  census->record(0, 7, u"Rex_Character_BP_C");
  census->record(2, 7, u"MyMod_Dragon_Character_BP_C");
  census->record(0, 7, u"Rex_Character_BP_C");
  census->record(1, 7, u"REX_CHARACTER_BP_C");
  census->record(2, 7, u"Rex_Character_BP_C");
  census->record(2, 8, u"");
  ASSERT_EQ(census->entries().size(), 4U);
  EXPECT_EQ(census->entries()[0].name, u"Rex_Character_BP_C");
  EXPECT_EQ(census->entries()[0].calls, (std::array<std::uint64_t, 3>{2, 0, 1}));
  EXPECT_EQ(census->entries()[1].name, u"MyMod_Dragon_Character_BP_C");
  EXPECT_EQ(census->entries()[1].calls, (std::array<std::uint64_t, 3>{0, 0, 1}));
  EXPECT_EQ(census->entries()[2].calls, (std::array<std::uint64_t, 3>{0, 1, 0}));
  EXPECT_EQ(census->entries()[3].name, u"");
  EXPECT_EQ(census->unkept_calls(), 0U);
}

TEST(class_census_test, keeps_the_first_names_then_counts_the_calls_on_the_rest) {
  const auto census = std::make_unique<ClassCensus>();
  for (std::size_t index = 0; index < ClassCensus::kMostClasses + 3; ++index) {
    census->record(0, static_cast<std::uint32_t>(index * 2654435761U), numbered(index));
  }
  census->record(1, 0, numbered(ClassCensus::kMostClasses + 1));
  census->record(1, 0, numbered(0));
  ASSERT_EQ(census->entries().size(), ClassCensus::kMostClasses);
  EXPECT_EQ(census->entries().back().name, numbered(ClassCensus::kMostClasses - 1));
  EXPECT_EQ(census->unkept_calls(), 4U);
  EXPECT_EQ(census->entries()[0].calls[1], 1U);
}

TEST(class_census_test, a_name_seen_before_allocates_nothing) {
  const auto census = std::make_unique<ClassCensus>();
  const std::u16string name = numbered(12345);
  census->record(0, 99, name);
  const std::size_t before = allocations;
  for (std::size_t call = 0; call < 100; ++call) census->record(call % 3, 99, name);
  EXPECT_EQ(allocations, before);
  EXPECT_EQ(census->entries()[0].calls, (std::array<std::uint64_t, 3>{35, 33, 33}));
}

}  // namespace
