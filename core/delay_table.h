// The delay table: class name to unlock time, a hash container in the host's style whose every
// block comes from the game's allocator. Not thread-safe: callers never use one table at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "host/fstring.h"

namespace quellwarden {

// CRC-style hash over the UTF-16 units with a to z folded to upper case; abc and ABC give
// 0xC05C9C7B. The empty text (count 0 or 1) hashes to 0.
std::uint32_t key_hash(std::u16string_view units);
inline std::uint32_t key_hash(const FStringData& key) { return key_hash(FString::view_of(key)); }
inline std::uint32_t key_hash(const FString& key) { return key_hash(key.view()); }

namespace detail {
// Entry `index` of the hash's byte table (MSB-first CRC remainders for 0x04C11DB7).
std::uint32_t key_hash_table_entry(std::uint8_t index);
}  // namespace detail

class DelayTable {
 public:
  // The empty table needs no constructor to run, so a static table is usable before any code.
  constexpr DelayTable() noexcept = default;
  ~DelayTable();
  DelayTable(const DelayTable&) = delete;
  DelayTable& operator=(const DelayTable&) = delete;

  // Slot holding `key` (whose key_hash is `hash`), or -1.
  [[nodiscard]] std::int32_t find(std::uint32_t hash, const FString& key) const {
    return find_key(hash, key.raw());
  }
  [[nodiscard]] std::int64_t unlock_time(std::int32_t slot) const {
    return slots_[slot].unlock_time;
  }
  // The key a live slot holds, the table's own text, valid until the next add or swap.
  [[nodiscard]] std::u16string_view key_of(std::int32_t slot) const noexcept {
    return FString::view_of(key_at(slot));
  }
  // Takes the key (leaving the caller's empty); an equal key already held is replaced, in the
  // new letter case and with the new time. Returns the slot that holds the key.
  std::int32_t add(FString&& key, std::int64_t unlock_time);
  // Exchanges the whole contents; cannot fail, so a prepared table goes live in one step.
  void swap(DelayTable& other) noexcept;

  [[nodiscard]] std::int32_t element_count() const noexcept;
  // Calls `visit(slot, key_text, unlock_time)` for each live slot in ascending slot order; the
  // text is the table's own and stays valid until the next add or swap.
  template <typename Visit>
  void for_each(Visit&& visit) const;

 private:
  // A slot's key is the host string's three fields, owning its buffer while the slot is live. Held
  // as plain bytes, slots move by realloc as well-defined copies, and a free slot reuses the first
  // two words for its list links.
  struct Slot {
    FStringData key;
    std::int64_t unlock_time;
    std::int32_t next_in_bucket;
    std::int32_t bucket_index;

    std::int32_t free_link(std::size_t which) const noexcept {
      std::int32_t value;
      std::memcpy(&value, reinterpret_cast<const std::byte*>(&key) + which * sizeof(value),
                  sizeof(value));
      return value;
    }
    void set_free_link(std::size_t which, std::int32_t value) noexcept {
      std::memcpy(reinterpret_cast<std::byte*>(&key) + which * sizeof(value), &value,
                  sizeof(value));
    }
  };

  [[nodiscard]] bool is_live(std::int32_t slot) const noexcept;
  [[nodiscard]] const FStringData& key_at(std::int32_t slot) const noexcept;
  [[nodiscard]] std::int32_t find_key(std::uint32_t hash, const FStringData& key) const;
  [[nodiscard]] std::uint32_t* flag_words() noexcept;
  [[nodiscard]] const std::uint32_t* flag_words() const noexcept;
  void set_flag(std::int32_t slot, bool live) noexcept;
  [[nodiscard]] std::int32_t& bucket_head(std::uint32_t hash) noexcept;
  [[nodiscard]] std::int32_t bucket_head(std::uint32_t hash) const noexcept;
  [[nodiscard]] std::int32_t take_slot();
  std::int32_t append_slot();
  void append_flag();
  void push_free(std::int32_t slot) noexcept;
  void link(std::int32_t slot, std::uint32_t hash) noexcept;
  [[nodiscard]] static std::int32_t* allocate_buckets(std::int32_t count);
  void rebuild_buckets(std::int32_t count, std::int32_t* heads) noexcept;

  // Field order is the host container's, so the layout matches what the game itself builds
  // (tests/support/table_layout.h reads it so).
  Slot* slots_ = nullptr;
  std::int32_t slot_count_ = 0;
  std::int32_t slot_capacity_ = 0;
  std::uint32_t inline_flags_[4] = {};
  std::uint32_t* flag_words_ = nullptr;
  std::int32_t flag_count_ = 0;
  std::int32_t flag_capacity_ = 128;
  std::int32_t free_head_ = -1;
  std::int32_t free_count_ = 0;
  std::int32_t inline_bucket_ = 0;
  std::int32_t* buckets_ = nullptr;
  std::int32_t bucket_count_ = 0;
};

template <typename Visit>
void DelayTable::for_each(Visit&& visit) const {
  for (std::int32_t slot = 0; slot < slot_count_; ++slot) {
    if (is_live(slot)) {
      visit(slot, FString::view_of(key_at(slot)), unlock_time(slot));
    }
  }
}

}  // namespace quellwarden
