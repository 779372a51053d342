// UTF-8 as every text here counts, cuts and reads it: by characters, never splitting one.
#pragma once

#include <cstddef>
#include <string_view>

namespace quellwarden {

// Whether `byte` begins a character, as every byte but a continuation byte does.
constexpr bool starts_character(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

// Characters, not bytes: a name in any script gets the same room.
std::size_t characters_in(std::string_view text);

// The longest start of `text` of at most `most` bytes that ends before a character, not in one.
std::string_view utf8_prefix(std::string_view text, std::size_t most);

struct Utf8Character {
  char32_t code = 0;
  std::size_t length = 0;  // in bytes; 0 where the bytes are no UTF-8
};

// The character at `at`, read strictly: a stray continuation byte, a sequence cut short, an
// overlong form, a surrogate or a code past U+10FFFF is none.
Utf8Character utf8_character_at(std::string_view text, std::size_t at);

}  // namespace quellwarden
