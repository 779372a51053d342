// The letter case a delay table's keys ignore of their own accord: a to z folded to A to Z, one
// unit at a time or four UTF-16 units at once in a 64-bit word, and texts compared that way. The
// one home of the rule: the configuration's UTF-8 helpers (config/ascii_fold.h) fold by it too.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace quellwarden {

static_assert(std::endian::native == std::endian::little,
              "four units in a word put the first unit in the low 16 bits");

constexpr std::uint32_t fold_ascii(std::uint32_t unit) {
  return unit >= 0x61 && unit <= 0x7A ? unit - 0x20 : unit;
}

// Units `at`..`at`+3, the first in the low 16 bits.
inline std::uint64_t four_units(const char16_t* at) {
  std::uint64_t word;
  std::memcpy(&word, at, sizeof(word));
  return word;
}

// fold_ascii on each 16-bit lane. The lane's top bit is set aside first, so adding to the lower
// 15 bits never carries into the next lane; every unit from a to z has bit 5 set, which the fold
// clears.
constexpr std::uint64_t fold_ascii_four(std::uint64_t units) {
  constexpr std::uint64_t kLanes = 0x0001000100010001;
  constexpr std::uint64_t kTop = kLanes * 0x8000;
  const std::uint64_t low = units & ~kTop;
  const std::uint64_t from_a = low + kLanes * (0x8000 - 0x61);
  const std::uint64_t past_z = low + kLanes * (0x8000 - 0x7B);
  const std::uint64_t lower_case = from_a & ~past_z & ~units & kTop;
  return units ^ (lower_case >> 10);
}

namespace detail {
// alike_ascii_folded for texts of one size that are not the very same units.
bool alike_when_folded(std::u16string_view a, std::u16string_view b);
}  // namespace detail

// Whether the texts are the same once a to z are folded. The usual same spelling costs a word
// compare per four units (the last four overlapping the ones before where the size is not a
// multiple of four); folding waits for the first difference.
inline bool alike_ascii_folded(std::u16string_view a, std::u16string_view b) {
  const std::size_t size = a.size();
  if (size != b.size()) {
    return false;
  }
  if (size >= 4) {
    const auto same_at = [&](std::size_t at) {
      return four_units(a.data() + at) == four_units(b.data() + at);
    };
    std::size_t at = 0;
    while (at + 4 < size && same_at(at)) {
      at += 4;
    }
    if (at + 4 >= size && same_at(size - 4)) {
      return true;
    }
  }
  return detail::alike_when_folded(a, b);
}

}  // namespace quellwarden
