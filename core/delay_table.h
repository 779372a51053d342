// The delay table: class name to unlock time, a hash container in the host's style whose every
// block comes from the game's allocator. Not thread-safe: callers never use one table at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/key_hash.h"
#include "core/same_class.h"
#include "host/fstring.h"

namespace quellwarden {

class DelayTable {
 public:
  // The empty table needs no constructor to run, so a static table is usable before any code.
  constexpr DelayTable() noexcept = default;
  ~DelayTable();
  DelayTable(const DelayTable&) = delete;
  DelayTable& operator=(const DelayTable&) = delete;

  // Slot holding `key` (whose key_hash is `hash`), or -1. Inline, so that a gate walks the bucket
  // in its own frame.
  [[nodiscard]] std::int32_t find(std::uint32_t hash, const FString& key) const {
    if (element_count() == 0) return -1;  // no buckets yet
    for (std::int32_t slot = bucket_head(hash); slot != -1; slot = slots_[slot].next_in_bucket) {
      if (same_key(slots_[slot].key, key.raw())) return slot;
    }
    return -1;
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

  [[nodiscard]] std::int32_t element_count() const noexcept { return slot_count_ - free_count_; }
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
  [[nodiscard]] static bool same_key(const FStringData& stored, const FStringData& probe);
  [[nodiscard]] std::uint32_t* flag_words() noexcept;
  [[nodiscard]] const std::uint32_t* flag_words() const noexcept;
  void set_flag(std::int32_t slot, bool live) noexcept;
  [[nodiscard]] std::int32_t& bucket_head(std::uint32_t hash) noexcept;
  [[nodiscard]] const std::int32_t& bucket_head(std::uint32_t hash) const noexcept {
    const std::int32_t* heads = bucket_count_ > 1 ? buckets_ : &inline_bucket_;
    return heads[hash & static_cast<std::uint32_t>(bucket_count_ - 1)];
  }
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

// The same key: equal under the game's compare, and alike once a to z are folded, as the key hash
// folds them. The game folds more letters (É and é); a table that merged two names that the hash
// files apart would lose one of them at its next bucket rebuild and let a listed class through.
// Both must agree, so the cheap folded check goes first and the game's compare, reached by name,
// runs only for the one candidate that can match.
inline bool DelayTable::same_key(const FStringData& stored, const FStringData& probe) {
  if (stored.count != probe.count || stored.count <= 1) {
    return host::fstring_equal(stored, probe);  // different lengths, or both empty
  }
  // Two texts of one length, whose buffers the game's compare reads as they are.
  const auto units = static_cast<std::size_t>(stored.count - 1);
  const auto text = [units](const FStringData& key) {
    return std::u16string_view(reinterpret_cast<const char16_t*>(key.data), units);
  };
  return same_class(text(stored), text(probe)) && host::fstring_equal(stored, probe);
}

template <typename Visit>
void DelayTable::for_each(Visit&& visit) const {
  for (std::int32_t slot = 0; slot < slot_count_; ++slot) {
    if (is_live(slot)) {
      visit(slot, FString::view_of(key_at(slot)), unlock_time(slot));
    }
  }
}

}  // namespace quellwarden
