// Letter case as the delay table compares class names, for UTF-8 text: a to z folded to A to Z,
// every other byte as it is. The rule itself is the delay table's (core/ascii_fold.h).
#pragma once

#include <string>
#include <string_view>

#include "core/ascii_fold.h"

namespace quellwarden::config {

constexpr char ascii_upper(char byte) {
  return static_cast<char>(fold_ascii(static_cast<unsigned char>(byte)));
}

// The class name as the delay table compares it.
inline std::string ascii_folded(std::string_view text) {
  std::string folded(text);
  for (char& byte : folded) byte = ascii_upper(byte);
  return folded;
}

// Whether `text` ends in `ending` when both are folded.
constexpr bool ends_folded(std::string_view text, std::string_view ending) {
  if (text.size() < ending.size()) return false;
  const std::string_view tail = text.substr(text.size() - ending.size());
  for (std::size_t index = 0; index < ending.size(); ++index) {
    if (ascii_upper(tail[index]) != ascii_upper(ending[index])) return false;
  }
  return true;
}

// Byte order of the folded texts, without folding copies.
constexpr int compare_folded(std::string_view left, std::string_view right) {
  const std::size_t common = left.size() < right.size() ? left.size() : right.size();
  for (std::size_t index = 0; index < common; ++index) {
    const auto a = static_cast<unsigned char>(ascii_upper(left[index]));
    const auto b = static_cast<unsigned char>(ascii_upper(right[index]));
    if (a != b) return a < b ? -1 : 1;
  }
  return left.size() == right.size() ? 0 : (left.size() < right.size() ? -1 : 1);
}

}  // namespace quellwarden::config
