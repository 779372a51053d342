// UTF-8 to UTF-16 and back. To UTF-16 as the game wants its text: four-byte sequences become
// surrogate pairs and a malformed byte becomes U+FFFD, so no input can produce an invalid string.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quellwarden::host {

namespace detail {

inline constexpr char32_t kReplacement = 0xFFFD;

// Decodes the code point at `at` and moves past it; a malformed sequence costs one byte.
inline char32_t next_code_point(std::string_view text, std::size_t& at) {
  const auto malformed = [&at] {
    ++at;
    return kReplacement;
  };
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t extra = 0;
  char32_t code = 0;
  char32_t minimum = 0;
  if (lead < 0x80U) {
    ++at;
    return lead;
  }
  if ((lead & 0xE0U) == 0xC0U) {
    extra = 1, code = lead & 0x1FU, minimum = 0x80;
  } else if ((lead & 0xF0U) == 0xE0U) {
    extra = 2, code = lead & 0x0FU, minimum = 0x800;
  } else if ((lead & 0xF8U) == 0xF0U) {
    extra = 3, code = lead & 0x07U, minimum = 0x10000;
  } else {
    return malformed();
  }
  if (at + extra >= text.size()) return malformed();
  for (std::size_t i = 1; i <= extra; ++i) {
    const auto byte = static_cast<unsigned char>(text[at + i]);
    if ((byte & 0xC0U) != 0x80U) return malformed();
    code = (code << 6U) | (byte & 0x3FU);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return malformed();
  at += extra + 1;
  return code;
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
