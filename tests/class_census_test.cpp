// The census of classes met: counts by gate, class objects kept apart by address and hash, the
// bound, and no allocation for a class already seen.
#include "core/class_census.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <string>

namespace {

std::size_t allocations = 0;

}  // namespace

// Counted for the test of a class seen before; every other test ignores the count.
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

// Stand-ins for the game's class objects: only their addresses count.
const std::array<int, 4> kClassObjects{};

// Class objects that share a hash are counted apart; so is an address a class of another name
// took over (its hash differs), while the name of the first sight stays.
TEST(class_census_test, counts_each_class_object_by_gate_in_the_order_first_met) {
  const auto census = std::make_unique<ClassCensus>();
  const void* rex = &kClassObjects[0];
  const void* dragon = &kClassObjects[1];
  census->record(0, rex, 7, u"Rex_Character_BP_C");
  census->record(2, dragon, 7, u"MyMod_Dragon_Character_BP_C");
  census->record(0, rex, 7, u"Rex_Character_BP_C");
  census->record(1, rex, 8, u"Giga_Character_BP_C");
  census->record(2, rex, 7, u"Rex_Character_BP_C");
  ASSERT_EQ(census->entries().size(), 3U);
  EXPECT_EQ(census->entries()[0].name, u"Rex_Character_BP_C");
  EXPECT_EQ(census->entries()[0].calls, (std::array<std::uint64_t, 3>{2, 0, 1}));
  EXPECT_EQ(census->entries()[1].name, u"MyMod_Dragon_Character_BP_C");
  EXPECT_EQ(census->entries()[1].calls, (std::array<std::uint64_t, 3>{0, 0, 1}));
  EXPECT_EQ(census->entries()[2].name, u"Giga_Character_BP_C");
  EXPECT_EQ(census->entries()[2].calls, (std::array<std::uint64_t, 3>{0, 1, 0}));
  EXPECT_EQ(census->unkept_calls(), 0U);
}

TEST(class_census_test, keeps_the_first_classes_then_counts_the_calls_on_the_rest) {
  const auto census = std::make_unique<ClassCensus>();
  const std::vector<char> objects(ClassCensus::kMostClasses + 3);
  for (std::size_t index = 0; index < objects.size(); ++index) {
    census->record(0, &objects[index], static_cast<std::uint32_t>(index * 2654435761U),
                   numbered(index));
  }
  census->record(1, &objects.back(), 0, numbered(objects.size() - 1));
  census->record(1, &objects[0], 0, numbered(0));
  ASSERT_EQ(census->entries().size(), ClassCensus::kMostClasses);
  EXPECT_EQ(census->entries().back().name, numbered(ClassCensus::kMostClasses - 1));
  EXPECT_EQ(census->unkept_calls(), 4U);
  EXPECT_EQ(census->entries()[0].calls[1], 1U);
}

TEST(class_census_test, a_class_seen_before_allocates_nothing) {
  const auto census = std::make_unique<ClassCensus>();
  const std::u16string name = numbered(12345);
  census->record(0, &kClassObjects[2], 99, name);
  const std::size_t before = allocations;
  for (std::size_t call = 0; call < 100; ++call)
    census->record(call % 3, &kClassObjects[2], 99, name);
  EXPECT_EQ(allocations, before);
  EXPECT_EQ(census->entries()[0].calls, (std::array<std::uint64_t, 3>{35, 33, 33}));
}

}  // namespace
