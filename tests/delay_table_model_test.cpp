// The delay table against a plain ordered map keyed by the upper-cased text, over many random adds.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

#include "core/delay_table.h"
#include "standin/standin.h"
#include "tests/support/fstring_key.h"
#include "tests/support/table_layout.h"

namespace {

using quellwarden::DelayTable;
using quellwarden::key_hash;

struct Entry {
  std::u16string text;  // in the letter case of the latest add
  std::int64_t time = 0;
  std::int32_t slot = -1;
};
using Model = std::map<std::u16string, Entry>;

class Generator {
 public:
  explicit Generator(std::uint32_t seed) : engine_(seed) {}

  std::uint32_t below(std::uint32_t bound) { return static_cast<std::uint32_t>(engine_() % bound); }

  // Up to four letters of a to e in random case, so duplicates and case variants are common.
  std::u16string text() {
    std::u16string result(below(5), u'a');
    for (char16_t& unit : result) {
      unit = static_cast<char16_t>((below(2) == 0 ? u'a' : u'A') + below(5));
    }
    return result;
  }

  // The empty text comes in both of its forms: no buffer, or a buffer holding only the NUL.
  FString key(std::u16string_view text) {
    if (text.empty() && below(2) == 0) {
      return FString();
    }
    return qw_test::make_key(text);
  }

  std::int64_t time() {
    return static_cast<std::int64_t>((std::uint64_t{engine_()} << 32) | engine_());
  }

 private:
  std::mt19937 engine_;
};

std::u16string upper(std::u16string text) {
  for (char16_t& unit : text) {
    if (unit >= u'a' && unit <= u'z') {
      unit = static_cast<char16_t>(unit - 0x20);
    }
  }
  return text;
}

void expect_lookup_agrees(const DelayTable& table, const Model& model, Generator& generator,
                          const std::u16string& text) {
  const FString probe = generator.key(text);
  const std::int32_t slot = table.find(key_hash(probe), probe);
  const auto entry = model.find(upper(text));
  if (entry == model.end()) {
    EXPECT_EQ(slot, -1) << "absent key found";
    return;
  }
  ASSERT_EQ(slot, entry->second.slot);
  EXPECT_EQ(table.unlock_time(slot), entry->second.time);
}

void expect_contents_agree(const DelayTable& table, const Model& model) {
  Model seen;
  table.for_each([&](std::int32_t, std::u16string_view key, std::int64_t time) {
    const std::u16string text(key);
    EXPECT_TRUE(seen.emplace(upper(text), Entry{text, time, -1}).second) << "key held twice";
  });
  ASSERT_EQ(seen.size(), model.size());
  for (auto held = seen.cbegin(), want = model.cbegin(); held != seen.cend(); ++held, ++want) {
    EXPECT_EQ(held->second.text, want->second.text);
    EXPECT_EQ(held->second.time, want->second.time);
  }
}

TEST(delay_table_model_test, random_adds_and_clears_agree_with_map) {
  const std::size_t blocks_before = standin::allocator_stats().live_blocks;
  {
    DelayTable table;
    Model model;
    Generator generator(20240611);
    for (int step = 0; step < 20000; ++step) {
      if (generator.below(2500) == 0) {
        qw_test::empty(table);
        model.clear();
        EXPECT_EQ(standin::allocator_stats().live_blocks, blocks_before);
      } else {
        const std::u16string text = generator.text();
        const std::int64_t time = generator.time();
        const std::int32_t slot = table.add(generator.key(text), time);
        Entry& entry = model[upper(text)];
        if (entry.slot != -1) {
          ASSERT_EQ(slot, entry.slot) << "step " << step;
        }
        entry = Entry{text, time, slot};
        expect_lookup_agrees(table, model, generator, text);
      }
      ASSERT_EQ(table.element_count(), static_cast<std::int32_t>(model.size())) << "step " << step;
      expect_lookup_agrees(table, model, generator, generator.text());
      if (step % 1000 == 0) {
        expect_contents_agree(table, model);
      }
    }
    expect_contents_agree(table, model);
  }
  EXPECT_EQ(standin::allocator_stats().live_blocks, blocks_before);
}

}  // namespace
