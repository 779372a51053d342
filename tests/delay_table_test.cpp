// Delay table and key hash: the host's hash values, bucket and storage growth, duplicates,
// emptying.
#include "core/delay_table.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/same_class.h"
#include "standin/standin.h"
#include "tests/support/allocator_balance.h"
#include "tests/support/fstring_key.h"
#include "tests/support/table_layout.h"

namespace {

using quellwarden::DelayTable;
using quellwarden::key_hash;
using qw_test::empty;
using qw_test::layout_of;
using qw_test::make_key;

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

// The table, the cooldown and the checker's mirror of the table tell classes apart by one rule,
// whether the name comes as the game's UTF-16 or the file's UTF-8.
TEST(same_class_test, one_rule_for_both_widths) {
  const std::vector<std::pair<std::string, std::string>> pairs{
      {"Rex_Character_BP_C", "REX_character_bp_c"},
      {"Rex", "Rex_"},
      {"", ""},
      {"abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
      {"a@", "A`"},
      {"\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89"},
      {"[{", "{["}};
  for (const auto& [a, b] : pairs) {
    const std::u16string wide_a(a.begin(), a.end());
    const std::u16string wide_b(b.begin(), b.end());
    const bool same = quellwarden::same_class(std::string_view(a), std::string_view(b));
    EXPECT_EQ(quellwarden::same_class(std::u16string_view(wide_a), wide_b), same) << a << " " << b;
    if (same) {
      EXPECT_EQ(quellwarden::class_hash(a), quellwarden::class_hash(b)) << a;
    }
  }
  EXPECT_TRUE(
      quellwarden::same_class(std::string_view("Rex_Character_BP_C"), "rex_CHARACTER_bp_C"));
  EXPECT_FALSE(quellwarden::same_class(std::string_view("\xC3\xA9"), "\xC3\x89"));
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

// The hash exactly as the host defines it, one byte at a time, for comparison with the fast one.
std::uint32_t reference_key_hash(std::u16string_view text) {
  std::uint32_t hash = 0;
  for (char16_t unit : text) {
    const std::uint32_t folded = unit >= u'a' && unit <= u'z' ? unit - 0x20U : unit;
    for (const std::uint32_t byte : {folded & 0xFFU, folded >> 8U}) {
      hash = (hash >> 8U) ^ quellwarden::detail::key_hash_table_entry(
                                static_cast<std::uint8_t>((hash ^ byte) & 0xFFU));
    }
  }
  return hash;
}

// Every length to past two chunks of 32 units: names of ASCII and Latin-1 units only, and names
// with a unit whose high byte is set somewhere.
TEST(key_hash_test, fast_hash_agrees_with_byte_at_a_time_on_random_texts) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> narrow(1, 0xFF);
  std::uniform_int_distribution<int> wide(0x100, 0xFFFF);
  for (std::size_t length = 0; length <= 70; ++length) {
    for (int round = 0; round < 40; ++round) {
      std::u16string text(length, u'a');
      for (char16_t& unit : text) unit = static_cast<char16_t>(narrow(random));
      ASSERT_EQ(key_hash(make_key(text)), reference_key_hash(text)) << "length " << length;
      if (length == 0) continue;
      text[static_cast<std::size_t>(wide(random)) % length] = static_cast<char16_t>(wide(random));
      ASSERT_EQ(key_hash(make_key(text)), reference_key_hash(text)) << "length " << length;
    }
  }
}

TEST(key_hash_test, pins_values_of_long_class_names) {
  EXPECT_EQ(key_hash(make_key(u"Rex_Character_BP_C")), 0x10564204U);
  EXPECT_EQ(key_hash(make_key(u"Giga_Character_BP_C")), 0x16281353U);
  EXPECT_EQ(key_hash(make_key(u"Wyvern_Character_BP_Fire_C")), 0x9D84DC91U);
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
  static std::size_t live_blocks_added() { return qw_test::AllocatorBalance::blocks_added(); }
};

constinit DelayTable static_table;

TEST_F(delay_table_test, untouched_and_emptied_tables_find_nothing) {
  const std::size_t allocations = standin::allocator_stats().allocations;
  EXPECT_EQ(find(static_table, u"Rex"), -1);
  EXPECT_EQ(layout_of(static_table).bucket_count, 0);
  EXPECT_EQ(layout_of(static_table).flag_capacity, 128);
  EXPECT_EQ(standin::allocator_stats().allocations, allocations + 1);  // the probe only

  EXPECT_EQ(add(static_table, u"Rex", 7), 0);
  EXPECT_EQ(find(static_table, u"Rex"), 0);
  empty(static_table);
  EXPECT_EQ(find(static_table, u"Rex"), -1);
  EXPECT_EQ(layout_of(static_table).bucket_count, 0);
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
    EXPECT_EQ(layout_of(table).bucket_count, buckets) << "at " << elements << " elements";
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
  EXPECT_EQ(layout_of(table).free_count, 1);
  EXPECT_EQ(live_blocks_added(), 3U);  // the slots and two keys: the old "Rex" was given back
  EXPECT_EQ(find(table, u"rex"), 0);
  EXPECT_EQ(table.unlock_time(0), 200);
  std::vector<std::pair<std::u16string, std::int64_t>> seen;
  table.for_each([&](std::int32_t, std::u16string_view key, std::int64_t time) {
    seen.emplace_back(std::u16string(key), time);
  });
  const std::vector<std::pair<std::u16string, std::int64_t>> expected = {{u"REX", 200},
                                                                         {u"Raptor", 150}};
  EXPECT_EQ(seen, expected);

  EXPECT_EQ(add(table, u"Dodo", 300), 2);  // the slot freed above
  EXPECT_EQ(layout_of(table).free_count, 0);
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

TEST_F(delay_table_test, swap_exchanges_inline_and_allocated_contents_whole) {
  DelayTable large;
  for (int index = 0; index < 200; ++index) {
    add(large, numbered(index), index);
  }
  DelayTable small;
  add(small, u"Rex", 7);
  large.swap(small);
  EXPECT_EQ(large.element_count(), 1);
  EXPECT_EQ(layout_of(large).bucket_count, 1);
  EXPECT_EQ(large.unlock_time(find(large, u"REX")), 7);
  EXPECT_EQ(small.element_count(), 200);
  EXPECT_EQ(layout_of(small).flag_capacity, 768);
  EXPECT_EQ(small.unlock_time(find(small, u"k199")), 199);
  EXPECT_EQ(find(small, u"Rex"), -1);
}

TEST_F(delay_table_test, emptying_gives_back_every_block) {
  DelayTable table;
  for (int index = 0; index < 4; ++index) {
    add(table, numbered(index), index);
  }
  ASSERT_EQ(layout_of(table).bucket_count, 16);
  EXPECT_EQ(live_blocks_added(), 6U);  // slots, buckets, four keys
  empty(table);
  EXPECT_EQ(live_blocks_added(), 0U);
  EXPECT_EQ(layout_of(table).bucket_count, 0);
  EXPECT_EQ(layout_of(table).slot_capacity, 0);
  EXPECT_EQ(find(table, u"k0"), -1);

  EXPECT_EQ(add(table, u"k9", 9), 0);  // usable again
  EXPECT_EQ(layout_of(table).bucket_count, 1);
  EXPECT_EQ(find(table, u"K9"), 0);
  empty(table);
  EXPECT_EQ(layout_of(table).bucket_count, 0);
  EXPECT_EQ(live_blocks_added(), 0U);
}

TEST_F(delay_table_test, slot_and_flag_storage_grow_in_host_steps) {
  DelayTable table;
  std::vector<std::pair<int, int>> slot_steps;
  std::vector<std::pair<int, int>> flag_steps;
  for (int index = 0; index < 800; ++index) {
    const int slots_before = layout_of(table).slot_capacity;
    const int flags_before = layout_of(table).flag_capacity;
    add(table, numbered(index), index);
    if (layout_of(table).slot_capacity != slots_before) {
      slot_steps.emplace_back(index + 1, layout_of(table).slot_capacity);
    }
    if (layout_of(table).flag_capacity != flags_before) {
      flag_steps.emplace_back(index + 1, layout_of(table).flag_capacity);
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
  empty(table);
  EXPECT_EQ(layout_of(table).flag_capacity, 128);
  EXPECT_EQ(live_blocks_added(), 0U);
}

// The game's allocator refuses the first, then the second, ... allocation of a 40-class load: the
// add that met the refusal changes nothing, keeps no part of its key, and the table goes on.
TEST_F(delay_table_test, a_refused_allocation_leaves_the_table_as_it_was) {
  constexpr int kClasses = 40;
  bool refusal_met = true;
  for (std::size_t nth = 1; refusal_met; ++nth) {
    SCOPED_TRACE("allocation " + std::to_string(nth) + " refused");
    std::vector<FString> keys;
    for (int index = 0; index < kClasses; ++index) {
      keys.push_back(make_key(numbered(index)));
    }
    DelayTable table;
    int added = 0;
    standin::fail_alloc(nth);
    try {
      for (; added < kClasses; ++added) {
        table.add(std::move(keys[static_cast<std::size_t>(added)]), added);
      }
    } catch (const std::bad_alloc&) {
      EXPECT_NE(keys[static_cast<std::size_t>(added)].data(), nullptr) << "the key was kept";
    }
    refusal_met = !standin::alloc_failure_pending();
    standin::fail_alloc(0);
    ASSERT_EQ(table.element_count(), added);
    for (int index = 0; index < added; ++index) {
      ASSERT_EQ(find(table, numbered(index)), index);
    }
    for (; added < kClasses; ++added) {
      EXPECT_EQ(table.add(std::move(keys[static_cast<std::size_t>(added)]), added), added);
    }
    EXPECT_EQ(find(table, numbered(kClasses - 1)), kClasses - 1);
  }
}

}  // namespace
