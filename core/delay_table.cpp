// The delay table: slots with a free list, occupancy bits and bucket chains, all on the game's
// heap.
#include "core/delay_table.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <tuple>
#include <type_traits>
#include <utility>

#include "core/same_class.h"
#include "host/game_functions.h"

namespace quellwarden {

static_assert(std::is_trivially_copyable_v<FStringData>);

namespace {

constexpr std::size_t kPrevFree = 0;
constexpr std::size_t kNextFree = 1;

template <typename T>
T* resize_array(T* block, std::int64_t count) {
  void* resized = host::resize_block(block, static_cast<std::uint64_t>(count) * sizeof(T));
  // An allocator out of memory leaves the old block as it was; the table must not lose it.
  if (resized == nullptr && count > 0) {
    throw std::bad_alloc();
  }
  return static_cast<T*>(resized);
}

// Grows by about three eighths plus a little, as the host's arrays do.
std::int32_t grown_slot_capacity(std::int32_t capacity, std::int32_t count) {
  if (capacity == 0) {
    return 4;
  }
  const std::int64_t grown = std::int64_t{count} + (3 * std::int64_t{count}) / 8 + 16;
  return grown > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                          : static_cast<std::int32_t>(grown);
}

std::int32_t wanted_bucket_count(std::int32_t elements) {
  if (elements < 4) {
    return 1;
  }
  const std::int32_t minimum = elements / 2 + 8;
  std::int32_t buckets = 1;
  while (buckets < minimum) {
    buckets <<= 1;
  }
  return buckets;
}

// Ownership of a key's buffer ends here: it goes back to the game's allocator.
void release_key(FStringData& key) noexcept {
  FString owner;
  owner.adopt(key);
  key = {};
}

}  // namespace

// Every release goes through the free that never throws: a block the game will not take back is
// left to it, and the release goes on.
DelayTable::~DelayTable() {
  host::free_block(buckets_);
  for (std::int32_t slot = 0; slot < slot_count_; ++slot) {
    if (is_live(slot)) {
      release_key(slots_[slot].key);
    }
  }
  host::free_block(slots_);
  host::free_block(flag_words_);
}

// Whatever can fail (the game's compare, an allocation) runs before the table changes, so a
// failed add leaves it as it was and the caller's key with the caller.
std::int32_t DelayTable::add(FString&& key, std::int64_t unlock_time) {
  const std::uint32_t hash = key_hash(key.raw());
  const std::int32_t existing = find(hash, key);
  if (existing != -1) {
    // As the host's container does: a slot is taken for the new key and given back at once.
    push_free(take_slot());
    Slot& kept = slots_[existing];
    release_key(kept.key);
    kept.key = key.take();
    kept.unlock_time = unlock_time;
    return existing;
  }

  const std::int32_t wanted = wanted_bucket_count(element_count() + 1);
  std::int32_t* const heads = bucket_count_ < wanted ? allocate_buckets(wanted) : nullptr;
  std::int32_t slot = -1;
  try {
    slot = take_slot();
  } catch (...) {
    host::free_block(heads);
    throw;
  }
  Slot& taken = slots_[slot];
  taken.key = key.take();
  taken.unlock_time = unlock_time;
  taken.next_in_bucket = -1;
  if (bucket_count_ < wanted) {
    rebuild_buckets(wanted, heads);
  } else {
    link(slot, hash);
  }
  return slot;
}

static_assert(sizeof(DelayTable) == 80, "swap below names every field; a new one joins it");

void DelayTable::swap(DelayTable& other) noexcept {
  // Every field by value: the inline words hold no pointers into the table itself.
  const auto fields = [](DelayTable& table) {
    return std::tie(table.slots_, table.slot_count_, table.slot_capacity_, table.inline_flags_,
                    table.flag_words_, table.flag_count_, table.flag_capacity_, table.free_head_,
                    table.free_count_, table.inline_bucket_, table.buckets_, table.bucket_count_);
  };
  auto mine = fields(*this);
  auto theirs = fields(other);
  mine.swap(theirs);
}

bool DelayTable::is_live(std::int32_t slot) const noexcept {
  return ((flag_words()[slot / 32] >> (slot % 32)) & 1U) != 0;
}

const FStringData& DelayTable::key_at(std::int32_t slot) const noexcept { return slots_[slot].key; }

std::uint32_t* DelayTable::flag_words() noexcept {
  return flag_words_ != nullptr ? flag_words_ : inline_flags_;
}

const std::uint32_t* DelayTable::flag_words() const noexcept {
  return flag_words_ != nullptr ? flag_words_ : inline_flags_;
}

void DelayTable::set_flag(std::int32_t slot, bool live) noexcept {
  const std::uint32_t bit = 1U << (slot % 32);
  std::uint32_t& word = flag_words()[slot / 32];
  word = live ? word | bit : word & ~bit;
}

std::int32_t& DelayTable::bucket_head(std::uint32_t hash) noexcept {
  return const_cast<std::int32_t&>(std::as_const(*this).bucket_head(hash));
}

// Reuses the most recently freed slot, else appends one.
std::int32_t DelayTable::take_slot() {
  std::int32_t slot;
  if (free_count_ > 0) {
    slot = free_head_;
    free_head_ = slots_[slot].free_link(kNextFree);
    --free_count_;
    if (free_count_ > 0) {
      slots_[free_head_].set_free_link(kPrevFree, -1);
    }
  } else {
    slot = append_slot();
  }
  set_flag(slot, true);
  return slot;
}

std::int32_t DelayTable::append_slot() {
  static_assert(sizeof(Slot) == 32, "the host's slot: key, unlock time, chain link, bucket index");
  // Counts change only once the storage is there: a growth that throws leaves the table whole.
  const std::int32_t slot = slot_count_;
  if (slot + 1 > slot_capacity_) {
    const std::int32_t capacity = grown_slot_capacity(slot_capacity_, slot + 1);
    slots_ = resize_array(slots_, capacity);
    slot_capacity_ = capacity;
  }
  append_flag();
  ++slot_count_;
  return slot;
}

void DelayTable::append_flag() {
  const std::int32_t index = flag_count_;
  if (index + 1 > flag_capacity_) {
    // Only a count past the 128 inline flags can outgrow the storage.
    const std::int32_t needed = (index + 1 + 31) / 32;
    std::int32_t words;
    if (flag_words_ == nullptr) {
      words = needed;
      flag_words_ = resize_array<std::uint32_t>(nullptr, words);
      std::copy_n(inline_flags_, (index + 31) / 32, flag_words_);
    } else {
      words = needed + (3 * needed) / 8 + 16;
      flag_words_ = resize_array(flag_words_, words);
    }
    flag_capacity_ = words * 32;
  }
  // A fresh word starts clear, so bits past the flag count stay 0.
  if (index % 32 == 0) {
    flag_words()[index / 32] = 0;
  }
  set_flag(index, false);
  ++flag_count_;
}

void DelayTable::push_free(std::int32_t slot) noexcept {
  Slot& freed = slots_[slot];
  if (free_count_ > 0) {
    slots_[free_head_].set_free_link(kPrevFree, slot);
  }
  freed.set_free_link(kPrevFree, -1);
  freed.set_free_link(kNextFree, free_count_ > 0 ? free_head_ : -1);
  free_head_ = slot;
  ++free_count_;
  set_flag(slot, false);
}

void DelayTable::link(std::int32_t slot, std::uint32_t hash) noexcept {
  std::int32_t& head = bucket_head(hash);
  slots_[slot].bucket_index =
      static_cast<std::int32_t>(hash & (static_cast<std::uint32_t>(bucket_count_) - 1U));
  slots_[slot].next_in_bucket = head;
  head = slot;
}

std::int32_t* DelayTable::allocate_buckets(std::int32_t count) {
  return count > 1 ? resize_array<std::int32_t>(nullptr, count) : nullptr;
}

// `heads` holds `count` buckets (none for a single bucket, which is inline); it was allocated
// before the table changed, so the rebuild itself cannot fail.
void DelayTable::rebuild_buckets(std::int32_t count, std::int32_t* heads) noexcept {
  host::free_block(buckets_);
  buckets_ = heads;
  bucket_count_ = count;
  if (count > 1) {
    std::fill_n(buckets_, count, -1);
  } else {
    inline_bucket_ = -1;
  }
  for (std::int32_t slot = 0; slot < slot_count_; ++slot) {
    if (is_live(slot)) {
      link(slot, key_hash(slots_[slot].key));
    }
  }
}

}  // namespace quellwarden
