// Which creature classes the gates have met, and how often each gate met each: the first 4,096
// class objects with their names in full, then only a count of the calls on the others. The gates
// record on every call, so a class already seen costs a probe, two compares and an increment, with
// no look at its name, and allocates nothing.
// Not thread-safe: written and read on the game thread only, as the gates run.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/gate.h"

namespace quellwarden {

class ClassCensus {
 public:
  static constexpr std::size_t kGates = kGateCount;
  static constexpr std::size_t kMostClasses = 4096;

  struct Entry {
    std::u16string name;                        // exactly as first met, letter case included
    std::array<std::uint64_t, kGates> calls{};  // by gate
  };

  // Counts a call of gate `gate` (below kGates) on a creature whose class object is
  // `class_object` (not null) and whose class name `name` has the key_hash `hash`. A class object
  // is known by its address and that hash together, so one whose address a class of another name
  // took later is a new entry. Never throws: a call the census cannot keep (it is full, or memory
  // ran out) is counted in unkept_calls().
  void record(std::size_t gate, const void* class_object, std::uint32_t hash,
              std::u16string_view name) noexcept {
    for (std::size_t at = hash & kSlotMask;; at = (at + 1) & kSlotMask) {
      const Slot& slot = slots_[at];
      if (slot.class_object == class_object && slot.hash == hash) {
        ++slot.entry->calls[gate];
        return;
      }
      if (slot.class_object == nullptr) return add(at, gate, class_object, hash, name);
    }
  }

  // The class objects met, in the order first met; two of one name (a class loaded twice) are two
  // entries.
  [[nodiscard]] std::span<const Entry> entries() const noexcept { return entries_; }
  [[nodiscard]] std::uint64_t unkept_calls() const noexcept { return unkept_calls_; }

 private:
  // Open addressing from the name's hash, at most half full, so a probe ends at an empty slot soon.
  static constexpr std::size_t kSlots = 2 * kMostClasses;
  static constexpr std::size_t kSlotMask = kSlots - 1;
  struct Slot {
    const void* class_object = nullptr;  // null: empty
    std::uint32_t hash = 0;
    Entry* entry = nullptr;
  };

  void add(std::size_t at, std::size_t gate, const void* class_object, std::uint32_t hash,
           std::u16string_view name) noexcept;

  std::array<Slot, kSlots> slots_{};
  // Reserved whole at the first name, so the entries never move: the slots point at them.
  std::vector<Entry> entries_;
  std::uint64_t unkept_calls_ = 0;
};

}  // namespace quellwarden
