// Delay table and key hash: the host's hash values, bucket and storage growth, duplicates, clear.
#include "core/delay_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "host/binding.h"
#include "standin/standin.h"

namespace {

using quellwarden::DelayTable;
using quellwarden::key_hash;

// Any text, embedded NULs included, with the terminating NUL counted.
FString make_key(std::u16string_view text) {
  const auto units = static_cast<std::int32_t>(text.size() + 1);
  auto* buffer = static_cast<WIDECHAR*>(
      quellwarden::host::resize_block(nullptr, static_cast<std::uint64_t>(units) * 2U));
  std::copy(text.begin(), text.end(), buffer);
  buffer[text.size()] = 0;
  FString key;
  key.adopt(buffer, units, units);
  return key;
}

std::u16string numbered(int index) {
  std::string digits = "k";
  digits += std::to_string(index);
  return {digits.begin(), digits.end()};
}

std::int32_t find(const DelayTable& table, std::u16string_view text) {
  const FString probe = make_key(text);
  return table.find(key_hash(probe), probe);
}

std::int32_t add(DelayTable& table, std::u16string_view text, std::int64_t time) {
  return table.add(make_key(text), time);
}

TEST(key_hash_test, matches_host_values) {
  EXPECT_EQ(key_hash(make_key(u"abc")), 0xC05C9C7BU);
  EXPECT_EQ(key_hash(make_key(u"ABC")), 0xC05C9C7BU);
  EXPECT_EQ(key_hash(make_key(u"Rex")), 0x725EAE47U);
  EXPECT_EQ(key_hash(FString()), 0U);
  EXPECT_EQ(key_hash(make_key(u"")), 0U);
  EXPECT_EQ(quellwarden::detail::key_hash_table_entry(0), 0U);
  EXPECT_EQ(quellwarden::detail::key_hash_table_entry(1), 0x04C11DB7U);
  EXPECT_EQ(quellwarden::detail::key_hash_table_entry(2), 0x09823B6EU);
  EXPECT_EQ(quellwarden::detail::key_hash_table_entry(255), 0xB1F740B4U);
}

TEST(key_hash_test, folds_only_ascii_letters_and_reads_past_embedded_nul) {
  EXPECT_EQ(key_hash(make_key(u"\u00E9")), 0xFAD53083U);
  EXPECT_EQ(key_hash(make_key(u"\u00C9")), 0x3FE4354CU);
  EXPECT_EQ(key_hash(make_key(u"z")), key_hash(make_key(u"Z")));
  EXPECT_NE(key_hash(make_key(u"`")), key_hash(make_key(u"@")));
  EXPECT_NE(key_hash(make_key(u"{")), key_hash(make_key(u"[")));
  EXPECT_NE(key_hash(make_key(std::u16string_view(u"a\0b", 3))), key_hash(make_key(u"a")));
}

class delay_table_test : public testing::Test {
 protected:
  void SetUp() override { blocks_before_ = standin::allocator_stats().live_blocks; }
  void TearDown() override {
    EXPECT_EQ(standin::allocator_stats().live_blocks, blocks_before_) << "blocks left behind";
  }
  std::size_t live_blocks_added() const {
    return standin::allocator_stats().live_blocks - blocks_before_;
  }

  std::size_t blocks_before_ = 0;
};

constinit DelayTable static_table;

TEST_F(delay_table_test, untouched_and_cleared_tables_find_nothing) {
  const std::size_t allocations = standin::allocator_stats().allocations;
  EXPECT_EQ(find(static_table, u"Rex"), -1);
  static_table.clear();
  EXPECT_EQ(static_table.bucket_count(), 0);
  EXPECT_EQ(static_table.flag_capacity(), 128);
  EXPECT_EQ(standin::allocator_stats().allocations, allocations + 1);  // the probe only

  EXPECT_EQ(add(static_table, u"Rex", 7), 0);
  EXPECT_EQ(find(static_table, u"Rex"), 0);
  static_table.clear();
  EXPECT_EQ(find(static_table, u"Rex"), -1);
  EXPECT_EQ(static_table.bucket_count(), 1);
  EXPECT_EQ(static_table.element_count(), 0);
}

TEST_F(delay_table_test, bucket_count_steps_at_4th_18th_and_50th_element) {
  DelayTable table;
  const std::vector<std::pair<int, int>> expected = {{1, 1},   {3, 1},   {4, 16}, {17, 16},
                                                     {18, 32}, {49, 32}, {50, 64}};
  int added = 0;
  for (const auto& [elements, buckets] : expected) {
    for (; added < elements; ++added) {
      EXPECT_EQ(add(table, numbered(added), 1000 + added), added);
    }
    EXPECT_EQ(table.bucket_count(), buckets) << "at " << elements << " elements";
  }
  for (int index = 0; index < added; ++index) {
    const std::int32_t slot = find(table, numbered(index));
    ASSERT_EQ(slot, index);
    EXPECT_EQ(table.unlock_time(slot), 1000 + index);
  }
  EXPECT_EQ(find(table, u"k50"), -1);
}

TEST_F(delay_table_test, duplicate_add_keeps_latest_case_and_frees_its_slot) {
  DelayTable table;
  EXPECT_EQ(add(table, u"Rex", 100), 0);
  EXPECT_EQ(add(table, u"Raptor", 150), 1);
  FString upper = make_key(u"REX");
  EXPECT_EQ(table.add(std::move(upper), 200), 0);
  EXPECT_EQ(upper.data(), nullptr);
  EXPECT_EQ(upper.count(), 0);

  EXPECT_EQ(table.element_count(), 2);
  EXPECT_EQ(table.free_count(), 1);
  EXPECT_EQ(live_blocks_added(), 3U);  // the slots and two keys: the old "Rex" was given back
  EXPECT_EQ(find(table, u"rex"), 0);
  EXPECT_EQ(table.unlock_time(0), 200);
  std::vector<std::pair<std::u16string, std::int64_t>> seen;
  table.for_each([&](const FString& key, std::int64_t time) {
    seen.emplace_back(std::u16string(key.view()), time);
  });
  const std::vector<std::pair<std::u16string, std::int64_t>> expected = {{u"REX", 200},
                                                                         {u"Raptor", 150}};
  EXPECT_EQ(seen, expected);

  EXPECT_EQ(add(table, u"Dodo", 300), 2);  // the slot freed above
  EXPECT_EQ(table.free_count(), 0);
  EXPECT_EQ(add(table, u"Yutyrannus", 400), 3);
}

TEST_F(delay_table_test, both_empty_forms_are_one_key) {
  DelayTable table;
  EXPECT_EQ(table.add(FString(), 5), 0);
  EXPECT_EQ(add(table, u"", 6), 0);
  EXPECT_EQ(table.element_count(), 1);
  EXPECT_EQ(table.unlock_time(table.find(0, FString())), 6);
}

TEST_F(delay_table_test, non_ascii_case_variants_in_other_buckets_stay_apart) {
  DelayTable table;
  for (int index = 0; index < 4; ++index) {
    add(table, numbered(index), index);
  }
  EXPECT_EQ(add(table, u"\u00E9", 10), 4);
  EXPECT_EQ(add(table, u"\u00C9", 20), 5);
  EXPECT_EQ(table.element_count(), 6);
  EXPECT_EQ(table.unlock_time(find(table, u"\u00E9")), 10);
  EXPECT_EQ(table.unlock_time(find(table, u"\u00C9")), 20);
}

TEST_F(delay_table_test, clear_gives_back_every_block) {
  DelayTable table;
  for (int index = 0; index < 4; ++index) {
    add(table, numbered(index), index);
  }
  ASSERT_EQ(table.bucket_count(), 16);
  EXPECT_EQ(live_blocks_added(), 6U);  // slots, buckets, four keys
  table.clear();
  EXPECT_EQ(live_blocks_added(), 0U);
  EXPECT_EQ(table.bucket_count(), 1);
  EXPECT_EQ(table.slot_capacity(), 0);
  EXPECT_EQ(find(table, u"k0"), -1);

  EXPECT_EQ(add(table, u"k9", 9), 0);  // usable again, one bucket kept
  EXPECT_EQ(table.bucket_count(), 1);
  EXPECT_EQ(find(table, u"K9"), 0);
  table.clear();
  EXPECT_EQ(table.bucket_count(), 1);
  EXPECT_EQ(live_blocks_added(), 0U);
}

TEST_F(delay_table_test, slot_and_flag_storage_grow_in_host_steps) {
  DelayTable table;
  std::vector<std::pair<int, int>> slot_steps;
  std::vector<std::pair<int, int>> flag_steps;
  for (int index = 0; index < 800; ++index) {
    const int slots_before = table.slot_capacity();
    const int flags_before = table.flag_capacity();
    add(table, numbered(index), index);
    if (table.slot_capacity() != slots_before) {
      slot_steps.emplace_back(index + 1, table.slot_capacity());
    }
    if (table.flag_capacity() != flags_before) {
      flag_steps.emplace_back(index + 1, table.flag_capacity());
    }
    if (index + 1 == 129) {
      EXPECT_EQ(live_blocks_added(), 132U);  // keys, slots, flag words, buckets
    }
  }
  const std::vector<std::pair<int, int>> expected_slots = {
      {1, 4},     {5, 22},    {23, 47},   {48, 82},   {83, 130},
      {131, 196}, {197, 286}, {287, 410}, {411, 581}, {582, 816}};
  EXPECT_EQ(slot_steps, expected_slots);
  const std::vector<std::pair<int, int>> expected_flags = {{129, 160}, {161, 768}, {769, 1600}};
  EXPECT_EQ(flag_steps, expected_flags);
  for (int index = 0; index < 800; index += 7) {
    EXPECT_EQ(find(table, numbered(index)), index);
  }
  table.clear();
  EXPECT_EQ(table.flag_capacity(), 128);
  EXPECT_EQ(live_blocks_added(), 0U);
}

}  // namespace
