// Letter case as class names and keywords are compared: a to z folded to A to Z, every other unit
// as it is, for text of any unit width. The one home of the rule: the delay table's keys
// (core/same_class.h), the configuration's UTF-8 and the status's keywords all fold by it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace quellwarden {

constexpr std::uint32_t fold_ascii(std::uint32_t unit) {
  return unit >= 0x61 && unit <= 0x7A ? unit - 0x20 : unit;
}

constexpr char ascii_upper(char byte) {
  return static_cast<char>(fold_ascii(static_cast<unsigned char>(byte)));
}

// The UTF-8 text folded.
inline std::string ascii_folded(std::string_view text) {
  std::string folded(text);
  for (char& byte : folded) byte = ascii_upper(byte);
  return folded;
}

// Whether `text` holds `part` when both are folded, without folding copies: a long list is
// searched entry by entry.
inline bool contains_folded(std::string_view text, std::string_view part) {
  return std::search(text.begin(), text.end(), part.begin(), part.end(),
                     [](char a, char b) { return ascii_upper(a) == ascii_upper(b); }) != text.end();
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

// Whether `text` ends in `ending` when both are folded.
constexpr bool ends_folded(std::string_view text, std::string_view ending) {
  return text.size() >= ending.size() &&
         compare_folded(text.substr(text.size() - ending.size()), ending) == 0;
}

}  // namespace quellwarden
