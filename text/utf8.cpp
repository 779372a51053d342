// The well-formed sequences as Unicode tables them, so that no second byte range is guessed.
#include "text/utf8.h"

#include <algorithm>
#include <array>

namespace quellwarden {

std::size_t characters_in(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), starts_character));
}

std::string_view utf8_prefix(std::string_view text, std::size_t most) {
  if (text.size() <= most) return text;
  while (most > 0 && !starts_character(text[most])) --most;
  return text.substr(0, most);
}

Utf8Character utf8_character_at(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t next) -> unsigned char {
    return at + next < text.size() ? static_cast<unsigned char>(text[at + next]) : 0;
  };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  struct Form {
    unsigned char lead_low, lead_high, second_low, second_high;
    std::size_t length;
  };
  static constexpr std::array<Form, 8> kForms{{{0xC2, 0xDF, 0x80, 0xBF, 2},
                                               {0xE0, 0xE0, 0xA0, 0xBF, 3},
                                               {0xE1, 0xEC, 0x80, 0xBF, 3},
                                               {0xED, 0xED, 0x80, 0x9F, 3},
                                               {0xEE, 0xEF, 0x80, 0xBF, 3},
                                               {0xF0, 0xF0, 0x90, 0xBF, 4},
                                               {0xF1, 0xF3, 0x80, 0xBF, 4},
                                               {0xF4, 0xF4, 0x80, 0x8F, 4}}};
  for (const Form& form : kForms) {
    if (lead < form.lead_low || lead > form.lead_high) continue;
    if (byte(1) < form.second_low || byte(1) > form.second_high) return {};
    char32_t code = lead & (0x7FU >> form.length);
    for (std::size_t next = 1; next < form.length; ++next) {
      if (starts_character(static_cast<char>(byte(next)))) return {};
      code = code << 6U | (byte(next) & 0x3FU);
    }
    return {code, form.length};
  }
  return {};
}

}  // namespace quellwarden
