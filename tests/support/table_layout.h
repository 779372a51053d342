// A delay table's fields as the host's container lays them out, read from the table's own bytes:
// a test holds the table's growth against the host's steps without the table offering read-outs.
#pragma once

#include <cstdint>
#include <cstring>

#include "core/delay_table.h"

namespace qw_test {

struct TableLayout {
  void* slots;
  std::int32_t slot_count;
  std::int32_t slot_capacity;
  std::uint32_t inline_flags[4];
  std::uint32_t* flag_words;
  std::int32_t flag_count;
  std::int32_t flag_capacity;
  std::int32_t free_head;
  std::int32_t free_count;
  std::int32_t inline_bucket;
  std::int32_t* buckets;
  std::int32_t bucket_count;
};
static_assert(sizeof(TableLayout) == sizeof(quellwarden::DelayTable));

inline TableLayout layout_of(const quellwarden::DelayTable& table) {
  TableLayout layout;
  std::memcpy(&layout, reinterpret_cast<const unsigned char*>(&table), sizeof(layout));
  return layout;
}

// Empties `table` as a load replaces one: the old contents go with a fresh table.
inline void empty(quellwarden::DelayTable& table) { quellwarden::DelayTable().swap(table); }

}  // namespace qw_test
