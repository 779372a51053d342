// Whether two class names are one class: the same once a to z are folded (text/ascii_fold.h). The
// delay table, the notice cooldown, the checker's mirror of the table and its warning about names
// that differ only in letter case all ask here. UTF-16 names, as the game gives them, are compared
// four units at once in a 64-bit word.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/delay_table.h"
#include "text/ascii_fold.h"

namespace quellwarden {

static_assert(std::endian::native == std::endian::little,
              "four units in a word put the first unit in the low 16 bits");

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
// same_class for texts of one size that are not the very same units.
bool alike_when_folded(std::u16string_view a, std::u16string_view b);
}  // namespace detail

// The usual same spelling costs a word compare per four units (the last four overlapping the ones
// before where the size is not a multiple of four); folding waits for the first difference.
inline bool same_class(std::u16string_view a, std::u16string_view b) {
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

// The same rule for UTF-8 names, as the configuration gives them.
constexpr bool same_class(std::string_view a, std::string_view b) {
  return compare_folded(a, b) == 0;
}

// Equal for UTF-8 names that are one class: FNV-1a over the folded bytes.
constexpr std::uint64_t class_hash(std::string_view name) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char byte : name) {
    hash = (hash ^ static_cast<unsigned char>(ascii_upper(byte))) * 1099511628211ULL;
  }
  return hash;
}

// Hash containers of class names hold one element per class with these.
struct ClassHash {
  std::size_t operator()(std::string_view name) const noexcept {
    return static_cast<std::size_t>(class_hash(name));
  }
  std::size_t operator()(std::u16string_view name) const { return key_hash(name); }
};
struct SameClass {
  template <typename Text>
  bool operator()(const Text& a, const Text& b) const noexcept {
    return same_class(a, b);
  }
};

}  // namespace quellwarden
