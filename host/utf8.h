// UTF-8 to UTF-16 and back. To UTF-16 as the game wants its text: four-byte sequences become
// surrogate pairs and a malformed byte becomes U+FFFD, so no input can produce an invalid string.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/utf8.h"

namespace quellwarden::host {

namespace detail {

inline constexpr char32_t kReplacement = 0xFFFD;

// Decodes the code point at `at` and moves past it; a malformed sequence costs one byte. ASCII,
// nearly every class name, is read in place.
inline char32_t next_code_point(std::string_view text, std::size_t& at) {
  if (const auto byte = static_cast<unsigned char>(text[at]); byte < 0x80U) {
    ++at;
    return byte;
  }
  const Utf8Character character = utf8_character_at(text, at);
  if (character.length == 0) {
    ++at;
    return kReplacement;
  }
  at += character.length;
  return character.code;
}

}  // namespace detail

// Calls `emit(char16_t)` for each UTF-16 unit of `text`.
template <typename Emit>
void decode_utf8(std::string_view text, Emit&& emit) {
  for (std::size_t at = 0; at < text.size();) {
    const char32_t code = detail::next_code_point(text, at);
    if (code >= 0x10000) {
      emit(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10U)));
      emit(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FFU)));
    } else {
      emit(static_cast<char16_t>(code));
    }
  }
}

// UTF-16 back to UTF-8 for log lines and replies; a lone surrogate becomes U+FFFD.
inline std::string encode_utf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    char32_t code = text[at];
    if (code >= 0xD800 && code <= 0xDBFF && at + 1 < text.size() && text[at + 1] >= 0xDC00 &&
        text[at + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10U) + (text[++at] - 0xDC00U);
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = detail::kReplacement;
    }
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6U));
      out += static_cast<char>(0x80 | (code & 0x3FU));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12U));
      out += static_cast<char>(0x80 | ((code >> 6U) & 0x3FU));
      out += static_cast<char>(0x80 | (code & 0x3FU));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18U));
      out += static_cast<char>(0x80 | ((code >> 12U) & 0x3FU));
      out += static_cast<char>(0x80 | ((code >> 6U) & 0x3FU));
      out += static_cast<char>(0x80 | (code & 0x3FU));
    }
  }
  return out;
}

}  // namespace quellwarden::host
