// UTF-8 and UTF-16 conversions for the stand-in's texts; malformed input becomes U+FFFD. Both ways
// are the plugin's own, so both sides read and write a class name the same way.
#pragma once

#include <string>
#include <string_view>

#include "host/utf8.h"

namespace standin {

inline std::u16string utf8_to_utf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  quellwarden::host::decode_utf8(text, [&](char16_t unit) { out += unit; });
  return out;
}

inline std::string utf16_to_utf8(std::u16string_view text) {
  return quellwarden::host::encode_utf8(text);
}

}  // namespace standin
