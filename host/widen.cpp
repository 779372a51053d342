// UTF-8 to UTF-16 for class names; ASCII maps unit for byte.
#include "host/widen.h"

#include <array>
#include <cstddef>
#include <cstring>

#include "host/binding.h"

namespace quellwarden::host {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr std::size_t kInlineUnits = 128;

bool is_continuation(unsigned char byte) { return (byte & 0xC0U) == 0x80U; }

// Decodes one code point at `at`, advancing it; malformed input yields U+FFFD for one byte.
char32_t decode_one(const unsigned char* text, std::size_t length, std::size_t& at) {
  const unsigned char lead = text[at];
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
    ++at;
    return kReplacement;
  }
  if (at + extra >= length) {
    ++at;
    return kReplacement;
  }
  for (std::size_t i = 1; i <= extra; ++i) {
    if (!is_continuation(text[at + i])) {
      ++at;
      return kReplacement;
    }
    code = (code << 6U) | (text[at + i] & 0x3FU);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    ++at;
    return kReplacement;
  }
  at += extra + 1;
  return code;
}

// Writes the UTF-16 form of `text` to `out` (when not null) and returns the number of units.
std::size_t to_utf16(const unsigned char* text, std::size_t length, WIDECHAR* out) {
  std::size_t units = 0;
  for (std::size_t at = 0; at < length;) {
    const char32_t code = decode_one(text, length, at);
    if (code >= 0x10000) {
      if (out != nullptr) {
        out[units] = static_cast<WIDECHAR>(0xD800 + ((code - 0x10000) >> 10U));
        out[units + 1] = static_cast<WIDECHAR>(0xDC00 + ((code - 0x10000) & 0x3FFU));
      }
      units += 2;
    } else {
      if (out != nullptr) {
        out[units] = static_cast<WIDECHAR>(code);
      }
      ++units;
    }
  }
  return units;
}

// Gives a borrowed allocator block back however the constructor leaves.
struct BlockGuard {
  void* block = nullptr;
  BlockGuard() = default;
  BlockGuard(const BlockGuard&) = delete;
  BlockGuard& operator=(const BlockGuard&) = delete;
  ~BlockGuard() {
    if (block != nullptr) {
      free_block(block);
    }
  }
};

}  // namespace

FString widen(std::string text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.c_str());
  const std::size_t length = std::strlen(text.c_str());
  const std::size_t units = to_utf16(bytes, length, nullptr);

  std::array<WIDECHAR, kInlineUnits> inline_buffer{};
  BlockGuard borrowed;
  WIDECHAR* buffer = inline_buffer.data();
  if (units + 1 > kInlineUnits) {
    borrowed.block = resize_block(nullptr, (units + 1) * sizeof(WIDECHAR));
    buffer = static_cast<WIDECHAR*>(borrowed.block);
  }
  to_utf16(bytes, length, buffer);
  buffer[units] = 0;
  FString result(buffer);
  text.clear();
  text.shrink_to_fit();
  return result;
}

}  // namespace quellwarden::host
