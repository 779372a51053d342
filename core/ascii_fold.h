// The letter case a delay table's keys ignore of their own accord: a to z folded to A to Z, and
// texts compared that way. The one home of the rule: the configuration's UTF-8 helpers
// (config/ascii_fold.h) fold by it too.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace quellwarden {

constexpr std::uint32_t fold_ascii(std::uint32_t unit) {
  return unit >= 0x61 && unit <= 0x7A ? unit - 0x20 : unit;
}

namespace detail {
// alike_ascii_folded for texts of one size that are not the very same units.
bool alike_when_folded(std::u16string_view a, std::u16string_view b);
}  // namespace detail

// Whether the texts are the same once a to z are folded. The usual same spelling costs one
// memcmp; folding waits for a difference.
inline bool alike_ascii_folded(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  if (std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0) {
    return true;
  }
  return detail::alike_when_folded(a, b);
}

}  // namespace quellwarden
