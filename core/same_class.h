// Whether two class names are one class: the same once a to z are folded (text/ascii_fold.h). The
// delay table, the notice cooldown, the census, the checker's mirror of the table and its warning
// about names that differ only in letter case all ask here.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/key_hash.h"
#include "text/ascii_fold.h"

namespace quellwarden {

namespace detail {
// same_class for texts of one size that are not the very same units.
bool alike_when_folded(std::u16string_view a, std::u16string_view b);
}  // namespace detail

// The usual same spelling costs one memcmp; folding waits for a difference.
inline bool same_class(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  if (std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0) return true;
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
