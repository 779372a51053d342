// Which creature classes the gates have met, and how often each gate met each: the first 4,096
// distinct names in full, then only a count of the calls on the others. The gates record on every
// call, so a name already seen costs a probe, one compare and an increment, and allocates nothing.
// Not thread-safe: written and read on the game thread only, as the gates run.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quellwarden {

class ClassCensus {
 public:
  static constexpr std::size_t kGates = 3;
  static constexpr std::size_t kMostClasses = 4096;

  struct Entry {
    std::u16string name;                        // exactly as met, letter case included
    std::array<std::uint64_t, kGates> calls{};  // by gate
  };

  // Counts a call of gate `gate` (below kGates) on the class `name`, whose key_hash is `hash`.
  // Never throws: a call on a name the census cannot keep (it is full, or memory ran out) is
  // counted in unkept_calls().
  void record(std::size_t gate, std::uint32_t hash, std::u16string_view name) noexcept {
    const std::uint64_t key = key_of(hash, name.size());
    for (std::size_t at = hash & kSlotMask;; at = (at + 1) & kSlotMask) {
      const Slot& slot = slots_[at];
      if (slot.key == key &&
          std::memcmp(slot.entry->name.data(), name.data(), name.size() * sizeof(char16_t)) == 0) {
        ++slot.entry->calls[gate];
        return;
      }
      if (slot.key == 0) return add(at, gate, key, name);
    }
  }

  // The classes met, in the order first met.
  [[nodiscard]] std::span<const Entry> entries() const noexcept { return entries_; }
  [[nodiscard]] std::uint64_t unkept_calls() const noexcept { return unkept_calls_; }

 private:
  // Open addressing, at most half full, so a probe ends at an empty slot soon. A slot's key holds
  // the name's hash and length, so one test turns away all but an equal name.
  static constexpr std::size_t kSlots = 2 * kMostClasses;
  static constexpr std::size_t kSlotMask = kSlots - 1;
  struct Slot {
    std::uint64_t key = 0;  // 0: empty
    Entry* entry = nullptr;
  };
  static std::uint64_t key_of(std::uint32_t hash, std::size_t length) noexcept {
    return std::uint64_t{hash} << 32 | ((length + 1) & 0xFFFFFFFFU);
  }

  void add(std::size_t at, std::size_t gate, std::uint64_t key, std::u16string_view name) noexcept;

  std::array<Slot, kSlots> slots_{};
  // Reserved whole at the first name, so the entries never move: the slots point at them.
  std::vector<Entry> entries_;
  std::uint64_t unkept_calls_ = 0;
};

}  // namespace quellwarden
